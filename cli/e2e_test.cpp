// Runs the built kestro as a user would, with a home of its own, on temporary folders: headless on
// Linux; on Windows from a script whose standard streams are files, with Windows paths. What the
// switches do is tested below the program; here, what only a real process shows: the exit status,
// standard output and error, the settings, and how arguments reach the program.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cli/e2e_test_support.h"
#include "cli/help_texts.h"
#include "engine/command_args.h"
#include "platform/test_photos.h"

namespace kestro::e2e {
namespace {

std::string ReadAll(const fs::path& path) {
  std::ostringstream text;
  text << std::ifstream(path, std::ios::binary).rdbuf();
  return text.str();
}

// Every entry below `folder` by path in byte order, with the name it had where it changed:
// "sub/new<old"; a directory's path ends in "/" and, where it holds a file "tag", that file holds
// its first name. Every other file holds its own first name.
std::string Listing(const fs::path& folder) {
  Words names;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    const bool directory = entry.is_directory();
    const fs::path tag = entry.path() / "tag";
    const std::string name = entry.path().filename().string();
    if (name == "tag" || (directory && !fs::exists(tag))) continue;
    const std::string first = ReadAll(directory ? tag : entry.path());
    names.push_back(fs::relative(entry.path(), folder).generic_string() +
                    (first == name ? "" : "<" + first) + (directory ? "/" : ""));
  }
  std::sort(names.begin(), names.end());
  std::string listing;
  for (const std::string& name : names) listing += (listing.empty() ? "" : " ") + name;
  return listing;
}

// Makes the entries `names` below `folder`, each file holding its own name: a name ending in "/"
// a directory, one beginning with "." hidden; one holding a double quote only where a name may.
void Make(const fs::path& folder, const Words& names) {
  fs::create_directories(folder);
  for (const std::string& name : names) {
    if (kWordsAsOneLine && name.find('"') != std::string::npos) continue;
    const bool directory = name.back() == '/';
    const fs::path path = folder / (directory ? name.substr(0, name.size() - 1) : name);
    fs::create_directories(directory ? path : path.parent_path());
    std::ofstream(directory ? path / "tag" : path) << path.filename().string();
    if (name.front() == '.') Hide(path);
  }
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

// Waits for `run` and reads what it wrote to the home's "out" and "err".
Outcome Finish(KestroRun&& run, const ProgramHome& home) {
  const int status = run.Wait();
  return Outcome{status, Lines(home.folder() / "out"), Lines(home.folder() / "err")};
}

Outcome RunKestro(const Words& arguments, const fs::path& cwd, const ProgramHome& home) {
  return Finish(KestroRun(arguments, cwd, home), home);
}

// One run in a fresh folder "My Photos" (a blank in its path) of the home folder, started there.
// In the words, "{dir}" stands for the folder's absolute path; a directory's name ends in "/".
struct Case {
  Words arguments;
  Words before;
  int status;
  std::string out;    // standard output ("{help}": the help)
  std::string err;    // standard error
  bool remembered;    // LastDir holds the folder afterwards
  std::string after;  // the listing afterwards; "" when nothing changed
};

TEST(KestroTest, ARunOnItsFolderWithItsOutputAndSettings) {
  const std::time_t now = std::time(nullptr);
  char date3[8];
  std::strftime(date3, sizeof date3, "%m%d", std::localtime(&now));
  const std::string erraneous = "kestro: You have entered erraneous values!\n";
  const std::string taken =
      "kestro: cannot rename 'b.doc' to 'a.doc': a file of that name exists\n";
  const std::string help = "{help}";
  // clang-format off
  const Case cases[] = {
      {{"{dir}", "-F", "*.doc", "-C", "upper"}, {"a.doc", "b.DOC", "c.txt", ".h.doc"},
       0, "", "", true, ".h.doc A.DOC<a.doc B.DOC<b.DOC c.txt"},
      {{"{dir}", "-F", "*.jpg;*.png", "-L", "$DATE3 $NAME"}, {"a.jpg", "b.png"},
       0, "", "", true, std::string(date3) + " a.jpg<a.jpg " + date3 + " b.png<b.png"},
      {{"{dir}", "-F", "*.doc", "-R", "b", "a"}, {"a.doc", "b.doc", "bb.doc"},
       1, "", taken, true, "a.doc aa.doc<bb.doc b.doc"},
      {{"{dir}", "-F", "*", "-NA", "-L", "12"}, {"a", "b"}, 1, "", erraneous + erraneous, true, ""},
      // A wrong command line: one line says what is wrong, then the help.
      {{"{dir}", "", "-F", "*.doc", "-C", "upper"}, {"a.doc"}, 2, help,
       "kestro: missing switch after the folder: -D, or -F <filemask>\n", true, ""},
      {{"/?"}, {"a.doc", "dir/"}, 2, help, "", false, ""},
      {{}, {"a.doc"}, 2, help, "kestro: no display to show the window on\n", false, ""},
      // A dry run says what the run would do, and changes nothing: no entry, no setting.
      {{"--dry-run", "{dir}", "-F", "*.doc", "-R", "b", "a"}, {"a.doc", "b.doc", "bb.doc"},
       1, "'bb.doc' -> 'aa.doc'\n", taken, false, ""},
      // Expressions: the pattern's backslash and "-case" reach the batch; a bad pattern renames
      // nothing, in a dry run too.
      {{"{dir}", "-F", "*.jpg", "-RX", "^img_(\\d+)", "Photo~$1"}, {"img_0042.jpg", "IMG_7.jpg", "x.jpg"},
       0, "", "", true, "Photo 0042.jpg<img_0042.jpg Photo 7.jpg<IMG_7.jpg x.jpg"},
      {{"{dir}", "-F", "*", "-R", "IMG", "x", "-case"}, {"IMG_1.jpg", "img_2.jpg"},
       0, "", "", true, "img_2.jpg x_1.jpg<IMG_1.jpg"},
      {{"{dir}", "-F", "*", "-RX", "(img", "x"}, {"img.jpg"}, 2, help,
       "kestro: bad pattern '(img': missing closing parenthesis at offset 4\n", true, ""},
      {{"--dry-run", "{dir}", "-F", "*", "-RX", "[a-", "x"}, {"a"}, 2, help,
       "kestro: bad pattern '[a-': missing terminating ] for character class at offset 3\n",
       false, ""},
  };
  // clang-format on
  for (const Case& c : cases) {
    if (c.arguments.empty() && !kRunsWithoutDisplay) continue;  // the main window's to answer
    SCOPED_TRACE(JoinArguments(c.arguments));
    const ProgramHome home;
    const fs::path folder = home.folder() / "My Photos";
    Make(folder, c.before);
    const std::string listing_before = Listing(folder);
    Words arguments = c.arguments;
    std::replace(arguments.begin(), arguments.end(), std::string("{dir}"), folder.string());
    const Outcome outcome = RunKestro(arguments, folder, home);

    EXPECT_EQ(outcome.status, c.status);
    EXPECT_EQ(outcome.out, c.out == "{help}" ? HeadlessHelp() : c.out);
    EXPECT_EQ(outcome.err, c.err);
    EXPECT_EQ(Listing(folder), c.after.empty() ? listing_before : c.after);
    EXPECT_EQ(home.Setting("LastDir") == folder.string(), c.remembered);
    EXPECT_EQ(home.Setting("Splash"), std::nullopt) << "the splash setting is left alone";
    const bool dry_run = !c.arguments.empty() && c.arguments[0] == "--dry-run";
    EXPECT_TRUE(!dry_run || !home.JournalWritten()) << "a journal";
  }
}

// The words reach the program as the system hands them: on Linux each argument is one word as it
// stands, double quotes, blanks and leading dashes included; on Windows the program splits its
// one line by the quote rule. Each row is run as a Linux shell passes its words, or as a user
// types the line on Windows; a name that holds a double quote is made only where the system
// allows one.
TEST(KestroTest, TheWordsReachTheProgramAsTheSystemHandsThem) {
  struct Row {
    Words words;              // Linux: the arguments
    std::string line;         // Windows: the line after the program's name
    Words files;              // "folder/file", made in the working folder
    std::string linux_after;  // Listing afterwards ("" where nothing changed)
    std::string windows_after;
  };
  // clang-format off
  const Row rows[] = {
      // A folder named with quotes beside the one without.
      {{"\"target\"", "-F", "*", "-C", "upper"}, "\"target\" -F * -C upper",
       {"target/a", "\"target\"/a"}, "\"target\"/A<a target/a", "target/A<a"},
      // Quotes in the mask and in the parameters.
      {{"d", "-F", "\"a b.txt\"", "-C", "upper"}, "d -F \"a b.txt\" -C upper",
       {"d/a b.txt", "d/c.txt"}, "", "d/A B.TXT<a b.txt d/c.txt"},
      {{"d", "-F", "*", "-R", "a", "\"q\""}, "d -F * -R a \"q\"", {"d/a.txt"},
       "d/\"q\".txt<a.txt", "d/q.txt<a.txt"},
      // Blanks and leading dashes in the folder, the mask and the parameters: the same words on
      // both systems.
      {{"-my dir", "-F", "-c*", "-R", " d", "-e f"}, "\"-my dir\" -F -c* -R \" d\" \"-e f\"",
       {"-my dir/-c d.txt", "-my dir/a b.txt"},
       "-my dir/-c-e f.txt<-c d.txt -my dir/a b.txt", "-my dir/-c-e f.txt<-c d.txt -my dir/a b.txt"},
      {{"-my dir", "-F", "a b*", "-L", "-$NAME"}, "\"-my dir\" -F \"a b*\" -L -$NAME",
       {"-my dir/a b.txt", "-my dir/c.txt"},
       "-my dir/-a b.txt<a b.txt -my dir/c.txt", "-my dir/-a b.txt<a b.txt -my dir/c.txt"},
      {{"-my dir", "-F", "*", "-R", "~", "-"}, "\"-my dir\" -F * -R ~ -",
       {"-my dir/a b.txt"}, "-my dir/a-b.txt<a b.txt", "-my dir/a-b.txt<a b.txt"},
  };
  // clang-format on
  for (const Row& row : rows) {
    SCOPED_TRACE(kWordsAsOneLine ? row.line : JoinArguments(row.words));
    const ProgramHome home;
    const fs::path folder = home.folder() / "Words";
    Make(folder, row.files);
    const std::string before = Listing(folder);
    const Outcome outcome = kWordsAsOneLine
                                ? Finish(KestroRun(TypedLine{row.line}, folder, home), home)
                                : RunKestro(row.words, folder, home);
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.err, "");
    const std::string& after = kWordsAsOneLine ? row.windows_after : row.linux_after;
    EXPECT_EQ(Listing(folder), after.empty() ? before : after);
  }
}

// A line that ends in a blank, as cmd hands one on before "> file": the help words are still the
// help request, with no line about a folder of that name.
TEST(KestroTest, AHelpRequestBeforeABlankAtTheEndOfTheLine) {
  if (!kWordsAsOneLine) GTEST_SKIP() << "the shell hands the program its words, not a line";
  for (const char* line : {"--help ", "/? ", "-? ", "? ", "--help  ", " /?"}) {
    SCOPED_TRACE(std::string("'") + line + "'");
    const ProgramHome home;
    const int status = KestroRun(TypedLine{line}, home.folder(), home).Wait();
    EXPECT_EQ(status, 2);
    EXPECT_EQ(Lines(home.folder() / "out"), HeadlessHelp());
    EXPECT_EQ(Lines(home.folder() / "err"), "");
  }
}

// A caller that stops reading ("kestro ... 2>&1 | head -c 100") neither stops nor kills the batch:
// the lines it cannot take are dropped, every entry is done, and the status is the batch's.
TEST(KestroTest, AClosedOutputNeitherStopsNorEndsTheBatch) {
  const ProgramHome home;
  const fs::path folder = home.folder() / "many";
  Words before;
  for (int i = 1; i <= 100; ++i) before.push_back("a" + std::to_string(i));
  for (int i = 1; i <= 50; ++i) before.push_back("b" + std::to_string(i));  // taken: a line each
  Make(folder, before);
  KestroRun run({folder.string(), "-F", "a*", "-R", "a", "b"}, folder, home, Output::kClosedPipe);
  EXPECT_EQ(run.Wait(), 1);
  for (int i = 1; i <= 100; ++i) {
    EXPECT_TRUE(fs::exists(folder / ("b" + std::to_string(i)))) << i;
    EXPECT_EQ(fs::exists(folder / ("a" + std::to_string(i))), i <= 50) << i;
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

// A batch killed half-way is taken back by the next run of the program; a dry undo says what it
// would do, and once every batch is back there is nothing to undo.
TEST(KestroTest, UndoTakesBackABatchKilledHalfWay) {
  const ProgramHome home;
  const fs::path many = home.folder() / "Many";
  const auto numbered = [](char letter, int i) {
    return letter + std::to_string(100000 + i).substr(1);
  };
  Words names;
  for (int i = 0; i < kFilesOfAKilledBatch; ++i) names.push_back(numbered('f', i));
  Make(many, names);
  const std::string before = Listing(many);
  {  // Killed once it has renamed about a twentieth, so that nothing of it runs after.
    const fs::path twentieth = many / numbered('g', kFilesOfAKilledBatch / 20);
    KestroRun run({many.string(), "-F", "*", "-R", "f", "g"}, many, home);
    for (int i = 0; i < 5000000 && !fs::exists(twentieth); ++i) {
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

  outcome = RunKestro({"--undo"}, home.folder(), home);
  EXPECT_EQ(outcome.status, 1);
  EXPECT_EQ(outcome.err, "kestro: Nothing to undo.\n");
}

// Photos named by the dates read from their own bytes and times: a file without a date taken and
// the second of two taken in the same second keep their names and are reported; a dry run says
// the same and changes nothing.
TEST(KestroTest, PhotosAreNamedByTheirOwnDates) {
  const ProgramHome home;
  const fs::path folder = home.folder() / "Shots";
  fs::create_directories(folder);
  const std::pair<const char*, std::string> files[] = {
      {"IMG_1.jpg", testing::JpegTakenAt("2024:05:01 09:08:07")},
      {"IMG_2.jpg", testing::JpegTakenAt("2024:05:01 09:08:07")},
      {"IMG_3.JPG", testing::JpegTakenAt("", "2023:01:02 03:04:05")},
      {"notes.txt", "no photo"}};
  for (const auto& [name, bytes] : files) std::ofstream(folder / name, std::ios::binary) << bytes;
  const auto when = fs::file_time_type::clock::now() - std::chrono::hours(24 * 400);
  fs::last_write_time(folder / "notes.txt", when);
  const std::time_t seconds =
      std::chrono::system_clock::to_time_t(std::chrono::file_clock::to_sys(when));
  char modified[32];
  std::strftime(modified, sizeof modified, "%Y%m%d_%H%M%S", std::localtime(&seconds));
  const std::string kept =
      "kestro: cannot rename 'IMG_2.jpg' to '20240501_090807.jpg': a file of that name exists\n"
      "kestro: cannot rename 'notes.txt': it holds no date taken\n";
  Outcome outcome =
      RunKestro({"--dry-run", folder.string(), "-F", "*", "-L", "$TAKEN$EXT"}, folder, home);
  EXPECT_EQ(outcome.status, 1);
  EXPECT_EQ(outcome.out,
            "'IMG_1.jpg' -> '20240501_090807.jpg'\n'IMG_3.JPG' -> '20230102_030405.JPG'\n");
  EXPECT_EQ(outcome.err, kept);
  EXPECT_TRUE(fs::exists(folder / "IMG_1.jpg") && fs::exists(folder / "IMG_3.JPG"));
  outcome = RunKestro({folder.string(), "-F", "*", "-L", "$TAKEN$EXT"}, folder, home);
  EXPECT_EQ(outcome.status, 1);
  EXPECT_EQ(outcome.err, kept);
  outcome = RunKestro({folder.string(), "-F", "*.txt", "-L", "$MODIFIED $NAME"}, folder, home);
  EXPECT_EQ(outcome.status, 0) << outcome.err;
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    names.insert(entry.path().filename().string());
  EXPECT_EQ(names, (std::set<std::string>{"20230102_030405.JPG", "20240501_090807.jpg", "IMG_2.jpg",
                                          std::string(modified) + " notes.txt"}));
  fs::create_directory(folder / "Album");
  outcome = RunKestro({folder.string(), "-D", "-L", "$TAKEN"}, folder, home);
  EXPECT_EQ(outcome.status, 1);
  EXPECT_EQ(outcome.err, "kestro: cannot rename 'Album': it holds no date taken\n");
  EXPECT_EQ(RunKestro({"--undo"}, folder, home).status, 0);
  EXPECT_EQ(RunKestro({"--undo"}, folder, home).status, 0);
  for (const auto& [name, bytes] : files) EXPECT_TRUE(fs::exists(folder / name)) << name;
}

}  // namespace
}  // namespace kestro::e2e
