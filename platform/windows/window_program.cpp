// StartWindowProgram: the Windows build has no window program yet.
#include "platform/window_program.h"

namespace kestro {

Status StartWindowProgram(int, char**) {
  return Status::Error(Status::Code::kNotSupported, "this build has no window");
}

}  // namespace kestro
