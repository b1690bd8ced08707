// Where the program keeps what it must remember between runs besides its settings: the journal of
// its batches.
#pragma once

#include <string>

namespace kestro {

// On Linux $XDG_STATE_HOME/kestrovane ($HOME/.local/state/kestrovane when XDG_STATE_HOME is unset
// or not absolute); on Windows the user's local application data folder, "Kestrovane" in it.
// Empty when neither can be found.
[[nodiscard]] std::string StateFolder();

}  // namespace kestro
