#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <memory>

#include "core/AppOptions.h"
#include "engine/ComputeResultsModel.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace zarvic {

class CTDoc;

// "Compute Results": the compute date with Recompute and the seven totals of the problem at that
// date. Opening it computes the problem.
class CComputeResults : public QDialog {
  Q_OBJECT
 public:
  // What "&Report..." and "&View Notes" do; the report window and the notes window install these.
  // Without one the button stays disabled. Each setter returns the handler it replaces.
  using ProblemAction = std::function<void(CTDoc& doc, QWidget* parent)>;
  static ProblemAction SetReportAction(ProblemAction action);
  static ProblemAction SetViewNotesAction(ProblemAction action);

  // anchor: the problem window, which the dialog opens beside when no position is remembered.
  CComputeResults(CTDoc& doc, QWidget* anchor, QWidget* parent = nullptr);
  ~CComputeResults() override;

  QLineEdit* DateField() const { return date_; }
  QLabel* ValueLabel(ResultRow row) const { return values_[static_cast<int>(row)]; }
  QPushButton* RecomputeButton() const { return recompute_; }
  QPushButton* ReportButton() const { return report_; }
  QWidget* NotesArea() const { return notes_; }

  void Recompute();

  void done(int result) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void ShowValues();
  void DateEdited();
  void DateLeft();
  void AskGattDiagnostic();
  void PlaceWindow();

  CTDoc& doc_;
  QWidget* anchor_;
  ComputeResultsModel model_;
  SpecialCRSuspension enterIsNotTab_;  // the dialog's Enter recomputes or closes
  QLineEdit* date_;
  QPushButton* recompute_;
  QPushButton* report_;
  QPushButton* close_;
  QWidget* notes_;
  std::array<QLabel*, kResultRows> values_{};
  QString appliedText_;  // the date text of the last recompute
  bool placed_ = false;
};

// F9 "&Compute Totals...": 20028 without events, else the results window on the problem, modal.
void ShowComputeResults(CTDoc& doc, QWidget* anchor);

}  // namespace zarvic
