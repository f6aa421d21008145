// The create command in-process: heights beyond what files hold, and the style
// names. Its refusals and conversions run end to end in Conversions/Golden.*.
#include <gtest/gtest.h>


#include "cmdline/internal/commands.h"
#include "cmdline/internal/readers.h"
#include "model/current.h"
#include "support/errorlog.h"
#include "support/tempdir.h"

namespace {


TEST(CreateSaveAs, HeightsBeyondWhatFilesHoldAreRefused) {
  TempDir dir;
  setenv("XDG_CONFIG_HOME", dir.file("config").c_str(), 1);
  TakeErrors();
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"4294967312", "CMDLINE_GetDecValue: Not a decimal value"},  // would wrap to 16
      {"2147483648", "CMDLINE_GetDecValue: Not a decimal value"},
      {"2147483647", "Illegal option: 2147483647"},
      {"-2147483648", "Illegal option: -2147483648"},
      {"65536", "Illegal option: 65536"},
      {"-65536", "Illegal option: -65536"},
      {"-60000", "Illegal option: -60000"},  // an em size whose lines need more rows
  };
  for (const auto& [height, message] : cases) {
    SCOPED_TRACE(height);
    const std::string text = "DejaVu Sans,REGULAR," + height + ",STD,UC16";
    CMDLINE_SetArgText(text.c_str());
    CMD_Create();
    EXPECT_EQ(TakeErrors(), "|" + message);
    EXPECT_EQ(FONT_GetCurrent(), nullptr);
  }
}

TEST(CreateSaveAs, StyleNamesReachTheNewFontAndAFailedCreateKeepsTheCurrentOne) {
  TakeErrors();
  CMDLINE_SetArgText("DejaVu Sans,HEAVY_ITALIC,16,AA2,JIS");  // replaces the current font
  CMD_Create();
  EXPECT_EQ(TakeErrors(), "");
  ASSERT_NE(FONT_GetCurrent(), nullptr);
  EXPECT_EQ(FONT_GetCurrent()->LogFont.Weight, 900);
  EXPECT_EQ(FONT_GetCurrent()->LogFont.Italic, 1);
  EXPECT_EQ(FONT_GetCurrent()->Encoding, ENCODING_JIS);
  EXPECT_EQ(FONT_GetCurrent()->AAMethod, AAMETHOD_OS);  // no METHOD given

  CMDLINE_SetArgText("DejaVu Sans,THIN,16,EXT,ISO8859");  // a failed create keeps the current font
  Font* before = FONT_GetCurrent();
  CMD_Create();
  EXPECT_EQ(TakeErrors(), "|Extended fonts can only be created using Unicode encoding.");
  EXPECT_EQ(FONT_GetCurrent(), before);
  FONT_SetCurrent(nullptr);
}

}  // namespace
