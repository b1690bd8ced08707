// Form1's shortcuts and their mnemonics.
#include "batch/form1_keys.h"

#include <cctype>

namespace kestro {
namespace {

constexpr AltKey kAltKeys[] = {
    {'R', "Command10"},    {'H', "Command3"},      {'A', "Command4"},     {'Q', "Command1"},
    {'U', "Undo"},         {'P', "PreviewToggle"}, {'D', "TabStrip2", 0}, {'F', "TabStrip2", 1},
    {'E', "TabStrip1", 0}, {'T', "TabStrip1", 1},  {'L', "TabStrip1", 2}, {'C', "TabStrip1", 3},
    {'X', "TabStrip1", 4}, {'N', "TabStrip1", 5},
};

char Capital(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

}  // namespace

std::span<const AltKey> Form1AltKeys() { return kAltKeys; }

const AltKey* FindAltKey(char letter) {
  for (const AltKey& key : kAltKeys) {
    if (key.letter == Capital(letter)) return &key;
  }
  return nullptr;
}

const AltKey* AltKeyOf(std::string_view name) {
  for (const AltKey& key : kAltKeys) {
    if (key.tab < 0 && name == key.name) return &key;
  }
  return nullptr;
}

std::string MnemonicCaption(std::string_view caption, char letter) {
  std::string marked(caption);
  if (caption.find('&') != std::string_view::npos) return marked;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (Capital(caption[i]) == Capital(letter)) return marked.insert(i, 1, '&');
  }
  return marked;
}

}  // namespace kestro
