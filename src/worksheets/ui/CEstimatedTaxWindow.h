#pragma once

#include <QDialog>
#include <array>

#include "worksheets/EstimatedTaxWindowModel.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace zarvic {

class CTDoc;
class WorksheetGridView;

// "Estimated Tax Penalty": the estimated tax worksheet of a problem (EstimatedTaxWindowModel), its
// installments' rows and total after every change, "Add to Problem" and its report. Closing keeps a
// changed worksheet with the problem.
class CEstimatedTaxWindow : public QDialog {
  Q_OBJECT
 public:
  explicit CEstimatedTaxWindow(CTDoc& doc, QWidget* parent = nullptr);
  ~CEstimatedTaxWindow() override;

  const EstimatedTaxWindowModel& Model() const { return model_; }
  QLineEdit* Field(EstTaxField field) const { return fields_[static_cast<std::size_t>(field)]; }
  QComboBox* FilerList() const { return filer_; }
  QComboBox* BasisList() const { return basis_; }
  QCheckBox* FlagBox(EstTaxFlag flag) const { return flags_[static_cast<std::size_t>(flag)]; }
  WorksheetGridView* PaymentsView() const { return paymentsView_; }
  WorksheetGridView* WithheldView() const { return withheldView_; }
  QTableWidget* Rows() const { return rows_; }
  QLabel* Total() const { return total_; }
  QPushButton* OfferButton() const { return offer_; }
  QPushButton* AddButton() const { return add_; }
  QPushButton* ReportButton() const { return report_; }
  QPushButton* CloseButton() const { return close_; }

  void done(int result) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLineEdit* MakeField(EstTaxField field, const char* name);
  QCheckBox* MakeFlag(EstTaxFlag flag, const char* caption);
  // Takes the text of a field being left: false after its refusal (the old value back, the focus in
  // the field).
  bool LeaveField(QLineEdit* edit);
  // What is being typed somewhere goes to the model before a button acts on it; false when it was
  // refused.
  bool CommitEdits();
  void ShowFields();
  void ShowResult();
  void AddToProblem();
  void Report();

  CTDoc& doc_;
  EstimatedTaxWindowModel model_;
  std::array<QLineEdit*, kEstTaxFieldCount> fields_{};
  std::array<QCheckBox*, 4> flags_{};
  std::array<QLabel*, kMaxEstimatedInstallments> installmentLabels_{};
  QComboBox* filer_;
  QComboBox* basis_;
  WorksheetGridView* paymentsView_;
  WorksheetGridView* withheldView_;
  QTableWidget* rows_;
  QLabel* total_;
  QPushButton* offer_;
  QPushButton* add_;
  QPushButton* report_;
  QPushButton* close_;
};

}  // namespace zarvic
