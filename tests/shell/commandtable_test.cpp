// The window's captions and the save dialog's names, without widgets.
#include "shell/commandtable.h"

#include <gtest/gtest.h>

#include "model/font.h"

namespace {

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
