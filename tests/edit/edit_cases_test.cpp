// The character edits on exact pixels, as cases of tests/data/edit_cases.txt (its first
// lines describe the form): columns, rotation, rows of the extended types, frames,
// moves and the advance, with their journal lines.
#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "edit/edit.h"
#include "edit/editfont.h"
#include "output/savetest.h"
#include "settings/journal.h"

namespace {

using Lines = std::vector<std::string>;

const std::map<std::string, void (*)(Font*, int)> kOperations = {
    {"InsertLeft", EDIT_InsertLeft},   {"InsertRight", EDIT_InsertRight},   {"DeleteLeft", EDIT_DeleteLeft},
    {"DeleteRight", EDIT_DeleteRight}, {"InsertTop", EDIT_InsertTop},       {"InsertBottom", EDIT_InsertBottom},
    {"DeleteTop", EDIT_DeleteTop},     {"DeleteBottom", EDIT_DeleteBottom}, {"ShiftLeft", EDIT_ShiftLeft},
    {"ShiftRight", EDIT_ShiftRight},   {"ShiftUp", EDIT_ShiftUp},           {"ShiftDown", EDIT_ShiftDown},
    {"MoveLeft", EDIT_MoveLeft},       {"MoveRight", EDIT_MoveRight},       {"MoveUp", EDIT_MoveUp},
    {"MoveDown", EDIT_MoveDown},
    {"IncCursorDist", [](Font* pFont, int) { EDIT_IncCursorDist(pFont); }},  // always logged
    {"DecCursorDist", [](Font* pFont, int) { EDIT_DecCursorDist(pFont); }},
};
const std::map<std::string, int32_t> kTypes = {{"STD", FONTTYPE_STD}, {"AA2", FONTTYPE_AA2}, {"AA4", FONTTYPE_AA4},
                                               {"EXT", FONTTYPE_EXT}, {"EXT_FRM", FONTTYPE_EXT_FRM},
                                               {"EXT_AA2", FONTTYPE_EXT_AA2}, {"EXT_AA4", FONTTYPE_EXT_AA4}};

// The rows of a "char" or "expect" line ("-" for an empty one).
Lines ReadRows(std::istream& in) {
  Lines rows;
  for (std::string row; in >> row;) rows.push_back(row == "-" ? "" : row);
  return rows;
}

TEST(EditCases, EachCaseEndsAsWritten) {
  std::istringstream file(ReadFile(std::string(MORVANE_TEST_DATA) + "/edit_cases.txt"));
  SaveTest t;  // records the boxes, settings of the test's own
  FontPtr pFont;
  Lines journal;
  std::string name;
  int cases = 0;
  auto endCase = [&] {
    if (pFont) {
      EXPECT_EQ(JournalLines(), journal) << name;
    }
    journal.clear();
  };
  for (std::string line; std::getline(file, line);) {
    std::istringstream in(line);
    std::string word;
    in >> word;
    int code = 0, left = 0, top = 0, advance = 0, count = 0;
    if (word == "case") {
      endCase();
      std::getline(in >> std::ws, name);
      ++cases;
    } else if (word == "font") {
      std::string type;
      int height = 0;
      in >> type >> height >> top >> advance;
      ASSERT_TRUE(kTypes.count(type)) << line;
      pFont = NewFont(kTypes.at(type), ENCODING_UC16, height);
      pFont->Baseline = top;
      pFont->MaxWidth = advance;
      JOURNAL_Clear();
    } else if (word == "char" || word == "expect") {
      in >> std::hex >> code >> std::dec >> left >> top >> advance;
      const Lines rows = ReadRows(in);
      if (word == "char") {
        SetRows(pFont.get(), uint16_t(code), rows, left, top, advance);
        continue;
      }
      const CharInfo& ci = pFont->aCharInfo[code];
      EXPECT_EQ(ci.BoxWidth, rows.empty() ? 0 : int(rows[0].size())) << name << ": " << line;
      EXPECT_EQ(ci.BoxHeight, int(rows.size())) << name << ": " << line;
      EXPECT_EQ(Rows(pFont.get(), uint16_t(code), int(rows.size())), rows) << name << ": " << line;
      EXPECT_EQ(Lines({std::to_string(ci.BoxLeft), std::to_string(ci.BoxTop), std::to_string(ci.CursorDist)}),
                Lines({std::to_string(left), std::to_string(top), std::to_string(advance)}))
          << name << ": " << line;
      for (uint32_t i = 0; ci.pFrame && i < ci.DataSize; ++i)  // never ink and frame at once
        EXPECT_EQ(ci.pPixels[i] & ci.pFrame[i], 0) << name << ": " << line;
    } else if (word == "do") {
      std::string operation, log;
      in >> std::hex >> code >> std::dec >> operation >> count >> log;
      ASSERT_TRUE(kOperations.count(operation)) << line;
      FONT_SetCurrentChar(pFont.get(), uint32_t(code));
      for (int i = 0; i < count; ++i) kOperations.at(operation)(pFont.get(), log == "log");
    } else if (word == "bytes") {
      in >> std::hex >> code >> std::dec >> count;
      EXPECT_EQ(pFont->aCharInfo[code].DataSize, uint32_t(count)) << name << ": " << line;
    } else if (word == "height" || word == "maxwidth") {
      in >> count;
      EXPECT_EQ(word == "height" ? pFont->Height : pFont->MaxWidth, count) << name << ": " << line;
    } else if (word == "journal") {
      std::getline(in >> std::ws, line);
      journal.push_back(line);
    }
  }
  endCase();
  EXPECT_EQ(cases, 9);
}

}  // namespace
