#pragma once

#include <QDialog>

#include "engine/SpecialRateDialogs.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace zarvic {

class CEditDate;
class CTDoc;

// "Hot" interest (IRC 6621(c)): the switch, the 30-day letter and applicable dates, the stop on
// 12-31-97 and the two restart dates. OK stores the six settings and marks the problem modified.
class CHotInterestDlg : public QDialog {
  Q_OBJECT
 public:
  explicit CHotInterestDlg(CTDoc& doc, QWidget* parent = nullptr);

  QCheckBox* ActiveBox() const { return active_; }
  QCheckBox* StopBox() const { return stop_; }
  QCheckBox* TipsBox() const { return tipsBox_; }
  CEditDate* Field(HotField field) const;
  QWidget* TipsPanel() const { return tips_; }

  void accept() override;
  void reject() override;

 private:
  HotInterestSettings Current() const;
  void UpdateEnabling();
  void RestartFieldLeft(HotField field, CEditDate* edit);
  void ShowTips(bool on);

  CTDoc& doc_;
  HotInterestSettings initial_;
  QCheckBox* active_;
  QCheckBox* stop_;
  QCheckBox* tipsBox_;
  CEditDate* letter_;
  CEditDate* applicable_;
  CEditDate* restartLetter_;
  CEditDate* restartApplicable_;
  QLabel* letterLabel_;
  QLabel* applicableLabel_;
  QLabel* restartLabel_;
  QWidget* tips_;
};

// "&Hot Interest...": the window on the problem.
void ShowHotInterest(CTDoc& doc, QWidget* parent);

}  // namespace zarvic
