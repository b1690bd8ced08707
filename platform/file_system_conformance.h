// The behaviour every FileSystem shares, as one typed GoogleTest suite, so that the in-memory file
// system cannot drift from the real ones. Instantiate it with a world per implementation:
//
//   struct MyWorld {
//     FileSystem& fs();                          // the file system under test
//     std::string NewFolder();                   // absolute path of a fresh, empty folder
//     void AddFile(const std::string& folder, const std::string& name, const std::string& content);
//     void AddDirectory(const std::string& folder, const std::string& name);
//     std::vector<std::string> AllNames(const std::string& folder);  // hidden too, byte order
//     std::optional<std::string> Content(const std::string& folder, const std::string& name);
//     void SetWorkingFolder(const std::string& folder);  // where relative paths start
//     std::string Root();                        // a root folder: "/", "C:\\"
//     static constexpr char kSeparator = '/';    // the separator JoinPath puts in
//     static bool Available();  // optional: false skips the suite (a file system not at hand)
//   };
//   INSTANTIATE_TYPED_TEST_SUITE_P(Mine, FileSystemConformance, ::testing::Types<MyWorld>);
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/listing.h"
#include "platform/name_rules.h"

namespace kestro {

template <typename World>
class FileSystemConformance : public ::testing::Test {
 protected:
  using Names = std::vector<std::string>;

  void SetUp() override {
    if constexpr (requires { World::Available(); }) {
      if (!World::Available()) GTEST_SKIP() << "the file system for this world is not at hand";
    }
  }

  FileSystem& fs() { return world_.fs(); }

  Names Listed(const std::string& folder, EntryKind kind) {
    Names names;
    const Status status = fs().ListNames(folder, kind, &names);
    EXPECT_TRUE(status.ok()) << status.message();
    std::sort(names.begin(), names.end());
    return names;
  }

  World world_;
};

TYPED_TEST_SUITE_P(FileSystemConformance);

TYPED_TEST_P(FileSystemConformance, ListsFilesAndDirectoriesApartAndLeavesHiddenOnesOut) {
  auto& w = this->world_;
  const std::string folder = w.NewFolder();
  w.AddFile(folder, "b.txt", "b");
  w.AddFile(folder, "a b.JPG", "a");
  w.AddFile(folder, ".hidden", "h");
  w.AddDirectory(folder, "sub");
  w.AddDirectory(folder, ".git");
  w.AddFile(w.fs().JoinPath(folder, "sub"), "inner.txt", "i");

  using Names = std::vector<std::string>;
  EXPECT_EQ(this->Listed(folder, EntryKind::kFile), (Names{"a b.JPG", "b.txt"}));
  EXPECT_EQ(this->Listed(folder, EntryKind::kDirectory), (Names{"sub"}));
  EXPECT_EQ(w.AllNames(folder), (Names{".git", ".hidden", "a b.JPG", "b.txt", "sub"}));
}

TYPED_TEST_P(FileSystemConformance, ListsEveryNameAFolderHoldsWhenAskedForAll) {
  auto& w = this->world_;
  const std::string folder = w.NewFolder();
  w.AddFile(folder, "file", "f");
  w.AddFile(folder, ".hidden", "h");
  w.AddDirectory(folder, "dir");
  w.AddDirectory(folder, ".hidden dir");
  std::vector<std::string> names;
  Status status = w.fs().ListAllNames(folder, &names);
  ASSERT_TRUE(status.ok()) << status.message();
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, w.AllNames(folder));
  EXPECT_EQ(names.size(), 4u);

  const std::string missing = w.fs().JoinPath(folder, "missing");
  status = w.fs().ListAllNames(missing, &names);
  EXPECT_EQ(status.code(), Status::Code::kNotFound);
  EXPECT_EQ(status.message().rfind("cannot open folder '" + missing + "': ", 0), 0u)
      << status.message();
  EXPECT_TRUE(names.empty());
}

