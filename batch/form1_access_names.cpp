// The names of Form1's controls for assistive technology.
#include "batch/form1_access_names.h"

namespace kestro {
namespace {

constexpr AccessibleName kNames[] = {
    {"Option3", "Own text before the info"},
    {"Text2", "Own text before the info"},
    {"Option11", "Own text as the info"},
    {"Text4", "Own text as the info"},
    {"Option4", "Own text after the info"},
    {"Text3", "Own text after the info"},
    {"Option14", "Own separator"},
    {"Text5", "Own separator"},
    {"Drive1", "Drive"},
    {"Drive2", "Drive"},
    {"Dir1", "Folder whose sub-directories to rename"},
    {"List1", "Sub-directories"},
    {"Dir3", "Folder whose files to rename"},
    {"List2", "Files"},
    {"rename", "Rename"},
    {"strip", "Strip"},
    {"replace", "Replace"},
    {"selectcase", "Case"},
    {"extensionf", "Extension"},
    {"sort", "Numbering"},
    {"sortlennum", "Digit length"},
    {"sortstartatnum", "Start at position"},
};

constexpr LabelledField kLabelledFields[] = {
    {"Label4", "Text6"}, {"Label7", "Text8"},  {"Label11", "Text7"},
    {"Label8", "extad"}, {"Label2", "before"}, {"Label5", "after"},
};

}  // namespace

std::span<const AccessibleName> Form1AccessibleNames() { return kNames; }

std::span<const LabelledField> Form1LabelledFields() { return kLabelledFields; }

}  // namespace kestro
