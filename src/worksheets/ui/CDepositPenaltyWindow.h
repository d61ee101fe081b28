#pragma once

#include <QDialog>
#include <array>

#include "worksheets/DepositPenaltyWindowModel.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace zarvic {

class CTDoc;
class WorksheetGridView;

// "Deposit Penalty": the failure-to-deposit worksheet of one problem (DepositPenaltyWindowModel), its
// penalty figured again after every change. Closing it keeps a changed worksheet with the problem.
class CDepositPenaltyWindow : public QDialog {
  Q_OBJECT
 public:
  explicit CDepositPenaltyWindow(CTDoc& doc, QWidget* parent = nullptr);
  ~CDepositPenaltyWindow() override;

  const DepositPenaltyWindowModel& Model() const { return model_; }
  QLineEdit* Field(DepositField field) const { return fields_[static_cast<std::size_t>(field)]; }
  QComboBox* ScheduleBox() const { return schedule_; }
  QCheckBox* AveragedBox() const { return averaged_; }
  WorksheetGridView* LiabilitiesGrid() const { return liabilities_; }
  WorksheetGridView* DepositsGrid() const { return deposits_; }
  QTableWidget* ResultTable() const { return results_; }
  QLabel* NotesLabel() const { return notes_; }
  QLabel* TotalLabel() const { return total_; }
  QPushButton* AddButton() const { return add_; }
  QPushButton* ReportButton() const { return report_; }
  QPushButton* CloseButton() const { return close_; }

  void done(int result) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Takes the text of a field; false after its refusal (the field shows what it held, selected).
  bool TakeField(DepositField field);
  // What is typed but not yet taken (a field or a cell being edited when a button is used).
  bool TakePending();
  void Refresh();
  void AddToProblem();
  void Report();

  CTDoc& doc_;
  DepositPenaltyWindowModel model_;
  std::array<QLineEdit*, 5> fields_{};
  QComboBox* schedule_;
  QCheckBox* averaged_;
  WorksheetGridView* liabilities_;
  WorksheetGridView* deposits_;
  QTableWidget* results_;
  QLabel* notes_;
  QLabel* total_;
  QPushButton* add_;
  QPushButton* report_;
  QPushButton* close_;
};

}  // namespace zarvic
