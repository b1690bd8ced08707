#include "platform/state_folder.h"

#include <cstdlib>

namespace kestro {

std::string StateFolder() {
  const char* state = std::getenv("XDG_STATE_HOME");
  if (state != nullptr && state[0] == '/') return std::string(state) + "/kestrovane";
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] == '/') return std::string(home) + "/.local/state/kestrovane";
  return {};
}

}  // namespace kestro
