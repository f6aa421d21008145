// Edit records: every kind of edit, merge, pattern and enabling operation taken
// back and done again by one swap, the journal with it, and records that keep
// only what changed.
#include "edit/record.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <ostream>
#include <string>

#include "edit/cursoradjust.h"
#include "edit/edit.h"
#include "edit/editfont.h"
#include "edit/enable.h"
#include "edit/fontedit.h"
#include "input/merge.h"
#include "input/pattern.h"
#include "model/codetables.h"
#include "model/current.h"
#include "settings/journal.h"
#include "support/fontfixture.h"
#include "support/recordingservices.h"
#include "support/tempdir.h"

namespace {

std::string Journal() { return std::string(JOURNAL_GetText(), JOURNAL_GetLength()); }

// An extended font with a few characters around 'A', A current; the standard
// types get characters as high as the font.
FontPtr SampleFont(int32_t type, int32_t encoding = ENCODING_UC16) {
  FontPtr pFont = NewFont(type, encoding, 8);
  pFont->Baseline = 6;
  const bool extended = FONT_IsExtendedType(type);
  const int rows = extended ? 3 : 8;
  const int ink = FONT_GetMaxPixelValue(pFont.get());
  for (int c = 0x40; c <= 0x44; ++c)
    AddChar(pFont.get(), static_cast<uint16_t>(c), 4 + c % 3, rows,
            [&](int x, int y) { return (x + y + c) % 3 == 0 ? ink : 0; }, 1, extended ? 4 : 0, 6);
  if (type == FONTTYPE_EXT_FRM)
    for (int c = 0x40; c <= 0x44; ++c) FONT_CalcFrame(pFont.get(), static_cast<uint16_t>(c));
  AddChar(pFont.get(), 0, 2, rows, [&](int x, int) { return x ? ink : 0; }, 0, extended ? 4 : 0, 2);
  pFont->MaxWidth = 6;
  FONT_SetCurrentChar(pFont.get(), 0x41);
  return pFont;
}

struct Operation {
  const char* Name;
  std::function<FontPtr()> MakeFont;
  std::function<EditScope(Font*)> Scope;
  std::function<void(Font*)> Run;
};

void PrintTo(const Operation& op, std::ostream* pOut) { *pOut << op.Name; }

class RecordRoundTrip : public ::testing::TestWithParam<Operation> {
 protected:
  void SetUp() override {
    UNICODE_Init();
    JOURNAL_Clear();
    JOURNAL_AddLine("* Initial font height:  %d", 8);
  }
  void TearDown() override { FONT_SetCurrent(nullptr); }
  ScopedServices services;
};

TEST_P(RecordRoundTrip, SwapUndoesAndRedoes) {
  const Operation& op = GetParam();
  // The font is the current one, as the enabling operations expect.
  FONT_SetCurrent(op.MakeFont());
  Font* pFont = FONT_GetCurrent();
  const FontPtr before = CopyFont(pFont);
  const std::string journalBefore = Journal();

  EditRecord record;
  ASSERT_EQ(EDIT_RecordBegin(&record, pFont, op.Scope(pFont)), 0);
  op.Run(pFont);
  EDIT_RecordEnd(&record, pFont);
  const FontPtr after = CopyFont(pFont);
  const std::string journalAfter = Journal();
  ASSERT_TRUE(FontDifference(before.get(), after.get()) != "" || journalBefore != journalAfter)
      << "the operation changed nothing";

  services.services.notices.clear();
  ASSERT_EQ(EDIT_RecordSwap(&record, pFont), 0);
  EXPECT_EQ(FontDifference(pFont, before.get()), "");
  EXPECT_EQ(Journal(), journalBefore);
  if (FontDifference(before.get(), after.get()) != "") {
    EXPECT_FALSE(services.services.notices.empty());
  }

  ASSERT_EQ(EDIT_RecordSwap(&record, pFont), 0);
  EXPECT_EQ(FontDifference(pFont, after.get()), "");
  EXPECT_EQ(Journal(), journalAfter);

  ASSERT_EQ(EDIT_RecordSwap(&record, pFont), 0);  // and undone once more
  EXPECT_EQ(FontDifference(pFont, before.get()), "");
}

FontPtr Ext() { return SampleFont(FONTTYPE_EXT_AA4); }
FontPtr Std() { return SampleFont(FONTTYPE_STD); }
FontPtr Frm() { return SampleFont(FONTTYPE_EXT_FRM); }
FontPtr Iso() { return SampleFont(FONTTYPE_EXT, ENCODING_ISO8859); }
EditScope Current(Font* pFont) { return EDIT_ScopeChar(FONT_GetCurrentChar(pFont)); }
EditScope RowEdit(Font* pFont) { return EDIT_ScopeRowEdit(pFont, FONT_GetCurrentChar(pFont)); }
EditScope Height(Font* pFont) { return EDIT_ScopeFontHeight(pFont); }

std::string PatternFile() {
  static TempDir dir;
  const std::string path = dir.file("pattern.txt");
  std::ofstream out(path, std::ios::binary);
  out.write("\xFF\xFE" "A\0C\0\x42\x30", 8);  // A, C and U+3042, UTF-16 little-endian
  return path;
}

// A font for the pattern: A disabled, U+3042 known but off in an unused block.
FontPtr PatternTarget() {
  FontPtr pFont = Ext();
  FONT_EnableChar(pFont.get(), 0x41, 0);
  pFont->aCharInfo[0x3042].Exists = 1;
  return pFont;
}

// A source with new, replaced and moved characters.
FontPtr MergeSource() {
  FontPtr source = SampleFont(FONTTYPE_EXT_AA4);
  AddChar(source.get(), 0x3042, 5, 3, [](int x, int y) { return (x * y) % 16; });
  source->aCharInfo[0x41].BoxLeft = -4;
  return source;
}

EditScope MergeScope(Font*) {
  EditScope scope = EDIT_ScopeMerge(MergeSource().get());
  scope.ReplacesJournal = true;
  return scope;
}

// One row for each scope and each field or plane an edit of that scope changes.
const Operation kOperations[] = {
    {"InsertLeftMany", Ext, Current, [](Font* f) { EDIT_InsertColumns(f, 0x41, 9, EDIT_SIDE_LEFT); }},
    {"DeleteRightAll", Ext, Current, [](Font* f) { EDIT_DeleteColumns(f, 0x41, 50, EDIT_SIDE_RIGHT); }},
    {"InsertTopOfABox", Ext, RowEdit, [](Font* f) { EDIT_InsertTop(f, 1); }},
    {"DeleteBottomOfABox", Ext, RowEdit, [](Font* f) { EDIT_DeleteBottom(f, 0); }},
    {"InsertTopOfAStandardFont", Std, RowEdit, [](Font* f) { EDIT_InsertTop(f, 1); }},
    {"DeleteBottomOfAStandardFont", Std, RowEdit, [](Font* f) { EDIT_DeleteBottom(f, 1); }},
    {"InsertTopOfAFramedFont", Frm, RowEdit, [](Font* f) { EDIT_InsertTop(f, 1); }},
    {"ShiftUp", Frm, Current, [](Font* f) { EDIT_ShiftUp(f, 1); }},
    {"MoveLeft", Ext, Current, [](Font* f) { EDIT_MoveLeft(f, 1); }},
    {"MoveDown", Ext, Current, [](Font* f) { EDIT_MoveDown(f, 0); }},
    {"IncCursorDist", Ext, Current, [](Font* f) { EDIT_IncCursorDist(f); }},
    {"SetPixel", Ext, Current, [](Font* f) { EDIT_SetPixel(f, 0x41, 1, 1, 7); }},
    {"SetFramedPixel", Frm, Current, [](Font* f) { EDIT_SetPixel(f, 0x41, 0, 0, 1); }},
    {"IncFontTopExtended", Ext, Height, [](Font* f) { EDIT_IncFontTop(f); }},
    {"DecFontBottomExtended", Ext, Height, [](Font* f) { EDIT_DecFontBottom(f, 1); }},
    {"IncFontTopStandard", Std, Height, [](Font* f) { EDIT_GrowFont(f, 3, EDIT_SIDE_TOP, 1); }},
    {"DecFontTopStandard", Std, Height, [](Font* f) { EDIT_ShrinkFont(f, 2, EDIT_SIDE_TOP, 1); }},
    {"InsertRange", Ext, [](Font* f) { return EDIT_ScopeRangeEdit(f, 0x40, 0x43, false); },
     [](Font* f) { EDIT_InsertRange(f, 0x40, 0x43, 2, EDIT_SIDE_RIGHT); }},
    {"DeleteRangeOfAStandardFont", Std, [](Font* f) { return EDIT_ScopeRangeEdit(f, 0x41, 0x42, true); },
     [](Font* f) { EDIT_DeleteRange(f, 0x41, 0x42, 2, EDIT_SIDE_TOP); }},
    {"ShiftRange", Ext, [](Font* f) { return EDIT_ScopeRangeEdit(f, 0x40, 0x44, false); },
     [](Font* f) { EDIT_ShiftRange(f, 0x40, 0x44, -5, 1); }},
    {"MoveRangeBeyondAnEightBitFont", Iso, [](Font* f) { return EDIT_ScopeRangeEdit(f, 0x42, 0x1FF, false); },
     [](Font* f) { EDIT_MoveRange(f, 0x42, 0x1FF, 3, 0); }},
    {"ToggleChar", Ext, Current, [](Font*) { EDIT_ToggleChar(); }},
    {"EnableRange", Ext, [](Font*) { return EDIT_ScopeRange(0x3000, 0x30FF); },
     [](Font*) { EDIT_EnableRange(0x3000, 0x30FF, 1); }},
    {"DisableBlock", Ext, [](Font* f) { return EDIT_ScopeRange(FONT_GetCurrentChar(f) & ~0xF, FONT_GetCurrentChar(f) | 0xF); },
     [](Font*) { EDIT_EnableBlock(0); }},
    {"CursorDistanceRegistration", Ext, [](Font*) { return EDIT_ScopeNone(); },
     [](Font* f) { EDIT_IncCursorDistRange(f, 0x20, 0x7F, 2); EDIT_ClearCursorDistAdjust(); }},
    {"Merge", Ext, MergeScope,
     [](Font* f) {
       JOURNAL_Clear();  // reading the merged file clears the journal
       char message[200];
       ASSERT_EQ(INPUT_MergeFonts(f, MergeSource().get(), message, sizeof message), 0) << message;
     }},
    {"PatternRead", PatternTarget, [](Font*) { return EDIT_ScopeEnabled(0, 0xFFFF); },
     [](Font* f) { INPUT_ReadPattern(f, PatternFile().c_str()); }},
};

INSTANTIATE_TEST_SUITE_P(EveryEditKind, RecordRoundTrip, ::testing::ValuesIn(kOperations),
                         [](const ::testing::TestParamInfo<Operation>& info) { return info.param.Name; });

TEST(EditRecord, UndoTakesOutItsOwnJournalLinesAndLeavesLaterOnes) {
  ScopedServices services;
  JOURNAL_Clear();
  FontPtr pFont = SampleFont(FONTTYPE_EXT);
  JOURNAL_AddLine("* first");
  EditRecord record;
  EDIT_RecordBegin(&record, pFont.get(), EDIT_ScopeChar(0x41));
  EDIT_InsertRight(pFont.get(), 1);
  EDIT_RecordEnd(&record, pFont.get());
  JOURNAL_AddLine("* Save pattern file: later");  // written after the edit, not part of it
  EDIT_RecordSwap(&record, pFont.get());
  EXPECT_EQ(JournalLines(), (std::vector<std::string>{"* first", "* Save pattern file: later"}));
  EDIT_RecordSwap(&record, pFont.get());
  EXPECT_EQ(JournalLines(), (std::vector<std::string>{"* first", "* Edit/Insert/Right     at character 0x41 (65)",
                                                      "* Save pattern file: later"}));
}

TEST(EditRecord, ASwapReportsTheCodesAndARecordNotEndedCannotSwap) {
  ScopedServices services;
  FontPtr pFont = SampleFont(FONTTYPE_EXT);
  EditRecord record;
  EDIT_RecordBegin(&record, pFont.get(), EDIT_ScopeRangeEdit(pFont.get(), 0x40, 0x44, false));
  EXPECT_EQ(EDIT_RecordSwap(&record, pFont.get()), 1);
  EDIT_MoveRange(pFont.get(), 0x42, 0x43, 1, 0);
  EDIT_RecordEnd(&record, pFont.get());
  services.services.notices.clear();
  services.services.redraws.clear();
  EDIT_RecordSwap(&record, pFont.get());
  ASSERT_EQ(services.services.notices.size(), 1u);
  EXPECT_EQ(services.services.notices[0].First, 0x42);
  EXPECT_EQ(services.services.notices[0].Last, 0x43);
  EXPECT_EQ(FONT_GetCurrentChar(pFont.get()), 0x41);  // the selection comes back too
  EXPECT_EQ(services.services.redraws, std::vector<int>{VIEW_ALL});
}

}  // namespace
