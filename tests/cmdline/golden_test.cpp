// The conversions of tests/data/golden/cases.txt run through the program, their C, SIF and XBF files compared byte
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
#include <sstream>

#include "support/tempdir.h"

namespace {

namespace fs = std::filesystem;

struct GoldenCase {
  std::string name;
  // Program arguments, run one after the other in one folder; a step "cut FROM TO N"
  // copies FROM without its last N bytes to TO instead.
  std::vector<std::vector<std::string>> runs;
  std::vector<std::string> outputs;            // the files the runs write, compared whole
  std::vector<std::pair<std::string, std::string>> same;  // files the runs write that must be equal
  std::string settings;                        // the settings file's lines
  std::vector<std::pair<std::string, std::string>> files;  // name and contents, in the folder before the runs
};

const fs::path kGolden = fs::path(MORVANE_TEST_DATA) / "golden";

// The cases of tests/data/golden/cases.txt (its first lines describe the form).
std::vector<GoldenCase> LoadCases() {
  std::vector<GoldenCase> cases;
  std::istringstream in(ReadFile((kGolden / "cases.txt").string()));
  auto split = [](const std::string& text, const std::string& separator) {
    std::vector<std::string> parts;
    for (size_t at = 0, next; at <= text.size(); at = next + separator.size()) {
      next = std::min(text.find(separator, at), text.size());
      parts.push_back(text.substr(at, next - at));
    }
    return parts;
  };
  for (std::string line; std::getline(in, line);) {
    const size_t blank = std::min(line.find(' '), line.size());
    const std::string word = line.substr(0, blank), rest = line.substr(std::min(blank + 1, line.size()));
    if (word == "case") cases.push_back({rest, {}, {}, {}, "", {}});
    else if (word == "settings") cases.back().settings += rest + "\n";
    else if (word == "run") cases.back().runs.push_back(split(rest, " | "));
    else if (word == "compare") cases.back().outputs = split(rest, " ");
    else if (word == "cut") cases.back().runs.push_back(split(line, " "));
    else if (word == "same") cases.back().same.push_back({rest.substr(0, rest.find(' ')), rest.substr(rest.find(' ') + 1)});
    else if (word == "file") cases.back().files.push_back({rest.substr(0, rest.find(' ')), rest.substr(rest.find(' ') + 1)});
    else if (word == "copy")  // a file of tests/data
      cases.back().files.push_back(
          {rest.substr(rest.find(' ') + 1), ReadFile(std::string(MORVANE_TEST_DATA) + "/" + rest.substr(0, rest.find(' ')))});
  }
  return cases;
}

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
  for (const auto& [name, contents] : c.files) WriteFile(dir.file(name), contents);
  std::map<std::string, std::string> actual;
  std::string& log = actual["log"];
  // "{dir}" stands for the folder, in the arguments and in what the runs say.
  const std::string folderPath = dir.path();
  auto inFolder = [&](std::string text, const std::string& from, const std::string& to) {
    for (size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size()) text.replace(at, from.size(), to);
    return text;
  };
  for (std::vector<std::string> args : c.runs) {
    if (args[0] == "cut") {
      const std::string bytes = ReadFile(dir.file(args[1]));
      WriteFile(dir.file(args[2]), bytes.substr(0, bytes.size() - std::min(bytes.size(), size_t(std::stoul(args[3])))));
      continue;
    }
    for (std::string& arg : args) arg = inFolder(arg, "{dir}", folderPath);
    if (!log.empty()) {  // each run's own error and log files; the first finds what "file" put there
      fs::remove(dir.file("Morvane.err"));
      fs::remove(dir.file("Morvane.log"));
    }
    const RunResult r = RunMorvane(dir, args);
    log += inFolder("exit " + std::to_string(r.exitCode) + "\nstdout: " + r.out + "\nstderr: " + r.err +
                    "\nMorvane.err: " + ErrorFileEntries(dir) + "\n", folderPath, "{dir}");
    bool logged = false;
    const std::string logFile = ReadFile(dir.file("Morvane.log"), &logged);
    if (logged) log += "Morvane.log: " + logFile + "\n";
  }
  for (const auto& [a, b] : c.same) {
    bool existsA = false, existsB = false;
    EXPECT_TRUE(ReadFile(dir.file(a), &existsA) == ReadFile(dir.file(b), &existsB) && existsA && existsB)
        << a << " and " << b << " differ or were not written:\n" << log;
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

INSTANTIATE_TEST_SUITE_P(Conversions, Golden, ::testing::ValuesIn(LoadCases()),
                         [](const ::testing::TestParamInfo<GoldenCase>& info) { return info.param.name; });

}  // namespace
