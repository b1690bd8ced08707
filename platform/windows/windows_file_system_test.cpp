#include "platform/windows/windows_file_system.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/file_system_conformance_test.h"
#include "platform/listing.h"
#include "platform/name_rules.h"
#include "platform/windows/windows_name_rules.h"
#include "platform/windows/windows_temp_tree.h"

namespace kestro {
namespace {

using Names = std::vector<std::string>;

// The shared behaviour suite on the real Windows file system. A name beginning with "." is made
// hidden the Windows way (the hidden attribute), which is what the listing leaves out here.
class WindowsWorld {
 public:
  static constexpr char kSeparator = '\\';
  FileSystem& fs() { return fs_; }
  std::string NewFolder() { return tree_.NewFolder(); }
  static void AddFile(const std::string& folder, const std::string& name,
                      const std::string& content) {
    MakeFile(folder, name, content, HiddenIfDotted(name));
  }
  static void AddDirectory(const std::string& folder, const std::string& name) {
    MakeDirectory(folder, name, HiddenIfDotted(name));
  }
  static Names AllNames(const std::string& folder) { return EveryName(folder); }
  static std::optional<std::string> Content(const std::string& folder, const std::string& name) {
    return FileContent(folder, name);
  }
  static void SetWorkingFolder(const std::string& folder) {
    ASSERT_TRUE(SetCurrentDirectoryW(TestWide(folder).c_str()));
  }
  std::string Root() { return tree_.root().substr(0, 3); }  // "C:\"

 private:
  static DWORD HiddenIfDotted(const std::string& name) {
    return !name.empty() && name[0] == '.' ? FILE_ATTRIBUTE_HIDDEN : 0;
  }
  WindowsTempTree tree_;
  WindowsFileSystem fs_;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Windows, FileSystemConformance, ::testing::Types<WindowsWorld>);

class WindowsFileSystemTest : public ::testing::Test {
 protected:
  Names Listed(const std::string& folder, EntryKind kind) {
    Names names;
    const Status status = fs_.ListNames(folder, kind, &names);
    EXPECT_TRUE(status.ok()) << status.message();
    std::sort(names.begin(), names.end());
    return names;
  }

