// OutcomePreviewPanel and its model.
#include "ui/preview_panel.h"

#include <QBrush>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPalette>
#include <QResizeEvent>
#include <QStyledItemDelegate>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "batch/form1_design.h"
#include "batch/form1_growth.h"
#include "batch/preview_summary.h"
#include "engine/printable_text.h"
#include "ui/accessibility.h"
#include "ui/preview_worker.h"

namespace kestro {
namespace {

// The entry's own date comes last, shown only while the operation uses one.
enum Column { kName, kNewName, kOutcome, kDate, kColumns };
// The name columns' width in a panel of the design width; they are never made narrower.
constexpr int kNameWidth = 150;

QString Text(const std::string& text) { return QString::fromStdString(text); }

// The outcome column: short, the tooltip carries the whole reason.
QString ShortOutcome(const PreviewRow& row) {
  const QString kept = QStringLiteral("would keep its name: ");
  switch (row.why) {
    case PreviewRow::Why::kRenamed:
      return QStringLiteral("will be renamed");
    case PreviewRow::Why::kUnchanged:
      return QStringLiteral("already has this name");
    case PreviewRow::Why::kTakenByRenamed:
      return kept + QStringLiteral("name taken earlier in the batch");
    case PreviewRow::Why::kTakenByLater:
      return kept + QStringLiteral("name still held by a later entry");
    case PreviewRow::Why::kTakenByPresent:
      return kept + QStringLiteral("name taken in the folder");
    case PreviewRow::Why::kNoName:
      return kept + QStringLiteral("no name can be computed");
    case PreviewRow::Why::kRefused:
    case PreviewRow::Why::kFailed:
      break;
  }
  return kept + Text(row.outcome.reason);
}

// The whole row, one line each, for the names and reasons the columns cut in the middle.
QString ToolTip(const PreviewRow& row) {
  QString tip = QStringLiteral("Old name: ") + Text(PrintableText(row.outcome.old_name));
  if (row.why != PreviewRow::Why::kNoName)
    tip += QStringLiteral("\nNew name: ") + Text(PrintableText(row.outcome.new_name));
  if (!row.date.empty()) tip += QStringLiteral("\nDate: ") + Text(PrintableText(row.date));
  return tip + QLatin1Char('\n') + Text(PrintableText(DescribeRow(row)));
}

// The outcome column keeps its beginning, where the verdict is; the names keep their ends.
class OutcomeDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
    QStyledItemDelegate::initStyleOption(option, index);
    option->textElideMode = Qt::ElideRight;
  }
};

}  // namespace

void PreviewModel::Show(std::shared_ptr<const OutcomePreview> preview) {
  beginResetModel();
  preview_ = std::move(preview);
  endResetModel();
}

int PreviewModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid() || preview_ == nullptr) return 0;
  constexpr std::size_t kMaxRows = 0x7fffffff;
  return static_cast<int>(std::min(preview_->rows.size(), kMaxRows));
}

int PreviewModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumns;
}

QVariant PreviewModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const PreviewRow& row = preview_->rows[static_cast<std::size_t>(index.row())];
  const bool kept = row.why != PreviewRow::Why::kRenamed && row.why != PreviewRow::Why::kUnchanged;
  switch (role) {
    case Qt::DisplayRole:
      switch (index.column()) {
        case kName:
          return Text(row.outcome.old_name);
        case kNewName:
          return row.why == PreviewRow::Why::kNoName ? QString() : Text(row.outcome.new_name);
        case kDate:
          return Text(row.date);
        default:
          return ShortOutcome(row);
      }
    case Qt::ToolTipRole:
      return ToolTip(row);
    case Qt::ForegroundRole:
      if (kept) return QBrush(Qt::darkRed);
      if (row.why == PreviewRow::Why::kUnchanged) return QBrush(Qt::darkGray);
      return {};
    default:
      return {};
  }
}

QVariant PreviewModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  switch (section) {
    case kName:
      return QStringLiteral("Name");
    case kNewName:
      return QStringLiteral("New name");
    case kOutcome:
      return QStringLiteral("Outcome");
    case kDate:
      return QStringLiteral("Date");
    default:
      return {};
  }
}

