#include "shell/EventGridModel.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "allocation/PaymentAllocation.h"
#include "core/AppOptions.h"
#include "core/FieldRules.h"
#include "core/Text.h"
#include "penalties/PenaltyModel.h"
#include "problem/EventTypes.h"

namespace zarvic {
namespace {

constexpr int kMsgBadDate = 20032;
constexpr int kMsgNegative = 20034;
constexpr int kMsgTooLarge = 20041;
constexpr int kMsgPenaltiesOff = 20024;

std::string Cut(std::string_view text, std::size_t limit) {
  return std::string(text.substr(0, std::min(text.size(), limit)));
}

static_assert(EventGridModel::kNameLimit == decltype(ProblemHeader::m_taxpayerName)::kMaxLength);
static_assert(EventGridModel::kIdLimit == decltype(ProblemHeader::m_taxpayerId)::kMaxLength);
static_assert(EventGridModel::kDescriptionLimit <= EventDescription::kMaxLength);

std::string GridAmountText(double cents) {
  return FormatAmount(cents, true, false, false);
}

}  // namespace

int EventGridModel::RowCount() const {
  return std::min(EventCount() + 1, kMaxRows);
}

bool EventGridModel::RowHasEvent(int row) const {
  return row >= 0 && row < EventCount();
}

bool EventGridModel::SkipsAmount(std::uint16_t type) {
  return type == kEventStopInterest || type == kEventStartInterest;
}

EventGridModel::RowTexts EventGridModel::Texts(int row, bool editing) const {
  RowTexts texts;
  if (RowHasEvent(row)) {
    const CEvent& event = doc_->m_events[static_cast<std::size_t>(row)];
    texts.number = std::to_string(row + 1);
    texts.type = std::string(GridTypeName(event.m_type));
    texts.date = FormatDate(event.m_date);
    if (!SkipsAmount(event.m_type)) texts.amount = GridAmountText(event.m_amount);
    texts.description = Windows1252ToUtf8(event.DescriptionText());
  } else if (IsEntryRow(row) && editing) {
    texts.number = std::to_string(row + 1);
    texts.type = std::string(GridTypeName(doc_->m_events[static_cast<std::size_t>(row)].m_type));
  }
  return texts;
}

std::string EventGridModel::EditorText(int row, int column) const {
  if (row < 0 || row >= kMaxRows) return {};
  const CEvent& event = doc_->m_events[static_cast<std::size_t>(row)];
  switch (column) {
    case kGridDate:
      return event.HasDate() ? FormatDate(event.m_date) : std::string();
    case kGridAmount:
      return event.HasDate() ? GridAmountText(event.m_amount) : std::string();
    case kGridDescription:
      return Windows1252ToUtf8(event.DescriptionText());
    default:
      return {};
  }
}

std::uint16_t EventGridModel::EditorType(int row) const {
  if (row < 0 || row >= kMaxRows) return kEventPayment;
  const std::uint16_t type = doc_->m_events[static_cast<std::size_t>(row)].m_type;
  return GridTypeName(type).empty() ? static_cast<std::uint16_t>(kEventPayment) : type;
}

void EventGridModel::SetVisibleRows(int rows) {
  visibleRows_ = std::max(1, rows);
  ScrollTo(topRow_);
}

int EventGridModel::ScrollMax() const {
  return std::max(0, EventCount() - visibleRows_ + 1);
}

void EventGridModel::ScrollTo(int top) {
  topRow_ = std::clamp(top, 0, ScrollMax());
}

void EventGridModel::EnsureVisible(int row) {
  if (row < topRow_) {
    topRow_ = row;
  } else if (row >= topRow_ + visibleRows_) {
    topRow_ = row - visibleRows_ + 1;
  }
  ScrollTo(topRow_);
}

int EventGridModel::ResolveColumn(int row, int column) const {
  if (column <= kGridRowNumber) return kGridRowNumber;
  const CEvent& event = doc_->m_events[static_cast<std::size_t>(std::clamp(row, 0, kMaxRows - 1))];
  if (!RowHasEvent(row)) {
    if (column >= kGridAmount) column = kGridDate;
    // The entry row takes a type first; the date then makes it an event.
    if (column == kGridDate && event.m_type == kEventFree) column = kGridType;
    return column;
  }
  if (column == kGridAmount && SkipsAmount(event.m_type)) return kGridDate;
  return std::min(column, static_cast<int>(kGridDescription));
}

int EventGridModel::CurrentEvent() const {
  return current_.IsCell() && RowHasEvent(current_.row) ? current_.row : -1;
}

bool EventGridModel::CurrentEventIsAllocated() const {
  const int event = CurrentEvent();
  return event >= 0 && LowersBalance(doc_->m_events[static_cast<std::size_t>(event)].m_type);
}

GridMove EventGridModel::NextField(const GridPlace& from) const {
  switch (from.field) {
    case GridPlace::Field::None:
      return {GridPlace::Name()};
    case GridPlace::Field::Name:
      return {GridPlace::Id()};
    case GridPlace::Field::Id:
      return {GridPlace::Cell(0, kGridType)};
    case GridPlace::Field::Cell:
      break;
  }
  const int row = from.row;
  switch (from.column) {
    case kGridRowNumber:
      return {GridPlace::Cell(row, kGridType)};
    case kGridType:
      return {GridPlace::Cell(row, kGridDate)};
    case kGridDate:
      return {GridPlace::Cell(row, SkipsAmount(doc_->m_events[static_cast<std::size_t>(row)].m_type)
                                       ? kGridDescription
                                       : kGridAmount)};
    case kGridAmount:
      return {GridPlace::Cell(row, kGridDescription)};
    default:
      if (RowHasEvent(row) && row + 1 < kMaxRows) return {GridPlace::Cell(row + 1, kGridType)};
      return {from, true};
  }
}

GridMove EventGridModel::PreviousField(const GridPlace& from) const {
  switch (from.field) {
    case GridPlace::Field::None:
    case GridPlace::Field::Name:
      return {from, true};
    case GridPlace::Field::Id:
      return {GridPlace::Name()};
    case GridPlace::Field::Cell:
      break;
  }
  const int row = from.row;
  switch (from.column) {
    case kGridRowNumber:
    case kGridType:
      if (row == 0) return {GridPlace::Id()};
      return {GridPlace::Cell(row - 1, kGridDescription)};
    case kGridDate:
      return {GridPlace::Cell(row, kGridType)};
    case kGridAmount:
      return {GridPlace::Cell(row, kGridDate)};
    default:
      return {GridPlace::Cell(
          row, SkipsAmount(doc_->m_events[static_cast<std::size_t>(row)].m_type) ? kGridDate : kGridAmount)};
  }
}

GridMove EventGridModel::Up(const GridPlace& from) const {
  if (!from.IsCell()) return {from};
  if (from.row == 0) return {GridPlace::Id()};
  const int row = from.row - 1;
  int column = from.column;
  if (column == kGridDate && SkipsAmount(doc_->m_events[static_cast<std::size_t>(row)].m_type))
    column = kGridType;
  return {GridPlace::Cell(row, column)};
}

GridMove EventGridModel::Down(const GridPlace& from) const {
  if (!from.IsCell()) return {GridPlace::Cell(0, kGridType)};
  if (!RowHasEvent(from.row) || from.row + 1 >= kMaxRows) return {from, true};
  const int row = from.row + 1;
  int column = from.column;
  if (column == kGridDate && RowHasEvent(row) &&
      SkipsAmount(doc_->m_events[static_cast<std::size_t>(row)].m_type)) {
    column = kGridType;
  }
  return {GridPlace::Cell(row, column)};
}

GridMove EventGridModel::PageUp(const GridPlace& from) {
  if (!from.IsCell()) return {from};
  ScrollTo(topRow_ - visibleRows_);
  return {GridPlace::Cell(std::max(0, from.row - visibleRows_), from.column)};
}

GridMove EventGridModel::PageDown(const GridPlace& from) {
  if (!from.IsCell()) return {from};
  ScrollTo(topRow_ + visibleRows_);
  return {GridPlace::Cell(std::min(from.row + visibleRows_, RowCount() - 1), from.column)};
}

GridMove EventGridModel::Home(const GridPlace& from) const {
  if (!from.IsCell()) return {from};
  return {GridPlace::Cell(from.row, kGridType)};
}

GridMove EventGridModel::End(const GridPlace& from) const {
  if (!from.IsCell()) return {from};
  return {GridPlace::Cell(from.row, kGridDescription)};
}

void EventGridModel::SelectRow(int row, bool shift, bool ctrl) {
  if (shift && anchor_ >= 0) {
    for (int r = std::min(anchor_, row); r <= std::max(anchor_, row); ++r) {
      if (!IsSelected(r)) selection_.push_back(r);
    }
  } else if (ctrl && anchor_ >= 0) {
    auto at = std::find(selection_.begin(), selection_.end(), row);
    if (at == selection_.end()) {
      selection_.push_back(row);
    } else {
      selection_.erase(at);
      if (row == anchor_)
        anchor_ = selection_.empty() ? -1 : *std::max_element(selection_.begin(), selection_.end());
    }
  } else {
    selection_.assign(1, row);
    anchor_ = row;
  }
  std::sort(selection_.begin(), selection_.end(), std::greater<>());
}

void EventGridModel::ClearSelection() {
  selection_.clear();
  anchor_ = -1;
}

bool EventGridModel::IsSelected(int row) const {
  return std::find(selection_.begin(), selection_.end(), row) != selection_.end();
}

void EventGridModel::Hold(int row) {
  doc_->m_heldEvent = doc_->m_events[static_cast<std::size_t>(row)];
  doc_->m_heldIndex = row;
  doc_->m_heldPenalties.reset();
}

void EventGridModel::ForgetUndo() {
  doc_->m_heldIndex = -1;
  doc_->m_heldPenalties.reset();
}

GridCommit EventGridModel::Finish(int row, const CEvent& before, DayNumber taxDateBefore, GridCommit result) {
  result.changed = true;
  doc_->SetModified();
  CheckPenalties(before, doc_->m_events[static_cast<std::size_t>(row)], taxDateBefore, result);
  return result;
}

void EventGridModel::CheckPenalties(const CEvent& before, const CEvent& after, DayNumber taxDateBefore,
                                    GridCommit& result) {
  if (!AnyActivePenalty(*doc_)) return;
  doc_->RecomputeTaxTotals();
  if (!EditChangesPenaltyBasis(before, after, taxDateBefore, doc_->TaxDate)) return;
  // The edit is stored already; Undo puts the records back with the event.
  doc_->m_heldPenalties = doc_->m_penalties;
  ResetPenaltyRecords(*doc_);
  result.messages.push_back(kMsgPenaltiesOff);
}

GridCommit EventGridModel::CommitType(int row, int code) {
  if (row < 0 || row >= kMaxRows || row > EventCount() || code < 0) return {};
  CEvent& event = doc_->m_events[static_cast<std::size_t>(row)];
  if (event.m_type == code) return {};
  doc_->RecomputeTaxTotals();
  const DayNumber taxDate = doc_->TaxDate;
  const CEvent before = event;
  Hold(row);
  event.m_type = static_cast<std::uint16_t>(code);
  // Only payments, deposits and credits are allocated; suspend and resume interest carry no amount.
  if (!CarriesAllocation(event.m_type)) event.m_allocation.reset();
  if (SkipsAmount(event.m_type)) event.m_amount = event.m_gattAmount = 0.0;
  return Finish(row, before, taxDate, {});
}

GridCommit EventGridModel::CommitDate(int row, std::string_view text) {
  if (row < 0 || row >= kMaxRows || row > EventCount()) return {};
  const std::string typed = Trim(Cut(text, kDateTextLimit));
  if (typed.empty()) return {};  // an event keeps its date; the list would end at it otherwise
  CEvent& event = doc_->m_events[static_cast<std::size_t>(row)];
  bool ok = false;
  const DayNumber date = ParseDate(typed, ok);
  if (!ok) {
    GridCommit result;
    result.messages.push_back(kMsgBadDate);
    result.returnToCell = true;
    result.returnText = EditorText(row, kGridDate);
    return result;
  }
  if (date == event.m_date) return {};
  doc_->RecomputeTaxTotals();
  const DayNumber taxDate = doc_->TaxDate;
  const CEvent before = event;
  Hold(row);
  if (event.m_type == kEventFree) event.m_type = kEventPayment;
  event.m_date = date;
  return Finish(row, before, taxDate, {});
}

GridCommit EventGridModel::CommitAmount(int row, std::string_view text) {
  if (!RowHasEvent(row)) return {};
  CEvent& event = doc_->m_events[static_cast<std::size_t>(row)];
  if (SkipsAmount(event.m_type)) return {};
  const std::string typed = Trim(text);
  if (typed.empty()) return {};  // an emptied field is no entry: the amount stays
  GridCommit result;
  const std::optional<double> read = ParseWellFormedAmount(typed);
  if (!read) {
    result.messages.push_back(kMalformedAmountId);
    result.returnToCell = true;
    result.returnText = GridAmountText(event.m_amount);
    return result;
  }
  double amount = *read;
  if (!std::isfinite(amount) || std::fabs(amount) > kLargestAmount) {
    result.messages.push_back(kMsgTooLarge);
    result.returnToCell = true;
    result.returnText = GridAmountText(event.m_amount);
    return result;
  }
  if (amount < 0) {
    amount = -amount;
    result.messages.push_back(kMsgNegative);
    result.returnToCell = true;
    result.returnText = GridAmountText(amount);
  }
  if (amount == event.m_amount) return result;
  doc_->RecomputeTaxTotals();
  const DayNumber taxDate = doc_->TaxDate;
  const CEvent before = event;
  Hold(row);
  event.m_amount = amount;
  event.m_gattAmount = amount;
  if (CarriesAllocation(event.m_type)) {
    if (event.m_allocation) ResetAllocationAmounts(*event.m_allocation);
    if (Options().alwaysShowPaymentAllocation) result.allocateEvent = row;
  }
  return Finish(row, before, taxDate, std::move(result));
}

GridCommit EventGridModel::CommitDescription(int row, std::string_view text) {
  if (!RowHasEvent(row)) return {};
  CEvent& event = doc_->m_events[static_cast<std::size_t>(row)];
  if (!FitsWindows1252(text)) {
    GridCommit refused;
    refused.messages.push_back(kTextDoesNotFitId);
    refused.returnToCell = true;
    refused.returnText = EditorText(row, kGridDescription);
    return refused;
  }
  // The editor takes kDescriptionLimit characters, or a longer description the file already held.
  const std::string typed = Utf8ToWindows1252(text);
  const std::string old = event.DescriptionText();
  if (typed == old && (event.HasDescription() || typed.empty())) return {};
  Hold(row);
  event.SetDescription(typed);
  GridCommit result;
  // A change of case alone is kept without counting as a change of the problem.
  if (!EqualsNoCase(typed, old)) {
    result.changed = true;
    doc_->SetModified();
  }
  return result;
}

bool EventGridModel::CommitTaxpayer(std::string_view name, std::string_view id) {
  // The fields refuse such text as it is typed; nothing of it reaches the problem as "?".
  if (!FitsWindows1252(name) || !FitsWindows1252(id)) return false;
  bool changed = false;
  const std::string storedName = Cut(Utf8ToWindows1252(name), kNameLimit);
  const std::string storedId = Cut(Utf8ToWindows1252(id), kIdLimit);
  if (storedName != doc_->m_header.m_taxpayerName.View()) {
    doc_->m_header.m_taxpayerName.SetText(storedName);
    changed = true;
  }
  if (storedId != doc_->m_header.m_taxpayerId.View()) {
    doc_->m_header.m_taxpayerId.SetText(storedId);
    changed = true;
  }
  if (changed) doc_->SetModified();
  return changed;
}

std::string EventGridModel::TaxpayerName() const {
  return Windows1252ToUtf8(doc_->m_header.m_taxpayerName.View());
}

std::string EventGridModel::TaxpayerId() const {
  return Windows1252ToUtf8(doc_->m_header.m_taxpayerId.View());
}

std::vector<int> EventGridModel::DeleteLines() {
  std::vector<int> rows = selection_;
  if (rows.empty() && current_.IsCell()) rows.push_back(current_.row);
  ClearSelection();
  const bool penaltiesActive = AnyActivePenalty(*doc_);
  doc_->RecomputeTaxTotals();
  const DayNumber taxDate = doc_->TaxDate;
  bool penaltyBase = false;
  bool deleted = false;
  for (int row : rows) {  // highest first, so the lower rows keep their events
    if (!RowHasEvent(row)) continue;
    penaltyBase = penaltyBase || EditChangesPenaltyBasis(doc_->m_events[static_cast<std::size_t>(row)],
                                                         CEvent{}, taxDate, taxDate);
    doc_->DeleteEvent(row);
    deleted = true;
  }
  doc_->RecomputeTaxTotals();
  penaltyBase = penaltyBase || EditChangesPenaltyBasis(CEvent{}, CEvent{}, taxDate, doc_->TaxDate);
  if (!deleted) return {};
  // The held event's row may now hold another event; putting it back there would overwrite that one.
  ForgetUndo();
  if (current_.IsCell()) current_.row = std::min(current_.row, RowCount() - 1);
  ScrollTo(topRow_);
  if (penaltiesActive && penaltyBase) {
    ResetPenaltyRecords(*doc_);
    return {kMsgPenaltiesOff};
  }
  return {};
}

bool EventGridModel::Undo() {
  const int index = doc_->m_heldIndex;
  if (index < 0 || index >= kMaxRows) return false;
  const int count = EventCount();
  // Never cut the list short or leave an event past its end.
  const bool fits = doc_->m_heldEvent.HasDate() ? index <= count : index >= count - 1;
  if (!fits) {
    ForgetUndo();
    return false;
  }
  doc_->m_events[static_cast<std::size_t>(index)] = doc_->m_heldEvent;
  if (doc_->m_heldPenalties) {
    for (int k = 0; k < kPenaltyRecords; ++k) {
      if (k != kPenaltyHotInterest) doc_->m_penalties[k] = (*doc_->m_heldPenalties)[k];
    }
  }
  ForgetUndo();
  doc_->SetModified();
  return true;
}

}  // namespace zarvic
