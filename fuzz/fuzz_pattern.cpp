// Fuzz target: a pattern file applied to a UC16 and to a JIS font.
#include "fuzz/fuzzsupport.h"
#include "input/pattern.h"
#include "model/font.h"

namespace {

FontPtr FontWithCodes(int32_t encoding) {
  FontPtr pFont = FONT_Alloc();
  pFont->Encoding = encoding;
  pFont->Has16BitCodes = 1;
  pFont->NumBlocks = FONT_NUM_BLOCKS_MAX;
  for (int code = 0x20; code < 0x3000; code += 3) pFont->aCharInfo[code].Exists = 1;
  return pFont;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FUZZ_Init();
  static FontPtr uc16 = FontWithCodes(ENCODING_UC16);
  static FontPtr jis = FontWithCodes(ENCODING_JIS);
  const std::string image = FUZZ_Text(data, size);
  INPUT_ApplyPattern(uc16.get(), image);
  INPUT_ApplyPattern(jis.get(), image);
  return 0;
}
