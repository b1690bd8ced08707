// GuideViewer, GuidePlainText and ShellDocumentOpener.
#include "winui/guide_viewer.h"

#include <commctrl.h>
#include <shellapi.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "winui/control_names.h"
#include "winui/dpi_change.h"
#include "winui/win32_fonts.h"
#include "winui/win32_text.h"

namespace kestro {
namespace {

constexpr wchar_t kClassName[] = L"KestrovaneGuide";

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

void AppendCodePoint(std::string& out, unsigned long cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x110000) {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

}  // namespace

std::string GuidePlainText(std::string_view html) {
  const std::string lower = Lower(html);
  std::string out;
  bool blank = true;  // the last thing written was a blank or a line end
  std::size_t i = 0;
  while (i < html.size()) {
    if (html[i] == '<') {
      const std::size_t end = html.find('>', i);
      if (end == std::string_view::npos) break;
      std::string tag = lower.substr(i + 1, end - i - 1);
      const std::size_t name_end = tag.find_first_of(" \t\r\n/", tag[0] == '/' ? 1 : 0);
      const std::string name = tag.substr(0, name_end);
      i = end + 1;
      // Whatever lies inside these is not for reading.
      for (const char* skipped : {"head", "script", "style", "title"}) {
        if (name == skipped) {
          const std::size_t close = lower.find(std::string("</") + skipped, i);
          i = close == std::string::npos ? html.size() : close;
        }
      }
      static const char* const kLineTags[] = {"br", "p",   "/p",  "div", "/div", "h1",   "/h1",
                                              "h2", "/h2", "h3",  "/h3", "h4",   "/h4",  "li",
                                              "tr", "/tr", "/ul", "/ol", "pre",  "/pre", "hr"};
      for (const char* line_tag : kLineTags) {
        if (name == line_tag) {
          if (!out.empty() && out.back() != '\n') out += "\r\n";
          // A heading stands off from the text above it by a blank line.
          const bool heading =
              name.size() == 2 && name[0] == 'h' && name[1] >= '1' && name[1] <= '4';
          const bool blank_above =
              out.size() >= 4 && out.compare(out.size() - 4, 4, "\r\n\r\n") == 0;
          if (heading && !out.empty() && !blank_above) out += "\r\n";
          if (name == "li") out += "\xE2\x80\xA2 ";
          blank = true;
        }
      }
      continue;
    }
    if (html[i] == '&') {
      const std::size_t end = html.find(';', i);
      if (end != std::string_view::npos && end - i <= 10) {
        const std::string entity = lower.substr(i + 1, end - i - 1);
        std::string decoded;
        if (entity == "amp") decoded = "&";
        if (entity == "lt") decoded = "<";
        if (entity == "gt") decoded = ">";
        if (entity == "quot") decoded = "\"";
        if (entity == "apos") decoded = "'";
        if (entity == "nbsp") decoded = " ";
        if (entity.size() > 1 && entity[0] == '#') {
          const bool hex = entity[1] == 'x';
          AppendCodePoint(decoded,
                          std::strtoul(entity.c_str() + (hex ? 2 : 1), nullptr, hex ? 16 : 10));
        }
        if (!decoded.empty()) {
          out += decoded;
          blank = false;
          i = end + 1;
          continue;
        }
      }
    }
    const char c = html[i++];
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
      if (!blank) out += ' ';
      blank = true;
    } else {
      out += c;
      blank = false;
    }
  }
  return out;
}

GuideViewer::GuideViewer(const std::string& text) {
  RegisterWindowClass(kClassName, WindowProc);
  scale_ = ScreenScale();
  const double scale = scale_;
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  hwnd_ = CreateWindowExW(0, kClassName, L"Kestrovane - User Guide", WS_OVERLAPPEDWINDOW,
                          CW_USEDEFAULT, CW_USEDEFAULT, static_cast<int>(720 * scale),
                          static_cast<int>(540 * scale), nullptr, nullptr, instance, nullptr);
  if (hwnd_ == nullptr) return;
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetControlName(hwnd_, "GuideViewer");
  text_ = CreateWindowExW(
      0, L"EDIT", L"",
      WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, 0, 0, 0, 0,
      hwnd_, nullptr, instance, nullptr);
  SetControlName(text_, "GuideText");
  SetWindowSubclass(text_, TextProc, 0, 0);
  font_ = DialogFont(10);
  SetFontOnAll(hwnd_, font_);
  SendMessageW(text_, EM_SETLIMITTEXT, 0, 0);
  SetWindowTextUtf8(text_, text);
  RECT client{};
  GetClientRect(hwnd_, &client);
  MoveWindow(text_, 0, 0, client.right, client.bottom, TRUE);
  ShowWindow(hwnd_, SW_SHOWNORMAL);
  SetFocus(text_);
}

GuideViewer::~GuideViewer() {
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
  DeleteObject(font_);
}

LRESULT CALLBACK GuideViewer::TextProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam,
                                       UINT_PTR, DWORD_PTR) {
  // Esc closes the window, as it closes a dialog: the text, which takes every key, passes it on.
  if (message == WM_KEYDOWN && wparam == VK_ESCAPE) {
    PostMessageW(GetParent(hwnd), WM_CLOSE, 0, 0);
    return 0;
  }
  return DefSubclassProc(hwnd, message, wparam, lparam);
}

