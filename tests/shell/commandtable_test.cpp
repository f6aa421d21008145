// The window's tables and rules without widgets: state rules per font type and
// keyboard target, captions, and the save dialog's names.
#include "shell/commandtable.h"

#include <gtest/gtest.h>

#include <set>

#include "model/font.h"

namespace {

ShellState State(bool hasFont, int type, int keyboardTarget) {
  ShellState s;
  s.HasFont = hasFont;
  s.Type = type;
  s.KeyboardTarget = keyboardTarget;
  return s;
}

TEST(CommandTable, SetIndexItemsFollowTheTypeAndTheKeyboardTarget) {
  struct Row {
    int type;
    int target;
    int highestEnabled;  // -1: none of 700..715
  } rows[] = {
      {FONTTYPE_STD, 1, 1},     {FONTTYPE_EXT, 1, 1},     {FONTTYPE_EXT_FRM, 1, 1},
      {FONTTYPE_AA2, 1, 3},     {FONTTYPE_EXT_AA2, 1, 3}, {FONTTYPE_AA4, 1, 15},
      {FONTTYPE_EXT_AA4, 1, 15}, {FONTTYPE_AA4, 0, -1},    {FONTTYPE_STD, 0, -1},
  };
  for (const Row& row : rows) {
    for (int index = 0; index <= 15; ++index) {
      EXPECT_EQ(SHELL_IsMenuItemEnabled(700 + index, State(true, row.type, row.target)),
                index <= row.highestEnabled)
          << "type " << row.type << " target " << row.target << " index " << index;
    }
    for (int id : {680, 681, 682})
      EXPECT_EQ(SHELL_IsMenuItemEnabled(id, State(true, row.type, row.target)), row.target == 1);
    EXPECT_EQ(SHELL_IsMenuItemEnabled(660, State(true, row.type, row.target)), row.target == 0);
  }
}

TEST(CommandTable, MenuAndToolbarDifferForTheExtendedAntialiasedTypes) {
  const int extOnly[] = {600, 601, 602, 603, 620, 621, 640, 641, 642, 643};
  for (int type = 0; type < FONT_NUM_TYPES; ++type) {
    const bool menuOn = type == FONTTYPE_EXT || type == FONTTYPE_EXT_FRM;
    const bool toolOn = type >= FONTTYPE_EXT;
    for (int id : extOnly) {
      EXPECT_EQ(SHELL_IsMenuItemEnabled(id, State(true, type, 0)), menuOn) << id << " type " << type;
      EXPECT_EQ(SHELL_IsToolbarButtonEnabled(id, State(true, type, 0)), toolOn) << id << " type " << type;
    }
  }
}

TEST(CommandTable, WithoutAFontOnlyTheFileOptionsAndHelpItemsStayEnabled) {
  const ShellState none = State(false, 0, 0);
  const std::set<int> always = {520, 523, 524, 525, 526, 527, 528, 661, 662,
                                780, 781, 782, 783, 784, 785, 800, 801};
  for (const ShellCommand& c : SHELL_Commands()) {
    if (c.Id >= ID_UNDO) continue;  // the window's additions follow their own state
    EXPECT_EQ(SHELL_IsMenuItemEnabled(c.Id, none), always.count(c.Id) == 1) << c.Id;
    if (c.ToolSlot) {
      EXPECT_EQ(SHELL_IsToolbarButtonEnabled(c.Id, none), c.Id == 520) << c.Id;
    }
  }
}

TEST(CommandTable, ToolbarRowsUseEveryImageOnceAndHaveTooltips) {
  std::set<int> images, slots;
  for (const ShellCommand& c : SHELL_Commands()) {
    if (!c.ToolSlot) continue;
    EXPECT_TRUE(images.insert(c.Image).second) << c.Id;
    EXPECT_TRUE(slots.insert(c.ToolSlot).second) << c.Id;
    EXPECT_NE(SHELL_GetHelpText(c.Id), nullptr) << c.Id;
  }
  // The 25 images of the strip and Undo and Redo; 33 rows with 8 separators, then
  // a separator and the two history buttons.
  EXPECT_EQ(images.size(), 27u);
  EXPECT_EQ(*images.rbegin(), 26);
  EXPECT_EQ(*slots.begin(), 2);
  EXPECT_EQ(*slots.rbegin(), 36);
}

TEST(CommandTable, HelpTextsAndTheIdsWithout) {
  EXPECT_STREQ(SHELL_GetHelpText(760), "Show enabled characters only");
  EXPECT_STREQ(SHELL_GetHelpText(643), "Delete a row from the bottom of the font");
  EXPECT_STREQ(SHELL_GetHelpText(715), "Set the current pixel to index 15");
  for (int id : {661, 662, 780, 781, 782, 783, 784, 785, 0, 999}) EXPECT_EQ(SHELL_GetHelpText(id), nullptr) << id;
}

TEST(CommandTable, CaptionNamesTheFileWithoutFolderAndExtension) {
  EXPECT_EQ(SHELL_GetProgramTitle(), "Font Converter for Tavro V6.32c");
  EXPECT_EQ(SHELL_FormatCaption(SHELL_GetBaseName("/fonts/Arial16.c")), "Font Converter for Tavro V6.32c - Arial16");
  EXPECT_EQ(SHELL_GetBaseName("my.font.sif"), "my.font");
  EXPECT_EQ(SHELL_GetBaseName("/a.b/noext"), "noext");
  EXPECT_EQ(SHELL_GetBaseName("/x/" + std::string(261, 'n') + ".c"), "");
  EXPECT_EQ(SHELL_GetBaseName("/x/" + std::string(260, 'n') + ".c"), std::string(260, 'n'));
}

TEST(CommandTable, SaveDialogNames) {
  EXPECT_EQ(SHELL_ReplaceExtension("Arial16.sif", "c"), "Arial16.c");
  EXPECT_EQ(SHELL_ReplaceExtension("my.font.sif", "c"), "my.c");
  EXPECT_EQ(SHELL_ReplaceExtension("plain", "xbf"), "plain.xbf");
  EXPECT_EQ(SHELL_ReplacePathExtension("/a.dir/my.font.sif", "c"), "/a.dir/my.font.c");
  EXPECT_EQ(SHELL_ReplacePathExtension("/a.dir/name", "sif"), "/a.dir/name.sif");
  EXPECT_EQ(SHELL_ProposedSaveName("", "Arial", 16), "Arial16");
  EXPECT_EQ(SHELL_ProposedSaveName("/f/x.c", "Arial", 16), "/f/x.c");
  EXPECT_EQ(SHELL_FilterExtension(SHELL_aFiltersSave[1]), "sif");
  EXPECT_EQ(SHELL_FilterExtension(SHELL_aFiltersC[1]), "");
}

}  // namespace
