// What the window tests share: the main window on a real temporary folder (or any FileSystem),
// controls found by their names and used as a person would, a document opener that records what
// it was asked to open, and the placement checks, also run again on a screen of another DPI.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>

#include "batch/pickers.h"
#include "platform/posix/posix_file_system.h"
#include "ui/form1.h"
#include "ui/message_box.h"

namespace kestro::window_test {

using ::testing::HasSubstr;
using ::testing::StartsWith;

template <typename T = QWidget>
T* Find(const QWidget& form, const char* name) {
  T* widget = form.findChild<T*>(name);
  EXPECT_NE(widget, nullptr) << name;
  return widget;
}

// Clicks the tab of either tab strip that carries `caption`.
inline void ClickTab(const QWidget& form, const QString& caption) {
  for (QTabBar* bar : form.findChildren<QTabBar*>()) {
    for (int i = 0; i < bar->count(); ++i) {
      if (QString(bar->tabText(i)).remove('&') == caption)
        return QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(i).center());
    }
  }
  ADD_FAILURE() << "no tab " << caption.toStdString();
}

// Push buttons in their middle; option buttons and check boxes on their box.
inline void Click(const QWidget& form, const char* name) {
  auto* button = Find<QAbstractButton>(form, name);
  QPoint at = button->rect().center();
  if (qobject_cast<QPushButton*>(button) == nullptr) at.setX(std::min(at.x(), 8));
  QTest::mouseClick(button, Qt::LeftButton, {}, at);
}

inline void Type(const QWidget& form, const char* field, const QString& text) {
  QTest::keyClicks(Find<QLineEdit>(form, field), text);
}

inline QStringList Rows(const QWidget& form, const char* view_name, int column = 0,
                        int role = Qt::DisplayRole) {
  const QAbstractItemModel* model = Find<QAbstractItemView>(form, view_name)->model();
  QStringList rows;
  for (int i = 0; i < model->rowCount(); ++i) rows << model->index(i, column).data(role).toString();
  return rows;
}

// Clicks the row showing `text`; `twice`: then double-clicks it, as a window system delivers one.
inline void ClickRow(const QWidget& form, const char* view_name, const QString& text,
                     bool twice = false) {
  auto* view = Find<QAbstractItemView>(form, view_name);
  const QModelIndex index = view->model()->index(int(Rows(form, view_name).indexOf(text)), 0);
  ASSERT_TRUE(index.isValid()) << text.toStdString();
  view->scrollTo(index);
  const QPoint at = view->visualRect(index).center();
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
  if (!twice) return;
  QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
  QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, at);
}

// Brings `window` to the front and waits until it has the keyboard.
inline bool Activated(QWidget* window) {
  window->activateWindow();
  return QTest::qWaitForWindowActive(window);
}

// The shown window of that name, if any; never more than one.
inline QWidget* Shown(const char* name) {
  QWidget* shown = nullptr;
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window->objectName() != name || !window->isVisible()) continue;
    EXPECT_EQ(shown, nullptr) << "a second " << name;
    shown = window;
  }
  return shown;
}

// The status line as a string, so that a failed match prints it.
inline std::string StatusText(const Form1& form) { return form.status_text().toStdString(); }

struct RecordingOpener : DocumentOpener {
  Status Open(const std::string& path) override {
    opened.push_back(path);
    return answer;
  }
  std::vector<std::string> opened;
  Status answer;
};

