// The program's own viewer of the user guide, for when the desktop has no browser for it: the
// guide's text in a read-only window, and the shell opener that falls back to it.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>

#include "platform/document_opener.h"

namespace kestro {

// The text of an HTML page for reading: the tags dropped, the common entities decoded, one line
// per paragraph, heading, list item or line break; the head, scripts and styles left out.
[[nodiscard]] std::string GuidePlainText(std::string_view html);

class GuideViewer {
 public:
  // Shows `text` (UTF-8) in a window of its own.
  explicit GuideViewer(const std::string& text);
  ~GuideViewer();
  GuideViewer(const GuideViewer&) = delete;
  GuideViewer& operator=(const GuideViewer&) = delete;
  [[nodiscard]] HWND hwnd() const { return hwnd_; }

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK TextProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam,
                                   UINT_PTR id, DWORD_PTR data);
  HWND hwnd_ = nullptr;
  HWND text_ = nullptr;
  HFONT font_ = nullptr;
  double scale_ = 1.0;  // the DPI over 96 the window is laid out at
};

// Opens a document in the shell's default program for it (the browser, for the guide); where the
// shell cannot, the guide is shown in the program's own viewer. Fails only when neither can.
class ShellDocumentOpener : public DocumentOpener {
 public:
  Status Open(const std::string& path) override;

 private:
  std::unique_ptr<GuideViewer> viewer_;
};

// "manual.htm" beside the program.
[[nodiscard]] std::string GuideBesideProgram();

}  // namespace kestro
