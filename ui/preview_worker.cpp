#include "ui/preview_worker.h"

#include <utility>

namespace kestro {

PreviewWorker::PreviewWorker(const FileSystem& platform, Ready ready, QObject* parent)
    : QObject(parent), platform_(platform), ready_(std::move(ready)) {}

void PreviewWorker::Request(WindowState state, std::shared_ptr<const FolderNames> names,
                            CalendarDate day) {
  worker_.Request([this, state = std::move(state), names = std::move(names), day](
                      const std::function<bool()>& current, std::uint64_t ticket) {
    auto preview = std::make_shared<const OutcomePreview>(
        PreviewBatch(state, FixedClock(day), platform_, *names, current));
    if (!current()) return;
    // Handed over on this object's thread; dropped there if a newer request came meanwhile, and
    // by Qt if the worker is gone by then.
    QMetaObject::invokeMethod(
        this,
        [this, preview, ticket] {
          if (worker_.IsNewest(ticket)) ready_(preview);
        },
        Qt::QueuedConnection);
  });
}

}  // namespace kestro
