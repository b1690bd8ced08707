// SetAccessibleRole, NameForm1Controls, SayCurrentEntryOnFocus.
#include "ui/accessibility.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include "batch/form1_access_names.h"

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

// Says the current entry once the focus event of the view itself has gone out.
class CurrentEntrySayer : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::FocusIn && QAccessible::isActive()) {
      QPointer<QAbstractItemView> view = static_cast<QAbstractItemView*>(watched);
      QTimer::singleShot(0, this, [view] {
        if (view.isNull() || !view->hasFocus() || !view->currentIndex().isValid()) return;
        QAccessibleInterface* at = QAccessible::queryAccessibleInterface(view.data());
        QAccessibleInterface* entry = at == nullptr ? nullptr : at->focusChild();
        if (entry == nullptr) return;
        QAccessibleEvent said(entry, QAccessible::Focus);
        QAccessible::updateAccessibility(&said);
      });
    }
    return QObject::eventFilter(watched, event);
  }
};

}  // namespace

void SayCurrentEntryOnFocus(QAbstractItemView& view) {
  view.installEventFilter(new CurrentEntrySayer(&view));
}

void SetAccessibleRole(QWidget& widget, QAccessible::Role role) {
  static const bool installed = [] {
    QAccessible::installFactory(RoleFactory);
    return true;
  }();
  (void)installed;
  widget.setProperty(kRoleProperty, static_cast<int>(role));
}

void NameForm1Controls(QWidget& form) {
  for (const AccessibleName& named : Form1AccessibleNames()) {
    auto* widget = form.findChild<QWidget*>(named.control);
    if (widget == nullptr) continue;
    widget->setAccessibleName(QString::fromLatin1(named.name));
    // On Linux Qt gives a combo box its current item as its name and leaves the name to the
    // label whose buddy it is, so a hidden one names it.
    if (qobject_cast<QComboBox*>(widget) != nullptr) {
      auto* label = new QLabel(QString::fromLatin1(named.name), widget->parentWidget());
      label->hide();
      label->setBuddy(widget);
    }
  }
  for (const LabelledField& buddy : Form1LabelledFields()) {
    auto* label = form.findChild<QLabel*>(buddy.label);
    auto* field = form.findChild<QWidget*>(buddy.field);
    if (label == nullptr || field == nullptr) continue;
    label->setBuddy(field);
    // The buddy gives the relation; the name is said on Tab without it being looked up.
    field->setAccessibleName(label->text());
  }
}

}  // namespace kestro
