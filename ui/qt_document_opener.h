// Opening a document with the desktop's associated viewer through xdg-open (the "open" command
// on macOS would be the same one-liner), in a process of its own that is never waited for.
#pragma once

#include <string>
#include <utility>

#include "platform/document_opener.h"

namespace kestro {

class QtDocumentOpener : public DocumentOpener {
 public:
  // `launcher` is the program that opens a document given as its one argument.
  explicit QtDocumentOpener(std::string launcher = "xdg-open") : launcher_(std::move(launcher)) {}

  // Fails with kNotFound when `path` is no file (a detached viewer could not tell anyone), and
  // with kIoError when the launcher cannot be started.
  Status Open(const std::string& path) override;

 private:
  std::string launcher_;
};

}  // namespace kestro
