// Runs the built kestro as a user would, with a home of its own, on temporary folders: headless on
// Linux; on Windows from a script whose standard streams are files, with Windows paths. What the
// switches do is tested below the program; here, what only a real process shows: the exit status,
// standard output and error, the settings, and how arguments reach the program.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/e2e_test_support.h"
#include "cli/help_texts.h"

namespace kestro::e2e {
namespace {

std::string ReadAll(const fs::path& path) {
  std::ostringstream text;
  text << std::ifstream(path, std::ios::binary).rdbuf();
  return text.str();
}

// Every name in `folder` in byte order, with the name the entry had where it changed: "new<old";
// a directory's ends in "/". Each entry holds its first name (a directory in its file "tag").
std::string Listing(const fs::path& folder) {
  Words names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    const std::string first = ReadAll(entry.is_directory() ? entry.path() / "tag" : entry.path());
    names.push_back(name + (first == name ? "" : "<" + first) + (entry.is_directory() ? "/" : ""));
  }
  std::sort(names.begin(), names.end());
  std::string listing;
  for (const std::string& name : names) listing += (listing.empty() ? "" : " ") + name;
  return listing;
}

// Makes the entries `names` in `folder`: a name ending in "/" a directory, one beginning with "."
// hidden.
void Make(const fs::path& folder, const Words& names) {
  for (const std::string& name : names) {
    const fs::path path = folder / (name.back() == '/' ? name.substr(0, name.size() - 1) : name);
    if (name.back() == '/') {
      fs::create_directory(path);
      std::ofstream(path / "tag") << path.filename().string();
    } else {
      std::ofstream(path) << name;
    }
    if (name.front() == '.') Hide(path);
  }
}

std::string Today(const char* format) {
  const std::time_t now = std::time(nullptr);
  char text[16];
  std::strftime(text, sizeof text, format, std::localtime(&now));
  return text;
}

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

// The text of a standard stream, its lines ending in "\n".
std::string Lines(const fs::path& path) {
  std::string text = ReadAll(path);
  for (std::size_t at = 0; (at = text.find(kLineEnd, at)) != std::string::npos; ++at) {
    text.replace(at, std::string_view(kLineEnd).size(), "\n");
  }
  return text;
}

// Runs kestro with `arguments` in `cwd` and waits for it.
Outcome RunKestro(const Words& arguments, const fs::path& cwd, const ProgramHome& home) {
  const int status = KestroRun(arguments, cwd, home).Wait();
  return Outcome{status, Lines(home.folder() / "out"), Lines(home.folder() / "err")};
}

// One run in a fresh folder "My Photos" (a blank in its path) of the home folder, started there.
// In the words, "{dir}" stands for the folder's absolute path; a directory's name ends in "/".
struct Case {
  Words arguments;
  Words before;
  int status;
  std::string out;  // standard output ("{help}": the help)
  std::string err;  // standard error; "{missing}" stands for the path, "..." for the system's text
  bool remembered;  // LastDir holds the folder afterwards
  std::string after;  // the listing afterwards; "" when nothing changed
};

TEST(KestroTest, ARunOnItsFolderWithItsOutputAndSettings) {
  const std::string date3 = Today("%m%d");
  Words many = {"{dir}", "-F", "*.doc", "-L", "$NAME"};
  for (int word = 6; word <= 30; ++word) many.push_back("w" + std::to_string(word));
  const std::string erraneous = "kestro: You have entered erraneous values!\n";
  const std::string taken =
      "kestro: cannot rename 'b.doc' to 'a.doc': a file of that name exists\n";
  const std::string help = "{help}";
  // clang-format off
  const Case cases[] = {
      {{"{dir}", "-F", "*.doc", "-C", "upper"}, {"a.doc", "b.DOC", "c.txt", ".h.doc"},
       0, "", "", true, ".h.doc A.DOC<a.doc B.DOC<b.DOC c.txt"},
      {{"{dir}", "-d", "-SL", "2"}, {"abc/", "xyz1/", ".h/", "file"},
       0, "", "", true, ".h/ c<abc/ file z1<xyz1/"},
      {{"{dir}", "-F", "*.jpg;*.png", "-L", "$DATE3 $NAME"}, {"a.jpg", "b.png"},
       0, "", "", true, date3 + " a.jpg<a.jpg " + date3 + " b.png<b.png"},
      {{"{dir}", "-F", "*", "-R", "o\"l\"d~", "n\"ew\"_"}, {"old name.txt"},
       0, "", "", true, "new_name.txt<old name.txt"},
      {many, {"a.doc"}, 0, "", "", true, "a.doc w6 w7 w8 w9<a.doc"},  // past the 20th: dropped
      {{"{dir}", "-F", "*.doc", "-R", "b", "a"}, {"a.doc", "b.doc", "bb.doc"},
       1, "", taken, true, "a.doc aa.doc<bb.doc b.doc"},
      {{"{dir}", "-F", "*", "-NA", "-L", "3"}, {"b", "a10", "a9"},
       0, "", "", true, "001 - a9<a9 002 - a10<a10 003 - b<b"},
      {{"{dir}", "-F", "*", "-NA", "-L", "12"}, {"a", "b"}, 1, "", erraneous + erraneous, true, ""},
      {{"{dir}", "-F", "*", "-NA", "-X"}, {"a"}, 2, help, "kestro: Wrong Commands!\n", true, ""},
      {{"{dir}", "", "-F", "*.doc", "-C", "upper"}, {"a.doc"}, 2, help, "", true, ""},
      {{"/?"}, {"a.doc", "dir/"}, 2, help, "", false, ""},
      {{"{missing}", "-F", "*", "-C", "upper"}, {"a"}, 2, help,
       "kestro: cannot use folder '{missing}': cannot open folder '{missing}': ...", false, ""},
      {{""}, {"a.doc"}, 2, help, "", false, ""},
      {{}, {"a.doc"}, 2, help, "kestro: no display to show the window on\n", false, ""},
      // A dry run says what the run would do, and changes nothing: no entry, no setting.
      {{"--dry-run", "{dir}", "-F", "*.doc", "-R", "b", "a"}, {"a.doc", "b.doc", "bb.doc"},
       1, "'bb.doc' -> 'aa.doc'\n", taken, false, ""},
      {{"--dry-run", "{dir}"}, {"a.doc"}, 2, help, "", false, ""},
  };
  // clang-format on
  for (const Case& c : cases) {
    if (c.arguments.empty() && !kRunsWithoutDisplay) continue;  // the main window's to answer
    std::string line;
    for (const std::string& word : c.arguments) line += " '" + word + "'";
    SCOPED_TRACE(line);
    const ProgramHome home;
    const fs::path folder = home.folder() / "My Photos";
    fs::create_directories(folder);
    Make(folder, c.before);
    const std::string listing_before = Listing(folder);
    const std::string missing = (folder / "missing").string();
    Words arguments = c.arguments;
    for (std::string& word : arguments) {
      if (word == "{dir}") word = folder.string();
      if (word == "{missing}") word = missing;
    }
    const Outcome outcome = RunKestro(arguments, folder, home);

    EXPECT_EQ(outcome.status, c.status);
    EXPECT_EQ(outcome.out, c.out == "{help}" ? HeadlessHelp() : c.out);
    std::string err = c.err;
    for (std::size_t at; (at = err.find("{missing}")) != std::string::npos;) {
      err.replace(at, 9, missing);
    }
    if (err.ends_with("...")) {
      err.resize(err.size() - 3);
      EXPECT_EQ(outcome.err.substr(0, err.size()), err);
    } else {
      EXPECT_EQ(outcome.err, err);
    }
    EXPECT_EQ(Listing(folder), c.after.empty() ? listing_before : c.after);
    EXPECT_EQ(home.Setting("LastDir") == folder.string(), c.remembered);
    EXPECT_EQ(home.Setting("Splash"), std::nullopt) << "the splash setting is left alone";
    EXPECT_TRUE(c.arguments.empty() || c.arguments[0] != "--dry-run" || !home.JournalWritten())
        << "a journal";
  }
}

// At the root of a drive (Windows; the test script maps one and names it in KESTRO_E2E_DRIVE) the
// folder is the root itself, and so is LastDir.
TEST(KestroTest, RenamesAtTheRootOfADrive) {
  const char* drive = std::getenv("KESTRO_E2E_DRIVE");
  if (drive == nullptr) GTEST_SKIP() << "KESTRO_E2E_DRIVE names no drive mapped for tests";
  const ProgramHome home;
  const fs::path root = std::string(drive) + "\\";
  Make(root, {"a.txt", "b.doc"});
  const Outcome outcome =
      RunKestro({root.string(), "-F", "*.txt", "-C", "upper"}, home.folder(), home);
  EXPECT_EQ(outcome.status, 0) << outcome.err;
  Words files;  // by their spelling: the drive folds letter case
  for (const auto& entry : fs::directory_iterator(root)) {
    if (entry.is_regular_file()) files.push_back(entry.path().filename().string());
  }
  std::sort(files.begin(), files.end());
  EXPECT_EQ(files, (Words{"A.TXT", "b.doc"}));
  EXPECT_EQ(home.Setting("LastDir"), root.string());
  for (const std::string& name : files) fs::remove(root / name);
}

// Batches are taken back newest first, also one killed half-way, and never onto a name taken
// meanwhile; a dry undo says what it would do.
TEST(KestroTest, UndoTakesBackTheBatchesNewestFirstAlsoOneKilledHalfWay) {
  const ProgramHome home;
  const fs::path many = home.folder() / "Many";
  fs::create_directories(many);
  for (int i = 0; i < kFilesOfAKilledBatch; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "f%05d", i);
    std::ofstream(many / name) << name;
  }
  const std::string before = Listing(many);
  {  // Killed once it has renamed about a twentieth, so that nothing of it runs after.
    char twentieth[16];
    std::snprintf(twentieth, sizeof twentieth, "g%05d", kFilesOfAKilledBatch / 20);
    KestroRun run({many.string(), "-F", "*", "-R", "f", "g"}, many, home);
    for (int i = 0; i < 5000000 && !fs::exists(many / twentieth); ++i) {
    }
    run.Kill();
  }
  const std::string killed = Listing(many);
  const auto renamed = std::count(killed.begin(), killed.end(), 'g');  // one in "g...<f..." each
  ASSERT_GT(renamed, 0);
  EXPECT_LT(renamed, kFilesOfAKilledBatch) << "the batch ended before it was killed";
  Outcome outcome = RunKestro({"--undo", "--dry-run"}, home.folder(), home);
  EXPECT_EQ(outcome.status, 0) << outcome.err;
  // The folder first, then a line per entry.
  EXPECT_EQ(std::count(outcome.out.begin(), outcome.out.end(), '\n'), renamed + 1);
  EXPECT_EQ(Listing(many), killed);
  outcome = RunKestro({"--undo"}, home.folder(), home);
  EXPECT_EQ(outcome.status, 0) << outcome.err;
  EXPECT_EQ(Listing(many), before);

