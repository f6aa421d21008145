// The edit and enable commands in-process: their argument forms, what they do to
// the current font and the messages of the command-line error path.
#include <gtest/gtest.h>

#include "cmdline/internal/commands.h"
#include "cmdline/internal/readers.h"
#include "edit/cursoradjust.h"
#include "edit/editfont.h"
#include "model/current.h"
#include "output/savetest.h"
#include "settings/journal.h"
#include "support/errorlog.h"

namespace {

using Lines = std::vector<std::string>;

class EditCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    JOURNAL_Clear();
    FontPtr pOwned = NewFont(FONTTYPE_EXT, ENCODING_UC16, 12);
    pOwned->Baseline = 10;
    for (int c = 0x41; c <= 0x5A; ++c) SetRows(pOwned.get(), c, {"1100000", "0000001"}, 0, 8, 8);
    pFont = pOwned.get();
    FONT_SetCurrent(std::move(pOwned));
    TakeErrors();
  }
  void TearDown() override { FONT_SetCurrent(nullptr); }
  // Runs the handler on the argument text; returns the messages it wrote.
  std::string Run(void (*handler)(), const char* argument) {
    text = argument;
    CMDLINE_SetArgText(text.c_str());
    handler();
    return TakeErrors();
  }
  SaveTest t;
  Font* pFont = nullptr;
  std::string text;
};

// The geometry of every character and of the font, to see that a refused edit
// changed nothing.
std::string Geometry(const Font* pFont) {
  std::string text = std::to_string(pFont->Height) + "/" + std::to_string(pFont->Baseline);
  for (int c = 0; c < FONT_NUM_CODES; ++c) {
    const CharInfo& ci = pFont->aCharInfo[c];
    if (ci.BoxWidth || ci.BoxLeft || ci.BoxTop || ci.CursorDist)
      text += " " + std::to_string(c) + ":" + std::to_string(ci.BoxWidth) + "," + std::to_string(ci.BoxHeight) + "," +
              std::to_string(ci.BoxLeft) + "," + std::to_string(ci.BoxTop) + "," + std::to_string(ci.CursorDist);
  }
  return text;
}

TEST_F(EditCommands, CountsAndValuesBeyondWhatFilesHoldAreRefusedBeforeAnyChange) {
  const std::string count = "|Illegal edit commandline parameter <CNT>. Needs to be >0";
  const std::string before = Geometry(pFont);
  for (const char* argument :
       {"MOVEV,41,-2147483648", "MOVEV,41-5A,2147483647", "MOVEH,41,-2147483648", "MOVEH,0-FFFF,65536",
        "MOVEH,41,32768", "MOVEH,41,-32769", "MOVEV,41,-32760", "MOVEV,41,32777", "INS,BOTTOM,2147483647",
        "INS,TOP,2147483647", "INS,TOP,65524", "DEL,TOP,2147483647", "DEL,TOP,11",
        "INST,41,2147483647", "INSB,41-5A,65536", "INSL,41,2147483647", "INSR,41-5A,65529",
        "CINC,20-7F,2147483647", "CDEC,20-7F,65536"}) {
    SCOPED_TRACE(argument);
    EXPECT_EQ(Run(CMD_Edit, argument), count);
    EXPECT_EQ(Geometry(pFont), before);
  }
  EXPECT_EQ(EDIT_GetCursorDistAdjust(0x41), 0);
  EXPECT_EQ(JournalLines(), Lines{});
  // The limits themselves are taken.
  EXPECT_EQ(Run(CMD_Edit, "MOVEH,41,32767"), "");
  EXPECT_EQ(Run(CMD_Edit, "MOVEH,42,-32768"), "");
  EXPECT_EQ(Run(CMD_Edit, "MOVEV,43,-32759"), "");  // the box top 8 rises to 32767
  EXPECT_EQ(pFont->aCharInfo[0x41].BoxLeft, 32767);
  EXPECT_EQ(pFont->aCharInfo[0x42].BoxLeft, -32768);
  EXPECT_EQ(pFont->aCharInfo[0x43].BoxTop, 32767);
  EXPECT_EQ(Run(CMD_Edit, "MOVEH,41,1"), count);
  EXPECT_EQ(Run(CMD_Edit, "MOVEH,41-42,-1"), count);  // 0x42 would leave the range
  EXPECT_EQ(pFont->aCharInfo[0x41].BoxLeft, 32767);
  EXPECT_EQ(Run(CMD_Edit, "CINC,20-7F,65535"), "");
  EXPECT_EQ(EDIT_GetCursorDistAdjust(0x41), 65535);
  EXPECT_EQ(Run(CMD_Edit, "DEL,TOP,10"), "");  // the baseline reaches row 0
  EXPECT_EQ(pFont->Height, 2);
  EXPECT_EQ(pFont->Baseline, 0);
  EXPECT_EQ(Run(CMD_Edit, "DEL,BOTTOM,2"), "");  // deleting stops at one row
  EXPECT_EQ(pFont->Height, 1);
  EXPECT_EQ(Run(CMD_Edit, "INS,BOTTOM,65534"), "");
  EXPECT_EQ(pFont->Height, 65535);
  EXPECT_EQ(Run(CMD_Edit, "INS,BOTTOM"), count);
  EXPECT_EQ(pFont->Height, 65535);
}

TEST_F(EditCommands, DeletedColumnsMayNotTakeTheAdvanceBelowZero) {
  SetRows(pFont, 0x30, {"1111111"}, 0, 8, 3);  // the advance is narrower than the box
  const std::string count = "|Illegal edit commandline parameter <CNT>. Needs to be >0";
  EXPECT_EQ(Run(CMD_Edit, "DELR,30,4"), count);
  EXPECT_EQ(Run(CMD_Edit, "DELL,2F-31,5"), count);
  EXPECT_EQ(pFont->aCharInfo[0x30].BoxWidth, 7);
  EXPECT_EQ(Run(CMD_Edit, "DELR,30,3"), "");
  EXPECT_EQ(pFont->aCharInfo[0x30].BoxWidth, 4);
  EXPECT_EQ(pFont->aCharInfo[0x30].CursorDist, 0);
  // Shifts rotate inside the box: any value is a number of whole turns and a rest.
  EXPECT_EQ(Run(CMD_Edit, "SHIFTH,41,-2147483648"), "");  // 2147483648 = 7 x 306783378 + 2
  EXPECT_EQ(Rows(pFont, 0x41, 2), (Lines{"0000011", "0000100"}));
}

}  // namespace
