// What each control of Form1 does, as its tooltip says in both windows; the shortcut, where it
// has one, in brackets.
#pragma once

#include <span>
#include <string_view>

namespace kestro {

struct ControlTip {
  const char* name;  // the design name
  const char* text;
};

// Every control with a tooltip, in no particular order.
[[nodiscard]] std::span<const ControlTip> Form1Tips();
// The tooltip of control `name`; nullptr when it has none.
[[nodiscard]] const char* Form1Tip(std::string_view name);

// The tooltip of the path field a page opens over its drive list.
inline constexpr char kPathFieldTip[] = "A folder's path: Enter opens it, Escape closes the field";

}  // namespace kestro
