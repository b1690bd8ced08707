#include "batch/pickers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "batch/test_folder.h"

namespace kestro {
namespace {

using Names = std::vector<std::string>;

class PickersTest : public ::testing::Test, public TestFolder {
 protected:
  PickersTest() {
    fs.AddFolder("/home/u/photos/2024");
    fs.AddFolder("/home/u/photos/2023");
    fs.AddFile("/home/u/photos", "b.jpg");
    fs.AddFile("/home/u/photos", "a.txt");
    fs.AddFolder("/home/u/music");
    fs.SetWorkingFolder("/home/u");
    state.dirs_folder = state.files_folder = "";
  }
  std::string LastDir() {
    return settings_.Get(kSettingsApplication, kSettingsSection, kLastDirKey, "-");
  }

  MemorySettingsStore settings_;
};

TEST_F(PickersTest, ChoosingAFolderListsItsPageAndStoresItAsLastDir) {
  ASSERT_TRUE(ChooseDirectoriesFolder(state, batch, fs, settings_, "photos").ok());
  EXPECT_EQ(state.dirs_folder, "/home/u/photos");
  EXPECT_EQ(state.List1.entries(), (Names{"2023", "2024"}));
  EXPECT_EQ(state.files_folder, "");  // the other page stays where it was
  EXPECT_EQ(LastDir(), "/home/u/photos");

  state.file_mask = "*.jpg";
  ASSERT_TRUE(ChooseFilesFolder(state, batch, fs, settings_, "/home/u/photos/").ok());
  EXPECT_EQ(state.List2.entries(), (Names{"b.jpg"}));

  ASSERT_TRUE(ChooseFilesFolder(state, batch, fs, settings_, "/home/u").ok());
  EXPECT_EQ(LastDir(), "/home/u");
  // A folder that is not there keeps the previous one, its list and LastDir.
  EXPECT_FALSE(ChooseDirectoriesFolder(state, batch, fs, settings_, "/home/u/gone").ok());
  EXPECT_FALSE(ChooseFilesFolder(state, batch, fs, settings_, "/home/u/gone").ok());
  EXPECT_EQ(state.dirs_folder, "/home/u/photos");
  EXPECT_EQ(state.files_folder, "/home/u");
  EXPECT_EQ(state.List1.entries(), (Names{"2023", "2024"}));
  EXPECT_EQ(LastDir(), "/home/u");
}

TEST_F(PickersTest, RestoreOpensBothPagesOnLastDirOrElseTheCurrentFolder) {
  for (const auto& [stored, opened] : {std::pair{"/home/u/photos", "/home/u/photos"},
                                       {"", "/home/u"},
                                       {"/home/u/gone", "/home/u"}}) {
    settings_.Set(kSettingsApplication, kSettingsSection, kLastDirKey, stored);
    ASSERT_TRUE(RestorePickers(state, batch, fs, settings_).ok()) << stored;
    EXPECT_EQ(state.dirs_folder, opened) << stored;
    EXPECT_EQ(state.files_folder, opened) << stored;
    EXPECT_EQ(LastDir(), opened) << stored;  // loading chooses the folder, which stores it
  }
  EXPECT_EQ(state.List1.entries(), (Names{"music", "photos"}));
  EXPECT_EQ(state.List2.size(), 0u);
}

}  // namespace
}  // namespace kestro
