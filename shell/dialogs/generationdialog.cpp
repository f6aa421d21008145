#include "shell/dialogs/generationdialog.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "model/font.h"

namespace {

// One entry per font type, in FontType order.
const char* const kTypeNames[FONT_NUM_TYPES] = {
    "Standard", "Antialiased, 2bpp", "Antialiased, 4bpp", "Extended", "Extended, framed",
    "Extended, antialiased, 2bpp", "Extended, antialiased, 4bpp",
};
constexpr int kFirstExtended = FONTTYPE_EXT;

}  // namespace

GenerationDialog::GenerationDialog(QWidget* parent, int32_t type, int32_t encoding, int32_t method)
    : QDialog(parent), type_(type), encoding_(encoding), method_(method) {
  setObjectName("GenerationDialog");
  setWindowTitle("Font generation options");

  // Created in the order the keyboard visits them: type list, encodings, OK,
  // Cancel, methods.
  auto* typeLabel = new QLabel("&Type of font to generate", this);
  typeList_ = new QListWidget(this);
  typeList_->setObjectName("typeList");
  typeList_->setSelectionMode(QAbstractItemView::SingleSelection);
  typeList_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  typeList_->setFrameShadow(QFrame::Sunken);
  typeLabel->setBuddy(typeList_);
  for (const char* pName : kTypeNames) typeList_->addItem(pName);
  // Tall enough for the seven entries, as wide as the longest one.
  const int rows = FONT_NUM_TYPES;
  typeList_->setFixedHeight(typeList_->sizeHintForRow(0) * rows + 2 * typeList_->frameWidth() + 2);
  typeList_->setMinimumWidth(typeList_->sizeHintForColumn(0) + 2 * typeList_->frameWidth() +
                             typeList_->verticalScrollBar()->sizeHint().width());

  auto* encodingBox = new QGroupBox("&Encoding", this);
  encodings_ = new QButtonGroup(this);
  auto* encodingLayout = new QVBoxLayout(encodingBox);
  const char* const aEncodingNames[] = {"16 Bit &UNICODE", "8 Bit &ASCII + ISO 8859", "8/16 Bit &SHIFT_JIS"};
  for (int e = 0; e < 3; e++) {
    auto* button = new QRadioButton(aEncodingNames[e], encodingBox);
    button->setObjectName(QString("encoding%1").arg(e));
    encodings_->addButton(button, e);
    encodingLayout->addWidget(button);
  }
  encodingLayout->addStretch();

  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("ok");
  ok->setDefault(true);
  auto* cancel = new QPushButton("Cancel", this);
  cancel->setObjectName("cancel");

  auto* methodBox = new QGroupBox("&Antialiasing", this);
  methods_ = new QButtonGroup(this);
  auto* methodLayout = new QVBoxLayout(methodBox);
  const char* const aMethodNames[] = {"Using OS", "Internal"};
  for (int m = 0; m < 2; m++) {
    auto* button = new QRadioButton(aMethodNames[m], methodBox);
    button->setObjectName(QString("method%1").arg(m));
    methods_->addButton(button, m);
    methodLayout->addWidget(button);
  }
  methodLayout->addStretch();

  // The list with its label above the encodings on the left; OK and Cancel above
  // the antialiasing group on the right.
  auto* grid = new QGridLayout(this);
  auto* listColumn = new QVBoxLayout;
  listColumn->addWidget(typeLabel);
  listColumn->addWidget(typeList_);
  listColumn->addStretch();
  grid->addLayout(listColumn, 0, 0);
  auto* buttonColumn = new QVBoxLayout;
  buttonColumn->addSpacing(typeLabel->sizeHint().height());
  buttonColumn->addWidget(ok);
  buttonColumn->addWidget(cancel);
  buttonColumn->addStretch();
  grid->addLayout(buttonColumn, 0, 1);
  grid->addWidget(encodingBox, 1, 0);
  grid->addWidget(methodBox, 1, 1);
  grid->setSizeConstraint(QLayout::SetFixedSize);

  // Presets. A preset extended type does not go with an 8-bit or Shift_JIS
  // encoding: Standard then, and the extended entries go.
  int32_t selected = type;
  if (encoding != ENCODING_UC16) {
    if (FONT_IsExtendedType(selected)) selected = FONTTYPE_STD;
    removeExtendedEntries();
  }
  if (selected >= 0 && selected < typeList_->count()) typeList_->setCurrentRow(selected);
  if (QAbstractButton* button = encodings_->button(encoding)) button->setChecked(true);
  if (QAbstractButton* button = methods_->button(method)) button->setChecked(true);
  applyMethodRule();

  connect(typeList_, &QListWidget::currentRowChanged, this, [this] { applyMethodRule(); });
  // A row stays selected: a control-click on it would otherwise leave none.
  connect(typeList_, &QListWidget::itemSelectionChanged, this, [this] {
    if (typeList_->selectedItems().isEmpty() && typeList_->currentItem())
      typeList_->currentItem()->setSelected(true);
  });
  // Whatever checks an encoding (a click, its mnemonic, the arrow keys, an
  // accessibility tool's toggle action) updates the type list.
  connect(encodings_, &QButtonGroup::idToggled, this, [this](int encoding, bool checked) {
    if (checked) onEncodingClicked(encoding);
  });
  connect(ok, &QPushButton::clicked, this, &GenerationDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &GenerationDialog::reject);
  typeList_->setFocus();
}

QRadioButton* GenerationDialog::encodingButton(int32_t encoding) const {
  return qobject_cast<QRadioButton*>(encodings_->button(encoding));
}

QRadioButton* GenerationDialog::methodButton(int32_t method) const {
  return qobject_cast<QRadioButton*>(methods_->button(method));
}

void GenerationDialog::addExtendedEntries() {
  if (typeList_->count() == FONT_NUM_TYPES) return;
  for (int t = typeList_->count(); t < FONT_NUM_TYPES; t++) typeList_->addItem(kTypeNames[t]);
}

void GenerationDialog::removeExtendedEntries() {
  if (typeList_->count() != FONT_NUM_TYPES) return;
  for (int n = 0; n < FONT_NUM_TYPES - kFirstExtended; n++) delete typeList_->takeItem(kFirstExtended);
}

void GenerationDialog::onEncodingClicked(int encoding) {
  if (encoding == ENCODING_UC16) {
    addExtendedEntries();
    return;
  }
  if (typeList_->currentRow() >= kFirstExtended) typeList_->setCurrentRow(FONTTYPE_STD);
  removeExtendedEntries();
}

void GenerationDialog::applyMethodRule() {
  const int row = typeList_->currentRow();
  const bool antialiased = row == FONTTYPE_AA2 || row == FONTTYPE_AA4;
  for (QAbstractButton* button : methods_->buttons()) button->setEnabled(antialiased);
}

void GenerationDialog::accept() {
  if (typeList_->currentRow() >= 0) type_ = typeList_->currentRow();
  if (encodings_->checkedId() >= 0) encoding_ = encodings_->checkedId();
  if (methods_->checkedId() >= 0) method_ = methods_->checkedId();
  QDialog::accept();
}
