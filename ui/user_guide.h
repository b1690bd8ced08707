// Where the user guide "manual.htm" is: beside the program, or in the installed documentation
// folder (<prefix>/share/doc/kestrovane/manual.htm for kestro in <prefix>/bin or kestro-window in
// <prefix>/libexec/kestrovane).
#pragma once

#include <string>

namespace kestro {

// The first of the candidate paths that exists; the one beside the program when none does (the
// opener then reports the missing file).
[[nodiscard]] std::string UserGuidePath();

// The same rule for a program in `program_folder`.
[[nodiscard]] std::string UserGuidePathIn(const std::string& program_folder);

}  // namespace kestro
