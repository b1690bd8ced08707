#include "platform/listing.h"

#include <algorithm>
#include <cstdint>

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

// Appends the code point at `text[i]` folded, still UTF-8, and returns its length; a byte that
// starts no valid sequence is kept as it is. Since UTF-8 byte order is code point order, folded
// keys compare byte by byte.
std::size_t AppendFoldedAt(std::string& key, std::string_view text, std::size_t i) {
  const auto b0 = static_cast<unsigned char>(text[i]);
  if (b0 < 0x80) {
    key.push_back(static_cast<char>(Fold(b0)));
    return 1;
  }
  char32_t c = 0;
  const std::size_t length = DecodeAt(text, i, &c);
  if (length == 0) {
    key.push_back(text[i]);
    return 1;
  }
  AppendUtf8(key, Fold(c));
  return length;
}

void AppendFolded(std::string& key, std::string_view text) {
  for (std::size_t i = 0; i < text.size();) i += AppendFoldedAt(key, text, i);
}

std::string FoldedKey(std::string_view text) {
  std::string key;
  key.reserve(text.size());
  AppendFolded(key, text);
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

// Appends the sort key of `text`: its folded key (natural order compares those), in a form whose
// plain byte order is the natural order, so a sort decodes nothing. Folding maps the digits 0-9
// to themselves and nothing else to them (digits have no case), so the folded key has the digit
// runs of `text`, and one pass does both. Each maximal run of digits becomes its length L after its
// leading zeros are dropped (L may be 0), written as one byte '0' + L for L < 9 or as '9' and L in
// 8 big-endian bytes for L >= 9, then its L remaining digits; the rest is the folded key's.
//
// Why byte order is natural order: natural order reads a folded key as a sequence of tokens, single
// non-digit bytes and whole digit runs (two runs meet only at their starts, as everything before
// them agreed). Two different tokens always differ at a byte inside both encodings:
// - two bytes: they are the byte;
// - a byte and a run: the run's encoding starts with a digit byte, and a non-digit byte compares
//   against every digit alike, as natural order compares it against the run's first digit;
// - two runs of different L: their length prefixes differ, and since 0x30 + L < 0x39 for L < 9
//   and the 8 bytes after '9' have one width, neither is a prefix of the other and they compare
//   as L does; the longer run without leading zeros is the larger number;
// - two runs of one L: equal prefixes, then L digits each, compared digit by digit.
// So keys first differ where the tokens first differ, in the tokens' order; a key whose tokens
// are a prefix of the other's is itself a prefix and comes first, as in natural order. Keys are
// equal exactly when all tokens are, that is when natural order finds the names equal.
void AppendSortKey(std::string& out, std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto b = static_cast<unsigned char>(text[i]);
    if (b < 0x80 && !IsDigit(b)) {  // most bytes of most names, so kept out of AppendFoldedAt
      out.push_back(static_cast<char>(b >= 'A' && b <= 'Z' ? b + ('a' - 'A') : b));
      ++i;
      continue;
    }
    if (!IsDigit(b)) {
      i += AppendFoldedAt(out, text, i);
      continue;
    }
    while (i < text.size() && text[i] == '0') ++i;
    std::size_t end = i;
    while (end < text.size() && IsDigit(static_cast<unsigned char>(text[end]))) ++end;
    const std::uint64_t length = end - i;
    if (length < 9) {
      out.push_back(static_cast<char>('0' + length));
    } else {
      out.push_back('9');
      for (int shift = 56; shift >= 0; shift -= 8)
        out.push_back(static_cast<char>(length >> shift));
    }
    out.append(text.substr(i, end - i));
    i = end;
  }
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

// A name's place in the listing: its sort key in the arena and its index among the names.
struct Keyed {
  std::size_t offset;
  std::uint32_t length;  // a key is a few times its name's length at most
  std::uint32_t index;   // a folder lists fewer than 2^32 entries
};

// By key, equal keys by their names' bytes.
struct KeyedLess {
  const char* keys;
  const std::vector<std::string>& names;
  bool operator()(const Keyed& x, const Keyed& y) const {
    const int c = std::string_view(keys + x.offset, x.length)
                      .compare(std::string_view(keys + y.offset, y.length));
    return c != 0 ? c < 0 : names[x.index] < names[y.index];
  }
};

// The byte of `k`'s key at `depth`, or -1 past its end: a key that ends first sorts first.
int ByteAt(const char* keys, const Keyed& k, std::size_t depth) {
  return depth < k.length ? static_cast<unsigned char>(keys[k.offset + depth]) : -1;
}

// Sorts records whose keys agree in their first `depth` bytes by key, equal keys by their names'
// bytes. Three-way radix quicksort: records are split by their key's byte at `depth` alone, and
// those that share it go on at the next byte, so a long common prefix (say "IMG_2024") is read
// once per record rather than once per comparison. Each split takes at least one of the 257
// byte values out of a part, which bounds the recursion by the key length times 257.
void SortKeyed(Keyed* first, Keyed* last, std::size_t depth, const char* keys,
               const std::vector<std::string>& names) {
  const KeyedLess less{keys, names};
  while (last - first > 1) {
    if (last - first < 16) {
      std::sort(first, last, less);
      return;
    }
    const int pivot = ByteAt(keys, first[(last - first) / 2], depth);
    // [first, below) under the pivot, [below, above) at it, [above, last) over it.
    Keyed* below = first;
    Keyed* above = last;
    for (Keyed* at = first; at < above;) {
      const int byte = ByteAt(keys, *at, depth);
      if (byte < pivot) {
        std::swap(*below++, *at++);
      } else if (byte > pivot) {
        std::swap(*at, *--above);
      } else {
        ++at;
      }
    }
    SortKeyed(first, below, depth, keys, names);
    SortKeyed(above, last, depth, keys, names);
    if (pivot < 0) {  // whole keys alike: their names decide
      std::sort(below, above, less);
      return;
    }
    first = below;
    last = above;
    ++depth;
  }
}

}  // namespace

