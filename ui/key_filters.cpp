// DigitFilterPasses, DigitKeyFilter and FieldKeyWatcher.
#include "ui/key_filters.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <utility>

#include "batch/form1_rules.h"

namespace kestro {

bool DigitFilterPasses(const QKeyEvent& event) {
  if (event.matches(QKeySequence::Paste) || event.matches(QKeySequence::Copy) ||
      event.matches(QKeySequence::Cut)) {
    return false;
  }
  const int key = event.key();
  const Qt::KeyboardModifiers modifiers = event.modifiers();
  const bool control =
      modifiers.testFlag(Qt::ControlModifier) && !modifiers.testFlag(Qt::AltModifier);
  // Ctrl with a letter or one of "@[\]^_" types a control character; Ctrl+Backspace types DEL.
  if (control && ((key >= Qt::Key_At && key <= Qt::Key_Underscore) || key == Qt::Key_Backspace)) {
    return false;
  }
  switch (key) {
    case Qt::Key_Backspace:
      return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
      return false;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
    case Qt::Key_Insert:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
      return true;
    default:
      break;
  }
  const QString text = event.text();
  if (text.isEmpty()) return true;
  return text.size() == 1 && TypedKeyAllowed("Text6", text.at(0).unicode());
}

bool DigitKeyFilter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && !DigitFilterPasses(*static_cast<QKeyEvent*>(event))) {
    return true;
  }
  // A shortcut override would let Ctrl+V reach the field's own paste; refuse it the same way.
  if (event->type() == QEvent::ShortcutOverride &&
      !DigitFilterPasses(*static_cast<QKeyEvent*>(event))) {
    event->accept();
    return true;
  }
  return QObject::eventFilter(watched, event);
}

FieldKeyWatcher::FieldKeyWatcher(std::function<void()> key_released,
                                 std::function<void()> focus_lost, QObject* parent)
    : QObject(parent), key_released_(std::move(key_released)), focus_lost_(std::move(focus_lost)) {}

bool FieldKeyWatcher::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::FocusIn:
      pressed_here_ = false;
      break;
    case QEvent::KeyPress:
      pressed_here_ = true;
      break;
    case QEvent::KeyRelease:
      if (pressed_here_ && !static_cast<QKeyEvent*>(event)->isAutoRepeat()) key_released_();
      break;
    case QEvent::FocusOut:
      focus_lost_();
      break;
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace kestro
