// The persistent options record and its store.
#pragma once

#include <cstdint>
#include <string>

#define PROGRAM_NAME "Font Converter for Tavro"
#define PROGRAM_VERSION "6.32c"

struct Settings {
  int32_t V350_Compatibility = 0;  // 1: C source for library versions V3.50x or older
  int32_t MagX = 1;                // horizontal magnification of the writers
  int32_t MagY = 1;                // vertical magnification of the writers
  int32_t SuppressLogging = 0;     // 1: no journal in C source banners
  int32_t SuppressOptAA = 0;       // 1: internal antialiasing without phase optimization
  int32_t EnableGamma = 0;         // 1: gamma correction for OS-antialiased AA2/AA4
  int32_t PointMode = 0;           // font chooser unit: 0 pixels, 1 points
  int32_t GetTypeXBF = 0;          // type assumed for old XBF files
  int32_t SuppressDetectXBF = 0;   // 1: no type detection of old XBF files
  int32_t SuppressMessage = 0;     // 1: messages go to the log file
  int32_t LogInWorkingDir = 0;     // 1: log file in the working directory
  uint16_t LowercaseChar = 'e';    // measured for the lowercase height
  uint16_t CapitalChar = 'A';      // measured for the capital height
  uint16_t BaselineChar = 'a';     // its bottom defines the baseline
};

// Fills the record; 1 when the store can neither be opened nor created (defaults then).
int SETTINGS_Load(Settings* pSettings);
// Writes the record; 1 when it cannot be written.
int SETTINGS_Save(const Settings* pSettings);
// The file that holds the settings: ${XDG_CONFIG_HOME:-$HOME/.config}/VANTOR/<program>.ini
std::string SETTINGS_GetFileName();
