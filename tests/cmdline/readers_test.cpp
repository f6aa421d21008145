// The value readers: values, separators, limits and their messages.
#include "cmdline/readers.h"

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

TEST_F(Readers, RangeAndValueAreReadPieceByPiece) {
  Text("41-5A,1");
  EXPECT_EQ(CMDLINE_GetHexValue(), 0x41);
  EXPECT_EQ(CMDLINE_ReadCharIsNot('-'), 0);
  EXPECT_EQ(CMDLINE_GetHexValue(), 0x5A);
  EXPECT_EQ(CMDLINE_ExpectSeparator(','), 0);
  EXPECT_EQ(CMDLINE_GetDecValue(), 1);
  EXPECT_FALSE(CMDLINE_GetError());
  EXPECT_EQ(CMDLINE_GetChar(), 0);
  EXPECT_EQ(TakeErrors(), "");
}

TEST_F(Readers, MinusIsSignAtStartAndRangeSeparatorBehind) {
  Text("-5");
  EXPECT_EQ(CMDLINE_GetHexValue(), -5);
  Text("5-");
  EXPECT_EQ(CMDLINE_GetHexValue(), 5);
  EXPECT_EQ(CMDLINE_GetChar(), '-');
  Text("-12,");
  EXPECT_EQ(CMDLINE_GetDecValue(), -12);
  EXPECT_EQ(CMDLINE_GetChar(), ',');
  EXPECT_FALSE(CMDLINE_GetError());
}

TEST_F(Readers, HexPrefixOnlyInSecondPlaceAndLowerCase) {
  Text("0x1F");
  EXPECT_EQ(CMDLINE_GetHexValue(), 0x1F);
  EXPECT_FALSE(CMDLINE_GetError());

  Text("1x5");
  EXPECT_EQ(CMDLINE_GetHexValue(), -1);
  EXPECT_TRUE(CMDLINE_GetError());
  EXPECT_EQ(TakeErrors(), "|CMDLINE_GetHexValue: Not a hex value");

  Text("0X1F");
  EXPECT_EQ(CMDLINE_GetHexValue(), -1);
  EXPECT_TRUE(CMDLINE_GetError());
  EXPECT_EQ(TakeErrors(), "|CMDLINE_GetHexValue: Not a hex value");
}

TEST_F(Readers, AcceptedCharactersThatDoNotConvert) {
  Text(",5");  // a comma at the start belongs to the value
  EXPECT_EQ(CMDLINE_GetHexValue(), 0);
  EXPECT_TRUE(CMDLINE_GetError());
  EXPECT_EQ(TakeErrors(), "|Not a hex value");

  Text("12a");
  EXPECT_EQ(CMDLINE_GetDecValue(), -1);
  EXPECT_EQ(TakeErrors(), "|CMDLINE_GetDecValue: Not a decimal value");

  Text("-");  // no digits: the standard conversion gives 0
  EXPECT_EQ(CMDLINE_GetDecValue(), 0);
  EXPECT_FALSE(CMDLINE_GetError());
}

TEST_F(Readers, EmptyTextMakesEveryReaderReportMissing) {
  char dest[200];
  Text("");
  EXPECT_EQ(CMDLINE_GetHexValue(), 0);
  EXPECT_TRUE(CMDLINE_GetError());
  EXPECT_EQ(TakeErrors(), "|CMDLINE_GetHexValue: Missing value");
  EXPECT_EQ(CMDLINE_GetDecValue(), 0);
  EXPECT_EQ(TakeErrors(), "|CMDLINE_GetDecValue: Missing value");
  CMDLINE_GetString(dest, sizeof(dest));
  EXPECT_STREQ(dest, "");
  EXPECT_TRUE(CMDLINE_GetError());
  EXPECT_EQ(TakeErrors(), "|CMDLINE_GetString: Missing string");
  // A null cursor reads as an empty text.
  CMDLINE_SetArgText(nullptr);
  EXPECT_EQ(CMDLINE_GetChar(), 0);
}

TEST_F(Readers, ErrorFlagIsClearedByTheNextRead) {
  Text("zz,7");
  CMDLINE_GetDecValue();
  EXPECT_TRUE(CMDLINE_GetError());
  Text("7");
  EXPECT_EQ(CMDLINE_GetDecValue(), 7);
  EXPECT_FALSE(CMDLINE_GetError());
}

TEST_F(Readers, ValueTextsAreBoundedToElevenCharacters) {
  Text("-2147483648");  // eleven characters
  EXPECT_EQ(CMDLINE_GetDecValue(), INT32_MIN);
  EXPECT_FALSE(CMDLINE_GetError());
  Text("123456789012");
  EXPECT_EQ(CMDLINE_GetDecValue(), -1);
  EXPECT_TRUE(CMDLINE_GetError());
  EXPECT_EQ(TakeErrors(), "|CMDLINE_GetDecValue: Not a decimal value");
  Text("0xFFFFFFFF");  // wraps like a 32-bit accumulator
  EXPECT_EQ(CMDLINE_GetHexValue(), -1);
  EXPECT_FALSE(CMDLINE_GetError());
}

