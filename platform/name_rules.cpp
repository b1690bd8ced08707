#include "platform/name_rules.h"

namespace kestro {

Status CheckNewName(const FileSystem& fs, std::string_view new_name) {
  if (new_name.empty()) return Status::Error(Status::Code::kInvalidName, kNewNameEmpty);
  if (new_name == "." || new_name == "..") {
    return Status::Error(Status::Code::kInvalidName, kNewNameDots);
  }
  if (fs.HoldsSeparator(new_name)) {
    return Status::Error(Status::Code::kInvalidName, kNewNameHoldsSeparator);
  }
  if (new_name.find('\0') != std::string_view::npos) {
    return Status::Error(Status::Code::kInvalidName, kNewNameHoldsNul);
  }
  return Status::Ok();
}

Status CheckOldName(const FileSystem& fs, std::string_view old_name) {
  if (CheckNewName(fs, old_name).ok()) return Status::Ok();
  return Status::Error(Status::Code::kInvalidName, kOldNameNotPlain);
}

}  // namespace kestro
