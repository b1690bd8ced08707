// Form1Window's outcome preview beside the window: its summary line and its rows (name, new
// name, outcome), worked out a moment after the last change by the batch's own rules, on a worker
// thread (winui/preview_worker.h) so that the window answers meanwhile.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "batch/form1_design.h"
#include "batch/form1_growth.h"
#include "batch/preview_summary.h"
#include "engine/printable_text.h"
#include "winui/control_names.h"
#include "winui/form1_window.h"
#include "winui/preview_worker.h"
#include "winui/win32_fonts.h"
#include "winui/win32_text.h"

namespace kestro {

void Form1Window::BuildPreview() {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  preview_summary_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | SS_LEFT | SS_NOPREFIX, 0, 0, 0,
                                     0, hwnd_, nullptr, instance, nullptr);
  SetControlName(preview_summary_, kPreviewSummaryName);
  preview_list_ = CreateWindowExW(
      WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
      WS_CHILD | WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_NOSORTHEADER | LVS_SHOWSELALWAYS, 0,
      0, 0, 0, hwnd_, nullptr, instance, nullptr);
  SetControlName(preview_list_, kPreviewListName);
  preview_worker_ = std::make_unique<Win32PreviewWorker>(hwnd_, kPreviewReady);
  SendMessageW(preview_list_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT,
               LVS_EX_FULLROWSELECT);
  SetPreviewColumns(false);
}

void Form1Window::SetPreviewColumns(bool dated) {
  while (SendMessageW(preview_list_, LVM_DELETECOLUMN, 0, 0) != FALSE) {
  }
  preview_dated_ = dated;
  const wchar_t* headings[] = {L"Name", L"New name", L"Outcome", L"Date"};
  const int plain[] = {30, 30, 40};
  const int with_date[] = {24, 24, 30, 22};
  const int width = TwipsToPixels(kForm1PreviewWidth - 108, scale_);
  for (int i = 0; i < (dated ? 4 : 3); ++i) {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<wchar_t*>(headings[i]);
    column.cx = width * (dated ? with_date[i] : plain[i]) / 100 - 4;
    SendMessageW(preview_list_, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
  }
}

void Form1Window::LayOutPreview() {
  // The summary line keeps its height; the rows take what the window grows by.
  const PixelRect list =
      GrownPlace(TwipsToPixels(TwipRect{kForm1DesignWidth + 36, 564, kForm1PreviewWidth - 108,
                                        kForm1ClientHeight - 564 - 72},
                               scale_),
                 Follow::kPreview, growth_);
  SetWindowPos(preview_summary_, nullptr, list.x, TwipsToPixels(72, scale_), list.width,
               TwipsToPixels(456, scale_), SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(preview_list_, nullptr, list.x, list.y, list.width, list.height,
               SWP_NOZORDER | SWP_NOACTIVATE);
  // The name columns widen with the preview, by the other window's rule.
  if (preview_columns_width_ < 0) preview_columns_width_ = list.width;
  const int third = PreviewColumnGain(list.width, &preview_columns_width_);
  // Never narrower than they start.
  const int least = TwipsToPixels(kForm1PreviewWidth - 108, scale_) * 30 / 100 - 4;
  for (int column = 0; third != 0 && column < 2; ++column) {
    const auto width = static_cast<int>(SendMessageW(preview_list_, LVM_GETCOLUMNWIDTH, column, 0));
    SendMessageW(preview_list_, LVM_SETCOLUMNWIDTH, column, std::max(least, width + third));
  }
}

void Form1Window::SchedulePreview() {
  // What is being worked out no longer matches the window.
  preview_worker_->Cancel();
  if (preview_shown_) SetTimer(hwnd_, kPreviewTimer, 200, nullptr);
}

void Form1Window::ResizeForPreview() {
  // The window widens by the preview, or narrows by all the preview had; a maximised one keeps
  // its size and shares it anew.
  ShowWindow(preview_summary_, preview_shown_ ? SW_SHOWNA : SW_HIDE);
  ShowWindow(preview_list_, preview_shown_ ? SW_SHOWNA : SW_HIDE);
  RECT client{};
  GetClientRect(hwnd_, &client);
  const int preview_width = DesignSizes().preview_width;
  const int width = preview_shown_ ? client.right + preview_width
                                   : client.right - preview_width - growth_.preview_extra;
  if (!IsZoomed(hwnd_) && !IsIconic(hwnd_)) {
    const SIZE size = OuterSize(width, client.bottom, kWindowStyle, 0);
    SetWindowPos(hwnd_, nullptr, 0, 0, size.cx, size.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  Resized();
}

void Form1Window::UpdatePreview() {
  KillTimer(hwnd_, kPreviewTimer);
  if (!preview_shown_) {
    preview_worker_->Cancel();
    return;
  }
  std::string folder = state_.TargetKind ? state_.dirs_folder : state_.files_folder;
  // The folder's names are read once and kept until a batch, an undo or another folder.
  std::shared_ptr<const FolderNames> names;
  if (!preview_names_stale_ && preview_names_ != nullptr && preview_names_->folder == folder) {
    names = preview_names_;
  }
  // The names are read and the preview worked out on the worker, which only lists the platform
  // and asks its name rules: nothing there is state that a batch on the window's thread changes.
  FileSystem* fs = &services_.fs;
  preview_worker_->Request(
      [state = state_, day = services_.clock.Today(), fs, folder = std::move(folder),
       names = std::move(names)](
          const std::function<bool()>& current) mutable -> std::optional<PreviewTable> {
        PreviewTable table;
        if (names == nullptr) {
          auto read = std::make_shared<FolderNames>();
          const Status status = ReadFolderNames(*fs, folder, read.get());
          table.names = read;
          table.names_read_ok = status.ok();
          if (!status.ok()) {
            table.summary = status.message();
            return table;
          }
          names = std::move(read);
        }
        const OutcomePreview preview =
            PreviewBatch(std::move(state), FixedClock(day), *fs, *names, current);
        if (!preview.complete) return std::nullopt;
        table.summary = PreviewSummary(preview, LocaleCount);
        if (!names->complete) table.summary += " Hidden entries are not taken into account.";
        table.rows = preview.rows.size();
        table.dated = !preview.rows.empty() && !preview.rows.front().date.empty();
        table.cells.reserve(table.rows * 4);
        for (const PreviewRow& row : preview.rows) {
          table.cells.push_back(Wide(PrintableText(row.outcome.old_name)));
          table.cells.push_back(row.why == PreviewRow::Why::kNoName
                                    ? std::wstring()
                                    : Wide(PrintableText(row.outcome.new_name)));
          table.cells.push_back(Wide(PrintableText(DescribeRow(row))));
          table.cells.push_back(Wide(PrintableText(row.date)));
        }
        return table;
      });
  SetWindowTextUtf8(preview_summary_, "Working out the outcome...");
}

void Form1Window::ShowPreview(WPARAM ticket) {
  std::optional<PreviewTable> table = preview_worker_->Take(ticket);
  if (!table || !preview_shown_) return;
  if (table->names != nullptr) {
    preview_names_ = std::move(table->names);
    preview_names_stale_ = !table->names_read_ok;
  }
  preview_cells_ = std::move(table->cells);
  if (table->dated != preview_dated_) SetPreviewColumns(table->dated);
  SetWindowTextUtf8(preview_summary_, table->summary);
  SendMessageW(preview_list_, LVM_SETITEMCOUNT, table->rows, 0);
  InvalidateRect(preview_list_, nullptr, TRUE);
}

}  // namespace kestro
