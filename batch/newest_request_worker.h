// One thread that works requests in turn where only the newest counts: a request drops whatever
// was asked before it, work still running for an older one is told so (it stops at its next
// entry), and the result of a request that is no longer the newest is never handed on. Each
// window wraps it and brings the result to its own thread in its own toolkit's way.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

namespace kestro {

class NewestRequestWorker {
 public:
  // The work of one request, on the worker's thread. It asks `current` as often as it can and
  // gives up once `current` says a newer request came; `ticket` names the request.
  using Work = std::function<void(const std::function<bool()>& current, std::uint64_t ticket)>;

  NewestRequestWorker();
  // Stops the work running (at its next entry) and waits for it.
  ~NewestRequestWorker();
  NewestRequestWorker(const NewestRequestWorker&) = delete;
  NewestRequestWorker& operator=(const NewestRequestWorker&) = delete;

  // Whatever was asked before is dropped. Returns the request's ticket.
  std::uint64_t Request(Work work);
  // Drops whatever was asked.
  void Cancel();
  // Whether the request of `ticket` is still the newest: asked before a result is handed on.
  [[nodiscard]] bool IsNewest(std::uint64_t ticket) const;
  // Whether a request is waiting or running.
  [[nodiscard]] bool busy() const;

 private:
  void Loop();

  mutable std::mutex mutex_;
  std::condition_variable wake_;
  std::optional<Work> pending_;
  bool running_ = false;
  bool quit_ = false;
  std::uint64_t generation_ = 0;  // the newest request's ticket
  std::thread thread_;
};

}  // namespace kestro
