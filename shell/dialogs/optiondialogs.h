// The option dialogs of the Options menu and the XBF type question. Each reads the
// Settings when it is made and, on OK, reads them afresh, copies its controls into
// them and stores them; Cancel and closing store nothing.
#pragma once

#include <QString>
#include <cstdint>

#include "shell/dialogs/internal/dialogshell.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;
struct Settings;

// The base of the option dialogs: OK loads, stores and closes.
class OptionDialog : public DialogShell {
  Q_OBJECT

 public:
  using DialogShell::DialogShell;
  void accept() override;

 protected:
  // Copies the controls into the settings; false keeps them from being stored.
  virtual bool store(Settings* pSettings) = 0;
};

class CompatibilityDialog : public OptionDialog {
  Q_OBJECT
 public:
  explicit CompatibilityDialog(QWidget* parent);
 protected:
  bool store(Settings* pSettings) override;
 private:
  QRadioButton* newer_;
  QRadioButton* older_;
};

class MagnificationDialog : public OptionDialog {
  Q_OBJECT
 public:
  explicit MagnificationDialog(QWidget* parent);
 protected:
  bool store(Settings* pSettings) override;
 private:
  QComboBox* magX_;
  QComboBox* magY_;
};

class LoggingDialog : public OptionDialog {
  Q_OBJECT
 public:
  explicit LoggingDialog(QWidget* parent);
 protected:
  bool store(Settings* pSettings) override;
 private:
  QCheckBox* logging_;
  QCheckBox* messages_;
  QCheckBox* workingDir_;
};

class AntialiasingDialog : public OptionDialog {
  Q_OBJECT
 public:
  explicit AntialiasingDialog(QWidget* parent);
 protected:
  bool store(Settings* pSettings) override;
 private:
  QCheckBox* suppressOpt_;
  QCheckBox* gamma_;
};

class XbfOptionsDialog : public OptionDialog {
  Q_OBJECT
 public:
  explicit XbfOptionsDialog(QWidget* parent);
 protected:
  bool store(Settings* pSettings) override;
 private:
  QCheckBox* suppressDetect_;
};

class MeasurementDialog : public OptionDialog {
  Q_OBJECT
 public:
  explicit MeasurementDialog(QWidget* parent);
 protected:
  bool store(Settings* pSettings) override;
 private:
  QLineEdit* edits_[3];
};

// "Type of XBF-font to be read". OK stores the checked type (-1 with none) as
// GetTypeXBF; chosenType() tells it afterwards.
class XbfTypeDialog : public OptionDialog {
  Q_OBJECT
 public:
  XbfTypeDialog(QWidget* parent, int defaultType);
  int chosenType() const { return chosen_; }
 protected:
  bool store(Settings* pSettings) override;
 private:
  QButtonGroup* types_;
  int chosen_ = -1;
};

// The text a measurement character is shown as: the character itself below 256,
// "0x%X" above.
QString SHELL_MeasurementCharText(uint16_t code);
// Reads a measurement character's text: 0 with the code in *pCode, otherwise the
// message that rejects it.
enum {
  MEASURE_OK = 0,
  MEASURE_NOT_SINGLE = 1,  // neither one character nor a "0x" number
  MEASURE_RANGE = 2,       // "0x" with no or more than four digits
  MEASURE_NOT_HEX = 3,     // "0x" followed by a non-hexadecimal character
};
int SHELL_ParseMeasurementChar(const QString& text, uint16_t* pCode);
// The message text of a SHELL_ParseMeasurementChar result.
const char* SHELL_MeasurementMessage(int result);
