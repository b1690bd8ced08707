// The journal's files: "kestro journal 1", the folder, where the batch was made ("from window" or
// "from command-line"), when it began ("begun SECONDS"), a line per rename about to be tried, then
// notes of what was made ("made FIRST BITS", a 1 or 0 per rename from FIRST on), how far the batch
// came ("tried N") and, once taken back, "undone"; an undo that did not take back every rename
// notes each it did take back as not made ("made N 0") instead. Names are written with a
// backslash, a tab and every control character escaped, so a name can never break a line. Older
// journals lack the origin and the time; the time is then read from their file's name.
#include "batch/journal.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <filesystem>
#include <optional>
#include <system_error>

#include "platform/state_folder.h"

namespace kestro {
namespace {

namespace stdfs = std::filesystem;

constexpr std::string_view kHeader = "kestro journal 1";
constexpr char kSuffix[] = ".journal";
constexpr std::size_t kKept = 10;
constexpr std::size_t kNotesPerWrite = 4096;
constexpr std::size_t kPieceSize = 64 * 1024;
// A journal file is named "s" and its number in 19 digits; older ones by the time they began.
constexpr char kNumbered = 's';
constexpr std::size_t kNumberDigits = 19;
// The longest line a batch writes: the folder line, a path of at most 32,767 UTF-16 units, each
// byte of it escaped to four at most.
constexpr std::size_t kMaxLine = 4 * 3 * 32767 + 16;
// What one rename costs a journal at most: its line (two names of at most 765 bytes, every byte
// escaped to at most four), a note of it made or not, and one of it taken back.
constexpr std::uint64_t kMaxBytesPerRename = 2 * 4 * 765 + 16 + 1 + 32;
constexpr std::uint64_t kMaxJournalBytes = 2 * kMaxLine + kMaxJournalRenames * kMaxBytesPerRename;

stdfs::path PathOf(const std::string& utf8) {
  return stdfs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Utf8Of(const stdfs::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

// Appends `name` to `out`, a backslash and every control character escaped.
void AppendEscaped(std::string& out, std::string_view name) {
  const bool plain = std::all_of(name.begin(), name.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 0x20 && byte != 0x7F && c != '\\';
  });
  if (plain) {
    out += name;
    return;
  }
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\\') {
      out += "\\\\";
    } else if (byte < 0x20 || byte == 0x7F) {
      constexpr char kHex[] = "0123456789ABCDEF";
      out += "\\x";
      out.push_back(kHex[byte >> 4]);
      out.push_back(kHex[byte & 0xF]);
    } else {
      out.push_back(c);
    }
  }
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string Unescaped(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 >= text.size()) {
      out.push_back(text[i]);
    } else if (text[i + 1] == 'x' && i + 3 < text.size() && HexDigit(text[i + 2]) >= 0 &&
               HexDigit(text[i + 3]) >= 0) {
      out.push_back(static_cast<char>(HexDigit(text[i + 2]) * 16 + HexDigit(text[i + 3])));
      i += 3;
    } else {
      out.push_back(text[++i]);
    }
  }
  return out;
}

// The whole of `text` as a number, or none.
template <typename Number>
std::optional<Number> NumberOf(std::string_view text) {
  Number value{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) return {};
  return value;
}

Status Refused(const std::string& why) { return Status::Error(Status::Code::kIoError, why); }

Status Failed(const std::string& what, const std::error_code& error) {
  return Status::Error(Status::Code::kIoError, what + ": " + error.message());
}

// Reads a journal's lines as they come, in pieces of any size.
class Reader {
 public:
  Reader(Journal* journal, const AbsolutePathRule& absolute)
      : journal_(*journal), absolute_(absolute) {}

  bool Feed(std::string_view piece) {
    while (status_.ok() && !piece.empty()) {
      const std::size_t end = piece.find('\n');
      const std::string_view part = piece.substr(0, end);
      if (line_.size() + part.size() > kMaxLine) {
        status_ = Refused("a line of the journal is longer than any a batch writes");
        break;
      }
      if (end == std::string_view::npos) {
        line_ += part;
        break;
      }
      if (line_.empty()) {
        Line(part);
      } else {
        line_ += part;
        Line(line_);
        line_.clear();
      }
      piece.remove_prefix(end + 1);
    }
    return status_.ok();
  }

  Status Finish() {
    if (status_.ok() && !line_.empty()) Line(line_);
    if (!status_.ok()) return status_;
    if (!header_) return Refused("it is no journal");
    if (!(absolute_ ? absolute_(journal_.folder) : IsAbsoluteStatePath(journal_.folder))) {
      return Refused("its folder '" + journal_.folder + "' is not an absolute path");
    }
    for (std::size_t i = tried_; i < journal_.entries.size(); ++i) {
      journal_.entries[i].made = JournalEntry::Made::kNo;
    }
    return Status::Ok();
  }

