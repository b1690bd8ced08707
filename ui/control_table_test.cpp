// The Qt window against the shared control table (batch/form1_design.h): every control of the
// table by its design name, with the table's caption, a role and a name for assistive technology,
// and at the table's place wherever the Qt window places by twips (it lays out the option groups
// and the other operation pages in rows).
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QGroupBox>
#include <QLabel>

#include "batch/form1_design.h"
#include "batch/form1_rules.h"
#include "ui/twips.h"
#include "ui/window_test_helpers.h"

namespace kestro::window_test {
namespace {

using ControlTableTest = WindowTest;

QString Caption(const QWidget& widget) {
  if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) return button->text();
  if (const auto* label = qobject_cast<const QLabel*>(&widget)) return label->text();
  if (const auto* group = qobject_cast<const QGroupBox*>(&widget)) return group->title();
  return {};
}

bool PlacedByTwips(const FormControl& control) {
  if (control.kind == ControlKind::kTabStrip) return false;  // the bar is inset on its panel
  const std::string parent = control.parent != nullptr ? control.parent : "";
  return parent.empty() || parent == "dirs" || parent == "files" || parent == "Frame2" ||
         parent == "rename";
}

TEST_F(ControlTableTest, TheQtWindowHoldsEveryControlOfTheTableWithItsCaptionPlaceRoleAndName) {
  auto form = Open();
  const Twips twips = Twips::ForWidget(form.get());
  for (const FormControl& control : Form1Controls()) {
    QWidget* widget = form->findChild<QWidget*>(control.name);
    ASSERT_NE(widget, nullptr) << control.name;
    if (*control.caption != '\0' || control.kind == ControlKind::kOption) {
      EXPECT_EQ(Caption(*widget).toStdString(),
                ControlCaption(state_, control.name, control.caption))
          << control.name;
    }
    // A role and a name for assistive technology; the status line is named by what it says,
    // and says nothing yet.
    QAccessibleInterface* at = QAccessible::queryAccessibleInterface(widget);
    ASSERT_NE(at, nullptr) << control.name;
    EXPECT_NE(at->role(), QAccessible::Client) << control.name;
    EXPECT_NE(at->role(), QAccessible::NoRole) << control.name;
    EXPECT_NE(at->text(QAccessible::Name).isEmpty(), control.kind != ControlKind::kStatusLine)
        << control.name;
    if (PlacedByTwips(control)) {
      const TwipRect& r = control.place;
      EXPECT_EQ(widget->geometry(), twips.Rect(r.left, r.top, r.width, r.height)) << control.name;
    }
  }
}

}  // namespace
}  // namespace kestro::window_test
