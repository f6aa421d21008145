// The New command's dialogs driven with key and mouse events: the generation
// options and their list and button rules, the font chooser's lists, size units,
// sample and settings, and the font New creates from them.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <cstring>
#include <functional>
#include <string>

#include "edit/cursoradjust.h"
#include "generation/antialias.h"
#include "generation/facelist.h"
#include "generation/fontengine.h"
#include "generation/generate.h"
#include "model/codetables.h"
#include "settings/journal.h"
#include "settings/settings.h"
#include "shell/dialogs/fontchooser.h"
#include "shell/dialogs/generationdialog.h"
#include "shell/dialogs/newfont.h"
#include "golden.h"
#include "shell/dialogtest.h"

namespace {

const char* const kFace = "DejaVu Sans";

// Each test gets its own settings folder.
class NewFontTest : public SettingsTest {
 protected:
  static void SetUpTestSuite() {
    AA_InitGammaTables();
    SJIS_Init();
    UNICODE_Init();
  }
  void TearDown() override { SHELL_SetDialogRunner(nullptr); }
};

QStringList Entries(const QListWidget* pList) {
  QStringList entries;
  for (int i = 0; i < pList->count(); i++) entries << pList->item(i)->text();
  return entries;
}

void ClickRow(QListWidget* pList, int row) {
  ASSERT_LT(row, pList->count());
  const QRect rect = pList->visualItemRect(pList->item(row));
  QTest::mouseClick(pList->viewport(), Qt::LeftButton, {}, rect.center());
}

// On the indicator at the left: a radio button takes clicks on its indicator and
// label only, and how far its label reaches depends on the installed fonts.
void ClickButton(QAbstractButton* pButton) {
  QTest::mouseClick(pButton, Qt::LeftButton, {}, QPoint(pButton->height() / 2, pButton->height() / 2));
}

QPushButton* Button(QWidget* pDialog, const char* pName) { return pDialog->findChild<QPushButton*>(pName); }

LogFontRecord Record(const char* pFace, int32_t weight = 400, int32_t italic = 0) {
  LogFontRecord record;
  std::strncpy(record.acFaceName, pFace, sizeof record.acFaceName - 1);
  record.Weight = weight;
  record.Italic = uint8_t(italic);
  return record;
}

// ---- The generation options ----------------------------------------------

// What the dialog shows for its presets and after encodings are clicked or toggled
// by a screen reader or the keyboard, compared
// with tests/data/shell/generation_dialog.txt: the type list (all seven types for
// Unicode, the three standard ones for an 8-bit encoding, the selection kept where
// it can be), the checked buttons, the grayed method and the order Tab visits.
TEST_F(NewFontTest, TypeListFollowsThePresetsAndTheEncodingsClicked) {
  std::string out;
  const struct {
    int32_t Type, Encoding, Method;
  } presets[] = {{FONTTYPE_EXT_FRM, ENCODING_UC16, AAMETHOD_INTERNAL},
                 {FONTTYPE_EXT_AA2, ENCODING_ISO8859, AAMETHOD_OS},
                 {FONTTYPE_EXT_AA2, ENCODING_JIS, AAMETHOD_OS},
                 {FONTTYPE_AA4, ENCODING_JIS, AAMETHOD_OS}};
  for (const auto& p : presets) {
    GenerationDialog dialog(nullptr, p.Type, p.Encoding, p.Method);
    out += "preset " + std::to_string(p.Type) + "/" + std::to_string(p.Encoding) + "\n" + DumpWidgets(&dialog);
  }
  GenerationDialog dialog(nullptr, FONTTYPE_EXT, ENCODING_UC16, AAMETHOD_OS);
  EXPECT_EQ(dialog.windowTitle(), "Font generation options");
  ShowActive(&dialog);
  const std::function<void()> steps[] = {
      [&] { ClickButton(dialog.encodingButton(ENCODING_ISO8859)); },
      [&] { ClickRow(dialog.typeList(), FONTTYPE_AA2); },
      [&] { ClickButton(dialog.encodingButton(ENCODING_JIS)); },
      [&] { ClickButton(dialog.encodingButton(ENCODING_UC16)); },
      [&] { ClickButton(dialog.encodingButton(ENCODING_UC16)); },
      [&] {  // a screen reader's toggle, without a click
        QAccessibleInterface* pIso = QAccessible::queryAccessibleInterface(dialog.encodingButton(ENCODING_ISO8859));
        pIso->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
      },
      [&] {  // back to Unicode with the keyboard
        dialog.encodingButton(ENCODING_ISO8859)->setFocus();
        QTest::keyClick(dialog.encodingButton(ENCODING_ISO8859), Qt::Key_Up);
      },
  };
  for (const auto& step : steps) {
    step();
    out += "then\n" + DumpWidgets(&dialog);
  }
  ExpectGolden("generation_dialog.txt", out);
}

TEST_F(NewFontTest, OkOrReturnGiveTheChoiceAndEscapeRejects) {
  GenerationDialog dialog(nullptr, FONTTYPE_EXT, ENCODING_UC16, AAMETHOD_OS);
  ShowActive(&dialog);
  ClickRow(dialog.typeList(), FONTTYPE_AA4);
  ClickButton(dialog.methodButton(AAMETHOD_INTERNAL));
  ClickButton(dialog.encodingButton(ENCODING_JIS));
  ClickButton(Button(&dialog, "ok"));
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.type(), FONTTYPE_AA4);
  EXPECT_EQ(dialog.encoding(), ENCODING_JIS);
  EXPECT_EQ(dialog.method(), AAMETHOD_INTERNAL);

