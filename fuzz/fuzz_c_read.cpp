// Fuzz target: INPUT_ParseC on arbitrary bytes must end in a font or a reported failure;
// a font must stay in proportion to the input, also once merged.
#include "fuzz/fuzzsupport.h"
#include "input/c_read.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FUZZ_Init();
  FontPtr pFont = INPUT_ParseC(FUZZ_Text(data, size));
  FUZZ_CheckFont(pFont.get(), size);
  return 0;
}
