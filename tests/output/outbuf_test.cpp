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