  // Escape rejects (Cancel: NewFontTest.NewGivesNothing...); Return in the list
  // presses the default button.
  GenerationDialog escaped(nullptr, FONTTYPE_EXT, ENCODING_UC16, AAMETHOD_OS);
  ShowActive(&escaped);
  QTest::keyClick(escaped.typeList(), Qt::Key_Escape);
  EXPECT_FALSE(escaped.isVisible());
  EXPECT_EQ(escaped.result(), QDialog::Rejected);
  GenerationDialog entered(nullptr, FONTTYPE_EXT, ENCODING_UC16, AAMETHOD_OS);
  ShowActive(&entered);
  QTest::keyClick(entered.typeList(), Qt::Key_Up);
  QTest::keyClick(entered.typeList(), Qt::Key_Return);
  EXPECT_EQ(entered.result(), QDialog::Accepted);
  EXPECT_EQ(entered.type(), FONTTYPE_AA4);
}

// ---- The font chooser ------------------------------------------------------

TEST_F(NewFontTest, ChooserListsTheFacesTheCreateCommandFindsAndOnlyOutlinesForExtendedTypes) {
  FontChooser chooser(nullptr, LogFontRecord{}, FONTTYPE_STD, ENCODING_UC16, AAMETHOD_OS, 0);
  QStringList expected;
  for (const std::string& name : ENGINE_ListFaces())
    if (name[0] != '@') expected << QString::fromStdString(name);
  EXPECT_EQ(Entries(chooser.faceList()), expected);
  EXPECT_TRUE(expected.contains(kFace));
  // Without a current font a face is chosen all the same.
  ASSERT_NE(chooser.faceList()->currentItem(), nullptr);
  EXPECT_TRUE(ENGINE_FaceExists(chooser.logFont().acFaceName));

  const std::vector<FaceFamily> families = ENGINE_ListFamilies();
  QStringList outlines;
  for (const FaceFamily& family : families)
    if (family.Outline) outlines << QString::fromStdString(family.Name);
  for (int32_t type : {FONTTYPE_EXT, FONTTYPE_EXT_FRM, FONTTYPE_EXT_AA2, FONTTYPE_EXT_AA4}) {
    FontChooser extended(nullptr, Record(kFace), type, ENCODING_UC16, AAMETHOD_OS, 0);
    EXPECT_EQ(Entries(extended.faceList()), outlines) << type;
  }
  // A Type 1 font (no sfnt tables, so no character map to read) is offered for
  // the standard types only. Its copy gets a family name of its own.
  std::string type1 = ReadFile("/usr/share/fonts/type1/urw-base35/NimbusSans-Regular.t1");
  const size_t at = type1.find("/FamilyName (Nimbus Sans)");
  ASSERT_NE(at, std::string::npos) << "fonts-urw-base35 is needed";
  type1.replace(at, 25, "/FamilyName (MorvaneType)");
  WriteFile(dir.file("morvanetype.t1"), type1);
  ASSERT_EQ(ENGINE_AddFontFile(dir.file("morvanetype.t1").c_str()), 0);
  FontChooser standard(nullptr, Record(kFace), FONTTYPE_AA2, ENCODING_UC16, AAMETHOD_OS, 0);
  EXPECT_TRUE(Entries(standard.faceList()).contains("MorvaneType"));
  FontChooser extended(nullptr, Record(kFace), FONTTYPE_EXT, ENCODING_UC16, AAMETHOD_OS, 0);
  EXPECT_FALSE(Entries(extended.faceList()).contains("MorvaneType"));
  EXPECT_TRUE(Entries(extended.faceList()).contains(kFace));
}

