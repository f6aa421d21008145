// The entry points the window's dispatch calls for the option dialogs and the XBF
// type question.
#include "shell/dialogs/dialogs.h"

#include <memory>

#include "shell/dialogs/optiondialogs.h"

void SHELL_RunOptionDialog(QWidget* parent, int id) {
  std::unique_ptr<OptionDialog> dialog;
  switch (id) {
    case ID_OPTIONS_COMPATIBILITY: dialog = std::make_unique<CompatibilityDialog>(parent); break;
    case ID_OPTIONS_MAGNIFICATION: dialog = std::make_unique<MagnificationDialog>(parent); break;
    case ID_OPTIONS_LOGGING: dialog = std::make_unique<LoggingDialog>(parent); break;
    case ID_OPTIONS_ANTIALIASING: dialog = std::make_unique<AntialiasingDialog>(parent); break;
    case ID_OPTIONS_XBF: dialog = std::make_unique<XbfOptionsDialog>(parent); break;
    case ID_OPTIONS_MEASUREMENT: dialog = std::make_unique<MeasurementDialog>(parent); break;
    default: return;
  }
  dialog->exec();
}

int SHELL_AskXbfTypeDialog(QWidget* parent, int defaultType) {
  XbfTypeDialog dialog(parent, defaultType);
  if (dialog.exec() != QDialog::Accepted) return -1;
  return dialog.chosenType();
}
