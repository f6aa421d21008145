// The output buffer: requests go to the file in writes of 1000 bytes, numbers low
// byte first, and a failing file is counted without stopping the save.
#include "output/internal/outbuf.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A stream that records every write it receives.
struct Recorder {
  std::vector<size_t> writes;
  std::string bytes;
};

ssize_t RecordWrite(void* cookie, const char* data, size_t size) {
  auto* r = static_cast<Recorder*>(cookie);
  r->writes.push_back(size);
  r->bytes.append(data, size);
  return static_cast<ssize_t>(size);
}

std::FILE* OpenRecorder(Recorder* r) {
  cookie_io_functions_t io{nullptr, RecordWrite, nullptr, nullptr};
  std::FILE* f = fopencookie(r, "w", io);
  setvbuf(f, nullptr, _IONBF, 0);  // every buffer write reaches the recorder as it is
  return f;
}

TEST(OutputBuffer, WritesInBlocksOfAThousandBytesAndTheRemainderAtTheEnd) {
  Recorder r;
  std::FILE* f = OpenRecorder(&r);
  OUT_Begin(f);
  std::string expected;
  for (int i = 0; i < 300; ++i) {  // 300 x 7 bytes + 400 = 2500 bytes
    OUT_WriteString("abc");
    const uint32_t v = 0x04030201u + static_cast<uint32_t>(i);
    OUT_WriteU32(v);
    expected += "abc";
    for (int shift = 0; shift < 32; shift += 8) expected += static_cast<char>(v >> shift & 0xFF);
  }
  std::string big(400, 'z');
  OUT_WriteBytes(big.data(), big.size());
  expected += big;
  EXPECT_EQ(r.writes, (std::vector<size_t>{1000, 1000}));  // nothing partial before the end
  EXPECT_EQ(OUT_End(), 0);
  EXPECT_EQ(r.writes, (std::vector<size_t>{1000, 1000, 500}));
  EXPECT_EQ(r.bytes, expected);
  std::fclose(f);
}

TEST(OutputBuffer, NumbersAreLittleEndianAndFormattedTextIsExact) {
  Recorder r;
  std::FILE* f = OpenRecorder(&r);
  OUT_Begin(f);
  OUT_WriteByte(0xFE);
  OUT_WriteU16(0xABCD);
  OUT_WriteU32(0x12345678);
  OUT_Printf("[%3i|%04X]", 7, 0x41);
  std::string longLine(3000, 'q');  // longer than any stack line buffer
  OUT_Printf("%s!", longLine.c_str());
  EXPECT_EQ(OUT_End(), 0);
  std::string expected = "\xFE\xCD\xAB\x78\x56\x34\x12[  7|0041]";
  expected.append(longLine).append("!");
  EXPECT_EQ(r.bytes, expected);
  std::fclose(f);
}

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

}  // namespace
