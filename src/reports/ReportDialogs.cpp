#include "reports/ReportDialogs.h"

#include "core/AppOptions.h"
#include "core/UserInterface.h"
#include "penalties/PenaltyModel.h"
#include "problem/CTDoc.h"

namespace zarvic {
namespace {

constexpr int kNoReportsSelected = 20016;
constexpr int kInvalidComputeDate = 20023;
constexpr int kInvalidPreviewDate = 20035;

constexpr std::array<SettingId, 4> kTextSettings = {SettingId::HeadingLine1, SettingId::HeadingLine2,
                                                    SettingId::HeadingLine3, SettingId::Footer};

void CopyReportSwitches(ReportSettings& to, const ReportSettings& from) {
  to.interestAndPenaltyDetail = from.interestAndPenaltyDetail;
  to.interestDetailWithFactors = from.interestDetailWithFactors;
  to.mainScreenEvents = from.mainScreenEvents;
  to.paymentAllocationDetail = from.paymentAllocationDetail;
  to.penaltyComputationDetail = from.penaltyComputationDetail;
  to.monthlyAccrual = from.monthlyAccrual;
  to.rateTable = from.rateTable;
  to.estimatedTaxPenalty = from.estimatedTaxPenalty;
  to.depositPenalty = from.depositPenalty;
}

}  // namespace

ReportTexts TextsOf(const ReportSettings& record) {
  return {record.headerLines[0], record.headerLines[1], record.headerLines[2], record.footer};
}

ReportTexts TextsOf(const CTDoc& doc) {
  const ProblemHeader& h = doc.m_header;
  return {h.m_headings[0].Text(), h.m_headings[1].Text(), h.m_headings[2].Text(), h.m_footer.Text()};
}

void SetTexts(ReportSettings& record, const ReportTexts& texts) {
  for (size_t i = 0; i < 3; ++i) record.headerLines[i] = texts[i];
  record.footer = texts[3];
}

void StoreReportTexts(CTDoc& doc, const ReportTexts& texts) {
  ProblemHeader& h = doc.m_header;
  const ReportTexts before = TextsOf(doc);
  for (size_t i = 0; i < 3; ++i) h.m_headings[i].SetText(texts[i]);
  h.m_footer.SetText(texts[3]);
  if (TextsOf(doc) != before) doc.SetModified(true);
}

void StoreReportTexts(CTDoc& doc, const ReportSettings& record) {
  StoreReportTexts(doc, TextsOf(record));
}

ReportAvailability AvailableReports(const CTDoc& doc) {
  return {doc.HasPayment(), AnyActivePenalty(doc), doc.m_worksheets.estimatedTax.has_value(),
          doc.m_worksheets.depositPenalty.has_value()};
}

void ClearUnavailable(ReportSettings& record, const ReportAvailability& available) {
  if (!available.paymentAllocation) record.paymentAllocationDetail = false;
  if (!available.penaltyComputation) record.penaltyComputationDetail = false;
  if (!available.estimatedTax) record.estimatedTaxPenalty = false;
  if (!available.depositPenalty) record.depositPenalty = false;
}

void ResetReportOptions(ReportOptions& options, CTDoc& doc) {
  if (!IsDate(doc.m_computeDate)) doc.m_computeDate = Today();
  options = ReportOptions(CurrentReportSettings(), doc.m_computeDate);
  options.ClearReportSwitches();
}

bool PrintSelection(CTDoc& doc, ReportOptions& viewOptions, const PrintSelectionDialog& dialog) {
  viewOptions = ReportOptions(CurrentReportSettings(), viewOptions.computeDate);
  SetTexts(viewOptions, TextsOf(doc));

  PrintSelectionState state;
  state.current = viewOptions;
  if (IsDate(doc.m_computeDate)) state.current.computeDate = doc.m_computeDate;
  state.defaults = CurrentReportSettings();
  state.useDescriptions = Options().useDescriptions;
  ClearUnavailable(state.current, AvailableReports(doc));
  if (!dialog(state)) return false;

  CurrentReportSettings() = state.defaults;
  // For the rest of the program run; the stored option is the Report Setup's.
  Options().useDescriptions = state.useDescriptions;
  viewOptions = state.current;
  StoreReportTexts(doc, viewOptions);
  if (!AnyReportSelected(viewOptions)) {
    MessageBoxId(kNoReportsSelected);
    return false;
  }
  if (IsDate(viewOptions.computeDate)) {
    doc.m_computeDate = viewOptions.computeDate;
    return true;
  }
  // The rate table listing and the worksheets' reports need no computation, so no date.
  if (!AnyProblemReportSelected(viewOptions)) return true;
  MessageBoxId(kInvalidComputeDate);
  return false;
}

DayNumber ReadPreviewDate(std::string_view text) {
  bool ok = false;
  DayNumber date = ParseDate(text, ok);
  if (ok && IsDate(date)) return date;
  MessageBoxId(kInvalidPreviewDate);
  return NO_DATE;
}

bool ReportSelectionCommand(CTDoc& doc, ReportOptions& viewOptions, const PreviewSelectionDialog& dialog) {
  PreviewSelectionState state;
  state.computeDate = doc.m_computeDate;
  CopyReportSwitches(state.switches, CurrentReportSettings());
  ClearUnavailable(state.switches, AvailableReports(doc));
  if (!dialog(state) || !IsDate(state.computeDate)) return false;
  ResetReportOptions(viewOptions, doc);
  CopyReportSwitches(viewOptions, state.switches);
  viewOptions.computeDate = state.computeDate;
  doc.m_computeDate = state.computeDate;
  return AnyReportSelected(viewOptions);
}

bool ReportSetupCommand(CTDoc* problem, const ReportSetupDialog& dialog) {
  ReportSetupState state;
  if (problem == nullptr) {
    CurrentReportSettings() = LoadReportSettings();
  } else {
    ReportSettings problemRecord = CurrentReportSettings();
    SetTexts(problemRecord, TextsOf(*problem));
    state.problemRecord = problemRecord;
  }
  state.record = CurrentReportSettings();
  state.useDescriptions = Options().useDescriptions;
  if (!dialog(state)) return false;
  Options().useDescriptions = state.useDescriptions;
  WriteIntSetting(SettingId::UseDescriptions, state.useDescriptions ? 1 : 0);
  CurrentReportSettings() = state.record;
  if (problem != nullptr && state.problemRecord) StoreReportTexts(*problem, *state.problemRecord);
  SaveReportSettings(state.record);
  return true;
}

HeadersModel::HeadersModel(const ReportTexts& newFileTexts, std::optional<ReportTexts> fileTexts)
    : newFile_(newFileTexts),
      file_(fileTexts.value_or(newFileTexts)),
      hasProblem_(fileTexts.has_value()),
      allNewFiles_(!fileTexts.has_value()) {
  fields_ = allNewFiles_ ? newFile_ : file_;
}

void HeadersModel::SetField(int index, const std::string& text) {
  auto& field = fields_[static_cast<size_t>(index)];
  if (field == text) return;
  field = text.substr(0, kHeaderFieldMax);
  modified_ = true;
}

void HeadersModel::Choose(bool allNewFiles) {
  if (allNewFiles == allNewFiles_ || (!allNewFiles && !hasProblem_)) return;
  (allNewFiles_ ? newFile_ : file_) = fields_;
  allNewFiles_ = allNewFiles;
  fields_ = allNewFiles_ ? newFile_ : file_;
  if (allNewFiles_) file_ = newFile_;
}

bool HeadersModel::Accept() {
  if (allNewFiles_) {
    newFile_ = fields_;
    file_ = fields_;
  } else {
    file_ = fields_;
  }
  bool written = true;
  for (size_t i = 0; i < kTextSettings.size(); ++i)
    written = WriteStringSetting(kTextSettings[i], newFile_[i]) && written;
  // New problems take their texts from the application's record: it follows the settings at once.
  SetTexts(CurrentReportSettings(), newFile_);
  return written;
}

}  // namespace zarvic
