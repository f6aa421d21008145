// The character view's guides, brush palette and fixed cell sizes, driven by real
// mouse and wheel events and checked on the font, the journal and grabbed images;
// then the same reached the way a user reaches them in the window: Ctrl with plus,
// minus, a digit or the wheel, and the View menu by its letters; the choices
// outlive the view.

#include <QScrollBar>
#include <QUndoStack>
#include <QWheelEvent>

#include "golden.h"
#include "settings/journal.h"
#include "shell/commandtable.h"
#include "shell/views/brushpalette.h"
#include "shell/views/internal/charviewprefs.h"
#include "widgettest.h"
#include "windowtest.h"

namespace {

class CharViewEditorTest : public CharViewFixture {
 protected:
  // As the window does: one stroke, one step of the history.
  CharViewEditorTest() {
    QObject::connect(&view, &CharView::strokeStarted, &doc, &Document::beginStroke);
    QObject::connect(&view, &CharView::strokeFinished, &doc, &Document::endStroke);
  }
  // The choices are kept in the settings file, which later views read.
  ~CharViewEditorTest() override {
    view.setZoom(CHARVIEW_ZOOM_FIT);
    view.setGuides(false);
  }
  // Centre of the cell of box pixel (x, y) of character A.
  QPoint At(int x, int y) const { return Interior(x, y).center(); }
  void Stroke(Qt::KeyboardModifiers modifiers, QPoint from, QPoint to) {
    QTest::mousePress(&view, Qt::LeftButton, modifiers, from);
    QTest::mouseMove(&view, to);
    QTest::mouseRelease(&view, Qt::LeftButton, modifiers, to);
  }
  void Wheel(QPoint pos, int angle, Qt::KeyboardModifiers modifiers) {
    QWheelEvent event(pos, view.mapToGlobal(pos), QPoint(), QPoint(0, angle), Qt::NoButton, modifiers,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&view, &event);
  }
};

// The cells without and with guides, compared with tests/data/shell/charview_guides.png:
// every cell keeps its colour, the columns beside the box belong to no pixel, the
// baseline and the advance solid, the capital and lowercase heights and the cursor
// position dotted, the box outlined, all on the grid lines between the cells.
TEST_F(CharViewEditorTest, GuidesLieOnGridLinesAndLeaveEveryCellAndClickInPlace) {
  // EXT, height 8, baseline 6. A: a 3 x 5 box from 4 rows above the baseline
  // (screen rows 2..6), 1 column right of the cursor position, advance 5. A and e
  // are the measurement characters: capital height 5 (row 1), lowercase 3 (row 3).
  FontPtr pFont = MemoryFont(FONTTYPE_EXT, true);
  SetGlyph(pFont.get(), 'A', 3, 5, 4, {"#.#", ".#.", "#.#", ".#.", "#.#"});
  pFont->aCharInfo['A'].BoxLeft = 1;
  pFont->aCharInfo['A'].CursorDist = 5;
  SetGlyph(pFont.get(), 'e', 3, 3, 3);
  for (const uint16_t code : {uint16_t('A'), uint16_t('e')}) pFont->aCharInfo[code].Exists = 1;
  Install(std::move(pFont));
  const QImage before = Grab(&view);
  view.setGuides(true);
  ExpectGoldenImage("charview_guides.png", Stacked({before, Grab(&view)}));
  // A click paints the pixel under it, where the cells are now.
  QTest::mouseClick(&view, Qt::LeftButton, Qt::ControlModifier, At(1, 0));
  EXPECT_EQ(Pixel(1, 0), 1);
}

// The palette's swatches, each index in its colour with the chosen one framed, are
// compared with tests/data/shell/charview_palette.png.
TEST_F(CharViewEditorTest, ThePaletteShowsEachIndexAndChoosesWhatTheMousePaints) {
  InstallGlyph(FONTTYPE_AA4, 6, 0, 0);
  BrushPalette* pPalette = view.brushPalette();
  ASSERT_TRUE(pPalette->isVisible());
  // At the right edge, beside the cells rather than over them.
  EXPECT_EQ(pPalette->geometry().right(), view.contentsRect().right());
  EXPECT_GT(pPalette->geometry().left(), view.cellRect(5, 0).right());
  std::vector<QImage> images{Grab(pPalette)};  // the highest index chosen
  Stroke(Qt::ControlModifier, At(0, 0), At(2, 0));
  EXPECT_EQ(Pixel(1, 0), 15);
  QTest::mouseClick(pPalette, Qt::LeftButton, Qt::NoModifier, pPalette->swatchRect(5).center());
  images.push_back(Grab(pPalette));
  JOURNAL_Clear();
  Stroke(Qt::ControlModifier, At(0, 1), At(3, 1));
  for (int x = 0; x <= 3; ++x) EXPECT_EQ(Pixel(x, 1), 5) << x;
  EXPECT_NE(std::string(JOURNAL_GetText()).find("at 3/1 set to 5"), std::string::npos);
  EXPECT_TRUE(AllOf(Grab(&view), Interior(2, 1), AaRgb(FONTTYPE_AA4, 5)));  // (3, 1) has the cursor
  // Ctrl + Shift still erases; each stroke is one step.
  Stroke(Qt::ControlModifier | Qt::ShiftModifier, At(1, 1), At(1, 0));
  EXPECT_EQ(Pixel(1, 1), 0);
  EXPECT_EQ(Pixel(1, 0), 0);
  EXPECT_EQ(doc.undoStack()->count(), 3);
  // Another font starts again from its highest index; fonts without grey levels
  // have no palette and give the cells the whole view.
  InstallGlyph(FONTTYPE_EXT_AA2, 4, 0, 6);
  images.push_back(Grab(pPalette));
  Stroke(Qt::ControlModifier, At(0, 0), At(0, 0));
  EXPECT_EQ(Pixel(0, 0), 3);
  ExpectGoldenImage("charview_palette.png", Stacked(images));
  InstallGlyph(FONTTYPE_STD, 4, 0, 0);
  EXPECT_FALSE(pPalette->isVisible());
  EXPECT_EQ(view.cellArea(), view.contentsRect());
}

TEST_F(CharViewEditorTest, CtrlWheelZoomsAboutThePointerAndTheBarsKeepTheCursorInView) {
  InstallGlyph(FONTTYPE_STD, 5, 0, 0, {"#...#", ".#.#.", "..#..", ".#.#.", "#...#", ".....", "#####", "#.#.#"});
  ASSERT_EQ(view.cellSize(), 20);  // Fit
  EXPECT_TRUE(view.horizontalBar()->isHidden());
  // One notch up over pixel (0, 6): 24-pixel cells, the pixel still under the pointer.
  const QPoint pointer = At(0, 6) + QPoint(3, 3);
  Wheel(pointer, 120, Qt::ControlModifier);
  EXPECT_EQ(view.zoom(), 24);
  EXPECT_TRUE(view.cellRect(0, 6).contains(pointer));
  // Half notches add up.
  Wheel(pointer, 60, Qt::ControlModifier);
  EXPECT_EQ(view.zoom(), 24);
  Wheel(pointer, 60, Qt::ControlModifier);
  EXPECT_EQ(view.zoom(), 32);
  // 8 rows of 32 pixels in a view 160 high: a vertical bar, no horizontal one.
  EXPECT_FALSE(view.verticalBar()->isHidden());
  EXPECT_TRUE(view.horizontalBar()->isHidden());
  EXPECT_EQ(view.verticalBar()->maximum(), 8 * 32 - view.cellArea().height());

  // The keyboard's cursor brings its cell into view; what shows there is the pixel.
  QTest::mouseClick(&view, Qt::LeftButton, Qt::NoModifier, At(0, 3));
  ASSERT_EQ(view.pixelCursor(), QPoint(0, 3));
  for (int i = 0; i < 4; ++i) QTest::keyClick(&view, Qt::Key_Down);
  ASSERT_EQ(view.pixelCursor(), QPoint(0, 7));
  EXPECT_TRUE(view.cellArea().contains(view.cellRect(0, 7)));
  const QImage image = Grab(&view);
  EXPECT_TRUE(AllOf(image, Interior(1, 7).adjusted(2, 2, -2, -2), kWhite));
  EXPECT_TRUE(AllOf(image, Interior(2, 7).adjusted(2, 2, -2, -2), kBlack));
  // A plain wheel scrolls; a Ctrl stroke paints the cell it shows.
  const int scrolled = view.verticalBar()->value();
  Wheel(view.cellArea().center(), 120, Qt::NoModifier);
  EXPECT_LT(view.verticalBar()->value(), scrolled);
  QTest::mouseClick(&view, Qt::LeftButton, Qt::ControlModifier, At(3, 4));
  EXPECT_EQ(Pixel(3, 4), 1);

  // Down to the smallest cells and no further; the bars go when all fits.
  for (int i = 0; i < 10; ++i) Wheel(view.cellArea().center(), -120, Qt::ControlModifier);
  EXPECT_EQ(view.zoom(), 4);
  EXPECT_TRUE(view.verticalBar()->isHidden());
  EXPECT_EQ(view.cellRect(0, 0).topLeft(), view.contentsRect().topLeft());
}

class WindowEditorTest : public WindowFixture {
 protected:
  void SetUp() override {
    WindowFixture::SetUp();
    pView = static_cast<CharView*>(pWindow->charView());
  }
  void TearDown() override {
    pView->setZoom(CHARVIEW_ZOOM_FIT);  // kept in the settings file
    pView->setGuides(false);
    WindowFixture::TearDown();
  }
  // Opens a menu of the bar by its letter and types the letters after it.
  void MenuKeys(Qt::Key menu, std::initializer_list<Qt::Key> keys) {
    QTest::keyClick(pWindow.get(), menu, Qt::AltModifier);
    for (Qt::Key key : keys) {
      QWidget* pPopup = QApplication::activePopupWidget();
      ASSERT_NE(pPopup, nullptr);
      QTest::keyClick(pPopup, key);
    }
  }

