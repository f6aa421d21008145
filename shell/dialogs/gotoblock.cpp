#include "shell/dialogs/gotoblock.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "model/codetables.h"
#include "model/font.h"

std::vector<BlockEntry> GOTO_ListBlocks(const Font* pFont) {
  std::vector<BlockEntry> blocks;
  if (!pFont || FONT_GetEncoding(pFont) == ENCODING_JIS) return blocks;
  BlockEntry entry;
  auto flush = [&] {
    if (entry.NumEnabled) blocks.push_back(entry);
    entry = BlockEntry();
  };
  const uint32_t numBlocks = FONT_GetNumBlocks(pFont);
  for (uint32_t block = 0; block < numBlocks; ++block) {
    const int area = FONT_GetBlockArea(pFont, block);
    if (area != entry.Area) {
      flush();
      entry.Area = area;
      entry.First = block * 16;
    }
    if (area < 0) continue;
    entry.Last = block * 16 + 15;
    for (uint32_t code = block * 16; code <= entry.Last; ++code) {
      if (!pFont->aCharInfo[code].Enabled) continue;
      if (!entry.NumEnabled) entry.FirstEnabled = int(code);
      entry.NumEnabled++;
    }
  }
  flush();
  return blocks;
}

GoToBlockDialog::GoToBlockDialog(const Font* pFont, int currentCode, QWidget* parent)
    : QDialog(parent), blocks_(GOTO_ListBlocks(pFont)) {
  setObjectName("GoToBlockDialog");
  setWindowTitle(tr("Go to block"));
  auto* layout = new QVBoxLayout(this);
  list_ = new QTreeWidget(this);
  list_->setObjectName("blocks");
  list_->setRootIsDecorated(false);
  list_->setUniformRowHeights(true);
  list_->setHeaderLabels({tr("Block"), tr("Codes"), tr("Enabled")});
  const QLocale english(QLocale::English);
  QTreeWidgetItem* pCurrent = nullptr;
  for (const BlockEntry& b : blocks_) {
    auto* pItem = new QTreeWidgetItem(list_);
    pItem->setText(0, QString::fromLatin1(UNICODE_aBlocks[b.Area].pName));
    pItem->setText(1, QString::asprintf("%04X-%04X", b.First, b.Last));
    pItem->setText(2, english.toString(b.NumEnabled));
    pItem->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    if (currentCode >= int(b.First) && currentCode <= int(b.Last)) pCurrent = pItem;
  }
  list_->setCurrentItem(pCurrent ? pCurrent : list_->topLevelItem(0));
  for (int column = 0; column < 3; ++column) list_->resizeColumnToContents(column);
  list_->setMinimumSize(list_->header()->length() + 40, 320);
  layout->addWidget(list_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setEnabled(!blocks_.empty());
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(list_, &QTreeWidget::itemActivated, this, [this] { accept(); });
  list_->setFocus();
}

int GoToBlockDialog::chosen() const {
  QTreeWidgetItem* pItem = list_->currentItem();
  return pItem ? list_->indexOfTopLevelItem(pItem) : -1;
}

bool SHELL_AskGoToBlock(QWidget* parent, const Font* pFont, int currentCode, BlockEntry* pEntry) {
  GoToBlockDialog dialog(pFont, currentCode, parent);
  if (dialog.exec() != QDialog::Accepted) return false;
  const int chosen = dialog.chosen();
  if (chosen < 0 || chosen >= int(dialog.blocks().size())) return false;
  *pEntry = dialog.blocks()[size_t(chosen)];
  return true;
}
