// The synthetic fonts of tests/data/fonts (built by tools/make_test_fonts.py),
// made available to the font engine of the test process.
#pragma once

void RegisterTestFonts();
