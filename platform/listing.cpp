#include "platform/listing.h"

#include <algorithm>

#include "engine/utf8_text.h"

namespace kestro {

namespace {

// The length of the valid UTF-8 sequence at `text[i]` with its code point in `c`; 0 when no
// valid sequence starts there.
std::size_t DecodeAt(std::string_view text, std::size_t i, char32_t* c) {
  const auto b0 = static_cast<unsigned char>(text[i]);
  std::size_t length = 0;
  char32_t min = 0;
  if (b0 < 0x80) {
    *c = b0;
    return 1;
  }
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    length = 2, *c = b0 & 0x1F, min = 0x80;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    length = 3, *c = b0 & 0x0F, min = 0x800;
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    length = 4, *c = b0 & 0x07, min = 0x10000;
  } else {
    return 0;
  }
  if (i + length > text.size()) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    const auto b = static_cast<unsigned char>(text[i + k]);
    if ((b & 0xC0) != 0x80) return 0;
    *c = (*c << 6) | (b & 0x3F);
  }
  if (*c < min || *c > 0x10FFFF || (*c >= 0xD800 && *c <= 0xDFFF)) return 0;
  return length;
}

char32_t Fold(char32_t c) {
  if (c < 0x80) return c >= U'A' && c <= U'Z' ? c + (U'a' - U'A') : c;
  return SimpleLower(SimpleUpper(c));
}

// `text` with every code point folded, still UTF-8; bytes that are not valid UTF-8 are kept as
// they are. Since UTF-8 byte order is code point order, keys compare byte by byte.
std::string FoldedKey(std::string_view text) {
  std::string key;
  key.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const auto b0 = static_cast<unsigned char>(text[i]);
    if (b0 < 0x80) {
      key.push_back(static_cast<char>(Fold(b0)));
      ++i;
      continue;
    }
    char32_t c = 0;
    const std::size_t length = DecodeAt(text, i, &c);
    if (length == 0) {
      key.push_back(text[i]);
      ++i;
      continue;
    }
    AppendUtf8(key, Fold(c));
    i += length;
  }
  return key;
}

// The code point at `key[i]` in `*c` and its length; a byte that starts no valid sequence stands
// for itself, moved to a range no valid text decodes to (the low surrogates).
std::size_t StepAt(std::string_view key, std::size_t i, char32_t* c) {
  const std::size_t length = DecodeAt(key, i, c);
  if (length != 0) return length;
  *c = 0xDC00 + static_cast<unsigned char>(key[i]);
  return 1;
}

bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }

// <0, 0 or >0 as folded key `a` comes before, with or after `b` in natural order.
int NaturalCompare(std::string_view a, std::string_view b) {
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() && j < b.size()) {
    const auto ca = static_cast<unsigned char>(a[i]);
    const auto cb = static_cast<unsigned char>(b[j]);
    if (IsDigit(ca) && IsDigit(cb)) {
      // Compare by value without converting, so runs of any length work: drop leading zeros,
      // then the longer run is the larger number, and runs of one length compare digit by digit.
      while (i < a.size() && a[i] == '0') ++i;
      while (j < b.size() && b[j] == '0') ++j;
      std::size_t end_a = i;
      std::size_t end_b = j;
      while (end_a < a.size() && IsDigit(a[end_a])) ++end_a;
      while (end_b < b.size() && IsDigit(b[end_b])) ++end_b;
      if (end_a - i != end_b - j) return end_a - i < end_b - j ? -1 : 1;
      for (; i < end_a; ++i, ++j) {
        if (a[i] != b[j]) return a[i] < b[j] ? -1 : 1;
      }
      continue;
    }
    if (ca != cb) return ca < cb ? -1 : 1;
    ++i;
    ++j;
  }
  const bool a_left = i < a.size();
  const bool b_left = j < b.size();
  return a_left == b_left ? 0 : (a_left ? 1 : -1);
}

