// The properties view: which lines it shows for which font and character, and that
// every edit of the current character reaches it at once.
#include "shell/views/propview.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <functional>

#include "edit/edit.h"
#include "edit/enable.h"
#include "edit/fontedit.h"
#include "model/current.h"
#include "shell/document.h"
#include "viewtest.h"

namespace {

// Counts the paints a widget receives.
class PaintCounter : public QObject {
 public:
  explicit PaintCounter(QWidget* pWidget) { pWidget->installEventFilter(this); }
  int paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* pEvent) override {
    paints += pEvent->type() == QEvent::Paint;
    return false;
  }
};

class PropViewTest : public testing::Test {
 protected:
  PropViewTest() : services(&doc), view(&doc) {
    view.resize(400, 400);
    view.show();
  }
  ~PropViewTest() override { FONT_SetCurrent(nullptr); }

  // A font with face name "Test Face" and character A (4 x 4 box, top row at the
  // baseline minus 4) current.
  Font* Install(int32_t type, bool sixteenBit = true) {
    FontPtr pFont = MemoryFont(type, sixteenBit);
    std::snprintf(pFont->LogFont.acFaceName, sizeof pFont->LogFont.acFaceName, "Test Face");
    SetGlyph(pFont.get(), 'A', 4, FONT_IsExtendedType(type) ? 4 : 0, 4, {"#..."});
    doc.install(std::move(pFont), "");
    doc.setCurrentChar('A');
    return doc.font();
  }
  QStringList Texts() const {
    QStringList texts;
    for (const PropView::Line& line : view.lines()) texts << line.Text;
    return texts;
  }

  Document doc;
  ViewServices services;
  PropView view;
};

TEST_F(PropViewTest, StandardFontShowsNoExtendedLines) {
  Install(FONTTYPE_STD);
  EXPECT_EQ(Texts(), QStringList({"Font Information", "Font:         Test Face", "Height:       8",
                                  "Max Width:    5", "Character Information", "Code:         65 (0x0041)",
                                  "Character:    LATIN CAPITAL LETTER A", "Width:        4", "Disabled:     No"}));
  const std::vector<PropView::Line> lines = view.lines();
  EXPECT_TRUE(lines[0].Heading);
  EXPECT_TRUE(lines[4].Heading);
  EXPECT_FALSE(lines[1].Heading);
  EXPECT_EQ(lines[3].ExtraSpace, 5);
  // The values are in a fixed-pitch face whose lines are 16 pixels high.
  const QFontInfo info(view.valueFont());
  EXPECT_TRUE(info.fixedPitch()) << info.family().toStdString();
  EXPECT_LE(QFontMetrics(view.valueFont()).height(), 16);
}

TEST_F(PropViewTest, ExtendedFontAddsBaselineAndTheBox) {
  Font* pFont = Install(FONTTYPE_EXT);
  pFont->aCharInfo['A'].BoxLeft = -1;
  pFont->aCharInfo['A'].CursorDist = 7;
  const QStringList texts = Texts();
  ASSERT_EQ(texts.size(), 14);
  EXPECT_EQ(texts[4], "Baseline:     6");
  EXPECT_EQ(texts.mid(9), QStringList({"Disabled:     No", "Height:       4", "X-Position:   -1",
                                        "Y-Position:   2", "Cursor dist:  7"}));
  EXPECT_EQ(view.lines()[4].ExtraSpace, 5);
}

TEST_F(PropViewTest, DisabledCharactersShowOnlyTheFontSection) {
  Install(FONTTYPE_EXT);
  doc.setCurrentChar('B');
  EXPECT_EQ(Texts(), QStringList({"Font Information", "Font:         Test Face", "Height:       8",
                                  "Max Width:    5", "Baseline:     6"}));
  // Enabling it through the core brings the character section back.
  doc.setKeyboardTarget(0);
  EDIT_ToggleChar();
  EXPECT_EQ(Texts().size(), 14);
}

// 8-bit fonts have no name line; codes without a name (unassigned, or a gap of the
// Shift_JIS double-byte table) show a hyphen; Shift_JIS codes are named by their
// Unicode character.
TEST_F(PropViewTest, CharacterNameLineFollowsTheEncoding) {
  const struct {
    int32_t Type;
    bool SixteenBit;
    int32_t Encoding;
    uint16_t Code;
    int Lines, Index;
    const char* pText;
  } rows[] = {{FONTTYPE_AA2, false, ENCODING_ISO8859, 'A', 8, 6, "Width:        4"},
              {FONTTYPE_AA2, true, ENCODING_UC16, 0x0378, 9, 5, "Code:         888 (0x0378)"},
              {FONTTYPE_AA2, true, ENCODING_UC16, 0x0378, 9, 6, "Character:    -"},
              {FONTTYPE_STD, true, ENCODING_JIS, 0x82A0, 9, 6, "Character:    HIRAGANA LETTER A"},
              {FONTTYPE_STD, true, ENCODING_JIS, 0x817F, 9, 6, "Character:    -"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.pText);
    Font* pFont = Install(row.Type, row.SixteenBit);
    pFont->Encoding = row.Encoding;
    if (row.Code != 'A') SetGlyph(pFont, row.Code, 3, 0, 0);
    doc.setCurrentChar(row.Code);
    const QStringList texts = Texts();
    ASSERT_EQ(texts.size(), row.Lines);
    EXPECT_EQ(texts[row.Index], row.pText);
  }
}

