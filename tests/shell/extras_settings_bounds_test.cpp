// The preview's options are read from the settings file through the same bounded
// reader as the options record, whose refusals of a FIFO, a folder and a file over
// 64 kilobytes SettingsStore.OnlyARegularFileOfAtMost64KilobytesIsRead checks: a
// file one byte over the limit gives the defaults here too, as a FIFO or an endless
// device would, instead of a start that waits or fills the memory.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "settings/settings.h"
#include "shell/dialogtest.h"
#include "shell/views/previewsettings.h"

namespace {

using PreviewSettingsBounds = SettingsTest;

TEST_F(PreviewSettingsBounds, AFileOverTheLimitGivesTheDefaults) {
  const std::string path = SETTINGS_GetFileName();
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  const std::string section = "[Preview]\nZoom=7\n";
  const std::string filler = "[V1]\n" + std::string(64 * 1024 - section.size() - 6, ';') + "\n";
  ASSERT_NE(PreviewSettings().Zoom, 7);
  for (const std::string& text : {filler + section, ";" + filler + section}) {
    WriteFile(path, text);
    PreviewSettings settings;
    PREVIEW_LoadSettings(&settings);
    EXPECT_EQ(settings.Zoom, text.size() <= 64 * 1024 ? 7 : PreviewSettings().Zoom) << text.size();
  }
}

}  // namespace
