// The Qt window as assistive technology reads it, through Qt's accessibility interface in process.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QFileInfo>
#include <QLabel>
#include <QTextBrowser>
#include <functional>

#include "batch/form1_design.h"
#include "ui/window_test_helpers.h"

namespace kestro::window_test {
namespace {

// Records every event sent to the accessibility bus while it lives; on its end the bus goes
// back to the handler before.
struct EventRecorder {
  struct Event {
    QObject* object;
    QAccessible::Event type;
    int child;
    QAccessible::Role role;  // of the object or entry the event names
    QAccessible::State changed{};
  };
  EventRecorder() : previous(QAccessible::installUpdateHandler(&Record)) { current = this; }
  ~EventRecorder() { QAccessible::installUpdateHandler(previous); }
  static void Record(QAccessibleEvent* event) {
    QAccessibleInterface* at = event->accessibleInterface();
    Event& e = current->events.emplace_back(event->object(), event->type(), event->child(),
                                            at != nullptr ? at->role() : QAccessible::NoRole);
    if (event->type() == QAccessible::StateChanged)
      e.changed = static_cast<QAccessibleStateChangeEvent*>(event)->changedStates();
  }
  long Count(const std::function<bool(const Event&)>& said) const {
    return std::count_if(events.begin(), events.end(), said);
  }
  long Count(QAccessible::Event type, const QObject* object) const {
    return Count([&](const Event& e) { return e.type == type && e.object == object; });
  }
  std::vector<Event> events;
  QAccessible::UpdateHandler previous;
  static inline EventRecorder* current = nullptr;
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

// Every control of the design has a role and a name: see the control table's test.
TEST_F(AccessibilityTest, TheDesignsControlsHaveTheirRolesNamesAndKeyBindings) {
  auto form = Open();
  EXPECT_EQ(Accessible(form.get())->role(), QAccessible::Window);
  const std::pair<const char*, QAccessible::Role> kRoles[] = {
      {"rename", QAccessible::PropertyPage},
      {"List1", QAccessible::List},
      {"before", QAccessible::EditableText},
      {"StatusLine", QAccessible::StatusBar}};
  for (const auto& [name, role] : kRoles)
    EXPECT_EQ(Accessible(Find(*form, name))->role(), role) << name;
  EXPECT_TRUE(Accessible(Find(*form, "after"))->state().readOnly);
  EXPECT_EQ(Accessible(Find(*form, "Text8"))->text(QAccessible::Name), "A:");
  // A combo box is named by the labels that label it (its frame's caption is one), where the
  // item chosen is not taken for its name.
  for (const char* drive : {"Drive1", "Drive2"}) {
    QStringList names;
    for (const auto& [label, relation] :
         Accessible(Find(*form, drive))->relations(QAccessible::Label)) {
      names << label->text(QAccessible::Name);
      // One the design does not draw.
      if (names.back() == "Drive") {
        EXPECT_TRUE(static_cast<QWidget*>(label->object())->isHidden());
      }
    }
    EXPECT_TRUE(names.contains("Drive")) << drive << ": " << names.join(", ").toStdString();
  }
  EXPECT_NE(Accessible(Find(*form, "List1"))->text(QAccessible::Name),
            Accessible(Find(*form, "List2"))->text(QAccessible::Name));
  EXPECT_FALSE(Accessible(Find(*form, kPreviewListName))->text(QAccessible::Name).isEmpty());
  // A button's shortcut is its key binding.
  const std::pair<const char*, const char*> kKeys[] = {
      {"Command10", "Alt+R"}, {"Command3", "Alt+H"}, {"Command4", "Alt+A"},
      {"Command1", "Alt+Q"},  {"Undo", "Alt+U"},     {"PreviewToggle", "Alt+P"}};
  for (const auto& [name, keys] : kKeys) {
    QAccessibleActionInterface* actions = Accessible(Find(*form, name))->actionInterface();
    ASSERT_NE(actions, nullptr) << name;
    EXPECT_EQ(actions->keyBindingsForAction(QAccessibleActionInterface::pressAction()),
              QStringList{keys})
        << name;
  }
  // The tabs carry theirs as mnemonics; their names stay their captions.
  const std::tuple<const char*, int, const char*, const char*> kTabs[] = {
      {"TabStrip1", 0, "Rename", "Alt+E"},
      {"TabStrip1", 2, "Replace", "Alt+L"},
      {"TabStrip1", 5, "Numbering", "Alt+N"},
      {"TabStrip2", 1, "Files", "Alt+F"}};
  for (const auto& [bar, index, caption, keys] : kTabs) {
    QAccessibleInterface* tab = Accessible(Find(*form, bar))->child(index);
    ASSERT_NE(tab, nullptr) << caption;
    EXPECT_EQ(tab->text(QAccessible::Name), caption);
    EXPECT_EQ(QKeySequence(tab->text(QAccessible::Accelerator)), QKeySequence(keys)) << caption;
  }
}

// Walks the tree of Dir1 down its chain: each folder an expanded entry, the one child of the
// folder above it; returns the open folder's entry.
QAccessibleInterface* OpenFolderEntry(QAccessibleInterface* tree, const QString& open_path) {
  QAccessibleInterface* above = tree;
  for (QAccessibleInterface* entry = tree->child(0); entry != nullptr; entry = entry->child(0)) {
    EXPECT_EQ(entry->parent(), above);
    EXPECT_EQ(above->indexOfChild(entry), 0);
    EXPECT_EQ(entry->role(), QAccessible::TreeItem);
    EXPECT_TRUE(entry->state().expanded && !entry->state().collapsed);
    if (entry->text(QAccessible::Description) == open_path) return entry;
    EXPECT_EQ(entry->childCount(), 1);
    above = entry;
  }
  ADD_FAILURE() << "no entry of " << open_path.toStdString();
  return nullptr;
}

TEST_F(AccessibilityTest, TheFolderTreeNestsItsEntriesAsTheFoldersAre) {
  Make({"a/", "b/"});
  auto form = Open();
  auto* list = Find<QAbstractItemView>(*form, "Dir1");
  QAccessibleInterface* tree = Accessible(list);
  EXPECT_EQ(tree->role(), QAccessible::Tree);
  EXPECT_EQ(tree->childCount(), 1);  // the top folder
  QAccessibleInterface* open = OpenFolderEntry(tree, root_);
  ASSERT_NE(open, nullptr);
  EXPECT_EQ(open->text(QAccessible::Name), QFileInfo(root_).fileName());
  ASSERT_EQ(open->childCount(), 2);
  for (int i = 0; i < 2; ++i) {
    QAccessibleInterface* sub = open->child(i);
    EXPECT_EQ(sub->text(QAccessible::Name), i == 0 ? "a" : "b");
    EXPECT_EQ(sub->parent(), open);
    EXPECT_EQ(open->indexOfChild(sub), i);
    EXPECT_TRUE(sub->state().collapsed && !sub->state().expanded);
    EXPECT_EQ(sub->childCount(), 0);
  }
  // Opened, "a" is the end of the chain, below the folder it was in.
  ClickRow(*form, "Dir1", "a", true);
  QAccessibleInterface* a = OpenFolderEntry(tree, root_ + "/a");
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->parent()->text(QAccessible::Name), QFileInfo(root_).fileName());
  EXPECT_EQ(a->childCount(), 0);
  EXPECT_TRUE(a->state().selected);
  if (!QAccessible::isActive()) GTEST_SKIP() << kNoBus;
  ASSERT_TRUE(Activated(form.get()));
  list->setFocus();
  EventRecorder recorder;
  QTest::keyClick(list, Qt::Key_Up);
  // One entry gets the focus and the selection, the other loses the selection.
  for (QAccessible::Event type :
       {QAccessible::Focus, QAccessible::SelectionAdd, QAccessible::SelectionRemove}) {
    const auto by_an_entry = [&](auto& e) {
      return e.type == type && e.role == QAccessible::TreeItem;
    };
    EXPECT_EQ(recorder.Count(by_an_entry), 1) << type;
  }
}

TEST_F(AccessibilityTest, AnEntrySaysItIsCheckableAndSendsItsChangeAndAListItsEntryOnFocus) {
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
  {
    EventRecorder recorder;
    QTest::keyClick(list, Qt::Key_Space);
    EXPECT_TRUE(Accessible(list)->child(1)->state().checked);
    const auto checked = [&](auto& e) {
      return e.object == list && e.type == QAccessible::StateChanged && e.child == 1 &&
             e.changed.checked;
    };
    EXPECT_EQ(recorder.Count(checked), 1);
  }
  // A list reached by the focus says the entry it is on.
  Click(*form, "Command5");
  Click(*form, "PreviewToggle");
  ASSERT_TRUE(Activated(form.get()));
  for (const char* name : {"Dir1", "List1", kPreviewListName}) {
    auto* view = Find<QAbstractItemView>(*form, name);
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->model()->rowCount() > 0; })) << name;
    view->setCurrentIndex(view->model()->index(0, 0));
    Find(*form, "Command10")->setFocus();
    EventRecorder recorder;
    view->setFocus();
    // The entry is said last: a screen reader speaks the last focus it heard.
    const auto entry_said_last = [&] {
      const auto& said = recorder.events;
      return !said.empty() && said.back().type == QAccessible::Focus &&
             said.back().role != Accessible(view)->role() &&
             said.back().role != QAccessible::NoRole;
    };
    EXPECT_TRUE(QTest::qWaitFor(entry_said_last, 1000)) << name;
  }
}

