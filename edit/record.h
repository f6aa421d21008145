// Edits that can be taken back. An edit record keeps what one operation (an edit,
// a merge, a pattern read, an enabling) changed: the character records it
// touched, planes included (or, for an operation that only enables and disables,
// just their enabled flags), the font-wide values (height, baseline, maximum
// width, used blocks, current character) and the journal text it added. One swap
// exchanges the kept state with the font's: the first swap undoes the operation,
// the next one redoes it, and so on.
//
// Use: EDIT_RecordBegin before the operation with the codes it will touch,
// EDIT_RecordEnd after it; from then on EDIT_RecordSwap. The record keeps only the
// characters and blocks that really changed, and of each character only what
// differs from the font's: a pixel edit keeps the changed byte, a row added to
// every character little more than the changed height, a row taken from every
// character that row's bytes (the rest of a plane is the font's, moved by whole
// rows). Records of one font must be swapped in the reverse order they were
// made (an undo stack), since each holds the state its operation started from.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "model/font.h"

// The codes an operation may touch, First..Last (empty when First > Last), or the
// listed codes when aCode is not empty; whether it replaces the journal instead of
// adding to it (a merge reads a file, which clears the journal); and whether it
// changes nothing of its characters but their enabled flags, so that the record
// keeps those flags and no planes.
struct EditScope {
  int32_t First = 0;
  int32_t Last = -1;
  bool ReplacesJournal = false;
  bool EnabledOnly = false;
  std::vector<uint16_t> aCode;
};

// Scopes of the operations.
EditScope EDIT_ScopeNone();                                // font-wide values only
EditScope EDIT_ScopeChar(uint16_t code);                   // one character
EditScope EDIT_ScopeRange(int64_t first, int64_t last);    // codes first..last (kept to 0..65535)
EditScope EDIT_ScopeAll(const Font* pFont);                // every code of the font
// A row edit of the current character: the font for the types whose rows are
// font-wide, the character otherwise.
EditScope EDIT_ScopeRowEdit(const Font* pFont, uint16_t code);
// The font height commands: every code for the standard types, whose characters
// change with the height, none for the extended ones.
EditScope EDIT_ScopeFontHeight(const Font* pFont);
// The enabled flags of codes first..last and the used blocks, no planes: an
// operation that only enables or disables characters (a pattern read).
EditScope EDIT_ScopeEnabled(int64_t first, int64_t last);
// The codes a merge of pSource replaces: those the source holds a character for.
EditScope EDIT_ScopeMerge(const Font* pSource);
// A range operation of the command line, first..last with codes outside the font
// standing for code 0; row edits of font-wide types take the whole font.
EditScope EDIT_ScopeRangeEdit(const Font* pFont, int first, int last, bool rows);

struct CharRecord {
  uint16_t Code = 0;
  CharInfo Info;  // the state not in the font: before the operation until the first swap
};

// The enabled flag of one code, kept by an enabled-only scope.
struct FlagRecord {
  uint16_t Code = 0;
  uint8_t Enabled = 0;
};

struct BlockRecord {
  uint16_t Block = 0;
  uint8_t Used = 0;
};

// The characters of the other state, each packed as what it differs in from the
// font's record of its code (edit/internal/chardelta.h gives the layout).
struct CharDeltas {
  std::vector<uint8_t> aByte;
  size_t Count = 0;
  int32_t First = 0;  // the lowest and highest code kept
  int32_t Last = -1;
  size_t size() const { return Count; }
  bool empty() const { return Count == 0; }
};

struct EditRecord {
  EditScope Scope;
  std::vector<CharRecord> aKept;  // from EDIT_RecordBegin to EDIT_RecordEnd: the scope's characters
  CharDeltas aChar;               // from EDIT_RecordEnd on: the characters that changed
  std::vector<FlagRecord> aFlag;
  std::vector<BlockRecord> aBlock;
  int32_t Height = 0;
  int32_t Baseline = 0;
  int32_t MaxWidth = 0;
  uint32_t NumUsedBlocks = 0;
  uint16_t CurrentChar = 0;
  // Journal: the text the operation added at JournalOffset, or with a replacing
  // scope the whole other journal text.
  size_t JournalOffset = 0;
  std::string JournalText;
  bool Done = false;   // the font holds the state after the operation
  bool Ended = false;  // EDIT_RecordEnd was called
};

// Keeps the state of the scope's codes and the font-wide values. 1 when memory is
// short (the record is then empty and cannot be swapped).
int EDIT_RecordBegin(EditRecord* pRecord, const Font* pFont, const EditScope& scope);
// After the operation: keeps the journal text it added and drops the characters
// and blocks it left as they were.
void EDIT_RecordEnd(EditRecord* pRecord, const Font* pFont);
// Exchanges the kept state with the font's: undo, then redo, and so on. Reports
// the change through the platform services. 1 for a record that was not ended.
int EDIT_RecordSwap(EditRecord* pRecord, Font* pFont);
// Bytes the record holds, planes and journal text included.
size_t EDIT_RecordMemory(const EditRecord& record);
// The codes of the characters an ended record keeps, ascending (the font is the
// one the record was made on, in the state it was last left in).
std::vector<uint16_t> EDIT_RecordCodes(const EditRecord& record, const Font* pFont);
// A deep copy of a character record, planes included; false when memory is short.
bool EDIT_CopyCharInfo(const CharInfo& from, CharInfo* pTo);
// Two character records are equal in every field and plane byte.
bool EDIT_SameCharInfo(const CharInfo& a, const CharInfo& b);
