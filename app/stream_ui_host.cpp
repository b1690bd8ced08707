#include "app/stream_ui_host.h"

namespace kestro {

void StreamUiHost::ShowMessage(const Message& message) {
  err_ << "kestro: " << message.text << '\n';
  err_.flush();
}

}  // namespace kestro
