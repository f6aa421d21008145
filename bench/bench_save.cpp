// The program's main job against two other converters, run side by side:
//  - every character of IPAGothic at 24 pixels to EXT_AA4 C source, against
//    lv_font_conv --bpp 4 -r 0x20-0xFFFF --no-compress --no-kerning (targets: at
//    least 8 times faster, at most a quarter of its peak memory) and against
//    FreeType's own grey rendering of the same glyphs with no output (target: at
//    most 3 times that);
//  - DejaVu Sans at 16 pixels to EXT C source against otf2bdf (target: at most
//    twice its time).
// Sizes are em heights (a negative create height), the unit the peers use.
// Every program run is timed as a whole process, best of several runs; peak
// memory is the largest resident set of a run. A peer that is not installed is
// skipped (bench/bench_save.sh installs them). A missed target is reported as
// FAIL and in the last line; the run itself succeeds, so that `make bench` goes on.
#include <ft2build.h>
#include FT_FREETYPE_H
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

const char kIpaFile[] = "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf";
const char kDejaVuFile[] = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

struct Measure {
  double Seconds = 1e30;  // best of the runs
  long PeakKB = 0;        // largest of the runs
  bool Ok = false;
};

// Runs the program in dir, its console output discarded, 'runs' times; a run
// succeeds when it ends normally having written the file 'output' (otf2bdf's exit
// code carries no meaning).
Measure RunProgram(const std::vector<std::string>& args, const std::string& dir, const char* output, int runs) {
  Measure m;
  const std::string written = dir + "/" + output;
  std::fflush(stdout);
  for (int i = 0; i < runs; ++i) {
    std::filesystem::remove(written);
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
      if (chdir(dir.c_str()) != 0) _exit(127);
      if (!std::freopen("/dev/null", "w", stdout) || !std::freopen("/dev/null", "w", stderr)) _exit(127);
      std::vector<char*> argv;
      for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
      argv.push_back(nullptr);
      execvp(argv[0], argv.data());
      _exit(127);
    }
    int status = 0;
    struct rusage usage {};
    wait4(pid, &status, 0, &usage);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::error_code ec;
    if (!WIFEXITED(status) || std::filesystem::file_size(written, ec) == 0 || ec) return m;
    if (seconds < m.Seconds) m.Seconds = seconds;
    if (usage.ru_maxrss > m.PeakKB) m.PeakKB = usage.ru_maxrss;
  }
  m.Ok = true;
  return m;
}

// FreeType rendering every BMP character from U+0020 of the file in grey at an em
// of 'pixels', nothing kept; returns the best time and the number of glyphs.
Measure FreeTypeGrey(const char* file, int pixels, int runs, int* pCount) {
  Measure m;
  FT_Library library;
  if (FT_Init_FreeType(&library)) return m;
  FT_Face face;
  if (FT_New_Face(library, file, 0, &face) == 0 && FT_Set_Pixel_Sizes(face, 0, FT_UInt(pixels)) == 0) {
    for (int i = 0; i < runs; ++i) {
      const auto start = std::chrono::steady_clock::now();
      int count = 0;
      FT_UInt index;
      for (FT_ULong code = FT_Get_First_Char(face, &index); index; code = FT_Get_Next_Char(face, code, &index)) {
        if (code < 0x20 || code > 0xFFFF) continue;
        if (FT_Load_Glyph(face, index, FT_LOAD_RENDER) == 0) ++count;
      }
      const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      if (seconds < m.Seconds) m.Seconds = seconds;
      *pCount = count;
    }
    m.Ok = true;
    FT_Done_Face(face);
  }
  FT_Done_FreeType(library);
  return m;
}

// The number of pixel arrays in a C file the program wrote.
int CountArrays(const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return 0;
  int count = 0;
  char line[512];
  while (std::fgets(line, sizeof(line), f))
    if (std::string(line).rfind("static GUI_CONST_STORAGE unsigned char ac", 0) == 0) ++count;
  std::fclose(f);
  return count;
}

