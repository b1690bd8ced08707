// PreviewWorker: one thread that takes the newest request and drops the stale ones.
#include "ui/preview_worker.h"

#include <utility>

namespace kestro {

PreviewWorker::PreviewWorker(const FileSystem& platform, Ready ready, QObject* parent)
    : QObject(parent), platform_(platform), ready_(std::move(ready)) {
  thread_ = std::thread([this] { Loop(); });
}

PreviewWorker::~PreviewWorker() {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    quit_ = true;
    ++generation_;
    pending_.reset();
  }
  wake_.notify_all();
  thread_.join();
}

void PreviewWorker::Request(WindowState state, std::shared_ptr<const FolderNames> names,
                            CalendarDate day) {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    pending_ = Job{std::move(state), std::move(names), day, ++generation_};
  }
  wake_.notify_all();
}

void PreviewWorker::Cancel() {
  const std::lock_guard<std::mutex> lock(mutex_);
  ++generation_;
  pending_.reset();
}

bool PreviewWorker::busy() const {
  const std::lock_guard<std::mutex> lock(mutex_);
  return running_ || pending_.has_value();
}

void PreviewWorker::Loop() {
  for (;;) {
    Job job;
    {
      std::unique_lock<std::mutex> lock(mutex_);
      running_ = false;
      wake_.wait(lock, [this] { return quit_ || pending_.has_value(); });
      if (quit_) return;
      job = std::move(*pending_);
      pending_.reset();
      running_ = true;
    }
    auto current = [this, generation = job.generation] {
      const std::lock_guard<std::mutex> lock(mutex_);
      return generation == generation_;
    };
    auto preview = std::make_shared<const OutcomePreview>(
        PreviewBatch(std::move(job.state), FixedClock(job.day), platform_, *job.names, current));
    if (!current()) continue;
    // Handed over on this object's thread; dropped there if a newer request came meanwhile, and
    // by Qt if the worker is gone by then.
    QMetaObject::invokeMethod(
        this,
        [this, preview, generation = job.generation] {
          bool newest = false;
          {
            const std::lock_guard<std::mutex> lock(mutex_);
            newest = generation == generation_;
          }
          if (newest) ready_(preview);
        },
        Qt::QueuedConnection);
  }
}

}  // namespace kestro
