// Handlers of the command table. Each reads its values from the current argument
// text with the CMDLINE_ readers.
#pragma once

#include "model/font.h"

void CMD_Create();
void CMD_Edit();
void CMD_Enable();
void CMD_Hide();
void CMD_Merge();
void CMD_ReadPattern();
void CMD_SaveAs();
void CMD_NoMessages();
// Reads a font file with the C or the XBF reader; null (reported) on failure.
FontPtr CMD_ReadFontFile(const char* fileName, bool isXbf);
// Reads a .c or .xbf file named on the command line and installs it; 0 on success.
int CMD_OpenFile(const char* fileName, bool isXbf);
