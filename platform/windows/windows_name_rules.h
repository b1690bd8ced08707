// The names Windows cannot hold, checked before a rename so the entry keeps its name with a clear
// reason instead of getting a name that differs from the one asked for (or a device).
#pragma once

#include <string_view>

#include "platform/status.h"

namespace kestro {

inline constexpr char kWindowsNameReserved[] = "is reserved for a device on Windows";
inline constexpr char kWindowsNameEndsInDot[] =
    "the new name ends in a dot, which Windows would drop";
inline constexpr char kWindowsNameEndsInBlank[] =
    "the new name ends in a blank, which Windows would drop";
inline constexpr char kWindowsNameControl[] =
    "the new name holds a control character, which Windows file names cannot hold";

// Ok, or kInvalidName with the reason, for a `name` (already checked for emptiness, separators
// and NUL) that Windows cannot hold:
//   - one of < > : " | ? * (and / \, which the shared checks refuse first): the message names it;
//   - a control character (U+0001 to U+001F);
//   - a reserved device name (CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9, and COM and LPT
//     with a superscript 1, 2 or 3), in any case, alone or before an extension ("nul.txt"),
//     blanks before the first dot ignored ("CON .txt");
//   - a name ending in a dot or a blank, which the system would silently drop.
[[nodiscard]] Status CheckWindowsName(std::string_view name);

}  // namespace kestro
