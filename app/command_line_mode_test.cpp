#include "app/command_line_mode.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <sstream>
#include <string>

#include "batch/batch_renamer.h"
#include "batch/pickers.h"
#include "batch/recording_ui_host.h"
#include "platform/clock.h"
#include "platform/memory_file_system.h"
#include "platform/settings_store.h"

namespace kestro {
namespace {

// One command line over a fresh program and folder tree: what was renamed, the exit status, the
// error lines ("{ENOENT}" stands for the system's text), the messages shown, and LastDir
// afterwards.
struct Case {
  const char* text;
  const char* renamed;  // "old>new" per rename done, in batch order
  int status;
  const char* errors = "";
  const char* messages = "";
  const char* last_dir = "/home/u/Photos";
};

TEST(CommandLineModeTest, FromTheArgumentTextToTheExitStatus) {
  const Case cases[] = {
      {"/home/u/Photos -F *.doc -C upper", "a.doc>A.DOC", kExitDone},
      {"/home/u/Photos -d -SL 2", "img2>g2 img10>g10", kExitDone},  // the target in any case
      {"/home/u/Photos -D -ND", "img2>2 - img2 img10>1 - img10", kExitDone},
      {"\"/home/u/My Photos\" -F *.doc -C lower", "Mixed.DOC>mixed.doc", kExitDone, "", "",
       "/home/u/My Photos"},
      {"Photos/ -F *.doc -C upper", "a.doc>A.DOC", kExitDone},  // relative to the working folder
      {"/home/u/Photos -F *.pdf -C upper", "", kExitDone},      // nothing to rename
      {"/home/u/Photos -F *.txt -C upper", "", kExitEntriesKept,
       "kestro: cannot rename 'b.txt' to 'B.TXT': a file of that name exists\n"},
      {"/home/u/Photos -F *.doc -NA -L 12", "", kExitEntriesKept, "",
       "You have entered erraneous values!"},
      // A wrong command line: help. Word 1 naming a folder is still remembered.
      {"/home/u/Photos  -F *.doc -C upper", "", kExitWrongCommand},  // every word one further on
      {"Photos", "", kExitWrongCommand},
      {"/home/u/Photos -X *.doc -C upper", "a.doc>A.DOC", kExitWrongCommand},  // mask is word 3
      {"/home/u/Photos -F *.doc -C x", "", kExitWrongCommand},
      {"/home/u/Photos -D -Q", "", kExitWrongCommand},
      {"/home/u/Photos -F *.doc -NA -X", "", kExitWrongCommand, "", "Wrong Commands!"},
      // Word 1 names no folder: nothing is renamed anywhere, LastDir stays.
      {"/?", "", kExitWrongCommand, "", "", "/home/u/Other"},
      {"/HELP", "", kExitWrongCommand, "", "", "/home/u/Other"},
      {"/home/u/Missing -F *.doc -C upper", "", kExitWrongCommand,
       "kestro: cannot use folder '/home/u/Missing': cannot open folder '/home/u/Missing': "
       "{ENOENT}\n",
       "", "/home/u/Other"},
      {"\"\" -F *.doc -C upper", "", kExitWrongCommand,
       "kestro: cannot use folder '': no folder given\n", "", "/home/u/Other"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    MemoryFileSystem fs;
    for (const char* name : {"a.doc", "b.txt", "B.TXT"}) fs.AddFile("/home/u/Photos", name);
    for (const char* name : {"img10", "img2"}) fs.AddDirectory("/home/u/Photos", name);
    fs.AddFile("/home/u/My Photos", "Mixed.DOC");
    fs.AddFile("/home/u/Other", "c.doc");
    fs.AddFile("/home/u", "d.doc");
    fs.SetWorkingFolder("/home/u");
    MemorySettingsStore settings;
    settings.Set(kSettingsApplication, kSettingsSection, kLastDirKey, "/home/u/Other");
    WindowState state;
    state.dirs_folder = state.files_folder = "/home/u/Other";  // the lists' last folder
    RecordingUiHost ui;
    const FixedClock clock({2026, 12, 4});
    BatchRenamer batch(state, fs, clock, ui);
    const CommandLineRun run = CommandLineMode(state, batch, fs, settings).Run(c.text);

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
    if (const auto at = expected_errors.find("{ENOENT}"); at != std::string::npos)
      expected_errors.replace(at, 8, std::strerror(ENOENT));
    EXPECT_EQ(errors.str(), expected_errors);
    std::string messages;
    for (const Message& m : ui.messages) messages += m.text;
    EXPECT_EQ(messages, c.messages);
    EXPECT_EQ(settings.Get(kSettingsApplication, kSettingsSection, kLastDirKey, ""), c.last_dir);
  }
}

}  // namespace
}  // namespace kestro
