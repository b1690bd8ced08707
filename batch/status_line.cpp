#include "batch/status_line.h"

#include <utility>

namespace kestro {

void StatusLine::Show(std::string text, About about, bool directories, std::string folder) {
  text_ = std::move(text);
  about_ = about;
  directories_ = directories;
  folder_ = std::move(folder);
}

bool StatusLine::FolderOpened() { return about_ == About::kPath && Clear(); }

bool StatusLine::ListChanged(bool directories, const std::string& folder,
                             const std::string& count) {
  if (about_ != About::kSelection || directories != directories_) return false;
  if (folder != folder_) return Clear();
  if (count == text_) return false;
  text_ = count;
  return true;
}

bool StatusLine::Clear() {
  if (text_.empty()) return false;
  Show({}, About::kEvent);
  return true;
}

}  // namespace kestro
