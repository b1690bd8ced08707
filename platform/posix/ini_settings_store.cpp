// IniSettingsStore, IniEscaped and IniUnescaped.
#include "platform/posix/ini_settings_store.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "platform/errno_status.h"

namespace kestro {
namespace {

// The value of hex digit `c`; -1 for any other character.
int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsHexDigit(char c) { return HexValue(c) >= 0; }

// The lines of `text`, without their line ends.
std::vector<std::string> LinesOf(std::string_view text) {
  std::vector<std::string> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string line(text.substr(0, end));
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
  }
  return lines;
}

// Reads the settings file `path` (through a link) into `lines`; a file that is not there has none.
// Anything but a regular file is refused, and opened without blocking, so a pipe or a device in
// its place never stalls the program.
Status ReadLines(const std::string& path, std::vector<std::string>* lines) {
  lines->clear();
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    if (errno == ENOENT) return Status::Ok();
    return StatusFromErrno(errno, "cannot read '" + path + "'");
  }
  struct stat st {};
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    close(fd);
    return Status::Error(Status::Code::kIoError, "'" + path + "' is not a regular file");
  }
  std::string text;
  char buffer[4096];
  for (;;) {
    const ssize_t got = read(fd, buffer, sizeof buffer);
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      const int error_number = errno;
      close(fd);
      return StatusFromErrno(error_number, "cannot read '" + path + "'");
    }
    text.append(buffer, static_cast<std::size_t>(got));
  }
  close(fd);
  *lines = LinesOf(text);
  return Status::Ok();
}

// Writes `lines` in place of the file `path` names: under a temporary name beside it, with the
// file's mode (0666 less the umask for a new one), then renamed onto it, so a reader never sees
// half a file. A link is written through: its target gets the lines, and the link stays.
Status WriteLines(const std::string& path, const std::vector<std::string>& lines) {
  std::string target = path;
  struct stat st {};
  if (lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
    char* const real = realpath(path.c_str(), nullptr);
    if (real == nullptr) return StatusFromErrno(errno, "cannot follow '" + path + "'");
    target = real;
    std::free(real);
  }
  const bool exists = stat(target.c_str(), &st) == 0;
  std::error_code error;
  std::filesystem::create_directories(std::filesystem::path(target).parent_path(), error);
  const std::string temporary = target + ".kestro-" + std::to_string(getpid());
  const int fd =
      open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (fd < 0) return StatusFromErrno(errno, "cannot write '" + temporary + "'");
  std::string text;
  for (const std::string& line : lines) text += line + '\n';
  int error_number = 0;
  if (exists && fchmod(fd, st.st_mode & 07777) != 0) error_number = errno;
  for (std::size_t done = 0; error_number == 0 && done < text.size();) {
    const ssize_t wrote = write(fd, text.data() + done, text.size() - done);
    if (wrote < 0 && errno != EINTR) error_number = errno;
    if (wrote > 0) done += static_cast<std::size_t>(wrote);
  }
  if (close(fd) != 0 && error_number == 0) error_number = errno;
  if (error_number == 0 && rename(temporary.c_str(), target.c_str()) != 0) error_number = errno;
  if (error_number == 0) return Status::Ok();
  unlink(temporary.c_str());
  return StatusFromErrno(error_number, "cannot write '" + target + "'");
}

// "key" of a line "key=value" (blanks around it dropped); empty for other lines.
std::string_view KeyOfLine(std::string_view line) {
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return {};
  std::string_view key = line.substr(0, equals);
  while (!key.empty() && key.back() == ' ') key.remove_suffix(1);
  while (!key.empty() && key.front() == ' ') key.remove_prefix(1);
  return key;
}

bool IsGroup(std::string_view line) { return line.size() >= 2 && line.front() == '['; }

}  // namespace

std::string IniEscaped(std::string_view value) {
  std::string text;
  bool quotes = false;
  bool escape_hex_digit = false;  // after \xN a hex digit would be read as part of it
  // A leading "@" marks a typed value to QSettings; a plain text doubles it.
  if (!value.empty() && value.front() == '@') text += '@';
  for (const char c : value) {
    if (c == ';' || c == ',' || c == '=') quotes = true;
    if (escape_hex_digit && IsHexDigit(c)) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%x", static_cast<unsigned char>(c));
      text += hex;
      continue;
    }
    escape_hex_digit = false;
    switch (c) {
      case '\0':
        text += "\\0";
        escape_hex_digit = true;
        break;
      case '\a':
        text += "\\a";
        break;
      case '\b':
        text += "\\b";
        break;
      case '\f':
        text += "\\f";
        break;
      case '\n':
        text += "\\n";
        break;
      case '\r':
        text += "\\r";
        break;
      case '\t':
        text += "\\t";
        break;
      case '\v':
        text += "\\v";
        break;
      case '"':
      case '\\':
        text += '\\';
        text += c;
        break;
      default:
        if (static_cast<unsigned char>(c) <= 0x1f) {
          char hex[8];
          std::snprintf(hex, sizeof hex, "\\x%x", static_cast<unsigned char>(c));
          text += hex;
          escape_hex_digit = true;
        } else {
          text += c;
        }
    }
  }
  if (quotes || (!text.empty() && (text.front() == ' ' || text.back() == ' '))) {
    text = '"' + text + '"';
  }
  return text;
}

