// Fuzz target: INPUT_ParseXbf on arbitrary bytes must end in a font or a reported failure;
// a font must stay in proportion to the input, also once merged.
#include "fuzz/fuzzsupport.h"
#include "input/xbf_read.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FUZZ_Init();
  FontPtr pFont = INPUT_ParseXbf(FUZZ_Text(data, size));
  FUZZ_CheckFont(pFont.get(), size);
  return 0;
}
