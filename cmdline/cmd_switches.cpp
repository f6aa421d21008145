// The two switches of a command-line run: -hide and -nomessages.
#include "cmdline/cmdline.h"
#include "cmdline/internal/commands.h"
#include "settings/messages.h"

void CMD_Hide() { CMDLINE_SetShowWindow(false); }

void CMD_NoMessages() { SetMessageSuppression(1); }