  WindowsTempTree tree_;
  WindowsFileSystem fs_;
};

TEST_F(WindowsFileSystemTest, HiddenAndSystemEntriesAreLeftOutOfTheListing) {
  const std::string folder = tree_.NewFolder();
  MakeFile(folder, "plain.txt", "p");
  MakeFile(folder, "read only.txt", "r", FILE_ATTRIBUTE_READONLY);
  MakeFile(folder, "archived.txt", "a", FILE_ATTRIBUTE_ARCHIVE);
  MakeFile(folder, "hidden.txt", "h", FILE_ATTRIBUTE_HIDDEN);
  MakeFile(folder, "system.txt", "s", FILE_ATTRIBUTE_SYSTEM);
  MakeFile(folder, "both.txt", "b", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  MakeDirectory(folder, "open");
  MakeDirectory(folder, "hidden dir", FILE_ATTRIBUTE_HIDDEN);
  MakeDirectory(folder, "system dir", FILE_ATTRIBUTE_SYSTEM);

  EXPECT_EQ(Listed(folder, EntryKind::kFile),
            (Names{"archived.txt", "plain.txt", "read only.txt"}));
  EXPECT_EQ(Listed(folder, EntryKind::kDirectory), (Names{"open"}));
  EXPECT_EQ(EveryName(folder).size(), 9u);
  for (const char* name : {"read only.txt", "hidden.txt", "system.txt", "both.txt"}) {
    SetFileAttributesW(TestJoin(folder, name).c_str(), FILE_ATTRIBUTE_NORMAL);
  }
}

TEST_F(WindowsFileSystemTest, EveryNameIncludesHiddenAndSystemEntriesOfEveryKind) {
  const std::string folder = tree_.NewFolder();
  MakeFile(folder, "plain.txt", "p");
  MakeFile(folder, "hidden.txt", "h", FILE_ATTRIBUTE_HIDDEN);
  MakeFile(folder, "system.txt", "s", FILE_ATTRIBUTE_SYSTEM);
  MakeDirectory(folder, "dir");
  MakeDirectory(folder, "hidden dir", FILE_ATTRIBUTE_HIDDEN);
  MakeFile(folder + "\\dir", "inside.txt", "i");
  Names names = {"stale"};
  ASSERT_TRUE(fs_.ListAllNames(folder, &names).ok());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (Names{"dir", "hidden dir", "hidden.txt", "plain.txt", "system.txt"}));

  names = {"stale"};
  const Status status = fs_.ListAllNames(folder + "\\missing", &names);
  EXPECT_EQ(status.code(), Status::Code::kNotFound);
  EXPECT_EQ(status.message().rfind("cannot open folder '" + folder + "\\missing': ", 0), 0u)
      << status.message();
  EXPECT_TRUE(names.empty());
}

TEST_F(WindowsFileSystemTest, ADotNameWithoutTheHiddenAttributeIsListed) {
  const std::string folder = tree_.NewFolder();
  MakeFile(folder, ".profile", "p", FILE_ATTRIBUTE_NORMAL);
  MakeDirectory(folder, ".config", FILE_ATTRIBUTE_NORMAL);
  if ((GetFileAttributesW(TestJoin(folder, ".profile").c_str()) & FILE_ATTRIBUTE_HIDDEN) != 0) {
    GTEST_SKIP() << "this system marks names beginning with '.' hidden by itself (Wine does)";
  }
  EXPECT_EQ(Listed(folder, EntryKind::kFile), (Names{".profile"}));
  EXPECT_EQ(Listed(folder, EntryKind::kDirectory), (Names{".config"}));
}

TEST_F(WindowsFileSystemTest, ARenameOfAHiddenEntryAsksForNoAttributeAndKeepsIt) {
  const std::string folder = tree_.NewFolder();
  MakeFile(folder, "secret.txt", "s", FILE_ATTRIBUTE_HIDDEN);
  ASSERT_TRUE(fs_.RenameNoReplace(folder, "secret.txt", "renamed.txt").ok());
  EXPECT_NE(GetFileAttributesW(TestJoin(folder, "renamed.txt").c_str()) & FILE_ATTRIBUTE_HIDDEN,
            0u);
}

TEST_F(WindowsFileSystemTest, NamesWindowsCannotHoldAreRefusedWithTheirReason) {
  const std::string folder = tree_.NewFolder();
  MakeFile(folder, "entry.txt", "e");
  struct Case {
    std::string new_name;
    std::string reason;
  };
  const Case cases[] = {
      {"a<b", "the new name holds '<', which Windows file names cannot hold"},
      {"a>b", "the new name holds '>', which Windows file names cannot hold"},
      {"C:name", "the new name holds ':', which Windows file names cannot hold"},
      {"say \"hi\"", "the new name holds '\"', which Windows file names cannot hold"},
      {"a|b", "the new name holds '|', which Windows file names cannot hold"},
      {"why?", "the new name holds '?', which Windows file names cannot hold"},
      {"*.txt", "the new name holds '*', which Windows file names cannot hold"},
      {"a\\b", kNewNameHoldsSeparator},
      {"a/b", kNewNameHoldsSeparator},
      {"tab\there", kWindowsNameControl},
      {"line\nbreak", kWindowsNameControl},
      {"trailing.", kWindowsNameEndsInDot},
      {"entry.txt.", kWindowsNameEndsInDot},
      {"...", kWindowsNameEndsInDot},
      {"blank ", kWindowsNameEndsInBlank},
      {"NUL", "the new name 'NUL' is reserved for a device on Windows"},
      {"con.txt", "the new name 'con.txt' is reserved for a device on Windows"},
  };
  for (const Case& c : cases) {
    const Status status = fs_.RenameNoReplace(folder, "entry.txt", c.new_name);
    EXPECT_EQ(status.code(), Status::Code::kInvalidName) << c.new_name;
    EXPECT_EQ(status.message(), c.reason) << c.new_name;
  }
  EXPECT_EQ(EveryName(folder), (Names{"entry.txt"}));
  EXPECT_EQ(FileContent(folder, "entry.txt"), "e");
}

TEST_F(WindowsFileSystemTest, NamesThatOnlyLookLikeDevicesAreRenamed) {
  const std::string folder = tree_.NewFolder();
  MakeFile(folder, "entry", "e");
  for (const char* name :
       {"CONSOLE", "con1", "COM10", "nul-list.txt", "AUX_", "x.con", "Prn Notes", ".nul"}) {
    const Status status = fs_.RenameNoReplace(folder, "entry", name);
    ASSERT_TRUE(status.ok()) << name << ": " << status.message();
    EXPECT_EQ(EveryName(folder), Names{name});
    ASSERT_TRUE(fs_.RenameNoReplace(folder, name, "entry").ok()) << name;
  }
}

TEST_F(WindowsFileSystemTest, ARenameNeverReplacesAFileOfAnotherCase) {
  const std::string folder = tree_.NewFolder();
  MakeFile(folder, "a.txt", "first");
  MakeFile(folder, "b.txt", "second");
  const Status status = fs_.RenameNoReplace(folder, "a.txt", "B.TXT");
  EXPECT_EQ(status.code(), Status::Code::kAlreadyExists);
  EXPECT_EQ(status.message(), kNameExists);
  EXPECT_EQ(EveryName(folder), (Names{"a.txt", "b.txt"}));
  EXPECT_EQ(FileContent(folder, "b.txt"), "second");
}

TEST_F(WindowsFileSystemTest, AChangeOfCaseAloneLeavesNoTemporaryBehind) {
  const std::string folder = tree_.NewFolder();
  MakeFile(folder, "report.doc", "r");
  MakeDirectory(folder, "photos");
  ASSERT_TRUE(fs_.RenameNoReplace(folder, "report.doc", "Report.DOC").ok());
  ASSERT_TRUE(fs_.RenameNoReplace(folder, "photos", "PHOTOS").ok());
  ASSERT_TRUE(fs_.RenameNoReplace(folder, "PHOTOS", "Photos").ok());
  EXPECT_EQ(EveryName(folder), (Names{"Photos", "Report.DOC"}));
  EXPECT_EQ(FileContent(folder, "Report.DOC"), "r");
}

// Two hard links are one file under two names: the new name finds the entry itself, as a change
// of case does, yet it is another entry of the folder and must not be given up.
TEST_F(WindowsFileSystemTest, AHardLinkOfTheSameFileIsStillAnEntryOfItsOwn) {
  const std::string folder = tree_.NewFolder();
  MakeFile(folder, "one.txt", "shared");
  if (!CreateHardLinkW(TestJoin(folder, "two.txt").c_str(), TestJoin(folder, "one.txt").c_str(),
                       nullptr)) {
    GTEST_SKIP() << "this file system makes no hard links";
  }
  const Status status = fs_.RenameNoReplace(folder, "one.txt", "two.txt");
  EXPECT_EQ(status.code(), Status::Code::kAlreadyExists) << status.message();
  EXPECT_EQ(status.message(), kNameExists);
  EXPECT_EQ(EveryName(folder), (Names{"one.txt", "two.txt"}));
  EXPECT_EQ(FileContent(folder, "one.txt"), "shared");
}

TEST_F(WindowsFileSystemTest, RenamesInAFolderPastTheOldPathLimit) {
  std::string folder = tree_.NewFolder();
  const std::string part(60, 'p');
  for (int depth = 0; depth < 5; ++depth) {
    const std::wstring path = TestJoin(folder, part);
    const std::wstring api = L"\\\\?\\" + path;
    ASSERT_TRUE(CreateDirectoryW(api.c_str(), nullptr));
    folder = Utf8FromWide(path);
  }
  ASSERT_GT(folder.size(), static_cast<std::size_t>(MAX_PATH));
  std::string absolute;
  ASSERT_TRUE(fs_.AbsoluteFolder(folder, &absolute).ok());
  EXPECT_EQ(absolute, folder);
  const std::wstring file = L"\\\\?\\" + TestJoin(folder, "deep.txt");
  const HANDLE handle = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(handle, INVALID_HANDLE_VALUE);
  CloseHandle(handle);

  EXPECT_EQ(Listed(folder, EntryKind::kFile), Names{"deep.txt"});
  const Status status = fs_.RenameNoReplace(folder, "deep.txt", "Deeper.txt");
  ASSERT_TRUE(status.ok()) << status.message();
  EXPECT_EQ(Listed(folder, EntryKind::kFile), Names{"Deeper.txt"});
}

TEST_F(WindowsFileSystemTest, JoinsAtDriveAndShareRootsWithOneSeparator) {
  EXPECT_EQ(fs_.JoinPath("C:\\", "name.txt"), "C:\\name.txt");
  EXPECT_EQ(fs_.JoinPath("C:\\Photos", "name.txt"), "C:\\Photos\\name.txt");
  EXPECT_EQ(fs_.JoinPath("\\\\server\\share\\", "name"), "\\\\server\\share\\name");
  EXPECT_EQ(fs_.JoinPath("C:/Photos/", "name"), "C:/Photos/name");
  EXPECT_TRUE(fs_.HoldsSeparator("a\\b"));
  EXPECT_TRUE(fs_.HoldsSeparator("a/b"));
  EXPECT_FALSE(fs_.HoldsSeparator("C:name"));
}

TEST_F(WindowsFileSystemTest, AbsoluteFolderTakesForwardSlashes) {
  const std::string folder = tree_.NewFolder();
  MakeDirectory(folder, "sub");
  std::string slashed = folder + "/sub/";
  for (char& c : slashed) c = c == '\\' ? '/' : c;
  std::string absolute;
  ASSERT_TRUE(fs_.AbsoluteFolder(slashed, &absolute).ok());
  EXPECT_EQ(absolute, folder + "\\sub");
}

// A real drive root: the test script maps a drive letter to an empty temporary folder (Wine's
// dosdevices) and names it in KESTRO_TEST_DRIVE ("K:").
class DriveRootTest : public WindowsFileSystemTest {
 protected:
  void SetUp() override {
    const char* drive = std::getenv("KESTRO_TEST_DRIVE");
    if (drive == nullptr || std::string(drive).size() != 2 || drive[1] != ':') {
      GTEST_SKIP() << "KESTRO_TEST_DRIVE names no drive mapped for tests";
    }
    root_ = std::string(drive) + "\\";
    if (!EveryName(root_).empty()) GTEST_SKIP() << root_ << " is not empty";
  }
  void TearDown() override {
    if (root_.empty()) return;
    for (const std::string& name : EveryName(root_)) {
      const std::wstring path = TestJoin(root_, name);
      if (GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path);
      } else {
        DeleteFileW(path.c_str());
      }
    }
  }
  std::string root_;
};

TEST_F(DriveRootTest, ListsAndRenamesAtTheRootOfADrive) {
  Names names = {"stale"};
  ASSERT_TRUE(fs_.ListNames(root_, EntryKind::kFile, &names).ok());
  EXPECT_TRUE(names.empty());

  for (const std::string& path : {root_, root_.substr(0, 2) + "\\..", root_.substr(0, 2) + "/"}) {
    std::string absolute;
    const Status status = fs_.AbsoluteFolder(path, &absolute);
    ASSERT_TRUE(status.ok()) << path << ": " << status.message();
    EXPECT_EQ(absolute, root_) << path;
  }
  EXPECT_EQ(fs_.JoinPath(root_, "a.txt"), root_ + "a.txt");

  MakeFile(root_, "a.txt", "a");
  MakeFile(root_, "b.txt", "b");
  MakeDirectory(root_, "folder");
  MakeFile(root_, "hidden.txt", "h", FILE_ATTRIBUTE_HIDDEN);
  EXPECT_EQ(Listed(root_, EntryKind::kFile), (Names{"a.txt", "b.txt"}));
  EXPECT_EQ(Listed(root_, EntryKind::kDirectory), Names{"folder"});

  EXPECT_EQ(fs_.RenameNoReplace(root_, "a.txt", "b.txt").code(), Status::Code::kAlreadyExists);
  Status status = fs_.RenameNoReplace(root_, "a.txt", "c.txt");
  ASSERT_TRUE(status.ok()) << status.message();
  status = fs_.RenameNoReplace(root_, "folder", "FOLDER");
  ASSERT_TRUE(status.ok()) << status.message();
  EXPECT_EQ(Listed(root_, EntryKind::kFile), (Names{"b.txt", "c.txt"}));
  EXPECT_EQ(Listed(root_, EntryKind::kDirectory), Names{"FOLDER"});
  EXPECT_EQ(FileContent(root_, "c.txt"), "a");
  EXPECT_EQ(
      GetFileAttributesW(TestWide(fs_.JoinPath(root_, "c.txt")).c_str()) & FILE_ATTRIBUTE_DIRECTORY,
      0u);
  SetFileAttributesW(TestJoin(root_, "hidden.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(DriveRootTest, ListEntriesAtTheRootFeedsPathsWithOneSeparator) {
  MakeFile(root_, "img10.jpg", "10");
  MakeFile(root_, "img2.jpg", "2");
  Names names;
  ASSERT_TRUE(ListEntries(fs_, root_, EntryKind::kFile, "*.jpg", &names).ok());
  ASSERT_EQ(names, (Names{"img2.jpg", "img10.jpg"}));
  for (const std::string& name : names) {
    const std::string path = fs_.JoinPath(root_, name);
    EXPECT_EQ(path.find("\\\\"), std::string::npos) << path;
    EXPECT_NE(GetFileAttributesW(TestWide(path).c_str()), INVALID_FILE_ATTRIBUTES) << path;
  }
}

}  // namespace
}  // namespace kestro
