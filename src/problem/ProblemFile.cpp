#include "problem/ProblemFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <memory>
#include <optional>
#include <string_view>
#include <utility>

#include "allocation/PaymentAllocation.h"
#include "core/Amounts.h"
#include "core/AtomicFile.h"
#include "core/LittleEndian.h"
#include "core/StringTable.h"
#include "core/Text.h"
#include "core/UserInterface.h"

namespace zarvic {

using namespace problemfile;

namespace {

constexpr int kTableMissingId = 19203;
constexpr int kNewerVersionId = 20004;
constexpr int kErrorReadingId = 20013;
constexpr int kTaxAndPaymentId = 20039;

// What the reader says of a file it refuses or shortens: where (the header, penalty record k, event i,
// its allocation, its description), then what is wrong there.
constexpr int kPlaceHeaderId = 21150;
constexpr int kPlacePenaltyId = 21151;
constexpr int kPlaceEventId = 21152;
constexpr int kPlaceAllocationId = 21153;
constexpr int kPlaceDescriptionId = 21154;
constexpr int kUnknownVersionId = 21155;
constexpr int kEndsInsideId = 21156;
constexpr int kChangedId = 21157;
constexpr int kUnknownTypeId = 21158;
constexpr int kBeyondCalendarId = 21159;
constexpr int kNotAnAmountId = 21160;
constexpr int kEventsLeftOutId = 21161;
constexpr int kTheFileId = 21162;

constexpr int kOldPenaltyDates = 8;
constexpr std::uint16_t kOldPenaltyFlagBits = 0x007F;  // bits 0-6 carry over from 80-byte records

// How a read ended: the status, what is wrong with a refused file, and the events a problem could not
// hold (the 1,001st on), counted with their first and last date.
struct ReadOutcome {
  ProblemReadStatus status = ProblemReadStatus::Read;
  std::string reason;
  int leftOut = 0;
  DayNumber firstLeftOut = NO_DATE;
  DayNumber lastLeftOut = NO_DATE;