TEST_F(AccessibilityTest, ABatchAndItsUndoAreSaidOnTheStatusLineWithoutAFocusEvent) {
  Make({"a b/", "c d/"});
  auto form = Open();
  Click(*form, "Command5");
  ClickTab(*form, "Replace");
  Type(*form, "Text8", " ");
  Type(*form, "Text7", "_");
  QWidget* status = Find(*form, "StatusLine");
  for (const char* button : {"Command10", "Undo"}) {
    QWidget* focused = Find(*form, button);
    focused->setFocus();
    EventRecorder recorder;
    QTest::keyClick(focused, Qt::Key_Return);
    EXPECT_EQ(Accessible(status)->text(QAccessible::Name), form->status_text()) << button;
    if (!QAccessible::isActive()) continue;  // kNoBus
    // Undo, done, is disabled and hands the focus on: that one focus event is true.
    const auto focus_elsewhere = [](auto& e) {
      return e.type == QAccessible::Focus && e.object != QApplication::focusWidget();
    };
    EXPECT_EQ(recorder.Count(focus_elsewhere), 0) << button;
    EXPECT_GE(recorder.Count(QAccessible::NameChanged, status), 1) << button;
  }
  EXPECT_EQ(Names(), (QStringList{"a b", "c d"}));
  EXPECT_FALSE(form->status_text().isEmpty());
}

