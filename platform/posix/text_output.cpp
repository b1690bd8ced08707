#include "platform/text_output.h"

#include <cstdlib>

namespace kestro {

bool DisplayPresent() {
  const auto set = [](const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
  };
  return set("DISPLAY") || set("WAYLAND_DISPLAY");
}

bool PrepareTextOutput() { return false; }

}  // namespace kestro