  bool Failed() const { return status != ProblemReadStatus::Read; }
};

std::string Text(int id) {
  return std::string(StringText(id));
}

// Where a fault lies; events and penalty records are counted from 1, as a person counts them.
std::string Place(int id, int index = -1) {
  return index < 0 ? Text(id) : StringPrintfDynamic(Text(id).c_str(), index + 1);
}

ReadOutcome Refused(ProblemReadStatus status, std::string reason) {
  return ReadOutcome{.status = status, .reason = std::move(reason)};
}
ReadOutcome EndsInside(const std::string& place) {
  return Refused(ProblemReadStatus::Truncated,
                 StringPrintfDynamic(Text(kEndsInsideId).c_str(), place.c_str()));
}
ReadOutcome Damaged(int id, const std::string& place) {
  return Refused(ProblemReadStatus::Damaged, StringPrintfDynamic(Text(id).c_str(), place.c_str()));
}

// Values as the format allows them: a date is unset or within the calendar; an amount is a finite
// number of cents no larger than any amount can be typed.
bool IsStoredDate(DayNumber d) {
  return !IsDate(d) || d <= kLastCalendarDay;
}
bool IsStoredAmount(double cents) {
  return std::isfinite(cents) && std::fabs(cents) <= kAmountLimitCents;
}

// The first date or amount that the format does not allow, as a refusal; nullopt when all are allowed.
std::optional<ReadOutcome> CheckValues(std::span<const DayNumber> dates, std::span<const double> amounts,
                                       const std::string& place) {
  if (!std::all_of(dates.begin(), dates.end(), IsStoredDate)) return Damaged(kBeyondCalendarId, place);
  if (!std::all_of(amounts.begin(), amounts.end(), IsStoredAmount)) return Damaged(kNotAnAmountId, place);
  return std::nullopt;
}

std::optional<ReadOutcome> CheckHeader(const ProblemHeader& h) {
  const DayNumber dates[] = {h.m_computeDate, h.m_thirtyDayLetter, h.m_applicableDate,
                             h.m_restartThirtyDayLetter, h.m_restartApplicableDate};
  return CheckValues(dates, std::span<const double>(&h.m_gattThreshold, 1), Place(kPlaceHeaderId));
}

std::optional<ReadOutcome> CheckPenaltyRecord(const PenaltyRecord& r, int k) {
  std::array<double, kPenaltyAmounts + 1> amounts{};
  std::copy(r.m_amounts.begin(), r.m_amounts.end(), amounts.begin());
  amounts.back() = r.m_rate;
  return CheckValues(r.m_dates, amounts, Place(kPlacePenaltyId, k));
}

// An event of the list: a known type, its date and amounts, and its allocation's amounts.
std::optional<ReadOutcome> CheckEvent(const CEvent& e, int i) {
  if (FindEventType(e.m_type) == nullptr) {
    return Refused(ProblemReadStatus::Damaged,
                   StringPrintfDynamic(Text(kUnknownTypeId).c_str(), Place(kPlaceEventId, i).c_str(),
                                       unsigned{e.m_type}));
  }
  const double amounts[] = {e.m_amount, e.m_gattAmount, e.m_balof};
  if (auto fault = CheckValues(std::span<const DayNumber>(&e.m_date, 1), amounts, Place(kPlaceEventId, i)))
    return fault;
  if (!e.m_allocation) return std::nullopt;
  if (auto fault = CheckValues({}, e.m_allocation->m_payment, Place(kPlaceAllocationId, i))) return fault;
  return CheckValues({}, e.m_allocation->m_specific, Place(kPlaceAllocationId, i));
}

// Counts an event a problem cannot hold, with its date.
void CountLeftOut(ReadOutcome& outcome, DayNumber date) {
  ++outcome.leftOut;
  if (!IsDate(outcome.firstLeftOut) || date < outcome.firstLeftOut) outcome.firstLeftOut = date;
  if (!IsDate(outcome.lastLeftOut) || date > outcome.lastLeftOut) outcome.lastLeftOut = date;
}

// Which generation wrote a file. Version bytes compare as signed numbers.
struct Generation {
  bool newer = false;
  bool veryOld = false;
  bool eightyBytePenalties = false;
  bool oldEventLayout = false;
  bool smallAllocations = false;  // 344-byte allocation records of 20 categories
};

Generation GenerationOf(int major, int minor, std::uint16_t penaltyCount) {
  Generation g;
  g.newer = major > kFormatMajor || (major == kFormatMajor && minor > kFormatMinor);
  g.veryOld = major < 2 || penaltyCount < kVeryOldPenaltyRecords;
  g.eightyBytePenalties = major < 96 || (major == 96 && minor <= 3);
  g.oldEventLayout = major < 96 || (major == 96 && minor <= 2);
  g.smallAllocations = major <= 2 && minor <= 9;
  return g;
}

// A file image read front to back. Nothing in it is trusted: every block is checked against the end.
class Input {
 public:
  explicit Input(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  template <std::size_t N>
  std::optional<std::span<const std::uint8_t, N>> Take() {
    if (N > bytes_.size() - pos_) return std::nullopt;
    std::span<const std::uint8_t, N> block(bytes_.data() + pos_, N);
    pos_ += N;
    return block;
  }
  bool Skip(std::size_t n) {
    if (n > bytes_.size() - pos_) return false;
    pos_ += n;
    return true;
  }
  // What follows the blocks read so far.
  std::span<const std::uint8_t> Rest() const { return bytes_.subspan(pos_); }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t pos_ = 0;
};

// Sets a flag for a scope and puts the previous value back.
class FlagScope {
 public:
  explicit FlagScope(bool& flag) : flag_(flag), saved_(std::exchange(flag, true)) {}
  ~FlagScope() { flag_ = saved_; }
  FlagScope(const FlagScope&) = delete;
  FlagScope& operator=(const FlagScope&) = delete;

