// The comforts around the design, used as a person would: a larger window, range selection, a
// typed or dropped folder, re-reading, the session, the keyboard and the extension's case.
#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QMimeData>
#include <QScreen>
#include <QTreeView>

#include "batch/form1_design.h"
#include "batch/session_settings.h"
#include "ui/directory_tree_list.h"
#include "ui/window_test_helpers.h"

namespace kestro::window_test {
namespace {

class ComfortsTest : public WindowTest {
 protected:
  std::unique_ptr<Form1> OpenActive(WindowState* state = nullptr) {
    auto form = Open(&disk_, root_.toStdString(), state);
    EXPECT_TRUE(Activated(form.get()));
    return form;
  }
  static QStringList Checked(const QWidget& form, const char* list) {
    QStringList rows = Rows(form, list);
    const QAbstractItemModel* model = Find<QAbstractItemView>(form, list)->model();
    for (int i = model->rowCount() - 1; i >= 0; --i)
      if (model->index(i, 0).data(Qt::CheckStateRole) != Qt::Checked) rows.removeAt(i);
    return rows;
  }
  static void Drop(QWidget& form, const QStringList& paths) {
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& path : paths) urls << QUrl::fromLocalFile(path);
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(&form, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(&form, &drop);
  }
};

TEST_F(ComfortsTest, ALargerWindowGivesItsRoomToTheListsAndPreviewAndIsRemembered) {
  Make({"a/", "b/"});
  QSize saved;
  {
    auto form = OpenActive();
    const QSize design = form->size();
    QWidget *tree = Find(*form, "Dir1"), *list = Find(*form, "List1");
    auto* count = Find<QLabel>(*form, "List1Count");
    const QRect tree0 = tree->geometry(), list0 = list->geometry();
    const QRect rename0 = Find(*form, "Command10")->geometry();
    const int drive0 = Find(*form, "Drive1")->width();
    EXPECT_FALSE(count->isVisible());  // no room at the design size
    form->resize(design + QSize(120, 90));
    EXPECT_TRUE(QTest::qWaitFor([&] { return form->size() == design + QSize(120, 90); }));
    EXPECT_EQ(tree->geometry(), tree0.adjusted(0, 0, 120, 30));
    EXPECT_EQ(list->width(), list0.width() + 120);
    EXPECT_EQ(Find(*form, "Drive1")->width(), drive0 + 120);
    EXPECT_GT(list->height(), list0.height());
    EXPECT_EQ(Find(*form, "Command10")->geometry(), rename0.translated(120, 0));
    EXPECT_TRUE(count->isVisible());
    EXPECT_EQ(count->text(), "0 of 2 selected");
    ExpectLaidOut(*form);
    Click(*form, "PreviewToggle");
    QWidget* preview = Find(*form, "OutcomePreview");
    EXPECT_EQ(preview->geometry().right(), form->width() - 1);
    EXPECT_EQ(preview->height(), form->height());
    EXPECT_EQ(form->width(), design.width() + 120 + preview->width());
    // Wider still, the lists and the preview share the room, the lists never with less than they
    // had, and the preview's name columns take their part; narrowed again, all is as it was.
    QHeaderView* header = Find<QTreeView>(*form, kPreviewListName)->header();
    const QSize opened = form->size();
    const int list1 = list->width(), name1 = header->sectionSize(0), new1 = header->sectionSize(1);
    form->resize(opened + QSize(300, 0));
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->width() == opened.width() + 300; }));
    EXPECT_EQ(list->width(), list1 + 90);
    EXPECT_EQ(preview->geometry().right(), form->width() - 1);
    EXPECT_EQ(header->sectionSize(0), name1 + 70);
    EXPECT_EQ(header->sectionSize(1), new1 + 70);
    ExpectLaidOut(*form);
    form->resize(opened);
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->size() == opened; }));
    EXPECT_EQ(list->width(), list1);
    EXPECT_EQ(header->sectionSize(0), name1);
    // The preview's columns are set by dragging their edges.
    const int width0 = header->sectionSize(0);
    const QPoint edge(width0 - 1, header->height() / 2);
    QTest::mousePress(header->viewport(), Qt::LeftButton, {}, edge);
    QTest::mouseMove(header->viewport(), edge + QPoint(40, 0));
    QTest::mouseRelease(header->viewport(), Qt::LeftButton, {}, edge + QPoint(40, 0));
    EXPECT_EQ(header->sectionSize(0), width0 + 40);
    saved = form->size();
    Click(*form, "Command1");
  }
  WindowState next_start;
  auto form = OpenActive(&next_start);
  EXPECT_EQ(form->size(), saved);
  EXPECT_TRUE(Find<QAbstractButton>(*form, "PreviewToggle")->isChecked());
  Click(*form, "PreviewToggle");  // closed, the window gives back all the preview had
  EXPECT_EQ(form->width(), saved.width() - 7200 * form->logicalDpiX() / 1440);
}