 private:
  void Line(std::string_view line) {
    // A name never holds a raw CR (control characters are escaped): one at the end is a line end
    // of a journal that passed through a Windows text editor.
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (!header_) {
      header_ = line == kHeader;
      if (!header_) status_ = Refused("it is no journal");
      return;
    }
    const std::size_t blank = line.find(' ');
    const std::string_view word = line.substr(0, blank);
    const std::string_view rest = blank == std::string_view::npos ? "" : line.substr(blank + 1);
    if (word == "folder") {
      journal_.folder = Unescaped(rest);
    } else if (word == "from") {
      journal_.origin = rest == "window"         ? Journal::Origin::kWindow
                        : rest == "command-line" ? Journal::Origin::kCommandLine
                                                 : Journal::Origin::kUnknown;
    } else if (word == "begun") {
      journal_.begun = NumberOf<std::int64_t>(rest).value_or(0);
    } else if (word == "rename") {
      const std::size_t tab = rest.find('\t');
      if (tab == std::string_view::npos) return;
      if (journal_.entries.size() == kMaxJournalRenames) {
        status_ = Refused("it records more renames than a journal holds");
        return;
      }
      journal_.entries.push_back(
          JournalEntry{Unescaped(rest.substr(0, tab)), Unescaped(rest.substr(tab + 1))});
    } else if (word == "made") {
      const std::size_t gap = rest.find(' ');
      const std::optional<std::size_t> first = NumberOf<std::size_t>(rest.substr(0, gap));
      if (!first || gap == std::string_view::npos || *first >= journal_.entries.size()) return;
      const std::string_view bits = rest.substr(gap + 1);
      const std::size_t count = std::min(bits.size(), journal_.entries.size() - *first);
      for (std::size_t i = 0; i < count; ++i) {
        journal_.entries[*first + i].made =
            bits[i] == '1' ? JournalEntry::Made::kYes : JournalEntry::Made::kNo;
      }
    } else if (word == "tried") {
      tried_ = NumberOf<std::size_t>(rest).value_or(tried_);
    } else if (word == "undone") {
      journal_.undone = true;
    }
  }

  Journal& journal_;
  const AbsolutePathRule& absolute_;
  Status status_;
  std::string line_;  // the start of a line whose end is still to come
  bool header_ = false;
  std::size_t tried_ = std::string::npos;
};

// Where a journal file stands among the others: numbered ones after those named by their time.
struct Place {
  bool numbered = false;
  std::uint64_t number = 0;
  std::string name;
  friend bool operator<(const Place& a, const Place& b) {
    if (a.numbered != b.numbered) return b.numbered;
    return a.numbered ? a.number < b.number : a.name < b.name;
  }
};

Place PlaceOf(const std::string& file_name) {
  Place place{false, 0, file_name};
  const std::string_view stem =
      std::string_view(file_name).substr(0, file_name.size() - (sizeof kSuffix - 1));
  if (stem.size() == kNumberDigits + 1 && stem[0] == kNumbered) {
    if (const auto number = NumberOf<std::uint64_t>(stem.substr(1))) {
      place.numbered = true;
      place.number = *number;
    }
  }
  return place;
}

std::string NumberedName(std::uint64_t number) {
  std::string digits = std::to_string(number);
  digits.insert(0, kNumberDigits - std::min(kNumberDigits, digits.size()), '0');
  return kNumbered + digits + kSuffix;
}

// The journal files of `folder`, oldest first.
std::vector<std::pair<Place, stdfs::path>> JournalFiles(const std::string& folder) {
  std::vector<std::pair<Place, stdfs::path>> files;
  std::error_code error;
  for (stdfs::directory_iterator it(PathOf(folder), error), end; !error && it != end;
       it.increment(error)) {
    const stdfs::path& path = it->path();
    if (path.extension() == kSuffix) files.emplace_back(PlaceOf(Utf8Of(path.filename())), path);
  }
  std::sort(files.begin(), files.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  return files;
}

// The time an older journal's name begins with: microseconds since 1970, in 20 digits.
std::int64_t TimeInName(const std::string& path) {
  const std::string name = Utf8Of(PathOf(path).filename());
  const auto micros = NumberOf<std::int64_t>(std::string_view(name).substr(0, 20));
  return micros && name.size() > 20 && name[20] == '-' ? *micros / 1000000 : 0;
}

}  // namespace

std::size_t Journal::ToTakeBack() const {
  return static_cast<std::size_t>(std::count_if(entries.begin(), entries.end(), [](const auto& e) {
    return e.made != JournalEntry::Made::kNo;
  }));
}

Status ReadJournalText(std::string_view text, Journal* journal, const AbsolutePathRule& absolute) {
  *journal = Journal{};
  Reader reader(journal, absolute);
  reader.Feed(text);
  return reader.Finish();
}

void JournalWriter::Made(std::size_t index, bool made) {
  if (!out_.is_open()) return;
  pending_.append(index - std::min(index, first_pending_ + pending_.size()), '0');
  pending_.push_back(made ? '1' : '0');
  if (pending_.size() >= kNotesPerWrite) Flush();
}

void JournalWriter::Flush() {
  if (pending_.empty()) return;
  out_ << "made " << first_pending_ << ' ' << pending_ << '\n';
  out_.flush();  // to the system: what a killed process wrote stays written
  first_pending_ += pending_.size();
  pending_.clear();
}

