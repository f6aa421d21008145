// The value readers: values, separators, limits and their messages.
#include "cmdline/internal/readers.h"

#include <gtest/gtest.h>

#include <string>

#include "support/errorlog.h"

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

// One value read from the text: its value, the message of a failed read and the
// character reading stopped at. The error flag is the last read's: a failed read's
// flag does not linger into a good one.
TEST_F(Readers, SingleValuesTheirMessagesAndWhereReadingStops) {
  const std::string hex = "|CMDLINE_GetHexValue: Not a hex value", dec = "|CMDLINE_GetDecValue: Not a decimal value";
  struct Case {
    const char* text;
    bool hex;
    int32_t value;
    std::string errors;
    int next;  // the next character, or -1 for not looked at
  };
  const Case cases[] = {
      {"-5", true, -5, "", 0},  // a minus at the start is a sign, behind a value a range separator
      {"5-", true, 5, "", '-'},
      {"-12,", false, -12, "", ','},
      {"1x5", true, -1, hex, -1},  // the prefix only in second place, and lower-case
      {"0x1F", true, 0x1F, "", 0},
      {"0X1F", true, -1, hex, -1},
      {",5", true, 0, "|Not a hex value", -1},  // accepted characters that do not convert
      {"12a", false, -1, dec, -1},
      {"-", false, 0, "", 0},  // no digits: the standard conversion gives 0
      {"", true, 0, "|CMDLINE_GetHexValue: Missing value", -1},
      {"", false, 0, "|CMDLINE_GetDecValue: Missing value", -1},
      {"-2147483648", false, INT32_MIN, "", 0},  // eleven characters
      {"123456789012", false, -1, dec, -1},      // twelve
      {"0xFFFFFFFF", true, -1, "", 0},           // wraps like a 32-bit accumulator
      {"000000000041-42", true, -1, hex, -1},    // twelve characters before the separator
      {"2147483647", false, INT32_MAX, "", 0},
      {"4294967312", false, -1, dec, -1},  // decimal values beyond 32 bits are refused, not wrapped
      {"-80000000", true, INT32_MIN, "", 0},
      {"2147483648", false, -1, dec, -1},
      {"-2147483649", false, -1, dec, -1},
      {"99999999999", false, -1, dec, -1},
      {"-9999999999", false, -1, dec, -1},
      {"100000010", true, 0, "|Not a hex value", -1},  // more hex digits than 32 bits do not convert
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    Text(c.text);
    EXPECT_EQ(c.hex ? CMDLINE_GetHexValue() : CMDLINE_GetDecValue(), c.value);
    EXPECT_EQ(CMDLINE_GetError(), !c.errors.empty());
    EXPECT_EQ(TakeErrors(), c.errors);
    if (c.next >= 0) {
      EXPECT_EQ(CMDLINE_GetChar(), c.next);
    }
  }
}

TEST_F(Readers, EmptyTextIsAMissingString) {
  char dest[200];
  Text("");
  CMDLINE_GetString(dest, sizeof(dest));
  EXPECT_STREQ(dest, "");
  EXPECT_TRUE(CMDLINE_GetError());
  EXPECT_EQ(TakeErrors(), "|CMDLINE_GetString: Missing string");
  // A null cursor reads as an empty text.
  CMDLINE_SetArgText(nullptr);
  EXPECT_EQ(CMDLINE_GetChar(), 0);
}

TEST_F(Readers, StringCapacityIncludesTheTerminator) {
  char dest[200];
  std::string s199(199, 'a'), s200(200, 'a');
  Text(s199.c_str());
  CMDLINE_GetString(dest, sizeof(dest));
  EXPECT_FALSE(CMDLINE_GetError());
  EXPECT_EQ(std::string(dest), s199);
  Text(s200.c_str());
  CMDLINE_GetString(dest, sizeof(dest));
  EXPECT_TRUE(CMDLINE_GetError());
  EXPECT_EQ(TakeErrors(), "|CMDLINE_GetString: String to long");
}

TEST_F(Readers, SeparatorChecks) {
  char dest[200];
  Text("Arial");
  CMDLINE_GetString(dest, sizeof(dest));
  EXPECT_EQ(CMDLINE_ExpectSeparator(','), 1);
  EXPECT_EQ(TakeErrors(), "|Wrong separator");
  // After a failed reader the check fails silently: the reader has reported.
  Text("");
  CMDLINE_GetDecValue();
  TakeErrors();
  EXPECT_EQ(CMDLINE_ExpectSeparator(','), 1);
  EXPECT_EQ(TakeErrors(), "");
  // The end of the text reads as character 0.
  Text("");
  EXPECT_EQ(CMDLINE_ReadCharIsNot(','), 1);
  EXPECT_EQ(CMDLINE_ReadCharIsNot(0), 0);
}

}  // namespace
