// Win32PreviewWorker: one thread that takes the newest request and drops the stale ones. A
// finished preview waits in the worker, not in the message: a window gone by then leaves nothing
// behind, and one that takes it late gets it only while it is still the newest.
#include "winui/preview_worker.h"

#include <utility>

namespace kestro {

Win32PreviewWorker::Win32PreviewWorker(HWND window, UINT message)
    : window_(window), message_(message) {
  thread_ = std::thread([this] { Loop(); });
}

Win32PreviewWorker::~Win32PreviewWorker() {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    quit_ = true;
    ++generation_;
    pending_.reset();
  }
  wake_.notify_all();
  thread_.join();
}

void Win32PreviewWorker::Request(Work work) {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    ++generation_;
    pending_ = std::move(work);
    finished_.reset();
  }
  wake_.notify_all();
}

void Win32PreviewWorker::Cancel() {
  const std::lock_guard<std::mutex> lock(mutex_);
  ++generation_;
  pending_.reset();
  finished_.reset();
}

std::optional<PreviewTable> Win32PreviewWorker::Take(WPARAM ticket) {
  const std::lock_guard<std::mutex> lock(mutex_);
  if (!finished_ || finished_generation_ != ticket || ticket != generation_) return std::nullopt;
  std::optional<PreviewTable> table = std::move(finished_);
  finished_.reset();
  return table;
}

void Win32PreviewWorker::Loop() {
  for (;;) {
    Work work;
    std::uint64_t generation = 0;
    {
      std::unique_lock<std::mutex> lock(mutex_);
      wake_.wait(lock, [this] { return quit_ || pending_.has_value(); });
      if (quit_) return;
      work = std::move(*pending_);
      pending_.reset();
      generation = generation_;
    }
    const auto current = [this, generation] {
      const std::lock_guard<std::mutex> lock(mutex_);
      return generation == generation_;
    };
    std::optional<PreviewTable> table = work(current);
    const std::lock_guard<std::mutex> lock(mutex_);
    if (!table || generation != generation_) continue;
    finished_ = std::move(table);
    finished_generation_ = generation;
    // The ticket fits WPARAM (64 bits on the only Windows built for).
    PostMessageW(window_, message_, static_cast<WPARAM>(generation), 0);
  }
}

}  // namespace kestro
