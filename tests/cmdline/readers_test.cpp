// The value readers: values, limits and their messages.
#include "cmdline/internal/readers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "support/errorlog.h"
#include "support/tempdir.h"

namespace {

class Readers : public ::testing::Test {
 protected:
  void SetUp() override { TakeErrors(); }
  void Text(const char* text) {
    text_ = text;
    CMDLINE_SetArgText(text_.c_str());
  }
  std::string text_;
};

// The values of tests/data/value_readers.txt (its first lines describe the form).
TEST_F(Readers, SingleValuesTheirMessagesAndWhereReadingStops) {
  std::istringstream file(ReadFile(std::string(MORVANE_TEST_DATA) + "/value_readers.txt"));
  int rows = 0;
  for (std::string line; std::getline(file, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> f;
    for (size_t at = 0, next; at <= line.size(); at = next + 3) {
      next = std::min(line.find(" | ", at), line.size());
      f.push_back(line.substr(at, next - at));
    }
    ASSERT_EQ(f.size(), 5u) << line;
    SCOPED_TRACE(line);
    ++rows;
    Text(f[1].c_str());
    EXPECT_EQ(f[0] == "hex" ? CMDLINE_GetHexValue() : CMDLINE_GetDecValue(), std::stoi(f[2]));
    EXPECT_EQ(CMDLINE_GetError(), f[3] != "-");
    EXPECT_EQ(TakeErrors(), f[3] == "-" ? "" : "|" + f[3]);
    if (f[4] != "-") {
      EXPECT_EQ(CMDLINE_GetChar(), f[4] == "end" ? 0 : f[4][0]);
    }
  }
  EXPECT_EQ(rows, 23);
}

// String arguments (missing, the longest, too long) and the separator after them
// are the golden case string_arguments; a null cursor and the end of the text read
// as character 0.
TEST_F(Readers, TheEndOfTheTextAndANullCursorReadAsZero) {
  CMDLINE_SetArgText(nullptr);
  EXPECT_EQ(CMDLINE_GetChar(), 0);
  Text("");
  EXPECT_EQ(CMDLINE_ReadCharIsNot(','), 1);
  EXPECT_EQ(CMDLINE_ReadCharIsNot(0), 0);
}

}  // namespace
