#pragma once

#include <QDialog>
#include <vector>

#include "allocation/AllocationWindows.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace zarvic {

class CEditAmount;
class CTDoc;

// "Payment Allocation": one row per category with something due before the payment (at most 12),
// each with its priority letter, its specific dollar amount, what the payment gives it and what is
// due after the payment. Every change is allocated at once and written through to the payment.
class CPaymentAllocation : public QDialog {
  Q_OBJECT
 public:
  CPaymentAllocation(CTDoc& doc, int index, const DueByCategory& dueBefore, QWidget* parent = nullptr);

  bool NothingDue() const { return model_.NothingDue(); }
  int RowCount() const { return model_.RowCount(); }
  QLabel* NameLabel(int row) const { return rows_[static_cast<std::size_t>(row)].name; }
  QLineEdit* LetterField(int row) const { return rows_[static_cast<std::size_t>(row)].letter; }
  CEditAmount* AmountField(int row) const { return rows_[static_cast<std::size_t>(row)].amount; }
  QLabel* TotalLabel(int row) const { return rows_[static_cast<std::size_t>(row)].total; }
  QLabel* DueLabel(int row) const { return rows_[static_cast<std::size_t>(row)].due; }
  QPushButton* RestoreButton() const { return restore_; }

  void accept() override;
  void reject() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Row {
    QLabel* name;
    QLineEdit* letter;
    CEditAmount* amount;
    QLabel* total;
    QLabel* due;
  };
  std::vector<PaymentAllocationModel::RowEntry> Entries() const;
  void LetterLeft();
  bool AmountLeft(int row);
  void ShowRows(bool withFields);

  PaymentAllocationModel model_;
  std::vector<Row> rows_;
  QPushButton* restore_ = nullptr;
  bool modified_ = false;
};

// The allocation window as OpenPaymentAllocation opens it.
AllocationWindowResult RunPaymentAllocationWindow(CTDoc& doc, int index, const DueByCategory& dueBefore);

// "&Allocate a Payment..." and F2 on a payment, deposit or credit row: the checks, then the window.
void AllocatePaymentOf(CTDoc& doc, int index);

}  // namespace zarvic
