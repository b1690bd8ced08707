// A page's list read anew (F5, a folder changed by another program) keeps the selection of the
// entries that remain; entries that are gone drop out of it, new ones come in unselected.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "batch/outcome.h"
#include "batch/selectable_list.h"

namespace kestro {

// The names of the selected entries, in list order.
[[nodiscard]] std::vector<std::string> SelectedEntries(const SelectableList& list);
// Selects every entry whose name is among `names`; the others keep their state.
void SelectEntries(SelectableList& list, const std::vector<std::string>& names);

class BatchRenamer;
struct WindowState;

// F5, or a folder another program changed: both pages read anew, then `refresh_after` (the
// window's own refresh after a batch, here one that renamed nothing: a page whose folder is gone
// shows the nearest folder above it, the trees are read anew) returns what it has to say. Each
// page keeps its selection while it shows the same folder. Returns what `refresh_after` said.
std::string RereadBothPages(WindowState& state, BatchRenamer& batch,
                            const std::function<std::string(const BatchReport&)>& refresh_after);

}  // namespace kestro
