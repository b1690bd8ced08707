#include "platform/argument_text.h"

#include <vector>

#include "engine/command_args.h"

namespace kestro {

std::string ArgumentText(int argc, char** argv) {
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) arguments.emplace_back(argv[i]);
  return JoinArguments(arguments);
}

}  // namespace kestro
