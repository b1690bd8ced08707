// The text at Windows' edge: names in UTF-16, and the raw command line.
#include <process.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <utility>

#include "platform/argument_text.h"
#include "platform/windows/command_line_text.h"
#include "platform/windows/wide_text.h"
#include "platform/windows/windows_test_tree.h"

namespace kestro {
namespace {

// A lone surrogate in a name on disk becomes the three bytes it would take as a code point, which
// are not UTF-8, so the name cannot come back changed; a whole pair beside it is still one
// character.
TEST(WideTextTest, ConvertsBothWaysAndALoneSurrogateBecomesBytesThatAreNotUtf8) {
  const struct {
    std::wstring wide;
    std::string utf8;
    bool comes_back;
  } rows[] = {
      {L"", "", true},
      {L"N\x00E9w n\x00E4me.txt", "Néw näme.txt", true},
      {L"\x65E5\x672C\x8A9E", "日本語", true},
      {L"emoji \xD83D\xDE00", "emoji \xF0\x9F\x98\x80", true},
      {L"a\xD800z", "a\xED\xA0\x80z", false},
      {L"\xDFFF\xDC00", "\xED\xBF\xBF\xED\xB0\x80", false},  // two low halves
      {L"\xDE00\xD83D", "\xED\xB8\x80\xED\xA0\xBD", false},  // a pair in the wrong order
      {L"\xD83D\xDE00\xD800", "\xF0\x9F\x98\x80\xED\xA0\x80", false},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(Utf8FromWide(row.wide), row.utf8);
    EXPECT_EQ(WideFromUtf8(row.utf8), row.comes_back ? std::optional(row.wide) : std::nullopt)
        << row.utf8;
  }
  // A lone byte, a cut sequence, an overlong form, a stray continuation.
  for (const char* text : {"\xFF", "a\xC3", "\xC0\xAF", "x\x80y"}) {
    EXPECT_EQ(WideFromUtf8(text), std::nullopt) << text;
  }
}

// The program's name is the first word by the system's rule: to the next quote when it begins with
// one (a backslash escapes nothing), otherwise to the first blank or tab.
TEST(CommandLineTextTest, TakesAwayTheProgramNameAndKeepsTheRestAsItIs) {
  for (const auto& [command_line, arguments] : {
           std::pair{L"\"C:\\Program Files\\kestro.exe\" \"C:\\My Photos\" -D",
                     L"\"C:\\My Photos\" -D"},
           {L"kestro   C:\\Photos  -L $NAME  ", L"C:\\Photos  -L $NAME  "},
           {L"kestro\t \tC:\\Photos", L"C:\\Photos"},
           {L"\"kestro.exe\"C:\\Photos", L"C:\\Photos"},
           {L"\"C:\\a b\\kestro\".exe /?", L".exe /?"},
           {L"\"C:\\odd\\\" /?", L"/?"},
           {L"kestro   ", L""},
           {L"\"C:\\no closing quote\\kestro.exe -D", L""},
           {L"", L""},
       }) {
    EXPECT_EQ(ArgumentsOfCommandLine(command_line), arguments) << Utf8FromWide(command_line);
  }
}

// Run in a child process that the test below starts with a raw command line; it writes the words
// it reads, each ended by "|", into the folder named in KESTRO_ARGUMENT_TEXT_FOLDER.
TEST(ArgumentTextChild, WritesTheWordsItWasGiven) {
  const char* folder = std::getenv("KESTRO_ARGUMENT_TEXT_FOLDER");
  if (folder == nullptr) GTEST_SKIP() << "only runs as the child of ArgumentTextTest";
  std::string words;
  for (const std::string& word : ArgumentWords(0, nullptr)) words += word + "|";
  WindowsTestTree::AddFile(folder, "arguments.txt", words);
}

// The words are split once from the raw text after the program's name, by the quote rule: blanks
// at the end, as cmd leaves before "> file", make no word.
TEST(ArgumentTextTest, AChildProcessSplitsTheRawTextAfterItsName) {
  WindowsTestTree tree;
  const std::string folder = tree.NewFolder();
  wchar_t self[MAX_PATH + 1] = {};
  ASSERT_GT(GetModuleFileNameW(nullptr, self, MAX_PATH + 1), 0u);
  ASSERT_TRUE(SetEnvironmentVariableW(L"KESTRO_ARGUMENT_TEXT_FOLDER", TestPath(folder).c_str()));
  // The runtime joins these with one blank and quotes nothing: the child gets them as they are.
  const std::wstring name = L"\"" + std::wstring(self) + L"\"  ";
  for (const auto& [arguments, words] : {
           std::pair<std::wstring, std::string>{
               L"--gtest_filter=ArgumentTextChild.*  \"C:\\My Photos\"  -F \"*.doc\" "
               L"-L \x00DCn\x00EF$NAME  ",
               "--gtest_filter=ArgumentTextChild.*||C:\\My Photos||-F|*.doc|-L|"
               "\xC3\x9Cn\xC3\xAF$NAME|"},
           {L"--gtest_filter=ArgumentTextChild.* x\"y\" \"say \"hi\" now\" \"\" ? ",
            "--gtest_filter=ArgumentTextChild.*|xy|say hi now||?|"},
       }) {
    SCOPED_TRACE(words);
    EXPECT_EQ(_wspawnl(_P_WAIT, self, name.c_str(), arguments.c_str(), nullptr), 0);
    EXPECT_EQ(tree.Content(folder, "arguments.txt"), words);
  }
  SetEnvironmentVariableW(L"KESTRO_ARGUMENT_TEXT_FOLDER", nullptr);
}

}  // namespace
}  // namespace kestro
