// kestro.exe as Explorer sees it: a window program (no console window comes up when it starts),
// with its icon, its version and its manifest, the user guide beside it.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>

namespace kestro {
namespace {

// The common controls of version 6 draw the controls in the current style; per-monitor DPI
// awareness keeps the system from stretching (and blurring) the window on a high-DPI screen.
TEST(KestroExeTest, IsAWindowProgramWithItsIconVersionManifestAndGuide) {
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
  const HRSRC found = FindResourceA(image, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
  ASSERT_NE(found, nullptr);
  const std::string manifest(static_cast<const char*>(LockResource(LoadResource(image, found))),
                             SizeofResource(image, found));
  FreeLibrary(image);
  for (const char* wanted :
       {R"(name="Microsoft.Windows.Common-Controls" version="6.0.0.0")", "true/pm</dpiAware>",
        ">PerMonitorV2, PerMonitor</dpiAwareness>", R"(level="asInvoker")"}) {
    EXPECT_NE(manifest.find(wanted), std::string::npos) << wanted << "\n" << manifest;
  }
  EXPECT_TRUE(
      std::filesystem::is_regular_file(std::filesystem::path(path).parent_path() / "manual.htm"));

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