TEST_F(ComfortsTest, ASavedSizeBeyondTheScreenComesBackCutToItAndMaximisedStaysSo) {
  Make({"a/"});
  SetSetting(kWindowSizeKey, "100000x100000");
  SetSetting(kPreviewKey, "1");
  SetSetting(kMaximizedKey, "1");
  auto form = OpenActive();
  const QSize room = form->screen()->availableGeometry().size();
  EXPECT_LE(form->width(), room.width());
  EXPECT_LE(form->height(), room.height());
  EXPECT_TRUE(Find<QAbstractButton>(*form, "PreviewToggle")->isChecked());
  EXPECT_TRUE(form->isMaximized());
  Click(*form, "Command1");
  EXPECT_EQ(Setting(kMaximizedKey), "1");
}

TEST_F(ComfortsTest, ShiftClickSelectsARangeCtrlAAllAndTheCountFollows) {
  Make({"a", "b", "c", "d", "e"});
  auto form = OpenActive();
  ClickTab(*form, "Files");
  auto* view = Find<QAbstractItemView>(*form, "List2");
  const auto shift_click = [view](int row) {
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                      view->visualRect(view->model()->index(row, 0)).center());
  };
  ClickRow(*form, "List2", "a");
  shift_click(2);
  EXPECT_EQ(Checked(*form, "List2"), (QStringList{"a", "b", "c"}));
  EXPECT_EQ(Find<QLabel>(*form, "List2Count")->text(), "3 of 5 selected");
  EXPECT_EQ(form->status_text(), "3 of 5 selected");  // no room under the list at this size
  shift_click(1);  // b is selected: the click clears it, and the range from c with it
  ClickRow(*form, "List2", "e");  // a plain click toggles one entry
  EXPECT_EQ(Checked(*form, "List2"), (QStringList{"a", "e"}));
  QTest::keyClick(view, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(Find<QLabel>(*form, "List2Count")->text(), "5 of 5 selected");
  QTest::keyClick(form.get(), Qt::Key_F5);  // a list read anew has no range to continue
  shift_click(4);
  EXPECT_EQ(Find<QLabel>(*form, "List2Count")->text(), "4 of 5 selected");
}

// Ctrl+L shows the folder's path selected, as a file manager does: a typed path replaces it. The
// status line keeps only what still holds: a path's error goes once a folder opens, a count once
// its list shows another folder.
TEST_F(ComfortsTest, AFolderOpensByItsTypedPathOrByADrop) {
  Make({"music/", "photos/sub/", "music/x.mp3", "photos/p.jpg", "photos/q.jpg"});
  auto form = OpenActive();
  ClickTab(*form, "Files");
  QTest::keyClick(Find(*form, "Dir3"), '/');
  auto* field = Find<QLineEdit>(*form, "DirPath3");
  ASSERT_TRUE(field->isVisible());
  Type(*form, "DirPath3", root_.mid(1) + "/photos/p.jpg");
  QTest::keyClick(field, Qt::Key_Return);
  EXPECT_THAT(StatusText(*form), HasSubstr("it is a file, not a folder"));
  EXPECT_TRUE(field->isVisible());  // left to be put right
  QTest::keyClick(form.get(), Qt::Key_L, Qt::ControlModifier);
  EXPECT_EQ(field->selectedText(), root_);
  Type(*form, "DirPath3", root_ + "/music");
  QTest::keyClick(field, Qt::Key_Return);
  EXPECT_FALSE(field->isVisible());
  EXPECT_EQ(Rows(*form, "List2"), QStringList{"x.mp3"});
  EXPECT_EQ(LastDir(), (root_ + "/music").toStdString());
  EXPECT_EQ(form->status_text(), "");  // the path's error goes once a folder opens

  ClickTab(*form, "Directories");
  Drop(*form, {root_ + "/photos/q.jpg"});  // a file: its folder on the Files page, it selected
  EXPECT_EQ(Checked(*form, "List2"), QStringList{"q.jpg"});
  EXPECT_EQ(form->status_text(), "1 of 2 selected");
  Drop(*form, {root_ + "/photos"});  // a folder: on the page in view
  EXPECT_EQ(Find<DirectoryTreeList>(*form, "Dir3")->path(), (root_ + "/photos").toStdString());
  Drop(*form, {root_});  // the count goes with its folder
  EXPECT_EQ(form->status_text(), "");
}

