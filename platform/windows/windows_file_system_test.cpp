#include "platform/windows/windows_file_system.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "platform/file_system_conformance_test.h"
#include "platform/name_rules.h"
#include "platform/windows/windows_error_status.h"
#include "platform/windows/windows_name_rules.h"
#include "platform/windows/windows_path.h"
#include "platform/windows/windows_test_tree.h"

namespace kestro {
namespace {

using Names = std::vector<std::string>;

INSTANTIATE_TYPED_TEST_SUITE_P(Windows, FileSystemConformance, ::testing::Types<WindowsTestTree>);

// Below, only what the shared suite cannot show: attributes, the names Windows refuses, another
// entry in another case, long paths, drive and share roots, the system's errors.
using WindowsFileSystemTest = FileSystemConformance<WindowsTestTree>;

// Only the hidden and the system attribute leave an entry out, a leading "." does not; the entry
// keeps its attributes through a change of case.
TEST_F(WindowsFileSystemTest, OnlyHiddenAndSystemEntriesAreLeftOutOfTheListing) {
  const std::string folder = world_.NewFolder();
  world_.AddFile(folder, ".profile", "p", FILE_ATTRIBUTE_NORMAL);
  if (GetFileAttributesW(TestPath(folder, ".profile").c_str()) & FILE_ATTRIBUTE_HIDDEN) {
    GTEST_SKIP() << "this system hides names beginning with '.' by itself (Wine unless told)";
  }
  world_.AddFile(folder, "read only.txt", "r", FILE_ATTRIBUTE_READONLY);
  world_.AddFile(folder, "system.txt", "s", FILE_ATTRIBUTE_SYSTEM);
  world_.AddDirectory(folder, ".config", FILE_ATTRIBUTE_NORMAL);
  world_.AddDirectory(folder, "system dir", FILE_ATTRIBUTE_SYSTEM);
  ASSERT_TRUE(world_.fs().RenameNoReplace(folder, "system.txt", "System.TXT").ok());

  EXPECT_EQ(Listed(folder, EntryKind::kFile), (Names{".profile", "read only.txt"}));
  EXPECT_EQ(Listed(folder, EntryKind::kDirectory), Names{".config"});
  Names all;
  ASSERT_TRUE(world_.fs().ListAllNames(folder, &all).ok());
  std::sort(all.begin(), all.end());
  EXPECT_EQ(all, (Names{".config", ".profile", "System.TXT", "read only.txt", "system dir"}));
}

// Refused before anything moves, with the reason; names that only look like them are renamed.
TEST_F(WindowsFileSystemTest, NamesWindowsCannotHoldAreRefusedWithTheirReason) {
  const std::string folder = world_.NewFolder();
  world_.AddFile(folder, "entry", "e");
  std::vector<std::pair<std::string, std::string>> refused = {{"a\\b", kNewNameHoldsSeparator},
                                                              {"a.b.", kWindowsNameEndsInDot},
                                                              {"name ", kWindowsNameEndsInBlank},
                                                              {"a. ", kWindowsNameEndsInBlank}};
  for (const char c : std::string("<>:\"|?*")) {
    refused.emplace_back(std::string("a") + c + "b", std::string("the new name holds '") + c +
                                                         "', which Windows file names cannot hold");
  }
  for (char c = 1; c < 0x20; ++c) refused.emplace_back(std::string("a") + c, kWindowsNameControl);
  for (const char* device :
       {"CON", "Prn", "aux", "nul", "COM1", "com9", "LPT1", "lpt9", "NUL.txt", "con.tar.gz",
        "CON .txt", "aux  ", "COM\xC2\xB9", "lpt\xC2\xB3.log", "com\xC2\xB2"}) {
    refused.emplace_back(device,
                         "the new name '" + std::string(device) + "' " + kWindowsNameReserved);
  }
  for (const auto& [name, reason] : refused) {
    const Status status = world_.fs().RenameNoReplace(folder, "entry", name);
    EXPECT_EQ(status.code(), Status::Code::kInvalidName) << name;
    EXPECT_EQ(status.message(), reason) << name;
  }
  EXPECT_EQ(world_.AllNames(folder), Names{"entry"});

  for (const char* name :
       {"CONSOLE", "con1", "COM", "COM0", "COM10", "nul-list.txt", "x.con", "Prn Notes", ".nul",
        "COM\xC2\xB4", "lpt\xC2\xB9x", "Conférence", " leading blank", "a\x7F", "..x"}) {
    ASSERT_TRUE(world_.fs().RenameNoReplace(folder, "entry", name).ok()) << name;
    EXPECT_EQ(world_.AllNames(folder), Names{name});
    ASSERT_TRUE(world_.fs().RenameNoReplace(folder, name, "entry").ok()) << name;
  }
}

// Another file in another case, or another hard link of the same file in any case, is another
// entry: its name is taken, where a change of case alone is not.
TEST_F(WindowsFileSystemTest, ANameTakenInAnotherCaseOrByAHardLinkIsNeverGivenUp) {
  const std::string folder = world_.NewFolder();
  world_.AddFile(folder, "a.txt", "first");
  world_.AddFile(folder, "b.txt", "second");
  ASSERT_TRUE(CreateHardLinkW(TestPath(folder, "link.txt").c_str(),
                              TestPath(folder, "a.txt").c_str(), nullptr));
  for (const char* taken : {"B.TXT", "link.txt", "LINK.TXT"}) {
    const Status status = world_.fs().RenameNoReplace(folder, "a.txt", taken);
    EXPECT_EQ(status.code(), Status::Code::kAlreadyExists) << taken;
    EXPECT_EQ(status.message(), kNameExists) << taken;
  }
  EXPECT_EQ(world_.AllNames(folder), (Names{"a.txt", "b.txt", "link.txt"}));
}

// Inside a run, where a folder that keeps the old spelling on a change of case is remembered,
// every change of case is still applied, with its content, other renames and conflicts as
// always, nothing left under a temporary name, and a folder outside the run unaffected.
TEST_F(WindowsFileSystemTest, ARunAppliesEveryChangeOfCaseAndLeavesNoTemporaryName) {
  const std::string folder = world_.NewFolder();
  const std::string other = world_.NewFolder();
  for (const char* name : {"one.jpg", "two.jpg", "three.jpg", "taken.jpg"}) {
    world_.AddFile(folder, name, name);
  }
  world_.AddDirectory(folder, "Holiday");
  world_.AddFile(other, "four.jpg", "four.jpg");
  {
    const RenameRun run(world_.fs(), folder);
    struct Step {
      std::string folder;
      const char* from;
      const char* to;
      Status::Code code;
    };
    for (const Step& step : std::initializer_list<Step>{
             {folder, "one.jpg", "ONE.JPG", Status::Code::kOk},
             {folder, "two.jpg", "renamed.jpg", Status::Code::kOk},
             {folder, "three.jpg", "TAKEN.JPG", Status::Code::kAlreadyExists},
             {other, "four.jpg", "Four.jpg", Status::Code::kOk},
             {folder, "three.jpg", "Three.jpg", Status::Code::kOk},
             {folder, "Holiday", "HOLIDAY", Status::Code::kOk},
         }) {
      EXPECT_EQ(world_.fs().RenameNoReplace(step.folder, step.from, step.to).code(), step.code)
          << step.from << " -> " << step.to;
    }
  }
  EXPECT_EQ(world_.AllNames(folder),
            (Names{"HOLIDAY", "ONE.JPG", "Three.jpg", "renamed.jpg", "taken.jpg"}));
  EXPECT_EQ(world_.Content(folder, "ONE.JPG"), "one.jpg");
  EXPECT_EQ(world_.Content(folder, "Three.jpg"), "three.jpg");
  EXPECT_EQ(world_.AllNames(other), (Names{"Four.jpg"}));
  ASSERT_TRUE(world_.fs().RenameNoReplace(folder, "ONE.JPG", "one.jpg").ok());
  EXPECT_EQ(world_.AllNames(folder),
            (Names{"HOLIDAY", "Three.jpg", "one.jpg", "renamed.jpg", "taken.jpg"}));
}

TEST_F(WindowsFileSystemTest, WorksInAFolderPastTheOldPathLimit) {
  std::string folder = world_.NewFolder();
  for (int depth = 0; depth < 5; ++depth) {
    folder += "\\" + std::string(60, 'p');
    ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + TestPath(folder).wstring()).c_str(), nullptr));
  }
  std::string absolute;
  ASSERT_TRUE(world_.fs().AbsoluteFolder(folder + "/", &absolute).ok());
  EXPECT_EQ(absolute, folder);
  world_.AddFile("\\\\?\\" + folder, "deep.txt", "d");
  EXPECT_EQ(Listed(folder, EntryKind::kFile), Names{"deep.txt"});
  ASSERT_TRUE(world_.fs().RenameNoReplace(folder, "deep.txt", "Deep.TXT").ok());
  EXPECT_EQ(Listed(folder, EntryKind::kFile), Names{"Deep.TXT"});
}