TYPED_TEST_P(FileSystemConformance, ListsAnEmptyFolderAsNoNames) {
  auto& w = this->world_;
  const std::string folder = w.NewFolder();
  std::vector<std::string> names = {"stale"};
  ASSERT_TRUE(w.fs().ListNames(folder, EntryKind::kFile, &names).ok());
  EXPECT_TRUE(names.empty());
}

TYPED_TEST_P(FileSystemConformance, RenameMovesTheFileAndKeepsItsContent) {
  auto& w = this->world_;
  const std::string folder = w.NewFolder();
  w.AddFile(folder, "old name.txt", "payload");
  w.AddFile(folder, "other", "o");

  const Status status = w.fs().RenameNoReplace(folder, "old name.txt", "Néw näme.txt");
  ASSERT_TRUE(status.ok()) << status.message();
  EXPECT_EQ(w.AllNames(folder), (std::vector<std::string>{"N\xC3\xA9w n\xC3\xA4me.txt", "other"}));
  EXPECT_EQ(w.Content(folder, "Néw näme.txt"), "payload");
  EXPECT_EQ(w.Content(folder, "other"), "o");
}

TYPED_TEST_P(FileSystemConformance, RenameOntoAnExistingEntryLeavesBothAsTheyWere) {
  auto& w = this->world_;
  const std::string folder = w.NewFolder();
  w.AddFile(folder, "a", "content of a");
  w.AddFile(folder, "b", "content of b");
  w.AddFile(folder, ".hidden", "h");
  w.AddDirectory(folder, "dir");

  struct Case {
    const char* old_name;
    const char* new_name;
  };
  for (const Case& c : {Case{"a", "b"}, Case{"a", "dir"}, Case{"dir", "a"}, Case{"a", ".hidden"}}) {
    const Status status = w.fs().RenameNoReplace(folder, c.old_name, c.new_name);
    EXPECT_EQ(status.code(), Status::Code::kAlreadyExists) << c.old_name << " -> " << c.new_name;
    EXPECT_EQ(status.message(), kNameExists);
  }
  EXPECT_EQ(w.AllNames(folder), (std::vector<std::string>{".hidden", "a", "b", "dir"}));
  EXPECT_EQ(w.Content(folder, "a"), "content of a");
  EXPECT_EQ(w.Content(folder, "b"), "content of b");
  EXPECT_EQ(w.Content(folder, ".hidden"), "h");
}

TYPED_TEST_P(FileSystemConformance, AChangeOfLetterCaseAloneIsApplied) {
  auto& w = this->world_;
  const std::string folder = w.NewFolder();
  w.AddFile(folder, "photo.jpg", "p");
  w.AddDirectory(folder, "Holiday");

  Status status = w.fs().RenameNoReplace(folder, "photo.jpg", "PHOTO.JPG");
  ASSERT_TRUE(status.ok()) << status.message();
  status = w.fs().RenameNoReplace(folder, "Holiday", "holiday");
  ASSERT_TRUE(status.ok()) << status.message();
  EXPECT_EQ(w.AllNames(folder), (std::vector<std::string>{"PHOTO.JPG", "holiday"}));
  EXPECT_EQ(w.Content(folder, "PHOTO.JPG"), "p");
}

TYPED_TEST_P(FileSystemConformance, ANewNameEqualToTheOldOneIsDoneWithoutChange) {
  auto& w = this->world_;
  const std::string folder = w.NewFolder();
  w.AddFile(folder, "same", "s");
  const Status status = w.fs().RenameNoReplace(folder, "same", "same");
  EXPECT_TRUE(status.ok()) << status.message();
  EXPECT_EQ(w.AllNames(folder), (std::vector<std::string>{"same"}));
  EXPECT_EQ(w.Content(folder, "same"), "s");
}

