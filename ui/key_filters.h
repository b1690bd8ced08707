// Keyboard rules of single fields: the strip count's digit filter (Text6), and the custom-text
// fields of the Rename page (Text2 to Text5), which act when a key is released in them and when
// they lose the focus.
#pragma once

#include <QObject>
#include <functional>

class QKeyEvent;

namespace kestro {

// Whether a key typed into the strip count reaches it: digits "0" to "9" and Backspace do; every
// other key that types a character (letters, blanks, Enter, Escape, the control characters of
// Ctrl+letter, the copy/cut/paste shortcuts) is dropped. Keys that type nothing (arrows, Home,
// End, Delete, Tab, function keys) pass, as they edit or move rather than type.
[[nodiscard]] bool DigitFilterPasses(const QKeyEvent& event);

// Installed on a field, drops the key presses DigitFilterPasses refuses.
class DigitKeyFilter : public QObject {
  Q_OBJECT
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

// Installed on a field, calls `key_released` when a key is released in it and `focus_lost` when
// it loses the focus; the field handles both events as usual. A release counts once a key was
// pressed in the field since it got the focus, so the release of the Tab that moved the focus
// in does not change anything.
class FieldKeyWatcher : public QObject {
  Q_OBJECT
 public:
  FieldKeyWatcher(std::function<void()> key_released, std::function<void()> focus_lost,
                  QObject* parent);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::function<void()> key_released_;
  std::function<void()> focus_lost_;
  bool pressed_here_ = false;
};

}  // namespace kestro
