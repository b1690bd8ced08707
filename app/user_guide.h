// Where the user guide "manual.htm" is: beside the program, or in the installed documentation
// folder (<prefix>/share/doc/kestrovane/manual.htm for a program in <prefix>/bin).
#pragma once

#include <string>

namespace kestro {

// The first of the candidate paths that exists; the one beside the program when none does (the
// viewer then reports the missing file, as it would for any document).
[[nodiscard]] std::string UserGuidePath();

}  // namespace kestro
