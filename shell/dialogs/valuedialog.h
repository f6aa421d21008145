// The value dialog: one labelled edit line per number, each with its radix and
// limits, a typing filter that refuses what cannot be part of such a number, and
// range checks on OK. "Select range of characters" is built on it.
#pragma once

#include <QLineEdit>
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

#include "shell/dialogs/internal/dialogshell.h"

struct ValueField {
  int Radix = 10;        // number base of input and display
  int64_t Min = 0;       // smallest accepted value
  int64_t Max = 0;       // largest accepted value
  QString Label;         // shown left of the edit and quoted in messages
  int64_t* pValue = nullptr;  // current value on entry, result on OK
};

// An edit that lets through only the digits of its radix, a leading "-" where
// negative values are allowed, and control keys; letters come out upper case.
class ValueEdit : public QLineEdit {
  Q_OBJECT

 public:
  ValueEdit(const ValueField& field, QWidget* parent);

 signals:
  // A typed character was refused (the desktop's beep sounds as well).
  void refused(QChar c);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  bool accepts(QChar c) const;
  int radix_;
  bool negativeAllowed_;
};

class ValueDialog : public DialogShell {
  Q_OBJECT

 public:
  ValueDialog(QWidget* parent, const QString& caption, const std::vector<ValueField>& fields);
  ValueEdit* edit(int i) const { return edits_[i]; }
  // Checks the fields in order; the first out of its range is reported and gets
  // the focus, and the dialog stays open. Otherwise every value is stored.
  void accept() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  std::vector<ValueField> fields_;
  std::vector<ValueEdit*> edits_;
};

// 'value' written in 'radix': digits 0-9 and A-Z, a leading "-" when negative.
QString SHELL_FormatValue(int64_t value, int radix);
// Reads an optional "-" and then the digits of 'radix' up to the first other
// character; the value saturates at the limits of 64 bits.
int64_t SHELL_ParseValue(const QString& text, int radix);

// Runs the value dialog modally: 0 for OK (values stored), 1 for Cancel.
int SHELL_RunValueDialog(QWidget* parent, const QString& caption,
                         const std::vector<ValueField>& fields);

// "Select range of characters" with the dialog run by 'run' (which returns the
// dialog's result); SHELL_RunSelectRange runs it modally.
bool SHELL_SelectRange(QWidget* parent, int* pFirst, int* pLast,
                       const std::function<int(ValueDialog&)>& run);
