#pragma once

#include <QDialog>
#include <array>
#include <optional>
#include <vector>

#include "reports/ReportDialogs.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QVBoxLayout;

namespace zarvic {

class CTDoc;
class CTEdit;

// The report check boxes, in the order each dialog lists them.
struct ReportBoxes {
  std::vector<QCheckBox*> boxes;
  std::vector<bool ReportSettings::*> members;
  QCheckBox* Box(bool ReportSettings::*member) const;
  void Show(const ReportSettings& record);
  void Take(ReportSettings& record) const;
  void Disable(const ReportAvailability& available);
};

// The column both "Report Selection" and "Report Setup" show beside the reports: descriptions or
// event names, date and time, header and footer (with "Edit..."), the year end. Only their captions
// differ.
struct ReportOptionBoxes {
  struct Captions {
    const char* descriptions;
    const char* eventName;
    const char* namesTitle;
    const char* date;
    const char* yearTitle;
  };
  QRadioButton* descriptions = nullptr;
  QRadioButton* eventName = nullptr;
  QCheckBox* includeDate = nullptr;
  QCheckBox* includeTime = nullptr;
  QCheckBox* includeHeader = nullptr;
  QCheckBox* includeFooter = nullptr;
  QPushButton* edit = nullptr;
  QComboBox* yearEnd = nullptr;

  // The column, its groups in parent.
  QVBoxLayout* Build(const Captions& captions, QWidget* parent);
  void Show(const ReportSettings& record, bool useDescriptions);
  void Take(ReportSettings& record, bool& useDescriptions) const;
};

// "Report Selection" before printing: compute date, reports, descriptions or names, date and time,
// header and footer (with "Edit..."), the fiscal year end.
class CReportSelection : public QDialog {
  Q_OBJECT
 public:
  CReportSelection(PrintSelectionState& state, CTDoc& doc, QWidget* parent = nullptr);
  QLineEdit* DateField() const { return date_; }
  const ReportBoxes& Reports() const { return reports_; }
  QRadioButton* DescriptionButton() const { return options_.descriptions; }
  QRadioButton* EventNameButton() const { return options_.eventName; }
  QCheckBox* DateBox() const { return options_.includeDate; }
  QCheckBox* TimeBox() const { return options_.includeTime; }
  QCheckBox* HeaderBox() const { return options_.includeHeader; }
  QCheckBox* FooterBox() const { return options_.includeFooter; }
  QPushButton* EditButton() const { return options_.edit; }
  QComboBox* YearEnd() const { return options_.yearEnd; }
  QPushButton* OkButton() const { return ok_; }

 private:
  void EditHeaders();
  void Accept();

  PrintSelectionState& state_;
  CTDoc& doc_;
  QLineEdit* date_;
  ReportBoxes reports_;
  ReportOptionBoxes options_;
  QPushButton* ok_;
};

// "Report Selection" of the report window: compute date and reports, "&Start".
class CPreviewSelection : public QDialog {
  Q_OBJECT
 public:
  CPreviewSelection(PreviewSelectionState& state, const CTDoc& doc, QWidget* parent = nullptr);
  QLineEdit* DateField() const { return date_; }
  const ReportBoxes& Reports() const { return reports_; }
  QPushButton* StartButton() const { return start_; }

 private:
  void Start();

  PreviewSelectionState& state_;
  QLineEdit* date_;
  ReportBoxes reports_;
  QPushButton* start_;
};

// "Report Setup": the default report selection; with a problem, "Edit..." also edits its texts.
class CReportSetup : public QDialog {
  Q_OBJECT
 public:
  CReportSetup(ReportSetupState& state, CTDoc* problem, QWidget* parent = nullptr);
  const ReportBoxes& Reports() const { return reports_; }
  QRadioButton* DescriptionsButton() const { return options_.descriptions; }
  QRadioButton* EventNameButton() const { return options_.eventName; }
  QCheckBox* DateBox() const { return options_.includeDate; }
  QCheckBox* TimeBox() const { return options_.includeTime; }
  QCheckBox* HeaderBox() const { return options_.includeHeader; }
  QCheckBox* FooterBox() const { return options_.includeFooter; }
  QPushButton* EditButton() const { return options_.edit; }
  QComboBox* YearEnd() const { return options_.yearEnd; }
  QPushButton* OkButton() const { return ok_; }
  QPushButton* CancelButton() const { return cancel_; }
  bool Modified() const { return modified_; }

  void reject() override;

 private:
  void EditHeaders();
  void Accept();

  ReportSetupState& state_;
  CTDoc* problem_;
  ReportBoxes reports_;
  ReportOptionBoxes options_;
  QPushButton* ok_;
  QPushButton* cancel_;
  bool modified_ = false;
};

// "Report Headers and Footers": the three heading lines and the footer, for this problem or also
// for all new problems.
class CHeaders : public QDialog {
  Q_OBJECT
 public:
  CHeaders(HeadersModel& model, QWidget* parent = nullptr);
  QRadioButton* ThisFileButton() const { return thisFile_; }
  QRadioButton* AllFilesButton() const { return allFiles_; }
  CTEdit* Field(int index) const { return fields_[static_cast<size_t>(index)]; }
  QPushButton* OkButton() const { return ok_; }

  void reject() override;

 private:
  void ShowFields();
  void Choose(bool allFiles);

  HeadersModel& model_;
  QRadioButton* thisFile_;
  QRadioButton* allFiles_;
  std::array<CTEdit*, 4> fields_{};
  QPushButton* ok_;
  bool initialising_ = true;
};

// Opens CHeaders on model; true on OK.
bool RunHeaders(HeadersModel& model, QWidget* parent);

}  // namespace zarvic
