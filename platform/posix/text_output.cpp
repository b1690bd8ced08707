#include "platform/text_output.h"

#include <csignal>

namespace kestro {

bool AlwaysADisplay() { return false; }

bool PrepareTextOutput() { return false; }

void KeepRunningWhenOutputCloses() { std::signal(SIGPIPE, SIG_IGN); }

}  // namespace kestro
