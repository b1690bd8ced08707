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
//   };
//   INSTANTIATE_TYPED_TEST_SUITE_P(Mine, FileSystemConformance, ::testing::Types<MyWorld>);
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/name_rules.h"
#include "platform/test_photos.h"

namespace kestro {

template <typename World>
class FileSystemConformance : public ::testing::Test {
 protected:
  using Names = std::vector<std::string>;

  Names Listed(const std::string& folder, EntryKind kind) {
    Names names = {"stale"};
    const Status status = world_.fs().ListNames(folder, kind, &names);
    EXPECT_TRUE(status.ok()) << status.message();
    std::sort(names.begin(), names.end());
    return names;
  }
  // A failure that names the folder it could not open and leaves no names behind.
  static void ExpectCannotOpen(const Status& status, const std::string& folder) {
    EXPECT_EQ(status.code(), Status::Code::kNotFound) << folder;
    EXPECT_EQ(status.message().rfind("cannot open folder '" + folder + "': ", 0), 0u)
        << status.message();
  }

  World world_;
};

TYPED_TEST_SUITE_P(FileSystemConformance);

TYPED_TEST_P(FileSystemConformance, ListsEachKindApartHiddenOnesOnlyWhenAskedForAll) {
  auto& w = this->world_;
  const std::string folder = w.NewFolder();
  EXPECT_TRUE(this->Listed(folder, EntryKind::kFile).empty());
  w.AddFile(folder, "b.txt", "b");
  w.AddFile(folder, "a b.JPG", "a");
  w.AddFile(folder, ".hidden", "h");
  w.AddDirectory(folder, "sub");
  w.AddDirectory(folder, ".git");
  w.AddFile(w.fs().JoinPath(folder, "sub"), "inner.txt", "i");

  using Names = std::vector<std::string>;
  EXPECT_EQ(this->Listed(folder, EntryKind::kFile), (Names{"a b.JPG", "b.txt"}));
  EXPECT_EQ(this->Listed(folder, EntryKind::kDirectory), (Names{"sub"}));
  Names directories = {"stale"}, files = {"stale"};
  ASSERT_TRUE(w.fs().ListBothKinds(folder, &directories, &files).ok());
  std::sort(files.begin(), files.end());
  EXPECT_EQ(files, (Names{"a b.JPG", "b.txt"}));
  EXPECT_EQ(directories, (Names{"sub"}));
  Names all;
  ASSERT_TRUE(w.fs().ListAllNames(folder, &all).ok());
  std::sort(all.begin(), all.end());
  EXPECT_EQ(all, (Names{".git", ".hidden", "a b.JPG", "b.txt", "sub"}));
  EXPECT_EQ(w.AllNames(folder), all);
}

TYPED_TEST_P(FileSystemConformance, AMissingFolderIsNamedInEveryFailure) {
  auto& w = this->world_;
  const std::string missing = w.fs().JoinPath(w.NewFolder(), "missing");
  std::vector<std::string> names = {"stale"}, all = {"stale"}, both = {"stale"}, more = {"stale"};
  this->ExpectCannotOpen(w.fs().ListNames(missing, EntryKind::kFile, &names), missing);
  this->ExpectCannotOpen(w.fs().ListAllNames(missing, &all), missing);
  this->ExpectCannotOpen(w.fs().ListBothKinds(missing, &both, &more), missing);
  EXPECT_TRUE(names.empty() && all.empty() && both.empty() && more.empty());
  this->ExpectCannotOpen(w.fs().RenameNoReplace(missing, "a", "b"), missing);
  this->ExpectCannotOpen(w.fs().RenameNoReplace(missing, "a", "a"), missing);
  // A NUL would cut the path short at an existing folder if it reached the system as it is.
  const std::string cut_short = w.NewFolder() + std::string(1, '\0') + "x";
  EXPECT_EQ(w.fs().ListNames(cut_short, EntryKind::kFile, &names).code(), Status::Code::kNotFound);
  EXPECT_EQ(w.fs().RenameNoReplace(cut_short, "a", "b").code(), Status::Code::kNotFound);
}

TYPED_TEST_P(FileSystemConformance, RenameMovesTheEntryWithItsContentAndNeverReplaces) {
  auto& w = this->world_;
  const std::string folder = w.NewFolder();
  w.AddFile(folder, "old name.txt", "payload");
  w.AddFile(folder, "b", "content of b");
  w.AddFile(folder, ".hidden", "h");
  w.AddDirectory(folder, "dir");
  w.AddFile(w.fs().JoinPath(folder, "dir"), "kept.txt", "k");

  Status status = w.fs().RenameNoReplace(folder, "old name.txt", "Néw näme.txt");
  ASSERT_TRUE(status.ok()) << status.message();
  EXPECT_EQ(w.Content(folder, "Néw näme.txt"), "payload");
  for (const auto& [from, to] :
       {std::pair{"b", "dir"}, {"dir", "b"}, {"b", ".hidden"}, {"Néw näme.txt", "b"}}) {
    status = w.fs().RenameNoReplace(folder, from, to);
    EXPECT_EQ(status.code(), Status::Code::kAlreadyExists) << from << " -> " << to;
    EXPECT_EQ(status.message(), kNameExists);
  }
  // A vanished entry, whether its new name is free, taken, or its own.
  for (const char* new_name : {"free", "b", "gone"})
    EXPECT_EQ(w.fs().RenameNoReplace(folder, "gone", new_name).code(), Status::Code::kNotFound);
  // The same name is done without change; a directory takes what it holds along.
  EXPECT_TRUE(w.fs().RenameNoReplace(folder, "b", "b").ok());
  ASSERT_TRUE(w.fs().RenameNoReplace(folder, "dir", "moved").ok());
  EXPECT_EQ(w.Content(w.fs().JoinPath(folder, "moved"), "kept.txt"), "k");
  std::vector<std::string> names;
  EXPECT_EQ(w.fs().ListNames(w.fs().JoinPath(folder, "dir"), EntryKind::kFile, &names).code(),
            Status::Code::kNotFound);
  EXPECT_EQ(w.AllNames(folder),
            (std::vector<std::string>{".hidden", "N\xC3\xA9w n\xC3\xA4me.txt", "b", "moved"}));
  EXPECT_EQ(w.Content(folder, "b"), "content of b");
  EXPECT_EQ(w.Content(folder, ".hidden"), "h");
}

TYPED_TEST_P(FileSystemConformance, AChangeOfLetterCaseAloneIsApplied) {
  auto& w = this->world_;
  const std::string folder = w.NewFolder();
  w.AddFile(folder, "photo.jpg", "p");
  w.AddDirectory(folder, "Holiday");
  ASSERT_TRUE(w.fs().RenameNoReplace(folder, "photo.jpg", "PHOTO.JPG").ok());
  ASSERT_TRUE(w.fs().RenameNoReplace(folder, "Holiday", "holiday").ok());
  EXPECT_EQ(w.AllNames(folder), (std::vector<std::string>{"PHOTO.JPG", "holiday"}));
  EXPECT_EQ(w.Content(folder, "PHOTO.JPG"), "p");
}

TYPED_TEST_P(FileSystemConformance, NamesThatAreNoPlainNamesAreRefusedAndNothingMoves) {
  auto& w = this->world_;
  const std::string parent = w.NewFolder();
  w.AddFile(parent, "outside", "o");
  w.AddDirectory(parent, "work");
  const std::string folder = w.fs().JoinPath(parent, "work");
  w.AddFile(folder, "entry", "e");
  w.AddDirectory(folder, "sub");

  const std::pair<std::string, const char*> new_names[] = {
      {"", kNewNameEmpty},
      {".", kNewNameDots},
      {"..", kNewNameDots},
      {"../entry", kNewNameHoldsSeparator},
      {"sub/entry", kNewNameHoldsSeparator},
      {"entry/", kNewNameHoldsSeparator},
      {std::string("a\0b", 3), kNewNameHoldsNul},
  };
  for (const auto& [name, reason] : new_names) {
    const Status status = w.fs().RenameNoReplace(folder, "entry", name);
    EXPECT_EQ(status.code(), Status::Code::kInvalidName) << "'" << name << "'";
    EXPECT_EQ(status.message(), reason) << "'" << name << "'";
  }
  for (const char* old_name : {"../outside", "", ".", ".."}) {
    const Status status = w.fs().RenameNoReplace(folder, old_name, "inside");
    EXPECT_EQ(status.code(), Status::Code::kInvalidName) << "'" << old_name << "'";
    EXPECT_EQ(status.message(), kOldNameNotPlain);
  }
  EXPECT_EQ(w.AllNames(folder), (std::vector<std::string>{"entry", "sub"}));
  EXPECT_EQ(w.AllNames(parent), (std::vector<std::string>{"outside", "work"}));
  EXPECT_TRUE(w.AllNames(w.fs().JoinPath(folder, "sub")).empty());
}

TYPED_TEST_P(FileSystemConformance, AbsoluteFolderPlainsAPathOrSaysWhyItCannot) {
  auto& w = this->world_;
  const std::string folder = w.NewFolder();
  w.AddDirectory(folder, "sub");
  w.AddFile(folder, "file", "f");
  const std::string sub = w.fs().JoinPath(folder, "sub");
  w.SetWorkingFolder(folder);
  const std::string s(1, TypeParam::kSeparator);

  const std::pair<std::string, std::string> good[] = {
      {folder + s, folder},
      {folder + s + s + "sub" + s + s, sub},
      {sub + s + "." + s + "..", folder},
      {"sub" + s + ".." + s + "sub" + s, sub},
      {"sub", sub},
      {"." + s + "sub" + s, sub},
      {".", folder},
      {w.Root(), w.Root()},
      {w.Root() + "..", w.Root()},
  };
  for (const auto& [path, expected] : good) {
    std::string absolute = "unset";
    const Status status = w.fs().AbsoluteFolder(path, &absolute);
    EXPECT_TRUE(status.ok()) << path << ": " << status.message();
    EXPECT_EQ(absolute, expected) << path;
  }
  // A ".." above a part that is no folder leads nowhere, though its text would.
  for (const std::string& path :
       {folder + s + "missing", std::string("missing"), folder + s + "file",
        folder + s + "file" + s + "below", std::string(),
        folder + std::string(1, '\0') + s + "missing", "missing" + s + ".." + s + "sub",
        "file" + s + "..", sub + s + "missing" + s + ".." + s + ".."}) {
    std::string absolute = "unset";
    const Status status = w.fs().AbsoluteFolder(path, &absolute);
    EXPECT_EQ(status.code(), Status::Code::kNotFound) << path;
    EXPECT_NE(status.message().find("cannot open folder '"), std::string::npos) << path;
    EXPECT_EQ(absolute, "unset") << path;
  }
}

TYPED_TEST_P(FileSystemConformance, JoinsWithOneSeparator) {
  auto& w = this->world_;
  const std::string folder = w.NewFolder();
  EXPECT_EQ(w.fs().JoinPath(folder, "name"), folder + TypeParam::kSeparator + "name");
  EXPECT_EQ(w.fs().JoinPath(w.Root(), "name"), w.Root() + "name");
  EXPECT_TRUE(w.fs().HoldsSeparator("a/b"));
  EXPECT_FALSE(w.fs().HoldsSeparator("a b.c"));
}

TYPED_TEST_P(FileSystemConformance, ReadsEachEntrysDatesOrSaysWhyItHasNone) {
  auto& w = this->world_;
  const std::string folder = w.NewFolder();
  const std::string photo = testing::JpegTakenAt("2024:05:01 09:08:07", "2024:05:02 00:00:00");
  w.AddFile(folder, "photo.jpg", photo);
  w.AddFile(folder, "scan.jpg", testing::JpegTakenAt("", "2019:01:02 03:04:05"));
  w.AddFile(folder, "late.jpg", testing::JpegTakenAt("2018:01:01 00:00:01", "", 300000));
  w.AddFile(folder, "empty.jpg", "");
  w.AddDirectory(folder, "album");
  const struct {
    const char* name;
    std::optional<DateTime> taken;
  } rows[] = {
      {"photo.jpg", DateTime{{2024, 5, 1}, 9, 8, 7}},
      {"scan.jpg", DateTime{{2019, 1, 2}, 3, 4, 5}},
      {"late.jpg", DateTime{{2018, 1, 1}, 0, 0, 1}},
      {"empty.jpg", std::nullopt},
      {"album", std::nullopt},
      {"missing.jpg", std::nullopt},
  };
  for (const auto& row : rows) {
    DateTime when;
    const Status taken = w.fs().DateTaken(folder, row.name, &when);
    EXPECT_EQ(taken.ok(), row.taken.has_value()) << row.name << ": " << taken.message();
    if (row.taken) {
      EXPECT_EQ(when, *row.taken) << row.name;
    } else {
      EXPECT_EQ(taken.message().rfind("it holds no date taken", 0), 0u) << taken.message();
    }
  }
  DateTime when;
  EXPECT_TRUE(w.fs().ModifiedTime(folder, "photo.jpg", &when).ok());
  EXPECT_TRUE(when.date.year >= 2000 && when.date.month >= 1 && when.date.day >= 1);
  const Status missing = w.fs().ModifiedTime(folder, "missing.jpg", &when);
  EXPECT_EQ(missing.code(), Status::Code::kNotFound);
  EXPECT_EQ(missing.message().rfind("its date modified cannot be read: ", 0), 0u);
}

REGISTER_TYPED_TEST_SUITE_P(FileSystemConformance, ListsEachKindApartHiddenOnesOnlyWhenAskedForAll,
                            AMissingFolderIsNamedInEveryFailure,
                            RenameMovesTheEntryWithItsContentAndNeverReplaces,
                            AChangeOfLetterCaseAloneIsApplied,
                            NamesThatAreNoPlainNamesAreRefusedAndNothingMoves,
                            AbsoluteFolderPlainsAPathOrSaysWhyItCannot, JoinsWithOneSeparator,
                            ReadsEachEntrysDatesOrSaysWhyItHasNone);

}  // namespace kestro
