#include "platform/windows/registry_settings_store.h"

#include <windows.h>

#include <optional>

#include "platform/windows/wide_text.h"

namespace kestro {

namespace {

std::optional<std::wstring> SubKey(const std::wstring& root, std::string_view application,
                                   std::string_view section) {
  const auto wide_application = WideFromUtf8(application);
  const auto wide_section = WideFromUtf8(section);
  if (!wide_application || !wide_section) return std::nullopt;
  return root + L"\\" + *wide_application + L"\\" + *wide_section;
}

}  // namespace

std::string RegistrySettingsStore::Get(std::string_view application, std::string_view section,
                                       std::string_view key, std::string_view default_value) {
  const auto sub_key = SubKey(root_, application, section);
  const auto value_name = WideFromUtf8(key);
  if (!sub_key || !value_name) return std::string(default_value);
  // The value may change between the two calls; ERROR_MORE_DATA asks again with the new size.
  for (int attempt = 0; attempt < 4; ++attempt) {
    DWORD bytes = 0;
    LSTATUS result = RegGetValueW(HKEY_CURRENT_USER, sub_key->c_str(), value_name->c_str(),
                                  RRF_RT_REG_SZ, nullptr, nullptr, &bytes);
    if (result != ERROR_SUCCESS) return std::string(default_value);
    std::wstring buffer(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    result = RegGetValueW(HKEY_CURRENT_USER, sub_key->c_str(), value_name->c_str(), RRF_RT_REG_SZ,
                          nullptr, buffer.data(), &bytes);
    if (result == ERROR_MORE_DATA) continue;
    if (result != ERROR_SUCCESS) return std::string(default_value);
    // `bytes` counts the terminating NUL that RegGetValueW guarantees.
    buffer.resize(bytes / sizeof(wchar_t));
    while (!buffer.empty() && buffer.back() == L'\0') buffer.pop_back();
    return Utf8FromWide(buffer);
  }
  return std::string(default_value);
}

void RegistrySettingsStore::Set(std::string_view application, std::string_view section,
                                std::string_view key, std::string_view value) {
  const auto sub_key = SubKey(root_, application, section);
  const auto value_name = WideFromUtf8(key);
  const auto data = WideFromUtf8(value);
  if (!sub_key || !value_name || !data) return;
  const DWORD bytes = static_cast<DWORD>((data->size() + 1) * sizeof(wchar_t));
  RegSetKeyValueW(HKEY_CURRENT_USER, sub_key->c_str(), value_name->c_str(), REG_SZ, data->c_str(),
                  bytes);
}

}  // namespace kestro
