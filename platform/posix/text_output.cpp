#include "platform/text_output.h"

namespace kestro {

bool AlwaysADisplay() { return false; }

bool PrepareTextOutput() { return false; }

}  // namespace kestro
