// Computes outcome previews away from the window's thread: the newest request wins, an older one
// still running stops at its next entry, and each finished preview is handed back on the thread
// that owns the worker.
#pragma once

#include <QObject>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "batch/outcome_preview.h"
#include "engine/calendar_date.h"

namespace kestro {

class PreviewWorker : public QObject {
 public:
  using Ready = std::function<void(std::shared_ptr<const OutcomePreview>)>;

  // `platform` gives the separator rule only (FileSystem::HoldsSeparator, which reads no state);
  // `ready` is called on this object's thread with each preview that is still the newest.
  PreviewWorker(const FileSystem& platform, Ready ready, QObject* parent = nullptr);
  ~PreviewWorker() override;
  PreviewWorker(const PreviewWorker&) = delete;
  PreviewWorker& operator=(const PreviewWorker&) = delete;

  // Previews `state` (a copy the worker keeps) in the folder of `names` on `day`. Whatever was
  // asked before is dropped.
  void Request(WindowState state, std::shared_ptr<const FolderNames> names, CalendarDate day);
  // Drops whatever was asked; nothing more is handed back until the next request.
  void Cancel();
  // Whether a request is waiting or running.
  [[nodiscard]] bool busy() const;

 private:
  struct Job {
    WindowState state;
    std::shared_ptr<const FolderNames> names;
    CalendarDate day;
    std::uint64_t generation = 0;
  };
  void Loop();

  const FileSystem& platform_;
  Ready ready_;
  mutable std::mutex mutex_;
  std::condition_variable wake_;
  std::optional<Job> pending_;
  bool running_ = false;
  bool quit_ = false;
  std::uint64_t generation_ = 0;  // of the newest request; guarded by mutex_
  std::thread thread_;
};

}  // namespace kestro
