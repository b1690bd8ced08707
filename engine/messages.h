// The program's own message texts and titles, in one place, exactly as the user sees them.
#pragma once

namespace kestro::messages {

inline constexpr char kErrorTitle[] = "Error!";
inline constexpr char kProgramTitle[] = "Kestrovane";
inline constexpr char kErroneousValues[] = "You have entered erraneous values!";
inline constexpr char kWrongCommands[] = "Wrong Commands!";
inline constexpr char kFillRequiredFields[] = "Error! You need to fill in all required fields!";
inline constexpr char kSelectFiles[] = "You need to select some files to process!";
inline constexpr char kSelectDirectories[] = "You need to select some directories to process!";
inline constexpr char kSmartFileModeFilesOnly[] = "Error! This mode only works on files!";
inline constexpr char kGuideNotOpened[] = "The user guide could not be opened: ";

}  // namespace kestro::messages
