#include "ui/key_filters.h"

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

namespace kestro {
namespace {

TEST(DigitFilterTest, TypedKeys) {
  struct Case {
    int key;
    Qt::KeyboardModifiers modifiers;
    const char* text;
    bool passes;
  };
  const Case cases[] = {
      {Qt::Key_0, Qt::NoModifier, "0", true},
      {Qt::Key_9, Qt::NoModifier, "9", true},
      {Qt::Key_Backspace, Qt::NoModifier, "\b", true},
      {Qt::Key_A, Qt::NoModifier, "a", false},
      {Qt::Key_Space, Qt::NoModifier, " ", false},
      {Qt::Key_Minus, Qt::NoModifier, "-", false},
      {Qt::Key_Return, Qt::NoModifier, "\r", false},
      {Qt::Key_Escape, Qt::NoModifier, "\x1b", false},
      {Qt::Key_V, Qt::ControlModifier, "\x16", false},
      {Qt::Key_C, Qt::ControlModifier, "\x03", false},
      {Qt::Key_X, Qt::ControlModifier, "\x18", false},
      {Qt::Key_V, Qt::ControlModifier, "", false},
      {Qt::Key_Insert, Qt::ShiftModifier, "", false},  // paste on X11
      {Qt::Key_Backspace, Qt::ControlModifier, "\x7f", false},
      {Qt::Key_5, Qt::ShiftModifier, "%", false},
      {Qt::Key_Left, Qt::NoModifier, "", true},
      {Qt::Key_Delete, Qt::NoModifier, "\x7f", true},
      {Qt::Key_Home, Qt::NoModifier, "", true},
      {Qt::Key_Tab, Qt::NoModifier, "\t", true},
      {Qt::Key_F1, Qt::NoModifier, "", true},
  };
  for (const Case& c : cases) {
    const QKeyEvent event(QEvent::KeyPress, c.key, c.modifiers, QString::fromLatin1(c.text));
    EXPECT_EQ(DigitFilterPasses(event), c.passes) << "key " << c.key << " text '" << c.text << "'";
  }
}

TEST(DigitFilterTest, FieldKeepsOnlyDigits) {
  QLineEdit field;
  field.setMaxLength(2);
  field.installEventFilter(new DigitKeyFilter(&field));
  QTest::keyClicks(&field, "a1b");
  EXPECT_EQ(field.text(), "1");
  QTest::keyClick(&field, Qt::Key_V, Qt::ControlModifier);
  QTest::keyClicks(&field, "23");
  EXPECT_EQ(field.text(), "12");
  QTest::keyClick(&field, Qt::Key_Backspace);
  EXPECT_EQ(field.text(), "1");
}

TEST(FieldKeyWatcherTest, ReleaseAfterAPressHereAndFocusLoss) {
  QLineEdit field;
  int released = 0;
  int lost = 0;
  field.installEventFilter(new FieldKeyWatcher([&] { ++released; }, [&] { ++lost; }, &field));
  QFocusEvent focus_in(QEvent::FocusIn, Qt::TabFocusReason);
  QApplication::sendEvent(&field, &focus_in);
  // The release of the Tab that brought the focus here changes nothing.
  QTest::keyRelease(&field, Qt::Key_Tab);
  EXPECT_EQ(released, 0);
  QTest::keyClick(&field, Qt::Key_A);
  EXPECT_EQ(released, 1);
  EXPECT_EQ(field.text(), "a");
  QFocusEvent focus_out(QEvent::FocusOut, Qt::MouseFocusReason);
  QApplication::sendEvent(&field, &focus_out);
  EXPECT_EQ(lost, 1);
}

}  // namespace
}  // namespace kestro
