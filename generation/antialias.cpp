#include "generation/antialias.h"

#include <algorithm>
#include <cmath>

#include "settings/settings.h"

namespace {

enum { kStd, kAa2, kAa4, kExt, kExtFrm, kExtAa2, kExtAa4, kTypes };

struct Tables {
  uint8_t grid2[4], grid4[16];
  uint8_t gamma2[256], gamma4[256];
  uint8_t display2[4], display4[16];
  int8_t values[kTypes][256];
  bool gammaEnabled = false;
  bool built = false;
} tables;

// Grid t[i] = pow(i / max, 0.4) x 255; grey g maps to max - i for the nearest t[i],
// a grey half-way going to the larger i.
void BuildGamma(int max, uint8_t* pGrid, uint8_t* pMap) {
  for (int i = 0; i <= max; i++) pGrid[i] = uint8_t(std::pow(double(i) / max, 0.4) * 255);
  for (int i = 0; i <= max; i++) {
    const int from = i > 0 ? pGrid[i - 1] + (pGrid[i] - pGrid[i - 1]) / 2 : 0;
    const int to = i < max ? pGrid[i] + (pGrid[i + 1] - pGrid[i]) / 2 - 1 : 255;
    for (int g = from; g <= to; g++) pMap[g] = uint8_t(max - i);
  }
}

void BuildDisplay(int max, uint8_t* pDisplay) {
  for (int v = 0; v <= max; v++) pDisplay[v] = uint8_t(std::pow(double(max - v) / max, 0.7) * 255);
}

int ValueOfGrey(int type, int g) {
  switch (type) {
    case kAa2: return tables.gammaEnabled ? tables.gamma2[g] : 3 - g * 4 / 255;
    case kAa4: return tables.gammaEnabled ? tables.gamma4[g] : 15 - g / 17;
    case kExtAa2: return 3 - g * 4 / 255;
    case kExtAa4: return 15 - (g + 8) / 17;
    default: return g == 255 ? 0 : 1;
  }
}

void BuildValues() {
  for (int type = 0; type < kTypes; type++)
    for (int g = 0; g < 256; g++) tables.values[type][g] = int8_t(ValueOfGrey(type, g));
}

void EnsureBuilt() {
  if (!tables.built) AA_InitGammaTables();
}

}  // namespace

void AA_InitGammaTables() {
  BuildGamma(3, tables.grid2, tables.gamma2);
  BuildGamma(15, tables.grid4, tables.gamma4);
  BuildDisplay(3, tables.display2);
  BuildDisplay(15, tables.display4);
  tables.built = true;
  AA_LoadOptions();
}

void AA_LoadOptions() {
  Settings settings;
  SETTINGS_Load(&settings);
  tables.gammaEnabled = settings.EnableGamma != 0;
  if (!tables.built) {
    AA_InitGammaTables();
    return;
  }
  BuildValues();
}

int AA_ColorToValue(int type, AAColor color) {
  const int g = (int(color & 255) + int(color >> 8 & 255) + int(color >> 16 & 255)) / 3;
  return AA_GetGreyValueTable(type)[g];
}

AAColor AA_ValueToColor(int type, int value) {
  EnsureBuilt();
  auto grey = [](int g) { return AA_RGB(g, g, g); };
  switch (type) {
    case kAa2:
    case kExtAa2: return grey(tables.display2[std::clamp(value, 0, 3)]);
    case kAa4:
    case kExtAa4: return grey(tables.display4[std::clamp(value, 0, 15)]);
    case kExtFrm:
      if (value < 0) return AA_FRAME_COLOR;
      return value ? grey(0) : AA_WHITE;
    default: return value ? grey(0) : AA_WHITE;
  }
}

const int8_t* AA_GetGreyValueTable(int type) {
  EnsureBuilt();
  return tables.values[std::clamp(type, 0, kTypes - 1)];
}

const uint8_t* AA_GetLevelGrid(int bits) {
  EnsureBuilt();
  return bits == 2 ? tables.grid2 : tables.grid4;
}

const uint8_t* AA_GetGammaMap(int bits) {
  EnsureBuilt();
  return bits == 2 ? tables.gamma2 : tables.gamma4;
}
