#pragma once

#include <QDialog>
#include <array>
#include <vector>

#include "penalties/PenaltyCatalog.h"
#include "penalties/PenaltyFormFields.h"
#include "penalties/PenaltyForms.h"
#include "penalties/PenaltyRecord.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace zarvic {

class CTDoc;

// The input window of one penalty, built from the field table of its window class (C6651A2, C6662E,
// ...): the record's fields, "Activate", "Show Tips" and the tips area. It edits the record in place
// and runs the family's rules on OK and Cancel (PenaltyFormOk, PenaltyFormCancel).
class CPenaltyDialog : public QDialog {
  Q_OBJECT
 public:
  CPenaltyDialog(CTDoc& doc, int k, PenaltyWindowClass cls, QWidget* parent = nullptr);

  bool Modified() const { return modified_; }
  QCheckBox* ActivateBox() const { return activate_; }
  QCheckBox* TipsBox() const { return tipsBox_; }
  QWidget* TipsArea() const { return tipsArea_; }
  QPushButton* OkButton() const { return ok_; }
  QPushButton* CancelButton() const { return cancel_; }
  // The input of a record field (nullptr when the window does not show it).
  QWidget* Input(PenaltyFieldKind kind, int slot) const;
  QCheckBox* Check(PenaltyCheck check) const;
  // The widgets of notice row 0 to 5 (failure-to-pay windows).
  QLineEdit* NoticeDate(int row) const { return notices_[static_cast<std::size_t>(row)].date; }
  QComboBox* NoticeLevy(int row) const { return notices_[static_cast<std::size_t>(row)].levy; }
  QComboBox* NoticeJeopardy(int row) const { return notices_[static_cast<std::size_t>(row)].jeopardy; }
  QComboBox* NoticeGrace(int row) const { return notices_[static_cast<std::size_t>(row)].grace; }
  // Every label and input that "Activate" governs.
  std::vector<QWidget*> GovernedWidgets() const;

 public slots:
  void accept() override;  // OK
  void reject() override;  // Cancel, Escape and closing the window

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct FieldWidgets {
    const PenaltyField* field = nullptr;
    QLabel* label = nullptr;
    QLineEdit* edit = nullptr;  // date, amount, or the rate list's text
    QComboBox* rate = nullptr;
    QCheckBox* check = nullptr;
  };
  struct NoticeWidgets {
    QLabel* label = nullptr;
    QLineEdit* date = nullptr;
    QComboBox* levy = nullptr;
    QComboBox* jeopardy = nullptr;
    QComboBox* grace = nullptr;
  };

  static std::vector<QWidget*> WidgetsOf(const FieldWidgets& w);
  static std::vector<QWidget*> WidgetsOf(const NoticeWidgets& n);
  QWidget* BuildFields();
  QWidget* BuildNoticeRows();
  QWidget* BuildTips(int width);
  void Load();
  void Store();
  bool Confirm();  // OK's work; false keeps the window open
  void UpdateEnabled();
  void ShowTips(bool shown);
  void FocusFinding(int code);
  NoticeRows ReadNotices() const;
  void ShowNotices(const NoticeRows& rows);
  void ChooseNotice(int row, bool levyColumn);
  void SetModified() { modified_ = true; }

  CTDoc& doc_;
  const int k_;
  const PenaltyWindowClass cls_;
  const PenaltyForm& form_;
  const DayNumber taxDate_;
  const PenaltyRecord opened_;
  bool modified_ = false;

  QCheckBox* activate_ = nullptr;
  QCheckBox* tipsBox_ = nullptr;
  QWidget* tipsArea_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
  QCheckBox* individual_ = nullptr;
  QComboBox* rateList_ = nullptr;
  std::vector<FieldWidgets> fields_;
  std::vector<QLabel*> noticeHeadings_;
  std::array<NoticeWidgets, kNoticeRows> notices_{};
};

}  // namespace zarvic
