#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/Dates.h"
#include "core/Settings.h"
#include "core/UserInterface.h"
#include "reports/ReportOptions.h"

namespace zarvic {

class CTDoc;

// The rules of the report dialogs: the report selection for printing, the report selection of the
// report window, the report setup and the report headers and footers. The windows only show them.

// The three heading lines and the footer, in that order.
using ReportTexts = std::array<std::string, 4>;
// Characters a headers field takes: what the problem file keeps of a heading line or the footer. A
// report prints what fits its layout.
inline constexpr int kHeaderFieldMax = 132;
ReportTexts TextsOf(const ReportSettings& record);
ReportTexts TextsOf(const CTDoc& doc);
void SetTexts(ReportSettings& record, const ReportTexts& texts);
// Copies the record's texts into the problem (each cut to what the problem file holds); the problem
// is marked modified when one of them differs.
void StoreReportTexts(CTDoc& doc, const ReportSettings& record);
void StoreReportTexts(CTDoc& doc, const ReportTexts& texts);

// Reports that cannot apply to the problem: no payment event, no active penalty, no worksheet.
struct ReportAvailability {
  bool paymentAllocation = true;
  bool penaltyComputation = true;
  bool estimatedTax = false;
  bool depositPenalty = false;
};
ReportAvailability AvailableReports(const CTDoc& doc);
// Clears the switches of the reports that cannot apply.
void ClearUnavailable(ReportSettings& record, const ReportAvailability& available);

// Every report command begins here: the view's options become the default report settings with every
// report switch cleared, computing to the problem's compute date (today, stored in the problem, when
// it has none).
void ResetReportOptions(ReportOptions& options, CTDoc& doc);

// What the report selection for printing works on.
struct PrintSelectionState {
  ReportOptions current;    // the options chosen
  ReportSettings defaults;  // the default report settings (new-file texts may change through "Edit...")
  bool useDescriptions = true;
};
// Runs the dialog on state; false on Cancel.
using PrintSelectionDialog = std::function<bool(PrintSelectionState& state)>;
// "&Print..." and "Print Pre&view": true when printing goes on with viewOptions (messages 20016,
// 20023 otherwise).
bool PrintSelection(CTDoc& doc, ReportOptions& viewOptions, const PrintSelectionDialog& dialog);

// The report selection of the report window.
struct PreviewSelectionState {
  DayNumber computeDate = NO_DATE;
  ReportSettings switches;
};
// "&Start": the compute date typed; NO_DATE after message 20035 when it is not a date.
DayNumber ReadPreviewDate(std::string_view text);
using PreviewSelectionDialog = std::function<bool(PreviewSelectionState& state)>;
// "&Report Selection...": true when the report window is to show viewOptions.
bool ReportSelectionCommand(CTDoc& doc, ReportOptions& viewOptions, const PreviewSelectionDialog& dialog);

// The report setup: the default report selection, with or without a problem.
struct ReportSetupState {
  ReportSettings record;                        // the default report settings
  std::optional<ReportSettings> problemRecord;  // with a problem: its texts
  bool useDescriptions = true;
};
using ReportSetupDialog = std::function<bool(ReportSetupState& state)>;
// "&Report Setup..." (problem nullptr) and "R&eport Setup..." of a problem window; true on OK.
bool ReportSetupCommand(CTDoc* problem, const ReportSetupDialog& dialog);

// The headers and footers dialog: two sets of texts (for new problems and for this one) and the
// choice between them.
class HeadersModel {
 public:
  // fileTexts: the problem's texts; none without a problem.
  HeadersModel(const ReportTexts& newFileTexts, std::optional<ReportTexts> fileTexts);

  bool HasProblem() const { return hasProblem_; }
  bool AllNewFiles() const { return allNewFiles_; }
  const ReportTexts& Fields() const { return fields_; }
  bool Modified() const { return modified_; }

  void SetField(int index, const std::string& text);
  // The other radio button: the fields go to the set in force, then show the chosen set.
  void Choose(bool allNewFiles);
  // OK: the fields go to the set in force; the new-file texts are written to the settings at once
  // (and become the application's). False when they could not be written (said already).
  bool Accept();

  const ReportTexts& NewFileTexts() const { return newFile_; }
  const ReportTexts& FileTexts() const { return file_; }

 private:
  ReportTexts newFile_;
  ReportTexts file_;
  ReportTexts fields_;
  bool hasProblem_;
  bool allNewFiles_;
  bool modified_ = false;
};

}  // namespace zarvic
