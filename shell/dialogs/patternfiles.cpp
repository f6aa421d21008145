#include "shell/dialogs/patternfiles.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLineEdit>

#include "input/pattern.h"
#include "model/current.h"
#include "shell/dialogs/dialogs.h"

namespace {

const QStringList kFilters = {"txt-files (*.txt)", "All files (*.*)"};

// What the pattern dialogs remember for the rest of the run: the filter last
// chosen (1-based) and the folder of the last file saved, where the next dialog opens.
int filterPosition = 1;
QString lastSavedPath;

// "*.*" is every file to the user; Qt would read it as names with a dot only.
void ShowEveryFileForStarDotStar(QFileDialog* dialog, const QString& filter) {
  if (!filter.endsWith("(*.*)")) return;
  if (auto* model = dialog->findChild<QFileSystemModel*>()) model->setNameFilters({"*"});
}

// When the user picks another file type in a save dialog, the typed name is cut at
// its first "." and gets the type's extension ("my.list" becomes "my.txt"). The
// type of every file has no extension to give: the name is left without one
// (rather than the "my.*" Qt's dialog would make of it).
void RenameForFilter(QFileDialog* dialog, const QString& filter) {
  const int open = int(filter.lastIndexOf("(*."));
  if (open < 0) return;
  const QString extension = filter.mid(open + 3).chopped(1);
  auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit");
  if (!edit || edit->text().isEmpty()) return;
  const QString base = edit->text().left(200).section('.', 0, 0);
  edit->setText(extension.contains('*') ? base : base + "." + extension);
}

}  // namespace

void SHELL_SetupPatternDialog(QFileDialog* dialog, bool save) {
  dialog->setWindowTitle(save ? "Save pattern file" : "Select pattern file");
  dialog->setOption(QFileDialog::DontUseNativeDialog);
  dialog->setOption(QFileDialog::DontConfirmOverwrite);  // the save asks itself
  dialog->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog->setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog->setNameFilters(kFilters);
  const int position = filterPosition >= 1 && filterPosition <= kFilters.size() ? filterPosition : 1;
  dialog->selectNameFilter(kFilters[position - 1]);
  if (!lastSavedPath.isEmpty()) dialog->setDirectory(QFileInfo(lastSavedPath).absolutePath());
  QObject::connect(dialog, &QFileDialog::filterSelected, dialog, [dialog, save](const QString& filter) {
    ShowEveryFileForStarDotStar(dialog, filter);
    if (save) RenameForFilter(dialog, filter);
  });
  ShowEveryFileForStarDotStar(dialog, kFilters[position - 1]);
}

bool SHELL_FinishPatternDialog(QFileDialog* dialog, bool save) {
  if (dialog->result() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return false;
  const int chosen = int(kFilters.indexOf(dialog->selectedNameFilter()));
  if (chosen >= 0) filterPosition = chosen + 1;
  QString path = dialog->selectedFiles().first();
  // A name typed without an extension under the text-file filter gets ".txt".
  if (save && chosen == 0 && QFileInfo(path).suffix().isEmpty()) path += ".txt";
  Font* pFont = FONT_GetCurrent();
  if (!pFont) return false;
  const QByteArray name = QFile::encodeName(path);
  if (save) {
    lastSavedPath = path;
    return INPUT_SavePattern(pFont, name.constData()) == 0;
  }
  INPUT_ReadPattern(pFont, name.constData());
  return true;
}

namespace {

// The whole command: the dialog, modal, then the file read or saved.
void RunPatternDialog(QWidget* parent, bool save) {
  if (!FONT_GetCurrent()) return;
  QFileDialog dialog(parent);
  SHELL_SetupPatternDialog(&dialog, save);
  dialog.exec();
  SHELL_FinishPatternDialog(&dialog, save);
}

}  // namespace

void SHELL_ReadPatternFile(QWidget* parent) { RunPatternDialog(parent, false); }

void SHELL_SavePatternFile(QWidget* parent) { RunPatternDialog(parent, true); }
