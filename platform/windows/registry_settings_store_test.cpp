#include "platform/windows/registry_settings_store.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace kestro {
namespace {

// Each test works under a key of its own below HKEY_CURRENT_USER\Software, removed at the end,
// so the user's own settings are never touched.
class RegistrySettingsStoreTest : public ::testing::Test {
 protected:
  RegistrySettingsStoreTest()
      : root_(L"Software\\KestrovaneTest-" + std::to_wstring(GetCurrentProcessId())),
        store_(root_) {}
  ~RegistrySettingsStoreTest() override { RegDeleteTreeW(HKEY_CURRENT_USER, root_.c_str()); }

  std::wstring root_;
  RegistrySettingsStore store_;
};

TEST_F(RegistrySettingsStoreTest, AMissingValueGivesTheDefault) {
  EXPECT_EQ(store_.Get(kSettingsApplication, kSettingsSection, "LastDir", "C:\\"), "C:\\");
  EXPECT_EQ(store_.Get(kSettingsApplication, kSettingsSection, "Splash", ""), "");
}

TEST_F(RegistrySettingsStoreTest, ValuesRoundTrip) {
  const std::string long_value(20000, 'x');
  for (const std::string& value :
       {std::string("C:\\Users\\me\\My Photos"), std::string("1"),
        std::string("Fotos Ünïcödé 日本 \xF0\x9F\x98\x80"), long_value, std::string()}) {
    store_.Set(kSettingsApplication, kSettingsSection, "LastDir", value);
    EXPECT_EQ(store_.Get(kSettingsApplication, kSettingsSection, "LastDir", "default"), value);
  }
}

TEST_F(RegistrySettingsStoreTest, KeysAndSectionsAreKeptApart) {
  store_.Set(kSettingsApplication, kSettingsSection, "LastDir", "D:\\Work");
  store_.Set(kSettingsApplication, kSettingsSection, "Splash", "1");
  store_.Set(kSettingsApplication, "Other", "LastDir", "E:\\");
  EXPECT_EQ(store_.Get(kSettingsApplication, kSettingsSection, "LastDir", ""), "D:\\Work");
  EXPECT_EQ(store_.Get(kSettingsApplication, kSettingsSection, "Splash", ""), "1");
  EXPECT_EQ(store_.Get(kSettingsApplication, "Other", "LastDir", ""), "E:\\");
}

TEST_F(RegistrySettingsStoreTest, AValueIsAStringUnderApplicationAndSection) {
  store_.Set(kSettingsApplication, kSettingsSection, "LastDir", "C:\\Photos");
  const std::wstring key = root_ + L"\\Vintrellos\\Kestrovane";
  wchar_t data[64] = {};
  DWORD bytes = sizeof data;
  DWORD type = 0;
  ASSERT_EQ(
      RegGetValueW(HKEY_CURRENT_USER, key.c_str(), L"LastDir", RRF_RT_ANY, &type, data, &bytes),
      ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(std::wstring(data), L"C:\\Photos");
}

TEST_F(RegistrySettingsStoreTest, AValueOfAnotherTypeGivesTheDefault) {
  const std::wstring key = root_ + L"\\Vintrellos\\Kestrovane";
  const DWORD number = 1;
  ASSERT_EQ(
      RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"Splash", REG_DWORD, &number, sizeof number),
      ERROR_SUCCESS);
  EXPECT_EQ(store_.Get(kSettingsApplication, kSettingsSection, "Splash", "0"), "0");
}

}  // namespace
}  // namespace kestro
