#include "ui/selectable_list_model.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "ui/selectable_list_view.h"

namespace kestro {
namespace {

TEST(SelectableListModelTest, ShowsEntriesInListOrderWithTheirState) {
  SelectableList list;
  list.Assign({"img10", "img2", "b"});
  SelectableListModel model(list);
  ASSERT_EQ(model.rowCount(), 3);
  EXPECT_EQ(model.data(model.index(0), Qt::DisplayRole).toString(), "img10");
  EXPECT_EQ(model.data(model.index(1), Qt::DisplayRole).toString(), "img2");
  model.Toggle(1);
  EXPECT_TRUE(list.selected(1));
  EXPECT_FALSE(list.selected(0));
  EXPECT_EQ(model.data(model.index(1), Qt::CheckStateRole).toInt(), Qt::Checked);
  model.Toggle(1);
  EXPECT_FALSE(list.selected(1));
  model.Toggle(7);  // out of range: nothing
  EXPECT_EQ(list.SelectedCount(), 0u);
}

TEST(SelectableListModelTest, SelectAllIsOneChangeNotice) {
  SelectableList list;
  std::vector<std::string> names;
  for (int i = 0; i < 1000; ++i) names.push_back("n" + std::to_string(i));
  list.Assign(names);
  SelectableListModel model(list);
  QSignalSpy changes(&model, &QAbstractItemModel::dataChanged);
  model.SelectAll(true);
  EXPECT_EQ(list.SelectedCount(), 1000u);
  EXPECT_EQ(changes.count(), 1);
  model.SelectAll(false);
  EXPECT_EQ(list.SelectedCount(), 0u);
}

TEST(SelectableListModelTest, EmptyListSelectAllDoesNothing) {
  SelectableList list;
  SelectableListModel model(list);
  QSignalSpy changes(&model, &QAbstractItemModel::dataChanged);
  model.SelectAll(true);
  EXPECT_EQ(changes.count(), 0);
}

TEST(SelectableListViewTest, ClickTogglesOneEntrySpaceTogglesTheCurrent) {
  SelectableList list;
  list.Assign({"a", "b", "c"});
  SelectableListModel model(list);
  SelectableListView view(model, nullptr);
  view.resize(200, 200);
  view.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
  const QPoint b = view.visualRect(model.index(1)).center();
  QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, b);
  EXPECT_FALSE(list.selected(0));
  EXPECT_TRUE(list.selected(1));
  EXPECT_FALSE(list.selected(2));
  QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, b);
  EXPECT_FALSE(list.selected(1));
  view.setCurrentIndex(model.index(2));
  QTest::keyClick(&view, Qt::Key_Space);
  EXPECT_TRUE(list.selected(2));
}

}  // namespace
}  // namespace kestro