std::string FoldCase(std::string_view text) { return ToLower(ToUpper(text)); }

bool MatchesMask(std::string_view name, std::string_view masks) {
  const MaskList list(masks);
  return list.every_name() || list.Matches(FoldedKey(name));
}

bool NaturalLess(std::string_view a, std::string_view b) {
  // Callers sort with this, one call per comparison, so the keys are built in buffers kept from
  // call to call rather than in fresh strings.
  thread_local std::string key_a;
  thread_local std::string key_b;
  key_a.clear();
  key_b.clear();
  AppendSortKey(key_a, a);
  AppendSortKey(key_b, b);
  const int order = key_a.compare(key_b);
  return order != 0 ? order < 0 : a < b;
}

namespace {

// `listed` as ListEntries gives it: the names `mask` selects, in natural order.
void SortListed(std::vector<std::string> listed, std::string_view mask,
                std::vector<std::string>* names) {
  // Each name's sort key is written into one arena (folded once more for a mask, if any); the
  // sort moves small records and compares keys with memcmp, the names' bytes breaking ties. The
  // names are then put in that order where they are, so a million of them are held once.
  const MaskList masks(mask);
  std::size_t total = 0;
  for (const std::string& name : listed) total += name.size();
  std::string arena;
  arena.reserve(total + total / 8);
  std::vector<Keyed> kept;
  kept.reserve(listed.size());
  std::string folded;
  for (std::size_t i = 0; i < listed.size(); ++i) {
    if (!masks.every_name()) {
      folded.clear();
      AppendFolded(folded, listed[i]);
      if (!masks.Matches(folded)) continue;
    }
    const std::size_t offset = arena.size();
    AppendSortKey(arena, listed[i]);
    // The names the mask passes move to the front, in listing order.
    const auto index = static_cast<std::uint32_t>(kept.size());
    if (index != i) listed[index] = std::move(listed[i]);
    kept.push_back(Keyed{offset, static_cast<std::uint32_t>(arena.size() - offset), index});
  }
  listed.resize(kept.size());
  // A folder that lists its names in order, or in reverse order (tmpfs lists the newest entry
  // first, so a folder filled in name order comes out reversed), is put in order in one pass.
  const KeyedLess less{arena.data(), listed};
  if (std::is_sorted(kept.rbegin(), kept.rend(), less)) {
    std::reverse(kept.begin(), kept.end());
  } else if (!std::is_sorted(kept.begin(), kept.end(), less)) {
    SortKeyed(kept.data(), kept.data() + kept.size(), 0, arena.data(), listed);
  }
  // listed[k] becomes the name kept[k] points at, one cycle of the permutation after another;
  // a placed name's record points at itself.
  for (std::size_t k = 0; k < kept.size(); ++k) {
    if (kept[k].index == k) continue;
    std::string held = std::move(listed[k]);
    std::size_t j = k;
    while (kept[j].index != k) {
      const std::size_t from = kept[j].index;
      listed[j] = std::move(listed[from]);
      kept[j].index = static_cast<std::uint32_t>(j);
      j = from;
    }
    listed[j] = std::move(held);
    kept[j].index = static_cast<std::uint32_t>(j);
  }
  *names = std::move(listed);
}

}  // namespace

Status ListEntries(FileSystem& fs, const std::string& folder, EntryKind kind, std::string_view mask,
                   std::vector<std::string>* names) {
  std::vector<std::string> listed;
  Status status = fs.ListNames(folder, kind, &listed);
  if (!status.ok()) {
    names->clear();
    return status;
  }
  SortListed(std::move(listed), mask, names);
  return Status::Ok();
}

Status ListFolder(FileSystem& fs, const std::string& folder, std::string_view file_mask,
                  FolderListing* listing) {
  std::vector<std::string> directories;
  std::vector<std::string> files;
  Status status = fs.ListBothKinds(folder, &directories, &files);
  if (!status.ok()) {
    *listing = {};
    return status;
  }
  SortListed(std::move(directories), "", &listing->directories);
  SortListed(std::move(files), file_mask, &listing->files);
  return Status::Ok();
}

}  // namespace kestro
