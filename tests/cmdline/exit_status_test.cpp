// What a build script sees of a run: a hidden run always ends by itself, its exit
// code tells whether the command line reported anything, and the error file is
// only ever a regular file of that name.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/tempdir.h"

namespace {

namespace fs = std::filesystem;

enum ErrorFileKind { ERRFILE_NONE, ERRFILE_SYMLINK, ERRFILE_FIFO };

struct ExitCase {
  std::vector<std::string> Args;
  const char* Settings;  // settings lines, "" for the defaults
  ErrorFileKind Planted;  // what lies under the name Morvane.err before the run
  int ExitCode;
  const char* Errors;  // the entries of Morvane.err ("" none)
  const char* Log;     // Morvane.log in the working directory ("" none)
  const char* Stderr;  // a text standard error holds ("" when it must be empty)
};

const std::string kCreate = "-createDejaVu Sans,REGULAR,12,EXT,UC16";
const std::string kNoFace = "-createNo Such Face,REGULAR,12,STD,UC16";

const ExitCase kCases[] = {
    // Hidden runs whose scan stops, or that have no -exit, end by themselves.
    {{"-hide", "x.bdf", "-exit"}, "", ERRFILE_NONE, 1, "|File extension must be 'XBF' or 'C'", "", ""},
    {{"-hide", "-createDejaVu Sans,REGULAR,twelve,EXT,UC16", "-exit"}, "", ERRFILE_NONE, 1,
     "|CMDLINE_GetDecValue: Not a decimal value", "", ""},
    {{"-hide", kCreate, "-saveasx.c,C", "-exti"}, "", ERRFILE_NONE, 1, "", "", "stop at \"-exti\""},
    {{"-hide", "/no/such/folder/font.c", "-exit"}, "", ERRFILE_NONE, 1, "", "", "stop at \"/no/such/folder/font.c\""},
    {{"-hide", kCreate, "-saveasx.c,C"}, "", ERRFILE_NONE, 0, "", "", ""},
    // A reported message is exit code 1, wherever it went; a notice is not.
    {{"-hide", kNoFace, "-exit"}, "", ERRFILE_NONE, 1, "|Font does not exist", "", ""},
    {{"-hide", "-nomessages", kNoFace, "-exit"}, "LogInWorkingDir=1\n", ERRFILE_NONE, 1, "", "Font does not exist\r\n",
     ""},
    {{"-hide", kNoFace, "-exit"}, "SuppressMessage=1\nLogInWorkingDir=1\n", ERRFILE_NONE, 1, "",
     "Font does not exist\r\n", ""},
    {{"-hide", kCreate, "-saveasx.c,C", "-exit"}, "MagX=2\n", ERRFILE_NONE, 0, "", "", "magnification"},
    {{"-hide", kCreate, "-saveasx.c,C", "-exit"}, "", ERRFILE_NONE, 0, "", "", ""},
    // An error file that is a link or a FIFO is neither followed nor waited for.
    {{"-hide", kNoFace, "-exit"}, "", ERRFILE_SYMLINK, 1, "", "", ""},
    {{"-hide", kNoFace, "-exit"}, "", ERRFILE_FIFO, 1, "", "", ""},
};

TEST(ExitStatus, HiddenRunsEndAndTheExitCodeTellsWhetherAMessageWasReported) {
  for (const ExitCase& c : kCases) {
    std::string trace;
    for (const std::string& a : c.Args) trace += a + " ";
    SCOPED_TRACE(trace + c.Settings);
    TempDir dir;
    if (*c.Settings) WriteSettingsFile(dir, c.Settings);
    WriteFile(dir.file("victim"), "someone else's file");
    if (c.Planted == ERRFILE_SYMLINK) fs::create_symlink("victim", dir.file("Morvane.err"));
    if (c.Planted == ERRFILE_FIFO) {
      ASSERT_EQ(mkfifo(dir.file("Morvane.err").c_str(), 0600), 0);
    }
    const RunResult r = RunMorvane(dir, c.Args);
    EXPECT_EQ(r.exitCode, c.ExitCode) << r.err;
    if (c.Planted == ERRFILE_NONE) {
      EXPECT_EQ(ErrorFileEntries(dir), c.Errors);
    }
    EXPECT_EQ(ReadFile(dir.file("Morvane.log")), c.Log);
    if (*c.Stderr) {
      EXPECT_NE(r.err.find(c.Stderr), std::string::npos) << r.err;
    } else {
      EXPECT_EQ(r.err, "");
    }
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(ReadFile(dir.file("victim")), "someone else's file");
    if (c.Planted == ERRFILE_SYMLINK) {
      EXPECT_TRUE(fs::is_symlink(dir.file("Morvane.err")));
    }
    if (c.Planted == ERRFILE_FIFO) {
      EXPECT_TRUE(fs::is_fifo(dir.file("Morvane.err")));
    }
  }
}

}  // namespace
