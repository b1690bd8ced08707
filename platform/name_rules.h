// The rules every file system applies to the names of a rename before touching anything, and the
// texts of its own refusals, so that the real file systems and the in-memory one refuse alike.
#pragma once

#include <string_view>

#include "platform/file_system.h"
#include "platform/status.h"

namespace kestro {

inline constexpr char kNameExists[] = "a file of that name exists";
inline constexpr char kNewNameHoldsSeparator[] = "the new name holds a path separator";
inline constexpr char kNewNameEmpty[] = "the new name is empty";
inline constexpr char kNewNameDots[] = "the new name \".\" or \"..\" names a folder, not an entry";
inline constexpr char kNewNameHoldsNul[] = "the new name holds a character file names cannot hold";
inline constexpr char kOldNameNotPlain[] = "the old name is not a plain name";

// Ok when `new_name` can name an entry of a folder on `fs`; otherwise kInvalidName with one of the
// texts above. A NUL character is refused since the system would cut the name short there.
[[nodiscard]] Status CheckNewName(const FileSystem& fs, std::string_view new_name);

// Ok when `old_name` is a plain name (the same rules); otherwise kInvalidName, kOldNameNotPlain,
// so that a rename never reaches outside its folder from either side.
[[nodiscard]] Status CheckOldName(const FileSystem& fs, std::string_view old_name);

}  // namespace kestro
