// kestro.exe as Explorer sees it: a window program (no console window comes up when it starts),
// with its icon and its version.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace kestro {
namespace {

TEST(KestroExeTest, IsAWindowProgramWithItsIconAndVersion) {
  std::string path = KESTRO_BINARY;
  if (path.starts_with('/')) path = "Z:" + path;  // under Wine, the build machine's Linux path
  const HMODULE image = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  ASSERT_NE(image, nullptr) << path;
  const auto* base = reinterpret_cast<const unsigned char*>(
      reinterpret_cast<std::uintptr_t>(image) & ~std::uintptr_t{3});  // flags in the low bits
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
      base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
  EXPECT_EQ(nt->OptionalHeader.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);
  EXPECT_NE(FindResourceA(image, MAKEINTRESOURCEA(1), RT_GROUP_ICON), nullptr);
  FreeLibrary(image);

  std::string version(GetFileVersionInfoSizeA(path.c_str(), nullptr), '\0');
  ASSERT_TRUE(
      GetFileVersionInfoA(path.c_str(), 0, static_cast<DWORD>(version.size()), version.data()));
  char* text = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(version.data(), "\\StringFileInfo\\040904B0\\ProductVersion",
                             reinterpret_cast<void**>(&text), &length));
  EXPECT_EQ(std::string(text), KESTRO_VERSION);
}

}  // namespace
}  // namespace kestro
