#include "engine/utf8_text.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>

namespace kestro {
namespace {

// One run of code points that map by the same offset: first, first + stride, ..., last.
struct CaseRange {
  char32_t first;
  char32_t last;
  std::int32_t delta;
  std::uint8_t stride;
};

#include "engine/case_table.inc"

template <std::size_t N>
char32_t MapByTable(const CaseRange (&table)[N], char32_t c) {
  // The last range that starts at or before c is the only one that can hold it.
  const auto* after = std::upper_bound(std::begin(table), std::end(table), c,
                                       [](char32_t v, const CaseRange& r) { return v < r.first; });
  if (after == std::begin(table)) return c;
  const CaseRange& range = *(after - 1);
  if (c > range.last || (c - range.first) % range.stride != 0) return c;
  return static_cast<char32_t>(static_cast<std::int32_t>(c) + range.delta);
}

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

template <typename Map>
std::string MapText(std::string_view text, Map map) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    // ASCII maps within itself: one byte in, one byte out.
    if (const auto byte = static_cast<unsigned char>(text[pos]); byte < 0x80) {
      out.push_back(static_cast<char>(map(byte)));
      ++pos;
      continue;
    }
    const Utf8Unit unit = DecodeUtf8At(text, pos);
    if (unit.valid) {
      AppendUtf8(out, map(unit.value));
    } else {
      out.push_back(text[pos]);
    }
    pos += unit.length;
  }
  return out;
}

}  // namespace

Utf8Unit DecodeUtf8At(std::string_view text, std::size_t pos) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(pos);
  Utf8Unit invalid{lead, 1, false};
  if (lead < 0x80) return {lead, 1, true};

  std::size_t length = 0;
  char32_t value = 0;
  char32_t minimum = 0;
  if ((lead & 0xE0) == 0xC0) {
    length = 2;
    value = lead & 0x1F;
    minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3;
    value = lead & 0x0F;
    minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4;
    value = lead & 0x07;
    minimum = 0x10000;
  } else {
    return invalid;
  }
  if (text.size() - pos < length) return invalid;
  for (std::size_t i = 1; i < length; ++i) {
    if (!IsContinuation(byte(pos + i))) return invalid;
    value = (value << 6) | (byte(pos + i) & 0x3F);
  }
  if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return invalid;
  return {value, length, true};
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

bool IsValidUtf8(std::string_view text) {
  for (std::size_t pos = 0; pos < text.size();) {
    // Most names are ASCII: eight bytes at a time while none has its high bit set.
    std::uint64_t eight = 0;
    if (text.size() - pos >= sizeof eight) {
      std::memcpy(&eight, text.data() + pos, sizeof eight);
      if ((eight & 0x8080808080808080u) == 0) {
        pos += sizeof eight;
        continue;
      }
    }
    if (static_cast<unsigned char>(text[pos]) < 0x80) {
      ++pos;
      continue;
    }
    const Utf8Unit unit = DecodeUtf8At(text, pos);
    if (!unit.valid) return false;
    pos += unit.length;
  }
  return true;
}

std::size_t CodePointCount(std::string_view text) {
  return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
    return !IsContinuation(static_cast<unsigned char>(c));
  }));
}

std::string_view FirstCodePoints(std::string_view text, std::size_t count) {
  std::size_t pos = 0;
  for (std::size_t taken = 0; taken < count && pos < text.size(); ++taken) {
    pos += DecodeUtf8At(text, pos).length;
  }
  return text.substr(0, pos);
}

std::string_view LastCodePoints(std::string_view text, std::size_t count) {
  std::size_t pos = text.size();
  for (std::size_t taken = 0; taken < count && pos > 0; ++taken) {
    --pos;
    while (pos > 0 && IsContinuation(static_cast<unsigned char>(text[pos]))) --pos;
  }
  return text.substr(pos);
}

char32_t SimpleUpper(char32_t c) {
  if (c < 0x80) return c >= U'a' && c <= U'z' ? c - 0x20 : c;
  return MapByTable(kUpperRanges, c);
}

char32_t SimpleLower(char32_t c) {
  if (c < 0x80) return c >= U'A' && c <= U'Z' ? c + 0x20 : c;
  return MapByTable(kLowerRanges, c);
}

std::string ToUpper(std::string_view text) { return MapText(text, SimpleUpper); }
std::string ToLower(std::string_view text) { return MapText(text, SimpleLower); }

}  // namespace kestro