// The test script maps a drive to an empty temporary folder and names it in KESTRO_TEST_DRIVE.
TEST_F(WindowsFileSystemTest, ListsAndRenamesAtTheRootOfADrive) {
  const char* drive = std::getenv("KESTRO_TEST_DRIVE");
  if (drive == nullptr) GTEST_SKIP() << "KESTRO_TEST_DRIVE names no drive mapped for tests";
  const std::string root = std::string(drive) + "\\";
  if (!world_.AllNames(root).empty()) GTEST_SKIP() << root << " is not empty";
  struct Emptied {
    std::string root;
    ~Emptied() { EmptyFolder(TestPath(root).wstring()); }
  } emptied{root};

  EXPECT_TRUE(Listed(root, EntryKind::kFile).empty());  // an empty root holds not even "."
  world_.AddFile(root, "a.txt", "a");
  world_.AddDirectory(root, "folder");
  ASSERT_TRUE(world_.fs().RenameNoReplace(root, "folder", "Folder").ok());
  EXPECT_EQ(Listed(root, EntryKind::kFile), Names{"a.txt"});
  EXPECT_EQ(Listed(root, EntryKind::kDirectory), Names{"Folder"});
}

// Roots keep their separator, whichever it is; drive roots and plain folders are in the shared
// suite.
TEST(WindowsPathTest, JoinsAndTrimsWithOneSeparatorKeepingRootsWhole) {
  for (const std::string folder : {"C:\\Photos\\", "D:/", "\\\\server\\share\\"}) {
    EXPECT_EQ(JoinWindowsPath(folder, "n"), folder + "n");
  }
  EXPECT_EQ(JoinWindowsPath("\\\\server\\share", "n"), "\\\\server\\share\\n");
  for (const std::wstring root : {L"C:/", L"\\\\server\\share\\", L"\\\\?\\C:\\"}) {
    EXPECT_EQ(WithoutTrailingSeparator(root), root);
    EXPECT_EQ(WithoutTrailingSeparator(root + L"dir\\/"), root + L"dir");
  }
}

