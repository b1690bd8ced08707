// Where the program keeps what it must remember between runs besides its settings (the journal of
// its batches), and how its files there are read and made without trusting what else lies there.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/status.h"

namespace kestro {

// On Linux $XDG_STATE_HOME/kestrovane ($HOME/.local/state/kestrovane when XDG_STATE_HOME is unset
// or not absolute); on Windows the user's local application data folder, "Kestrovane" in it.
// Fails, saying why, when neither can be found.
Status StateFolder(std::string* folder);

// Hands the bytes of the regular file at `path` to `piece`, a piece at a time, until the end or
// until `piece` returns false. The file is opened without following a link and without waiting
// (a FIFO or a device never blocks the caller); anything but a regular file, and a file of more
// than `max_bytes`, is refused with the reason.
Status ReadStateFile(const std::string& path, std::uint64_t max_bytes,
                     const std::function<bool(std::string_view piece)>& piece);

// Makes the empty file `path`, only if no entry of that name exists (a link there counts as one):
// kAlreadyExists then.
Status CreateStateFile(const std::string& path);

// Appends `text` to the regular file at `path`, opened as ReadStateFile opens it.
Status AppendStateFile(const std::string& path, std::string_view text);

// Whether `path` is absolute here: from "/" on Linux; on Windows from a drive ("C:\") or a share
// ("\\server\share").
[[nodiscard]] bool IsAbsoluteStatePath(std::string_view path);

}  // namespace kestro