TEST_F(Readers, ElevenCharacterValuesEndAtASeparatorAsAtTheEndOfTheText) {
  Text("-2147483648,-2147483647-00000000041,1");
  EXPECT_EQ(CMDLINE_GetDecValue(), INT32_MIN);
  EXPECT_EQ(CMDLINE_ExpectSeparator(','), 0);
  EXPECT_EQ(CMDLINE_GetDecValue(), -INT32_MAX);
  EXPECT_EQ(CMDLINE_ReadCharIsNot('-'), 0);
  EXPECT_EQ(CMDLINE_GetHexValue(), 0x41);
  EXPECT_EQ(CMDLINE_ExpectSeparator(','), 0);
  EXPECT_EQ(CMDLINE_GetDecValue(), 1);
  EXPECT_FALSE(CMDLINE_GetError());
  EXPECT_EQ(TakeErrors(), "");
  // Twelve characters before the separator are still too many.
  Text("000000000041-42");
  EXPECT_EQ(CMDLINE_GetHexValue(), -1);
  EXPECT_EQ(TakeErrors(), "|CMDLINE_GetHexValue: Not a hex value");
}

TEST_F(Readers, ValuesBeyondThirtyTwoBitsAreRefusedNotWrapped) {
  for (const char* text : {"4294967312", "2147483648", "-2147483649", "99999999999", "-9999999999"}) {
    SCOPED_TRACE(text);
    Text(text);
    EXPECT_EQ(CMDLINE_GetDecValue(), -1);
    EXPECT_TRUE(CMDLINE_GetError());
    EXPECT_EQ(TakeErrors(), "|CMDLINE_GetDecValue: Not a decimal value");
  }
  Text("2147483647");
  EXPECT_EQ(CMDLINE_GetDecValue(), INT32_MAX);
  EXPECT_FALSE(CMDLINE_GetError());
  // Hexadecimal values are the 32 bits of the number; more digits do not convert.
  Text("100000010");
  EXPECT_EQ(CMDLINE_GetHexValue(), 0);
  EXPECT_TRUE(CMDLINE_GetError());
  EXPECT_EQ(TakeErrors(), "|Not a hex value");
  Text("-80000000");
  EXPECT_EQ(CMDLINE_GetHexValue(), INT32_MIN);
  EXPECT_FALSE(CMDLINE_GetError());
}

TEST_F(Readers, HexConversionExamples) {
  int32_t v = 0;
  ASSERT_TRUE(CMDLINE_HexToInt("41", &v));
  EXPECT_EQ(v, 0x41);
  ASSERT_TRUE(CMDLINE_HexToInt("0x2F", &v));
  EXPECT_EQ(v, 0x2F);
  ASSERT_TRUE(CMDLINE_HexToInt("-10", &v));
  EXPECT_EQ(v, -16);
  ASSERT_TRUE(CMDLINE_HexToInt("-0x10", &v));
  EXPECT_EQ(v, -16);
  ASSERT_TRUE(CMDLINE_HexToInt("", &v));
  EXPECT_EQ(v, 0);
  EXPECT_FALSE(CMDLINE_HexToInt("1-2", &v));
  EXPECT_FALSE(CMDLINE_HexToInt("0X5", &v));
}

TEST_F(Readers, StringsStopAtCommasAndKeepBlanks) {
  char dest[200];
  Text("DejaVu Sans,BOLD");
  CMDLINE_GetString(dest, sizeof(dest));
  EXPECT_STREQ(dest, "DejaVu Sans");
  EXPECT_EQ(CMDLINE_ExpectSeparator(','), 0);
  CMDLINE_GetString(dest, sizeof(dest));
  EXPECT_STREQ(dest, "BOLD");
  Text(",x,y");
  CMDLINE_GetString(dest, sizeof(dest));
  EXPECT_STREQ(dest, ",x");
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

TEST_F(Readers, OptionsAreExactAndCaseSensitive) {
  const char* const list[] = {"UC16", "ISO8859", "JIS", nullptr};
  EXPECT_EQ(CMDLINE_FindOption("JIS", list), 3);
  EXPECT_EQ(CMDLINE_FindOption("UC16", list), 1);
  EXPECT_EQ(TakeErrors(), "");
  EXPECT_EQ(CMDLINE_FindOption("uc16", list), 0);
  EXPECT_EQ(TakeErrors(), "|Illegal option: uc16");
  EXPECT_EQ(CMDLINE_FindOption("UC16X", list), 0);
  EXPECT_EQ(TakeErrors(), "|Illegal option: UC16X");
}

}  // namespace
