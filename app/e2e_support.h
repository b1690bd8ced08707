// Running the built kestro as a user would, each platform its own way: a home of its own for the
// runs of one test (the program's settings and journal kept out of the user's way), the program
// started with its words as a shell or a script passes them, and what it left behind: its exit
// status, its settings and journal.
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

// Whether kestro can be started with no display (Linux); on Windows there is always one, and a
// call without arguments opens the main window.
extern const bool kRunsWithoutDisplay;

// How lines of text end on standard output and error: "\n"; "\r\n" on Windows, as text there does.
extern const char kLineEnd[];

// How many files the batch that a test kills half-way renames: enough that it still runs when the
// test sees the twentieth part of them renamed (Wine renames more slowly).
extern const int kFilesOfAKilledBatch;

// A fresh empty folder, removed with all it holds at the end; the program's settings and journal
// are the test's meanwhile. On Linux the folder is also the program's home, configuration and
// state; on Windows, where they live in the registry and the local application data folder, the
// user's own LastDir, Splash and journal are put aside until the end. On Windows the folder is on
// the drive KESTRO_E2E_DRIVE names, when it names one.
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

// Gives the entry at `path` the mark that hides it (Linux: a name beginning with "." is enough).
void Hide(const fs::path& path);

// kestro started in `cwd` with `arguments`, standard input empty, standard output and error going
// to the files "out" and "err" in the home's folder.
class KestroRun {
 public:
  KestroRun(const Words& arguments, const fs::path& cwd, const ProgramHome& home);
  ~KestroRun();  // ends it if it still runs
  KestroRun(const KestroRun&) = delete;
  KestroRun& operator=(const KestroRun&) = delete;

  // Waits for its end and gives its exit status. One still running after 30 seconds is stopped
  // (status 124): the command line never waits for anyone.
  int Wait();
  // Ends it at once: nothing of it runs afterwards.
  void Kill();

 private:
  std::intptr_t process_ = 0;  // a process id, or a process handle; 0 once it has ended
};

}  // namespace kestro::e2e