TEST_F(PropViewTest, NoLinesWithoutAFontAndAnEmptyFaceKeepsItsLine) {
  EXPECT_TRUE(view.lines().empty());
  Install(FONTTYPE_STD);
  doc.font()->LogFont.acFaceName[0] = 0;
  EXPECT_EQ(Texts()[1], "Font:         ");
}

// The value behind a label in the view's lines; occurrence counts from 0.
int ValueOf(const PropView& view, const QString& label, int occurrence = 0) {
  for (const PropView::Line& line : view.lines())
    if (line.Text.startsWith(label) && occurrence-- == 0) return line.Text.mid(label.size()).trimmed().toInt();
  ADD_FAILURE() << "no line " << label.toStdString();
  return 0;
}

TEST_F(PropViewTest, EveryEditCommandReachesItsLineAtOnce) {
  struct Row {
    int Id;
    std::function<void(Font*)> Run;
    const char* pLabel;
    int Occurrence;
    int Delta;
  };
  const Row rows[] = {
      {540, [](Font* f) { EDIT_InsertRight(f, 1); }, "Width:", 0, 1},
      {541, [](Font* f) { EDIT_InsertLeft(f, 1); }, "Width:", 0, 1},
      {542, [](Font* f) { EDIT_InsertTop(f, 1); }, "Height:", 1, 1},
      {543, [](Font* f) { EDIT_InsertBottom(f, 1); }, "Height:", 1, 1},
      {560, [](Font* f) { EDIT_DeleteRight(f, 1); }, "Width:", 0, -1},
      {561, [](Font* f) { EDIT_DeleteLeft(f, 1); }, "Width:", 0, -1},
      {562, [](Font* f) { EDIT_DeleteTop(f, 1); }, "Height:", 1, -1},
      {563, [](Font* f) { EDIT_DeleteBottom(f, 1); }, "Height:", 1, -1},
      {600, [](Font* f) { EDIT_MoveRight(f, 1); }, "X-Position:", 0, 1},
      {601, [](Font* f) { EDIT_MoveLeft(f, 1); }, "X-Position:", 0, -1},
      {602, [](Font* f) { EDIT_MoveUp(f, 1); }, "Y-Position:", 0, -1},
      {603, [](Font* f) { EDIT_MoveDown(f, 1); }, "Y-Position:", 0, 1},
      {620, [](Font* f) { EDIT_IncCursorDist(f); }, "Cursor dist:", 0, 1},
      {621, [](Font* f) { EDIT_DecCursorDist(f); }, "Cursor dist:", 0, -1},
      {640, [](Font* f) { EDIT_IncFontTop(f); }, "Height:", 0, 1},
      {641, [](Font* f) { EDIT_IncFontBottom(f, 1); }, "Height:", 0, 1},
      {642, [](Font* f) { EDIT_DecFontTop(f); }, "Height:", 0, -1},
      {643, [](Font* f) { EDIT_DecFontBottom(f, 1); }, "Height:", 0, -1},
  };
  PaintCounter counter(view.viewport());
  for (const Row& row : rows) {
    Font* pFont = Install(FONTTYPE_EXT);
    const int before = ValueOf(view, row.pLabel, row.Occurrence);
    QApplication::processEvents();
    const int paints = counter.paints;
    row.Run(pFont);
    QApplication::processEvents();
    EXPECT_GT(counter.paints, paints) << "command " << row.Id << " left the view stale";
    EXPECT_EQ(ValueOf(view, row.pLabel, row.Occurrence), before + row.Delta) << "command " << row.Id;
  }
  // The shifts move pixels and leave every line as it was.
  for (int id : {580, 581, 582, 583}) {
    Font* pFont = Install(FONTTYPE_EXT);
    const QStringList before = Texts();
    if (id == 580) EDIT_ShiftRight(pFont, 1);
    if (id == 581) EDIT_ShiftLeft(pFont, 1);
    if (id == 582) EDIT_ShiftUp(pFont, 1);
    if (id == 583) EDIT_ShiftDown(pFont, 1);
    EXPECT_EQ(FONT_GetPixel(pFont, 'A', 0, 0), 0) << id;
    EXPECT_EQ(Texts(), before) << id;
  }
}

}  // namespace
