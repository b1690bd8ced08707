// The user guide in a window of the program's own: docs/manual.htm in a text browser, so the guide
// is there also where no program opens HTML. Its links within the guide work in the window; links
// to the web go to the desktop's browser. "Open in Browser" hands the guide to the DocumentOpener.
#pragma once

#include <QWidget>
#include <string>

#include "platform/document_opener.h"
#include "platform/status.h"

class QTextBrowser;

namespace kestro {

class GuideWindow : public QWidget {
  Q_OBJECT
 public:
  // A top-level window, not modal, deleted when closed; it shows nothing until Load. `opener`
  // must outlive it.
  explicit GuideWindow(DocumentOpener& opener);

  // Reads the guide at `path` (a self-contained HTML file) into the window. Fails, leaving the
  // window as it was, when the file is missing or cannot be read: "'PATH': REASON".
  Status Load(const std::string& path);

  // "Open in Browser": the guide in the desktop's viewer, not waited for; a failure is said in a
  // message box, also one the viewer's launcher reports only when it ends.
  void OpenInBrowser();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  DocumentOpener& opener_;
  QTextBrowser* text_ = nullptr;
  std::string path_;
};

}  // namespace kestro
