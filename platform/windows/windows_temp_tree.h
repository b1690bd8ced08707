// Test support: fresh folders under the system's temporary folder, made and read through the Win32
// API directly (not through WindowsFileSystem), and removed with everything in them at the end.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "platform/windows/wide_text.h"

namespace kestro {

inline std::wstring TestWide(const std::string& text) {
  return WideFromUtf8(text).value_or(L"?not-utf-8?");
}

inline std::wstring TestJoin(const std::string& folder, const std::string& name) {
  std::wstring path = TestWide(folder);
  if (path.empty() || (path.back() != L'\\' && path.back() != L'/')) path += L'\\';
  return path + TestWide(name);
}

// Creates `name` in `folder` holding `content`; marks it with `attributes` when not 0.
inline void MakeFile(const std::string& folder, const std::string& name, const std::string& content,
                     DWORD attributes = 0) {
  const std::wstring path = TestJoin(folder, name);
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << "cannot create " << folder << " / " << name;
  DWORD written = 0;
  WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
  CloseHandle(file);
  ASSERT_EQ(written, content.size());
  if (attributes != 0) {
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), attributes));
  }
}

inline void MakeDirectory(const std::string& folder, const std::string& name,
                          DWORD attributes = 0) {
  const std::wstring path = TestJoin(folder, name);
  ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr))
      << "cannot create " << folder << " / " << name;
  if (attributes != 0) {
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), attributes));
  }
}

// Every name in `folder`, hidden and system ones included, in byte order of their UTF-8 form.
inline std::vector<std::string> EveryName(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW data{};
  const HANDLE find = FindFirstFileW((TestJoin(folder, "*")).c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    const std::wstring_view name = data.cFileName;
    if (name != L"." && name != L"..") names.push_back(Utf8FromWide(name));
  } while (FindNextFileW(find, &data));
  FindClose(find);
  std::sort(names.begin(), names.end());
  return names;
}

inline std::optional<std::string> FileContent(const std::string& folder, const std::string& name) {
  const std::wstring path = TestJoin(folder, name);
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return std::nullopt;
  }
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string content;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) {
    content.append(buffer, read);
  }
  CloseHandle(file);
  return content;
}

inline void RemoveTree(const std::wstring& path) {
  const std::wstring pattern = path + L"\\*";
  WIN32_FIND_DATAW data{};
  const HANDLE find = FindFirstFileW(pattern.c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = data.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring child = path + L"\\" + name;
      SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
      if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        RemoveTree(child);
      } else {
        DeleteFileW(child.c_str());
      }
    } while (FindNextFileW(find, &data));
    FindClose(find);
  }
  RemoveDirectoryW(path.c_str());
}

// Folders under %TEMP%\kestro-<process>-<n>; the working folder is put back at the end.
class WindowsTempTree {
 public:
  WindowsTempTree() {
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temp);
    wchar_t working[MAX_PATH + 1] = {};
    GetCurrentDirectoryW(MAX_PATH + 1, working);
    saved_working_ = working;
    static int trees = 0;
    root_ = std::wstring(temp) + L"kestro-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(++trees);
    if (!CreateDirectoryW(root_.c_str(), nullptr)) ADD_FAILURE() << "cannot create the test folder";
  }
  ~WindowsTempTree() {
    SetCurrentDirectoryW(saved_working_.c_str());
    RemoveTree(root_);
  }
  WindowsTempTree(const WindowsTempTree&) = delete;
  WindowsTempTree& operator=(const WindowsTempTree&) = delete;

  std::string NewFolder() {
    const std::wstring folder = root_ + L"\\world" + std::to_wstring(++folders_);
    if (!CreateDirectoryW(folder.c_str(), nullptr)) ADD_FAILURE() << "cannot create a folder";
    return Utf8FromWide(folder);
  }
  [[nodiscard]] std::string root() const { return Utf8FromWide(root_); }

 private:
  std::wstring root_;
  std::wstring saved_working_;
  int folders_ = 0;
};

}  // namespace kestro
