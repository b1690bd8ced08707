#include "cli/front_end.h"

#include "cli/headless.h"

namespace kestro {

bool WindowsWanted(const CommandWords& words, const CallSurroundings& around) {
  // The main window, plain or opened on a folder ("--window <folder>").
  if (ReadProgramCall(words).kind == ProgramCall::Kind::kWindow) {
    return around.display || around.window_platform;
  }
  return around.display && !around.text_asked;
}

}  // namespace kestro