std::string IniUnescaped(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  std::string value;
  bool quoted = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '"') {
      quoted = !quoted;
      continue;
    }
    if (c != '\\' || i + 1 == text.size()) {
      value += c;
      continue;
    }
    const char e = text[++i];
    switch (e) {
      case '0':
        value += '\0';
        break;
      case 'a':
        value += '\a';
        break;
      case 'b':
        value += '\b';
        break;
      case 'f':
        value += '\f';
        break;
      case 'n':
        value += '\n';
        break;
      case 'r':
        value += '\r';
        break;
      case 't':
        value += '\t';
        break;
      case 'v':
        value += '\v';
        break;
      case 'x': {
        unsigned code = 0;
        while (i + 1 < text.size() && IsHexDigit(text[i + 1])) {
          code = code * 16 + static_cast<unsigned>(HexValue(text[++i]));
        }
        value += static_cast<char>(code);
        break;
      }
      default:
        value += e;
    }
  }
  if (value.starts_with("@@")) value.erase(0, 1);
  return value;
}

IniSettingsStore::IniSettingsStore(std::string config_folder)
    : config_folder_(std::move(config_folder)) {
  if (!config_folder_.empty()) return;
  const char* config = std::getenv("XDG_CONFIG_HOME");
  const char* home = std::getenv("HOME");
  if (config != nullptr && config[0] == '/') {
    config_folder_ = config;
  } else if (home != nullptr && home[0] == '/') {
    config_folder_ = std::string(home) + "/.config";
  }
}

std::string IniSettingsStore::FileOf(std::string_view application, std::string_view section) const {
  return config_folder_ + "/" + std::string(application) + "/" + std::string(section) + ".conf";
}

std::string IniSettingsStore::Get(std::string_view application, std::string_view section,
                                  std::string_view key, std::string_view default_value) {
  if (config_folder_.empty()) return std::string(default_value);
  const std::string group = "[" + std::string(section) + "]";
  bool in_group = false;
  std::vector<std::string> lines;
  Note(ReadLines(FileOf(application, section), &lines));
  for (const std::string& line : lines) {
    if (IsGroup(line)) {
      in_group = line == group;
    } else if (in_group && KeyOfLine(line) == key) {
      return IniUnescaped(std::string_view(line).substr(line.find('=') + 1));
    }
  }
  return std::string(default_value);
}

void IniSettingsStore::Set(std::string_view application, std::string_view section,
                           std::string_view key, std::string_view value) {
  if (config_folder_.empty()) return;
  const std::string path = FileOf(application, section);
  const std::string group = "[" + std::string(section) + "]";
  const std::string entry = std::string(key) + "=" + IniEscaped(value);
  std::vector<std::string> lines;
  // A file that cannot be read is never written: its other lines would be lost.
  if (!Note(ReadLines(path, &lines))) return;
  // The key's line in its group is replaced; a group without it gets it at its end; a file
  // without the group gets it before its first group, as QSettings writes it.
  std::size_t group_at = lines.size();
  std::size_t end = lines.size();
  bool set = false;
  for (std::size_t i = 0; i < lines.size() && !set; ++i) {
    if (IsGroup(lines[i])) {
      if (group_at != lines.size()) {
        end = i;
        break;
      }
      if (lines[i] == group) group_at = i;
    } else if (group_at != lines.size() && KeyOfLine(lines[i]) == key) {
      lines[i] = entry;
      set = true;
    }
  }
  if (!set && group_at != lines.size()) {
    while (end > group_at + 1 && lines[end - 1].empty()) --end;  // before the blank line
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(end), entry);
  } else if (!set) {
    // Before the first group, not at the top: lines above every group (QSettings' [General])
    // must not fall into the new one.
    std::size_t at = 0;
    while (at < lines.size() && !IsGroup(lines[at])) ++at;
    std::vector<std::string> head = {group, entry};
    if (at < lines.size()) {
      head.emplace_back();
    } else if (at > 0 && !lines.back().empty()) {
      head.insert(head.begin(), std::string());
    }
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), head.begin(), head.end());
  }
  Note(WriteLines(path, lines));
}

bool IniSettingsStore::Note(Status status) {
  const bool ok = status.ok();
  if (!ok && write_status_.ok()) write_status_ = std::move(status);
  return ok;
}

}  // namespace kestro
