#pragma once

#include <QDialog>
#include <vector>

#include "engine/SpecialRateDialogs.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace zarvic {

class CEditAmount;
class CTDoc;

// "C Corporation Refund Issues": the C-corporation flag, the GATT threshold and, for each of the
// first five IRS checks, the part that reduces the high-rate portion of the refund.
class CCorpRefundDlg : public QDialog {
  Q_OBJECT
 public:
  explicit CCorpRefundDlg(CTDoc& doc, QWidget* parent = nullptr);

  QCheckBox* CorporationBox() const { return corporation_; }
  CEditAmount* ThresholdField() const { return threshold_; }
  CEditAmount* ReductionField(int row) const { return reductions_[static_cast<std::size_t>(row)]; }
  int RowCount() const { return static_cast<int>(reductions_.size()); }
  QCheckBox* TipsBox() const { return tipsBox_; }
  QWidget* TipsPanel() const { return tips_; }

  void accept() override;
  void reject() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  CCorporationSettings Current() const;
  bool Changed() const;
  void ReductionLeft(int row);
  void ShowTips(bool on);

  CTDoc& doc_;
  CCorporationSettings initial_;
  QCheckBox* corporation_;
  CEditAmount* threshold_;
  std::vector<CEditAmount*> reductions_;
  QCheckBox* tipsBox_;
  QWidget* tips_;
};

// "C Corp &Refund Issues..." and F2 on an IRS check row: the window on the problem; true on OK (the
// problem is then marked modified).
bool ShowCCorporationDialog(CTDoc& doc, QWidget* parent);

// Lets the first computation of a C-corporation problem open the window (the compute driver's hook).
void InstallCCorporationDialog();
void UninstallCCorporationDialog();

}  // namespace zarvic