void JournalWriter::Close() {
  if (!out_.is_open()) return;
  Flush();
  out_ << "tried " << first_pending_ << '\n';
  out_.close();
}

JournalFolder JournalFolder::Unavailable(std::string reason) {
  JournalFolder none("");
  none.unavailable_ = std::move(reason);
  return none;
}

JournalFolder UserJournalFolder() {
  std::string folder;
  const Status found = StateFolder(&folder);
  return found.ok() ? JournalFolder(folder) : JournalFolder::Unavailable(found.message());
}

Status JournalFolder::Begin(const std::string& batch_folder, Journal::Origin origin,
                            const NextRename& next, JournalWriter* writer) {
  if (!unavailable_.empty()) return Refused(unavailable_);
  std::error_code error;
  stdfs::create_directories(PathOf(folder_), error);
  if (error) return Failed("cannot make the journal folder '" + folder_ + "'", error);
  // One past the newest number, and past any a batch that began meanwhile took.
  const auto files = JournalFiles(folder_);
  std::uint64_t number =
      files.empty() || !files.back().first.numbered ? 1 : files.back().first.number + 1;
  std::string path;
  for (int attempt = 0;; ++attempt, ++number) {
    if (number >= 10'000'000'000'000'000'000ULL) {
      return Refused("the journal folder '" + folder_ + "' has no number left for a journal");
    }
    path = Utf8Of(PathOf(folder_) / PathOf(NumberedName(number)));
    const Status made = CreateStateFile(path);
    if (made.ok()) break;
    if (made.code() != Status::Code::kAlreadyExists || attempt == 1000) return made;
  }

  // Written in pieces of a fixed size: a batch of 100,000 renames does not hold its journal twice.
  writer->out_.open(PathOf(path), std::ios::binary | std::ios::trunc);
  std::string text = std::string(kHeader) + "\nfolder ";
  AppendEscaped(text, batch_folder);
  text += origin == Journal::Origin::kWindow ? "\nfrom window" : "\nfrom command-line";
  text += "\nbegun " + std::to_string(std::chrono::duration_cast<std::chrono::seconds>(
                                          std::chrono::system_clock::now().time_since_epoch())
                                          .count());
  text += '\n';
  text.reserve(kPieceSize + 1024);
  const auto write = [&] {
    writer->out_.write(text.data(), static_cast<std::streamsize>(text.size()));
    text.clear();
  };
  std::string_view old_name;
  std::string_view new_name;
  std::size_t renames = 0;
  while (next(&old_name, &new_name) && ++renames <= kMaxJournalRenames) {
    text += "rename ";
    AppendEscaped(text, old_name);
    text += '\t';
    AppendEscaped(text, new_name);
    text += '\n';
    if (text.size() >= kPieceSize) write();
  }
  write();
  writer->out_.flush();
  if (!writer->out_ || renames > kMaxJournalRenames) {
    writer->out_.close();
    stdfs::remove(PathOf(path), error);
    if (renames > kMaxJournalRenames) {
      return Refused("a journal records at most " + std::to_string(kMaxJournalRenames) +
                     " renames");
    }
    return Refused("cannot write the journal in '" + folder_ + "'");
  }
  writer->path_ = path;
  writer->first_pending_ = 0;
  writer->pending_.clear();

  const auto kept = JournalFiles(folder_);
  for (std::size_t i = 0; i + kKept < kept.size(); ++i) stdfs::remove(kept[i].second, error);
  return Status::Ok();
}

std::vector<std::string> JournalFolder::Files() const {
  std::vector<std::string> paths;
  if (!unavailable_.empty()) return paths;
  const auto files = JournalFiles(folder_);
  for (auto it = files.rbegin(); it != files.rend(); ++it) paths.push_back(Utf8Of(it->second));
  return paths;
}

Status JournalFolder::Read(const std::string& path, Journal* journal) const {
  Reader reader(journal, absolute_);
  *journal = Journal{};
  const Status read = ReadStateFile(
      path, kMaxJournalBytes, [&reader](std::string_view piece) { return reader.Feed(piece); });
  Status finished = reader.Finish();
  if (read.ok() && !finished.ok()) finished = Refused("'" + path + "': " + finished.message());
  journal->path = path;
  if (journal->begun == 0) journal->begun = TimeInName(path);
  return read.ok() ? finished : read;
}

Status JournalFolder::Newest(Journal* journal) const {
  for (const std::string& path : Files()) {
    if (Read(path, journal).ok() && !journal->undone && journal->ToTakeBack() > 0) {
      return Status::Ok();
    }
  }
  return Status::Error(Status::Code::kNotFound, "Nothing to undo.");
}

Status JournalFolder::MarkUndone(const Journal& journal) const {
  return AppendStateFile(journal.path, "undone\n");
}

Status JournalFolder::MarkNotMade(const Journal& journal,
                                  const std::vector<std::size_t>& indexes) const {
  std::string text;
  for (const std::size_t i : indexes) text += "made " + std::to_string(i) + " 0\n";
  if (text.empty()) return Status::Ok();
  return AppendStateFile(journal.path, text);
}

}  // namespace kestro