// The main window, by default on the temporary folder `root_` on disk, with LastDir on its
// folder; message boxes are recorded instead of shown.
class WindowTest : public ::testing::Test {
 protected:
  std::unique_ptr<Form1> Open(FileSystem* fs = nullptr, const std::string& folder = "",
                              WindowState* state = nullptr) {
    SetSetting(kLastDirKey, fs == nullptr ? root_.toStdString() : folder);
    auto form = std::make_unique<Form1>(
        state ? *state : state_,
        Form1Services{fs ? *fs : disk_, settings_, clock_, opener_, &journal_, guide_});
    form->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    return form;
  }
  void Make(std::initializer_list<QString> paths) {  // files, and ending in "/" folders
    for (const QString& path : paths) {
      ASSERT_TRUE(path.endsWith('/') ? QDir(root_).mkpath(path)
                                     : QFile(root_ + "/" + path).open(QFile::WriteOnly));
    }
  }
  QStringList Names() const {
    return QDir(root_).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                 QDir::Name);
  }
  std::string Setting(const char* key) {
    return settings_.Get(kSettingsApplication, kSettingsSection, key, "");
  }
  void SetSetting(const char* key, const std::string& value) {
    settings_.Set(kSettingsApplication, kSettingsSection, key, value);
  }
  std::string LastDir() { return Setting(kLastDirKey); }
  static QString After(const QWidget& form) { return Find<QLineEdit>(form, "after")->text(); }

  QTemporaryDir temp_;
  QString root_ = QDir(temp_.path()).canonicalPath();
  QTemporaryDir journals_;
  JournalFolder journal_{journals_.path().toStdString()};
  PosixFileSystem disk_;
  WindowState state_;
  MemorySettingsStore settings_;
  FixedClock clock_{CalendarDate{1999, 3, 5}};
  RecordingOpener opener_;
  std::string guide_;  // the guide Help shows; empty: UserGuidePath()
  std::vector<Message> messages_;
  ScopedMessageRecorder recorder_{[this](const Message& m) { messages_.push_back(m); }};
};

// Every visible named control of `window` lies inside its parent, and no two that hold no other
// control overlap: a control left where Qt puts it by default, or a layout that no longer fits.
inline void ExpectLaidOut(const QWidget& window) {
  auto is_control = [&window](const QWidget* w) {
    return w->isVisible() && w->window() == &window && !w->objectName().isEmpty() &&
           !w->objectName().startsWith("qt_");
  };
  auto place = [&window](const QWidget* w) {
    return QRect(w->mapTo(&window, QPoint()), w->size());
  };
  std::vector<const QWidget*> leaves;
  for (const QWidget* widget : window.findChildren<QWidget*>()) {
    if (!is_control(widget)) continue;
    EXPECT_TRUE(widget->parentWidget()->rect().contains(widget->geometry()))
        << widget->objectName().toStdString() << " sticks out";
    const QList<QWidget*> inside = widget->findChildren<QWidget*>();
    if (std::none_of(inside.begin(), inside.end(), is_control)) leaves.push_back(widget);
  }
  for (std::size_t i = 0; i < leaves.size(); ++i) {
    for (std::size_t j = i + 1; j < leaves.size(); ++j) {
      EXPECT_FALSE(place(leaves[i]).intersects(place(leaves[j])))
          << (leaves[i]->objectName() + " overlaps " + leaves[j]->objectName()).toStdString();
    }
  }
}

// The logical DPI of the screen `window` is on, printed: RunAgainAtDpi looks for it.
inline double ScreenDpi(const QWidget& window) {
  const double dpi = window.screen()->logicalDotsPerInch();
  std::printf("[ placement ] logical DPI %g\n", dpi);
  return dpi;
}

// Runs the tests of `filter` again in a child process of this test program, on an offscreen
// screen of `dpi` logical dots per inch, and fails with its output when they fail.
inline void RunAgainAtDpi(const QString& filter, int dpi) {
  if (qEnvironmentVariableIsSet("KESTRO_TEST_DPI")) GTEST_SKIP() << "the run at another DPI";
  QTemporaryDir dir;
  QFile config(dir.filePath("screen.json"));
  ASSERT_TRUE(config.open(QFile::WriteOnly));
  // The base DPI too: otherwise Qt scales the whole window by dpi / 96 and the window sees 96.
  config.write(QStringLiteral(R"({"screens": [{"name": "big", "width": 2560, "height": 1600,
      "logicalDpi": %1, "logicalBaseDpi": %1}]})")
                   .arg(dpi)
                   .toUtf8());
  config.close();
  QProcess child;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("QT_QPA_PLATFORM", "offscreen:configfile=" + config.fileName());
  environment.insert("KESTRO_TEST_DPI", QString::number(dpi));
  child.setProcessEnvironment(environment);
  child.setProcessChannelMode(QProcess::MergedChannels);
  child.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=" + filter});
  ASSERT_TRUE(child.waitForFinished(300000));
  const std::string output = child.readAll().toStdString();
  EXPECT_EQ(child.exitCode(), 0) << output;
  EXPECT_NE(output.find("logical DPI " + std::to_string(dpi)), std::string::npos) << output;
}

}  // namespace kestro::window_test
