#include "ui/drive_list.h"

#include <gtest/gtest.h>

#include <QDir>

namespace kestro {
namespace {

TEST(DriveOfTest, TheLongestDriveAboveTheFolder) {
  const QStringList drives = {"/", "/home/ann", "/media/ann/USB", "/media/ann/USB2"};
  struct Case {
    const char* folder;
    int drive;
  };
  const Case cases[] = {
      {"/", 0},
      {"/tmp/x", 0},
      {"/home/ann", 1},
      {"/home/ann/photos", 1},
      {"/home/anna", 0},  // not below /home/ann
      {"/media/ann/USB2/a", 3},
      {"/media/ann/USB/a", 2},
  };
  for (const Case& c : cases) EXPECT_EQ(DriveOf(drives, c.folder), c.drive) << c.folder;
  EXPECT_EQ(DriveOf({"C:\\", "D:\\"}, "D:\\Tools"), 1);
  EXPECT_EQ(DriveOf({"C:\\"}, "E:\\x"), -1);
}

TEST(MountedDrivesTest, OffersTheRootAndTheHomeFolderOnce) {
  QStringList drives = MountedDrives();
  ASSERT_FALSE(drives.isEmpty());
  EXPECT_GE(DriveOf(drives, QDir::toNativeSeparators(QDir::homePath())), 0);
  EXPECT_EQ(drives.removeDuplicates(), 0);
}

}  // namespace
}  // namespace kestro
