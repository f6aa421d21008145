// Go to character: the accepted forms in each encoding, the refusals, where the
// font view can go, and the dialog driven by typed keys.
#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QKeyEvent>
#include <QTest>
#include <QTimer>
#include <QApplication>

#include "model/codetables.h"
#include "model/font.h"
#include "shell/extras/gotocode.h"
#include "shell/extras/gotodialog.h"
#include "widgettest.h"

namespace {

struct ParseRow {
  const char* pText;
  int32_t Encoding;
  int Result;
  int Code;  // when parsed
};

class GoToTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    SJIS_Init();
    UNICODE_Init();
  }
};

TEST_F(GoToTest, ParsesCodesAndTypedCharacters) {
  const ParseRow rows[] = {
      {"41", ENCODING_UC16, GOTO_PARSED, 0x41},
      {"0x41", ENCODING_UC16, GOTO_PARSED, 0x41},
      {"0X4e00", ENCODING_UC16, GOTO_PARSED, 0x4E00},
      {"U+0041", ENCODING_UC16, GOTO_PARSED, 0x41},
      {"u+ffff", ENCODING_UC16, GOTO_PARSED, 0xFFFF},
      {"  3042 ", ENCODING_UC16, GOTO_PARSED, 0x3042},
      {"#65", ENCODING_UC16, GOTO_PARSED, 65},
      {"#0", ENCODING_UC16, GOTO_PARSED, 0},
      {"#65535", ENCODING_UC16, GOTO_PARSED, 0xFFFF},
      {"07", ENCODING_UC16, GOTO_PARSED, 7},
      // One character is the character itself, even a hex digit.
      {"A", ENCODING_UC16, GOTO_PARSED, 'A'},
      {"7", ENCODING_UC16, GOTO_PARSED, '7'},
      {"#", ENCODING_UC16, GOTO_PARSED, '#'},
      {"あ", ENCODING_UC16, GOTO_PARSED, 0x3042},
      {"€", ENCODING_UC16, GOTO_PARSED, 0x20AC},
      // Through Shift_JIS.
      {"あ", ENCODING_JIS, GOTO_PARSED, 0x82A0},
      {"亜", ENCODING_JIS, GOTO_PARSED, 0x889F},
      {"A", ENCODING_JIS, GOTO_PARSED, 0x41},
      {"ｱ", ENCODING_JIS, GOTO_PARSED, 0xB1},
      {"82A0", ENCODING_JIS, GOTO_PARSED, 0x82A0},
      // Through the 8-bit code page.
      {"é", ENCODING_ISO8859, GOTO_PARSED, 0xE9},
      {"€", ENCODING_ISO8859, GOTO_PARSED, 0x80},
      {"Ÿ", ENCODING_ISO8859, GOTO_PARSED, 0x9F},
      {"z", ENCODING_ISO8859, GOTO_PARSED, 'z'},
      // Refusals.
      {"", ENCODING_UC16, GOTO_EMPTY, 0},
      {"   ", ENCODING_UC16, GOTO_EMPTY, 0},
      {"10000", ENCODING_UC16, GOTO_TOO_LARGE, 0},
      {"0x123456789", ENCODING_UC16, GOTO_TOO_LARGE, 0},
      {"#65536", ENCODING_UC16, GOTO_TOO_LARGE, 0},
      {"0x", ENCODING_UC16, GOTO_SYNTAX, 0},
      {"U+", ENCODING_UC16, GOTO_SYNTAX, 0},
      {"#6a", ENCODING_UC16, GOTO_SYNTAX, 0},
      {"xyz", ENCODING_UC16, GOTO_SYNTAX, 0},
      {"AB CD", ENCODING_UC16, GOTO_SYNTAX, 0},
      {"\xff", ENCODING_UC16, GOTO_SYNTAX, 0},   // not UTF-8
      {"😀", ENCODING_UC16, GOTO_NOT_IN_ENCODING, 0},  // beyond 16 bits
      {"あ", ENCODING_ISO8859, GOTO_NOT_IN_ENCODING, 0},
      {"Ω", ENCODING_ISO8859, GOTO_NOT_IN_ENCODING, 0},
      {"€", ENCODING_JIS, GOTO_NOT_IN_ENCODING, 0},
  };
  for (const ParseRow& row : rows) {
    int code = -1;
    EXPECT_EQ(GOTO_ParseCode(row.pText, row.Encoding, &code), row.Result) << row.pText << " enc " << row.Encoding;
    if (row.Result == GOTO_PARSED) {
      EXPECT_EQ(code, row.Code) << row.pText << " enc " << row.Encoding;
    }
  }
}

FontPtr SmallFont(int32_t encoding) {
  FontPtr pFont = FONT_Alloc();
  pFont->Encoding = encoding;
  pFont->Height = 8;
  pFont->Has16BitCodes = encoding != ENCODING_ISO8859;
  pFont->NumBlocks = pFont->Has16BitCodes ? FONT_NUM_BLOCKS_MAX : 16;
  for (int code : {0x41, 0x42, 0xE9, 0x3042, 0x82A0}) {
    if (code >= pFont->NumBlocks * 16) continue;
    pFont->aCharInfo[code].Exists = 1;
    FONT_EnableChar(pFont.get(), uint16_t(code), 1);
  }
  // Exists in the source, never enabled: its block is not used.
  pFont->aCharInfo[0x4E00].Exists = 1;
  return pFont;
}

