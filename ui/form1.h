// Form1, the main window: the target tabs with the pickers, the operation tabs with their pages,
// the example box and the buttons. It binds to the WindowState model and runs the batches.
#pragma once

#include <QWidget>

#include "batch/window_state.h"
#include "platform/clock.h"
#include "platform/document_opener.h"
#include "platform/file_system.h"
#include "platform/settings_store.h"

namespace kestro {

struct Form1Services {
  FileSystem& fs;
  SettingsStore& settings;
  const Clock& clock;
  DocumentOpener& opener;
};

class Form1 : public QWidget {
  Q_OBJECT
 public:
  // Builds the window and runs Form_Load.
  Form1(WindowState& state, Form1Services services, QWidget* parent = nullptr);
  ~Form1() override;
};

}  // namespace kestro
