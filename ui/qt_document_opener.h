// Opening a document with the desktop's associated viewer through xdg-open (the "open" command
// on macOS would be the same one-liner), in a process of its own that the caller never waits for;
// the event loop learns how it ended.
#pragma once

#include <QPointer>
#include <QProcess>
#include <string>
#include <vector>

#include "platform/document_opener.h"

namespace kestro {

class QtDocumentOpener : public DocumentOpener {
 public:
  // `launcher` is the program that opens a document given as its one argument and ends with a
  // status other than 0 when it could not, as xdg-open does (3: no program opens it).
  explicit QtDocumentOpener(std::string launcher = "xdg-open");
  // A launcher still running is left to run: killing it could close the viewer it waits for.
  ~QtDocumentOpener() override;
  QtDocumentOpener(const QtDocumentOpener&) = delete;
  QtDocumentOpener& operator=(const QtDocumentOpener&) = delete;

  // Fails with kNotFound when `path` is no file (a detached viewer could not tell anyone), and
  // with kIoError when the launcher cannot be started.
  Status Open(const std::string& path) override;
  // `failed` hears of a launcher that ended with a status other than 0 or crashed.
  Status OpenAndWatch(const std::string& path, std::function<void(const Status&)> failed) override;

 private:
  std::string launcher_;
  std::vector<QPointer<QProcess>> launched_;  // each deletes itself once it has ended
};

}  // namespace kestro
