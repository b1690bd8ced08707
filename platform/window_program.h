// The window program: the program's windows are a program of their own (kestro-window) beside
// kestro, so that a run without a display never loads the window toolkit.
#pragma once

#include "platform/status.h"

namespace kestro {

// Replaces this process by the window program beside it, with the same arguments (argv[0] is
// the window program). Returns only when it cannot be started, with the reason.
Status StartWindowProgram(int argc, char** argv);

}  // namespace kestro
