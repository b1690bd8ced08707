#include "platform/argument_text.h"

namespace kestro {

CommandWords ArgumentWords(int argc, char** argv) {
  CommandWords words;
  for (int i = 1; i < argc; ++i) words.emplace_back(argv[i]);
  return words;
}

}  // namespace kestro
