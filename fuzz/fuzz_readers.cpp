// Fuzz target: the command-line value readers. The first byte chooses the order
// in which the readers pull values from the rest of the input.
#include <cstring>

#include "cmdline/internal/readers.h"
#include "fuzz/fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FUZZ_Init();
  if (size == 0) return 0;
  const uint8_t plan = data[0];
  const std::string text = FUZZ_Text(data + 1, size - 1);
  if (std::memchr(text.data(), 0, text.size())) return 0;  // arguments hold no zero byte
  CMDLINE_SetArgText(text.c_str());
  static const char* const kOptions[] = {"TOP", "BOTTOM", "C", "XBF", nullptr};
  char buffer[200];
  for (int step = 0; step < 8; ++step) {
    switch ((plan >> (step % 4 * 2)) & 3) {
      case 0: CMDLINE_GetHexValue(); break;
      case 1: CMDLINE_GetDecValue(); break;
      case 2:
        CMDLINE_GetString(buffer, step < 4 ? sizeof(buffer) : 5);
        CMDLINE_FindOption(buffer, kOptions);
        break;
      case 3: CMDLINE_ExpectSeparator(step % 2 ? ',' : '-'); break;
    }
    CMDLINE_GetChar();
  }
  int32_t value;
  CMDLINE_HexToInt(text.c_str(), &value);
  return 0;
}
