// The Qt window as assistive technology reads it, through Qt's accessibility interface in process:
// roles and names of the design's controls, an entry's check state and its change, the result of
// a batch on the status line, and no focus event where the focus did not move.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QLabel>
#include <functional>

#include "batch/form1_design.h"
#include "ui/window_test_helpers.h"

namespace kestro::window_test {
namespace {

// Records every event sent to the accessibility bus while it lives; on its end the bus goes
// back to having no handler.
class EventRecorder {
 public:
  struct Event {
    QObject* object;
    QAccessible::Event type;
    int child;
    QAccessible::State changed;
  };
  EventRecorder() {
    recorder_ = this;
    previous_ = QAccessible::installUpdateHandler(&EventRecorder::Record);
  }
  ~EventRecorder() {
    QAccessible::installUpdateHandler(previous_);
    recorder_ = nullptr;
  }
  EventRecorder(const EventRecorder&) = delete;
  EventRecorder& operator=(const EventRecorder&) = delete;

  std::vector<Event> events;

 private:
  static void Record(QAccessibleEvent* event) {
    Event e{event->object(), event->type(), event->child(), {}};
    if (event->type() == QAccessible::StateChanged)
      e.changed = static_cast<QAccessibleStateChangeEvent*>(event)->changedStates();
    recorder_->events.push_back(e);
  }
  static inline EventRecorder* recorder_ = nullptr;
  QAccessible::UpdateHandler previous_ = nullptr;
};

QAccessibleInterface* Accessible(QObject* object) {
  QAccessibleInterface* at = QAccessible::queryAccessibleInterface(object);
  EXPECT_NE(at, nullptr);
  return at;
}

using AccessibilityTest = WindowTest;

// Qt sends events only while assistive technology listens (an AT-SPI bus on X11); the offscreen
// platform never has one, so the event checks run in scripts/test-accessibility.sh.
constexpr char kNoBus[] = "no accessibility bus: Qt sends no events (run under X11 with AT-SPI)";

TEST_F(AccessibilityTest, EveryControlOfTheDesignHasARoleAndAName) {
  auto form = Open();
  EXPECT_EQ(Accessible(form.get())->role(), QAccessible::Window);
  for (const FormControl& control : Form1Controls()) {
    QWidget* widget = Find(*form, control.name);
    QAccessibleInterface* at = Accessible(widget);
    EXPECT_NE(at->role(), QAccessible::Client) << control.name;
    EXPECT_NE(at->role(), QAccessible::NoRole) << control.name;
    // The status line is named by what it says, and says nothing yet.
    if (control.kind == ControlKind::kStatusLine) continue;
    EXPECT_FALSE(at->text(QAccessible::Name).isEmpty()) << control.name;
  }
  const std::pair<const char*, QAccessible::Role> kRoles[] = {
      {"rename", QAccessible::PropertyPage},
      {"List1", QAccessible::List},
      {"before", QAccessible::EditableText},
      {"StatusLine", QAccessible::StatusBar}};
  for (const auto& [name, role] : kRoles)
    EXPECT_EQ(Accessible(Find(*form, name))->role(), role) << name;
  EXPECT_TRUE(Accessible(Find(*form, "after"))->state().readOnly);
  EXPECT_EQ(Accessible(Find(*form, "Text8"))->text(QAccessible::Name), "A:");
  EXPECT_NE(Accessible(Find(*form, "List1"))->text(QAccessible::Name),
            Accessible(Find(*form, "List2"))->text(QAccessible::Name));
}

TEST_F(AccessibilityTest, AnEntrySaysItIsCheckableAndSendsItsChange) {
  Make({"a/", "b/"});
  auto form = Open();
  auto* list = Find<QAbstractItemView>(*form, "List1");
  QAccessibleInterface* entry = Accessible(list)->child(1);
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->text(QAccessible::Name), "b");
  EXPECT_TRUE(entry->state().checkable);
  EXPECT_FALSE(entry->state().checked);
  if (!QAccessible::isActive()) GTEST_SKIP() << kNoBus;
  list->setFocus();
  list->setCurrentIndex(list->model()->index(1, 0));
  EventRecorder recorder;
  QTest::keyClick(list, Qt::Key_Space);
  EXPECT_TRUE(Accessible(list)->child(1)->state().checked);
  const auto sent = std::count_if(recorder.events.begin(), recorder.events.end(), [&](auto& e) {
    return e.object == list && e.type == QAccessible::StateChanged && e.child == 1 &&
           e.changed.checked;
  });
  EXPECT_EQ(sent, 1);
}

TEST_F(AccessibilityTest, ABatchAndItsUndoAreSaidOnTheStatusLineWithoutAFocusEvent) {
  Make({"a b/", "c d/"});
  auto form = Open();
  Click(*form, "Command5");
  ClickTab(*form, "Replace");
  Type(*form, "Text8", " ");
  Type(*form, "Text7", "_");
  QWidget* status = Find(*form, "StatusLine");
  EXPECT_EQ(Accessible(status)->role(), QAccessible::StatusBar);
  for (const char* button : {"Command10", "Undo"}) {
    QWidget* focused = Find(*form, button);
    focused->setFocus();
    EventRecorder recorder;
    QTest::keyClick(focused, Qt::Key_Return);
    EXPECT_EQ(Accessible(status)->text(QAccessible::Name), form->status_text()) << button;
    if (!QAccessible::isActive()) continue;  // kNoBus
    // Undo, done, is disabled and hands the focus on: that one focus event is true.
    EXPECT_TRUE(std::all_of(recorder.events.begin(), recorder.events.end(), [](auto& e) {
      return e.type != QAccessible::Focus || e.object == QApplication::focusWidget();
    })) << button;
    const auto said = std::count_if(recorder.events.begin(), recorder.events.end(), [&](auto& e) {
      return e.object == status && e.type == QAccessible::NameChanged;
    });
    EXPECT_GE(said, 1) << button;
  }
  EXPECT_EQ(Names(), (QStringList{"a b", "c d"}));
  EXPECT_FALSE(form->status_text().isEmpty());
}

TEST_F(AccessibilityTest, AboutIsADialogAndEscGivesTheFocusBackWhereItWas) {
  auto form = Open();
  form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  ClickTab(*form, "Replace");
  QWidget* field = Find(*form, "Text7");
  field->setFocus();
  QTest::keyClick(field, Qt::Key_A, Qt::AltModifier);
  QWidget* about = nullptr;
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window->objectName() == "frmAbout" && window->isVisible()) about = window;
  }
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(Accessible(about)->role(), QAccessible::Dialog);
  QTest::keyClick(about, Qt::Key_Escape);
  ASSERT_TRUE(QTest::qWaitFor([&] { return form->isEnabled(); }));
  form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  EXPECT_EQ(QApplication::focusWidget(), field);
}

TEST_F(AccessibilityTest, TabIntoAnOptionGroupLandsOnItsChosenOption) {
  auto form = Open();
  form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  ASSERT_TRUE(Find<QAbstractButton>(*form, "Option13")->isChecked());  // " Nothing", at start
  Find(*form, "Text3")->setFocus();
  {
    EventRecorder recorder;
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "Option13");
    QWidget* passed = Find(*form, "Option12");  // "Hyphen" must not be said on the way
    EXPECT_TRUE(std::none_of(recorder.events.begin(), recorder.events.end(), [&](auto& e) {
      return e.type == QAccessible::Focus && e.object == passed;
    }));
  }
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget()->objectName(), "Text5");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
  EXPECT_EQ(QApplication::focusWidget()->objectName(), "Option13");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);  // the arrows still reach the rest
  EXPECT_EQ(QApplication::focusWidget()->objectName(), "Option12");
}

}  // namespace
}  // namespace kestro::window_test
