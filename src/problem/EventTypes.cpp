#include "problem/EventTypes.h"

#include <algorithm>
#include <array>

#include "core/StringTable.h"
#include "core/Text.h"

namespace zarvic {
namespace {

using enum EventClass;

constexpr std::array<EventTypeInfo, kEventTypeCount> kEventTypes{{
    {kEventTax, "Normal tax (deficiency)", "NORMALTAX", "TAX", 1, "Tax", Raises},
    {kEventMotivatedTax, "Motivated tax (120% rate)", "MOTIVATEDTAX", "", 10, "Motivated tax", Raises},
    {kEventPayment, "Payment", "PAYMENT", "PAY", 2, "Payment", Lowers},
    {kEventDeposit, "Deposit (deposit as a bond)", "DEPOSIT", "", 3, "Deposit as bond", Lowers},
    {kEventPenalty, "Entered penalty", "USER_PENALTY", "", 9, "Entered penalty", Raises},
    {kEventStopInterest, "Stop (suspend) interest", "STOPINTEREST", "STO", 4, "Suspend interest", Neither},
    {kEventStartInterest, "Start (resume) interest", "STARTINTEREST", "STA", 5, "Resume interest", Neither},
    {kEventDebit, "Debit", "DEBIT", "", 6, "Debit", Raises},
    {kEventCredit, "Credit", "CREDIT", "", 7, "Credit", Lowers},
    {kEventIrsCheck, "IRS check (refund paid by the IRS)", "IRS_CHECK", "IRS", 8, "IRS Check", Raises},
    {kEventNamedPenalty, "Named entered penalty", "USER_NAMED_PENALTY", "", 0, "", Neither},
    {kEventPenaltyType, "Penalty type", "PENALTY_TYPE", "", 0, "", Neither},
}};

constexpr bool CodesAreIndexes() {
  for (std::size_t i = 0; i < kEventTypes.size(); ++i) {
    if (kEventTypes[i].code != i) return false;
  }
  return true;
}
static_assert(CodesAreIndexes());

constexpr int kGridChoiceCount = 10;

// The grid list ordered by position, built from the one table above.
constexpr std::array<GridTypeChoice, kGridChoiceCount> BuildGridChoices() {
  std::array<GridTypeChoice, kGridChoiceCount> choices{};
  for (const EventTypeInfo& info : kEventTypes) {
    if (info.gridPosition > 0)
      choices[static_cast<std::size_t>(info.gridPosition - 1)] = {info.gridName, info.code};
  }
  return choices;
}
constexpr std::array<GridTypeChoice, kGridChoiceCount> kGridChoices = BuildGridChoices();

}  // namespace

std::span<const EventTypeInfo, kEventTypeCount> EventTypes() {
  return kEventTypes;
}

const EventTypeInfo* FindEventType(std::uint16_t code) {
  return code < kEventTypes.size() ? &kEventTypes[code] : nullptr;
}

bool RaisesBalance(std::uint16_t type) {
  const EventTypeInfo* info = FindEventType(type);
  return info && info->eventClass == Raises;
}

bool LowersBalance(std::uint16_t type) {
  const EventTypeInfo* info = FindEventType(type);
  return info && info->eventClass == Lowers;
}

bool CarriesAllocation(std::uint16_t type) {
  return LowersBalance(type);
}

std::string EventReportLabel(std::uint16_t type) {
  int id = FindEventType(type) ? kReportLabelBaseId + type : kUnsetTypeLabelId;
  return std::string(StringText(id));
}

std::string_view CsvKeyword(std::uint16_t type) {
  const EventTypeInfo* info = FindEventType(type);
  return info ? info->csvKeyword : kUnknownCsvKeyword;
}

std::optional<std::uint16_t> EventTypeFromCsvKeyword(std::string_view keyword) {
  std::string upper = ToUpper(keyword);
  for (const EventTypeInfo& info : kEventTypes) {
    if (info.csvKeyword == upper) return info.code;
  }
  return std::nullopt;
}

std::optional<std::uint16_t> EventTypeFromTextLine(std::string_view line) {
  for (const EventTypeInfo& info : kEventTypes) {
    if (!info.textKeyword.empty() && StartsWithNoCase(line, info.textKeyword)) return info.code;
  }
  return std::nullopt;
}

std::span<const GridTypeChoice> GridTypeChoices() {
  return kGridChoices;
}

std::string_view GridTypeName(std::uint16_t type) {
  const EventTypeInfo* info = FindEventType(type);
  return info ? info->gridName : std::string_view{};
}

}  // namespace zarvic
