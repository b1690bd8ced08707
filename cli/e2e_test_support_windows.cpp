#include <windows.h>

#include <cstdlib>

#include "batch/journal.h"
#include "cli/e2e_test_support.h"
#include "engine/command_args.h"
#include "platform/windows/wide_text.h"

namespace kestro::e2e {
namespace {

constexpr wchar_t kSettingsKey[] = L"Software\\Vintrellos\\Kestrovane";
constexpr const wchar_t* kSettingNames[] = {L"LastDir", L"Splash"};

std::optional<std::wstring> RegistryValue(const wchar_t* name) {
  wchar_t value[2048];
  DWORD size = sizeof value;
  if (RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, name, RRF_RT_REG_SZ, nullptr, value, &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  return value;
}

HANDLE Inheritable(const fs::path& path, DWORD access, DWORD disposition) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  return CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                     disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

const bool kRunsWithoutDisplay = false;
const bool kWordsAsOneLine = true;
const char kLineEnd[] = "\r\n";
const int kFilesOfAKilledBatch = 2000;

struct ProgramHome::Saved {
  std::optional<std::wstring> settings[std::size(kSettingNames)];
  fs::path journal = WideFromUtf8(UserJournalFolder().folder()).value();  // the program's
  fs::path journal_aside = journal.wstring() + L" (put aside by a test)";
};

ProgramHome::ProgramHome() : saved_(std::make_unique<Saved>()) {
  const char* drive = std::getenv("KESTRO_E2E_DRIVE");
  const fs::path base =
      drive != nullptr ? fs::path(std::string(drive) + "\\") : fs::temp_directory_path();
  for (int n = 0; !fs::create_directory(folder_ = base / ("kestro-e2e-" +
                                                          std::to_string(GetCurrentProcessId()) +
                                                          "-" + std::to_string(n)));
       ++n) {
  }
  for (std::size_t i = 0; i < std::size(kSettingNames); ++i) {
    saved_->settings[i] = RegistryValue(kSettingNames[i]);
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kSettingsKey, kSettingNames[i]);
  }
  if (fs::exists(saved_->journal)) fs::rename(saved_->journal, saved_->journal_aside);
}

ProgramHome::~ProgramHome() {
  std::error_code ignored;
  fs::remove_all(folder_, ignored);
  for (std::size_t i = 0; i < std::size(kSettingNames); ++i) {
    const std::optional<std::wstring>& value = saved_->settings[i];
    if (!value) {
      RegDeleteKeyValueW(HKEY_CURRENT_USER, kSettingsKey, kSettingNames[i]);
    } else {
      RegSetKeyValueW(HKEY_CURRENT_USER, kSettingsKey, kSettingNames[i], REG_SZ, value->c_str(),
                      static_cast<DWORD>((value->size() + 1) * sizeof(wchar_t)));
    }
  }
  fs::remove_all(saved_->journal, ignored);
  if (fs::exists(saved_->journal_aside)) fs::rename(saved_->journal_aside, saved_->journal);
}

std::optional<std::string> ProgramHome::Setting(const std::string& key) const {
  const std::optional<std::wstring> value = RegistryValue(WideFromUtf8(key).value().c_str());
  if (!value) return std::nullopt;
  return Utf8FromWide(*value);
}

bool ProgramHome::JournalWritten() const { return fs::exists(saved_->journal); }

void Hide(const fs::path& path) {
  SetFileAttributesW(path.c_str(), GetFileAttributesW(path.c_str()) | FILE_ATTRIBUTE_HIDDEN);
}

namespace {

// kestro started with `arguments` after its quoted name and one blank, as they stand.
std::intptr_t Start(const std::wstring& arguments, const fs::path& cwd, const ProgramHome& home,
                    Output output) {
  // The build machine's path; under Wine a Linux path, which drive Z: holds.
  std::string program = KESTRO_BINARY;
  if (program.starts_with('/')) program = "Z:" + program;
  std::wstring command_line =
      L"\"" + fs::path(program).make_preferred().wstring() + L"\" " + arguments;
  const HANDLE in = Inheritable("NUL", GENERIC_READ, OPEN_EXISTING);
  HANDLE out = INVALID_HANDLE_VALUE;
  HANDLE err = INVALID_HANDLE_VALUE;
  if (output == Output::kClosedPipe) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE unread = nullptr;
    if (!CreatePipe(&unread, &out, &inherit, 0)) std::abort();
    CloseHandle(unread);
    DuplicateHandle(GetCurrentProcess(), out, GetCurrentProcess(), &err, 0, TRUE,
                    DUPLICATE_SAME_ACCESS);
  } else {
    out = Inheritable(home.folder() / "out", GENERIC_WRITE, CREATE_ALWAYS);
    err = Inheritable(home.folder() / "err", GENERIC_WRITE, CREATE_ALWAYS);
  }
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = in;
  startup.hStdOutput = out;
  startup.hStdError = err;
  PROCESS_INFORMATION started{};
  std::intptr_t process = 0;
  if (CreateProcessW(nullptr, command_line.data(), nullptr, nullptr, TRUE, 0, nullptr, cwd.c_str(),
                     &startup, &started)) {
    CloseHandle(started.hThread);
    process = reinterpret_cast<std::intptr_t>(started.hProcess);
  }
  for (const HANDLE handle : {in, out, err}) CloseHandle(handle);
  return process;
}

}  // namespace

// The command line a user would type: the words joined by the program's own rule, which splits
// them back as they were.
KestroRun::KestroRun(const Words& arguments, const fs::path& cwd, const ProgramHome& home,
                     Output output)
    : process_(Start(WideFromUtf8(JoinArguments(arguments)).value(), cwd, home, output)) {}

KestroRun::KestroRun(const TypedLine& line, const fs::path& cwd, const ProgramHome& home)
    : process_(Start(WideFromUtf8(line.text).value(), cwd, home, Output::kFiles)) {}

int KestroRun::Wait() {
  if (process_ == 0) return -1;
  const HANDLE process = reinterpret_cast<HANDLE>(process_);
  if (WaitForSingleObject(process, 30000) != WAIT_OBJECT_0) {
    Kill();
    return 124;
  }
  DWORD status = 0;
  GetExitCodeProcess(process, &status);
  CloseHandle(process);
  process_ = 0;
  return static_cast<int>(status);
}

void KestroRun::Kill() {
  if (process_ == 0) return;
  const HANDLE process = reinterpret_cast<HANDLE>(process_);
  TerminateProcess(process, 137);
  WaitForSingleObject(process, INFINITE);
  CloseHandle(process);
  process_ = 0;
}

}  // namespace kestro::e2e
