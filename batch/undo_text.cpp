// UndoSubject, UndoToolTip, UndoLine, UndoAsksFirst and UndoQuestion.
#include "batch/undo_text.h"

#include <algorithm>
#include <ctime>

namespace kestro {

std::string LocalTimeText(std::int64_t seconds_since_1970) {
  if (seconds_since_1970 == 0) return {};
  const auto time = static_cast<std::time_t>(seconds_since_1970);
  const std::tm* local = std::localtime(&time);
  if (local == nullptr) return {};
  char text[32];
  const std::size_t length = std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", local);
  return std::string(text, length);
}

std::string UndoSubject(const Journal& journal, const CountText& count) {
  const std::size_t entries = journal.ToTakeBack();
  std::string text = count(entries) + (entries == 1 ? " entry" : " entries") + " in '" +
                     journal.folder + "', renamed";
  if (const std::string when = LocalTimeText(journal.begun); !when.empty()) text += " " + when;
  if (journal.origin == Journal::Origin::kWindow) text += " in the window";
  if (journal.origin == Journal::Origin::kCommandLine) text += " from the command line";
  return text;
}

std::string UndoToolTip(const Journal* newest, std::string_view keys, const CountText& count) {
  std::string text = "Give the entries of the last batch their old names back";
  text += keys;
  return text + ": " + (newest != nullptr ? UndoSubject(*newest, count) : "nothing to undo");
}

std::string UndoLine(const Journal* newest, const CountText& count) {
  if (newest == nullptr) return {};
  return "Undo takes back " + UndoSubject(*newest, count) + ".";
}

bool UndoAsksFirst(const Journal& journal, const std::vector<std::string>& made_here,
                   std::string_view folder_shown) {
  const bool here = std::find(made_here.begin(), made_here.end(), journal.path) != made_here.end();
  return !here || journal.folder != folder_shown;
}

Message UndoQuestion(const Journal& journal, const CountText& count) {
  return Message{"Take back " + UndoSubject(journal, count) +
                     "? That batch was not made in this window on the folder it shows.",
                 "Undo", MessageIcon::Exclamation};
}

}  // namespace kestro
