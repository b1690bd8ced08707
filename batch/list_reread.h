// A page's list read anew (F5, a folder changed by another program) keeps the selection of the
// entries that remain; entries that are gone drop out of it, new ones come in unselected.
#pragma once

#include <string>
#include <vector>

#include "batch/selectable_list.h"

namespace kestro {

// The names of the selected entries, in list order.
[[nodiscard]] std::vector<std::string> SelectedEntries(const SelectableList& list);
// Selects every entry whose name is among `names`; the others keep their state.
void SelectEntries(SelectableList& list, const std::vector<std::string>& names);

}  // namespace kestro
