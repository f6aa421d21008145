// Real conversions run through the program, their C, SIF and XBF files compared byte
// for byte with the files under tests/data/golden/<case>/ (each named after the output
// with ".golden" added), together with what each run said (log.golden: exit code,
// standard output and error, the error file). Dates in C banners are masked.
//
// After a change meant to alter the output, tools/update-golden.sh rewrites the files
// (it runs this test with MORVANE_UPDATE_GOLDEN=1); review their difference before
// committing it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <regex>

#include "support/tempdir.h"

namespace {

namespace fs = std::filesystem;

struct GoldenCase {
  const char* name;
  std::vector<std::vector<std::string>> runs;  // program arguments, run one after the other in one folder
  std::vector<std::string> outputs;            // the files the runs write, compared whole
  const char* settings = "";                   // the settings file's lines
};

const std::string kLatin = "-enable0-FFFF,0,20-17F,1";

const GoldenCase kCases[] = {
    // The help, with either prefix and behind a queued exit; the exit matched by
    // prefix and case-sensitively (an unknown command leaves a window to open).
    {"help_and_exit", {{"-?"}, {"/?"}, {"-exit", "-?"}, {"-hide", "-exitnow"}, {"-EXIT"}}, {}},
    {"main_job", {{"-hide", "-createDejaVu Sans,REGULAR,16,AA4,UC16", "-saveasdv16.c,C", "-exit"}}, {"dv16.c"}},
    {"std_iso8859_edited",
     {{"-hide", "-createDejaVu Sans,BOLD,20,STD,ISO8859", "-enable80-9F,0", "-editINS,TOP,2", "-editDEL,BOTTOM",
       "-editSHIFTH,41-5A,-2", "-editSHIFTV,30-39,1", "-editINSR,61-7A,2", "-editDELT,C0-DF,1", "-editMOVEH,20-2F,1",
       "-saveasstd20.c,C", "-saveasstd20.sif,SIF", "-saveasstd20.xbf,XBF", "-exit"}},
     {"std20.c", "std20.sif", "std20.xbf"}},
    {"ext_frm",
     {{"-hide", "-createDejaVu Sans,REGULAR,16,EXT_FRM,UC16", kLatin, "-editMOVEV,41-5A,1", "-saveasfrm16.xbf,XBF",
       "-saveasfrm16.c,C", "-exit"}},
     {"frm16.xbf", "frm16.c"}},
    {"ext_aa2_italic",
     {{"-hide", "-createDejaVu Serif,REGULAR_ITALIC,-18,EXT_AA2,UC16", "-enable0-FFFF,0,20-24F,1,370-3FF,1",
       "-saveasaa2.xbf,XBF", "-saveasaa2.sif,SIF", "-exit"}},
     {"aa2.xbf", "aa2.sif"}},
    {"ext_aa4_internal",
     {{"-hide", "-createDejaVu Sans,W650I1,-24,EXT_AA4,UC16,INTERNAL", "-enable0-FFFF,0,20-7E,1,410-44F,1",
       "-saveasaa4.c,C", "-saveasaa4.xbf,XBF", "-exit"}},
     {"aa4.c", "aa4.xbf"}},
    {"aa2_ext_sif",
     {{"-hide", "-createLiberation Sans,REGULAR,12,AA2,ISO8859", "-saveasaa2.sif,SIF", "-saveasaa2.c,C", "-exit"},
      {"-hide", "-createLiberation Serif,BOLD,13,EXT,UC16", kLatin, "-saveasext.sif,SIF", "-exit"}},
     {"aa2.sif", "aa2.c", "ext.sif"}},
    {"jis",
     {{"-hide", "-createIPAGothic,REGULAR,16,STD,JIS", "-enable0-FFFF,0,20-7E,1,A1-DF,1,8140-81AC,1,889F-88FC,1",
       "-saveasjis.c,C", "-saveasjis.xbf,XBF", "-exit"},
      {"-hide", "-createIPAGothic,REGULAR,12,AA2,JIS", "-enable0-FFFF,0,41-5A,1,B1-B5,1,82A0-82B0,1", "-saveasaa2.c,C",
       "-exit"}},
     {"jis.c", "jis.xbf", "aa2.c"}},
    {"magnified",
     {{"-hide", "-createDejaVu Sans,REGULAR,10,EXT_AA2,UC16", "-enable0-FFFF,0,20-7E,1", "-saveasm.c,C",
       "-saveasm.xbf,XBF", "-saveasm.sif,SIF", "-exit"},
      {"-hide", "-createDejaVu Sans,BOLD,9,STD,ISO8859", "-saveasstd.c,C", "-saveasstd.sif,SIF", "-exit"}},
     {"m.c", "m.xbf", "m.sif", "std.c", "std.sif"},
     "MagX=2\nMagY=3\nMeasurementChars=120,101,72\n"},
    {"gamma_and_fixed_phase",
     {{"-hide", "-createLiberation Sans,REGULAR,12,AA2,ISO8859", "-enable0-FF,0,20-7E,1", "-saveasaa2.c,C", "-exit"},
      {"-hide", "-createLiberation Sans,REGULAR,12,EXT_AA2,UC16", "-enable0-FFFF,0,20-7E,1", "-saveasext.c,C", "-exit"},
      {"-hide", "-createDejaVu Sans,REGULAR,14,AA4,UC16,INTERNAL", "-enable0-FFFF,0,20-7E,1", "-saveasaa4.c,C",
       "-exit"}},
     {"aa2.c", "ext.c", "aa4.c"},
     "EnableGamma=1\nSuppressOptAA=1\n"},
    {"compatible_layout_without_journal",
     {{"-hide", "-createDejaVu Sans,REGULAR,12,EXT,UC16", "-enable0-FFFF,0,20-7E,1,A0-FF,1", "-editINS,TOP",
       "-saveasold.c,C", "-exit"}},
     {"old.c"},
     "V350_Compatibility=1\nSuppressLogging=1\n"},
    {"font_file_and_advance",
     {{"-hide", "-createMorvaneRect.ttf,REGULAR,20,EXT,UC16", "-editCINC,41-5A,2", "-editCDEC,41,1",
       "-createMorvaneRect.ttf,BOLD,20,EXT_AA2,UC16", "-saveasrect.c,C", "-exit"}},
     {"rect.c"}},
    {"read_back_c",
     {{"-hide", "-createDejaVu Sans,REGULAR,14,EXT_AA4,UC16", kLatin, "-saveasa.c,C", "-exit"},
      {"-hide", "a.c", "-enable0-FFFF,0,41-5A,1,E0-FF,1", "-editINSR,41-45,2", "-saveasb.c,C", "-saveasb.xbf,XBF",
       "-exit"},
      {"-hide", "b.c", "-editINS,TOP", "-saveasc.c,C", "-exit"}},
     {"b.c", "b.xbf", "c.c"}},
    {"read_back_xbf",
     {{"-hide", "-createDejaVu Sans Mono,BOLD,15,EXT,UC16", kLatin, "-saveasa.xbf,XBF", "-exit"},
      {"-hide", "a.xbf", "-editDELT,41-5A,1", "-editINS,BOTTOM,2", "-saveasb.c,C", "-exit"}},
     {"b.c"}},
    {"merge",
     {{"-hide", "-createDejaVu Sans,BOLD,14,EXT,UC16", "-enable0-FFFF,0,41-5A,1", "-saveasbold.xbf,XBF",
       "-saveasbold.c,C", "-exit"},
      {"-hide", "-createDejaVu Sans,REGULAR,14,EXT,UC16", kLatin, "-mergebold.xbf", "-saveasm.c,C", "-exit"},
      {"-hide", "-createDejaVu Sans,LIGHT,14,EXT,UC16", "-enable0-FFFF,0,20-7E,1", "-mergebold.c",
       "-saveasm2.xbf,XBF", "-exit"}},
     {"m.c", "m2.xbf"}},
    {"readpattern",
     {{"-hide", "-createDejaVu Sans,REGULAR,16,EXT,UC16", "-enable0-FFFF,0", "-readpatternpattern.txt",
       "-saveasp.c,C", "-exit"}},
     {"p.c"}},
};

const fs::path kGolden = fs::path(MORVANE_TEST_DATA) / "golden";

// The build date and the date of a modification line in a C file's banner.
std::string MaskDates(const std::string& text) {
  static const std::regex date("[A-Z][a-z]{2} [ 0-3][0-9] [0-9]{4}(, | at )[0-9]{2}:[0-9]{2}:[0-9]{2}");
  return std::regex_replace(text, date, "Mmm dd yyyy$1hh:mm:ss");
}

// Where two texts first differ, by line, for the failure message.
std::string FirstDifference(const std::string& want, const std::string& got) {
  size_t at = 0;
  while (at < want.size() && at < got.size() && want[at] == got[at]) ++at;
  const size_t lineStart = want.rfind('\n', at == 0 ? 0 : at - 1);
  const size_t from = lineStart == std::string::npos ? 0 : lineStart + 1;
  const long number = std::count(want.begin(), want.begin() + static_cast<long>(from), '\n') + 1;
  auto line = [from](const std::string& text) { return text.substr(from, text.find('\n', from) - from); };
  return "sizes " + std::to_string(want.size()) + " and " + std::to_string(got.size()) + ", first difference at byte " +
         std::to_string(at) + " (line " + std::to_string(number) + "):\n  golden: " + line(want) + "\n  output: " + line(got);
}

class Golden : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(Golden, OutputsEqualTheGoldenFiles) {
  const GoldenCase& c = GetParam();
  TempDir dir;
  WriteSettingsFile(dir, c.settings);
  for (const char* input : {"pattern.txt"}) fs::copy_file(kGolden / "inputs" / input, dir.file(input));
  fs::copy_file(fs::path(MORVANE_TEST_DATA) / "fonts" / "MorvaneRect.ttf", dir.file("MorvaneRect.ttf"));
  std::map<std::string, std::string> actual;
  std::string& log = actual["log"];
  for (const std::vector<std::string>& args : c.runs) {
    fs::remove(dir.file("Morvane.err"));
    const RunResult r = RunMorvane(dir, args);
    log += "exit " + std::to_string(r.exitCode) + "\nstdout: " + r.out + "\nstderr: " + r.err +
           "\nMorvane.err: " + ErrorFileEntries(dir) + "\n";
  }
  for (const std::string& output : c.outputs) {
    bool exists = false;
    const std::string bytes = ReadFile(dir.file(output), &exists);
    ASSERT_TRUE(exists) << output << " was not written:\n" << log;
    actual[output] = output.ends_with(".c") ? MaskDates(bytes) : bytes;
  }
  const fs::path folder = kGolden / c.name;
  if (std::getenv("MORVANE_UPDATE_GOLDEN")) {
    fs::remove_all(folder);
    fs::create_directories(folder);
    for (const auto& [name, bytes] : actual) WriteFile((folder / (name + ".golden")).string(), bytes);
    GTEST_SKIP() << "golden files of " << c.name << " rewritten";
  }
  for (const auto& [name, bytes] : actual) {
    bool exists = false;
    const std::string golden = ReadFile((folder / (name + ".golden")).string(), &exists);
    ASSERT_TRUE(exists) << "no golden file for " << name << " (tools/update-golden.sh writes it)";
    EXPECT_TRUE(golden == bytes) << name << ": " << FirstDifference(golden, bytes);
  }
}

INSTANTIATE_TEST_SUITE_P(Conversions, Golden, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<GoldenCase>& info) { return info.param.name; });

}  // namespace
