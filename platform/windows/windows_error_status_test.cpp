#include "platform/windows/windows_error_status.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "platform/name_rules.h"

namespace kestro {
namespace {

TEST(WindowsErrorStatusTest, CodesByKindOfFailureWithTheSystemsText) {
  struct Case {
    DWORD error;
    Status::Code code;
  };
  for (const Case& c : {Case{ERROR_FILE_NOT_FOUND, Status::Code::kNotFound},
                        Case{ERROR_PATH_NOT_FOUND, Status::Code::kNotFound},
                        Case{ERROR_SHARING_VIOLATION, Status::Code::kInUse},
                        Case{ERROR_LOCK_VIOLATION, Status::Code::kInUse},
                        Case{ERROR_ACCESS_DENIED, Status::Code::kPermission},
                        Case{ERROR_WRITE_PROTECT, Status::Code::kPermission},
                        Case{ERROR_INVALID_NAME, Status::Code::kInvalidName},
                        Case{ERROR_FILENAME_EXCED_RANGE, Status::Code::kInvalidName},
                        Case{ERROR_NOT_SAME_DEVICE, Status::Code::kNotSupported},
                        Case{ERROR_DISK_FULL, Status::Code::kIoError}}) {
    const Status status = StatusFromWindowsError(c.error, "cannot open folder 'C:\\x'");
    EXPECT_EQ(status.code(), c.code) << c.error;
    EXPECT_EQ(status.message().rfind("cannot open folder 'C:\\x': ", 0), 0u) << status.message();
    const Status bare = StatusFromWindowsError(c.error);
    EXPECT_FALSE(bare.message().empty()) << c.error;
    EXPECT_NE(bare.message().back(), '\n') << c.error;
    EXPECT_EQ(status.message(), "cannot open folder 'C:\\x': " + bare.message());
  }
}

TEST(WindowsErrorStatusTest, AnExistingNameIsWordedAsEveryFileSystemWordsIt) {
  for (const DWORD error : {DWORD{ERROR_ALREADY_EXISTS}, DWORD{ERROR_FILE_EXISTS}}) {
    const Status status = StatusFromWindowsError(error);
    EXPECT_EQ(status.code(), Status::Code::kAlreadyExists);
    EXPECT_EQ(status.message(), kNameExists);
  }
}

TEST(WindowsErrorStatusTest, TheLastErrorOfTheThreadIsRead) {
  SetLastError(ERROR_SHARING_VIOLATION);
  EXPECT_EQ(StatusFromLastError().code(), Status::Code::kInUse);
}

}  // namespace
}  // namespace kestro
