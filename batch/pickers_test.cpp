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
    fs_.AddFolder("/home/u/photos/2024");
    fs_.AddFolder("/home/u/photos/2023");
    fs_.AddFile("/home/u/photos", "b.jpg");
    fs_.AddFile("/home/u/photos", "a.txt");
    fs_.AddFolder("/home/u/music");
    fs_.SetWorkingFolder("/home/u");
  }
  std::string LastDir() {
    return settings_.Get(kSettingsApplication, kSettingsSection, kLastDirKey, "-");
  }

  MemoryFileSystem fs_;
  MemorySettingsStore settings_;
  WindowState state_;
  FixedClock clock_{CalendarDate{2026, 12, 4}};
  RecordingUiHost ui_;
  BatchRenamer batch_{state_, fs_, clock_, ui_};
};

TEST_F(PickersTest, ChoosingAFolderListsItsPageAndStoresItAsLastDir) {
  ASSERT_TRUE(ChooseDirectoriesFolder(state_, batch_, fs_, settings_, "photos").ok());
  EXPECT_EQ(state_.dirs_folder, "/home/u/photos");
  EXPECT_EQ(state_.List1.entries(), (Names{"2023", "2024"}));
  EXPECT_EQ(state_.files_folder, "");  // the other page stays where it was
  EXPECT_EQ(LastDir(), "/home/u/photos");

  state_.file_mask = "*.jpg";
  ASSERT_TRUE(ChooseFilesFolder(state_, batch_, fs_, settings_, "/home/u/photos/").ok());
  EXPECT_EQ(state_.List2.entries(), (Names{"b.jpg"}));

  ASSERT_TRUE(ChooseFilesFolder(state_, batch_, fs_, settings_, "/home/u").ok());
  EXPECT_EQ(LastDir(), "/home/u");
  // A folder that is not there keeps the previous one, its list and LastDir.
  EXPECT_FALSE(ChooseDirectoriesFolder(state_, batch_, fs_, settings_, "/home/u/gone").ok());
  EXPECT_FALSE(ChooseFilesFolder(state_, batch_, fs_, settings_, "/home/u/gone").ok());
  EXPECT_EQ(state_.dirs_folder, "/home/u/photos");
  EXPECT_EQ(state_.files_folder, "/home/u");
  EXPECT_EQ(state_.List1.entries(), (Names{"2023", "2024"}));
  EXPECT_EQ(LastDir(), "/home/u");
}

TEST_F(PickersTest, RestoreOpensBothPagesOnLastDirOrElseTheCurrentFolder) {
  for (const auto& [stored, opened] : {std::pair{"/home/u/photos", "/home/u/photos"},
                                       {"", "/home/u"},
                                       {"/home/u/gone", "/home/u"}}) {
    settings_.Set(kSettingsApplication, kSettingsSection, kLastDirKey, stored);
    ASSERT_TRUE(RestorePickers(state_, batch_, fs_, settings_).ok()) << stored;
    EXPECT_EQ(state_.dirs_folder, opened) << stored;
    EXPECT_EQ(state_.files_folder, opened) << stored;
    EXPECT_EQ(LastDir(), opened) << stored;  // loading chooses the folder, which stores it
  }
  EXPECT_EQ(state_.List1.entries(), (Names{"music", "photos"}));
  EXPECT_EQ(state_.List2.size(), 0u);
}

}  // namespace
}  // namespace kestro
