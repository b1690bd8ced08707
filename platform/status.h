// The one result type for what can fail: a code and a message a person can read.
#pragma once

#include <string>
#include <utility>

namespace kestro {

class Status {
 public:
  enum class Code {
    kOk,
    kAlreadyExists,  // "a file of that name exists"
    kNotFound,       // the entry or folder is not there (any more)
    kInvalidName,    // the new name cannot be a name here (separator, empty, ".", reserved, ...)
    kInUse,          // the entry is busy
    kPermission,     // access denied
    kNotSupported,   // the file system lacks what the call needs
    kIoError,        // anything else; the message carries the system's own text
  };

  Status() = default;
  static Status Ok() { return Status(); }
  static Status Error(Code code, std::string message) { return Status(code, std::move(message)); }

  [[nodiscard]] bool ok() const { return code_ == Code::kOk; }
  [[nodiscard]] Code code() const { return code_; }
  [[nodiscard]] const std::string& message() const { return message_; }

 private:
  Status(Code code, std::string message) : code_(code), message_(std::move(message)) {}
  Code code_ = Code::kOk;
  std::string message_;
};

}  // namespace kestro
