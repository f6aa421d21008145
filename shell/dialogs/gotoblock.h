// Go to block: the Unicode blocks the font holds characters in, each with its count
// of enabled characters; choosing one takes the font view there.
#pragma once

#include <QDialog>
#include <cstdint>
#include <vector>

class QTreeWidget;
struct Font;

// One Unicode block of the font.
struct BlockEntry {
  int Area = -1;            // row of the Unicode block list
  uint32_t First = 0;       // the block's codes, within the font
  uint32_t Last = 0;
  uint32_t NumEnabled = 0;  // enabled characters in it (at least one)
  int FirstEnabled = -1;    // where the font view goes
};

// The blocks holding an enabled character, in code order; none for a Shift_JIS
// font, whose codes are not Unicode.
std::vector<BlockEntry> GOTO_ListBlocks(const Font* pFont);

class GoToBlockDialog : public QDialog {
  Q_OBJECT

 public:
  // Lists the font's blocks with the block of currentCode selected.
  GoToBlockDialog(const Font* pFont, int currentCode, QWidget* parent = nullptr);

  QTreeWidget* list() const { return list_; }
  // The block chosen; -1 while none is.
  int chosen() const;
  const std::vector<BlockEntry>& blocks() const { return blocks_; }

 private:
  std::vector<BlockEntry> blocks_;
  QTreeWidget* list_;
};

// Asks for a block. True with *pEntry set when the user chose one.
bool SHELL_AskGoToBlock(QWidget* parent, const Font* pFont, int currentCode, BlockEntry* pEntry);
