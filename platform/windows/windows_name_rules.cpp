#include "platform/windows/windows_name_rules.h"

#include <array>
#include <string>

namespace kestro {

namespace {

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
  }
  return true;
}

bool IsReservedDeviceName(std::string_view base) {
  static constexpr std::array<std::string_view, 4> kPlain = {"CON", "PRN", "AUX", "NUL"};
  for (const std::string_view device : kPlain) {
    if (EqualsIgnoringAsciiCase(base, device)) return true;
  }
  if (base.size() < 4) return false;
  const std::string_view stem = base.substr(0, 3);
  if (!EqualsIgnoringAsciiCase(stem, "COM") && !EqualsIgnoringAsciiCase(stem, "LPT")) return false;
  const std::string_view number = base.substr(3);
  if (number.size() == 1) return number[0] >= '1' && number[0] <= '9';
  // The superscript digits one, two and three (U+00B9, U+00B2, U+00B3) count as digits here.
  return number == "\xC2\xB9" || number == "\xC2\xB2" || number == "\xC2\xB3";
}

}  // namespace

Status CheckWindowsName(std::string_view name) {
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20) return Status::Error(Status::Code::kInvalidName, kWindowsNameControl);
    if (std::string_view("<>:\"/\\|?*").find(c) != std::string_view::npos) {
      return Status::Error(
          Status::Code::kInvalidName,
          std::string("the new name holds '") + c + "', which Windows file names cannot hold");
    }
  }
  std::string_view base = name.substr(0, name.find('.'));
  while (!base.empty() && base.back() == ' ') base.remove_suffix(1);
  if (IsReservedDeviceName(base)) {
    return Status::Error(Status::Code::kInvalidName,
                         "the new name '" + std::string(name) + "' " + kWindowsNameReserved);
  }
  if (!name.empty() && name.back() == '.') {
    return Status::Error(Status::Code::kInvalidName, kWindowsNameEndsInDot);
  }
  if (!name.empty() && name.back() == ' ') {
    return Status::Error(Status::Code::kInvalidName, kWindowsNameEndsInBlank);
  }
  return Status::Ok();
}

}  // namespace kestro
