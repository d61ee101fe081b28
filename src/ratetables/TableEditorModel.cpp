#include "ratetables/TableEditorModel.h"

#include <algorithm>

#include "core/Amounts.h"
#include "core/StringTable.h"
#include "core/Text.h"
#include "core/UserInterface.h"
#include "ratetables/TableOperations.h"
#include "ratetables/TableSelection.h"

namespace zarvic {
namespace {

template <std::size_t N>
int ChoiceIndex(const std::array<EditorChoice, N>& choices, std::uint16_t code) {
  for (std::size_t i = 0; i < N; ++i) {
    if (choices[i].code == code) return static_cast<int>(i);
  }
  return -1;
}

template <std::size_t N>
std::uint16_t ChoiceCode(const std::array<EditorChoice, N>& choices, int index, std::uint16_t none) {
  return index >= 0 && index < static_cast<int>(N) ? choices[static_cast<std::size_t>(index)].code : none;
}

std::string RateText(double rate) {
  return StringPrintf("%2.2f", rate);
}

// A rate as typed, to the hundredth of a percent (a percentage is never rounded to whole dollars); an
// empty cell is 0. A text that is not a rate (the cell refuses one as it is left) keeps the rate held.
double RateOf(const std::string& text, double held) {
  if (Trim(text).empty()) return 0.0;
  return ParseWellFormedRate(text).value_or(held);
}

}  // namespace

TableEditorModel::TableEditorModel(const RateTable* table) {
  if (table != nullptr) {
    working_ = *table;
  } else {
    ClearTable(working_);
  }
  saved_ = working_;
}

EditorRow TableEditorModel::ShowRow(int row) const {
  EditorRow shown;
  const int index = scroll_ + row;
  if (index < 0 || index >= kMaxRateLines) return shown;
  const RateLine& line = working_.lines[static_cast<std::size_t>(index)];
  if (!line.IsUsed()) return shown;
  shown.date = FormatDate(line.start);
  shown.mode = ChoiceIndex(kEditorModes, line.mode);
  shown.normal = RateText(line.normalRate);
  shown.motivated = RateText(line.motivatedRate);
  shown.refund = RateText(line.refundRate);
  shown.days = ChoiceIndex(kEditorDays, line.daysPerYear);
  return shown;
}

EditorScreen TableEditorModel::Show() const {
  EditorScreen screen;
  screen.name = working_.name;
  screen.description = working_.description;
  screen.endDate = IsDate(working_.endDate) ? FormatDate(working_.endDate) : std::string();
  for (int r = 0; r < kEditorRows; ++r) screen.rows[static_cast<std::size_t>(r)] = ShowRow(r);
  return screen;
}

void TableEditorModel::ReadBack(const EditorScreen& screen) {
  working_.description = screen.description.substr(0, kTableDescriptionKept);
  working_.endDate = ParseDate(screen.endDate);
  for (int r = 0; r < kEditorRows; ++r) {
    const int index = scroll_ + r;
    if (index >= kMaxRateLines) break;
    const EditorRow& row = screen.rows[static_cast<std::size_t>(r)];
    RateLine& line = working_.lines[static_cast<std::size_t>(index)];
    // A code the lists do not offer (Sum of Factors, whole months, 365.25 written otherwise) shows no
    // selection; reading the row back keeps it rather than losing the line's mode by a mere scroll.
    const std::uint16_t modeBefore = line.IsUsed() ? line.mode : 0xFFFF;
    const std::uint16_t daysBefore = line.IsUsed() ? line.daysPerYear : 0;
    line.start = ParseDate(row.date);
    if (line.IsUsed()) {
      line.mode = ChoiceCode(kEditorModes, row.mode, modeBefore);
      line.normalRate = RateOf(row.normal, line.normalRate);
      line.motivatedRate = RateOf(row.motivated, line.motivatedRate);
      line.refundRate = RateOf(row.refund, line.refundRate);
      line.daysPerYear = ChoiceCode(kEditorDays, row.days, daysBefore);
    } else {
      line = RateLine{};
      line.mode = 0xFFFF;
      line.daysPerYear = 365;
    }
  }
}

void TableEditorModel::PositionForOpening() {
  int firstFree = 0;
  while (firstFree < kMaxRateLines && working_.lines[static_cast<std::size_t>(firstFree)].IsUsed()) ++firstFree;
  scroll_ = firstFree >= kMaxRateLines - 3 ? kEditorMaxScroll : std::max(0, firstFree - 7);
}

int TableEditorModel::FocusRow() const {
  int lastShown = -1;
  for (int r = 0; r < kEditorRows; ++r) {
    if (working_.lines[static_cast<std::size_t>(scroll_ + r)].IsUsed()) lastShown = r;
  }
  return std::min(lastShown + 1, kEditorRows - 1);
}

void TableEditorModel::ScrollTo(const EditorScreen& screen, int position) {
  ReadBack(screen);
  scroll_ = std::clamp(position, 0, kEditorMaxScroll);
}

int TableEditorModel::DefaultDaysFor(DayNumber date) {
  if (!IsDate(date)) return -1;
  const int year = YearOf(date);
  return ChoiceIndex(kEditorDays, year % 4 == 0 ? 366 : 365);
}

TableEditorModel::SaveOutcome TableEditorModel::Save(const EditorScreen& screen) {
  ReadBack(screen);
  SortLines(working_);
  changed_ = true;
  if (!IsDate(working_.endDate)) {
    MessageBoxId(20033);
    return SaveOutcome::NoEndDate;
  }
  const DayNumber last = EndOfTable(working_);
  if (IsDate(last) && working_.endDate < last) {
    // Names the earliest end date that would be taken, so the person knows what to type.
    MessageBoxText(StringPrintfDynamic(std::string(StringText(20040)).c_str(), FormatDate(last).c_str()));
    return SaveOutcome::EndBeforeLastLine;
  }
  RateTable candidate = working_;
  bool written = false;
  if (!SaveTableAs(candidate, Trim(screen.name) + ".TB3", &written, &savedPath_) || !written) {
    return SaveOutcome::NotSaved;
  }
  working_ = candidate;
  saved_ = working_;
  savedFlag_ = true;
  changed_ = false;
  return SaveOutcome::Saved;
}

void TableEditorModel::Sort(const EditorScreen& screen) {
  ReadBack(screen);
  SortLines(working_);
  changed_ = true;
}

bool TableEditorModel::DeleteLine(const EditorScreen& screen) {
  ReadBack(screen);
  bool deleted = false;
  if (lastRow_ >= 0 && lastRow_ < kEditorRows && MessageBoxId(20012, MessageKind::YesNo) == Answer::Yes) {
    zarvic::DeleteLine(working_, scroll_ + lastRow_);
    deleted = true;
  }
  changed_ = true;
  return deleted;
}

bool TableEditorModel::MayDiscard(const EditorScreen& screen) {
  switch (AskSaveChanges(changed_)) {
    case CancelChoice::Save:
      return Save(screen) == SaveOutcome::Saved;
    case CancelChoice::Discard:
      return true;
    case CancelChoice::Stay:
      return false;
  }
  return false;
}

bool TableEditorModel::New(const EditorScreen& screen) {
  ReadBack(screen);
  if (!MayDiscard(screen)) return false;
  ClearTable(working_);
  scroll_ = 0;
  changed_ = false;
  return true;
}

bool TableEditorModel::Browse(const EditorScreen& screen) {
  ReadBack(screen);
  if (!MayDiscard(screen)) return false;
  if (!SelectTable(working_)) return false;
  PositionForOpening();
  changed_ = false;
  return true;
}

bool TableEditorModel::Close(const EditorScreen& screen) {
  if (changed_) ReadBack(screen);
  return MayDiscard(screen);
}

void TableEditorModel::SetNotes(const std::string& notes) {
  if (notes == working_.notes) return;
  zarvic::SetNotes(working_, notes);
  changed_ = true;
}

}  // namespace zarvic
