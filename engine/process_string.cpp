#include "engine/process_string.h"

#include <array>
#include <cstdint>
#include <limits>
#include <optional>

#include "engine/beginning_bit.h"
#include "engine/regex_replace.h"
#include "engine/text_number.h"
#include "engine/utf8_text.h"

namespace kestro {
namespace {

// Bytes that are not well-formed UTF-8 get values above every code point, so they match only
// themselves and never a letter.
constexpr char32_t kStrayByteBase = 0x110000;

// The upper-case form that matching compares, one code point or stray byte at `pos`.
char32_t UpperAt(std::string_view text, std::size_t pos, std::size_t& length) {
  // ASCII, most bytes of most names, maps only within itself.
  if (const auto byte = static_cast<unsigned char>(text[pos]); byte < 0x80) {
    length = 1;
    return byte >= 'a' && byte <= 'z' ? byte - ('a' - 'A') : byte;
  }
  const Utf8Unit unit = DecodeUtf8At(text, pos);
  length = unit.length;
  return unit.valid ? SimpleUpper(unit.value) : kStrayByteBase + unit.value;
}

bool IsBlanksOnly(std::string_view text) {
  return text.find_first_not_of(' ') == std::string_view::npos;
}

// Strip (mode 2). Returns nothing when the name stays as it is.
std::optional<std::string> Strip(std::string_view name, const RenameOperation& op) {
  const double n = ReadNumber(op.param1);
  const auto length = static_cast<double>(CodePointCount(name));
  // n <= 0 (a negative count included) keeps the whole name; n >= L would strip all of it.
  if (!(n > 0.0) || n >= length) return std::nullopt;

  const bool from_left = op.param2 == "1";
  if (from_left || !op.keep_extension) {
    // The kept count is rounded; the whole name is never stripped away.
    const double keep = RoundHalfEven(length - n);
    if (keep < 1.0) return std::nullopt;
    const auto count = static_cast<std::size_t>(keep);
    return std::string(from_left ? LastCodePoints(name, count) : FirstCodePoints(name, count));
  }

  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos) return std::nullopt;  // no ".": the base is empty
  const std::string_view base = name.substr(0, dot);
  const std::string_view extension = name.substr(dot + 1);
  const auto base_length = static_cast<double>(CodePointCount(base));
  if (n > base_length || base.empty() || IsBlanksOnly(base)) return std::nullopt;
  // Rounding half to even may give 0 kept characters: "." and the extension remain, as they do
  // for a count equal to the base's length.
  const double keep = RoundHalfEven(base_length - n);
  std::string out(FirstCodePoints(base, static_cast<std::size_t>(keep)));
  out += '.';
  out += extension;
  return out;
}

std::string ChangeCase(std::string_view name, std::string_view code_text) {
  const double code = RoundHalfEven(ReadNumber(code_text));
  if (code == 1.0) return ToUpper(name);
  if (code == 2.0) return ToLower(name);
  if (code == 3.0) return SentenceCase(name);
  return std::string(name);
}

// Case with the extension alone changed: the part after the last dot. A name without a dot, or
// one whose only dot leads it (".profile": a hidden name, no extension), keeps its name; sentence
// capitalization makes an extension of one word "Jpg".
std::string ChangeExtensionCase(std::string_view name, std::string_view code_text) {
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos || dot == 0) return std::string(name);
  return std::string(name.substr(0, dot + 1)) + ChangeCase(name.substr(dot + 1), code_text);
}

