#include "shell/dialogs/optiondialogs.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "settings/settings.h"

namespace {

Settings LoadedSettings() {
  Settings settings;
  SETTINGS_Load(&settings);
  return settings;
}

QCheckBox* CheckBox(QWidget* parent, int id, const QString& text, int32_t value) {
  auto* box = new QCheckBox(text, parent);
  box->setObjectName(QString::number(id));
  box->setChecked(value != 0);
  return box;
}

QRadioButton* Radio(QWidget* parent, int id, const QString& text) {
  auto* radio = new QRadioButton(text, parent);
  radio->setObjectName(QString::number(id));
  return radio;
}

QGroupBox* Group(QWidget* parent, const QString& title, std::initializer_list<QWidget*> items) {
  auto* group = new QGroupBox(title, parent);
  auto* column = new QVBoxLayout(group);
  for (QWidget* item : items) column->addWidget(item);
  column->addStretch(1);
  return group;
}

}  // namespace

void OptionDialog::accept() {
  Settings settings = LoadedSettings();
  if (store(&settings)) SETTINGS_Save(&settings);
  QDialog::accept();
}

CompatibilityDialog::CompatibilityDialog(QWidget* parent)
    : OptionDialog(parent, "Compatibility options", QSize(294, 115)) {
  const Settings settings = LoadedSettings();
  newer_ = Radio(this, 120, "V3.52x or later");
  older_ = Radio(this, 121, "V3.50x or older");
  // The radio of the stored value; neither for a value that has none.
  if (settings.V350_Compatibility == 0) newer_->setChecked(true);
  if (settings.V350_Compatibility == 1) older_->setChecked(true);
  auto* content = new QVBoxLayout;
  content->addWidget(Group(this, "Tavro Version", {newer_, older_}));
  content->addStretch(1);
  setContent(content);
}

bool CompatibilityDialog::store(Settings* pSettings) {
  pSettings->V350_Compatibility = older_->isChecked() ? 1 : 0;
  return true;
}

MagnificationDialog::MagnificationDialog(QWidget* parent)
    : OptionDialog(parent, "Magnification factor", QSize(294, 120)) {
  const Settings settings = LoadedSettings();
  auto* grid = new QGridLayout;
  auto makeList = [&](int id, const QString& label, int32_t value, int row) {
    auto* list = new QComboBox(this);
    list->setObjectName(QString::number(id));
    list->addItems({"1", "2", "3", "4"});
    list->setCurrentIndex(value >= 1 && value <= 4 ? value - 1 : -1);
    auto* text = new QLabel(label, this);
    text->setBuddy(list);
    grid->addWidget(text, row, 0);
    grid->addWidget(list, row, 1);
    return list;
  };
  magX_ = makeList(100, "&X", settings.MagX, 0);
  magY_ = makeList(101, "&Y", settings.MagY, 1);
  grid->setColumnStretch(1, 1);
  grid->setRowStretch(2, 1);
  setContent(grid);
}

bool MagnificationDialog::store(Settings* pSettings) {
  // A list left without a selection (a stored factor outside 1..4) keeps its value.
  if (magX_->currentIndex() >= 0) pSettings->MagX = magX_->currentIndex() + 1;
  if (magY_->currentIndex() >= 0) pSettings->MagY = magY_->currentIndex() + 1;
  return true;
}

LoggingDialog::LoggingDialog(QWidget* parent) : OptionDialog(parent, "Logging", QSize(394, 120)) {
  const Settings settings = LoadedSettings();
  logging_ = CheckBox(this, 110, "Suppress &logging", settings.SuppressLogging);
  messages_ = CheckBox(this, 111, "Suppress &messages in command line mode", settings.SuppressMessage);
  workingDir_ = CheckBox(this, 112, "Create LOG-File in working directory", settings.LogInWorkingDir);
  auto* column = new QVBoxLayout;
  column->addWidget(logging_);
  column->addWidget(messages_);
  column->addWidget(workingDir_);
  column->addStretch(1);
  setContent(column);
}

bool LoggingDialog::store(Settings* pSettings) {
  pSettings->SuppressLogging = logging_->isChecked() ? 1 : 0;
  pSettings->SuppressMessage = messages_->isChecked() ? 1 : 0;
  pSettings->LogInWorkingDir = workingDir_->isChecked() ? 1 : 0;
  return true;
}

AntialiasingDialog::AntialiasingDialog(QWidget* parent)
    : OptionDialog(parent, "Antialiasing (for standard fonts)", QSize(294, 200)) {
  const Settings settings = LoadedSettings();
  suppressOpt_ = CheckBox(this, 110, "&Suppress optimization", settings.SuppressOptAA);
  gamma_ = CheckBox(this, 111, "&Enable gamma correction for AA2 and AA4", settings.EnableGamma);
  // The first group sits beside the buttons, the second spans the dialog below them.
  auto* top = new QVBoxLayout;
  top->addWidget(Group(this, "Internal antialiasing", {suppressOpt_}));
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(okButton());
  buttons->addWidget(cancelButton());
  buttons->addStretch(1);
  auto* grid = new QGridLayout(this);
  grid->addLayout(top, 0, 0);
  grid->addLayout(buttons, 0, 1);
  grid->addWidget(Group(this, "Antialiasing using OS", {gamma_}), 1, 0, 1, 2);
  grid->setColumnStretch(0, 1);
  grid->setHorizontalSpacing(18);
}

bool AntialiasingDialog::store(Settings* pSettings) {
  pSettings->SuppressOptAA = suppressOpt_->isChecked() ? 1 : 0;
  pSettings->EnableGamma = gamma_->isChecked() ? 1 : 0;
  return true;
}