TEST_F(ComfortsTest, F5AndAChangeByAnotherProgramReReadTheFoldersKeepingTheSelection) {
  Make({"a", "b", "c"});
  auto form = OpenActive();
  ClickTab(*form, "Files");
  ClickRow(*form, "List2", "b");
  ClickRow(*form, "List2", "c");
  ASSERT_TRUE(QFile::remove(root_ + "/c"));
  Make({"d"});
  QTest::keyClick(form.get(), Qt::Key_F5);
  EXPECT_EQ(Rows(*form, "List2"), (QStringList{"a", "b", "d"}));
  EXPECT_EQ(Checked(*form, "List2"), QStringList{"b"});
  EXPECT_EQ(form->status_text(), "1 of 3 selected");  // the design size: no count under the list
  Make({"e"});                                        // no key: the window sees it by itself
  EXPECT_TRUE(QTest::qWaitFor([&] { return Rows(*form, "List2").size() == 4; }));
  EXPECT_EQ(Rows(*form, "List2"), (QStringList{"a", "b", "d", "e"}));
  EXPECT_EQ(Checked(*form, "List2"), QStringList{"b"});
  // A folder gone: the page shows the one above it, and says so.
  Make({"sub/", "sub/x"});
  ASSERT_TRUE(form->OpenFolder((root_ + "/sub").toStdString(), false).ok());
  ASSERT_TRUE(QDir(root_ + "/sub").removeRecursively());
  QTest::keyClick(form.get(), Qt::Key_F5);
  EXPECT_THAT(StatusText(*form), HasSubstr("is gone"));
  EXPECT_EQ(Rows(*form, "List2"), (QStringList{"a", "b", "d", "e"}));
}

TEST_F(ComfortsTest, TheExtensionsCaseAloneAndTheSessionComeBackAtTheNextStart) {
  Make({"IMG_1.JPG", "Notes.TXT"});
  {
    auto form = OpenActive();
    ClickTab(*form, "Files");
    ClickTab(*form, "Case");
    Click(*form, "CaseExtOnly");
    EXPECT_EQ(After(*form), "Example filename.ext");
    ClickRow(*form, "List2", "IMG_1.JPG");
    Click(*form, "Command10");
    EXPECT_EQ(Names(), (QStringList{"IMG_1.jpg", "Notes.TXT"}));
    Click(*form, "uppercase");
    Click(*form, "Command1");
  }
  WindowState next_start;
  auto form = OpenActive(&next_start);
  EXPECT_TRUE(Find(*form, "files")->isVisible());
  EXPECT_TRUE(Find(*form, "selectcase")->isVisible());
  EXPECT_TRUE(Find<QCheckBox>(*form, "CaseExtOnly")->isChecked());
  EXPECT_EQ(After(*form), "Example filename.EXT");
}

TEST_F(ComfortsTest, KeysReachTabsAndTabReachesTheExample) {
  auto form = OpenActive();
  QTest::keyClick(form.get(), Qt::Key_X, Qt::AltModifier);
  EXPECT_TRUE(Find(*form, "extensionf")->isVisible());
  QTest::keyClick(form.get(), Qt::Key_F, Qt::AltModifier);
  EXPECT_TRUE(Find(*form, "files")->isVisible());
  // Every control of every page says what it does, by its own tooltip or its group's.
  for (QWidget* control : form->findChildren<QWidget*>()) {
    if (!control->focusPolicy() || control->objectName().isEmpty()) continue;
    QWidget* told = control;
    while (told != form.get() && told->toolTip().isEmpty()) told = told->parentWidget();
    EXPECT_NE(told, form.get()) << control->objectName().toStdString();
  }
  // Round the window by Tab: every control, the read-only example too, for a screen reader.
  Find(*form, "Command10")->setFocus();
  QStringList reached;
  for (int i = 0; i < 60; ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    reached << QApplication::focusWidget()->objectName();
  }
  for (const char* name : {"extad", "List2", "before", "after"})
    EXPECT_TRUE(reached.contains(name)) << name << " in " << reached.join(' ').toStdString();
}

}  // namespace
}  // namespace kestro::window_test
