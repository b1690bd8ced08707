// Test support for the Windows tests: the shared temporary tree, emptied the Windows way, whose
// entries may take attributes.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/test_tree.h"
#include "platform/windows/windows_file_system.h"

namespace kestro {

// Removes what `folder` (a full path) holds, read-only entries and paths past MAX_PATH included.
inline void EmptyFolder(std::wstring folder) {
  if (!folder.starts_with(L"\\\\?\\")) folder = L"\\\\?\\" + folder;
  if (folder.ends_with(L'\\')) folder.pop_back();
  WIN32_FIND_DATAW data{};
  const HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    const std::wstring name = data.cFileName;
    const std::wstring path = folder + L"\\" + name;
    if (name == L"." || name == L"..") continue;
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
      DeleteFileW(path.c_str());
    } else {
      EmptyFolder(path);
      RemoveDirectoryW(path.c_str());
    }
  } while (FindNextFileW(find, &data));
  FindClose(find);
}

// The world of the shared file-system suite (platform/file_system_conformance_test.h) on Windows:
// a TempTree whose entries may take attributes, with a WindowsFileSystem.
class WindowsTestTree : public TempTree {
 public:
  static constexpr char kSeparator = '\\';
  ~WindowsTestTree() { EmptyFolder(root_.wstring()); }

  FileSystem& fs() { return fs_; }
  [[nodiscard]] std::string Root() const { return Utf8Of(root_.root_path()); }

  // With `attributes` when not 0, otherwise hidden when `name` begins with "." (as the other
  // file systems hide it).
  static void AddFile(const std::string& folder, const std::string& name,
                      const std::string& content, DWORD attributes = 0) {
    TempTree::AddFile(folder, name, content);
    SetAttributes(folder, name, attributes);
  }
  static void AddDirectory(const std::string& folder, const std::string& name,
                           DWORD attributes = 0) {
    TempTree::AddDirectory(folder, name);
    SetAttributes(folder, name, attributes);
  }

 private:
  static void SetAttributes(const std::string& folder, const std::string& name, DWORD attributes) {
    if (attributes == 0 && name.starts_with('.')) attributes = FILE_ATTRIBUTE_HIDDEN;
    if (attributes != 0) {
      EXPECT_TRUE(SetFileAttributesW(TestPath(folder, name).c_str(), attributes)) << name;
    }
  }

  WindowsFileSystem fs_;
};

}  // namespace kestro
