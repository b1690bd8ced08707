// Opening a document in the viewer the desktop associates with it, without waiting for it.
#pragma once

#include <functional>
#include <string>

#include "platform/status.h"

namespace kestro {

class DocumentOpener {
 public:
  virtual ~DocumentOpener() = default;
  // Starts the viewer and returns at once; fails only when the viewer cannot be started.
  virtual Status Open(const std::string& path) = 0;
  // As Open; when the viewer's launcher later ends without having opened the document (no
  // program for it, say), `failed` hears why, on the calling thread, once its events are
  // handled. An opener that learns nothing after the start never calls it.
  virtual Status OpenAndWatch(const std::string& path, std::function<void(const Status&)> failed) {
    static_cast<void>(failed);
    return Open(path);
  }
};

}  // namespace kestro
