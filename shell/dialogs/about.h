// The About box and the "CMD Help" window.
#pragma once

#include <QDialog>
#include <QString>
#include <QWidget>

#include "shell/dialogs/internal/dialogshell.h"

class QPlainTextEdit;

// The line that says when this program was built: "Compiled %H:%M:%S on %b %e %Y".
QString SHELL_BuildLine();

class AboutBox : public DialogShell {
  Q_OBJECT

 public:
  AboutBox(QWidget* parent, const QString& programTitle);

 protected:
  void showEvent(QShowEvent* event) override;
};

// The command-line help: a read-only text in a fixed-pitch face, so that its
// tab-aligned columns line up, filling a dialog window of its own. While it is
// open its parent (the main window) takes no input; Escape or the close box
// closes it, and it deletes itself when closed.
class CmdHelpWindow : public QDialog {
  Q_OBJECT

 public:
  CmdHelpWindow(QWidget* parent, const QString& text);
  QPlainTextEdit* textEdit() const { return edit_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QPlainTextEdit* edit_;
};
