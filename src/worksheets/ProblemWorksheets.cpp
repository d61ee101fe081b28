#include "worksheets/ProblemWorksheets.h"

#include <bit>
#include <cmath>
#include <cstring>
#include <string_view>

#include "core/Amounts.h"

namespace zarvic {
namespace {

constexpr std::size_t kSignatureBytes = 8;
constexpr std::array<char, 4> kEstimatedTaxTag = {'E', 'S', 'T', 'X'};
constexpr std::array<char, 4> kDepositTag = {'D', 'E', 'P', 'O'};

class Out {
 public:
  void U8(std::uint8_t v) { Put(v, 1); }
  void U16(std::uint16_t v) { Put(v, 2); }
  void U32(std::uint32_t v) { Put(v, 4); }
  void F64(double v) { Put(std::bit_cast<std::uint64_t>(v), 8); }
  void Raw(std::string_view bytes) { bytes_.append(bytes); }
  std::string& Bytes() { return bytes_; }

 private:
  void Put(std::uint64_t v, int width) {
    for (int i = 0; i < width; ++i) bytes_.push_back(static_cast<char>(v >> (8 * i)));
  }
  std::string bytes_;
};

// Reads without ever running past the end: a read beyond it gives 0 and makes the input bad.
class In {
 public:
  explicit In(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  std::uint8_t U8() { return static_cast<std::uint8_t>(Get(1)); }
  std::uint16_t U16() { return static_cast<std::uint16_t>(Get(2)); }
  std::uint32_t U32() { return static_cast<std::uint32_t>(Get(4)); }
  double F64() { return std::bit_cast<double>(Get(8)); }
  DayNumber Date() {
    const DayNumber d = U16();
    if (IsDate(d) && d > kLastCalendarDay) ok_ = false;
    return d;
  }
  Amount Money() {
    const double v = F64();
    if (!std::isfinite(v) || std::fabs(v) > kAmountLimitCents) ok_ = false;
    return v;
  }
  // A count of items of at least itemBytes each: never more than the bytes left can hold.
  std::uint32_t Count(std::size_t itemBytes) {
    const std::uint32_t n = U32();
    if (n > Left() / itemBytes) ok_ = false;
    return ok_ ? n : 0;
  }
  std::span<const std::uint8_t> Take(std::size_t n) {
    if (n > Left()) {
      ok_ = false;
      return {};
    }
    auto part = bytes_.subspan(pos_, n);
    pos_ += n;
    return part;
  }
  void Fail() { ok_ = false; }
  bool Ok() const { return ok_; }
  std::size_t Left() const { return bytes_.size() - pos_; }

 private:
  std::uint64_t Get(int width) {
    if (static_cast<std::size_t>(width) > Left()) {
      ok_ = false;
      pos_ = bytes_.size();
      return 0;
    }
    std::uint64_t v = 0;
    for (int i = 0; i < width; ++i) v |= std::uint64_t{bytes_[pos_++]} << (8 * i);
    return v;
  }
  std::span<const std::uint8_t> bytes_;
  std::size_t pos_ = 0;
  bool ok_ = true;
};

enum EstimatedTaxFlag : std::uint16_t {
  kHasRequired = 1 << 0,
  kHasCurrentTax = 1 << 1,
  kHasPriorTax = 1 << 2,
  kHasPriorAgi = 1 << 3,
  kPriorYearFull = 1 << 4,
  kMarriedSeparately = 1 << 5,
  kFarmer = 1 << 6,
  kActualDates = 1 << 7,
  kKnownFlags = (1 << 8) - 1,
};

void PutDatedAmounts(Out& out, const std::vector<DatedAmount>& list) {
  out.U32(static_cast<std::uint32_t>(list.size()));
  for (const DatedAmount& d : list) {
    out.U16(d.date);
    out.F64(d.amount);
  }
}

std::vector<DatedAmount> GetDatedAmounts(In& in) {
  std::vector<DatedAmount> list(in.Count(2 + 8));
  for (DatedAmount& d : list) {
    d.date = in.Date();
    d.amount = in.Money();
  }
  return list;
}

std::string EncodeEstimatedTax(const EstimatedTaxWorksheet& s, DayNumber penaltyDate) {
  Out out;
  out.U8(static_cast<std::uint8_t>(s.filer));
  out.U16(static_cast<std::uint16_t>(s.taxYear));
  out.U16(s.fiscalYearStart);
  std::uint16_t flags = 0;
  if (s.requiredAnnualPayment) flags |= kHasRequired;
  if (s.currentYearTax) flags |= kHasCurrentTax;
  if (s.priorYearTax) flags |= kHasPriorTax;
  if (s.priorYearAgi) flags |= kHasPriorAgi;
  if (s.priorYearFull) flags |= kPriorYearFull;
  if (s.marriedFilingSeparately) flags |= kMarriedSeparately;
  if (s.farmerOrFisherman) flags |= kFarmer;
  if (s.withholdingOnActualDates) flags |= kActualDates;
  out.U16(flags);
  out.F64(s.requiredAnnualPayment.value_or(0.0));
  out.F64(s.currentYearTax.value_or(0.0));
  out.F64(s.priorYearTax.value_or(0.0));
  out.F64(s.priorYearAgi.value_or(0.0));
  out.F64(s.withholding);
  PutDatedAmounts(out, s.withheldOnDates);
  PutDatedAmounts(out, s.payments);
  out.U8(static_cast<std::uint8_t>(s.basis));
  for (Amount a : s.installments) out.F64(a);
  out.U16(s.computeThrough);
  out.U16(penaltyDate);
  return std::move(out.Bytes());
}

void DecodeEstimatedTax(In& in, EstimatedTaxWorksheet& s, DayNumber& penaltyDate) {
  const std::uint8_t filer = in.U8();
  if (filer > static_cast<std::uint8_t>(EstimatedTaxFiler::LargeCorporation)) in.Fail();
  s.filer = static_cast<EstimatedTaxFiler>(filer);
  s.taxYear = in.U16();
  s.fiscalYearStart = in.Date();
  const std::uint16_t flags = in.U16();
  if ((flags & ~kKnownFlags) != 0) in.Fail();
  const Amount required = in.Money();
  const Amount current = in.Money();
  const Amount prior = in.Money();
  const Amount agi = in.Money();
  if (flags & kHasRequired) s.requiredAnnualPayment = required;
  if (flags & kHasCurrentTax) s.currentYearTax = current;
  if (flags & kHasPriorTax) s.priorYearTax = prior;
  if (flags & kHasPriorAgi) s.priorYearAgi = agi;
  s.priorYearFull = (flags & kPriorYearFull) != 0;
  s.marriedFilingSeparately = (flags & kMarriedSeparately) != 0;
  s.farmerOrFisherman = (flags & kFarmer) != 0;
  s.withholdingOnActualDates = (flags & kActualDates) != 0;
  s.withholding = in.Money();
  s.withheldOnDates = GetDatedAmounts(in);
  s.payments = GetDatedAmounts(in);
  const std::uint8_t basis = in.U8();
  if (basis > static_cast<std::uint8_t>(InstallmentBasis::Annualized)) in.Fail();
  s.basis = static_cast<InstallmentBasis>(basis);
  for (Amount& a : s.installments) a = in.Money();
  s.computeThrough = in.Date();
  penaltyDate = in.Date();
}

std::string EncodeDeposit(const DepositPenaltyWorksheet& w, DayNumber penaltyDate) {
  Out out;
  out.U8(static_cast<std::uint8_t>(w.schedule));
  out.U16(w.periodStart);
  out.U16(w.periodEnd);
  out.U32(static_cast<std::uint32_t>(w.liabilities.size()));
  for (const DepositLiability& l : w.liabilities) {
    out.U16(l.date);
    out.F64(l.amount);
    out.U16(l.dueDate);
  }
  out.U32(static_cast<std::uint32_t>(w.deposits.size()));
  for (const TaxDeposit& d : w.deposits) {
    out.U16(d.date);
    out.F64(d.amount);
    out.U8(d.direct ? 1 : 0);
    out.U16(d.designated);
  }
  out.U16(w.firstNotice);
  out.U16(w.demand);
  out.U8(w.averaged ? 1 : 0);
  out.U16(penaltyDate);
  return std::move(out.Bytes());
}

bool Flag(In& in) {
  const std::uint8_t v = in.U8();
  if (v > 1) in.Fail();
  return v == 1;
}

void DecodeDeposit(In& in, DepositPenaltyWorksheet& w, DayNumber& penaltyDate) {
  const std::uint8_t schedule = in.U8();
  if (schedule > static_cast<std::uint8_t>(DepositSchedule::Dates)) in.Fail();
  w.schedule = static_cast<DepositSchedule>(schedule);
  w.periodStart = in.Date();
  w.periodEnd = in.Date();
  w.liabilities.resize(in.Count(2 + 8 + 2));
  for (DepositLiability& l : w.liabilities) {
    l.date = in.Date();
    l.amount = in.Money();
    l.dueDate = in.Date();
  }
  w.deposits.resize(in.Count(2 + 8 + 1 + 2));
  for (TaxDeposit& d : w.deposits) {
    d.date = in.Date();
    d.amount = in.Money();
    d.direct = Flag(in);
    d.designated = in.Date();
  }
  w.firstNotice = in.Date();
  w.demand = in.Date();
  w.averaged = Flag(in);
  penaltyDate = in.Date();
}

void PutSection(Out& out, const std::array<char, 4>& tag, const std::string& content) {
  out.Raw(std::string_view(tag.data(), tag.size()));
  out.U32(static_cast<std::uint32_t>(content.size()));
  out.Raw(content);
}

}  // namespace

std::string EncodeWorksheets(const ProblemWorksheets& worksheets) {
  if (worksheets.Empty()) return {};
  std::uint16_t sections = static_cast<std::uint16_t>(worksheets.otherSections.size());
  if (worksheets.estimatedTax) ++sections;
  if (worksheets.depositPenalty) ++sections;
  Out out;
  out.Raw(std::string_view(kWorksheetSignature, kSignatureBytes));
  out.U16(kWorksheetLayoutVersion);
  out.U16(sections);
  if (worksheets.estimatedTax)
    PutSection(out, kEstimatedTaxTag, EncodeEstimatedTax(*worksheets.estimatedTax, worksheets.estimatedTaxPenaltyDate));
  if (worksheets.depositPenalty)
    PutSection(out, kDepositTag, EncodeDeposit(*worksheets.depositPenalty, worksheets.depositPenaltyDate));
  for (const KeptSection& other : worksheets.otherSections) PutSection(out, other.tag, other.content);
  return std::move(out.Bytes());
}

WorksheetReadStatus DecodeWorksheets(std::span<const std::uint8_t> bytes, ProblemWorksheets& worksheets) {
  worksheets = ProblemWorksheets{};
  if (bytes.size() < kSignatureBytes ||
      std::memcmp(bytes.data(), kWorksheetSignature, kSignatureBytes) != 0) {
    return WorksheetReadStatus::None;
  }
  In in(bytes.subspan(kSignatureBytes));
  const std::uint16_t version = in.U16();
  if (in.Ok() && version > kWorksheetLayoutVersion) return WorksheetReadStatus::Newer;
  const std::uint16_t count = in.U16();
  ProblemWorksheets read;
  for (int i = 0; i < count && in.Ok(); ++i) {
    std::array<char, 4> tag{};
    auto tagBytes = in.Take(tag.size());
    if (!in.Ok()) break;
    std::memcpy(tag.data(), tagBytes.data(), tag.size());
    const std::uint32_t length = in.U32();
    auto content = in.Take(length);
    if (!in.Ok()) break;
    In section(content);
    if (tag == kEstimatedTaxTag && !read.estimatedTax) {
      DecodeEstimatedTax(section, read.estimatedTax.emplace(), read.estimatedTaxPenaltyDate);
    } else if (tag == kDepositTag && !read.depositPenalty) {
      DecodeDeposit(section, read.depositPenalty.emplace(), read.depositPenaltyDate);
    } else if (tag == kEstimatedTaxTag || tag == kDepositTag) {
      section.Fail();  // a second worksheet of one kind: which one would be meant?
    } else {
      read.otherSections.push_back({tag, std::string(content.begin(), content.end())});
      continue;
    }
    // A section of this version's is read whole, to its last byte.
    if (!section.Ok() || section.Left() != 0) in.Fail();
  }
  if (!in.Ok()) return WorksheetReadStatus::Damaged;
  worksheets = std::move(read);
  return WorksheetReadStatus::Read;
}

}  // namespace zarvic
