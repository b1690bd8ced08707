#include "app/front_end.h"

namespace kestro {

bool WindowsWanted(std::string_view argument_text, const CallSurroundings& around) {
  if (argument_text.empty()) return around.display || around.window_platform;
  return around.display && !around.text_asked;
}

}  // namespace kestro