// What the chooser shows and gives, in one line: the face and style chosen, the
// size field and point list shown with their texts, where the focus is, the record
// the choice gives, the pixel height read, the sample's height and the stored unit.
std::string ChooserState(FontChooser* pChooser, const std::string& ini) {
  const auto text = [](const QString& s) { return '"' + s.toStdString() + '"'; };
  const auto current = [&](QListWidget* pList) { return pList->currentItem() ? text(pList->currentItem()->text()) : "-"; };
  QWidget* pFocus = QApplication::focusWidget();
  const LogFontRecord record = pChooser->logFont();
  pChooser->updateSample();
  const size_t mode = ini.find("PointMode=");
  return current(pChooser->faceList()) + " " + current(pChooser->styleList()) +
         (pChooser->pixelEdit()->isVisible() ? " pixels " : " ") + text(pChooser->pixelEdit()->text()) + " selected " +
         text(pChooser->pixelEdit()->selectedText()) + " placeholder " + text(pChooser->pixelEdit()->placeholderText()) +
         (pChooser->pointList()->isVisible() ? " points " : " ") + text(pChooser->pointEdit()->text()) + " list " +
         current(pChooser->pointList()) + " | focus " + (pFocus ? pFocus->objectName().toStdString() : "-") +
         " | record " + record.acFaceName + " " + std::to_string(record.Height) + " " + std::to_string(record.Weight) +
         (record.Italic ? " italic" : "") + " | pixels " + std::to_string(pChooser->pixelHeight()) + " | sample " +
         std::to_string(pChooser->sample().FontHeight) + " | stored " +
         (mode == std::string::npos ? "-" : ini.substr(mode, 11)) + "\n";
}

// The chooser driven through its styles, typed families, size fields, units, OK and
// Cancel, for the plain and the framed types, with the state after each step
// compared with tests/data/shell/font_chooser.txt: a click on a style picks its
// weight and slant, typing the start of a family selects it, the pixel field reads
// the leading decimal of its first ten characters, an empty one stands for the
// point size (an em height at 96 dots per inch, its placeholder in pixels), framed
// fonts are drawn two pixels lower than chosen, and only OK stores the unit.
TEST_F(NewFontTest, ChooserStepByStep) {
  std::string out;
  std::unique_ptr<FontChooser> pChooser;
  const auto open = [&](int32_t type, int32_t height, LogFontRecord record) {
    return [&, type, height, record] {
      pChooser = std::make_unique<FontChooser>(nullptr, record, type, ENCODING_UC16, AAMETHOD_OS, height);
      ShowActive(pChooser.get());
    };
  };
  const auto click = [&](const char* pList, const char* pEntry) {
    return [&, pList, pEntry] {
      auto* pWidget = pChooser->findChild<QListWidget*>(pList);
      ClickRow(pWidget, int(Entries(pWidget).indexOf(pEntry)));
    };
  };
  const auto type = [&](const char* pEdit, const char* pText) {
    return [&, pEdit, pText] { Retype(pChooser->findChild<QLineEdit*>(pEdit), pText); };
  };
  const auto press = [&](const char* pButton) {
    return [&, pButton] { ClickButton(pChooser->findChild<QAbstractButton*>(pButton)); };
  };
  const std::pair<const char*, std::function<void()>> steps[] = {
      {"bold oblique, 16", open(FONTTYPE_EXT, 16, Record(kFace, 700, 1))},
      {"ExtraLight clicked", click("styleList", "ExtraLight")},
      {"Oblique clicked", click("styleList", "Oblique")},
      {"\"dejavu sans m\" typed", type("faceEdit", "dejavu sans m")},
      {"\"DejaVu Sans\" typed", type("faceEdit", "DejaVu Sans")},
      {"current height 23", open(FONTTYPE_EXT, 23, Record(kFace))},
      {"\"12abc\"", type("pixelEdit", "12abc")},
      {"\"         5\"", type("pixelEdit", "         5")},
      {"\"          7\"", type("pixelEdit", "          7")},
      {"18 points typed", type("pointEdit", "18")},
      {"points clicked", press("points")},
      {"36 clicked", click("pointList", "36")},
      {"OK", press("ok")},
      {"reopened", open(FONTTYPE_STD, 20, Record(kFace))},
      {"pixels clicked", press("pixels")},
      {"Cancel", press("cancel")},
      {"reopened", open(FONTTYPE_STD, 16, Record(kFace))},
      {"pixels clicked", press("pixels")},
      {"OK", press("ok")},
      {"no current font", open(FONTTYPE_EXT, 0, Record(kFace))},
      {"points clicked", press("points")},
      {"24 points typed", type("pointEdit", "24")},
      {"pixels clicked", press("pixels")},
      {"framed, 16", open(FONTTYPE_EXT_FRM, 16, Record(kFace))},
      {"\"2\"", type("pixelEdit", "2")},
      {"\"1\"", type("pixelEdit", "1")},
      {"points clicked", press("points")},
      {"12 points typed", type("pointEdit", "12")},
  };
  QStringList lastStyles;
  for (const auto& [pWhat, act] : steps) {
    act();
    QStringList styles = Entries(pChooser->styleList());
    styles.sort();
    if (styles != lastStyles) out += "styles " + styles.join(", ").toStdString() + "\n";
    lastStyles = styles;
    out += std::string(pWhat) + ": " + ChooserState(pChooser.get(), IniText());
  }
  // 13.33 rounds down, 14.67 up; a height gives its point size back.
  for (const auto& [points, height] : {std::pair<double, int>{9, -12}, {10, -13}, {10.5, -14}, {11, -15}})
    EXPECT_EQ(CHOOSER_PointsToHeight(points), height) << points;
  EXPECT_DOUBLE_EQ(CHOOSER_HeightToPoints(-14), 10.5);
  ExpectGolden("font_chooser.txt", out);
}

