#include "cli/front_end.h"

#include "cli/headless.h"

namespace kestro {

bool WindowsWanted(std::string_view argument_text, const CallSurroundings& around) {
  // The main window, plain or opened on a folder ("--window <folder>").
  if (ReadProgramCall(argument_text).kind == ProgramCall::Kind::kWindow) {
    return around.display || around.window_platform;
  }
  return around.display && !around.text_asked;
}

}  // namespace kestro
