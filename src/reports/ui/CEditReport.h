#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "reports/ReportSpreadsheet.h"
#include "reports/ReportWindow.h"

class QAction;

namespace zarvic {

class CAnyEdit;

// The report window: the report file of a run in a read-only, fixed-pitch text field, with copy,
// save as text, the Notepad and spreadsheet exports, the font size, and print and print preview (which the
// caller performs after the window has closed, as its close code says).
class CEditReport : public QDialog {
  Q_OBJECT
 public:
  CEditReport(const std::string& reportPath, const ReportPageDressing& dressing, int fontSize,
              QWidget* parent = nullptr);
  ~CEditReport() override;

  // False when the window is not to be shown: the report file could not be read.
  bool Loaded() const { return loaded_; }
  ReportCloseCode CloseCode() const { return closeCode_; }
  int FontSize() const { return fontSize_; }
  CAnyEdit* TextField() const { return text_; }
  QAction* SaveAsAction() const { return saveAs_; }
  QAction* PrintAction() const { return print_; }
  QAction* PreviewAction() const { return preview_; }
  QAction* NotepadAction() const { return notepad_; }
  QAction* ExcelAction() const { return excel_; }
  QAction* SmallerAction() const { return smaller_; }
  QAction* LargerAction() const { return larger_; }
  QAction* CopyAction() const { return copy_; }
  // The problem file the report is of (empty for a problem never saved): export names start from it.
  void SetProblemFile(const std::string& path) { problemFile_ = path; }
  // The copy "Open in Text Editor" wrote last; empty before.
  const std::string& NotepadFile() const { return notepadFile_; }

  void SaveAsText();
  void ExportToNotepad();
  void ExportToExcel();
  void Copy();
  void ChangeFont(int size);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateMenus();
  void ApplyFont();
  std::string WindowText() const;  // every line with its margin, ending in CR LF
  bool WriteWindowText(const std::string& path);
  void SetExportLock(bool locked, bool forGood);
  void CloseWith(ReportCloseCode code);

  std::vector<std::string> lines_;  // the report's lines as read, with their margin blank
  ReportPageDressing dressing_;
  CAnyEdit* text_ = nullptr;
  QAction* saveAs_ = nullptr;
  QAction* print_ = nullptr;
  QAction* preview_ = nullptr;
  QAction* notepad_ = nullptr;
  QAction* excel_ = nullptr;
  QAction* smaller_ = nullptr;
  QAction* larger_ = nullptr;
  QAction* copy_ = nullptr;
  int fontSize_;
  bool loaded_ = false;
  bool exportLock_ = false;
  bool lockedForGood_ = false;
  ReportCloseCode closeCode_ = ReportCloseCode::Closed;
  std::string notepadFile_;
  std::string problemFile_;
};

}  // namespace zarvic
