// Test support for the Windows tests: fresh folders under the system's temporary folder, made and
// read through the C++ library rather than the file system under test, removed with all they hold.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "platform/windows/wide_text.h"
#include "platform/windows/windows_file_system.h"

namespace kestro {

// `name` in `folder` (both UTF-8), or `folder` alone.
inline std::filesystem::path TestPath(const std::string& folder, const std::string& name = "") {
  const std::filesystem::path path(WideFromUtf8(folder).value());
  return name.empty() ? path : path / WideFromUtf8(name).value();
}

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

// Folders under %TEMP%\kestro-<process>-<n> and a WindowsFileSystem: the world of the shared
// file-system suite (platform/file_system_conformance_test.h). The working folder is put back at
// the end.
class WindowsTestTree {
 public:
  static constexpr char kSeparator = '\\';
  WindowsTestTree() {
    static int trees = 0;
    root_ = std::filesystem::temp_directory_path() /
            ("kestro-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++trees));
    EmptyFolder(root_.wstring());  // left by an earlier run that had the same process id
    std::filesystem::create_directory(root_);
  }
  ~WindowsTestTree() {
    std::error_code error;
    std::filesystem::current_path(working_, error);
    EmptyFolder(root_.wstring());
    RemoveDirectoryW(root_.c_str());
  }

  FileSystem& fs() { return fs_; }
  std::string NewFolder() {
    const std::filesystem::path folder = root_ / ("world" + std::to_string(++folders_));
    EXPECT_TRUE(std::filesystem::create_directory(folder));
    return Utf8FromWide(folder.wstring());
  }
  [[nodiscard]] std::string Root() const { return Utf8FromWide(root_.root_path().wstring()); }

  // With `attributes` when not 0, otherwise hidden when `name` begins with "." (as the other
  // file systems hide it).
  static void AddFile(const std::string& folder, const std::string& name,
                      const std::string& content, DWORD attributes = 0) {
    ASSERT_TRUE(std::ofstream(TestPath(folder, name), std::ios::binary) << content) << name;
    SetAttributes(folder, name, attributes);
  }
  static void AddDirectory(const std::string& folder, const std::string& name,
                           DWORD attributes = 0) {
    ASSERT_TRUE(std::filesystem::create_directory(TestPath(folder, name))) << name;
    SetAttributes(folder, name, attributes);
  }
  // Every name in `folder`, hidden and system ones included, in byte order; none where the folder
  // cannot be read (an empty drive root, which holds not even ".").
  static std::vector<std::string> AllNames(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(TestPath(folder), error)) {
      names.push_back(Utf8FromWide(entry.path().filename().wstring()));
    }
    std::sort(names.begin(), names.end());
    return names;
  }
  static std::optional<std::string> Content(const std::string& folder, const std::string& name) {
    std::ifstream file(TestPath(folder, name), std::ios::binary);
    if (!file) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(file), {});
  }
  static void SetWorkingFolder(const std::string& folder) {
    std::filesystem::current_path(TestPath(folder));
  }

 private:
  static void SetAttributes(const std::string& folder, const std::string& name, DWORD attributes) {
    if (attributes == 0 && name.starts_with('.')) attributes = FILE_ATTRIBUTE_HIDDEN;
    if (attributes != 0) {
      EXPECT_TRUE(SetFileAttributesW(TestPath(folder, name).c_str(), attributes)) << name;
    }
  }

  std::filesystem::path root_;
  const std::filesystem::path working_ = std::filesystem::current_path();
  int folders_ = 0;
  WindowsFileSystem fs_;
};

}  // namespace kestro
