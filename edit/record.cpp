#include "edit/record.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

#include "edit/internal/chardelta.h"
#include "edit/internal/relayout.h"
#include "settings/journal.h"
#include "settings/services.h"

EditScope EDIT_ScopeNone() { return EditScope{}; }

EditScope EDIT_ScopeChar(uint16_t code) { return EDIT_ScopeRange(code, code); }

EditScope EDIT_ScopeRange(int64_t first, int64_t last) {
  first = std::max<int64_t>(first, 0);
  last = std::min<int64_t>(last, FONT_NUM_CODES - 1);
  if (first > last) return EditScope{};
  EditScope scope;
  scope.First = static_cast<int32_t>(first);
  scope.Last = static_cast<int32_t>(last);
  return scope;
}

EditScope EDIT_ScopeAll(const Font* pFont) {
  return EDIT_ScopeRange(0, int64_t{pFont->NumBlocks} * 16 - 1);
}

EditScope EDIT_ScopeRowEdit(const Font* pFont, uint16_t code) {
  return EDIT_RowsAreFontWide(pFont) ? EDIT_ScopeAll(pFont) : EDIT_ScopeChar(code);
}

EditScope EDIT_ScopeFontHeight(const Font* pFont) {
  return FONT_IsExtendedType(pFont->Type) ? EDIT_ScopeNone() : EDIT_ScopeAll(pFont);
}

EditScope EDIT_ScopeEnabled(int64_t first, int64_t last) {
  EditScope scope = EDIT_ScopeRange(first, last);
  scope.EnabledOnly = true;
  return scope;
}

EditScope EDIT_ScopeMerge(const Font* pSource) {
  EditScope scope;
  // A merge copies every character with a box; the flags of the others are kept
  // too, should a source carry them without a box.
  for (int32_t code = 0; code < FONT_NUM_CODES; ++code) {
    const CharInfo& ci = pSource->aCharInfo[code];
    if (ci.BoxWidth || ci.BoxHeight || ci.Enabled || ci.Exists) scope.aCode.push_back(static_cast<uint16_t>(code));
  }
  if (!scope.aCode.empty()) {
    scope.First = scope.aCode.front();
    scope.Last = scope.aCode.back();
  }
  return scope;
}

EditScope EDIT_ScopeRangeEdit(const Font* pFont, int first, int last, bool rows) {
  if (rows && EDIT_RowsAreFontWide(pFont)) return EDIT_ScopeAll(pFont);
  EditScope scope = EDIT_ScopeRange(first, last);
  // Codes beyond the font's code space act on code 0.
  const int32_t end = pFont->NumBlocks * 16;
  if (scope.First <= scope.Last && scope.Last >= end) {
    scope.Last = scope.First >= end ? 0 : end - 1;
    scope.First = 0;
  }
  return scope;
}

bool EDIT_CopyCharInfo(const CharInfo& from, CharInfo* pTo) {
  pTo->BoxWidth = from.BoxWidth;
  pTo->FileRowBytes = from.FileRowBytes;
  pTo->Enabled = from.Enabled;
  pTo->Rendered = from.Rendered;
  pTo->Exists = from.Exists;
  pTo->DataSize = from.DataSize;
  pTo->BoxLeft = from.BoxLeft;
  pTo->BoxTop = from.BoxTop;
  pTo->CursorDist = from.CursorDist;
  pTo->BoxHeight = from.BoxHeight;
  auto copy = [&](const std::unique_ptr<uint8_t[]>& plane, std::unique_ptr<uint8_t[]>* pPlane) {
    pPlane->reset();
    if (!plane) return true;
    pPlane->reset(new (std::nothrow) uint8_t[from.DataSize ? from.DataSize : 1]);
    if (!*pPlane) return false;
    std::memcpy(pPlane->get(), plane.get(), from.DataSize);
    return true;
  };
  return copy(from.pPixels, &pTo->pPixels) && copy(from.pFrame, &pTo->pFrame);
}

bool EDIT_SameCharInfo(const CharInfo& a, const CharInfo& b) {
  auto samePlane = [&](const std::unique_ptr<uint8_t[]>& p, const std::unique_ptr<uint8_t[]>& q) {
    if (!p || !q) return !p && !q;
    return std::memcmp(p.get(), q.get(), a.DataSize) == 0;
  };
  return a.BoxWidth == b.BoxWidth && a.FileRowBytes == b.FileRowBytes && a.Enabled == b.Enabled &&
         a.Rendered == b.Rendered && a.Exists == b.Exists && a.DataSize == b.DataSize && a.BoxLeft == b.BoxLeft &&
         a.BoxTop == b.BoxTop && a.CursorDist == b.CursorDist && a.BoxHeight == b.BoxHeight &&
         samePlane(a.pPixels, b.pPixels) && samePlane(a.pFrame, b.pFrame);
}