LRESULT CALLBACK GuideViewer::WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* self = reinterpret_cast<GuideViewer*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self != nullptr) {
    if (message == WM_COMMAND && LOWORD(wparam) == IDCANCEL) {
      DestroyWindow(hwnd);
      return 0;
    }
    if (message == WM_SIZE && self->text_ != nullptr) {
      MoveWindow(self->text_, 0, 0, LOWORD(lparam), HIWORD(lparam), TRUE);
      return 0;
    }
    if (message == WM_DPICHANGED) {
      const double scale = DpiChangeScale(wparam);
      HFONT* const fonts[] = {&self->font_};
      RescaleWindow(hwnd, scale / self->scale_, fonts, *reinterpret_cast<const RECT*>(lparam));
      self->scale_ = scale;
      return 0;
    }
    if (message == WM_DESTROY) {
      RemoveControlName(self->text_);
      RemoveControlName(hwnd);
      self->hwnd_ = nullptr;
      return 0;
    }
  }
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

Status ShellDocumentOpener::Open(const std::string& path) {
  const std::wstring wide = Wide(path);
  // A missing guide is said by the caller's message alone, not by a box of the shell's as well.
  std::error_code error;
  if (!std::filesystem::is_regular_file(std::filesystem::path(wide), error)) {
    return Status::Error(Status::Code::kNotFound, "'" + path + "': no such file");
  }
  SHELLEXECUTEINFOW shell{};
  shell.cbSize = sizeof(shell);
  shell.fMask = SEE_MASK_FLAG_NO_UI;
  shell.lpVerb = L"open";
  shell.lpFile = wide.c_str();
  shell.nShow = SW_SHOWNORMAL;
  if (ShellExecuteExW(&shell)) return Status();
  // No program for it: the program's own viewer shows the text.
  std::ifstream in(std::filesystem::path(wide), std::ios::binary);
  if (!in) {
    return Status::Error(Status::Code::kIoError, "'" + path + "': cannot be read");
  }
  std::ostringstream html;
  html << in.rdbuf();
  viewer_ = std::make_unique<GuideViewer>(GuidePlainText(html.str()));
  SetForegroundWindow(viewer_->hwnd());
  return Status();
}

std::string GuideBesideProgram() {
  wchar_t program[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(nullptr, program, MAX_PATH);
  std::wstring folder(program, length);
  folder.resize(folder.find_last_of(L"\\/") == std::wstring::npos ? 0
                                                                  : folder.find_last_of(L"\\/"));
  return Utf8(folder) + "\\manual.htm";
}

}  // namespace kestro
