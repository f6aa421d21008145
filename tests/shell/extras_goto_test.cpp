// Go to character driven by typed keys: the accepted forms in each encoding, the
// refusals and the hint, and where the font view can go.
#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <map>
#include <sstream>

#include "golden.h"
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

// Each text of tests/data/shell/goto_codes.txt typed into the dialog of a font in the
// encoding the line names; the line ends with what the hint then says.
TEST_F(GoToTest, TypedTextsAndWhatTheHintSays) {
  const std::map<std::string, int32_t> encodings = {
      {"UC16", ENCODING_UC16}, {"JIS", ENCODING_JIS}, {"ISO8859", ENCODING_ISO8859}};
  std::string out;
  std::istringstream in(ReadFile(GoldenPath("goto_codes.txt")));
  for (std::string line; std::getline(in, line);) {
    const size_t tab = line.find('\t'), end = line.find('\t', tab + 1);
    if (line.starts_with("#") || end == std::string::npos || !encodings.contains(line.substr(0, tab))) {
      out += line + "\n";
      continue;
    }
    FontPtr pFont = SmallFont(encodings.at(line.substr(0, tab)));
    GoToDialog dialog(pFont.get());
    dialog.show();
    const QString text = QString::fromStdString(line.substr(tab + 1, end - tab - 1));
    // Letters beyond ASCII come from the input method as one string (an emoji is two halves).
    QInputMethodEvent commit;
    commit.setCommitString(text);
    if (text.toLatin1() == text.toUtf8()) TypeText(dialog.edit(), text);
    else QApplication::sendEvent(dialog.edit(), &commit);
    const bool ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->isEnabled();
    out += line.substr(0, end) + "\t" + dialog.hint()->text().toStdString() + (ok ? "" : "  (OK grayed)") + "\n";
  }
  ExpectGolden("goto_codes.txt", out);
}

// Return accepts a code and refuses what is none.
TEST_F(GoToTest, ReturnAcceptsOnlyACode) {
  FontPtr pFont = SmallFont(ENCODING_UC16);
  for (const auto& [pTyped, accepted] : {std::pair<const char*, bool>{"U+00E9", true}, {"xyz", false}}) {
    GoToDialog dialog(pFont.get());
    dialog.show();
    TypeText(dialog.edit(), pTyped);
    QTest::keyClick(dialog.edit(), Qt::Key_Return);
    EXPECT_EQ(dialog.result() == QDialog::Accepted, accepted) << pTyped;
    EXPECT_EQ(dialog.isVisible(), !accepted) << pTyped;
  }
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

  FontPtr pLatin = SmallFont(ENCODING_ISO8859);  // 256 codes
  TypeIntoDialog("100", true);
  EXPECT_FALSE(SHELL_AskGoToCharacter(nullptr, pLatin.get(), &code, &error));
  EXPECT_EQ(error, "Character 0100 is not in the font");

  TypeIntoDialog("41", false);  // cancelled: no text
  EXPECT_FALSE(SHELL_AskGoToCharacter(nullptr, pFont.get(), &code, &error));
  EXPECT_TRUE(error.isEmpty());
  EXPECT_EQ(code, -1);
}

}  // namespace
