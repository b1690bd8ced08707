#include "batch/newest_request_worker.h"

#include <utility>

namespace kestro {

NewestRequestWorker::NewestRequestWorker() : thread_([this] { Loop(); }) {}

NewestRequestWorker::~NewestRequestWorker() {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    quit_ = true;
    ++generation_;
    pending_.reset();
  }
  wake_.notify_all();
  thread_.join();
}

std::uint64_t NewestRequestWorker::Request(Work work) {
  std::uint64_t ticket = 0;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    ticket = ++generation_;
    pending_ = std::move(work);
  }
  wake_.notify_all();
  return ticket;
}

void NewestRequestWorker::Cancel() {
  const std::lock_guard<std::mutex> lock(mutex_);
  ++generation_;
  pending_.reset();
}

bool NewestRequestWorker::IsNewest(std::uint64_t ticket) const {
  const std::lock_guard<std::mutex> lock(mutex_);
  return ticket == generation_;
}

bool NewestRequestWorker::busy() const {
  const std::lock_guard<std::mutex> lock(mutex_);
  return running_ || pending_.has_value();
}

void NewestRequestWorker::Loop() {
  for (;;) {
    Work work;
    std::uint64_t ticket = 0;
    {
      std::unique_lock<std::mutex> lock(mutex_);
      running_ = false;
      wake_.wait(lock, [this] { return quit_ || pending_.has_value(); });
      if (quit_) return;
      work = std::move(*pending_);
      pending_.reset();
      ticket = generation_;
      running_ = true;
    }
    work([this, ticket] { return IsNewest(ticket); }, ticket);
  }
}

}  // namespace kestro
