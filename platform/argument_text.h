// The words of the command line, read once where the system hands them over: on Linux argv[1..]
// as the shell gave them; on Windows the one line the system hands over, less the program's own
// name, split by the quote rule.
#pragma once

#include "engine/command_args.h"

namespace kestro {

// Linux: one argument one word, verbatim: a double quote is an ordinary character, an empty
// argument an empty word. Windows: SplitArgumentText of the raw command line after the program's
// name (the C runtime's argv, which has taken its own view of quotes, is not looked at).
[[nodiscard]] CommandWords ArgumentWords(int argc, char** argv);

}  // namespace kestro
