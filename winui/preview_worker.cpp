// Win32PreviewWorker: a finished preview waits in the worker, not in the message: a window gone by
// then leaves nothing behind, and one that takes it late gets it only while it is still the newest.
#include "winui/preview_worker.h"

#include <utility>

namespace kestro {

void Win32PreviewWorker::Request(Work work) {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    finished_.reset();
  }
  worker_.Request(
      [this, work = std::move(work)](const std::function<bool()>& current, std::uint64_t ticket) {
        std::optional<PreviewTable> table = work(current);
        const std::lock_guard<std::mutex> lock(mutex_);
        if (!table || !current()) return;
        finished_ = std::move(table);
        finished_ticket_ = ticket;
        // The ticket fits WPARAM (64 bits on the only Windows built for).
        PostMessageW(window_, message_, static_cast<WPARAM>(ticket), 0);
      });
}

void Win32PreviewWorker::Cancel() {
  worker_.Cancel();
  const std::lock_guard<std::mutex> lock(mutex_);
  finished_.reset();
}

std::optional<PreviewTable> Win32PreviewWorker::Take(WPARAM ticket) {
  const std::lock_guard<std::mutex> lock(mutex_);
  if (!finished_ || finished_ticket_ != ticket || !worker_.IsNewest(ticket)) return std::nullopt;
  std::optional<PreviewTable> table = std::move(finished_);
  finished_.reset();
  return table;
}

}  // namespace kestro
