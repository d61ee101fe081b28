#include "worksheets/DepositPenaltyWindowModel.h"

#include "core/StringTable.h"
#include "core/Text.h"
#include "core/UserInterface.h"
#include "problem/CTDoc.h"
#include "reports/DepositPenaltyReport.h"
#include "worksheets/WorksheetKeeping.h"

namespace zarvic {
namespace {

// A payroll can have a liability every day of a year and more than one deposit a day; a problem's
// 1,000 events are as many as anyone enters by hand.
constexpr int kMaxRows = 1000;

const std::vector<WorksheetColumn> kLiabilityColumns = {
    {"Date", WorksheetCellKind::Date},
    {"Amount", WorksheetCellKind::Money},
    {"Due Date", WorksheetCellKind::OptionalDate},
};

const std::vector<WorksheetColumn> kDepositColumns = {
    {"Date", WorksheetCellKind::Date},
    {"Amount", WorksheetCellKind::Money},
    {"Paid Directly", WorksheetCellKind::Flag},
    {"Designated Liability", WorksheetCellKind::OptionalDate},
};

std::string DateText(DayNumber d) {
  return IsDate(d) ? FormatDate(d) : std::string();
}

void AddLine(std::string& cell, const std::string& line, bool first) {
  if (!first) cell += '\n';
  cell += line;
}

// Why a part late or paid directly bears no penalty.
std::string HowPaidLine(const DepositApplication& a, const LiabilityPenalty& l) {
  std::string text = HowPaidText(a);
  if (a.excused) text += l.safeHarbor ? ", made up in time" : ", de minimis";
  return text;
}

DepositPenaltyRow RowOf(const LiabilityPenalty& l) {
  DepositPenaltyRow row;
  row.liability = l.liability;
  auto& c = row.cells;
  c[kResultLiability] = DateText(l.date);
  c[kResultAmount] = WorksheetAmountText(l.amount);
  c[kResultDueDate] = DateText(l.dueDate);
  c[kResultRule] = DueDateRuleText(l.rule);
  bool first = true;
  for (const DepositApplication& a : l.applications) {
    const bool paid = a.deposit >= 0;
    AddLine(c[kResultPaidOn], paid ? DateText(a.date) : std::string(), first);
    AddLine(c[kResultPaid], WorksheetAmountText(a.amount), first);
    AddLine(c[kResultHowPaid], HowPaidLine(a, l), first);
    AddLine(c[kResultDaysLate], paid ? std::to_string(a.daysLate) : std::string(), first);
    AddLine(c[kResultRate], std::to_string(a.rate) + "%", first);
    AddLine(c[kResultPenalty], WorksheetAmountText(a.penalty), first);
    first = false;
  }
  return row;
}

std::vector<WorksheetRow> LiabilityRows(const DepositPenaltyWorksheet& sheet) {
  std::vector<WorksheetRow> rows;
  for (const DepositLiability& l : sheet.liabilities) {
    WorksheetRow row(kLiabilityColumns.size());
    row[kLiabilityDateColumn].date = l.date;
    row[kLiabilityAmountColumn].amount = l.amount;
    row[kLiabilityDueDateColumn].date = l.dueDate;
    rows.push_back(row);
  }
  return rows;
}

std::vector<WorksheetRow> DepositRows(const DepositPenaltyWorksheet& sheet) {
  std::vector<WorksheetRow> rows;
  for (const TaxDeposit& d : sheet.deposits) {
    WorksheetRow row(kDepositColumns.size());
    row[kDepositDateColumn].date = d.date;
    row[kDepositAmountColumn].amount = d.amount;
    row[kDepositDirectColumn].flag = d.direct;
    row[kDepositDesignatedColumn].date = d.designated;
    rows.push_back(row);
  }
  return rows;
}

}  // namespace

const std::array<const char*, kDepositResultColumns> kDepositResultCaptions = {
    "Liability", "Amount", "Due Date", "Rule", "Paid On", "Paid", "How Paid", "Days Late", "Rate", "Penalty",
};

DepositPenaltyWindowModel::DepositPenaltyWindowModel(CTDoc& doc)
    : doc_(doc),
      sheet_(KeptDepositPenalty(doc)),
      penaltyDate_(OfferedPenaltyDate(doc, WorksheetKind::DepositPenalty)),
      opened_(sheet_),
      openedPenaltyDate_(penaltyDate_),
      liabilities_(kLiabilityColumns, kMaxRows),
      deposits_(kDepositColumns, kMaxRows) {
  liabilities_.SetRows(LiabilityRows(sheet_));
  deposits_.SetRows(DepositRows(sheet_));
  Recompute();
}

std::string DepositPenaltyWindowModel::FieldText(DepositField field) const {
  switch (field) {
    case DepositField::PeriodStart:
      return DateText(sheet_.periodStart);
    case DepositField::PeriodEnd:
      return DateText(sheet_.periodEnd);
    case DepositField::FirstNotice:
      return DateText(sheet_.firstNotice);
    case DepositField::Demand:
      return DateText(sheet_.demand);
    case DepositField::PenaltyDate:
      return DateText(penaltyDate_);
  }
  return {};
}

namespace {

// The worksheet's date a field stands for; nullptr for the penalty date, which the figures do not
// depend on.
DayNumber* DateOf(DepositPenaltyWorksheet& sheet, DepositField field) {
  switch (field) {
    case DepositField::PeriodStart:
      return &sheet.periodStart;
    case DepositField::PeriodEnd:
      return &sheet.periodEnd;
    case DepositField::FirstNotice:
      return &sheet.firstNotice;
    case DepositField::Demand:
      return &sheet.demand;
    case DepositField::PenaltyDate:
      break;
  }
  return nullptr;
}

// The date typed (NO_DATE for nothing), or the refusal's message id.
int ReadFieldDate(std::string_view text, DayNumber& date) {
  date = NO_DATE;
  if (Trim(std::string(text)).empty()) return 0;
  return ReadWorksheetDate(text, date);
}

}  // namespace

bool DepositPenaltyWindowModel::SetField(DepositField field, std::string_view text) {
  DayNumber date = NO_DATE;
  if (const int refused = ReadFieldDate(text, date)) {
    MessageBoxId(refused);
    return false;
  }
  if (DayNumber* target = DateOf(sheet_, field)) {
    *target = date;
    Recompute();
  } else {
    penaltyDate_ = date;
  }
  return true;
}

void DepositPenaltyWindowModel::Edit(DepositField field, std::string_view text) {
  DepositPenaltyWorksheet trial = sheet_;
  DayNumber date = NO_DATE;
  DayNumber* target = DateOf(trial, field);
  if (target != nullptr && ReadFieldDate(text, date) == 0) {
    *target = date;
    Figure(trial);
  } else {
    Recompute();
  }
}

void DepositPenaltyWindowModel::SetSchedule(DepositSchedule schedule) {
  sheet_.schedule = schedule;
  Recompute();
}

void DepositPenaltyWindowModel::SetAveraged(bool averaged) {
  sheet_.averaged = averaged;
  Recompute();
}

namespace {

// The worksheet's liabilities and deposits as the grids hold them.
void ReadGrids(DepositPenaltyWorksheet& sheet, const WorksheetGrid& liabilities, const WorksheetGrid& deposits) {
  sheet.liabilities.clear();
  for (const WorksheetRow& row : liabilities.Rows()) {
    DepositLiability l;
    l.date = row[kLiabilityDateColumn].date;
    l.amount = row[kLiabilityAmountColumn].amount;
    l.dueDate = row[kLiabilityDueDateColumn].date;
    sheet.liabilities.push_back(l);
  }
  sheet.deposits.clear();
  for (const WorksheetRow& row : deposits.Rows()) {
    TaxDeposit d;
    d.date = row[kDepositDateColumn].date;
    d.amount = row[kDepositAmountColumn].amount;
    d.direct = row[kDepositDirectColumn].flag;
    d.designated = row[kDepositDesignatedColumn].date;
    sheet.deposits.push_back(d);
  }
}

}  // namespace

void DepositPenaltyWindowModel::GridChanged() {
  ReadGrids(sheet_, liabilities_, deposits_);
  Recompute();
}

void DepositPenaltyWindowModel::EditCell(const WorksheetGrid& grid, int row, int column, std::string_view text) {
  WorksheetGrid trial = grid;
  if (trial.Set(row, column, text).messageId != 0) {
    Recompute();
    return;
  }
  DepositPenaltyWorksheet sheet = sheet_;
  const bool liabilities = &grid == &liabilities_;
  ReadGrids(sheet, liabilities ? trial : liabilities_, liabilities ? deposits_ : trial);
  Figure(sheet);
}

void DepositPenaltyWindowModel::Recompute() {
  Figure(sheet_);
}

void DepositPenaltyWindowModel::Figure(const DepositPenaltyWorksheet& sheet) {
  result_ = ComputeDepositPenalty(sheet);
  rows_.clear();
  for (const LiabilityPenalty& l : result_.liabilities) rows_.push_back(RowOf(l));
}

std::string DepositPenaltyWindowModel::ErrorText() const {
  return result_.error ? result_.error->message : std::string();
}

std::string DepositPenaltyWindowModel::TotalText() const {
  if (result_.error) return {};
  return "Total penalty: " + WorksheetAmountText(result_.totalPenalty);
}

std::string DepositPenaltyWindowModel::NotesText() const {
  if (result_.error) return {};
  std::string notes;
  if (result_.excessDeposits > 0.0)
    notes = "Deposits left over: " + WorksheetAmountText(result_.excessDeposits);
  if (result_.deMinimis) {
    if (!notes.empty()) notes += '\n';
    notes += StringText(kDepositDeMinimisNote);
  }
  return notes;
}

std::string DepositPenaltyWindowModel::FiguredDueDate(int liabilityRow) const {
  if (result_.error || sheet_.averaged) return {};
  for (const LiabilityPenalty& l : result_.liabilities) {
    if (l.liability == liabilityRow && l.rule != DueDateRule::Entered) return DateText(l.dueDate);
  }
  return {};
}

bool DepositPenaltyWindowModel::Changed() const {
  return !(sheet_ == opened_) || penaltyDate_ != openedPenaltyDate_;
}

bool DepositPenaltyWindowModel::Keep() {
  const bool changed = KeepWorksheet(doc_, sheet_, penaltyDate_);
  opened_ = sheet_;
  openedPenaltyDate_ = penaltyDate_;
  return changed;
}

AddResult DepositPenaltyWindowModel::AddToProblem() {
  if (result_.error) {
    MessageBoxText(result_.error->message);
    return {};
  }
  Keep();
  return AddWorksheetPenalty(doc_, WorksheetKind::DepositPenalty, penaltyDate_, result_.totalPenalty);
}

bool DepositPenaltyWindowModel::KeepForReport() {
  if (result_.error) {
    MessageBoxText(result_.error->message);
    return false;
  }
  Keep();
  return true;
}

bool DepositPenaltyWindowModel::Close() {
  return Changed() && Keep();
}

}  // namespace zarvic