TYPED_TEST_P(FileSystemConformance, ANewNameThatIsNoPlainNameIsRefusedAndNothingMoves) {
  auto& w = this->world_;
  const std::string parent = w.NewFolder();
  w.AddDirectory(parent, "work");
  const std::string folder = w.fs().JoinPath(parent, "work");
  w.AddFile(folder, "entry", "e");
  w.AddDirectory(folder, "sub");

  struct Case {
    std::string new_name;
    const char* reason;
  };
  const Case cases[] = {
      {"", kNewNameEmpty},
      {".", kNewNameDots},
      {"..", kNewNameDots},
      {"../entry", kNewNameHoldsSeparator},
      {"sub/entry", kNewNameHoldsSeparator},
      {"/entry", kNewNameHoldsSeparator},
      {"entry/", kNewNameHoldsSeparator},
      {std::string("a\0b", 3), kNewNameHoldsNul},
  };
  for (const Case& c : cases) {
    const Status status = w.fs().RenameNoReplace(folder, "entry", c.new_name);
    EXPECT_EQ(status.code(), Status::Code::kInvalidName) << "'" << c.new_name << "'";
    EXPECT_EQ(status.message(), c.reason) << "'" << c.new_name << "'";
  }
  EXPECT_EQ(w.AllNames(folder), (std::vector<std::string>{"entry", "sub"}));
  EXPECT_EQ(w.AllNames(parent), (std::vector<std::string>{"work"}));
  EXPECT_TRUE(w.AllNames(w.fs().JoinPath(folder, "sub")).empty());
}

TYPED_TEST_P(FileSystemConformance, AnOldNameThatIsNoPlainNameIsRefused) {
  auto& w = this->world_;
  const std::string parent = w.NewFolder();
  w.AddFile(parent, "outside", "o");
  w.AddDirectory(parent, "work");
  const std::string folder = w.fs().JoinPath(parent, "work");

  for (const char* old_name : {"../outside", "", ".", ".."}) {
    const Status status = w.fs().RenameNoReplace(folder, old_name, "inside");
    EXPECT_EQ(status.code(), Status::Code::kInvalidName) << "'" << old_name << "'";
    EXPECT_EQ(status.message(), kOldNameNotPlain);
  }
  EXPECT_EQ(w.AllNames(parent), (std::vector<std::string>{"outside", "work"}));
  EXPECT_TRUE(w.AllNames(folder).empty());
}

TYPED_TEST_P(FileSystemConformance, AVanishedEntryIsNotFound) {
  auto& w = this->world_;
  const std::string folder = w.NewFolder();
  w.AddFile(folder, "present", "p");
  for (const char* new_name : {"elsewhere", "present"}) {
    const Status status = w.fs().RenameNoReplace(folder, "gone", new_name);
    EXPECT_EQ(status.code(), Status::Code::kNotFound) << new_name;
    EXPECT_FALSE(status.message().empty());
  }
  EXPECT_EQ(w.AllNames(folder), (std::vector<std::string>{"present"}));
}

TYPED_TEST_P(FileSystemConformance, ARenamedDirectoryTakesItsContentsAlong) {
  auto& w = this->world_;
  const std::string folder = w.NewFolder();
  w.AddDirectory(folder, "before");
  const std::string before = w.fs().JoinPath(folder, "before");
  w.AddFile(before, "kept.txt", "k");
  w.AddDirectory(before, "deeper");
  w.AddFile(w.fs().JoinPath(before, "deeper"), "deep.txt", "d");

  const Status status = w.fs().RenameNoReplace(folder, "before", "after");
  ASSERT_TRUE(status.ok()) << status.message();
  const std::string after = w.fs().JoinPath(folder, "after");
  EXPECT_EQ(this->Listed(folder, EntryKind::kDirectory), (std::vector<std::string>{"after"}));
  EXPECT_EQ(w.Content(after, "kept.txt"), "k");
  EXPECT_EQ(w.Content(w.fs().JoinPath(after, "deeper"), "deep.txt"), "d");
  std::vector<std::string> names;
  EXPECT_EQ(w.fs().ListNames(before, EntryKind::kFile, &names).code(), Status::Code::kNotFound);
}

