// The file dialogs of the File menu on Qt's own (non-native) file dialog, so they
// behave the same on every desktop. One state is shared by all of them for the life
// of the process: the position of the filter chosen last (preselected in the next
// dialog) and the path chosen in the last save dialog (the next dialog's folder).
#pragma once

#include <QString>

#include "shell/commandtable.h"

class QFileDialog;
class QWidget;

// Shows an open dialog; true with the chosen path in *pPath.
bool FILEDLG_Open(QWidget* pParent, const char* pTitle, const FileFilter* pFilters, int numFilters,
                  QString* pPath);
// Shows a save dialog proposing *pPath; true with the chosen path in *pPath. The
// chosen filter's position is then FILEDLG_GetFilterPos().
bool FILEDLG_Save(QWidget* pParent, const char* pTitle, const FileFilter* pFilters, int numFilters,
                  QString* pPath);
// 1-based position of the filter chosen last; 1 at the start.
int FILEDLG_GetFilterPos();
QString FILEDLG_GetLastSavedPath();
// Back to the state at program start.
void FILEDLG_Reset();
