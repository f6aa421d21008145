#include "support/testfonts.h"

#include <gtest/gtest.h>

#include "generation/fontengine.h"

void RegisterTestFonts() {
  static bool done = false;
  if (done) return;
  done = true;
  for (const char* pName : {"MorvaneRect.ttf", "MorvanePhase.ttf", "MorvaneAscii.ttf", "MorvaneTall.ttf", "MorvaneSymbol.ttf",
                            "MorvaneNoFormat4.ttf", "MorvaneMacOnly.ttf", "MorvaneNoOS2.ttf"})
    ASSERT_EQ(ENGINE_AddFontFile((std::string(MORVANE_TEST_DATA) + "/fonts/" + pName).c_str()), 0) << pName;
}
