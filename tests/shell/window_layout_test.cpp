// The main window's layout as a user meets it: a start fits the screen, the bars
// follow the pointer to the pixel, the place, the bars and the preview's height
// come back at the next start (the default layout when they no longer fit), Go to
// scrolls the grid to the character, and the properties show every line or scroll.
#include <QLineEdit>
#include <QProcess>
#include <QScreen>
#include <QScrollBar>
#include <QSplitter>
#include <QSplitterHandle>
#include <QStatusBar>

#include "output/save.h"
#include "shell/views/fontview.h"
#include "shell/views/previewpane.h"
#include "shell/views/previewsettings.h"
#include "shell/views/propview.h"
#include "shell/windowstate.h"
#include "viewtest.h"
#include "windowtest.h"

namespace {

// Drags a splitter bar with the left button by 'delta'.
void DragBar(QSplitterHandle* pBar, QPoint delta) {
  const QPoint start = pBar->contentsRect().center();
  QTest::mousePress(pBar, Qt::LeftButton, {}, start);
  QTest::mouseMove(pBar, start + delta);
  QTest::mouseRelease(pBar, Qt::LeftButton, {}, start + delta);
}

// Rows of the image that hold a pixel other than white.
std::vector<int> InkRows(const QImage& image) {
  std::vector<int> rows;
  for (int y = 0; y < image.height(); y++)
    for (int x = 0; x < image.width(); x++)
      if ((image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) {
        rows.push_back(y);
        break;
      }
  return rows;
}

class WindowLayoutTest : public testing::Test {
 protected:
  void SetUp() override {
    PREVIEW_LoadSettings(&preview);
    WINDOWSTATE_Save(WindowPlacement{});  // nothing saved
  }
  void TearDown() override {
    pServices.reset();
    pWindow.reset();
    FONT_SetCurrent(nullptr);
    WINDOWSTATE_Save(WindowPlacement{});
    PREVIEW_SaveSettings(preview);
  }
  // A new start of the window, as the program makes it.
  void Start() {
    pServices.reset();
    pWindow.reset();
    pWindow = std::make_unique<MainWindow>(&doc);
    pServices = std::make_unique<QtServices>(pWindow.get(), &doc);
    pWindow->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(pWindow.get()));
    QTest::qWait(30);
  }
  QSplitter* Upper() const { return qobject_cast<QSplitter*>(pWindow->previewPane()->parentWidget()); }
  // An extended font of 4096 blocks with A and the far character U+4E00.
  void InstallFont() {
    FontPtr pFont = MemoryFont(FONTTYPE_EXT, true);
    SetGlyph(pFont.get(), 'A', 4, 4, 4, {"#..#"});
    SetGlyph(pFont.get(), 0x4E00, 5, 1, 3, {"#####"});
    pFont->aCharInfo['A'].CursorDist = 7;
    doc.install(std::move(pFont), "");
    doc.setCurrentChar('A');
    QTest::qWait(20);
  }

  PreviewSettings preview;
  Document doc;
  std::unique_ptr<MainWindow> pWindow;
  std::unique_ptr<QtServices> pServices;
};

TEST_F(WindowLayoutTest, StartFitsTheScreenAndBarsPlaceAndPreviewComeBack) {
  Start();
  // The test screen (800 x 600) is lower than the default window: it is fitted, status bar and all.
  const QRect area = pWindow->screen()->availableGeometry();
  EXPECT_TRUE(area.contains(pWindow->frameGeometry())) << pWindow->frameGeometry().height();
  QStatusBar* pStatus = pWindow->statusBar();
  EXPECT_TRUE(area.contains(QRect(pStatus->mapToGlobal(QPoint(0, 0)), pStatus->size())));
  QSplitter* pFrame = pWindow->frameSplitter();
  QSplitter* pLower = pWindow->lowerSplitter();
  EXPECT_EQ(pFrame->sizes().value(0), pFrame->height() / 2 - 3);

  // Each bar goes exactly as far as the pointer.
  const int fontPane = pFrame->sizes().value(0), charWidth = pWindow->charView()->width();
  DragBar(pFrame->handle(1), {0, 50});
  EXPECT_EQ(pFrame->sizes().value(0), fontPane + 50);
  EXPECT_EQ(pWindow->charView()->mapTo(pFrame, QPoint()).y(), fontPane + 50 + 3);
  DragBar(pLower->handle(1), {-30, 0});
  EXPECT_EQ(pWindow->charView()->width(), charWidth - 30);
  // The vertical bar stops when the character view is 4 pixels wide; the
  // properties view keeps its right edge.
  QWidget* pProp = pWindow->propView();
  const int propRight = pProp->mapTo(pFrame, QPoint(pProp->width(), 0)).x();
  DragBar(pLower->handle(1), {-1000, 0});
  EXPECT_EQ(pWindow->charView()->width(), 4);
  EXPECT_EQ(pProp->x(), 4 + 3);
  EXPECT_EQ(pProp->mapTo(pFrame, QPoint(pProp->width(), 0)).x(), propRight);
  pWindow->previewPane()->toggleAction()->trigger();
  QTest::qWait(20);
  ASSERT_NE(Upper(), nullptr);
  const int preview = pWindow->previewPane()->height();
  DragBar(Upper()->handle(1), {0, -20});
  EXPECT_EQ(pWindow->previewPane()->height(), preview + 20);
  pWindow->move(area.topLeft() + QPoint(20, 30));
  pWindow->resize(700, 500);
  QTest::qWait(20);
  const QRect geometry = pWindow->geometry();
  const QList<int> frameSizes = pFrame->sizes(), lowerSizes = pLower->sizes(), upperSizes = Upper()->sizes();

  // Exit, then the next start.
  pWindow->menuAction(528)->trigger();
  Start();
  EXPECT_EQ(pWindow->geometry(), geometry);
  EXPECT_EQ(pWindow->frameSplitter()->sizes(), frameSizes);
  EXPECT_EQ(pWindow->lowerSplitter()->sizes(), lowerSizes);
  EXPECT_EQ(Upper()->sizes(), upperSizes);
  EXPECT_FALSE(pWindow->isMaximized());

  // Maximised, it starts maximised, and comes back to its size when restored.
  pWindow->showMaximized();
  QTest::qWait(20);
  pWindow->close();
  Start();
  EXPECT_TRUE(pWindow->isMaximized());
  pWindow->showNormal();
  QTest::qWait(20);
  EXPECT_EQ(pWindow->geometry().size(), geometry.size());
}

TEST_F(WindowLayoutTest, SavedPlaceOffTheScreensOrPanesTooLargeGiveTheDefaults) {
  // The place fits, the saved bars do not: the window's place, the default panes.
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  WindowPlacement placement;
  placement.Width = 600;
  placement.Height = 400;
  placement.CharViewWidth = 100;
  placement.X = area.left() + 10;
  placement.Y = area.top() + 10;
  placement.FontPaneHeight = 5000;
  WINDOWSTATE_Save(placement);
  Start();
  EXPECT_EQ(QRect(pWindow->pos(), pWindow->size()), QRect(placement.X, placement.Y, 600, 400));
  EXPECT_EQ(pWindow->frameSplitter()->sizes().value(0), pWindow->frameSplitter()->height() / 2 - 3);

  // The choice over several screens: a place within any one of them is kept; one
  // across two of them, or none, gives 800 x 640 at the first screen's corner,
  // smaller where that screen is (a 1600 x 1000 screen at scale 2).
  const QList<QRect> twoScreens = {QRect(0, 0, 1920, 1040), QRect(1920, 0, 1280, 1024)};
  const struct {
    QRect Saved;
    QList<QRect> Areas;
    QRect Expected;
    bool Restored;
  } rows[] = {
      {QRect(2000, 100, 900, 700), twoScreens, QRect(2000, 100, 900, 700), true},
      {QRect(1800, 100, 900, 700), twoScreens, QRect(0, 0, 800, 640), false},
      {QRect(3000, 40, 600, 400), {QRect(0, 0, 800, 600)}, QRect(0, 0, 800, 600), false},
      {QRect(), {QRect(0, 0, 800, 470)}, QRect(0, 0, 800, 470), false},
      {QRect(), {QRect(0, 30, 1600, 970)}, QRect(0, 30, 800, 640), false},
  };
  for (const auto& row : rows) {
    WindowPlacement saved;
    saved.X = row.Saved.x();
    saved.Y = row.Saved.y();
    saved.Width = row.Saved.width();
    saved.Height = row.Saved.height();
    bool restored = !row.Restored;
    EXPECT_EQ(WINDOWSTATE_StartGeometry(saved, row.Areas, &restored), row.Expected);
    EXPECT_EQ(restored, row.Restored);
  }
}

// A real start at scale 2 on a 1600 x 1000 screen (800 x 500 to the window): the
// window, as saved when it closes, lies within the screen.
TEST(WindowStart, AtScaleTwoTheWindowFitsTheScreen) {
  TempDir dir;
  {
    Document doc;
    ViewServices services(&doc);
    FontPtr pFont = MemoryFont(FONTTYPE_EXT, true);
    SetGlyph(pFont.get(), 'A', 4, 4, 4, {"#..#"});
    FONT_SetFileName(pFont.get(), dir.file("small.c").c_str());
    ASSERT_EQ(OUT_Save(pFont.get(), 0, 0), 0);
  }
  WriteFile(dir.file("screen.json"),
            R"({"screens": [{"name": "Wide", "x": 0, "y": 0, "width": 1600, "height": 1000, "logicalDpi": 96,
                "logicalBaseDpi": 96, "dpr": 1}]})");
  QProcess process;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_QPA_PLATFORM", QString::fromStdString("offscreen:configfile=" + dir.file("screen.json")));
  env.insert("QT_SCALE_FACTOR", "2");
  env.insert("XDG_CONFIG_HOME", QString::fromStdString(dir.file("config")));
  env.insert("MORVANE_EXIT_AFTER_FIRST_PAINT", "1");
  process.setProcessEnvironment(env);
  process.setWorkingDirectory(QString::fromStdString(dir.path()));
  process.start(MORVANE_EXE, {QString::fromStdString(dir.file("small.c"))});
  ASSERT_TRUE(process.waitForFinished(60000));
  EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
  const std::string settings = ReadFile(dir.file("config/VANTOR/Font Converter for Tavro.ini"));
  const auto value = [&](const std::string& name) {
    const size_t at = settings.find("\n" + name + "=", settings.find("[Window]"));
    return at == std::string::npos ? -1 : std::atoi(settings.c_str() + at + name.size() + 2);
  };
  ASSERT_NE(settings.find("[Window]"), std::string::npos) << settings;
  EXPECT_GE(value("X"), 0);
  EXPECT_GE(value("Y"), 0);
  EXPECT_LE(value("X") + value("Width"), 800) << settings;
  EXPECT_LE(value("Y") + value("Height"), 500) << settings;
  EXPECT_GT(value("Height"), 200) << settings;
}

