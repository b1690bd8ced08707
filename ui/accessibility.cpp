// SetAccessibleRole, NameForm1Controls.
#include "ui/accessibility.h"

#include <QAccessibleWidget>
#include <QLabel>
#include <QWidget>

namespace kestro {
namespace {

constexpr char kRoleProperty[] = "kestroAccessibleRole";

// Qt makes a plain QWidget a "client" (announced as "filler"), a window included, and a label a
// static text whose changes no screen reader speaks. Widgets that carry a role of ours get it.
QAccessibleInterface* RoleFactory(const QString& /*class_name*/, QObject* object) {
  auto* widget = qobject_cast<QWidget*>(object);
  if (widget == nullptr) return nullptr;
  const QVariant role = widget->property(kRoleProperty);
  if (!role.isValid()) return nullptr;
  return new QAccessibleWidget(widget, static_cast<QAccessible::Role>(role.toInt()));
}

struct Named {
  const char* control;
  const char* name;
};
// Controls whose caption does not say what they are: the own-text options have none, the trees
// and lists lie under one frame caption, the pages are named by their tabs, and two fields
// follow a check box rather than a label.
constexpr Named kNames[] = {
    {"Option3", "Own text before the info"},
    {"Text2", "Own text before the info"},
    {"Option11", "Own text as the info"},
    {"Text4", "Own text as the info"},
    {"Option4", "Own text after the info"},
    {"Text3", "Own text after the info"},
    {"Option14", "Own separator"},
    {"Text5", "Own separator"},
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

struct Buddy {
  const char* label;
  const char* field;
};
constexpr Buddy kBuddies[] = {
    {"Label4", "Text6"}, {"Label7", "Text8"},  {"Label11", "Text7"},
    {"Label8", "extad"}, {"Label2", "before"}, {"Label5", "after"},
};

}  // namespace

void SetAccessibleRole(QWidget& widget, QAccessible::Role role) {
  static const bool installed = [] {
    QAccessible::installFactory(RoleFactory);
    return true;
  }();
  (void)installed;
  widget.setProperty(kRoleProperty, static_cast<int>(role));
}

void NameForm1Controls(QWidget& form) {
  for (const Named& named : kNames) {
    if (auto* widget = form.findChild<QWidget*>(named.control))
      widget->setAccessibleName(QString::fromLatin1(named.name));
  }
  for (const Buddy& buddy : kBuddies) {
    auto* label = form.findChild<QLabel*>(buddy.label);
    auto* field = form.findChild<QWidget*>(buddy.field);
    if (label == nullptr || field == nullptr) continue;
    label->setBuddy(field);
    // The buddy gives the relation; the name is said on Tab without it being looked up.
    field->setAccessibleName(label->text());
  }
}

}  // namespace kestro
