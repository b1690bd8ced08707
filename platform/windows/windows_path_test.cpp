#include "platform/windows/windows_path.h"

#include <gtest/gtest.h>

#include <string>

namespace kestro {
namespace {

TEST(WindowsPathTest, JoinsWithOneSeparator) {
  struct Case {
    const char* folder;
    const char* expected;
  };
  for (const Case& c : {Case{"C:\\", "C:\\n.txt"}, Case{"C:\\Photos", "C:\\Photos\\n.txt"},
                        Case{"C:\\Photos\\", "C:\\Photos\\n.txt"}, Case{"D:/", "D:/n.txt"},
                        Case{"\\\\server\\share", "\\\\server\\share\\n.txt"},
                        Case{"\\\\server\\share\\", "\\\\server\\share\\n.txt"}}) {
    EXPECT_EQ(JoinWindowsPath(c.folder, "n.txt"), c.expected) << c.folder;
  }
}

TEST(WindowsPathTest, DropsTheSeparatorAtTheEndExceptAtARoot) {
  struct Case {
    const wchar_t* path;
    const wchar_t* expected;
  };
  for (const Case& c :
       {Case{L"C:\\", L"C:\\"}, Case{L"C:\\Photos\\", L"C:\\Photos"},
        Case{L"C:\\Photos\\\\", L"C:\\Photos"}, Case{L"C:\\Photos", L"C:\\Photos"},
        Case{L"\\\\server\\share\\", L"\\\\server\\share\\"},
        Case{L"\\\\server\\share\\dir\\", L"\\\\server\\share\\dir"},
        Case{L"\\\\server\\share", L"\\\\server\\share"}, Case{L"\\\\?\\C:\\", L"\\\\?\\C:\\"},
        Case{L"\\\\?\\C:\\long\\", L"\\\\?\\C:\\long"}}) {
    EXPECT_EQ(WithoutTrailingSeparator(c.path), c.expected);
  }
}

}  // namespace
}  // namespace kestro
