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
#include "dialogscript.h"

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

QPushButton* Button(QWidget* pDialog, const char* pName) { return pDialog->findChild<QPushButton*>(pName); }

LogFontRecord Record(const char* pFace, int32_t weight = 400, int32_t italic = 0) {
  LogFontRecord record;
  std::strncpy(record.acFaceName, pFace, sizeof record.acFaceName - 1);
  record.Weight = weight;
  record.Italic = uint8_t(italic);
  return record;
}

// ---- The generation options ----------------------------------------------

// The dialog opened with four presets and then driven by the steps of
// tests/data/shell/generation_dialog.txt, with clicks, keys and a screen reader's
// toggle, showing after each step the type list (all seven types for Unicode, the
// three standard ones for an 8-bit encoding, the selection kept where it can be), the
// checked buttons, the grayed method and the order Tab visits.
TEST_F(NewFontTest, TypeListFollowsThePresetsAndTheEncodingsClicked) {
  std::unique_ptr<GenerationDialog> dialog;
  DialogScript script;
  script.Window = [&] { return dialog.get(); };
  script.Other = [&](const std::string& args) {
    int type = 0, encoding = 0, method = 0;
    if (std::sscanf(args.c_str(), "open %d %d %d", &type, &encoding, &method) == 3) {
      dialog = std::make_unique<GenerationDialog>(nullptr, type, encoding, method);
      ShowActive(dialog.get());
    } else if (args.starts_with("toggle ")) {  // a screen reader's toggle, without a click
      QWidget* pButton = dialog->findChild<QWidget*>(QString::fromStdString(args.substr(7)));
      QAccessible::queryAccessibleInterface(pButton)->actionInterface()->doAction(
          QAccessibleActionInterface::toggleAction());
    }
  };
  script.State = [&] { return dialog->windowTitle().toStdString() + "\n" + DumpWidgets(dialog.get()); };
  ExpectScript("generation_dialog.txt", script);
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
// Cancel, for the plain and the framed types, by the steps of
// tests/data/shell/font_chooser.txt ("open type height weight italic"), each followed
// by the state: a click on a style picks its weight and slant, typing the start of a
// family selects it, the pixel field reads the leading decimal of its first ten
// characters, an empty one stands for the point size (an em height at 96 dots per
// inch, its placeholder in pixels), framed fonts are drawn two pixels lower than
// chosen, and only OK stores the unit.
TEST_F(NewFontTest, ChooserStepByStep) {
  std::unique_ptr<FontChooser> pChooser;
  QStringList lastStyles;
  DialogScript script;
  script.Window = [&] { return pChooser.get(); };
  script.Other = [&](const std::string& args) {
    int type = 0, height = 0, weight = 0, italic = 0;
    ASSERT_EQ(std::sscanf(args.c_str(), "open %d %d %d %d", &type, &height, &weight, &italic), 4) << args;
    pChooser = std::make_unique<FontChooser>(nullptr, Record(kFace, weight, italic), type, ENCODING_UC16,
                                             AAMETHOD_OS, height);
    ShowActive(pChooser.get());
  };
  script.State = [&] {
    QStringList styles = Entries(pChooser->styleList());
    styles.sort();
    const std::string changed = styles != lastStyles ? "styles " + styles.join(", ").toStdString() + "\n" : "";
    lastStyles = styles;
    return changed + ChooserState(pChooser.get(), IniText());
  };
  ExpectScript("font_chooser.txt", script);
  // 13.33 rounds down, 14.67 up; a height gives its point size back.
  for (const auto& [points, height] : {std::pair<double, int>{9, -12}, {10, -13}, {10.5, -14}, {11, -15}})
    EXPECT_EQ(CHOOSER_PointsToHeight(points), height) << points;
  EXPECT_DOUBLE_EQ(CHOOSER_HeightToPoints(-14), 10.5);
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

// The font New gives as one line: type, encoding, method, height, and the record's
// height, face, weight and character set; "-" for none.
std::string Summary(const Font* pFont) {
  if (!pFont) return "-";
  return std::to_string(pFont->Type) + "/" + std::to_string(pFont->Encoding) + "/" + std::to_string(pFont->AAMethod) +
         " " + std::to_string(pFont->Height) + " | " + std::to_string(pFont->LogFont.Height) + " " +
         pFont->LogFont.acFaceName + " " + std::to_string(pFont->LogFont.Weight) + " " +
         std::to_string(pFont->LogFont.CharSet);
}

// Both dialogs driven with clicks and keys: OK or Return in either gives the font
// chosen, starting from the current font's choices; Cancel or Escape in either gives
// nothing. (What the dialogs show on the way: TypeListFollows... and ChooserStepByStep.)
TEST_F(NewFontTest, NewCreatesTheChosenFontOrNothing) {
  // A 2 bpp ISO 8859 font with internal antialiasing, 20 pixels, bold, Cyrillic.
  LogFontRecord record = Record(kFace, 700);
  record.Height = 20;
  record.CharSet = 204;
  FontPtr current = FONT_CreateFromLogFont(&record, FONTTYPE_AA2, ENCODING_ISO8859, AAMETHOD_INTERNAL);
  ASSERT_TRUE(current);
  const auto okWith = [](const char* pPixels) {
    return [pPixels](FontChooser* pChooser) {
      Retype(pChooser->faceEdit(), kFace);
      Retype(pChooser->pixelEdit(), pPixels);
      ClickButton(Button(pChooser, "ok"));
    };
  };
  const struct {
    const Font* pCurrent;
    std::function<void(GenerationDialog*)> Options;
    std::function<void(FontChooser*)> Chooser;
    int Shown;
    const char* pFont;
  } rows[] = {
      {nullptr,
       [](GenerationDialog* p) {
         ClickRow(p->typeList(), FONTTYPE_EXT_FRM);
         ClickButton(Button(p, "ok"));
       },
       okWith("16"), 2, "4/0/0 16 | 14 DejaVu Sans 400 1"},
      {nullptr,  // Return in the list presses the default button
       [](GenerationDialog* p) {
         QTest::keyClick(p->typeList(), Qt::Key_Up);
         ClickButton(p->methodButton(AAMETHOD_INTERNAL));
         ClickButton(p->encodingButton(ENCODING_JIS));
         QTest::keyClick(p->typeList(), Qt::Key_Return);
       },
       okWith("12"), 2, "2/2/1 12 | 12 DejaVu Sans 400 1"},
      {current.get(),
       [](GenerationDialog* p) {
         EXPECT_EQ(p->typeList()->count() * 10 + p->typeList()->currentRow(), 30 + FONTTYPE_AA2);
         EXPECT_TRUE(p->encodingButton(ENCODING_ISO8859)->isChecked());
         EXPECT_TRUE(p->methodButton(AAMETHOD_INTERNAL)->isChecked());
         ClickRow(p->typeList(), FONTTYPE_AA4);
         ClickButton(Button(p, "ok"));
       },
       [](FontChooser* p) {
         EXPECT_EQ(p->pixelEdit()->text() + " " + p->styleList()->currentItem()->text() + " " +
                       p->scriptCombo()->currentText(),
                   "20 Bold Cyrillic");
         Retype(p->pixelEdit(), "18");
         QTest::keyClick(p->pixelEdit(), Qt::Key_Return);
       },
       2, "2/1/1 18 | 18 DejaVu Sans 700 204"},
      {nullptr, [](GenerationDialog* p) { ClickButton(Button(p, "cancel")); }, nullptr, 1, "-"},
      {nullptr, [](GenerationDialog* p) { QTest::keyClick(p->typeList(), Qt::Key_Escape); }, nullptr, 1, "-"},
      {nullptr,
       [](GenerationDialog* p) {
         ClickRow(p->typeList(), FONTTYPE_EXT_AA4);
         ClickButton(p->methodButton(AAMETHOD_INTERNAL));  // grayed: no effect
         ClickButton(Button(p, "ok"));
       },
       [](FontChooser* p) { QTest::keyClick(p->faceEdit(), Qt::Key_Escape); }, 2, "-"},
  };
  for (const auto& row : rows) {
    int shown = 0;
    SHELL_SetDialogRunner([&](QDialog* pDialog) {
      shown++;
      ShowActive(pDialog);
      if (auto* pOptions = qobject_cast<GenerationDialog*>(pDialog)) row.Options(pOptions);
      if (auto* pChooser = qobject_cast<FontChooser*>(pDialog)) row.Chooser(pChooser);
      return pDialog->result();
    });
    FontPtr font = SHELL_RunNewFont(nullptr, row.pCurrent);
    EXPECT_EQ(Summary(font.get()), row.pFont) << row.pFont;
    EXPECT_EQ(shown, row.Shown) << row.pFont;
  }
}

}  // namespace
