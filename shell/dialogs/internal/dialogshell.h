// The frame every small dialog of the window shares: a modal dialog with its
// caption, an OK/Cancel column at its right, at least the size the dialog was
// designed for (larger when the desktop's font needs it), centred on the main
// window and kept inside the screen's work area.
#pragma once

#include <QDialog>
#include <QSize>

class QBoxLayout;
class QGridLayout;
class QPushButton;

class DialogShell : public QDialog {
  Q_OBJECT

 public:
  // 'designSize' is the outer size the dialog was laid out for, in pixels.
  DialogShell(QWidget* parent, const QString& caption, QSize designSize);

  QPushButton* okButton() const { return ok_; }
  QPushButton* cancelButton() const { return cancel_; }

 protected:
  // Puts 'content' at the left and the OK/Cancel column at the right;
  // 'buttonsTopMargin' lowers the buttons to line up with a row of the content.
  void setContent(QLayout* content, int buttonsTopMargin = 0);
  // Without a Cancel button (the About box): Escape still closes.
  void dropCancelButton();
  void showEvent(QShowEvent* event) override;

 private:
  QSize designSize_;
  QPushButton* ok_;
  QPushButton* cancel_;
  bool placed_ = false;
};

// Places 'dialog' centred on the main window (the top-level window of its parent;
// the screen without one) and inside the work area of that screen.
void SHELL_CentreOnMainWindow(QWidget* dialog);

// A message box owned by 'parent' with the given caption, text and icon and an OK
// button; returns when it is closed.
void SHELL_ShowMessage(QWidget* parent, const QString& caption, const QString& text,
                       bool exclamation);
