// Form1Window's session: on Quit the state's fields (batch/session_settings.h) and the window's
// placement, by Windows' own record of it (its normal frame, and whether it is maximised), go to
// the settings; the next start brings them back, on a screen that exists.
#include <windows.h>

#include <cmath>

#include "batch/session_settings.h"
#include "winui/form1_window.h"
#include "winui/win32_fonts.h"

namespace kestro {
namespace {

// A window placement's rectangles are in workspace coordinates: the primary screen's room for
// windows begins at (0, 0). The offset from them to the desktop's.
POINT WorkspaceOrigin() {
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  return {work.left, work.top};
}

// The room for windows of the screen nearest to `frame`.
PixelRect WorkAreaNear(const RECT& frame) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!GetMonitorInfoW(MonitorFromRect(&frame, MONITOR_DEFAULTTONEAREST), &monitor)) return {};
  const RECT& work = monitor.rcWork;
  return {work.left, work.top, work.right - work.left, work.bottom - work.top};
}

}  // namespace

void Form1Window::SaveSession() {
  kestro::SaveSession(state_, services_.settings);
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  if (!GetWindowPlacement(hwnd_, &placement)) return;
  const RECT& normal = placement.rcNormalPosition;
  const SIZE frame = OuterSize(0, 0, kWindowStyle, 0);
  const POINT origin = WorkspaceOrigin();
  SavedWindow saved;
  // The size in logical pixels, as the other window keeps it.
  saved.width = static_cast<int>(std::lround((normal.right - normal.left - frame.cx) / scale_));
  saved.height = static_cast<int>(std::lround((normal.bottom - normal.top - frame.cy) / scale_));
  saved.preview = preview_shown_;
  saved.maximized = placement.showCmd == SW_SHOWMAXIMIZED ||
                    (IsIconic(hwnd_) && (placement.flags & WPF_RESTORETOMAXIMIZED) != 0);
  saved.positioned = true;
  saved.left = normal.left + origin.x;
  saved.top = normal.top + origin.y;
  SaveWindowPlacement(saved, services_.settings);
}

void Form1Window::RestoreWindow() {
  SavedWindow saved = RestoreWindowPlacement(services_.settings);
  RECT frame{};
  GetWindowRect(hwnd_, &frame);
  if (saved.positioned) OffsetRect(&frame, saved.left - frame.left, saved.top - frame.top);
  // On the screen nearest to where it was, which is there, and no larger than it.
  const PixelRect work = WorkAreaNear(frame);
  const SIZE border = OuterSize(0, 0, kWindowStyle, 0);
  saved = FitToScreen(saved, static_cast<int>((work.width - border.cx) / scale_),
                      static_cast<int>((work.height - border.cy) / scale_));
  const Form1Sizes sizes = DesignSizes();
  // The size without the preview first, so the pickers get the extra width, then the preview.
  if (saved.width > 0) {
    const int width = static_cast<int>(std::lround(saved.width * scale_)) -
                      (saved.preview ? sizes.preview_width : 0);
    const int height = static_cast<int>(std::lround(saved.height * scale_));
    const SIZE size = OuterSize(std::max(width, sizes.design_width),
                                std::max(height, sizes.design_height), kWindowStyle, 0);
    SetWindowPos(hwnd_, nullptr, 0, 0, size.cx, size.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (saved.preview) {
    SendMessageW(Control("PreviewToggle"), BM_SETCHECK, BST_CHECKED, 0);
    preview_shown_ = true;
    ResizeForPreview();
    UpdatePreview();
  }
  RECT sized{};
  GetWindowRect(hwnd_, &sized);
  const PixelRect kept = KeepOnScreen(
      {frame.left, frame.top, sized.right - sized.left, sized.bottom - sized.top}, work);
  const POINT origin = WorkspaceOrigin();
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  placement.showCmd = SW_HIDE;  // shown by the caller, with show_command()
  placement.rcNormalPosition = {kept.x - origin.x, kept.y - origin.y,
                                kept.x - origin.x + kept.width, kept.y - origin.y + kept.height};
  SetWindowPlacement(hwnd_, &placement);
  show_command_ = saved.maximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
}

}  // namespace kestro