TEST_F(NewFontTest, SampleOfALargeFaceRendersOnlyItsCharactersAndKeepsTheJournal) {
  JOURNAL_Clear();
  JOURNAL_Add("* kept line *\r\n");
  FontPtr current = FONT_Alloc();
  EDIT_IncCursorDistRange(current.get(), 'A', 'Z', 3);
  const std::string journal = JOURNAL_GetText();
  FontChooser chooser(nullptr, Record("IPAGothic"), FONTTYPE_EXT_AA2, ENCODING_UC16, AAMETHOD_OS, 24);
  ASSERT_STREQ(chooser.logFont().acFaceName, "IPAGothic");
  chooser.updateSample();
  // Latin letters, kana and a kanji.
  std::vector<uint16_t> codes;
  for (const SampleGlyph& g : chooser.sample().Glyphs) codes.push_back(g.Code);
  EXPECT_EQ(codes, (std::vector<uint16_t>{'A', 'a', 'B', 'b', 'Y', 'y', 'Z', 'z', 0x3042, 0x30A2, 0x4E9C}));
  // The same characters by their Shift_JIS codes in a JIS font.
  FontChooser jis(nullptr, Record("IPAGothic"), FONTTYPE_STD, ENCODING_JIS, AAMETHOD_OS, 24);
  jis.updateSample();
  codes.clear();
  for (const SampleGlyph& g : jis.sample().Glyphs) codes.push_back(g.Code);
  EXPECT_EQ(codes, (std::vector<uint16_t>{'A', 'a', 'B', 'b', 'Y', 'y', 'Z', 'z', 0x82A0, 0x8341, 0x889F}));
  EXPECT_GT(jis.sample().Glyphs.back().Width, jis.sample().Glyphs[0].Width);  // a full-width kanji
  EXPECT_EQ(JOURNAL_GetText(), journal);
  // The pending adjustments still wait for the real font.
  EXPECT_EQ(EDIT_GetCursorDistAdjust('B'), 3);
  EDIT_ClearCursorDistAdjust();
}

// ---- New -------------------------------------------------------------------

// Drives both dialogs with events; each step gets the dialog and returns the result.
struct Script {
  std::function<void(GenerationDialog*)> Options;
  std::function<void(FontChooser*)> Chooser;
  int Shown = 0;
};

void UseScript(Script* pScript) {
  SHELL_SetDialogRunner([pScript](QDialog* pDialog) {
    pScript->Shown++;
    pDialog->show();
    QApplication::setActiveWindow(pDialog);
    if (auto* pOptions = qobject_cast<GenerationDialog*>(pDialog)) pScript->Options(pOptions);
    if (auto* pChooser = qobject_cast<FontChooser*>(pDialog)) pScript->Chooser(pChooser);
    return pDialog->result();
  });
}

