// C, XBF and SIF saves render the pending characters piece by piece on the worker
// threads while they write. Characters that come out without a width are left out
// and disabled, a Unicode area is announced at its first saved character, and the
// file is the one a save of the fully rendered font writes, with any number of
// threads and when the renderer cannot render on the workers. The real faces are
// compared across thread counts in Threads.*.
#include <gtest/gtest.h>

#include <string>

#include "generation/workers.h"
#include "output/save.h"
#include "output/savetest.h"

namespace {

// Codes the fake renderer gives no width, as a system font does for some spaces.
bool IsBlank(uint16_t code) {
  return code == 0x20 || code == 0x100 || code == 0x13F || code == 0x140 || code == 0x2000 || code == 0x206F;
}

// Stands in for the rasterizer: a 5 x 7 box whose ink depends on the code, written
// only into the record of that code, so that threads may render different codes.
void FakeRender(Font* pFont, uint16_t code) {
  if (IsBlank(code)) {
    FONT_SetCharSize(pFont, code, 0, 0);
    return;
  }
  FONT_SetCharSize(pFont, code, 5, 7);
  CharInfo& ci = pFont->aCharInfo[code];
  ci.BoxHeight = 7;
  ci.BoxTop = 6;
  ci.CursorDist = 6;
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 5; ++x) FONT_SetPixel(pFont, code, x, y, (code >> ((x + y) % 12)) & 3);
}

void FakeRenderMany(Font* pFont, const uint16_t* pCodes, size_t count) {
  for (size_t i = 0; i < count; ++i) FakeRender(pFont, pCodes[i]);
}

bool prepareAnswer = true;
bool FakePrepare(Font*) { return prepareAnswer; }

// A UC16 EXT_AA2 font of 500 pending characters across four Unicode areas, the first
// character of two of them blank, and the very first and last blank too.
FontPtr PendingFont() {
  FontPtr font = NewFont(FONTTYPE_EXT_AA2, ENCODING_UC16, 8);
  font->Baseline = 6;
  for (uint32_t code = 0x20; code < 0x180; ++code) {
    font->aCharInfo[code].Exists = 1;
    FONT_EnableChar(font.get(), static_cast<uint16_t>(code), 1);
  }
  for (uint32_t code = 0x2000; code < 0x2070; ++code) {
    font->aCharInfo[code].Exists = 1;
    FONT_EnableChar(font.get(), static_cast<uint16_t>(code), 1);
  }
  return font;
}

class RenderWhileWriting : public ::testing::Test {
 protected:
  void SetUp() override { FONT_SetRenderHook(FakeRender, FakeRenderMany, FakePrepare); }
  void TearDown() override {
    FONT_SetRenderHook(nullptr);
    WORKERS_SetCount(0);
    prepareAnswer = true;
  }
  SaveTest save;
};

TEST_F(RenderWhileWriting, GivesTheFileOfTheRenderedFontWithAnyThreadsOrNone) {
  FontPtr rendered = PendingFont();
  FONT_RenderPending(rendered.get());
  const std::string referenceC = save.Save(rendered.get(), "f.c", OUT_FORMAT_C);
  const std::string referenceXbf = save.Save(rendered.get(), "f.xbf", OUT_FORMAT_XBF);
  const std::string referenceSif = save.Save(rendered.get(), "f.sif", OUT_FORMAT_SIF);

  // The blank characters are not saved; an area is announced where its first
  // saved character starts, also when a blank character begins the area.
  EXPECT_EQ(referenceC.find("acGUI_Fontf_0100"), std::string::npos);
  EXPECT_EQ(referenceC.find("acGUI_Fontf_2000"), std::string::npos);
  EXPECT_NE(referenceC.find("/* Start of unicode area <Latin Extended-A> */\r\n"
                            "static GUI_CONST_STORAGE unsigned char acGUI_Fontf_0101["),
            std::string::npos);
  EXPECT_NE(referenceC.find("/* Start of unicode area <General Punctuation> */\r\n"
                            "static GUI_CONST_STORAGE unsigned char acGUI_Fontf_2001["),
            std::string::npos);
  // 0x13F and 0x140 split the range 0x20-0x17F.
  EXPECT_NE(referenceC.find("0x013E /* last character  */"), std::string::npos);
  EXPECT_NE(referenceC.find("0x0141 /* first character */"), std::string::npos);
  // The XBF index spans the first to the last saved code.
  ASSERT_GT(referenceXbf.size(), 18u);
  EXPECT_EQ(referenceXbf.substr(14, 4), std::string("\x21\x00\x6E\x20", 4));

  const struct {
    int Format;
    const char* pName;
    const std::string& Reference;
  } formats[] = {{OUT_FORMAT_C, "f.c", referenceC}, {OUT_FORMAT_XBF, "f.xbf", referenceXbf},
                 {OUT_FORMAT_SIF, "f.sif", referenceSif}};
  for (const auto& format : formats) {
    for (bool onWorkers : {true, false}) {
      for (int threads : {1, 2, 4}) {
        WORKERS_SetCount(threads);
        prepareAnswer = onWorkers;
        FontPtr font = PendingFont();
        save.services.notices.clear();
        EXPECT_TRUE(save.Save(font.get(), format.pName, format.Format) == format.Reference)
            << format.pName << ", " << threads << " threads, rendering on the workers " << onWorkers;
        EXPECT_EQ(FontDifference(font.get(), rendered.get()), "") << threads << " threads";
        // What was rendered and what was disabled is announced, as by a rendering
        // before the save.
        EXPECT_EQ(save.services.noticeTexts(), (std::vector<std::string>{"20-206F:16", "20-206F:4"}));
      }
    }
  }
}

TEST_F(RenderWhileWriting, OnlyBlankCharactersLeaveNothingToSave) {
  WORKERS_SetCount(2);
  for (int format : {OUT_FORMAT_C, OUT_FORMAT_XBF, OUT_FORMAT_SIF}) {
    FontPtr font = NewFont(FONTTYPE_EXT_AA2, ENCODING_UC16, 8);
    for (uint16_t code : {0x100, 0x2000}) {
      font->aCharInfo[code].Exists = 1;
      FONT_EnableChar(font.get(), code, 1);
    }
    WriteFile(save.dir.file("f"), "before");
    save.services.boxes.clear();
    int result = -1;
    EXPECT_EQ(save.Save(font.get(), "f", format, 0, &result), "before");
    EXPECT_EQ(result, OUT_SAVE_NOTHING);
    EXPECT_EQ(save.services.boxes, std::vector<std::string>{"Nothing to save!"});
    EXPECT_FALSE(FONT_IsCharEnabled(font.get(), 0x100));
    EXPECT_TRUE(FONT_IsCharRendered(font.get(), 0x2000));
  }
}

}  // namespace
