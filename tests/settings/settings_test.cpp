// The settings store: defaults, the INI text, other versions, the saved copy and
// damaged files.
#include "settings/settings.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

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

TEST_F(SettingsStore, FirstLoadCreatesTheFolderAndYieldsDefaults) {
  Settings s;
  s.MagX = 9;
  EXPECT_EQ(SETTINGS_Load(&s), 0);
  EXPECT_TRUE(std::filesystem::is_directory(dir_.file("cfg/VANTOR")));
  EXPECT_EQ(SETTINGS_GetFileName(), IniPath());
  EXPECT_EQ(s.MagX, 1);  // the other defaults are pinned by the saved text below
}

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
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir_.file("cfg/VANTOR"))) {
    (void)entry;
    ++files;
  }
  EXPECT_EQ(files, 1);
}

TEST_F(SettingsStore, LoadsAfterASaveReturnTheSavedCopy) {
  Settings s;
  SETTINGS_Load(&s);
  s.MagX = 3;
  ASSERT_EQ(SETTINGS_Save(&s), 0);
  // The file changes behind the program's back; this run keeps what it saved.
  WriteFile(IniPath(), "[V6.32c]\nMagX=2\n");
  Settings again;
  EXPECT_EQ(SETTINGS_Load(&again), 0);
  EXPECT_EQ(again.MagX, 3);
}

TEST_F(SettingsStore, ValuesAreReadWithTheStandardDecimalConversion) {
  std::filesystem::create_directories(dir_.file("cfg/VANTOR"));
  WriteFile(IniPath(),
            "[V6.32c]\r\nMagX=3x\r\nMagY=abc\r\nSuppressMessage=1\r\nMeasurementChars=120,120,72\r\n");
  Settings s;
  ASSERT_EQ(SETTINGS_Load(&s), 0);
  EXPECT_EQ(s.MagX, 3);
  EXPECT_EQ(s.MagY, 1);  // 0 is no magnification factor: the default stays
  EXPECT_EQ(s.SuppressMessage, 1);
  EXPECT_EQ(s.BaselineChar, 'x');
  EXPECT_EQ(s.LowercaseChar, 'x');
  EXPECT_EQ(s.CapitalChar, 'H');
}

TEST_F(SettingsStore, MalformedFileYieldsDefaultsForWhatCannotBeRead) {
  std::filesystem::create_directories(dir_.file("cfg/VANTOR"));
  static const char kJunk[] = "\0\xff\xfe[V6.32c\nMagX\n=5\n[V6.32c]\nMagY=99999999999999\nnoequals\n"
                              "MeasurementChars=66\n[";
  const std::string junk(kJunk, sizeof kJunk - 1);
  WriteFile(IniPath(), junk);
  Settings s;
  ASSERT_EQ(SETTINGS_Load(&s), 0);
  EXPECT_EQ(s.MagX, 1);
  EXPECT_EQ(s.MagY, 1);  // beyond 32 bits and beyond 4
  EXPECT_EQ(s.BaselineChar, 66);  // parts that are missing keep their defaults
  EXPECT_EQ(s.LowercaseChar, 101);
  EXPECT_EQ(s.CapitalChar, 65);
}

TEST_F(SettingsStore, ValuesOutsideTheirRangesKeepTheDefaults) {
  std::filesystem::create_directories(dir_.file("cfg/VANTOR"));
  WriteFile(IniPath(),
            "[V6.32c]\nMagX=5\nMagY=-2147483648\nSuppressLogging=2\nEnableGamma=1\nGetTypeXBF=7\n"
            "PointMode=-1\nLogInWorkingDir=1\nMeasurementChars=65536,-1,72\n");
  Settings s;
  ASSERT_EQ(SETTINGS_Load(&s), 0);
  EXPECT_EQ(s.MagX, 1);
  EXPECT_EQ(s.MagY, 1);
  EXPECT_EQ(s.SuppressLogging, 0);
  EXPECT_EQ(s.EnableGamma, 1);  // the values in range are taken
  EXPECT_EQ(s.GetTypeXBF, 0);
  EXPECT_EQ(s.PointMode, 0);
  EXPECT_EQ(s.LogInWorkingDir, 1);
  EXPECT_EQ(s.BaselineChar, 97);
  EXPECT_EQ(s.LowercaseChar, 101);
  EXPECT_EQ(s.CapitalChar, 72);
  // The limits themselves are values of the range.
  WriteFile(IniPath(), "[V6.32c]\nMagX=4\nMagY=1\nGetTypeXBF=6\nMeasurementChars=65535,0,72\n");
  ASSERT_EQ(SETTINGS_Load(&s), 0);
  EXPECT_EQ(s.MagX, 4);
  EXPECT_EQ(s.MagY, 1);
  EXPECT_EQ(s.GetTypeXBF, 6);
  EXPECT_EQ(s.BaselineChar, 65535);
  EXPECT_EQ(s.LowercaseChar, 0);
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
