// What assistive technology calls the controls of Form1 whose caption does not say what they
// are, and which label names which field: one table for both windows.
//   for (const AccessibleName& n : Form1AccessibleNames()) Give(Find(n.control), n.name);
#pragma once

#include <span>

namespace kestro {

// A field and the label that names it (the label's caption is the field's name).
struct LabelledField {
  const char* label;
  const char* field;
};

struct AccessibleName {
  const char* control;
  const char* name;
};

// The names of the controls that have no caption of their own or one that lies on another
// control: the own-text options and their fields, the drive lists, the trees and lists under one
// frame caption, the pages named by their tabs, and two fields that follow a check box rather
// than a label.
[[nodiscard]] std::span<const AccessibleName> Form1AccessibleNames();

// The fields that a label of the design names.
[[nodiscard]] std::span<const LabelledField> Form1LabelledFields();

}  // namespace kestro
