#include "batch/messages_above.h"

#include <algorithm>

namespace kestro {

void MessagesAbove::ShowMessage(const Message& message) {
  if (std::find(shown_.begin(), shown_.end(), message.text) != shown_.end()) return;
  shown_.push_back(message.text);
  progress_.ShowUncovered(ui_, message);
}

}  // namespace kestro
