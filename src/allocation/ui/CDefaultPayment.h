#pragma once

#include <QDialog>
#include <array>

#include "allocation/AllocationWindows.h"

class QLineEdit;
class QPushButton;

namespace zarvic {

// "Default Payment Allocation": the letters new allocation records start with, fifteen fields in the
// IRS order of Rev. Proc. 84-58. OK stores them, followed by twenty "C"s, as the default.
class CDefaultPayment : public QDialog {
  Q_OBJECT
 public:
  explicit CDefaultPayment(QWidget* parent = nullptr);

  // Field k holds the letter of allocation category k.
  QLineEdit* Field(int position) const { return fields_[static_cast<std::size_t>(position)]; }
  QPushButton* RestoreButton() const { return restore_; }

  void accept() override;

 private:
  void ShowLetters(const std::array<char, kDefaultAllocationFields>& letters);

  std::array<QLineEdit*, kDefaultAllocationFields> fields_{};
  QPushButton* restore_;
};

// "&Default Payment Allocation..." of the Options menu.
void ShowDefaultPaymentAllocation(QWidget* parent);

}  // namespace zarvic
