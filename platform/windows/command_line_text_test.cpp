#include "platform/windows/command_line_text.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "engine/command_args.h"
#include "platform/argument_text.h"
#include "platform/windows/wide_text.h"
#include "platform/windows/windows_temp_tree.h"

namespace kestro {
namespace {

TEST(CommandLineTextTest, TakesAwayTheProgramNameByTheSystemsRule) {
  struct Case {
    const wchar_t* command_line;
    const wchar_t* arguments;
  };
  const Case cases[] = {
      {L"kestro.exe C:\\Photos -F *.doc -C upper", L"C:\\Photos -F *.doc -C upper"},
      {L"\"C:\\Program Files\\Kestrovane\\kestro.exe\" \"C:\\My Photos\" -F *.doc -C lower",
       L"\"C:\\My Photos\" -F *.doc -C lower"},
      {L"kestro   C:\\Photos  -F *.doc -C upper", L"C:\\Photos  -F *.doc -C upper"},
      {L"kestro\t \tC:\\Photos -D -SL 2", L"C:\\Photos -D -SL 2"},
      {L"\"kestro.exe\"C:\\Photos -D", L"C:\\Photos -D"},
      {L"\"C:\\a b\\kestro\".exe /?", L".exe /?"},
      {L"C:\\x\\kestro.exe /?", L"/?"},
      {L"kestro \"\"", L"\"\""},
      {L"kestro C:\\Photos -L $NAME  ", L"C:\\Photos -L $NAME  "},
      {L"kestro", L""},
      {L"kestro   ", L""},
      {L"\"C:\\no closing quote\\kestro.exe -D", L""},
      {L"", L""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ArgumentsOfCommandLine(c.command_line), c.arguments) << Utf8FromWide(c.command_line);
  }
}

TEST(CommandLineTextTest, RealCommandLinesSplitIntoTheWordsTheProgramExpects) {
  struct Case {
    const wchar_t* command_line;
    std::vector<std::string> words;  // CommandArgs 1, 2, ...
  };
  const Case cases[] = {
      {L"\"C:\\Program Files\\Kestrovane\\kestro.exe\" \"C:\\My Photos\" -F *.doc -C lower",
       {"C:\\My Photos", "-F", "*.doc", "-C", "lower"}},
      {L"kestro.exe C:\\Photos  -F *.doc -C upper",
       {"C:\\Photos", "", "-F", "*.doc", "-C", "upper"}},
      {L"kestro.exe   C:\\Photos -d -SL 2", {"C:\\Photos", "-d", "-SL", "2"}},
      {L"kestro.exe C:\\Photos -F *.txt -R a~b \"x y\"",
       {"C:\\Photos", "-F", "*.txt", "-R", "a~b", "x y"}},
      {L"kestro.exe C:\\Fotos\\Ünïcödé -D -C s", {"C:\\Fotos\\Ünïcödé", "-D", "-C", "s"}},
  };
  for (const Case& c : cases) {
    const std::string text = Utf8FromWide(ArgumentsOfCommandLine(c.command_line));
    const CommandArgs args = SplitCommandArgs(text);
    for (std::size_t i = 0; i < c.words.size(); ++i) {
      EXPECT_EQ(args[i + 1], c.words[i]) << text << " word " << i + 1;
    }
    EXPECT_EQ(args[c.words.size() + 1], "") << text;
  }
}

// Run in a child process started by the test below with a command line of its own making; it
// writes the argument text it sees to the file named in KESTRO_ARGUMENT_TEXT_FILE.
TEST(ArgumentTextChild, WritesTheArgumentTextItWasGiven) {
  const char* out = std::getenv("KESTRO_ARGUMENT_TEXT_FILE");
  if (out == nullptr) GTEST_SKIP() << "only runs as the child of ArgumentTextTest";
  const std::string text = ArgumentText(0, nullptr);
  const HANDLE file = CreateFileW(TestWide(out).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
}

TEST(ArgumentTextTest, AChildProcessSeesTheRawTextAfterItsName) {
  WindowsTempTree tree;
  const std::string out = tree.NewFolder() + "\\argument-text.txt";
  wchar_t self[MAX_PATH + 1] = {};
  ASSERT_GT(GetModuleFileNameW(nullptr, self, MAX_PATH + 1), 0u);
  ASSERT_TRUE(SetEnvironmentVariableW(L"KESTRO_ARGUMENT_TEXT_FILE", TestWide(out).c_str()));

  const std::wstring arguments =
      L"--gtest_filter=ArgumentTextChild.*  \"C:\\My Photos\"  -F \"*.doc\" -L Ünï$NAME  ";
  std::wstring command_line = L"\"" + std::wstring(self) + L"\"   " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  const BOOL started = CreateProcessW(self, command_line.data(), nullptr, nullptr, FALSE,
                                      CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process);
  SetEnvironmentVariableW(L"KESTRO_ARGUMENT_TEXT_FILE", nullptr);
  ASSERT_TRUE(started) << GetLastError();
  WaitForSingleObject(process.hProcess, 60000);
  DWORD exit_code = 1;
  GetExitCodeProcess(process.hProcess, &exit_code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  EXPECT_EQ(exit_code, 0u);

  const std::string folder = out.substr(0, out.rfind('\\'));
  EXPECT_EQ(FileContent(folder, "argument-text.txt"), Utf8FromWide(arguments));
}

}  // namespace
}  // namespace kestro
