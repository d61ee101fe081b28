#pragma once

#include <QDialog>
#include <span>

class QLabel;
class QPushButton;

namespace zarvic {

class CSListBox;
class CTDoc;

// "Penalty Selection": the penalties offered for the problem's tax year under the headings "Active",
// "Penalty" and "IRC Section". Enter opens the chosen penalty's window here, so Enter does not act as
// Tab in this window (the penalty windows opened from it follow the option again).
class CPenaltySelection : public QDialog {
  Q_OBJECT
 public:
  CPenaltySelection(CTDoc& doc, std::span<const int> list, QWidget* parent = nullptr);

  CSListBox* List() const { return list_; }
  QPushButton* OkButton() const { return ok_; }

 private:
  CSListBox* list_ = nullptr;
  QPushButton* ok_ = nullptr;
};

}  // namespace zarvic
