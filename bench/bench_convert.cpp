// Whole conversions of two large faces by the program, against FreeType's own
// grey rendering of the same glyphs in the same run (one thread: load, hint and
// render each, no output), the figure a conversion should not exceed.
//   bench_convert [runs [program [baseline [format]]]]   (default 5, build/Morvane, none, C)
// Runs the program and the FreeType pass alternately; prints the medians, their
// ratio, the program's processor time and its peak memory, for IPAGothic and WenQuanYi Micro Hei (a
// .ttc) at -24 pixels EXT_AA4 saved as C (or XBF or SIF; a baseline of "-" is none),
// and the load average of the machine. Where
// /dev/shm is a memory file system, the same conversion saved there runs in the same
// alternation: the difference to the disk is what syncing the file costs. A baseline
// (another build of the program) runs in the same alternation too, saved to the disk,
// so that two builds are compared under the same conditions.
#include <ft2build.h>
#include FT_FREETYPE_H
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "generation/fontengine.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

const char* pProgram = MORVANE_EXE;
std::string format = "C";  // as -saveas names it
std::string FileName() {
  std::string name = "font.";
  for (char c : format) name += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return name;
}

double CpuSeconds(const rusage& usage) {
  return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// One conversion by a program in 'folder'; gives its wall time, and adds its peak
// memory and processor time.
double RunProgram(const char* pExe, const char* pFace, const std::string& folder, long* pPeakKb,
                  std::vector<double>* pCpu) {
  const std::string create = std::string("-create") + pFace + ",REGULAR,-24,EXT_AA4,UC16";
  const std::string saveas = "-saveas" + folder + "/" + FileName() + "," + format;
  const char* argv[] = {pExe, "-hide", create.c_str(), saveas.c_str(), "-exit", nullptr};
  const Clock::time_point start = Clock::now();
  pid_t pid;
  if (posix_spawn(&pid, pExe, nullptr, nullptr, const_cast<char**>(argv), environ) != 0) {
    std::fprintf(stderr, "cannot run %s\n", pExe);
    std::exit(1);
  }
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  const double seconds = Seconds(start);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "%s failed on %s\n", pExe, pFace);
    std::exit(1);
  }
  *pPeakKb = std::max(*pPeakKb, usage.ru_maxrss);
  pCpu->push_back(CpuSeconds(usage));
  return seconds;
}

// FreeType alone: every character of the face's map up to U+FFFF, loaded, hinted
// and rendered in grey at the scale the program renders with.
struct RawFace {
  FT_Library Library = nullptr;
  FT_Face Face = nullptr;
  std::vector<FT_UInt> Glyphs;
};

bool OpenRaw(const char* pFace, RawFace* pRaw) {
  EngineFontRequest request;
  request.pFaceName = pFace;
  request.Height = -24;
  EngineFontPtr engineFont = ENGINE_OpenFont(request);
  if (!engineFont) return false;
  EngineFaceInfo info{};
  ENGINE_GetFaceInfo(engineFont.get(), &info);
  if (FT_Init_FreeType(&pRaw->Library) || FT_New_Face(pRaw->Library, info.File.c_str(), info.Index, &pRaw->Face))
    return false;
  FT_Set_Char_Size(pRaw->Face, 0, FT_F26Dot6(std::lround(info.Ppem * 64)), 72, 72);
  FT_Select_Charmap(pRaw->Face, FT_ENCODING_UNICODE);
  FT_UInt index = 0;
  for (FT_ULong code = FT_Get_First_Char(pRaw->Face, &index); index != 0 && code <= 0xFFFF;
       code = FT_Get_Next_Char(pRaw->Face, code, &index))
    pRaw->Glyphs.push_back(index);
  return true;
}

double RawPass(const RawFace& raw) {
  const Clock::time_point start = Clock::now();
  for (FT_UInt glyph : raw.Glyphs)
    FT_Load_Glyph(raw.Face, glyph, FT_LOAD_NO_BITMAP | FT_LOAD_TARGET_NORMAL | FT_LOAD_RENDER);
  return Seconds(start);
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  if (argc > 2) pProgram = argv[2];
  const char* pBaseline = argc > 3 && std::strcmp(argv[3], "-") != 0 ? argv[3] : nullptr;
  if (argc > 4) format = argv[4];
  std::printf("saved as %s\n", format.c_str());
  char folder[] = "/tmp/bench_convert.XXXXXX";
  if (!mkdtemp(folder)) return 1;
  char memoryFolder[] = "/dev/shm/bench_convert.XXXXXX";
  const bool inMemory = mkdtemp(memoryFolder) != nullptr;
  double load[3] = {};
  if (getloadavg(load, 3) > 0) std::printf("load average %.2f %.2f %.2f\n", load[0], load[1], load[2]);
  const char* faces[] = {"IPAGothic", "WenQuanYi Micro Hei"};
  for (const char* pFace : faces) {
    RawFace raw;
    if (!OpenRaw(pFace, &raw)) {
      std::fprintf(stderr, "cannot open %s\n", pFace);
      return 1;
    }
    std::vector<double> ours, alone, cpu, memory, memoryCpu, baseline, baselineCpu;
    long peakKb = 0, baselinePeakKb = 0;
    for (int run = 0; run < runs; run++) {
      ours.push_back(RunProgram(pProgram, pFace, folder, &peakKb, &cpu));
      alone.push_back(RawPass(raw));
      if (inMemory) memory.push_back(RunProgram(pProgram, pFace, memoryFolder, &peakKb, &memoryCpu));
      if (pBaseline) baseline.push_back(RunProgram(pBaseline, pFace, folder, &baselinePeakKb, &baselineCpu));
    }
    const double ratio = Median(ours) / Median(alone);
    std::printf("%-20s %6zu glyphs: program %6.3f s (processor %6.3f s)   FreeType alone %6.3f s   ratio %.2f%s   "
                "peak %ld MB%s\n",
                pFace, raw.Glyphs.size(), Median(ours), Median(cpu), Median(alone), ratio,
                ratio > 1.0 ? " (above 1.0)" : "", peakKb / 1024, peakKb > 30 * 1024 ? " (above 30 MB)" : "");
    if (inMemory)
      std::printf("%-20s saved in memory instead: %6.3f s, ratio %.2f\n", "", Median(memory),
                  Median(memory) / Median(alone));
    if (pBaseline)
      std::printf("%-20s baseline %s: %6.3f s (processor %6.3f s), ratio %.2f, peak %ld MB\n", "", pBaseline,
                  Median(baseline), Median(baselineCpu), Median(baseline) / Median(alone), baselinePeakKb / 1024);
    FT_Done_Face(raw.Face);
    FT_Done_FreeType(raw.Library);
  }
  std::remove((std::string(folder) + "/" + FileName()).c_str());
  rmdir(folder);
  if (inMemory) {
    std::remove((std::string(memoryFolder) + "/" + FileName()).c_str());
    rmdir(memoryFolder);
  }
  if (getloadavg(load, 3) > 0) std::printf("load average %.2f %.2f %.2f\n", load[0], load[1], load[2]);
  return 0;
}
