#include "shell/dialogs/valuedialog.h"

#include <QApplication>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <limits>

#include "settings/messages.h"

namespace {

// The digit value of c (0-9, a-f, A-F); -1 for anything else.
int DigitValue(QChar c) {
  const char16_t u = c.unicode();
  if (u >= '0' && u <= '9') return u - '0';
  if (u >= 'a' && u <= 'f') return u - 'a' + 10;
  if (u >= 'A' && u <= 'F') return u - 'A' + 10;
  return -1;
}

}  // namespace

QString SHELL_FormatValue(int64_t value, int radix) {
  if (radix < 2 || radix > 36) radix = 10;
  // The magnitude as unsigned, so that the most negative value has one too.
  uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
  QString digits;
  do {
    digits.prepend(QChar("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ"[magnitude % radix]));
    magnitude /= radix;
  } while (magnitude);
  return value < 0 ? "-" + digits : digits;
}

int64_t SHELL_ParseValue(const QString& text, int radix) {
  const QString limited = text.left(80);
  int i = 0;
  const bool negative = limited.startsWith('-');
  if (negative) i = 1;
  // Accumulated as a magnitude; past the 64-bit range it stays at the limit.
  const uint64_t limit = negative ? uint64_t(std::numeric_limits<int64_t>::max()) + 1
                                  : uint64_t(std::numeric_limits<int64_t>::max());
  uint64_t magnitude = 0;
  for (; i < limited.size(); ++i) {
    const int digit = DigitValue(limited.at(i));
    if (digit < 0 || digit >= radix) break;
    if (magnitude > (limit - digit) / radix) {
      magnitude = limit;
      break;
    }
    magnitude = magnitude * radix + digit;
  }
  if (negative) return magnitude == limit ? std::numeric_limits<int64_t>::min() : -int64_t(magnitude);
  return int64_t(magnitude);
}

ValueEdit::ValueEdit(const ValueField& field, QWidget* parent)
    : QLineEdit(parent), radix_(field.Radix), negativeAllowed_(field.Min < 0) {
  // Pasted text comes out upper case as well.
  connect(this, &QLineEdit::textEdited, this, [this](const QString& text) {
    const QString upper = text.toUpper();
    if (upper == text) return;
    const int caret = cursorPosition();
    setText(upper);
    setCursorPosition(caret);
  });
}

bool ValueEdit::accepts(QChar c) const {
  const char16_t u = c.unicode();
  if (u < 32 || u > 127) return true;  // control keys and characters beyond ASCII
  const int digit = DigitValue(c);
  if (digit >= 0 && digit < radix_) return true;
  const int caret = hasSelectedText() ? selectionStart() : cursorPosition();
  return u == '-' && negativeAllowed_ && caret == 0 && !text().startsWith('-');
}

void ValueEdit::keyPressEvent(QKeyEvent* event) {
  // Shortcuts (Ctrl+V, Ctrl+A, ...) are control keys, not typed characters.
  if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
    QLineEdit::keyPressEvent(event);
    return;
  }
  const QString typed = event->text();
  for (QChar c : typed) {
    if (!accepts(c)) {
      QApplication::beep();
      emit refused(c);
      event->accept();
      return;
    }
  }
  const QString upper = typed.toUpper();
  if (upper != typed) {
    QKeyEvent converted(event->type(), event->key(), event->modifiers(), upper,
                        event->isAutoRepeat(), event->count());
    QLineEdit::keyPressEvent(&converted);
    return;
  }
  QLineEdit::keyPressEvent(event);
}

ValueDialog::ValueDialog(QWidget* parent, const QString& caption,
                         const std::vector<ValueField>& fields)
    : DialogShell(parent, caption, QSize(288, 25 * int(fields.size()) + 100)), fields_(fields) {
  auto* grid = new QGridLayout;
  for (size_t i = 0; i < fields_.size(); ++i) {
    auto* label = new QLabel(fields_[i].Label, this);
    auto* edit = new ValueEdit(fields_[i], this);
    edit->setObjectName(QString::number(140 + int(i)));
    if (fields_[i].pValue) edit->setText(SHELL_FormatValue(*fields_[i].pValue, fields_[i].Radix));
    edit->setMaxLength(80);
    label->setBuddy(edit);
    grid->addWidget(label, int(i), 0);
    grid->addWidget(edit, int(i), 1);
    edits_.push_back(edit);
  }
  grid->setColumnMinimumWidth(0, 70);
  grid->setRowStretch(int(fields_.size()), 1);
  setContent(grid);
}

void ValueDialog::showEvent(QShowEvent* event) {
  DialogShell::showEvent(event);
  if (!edits_.empty()) {
    edits_[0]->setFocus();
    edits_[0]->selectAll();
  }
}

void ValueDialog::accept() {
  std::vector<int64_t> values;
  for (size_t i = 0; i < fields_.size(); ++i) {
    const ValueField& field = fields_[i];
    const int64_t value = SHELL_ParseValue(edits_[i]->text(), field.Radix);
    QString message;
    if (value < field.Min) {
      message = QString("\"%1\" exceeds minimum value.\nMinimum value is: %2")
                    .arg(field.Label, SHELL_FormatValue(field.Min, field.Radix));
    } else if (value > field.Max) {
      message = QString("\"%1\" exceeds maximum value.\nMaximum value is: %2")
                    .arg(field.Label, SHELL_FormatValue(field.Max, field.Radix));
    }
    if (!message.isEmpty()) {
      SHELL_ShowMessage(this, "Value out of range", message, true);
      edits_[i]->setFocus();
      edits_[i]->selectAll();
      return;
    }
    values.push_back(value);
  }
  for (size_t i = 0; i < fields_.size(); ++i) {
    if (fields_[i].pValue) *fields_[i].pValue = values[i];
  }
  DialogShell::accept();
}

int SHELL_RunValueDialog(QWidget* parent, const QString& caption,
                         const std::vector<ValueField>& fields) {
  ValueDialog dialog(parent, caption, fields);
  return dialog.exec() == QDialog::Accepted ? 0 : 1;
}

namespace {

// The range of the last "Select range of characters", offered again next time.
int64_t rangeFirst = 0;
int64_t rangeLast = 0;

}  // namespace

bool SHELL_SelectRange(QWidget* parent, int* pFirst, int* pLast,
                       const std::function<int(ValueDialog&)>& run) {
  for (;;) {
    int64_t first = rangeFirst, last = rangeLast;
    std::vector<ValueField> fields(2);
    fields[0] = {16, 0, 0xFFFF, "&First character", &first};
    fields[1] = {16, 0, 0xFFFF, "&Last character", &last};
    ValueDialog dialog(parent, "Select range of characters", fields);
    if (run(dialog) != QDialog::Accepted) return false;
    rangeFirst = first;
    rangeLast = last;
    if (first <= last) {
      *pFirst = int(first);
      *pLast = int(last);
      return true;
    }
    ReportMessage("First character has to be <= last character!");
  }
}

bool SHELL_RunSelectRange(QWidget* parent, int id, int* pFirst, int* pLast) {
  if (id != 720 && id != 721) return false;
  return SHELL_SelectRange(parent, pFirst, pLast, [](ValueDialog& d) { return d.exec(); });
}
