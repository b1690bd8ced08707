#include "platform/name_rules.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "platform/errno_status.h"
#include "platform/memory_file_system.h"

namespace kestro {
namespace {

TEST(CheckNewNameTest, RefusesWhatCannotNameAnEntryOfTheFolder) {
  const MemoryFileSystem fs;
  struct Case {
    std::string name;
    const char* reason;  // null: accepted
  };
  const Case cases[] = {
      {"plain.txt", nullptr},
      {" blank at both ends ", nullptr},
      {"...", nullptr},
      {".hidden", nullptr},
      {"..a", nullptr},
      {"back\\slash", nullptr},  // a separator only on Windows
      {"", kNewNameEmpty},
      {".", kNewNameDots},
      {"..", kNewNameDots},
      {"a/b", kNewNameHoldsSeparator},
      {"/", kNewNameHoldsSeparator},
      {std::string("nul\0", 4), kNewNameHoldsNul},
  };
  for (const Case& c : cases) {
    const Status status = CheckNewName(fs, c.name);
    if (c.reason == nullptr) {
      EXPECT_TRUE(status.ok()) << "'" << c.name << "': " << status.message();
    } else {
      EXPECT_EQ(status.code(), Status::Code::kInvalidName) << "'" << c.name << "'";
      EXPECT_EQ(status.message(), c.reason) << "'" << c.name << "'";
    }
  }
  EXPECT_EQ(CheckOldName(fs, "../up").message(), kOldNameNotPlain);
  EXPECT_TRUE(CheckOldName(fs, "fine").ok());
}

TEST(StatusFromErrnoTest, SortsTheSystemsFailuresIntoCodes) {
  struct Case {
    int error_number;
    Status::Code code;
  };
  const Case cases[] = {
      {ENOENT, Status::Code::kNotFound},      {ENOTDIR, Status::Code::kNotFound},
      {EEXIST, Status::Code::kAlreadyExists}, {ENOTEMPTY, Status::Code::kAlreadyExists},
      {EBUSY, Status::Code::kInUse},          {ETXTBSY, Status::Code::kInUse},
      {EACCES, Status::Code::kPermission},    {EPERM, Status::Code::kPermission},
      {EROFS, Status::Code::kPermission},     {ENAMETOOLONG, Status::Code::kInvalidName},
      {ENOSYS, Status::Code::kNotSupported},  {EXDEV, Status::Code::kNotSupported},
      {EIO, Status::Code::kIoError},          {ENOSPC, Status::Code::kIoError},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(StatusFromErrno(c.error_number).code(), c.code) << c.error_number;
  }
}

TEST(StatusFromErrnoTest, ReasonIsTheSystemsTextAfterTheContext) {
  EXPECT_EQ(StatusFromErrno(ENOENT).message(), std::strerror(ENOENT));
  EXPECT_EQ(StatusFromErrno(EACCES, "cannot open folder '/x'").message(),
            std::string("cannot open folder '/x': ") + std::strerror(EACCES));
}

}  // namespace
}  // namespace kestro