void Row(const char* what, const Measure& m) {
  if (m.Ok && m.PeakKB) std::printf("  %-58s %7.3f s %7.1f MB\n", what, m.Seconds, double(m.PeakKB) / 1024);
  else if (m.Ok) std::printf("  %-58s %7.3f s   (in this process)\n", what, m.Seconds);
  else std::printf("  %-58s not run (missing or failed)\n", what);
}

bool Check(const char* what, double value, double limit, bool atLeast) {
  const bool pass = atLeast ? value >= limit : value <= limit;
  std::printf("  %-58s %7.2f   (target %s %g) %s\n", what, value, atLeast ? ">=" : "<=", limit,
              pass ? "PASS" : "FAIL");
  return pass;
}

}  // namespace

int main(int, char** argv) {
  namespace fs = std::filesystem;
  const fs::path bin = fs::absolute(argv[0]).parent_path();
  const std::string morvane = (bin.parent_path() / "Morvane").string();
  const char* lvEnv = std::getenv("LV_FONT_CONV");
  const std::string lvFontConv =
      lvEnv ? lvEnv : (bin.parent_path() / "bench-tools/node_modules/.bin/lv_font_conv").string();
  char pattern[] = "/tmp/morvane-bench-XXXXXX";
  const std::string dir = mkdtemp(pattern);
  bool pass = true;

  std::printf("IPAGothic, 24-pixel em, 4 bits per pixel, every character of U+0020..U+FFFF\n");
  const Measure ours = RunProgram({morvane, "-hide", "-createIPAGothic,REGULAR,-24,EXT_AA4,UC16",
                                   "-saveasipa24.c,C", "-exit"},
                                  dir, "ipa24.c", 5);
  const int ourCount = CountArrays(dir + "/ipa24.c");
  Row("Morvane -> EXT_AA4 C source", ours);
  Measure lv;
  if (fs::exists(lvFontConv))
    lv = RunProgram({lvFontConv, "--font", kIpaFile, "--size", "24", "--bpp", "4", "-r", "0x20-0xFFFF",
                     "--no-compress", "--no-kerning", "--format", "lvgl", "-o", "lv24.c"},
                    dir, "lv24.c", 2);
  Row("lv_font_conv --bpp 4 -r 0x20-0xFFFF --no-compress --no-kerning", lv);
  int ftCount = 0;
  const Measure ft = FreeTypeGrey(kIpaFile, 24, 3, &ftCount);
  Row("FreeType grey rendering of the same glyphs, no output", ft);
  std::printf("  characters: %d written by Morvane, %d rendered by FreeType\n", ourCount, ftCount);
  if (!ours.Ok || !ft.Ok) pass = false;
  if (ours.Ok && lv.Ok) {
    pass &= Check("times faster than lv_font_conv", lv.Seconds / ours.Seconds, 8, true);
    pass &= Check("peak memory as a share of lv_font_conv's", double(ours.PeakKB) / double(lv.PeakKB), 0.25, false);
  }
  if (ours.Ok && ft.Ok) pass &= Check("time as a multiple of FreeType's rendering", ours.Seconds / ft.Seconds, 3, false);

  std::printf("DejaVu Sans, 16-pixel em, 1 bit per pixel, every character\n");
  const Measure dv = RunProgram({morvane, "-hide", "-createDejaVu Sans,REGULAR,-16,EXT,UC16", "-saveasdv16.c,C",
                                 "-exit"},
                                dir, "dv16.c", 7);
  Row("Morvane -> EXT C source", dv);
  const Measure bdf = RunProgram({"otf2bdf", "-p", "16", "-r", "72", "-o", "dv16.bdf", kDejaVuFile}, dir, "dv16.bdf", 7);
  Row("otf2bdf -p 16 -r 72", bdf);
  if (!dv.Ok) pass = false;
  if (dv.Ok && bdf.Ok) pass &= Check("time as a multiple of otf2bdf's", dv.Seconds / bdf.Seconds, 2, false);

  fs::remove_all(dir);
  std::printf("%s\n", pass ? "all targets met" : "TARGETS MISSED");
  return 0;
}
