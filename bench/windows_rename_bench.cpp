// The reference for kestro.exe's renames on Windows (and under Wine): a bare loop of the
// platform's own no-replace rename over a folder, with the helpers that make and check the folder.
//   windows_rename_bench create <folder> <count>   makes <count> empty files "file 0000001.txt"
//   windows_rename_bench loop <folder> <upper|blank>
//       lists the folder once (FindFirstFileExW), then renames each name with MoveFileExW without
//       MOVEFILE_REPLACE_EXISTING: "blank" turns every blank into "_" in one move, "upper"
//       upper-cases the ASCII letters in two, through a temporary name (what
//       `kestro <folder> -F *.* -R ~ _` and `-C upper` ask for); prints the count and the
//       milliseconds of the rename loop alone
//   windows_rename_bench check <folder> <count> <upper|blank>
//       fails unless the folder holds exactly <count> files, every one spelt as the loop spells it
// Built with mingw-w64 by bench/windows_rename_bench.sh; it links nothing of the project.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

namespace {

std::wstring Join(const std::wstring& folder, const std::wstring& name) {
  return folder + L"\\" + name;
}

std::vector<std::wstring> ListFiles(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW data{};
  const HANDLE find = FindFirstFileExW(Join(folder, L"*").c_str(), FindExInfoBasic, &data,
                                       FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) names.push_back(data.cFileName);
  } while (FindNextFileW(find, &data));
  FindClose(find);
  return names;
}

std::wstring Renamed(std::wstring name, bool upper) {
  for (wchar_t& c : name) {
    if (upper && c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
    if (!upper && c == L' ') c = L'_';
  }
  return name;
}

int Create(const std::wstring& folder, long count) {
  CreateDirectoryW(folder.c_str(), nullptr);
  for (long i = 1; i <= count; ++i) {
    wchar_t name[32];
    std::swprintf(name, 32, L"file %07ld.txt", i);
    const HANDLE file = CreateFileW(Join(folder, name).c_str(), GENERIC_WRITE, 0, nullptr,
                                    CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      std::fprintf(stderr, "cannot make file %ld: error %lu\n", i, GetLastError());
      return 1;
    }
    CloseHandle(file);
  }
  return 0;
}

int Loop(const std::wstring& folder, bool upper) {
  const std::vector<std::wstring> names = ListFiles(folder);
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  int failed = 0;
  const std::wstring temporary = Join(folder, L"~bench.tmp");
  const auto move = [&failed](const std::wstring& from, const std::wstring& to) {
    if (!MoveFileExW(from.c_str(), to.c_str(), 0) && failed++ == 0) {
      std::fprintf(stderr, "rename failed: error %lu\n", GetLastError());
    }
  };
  for (const std::wstring& name : names) {
    if (upper) {
      // Wine on a case-sensitive disk reports a change of case alone as done and keeps the old
      // spelling: the change takes two renames through a temporary name there.
      move(Join(folder, name), temporary);
      move(temporary, Join(folder, Renamed(name, upper)));
    } else {
      move(Join(folder, name), Join(folder, Renamed(name, upper)));
    }
  }
  QueryPerformanceCounter(&end);
  const double ms = 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                    static_cast<double>(frequency.QuadPart);
  std::printf("%zu %.1f\n", names.size(), ms);
  return failed == 0 ? 0 : 1;
}

int Check(const std::wstring& folder, long count, bool upper) {
  const std::vector<std::wstring> names = ListFiles(folder);
  long wrong = 0;
  for (const std::wstring& name : names) {
    if (name != Renamed(name, upper) && wrong++ == 0) {
      std::fprintf(stderr, "not renamed: '%ls'\n", name.c_str());
    }
  }
  if (static_cast<long>(names.size()) != count || wrong != 0) {
    std::fprintf(stderr, "%zu files (expected %ld), %ld not renamed\n", names.size(), count, wrong);
    return 1;
  }
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring command = argc > 1 ? argv[1] : L"";
  if (argc == 4 && command == L"create") return Create(argv[2], std::wcstol(argv[3], nullptr, 10));
  if (argc == 4 && command == L"loop") return Loop(argv[2], std::wstring(argv[3]) == L"upper");
  if (argc == 5 && command == L"check") {
    return Check(argv[2], std::wcstol(argv[3], nullptr, 10), std::wstring(argv[4]) == L"upper");
  }
  std::fprintf(stderr,
               "usage: windows_rename_bench create <folder> <count>\n"
               "       windows_rename_bench loop <folder> <upper|blank>\n"
               "       windows_rename_bench check <folder> <count> <upper|blank>\n");
  return 2;
}
