// The output buffer: a failing file is counted without stopping the save (the bytes
// it writes are pinned whole by the golden conversions), and data moved within the
// file arrives whole.
#include "output/internal/outbuf.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(OutputBuffer, FailedWritesAreCountedAndWritingGoesOn) {
  std::FILE* full = std::fopen("/dev/full", "wb");
  ASSERT_NE(full, nullptr);
  setvbuf(full, nullptr, _IONBF, 0);
  OUT_Begin(full);
  std::string chunk(2500, 'x');
  OUT_WriteBytes(chunk.data(), chunk.size());  // fails at the first full buffer, the rest is dropped
  OUT_WriteBytes(chunk.data(), 10);
  EXPECT_EQ(OUT_End(), 2);  // the first buffer and the final remainder of 10 bytes
  std::fclose(full);

  OUT_Begin(nullptr);  // a file that could not be created: every write fails
  OUT_WriteString("abc");
  EXPECT_EQ(OUT_End(), 1);
}

TEST(OutputBuffer, ALineLongerThanAnyLineBufferIsWrittenWhole) {
  std::FILE* f = std::tmpfile();
  ASSERT_NE(f, nullptr);
  const std::string line(3000, 'q');
  OUT_Begin(f);
  OUT_Printf("[%3i|%s]", 7, line.c_str());
  EXPECT_EQ(OUT_End(), 0);
  std::string back(3010, '\0');
  std::rewind(f);
  back.resize(std::fread(back.data(), 1, back.size(), f));
  EXPECT_EQ(back, "[  7|" + line + "]");
  std::fclose(f);
}

// Moving the data that follows a table whose size changed: larger than the pieces
// it is moved in and overlapping itself, down and up; the file ends with the data.
TEST(OutputBuffer, TheTailMovesWholeBothWays) {
  std::FILE* f = std::tmpfile();
  ASSERT_NE(f, nullptr);
  std::string data(2621440 + 7, '\0');
  for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>(i * 7 + i / 4099);
  const auto contents = [f] {
    std::fflush(f);
    std::string all(4000000, '\0');
    std::rewind(f);
    all.resize(std::fread(all.data(), 1, all.size(), f));
    return all;
  };
  OUT_Begin(f);
  ASSERT_TRUE(OUT_CanSeek());
  OUT_Seek(100000);
  OUT_WriteBytes(data.data(), data.size());
  OUT_MoveTail(100000, 30, data.size());
  OUT_Seek(0);
  OUT_WriteString("head");
  EXPECT_EQ(OUT_End(), 0);
  std::string all = contents();
  EXPECT_EQ(all.size(), 30 + data.size());
  EXPECT_EQ(all.substr(0, 4), "head");
  EXPECT_TRUE(all.substr(30) == data);

  OUT_Begin(f);
  OUT_MoveTail(30, 700000, data.size());
  EXPECT_EQ(OUT_End(), 0);
  all = contents();
  EXPECT_EQ(all.size(), 700000 + data.size());
  EXPECT_TRUE(all.substr(700000) == data);
  std::fclose(f);
}

}  // namespace
