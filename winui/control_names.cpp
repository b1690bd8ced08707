// The "Name" property of controls.
#include "winui/control_names.h"

namespace kestro {

void SetControlName(HWND hwnd, std::string_view name) {
  const std::wstring wide(name.begin(), name.end());
  const ATOM atom = GlobalAddAtomW(wide.c_str());
  SetPropW(hwnd, kNameProperty, reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(atom)));
}

void RemoveControlName(HWND hwnd) {
  const auto atom =
      static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(RemovePropW(hwnd, kNameProperty)));
  if (atom != 0) GlobalDeleteAtom(atom);
}

std::string ControlName(HWND hwnd) {
  const auto atom = static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(GetPropW(hwnd, kNameProperty)));
  if (atom == 0) return {};
  wchar_t buffer[256];
  const UINT length = GlobalGetAtomNameW(atom, buffer, 256);
  return std::string(buffer, buffer + length);
}

HWND FindNamedControl(HWND parent, std::string_view name) {
  struct Search {
    std::string_view name;
    HWND found = nullptr;
  } search{name};
  EnumChildWindows(
      parent,
      [](HWND child, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        if (ControlName(child) != s->name) return TRUE;
        s->found = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace kestro
