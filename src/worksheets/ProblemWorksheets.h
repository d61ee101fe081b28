#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/Dates.h"
#include "worksheets/DepositPenalty.h"
#include "worksheets/EstimatedTax.h"

namespace zarvic {

// The worksheets kept with a problem, and the date each one's penalty goes into the problem on
// ("Add to Problem"): the notice date, from which interest on the penalty runs.
//
// They are written after the last event block of the problem file, where every reader of the format
// stops reading, so a file with worksheets still opens in builds that know nothing of them (which drop
// them on their next save). A problem without worksheets writes nothing there: its file is the same as
// before worksheets existed. Layout (little-endian):
//   8 bytes "ZRVWKSHT", u16 layout version (1), u16 count of sections, then each section:
//   4 bytes tag, u32 length, that many bytes of content.
// Tags "ESTX" (estimated tax) and "DEPO" (deposit penalty) are this version's; a section with another
// tag (a later version's worksheet) is kept as it stands and written back unchanged.
struct KeptSection {
  std::array<char, 4> tag{};
  std::string content;
  bool operator==(const KeptSection&) const = default;
};

struct ProblemWorksheets {
  std::optional<EstimatedTaxWorksheet> estimatedTax;
  DayNumber estimatedTaxPenaltyDate = NO_DATE;
  std::optional<DepositPenaltyWorksheet> depositPenalty;
  DayNumber depositPenaltyDate = NO_DATE;
  std::vector<KeptSection> otherSections;

  bool Empty() const { return !estimatedTax && !depositPenalty && otherSections.empty(); }
  bool operator==(const ProblemWorksheets&) const = default;
};

inline constexpr char kWorksheetSignature[] = "ZRVWKSHT";  // the 8 bytes, without the NUL
inline constexpr std::uint16_t kWorksheetLayoutVersion = 1;

// The bytes written after the events: empty for a problem without worksheets.
std::string EncodeWorksheets(const ProblemWorksheets& worksheets);

enum class WorksheetReadStatus {
  None,     // nothing after the events looks like worksheets (older files, other programs' bytes)
  Read,
  Damaged,  // the signature is there but what follows is not whole or not allowed; nothing is taken
  Newer,    // a layout version above this one's; nothing is taken
};

// Reads the bytes that follow the last event block. Nothing is trusted: lengths and counts are bounded
// by what is there, dates must be dates of the calendar (or unset) and amounts finite and within the
// amount limit. On anything but Read, worksheets is left empty.
WorksheetReadStatus DecodeWorksheets(std::span<const std::uint8_t> bytes, ProblemWorksheets& worksheets);

// Messages of the problem's reader about its worksheets.
inline constexpr int kWorksheetsDamagedId = 21600;
inline constexpr int kWorksheetsNewerId = 21601;

}  // namespace zarvic
