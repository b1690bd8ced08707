// Opening a document in the viewer the desktop associates with it, without waiting for it.
#pragma once

#include <string>

#include "platform/status.h"

namespace kestro {

class DocumentOpener {
 public:
  virtual ~DocumentOpener() = default;
  // Starts the viewer and returns at once; fails only when the viewer cannot be started.
  virtual Status Open(const std::string& path) = 0;
};

}  // namespace kestro
