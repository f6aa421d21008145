// The status text of a save: "Saving character %04X   " at every 256th code.
#pragma once

#include <cstdint>

void OUT_ShowProgress(uint16_t code);
