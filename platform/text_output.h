// Where the program can answer its caller: in windows, or in text on standard output and standard
// error. The program decides between the two from what these report (cli/front_end.h).
#pragma once

namespace kestro {

// Whether the system always has a display to show windows on: on Windows true; on Linux false, as
// there DISPLAY and WAYLAND_DISPLAY tell.
[[nodiscard]] bool AlwaysADisplay();

// Makes standard output and standard error lead where the caller wants text, and says whether the
// caller asked for text. On Windows the program is a window program, which gets no console of its
// own: a stream the caller gave (a pipe, a file, a console, NUL) is kept as it is; one it did not
// give is opened on the console of the process that started the program, when that has one (the
// console shows UTF-8 until the program ends). The caller asked for text when standard error then
// leads somewhere. On Linux the standard streams are always there and a caller asks for text by
// leaving no display: false.
[[nodiscard]] bool PrepareTextOutput();

// Lets the program run on when its caller stops reading its text (a closed pipe, "| head -c 100"):
// a write there then fails, and the stream it failed on writes nothing more, where the system
// would otherwise end the program midway through a batch. For a run in text: a program started
// afterwards would inherit it.
void KeepRunningWhenOutputCloses();

}  // namespace kestro
