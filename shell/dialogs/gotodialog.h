// The Go to character dialog: one line for a code or a character, a line below it
// that tells what the entry stands for, OK and Cancel.
#pragma once

#include <QDialog>
#include <QString>

class QDialogButtonBox;
class QLabel;
class QLineEdit;
struct Font;

class GoToDialog : public QDialog {
  Q_OBJECT

 public:
  GoToDialog(const Font* pFont, QWidget* parent = nullptr);

  QLineEdit* edit() const { return edit_; }
  QLabel* hint() const { return hint_; }
  // The code of the entry, -1 when it is none (OK is grayed then).
  int code() const { return code_; }

 private:
  void entryChanged();

  const Font* pFont_;
  QLineEdit* edit_;
  QLabel* hint_;
  QDialogButtonBox* buttons_;
  int code_ = -1;
};

// Asks for a character. True with *pCode set when the font view can go there.
// False when the user cancelled (*pError empty) or the code cannot be shown:
// *pError is then the status-bar text saying why (a code outside the font, or in
// a block hidden while showAll is 0).
bool SHELL_AskGoToCharacter(QWidget* parent, const Font* pFont, int* pCode, QString* pError, int showAll = 1);