// The context, the shared wording of an existing name and the last error are in the shared suite.
TEST(WindowsErrorStatusTest, SortsErrorsByKindAndKeepsTheSystemsTextOnOneLine) {
  const auto expect_code = [](Status::Code code, std::initializer_list<DWORD> errors) {
    for (const DWORD error : errors) {
      EXPECT_EQ(StatusFromWindowsError(error).code(), code) << error;
      EXPECT_EQ(StatusFromWindowsError(error).message().find_first_of("\r\n"), std::string::npos);
    }
  };
  expect_code(Status::Code::kNotFound, {ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND});
  expect_code(Status::Code::kInUse, {ERROR_SHARING_VIOLATION, ERROR_LOCK_VIOLATION});
  expect_code(Status::Code::kPermission, {ERROR_ACCESS_DENIED, ERROR_WRITE_PROTECT});
  expect_code(Status::Code::kInvalidName, {ERROR_INVALID_NAME, ERROR_FILENAME_EXCED_RANGE});
  expect_code(Status::Code::kNotSupported, {ERROR_NOT_SAME_DEVICE});
  expect_code(Status::Code::kIoError, {ERROR_DISK_FULL});
  expect_code(Status::Code::kAlreadyExists, {ERROR_ALREADY_EXISTS, ERROR_FILE_EXISTS});
}

}  // namespace
}  // namespace kestro
