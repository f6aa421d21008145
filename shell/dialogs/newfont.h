// The New command: the generation options, then the font chooser, then the font.
#pragma once

#include <string>

#include <QString>
#include <cstdint>
#include <functional>

#include "model/font.h"

class QDialog;
class QWidget;

// Runs both dialogs from the presets (type, encoding, method and record in, the
// confirmed values out; currentHeight is the current font's height, 0 without
// one). 0 when both were confirmed; 1 on Cancel or a null record (outputs untouched).
int FONT_ChooseSystemFont(QWidget* owner, LogFontRecord* pRecord, int32_t* pType, int32_t* pEncoding,
                          int32_t* pMethod, int32_t currentHeight, std::string* pFamily = nullptr);

// Runs the dialogs starting from the current font's settings (EXT, UC16, OS and
// an empty record without one) and creates the font. Null on Cancel or when the
// font cannot be made (the core has reported why).
FontPtr SHELL_RunNewFont(QWidget* parent, const Font* pCurrent);

// How the modal dialogs run: exec() unless replaced (the tests drive them with
// events instead). The runner returns the dialog's result code.
using DialogRunner = std::function<int(QDialog* pDialog)>;
void SHELL_SetDialogRunner(DialogRunner runner);  // an empty runner restores exec()

