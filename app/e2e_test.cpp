// Runs the built kestro as a user would: headless (no DISPLAY, no WAYLAND_DISPLAY, no Qt platform
// named), with a configuration folder and a home of its own, on temporary folders.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "app/help_texts.h"

extern char** environ;

namespace kestro {
namespace {

namespace fs = std::filesystem;

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteAll(const fs::path& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary);
  out << content;
}

std::vector<std::string> Sorted(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string Today(const char* format) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[16];
  std::strftime(text, sizeof text, format, &local);
  return text;
}

class KestroTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/kestro-e2e-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    root_ = pattern;
    work_ = root_ / "work";
    config_ = root_ / "config";
    fs::create_directories(work_);
    fs::create_directories(config_);
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }

  // Runs kestro with `arguments` in `cwd` (the work folder by default). A run that has not ended
  // after 30 seconds is killed and fails the test: the command line never waits.
  Outcome Run(const std::vector<std::string>& arguments, fs::path cwd = {}) {
    if (cwd.empty()) cwd = work_;
    const fs::path out_file = root_ / "stdout";
    const fs::path err_file = root_ / "stderr";
    std::vector<std::string> environment;
    for (char** variable = environ; *variable != nullptr; ++variable) {
      const std::string entry = *variable;
      const std::string name = entry.substr(0, entry.find('='));
      if (name == "DISPLAY" || name == "WAYLAND_DISPLAY" || name == "QT_QPA_PLATFORM" ||
          name == "XDG_CONFIG_HOME" || name == "HOME") {
        continue;
      }
      environment.push_back(entry);
    }
    environment.push_back("XDG_CONFIG_HOME=" + config_.string());
    environment.push_back("HOME=" + root_.string());

    std::vector<char*> argv{const_cast<char*>(KESTRO_BINARY)};
    for (const std::string& argument : arguments)
      argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (std::string& entry : environment) envp.push_back(entry.data());
    envp.push_back(nullptr);

    const pid_t child = fork();
    if (child == 0) {
      const int in = open("/dev/null", O_RDONLY);
      const int out = open(out_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      const int err = open(err_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      if (in < 0 || out < 0 || err < 0 || chdir(cwd.c_str()) != 0) _exit(126);
      dup2(in, 0);
      dup2(out, 1);
      dup2(err, 2);
      execve(argv[0], argv.data(), envp.data());
      _exit(127);
    }
    Outcome outcome;
    if (child < 0) {
      ADD_FAILURE() << "fork failed";
      return outcome;
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    int wait_status = 0;
    while (waitpid(child, &wait_status, WNOHANG) == 0) {
      if (std::chrono::steady_clock::now() > deadline) {
        kill(child, SIGKILL);
        waitpid(child, &wait_status, 0);
        ADD_FAILURE() << "kestro did not end on its own";
        return outcome;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (WIFEXITED(wait_status)) {
      outcome.status = WEXITSTATUS(wait_status);
    } else {
      ADD_FAILURE() << "kestro ended by signal " << WTERMSIG(wait_status);
    }
    outcome.out = ReadAll(out_file);
    outcome.err = ReadAll(err_file);
    return outcome;
  }

  fs::path Folder(const std::string& name, const std::vector<std::string>& files,
                  const std::vector<std::string>& directories = {}) {
    const fs::path folder = work_ / name;
    fs::create_directories(folder);
    for (const std::string& file : files) WriteAll(folder / file, "content of " + file);
    for (const std::string& directory : directories) {
      fs::create_directories(folder / directory);
      WriteAll(folder / directory / "tag", directory);
    }
    return folder;
  }

  std::string Conf() { return ReadAll(config_ / "Vintrellos" / "Kestrovane.conf"); }

  static void ExpectHelp(const Outcome& outcome) {
    EXPECT_EQ(outcome.status, 2);
    EXPECT_EQ(outcome.out, HelpTextForTerminal());
  }

  fs::path root_;
  fs::path work_;
  fs::path config_;
};

TEST_F(KestroTest, FilesOfTheMaskAreRenamedSilently) {
  const fs::path photos = Folder("Photos", {"a.doc", "b.DOC", "c.txt", ".hidden.doc"});
  const Outcome outcome = Run({photos.string(), "-F", "*.doc", "-C", "upper"});
  EXPECT_EQ(outcome.status, 0);
  EXPECT_EQ(outcome.out, "");
  EXPECT_EQ(outcome.err, "");
  EXPECT_EQ(Sorted(photos), (std::vector<std::string>{".hidden.doc", "A.DOC", "B.DOC", "c.txt"}));
  EXPECT_EQ(ReadAll(photos / "A.DOC"), "content of a.doc");
}

TEST_F(KestroTest, TheTargetIsReadWithoutRegardToCase) {
  const fs::path photos = Folder("Photos", {"file"}, {"abc", "xyz1", ".hidden"});
  const Outcome outcome = Run({photos.string(), "-d", "-SL", "2"});
  EXPECT_EQ(outcome.status, 0) << outcome.err;
  EXPECT_EQ(Sorted(photos), (std::vector<std::string>{".hidden", "c", "file", "z1"}));
  EXPECT_EQ(ReadAll(photos / "z1" / "tag"), "xyz1");
}

TEST_F(KestroTest, AFolderWithBlanksIsOneWord) {
  const fs::path photos = Folder("My Photos", {"Report.DOC", "Notes.TXT"});
  const Outcome outcome = Run({photos.string(), "-F", "*.doc", "-C", "lower"});
  EXPECT_EQ(outcome.status, 0) << outcome.err;
  EXPECT_EQ(Sorted(photos), (std::vector<std::string>{"Notes.TXT", "report.doc"}));
}

TEST_F(KestroTest, AnEmptySecondWordShiftsTheRestAndRenamesNothing) {
  // An empty argument stands where the second of two blanks would.
  const fs::path photos = Folder("Photos", {"a.doc"});
  const Outcome outcome = Run({photos.string(), "", "-F", "*.doc", "-C", "upper"});
  ExpectHelp(outcome);
  EXPECT_EQ(Sorted(photos), (std::vector<std::string>{"a.doc"}));
}

TEST_F(KestroTest, HelpRequestsPrintTheHelpAndRenameNothing) {
  Folder(".", {"a.doc"}, {"dir"});
  for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
           {"/?"}, {"?"}, {"--help"}, {"-?"}, {"/HELP"}, {""}, {"-D"}}) {
    SCOPED_TRACE(arguments[0]);
    const Outcome outcome = Run(arguments);
    ExpectHelp(outcome);
    EXPECT_EQ(outcome.err, "");
  }
  EXPECT_EQ(Sorted(work_), (std::vector<std::string>{"a.doc", "dir"}));
  EXPECT_EQ(Conf(), "") << "a help request stores nothing";
}

TEST_F(KestroTest, TheHelpNamesEverySwitch) {
  const Outcome outcome = Run({"--help"});
  for (const char* text : {"KESTRO <path> <mode> <options>", "-F <filemask>", "-SR <x> [-noext]",
                           "-R <replace what> <replace with>", "-C <upper/lower/sentence>",
                           "-NA [-L [<length>] ] [-S <x> ]", "-ND [-L [<length>] ] [-S <x> ]",
                           "-L <new name type>", "-SL <x> "}) {
    EXPECT_NE(outcome.out.find(text), std::string::npos) << text;
  }
}

TEST_F(KestroTest, AFolderAloneShowsTheHelpAndIsRemembered) {
  const fs::path photos = Folder("Photos", {"a.doc"});
  const Outcome outcome = Run({photos.string()});
  ExpectHelp(outcome);
  EXPECT_NE(Conf().find("LastDir=" + photos.string() + "\n"), std::string::npos) << Conf();
  EXPECT_EQ(Sorted(photos), (std::vector<std::string>{"a.doc"}));
}

TEST_F(KestroTest, TheFolderIsStoredAsLastDirAndSplashIsLeftAlone) {
  const fs::path work = Folder("Work", {}, {"a", "b"});
  fs::create_directories(config_ / "Vintrellos");
  WriteAll(config_ / "Vintrellos" / "Kestrovane.conf", "[Kestrovane]\nSplash=0\n");
  const Outcome outcome = Run({work.string(), "-D", "-SL", "1"});
  EXPECT_EQ(outcome.status, 0) << outcome.err;
  const std::string conf = Conf();
  EXPECT_NE(conf.find("LastDir=" + work.string() + "\n"), std::string::npos) << conf;
  EXPECT_NE(conf.find("Splash=0\n"), std::string::npos) << conf;
}

TEST_F(KestroTest, AHeadlessFirstStartWritesNoSplashSetting) {
  const fs::path photos = Folder("Photos", {"a.doc"});
  EXPECT_EQ(Run({photos.string(), "-F", "*.doc", "-C", "upper"}).status, 0);
  EXPECT_EQ(Conf().find("Splash"), std::string::npos) << Conf();
}

TEST_F(KestroTest, NothingToRenameEndsSilently) {
  const fs::path photos = Folder("Photos", {"a.txt"});
  for (const std::vector<std::string>& arguments :
       std::vector<std::vector<std::string>>{{photos.string(), "-F", "*.doc", "-C", "upper"},
                                             {photos.string(), "-D", "-C", "upper"}}) {
    const Outcome outcome = Run(arguments);
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out + outcome.err, "");
  }
  EXPECT_EQ(Sorted(photos), (std::vector<std::string>{"a.txt"}));
}

TEST_F(KestroTest, AWrongSwitchOnAFolderWithoutSubDirectoriesStillAsksForHelp) {
  const fs::path photos = Folder("Photos", {"a.txt"});
  ExpectHelp(Run({photos.string(), "-D", "-Q"}));
}

TEST_F(KestroTest, AWrongTargetRunsTheFileBranchAndThenShowsTheHelp) {
  const fs::path photos = Folder("Photos", {"a.doc", "b.txt"});
  const Outcome outcome = Run({photos.string(), "-X", "*.doc", "-C", "upper"});
  ExpectHelp(outcome);
  EXPECT_EQ(Sorted(photos), (std::vector<std::string>{"A.DOC", "b.txt"}));
}

TEST_F(KestroTest, WordsPastTheTwentiethAreDropped) {
  const fs::path photos = Folder("Photos", {"a.doc"});
  std::vector<std::string> arguments{
      photos.string(), "-F", "*.doc", "-L", "$NAME", "w6", "w7", "w8", "w9"};
  for (int word = 10; word <= 30; ++word) arguments.push_back("w" + std::to_string(word));
  const Outcome outcome = Run(arguments);
  EXPECT_EQ(outcome.status, 0) << outcome.err;
  EXPECT_EQ(Sorted(photos), (std::vector<std::string>{"a.doc w6 w7 w8 w9"}));
}

TEST_F(KestroTest, QuotesInsideAWordAreDroppedAndKeepItTogether) {
  const fs::path photos = Folder("Photos", {"old name.txt", "x.txt"});
  const Outcome outcome = Run({photos.string(), "-F", "*.txt", "-R", "o\"l\"d~", "n\"ew\"_"});
  EXPECT_EQ(outcome.status, 0) << outcome.err;
  EXPECT_EQ(Sorted(photos), (std::vector<std::string>{"new_name.txt", "x.txt"}));
}

TEST_F(KestroTest, AnArgumentWithBlanksIsOneWord) {
  // As a shell passes kestro ~/Photos -F '*.jpg' -L '$DATE3 $NAME'.
  const fs::path photos = Folder("Photos", {"a.jpg", "b.png"});
  const Outcome outcome = Run({photos.string(), "-F", "*.jpg;*.png", "-L", "$DATE3 $NAME"});
  EXPECT_EQ(outcome.status, 0) << outcome.err;
  EXPECT_EQ(Sorted(photos),
            (std::vector<std::string>{Today("%m%d") + " a.jpg", Today("%m%d") + " b.png"}));
}

TEST_F(KestroTest, ARelativeFolderAndATrailingSlashNameTheFolder) {
  const fs::path photos = Folder("Photos", {"a.doc", "b.doc"});
  EXPECT_EQ(Run({"Photos", "-F", "a.doc", "-C", "upper"}).status, 0);
  EXPECT_EQ(Run({"Photos/", "-F", "b.doc", "-C", "upper"}).status, 0);
  EXPECT_EQ(Sorted(photos), (std::vector<std::string>{"A.DOC", "B.DOC"}));
  EXPECT_NE(Conf().find("LastDir=" + photos.string() + "\n"), std::string::npos) << Conf();
}

TEST_F(KestroTest, AFolderThatDoesNotExistRenamesNothingAnywhere) {
  Folder(".", {"a.doc"});
  const fs::path elsewhere = Folder("Elsewhere", {"b.doc"});
  // A folder remembered from an earlier run is not where the batch goes instead.
  EXPECT_EQ(Run({elsewhere.string()}).status, 2);
  const Outcome outcome = Run({(work_ / "Missing").string(), "-F", "*.doc", "-C", "upper"});
  ExpectHelp(outcome);
  EXPECT_EQ(
      outcome.err.rfind("kestro: cannot use folder '" + (work_ / "Missing").string() + "'", 0), 0u)
      << outcome.err;
  EXPECT_EQ(Sorted(work_), (std::vector<std::string>{"Elsewhere", "a.doc"}));
  EXPECT_EQ(Sorted(elsewhere), (std::vector<std::string>{"b.doc"}));
  EXPECT_NE(Conf().find("LastDir=" + elsewhere.string() + "\n"), std::string::npos) << Conf();
}

TEST_F(KestroTest, ATakenNameExitsWithOneAndSaysWhichOnStandardError) {
  const fs::path photos = Folder("Photos", {"a.doc", "A.DOC", "b.doc"});
  const Outcome outcome = Run({photos.string(), "-F", "*.doc", "-C", "upper"});
  EXPECT_EQ(outcome.status, 1);
  EXPECT_EQ(outcome.out, "");
  const std::string prefix = "kestro: cannot rename 'a.doc' to 'A.DOC': ";
  EXPECT_EQ(outcome.err.rfind(prefix, 0), 0u) << outcome.err;
  EXPECT_GT(outcome.err.size(), prefix.size() + 1) << "the reason is given";
  EXPECT_EQ(std::count(outcome.err.begin(), outcome.err.end(), '\n'), 1) << outcome.err;
  EXPECT_EQ(Sorted(photos), (std::vector<std::string>{"A.DOC", "B.DOC", "a.doc"}));
  EXPECT_EQ(ReadAll(photos / "A.DOC"), "content of A.DOC");
}

TEST_F(KestroTest, EntriesThatGetNoNameExitWithOneAndTheMessageOncePerEntry) {
  const fs::path photos = Folder("Photos", {"a", "b"});
  const Outcome outcome = Run({photos.string(), "-F", "*", "-NA", "-L", "12"});
  EXPECT_EQ(outcome.status, 1);
  EXPECT_EQ(outcome.err,
            "kestro: You have entered erraneous values!\n"
            "kestro: You have entered erraneous values!\n");
  EXPECT_EQ(Sorted(photos), (std::vector<std::string>{"a", "b"}));
}

TEST_F(KestroTest, WrongCommandsIsAMessageAndTheHelpFollows) {
  const fs::path photos = Folder("Photos", {"a"});
  const Outcome outcome = Run({photos.string(), "-F", "*", "-NA", "-X"});
  ExpectHelp(outcome);
  EXPECT_EQ(outcome.err, "kestro: Wrong Commands!\n");
  EXPECT_EQ(Sorted(photos), (std::vector<std::string>{"a"}));
}

// One mode switch on one target: the names before, the switch's words, the names after.
struct SwitchCase {
  const char* label;
  bool directories;
  std::vector<std::string> words;  // after the target ("-D", or "-F *")
  std::vector<std::string> before;
  std::vector<std::string> after;  // sorted; empty: unchanged, and the help is shown
};

std::vector<std::string> Numbered(int count, const char* format) {
  std::vector<std::string> names;
  for (int i = 1; i <= count; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, format, i);
    names.push_back(name);
  }
  return names;
}

