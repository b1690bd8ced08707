// Form1's shortcuts, the same in both windows: Alt and a letter presses a button or chooses a tab;
// F1 is Help, F5 reads the folders again, Ctrl+L opens a page's path field, Ctrl+A in an entry
// list selects every entry.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace kestro {

struct AltKey {
  char letter;       // a capital
  const char* name;  // the button's design name, or the tab strip's
  int tab = -1;      // the tab it chooses, for a tab strip
};

// Every Alt shortcut: the buttons (R, H, A, Q, U, P), the target tabs (D, F) and the operation
// tabs in their order (E, T, L, C, X, N).
[[nodiscard]] std::span<const AltKey> Form1AltKeys();
// The shortcut of Alt and `letter` (either case); nullptr when there is none.
[[nodiscard]] const AltKey* FindAltKey(char letter);
// The Alt shortcut of the button `name`; nullptr when it has none.
[[nodiscard]] const AltKey* AltKeyOf(std::string_view name);

// `caption` with "&" before the first `letter` (either case), which a window draws underlined as
// the caption's mnemonic; a caption without that letter, or with a "&" of its own, is returned
// as it is.
[[nodiscard]] std::string MnemonicCaption(std::string_view caption, char letter);

}  // namespace kestro
