// The error file is only ever a regular file of that name: a link or a FIFO
// planted under it is neither followed nor waited for. (How hidden runs end and
// what their exit code says are the golden cases hidden_runs_end and those after it.)
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "support/tempdir.h"

namespace {

namespace fs = std::filesystem;

TEST(ExitStatus, AnErrorFileThatIsALinkOrAFifoIsNeitherFollowedNorWaitedFor) {
  for (const bool link : {true, false}) {
    SCOPED_TRACE(link ? "link" : "FIFO");
    TempDir dir;
    WriteFile(dir.file("victim"), "someone else's file");
    if (link) fs::create_symlink("victim", dir.file("Morvane.err"));
    else ASSERT_EQ(mkfifo(dir.file("Morvane.err").c_str(), 0600), 0);
    const RunResult r = RunMorvane(dir, {"-hide", "-createNo Such Face,REGULAR,12,STD,UC16", "-exit"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err + r.out, "");
    EXPECT_EQ(ReadFile(dir.file("victim")), "someone else's file");
    EXPECT_TRUE(link ? fs::is_symlink(dir.file("Morvane.err")) : fs::is_fifo(dir.file("Morvane.err")));
  }
}

}  // namespace
