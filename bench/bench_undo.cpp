// Undo and redo through the window's document and its history on a large font:
// IPAGothic at 24 pixels, EXT_AA4 (or the face, height and type given), every
// character rendered, on Qt's offscreen platform. Measures
//  - 1,000 steps of the Edit menu's insert and delete row at top, in turn (for
//    the standard types and EXT_FRM a row of every character), with the history's
//    memory budget: the resident set after 300 and after 1,000 steps;
//  - 1,000 single-pixel edits of different characters (each its own step), then
//    1,000 undos and 1,000 redos;
//  - 20 font-wide row edits: the Edit menu's "insert font row at top", and a row
//    inserted at the top of every character (the range edit of the whole font),
//    each 20 times, undone 20 times and redone 20 times;
//  - disabling every character from the Edit menu, undone and redone;
//  - the record of a merge of 192 characters and of a pattern read that enables
//    them, with the whole-font scope and with the narrow one.
// Prints the time per step (mean and max, processor time of this thread) and the
// memory the history holds: the sum of the records' bytes and the growth of the
// resident set.
//   build/bench/bench_undo [face] [height] [type] [budget in MiB]
//   (default: IPAGothic 24 EXT_AA4 256; Unifont 16 STD is the large standard font)
#include <time.h>

#include <QApplication>
#include <QUndoStack>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "benchfont.h"
#include "edit/edit.h"
#include "edit/enable.h"
#include "edit/fontedit.h"
#include "edit/record.h"
#include "input/merge.h"
#include "input/pattern.h"
#include "model/current.h"
#include "settings/journal.h"
#include "shell/document.h"

