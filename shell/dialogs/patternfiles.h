// The file dialogs of the pattern-file commands, split into set-up and result so
// that they can be driven without a modal loop.
#pragma once

class QFileDialog;

// Titles, filters, mode and starting folder of "Select pattern file" (save false)
// or "Save pattern file" (save true).
void SHELL_SetupPatternDialog(QFileDialog* dialog, bool save);
// After the dialog closed: reads the chosen file into the current font or saves
// the current font's enabled characters into it. Returns true when it did.
bool SHELL_FinishPatternDialog(QFileDialog* dialog, bool save);
