// What the window tests do as a person would: find a control by its name, click a tab of a tab
// strip by its caption, click a button (option buttons and check boxes on their box).
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QWidget>
#include <algorithm>

namespace kestro::window_test {

template <typename T>
T* Find(const QWidget& form, const char* name) {
  T* widget = form.findChild<T*>(name);
  EXPECT_NE(widget, nullptr) << name;
  return widget;
}

inline void ClickTab(const QWidget& form, const char* strip, const QString& caption) {
  auto* bar = Find<QTabBar>(form, strip);
  for (int i = 0; i < bar->count(); ++i) {
    if (bar->tabText(i) == caption) {
      QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(i).center());
      return;
    }
  }
  ADD_FAILURE() << "no tab " << caption.toStdString();
}

inline void Click(const QWidget& form, const char* name) {
  auto* button = Find<QAbstractButton>(form, name);
  QPoint at = button->rect().center();
  if (qobject_cast<QPushButton*>(button) == nullptr) at.setX(std::min(at.x(), 8));
  QTest::mouseClick(button, Qt::LeftButton, {}, at);
}

}  // namespace kestro::window_test