namespace {

double ThreadMs() {
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

// Resident set size in bytes.
size_t Rss() {
  std::ifstream statm("/proc/self/statm");
  size_t pages = 0, resident = 0;
  statm >> pages >> resident;
  return resident * 4096;
}

struct Times {
  double Sum = 0, Max = 0;
  int Count = 0;
  void Add(double ms) {
    Sum += ms;
    Max = std::max(Max, ms);
    ++Count;
  }
};

// Runs step n times, timing each.
Times Repeat(int n, const std::function<void(int)>& step) {
  Times t;
  for (int i = 0; i < n; ++i) {
    const double start = ThreadMs();
    step(i);
    t.Add(ThreadMs() - start);
  }
  return t;
}

void Print(const char* pName, const Times& t, double targetMs) {
  const double mean = t.Count ? t.Sum / t.Count : 0;
  std::printf("  %-34s %5d steps  mean %8.3f ms  max %8.3f ms  (target < %g ms: %s)\n", pName, t.Count, mean, t.Max,
              targetMs, t.Max < targetMs ? "met" : mean < targetMs ? "mean met" : "MISSED");
}

// Edits, undoes and redoes n steps; prints the times and the memory.
void Cycle(const char* pName, Document* pDoc, int n, double targetMs, const std::function<void(int)>& edit) {
  QUndoStack* pStack = pDoc->undoStack();
  pStack->clear();
  const size_t rss0 = Rss();
  std::printf("%s\n", pName);
  Print("edit", Repeat(n, edit), targetMs);
  if (pStack->count() != n) std::printf("  !! %d steps in the history instead of %d\n", pStack->count(), n);
  const size_t history = pDoc->historyMemory();
  Print("undo", Repeat(n, [&](int) { pStack->undo(); }), targetMs);
  Print("redo", Repeat(n, [&](int) { pStack->redo(); }), targetMs);
  const double rssGrowth = (double(Rss()) - double(rss0)) / 1024;
  std::printf("  history: %zu bytes in records (%.0f per step), resident set grew %.0f KiB\n", history,
              double(history) / n, rssGrowth);
}

// The record of one operation with a given scope: its bytes and the characters
// and flags it keeps, the font left as before.
void MeasureRecord(const char* pName, Font* pFont, const EditScope& scope, const std::function<void()>& run) {
  EditRecord record;
  const double start = ThreadMs();
  if (EDIT_RecordBegin(&record, pFont, scope)) {
    std::printf("  %-36s memory short\n", pName);
    return;
  }
  const size_t whileRecording = EDIT_RecordMemory(record);
  run();
  EDIT_RecordEnd(&record, pFont);
  const double ms = ThreadMs() - start;
  std::printf("  %-36s %8zu bytes kept (%7zu while recording), %3zu characters, %3zu flags, %6.1f ms\n", pName,
              EDIT_RecordMemory(record), whileRecording, record.aChar.size(), record.aFlag.size(), ms);
  EDIT_RecordSwap(&record, pFont);
}

// The type of a name as the command line spells it; -1 for none.
int32_t TypeOf(const char* pName) {
  static const char* const aName[] = {"STD", "AA2", "AA4", "EXT", "EXT_FRM", "EXT_AA2", "EXT_AA4"};
  for (int32_t type = 0; type < 7; ++type)
    if (std::string(pName) == aName[type]) return type;
  return -1;
}

// The font of the face and height as the given type, UC16.
FontPtr CreateFont(int argc, char** argv, int32_t type) {
  FontPtr pFont = BENCH_CreateFont(argc, argv, "bench_undo");
  if (!pFont || type == FONTTYPE_EXT_AA4) return pFont;
  LogFontRecord record = pFont->LogFont;
  pFont.reset();
  return FONT_CreateFromLogFont(&record, type, ENCODING_UC16, AAMETHOD_OS);
}

// 1,000 font-wide steps, a row inserted at the top and deleted again in turn.
void RowSteps(Document* pDoc) {
  QUndoStack* pStack = pDoc->undoStack();
  pStack->clear();
  const size_t rss0 = Rss();
  std::printf("1,000 x Edit menu: insert row at top, delete row at top, in turn\n");
  size_t rss300 = 0;
  const Times t = Repeat(1000, [&](int i) {
    pDoc->runEditCommand(i % 2 ? 562 : 542);
    if (i == 299) rss300 = Rss();
  });
  Print("edit", t, 1000.0);
  std::printf("  history: %d steps kept, %zu bytes in records (%.0f per kept step)\n", pStack->count(),
              pDoc->historyMemory(), double(pDoc->historyMemory()) / std::max(pStack->count(), 1));
  std::printf("  resident set: %.0f MiB before, %.0f MiB after 300 steps, %.0f MiB after 1,000\n",
              double(rss0) / 1048576, double(rss300) / 1048576, double(Rss()) / 1048576);
  Print("undo of the kept steps", Repeat(pStack->count(), [&](int) { pStack->undo(); }), 1000.0);
  pStack->clear();
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  int qtArgc = 1;
  QApplication app(qtArgc, argv);
  const int32_t type = argc > 3 ? TypeOf(argv[3]) : FONTTYPE_EXT_AA4;
  if (type < 0) {
    std::fprintf(stderr, "bench_undo: unknown type %s\n", argv[3]);
    return 1;
  }
  FontPtr font = CreateFont(argc, argv, type);
  if (!font) return 1;
  FONT_RenderPending(font.get());
  Document doc;
  if (argc > 4) doc.setHistoryBudget(size_t(std::atoll(argv[4])) << 20);
  doc.install(std::move(font), "");
  Font* pFont = doc.font();
  std::vector<uint16_t> aCode;
  for (int code = 0; code < FONT_NUM_CODES; ++code)
    if (FONT_IsCharEnabled(pFont, uint16_t(code)) && FONT_GetCharWidth(pFont, uint16_t(code)) > 0)
      aCode.push_back(uint16_t(code));
  std::printf("%s %s px %s: %zu characters rendered; resident set %.0f MiB\n", argc > 1 ? argv[1] : "IPAGothic",
              argc > 2 ? argv[2] : "24", argc > 3 ? argv[3] : "EXT_AA4", aCode.size(), double(Rss()) / 1048576);
  if (aCode.size() < 1000) return 1;
  JOURNAL_Clear();
  RowSteps(&doc);
  JOURNAL_Clear();

  // Characters spread over the font, each changed in one pixel.
  const int max = FONT_GetMaxPixelValue(pFont);
  Cycle("1,000 single-pixel edits of different characters", &doc, 1000, 1.0, [&](int i) {
    const uint16_t code = aCode[size_t(i) * aCode.size() / 1000];
    doc.setPixel(code, 0, 0, max - FONT_GetPixel(pFont, code, 0, 0), true);
  });
  Cycle("20 x Edit menu: insert font row at top", &doc, 20, 100.0, [&](int) { doc.runEditCommand(640); });
  Cycle("20 x a row at the top of every character", &doc, 20, 100.0, [&](int) {
    doc.recordEdit(EDIT_ScopeRangeEdit(pFont, 0, 0xFFFF, true), "Insert row at top", [&] {
      EDIT_InsertRange(pFont, 0, 0xFFFF, 1, EDIT_SIDE_TOP);
      return true;
    });
  });
  Cycle("Edit menu: disable all characters", &doc, 1, 100.0, [&](int) { doc.runEditCommand(722); });
  doc.undoStack()->clear();

  // A merge of the kana, each with one pixel changed, and a pattern read that
  // enables them again after they were disabled.
  std::printf("records of a merge and a pattern read\n");
  FontPtr pSource = FONT_Alloc();
  pSource->Type = pFont->Type;
  pSource->Encoding = pFont->Encoding;
  pSource->Height = pFont->Height;
  pSource->Baseline = pFont->Baseline;
  pSource->NumBlocks = pFont->NumBlocks;
  pSource->Has16BitCodes = pFont->Has16BitCodes;
  int merged = 0;
  for (uint16_t code = 0x3040; code < 0x3100; ++code) {
    CharInfo& ci = pSource->aCharInfo[code];
    if (!EDIT_CopyCharInfo(pFont->aCharInfo[code], &ci) || !ci.pPixels || !ci.BoxWidth) continue;
    ci.pPixels[0] ^= 0xF0;
    ++merged;
  }
  std::printf("  (%d characters in the merged font)\n", merged);
  char message[100];
  auto merge = [&] { INPUT_MergeFonts(pFont, pSource.get(), message, sizeof message); };
  EditScope wide = EDIT_ScopeRange(0, FONT_NUM_CODES - 1);
  wide.ReplacesJournal = true;
  EditScope narrow = EDIT_ScopeMerge(pSource.get());
  narrow.ReplacesJournal = true;
  MeasureRecord("merge, every code (before)", pFont, wide, merge);
  MeasureRecord("merge, the source's codes", pFont, narrow, merge);
  const std::string pattern = "/tmp/bench_undo_pattern.txt";
  {
    std::ofstream out(pattern, std::ios::binary);
    out.write("\xFF\xFE", 2);
    for (uint16_t code = 0x3040; code < 0x3100; ++code) {
      if (!pFont->aCharInfo[code].Exists) continue;
      const char unit[2] = {char(code & 0xFF), char(code >> 8)};
      out.write(unit, 2);
    }
  }
  EDIT_EnableRange(0x3040, 0x30FF, 0);
  auto read = [&] { INPUT_ReadPattern(pFont, pattern.c_str()); };
  MeasureRecord("pattern read, every code (before)", pFont, EDIT_ScopeRange(0, FONT_NUM_CODES - 1), read);
  MeasureRecord("pattern read, enabled flags only", pFont, EDIT_ScopeEnabled(0, FONT_NUM_CODES - 1), read);
  std::remove(pattern.c_str());
  FONT_SetCurrent(nullptr);  // while the engine that rendered it is still there
  return 0;
}
