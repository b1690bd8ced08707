// The details of the last batch or undo: every entry that kept its name (or could not go back),
// with its reason, in a text that can be selected and copied whole. Opened from the status line.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

class QPlainTextEdit;

namespace kestro {

class ReportDetails : public QDialog {
 public:
  // `summary` is the status line's whole text, above the list; `lines` one per entry.
  ReportDetails(const QString& summary, const std::vector<std::string>& lines, QWidget* parent);
};

}  // namespace kestro