  const fs::path two = home.folder() / "Two";
  fs::create_directories(two);
  Make(two, {"a", "b"});
  const auto run = [&](const Words& words) { return RunKestro(words, two, home); };
  EXPECT_EQ(run({two.string(), "-F", "*", "-R", "a", "c"}).status, 0);
  EXPECT_EQ(run({two.string(), "-F", "*", "-R", "b", "d"}).status, 0);
  EXPECT_EQ(run({"--undo"}).status, 0);
  EXPECT_EQ(Listing(two), "b c<a");
  std::ofstream(two / "a") << "newcomer";
  outcome = run({"--undo"});
  EXPECT_EQ(outcome.status, 1);
  const std::string taking_back = "kestro: taking back 1 entry in '" + two.string() + "', renamed ";
  EXPECT_EQ(outcome.err.substr(0, taking_back.size()), taking_back);
  EXPECT_NE(outcome.err.find(" from the command line\n"
                             "kestro: cannot rename 'c' to 'a': a file of that name exists"),
            std::string::npos)
      << outcome.err;
  EXPECT_EQ(Listing(two), "a<newcomer b c<a");
  // What could not go back is still the batch's: once its old name is free again, it goes back.
  fs::remove(two / "a");
  EXPECT_EQ(run({"--undo"}).status, 0);
  EXPECT_EQ(Listing(two), "a b");
  outcome = run({"--undo"});
  EXPECT_EQ(outcome.status, 1);
  EXPECT_EQ(outcome.err, "kestro: Nothing to undo.\n");
}

}  // namespace
}  // namespace kestro::e2e