  CharView* pView = nullptr;
};

TEST_F(WindowEditorTest, CtrlKeysWheelAndMenuChooseZoomGuidesAndBrushAndAreRemembered) {
  FontPtr pFont = MemoryFont(FONTTYPE_AA4, true);
  SetGlyph(pFont.get(), 'A', 5, 0, 0);
  FONT_SetCurrentChar(pFont.get(), 'A');
  doc.install(std::move(pFont), "");
  const int fit = pView->cellSize();
  ASSERT_GT(fit, 0);

  QTest::keyClick(pWindow.get(), Qt::Key_Plus, Qt::ControlModifier);
  EXPECT_EQ(pView->zoom(), CHARVIEW_ZoomStep(fit, 1));
  QTest::keyClick(pWindow.get(), Qt::Key_Minus, Qt::ControlModifier);
  QTest::keyClick(pWindow.get(), Qt::Key_Minus, Qt::ControlModifier);
  EXPECT_EQ(pView->zoom(), CHARVIEW_ZoomStep(CHARVIEW_ZoomStep(fit, 1), -2));
  // The wheel with Ctrl zooms over the character view even while the font view
  // holds the keyboard (a plain wheel goes to the font view then).
  ASSERT_EQ(doc.keyboardTarget(), 0);
  const int before = pView->zoom();
  const QPoint middle = pView->cellArea().center();
  QWheelEvent wheel(middle, pView->mapToGlobal(middle), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::ControlModifier,
                    Qt::NoScrollPhase, false);
  QApplication::sendEvent(pView, &wheel);
  EXPECT_EQ(pView->zoom(), CHARVIEW_ZoomStep(before, 1));

  // View > Zoom > 64 pixels, then View > Guides, by their letters.
  MenuKeys(Qt::Key_V, {Qt::Key_Z, Qt::Key_6});
  EXPECT_EQ(pView->zoom(), 64);
  EXPECT_FALSE(pView->verticalBar()->isHidden());  // 8 rows of 64 pixels
  MenuKeys(Qt::Key_V, {Qt::Key_U});
  EXPECT_TRUE(pView->guides());
  EXPECT_TRUE(SHELL_IsMenuItemChecked(ID_ZOOM_64, pWindow->state()));
  EXPECT_TRUE(SHELL_IsMenuItemChecked(ID_GUIDES, pWindow->state()));

  // Ctrl with a digit chooses the brush and leaves the pixel under the cursor.
  QTest::keyClick(pView, Qt::Key_Tab);
  ASSERT_EQ(doc.keyboardTarget(), 1);
  QTest::keyClick(pView, Qt::Key_3, Qt::ControlModifier);
  EXPECT_EQ(pView->brush(), 3);
  EXPECT_EQ(pView->brushPalette()->brush(), 3);
  EXPECT_EQ(FONT_GetPixel(doc.font(), 'A', 0, 0), 0);
  QTest::keyClick(pView, Qt::Key_3);  // the key without Ctrl still sets the pixel
  EXPECT_EQ(FONT_GetPixel(doc.font(), 'A', 0, 0), 3);

  // Another view starts with the cell size and the guides chosen here.
  CharView other(&doc);
  EXPECT_EQ(other.zoom(), 64);
  EXPECT_TRUE(other.guides());
  MenuKeys(Qt::Key_V, {Qt::Key_Z, Qt::Key_F});
  EXPECT_EQ(pView->zoom(), CHARVIEW_ZOOM_FIT);
  EXPECT_EQ(pView->cellSize(), fit);
}

}  // namespace
