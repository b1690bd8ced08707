// The argument text of the command line: on Linux argv[1..] joined by the program's own rule; on
// Windows the raw command-line text with the program's own name removed.
#pragma once

#include <string>

namespace kestro {

[[nodiscard]] std::string ArgumentText(int argc, char** argv);

}  // namespace kestro
