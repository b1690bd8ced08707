// kestro: batch renaming of the files or sub-directories of a folder, from the main window or
// from the command line "kestro <path> <mode> <options>".
#include "ui/entry.h"

int main(int argc, char** argv) { return kestro::RunKestro(argc, argv); }
