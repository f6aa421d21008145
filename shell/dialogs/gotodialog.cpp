#include "shell/dialogs/gotodialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/font.h"
#include "shell/dialogs/gotocode.h"

GoToDialog::GoToDialog(const Font* pFont, QWidget* parent) : QDialog(parent), pFont_(pFont) {
  setObjectName("GoToDialog");
  setWindowTitle(tr("Go to character"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(tr("Code (41, 0x41, U+0041, #65) or character:"), this));
  edit_ = new QLineEdit(this);
  edit_->setObjectName("code");
  layout->addWidget(edit_);
  hint_ = new QLabel(this);
  hint_->setObjectName("hint");
  hint_->setMinimumWidth(320);
  layout->addWidget(hint_);
  buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  layout->addWidget(buttons_);
  connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(edit_, &QLineEdit::textChanged, this, &GoToDialog::entryChanged);
  entryChanged();
}

void GoToDialog::entryChanged() {
  const QByteArray text = edit_->text().toUtf8();
  const int32_t encoding = pFont_ ? FONT_GetEncoding(pFont_) : ENCODING_UC16;
  int code = -1;
  const int result = GOTO_ParseCode(text.constData(), encoding, &code);
  code_ = result == GOTO_PARSED ? code : -1;
  if (code_ >= 0) {
    const std::string name = GOTO_CharName(encoding, code_);
    hint_->setText(QString::asprintf("%04X", code_) + (name.empty() ? QString() : "  " + QString::fromStdString(name)));
  } else if (result == GOTO_EMPTY) {
    hint_->clear();
  } else {
    hint_->setText(QString::fromStdString(GOTO_FailureText(text.constData(), result, 0, GOTO_IN_FONT)));
  }
  buttons_->button(QDialogButtonBox::Ok)->setEnabled(code_ >= 0);
}

bool SHELL_AskGoToCharacter(QWidget* parent, const Font* pFont, int* pCode, QString* pError, int showAll) {
  if (pError) pError->clear();
  GoToDialog dialog(pFont, parent);
  if (dialog.exec() != QDialog::Accepted || dialog.code() < 0) return false;
  const int code = dialog.code();
  const int place = GOTO_CheckCode(pFont, code, showAll);
  if (place != GOTO_IN_FONT) {
    if (pError) *pError = QString::fromStdString(GOTO_FailureText("", GOTO_PARSED, code, place));
    return false;
  }
  *pCode = code;
  return true;
}
