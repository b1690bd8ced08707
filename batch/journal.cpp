// The journal's files: "kestro journal 1", the folder, a line per rename about to be tried, then
// notes of what was made ("made FIRST BITS", a 1 or 0 per rename from FIRST on), how far the batch
// came ("tried N") and, once taken back, "undone"; an undo stopped before its end notes each rename
// it took back as not made ("made N 0") instead. Names are written with a backslash, a tab and
// every control character escaped, so a name can never break a line.
#include "batch/journal.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <random>
#include <sstream>
#include <system_error>

namespace kestro {
namespace {

namespace stdfs = std::filesystem;

constexpr char kHeader[] = "kestro journal 1";
constexpr char kSuffix[] = ".journal";
constexpr std::size_t kKept = 10;
constexpr std::size_t kNotesPerWrite = 4096;
constexpr std::size_t kPieceSize = 64 * 1024;

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

std::string Unescaped(const std::string& text) {
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

Status Failed(const std::string& what, const std::error_code& error) {
  return Status::Error(Status::Code::kIoError, what + ": " + error.message());
}

// The journal files of `folder`, oldest first (their names begin with the time they were begun).
std::vector<stdfs::path> JournalFiles(const std::string& folder) {
  std::vector<stdfs::path> files;
  std::error_code error;
  for (const auto& entry : stdfs::directory_iterator(PathOf(folder), error)) {
    if (entry.path().extension() == kSuffix) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

Status Read(const stdfs::path& path, Journal* journal) {
  std::ifstream in(path, std::ios::binary);
  std::string line;
  if (!std::getline(in, line) || line != kHeader) {
    return Status::Error(Status::Code::kIoError, "'" + Utf8Of(path) + "' is no journal");
  }
  *journal = Journal{Utf8Of(path), {}, {}, false};
  std::size_t tried = std::string::npos;
  while (std::getline(in, line)) {
    const std::size_t blank = line.find(' ');
    const std::string word = line.substr(0, blank);
    const std::string rest = blank == std::string::npos ? "" : line.substr(blank + 1);
    if (word == "folder") {
      journal->folder = Unescaped(rest);
    } else if (word == "rename") {
      const std::size_t tab = rest.find('\t');
      if (tab == std::string::npos) continue;
      journal->entries.push_back(
          JournalEntry{Unescaped(rest.substr(0, tab)), Unescaped(rest.substr(tab + 1))});
    } else if (word == "made") {
      std::istringstream fields(rest);
      std::size_t first = 0;
      std::string bits;
      fields >> first >> bits;
      for (std::size_t i = 0; i < bits.size() && first + i < journal->entries.size(); ++i) {
        journal->entries[first + i].made =
            bits[i] == '1' ? JournalEntry::Made::kYes : JournalEntry::Made::kNo;
      }
    } else if (word == "tried") {
      std::istringstream(rest) >> tried;
    } else if (word == "undone") {
      journal->undone = true;
    }
  }
  for (std::size_t i = tried; i < journal->entries.size(); ++i) {
    journal->entries[i].made = JournalEntry::Made::kNo;
  }
  return Status::Ok();
}

Status Append(const Journal& journal, const std::string& text) {
  std::ofstream out(PathOf(journal.path), std::ios::binary | std::ios::app);
  out << text;
  out.flush();
  if (!out) return Status::Error(Status::Code::kIoError, "cannot mark '" + journal.path + "'");
  return Status::Ok();
}

}  // namespace

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

Status JournalFolder::Begin(const std::string& batch_folder, const NextRename& next,
                            JournalWriter* writer) {
  std::error_code error;
  stdfs::create_directories(PathOf(folder_), error);
  if (error) return Failed("cannot make the journal folder '" + folder_ + "'", error);
  // The time it was begun, to the microsecond, then a random part: names sort by age.
  const auto now = std::chrono::duration_cast<std::chrono::microseconds>(
                       std::chrono::system_clock::now().time_since_epoch())
                       .count();
  std::string name = std::to_string(now);
  name.insert(0, 20 - std::min<std::size_t>(20, name.size()), '0');
  name += "-" + std::to_string(std::random_device()() % 1000000) + kSuffix;
  const stdfs::path path = PathOf(folder_) / PathOf(name);

  // Written in pieces of a fixed size: a batch of 100,000 renames does not hold its journal twice.
  writer->out_.open(path, std::ios::binary | std::ios::trunc);
  std::string text = std::string(kHeader) + "\nfolder ";
  AppendEscaped(text, batch_folder);
  text += '\n';
  text.reserve(kPieceSize + 1024);
  const auto write = [&] {
    writer->out_.write(text.data(), static_cast<std::streamsize>(text.size()));
    text.clear();
  };
  std::string_view old_name;
  std::string_view new_name;
  while (next(&old_name, &new_name)) {
    text += "rename ";
    AppendEscaped(text, old_name);
    text += '\t';
    AppendEscaped(text, new_name);
    text += '\n';
    if (text.size() >= kPieceSize) write();
  }
  write();
  writer->out_.flush();
  if (!writer->out_) {
    writer->out_.close();
    stdfs::remove(path, error);
    return Status::Error(Status::Code::kIoError, "cannot write the journal in '" + folder_ + "'");
  }
  writer->first_pending_ = 0;
  writer->pending_.clear();

  const std::vector<stdfs::path> files = JournalFiles(folder_);
  for (std::size_t i = 0; i + kKept < files.size(); ++i) stdfs::remove(files[i], error);
  return Status::Ok();
}

Status JournalFolder::Newest(Journal* journal) const {
  const std::vector<stdfs::path> files = JournalFiles(folder_);
  for (auto it = files.rbegin(); it != files.rend(); ++it) {
    if (Read(*it, journal).ok() && !journal->undone) return Status::Ok();
  }
  return Status::Error(Status::Code::kNotFound, "Nothing to undo.");
}

Status JournalFolder::MarkUndone(const Journal& journal) const {
  return Append(journal, "undone\n");
}

Status JournalFolder::MarkNotMade(const Journal& journal,
                                  const std::vector<std::size_t>& indexes) const {
  std::string text;
  for (const std::size_t i : indexes) text += "made " + std::to_string(i) + " 0\n";
  return Append(journal, text);
}

}  // namespace kestro