TYPED_TEST_P(FileSystemConformance, AbsoluteFolderPlainsAPath) {
  auto& w = this->world_;
  const std::string folder = w.NewFolder();
  w.AddDirectory(folder, "sub");
  const std::string sub = w.fs().JoinPath(folder, "sub");
  w.SetWorkingFolder(folder);
  const std::string s(1, TypeParam::kSeparator);

  struct Case {
    std::string path;
    std::string expected;
  };
  const Case cases[] = {
      {folder, folder},
      {folder + s, folder},
      {folder + s + s + "sub" + s + s, sub},
      {sub + s + "." + s + "..", folder},
      {"sub", sub},
      {"." + s + "sub" + s, sub},
      {".", folder},
      {"sub" + s + "..", folder},
      {w.Root(), w.Root()},
      {w.Root() + "..", w.Root()},
  };
  for (const Case& c : cases) {
    std::string absolute = "unset";
    const Status status = w.fs().AbsoluteFolder(c.path, &absolute);
    EXPECT_TRUE(status.ok()) << c.path << ": " << status.message();
    EXPECT_EQ(absolute, c.expected) << c.path;
  }
}

TYPED_TEST_P(FileSystemConformance, AbsoluteFolderFailsWhereNoFolderIs) {
  auto& w = this->world_;
  const std::string folder = w.NewFolder();
  w.AddFile(folder, "file", "f");
  w.SetWorkingFolder(folder);

  const std::string s(1, TypeParam::kSeparator);
  // A NUL would cut the path short at an existing folder if it reached the system as it is.
  const std::string cut_short = folder + std::string(1, '\0') + s + "missing";
  for (const std::string& path :
       {folder + s + "missing", std::string("missing"), folder + s + "file",
        folder + s + "file" + s + "below", std::string(), cut_short}) {
    std::string absolute = "unset";
    const Status status = w.fs().AbsoluteFolder(path, &absolute);
    EXPECT_EQ(status.code(), Status::Code::kNotFound) << path;
    EXPECT_NE(status.message().find("cannot open folder '"), std::string::npos) << path;
    EXPECT_EQ(absolute, "unset") << path;
  }
}

TYPED_TEST_P(FileSystemConformance, AMissingFolderCannotBeListedNorRenamedIn) {
  auto& w = this->world_;
  const std::string missing = w.fs().JoinPath(w.NewFolder(), "missing");
  std::vector<std::string> names = {"stale"};
  Status status = w.fs().ListNames(missing, EntryKind::kFile, &names);
  EXPECT_EQ(status.code(), Status::Code::kNotFound);
  EXPECT_EQ(status.message().rfind("cannot open folder '" + missing + "': ", 0), 0u)
      << status.message();
  EXPECT_TRUE(names.empty());
  const std::string cut_short = w.NewFolder() + std::string(1, '\0') + "x";
  EXPECT_EQ(w.fs().ListNames(cut_short, EntryKind::kFile, &names).code(), Status::Code::kNotFound);
  EXPECT_EQ(w.fs().RenameNoReplace(cut_short, "a", "b").code(), Status::Code::kNotFound);
  status = w.fs().RenameNoReplace(missing, "a", "b");
  EXPECT_EQ(status.code(), Status::Code::kNotFound);
  EXPECT_EQ(status.message().rfind("cannot open folder '" + missing + "': ", 0), 0u)
      << status.message();
}

