#pragma once

#include <QDialog>
#include <functional>

#include "payoff/PayoffCalculation.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace zarvic {

class CTDoc;

// "Payoff Calculation": the payoff plans of PayoffCalculation over one problem.
class CPayoffCalculation : public QDialog {
  Q_OBJECT
 public:
  // What "Report..." runs, with the table's end date at the plan's last payment: the Interest and
  // Penalty Detail in the report window unless replaced; with none the button stays disabled. Returns
  // the hook it replaces.
  using ReportHook = std::function<void(CTDoc& doc, QWidget* parent)>;
  static ReportHook SetPayoffReportHook(ReportHook hook);

  // Opens on a problem that PayoffCalculation::CanOpen accepted.
  CPayoffCalculation(CTDoc& doc, QWidget* parent = nullptr);

  const PayoffCalculation& Model() const { return model_; }
  QRadioButton* FixedTermButton() const { return fixedTerm_; }
  QRadioButton* FixedAmountButton() const { return fixedAmount_; }
  QLineEdit* TermField() const { return term_; }
  QLineEdit* AmountField() const { return amount_; }
  QLineEdit* StartField() const { return start_; }
  QPlainTextEdit* Results() const { return results_; }
  QPushButton* CalculateButton() const { return calculate_; }
  QPushButton* ReportButton() const { return report_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowMode();
  void Calculate();
  void Report();
  void Refuse(QLineEdit* field);
  QLineEdit* FieldOf(PayoffCalculation::Field field) const;

  CTDoc& doc_;
  PayoffCalculation model_;
  QRadioButton* fixedTerm_;
  QRadioButton* fixedAmount_;
  QLineEdit* term_;
  QLineEdit* amount_;
  QLineEdit* start_;
  QPlainTextEdit* results_;
  QPushButton* calculate_;
  QPushButton* report_;
};

// "Payoff Calculator...": the opening checks, then the window.
void OpenPayoffCalculator(QWidget* parent, CTDoc* doc);

}  // namespace zarvic
