// Reading BDF files: the journal and the current font, and real BDF files made by
// otf2bdf and pcf2bdf compared glyph by glyph with FreeType's own BDF driver.
// Hand-written inputs are read in ReaderCases (tests/data/reader_cases/bdf).
#include <gtest/gtest.h>

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdlib>
#include <string>

#include "input/bdf_read.h"
#include "model/current.h"
#include "output/savetest.h"
#include "settings/journal.h"

namespace {

const char kCreateFailed[] = "Could not create font!";

std::string Char(int code, const std::string& bbx, const std::string& bitmap, int dwidth = 8) {
  return "STARTCHAR c" + std::to_string(code) + "\nENCODING " + std::to_string(code) + "\nSWIDTH 500 0\nDWIDTH " +
         std::to_string(dwidth) + " 0\nBBX " + bbx + "\nBITMAP\n" + bitmap + "ENDCHAR\n";
}

std::string Bdf(const std::string& chars, int count, const std::string& box = "8 16 0 -4") {
  return "STARTFONT 2.1\nFONT -test-\nSIZE 16 75 75\nFONTBOUNDINGBOX " + box +
         "\nSTARTPROPERTIES 1\nFONT_ASCENT 12\nENDPROPERTIES\nCHARS " + std::to_string(count) + "\n" + chars +
         "ENDFONT\n";
}

TEST(BdfRead, FileJournalAndCurrentFont) {
  SaveTest t;
  FONT_SetCurrent(NewFont(FONTTYPE_STD, ENCODING_ISO8859, 10));
  const ::Font* pCurrent = FONT_GetCurrent();
  FONT_SetCurrentChar(FONT_GetCurrent(), 0x41);
  JOURNAL_Clear();

  std::string bitmap = "00\n3C\n00\n";
  WriteFile(t.dir.file("a.bdf"), Bdf(Char(65, "8 3 0 0", bitmap), 1));
  FontPtr pFont = INPUT_ReadBdf(t.dir.file("a.bdf").c_str());
  ASSERT_TRUE(pFont);
  EXPECT_EQ(pFont->aCharInfo[65].BoxWidth, 4);  // the trimming edits ran...
  EXPECT_EQ(JOURNAL_GetLength(), 0u);           // ...and their journal lines are gone
  EXPECT_EQ(FONT_GetCurrent(), pCurrent);
  EXPECT_EQ(FONT_GetCurrentChar(pCurrent), 0x41);
  EXPECT_EQ(pCurrent->Type, FONTTYPE_STD);

  WriteFile(t.dir.file("b.bdf"), Bdf(Char(65, "8 3 0 0", bitmap), 2));
  EXPECT_FALSE(INPUT_ReadBdf(t.dir.file("b.bdf").c_str()));
  EXPECT_EQ(t.services.boxes.back(), kCreateFailed);
  EXPECT_EQ(JOURNAL_GetLength(), 0u);
  EXPECT_EQ(FONT_GetCurrent(), pCurrent);
}

// Real files compared with FreeType's BDF driver: the driver's bitmap trimmed
// to its ink the same way must give the same box, position, advance and pixels.
class BdfAgainstFreeType : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(FT_Init_FreeType(&library_), 0); }
  void TearDown() override { FT_Done_FreeType(library_); }

  // Returns the number of glyphs compared.
  int Compare(const std::string& bdfPath) {
    SaveTest t;
    FontPtr pFont = INPUT_ReadBdf(bdfPath.c_str());
    EXPECT_TRUE(pFont) << bdfPath;
    if (!pFont) return 0;
    FT_Face face = nullptr;
    EXPECT_EQ(FT_New_Face(library_, bdfPath.c_str(), 0, &face), 0) << bdfPath;
    if (!face) return 0;
    if (!face->charmap && face->num_charmaps > 0) FT_Set_Charmap(face, face->charmaps[0]);
    int compared = 0, enabled = 0;
    for (const CharInfo& ci : pFont->aCharInfo) enabled += ci.Enabled;
    FT_UInt index = 0;
    for (FT_ULong code = FT_Get_First_Char(face, &index); index != 0; code = FT_Get_Next_Char(face, code, &index)) {
      if (code > 0xFFFF) continue;
      EXPECT_EQ(FT_Load_Glyph(face, index, FT_LOAD_DEFAULT), 0);
      if (!CompareGlyph(pFont.get(), uint16_t(code), face->glyph)) {
        ADD_FAILURE() << bdfPath << " code 0x" << std::hex << code;
        break;
      }
      ++compared;
    }
    EXPECT_EQ(compared, enabled) << bdfPath;
    FT_Done_Face(face);
    return compared;
  }

  static bool CompareGlyph(const ::Font* pFont, uint16_t code, FT_GlyphSlot slot) {
    const FT_Bitmap& bm = slot->bitmap;
    const CharInfo& ci = pFont->aCharInfo[code];
    if (!ci.Enabled || ci.CursorDist != slot->advance.x / 64) return false;
    auto ink = [&](int x, int y) { return (bm.buffer[y * bm.pitch + x / 8] >> (7 - x % 8)) & 1; };
    const int width = int(bm.width), rows = int(bm.rows);
    if (rows == 0)
      return ci.BoxHeight == 0 && ci.BoxWidth == width && ci.BoxLeft == slot->bitmap_left &&
             ci.BoxTop == slot->bitmap_top;
    int left = width, right = -1, top = rows, bottom = -1;
    for (int y = 0; y < rows; ++y)
      for (int x = 0; x < width; ++x)
        if (ink(x, y)) {
          left = std::min(left, x), right = std::max(right, x);
          top = std::min(top, y), bottom = std::max(bottom, y);
        }
    if (right < 0) left = right = top = bottom = 0;  // no ink: 1 x 1 at the top left
    if (ci.BoxWidth != right - left + 1 || ci.BoxHeight != bottom - top + 1) return false;
    if (ci.BoxLeft != slot->bitmap_left + left || ci.BoxTop != slot->bitmap_top - top) return false;
    if (ci.FileRowBytes != (width + 7) / 8) return false;
    for (int y = top; y <= bottom; ++y)
      for (int x = left; x <= right; ++x)
        if ((width > 0 && ink(x, y)) != (FONT_GetPixel(pFont, code, x - left, y - top) != 0)) return false;
    return true;
  }

  static bool Run(const std::string& command) { return std::system(command.c_str()) == 0; }
  // otf2bdf ends with a non-zero status even when it wrote the file.
  static bool Otf2bdf(const std::string& options, const std::string& out, const std::string& face) {
    std::system(("otf2bdf " + options + " -o " + out + " " + face).c_str());
    return ReadFile(out).find("ENDFONT") != std::string::npos;
  }

  TempDir dir_;
  FT_Library library_ = nullptr;
};

TEST_F(BdfAgainstFreeType, Otf2bdfOutput) {
  const std::string dejavu = dir_.file("dejavu16.bdf"), ipa = dir_.file("ipag16.bdf");
  ASSERT_TRUE(Otf2bdf("-p 16 -r 72", dejavu, "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"));
  ASSERT_TRUE(Otf2bdf("-p 16 -r 72 -l '12288_12543 19968_20479'", ipa, "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf"));
  EXPECT_GT(Compare(dejavu), 5000);
  EXPECT_GT(Compare(ipa), 500);
}

TEST_F(BdfAgainstFreeType, Pcf2bdfOutput) {
  for (const char* name : {"6x13", "9x15", "18x18ja", "5x7-ISO8859-1"}) {
    const std::string pcf = dir_.file(std::string(name) + ".pcf"), bdf = dir_.file(std::string(name) + ".bdf");
    ASSERT_TRUE(Run(std::string("zcat /usr/share/fonts/X11/misc/") + name + ".pcf.gz > " + pcf));
    ASSERT_TRUE(Run("pcf2bdf -o " + bdf + " " + pcf));
    EXPECT_GT(Compare(bdf), 150) << name;
  }
}


}  // namespace
