// Fuzz target: XBF_Parse on arbitrary bytes must end in a font or a reported failure.
#include "fuzz/fuzzsupport.h"
#include "input/xbf_read.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FUZZ_Init();
  FontPtr pFont = XBF_Parse(FUZZ_Text(data, size));
  return 0;
}
