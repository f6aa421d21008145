// What every fuzz target shares: the tables the readers use, silent platform
// services (no message box, no question answered) and settings of its own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Prepares the process once; call at the start of every input.
void FUZZ_Init();
std::string FUZZ_Text(const uint8_t* data, size_t size);
