#include "platform/windows/registry_settings_store.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace kestro {
namespace {

// Under a key of its own below HKEY_CURRENT_USER\Software, removed at the end, so the user's own
// settings are never touched.
TEST(RegistrySettingsStoreTest, KeepsEachValueAsAStringUnderApplicationAndSection) {
  const std::wstring root = L"Software\\KestrovaneTest-" + std::to_wstring(GetCurrentProcessId());
  const std::wstring key = root + L"\\Vintrellos\\Kestrovane";
  RegistrySettingsStore store(root);
  const auto get = [&](const char* name) {
    return store.Get(kSettingsApplication, kSettingsSection, name, "default");
  };
  EXPECT_EQ(get("LastDir"), "default");
  for (const std::string value : {"C:\\My Photos", "Ünï 日本 \xF0\x9F\x98\x80", ""}) {
    store.Set(kSettingsApplication, kSettingsSection, "LastDir", value);
    EXPECT_EQ(get("LastDir"), value);
  }
  store.Set(kSettingsApplication, kSettingsSection, "LastDir", std::string(20000, 'x'));
  EXPECT_EQ(get("LastDir"), std::string(20000, 'x'));
  store.Set(kSettingsApplication, kSettingsSection, "LastDir", "C:\\Photos");
  store.Set(kSettingsApplication, kSettingsSection, "LastDir", "\xFF");  // not UTF-8: not written

  wchar_t data[64] = {};
  DWORD bytes = sizeof data;
  DWORD type = 0;
  EXPECT_EQ(
      RegGetValueW(HKEY_CURRENT_USER, key.c_str(), L"LastDir", RRF_RT_ANY, &type, data, &bytes),
      ERROR_SUCCESS);
  EXPECT_EQ(type, DWORD{REG_SZ});
  EXPECT_EQ(std::wstring(data), L"C:\\Photos");
  const DWORD number = 1;  // a value of another type is as good as missing
  RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"Splash", REG_DWORD, &number, sizeof number);
  EXPECT_EQ(get("Splash"), "default");
  RegDeleteTreeW(HKEY_CURRENT_USER, root.c_str());
}

}  // namespace
}  // namespace kestro
