// What assistive technology reads of an entry list (List1, List2): the list box's own MSAA object,
// but each entry a check box, checked while it is ticked (selected), whose default action ticks
// or clears it as a click does. The list box answers WM_GETOBJECT with it.
//
//   case WM_GETOBJECT:
//     if (LRESULT r = AnswerEntryListObject(list, wparam, lparam, toggle)) return r;
#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>

namespace kestro {

// The answer to WM_GETOBJECT for the client of `list`; 0 for any other object (the list box's
// own answer then stands). `toggle` ticks or clears an entry, as a click on it does.
LRESULT AnswerEntryListObject(HWND list, WPARAM wparam, LPARAM lparam,
                              std::function<void(std::size_t)> toggle);

// Tells assistive technology that the entries from `first` to `last` were ticked or cleared; a
// change of more than a few (Select All over a long list) is left to the count it causes.
void SayEntriesChecked(HWND list, std::size_t first, std::size_t last);

}  // namespace kestro
