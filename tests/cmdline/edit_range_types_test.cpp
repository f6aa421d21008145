// Every range action of -edit, with small counts, on every font type made from a
// real face: the command line must do exactly what the character operations of the
// window do when repeated for each code and step.
#include <gtest/gtest.h>

#include <string>

#include "cmdline/cmdline.h"
#include "edit/edit.h"
#include "model/current.h"
#include "model/font.h"
#include "support/errorlog.h"
#include "support/fontfixture.h"

namespace {

using CharOp = void (*)(Font*);

template <void (*Op)(Font*, int)>
void Quiet(Font* pFont) {
  Op(pFont, 0);
}

struct RangeCase {
  const char* Command;  // behind "-edit"
  int First, Last;      // the codes the command names
  CharOp Op;            // the character operation
  int Steps;            // repeated this often per code
};

const RangeCase kCases[] = {
    {"INST,41-43,2", 0x41, 0x43, Quiet<EDIT_InsertTop>, 2},
    {"INSB,42,1", 0x42, 0x42, Quiet<EDIT_InsertBottom>, 1},
    {"INSL,41-43,2", 0x41, 0x43, Quiet<EDIT_InsertLeft>, 2},
    {"INSR,41-42,3", 0x41, 0x42, Quiet<EDIT_InsertRight>, 3},
    {"DELT,41-43,1", 0x41, 0x43, Quiet<EDIT_DeleteTop>, 1},
    {"DELB,41-42,2", 0x41, 0x42, Quiet<EDIT_DeleteBottom>, 2},
    {"DELL,41-43,2", 0x41, 0x43, Quiet<EDIT_DeleteLeft>, 2},
    {"DELR,41-41,3", 0x41, 0x41, Quiet<EDIT_DeleteRight>, 3},
    {"DELR,42,1", 0x42, 0x42, Quiet<EDIT_DeleteRight>, 1},
    {"SHIFTH,41-43,-2", 0x41, 0x43, Quiet<EDIT_ShiftLeft>, 2},
    {"SHIFTH,41-43,3", 0x41, 0x43, Quiet<EDIT_ShiftRight>, 3},
    {"SHIFTV,41-43,-2", 0x41, 0x43, Quiet<EDIT_ShiftUp>, 2},
    {"SHIFTV,41,1", 0x41, 0x41, Quiet<EDIT_ShiftDown>, 1},
    {"MOVEH,41-43,2", 0x41, 0x43, Quiet<EDIT_MoveRight>, 2},
    {"MOVEH,41-43,-1", 0x41, 0x43, Quiet<EDIT_MoveLeft>, 1},
    {"MOVEV,41-43,-3", 0x41, 0x43, Quiet<EDIT_MoveUp>, 3},
    {"MOVEV,41-43,2", 0x41, 0x43, Quiet<EDIT_MoveDown>, 2},
    // Registered for the next create, which then differs from a plain one as the
    // advance operations would make it (for the types whose advance the
    // adjustments reach: the extended antialiased ones).
    {"CINC,41-43,2", 0x41, 0x43, EDIT_IncCursorDist, 2},
    {"CDEC,41-42,3", 0x41, 0x42, EDIT_DecCursorDist, 3},
};

// Runs one command as the text behind its '-'; returns what it reported.
std::string Command(const std::string& text) {
  TakeErrors();
  EXPECT_EQ(CMDLINE_Execute(text.c_str(), CMDLINE_aCommands), 1) << text;
  return TakeErrors();
}

// Creates the font from DejaVu Sans with 0x20..0x7F enabled and rendered.
void Create(const std::string& type) {
  ASSERT_EQ(Command("createDejaVu Sans,REGULAR,16," + type + ",UC16"), "");
  ASSERT_EQ(Command("enable0-FFFF,0,20-7F,1"), "");
  FONT_RenderPending(FONT_GetCurrent());
}

TEST(EditRangeTypes, EveryRangeActionOnEveryTypeIsTheCharacterOperationRepeated) {
  for (const char* type : {"STD", "AA2", "AA4", "EXT", "EXT_FRM", "EXT_AA2", "EXT_AA4"}) {
    SCOPED_TRACE(type);
    Create(type);
    const FontPtr base = CopyFont(FONT_GetCurrent());
    const bool advanceAdjusted = std::string(type).rfind("EXT_AA", 0) == 0;
    for (const RangeCase& c : kCases) {
      SCOPED_TRACE(c.Command);
      FontPtr expected = CopyFont(base.get());
      const bool adjustment = c.Op == EDIT_IncCursorDist || c.Op == EDIT_DecCursorDist;
      if (!adjustment || advanceAdjusted) {
        for (int code = c.First; code <= c.Last; ++code) {
          FONT_SetCurrentChar(expected.get(), static_cast<uint32_t>(code));
          for (int i = 0; i < c.Steps; ++i) c.Op(expected.get());
        }
      }
      FONT_SetCurrent(CopyFont(base.get()));
      EXPECT_EQ(Command(std::string("edit") + c.Command), "");
      if (adjustment) {
        Create(type);
        expected->CurrentChar = base->CurrentChar;
      } else {
        // Each case changes the font; the comparison below would otherwise prove nothing.
        EXPECT_NE(FontDifference(FONT_GetCurrent(), base.get()), "");
      }
      EXPECT_EQ(FontDifference(FONT_GetCurrent(), expected.get()), "");
    }
    FONT_SetCurrent(nullptr);
  }
}

}  // namespace
