// Paint times and memory of the font view on large fonts, on Qt's offscreen
// platform: the first paint after a font is installed, the paint after Ctrl+End,
// Page Down steps (each with the rendering of the characters that come into view),
// paints of characters already rendered, and the heap after paging through the
// whole font against the same font rendered in one go as a batch save does.
// Times are the processor time of the painting thread (wall averages beside).
//
//   build/bench/bench_views [face height]...   (default: WenQuanYi Micro Hei 24,
//                                               IPAGothic 24; EXT_AA4, UC16)
#include <malloc.h>
#include <time.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "generation/antialias.h"
#include "generation/generate.h"
#include "model/codetables.h"
#include "model/current.h"
#include "shell/document.h"
#include "shell/views/fontview.h"

namespace {

size_t HeapInUse() { return mallinfo2().uordblks; }

FontPtr Generate(const char* pFace, int height) {
  LogFontRecord record{};
  record.Height = -height;
  record.Weight = 400;
  std::snprintf(record.acFaceName, sizeof record.acFaceName, "%s", pFace);
  return FONT_CreateFromLogFont(&record, FONTTYPE_EXT_AA4, ENCODING_UC16, AAMETHOD_OS);
}

int CountRendered(const Font* pFont) {
  int n = 0;
  for (int code = 0; code < FONT_NUM_CODES; code++) n += FONT_IsCharRendered(pFont, uint16_t(code));
  return n;
}

// Processor time of this thread: the machine the figures come from is shared,
// and wall time there measures the other processes as much as this one.
double ThreadMs() {
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

struct Timer {
  QElapsedTimer t;
  double cpu0 = ThreadMs();
  Timer() { t.start(); }
  double Ms() const { return ThreadMs() - cpu0; }
  double WallMs() const { return double(t.nsecsElapsed()) / 1e6; }
};

void Press(FontView& view, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QKeyEvent event(QEvent::KeyPress, key, modifiers);
  view.handleKey(&event);
}

// Paints the view now and returns the milliseconds the paint took.
double Paint(FontView& view) {
  Timer timer;
  view.viewport()->repaint();
  return timer.Ms();
}

struct Steps {
  double Average = 0, Max = 0, Median = 0, AverageRendering = 0, MaxRendering = 0, WallAverage = 0;
  int Count = 0, Rendering = 0;
};

// n Page Down (or Up) steps, each with its paint.
Steps Page(FontView& view, Font* pFont, int n, Qt::Key key) {
  Steps s;
  double total = 0, totalRendering = 0, wall = 0;
  std::vector<double> times;
  for (int i = 0; i < n; i++) {
    const int before = CountRendered(pFont);
    Timer timer;
    Press(view, key);
    view.viewport()->repaint();
    const double ms = timer.Ms();
    wall += timer.WallMs();
    times.push_back(ms);
    total += ms;
    s.Max = std::max(s.Max, ms);
    if (CountRendered(pFont) > before) {
      totalRendering += ms;
      s.MaxRendering = std::max(s.MaxRendering, ms);
      s.Rendering++;
    }
  }
  std::sort(times.begin(), times.end());
  s.Count = n;
  s.Average = total / n;
  s.WallAverage = wall / n;
  s.Median = times[times.size() / 2];
  s.AverageRendering = s.Rendering ? totalRendering / s.Rendering : 0;
  return s;
}

void Run(const char* pFace, int height) {
  if (!GENERATE_IsFaceInstalled(pFace)) {
    std::printf("%s is not installed; skipped\n", pFace);
    return;
  }
  std::printf("\n%s, %d px, EXT_AA4, UC16\n", pFace, height);
  Document document;
  FontView view(&document);
  view.resize(800, 300);
  view.show();
  QApplication::processEvents();

  // The heap with the font installed and nothing rendered.
  document.install(Generate(pFace, height), "");
  Font* pFont = document.font();
  int enabled = 0;
  for (int code = 0; code < FONT_NUM_CODES; code++) enabled += FONT_IsCharEnabled(pFont, uint16_t(code));
  std::printf("  characters enabled: %d, used blocks: %u, rows on screen: %d\n", enabled,
              FONT_GetNumUsedBlocks(pFont), view.visibleRows());
  malloc_trim(0);
  const size_t heapInstalled = HeapInUse();

  const double first = Paint(view);
  std::printf("  first paint after install:        %7.2f ms (%d characters rendered)\n", first, CountRendered(pFont));
  std::printf("  repaint, characters rendered:     %7.2f ms\n", Paint(view));
  {
    const int before = CountRendered(pFont);
    Timer timer;
    Press(view, Qt::Key_End, Qt::ControlModifier);
    view.viewport()->repaint();
    const double ms = timer.Ms();
    std::printf("  Ctrl+End with its paint:          %7.2f ms (%d characters rendered)\n", ms,
                CountRendered(pFont) - before);
  }
  std::printf("  repaint after Ctrl+End:           %7.2f ms\n", Paint(view));

  for (int showAll : {1, 0}) {
    // All blocks: many pages cross blocks the face does not cover. Used blocks
    // only: every page is full of characters not yet rendered.
    document.setShowAllCharacters(showAll);
    const char* pMode = showAll ? "all blocks " : "used blocks";
    Press(view, Qt::Key_Home, Qt::ControlModifier);
    Paint(view);
    const Steps down = Page(view, pFont, 200, Qt::Key_PageDown);
    std::printf("  200 x Page Down, %s:     %6.2f ms average (wall %.2f), %.2f median, %.2f max; %d steps "
                "rendered: %.2f ms average, %.2f max\n",
                pMode, down.Average, down.WallAverage, down.Median, down.Max, down.Rendering, down.AverageRendering,
                down.MaxRendering);
    // The same screens again, now rendered.
    Press(view, Qt::Key_Home, Qt::ControlModifier);
    Paint(view);
    const Steps again = Page(view, pFont, 200, Qt::Key_PageDown);
    std::printf("  the same 200 steps, rendered:     %6.2f ms average (wall %.2f), %.2f median, %.2f max\n",
                again.Average, again.WallAverage, again.Median, again.Max);
  }

  // The rest of the font, page by page, then the heap.
  const int pages = int(FONT_GetNumUsedBlocks(pFont)) / std::max(view.visibleRows() - 1, 1) + 2;
  Timer whole;
  Page(view, pFont, pages, Qt::Key_PageDown);
  const double wholeMs = whole.Ms();
  malloc_trim(0);
  const size_t paged = HeapInUse() - heapInstalled;
  const int renderedPaging = CountRendered(pFont);
  std::printf("  paging through the whole font:    %d steps, %.0f ms, %d characters rendered\n", pages, wholeMs,
              renderedPaging);

  // The same font rendered in one go, as the save dispatcher does before writing.
  FontPtr pBatch = Generate(pFace, height);
  malloc_trim(0);
  const size_t heapBatchInstalled = HeapInUse();
  Timer batchTimer;
  FONT_RenderPending(pBatch.get());
  const double batchMs = batchTimer.Ms();
  const size_t batch = HeapInUse() - heapBatchInstalled;
  std::printf("  batch rendering:                  %.0f ms, %d characters rendered\n", batchMs,
              CountRendered(pBatch.get()));
  std::printf("  heap growth, paged through:       %7.2f MB\n", double(paged) / (1 << 20));
  std::printf("  heap growth, batch rendered:      %7.2f MB\n", double(batch) / (1 << 20));
  std::printf("  ratio paged / batch:              %7.2f (target at most 1.5)\n", double(paged) / double(batch));
  pBatch.reset();
  FONT_SetCurrent(nullptr);
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  AA_InitGammaTables();
  SJIS_Init();
  UNICODE_Init();
  if (argc >= 3) {
    for (int i = 1; i + 1 < argc; i += 2) Run(argv[i], std::atoi(argv[i + 1]));
  } else {
    Run("WenQuanYi Micro Hei", 24);
    Run("IPAGothic", 24);
  }
  return 0;
}
