// What assistive technology reads of the Qt window beyond what each widget says of itself: the
// roles of the windows, the pages and the status line, the names of the controls whose caption
// is elsewhere or missing, and each field tied to its label.
#pragma once

#include <QAccessible>

class QAbstractItemView;
class QWidget;

namespace kestro {

// Gives `widget` the role `role` on the accessibility bus. Call before the widget is first
// queried (in its constructor): Qt keeps the interface it made first.
void SetAccessibleRole(QWidget& widget, QAccessible::Role role);

// Names the controls of the main window `form` that have no caption of their own or one that
// lies on another control, and ties each field to its label, so that Tab to it says what it is.
void NameForm1Controls(QWidget& form);

// When `view` gets the focus, tells assistive technology which entry has it. Qt says only that
// the view has the focus, after the view has said its current entry, so a screen reader reached
// a list by Tab without hearing the entry it is on, and the arrows seemed to skip it.
void SayCurrentEntryOnFocus(QAbstractItemView& view);

}  // namespace kestro