TEST_F(GoToTest, TellsWhereTheFontViewCanGo) {
  FontPtr pFont = SmallFont(ENCODING_UC16);
  EXPECT_EQ(GOTO_CheckCode(pFont.get(), 0x41, 1), GOTO_IN_FONT);
  EXPECT_EQ(GOTO_CheckCode(pFont.get(), 0x41, 0), GOTO_IN_FONT);
  EXPECT_EQ(GOTO_CheckCode(pFont.get(), 0x43, 1), GOTO_OUTSIDE);  // no character there
  EXPECT_EQ(GOTO_CheckCode(pFont.get(), 0x4E00, 1), GOTO_IN_FONT);
  EXPECT_EQ(GOTO_CheckCode(pFont.get(), 0x4E00, 0), GOTO_HIDDEN_BLOCK);
  EXPECT_EQ(GOTO_CheckCode(nullptr, 0x41, 1), GOTO_OUTSIDE);
  FontPtr pLatin = SmallFont(ENCODING_ISO8859);
  EXPECT_EQ(GOTO_CheckCode(pLatin.get(), 0xE9, 1), GOTO_IN_FONT);
  EXPECT_EQ(GOTO_CheckCode(pLatin.get(), 0x100, 1), GOTO_OUTSIDE);  // beyond an 8-bit font
  EXPECT_EQ(GOTO_FailureText("", GOTO_PARSED, 0x43, GOTO_OUTSIDE), "Character 0043 is not in the font");
  EXPECT_NE(GOTO_FailureText("", GOTO_PARSED, 0x4E00, GOTO_HIDDEN_BLOCK).find("4E00"), std::string::npos);
  EXPECT_TRUE(GOTO_FailureText("", GOTO_PARSED, 0x41, GOTO_IN_FONT).empty());
}

TEST_F(GoToTest, DialogAcceptsEachFormFromTheKeyboard) {
  FontPtr pFont = SmallFont(ENCODING_UC16);
  const struct {
    const char* pTyped;
    int Code;
  } rows[] = {{"41", 0x41}, {"0x42", 0x42}, {"U+00E9", 0xE9}, {"#65", 65}, {"B", 'B'}, {"あ", 0x3042}};
  for (const auto& row : rows) {
    GoToDialog dialog(pFont.get());
    dialog.show();
    TypeText(dialog.edit(), QString::fromUtf8(row.pTyped));
    EXPECT_EQ(dialog.code(), row.Code) << row.pTyped;
    EXPECT_FALSE(dialog.hint()->text().isEmpty());
    QTest::keyClick(dialog.edit(), Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted) << row.pTyped;
  }
  // Something that is no code keeps OK grayed, and Return does not accept it.
  GoToDialog dialog(pFont.get());
  dialog.show();
  TypeText(dialog.edit(), "xyz");
  EXPECT_EQ(dialog.code(), -1);
  auto* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
  EXPECT_FALSE(ok->isEnabled());
  QTest::keyClick(dialog.edit(), Qt::Key_Return);
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_TRUE(dialog.hint()->text().contains("xyz"));
  // The hint names the character.
  dialog.edit()->clear();
  TypeText(dialog.edit(), "U+0041");
  EXPECT_TRUE(dialog.hint()->text().contains("LATIN CAPITAL LETTER A")) << dialog.hint()->text().toStdString();
}

// Types into the modal dialog SHELL_AskGoToCharacter opens, once it is up.
void TypeIntoDialog(const QString& text, bool accept) {
  QTimer::singleShot(0, [text, accept] {
    auto* dialog = qobject_cast<GoToDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    TypeText(dialog->edit(), text);
    if (accept) QTest::keyClick(dialog->edit(), Qt::Key_Return);
    else QTest::keyClick(dialog->edit(), Qt::Key_Escape);
  });
}

TEST_F(GoToTest, AskReturnsTheCodeOrTheStatusText) {
  FontPtr pFont = SmallFont(ENCODING_UC16);
  int code = -1;
  QString error = "stale";
  TypeIntoDialog("U+3042", true);
  EXPECT_TRUE(SHELL_AskGoToCharacter(nullptr, pFont.get(), &code, &error));
  EXPECT_EQ(code, 0x3042);
  EXPECT_TRUE(error.isEmpty());

  code = -1;
  TypeIntoDialog("0x43", true);
  EXPECT_FALSE(SHELL_AskGoToCharacter(nullptr, pFont.get(), &code, &error));
  EXPECT_EQ(code, -1);
  EXPECT_EQ(error, "Character 0043 is not in the font");

  TypeIntoDialog("4E00", true);
  EXPECT_FALSE(SHELL_AskGoToCharacter(nullptr, pFont.get(), &code, &error, 0));
  EXPECT_TRUE(error.contains("hidden block"));

  TypeIntoDialog("41", false);  // cancelled: no text
  EXPECT_FALSE(SHELL_AskGoToCharacter(nullptr, pFont.get(), &code, &error));
  EXPECT_TRUE(error.isEmpty());
  EXPECT_EQ(code, -1);
}

}  // namespace