XbfOptionsDialog::XbfOptionsDialog(QWidget* parent)
    : OptionDialog(parent, "XBF font options", QSize(314, 120)) {
  const Settings settings = LoadedSettings();
  auto* text = new QLabel(
      "Suppress automatic type detection of\nolder XBF font files (V5.14 or earlier)", this);
  suppressDetect_ = CheckBox(this, 110, "Suppress autodetection", settings.SuppressDetectXBF);
  auto* column = new QVBoxLayout;
  column->addWidget(text);
  auto* indented = new QHBoxLayout;
  indented->addSpacing(10);
  indented->addWidget(suppressDetect_);
  column->addLayout(indented);
  column->addStretch(1);
  setContent(column);
}

bool XbfOptionsDialog::store(Settings* pSettings) {
  pSettings->SuppressDetectXBF = suppressDetect_->isChecked() ? 1 : 0;
  return true;
}

QString SHELL_MeasurementCharText(uint16_t code) {
  if (code < 256) return QString(QChar(code));
  return QString("0x%1").arg(code, 0, 16).toUpper().replace("0X", "0x");
}

int SHELL_ParseMeasurementChar(const QString& text, uint16_t* pCode) {
  const bool prefixed = text.startsWith("0x") || text.startsWith("0X");
  if (!prefixed) {
    if (text.size() != 1) return MEASURE_NOT_SINGLE;
    *pCode = text.at(0).unicode();
    return MEASURE_OK;
  }
  if (text.size() < 3 || text.size() > 6) return MEASURE_RANGE;
  uint16_t value = 0;
  for (int i = 2; i < text.size(); ++i) {
    const char16_t c = text.at(i).unicode();
    int digit;
    if (c >= '0' && c <= '9') digit = c - '0';
    else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    else return MEASURE_NOT_HEX;
    value = static_cast<uint16_t>(value * 16 + digit);
  }
  *pCode = value;
  return MEASURE_OK;
}

const char* SHELL_MeasurementMessage(int result) {
  switch (result) {
    case MEASURE_NOT_SINGLE:
      return "Valid inputs are:\n  - Single characters\n  - Hexidecimal numbers prefixed with \"0x\"";
    case MEASURE_RANGE:
      return "Input is not a valid hexadecimal number!\nValid range is 0x0000-0xFFFF";
    case MEASURE_NOT_HEX:
      return "Input is not a valid hexadecimal number!";
  }
  return "";
}

MeasurementDialog::MeasurementDialog(QWidget* parent)
    : OptionDialog(parent, "Set measurement characters", QSize(400, 150)) {
  const Settings settings = LoadedSettings();
  auto* grid = new QGridLayout;
  auto* intro = new QLabel("Set characters that are used for measuring font metrics.", this);
  grid->addWidget(intro, 0, 0, 1, 2);
  const char* labels[3] = {"Baseline character", "Lower case height character",
                           "Upper case height character"};
  const uint16_t codes[3] = {settings.BaselineChar, settings.LowercaseChar, settings.CapitalChar};
  for (int i = 0; i < 3; ++i) {
    auto* label = new QLabel(labels[i], this);
    edits_[i] = new QLineEdit(SHELL_MeasurementCharText(codes[i]), this);
    edits_[i]->setObjectName(QString::number(157 + i));
    edits_[i]->setFixedWidth(edits_[i]->fontMetrics().horizontalAdvance("0xFFFF") + 24);
    label->setBuddy(edits_[i]);
    grid->addWidget(label, i + 1, 0);
    grid->addWidget(edits_[i], i + 1, 1);
  }
  grid->setColumnStretch(0, 1);
  grid->setColumnMinimumWidth(0, 190);
  grid->setRowStretch(4, 1);
  setContent(grid, intro->sizeHint().height() + grid->verticalSpacing());
}

bool MeasurementDialog::store(Settings* pSettings) {
  uint16_t codes[3] = {};
  for (int i = 0; i < 3; ++i) {
    const int result = SHELL_ParseMeasurementChar(edits_[i]->text(), &codes[i]);
    if (result != MEASURE_OK) {
      // The dialog closes all the same, with nothing stored.
      SHELL_ShowMessage(this, "Invalid input", SHELL_MeasurementMessage(result), false);
      return false;
    }
  }
  pSettings->BaselineChar = codes[0];
  pSettings->LowercaseChar = codes[1];
  pSettings->CapitalChar = codes[2];
  return true;
}

XbfTypeDialog::XbfTypeDialog(QWidget* parent, int defaultType)
    : OptionDialog(parent, "Type of XBF-font to be read", QSize(324, 170)) {
  struct Choice {
    int id;
    const char* label;
    int type;
  };
  static const Choice kChoices[] = {{120, "Standard", 0},
                                    {121, "Extended", 3},
                                    {122, "Extended, framed", 4},
                                    {123, "Extended, antialiased, 2bpp", 5},
                                    {124, "Extended, antialiased, 4bpp", 6}};
  types_ = new QButtonGroup(this);
  auto* group = new QGroupBox("Type:", this);
  auto* column = new QVBoxLayout(group);
  for (const Choice& choice : kChoices) {
    QRadioButton* radio = Radio(group, choice.id, choice.label);
    types_->addButton(radio, choice.type);
    column->addWidget(radio);
    if (choice.type == defaultType) radio->setChecked(true);
  }
  column->addStretch(1);
  auto* content = new QVBoxLayout;
  content->addWidget(group);
  setContent(content);
}

bool XbfTypeDialog::store(Settings* pSettings) {
  chosen_ = types_->checkedId();  // -1 with no radio checked
  pSettings->GetTypeXBF = chosen_;
  return true;
}