std::vector<SwitchCase> SwitchCases() {
  const std::string mmddyy = Today("%m%d%y");
  const std::string ddmmyy = Today("%d%m%y");
  const std::string mmdd = Today("%m%d");
  const std::string ddmm = Today("%d%m");
  std::vector<SwitchCase> cases;
  for (const bool dirs : {false, true}) {
    const auto add = [&](const char* label, std::vector<std::string> words,
                         std::vector<std::string> before, std::vector<std::string> after) {
      cases.push_back({label, dirs, std::move(words), std::move(before), std::move(after)});
    };
    add("-SL", {"-SL", "2"}, {"abcdef.txt", "xy"}, {"cdef.txt", "xy"});
    add("-sl abc", {"-sl", "abc"}, {"abcdef.txt"}, {"abcdef.txt"});
    add("-SR", {"-SR", "2"}, {"report.doc", "README"}, {"READ", "report.d"});
    add("-SR -noext", {"-SR", "2", "-noext"}, {"report.doc", "archive.tar.gz"},
        dirs ? std::vector<std::string>{"archive.tar.", "report.d"}
             : std::vector<std::string>{"archive.t.gz", "repo.doc"});
    add("-SR x", {"-SR", "2", "x"}, {"report.doc"}, {dirs ? "report.d" : "repo.doc"});
    add("-R with ~", {"-R", "~", "_"}, {"my old file.txt"}, {"my_old_file.txt"});
    add("-R to ~", {"-R", "_", "~"}, {"my_old_file.txt"}, {"my old file.txt"});
    add("-R case", {"-R", "E", "x"}, {"Eleven sheets.xls"}, {"xlxvxn shxxts.xls"});
    add("-C upper", {"-C", "upper"}, {"My File.txt"}, {"MY FILE.TXT"});
    add("-C lower", {"-C", "LOWER"}, {"My File.txt"}, {"my file.txt"});
    add("-C sentence", {"-C", "sentence"}, {"hello WORLD.TXT"}, {"Hello World.txt"});
    add("-C Silly", {"-C", "Silly"}, {"hello WORLD.TXT"}, {"Hello World.txt"});
    add("-C x", {"-C", "x"}, {"My File.txt"}, {});
    add("-L $NAME", {"-L", "$NAME"}, {"a.txt"}, {"a.txt"});
    add("-L $DATE1 - $NAME", {"-L", "$DATE1", "-", "$NAME"}, {"a.txt"}, {mmddyy + " - a.txt"});
    add("-L dates", {"-L", "$date2_$Date3_$DATE4_$name"}, {"a.txt"},
        {ddmmyy + "_" + mmdd + "_" + ddmm + "_a.txt"});
    add("-NA", {"-NA"}, {"a", "b", "c"}, {"1 - a", "2 - b", "3 - c"});
    add("-ND", {"-ND"}, {"a", "b", "c"}, {"1 - c", "2 - b", "3 - a"});
    add("-NA natural order", {"-NA"}, {"img10", "img2", "img1"},
        {"1 - img1", "2 - img2", "3 - img10"});
    {
      std::vector<std::string> after;
      for (int i = 1; i <= 12; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "%02d - f%02d", i, i);
        after.push_back(name);
      }
      add("-NA -L", {"-NA", "-L"}, Numbered(12, "f%02d"), after);
      for (std::string& name : after) name = "00" + name;
      add("-NA -L 4", {"-NA", "-L", "4"}, Numbered(12, "f%02d"), after);
    }
    add("-ND -L 2", {"-ND", "-L", "2"}, {"a", "b", "c"}, {"97 - c", "98 - b", "99 - a"});
    add("-NA -S 10", {"-NA", "-S", "10"}, {"a", "b", "c"}, {"10 - a", "11 - b", "12 - c"});
    add("-NA -L -S 8", {"-NA", "-L", "-S", "8"}, {"a", "b", "c"}, {"10 - c", "8 - a", "9 - b"});
    add("-ND -S 2", {"-ND", "-S", "2"}, {"a", "b", "c"}, {"0 - c", "1 - b", "2 - a"});
    add("-NA -L 0", {"-NA", "-L", "0"}, {"a", "b"}, {});
    add("-NA -S", {"-NA", "-S"}, {"a", "b"}, {});
    add("-Q", {"-Q", "1"}, {"a"}, {});
  }
  return cases;
}

TEST_F(KestroTest, EverySwitchOnBothTargets) {
  int n = 0;
  for (const SwitchCase& c : SwitchCases()) {
    SCOPED_TRACE(std::string(c.directories ? "-D " : "-F * ") + c.label);
    const fs::path folder = c.directories ? Folder("case" + std::to_string(++n), {}, c.before)
                                          : Folder("case" + std::to_string(++n), c.before);
    std::vector<std::string> arguments{folder.string()};
    if (c.directories) {
      arguments.push_back("-D");
    } else {
      arguments.insert(arguments.end(), {"-F", "*"});
    }
    arguments.insert(arguments.end(), c.words.begin(), c.words.end());
    const Outcome outcome = Run(arguments);
    std::vector<std::string> before = c.before;
    std::sort(before.begin(), before.end());
    if (c.after.empty()) {
      ExpectHelp(outcome);
      EXPECT_EQ(Sorted(folder), before);
    } else {
      EXPECT_EQ(outcome.status, 0) << outcome.err;
      EXPECT_EQ(outcome.out, "");
      EXPECT_EQ(outcome.err, "");
      EXPECT_EQ(Sorted(folder), c.after);
    }
  }
}

}  // namespace
}  // namespace kestro
