// The "Font generation options" dialog: the font type, the encoding and the
// antialiasing method of a new font, asked before the font chooser.
#pragma once

#include <QDialog>
#include <cstdint>

class QButtonGroup;
class QListWidget;
class QRadioButton;

class GenerationDialog : public QDialog {
  Q_OBJECT

 public:
  // Starts from the preset type, encoding and method (those of the current font,
  // or EXT, UC16 and OS without one).
  GenerationDialog(QWidget* parent, int32_t type, int32_t encoding, int32_t method);

  // What OK confirmed: the selected entry, the checked encoding and method (a
  // method without a checked button keeps its preset).
  int32_t type() const { return type_; }
  int32_t encoding() const { return encoding_; }
  int32_t method() const { return method_; }

  // The widgets, named for tests and screenshots.
  QListWidget* typeList() const { return typeList_; }
  QRadioButton* encodingButton(int32_t encoding) const;
  QRadioButton* methodButton(int32_t method) const;

  void accept() override;

 private:
  void addExtendedEntries();
  void removeExtendedEntries();
  void onEncodingClicked(int encoding);
  void applyMethodRule();

  QListWidget* typeList_ = nullptr;
  QButtonGroup* encodings_ = nullptr;
  QButtonGroup* methods_ = nullptr;
  int32_t type_;
  int32_t encoding_;
  int32_t method_;
};