TEST_F(NewFontTest, NewCreatesTheChosenFont) {
  Script script;
  script.Options = [](GenerationDialog* pDialog) {
    ClickRow(pDialog->typeList(), FONTTYPE_EXT_FRM);
    ClickButton(Button(pDialog, "ok"));
  };
  script.Chooser = [](FontChooser* pChooser) {
    Retype(pChooser->faceEdit(), "DejaVu Sans");
    Retype(pChooser->pixelEdit(), "16");
    ClickButton(Button(pChooser, "ok"));
  };
  UseScript(&script);
  FontPtr font = SHELL_RunNewFont(nullptr, nullptr);
  ASSERT_TRUE(font);
  EXPECT_EQ(script.Shown, 2);
  EXPECT_EQ(font->Type, FONTTYPE_EXT_FRM);
  EXPECT_EQ(font->Encoding, ENCODING_UC16);
  EXPECT_EQ(font->Height, 16);
  EXPECT_EQ(font->LogFont.Height, 14);
  EXPECT_STREQ(font->LogFont.acFaceName, kFace);
  EXPECT_EQ(font->LogFont.Weight, 400);
}

TEST_F(NewFontTest, NewStartsFromTheCurrentFont) {
  // A 2 bpp ISO 8859 font with internal antialiasing, 20 pixels, bold.
  LogFontRecord record = Record(kFace, 700);
  record.Height = 20;
  record.CharSet = 204;
  FontPtr current = FONT_CreateFromLogFont(&record, FONTTYPE_AA2, ENCODING_ISO8859, AAMETHOD_INTERNAL);
  ASSERT_TRUE(current);
  Script script;
  script.Options = [](GenerationDialog* pDialog) {
    EXPECT_EQ(pDialog->typeList()->count(), 3);
    EXPECT_EQ(pDialog->typeList()->currentRow(), FONTTYPE_AA2);
    EXPECT_TRUE(pDialog->encodingButton(ENCODING_ISO8859)->isChecked());
    EXPECT_TRUE(pDialog->methodButton(AAMETHOD_INTERNAL)->isChecked());
    ClickRow(pDialog->typeList(), FONTTYPE_AA4);
    ClickButton(Button(pDialog, "ok"));
  };
  script.Chooser = [&](FontChooser* pChooser) {
    EXPECT_EQ(pChooser->pixelEdit()->text(), QString::number(current->Height));
    EXPECT_EQ(pChooser->styleList()->currentItem()->text(), "Bold");
    EXPECT_EQ(pChooser->scriptCombo()->currentText(), "Cyrillic");
    Retype(pChooser->pixelEdit(), "18");
    QTest::keyClick(pChooser->pixelEdit(), Qt::Key_Return);
  };
  UseScript(&script);
  FontPtr font = SHELL_RunNewFont(nullptr, current.get());
  ASSERT_TRUE(font);
  EXPECT_EQ(font->Type, FONTTYPE_AA4);
  EXPECT_EQ(font->Encoding, ENCODING_ISO8859);
  EXPECT_EQ(font->AAMethod, AAMETHOD_INTERNAL);
  EXPECT_EQ(font->Height, 18);
  EXPECT_EQ(font->LogFont.CharSet, 204);
  EXPECT_EQ(font->LogFont.Weight, 700);
}

TEST_F(NewFontTest, NewGivesNothingWhenEitherDialogIsCancelled) {
  Script script;
  script.Options = [](GenerationDialog* pDialog) { ClickButton(Button(pDialog, "cancel")); };
  UseScript(&script);
  EXPECT_FALSE(SHELL_RunNewFont(nullptr, nullptr));
  EXPECT_EQ(script.Shown, 1);

  script.Shown = 0;
  script.Options = [](GenerationDialog* pDialog) {
    ClickRow(pDialog->typeList(), FONTTYPE_EXT_AA4);
    ClickButton(pDialog->methodButton(AAMETHOD_INTERNAL));  // disabled: no effect
    ClickButton(Button(pDialog, "ok"));
  };
  script.Chooser = [](FontChooser* pChooser) { QTest::keyClick(pChooser->faceEdit(), Qt::Key_Escape); };
  EXPECT_FALSE(SHELL_RunNewFont(nullptr, nullptr));
  EXPECT_EQ(script.Shown, 2);
}

}  // namespace
