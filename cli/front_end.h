// Which front end answers a call of kestro: the program's windows (the main window, message
// boxes, the help window), or text on standard output and standard error.
#pragma once

#include "engine/command_args.h"

namespace kestro {

// What the program finds around it when it starts.
struct CallSurroundings {
  bool display = false;          // windows can be shown (on Windows always)
  bool window_platform = false;  // the window toolkit is given a platform of its own (offscreen)
  bool text_asked = false;       // the caller gave standard error somewhere to go (Windows)
};

// No words, or "--window <folder>", call for the main window: windows whenever one can be
// shown, on a display or on the toolkit's own platform. A command line (its dry run, undo, the
// help) is answered in windows when there is a display and the caller did not ask for text,
// otherwise in text.
[[nodiscard]] bool WindowsWanted(const CommandWords& words, const CallSurroundings& around);

}  // namespace kestro
