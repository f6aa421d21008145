// The properties view: which lines it shows for which font and character, and that
// every edit of the current character reaches it at once, as one golden text.
#include "shell/views/propview.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>

#include "model/current.h"
#include "shell/document.h"
#include "viewtest.h"
#include "windowtest.h"

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
  // The lines as text: headings marked "#", a line with space below it "+N".
  std::string Lines() const {
    std::string out;
    for (const PropView::Line& line : view.lines())
      out += (line.Heading ? "# " : "  ") + line.Text.toStdString() +
             (line.ExtraSpace ? "  +" + std::to_string(line.ExtraSpace) : "") + "\n";
    return out;
  }

  Document doc;
  ViewServices services;
  PropView view;
};

// The lines for each kind of font and character, and after each edit command of an
// extended font, compared with tests/data/shell/propview_lines.txt; each edit reaches
// the view at once (it repaints) and the shifts leave every line as it was.
TEST_F(PropViewTest, LinesPerFontAndCharacterAndAfterEveryEdit) {
  std::string out = "no font\n" + Lines();
  const struct {
    const char* pName;
    int32_t Type;
    bool SixteenBit;
    int32_t Encoding;
    uint16_t Code;  // made current with a 3-wide box when not 'A'
  } cases[] = {
      {"STD", FONTTYPE_STD, true, ENCODING_UC16, 'A'},
      {"EXT", FONTTYPE_EXT, true, ENCODING_UC16, 'A'},
      {"EXT, disabled B", FONTTYPE_EXT, true, ENCODING_UC16, 'B'},
      {"AA2, 8-bit", FONTTYPE_AA2, false, ENCODING_ISO8859, 'A'},
      {"AA2, unassigned code", FONTTYPE_AA2, true, ENCODING_UC16, 0x0378},
      {"STD, Shift_JIS", FONTTYPE_STD, true, ENCODING_JIS, 0x82A0},
      {"STD, Shift_JIS gap", FONTTYPE_STD, true, ENCODING_JIS, 0x817F},
  };
  for (const auto& c : cases) {
    Font* pFont = Install(c.Type, c.SixteenBit);
    pFont->Encoding = c.Encoding;
    if (c.Code == 'B') FONT_EnableChar(pFont, 'B', 0);
    if (c.Code != 'A' && c.Code != 'B') SetGlyph(pFont, c.Code, 3, 0, 0);
    doc.setCurrentChar(c.Code);
    out += std::string("\n") + c.pName + "\n" + Lines();
  }
  Install(FONTTYPE_STD);
  doc.font()->LogFont.acFaceName[0] = 0;
  doc.setCurrentChar('A');
  out += "\nSTD, empty face\n" + Lines();

  PaintCounter counter(view.viewport());
  for (int id : {540, 541, 542, 543, 560, 561, 562, 563, 580, 581, 582, 583, 600, 601, 602, 603, 620, 621, 640, 641,
                 642, 643}) {
    Install(FONTTYPE_EXT);
    const std::string before = Lines();
    QApplication::processEvents();
    const int paints = counter.paints;
    ASSERT_TRUE(doc.runEditCommand(id));
    QApplication::processEvents();
    if (id / 20 == 29) {  // the shifts
      EXPECT_EQ(Lines(), before) << id;
    } else {
      EXPECT_GT(counter.paints, paints) << "command " << id << " left the view stale";
      out += "\nEXT after " + std::to_string(id) + "\n" + Lines();
    }
  }
  ExpectGolden("propview_lines.txt", out);
  // The values are in a fixed-pitch face whose lines are 16 pixels high.
  EXPECT_TRUE(QFontInfo(view.valueFont()).fixedPitch());
  EXPECT_LE(QFontMetrics(view.valueFont()).height(), 16);
}

}  // namespace
