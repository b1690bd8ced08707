// Running the built kestro as a user would, each platform its own way: a home of its own for a
// test (the program's settings and journal kept out of the user's way), and the program started
// with its words as a shell or a script passes them.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kestro::e2e {

namespace fs = std::filesystem;
using Words = std::vector<std::string>;

// Linux: true; on Windows there is always a display, and no arguments open the main window.
extern const bool kRunsWithoutDisplay;
// Windows: true; the program is handed one line, which it splits into words by the quote rule.
// Linux: false; each argument is one word as it stands, and a name may hold a double quote.
extern const bool kWordsAsOneLine;
// How lines end on standard output and error: "\n"; "\r\n" on Windows, as text there does.
extern const char kLineEnd[];
// Files of the batch a test kills when a twentieth is renamed (Wine renames more slowly).
extern const int kFilesOfAKilledBatch;

// A fresh empty folder, removed at the end; the program's settings and journal are the test's
// meanwhile: on Linux the folder is the program's home, configuration and state; on Windows the
// user's own LastDir, Splash and journal are put aside until the end, and the folder is on the
// drive KESTRO_E2E_DRIVE names, if any.
class ProgramHome {
 public:
  ProgramHome();
  ~ProgramHome();
  ProgramHome(const ProgramHome&) = delete;
  ProgramHome& operator=(const ProgramHome&) = delete;

  [[nodiscard]] const fs::path& folder() const { return folder_; }
  // The setting `key` as the program stored it; no value when there is none.
  [[nodiscard]] std::optional<std::string> Setting(const std::string& key) const;
  [[nodiscard]] bool JournalWritten() const;

 private:
  struct Saved;  // what was put aside
  fs::path folder_;
  std::unique_ptr<Saved> saved_;
};

// Hides the entry at `path` (on Linux its name beginning with "." is enough).
void Hide(const fs::path& path);

// A command line as a user types it after the program's name, blanks at the end included.
struct TypedLine {
  std::string text;
};

// Where a run's standard output and error go: the files "out" and "err" in the home's folder, or
// both into a pipe whose reading end is closed before the program starts (a reader that is gone).
enum class Output { kFiles, kClosedPipe };

// kestro started in `cwd` with `arguments`, standard input empty, standard output and error going
// where `output` says. On Windows the arguments are joined into the program's line by
// JoinArguments, which gives them back as they are if none holds a quote.
class KestroRun {
 public:
  KestroRun(const Words& arguments, const fs::path& cwd, const ProgramHome& home,
            Output output = Output::kFiles);
  // Windows: the line after the program's quoted name and one blank, exactly as given; Linux: as
  // the shell (/bin/sh) reads it.
  KestroRun(const TypedLine& line, const fs::path& cwd, const ProgramHome& home);
  ~KestroRun() { Kill(); }
  KestroRun(const KestroRun&) = delete;
  KestroRun& operator=(const KestroRun&) = delete;

  // Its exit status; one still running after 30 seconds is stopped (124): it must never wait.
  int Wait();
  void Kill();  // at once: nothing of it runs afterwards

 private:
  std::intptr_t process_ = 0;  // a process id or handle; 0 once it has ended
};

}  // namespace kestro::e2e
