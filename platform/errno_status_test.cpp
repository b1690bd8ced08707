#include "platform/errno_status.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace kestro {
namespace {

TEST(StatusFromErrnoTest, SortsTheSystemsFailuresIntoCodesAndKeepsItsText) {
  using Code = Status::Code;
  const std::pair<int, Code> cases[] = {
      {ENOENT, Code::kNotFound},      {ENOTDIR, Code::kNotFound},
      {EEXIST, Code::kAlreadyExists}, {ENOTEMPTY, Code::kAlreadyExists},
      {EBUSY, Code::kInUse},          {ETXTBSY, Code::kInUse},
      {EACCES, Code::kPermission},    {EPERM, Code::kPermission},
      {EROFS, Code::kPermission},     {ENAMETOOLONG, Code::kInvalidName},
      {EXDEV, Code::kNotSupported},   {ENOSPC, Code::kIoError},
  };
  for (const auto& [error_number, code] : cases) {
    EXPECT_EQ(StatusFromErrno(error_number).code(), code) << error_number;
  }
  EXPECT_EQ(StatusFromErrno(ENOENT).message(), std::strerror(ENOENT));
  EXPECT_EQ(StatusFromErrno(EACCES, "cannot open folder '/x'").message(),
            std::string("cannot open folder '/x': ") + std::strerror(EACCES));
}

}  // namespace
}  // namespace kestro