TEST_F(WindowLayoutTest, GoToScrollsTheGridToTheCharacter) {
  Start();
  InstallFont();
  auto* pFontView = qobject_cast<FontView*>(pWindow->fontView());
  ASSERT_NE(pFontView, nullptr);
  ASSERT_TRUE(pFontView->cellRect(0x4E00).isEmpty());
  OnNextModal([](QWidget* pDialog) {
    auto* pEdit = pDialog->findChild<QLineEdit*>();
    ASSERT_NE(pEdit, nullptr);
    QTest::keyClicks(pEdit, "4E00");
    QTest::keyClick(pEdit, Qt::Key_Return);
  });
  QTest::keyClick(pWindow.get(), Qt::Key_G, Qt::ControlModifier);
  QTest::qWait(20);
  EXPECT_EQ(doc.currentChar(), 0x4E00);
  EXPECT_FALSE(pFontView->cellRect(0x4E00).isEmpty());
}

TEST_F(WindowLayoutTest, PropertiesShowEveryLineAtTheDefaultSizeAndScrollWhenLower) {
  Start();
  pWindow->resize(800, 640);
  QTest::qWait(20);
  InstallFont();
  auto* pProps = qobject_cast<PropView*>(pWindow->propView());
  ASSERT_NE(pProps, nullptr);
  // The same lines on a tall panel of the same width: every line, unscrolled.
  PropView tall(&doc);
  tall.resize(pProps->width(), 800);
  tall.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&tall));
  const QImage all = Grab(tall.viewport());
  const std::vector<int> ink = InkRows(all);
  ASSERT_FALSE(ink.empty());
  ASSERT_EQ(tall.lines().back().Text, "Cursor dist:  7");

  // In the window: every line, down to Cursor dist, with no scroll bar.
  QImage shown = Grab(pProps->viewport());
  EXPECT_FALSE(pProps->verticalScrollBar()->isVisible());
  EXPECT_LT(ink.back(), shown.height()) << "the last line ends below the pane";
  EXPECT_EQ(shown, all.copy(0, 0, shown.width(), shown.height()));

  // A lower pane gets a scroll bar; paging down with it shows the last lines.
  DragBar(pWindow->frameSplitter()->handle(1), {0, 160});
  QTest::qWait(20);
  QScrollBar* pBar = pProps->verticalScrollBar();
  ASSERT_TRUE(pBar->isVisible());
  for (int i = 0; i < 10 && pBar->value() < pBar->maximum(); i++)
    QTest::mouseClick(pBar, Qt::LeftButton, {}, QPoint(pBar->width() / 2, pBar->height() - 20));
  QTest::qWait(20);
  ASSERT_EQ(pBar->value(), pBar->maximum());
  shown = Grab(pProps->viewport());
  EXPECT_EQ(shown, all.copy(0, pBar->value(), shown.width(), shown.height()));
  EXPECT_LT(ink.back() - pBar->value(), shown.height());

  // Value lines are 16 pixels apart: an 8-bit font lacks the one Character line,
  // and its last line ends 16 pixels higher.
  FontPtr pNarrow = MemoryFont(FONTTYPE_EXT, false);
  SetGlyph(pNarrow.get(), 'A', 4, 4, 4, {"#..#"});
  pNarrow->aCharInfo['A'].CursorDist = 7;
  doc.install(std::move(pNarrow), "");
  doc.setCurrentChar('A');
  QTest::qWait(20);
  ASSERT_EQ(tall.lines().size(), size_t(13));
  EXPECT_EQ(InkRows(Grab(tall.viewport())).back(), ink.back() - 16);
}

}  // namespace
