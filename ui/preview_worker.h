// Computes outcome previews away from the window's thread (batch/newest_request_worker.h): the
// newest request wins, and each finished preview is handed back on the thread that owns the worker.
#pragma once

#include <QObject>
#include <functional>
#include <memory>

#include "batch/newest_request_worker.h"
#include "batch/outcome_preview.h"
#include "engine/calendar_date.h"

namespace kestro {

class PreviewWorker : public QObject {
 public:
  using Ready = std::function<void(std::shared_ptr<const OutcomePreview>)>;

  // `platform` gives the separator rule only (FileSystem::HoldsSeparator, which reads no state);
  // `ready` is called on this object's thread with each preview that is still the newest.
  PreviewWorker(const FileSystem& platform, Ready ready, QObject* parent = nullptr);

  // Previews `state` (a copy the worker keeps) in the folder of `names` on `day`. Whatever was
  // asked before is dropped.
  void Request(WindowState state, std::shared_ptr<const FolderNames> names, CalendarDate day);
  // Drops whatever was asked; nothing more is handed back until the next request.
  void Cancel() { worker_.Cancel(); }
  // Whether a request is waiting or running.
  [[nodiscard]] bool busy() const { return worker_.busy(); }

 private:
  const FileSystem& platform_;
  Ready ready_;
  NewestRequestWorker worker_;  // last: its thread stops before the rest goes
};

}  // namespace kestro
