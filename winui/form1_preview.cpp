// Form1Window's outcome preview beside the window: its summary line and its rows (name, new
// name, outcome), worked out a moment after the last change by the batch's own rules.
#include <windows.h>

#include <commctrl.h>

#include "batch/form1_design.h"
#include "batch/preview_summary.h"
#include "engine/printable_text.h"
#include "winui/control_names.h"
#include "winui/form1_window.h"
#include "winui/win32_fonts.h"
#include "winui/win32_text.h"

namespace kestro {

void Form1Window::BuildPreview() {
  const int left = TwipsToPixels(kForm1DesignWidth + 36, scale_);
  const int width = TwipsToPixels(kForm1PreviewWidth - 108, scale_);
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  preview_summary_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | SS_LEFT | SS_NOPREFIX, left,
                                     TwipsToPixels(72, scale_), width, TwipsToPixels(456, scale_),
                                     hwnd_, nullptr, instance, nullptr);
  SetControlName(preview_summary_, "PreviewSummary");
  preview_list_ = CreateWindowExW(
      WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
      WS_CHILD | WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_NOSORTHEADER | LVS_SHOWSELALWAYS,
      left, TwipsToPixels(564, scale_), width, TwipsToPixels(kForm1ClientHeight - 564 - 72, scale_),
      hwnd_, nullptr, instance, nullptr);
  SetControlName(preview_list_, "PreviewList");
  SendMessageW(preview_list_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT,
               LVS_EX_FULLROWSELECT);
  const wchar_t* headers[] = {L"Name", L"New name", L"Outcome"};
  const int widths[] = {30, 30, 40};
  for (int i = 0; i < 3; ++i) {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<wchar_t*>(headers[i]);
    column.cx = width * widths[i] / 100 - 4;
    SendMessageW(preview_list_, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
  }
}

void Form1Window::SchedulePreview() {
  if (preview_shown_) SetTimer(hwnd_, kPreviewTimer, 200, nullptr);
}

void Form1Window::ResizeForPreview() {
  const int width = kForm1DesignWidth + (preview_shown_ ? kForm1PreviewWidth : 0);
  const SIZE size = OuterSize(TwipsToPixels(width, scale_),
                              TwipsToPixels(kForm1ClientHeight, scale_), kWindowStyle, 0);
  SetWindowPos(hwnd_, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ShowWindow(preview_summary_, preview_shown_ ? SW_SHOWNA : SW_HIDE);
  ShowWindow(preview_list_, preview_shown_ ? SW_SHOWNA : SW_HIDE);
}

void Form1Window::UpdatePreview() {
  KillTimer(hwnd_, kPreviewTimer);
  if (!preview_shown_) return;
  const std::string& folder = state_.TargetKind ? state_.dirs_folder : state_.files_folder;
  std::string summary;
  preview_ = OutcomePreview{};
  if (preview_names_stale_ || preview_names_.folder != folder) {
    preview_names_ = FolderNames{};
    const Status read = ReadFolderNames(services_.fs, folder, &preview_names_);
    if (!read.ok()) summary = read.message();
    preview_names_stale_ = !read.ok();
  }
  if (summary.empty()) {
    // A key or a click meanwhile starts it over, so a large folder never holds the window up.
    preview_ = PreviewBatch(state_, services_.clock, services_.fs, preview_names_,
                            [] { return HIWORD(GetQueueStatus(QS_KEY | QS_MOUSEBUTTON)) == 0; });
    if (!preview_.complete) {
      SetWindowTextUtf8(preview_summary_, "Working out the outcome...");
      SchedulePreview();
      return;
    }
    summary = PreviewSummary(preview_, LocaleCount);
    if (!preview_names_.complete) summary += " Hidden entries are not taken into account.";
  }
  preview_cells_.clear();
  preview_cells_.reserve(preview_.rows.size() * 3);
  for (const PreviewRow& row : preview_.rows) {
    preview_cells_.push_back(Wide(PrintableText(row.outcome.old_name)));
    preview_cells_.push_back(Wide(PrintableText(row.outcome.new_name)));
    preview_cells_.push_back(Wide(PrintableText(DescribeRow(row))));
  }
  SetWindowTextUtf8(preview_summary_, summary);
  SendMessageW(preview_list_, LVM_SETITEMCOUNT, preview_.rows.size(), 0);
  InvalidateRect(preview_list_, nullptr, TRUE);
}

}  // namespace kestro