TYPED_TEST_P(FileSystemConformance, RenamesInAnAnnouncedRunKeepEveryRule) {
  auto& w = this->world_;
  const std::string folder = w.NewFolder();
  const std::string other = w.NewFolder();
  w.AddFile(folder, "1", "one");
  w.AddFile(folder, "2", "two");
  w.AddFile(other, "x", "ex");
  {
    RenameRun run(w.fs(), folder);
    EXPECT_TRUE(w.fs().RenameNoReplace(folder, "1", "a").ok());
    EXPECT_EQ(w.fs().RenameNoReplace(folder, "2", "a").code(), Status::Code::kAlreadyExists);
    EXPECT_EQ(w.fs().RenameNoReplace(folder, "2", "../b").code(), Status::Code::kInvalidName);
    EXPECT_EQ(w.fs().RenameNoReplace(folder, "gone", "c").code(), Status::Code::kNotFound);
    EXPECT_TRUE(w.fs().RenameNoReplace(other, "x", "y").ok());  // another folder meanwhile
    EXPECT_TRUE(w.fs().RenameNoReplace(folder, "2", "b").ok());
  }
  EXPECT_TRUE(w.fs().RenameNoReplace(folder, "b", "c").ok());  // and after the run
  EXPECT_EQ(w.AllNames(folder), (std::vector<std::string>{"a", "c"}));
  EXPECT_EQ(w.Content(folder, "a"), "one");
  EXPECT_EQ(w.Content(folder, "c"), "two");
  EXPECT_EQ(w.AllNames(other), (std::vector<std::string>{"y"}));

  const std::string missing = w.fs().JoinPath(folder, "missing");
  RenameRun run(w.fs(), missing);
  const Status status = w.fs().RenameNoReplace(missing, "a", "b");
  EXPECT_EQ(status.code(), Status::Code::kNotFound);
  EXPECT_EQ(status.message().rfind("cannot open folder '" + missing + "': ", 0), 0u)
      << status.message();
}

TYPED_TEST_P(FileSystemConformance, JoinsWithOneSeparator) {
  auto& w = this->world_;
  const std::string folder = w.NewFolder();
  EXPECT_EQ(w.fs().JoinPath(folder, "name"), folder + TypeParam::kSeparator + "name");
  EXPECT_EQ(w.fs().JoinPath(w.Root(), "name"), w.Root() + "name");
  EXPECT_TRUE(w.fs().HoldsSeparator("a/b"));
  EXPECT_FALSE(w.fs().HoldsSeparator("a b.c"));
}

TYPED_TEST_P(FileSystemConformance, ListEntriesSelectsByMaskInNaturalOrder) {
  auto& w = this->world_;
  const std::string folder = w.NewFolder();
  for (const char* name :
       {"img10.JPG", "img2.jpg", "Img1.jpg", "img01b.jpg", "notes.txt", ".x.jpg"}) {
    w.AddFile(folder, name, name);
  }
  w.AddDirectory(folder, "dir.jpg");
  std::vector<std::string> names;
  const Status status = ListEntries(w.fs(), folder, EntryKind::kFile, " *.jpg ", &names);
  ASSERT_TRUE(status.ok()) << status.message();
  EXPECT_EQ(names, (std::vector<std::string>{"Img1.jpg", "img01b.jpg", "img2.jpg", "img10.JPG"}));
}

REGISTER_TYPED_TEST_SUITE_P(
    FileSystemConformance, ListsFilesAndDirectoriesApartAndLeavesHiddenOnesOut,
    ListsEveryNameAFolderHoldsWhenAskedForAll, ListsAnEmptyFolderAsNoNames,
    RenameMovesTheFileAndKeepsItsContent, RenameOntoAnExistingEntryLeavesBothAsTheyWere,
    AChangeOfLetterCaseAloneIsApplied, ANewNameEqualToTheOldOneIsDoneWithoutChange,
    ANewNameThatIsNoPlainNameIsRefusedAndNothingMoves, AnOldNameThatIsNoPlainNameIsRefused,
    AVanishedEntryIsNotFound, ARenamedDirectoryTakesItsContentsAlong, AbsoluteFolderPlainsAPath,
    AbsoluteFolderFailsWhereNoFolderIs, AMissingFolderCannotBeListedNorRenamedIn,
    RenamesInAnAnnouncedRunKeepEveryRule, JoinsWithOneSeparator,
    ListEntriesSelectsByMaskInNaturalOrder);

}  // namespace kestro
