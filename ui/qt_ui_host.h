// The UiHost of the main window: the batches' messages as message boxes over the window, the
// focus move to field "A:", and unloading the window.
#pragma once

#include <functional>

#include "batch/ui_host.h"

class QWidget;

namespace kestro {

class QtUiHost : public UiHost {
 public:
  // `window` is the parent of the message boxes and what UnloadMainWindow closes; `text8` is
  // field "A:" of the Replace page. Both must outlive the host.
  QtUiHost(QWidget& window, QWidget& text8) : window_(window), text8_(text8) {}

  void ShowMessage(const Message& message) override;
  void FocusText8() override;
  void UnloadMainWindow() override;

 private:
  QWidget& window_;
  QWidget& text8_;
};

}  // namespace kestro