// The ten passes of the template's own placeholders, on `text`, a piece of the template.
std::string DatePasses(std::string_view name, std::string_view text, const CalendarDate& today) {
  if (text.find('$') == std::string_view::npos) return std::string(text);
  const std::string mmddyy = FormatDate(today, DateFormat::kMMDDYY);
  const std::string ddmmyy = FormatDate(today, DateFormat::kDDMMYY);
  const std::string mmdd = FormatDate(today, DateFormat::kMMDD);
  const std::string ddmm = FormatDate(today, DateFormat::kDDMM);
  // Each pass works on the result of the one before, so the lower-case passes see what "$NAME"
  // put in (they find nothing else: matching ignores case).
  const std::array<std::pair<std::string_view, std::string_view>, 10> passes = {{
      {"$DATE1", mmddyy},
      {"$DATE2", ddmmyy},
      {"$DATE3", mmdd},
      {"$DATE4", ddmm},
      {"$NAME", name},
      {"$date1", mmddyy},
      {"$date2", ddmmyy},
      {"$date3", mmdd},
      {"$date4", ddmm},
      {"$name", name},
  }};
  std::string result(text);
  for (const auto& [placeholder, value] : passes) {
    // Every placeholder starts with "$", which no other character matches in any case.
    if (result.find('$') == std::string::npos) break;
    result = ReplaceAll(result, placeholder, value);
  }
  return result;
}

// The placeholders that take the entry's own dates and extension. The longer forms stand first,
// so "$TAKEN1" is never read as "$TAKEN" and a "1".
struct OwnPlaceholder {
  std::string_view text;
  enum class Source { kTaken, kModified, kExtension } source;
  int form;  // 0: "YYYYMMDD_HHMMSS"; 1 to 4: the forms of "$DATE1" to "$DATE4"
};
constexpr OwnPlaceholder kOwnPlaceholders[] = {
    {"$TAKEN1", OwnPlaceholder::Source::kTaken, 1},
    {"$TAKEN2", OwnPlaceholder::Source::kTaken, 2},
    {"$TAKEN3", OwnPlaceholder::Source::kTaken, 3},
    {"$TAKEN4", OwnPlaceholder::Source::kTaken, 4},
    {"$TAKEN", OwnPlaceholder::Source::kTaken, 0},
    {"$MODIFIED1", OwnPlaceholder::Source::kModified, 1},
    {"$MODIFIED2", OwnPlaceholder::Source::kModified, 2},
    {"$MODIFIED3", OwnPlaceholder::Source::kModified, 3},
    {"$MODIFIED4", OwnPlaceholder::Source::kModified, 4},
    {"$MODIFIED", OwnPlaceholder::Source::kModified, 0},
    {"$EXT", OwnPlaceholder::Source::kExtension, 0},
};
constexpr DateFormat kPlaceholderForms[] = {DateFormat::kMMDDYY, DateFormat::kDDMMYY,
                                            DateFormat::kMMDD, DateFormat::kDDMM};

// The length of the text `find` matches at `pos` of `text`, letters compared as ReplaceAll
// compares them; 0 when it does not match there.
std::size_t MatchLengthAt(std::string_view text, std::size_t pos, std::string_view find) {
  std::size_t end = pos;
  for (std::size_t k = 0, find_length = 0; k < find.size(); k += find_length) {
    std::size_t length = 0;
    if (end >= text.size() || UpperAt(text, end, length) != UpperAt(find, k, find_length)) {
      return 0;
    }
    end += length;
  }
  return end - pos;
}

// Calls `visit(placeholder, position, length)` for every placeholder of kOwnPlaceholders in
// `text`, left to right, without overlaps.
template <typename Visit>
void EachOwnPlaceholder(std::string_view text, Visit&& visit) {
  for (std::size_t pos = text.find('$'); pos != std::string_view::npos; pos = text.find('$', pos)) {
    std::size_t length = 0;
    for (const OwnPlaceholder& placeholder : kOwnPlaceholders) {
      length = MatchLengthAt(text, pos, placeholder.text);
      if (length > 0) {
        visit(placeholder, pos, length);
        break;
      }
    }
    pos += length > 0 ? length : 1;
  }
}

// The extension with its dot: the text from the last dot on; empty without a dot, or when the
// only dot leads the name (".profile").
std::string_view ExtensionOf(std::string_view name) {
  const std::size_t dot = name.rfind('.');
  return dot == std::string_view::npos || dot == 0 ? std::string_view() : name.substr(dot);
}

const EntryDates& NoDates() {
  static const EntryDates none;
  return none;
}

