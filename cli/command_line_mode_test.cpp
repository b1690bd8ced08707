#include "cli/command_line_mode.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <sstream>
#include <string>

#include "batch/batch_renamer.h"
#include "batch/pickers.h"
#include "batch/recording_ui_host.h"
#include "cli/stream_ui_host.h"
#include "engine/command_args.h"
#include "platform/clock.h"
#include "platform/errno_status.h"
#include "platform/memory_file_system.h"
#include "platform/settings_store.h"
#include "platform/test_photos.h"

namespace kestro {
namespace {

// One command line over a fresh program and folder tree: what was renamed, the exit status, the
// error lines ("{ENOENT}" and "{EACCES}" stand for the system's texts), what was asked of the
// window (each message as "text [title icon]", icon "!" exclamation, "x" critical; "unload"), and
// LastDir afterwards.
struct Case {
  const char* text;     // the words, split from it by the quote rule
  const char* renamed;  // "old>new" per rename done, in batch order
  int status;
  const char* errors = "";
  const char* messages = "";
  const char* last_dir = "/home/u/Photos";
};

TEST(CommandLineModeTest, FromTheWordsToTheExitStatus) {
  const Case cases[] = {
      {"/home/u/Photos -F *.doc -C upper", "a.doc>A.DOC", kExitDone},
      {"/home/u/Photos -F *.doc -CE upper", "a.doc>a.DOC", kExitDone},  // the extension alone
      {"/home/u/Photos -d -SL 2", "img2>g2 img10>g10", kExitDone},      // the target in any case
      {"/home/u/Photos -D -ND", "img2>2 - img2 img10>1 - img10", kExitDone},
      {"\"/home/u/My Photos\" -F *.doc -C lower", "Mixed.DOC>mixed.doc", kExitDone, "", "",
       "/home/u/My Photos"},
      {"Photos/ -F *.doc -C upper", "a.doc>A.DOC", kExitDone},  // relative to the working folder
      {"/home/u/Photos -F *.pdf -C upper", "", kExitDone},      // nothing to rename
      {"/home/u/Photos -F *.txt -C upper", "", kExitEntriesKept,
       "kestro: cannot rename 'b.txt' to 'B.TXT': a file of that name exists\n"},
      {"/home/u/Photos -F *.doc -NA -L 12", "", kExitEntriesKept, "",
       "You have entered erraneous values! [Error! x]"},
      // A wrong command line: help. Word 1 naming a folder is still remembered.
      // One line says what is wrong, unless a message of the batch said it.
      {"/home/u/Photos  -F *.doc -C upper", "", kExitWrongCommand,  // every word one further on
       "kestro: missing switch after the folder: -D, or -F <filemask>\n"},
      {"Photos", "", kExitWrongCommand,
       "kestro: missing switch after the folder: -D, or -F <filemask>\n", "unload"},
      {"/home/u/Photos -X *.doc -C upper", "a.doc>A.DOC", kExitWrongCommand,  // mask is word 3
       "kestro: unknown switch '-X'\n"},
      {"/home/u/Photos -F *.doc -C x", "", kExitWrongCommand,
       "kestro: -C takes upper, lower or sentence, not 'x'\n", "unload"},
      {"\"/home/u/My Photos\" -D -Q", "", kExitWrongCommand, "kestro: unknown switch '-Q'\n",
       "unload", "/home/u/My Photos"},
      {"/home/u/Photos -F *.doc -NA -X", "", kExitWrongCommand, "",
       "Wrong Commands! [Kestrovane]unload"},
      // Word 1 names no folder: nothing is renamed anywhere, LastDir stays. A help request gets
      // the help alone.
      {"/?", "", kExitWrongCommand, "", "", "/home/u/Other"},
      {"Missing", "", kExitWrongCommand,
       "kestro: cannot use folder 'Missing': cannot open folder '/home/u/Missing': {ENOENT}\n", "",
       "/home/u/Other"},
      {"/home/u/Missing -F *.doc -C upper", "", kExitWrongCommand,
       "kestro: cannot use folder '/home/u/Missing': cannot open folder '/home/u/Missing': "
       "{ENOENT}\n",
       "", "/home/u/Other"},
      // A folder that cannot be listed is said so, and is no success.
      {"/home/u/Locked -F *.doc -C upper", "", kExitEntriesKept,
       "kestro: cannot list folder '/home/u/Locked': {EACCES}\n", "", "/home/u/Locked"},
      {"/home/u/Locked -D -C upper", "", kExitEntriesKept,
       "kestro: cannot list folder '/home/u/Locked': {EACCES}\n", "", "/home/u/Locked"},
      // Control characters in a report line are written out, so an entry stays on one line.
      {"/home/u/Odd -F *.doc -C upper", "", kExitEntriesKept,
       "kestro: cannot rename 'a\\tb.doc' to 'A\\tB.DOC': a file of that name exists\n", "",
       "/home/u/Odd"},
      // The entry's own dates: an entry without one keeps its name, as does the second of two
      // with the same date; directories have no date taken. Numbering may count by date.
      {"/home/u/Shots -F * -L $TAKEN$EXT", "b.JPG>20240501_090807.JPG c.jpg>20240502_000000.jpg",
       kExitEntriesKept,
       "kestro: cannot rename 'a.txt': it holds no date taken\n"
       "kestro: cannot rename 'd.jpg' to '20240502_000000.jpg': a file of that name exists\n",
       "", "/home/u/Shots"},
      {"/home/u/Shots -F *.jpg -L $MODIFIED", "b.JPG>20000101_000000 c.jpg>20250704_010203",
       kExitEntriesKept,
       "kestro: cannot rename 'd.jpg' to '20000101_000000': a file of that name exists\n", "",
       "/home/u/Shots"},
      {"/home/u/Shots -F * -NAT", "b.JPG>1 - b.JPG c.jpg>2 - c.jpg d.jpg>3 - d.jpg",
       kExitEntriesKept, "kestro: cannot rename 'a.txt': it holds no date taken\n", "",
       "/home/u/Shots"},
      {"/home/u/Photos -D -L $TAKEN", "", kExitEntriesKept,
       "kestro: cannot rename 'img2': it holds no date taken\n"
       "kestro: cannot rename 'img10': it holds no date taken\n"},
      {"\"\" -F *.doc -C upper", "", kExitWrongCommand,
       "kestro: cannot use folder '': no folder given\n", "", "/home/u/Other"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    MemoryFileSystem fs;
    for (const char* name : {"a.doc", "b.txt", "B.TXT", ".h.doc"})
      fs.AddFile("/home/u/Photos", name);
    for (const char* name : {"img10", "img2", ".git"}) fs.AddDirectory("/home/u/Photos", name);
    fs.AddFile("/home/u/My Photos", "Mixed.DOC");
    fs.AddFile("/home/u/Other", "c.doc");
    fs.AddFile("/home/u/Locked", "e.doc");
    fs.AddDirectory("/home/u/Locked", "sub");
    fs.MakeUnreadable("/home/u/Locked");
    for (const char* name : {"a\tb.doc", "A\tB.DOC"}) fs.AddFile("/home/u/Odd", name);
    fs.AddFile("/home/u", "d.doc");
    fs.AddFile("/home/u/Shots", "a.txt", "2024:05:01 09:08:07");
    fs.AddFile("/home/u/Shots", "b.JPG", testing::JpegTakenAt("2024:05:01 09:08:07"));
    fs.AddFile("/home/u/Shots", "c.jpg", testing::JpegTakenAt("", "2024:05:02 00:00:00"));
    fs.AddFile("/home/u/Shots", "d.jpg", testing::JpegTakenAt("2024:05:02 00:00:00"));
    fs.SetModifiedTime("/home/u/Shots", "c.jpg", {{2025, 7, 4}, 1, 2, 3});
    fs.SetWorkingFolder("/home/u");
    MemorySettingsStore settings;
    settings.Set(kSettingsApplication, kSettingsSection, kLastDirKey, "/home/u/Other");
    WindowState state;
    state.dirs_folder = state.files_folder = "/home/u/Other";  // the lists' last folder
    RecordingUiHost ui;
    const FixedClock clock({2026, 12, 4});
    BatchRenamer batch(state, fs, clock, ui);
    const CommandLineRun run =
        CommandLineMode(state, batch, fs, settings).Run(SplitArgumentText(c.text));

    std::string renamed;
    for (const auto& call : fs.rename_calls()) {
      if (call.result.ok())
        renamed += (renamed.empty() ? "" : " ") + call.old_name + ">" + call.new_name;
    }
    EXPECT_EQ(renamed, c.renamed);
    EXPECT_EQ(ExitStatus(run), c.status);
    std::ostringstream errors;
    WriteErrorLines(run, errors);
    std::string expected_errors = c.errors;
    for (const auto& [code, error_number] : {std::pair{"{ENOENT}", ENOENT}, {"{EACCES}", EACCES}}) {
      if (const auto at = expected_errors.find(code); at != std::string::npos)
        expected_errors.replace(at, 8, std::strerror(error_number));
    }
    EXPECT_EQ(errors.str(), expected_errors);
    const char* const kIcons[] = {"", " !", " x"};
    std::string asked;
    std::size_t shown = 0;
    for (const RecordingUiHost::Call call : ui.calls) {
      if (call == RecordingUiHost::Call::kUnload) asked += "unload";
      if (call != RecordingUiHost::Call::kMessage) continue;
      const Message& m = ui.messages[shown++];
      asked += m.text + " [" + m.title + kIcons[static_cast<int>(m.icon)] + "]";
    }
    EXPECT_EQ(asked, c.messages);
    EXPECT_EQ(settings.Get(kSettingsApplication, kSettingsSection, kLastDirKey, ""), c.last_dir);
  }
}

// The lines written as each entry is taken are the lines written after the run: the same output,
// errors (kept entries, a message box's text, a listing that failed) and exit status, for real
// and dry runs; the streamed report keeps counts instead of entries.
TEST(CommandLineModeTest, LinesWrittenAsEntriesAreTakenAreTheLinesOfTheReport) {
  const char* const texts[] = {"/f -F *.* -C upper",         "/f -F *.* -R b a",
                               "/f -F *.txt -E doc",         "--dry-run /f -F *.* -C upper",
                               "--dry-run /f -F *.* -R b a", "/f -F *.* -NA -L 12",
                               "/locked -F *.* -C upper",    "/f -D -C upper",
                               "/nowhere -F *.* -C upper"};
  for (const char* text : texts) {
    SCOPED_TRACE(text);
    std::string seen[2];
    for (const EntryLines lines : {EntryLines::kAfterTheRun, EntryLines::kAsTaken}) {
      MemoryFileSystem fs;
      for (const char* name : {"a.txt", "b.txt", "B.TXT", "c\tb.doc", "ab"}) fs.AddFile("/f", name);
      fs.AddDirectory("/f", "sub");
      fs.FailRenameOf("/f", "ab", StatusFromErrno(EBUSY));
      fs.AddFile("/locked", "x.txt");
      fs.MakeUnreadable("/locked");
      MemorySettingsStore settings;
      WindowState state;
      std::ostringstream out, err;
      StreamUiHost ui(err);
      const bool dry_run = std::string_view(text).starts_with("--dry-run ");
      const CommandLineRun run = RunCommandWords(
          SplitArgumentText(std::string_view(text).substr(dry_run ? 10 : 0)), state, fs, settings,
          FixedClock({2026, 12, 4}), ui, nullptr, dry_run, out, err, lines);
      const std::size_t kept = run.report ? run.report->Count(EntryOutcome::Kind::kKept) : 0;
      seen[lines == EntryLines::kAsTaken] = out.str() + "|" + err.str() + "|" +
                                            std::to_string(ExitStatus(run)) + "|" +
                                            std::to_string(kept);
      if (lines == EntryLines::kAsTaken && run.report) {
        EXPECT_TRUE(run.report->entries.empty());
      }
    }
    EXPECT_EQ(seen[1], seen[0]);
  }
}

// A store that cannot keep what it is given: the run says so once, and its status is the batch's.
TEST(CommandLineModeTest, SettingsThatCannotBeKeptAreSaidOnceAndTheBatchRuns) {
  class Unkept : public MemorySettingsStore {
   public:
    [[nodiscard]] Status KeepStatus() const override {
      return StatusFromErrno(EACCES, "cannot read 'Kestrovane.conf'");
    }
  };
  for (const char* text : {"/f -F *.* -C upper", "/f -D -C upper"}) {
    SCOPED_TRACE(text);
    MemoryFileSystem fs;
    fs.AddFile("/f", "a.txt");
    fs.AddDirectory("/f", "sub");
    Unkept settings;
    WindowState state;
    std::ostringstream out, err;
    StreamUiHost ui(err);
    const CommandLineRun run =
        RunCommandWords(SplitArgumentText(text), state, fs, settings, FixedClock({2026, 12, 4}), ui,
                        nullptr, false, out, err, EntryLines::kAsTaken);
    EXPECT_EQ(err.str(), "kestro: the settings cannot be kept: cannot read 'Kestrovane.conf': " +
                             std::string(std::strerror(EACCES)) + "\n");
    EXPECT_EQ(ExitStatus(run), kExitDone);
    EXPECT_EQ(fs.rename_calls().size(), 1u);
  }
}

}  // namespace
}  // namespace kestro