OutcomePreviewPanel::OutcomePreviewPanel(const WindowState& state, FileSystem& fs,
                                         const Clock& clock, QWidget* parent)
    : QWidget(parent), state_(state), fs_(fs), clock_(clock) {
  setObjectName("OutcomePreview");
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 4, 4);
  auto* frame = new QGroupBox(QStringLiteral("Outcome preview"), this);
  outer->addWidget(frame);
  auto* layout = new QVBoxLayout(frame);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->setSpacing(4);
  summary_ = new QLabel(frame);
  summary_->setObjectName(kPreviewSummaryName);
  summary_->setTextFormat(Qt::PlainText);
  summary_->setWordWrap(true);
  layout->addWidget(summary_);
  model_ = new PreviewModel(this);
  view_ = new QTreeView(frame);
  view_->setObjectName(kPreviewListName);
  view_->setAccessibleName(QStringLiteral("What \"Rename!\" will do"));
  view_->setModel(model_);
  view_->setRootIsDecorated(false);
  view_->setUniformRowHeights(true);  // 100,000 rows lay out at once
  view_->setAlternatingRowColors(true);
  view_->setSelectionMode(QAbstractItemView::NoSelection);
  // Tab reaches the rows, so a screen reader reads the batch's outcome before the run.
  view_->setFocusPolicy(Qt::StrongFocus);
  SayCurrentEntryOnFocus(*view_);
  view_->setToolTip(QStringLiteral("What \"Rename!\" will do with every selected entry"));
  // Long names keep their ends, where extensions and numbers are; the tooltip has them whole.
  view_->setTextElideMode(Qt::ElideMiddle);
  view_->setItemDelegateForColumn(kOutcome, new OutcomeDelegate(view_));
  view_->header()->setStretchLastSection(true);
  view_->header()->resizeSection(kName, kNameWidth);
  view_->header()->resizeSection(kNewName, kNameWidth);
  layout->addWidget(view_, 1);

  timer_.setSingleShot(true);
  timer_.setInterval(0);
  connect(&timer_, &QTimer::timeout, this, [this] { Start(); });
  worker_ = std::make_unique<PreviewWorker>(
      fs_, [this](std::shared_ptr<const OutcomePreview> preview) { Show(std::move(preview)); },
      this);
}

OutcomePreviewPanel::~OutcomePreviewPanel() = default;

void OutcomePreviewPanel::Schedule() {
  if (paused_ || !isVisible()) return;
  timer_.start();
}

void OutcomePreviewPanel::NamesChanged() {
  names_stale_ = true;
  Schedule();
}

void OutcomePreviewPanel::Pause() {
  paused_ = true;
  timer_.stop();
  worker_->Cancel();
  waiting_ = false;
}

void OutcomePreviewPanel::Resume() {
  paused_ = false;
  Schedule();
}

bool OutcomePreviewPanel::pending() const { return timer_.isActive() || waiting_; }

const QString& OutcomePreviewPanel::summary() const { return summary_text_; }

void OutcomePreviewPanel::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  names_stale_ = true;  // the folder may have changed while nobody looked
  Schedule();
}

void OutcomePreviewPanel::SetDesignWidth(int width) { columns_width_ = width; }

void OutcomePreviewPanel::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  // Measured against the width last laid out, not the event's old size, which a panel resized
  // while hidden does not have; what is left over from a third waits for the next resize, so
  // a window dragged wider a pixel at a time widens the columns too.
  if (columns_width_ < 0) return;
  const int third = PreviewColumnGain(width(), &columns_width_);
  if (third == 0) return;
  QHeaderView* header = view_->header();
  for (const int column : {kName, kNewName}) {
    header->resizeSection(column, std::max(kNameWidth, header->sectionSize(column) + third));
  }
}

void OutcomePreviewPanel::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  timer_.stop();
  worker_->Cancel();
  waiting_ = false;
}

void OutcomePreviewPanel::Start() {
  if (paused_ || !isVisible()) return;
  const std::string& folder = state_.TargetKind ? state_.dirs_folder : state_.files_folder;
  if (names_stale_ || names_ == nullptr || names_->folder != folder) {
    auto names = std::make_shared<FolderNames>();
    names_status_ = ReadFolderNames(fs_, folder, names.get());
    names_ = std::move(names);
    names_stale_ = false;
  }
  if (!names_status_.ok()) {
    worker_->Cancel();
    waiting_ = false;
    Show(std::make_shared<const OutcomePreview>());
    SetSummary(Text(names_status_.message()));
    return;
  }
  waiting_ = true;
  SetSummary(QStringLiteral("Working out the outcome..."));
  worker_->Request(state_, names_, clock_.Today());
}

void OutcomePreviewPanel::Show(std::shared_ptr<const OutcomePreview> preview) {
  waiting_ = false;
  shown_ = preview;
  // Counts as the user's locale groups their digits: "72,116 of 100,000".
  const auto count = [](std::size_t n) { return QLocale().toString(qulonglong{n}).toStdString(); };
  QString summary = Text(PreviewSummary(*preview, count));
  if (!names_->complete) summary += QStringLiteral(" Hidden entries are not taken into account.");
  SetSummary(summary);
  const bool dated = !preview->rows.empty() && !preview->rows.front().date.empty();
  model_->Show(std::move(preview));
  view_->setColumnHidden(kDate, !dated);
  emit Updated();
}

void OutcomePreviewPanel::SetSummary(const QString& text) {
  summary_text_ = text;
  summary_->setText(text);
}

}  // namespace kestro
