// File dialogs: titles, filter lists, the shared filter position and folder, and the
// save dialog's renaming of the typed name when another file type is picked.
#include "shell/filedialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QStringList>

namespace {

int filterPos = 1;
QString lastSavedPath;

QStringList FilterTexts(const FileFilter* pFilters, int n) {
  QStringList list;
  for (int i = 0; i < n; ++i) list << QString::fromUtf8(pFilters[i].pDescription);
  return list;
}

// The dialog with the filter of the shared position preselected (the first when the
// position lies beyond this list) and the folder of the last saved path.
void Prepare(QFileDialog& dialog, const char* pTitle, const FileFilter* pFilters, int n) {
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setWindowTitle(QString::fromUtf8(pTitle));
  const QStringList texts = FilterTexts(pFilters, n);
  dialog.setNameFilters(texts);
  const int pos = filterPos >= 1 && filterPos <= n ? filterPos : 1;
  dialog.selectNameFilter(texts[pos - 1]);
  if (!lastSavedPath.isEmpty()) dialog.setDirectory(QFileInfo(lastSavedPath).absolutePath());
}

int ChosenFilterPos(const QFileDialog& dialog, const FileFilter* pFilters, int n) {
  const int index = FilterTexts(pFilters, n).indexOf(dialog.selectedNameFilter());
  return index >= 0 ? index + 1 : 1;
}

}  // namespace

int FILEDLG_GetFilterPos() { return filterPos; }
QString FILEDLG_GetLastSavedPath() { return lastSavedPath; }

void FILEDLG_Reset() {
  filterPos = 1;
  lastSavedPath.clear();
}

bool FILEDLG_Open(QWidget* pParent, const char* pTitle, const FileFilter* pFilters, int n, QString* pPath) {
  QFileDialog dialog(pParent);
  Prepare(dialog, pTitle, pFilters, n);
  dialog.setObjectName("OpenFileDialog");
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setOption(QFileDialog::ReadOnly, false);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  filterPos = ChosenFilterPos(dialog, pFilters, n);
  *pPath = dialog.selectedFiles().first();
  return true;
}

bool FILEDLG_Save(QWidget* pParent, const char* pTitle, const FileFilter* pFilters, int n, QString* pPath) {
  QFileDialog dialog(pParent);
  Prepare(dialog, pTitle, pFilters, n);
  dialog.setObjectName("SaveFileDialog");
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  // The save itself asks before it replaces a file.
  dialog.setOption(QFileDialog::DontConfirmOverwrite);

  auto filterOf = [&](const QString& text) {
    const int index = FilterTexts(pFilters, n).indexOf(text);
    return pFilters[index >= 0 ? index : 0];
  };
  // The proposed name takes the extension of the preselected filter.
  const QString extension =
      QString::fromStdString(SHELL_FilterExtension(filterOf(dialog.selectedNameFilter())));
  dialog.setDefaultSuffix(extension);
  if (!pPath->isEmpty()) {
    dialog.selectFile(QString::fromStdString(SHELL_ReplacePathExtension(pPath->toStdString(),
                                                                        extension.toStdString())));
  }
  // Once set up, and whenever another file type is picked, the typed name is cut at
  // its first '.' and given the extension of the selected filter.
  QLineEdit* pNameEdit = dialog.findChild<QLineEdit*>("fileNameEdit");
  auto rename = [&dialog, pNameEdit, filterOf](const QString& filterText) {
    const QString ext = QString::fromStdString(SHELL_FilterExtension(filterOf(filterText)));
    dialog.setDefaultSuffix(ext);
    if (!pNameEdit || pNameEdit->text().isEmpty()) return;
    pNameEdit->setText(
        QString::fromStdString(SHELL_ReplaceExtension(pNameEdit->text().toStdString(), ext.toStdString())));
  };
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, rename);
  rename(dialog.selectedNameFilter());

  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  filterPos = ChosenFilterPos(dialog, pFilters, n);
  *pPath = dialog.selectedFiles().first();
  lastSavedPath = *pPath;
  return true;
}
