// The output buffer: a failing file is counted without stopping the save (the bytes
// it writes are pinned whole by the golden conversions).
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

}  // namespace
