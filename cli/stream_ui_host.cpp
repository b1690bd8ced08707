#include "cli/stream_ui_host.h"

#include "engine/printable_text.h"

namespace kestro {

void StreamUiHost::ShowMessage(const Message& message) {
  err_ << "kestro: " << PrintableText(message.text) << '\n';
  err_.flush();
}

}  // namespace kestro
