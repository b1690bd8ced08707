// Works the outcome preview out away from the window's thread, as the Qt window does: the newest
// request wins, an older one still running stops at its next entry, and each finished preview is
// announced to the window by a posted message and taken there.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "batch/newest_request_worker.h"
#include "batch/simulated_folder.h"

namespace kestro {

// A preview as the window shows it: the line above the list and the list's cells, all made on
// the worker, so the window only hands them to its controls.
struct PreviewTable {
  std::string summary;
  std::vector<std::wstring> cells;  // four per row: name, new name, outcome, date
  std::size_t rows = 0;
  // The rows carry the entries' own dates (the operation uses them): the date column is shown.
  bool dated = false;
  // The folder's names, when the work read them (to keep for the next preview); read_ok: they
  // were read without failure.
  std::shared_ptr<const FolderNames> names;
  bool names_read_ok = true;
};

class Win32PreviewWorker {
 public:
  // The work of one request; it asks `current` as often as it can and gives up (no value) once
  // `current` says a newer request came.
  using Work = std::function<std::optional<PreviewTable>(const std::function<bool()>& current)>;

  // Each finished preview still the newest posts `message` to `window`, its ticket in WPARAM.
  Win32PreviewWorker(HWND window, UINT message) : window_(window), message_(message) {}

  // Whatever was asked before is dropped.
  void Request(Work work);
  // Drops whatever was asked; nothing more is announced until the next request.
  void Cancel();
  // On the window's thread, on the posted message: the preview of `ticket` if it is still the
  // newest and not taken yet.
  std::optional<PreviewTable> Take(WPARAM ticket);

 private:
  HWND window_;
  UINT message_;
  std::mutex mutex_;  // guards the finished preview
  std::optional<PreviewTable> finished_;
  std::uint64_t finished_ticket_ = 0;
  NewestRequestWorker worker_;  // last: its thread stops before the rest goes
};

}  // namespace kestro
