#include "platform/folder_path.h"

#include <vector>

namespace kestro {

namespace {

void AppendParts(std::string_view path, std::vector<std::string_view>* parts) {
  while (!path.empty()) {
    const std::size_t slash = path.find('/');
    const std::string_view part = path.substr(0, slash);
    path = slash == std::string_view::npos ? std::string_view() : path.substr(slash + 1);
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      if (!parts->empty()) parts->pop_back();
      continue;
    }
    parts->push_back(part);
  }
}

}  // namespace

std::string NormalSlashPath(std::string_view working_folder, std::string_view path) {
  std::vector<std::string_view> parts;
  if (path.empty() || path.front() != '/') AppendParts(working_folder, &parts);
  AppendParts(path, &parts);
  if (parts.empty()) return "/";
  std::string result;
  for (const std::string_view part : parts) {
    result += '/';
    result += part;
  }
  return result;
}

std::size_t EndOfLastParentPart(std::string_view path) {
  std::size_t end = std::string_view::npos;
  for (std::size_t start = 0; start <= path.size();) {
    std::size_t slash = path.find('/', start);
    if (slash == std::string_view::npos) slash = path.size();
    if (path.substr(start, slash - start) == "..") end = slash;
    start = slash + 1;
  }
  return end;
}

std::string JoinSlashPath(std::string_view folder, std::string_view name) {
  std::string path(folder);
  if (path.empty() || path.back() != '/') path += '/';
  path += name;
  return path;
}

std::string CannotOpenFolder(std::string_view folder) {
  std::string context = "cannot open folder '";
  context += folder;
  context += '\'';
  return context;
}

}  // namespace kestro
