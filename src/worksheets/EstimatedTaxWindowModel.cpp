#include "worksheets/EstimatedTaxWindowModel.h"

#include <algorithm>
#include <map>
#include <utility>

#include "core/StringTable.h"
#include "core/Text.h"
#include "core/UserInterface.h"
#include "problem/CTDoc.h"
#include "problem/EventTypes.h"
#include "worksheets/WorksheetKeeping.h"

namespace zarvic {
namespace {


const std::vector<WorksheetColumn> kPaymentColumns = {{"Date paid", WorksheetCellKind::Date},
                                                      {"Amount", WorksheetCellKind::Money}};
const std::vector<WorksheetColumn> kWithheldColumns = {{"Date withheld", WorksheetCellKind::Date},
                                                       {"Amount", WorksheetCellKind::Money}};

std::vector<WorksheetRow> RowsOf(const std::vector<DatedAmount>& list) {
  std::vector<WorksheetRow> rows;
  for (const DatedAmount& a : list)
    rows.push_back({WorksheetCell{a.date, 0.0, false}, WorksheetCell{NO_DATE, a.amount, false}});
  return rows;
}

std::vector<DatedAmount> ListOf(const WorksheetGrid& grid) {
  std::vector<DatedAmount> list;
  for (const WorksheetRow& row : grid.Rows()) list.push_back({row[0].date, row[1].amount});
  return list;
}

std::string DateText(DayNumber date) {
  return IsDate(date) ? FormatDate(date) : std::string();
}

std::string OptionalAmountText(const std::optional<Amount>& amount) {
  return amount ? WorksheetAmountText(*amount) : std::string();
}

int InstallmentIndex(EstTaxField field) {
  return static_cast<int>(field) - static_cast<int>(EstTaxField::Installment1);
}

bool IsInstallment(EstTaxField field) {
  const int k = InstallmentIndex(field);
  return k >= 0 && k < kMaxEstimatedInstallments;
}

// An optional date as typed: empty is none.
int ReadOptionalDate(const std::string& typed, DayNumber& date) {
  if (typed.empty()) {
    date = NO_DATE;
    return 0;
  }
  return ReadWorksheetDate(typed, date);
}

int ReadOptionalAmount(const std::string& typed, std::optional<Amount>& amount) {
  if (typed.empty()) {
    amount.reset();
    return 0;
  }
  Amount read = 0.0;
  if (const int refused = ReadWorksheetAmount(typed, read)) return refused;
  amount = read;
  return 0;
}

// Empty is nothing (0).
int ReadAmountOrNone(const std::string& typed, Amount& amount) {
  if (typed.empty()) {
    amount = 0.0;
    return 0;
  }
  return ReadWorksheetAmount(typed, amount);
}

}  // namespace

EstimatedTaxWindowModel::EstimatedTaxWindowModel(CTDoc& doc)
    : doc_(doc),
      payments_(kPaymentColumns, kEstWinMaxPayments),
      withheld_(kWithheldColumns, kEstWinMaxPayments) {
  sheet_ = KeptEstimatedTax(doc);
  if (!doc.m_worksheets.estimatedTax && IsDate(doc.TaxDate)) {
    const int year = YearOf(doc.TaxDate) + 1900 - 1;
    if (IsEstimatedTaxYear(year)) sheet_.taxYear = year;
  }
  penaltyDate_ = OfferedPenaltyDate(doc, WorksheetKind::EstimatedTax);
  shownSheet_ = sheet_;
  shownPenaltyDate_ = penaltyDate_;
  FillGrids();
  Recompute();
}

void EstimatedTaxWindowModel::FillGrids() {
  payments_.SetRows(RowsOf(sheet_.payments));
  withheld_.SetRows(RowsOf(sheet_.withheldOnDates));
}

void EstimatedTaxWindowModel::GridsChanged() {
  sheet_.payments = ListOf(payments_);
  sheet_.withheldOnDates = ListOf(withheld_);
  Recompute();
}

void EstimatedTaxWindowModel::EditCell(const WorksheetGrid& grid, int row, int column, std::string_view text) {
  WorksheetGrid trial = grid;
  if (trial.Set(row, column, text).messageId != 0) {
    Recompute();
    return;
  }
  EstimatedTaxWorksheet sheet = sheet_;
  (&grid == &withheld_ ? sheet.withheldOnDates : sheet.payments) = ListOf(trial);
  result_ = ComputeEstimatedTax(sheet, doc_.m_rateTable);
}

void EstimatedTaxWindowModel::Recompute() {
  result_ = ComputeEstimatedTax(sheet_, doc_.m_rateTable);
}

std::string EstimatedTaxWindowModel::FieldText(EstTaxField field) const {
  if (IsInstallment(field))
    return WorksheetAmountText(sheet_.installments[static_cast<std::size_t>(InstallmentIndex(field))]);
  switch (field) {
    case EstTaxField::Year:
      return sheet_.taxYear != 0 ? std::to_string(sheet_.taxYear) : std::string();
    case EstTaxField::FiscalStart:
      return DateText(sheet_.fiscalYearStart);
    case EstTaxField::RequiredPayment:
      return OptionalAmountText(sheet_.requiredAnnualPayment);
    case EstTaxField::CurrentTax:
      return OptionalAmountText(sheet_.currentYearTax);
    case EstTaxField::PriorTax:
      return OptionalAmountText(sheet_.priorYearTax);
    case EstTaxField::PriorAgi:
      return OptionalAmountText(sheet_.priorYearAgi);
    case EstTaxField::Withholding:
      return WorksheetAmountText(sheet_.withholding);
    case EstTaxField::ComputeThrough:
      return DateText(sheet_.computeThrough);
    case EstTaxField::PenaltyDate:
      return DateText(penaltyDate_);
    default:
      break;
  }
  return {};
}

int EstimatedTaxWindowModel::Read(EstTaxField field, std::string_view text, EstimatedTaxWorksheet& sheet,
                                  DayNumber& penaltyDate) const {
  const std::string typed = Trim(std::string(text));
  if (IsInstallment(field))
    return ReadAmountOrNone(typed, sheet.installments[static_cast<std::size_t>(InstallmentIndex(field))]);
  switch (field) {
    case EstTaxField::Year: {
      if (typed.empty() && sheet.taxYear == 0) return 0;
      const bool digits =
          !typed.empty() && typed.size() <= 4 &&
          std::all_of(typed.begin(), typed.end(), [](char c) { return c >= '0' && c <= '9'; });
      const int year = digits ? std::stoi(typed) : 0;
      if (!IsEstimatedTaxYear(year)) return kEstTaxNeedsYear;
      sheet.taxYear = year;
      return 0;
    }
    case EstTaxField::FiscalStart: {
      DayNumber start = NO_DATE;
      if (const int refused = ReadOptionalDate(typed, start)) return refused;
      // The first day of a month of the tax year; a start of January 1 is the calendar year itself.
      if (IsDate(start) &&
          (DayOf(start) != 1 || (sheet.taxYear != 0 && YearOf(start) + 1900 != sheet.taxYear)))
        return kEstTaxBadFiscalStart;
      sheet.fiscalYearStart = start;
      return 0;
    }
    case EstTaxField::RequiredPayment:
      return ReadOptionalAmount(typed, sheet.requiredAnnualPayment);
    case EstTaxField::CurrentTax:
      return ReadOptionalAmount(typed, sheet.currentYearTax);
    case EstTaxField::PriorTax:
      return ReadOptionalAmount(typed, sheet.priorYearTax);
    case EstTaxField::PriorAgi:
      return ReadOptionalAmount(typed, sheet.priorYearAgi);
    case EstTaxField::Withholding:
      return ReadAmountOrNone(typed, sheet.withholding);
    case EstTaxField::ComputeThrough:
      return ReadOptionalDate(typed, sheet.computeThrough);
    case EstTaxField::PenaltyDate:
      return ReadOptionalDate(typed, penaltyDate);
    default:
      break;
  }
  return 0;
}

void EstimatedTaxWindowModel::Edit(EstTaxField field, std::string_view text) {
  EstimatedTaxWorksheet trial = sheet_;
  DayNumber date = penaltyDate_;
  if (Read(field, text, trial, date) == 0) {
    result_ = ComputeEstimatedTax(trial, doc_.m_rateTable);
  } else {
    Recompute();
  }
}

int EstimatedTaxWindowModel::Leave(EstTaxField field, std::string_view text) {
  EstimatedTaxWorksheet taken = sheet_;
  DayNumber date = penaltyDate_;
  const int refused = Read(field, text, taken, date);
  if (refused == 0) {
    sheet_ = std::move(taken);
    penaltyDate_ = date;
  }
  Recompute();
  return refused;
}

void EstimatedTaxWindowModel::SetFiler(EstimatedTaxFiler filer) {
  sheet_.filer = filer;
  Recompute();
}

void EstimatedTaxWindowModel::SetBasis(InstallmentBasis basis) {
  sheet_.basis = basis;
  Recompute();
}

bool EstimatedTaxWindowModel::Flag(EstTaxFlag flag) const {
  switch (flag) {
    case EstTaxFlag::PriorYearFull:
      return sheet_.priorYearFull;
    case EstTaxFlag::MarriedFilingSeparately:
      return sheet_.marriedFilingSeparately;
    case EstTaxFlag::FarmerOrFisherman:
      return sheet_.farmerOrFisherman;
    case EstTaxFlag::WithholdingOnActualDates:
      return sheet_.withholdingOnActualDates;
  }
  return false;
}

void EstimatedTaxWindowModel::SetFlag(EstTaxFlag flag, bool on) {
  switch (flag) {
    case EstTaxFlag::PriorYearFull:
      sheet_.priorYearFull = on;
      break;
    case EstTaxFlag::MarriedFilingSeparately:
      sheet_.marriedFilingSeparately = on;
      break;
    case EstTaxFlag::FarmerOrFisherman:
      sheet_.farmerOrFisherman = on;
      break;
    case EstTaxFlag::WithholdingOnActualDates:
      sheet_.withholdingOnActualDates = on;
      break;
  }
  Recompute();
}

bool EstimatedTaxWindowModel::FieldApplies(EstTaxField field) const {
  if (IsInstallment(field)) {
    if (sheet_.basis == InstallmentBasis::Regular) return false;
    // A farmer or fisherman has one installment, the first of the list.
    return InstallmentIndex(field) == 0 || sheet_.IsCorporation() || !sheet_.farmerOrFisherman;
  }
  switch (field) {
    case EstTaxField::RequiredPayment:
      return sheet_.basis != InstallmentBasis::Given;
    case EstTaxField::PriorAgi:
      return !sheet_.IsCorporation();
    case EstTaxField::Withholding:
      return !sheet_.withholdingOnActualDates;
    default:
      return true;
  }
}

bool EstimatedTaxWindowModel::FlagApplies(EstTaxFlag flag) const {
  // An individual's choices stay open while set, so a corporation's worksheet can be put right.
  if (flag == EstTaxFlag::MarriedFilingSeparately || flag == EstTaxFlag::FarmerOrFisherman)
    return !sheet_.IsCorporation() || Flag(flag);
  return true;
}

std::vector<EstimatedTaxWindowModel::Row> EstimatedTaxWindowModel::Rows() const {
  std::vector<Row> rows;
  if (!result_.Ok()) return rows;
  // Without an addition the lines are not figured: the rows leave its column empty and the total says
  // why.
  const bool figured = result_.reasonId == 0 || result_.reasonId == kEstTaxUnderACent;
  for (const EstimatedTaxInstallment& c : result_.installments) {
    rows.push_back({FormatDate(c.dueDate), WorksheetAmountText(c.required),
                    WorksheetAmountText(c.paidInPeriod), WorksheetAmountText(c.underpayment),
                    figured ? WorksheetAmountText(c.addition) : std::string()});
  }
  return rows;
}

std::string EstimatedTaxWindowModel::TotalText() const {
  if (!result_.Ok()) return std::string(StringText(result_.errorId));
  std::string text = result_.reasonId != 0
                         ? std::string(StringText(result_.reasonId))
                         : std::string(kEstWinTotalCaption) + ": " + WorksheetAmountText(result_.total);
  for (int caution : result_.cautionIds) text += "\n" + std::string(StringText(caution));
  return text;
}

int EstimatedTaxWindowModel::OfferProblemPayments() {
  if (!result_.Ok() && (result_.errorId == kEstTaxNeedsYear || result_.errorId == kEstTaxBadFiscalStart)) {
    MessageBoxId(result_.errorId);
    return 0;
  }
  const DayNumber first =
      IsDate(sheet_.fiscalYearStart) ? sheet_.fiscalYearStart : MakeDate(1, 1, sheet_.taxYear);
  const DayNumber last = EstimatedTaxPeriodEnd(sheet_);
  // What the grid holds already, by date and amount: each of those matches one of the problem's.
  std::map<std::pair<DayNumber, Amount>, int> held;
  for (const WorksheetRow& row : payments_.Rows()) ++held[{row[0].date, row[1].amount}];
  std::vector<WorksheetRow> added;
  for (const CEvent& e : doc_.ListedEvents()) {
    if ((e.m_type != kEventPayment && e.m_type != kEventCredit) || e.m_date < first || e.m_date > last)
      continue;
    if (!(e.m_amount > 0.0)) continue;
    auto it = held.find({e.m_date, e.m_amount});
    if (it != held.end() && it->second > 0) {
      --it->second;
      continue;
    }
    added.push_back({WorksheetCell{e.m_date, 0.0, false}, WorksheetCell{NO_DATE, e.m_amount, false}});
  }
  if (added.empty()) {
    MessageBoxId(kEstWinNoNewPayments);
    return 0;
  }
  if (payments_.RowCount() + static_cast<int>(added.size()) > payments_.MaxRows()) {
    MessageBoxId(kGridFullId);
    return 0;
  }
  std::vector<WorksheetRow> rows = payments_.Rows();
  rows.insert(rows.end(), added.begin(), added.end());
  payments_.SetRows(std::move(rows));
  GridsChanged();
  return static_cast<int>(added.size());
}

void EstimatedTaxWindowModel::Keep() {
  KeepWorksheet(doc_, sheet_, penaltyDate_);
  shownSheet_ = sheet_;
  shownPenaltyDate_ = penaltyDate_;
}

bool EstimatedTaxWindowModel::KeepIfChanged() {
  if (sheet_ == shownSheet_ && penaltyDate_ == shownPenaltyDate_) return false;
  const bool changed = KeepWorksheet(doc_, sheet_, penaltyDate_);
  shownSheet_ = sheet_;
  shownPenaltyDate_ = penaltyDate_;
  return changed;
}

AddResult EstimatedTaxWindowModel::AddToProblem() {
  Keep();
  if (!result_.Ok()) {
    MessageBoxId(result_.errorId);
    return {};
  }
  if (result_.reasonId != 0) {
    // No addition: an event added earlier is offered for removal, else the reason is the answer.
    if (FindWorksheetPenaltyEvent(doc_, WorksheetKind::EstimatedTax) >= 0)
      return AddWorksheetPenalty(doc_, WorksheetKind::EstimatedTax, penaltyDate_, 0.0);
    MessageBoxId(result_.reasonId);
    return {};
  }
  return AddWorksheetPenalty(doc_, WorksheetKind::EstimatedTax, penaltyDate_, result_.total);
}

}  // namespace zarvic
