// Shared pieces of the view tests: platform services that record the status text
// and pass the core's redraw requests to the document (as the main window's do),
// small fonts built in memory, fonts generated from installed faces, and pixel
// reading on grabbed widget images.
#pragma once

#include <QImage>
#include <QWidget>
#include <string>

#include "model/font.h"
#include "settings/services.h"

class Document;

class ViewServices : public PlatformServices {
 public:
  explicit ViewServices(Document* pDocument);
  ~ViewServices() override;
  void MessageBox(const char* text) override { lastMessage = text; }
  bool AskYesNo(const char*) override { return false; }
  int AskXbfType(int) override { return -1; }
  void SetStatusText(const char* text) override { status = text; }
  void SetWaitCursor(bool) override {}
  void RedrawViews(int viewMask) override;
  void FontChanged(const ChangeNotice& notice) override;
  void ShowMainWindow(bool) override {}

  std::string status;
  std::string lastMessage;

 private:
  Document* pDocument_;
};

// A font of the given type with 16-bit codes (4096 blocks) or 8-bit codes (16
// blocks), height 8 and baseline 6; nothing enabled.
FontPtr MemoryFont(int32_t type, bool sixteenBit, int height = 8);
// Gives a character a box of w x rows (rows 0: the font height) whose top lies
// boxTop above the baseline, enables it and sets the pixels from rows of text
// ('.' 0, '#' the highest value, '1'..'9' 'a'..'f' values, 'o' frame).
void SetGlyph(Font* pFont, uint16_t code, int w, int rows, int boxTop, std::initializer_list<const char*> pixels = {});
// A font generated from an installed face; null when the face is missing.
FontPtr GeneratedFont(const char* pFace, int height, int32_t type, int32_t encoding);

// The display colour of a pixel value of the font type as 0xRRGGBB.
unsigned AaRgb(int32_t type, int value);
// The widget's image as painted now (QWidget::grab).
QImage Grab(QWidget* pWidget);
// Colour of an image pixel as 0xRRGGBB.
unsigned Rgb(const QImage& image, int x, int y);
// True when every pixel of the rectangle has the colour.
bool AllOf(const QImage& image, const QRect& rect, unsigned rgb);
// Number of pixels in the rectangle whose colour differs from rgb.
int CountNot(const QImage& image, const QRect& rect, unsigned rgb);
