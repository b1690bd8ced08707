// Form1 for assistive technology, by Windows' conventions: each field named by the label just
// before it in z-order (from which MSAA takes a field's name, and which Tab follows), the
// controls without a label of the design named by a hidden one or, buttons, by annotation, the
// focus kept on a control that can take it, and the status line's changes announced as they
// happen.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

namespace kestro {

// Puts each label of the design right before its field in z-order, and a hidden label with the
// name of each control the design gives none right before that control; a button without a
// caption, which no label names, gets its name as an annotation of its accessible object.
// `control` finds a control of `form` by its design name (nullptr when it has no window). Call
// once, after the controls are made.
void NameForm1Fields(HWND form, const std::function<HWND(std::string_view)>& control);

// After `form`'s controls were enabled, disabled, shown or hidden: when `focus`, the control that
// had the focus before, can no longer have it, the focus goes on to the next control Tab reaches,
// as the Qt window does; the system would leave the keyboard nowhere.
void KeepFocusUsable(HWND form, HWND focus);

// Tells assistive technology that the status line `line` now says `text`: its name changed, as
// a live region, and, where the system has UI Automation notifications, as a notification that
// a screen reader speaks even while the focus is elsewhere.
void AnnounceStatus(HWND line, const std::wstring& text);

}  // namespace kestro
