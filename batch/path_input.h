// A folder given to the window by its path: typed or pasted into a page's path field, or dropped
// on the window from a file manager. The same rules in both windows.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kestro {

// Whether `key`, typed in a page's folder tree or drive list, begins a path and opens the
// page's path field with it: "/" or "~" ("\" too on Windows).
[[nodiscard]] bool StartsTypedPath(char32_t key);
// The folder a typed path names: without the blanks around it, "~" at its start standing for
// `home`. Empty when nothing was typed.
[[nodiscard]] std::string ExpandTypedPath(std::string_view typed, std::string_view home);
// The status line when `folder` cannot be opened for `reason`.
[[nodiscard]] std::string CannotOpenLine(std::string_view folder, std::string_view reason);
inline constexpr char kNotAFolder[] = "it is a file, not a folder";

// One entry dropped on the window.
struct DroppedEntry {
  std::string path;    // absolute
  std::string folder;  // the folder it lies in
  std::string name;
  bool directory = false;
};
// What a drop does: a folder dropped first opens on the page chosen; files open their folder on
// the Files page, with the dropped files of that folder selected.
struct DropPlan {
  std::string folder;  // empty: nothing to do
  bool directories = false;
  std::vector<std::string> select;
};
[[nodiscard]] DropPlan PlanDrop(const std::vector<DroppedEntry>& dropped, bool directories_page);

}  // namespace kestro
