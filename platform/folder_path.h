// Paths with "/" as the only separator, made absolute and lexically plain: the path rules that the
// POSIX file system and the in-memory one share.
#pragma once

#include <string>
#include <string_view>

namespace kestro {

// `path` made absolute against `working_folder` (itself absolute) unless it starts with "/", then
// lexically plain: empty and "." parts dropped, ".." drops the part before it (never above the
// root), no doubled separator and none at the end; the root stays "/".
// NormalSlashPath("/home/u", "a/./b/../c//") == "/home/u/a/c".
[[nodiscard]] std::string NormalSlashPath(std::string_view working_folder, std::string_view path);

// The length of `path` through its last ".." part; npos when it has none. What lies before that
// end is the system's to resolve (".." is the parent of what the part before it names, through
// links, and only when that is a folder); what follows holds no "..", so its plain text means
// what the system would make of it.
// EndOfLastParentPart("a/../b/../c/d") == 7; EndOfLastParentPart("a/..b") == npos.
[[nodiscard]] std::size_t EndOfLastParentPart(std::string_view path);

// `folder` and `name` joined by one "/"; a folder that already ends in "/" gets none added.
[[nodiscard]] std::string JoinSlashPath(std::string_view folder, std::string_view name);

// "cannot open folder '<folder>'": what a failure to reach a folder says before its reason.
[[nodiscard]] std::string CannotOpenFolder(std::string_view folder);

}  // namespace kestro