// Literal (mode 6). The entry's own placeholders are read in the template as given and their
// values put in afterwards, so the ten passes never see the text they insert (an extension
// ".$name" stays as it is), and the pieces of the template between them go through the ten
// passes as a template without them would. Returns nothing, with `failure` set, when a date the
// template asks for is missing.
std::optional<std::string> Literal(std::string_view name, std::string_view template_text,
                                   const CalendarDate& today, const EntryDates& dates,
                                   std::string* failure) {
  std::string result;
  std::size_t from = 0;
  bool missing = false;
  EachOwnPlaceholder(
      template_text, [&](const OwnPlaceholder& placeholder, std::size_t at, std::size_t length) {
        result += DatePasses(name, template_text.substr(from, at - from), today);
        from = at + length;
        if (placeholder.source == OwnPlaceholder::Source::kExtension) {
          result += ExtensionOf(name);
          return;
        }
        const bool taken = placeholder.source == OwnPlaceholder::Source::kTaken;
        const std::optional<DateTime>& when = taken ? dates.taken : dates.modified;
        if (!when) {
          if (!missing && failure != nullptr) *failure = taken ? dates.no_taken : dates.no_modified;
          missing = true;
          return;
        }
        result += placeholder.form == 0
                      ? FormatStamp(*when)
                      : FormatDate(when->date, kPlaceholderForms[placeholder.form - 1]);
      });
  if (missing) return std::nullopt;
  result += DatePasses(name, template_text.substr(from), today);
  return result;
}

// CommonStyle (mode 1): the prefix, with the entry's own date in place of the window's load date
// when the date options take it from the entry. Returns nothing, with `failure` set, when that
// date is missing.
std::optional<std::string> CommonStyle(std::string_view name, const CommonStyleSettings& style,
                                       const EntryDates& dates, std::string* failure) {
  if (style.date_choice == DateChoice::Today || style.info == CommonStyleSettings::Info::Option11) {
    return BeginningBit(style) + std::string(name);
  }
  std::string why;
  const std::optional<DateTime> when = ChosenDate(style.date_choice, dates, {}, &why);
  if (!when) {
    if (failure != nullptr) *failure = std::move(why);
    return std::nullopt;
  }
  CommonStyleSettings own = style;
  own.captions = MakeDateCaptions(when->date);
  return BeginningBit(own) + std::string(name);
}

// Replace (mode 3): literal without regard to case as designed, or in the case of `find`, or by
// regular expression. Returns nothing, with `failure` set, when the expression gives no name.
std::optional<std::string> Replace(std::string_view name, const RenameOperation& op,
                                   std::string* failure) {
  if (!op.regex) {
    return op.match_case ? ReplaceAllMatchCase(name, op.param1, op.param2)
                         : ReplaceAll(name, op.param1, op.param2);
  }
  // An empty field "A:" replaces nothing, as the literal Replace does; as an expression it would
  // match at every position.
  if (op.param1.empty()) return std::string(name);
  std::string out;
  std::string why;
  if (!RegexReplaceAll(name, op.param1, op.param2, op.match_case, &out, &why)) {
    if (failure != nullptr) *failure = std::move(why);
    return std::nullopt;
  }
  return out;
}

// Numbering (mode 7). Returns nothing when the number does not fit 32 bits.
std::optional<std::string> Number(std::string_view name, const RenameOperation& op,
                                  const NumberingValues& numbers) {
  std::int64_t number = numbers.entry_number;
  if (op.param1 != "1") {
    number = std::int64_t{numbers.highest_number} - numbers.entry_number + 1;
    if (number < std::numeric_limits<std::int32_t>::min() ||
        number > std::numeric_limits<std::int32_t>::max()) {
      return std::nullopt;
    }
  }
  const std::string digits = std::to_string(number);
  std::string out;
  if (op.param2 == "1" && static_cast<std::int64_t>(digits.size()) < numbers.digit_width) {
    out.assign(static_cast<std::size_t>(numbers.digit_width) - digits.size(), '0');
  }
  out += digits;
  out += " - ";
  out += name;
  return out;
}

}  // namespace