 private:
  bool& flag_;
  bool saved_;
};

// The 80-byte record: dates[8] at 0, grace bits at 16, months at 18, amounts[5] at 20, rate at 60,
// flags at 68, 8 reserved bytes at 70, 2 unused bytes at 78. Fields it lacks keep record's values,
// except the four later dates, which become unset.
void ConvertOldPenaltyRecord(std::span<const std::uint8_t, kOldPenaltyRecordBytes> in,
                             PenaltyRecord& record) {
  ByteReader r(in);
  for (int i = 0; i < kOldPenaltyDates; ++i) record.m_dates[i] = r.U16();
  for (int i = kOldPenaltyDates; i < kPenaltyDates; ++i) record.m_dates[i] = NO_DATE;
  record.m_graceBits = r.U16();
  record.m_monthsCharged = r.U16();
  for (double& amount : record.m_amounts) amount = r.F64();
  record.SetRate(r.F64());
  std::uint16_t oldFlags = r.U16();
  record.m_flags =
      static_cast<std::uint16_t>((record.m_flags & ~kOldPenaltyFlagBits) | (oldFlags & kOldPenaltyFlagBits));
  r.Bytes(record.m_reserved);
}

// The 344-byte record of 20 categories: applied[20] at 0, designated[20] at 160, letters[20] at 320.
// Categories with a letter below "0" were never used. Category 5 was added later; the old 5-19 move up.
AllocationRecord ConvertOldAllocation(std::span<const std::uint8_t, kOldAllocationRecordBytes> in) {
  ByteReader r(in);
  std::array<double, kOldAllocationCategories> applied{};
  std::array<double, kOldAllocationCategories> designated{};
  std::array<char, kOldAllocationCategories> letters{};
  for (double& v : applied) v = r.F64();
  for (double& v : designated) v = r.F64();
  r.Chars(letters);

  AllocationRecord record = AllocationRecord::Fresh(DefaultAllocationLetters());
  for (int j = 0; j < kOldAllocationCategories; ++j) {
    // The letters were signed characters: bytes of 0x80 and above are below "0" too.
    if (static_cast<signed char>(letters[j]) >= '0') {
      record.m_payment[j] = applied[j];
      record.m_specific[j] = designated[j];
      record.m_priority[j] = letters[j];
    }
  }
  for (int j = kOldAllocationCategories - 1; j >= 5; --j) {
    record.m_payment[j + 1] = record.m_payment[j];
    record.m_specific[j + 1] = record.m_specific[j];
    record.m_priority[j + 1] = record.m_priority[j];
  }
  record.m_payment[5] = 0.0;
  record.m_specific[5] = 0.0;
  record.m_priority[5] = record.m_priority[1];
  return record;
}

template <std::size_t N>
EventDescription DescriptionFrom(std::span<const std::uint8_t, N> bytes) {
  static_assert(N <= kEventDescriptionBytes);
  EventDescription description;
  std::copy(bytes.begin(), bytes.end(), description.Bytes().begin());
  return description;
}

// Moves the set dates among words first..last towards first, in their order; the freed words are unset.
void CompactDates(PenaltyRecord& record, int first, int last) {
  int to = first;
  for (int from = first; from <= last; ++from) {
    if (IsDate(record.m_dates[from])) record.m_dates[to++] = record.m_dates[from];
  }
  for (; to <= last; ++to) record.m_dates[to] = NO_DATE;
}

void SwitchOffPenalties(CTDoc& p) {
  for (int k = 0; k < kPenaltyRecords; ++k) {
    if (k != kHotInterestSlot) p.m_penalties[k].SetFlag(PEN_ACTIVE, false);
  }
}

// The old event layout: every event record first, then the blocks of the listed events.
ReadOutcome ReadOldEvents(CTDoc& p, Input& in, int major, int minor, const Generation& g,
                          std::uint16_t penaltyCount, bool& twoX) {
  ProblemHeader& h = p.m_header;
  auto& pen = p.m_penalties;
  if (major == 2 && minor <= 13) pen[23].MakeNew();

  ReadOutcome outcome;
  bool listEnded = false;
  CEvent beyond;  // each event after the 1,000th in turn
  for (int i = 0; i < h.m_eventCount; ++i) {
    auto raw = in.Take<kEventRecordBytes>();
    if (!raw) return EndsInside(Place(kPlaceEventId, i));
    CEvent& event = i < kMaxEvents ? p.m_events[i] : beyond;
    ApplyEventImage(DecodeEventRecord(*raw), event);
    event.m_reserved = {};
    event.m_tag = 0;  // no checksum in this layout
    // The list ends at the first event without a date; what follows it is not part of the problem.
    listEnded = listEnded || !event.HasDate();
    if (listEnded) continue;
    if (auto fault = CheckEvent(event, i)) return *fault;
    if (i >= kMaxEvents) CountLeftOut(outcome, event.m_date);
  }

  int index = 0;
  for (CEvent& event : p.ListedEvents()) {
    if (CarriesAllocation(event.m_type)) {
      AllocationRecord allocation;
      if (g.smallAllocations) {
        auto raw = in.Take<kOldAllocationRecordBytes>();
        if (!raw) return EndsInside(Place(kPlaceAllocationId, index));
        allocation = ConvertOldAllocation(*raw);
      } else {
        auto raw = in.Take<kAllocationRecordBytes>();
        if (!raw) return EndsInside(Place(kPlaceAllocationId, index));
        allocation = DecodeAllocationRecord(*raw);
      }
      if (allocation.m_priority[0] == '\0') allocation.SetPriorities(DefaultAllocationLetters());
      event.m_allocation = std::make_unique<AllocationRecord>(allocation);
      if (auto fault = CheckEvent(event, index)) return *fault;
    }
    if (event.m_type == kEventDebit || event.m_type == kEventCredit || event.m_type == kEventNamedPenalty) {
      auto raw = in.Take<kOldDescriptionBytes>();
      if (!raw) return EndsInside(Place(kPlaceDescriptionId, index));
      event.m_description = DescriptionFrom(*raw);
    } else if (event.m_type == kEventPenalty) {
      event.m_type = kEventNamedPenalty;
      event.SetDescription("");
    }
    ++index;
  }

  if (pen[23].IsActive() && penaltyCount < 23) pen[23].SetFlag(PEN_ACTIVE, false);

  // Records 1 and 2 gained notice dates; the old ones move to their new words.
  PenaltyRecord& r1 = pen[1];
  r1.m_dates[5] = r1.m_dates[2];
  r1.m_dates[6] = r1.m_dates[3];
  CompactDates(r1, 1, 4);
  PenaltyRecord& r2 = pen[2];
  r2.m_dates[4] = r2.m_dates[2];
  r2.m_dates[5] = r2.m_dates[3];
  CompactDates(r2, 1, 3);

  p.RecomputeTaxTotals();
  if (major == 0 || (major == 2 && minor <= 13) || (IsDate(p.TaxDate) && YearOf(p.TaxDate) >= 89)) {
    auto& amounts = pen[4].m_amounts;
    amounts[3] = amounts[2];
    amounts[2] = amounts[1];
    amounts[1] = amounts[0];
  }

  // Hot interest was a penalty record; it is header settings now.
  PenaltyRecord& hot = pen[kHotInterestSlot];
  if (hot.IsActive()) {
    h.m_hotInterest = 1;
    if (IsDate(hot.m_dates[0]) && hot.m_dates[0] != 0) h.m_thirtyDayLetter = hot.m_dates[0];
    if (IsDate(hot.m_dates[1]) && hot.m_dates[1] != 0) h.m_applicableDate = hot.m_dates[1];
    if (h.m_thirtyDayLetter == 0) h.m_thirtyDayLetter = NO_DATE;
    if (h.m_applicableDate == 0) h.m_applicableDate = NO_DATE;
    hot.SetFlag(PEN_ACTIVE, false);
  }

  pen[5].SetFlag(PEN_ACTIVE, false);
  pen[6].SetFlag(PEN_ACTIVE, false);
  twoX = major < 3;
  return outcome;
}

ReadOutcome ReadCurrentEvents(CTDoc& p, Input& in) {
  ReadOutcome outcome;
  bool listEnded = false;
  CEvent beyond;  // each event after the 1,000th in turn
  for (int i = 0; i < p.m_header.m_eventCount; ++i) {
    auto raw = in.Take<kEventRecordBytes>();
    if (!raw) return EndsInside(Place(kPlaceEventId, i));
    EventRecord record = DecodeEventRecord(*raw);
    // A changed record cannot say which blocks follow it either: that it was changed is the fault.
    if (ChecksumOf(*raw) != record.checksum)
      return Refused(ProblemReadStatus::BadChecksum,
                     StringPrintfDynamic(Text(kChangedId).c_str(), Place(kPlaceEventId, i).c_str()));
    CEvent& event = i < kMaxEvents ? p.m_events[i] : beyond;
    ApplyEventImage(record, event);
    event.m_allocation.reset();
    event.m_description.reset();
    if (CarriesAllocation(event.m_type)) {
      auto allocation = in.Take<kAllocationRecordBytes>();
      if (!allocation) return EndsInside(Place(kPlaceAllocationId, i));
      event.m_allocation = std::make_unique<AllocationRecord>(DecodeAllocationRecord(*allocation));
    }
    if (record.descriptionMarker != 0) {
      auto description = in.Take<kEventDescriptionBytes>();
      if (!description) return EndsInside(Place(kPlaceDescriptionId, i));
      event.m_description = DescriptionFrom(*description);
    }
    // The list ends at the first event without a date; what follows it is not part of the problem.
    listEnded = listEnded || !event.HasDate();
    if (listEnded) continue;
    if (auto fault = CheckEvent(event, i)) return *fault;
    if (i >= kMaxEvents) CountLeftOut(outcome, event.m_date);
  }
  return outcome;
}

// The worksheets after the events. A problem whose worksheets cannot be taken opens without them, and
// says so whatever the caller asked: its next save would leave them out.
void ReadKeptWorksheets(CTDoc& p, std::span<const std::uint8_t> rest) {
  switch (DecodeWorksheets(rest, p.m_worksheets)) {
    case WorksheetReadStatus::None:
    case WorksheetReadStatus::Read:
      break;
    case WorksheetReadStatus::Damaged:
      MessageBoxId(kWorksheetsDamagedId);
      break;
    case WorksheetReadStatus::Newer:
      MessageBoxId(kWorksheetsNewerId);
      break;
  }
}

// Reads the image into p, a problem of its own, and brings it up to this version.
ReadOutcome ReadInto(CTDoc& p, std::span<const std::uint8_t> bytes, bool reportErrors) {
  p.ResetProblem();
  Input in(bytes);
  auto headerBytes = in.Take<kProblemHeaderBytes>();
  if (!headerBytes) return EndsInside(Place(kPlaceHeaderId));
  ProblemHeader& h = p.m_header;
  h = DecodeProblemHeader(*headerBytes);
  if (h.m_hotStop != 0 && h.m_restartThirtyDayLetter == 0 && h.m_restartApplicableDate == 0) h.m_hotStop = 0;

  const int major = h.m_versionMajor;
  const int minor = h.m_versionMinor;
  const Generation g = GenerationOf(major, minor, h.m_penaltyRecordCount);
  if (g.newer) return Refused(ProblemReadStatus::NewerVersion, Text(kNewerVersionId));
  // No generation wrote a negative version byte: such a header is damaged, not very old.
  if (major < 0 || minor < 0)
    return Refused(ProblemReadStatus::Damaged,
                   StringPrintfDynamic(Text(kUnknownVersionId).c_str(), major, minor));

  auto& pen = p.m_penalties;
  std::uint16_t penaltyCount = h.m_penaltyRecordCount;
  if (g.veryOld) {
    penaltyCount = kVeryOldPenaltyRecords;
    pen[kHotInterestSlot].SetFlag(PEN_ACTIVE, false);
    h.m_cCorporation = 0;
    h.m_hotInterest = 0;
    h.m_gattThreshold = kDefaultGattThreshold;
    h.m_thirtyDayLetter = NO_DATE;
    h.m_applicableDate = NO_DATE;
  }
  if (auto fault = CheckHeader(h)) return *fault;

  const int stored = std::min<int>(penaltyCount, kPenaltyRecords);
  if (g.eightyBytePenalties) {
    for (int k = 0; k < penaltyCount; ++k) {
      auto raw = in.Take<kOldPenaltyRecordBytes>();
      if (!raw) return EndsInside(Place(kPlacePenaltyId, k));
      if (k < kPenaltyRecords) ConvertOldPenaltyRecord(*raw, pen[k]);
    }
  } else {
    for (int k = 0; k < stored; ++k) {
      auto raw = in.Take<kPenaltyRecordBytes>();
      if (!raw) return EndsInside(Place(kPlacePenaltyId, k));
      pen[k] = DecodePenaltyRecord(*raw);
    }
    // Record 24 (written as zeros) and any later ones carry nothing.
    if (penaltyCount > kPenaltyRecords &&
        !in.Skip(static_cast<std::size_t>(penaltyCount - kPenaltyRecords) * kPenaltyRecordBytes)) {
      return EndsInside(Place(kPlacePenaltyId, kPenaltyRecords));
    }
  }
  for (int k = 0; k < stored; ++k) {
    if (auto fault = CheckPenaltyRecord(pen[k], k)) return *fault;
  }
  if (g.veryOld) pen[11].m_flags &= static_cast<std::uint16_t>(~(PEN_ACTIVE | PEN_EDITED));
  // Records from a file hold the user's figures: their defaults must not overwrite them.
  for (int k = 1; k < stored; ++k) {
    if (pen[k].IsActive()) pen[k].SetFlag(PEN_EDITED, true);
  }
  for (int k = stored; k < kPenaltyRecords; ++k) pen[k].MakeNew();

  bool twoX = false;
  ReadOutcome outcome =
      g.oldEventLayout ? ReadOldEvents(p, in, major, minor, g, penaltyCount, twoX) : ReadCurrentEvents(p, in);
  if (outcome.Failed()) return outcome;
  ReadKeptWorksheets(p, in.Rest());
  // The slots after the list hold nothing: an event read into one would join the list when the slot
  // before it gets a date.
  for (int i = p.EventCount(); i < kMaxEvents; ++i) p.m_events[i].Clear();
  if (p.EventCount() == 0) p.m_events[0].m_type = kEventTax;

  auto& amounts2 = pen[2].m_amounts;
  std::fill(amounts2.begin() + 1, amounts2.end(), 0.0);
  for (int k = 0; k < stored; ++k) {
    if (h.m_legacyPenaltyMarks[k] != 0) pen[k].SetFlag(PEN_EDITED, true);
  }
  // The marks of records the file did not have belong to nothing. Kept, they would mark those (new)
  // records once the problem is saved with all 24 and read again.
  std::fill(h.m_legacyPenaltyMarks.begin() + stored, h.m_legacyPenaltyMarks.end(), std::uint8_t{0});

  std::string tableName = h.m_tableName.Text();
  RateTable table;
  if (LoadNamedTable(table, tableName)) {
    p.m_rateTable = std::move(table);
  } else {
    MessageBoxText(StringPrintfDynamic(Text(kTableMissingId).c_str(),
                                       EscapeForMessage(Windows1252ToUtf8(tableName)).c_str()));
    p.m_rateTable = RateTable{};
    h.m_tableName.Clear();
  }

  PenaltyRecord& failureToFileOld = pen[0];
  for (CEvent& event : p.ListedEvents()) {
    if (event.m_type == kEventNamedPenalty) event.m_type = kEventPenalty;
    // Category 6 was the old failure-to-file penalty; it is category 29 since record 23 took over.
    if (failureToFileOld.IsActive() && CarriesAllocation(event.m_type) && event.m_allocation) {
      AllocationRecord& a = *event.m_allocation;
      a.m_payment[29] += a.m_payment[6];
      a.m_specific[29] += a.m_specific[6];
      a.m_payment[6] = 0.0;
      a.m_specific[6] = 0.0;
      a.m_priority[29] = a.m_priority[6];
    }
  }

  if (pen[4].IsActive() && pen[4].m_amounts[1] < 0.001) pen[4].m_amounts[1] = pen[4].m_amounts[0];
  p.RecomputeTaxTotals();

  PenaltyRecord& failureToFile = pen[23];
  // Date word 2 came after word 1; a record without it takes word 1.
  auto giveThirdDate = [&] {
    if (failureToFile.IsActive() && !IsDate(failureToFile.m_dates[2]))
      failureToFile.m_dates[2] = failureToFile.m_dates[1];
  };
  giveThirdDate();
  if (failureToFileOld.IsActive()) {
    if (!failureToFile.IsActive()) {
      const PenaltyRecord& from = failureToFileOld;
      failureToFile.m_dates = from.m_dates;
      failureToFile.m_graceBits = from.m_graceBits;
      failureToFile.m_monthsCharged = from.m_monthsCharged;
      failureToFile.m_amounts = from.m_amounts;
      failureToFile.m_rate = from.m_rate;
      failureToFile.m_flags =
          static_cast<std::uint16_t>((failureToFile.m_flags & 0xFF00) | (from.m_flags & 0x00FF));
      failureToFile.m_reserved = from.m_reserved;
      failureToFile.m_reserved2 = from.m_reserved2;
      // Like every active record read from a file, it holds the user's figures.
      failureToFile.SetFlag(PEN_EDITED, true);
    }
    failureToFileOld.SetFlag(PEN_ACTIVE, false);
    if (IsDate(p.TaxDate) && p.TaxDate >= MakeDate(1, 1, 90))
      failureToFile.m_dates[1] = failureToFile.m_dates[2];
    // The moved record is of the older kind too. Without this a problem would change on its second
    // reading, after a save, and with it the failure-to-file penalty.
    giveThirdDate();
  }

  p.m_computeDate = h.m_computeDate;
  CurrentUi().RefreshViews(nullptr);

  if (!IsDate(p.TaxDate)) {
    SwitchOffPenalties(p);
    CurrentUi().RefreshViews(nullptr);
  } else if (twoX) {
    auto listed = p.ListedEvents();
    bool paidOnTaxDate = std::any_of(listed.begin(), listed.end(), [&](const CEvent& e) {
      return e.m_date == p.TaxDate && CarriesAllocation(e.m_type);
    });
    bool anyActive = false;
    for (int k = 0; k < kPenaltyRecords; ++k) anyActive |= k != kHotInterestSlot && pen[k].IsActive();
    if (paidOnTaxDate && anyActive) {
      SwitchOffPenalties(p);
      if (reportErrors) MessageBoxId(kTaxAndPaymentId);
    }
  }
  return outcome;
}

template <std::size_t N>
void Append(std::string& out, const std::array<std::uint8_t, N>& bytes) {
  out.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

void ResetToNewProblem(CTDoc& problem) {
  auto fresh = std::make_unique<CTDoc>();
  fresh->ResetProblem();
  problem = std::move(*fresh);
}

// ReadProblem of the file called name ("" when the bytes come from elsewhere): its messages name it.
bool ReadNamedProblem(CTDoc& problem, std::span<const std::uint8_t> bytes, bool reportErrors,
                      const std::string& name, ProblemReadStatus* status, std::string* reason) {
  FlagScope loading(problem.m_loading);
  // A problem of its own, so that a failure anywhere leaves nothing half-read behind.
  auto read = std::make_unique<CTDoc>();
  ReadOutcome result = ReadInto(*read, bytes, reportErrors);
  const std::string shownName = name.empty() ? Text(kTheFileId) : EscapeForMessage(name);
  if (!result.Failed() && result.leftOut > 0) {
    read->m_eventsLeftOut = result.leftOut;
    read->m_fileEvents = kMaxEvents + result.leftOut;
    read->m_leftOutFile = name;
    result.reason =
        StringPrintfDynamic(Text(kEventsLeftOutId).c_str(), shownName.c_str(),
                            FormatCount(read->m_fileEvents).c_str(), FormatCount(result.leftOut).c_str(),
                            FormatDate(result.firstLeftOut).c_str(), FormatDate(result.lastLeftOut).c_str());
  }
  if (status) *status = result.status;
  if (reason) *reason = result.reason;
  if (!result.Failed()) {
    problem = std::move(*read);
    // Not an error of the file but a change of its content: said whatever reportErrors asks.
    if (problem.m_eventsLeftOut > 0) MessageBoxText(result.reason);
    return true;
  }
  read.reset();
  ResetToNewProblem(problem);
  if (!reportErrors) return false;
  if (result.status == ProblemReadStatus::NewerVersion) {
    MessageBoxText(Text(kNewerVersionId) + (name.empty() ? std::string() : "\n" + shownName));
  } else {
    MessageBoxText(Text(kErrorReadingId) + "\n" + (name.empty() ? std::string() : shownName + ": ") +
                   result.reason + ".");
  }
  return false;
}

// Reads a regular file, at most limit bytes of it. False with error set when it cannot be read.
bool ReadFilePrefix(const std::string& path, std::size_t limit, std::string& bytes, int& error) {
  // Without O_NONBLOCK a FIFO of that name would hang the open; regular files do not notice it.
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    error = errno;
    return false;
  }
  struct stat st {};
  bool ok = true;
  if (::fstat(fd, &st) != 0) {
    error = errno;
    ok = false;
  } else if (!S_ISREG(st.st_mode)) {
    error = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
    ok = false;
  }
  bytes.clear();
  char buffer[4096];
  while (ok && bytes.size() < limit) {
    ssize_t n = ::read(fd, buffer, std::min(sizeof buffer, limit - bytes.size()));
    if (n < 0) {
      if (errno == EINTR) continue;
      error = errno;
      ok = false;
    } else if (n == 0) {
      break;
    } else {
      bytes.append(buffer, static_cast<std::size_t>(n));
    }
  }
  ::close(fd);
  return ok;
}

}  // namespace

std::uint16_t ChecksumOf(std::span<const std::uint8_t, kEventRecordBytes> record) {
  std::int32_t sum = 0;
  for (std::size_t i = 0; i < kEventRecordBytes; ++i) {
    if (i != kChecksumAt && i != kChecksumAt + 1) sum += static_cast<std::int8_t>(record[i]);
  }
  return static_cast<std::uint16_t>(sum & 0xFFFF);
}

std::string WriteProblem(CTDoc& problem) {
  ProblemHeader& h = problem.m_header;
  const int count = problem.EventCount();
  h.m_computeDate = problem.m_computeDate;
  h.m_eventCount = static_cast<std::uint16_t>(count);
  h.m_versionMajor = kFormatMajor;
  h.m_versionMinor = kFormatMinor;
  h.m_penaltyRecordCount = kPenaltyRecordsWritten;
  problem.m_penalties[0].SetFlag(PEN_ACTIVE, false);
  h.m_reserved723 = 0;
  h.m_reserved844 = 0;
  h.m_tableName.SetText(problem.m_rateTable.name);

  std::string out;
  out.reserve(kEmptyProblemBytes + static_cast<std::size_t>(count) *
                                       (kEventRecordBytes + kAllocationRecordBytes + kEventDescriptionBytes));
  std::array<std::uint8_t, kProblemHeaderBytes> header{};
  EncodeProblemHeader(h, header);
  Append(out, header);
  for (const PenaltyRecord& record : problem.m_penalties) {
    std::array<std::uint8_t, kPenaltyRecordBytes> bytes{};
    EncodePenaltyRecord(record, bytes);
    Append(out, bytes);
  }
  out.append((kPenaltyRecordsWritten - kPenaltyRecords) * kPenaltyRecordBytes, '\0');

  for (CEvent& event : problem.ListedEvents()) {
    if (CarriesAllocation(event.m_type)) event.Allocation(DefaultAllocationLetters());
    event.m_reserved = {};
    EventRecord record = EventImage(event);
    record.allocationRef = 0;
    record.checksum = 0;
    std::array<std::uint8_t, kEventRecordBytes> bytes{};
    EncodeEventRecord(record, bytes);
    event.m_tag = ChecksumOf(bytes);
    bytes[kChecksumAt] = static_cast<std::uint8_t>(event.m_tag & 0xFF);
    bytes[kChecksumAt + 1] = static_cast<std::uint8_t>(event.m_tag >> 8);
    Append(out, bytes);
    if (CarriesAllocation(event.m_type)) {
      std::array<std::uint8_t, kAllocationRecordBytes> allocation{};
      EncodeAllocationRecord(*event.m_allocation, allocation);
      Append(out, allocation);
    }
    if (event.HasDescription()) {
      const auto& text = event.m_description->Bytes();
      out.append(text.data(), text.size());
    }
  }
  out += EncodeWorksheets(problem.m_worksheets);
  return out;
}

bool ReadProblem(CTDoc& problem, std::span<const std::uint8_t> bytes, bool reportErrors,
                 ProblemReadStatus* status, std::string* reason) {
  return ReadNamedProblem(problem, bytes, reportErrors, "", status, reason);
}

bool SaveProblemFile(CTDoc& problem, const std::string& path) {
  FlagScope saving(problem.m_saving);
  std::string bytes = WriteProblem(problem);
  int error = 0;
  if (!WriteFileAtomically(path, bytes, &error)) {
    MessageBoxText(StringPrintf("Failed to save document.\n%s\n%s", EscapeForMessage(path).c_str(),
                                std::strerror(error)));
    return false;
  }
  problem.SetModified(false);
  return true;
}

bool LoadProblemFile(CTDoc& problem, const std::string& path, bool reportErrors, ProblemReadStatus* status,
                     std::string* reason) {
  std::string bytes;
  int error = 0;
  if (!ReadFilePrefix(path, kLargestProblemFile, bytes, error)) {
    if (status) *status = ProblemReadStatus::CannotOpen;
    if (reason) *reason = std::strerror(error);
    ResetToNewProblem(problem);
    if (reportErrors)
      MessageBoxText(StringPrintf("Failed to open document.\n%s\n%s", EscapeForMessage(path).c_str(),
                                  std::strerror(error)));
    return false;
  }
  std::span<const std::uint8_t> image(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  return ReadNamedProblem(problem, image, reportErrors, path, status, reason);
}

}  // namespace zarvic
