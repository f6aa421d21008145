// The settings store: the INI text, other versions and damaged files. The copy a run
// keeps once it saved is what OptionDialogs.* read back.
#include "settings/settings.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "support/tempdir.h"

namespace {

class SettingsStore : public ::testing::Test {
 protected:
  void SetUp() override { setenv("XDG_CONFIG_HOME", dir_.file("cfg").c_str(), 1); }
  std::string IniPath() const { return dir_.file("cfg/VANTOR/Font Converter for Tavro.ini"); }
  TempDir dir_;
};

TEST_F(SettingsStore, SaveWritesRegistryTextsInOrderAndKeepsOtherVersions) {
  std::filesystem::create_directories(dir_.file("cfg/VANTOR"));
  WriteFile(IniPath(), "[V6.30a]\nMagX=4\n");
  Settings s;
  ASSERT_EQ(SETTINGS_Load(&s), 0);
  EXPECT_EQ(s.MagX, 1);  // another version's values are not read
  s.MagX = 3;
  s.EnableGamma = 1;
  s.GetTypeXBF = -2;
  s.CapitalChar = 72;
  ASSERT_EQ(SETTINGS_Save(&s), 0);
  EXPECT_EQ(ReadFile(IniPath()),
            "[V6.30a]\nMagX=4\n"
            "[V6.32c]\nV350_Compatibility=0\nMagX=3\nMagY=1\nSuppressLogging=0\nSuppressOptAA=0\n"
            "PointMode=0\nEnableGamma=1\nGetTypeXBF=-2\nSuppressDetectXBF=0\nSuppressMessage=0\n"
            "LogInWorkingDir=0\nMeasurementChars=97,101,72\n");
  // No temporary file is left behind.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.file("cfg/VANTOR")), {}), 1);
}

// Every value of the record, in the order of the saved text.
std::string Describe(const Settings& s) {
  char text[200];
  std::snprintf(text, sizeof text, "compat=%d mag=%d,%d nolog=%d nooptaa=%d gamma=%d points=%d xbftype=%d nodetect=%d "
                "nomsg=%d loghere=%d chars=%d,%d,%d", s.V350_Compatibility, s.MagX, s.MagY, s.SuppressLogging,
                s.SuppressOptAA, s.EnableGamma, s.PointMode, s.GetTypeXBF, s.SuppressDetectXBF, s.SuppressMessage,
                s.LogInWorkingDir, s.BaselineChar, s.LowercaseChar, s.CapitalChar);
  return text;
}

// Files as they may be found, and the record read from each: values read with the
// standard decimal conversion, values outside their ranges and whatever cannot be
// read keeping the defaults, the limits themselves taken.
TEST_F(SettingsStore, EachFileIsReadAsDescribed) {
  static const char kJunk[] = "\0\xff\xfe[V6.32c\nMagX\n=5\n[V6.32c]\nMagY=99999999999999\nnoequals\n"
                              "MeasurementChars=66\n[";
  const std::pair<std::string, const char*> cases[] = {
      {"[V6.32c]\r\nMagX=3x\r\nMagY=abc\r\nSuppressMessage=1\r\nMeasurementChars=120,120,72\r\n",
       "compat=0 mag=3,1 nolog=0 nooptaa=0 gamma=0 points=0 xbftype=0 nodetect=0 nomsg=1 loghere=0 chars=120,120,72"},
      {std::string(kJunk, sizeof kJunk - 1),
       "compat=0 mag=1,1 nolog=0 nooptaa=0 gamma=0 points=0 xbftype=0 nodetect=0 nomsg=0 loghere=0 chars=66,101,65"},
      {"[V6.32c]\nMagX=5\nMagY=-2147483648\nSuppressLogging=2\nEnableGamma=1\nGetTypeXBF=7\nPointMode=-1\n"
       "LogInWorkingDir=1\nMeasurementChars=65536,-1,72\n",
       "compat=0 mag=1,1 nolog=0 nooptaa=0 gamma=1 points=0 xbftype=0 nodetect=0 nomsg=0 loghere=1 chars=97,101,72"},
      {"[V6.32c]\nV350_Compatibility=1\nMagX=4\nMagY=1\nSuppressOptAA=1\nPointMode=1\nGetTypeXBF=6\n"
       "SuppressDetectXBF=1\nMeasurementChars=65535,0,72\n",
       "compat=1 mag=4,1 nolog=0 nooptaa=1 gamma=0 points=1 xbftype=6 nodetect=1 nomsg=0 loghere=0 chars=65535,0,72"},
  };
  std::filesystem::create_directories(dir_.file("cfg/VANTOR"));
  for (const auto& [file, expected] : cases) {
    SCOPED_TRACE(file);
    WriteFile(IniPath(), file);
    Settings s;
    ASSERT_EQ(SETTINGS_Load(&s), 0);
    EXPECT_EQ(Describe(s), expected);
  }
}

TEST_F(SettingsStore, OnlyARegularFileOfAtMost64KilobytesIsRead) {
  std::filesystem::create_directories(dir_.file("cfg/VANTOR"));
  const std::string body = "[V6.32c]\nMagX=2\n";
  // Other versions' sections may fill the file up to the limit.
  const std::string filler = "[V1]\n" + std::string(64 * 1024 - body.size() - 6, ';') + "\n";
  ASSERT_EQ((filler + body).size(), 64u * 1024);
  WriteFile(IniPath(), filler + body);
  Settings s;
  ASSERT_EQ(SETTINGS_Load(&s), 0);
  EXPECT_EQ(s.MagX, 2);
  WriteFile(IniPath(), ";" + filler + body);  // one byte more
  ASSERT_EQ(SETTINGS_Load(&s), 0);
  EXPECT_EQ(s.MagX, 1);
  // A FIFO is not waited for: no writer will ever come.
  std::filesystem::remove(IniPath());
  ASSERT_EQ(mkfifo(IniPath().c_str(), 0600), 0);
  ASSERT_EQ(SETTINGS_Load(&s), 0);
  EXPECT_EQ(s.MagX, 1);
  std::filesystem::remove(IniPath());
  std::filesystem::create_directory(IniPath());
  ASSERT_EQ(SETTINGS_Load(&s), 0);
  EXPECT_EQ(s.MagX, 1);
}

TEST_F(SettingsStore, UnusableFolderFailsLoadAndSave) {
  WriteFile(dir_.file("cfg"), "a file where the folder should be");
  Settings s;
  s.MagX = 4;
  EXPECT_EQ(SETTINGS_Load(&s), 1);
  EXPECT_EQ(s.MagX, 1);
  EXPECT_EQ(SETTINGS_Save(&s), 1);
}

}  // namespace
