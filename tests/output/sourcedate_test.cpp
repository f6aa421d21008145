// SOURCE_DATE_EPOCH fixes the time a re-saved C file records, so two saves of one
// font give the same bytes; without it the time is the local time now.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "output/save.h"
#include "output/savetest.h"

namespace {

int Ink(int x, int y) { return (x + y) % 2; }

std::string SaveWithEpoch(const char* pEpoch, const char* pName) {
  SaveTest t;
  FontPtr f = NewFont(FONTTYPE_STD, ENCODING_UC16, 7);
  AddChar(f.get(), 0x41, 5, 7, Ink);
  const std::string kept = "/* kept banner\r\n";
  f->pHeader = std::make_unique<char[]>(kept.size() + 1);
  std::copy(kept.begin(), kept.end(), f->pHeader.get());
  if (pEpoch)
    setenv("SOURCE_DATE_EPOCH", pEpoch, 1);
  else
    unsetenv("SOURCE_DATE_EPOCH");
  const std::string c = t.Save(f.get(), pName, OUT_FORMAT_C);
  unsetenv("SOURCE_DATE_EPOCH");
  return c;
}

TEST(SourceDateEpoch, FixesTheModificationTimeInUtc) {
  const std::string line = "C-file modified by Font Converter for Tavro version 6.32c: ";
  const std::string first = SaveWithEpoch("1700000000", "a.c");
  EXPECT_NE(first.find(line + "Nov 14 2023 at 22:13:20\r\n"), std::string::npos) << first.substr(0, 200);
  EXPECT_EQ(SaveWithEpoch("1700000000", "a.c"), first);
  // A value that is not a plain count of seconds is no time: the clock's is taken.
  for (const char* pEpoch : {"", "17e8", "-5", static_cast<const char*>(nullptr)})
    EXPECT_EQ(SaveWithEpoch(pEpoch, "a.c").find("2023 at"), std::string::npos) << (pEpoch ? pEpoch : "unset");
}

}  // namespace