// `*` any run, `?` one code point; both texts are folded keys. Backtracks only to the last `*`,
// which is enough for this pattern language and keeps the match linear in practice.
bool WildcardMatch(std::string_view name, std::string_view mask) {
  constexpr std::size_t kNone = std::string_view::npos;
  std::size_t n = 0;
  std::size_t m = 0;
  std::size_t star = kNone;
  std::size_t star_n = 0;
  while (n < name.size()) {
    if (m < mask.size()) {
      char32_t mask_c = 0;
      const std::size_t mask_length = StepAt(mask, m, &mask_c);
      if (mask_c == U'*') {
        star = m++;
        star_n = n;
        continue;
      }
      char32_t name_c = 0;
      const std::size_t name_length = StepAt(name, n, &name_c);
      if (mask_c == U'?' || mask_c == name_c) {
        n += name_length;
        m += mask_length;
        continue;
      }
    }
    if (star == kNone) return false;
    // Let the last `*` take one more code point and try again after it.
    char32_t skipped = 0;
    star_n += StepAt(name, star_n, &skipped);
    n = star_n;
    m = star + 1;
  }
  while (m < mask.size() && mask[m] == '*') ++m;
  return m == mask.size();
}

std::string_view TrimBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The masks of a ";"-separated list, ready to match many names.
class MaskList {
 public:
  explicit MaskList(std::string_view masks) {
    while (true) {
      const std::size_t semicolon = masks.find(';');
      const std::string_view mask = TrimBlanks(masks.substr(0, semicolon));
      if (mask == "*.*") {
        every_name_ = true;
      } else if (!mask.empty()) {
        masks_.push_back(FoldedKey(mask));
      }
      if (semicolon == std::string_view::npos) break;
      masks = masks.substr(semicolon + 1);
    }
    if (masks_.empty()) every_name_ = true;
  }

  [[nodiscard]] bool every_name() const { return every_name_; }
  // `key`: the name's FoldedKey.
  [[nodiscard]] bool Matches(std::string_view key) const {
    if (every_name_) return true;
    return std::any_of(masks_.begin(), masks_.end(),
                       [&](const std::string& mask) { return WildcardMatch(key, mask); });
  }

 private:
  bool every_name_ = false;
  std::vector<std::string> masks_;
};

}  // namespace

std::string FoldCase(std::string_view text) { return ToLower(ToUpper(text)); }

bool MatchesMask(std::string_view name, std::string_view masks) {
  const MaskList list(masks);
  return list.every_name() || list.Matches(FoldedKey(name));
}

bool NaturalLess(std::string_view a, std::string_view b) {
  const int order = NaturalCompare(FoldedKey(a), FoldedKey(b));
  return order != 0 ? order < 0 : a < b;
}

Status ListEntries(FileSystem& fs, const std::string& folder, EntryKind kind, std::string_view mask,
                   std::vector<std::string>* names) {
  std::vector<std::string> listed;
  Status status = fs.ListNames(folder, kind, &listed);
  if (!status.ok()) {
    names->clear();
    return status;
  }
  // Each name is folded once, for the mask and for the order; the sort then moves the keys
  // themselves, so the short ones (most names) are compared where they lie.
  const MaskList masks(mask);
  struct Keyed {
    std::string key;
    std::size_t index;
  };
  std::vector<Keyed> kept;
  kept.reserve(listed.size());
  for (std::size_t i = 0; i < listed.size(); ++i) {
    std::string key = FoldedKey(listed[i]);
    if (masks.Matches(key)) kept.push_back(Keyed{std::move(key), i});
  }
  std::sort(kept.begin(), kept.end(), [&](const Keyed& x, const Keyed& y) {
    const int c = NaturalCompare(x.key, y.key);
    return c != 0 ? c < 0 : listed[x.index] < listed[y.index];
  });
  names->clear();
  names->reserve(kept.size());
  for (const Keyed& k : kept) names->push_back(std::move(listed[k.index]));
  return Status::Ok();
}

}  // namespace kestro
