#include "batch/pickers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "batch/recording_ui_host.h"
#include "platform/memory_file_system.h"

namespace kestro {
namespace {

using Names = std::vector<std::string>;

class PickersTest : public ::testing::Test {
 protected:
  PickersTest() {
    fs_.AddDirectory("/home/u", "photos");
    fs_.AddDirectory("/home/u/photos", "2024");
    fs_.AddDirectory("/home/u/photos", "2023");
    fs_.AddFile("/home/u/photos", "b.jpg");
    fs_.AddFile("/home/u/photos", "a.txt");
    fs_.AddDirectory("/home/u", "music");
    fs_.SetWorkingFolder("/home/u");
  }

  std::string LastDir() {
    return settings_.Get(kSettingsApplication, kSettingsSection, "LastDir", "<none>");
  }

  MemoryFileSystem fs_;
  MemorySettingsStore settings_;
  WindowState state_;
  FixedClock clock_{CalendarDate{2026, 12, 4}};
  RecordingUiHost ui_;
  BatchRenamer batch_{state_, fs_, clock_, ui_};
};

TEST_F(PickersTest, ChoosingTheDirectoriesFolderListsItAndStoresLastDir) {
  ASSERT_TRUE(ChooseDirectoriesFolder(state_, batch_, fs_, settings_, "photos").ok());
  EXPECT_EQ(state_.dirs_folder, "/home/u/photos");
  EXPECT_EQ(state_.List1.entries(), (Names{"2023", "2024"}));
  EXPECT_EQ(LastDir(), "/home/u/photos");
  EXPECT_EQ(state_.files_folder, "");  // the other page stays where it was
}

TEST_F(PickersTest, ChoosingTheFilesFolderListsWhatTheMaskSelects) {
  state_.file_mask = "*.jpg";
  ASSERT_TRUE(ChooseFilesFolder(state_, batch_, fs_, settings_, "/home/u/photos/").ok());
  EXPECT_EQ(state_.files_folder, "/home/u/photos");
  EXPECT_EQ(state_.List2.entries(), (Names{"b.jpg"}));
  EXPECT_EQ(LastDir(), "/home/u/photos");
}

TEST_F(PickersTest, AFolderThatIsNotThereKeepsThePreviousOne) {
  ASSERT_TRUE(ChooseDirectoriesFolder(state_, batch_, fs_, settings_, "/home/u").ok());
  state_.List1.SelectAll(true);
  EXPECT_FALSE(ChooseDirectoriesFolder(state_, batch_, fs_, settings_, "/home/u/gone").ok());
  EXPECT_FALSE(ChooseFilesFolder(state_, batch_, fs_, settings_, "/home/u/gone").ok());
  EXPECT_EQ(state_.dirs_folder, "/home/u");
  EXPECT_EQ(state_.List1.entries(), (Names{"music", "photos"}));
  EXPECT_EQ(LastDir(), "/home/u");
}

TEST_F(PickersTest, RestoreOpensBothPagesOnLastDir) {
  settings_.Set(kSettingsApplication, kSettingsSection, "LastDir", "/home/u/photos");
  ASSERT_TRUE(RestorePickers(state_, batch_, fs_, settings_).ok());
  EXPECT_EQ(state_.dirs_folder, "/home/u/photos");
  EXPECT_EQ(state_.files_folder, "/home/u/photos");
  EXPECT_EQ(state_.List1.entries(), (Names{"2023", "2024"}));
  EXPECT_EQ(state_.List2.entries(), (Names{"a.txt", "b.jpg"}));
}

TEST_F(PickersTest, RestoreFallsBackToTheCurrentFolder) {
  for (const char* stored : {"", "/home/u/gone"}) {
    settings_.Set(kSettingsApplication, kSettingsSection, "LastDir", stored);
    ASSERT_TRUE(RestorePickers(state_, batch_, fs_, settings_).ok()) << stored;
    EXPECT_EQ(state_.dirs_folder, "/home/u") << stored;
    EXPECT_EQ(state_.files_folder, "/home/u") << stored;
    EXPECT_EQ(state_.List1.entries(), (Names{"music", "photos"})) << stored;
    // Loading chooses the folder, which stores it.
    EXPECT_EQ(LastDir(), "/home/u") << stored;
  }
}

}  // namespace
}  // namespace kestro
