#include "platform/listing.h"

#include <algorithm>
#include <numeric>

#include "engine/utf8_text.h"

namespace kestro {

namespace {

// A byte that does not start a valid sequence stands for itself, shifted to a range no valid
// text decodes to (the low surrogates), so invalid names still compare and match consistently.
constexpr char32_t kInvalidByteBase = 0xDC00;

char32_t Fold(char32_t c) { return SimpleLower(SimpleUpper(c)); }

// The code points of `text`, each folded.
std::u32string FoldedCodePoints(std::string_view text) {
  std::u32string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const auto b0 = static_cast<unsigned char>(text[i]);
    if (b0 < 0x80) {
      out.push_back(b0 >= 'A' && b0 <= 'Z' ? b0 + ('a' - 'A') : b0);
      ++i;
      continue;
    }
    std::size_t length = 0;
    char32_t c = 0;
    char32_t min = 0;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
      length = 2, c = b0 & 0x1F, min = 0x80;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
      length = 3, c = b0 & 0x0F, min = 0x800;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
      length = 4, c = b0 & 0x07, min = 0x10000;
    }
    bool valid = length != 0 && i + length <= text.size();
    for (std::size_t k = 1; valid && k < length; ++k) {
      const auto b = static_cast<unsigned char>(text[i + k]);
      valid = (b & 0xC0) == 0x80;
      c = (c << 6) | (b & 0x3F);
    }
    valid = valid && c >= min && c <= 0x10FFFF && !(c >= 0xD800 && c <= 0xDFFF);
    if (!valid) {
      out.push_back(kInvalidByteBase + b0);
      ++i;
      continue;
    }
    out.push_back(Fold(c));
    i += length;
  }
  return out;
}

bool IsDigit(char32_t c) { return c >= U'0' && c <= U'9'; }

// <0, 0 or >0 as `a` comes before, with or after `b` in natural order (folded code points).
int NaturalCompare(const std::u32string& a, const std::u32string& b) {
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() && j < b.size()) {
    if (IsDigit(a[i]) && IsDigit(b[j])) {
      // Compare by value without converting: drop leading zeros, then the longer run is the
      // larger number, and runs of one length compare digit by digit.
      while (i < a.size() && a[i] == U'0') ++i;
      while (j < b.size() && b[j] == U'0') ++j;
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
    if (a[i] != b[j]) return a[i] < b[j] ? -1 : 1;
    ++i;
    ++j;
  }
  const bool a_left = i < a.size();
  const bool b_left = j < b.size();
  return a_left == b_left ? 0 : (a_left ? 1 : -1);
}

// `*` any run, `?` one code point; both texts folded. Backtracks only to the last `*`, which
// is enough for this pattern language and keeps the match linear in practice.
bool WildcardMatch(const std::u32string& name, const std::u32string& mask) {
  std::size_t n = 0;
  std::size_t m = 0;
  std::size_t star = std::u32string::npos;
  std::size_t star_n = 0;
  while (n < name.size()) {
    if (m < mask.size() && (mask[m] == U'?' || mask[m] == name[n])) {
      ++n;
      ++m;
    } else if (m < mask.size() && mask[m] == U'*') {
      star = m++;
      star_n = n;
    } else if (star != std::u32string::npos) {
      m = star + 1;
      n = ++star_n;
    } else {
      return false;
    }
  }
  while (m < mask.size() && mask[m] == U'*') ++m;
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
        masks_.push_back(FoldedCodePoints(mask));
      }
      if (semicolon == std::string_view::npos) break;
      masks = masks.substr(semicolon + 1);
    }
    if (masks_.empty()) every_name_ = true;
  }

  [[nodiscard]] bool Matches(std::string_view name) const {
    if (every_name_) return true;
    const std::u32string folded = FoldedCodePoints(name);
    return std::any_of(masks_.begin(), masks_.end(),
                       [&](const std::u32string& mask) { return WildcardMatch(folded, mask); });
  }

 private:
  bool every_name_ = false;
  std::vector<std::u32string> masks_;
};

}  // namespace

std::string FoldCase(std::string_view text) { return ToLower(ToUpper(text)); }

bool MatchesMask(std::string_view name, std::string_view masks) {
  return MaskList(masks).Matches(name);
}

bool NaturalLess(std::string_view a, std::string_view b) {
  const int order = NaturalCompare(FoldedCodePoints(a), FoldedCodePoints(b));
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
  const MaskList masks(mask);
  std::erase_if(listed, [&](const std::string& name) { return !masks.Matches(name); });

  // Each name is folded once; the sort then compares the folded forms.
  std::vector<std::u32string> keys;
  keys.reserve(listed.size());
  for (const std::string& name : listed) keys.push_back(FoldedCodePoints(name));
  std::vector<std::size_t> order(listed.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::sort(order.begin(), order.end(), [&](std::size_t x, std::size_t y) {
    const int c = NaturalCompare(keys[x], keys[y]);
    return c != 0 ? c < 0 : listed[x] < listed[y];
  });
  names->clear();
  names->reserve(listed.size());
  for (const std::size_t index : order) names->push_back(std::move(listed[index]));
  return Status::Ok();
}

}  // namespace kestro
