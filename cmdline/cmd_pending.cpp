// Handlers whose font operations are not part of the program yet: they accept their
// command and do nothing.
#include "cmdline/commands.h"

void CMD_Merge() {}
int CMD_OpenFile(const char*, bool) { return 1; }
