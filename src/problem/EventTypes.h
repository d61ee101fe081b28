#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace zarvic {

// Event type codes (CEvent::m_type).
enum EventType : std::uint16_t {
  kEventTax = 0,           // normal tax (deficiency)
  kEventMotivatedTax = 1,  // motivated tax (120% rate)
  kEventPayment = 2,
  kEventDeposit = 3,  // deposit as a bond
  kEventPenalty = 4,  // entered penalty
  kEventStopInterest = 5,
  kEventStartInterest = 6,
  kEventDebit = 7,
  kEventCredit = 8,
  kEventIrsCheck = 9,       // refund paid by the IRS
  kEventNamedPenalty = 10,  // only in files of earlier generations; read as 4
  kEventPenaltyType = 11,
  kEventFree = 0xFFFF,  // a free slot
};
inline constexpr int kEventTypeCount = 12;

enum class EventClass { Raises, Lowers, Neither };

// Everything the program calls one event type, in one row.
struct EventTypeInfo {
  std::uint16_t code;
  std::string_view meaning;
  std::string_view csvKeyword;
  std::string_view textKeyword;  // empty: the text input file cannot give this type
  int gridPosition;              // 1-based place in the grid's type choice; 0: not offered there
  std::string_view gridName;
  EventClass eventClass;
};

// The twelve types, indexed by code.
std::span<const EventTypeInfo, kEventTypeCount> EventTypes();
const EventTypeInfo* FindEventType(std::uint16_t code);  // nullptr for other codes

bool RaisesBalance(std::uint16_t type);      // 0, 1, 4, 7, 9
bool LowersBalance(std::uint16_t type);      // 2, 3, 8
bool CarriesAllocation(std::uint16_t type);  // the types with an allocation record: 2, 3, 8

// The report label: string 19114 + code; string 19113 for an unset type (and any unknown code).
std::string EventReportLabel(std::uint16_t type);
inline constexpr int kReportLabelBaseId = 19114;
inline constexpr int kUnsetTypeLabelId = 19113;

// CSV keywords; any code above 11 exports as "<Unknown>", which is the end of the keyword table.
inline constexpr std::string_view kUnknownCsvKeyword = "<Unknown>";
std::string_view CsvKeyword(std::uint16_t type);
// The keyword is upper-cased before the lookup; "<Unknown>" and everything else give no type.
std::optional<std::uint16_t> EventTypeFromCsvKeyword(std::string_view keyword);

// Text input keywords match the start of the line, without regard to case ("TAXES" is "TAX").
std::optional<std::uint16_t> EventTypeFromTextLine(std::string_view line);

// The grid's type choice in list order (the control ends its list with kGridListEnd).
struct GridTypeChoice {
  std::string_view name;
  std::uint16_t code;
};
inline constexpr std::string_view kGridListEnd = "#end of list";
std::span<const GridTypeChoice> GridTypeChoices();
std::string_view GridTypeName(std::uint16_t type);  // empty for a type the list does not hold

}  // namespace zarvic
