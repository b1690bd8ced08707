#include "platform/state_folder.h"

#include <windows.h>

#include <shlobj.h>

#include "platform/windows/wide_text.h"

namespace kestro {

std::string StateFolder() {
  PWSTR folder = nullptr;
  std::string result;
  if (SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &folder) == S_OK) {
    result = Utf8FromWide(folder) + "\\Kestrovane";
  }
  CoTaskMemFree(folder);
  return result;
}

}  // namespace kestro
