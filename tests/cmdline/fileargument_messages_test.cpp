// The file argument of a run that goes on in its window: a file that cannot be
// read says why in a message box, as File / Load does (a run that ends by itself
// writes the error file: the golden case damaged_file_argument).
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cmdline/cmdline.h"
#include "model/current.h"
#include "settings/messages.h"
#include "support/recordingservices.h"
#include "support/tempdir.h"

namespace {

struct Case {
  const char* pFile;           // created in the working folder
  const char* pMessage;        // what the user is told
};

TEST(FileArgument, UnreadableFilesOfAWindowedRunAreToldInABox) {
  TempDir dir;
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(dir.file(""));
  WriteFile("damaged.c", "static const unsigned char garbage");
  WriteFile("damaged.xbf", "GUIX");
  ASSERT_EQ(mkfifo("pipe.c", 0600), 0);
  std::filesystem::create_directory("folder.c");
  WriteFile("notes.txt", "hello");
  const Case cases[] = {
      {"damaged.c", "No font data found in the given file"},
      {"damaged.xbf", nullptr},
      {"pipe.c", "Could not open file!"},
      {"folder.c", "Could not open file!"},
      {"notes.txt", "File extension must be 'XBF' or 'C'"},
  };
  SetMessageSuppression(0);
  for (const Case& c : cases) {
    const std::string errName = dir.file("run.err");
    std::filesystem::remove(errName);
    RecordingServices services;
    SERVICES_Install(&services);
    CMDLINE_Init(errName.c_str(), ID_FILE_EXIT, nullptr);
    CMDLINE_SetActive(false);
    std::vector<std::string> args = {"Morvane", c.pFile};
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    CMDLINE_ProcessArgs(static_cast<int>(argv.size()), argv.data());
    CMDLINE_SetActive(false);
    SERVICES_Install(nullptr);
    bool written = false;
    const std::string errors = ReadFile(errName, &written);
    EXPECT_EQ(FONT_GetCurrent(), nullptr) << c.pFile;
    EXPECT_FALSE(written) << c.pFile << ": " << errors;
    ASSERT_FALSE(services.boxes.empty()) << c.pFile;
    if (c.pMessage) {
      EXPECT_EQ(services.boxes[0], c.pMessage) << c.pFile;
    }
  }
  std::filesystem::current_path(before);
}

}  // namespace
