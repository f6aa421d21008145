// Which face a family name opens: a face with a usable character map when the
// family has one, the named family itself (never a substitute) when it is
// installed, and the whole name even where the record holds only part of it.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "generation/fontengine.h"
#include "generation/generation_fixture.h"
#include "generation/internal/rendercontext.h"
#include "support/errorlog.h"
#include "support/tempdir.h"

namespace {

EngineFaceInfo FaceOf(const Font* pFont) {
  EngineFaceInfo info{};
  ENGINE_GetFaceInfo(pFont->pRenderContext->pEngineFont.get(), &info);
  return info;
}

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// A copy of Liberation Sans Regular whose family is called 'family', written
// with fontTools into 'path'.
bool WriteRenamedFont(const TempDir& dir, const std::string& path, const std::string& family) {
  const std::string script = dir.file("rename.py");
  WriteFile(script,
            "import sys\n"
            "from fontTools.ttLib import TTFont\n"
            "source, target, family = sys.argv[1:4]\n"
            "font = TTFont(source)\n"
            "for record in list(font['name'].names):\n"
            "    text = {1: family, 16: family, 4: family + ' Regular',\n"
            "            6: family.replace(' ', '') + '-Regular'}.get(record.nameID)\n"
            "    if text is not None:\n"
            "        font['name'].setName(text, record.nameID, record.platformID, record.platEncID, record.langID)\n"
            "font.save(target)\n");
  const std::string command = "/usr/bin/python3 '" + script +
                              "' /usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf '" + path +
                              "' '" + family + "'";
  return std::system(command.c_str()) == 0;
}

const char kLongFamily[] = "Liberation Sans Renamed With A Long Family Name";

}  // namespace

TEST(FaceChoice, FamiliesInstalledAsType1AndOpenTypeOpenAFaceWithACharacterMap) {
  TakeErrors();
  for (const char* pFamily : {"Nimbus Roman", "Nimbus Sans Narrow", "C059"}) {
    for (int weight : {400, 700})
      for (int italic : {0, 1}) {
        CreateArgs args;
        args.pFace = pFamily;
        args.Height = 20;
        args.Weight = weight;
        args.Italic = italic;
        FontPtr font = CreateFont(args);
        ASSERT_TRUE(font) << pFamily << " " << weight << " " << italic;
        const EngineFaceInfo info = FaceOf(font.get());
        EXPECT_TRUE(EndsWith(info.File, ".otf")) << info.File;
        EXPECT_EQ(info.SyntheticBold, 0) << info.File;  // the family's own bold face
        EXPECT_FALSE(info.SyntheticOblique) << info.File;
        EXPECT_TRUE(FONT_CharExists(font.get(), 'A'));
        EXPECT_TRUE(FONT_CharExists(font.get(), 0xE9));
        EXPECT_GT(InkPixels(font.get(), 'A'), 20) << info.File;
      }
  }
  EXPECT_EQ(TakeErrors(), "");
}

// A family installed without a usable map is named with its own file when refused
// (the create tests); an installed family with one opens its own regular face.
TEST(FaceChoice, AnInstalledFamilyIsNeverReplacedByAnother) {
  EngineFontRequest request;
  request.pFaceName = "Nimbus Roman";
  request.Height = 16;
  EngineFaceInfo info;
  ENGINE_GetFaceInfo(ENGINE_OpenFont(request).get(), &info);
  EXPECT_NE(info.File.find("/NimbusRoman-Regular."), std::string::npos) << info.File;
}

TEST(FaceChoice, TheCreateCommandConvertsTheFamilyItNames) {
  TempDir dir;
  ASSERT_EQ(std::system(("mkdir -p '" + dir.file("fonts") + "' '" + dir.file("config/fontconfig") + "' '" +
                         dir.file("long") + "' '" + dir.file("original") + "'")
                            .c_str()),
            0);
  ASSERT_TRUE(WriteRenamedFont(dir, dir.file("fonts/LongFamily.ttf"), kLongFamily));
  // The program's fontconfig reads the user configuration under XDG_CONFIG_HOME.
  WriteFile(dir.file("config/fontconfig/fonts.conf"),
            "<?xml version=\"1.0\"?>\n<fontconfig>\n  <dir>" + dir.file("fonts") + "</dir>\n  <cachedir>" +
                dir.file("cache") + "</cachedir>\n</fontconfig>\n");
  RunMorvane(dir, {"-hide", std::string("-create") + kLongFamily + ",REGULAR,18,STD,UC16", "-saveaslong/font.c,C",
                   "-exit"});
  RunMorvane(dir, {"-hide", "-createLiberation Sans,REGULAR,18,STD,UC16", "-saveasoriginal/font.c,C", "-exit"});
  bool exists = true;
  ReadFile(dir.file("Morvane.err"), &exists);
  EXPECT_FALSE(exists) << ReadFile(dir.file("Morvane.err"));
  const std::string renamed = ReadFile(dir.file("long/font.c")), original = ReadFile(dir.file("original/font.c"));
  ASSERT_FALSE(original.empty());
  // The banner names the family; everything after it is the same font.
  const size_t a = renamed.find("#include"), b = original.find("#include");
  ASSERT_NE(a, std::string::npos);
  ASSERT_NE(b, std::string::npos);
  EXPECT_TRUE(renamed.substr(a) == original.substr(b));
  EXPECT_NE(renamed.find(std::string("Font:        ") + std::string(kLongFamily, 31)), std::string::npos);
}
