// The C reader on files: opening, the journal, and hostile input. Hand-written
// files with every message and location are read in ReaderCases
// (tests/data/reader_cases/c).
#include <gtest/gtest.h>

#include <algorithm>

#include "input/c_read.h"
#include "output/save.h"
#include "output/savetest.h"
#include "settings/journal.h"

namespace {

using Messages = std::vector<std::string>;

// A standard font of one character 0x41, as hand-written.
std::string StdFile() {
  return ReadFile(std::string(MORVANE_TEST_DATA) + "/reader_cases/c/HandWrittenFileReadsAndItsValueForms-01.in");
}

const char kFailed[] = "Could not create font!";

struct CReadErrors : ::testing::Test {
  // Parses and returns the messages shown, which the next call no longer sees.
  Messages Parse(const std::string& text, FontPtr* pFont = nullptr) {
    t.services.boxes.clear();
    FontPtr f = INPUT_ParseC(text);
    if (pFont) *pFont = std::move(f);
    return t.services.boxes;
  }
  SaveTest t;
};

// The messages of a missing and an empty file and the status texts of a read are
// ReaderBounds.* and the reader cases; the journal goes once the file is open.
TEST_F(CReadErrors, AFailedReadClearsTheJournalOnceTheFileIsOpen) {
  JOURNAL_Add("* kept when nothing could be opened");
  EXPECT_FALSE(INPUT_ReadC(t.dir.file("absent.c").c_str()));
  EXPECT_GT(JOURNAL_GetLength(), 0u);
  WriteFile(t.dir.file("empty.c"), "");
  EXPECT_FALSE(INPUT_ReadC(t.dir.file("empty.c").c_str()));
  EXPECT_EQ(JOURNAL_GetLength(), 0u);
}

TEST_F(CReadErrors, HostileInputEndsInAFontOrTheFailureMessage) {
  // A hundred megabytes of digits: one long token, as text and as a height.
  const std::string digits(100'000'000, '7');
  EXPECT_EQ(Parse(digits), (Messages{"No font data found in the given file", kFailed}));
  FontPtr f;
  EXPECT_EQ(Parse("GUI_FONT F\r\n GUI_FONTTYPE_PROP ," + digits, &f), Messages{});
  ASSERT_TRUE(f);
  EXPECT_EQ(f->Height, 1000);
  // A zero byte ends the text.
  const std::string good = StdFile();
  EXPECT_EQ(Parse(good.substr(0, 40) + std::string(1, '\0') + good.substr(40)),
            (Messages{"No font data found in the given file", kFailed}));
  // Every cut of a written file of the framed type.
  FontPtr saved = NewFont(FONTTYPE_EXT_FRM, ENCODING_UC16, 9);
  for (uint16_t c : {0x41, 0x42, 0x100})
    AddChar(saved.get(), c, 9, 7, [](int x, int y) { return (x + y) % 3 - 1; }, 1, 7, 10);
  const std::string file = t.Save(saved.get(), "cut.c", OUT_FORMAT_C);
  // Only a cut behind the baseline of the GUI_FONT record still reads.
  const size_t needed = file.find(" /* Baseline */");
  for (size_t n = 0; n < file.size(); n += 7) {
    const Messages m = Parse(file.substr(0, n), &f);
    ASSERT_EQ(bool(f), n >= needed) << n;
    if (f) {
      EXPECT_EQ(m, Messages{}) << n;
      EXPECT_EQ(FONT_GetPixel(f.get(), 0x100, 8, 6), FONT_GetPixel(saved.get(), 0x100, 8, 6));
    } else {
      ASSERT_FALSE(m.empty()) << n;
      EXPECT_EQ(m.back(), kFailed) << n;
    }
  }
}

}  // namespace