namespace {

void KeepFontValues(EditRecord* pRecord, const Font* pFont) {
  pRecord->Height = pFont->Height;
  pRecord->Baseline = pFont->Baseline;
  pRecord->MaxWidth = pFont->MaxWidth;
  pRecord->NumUsedBlocks = pFont->NumUsedBlocks;
  pRecord->CurrentChar = pFont->CurrentChar;
}

}  // namespace

int EDIT_RecordBegin(EditRecord* pRecord, const Font* pFont, const EditScope& scope) {
  *pRecord = EditRecord{};
  pRecord->Scope = scope;
  pRecord->Scope.aCode = {};  // the list is needed here only
  KeepFontValues(pRecord, pFont);
  // Listed codes in ascending order, each once: a code or block kept twice would
  // be swapped back by its second copy.
  std::vector<uint16_t> aCode = scope.aCode;
  std::sort(aCode.begin(), aCode.end());
  aCode.erase(std::unique(aCode.begin(), aCode.end()), aCode.end());
  const bool listed = !aCode.empty();
  const size_t count = listed ? aCode.size()
                              : scope.First <= scope.Last ? static_cast<size_t>(scope.Last - scope.First + 1) : 0;
  auto codeAt = [&](size_t i) { return listed ? aCode[i] : static_cast<uint16_t>(scope.First + i); };
  if (scope.EnabledOnly) {
    pRecord->aFlag.resize(count);
    for (size_t i = 0; i < count; ++i) {
      const uint16_t code = codeAt(i);
      pRecord->aFlag[i] = FlagRecord{code, pFont->aCharInfo[code].Enabled};
    }
  } else {
    pRecord->aKept.resize(count);
    for (size_t i = 0; i < count; ++i) {
      CharRecord& c = pRecord->aKept[i];
      c.Code = codeAt(i);
      if (!EDIT_CopyCharInfo(pFont->aCharInfo[c.Code], &c.Info)) {
        *pRecord = EditRecord{};
        return 1;
      }
    }
  }
  int32_t lastBlock = -1;
  for (size_t i = 0; i < count; ++i) {
    const int32_t block = codeAt(i) / 16;
    if (block == lastBlock) continue;
    lastBlock = block;
    pRecord->aBlock.push_back({static_cast<uint16_t>(block), pFont->aBlock[block].Used});
  }
  if (scope.ReplacesJournal)
    pRecord->JournalText.assign(JOURNAL_GetText(), JOURNAL_GetLength());
  else
    pRecord->JournalOffset = JOURNAL_GetLength();
  return 0;
}

namespace {

// Bytes per row that a character's other record and the font's share, 0 when
// their widths differ.
int SharedStride(const Font* pFont, const CharInfo& a, const CharInfo& b) {
  return a.BoxWidth == b.BoxWidth ? FONT_GetRowBytes(pFont, a.BoxWidth) : 0;
}

}  // namespace

void EDIT_RecordEnd(EditRecord* pRecord, const Font* pFont) {
  CharDeltas& chars = pRecord->aChar;
  chars = CharDeltas{};
  DeltaWriter writer;
  writer.pOut = &chars.aByte;
  const int fontRows = pFont->Height - pRecord->Height;
  for (const CharRecord& c : pRecord->aKept) {
    const CharInfo& now = pFont->aCharInfo[c.Code];
    if (EDIT_SameCharInfo(c.Info, now)) continue;
    EDIT_AppendDelta(&writer, c.Code, c.Info, now, SharedStride(pFont, c.Info, now), fontRows);
    if (!chars.Count++) chars.First = c.Code;
    chars.Last = c.Code;
  }
  chars.aByte.shrink_to_fit();
  std::vector<CharRecord>().swap(pRecord->aKept);
  auto& flags = pRecord->aFlag;
  flags.erase(std::remove_if(flags.begin(), flags.end(),
                             [&](const FlagRecord& f) { return f.Enabled == pFont->aCharInfo[f.Code].Enabled; }),
              flags.end());
  flags.shrink_to_fit();
  auto& blocks = pRecord->aBlock;
  blocks.erase(std::remove_if(blocks.begin(), blocks.end(),
                              [&](const BlockRecord& b) { return b.Used == pFont->aBlock[b.Block].Used; }),
               blocks.end());
  blocks.shrink_to_fit();
  if (!pRecord->Scope.ReplacesJournal) {
    const size_t length = JOURNAL_GetLength();
    const size_t offset = std::min(pRecord->JournalOffset, length);
    pRecord->JournalOffset = offset;
    pRecord->JournalText.assign(JOURNAL_GetText() + offset, length - offset);
  }
  pRecord->Done = true;
  pRecord->Ended = true;
}

