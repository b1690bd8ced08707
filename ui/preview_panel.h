// The outcome preview beside the selection lists: for every selected entry its new name and what
// "Rename!" will do with it, worked out on a copy of the folder's names away from the window's
// thread, and brought up to date after every edit, selection and folder change.
#pragma once

#include <QAbstractTableModel>
#include <QTimer>
#include <QWidget>
#include <memory>
#include <string>

#include "batch/outcome_preview.h"
#include "batch/window_state.h"
#include "platform/clock.h"
#include "platform/file_system.h"

class QLabel;
class QTreeView;

namespace kestro {

class PreviewWorker;

// The rows of one preview: name, new name, outcome.
class PreviewModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit PreviewModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}
  void Show(std::shared_ptr<const OutcomePreview> preview);

  [[nodiscard]] int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  [[nodiscard]] int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
  [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                    int role) const override;

 private:
  std::shared_ptr<const OutcomePreview> preview_;
};

class OutcomePreviewPanel : public QWidget {
  Q_OBJECT
 public:
  // Reads `state` and the names of its chosen folders through `fs`; all must outlive the panel.
  OutcomePreviewPanel(const WindowState& state, FileSystem& fs, const Clock& clock,
                      QWidget* parent = nullptr);
  ~OutcomePreviewPanel() override;

  // After an edit or a change of the selection: a new preview as soon as the window is idle
  // (edits in one go make one preview). Nothing is worked out while the panel is hidden.
  void Schedule();
  // The folder's names may have changed (another folder, a batch, an undo): read them anew.
  void NamesChanged();
  // Holds previews back (a batch is running); Resume schedules one.
  void Pause();
  void Resume();

  // The panel's width at the window's design size, where the name columns have their own width;
  // a wider panel gives them their share of the rest. Until it is set they keep theirs.
  void SetDesignWidth(int width);

  // The preview on screen, or null before the first.
  [[nodiscard]] const OutcomePreview* preview() const { return shown_.get(); }
  // Whether a newer preview is being worked out.
  [[nodiscard]] bool pending() const;
  [[nodiscard]] const QString& summary() const;

 signals:
  void Updated();  // a new preview is on screen

 protected:
  void showEvent(QShowEvent* event) override;
  // A wider panel gives a third of what it gained to each name column, the rest to the outcome.
  void resizeEvent(QResizeEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void Start();
  void Show(std::shared_ptr<const OutcomePreview> preview);
  void SetSummary(const QString& text);

  const WindowState& state_;
  FileSystem& fs_;
  const Clock& clock_;
  QTimer timer_;
  QLabel* summary_ = nullptr;
  QTreeView* view_ = nullptr;
  PreviewModel* model_ = nullptr;
  std::unique_ptr<PreviewWorker> worker_;
  std::shared_ptr<const FolderNames> names_;
  Status names_status_;
  bool names_stale_ = true;
  bool paused_ = false;
  bool waiting_ = false;  // a request is out and its preview not yet shown
  std::shared_ptr<const OutcomePreview> shown_;
  QString summary_text_;
  int columns_width_ = -1;  // the panel's width the columns were last sized for (-1: never)
};

}  // namespace kestro
