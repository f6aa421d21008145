#include "output/internal/progress.h"

#include <cstdio>

#include "settings/services.h"

void OUT_ShowProgress(uint16_t code) {
  if (code & 0xFF) return;
  char status[32];
  std::snprintf(status, sizeof(status), "Saving character %04X   ", code);
  SERVICES_Get()->SetStatusText(status);
}