std::string ProcessString(std::string_view name, const RenameOperation& op,
                          const NumberingValues& numbers, const CalendarDate& today,
                          std::string* failure, const EntryDates* dates) {
  if (!IsValidUtf8(name)) return std::string(name);
  const EntryDates& own_dates = dates != nullptr ? *dates : NoDates();

  std::optional<std::string> result;
  switch (op.mode) {
    case RenameMode::CommonStyle:
      result = CommonStyle(name, op.common_style, own_dates, failure);
      break;
    case RenameMode::Strip:
      result = Strip(name, op);
      break;
    case RenameMode::Replace:
      result = Replace(name, op, failure);
      break;
    case RenameMode::Case:
      result =
          op.extension_only ? ChangeExtensionCase(name, op.param1) : ChangeCase(name, op.param1);
      break;
    case RenameMode::Extension:
      result = std::string(name) + op.param1;
      break;
    case RenameMode::Literal:
      result = Literal(name, op.param1, today, own_dates, failure);
      break;
    case RenameMode::Numbering:
      result = Number(name, op, numbers);
      break;
    default:
      break;
  }
  // A parameter that is not valid UTF-8 cannot give a valid name: that step is skipped too.
  if (!result || !IsValidUtf8(*result)) return std::string(name);
  return *std::move(result);
}

void LiteralDatesNeeded(std::string_view template_text, bool* taken, bool* modified) {
  EachOwnPlaceholder(template_text,
                     [&](const OwnPlaceholder& placeholder, std::size_t, std::size_t) {
                       if (placeholder.source == OwnPlaceholder::Source::kTaken) *taken = true;
                       if (placeholder.source == OwnPlaceholder::Source::kModified)
                         *modified = true;
                     });
}

std::string ReplaceAll(std::string_view source, std::string_view find,
                       std::string_view replacement) {
  if (find.empty()) return std::string(source);
  std::size_t find_first_length = 0;
  const char32_t find_first = UpperAt(find, 0, find_first_length);

  std::string out;
  out.reserve(source.size());
  const std::size_t size = source.size();  // taken once; the output never feeds back in
  std::size_t kept_from = 0;               // the source from here on is copied as it is
  for (std::size_t pos = 0; pos < size;) {
    std::size_t first_length = 0;
    bool match = UpperAt(source, pos, first_length) == find_first;
    std::size_t end = pos + first_length;
    // The rest of `find` is decoded as it is compared: no buffer per call.
    for (std::size_t k = find_first_length, find_length = 0; match && k < find.size();
         k += find_length) {
      std::size_t length = 0;
      match = end < size && UpperAt(source, end, length) == UpperAt(find, k, find_length);
      end += length;
    }
    if (match) {
      out.append(source.substr(kept_from, pos - kept_from)).append(replacement);
      pos = kept_from = end;
    } else {
      pos += first_length;
    }
  }
  return out.append(source.substr(kept_from));
}

std::string ReplaceAllMatchCase(std::string_view source, std::string_view find,
                                std::string_view replacement) {
  if (find.empty()) return std::string(source);
  std::string out;
  out.reserve(source.size());
  std::size_t kept_from = 0;
  // UTF-8 synchronises itself: a byte match of valid text starts and ends on code points.
  for (std::size_t at = source.find(find); at != std::string_view::npos;
       at = source.find(find, kept_from)) {
    out.append(source.substr(kept_from, at - kept_from)).append(replacement);
    kept_from = at + find.size();
  }
  return out.append(source.substr(kept_from));
}

std::string SentenceCase(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  bool after_blank = true;  // the first character is upper-cased as if a blank came before it
  for (std::size_t pos = 0; pos < text.size();) {
    const Utf8Unit unit = DecodeUtf8At(text, pos);
    if (unit.valid) {
      AppendUtf8(out, after_blank ? SimpleUpper(unit.value) : SimpleLower(unit.value));
    } else {
      out.push_back(text[pos]);
    }
    after_blank = unit.valid && unit.value == U' ';
    pos += unit.length;
  }
  return out;
}

}  // namespace kestro
