// The character view's zoom, guides and brush reached the way a user reaches them
// in the window: Ctrl with plus, minus, a digit or the wheel, and the View menu by
// its letters; the choices outlive the view.
#include <QScrollBar>
#include <QWheelEvent>

#include "shell/commandtable.h"
#include "shell/views/brushpalette.h"
#include "shell/views/charview.h"
#include "shell/views/internal/charviewprefs.h"
#include "viewtest.h"
#include "windowtest.h"

namespace {

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