namespace {

// The journal of the other state: the operation's text taken out (undo) or put
// back (redo) where it was written, when it is still found there.
void SwapJournal(EditRecord* pRecord) {
  if (pRecord->Scope.ReplacesJournal) {
    std::string now(JOURNAL_GetText(), JOURNAL_GetLength());
    JOURNAL_Clear();
    JOURNAL_Add(pRecord->JournalText.c_str());
    pRecord->JournalText = std::move(now);
    return;
  }
  const std::string& text = pRecord->JournalText;
  if (text.empty()) return;
  if (pRecord->Done) {
    const size_t offset = pRecord->JournalOffset;
    if (JOURNAL_GetLength() >= offset + text.size() &&
        std::memcmp(JOURNAL_GetText() + offset, text.data(), text.size()) == 0)
      JOURNAL_Erase(offset, text.size());
  } else {
    JOURNAL_Insert(pRecord->JournalOffset, text.data(), text.size());
  }
}

}  // namespace

int EDIT_RecordSwap(EditRecord* pRecord, Font* pFont) {
  if (!pRecord->Ended) return 1;
  int what = 0;
  int first = FONT_NUM_CODES, last = -1;
  CharDeltas& chars = pRecord->aChar;
  if (!chars.empty()) {
    // Each kept character goes into the font, and the font's goes into the record,
    // packed against it.
    CharDeltas other;
    other.Count = chars.Count;
    other.First = chars.First;
    other.Last = chars.Last;
    other.aByte.reserve(chars.aByte.size());
    DeltaWriter writer;
    writer.pOut = &other.aByte;
    DeltaReader reader;
    reader.pNext = chars.aByte.data();
    reader.pEnd = reader.pNext + chars.aByte.size();
    // All are read before any goes in, so that a shortage of memory changes nothing.
    std::vector<CharRecord> aKept(chars.Count);
    for (CharRecord& c : aKept)
      if (!EDIT_ReadDeltaCode(&reader, &c.Code) || !EDIT_ReadDeltaChar(&reader, pFont->aCharInfo[c.Code], &c.Info))
        return 1;
    const int fontRows = pRecord->Height - pFont->Height;
    for (CharRecord& c : aKept) {
      CharInfo& now = pFont->aCharInfo[c.Code];
      EDIT_AppendDelta(&writer, c.Code, now, c.Info, SharedStride(pFont, now, c.Info), fontRows);
      now = std::move(c.Info);
    }
    other.aByte.shrink_to_fit();
    chars = std::move(other);
    first = chars.First;
    last = chars.Last;
    what |= CHANGE_PIXELS | CHANGE_BOX | CHANGE_ENABLED;
  }
  for (FlagRecord& f : pRecord->aFlag) {
    std::swap(pFont->aCharInfo[f.Code].Enabled, f.Enabled);
    first = std::min<int>(first, f.Code);
    last = std::max<int>(last, f.Code);
    what |= CHANGE_ENABLED;
  }
  for (BlockRecord& b : pRecord->aBlock) {
    std::swap(pFont->aBlock[b.Block].Used, b.Used);
    what |= CHANGE_ENABLED;
  }
  std::swap(pFont->NumUsedBlocks, pRecord->NumUsedBlocks);
  if (pFont->Height != pRecord->Height || pFont->Baseline != pRecord->Baseline ||
      pFont->MaxWidth != pRecord->MaxWidth)
    what |= CHANGE_METRICS;
  std::swap(pFont->Height, pRecord->Height);
  std::swap(pFont->Baseline, pRecord->Baseline);
  std::swap(pFont->MaxWidth, pRecord->MaxWidth);
  const bool moved = pFont->CurrentChar != pRecord->CurrentChar;
  std::swap(pFont->CurrentChar, pRecord->CurrentChar);
  SwapJournal(pRecord);
  pRecord->Done = !pRecord->Done;
  if (what & CHANGE_METRICS) {
    first = 0;
    last = std::max(last, pFont->NumBlocks * 16 - 1);
  }
  if (first <= last) SERVICES_Get()->FontChanged(ChangeNotice{first, last, what});
  if (moved) SERVICES_Get()->RedrawViews(VIEW_ALL);
  return 0;
}

size_t EDIT_RecordMemory(const EditRecord& record) {
  size_t bytes = sizeof record + record.aKept.capacity() * sizeof(CharRecord) + record.aChar.aByte.capacity() +
                 record.aFlag.capacity() * sizeof(FlagRecord) + record.aBlock.capacity() * sizeof(BlockRecord) +
                 record.JournalText.capacity();
  for (const CharRecord& c : record.aKept) {
    if (c.Info.pPixels) bytes += c.Info.DataSize;
    if (c.Info.pFrame) bytes += c.Info.DataSize;
  }
  return bytes;
}

std::vector<uint16_t> EDIT_RecordCodes(const EditRecord& record, const Font* pFont) {
  std::vector<uint16_t> aCode;
  DeltaReader reader;
  reader.pNext = record.aChar.aByte.data();
  reader.pEnd = reader.pNext + record.aChar.aByte.size();
  uint16_t code = 0;
  CharInfo scratch;
  while (aCode.size() < record.aChar.Count && EDIT_ReadDeltaCode(&reader, &code) &&
         EDIT_ReadDeltaChar(&reader, pFont->aCharInfo[code], &scratch))
    aCode.push_back(code);
  return aCode;
}
