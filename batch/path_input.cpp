// The rules of a typed or a dropped path.
#include "batch/path_input.h"

namespace kestro {

bool StartsTypedPath(char32_t key) {
#ifdef _WIN32
  if (key == U'\\') return true;
#endif
  return key == U'/' || key == U'~';
}

std::string ExpandTypedPath(std::string_view typed, std::string_view home) {
  constexpr std::string_view kBlanks = " \t\r\n";
  const std::size_t begin = typed.find_first_not_of(kBlanks);
  if (begin == std::string_view::npos) return {};
  typed = typed.substr(begin, typed.find_last_not_of(kBlanks) - begin + 1);
  const bool home_first =
      typed.starts_with('~') && (typed.size() == 1 || typed[1] == '/' || typed[1] == '\\');
  if (!home_first) return std::string(typed);
  return std::string(home) + std::string(typed.substr(1));
}

std::string CannotOpenLine(std::string_view folder, std::string_view reason) {
  return "'" + std::string(folder) + "' cannot be opened: " + std::string(reason) + ".";
}

DropPlan PlanDrop(const std::vector<DroppedEntry>& dropped, bool directories_page) {
  DropPlan plan;
  if (dropped.empty()) return plan;
  const DroppedEntry& first = dropped.front();
  if (first.directory) {
    plan.folder = first.path;
    plan.directories = directories_page;
    return plan;
  }
  plan.folder = first.folder;
  for (const DroppedEntry& entry : dropped) {
    if (entry.folder == first.folder) plan.select.push_back(entry.name);
  }
  return plan;
}

}  // namespace kestro