TEST_F(AccessibilityTest, TabInTheGuideSaysTheLinkItSelects) {
  guide_ = KESTRO_GUIDE;
  auto form = Open();
  ASSERT_TRUE(Activated(form.get()));
  QTest::keyClick(form.get(), Qt::Key_F1);
  QWidget* guide = Shown("GuideWindow");
  ASSERT_NE(guide, nullptr);
  auto* text = Find<QTextBrowser>(*guide, "GuideText");
  EXPECT_EQ(Accessible(text)->text(QAccessible::Name), "User Guide");
  if (!QAccessible::isActive()) GTEST_SKIP() << kNoBus;
  ASSERT_TRUE(Activated(guide));
  text->setFocus();
  for (int link = 0; link < 2; ++link) {
    EventRecorder recorder;
    QTest::keyClick(text, Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), text);
    const QString selected = text->textCursor().selectedText();
    EXPECT_FALSE(selected.isEmpty());
    int start = 0, end = 0;
    Accessible(text)->textInterface()->selection(0, &start, &end);
    EXPECT_EQ(Accessible(text)->textInterface()->text(start, end), selected);
    for (QAccessible::Event said : {QAccessible::TextSelectionChanged, QAccessible::TextCaretMoved})
      EXPECT_GE(recorder.Count(said, text), 1) << link;
  }
  guide->close();
}

// Tab into an option group lands on its chosen option; About is a dialog, and Esc gives the focus
// back where it was.
TEST_F(AccessibilityTest, TabIntoAnOptionGroupAndOutOfAboutLandWhereTheyShould) {
  auto form = Open();
  ASSERT_TRUE(Activated(form.get()));
  const auto press = [](Qt::Key key) {
    QTest::keyClick(QApplication::focusWidget(), key);
    return QApplication::focusWidget()->objectName();
  };
  ASSERT_TRUE(Find<QAbstractButton>(*form, "Option13")->isChecked());  // " Nothing", at start
  Find(*form, "Text3")->setFocus();
  {
    EventRecorder recorder;
    EXPECT_EQ(press(Qt::Key_Tab), "Option13");
    // "Hyphen" must not be said on the way.
    EXPECT_EQ(recorder.Count(QAccessible::Focus, Find(*form, "Option12")), 0);
  }
  EXPECT_EQ(press(Qt::Key_Tab), "Text5");
  EXPECT_EQ(press(Qt::Key_Backtab), "Option13");
  EXPECT_EQ(press(Qt::Key_Left), "Option12");  // the arrows still reach the rest

  ClickTab(*form, "Replace");
  QWidget* field = Find(*form, "Text7");
  field->setFocus();
  QTest::keyClick(field, Qt::Key_A, Qt::AltModifier);
  QWidget* about = Shown("frmAbout");
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(Accessible(about)->role(), QAccessible::Dialog);
  QTest::keyClick(about, Qt::Key_Escape);
  ASSERT_TRUE(QTest::qWaitFor([&] { return form->isEnabled(); }));
  ASSERT_TRUE(Activated(form.get()));
  EXPECT_EQ(QApplication::focusWidget(), field);
}

}  // namespace
}  // namespace kestro::window_test
