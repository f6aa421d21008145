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
#include <utility>
#include <vector>

#include "model/codetables.h"
#include "model/font.h"
#include "shell/dialogs/gotocode.h"
#include "shell/dialogs/gotodialog.h"
#include "widgettest.h"

namespace {

class GoToTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    SJIS_Init();
    UNICODE_Init();
  }
};

TEST_F(GoToTest, ParsesCodesAndTypedCharacters) {
  struct Row {
    const char* pText;
    int Result, Code;  // the code when parsed
  };
  const std::pair<int32_t, std::vector<Row>> table[] = {
      {ENCODING_UC16,
       {{"41", GOTO_PARSED, 0x41}, {"0x41", GOTO_PARSED, 0x41}, {"0X4e00", GOTO_PARSED, 0x4E00},
        {"U+0041", GOTO_PARSED, 0x41}, {"u+ffff", GOTO_PARSED, 0xFFFF}, {"  3042 ", GOTO_PARSED, 0x3042},
        {"#65", GOTO_PARSED, 65}, {"#0", GOTO_PARSED, 0}, {"#65535", GOTO_PARSED, 0xFFFF}, {"07", GOTO_PARSED, 7},
        // One character is the character itself, even a hex digit.
        {"A", GOTO_PARSED, 'A'}, {"7", GOTO_PARSED, '7'}, {"#", GOTO_PARSED, '#'}, {"あ", GOTO_PARSED, 0x3042},
        {"€", GOTO_PARSED, 0x20AC},
        // Refusals; "\xff" is not UTF-8, the emoji lies beyond 16 bits.
        {"", GOTO_EMPTY, 0}, {"   ", GOTO_EMPTY, 0}, {"10000", GOTO_TOO_LARGE, 0},
        {"0x123456789", GOTO_TOO_LARGE, 0}, {"#65536", GOTO_TOO_LARGE, 0}, {"0x", GOTO_SYNTAX, 0},
        {"U+", GOTO_SYNTAX, 0}, {"#6a", GOTO_SYNTAX, 0}, {"xyz", GOTO_SYNTAX, 0}, {"AB CD", GOTO_SYNTAX, 0},
        {"\xff", GOTO_SYNTAX, 0}, {"😀", GOTO_NOT_IN_ENCODING, 0}}},
      // Typed characters through Shift_JIS and the 8-bit code page.
      {ENCODING_JIS,
       {{"あ", GOTO_PARSED, 0x82A0}, {"亜", GOTO_PARSED, 0x889F}, {"A", GOTO_PARSED, 0x41}, {"ｱ", GOTO_PARSED, 0xB1},
        {"82A0", GOTO_PARSED, 0x82A0}, {"€", GOTO_NOT_IN_ENCODING, 0}}},
      {ENCODING_ISO8859,
       {{"é", GOTO_PARSED, 0xE9}, {"€", GOTO_PARSED, 0x80}, {"Ÿ", GOTO_PARSED, 0x9F}, {"z", GOTO_PARSED, 'z'},
        {"あ", GOTO_NOT_IN_ENCODING, 0}, {"Ω", GOTO_NOT_IN_ENCODING, 0}}},
  };
  for (const auto& [encoding, rows] : table)
    for (const Row& row : rows) {
      int code = -1;
      EXPECT_EQ(GOTO_ParseCode(row.pText, encoding, &code), row.Result) << row.pText << " enc " << encoding;
      if (row.Result == GOTO_PARSED) {
        EXPECT_EQ(code, row.Code) << row.pText << " enc " << encoding;
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

TEST_F(GoToTest, DialogAcceptsEachFormFromTheKeyboard) {
  FontPtr pFont = SmallFont(ENCODING_UC16);
  const struct {
    const char* pTyped;
    int Code;
  } rows[] = {{"U+00E9", 0xE9}, {"あ", 0x3042}};  // every form: ParsesCodesAndTypedCharacters
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
