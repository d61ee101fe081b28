#include "worksheets/EstimatedTaxInput.h"

#include <optional>

#include "core/StringTable.h"
#include "core/Text.h"

namespace zarvic {

namespace {

constexpr std::string_view kEsttax = "ESTTAX";
constexpr std::size_t kTableNameMax = 95;  // as the problem's text input allows

std::vector<std::string_view> SplitFields(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  for (;;) {
    const std::size_t tab = line.find('\t', start);
    fields.push_back(
        line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
    if (tab == std::string_view::npos) break;
    start = tab + 1;
  }
  // Trailing empty fields carry no value.
  while (fields.size() > 1 && Trim(fields.back()).empty()) fields.pop_back();
  return fields;
}

std::optional<EstimatedTaxFiler> ReadFiler(std::string_view text) {
  if (EqualsNoCase(text, "INDIVIDUAL")) return EstimatedTaxFiler::Individual;
  if (EqualsNoCase(text, "CORPORATION")) return EstimatedTaxFiler::Corporation;
  if (EqualsNoCase(text, "LARGECORP")) return EstimatedTaxFiler::LargeCorporation;
  return std::nullopt;
}

std::optional<int> ReadYear(std::string_view text) {
  if (text.size() != 4) return std::nullopt;
  int year = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    year = year * 10 + (c - '0');
  }
  if (!IsEstimatedTaxYear(year)) return std::nullopt;
  return year;
}

// What has been given, so that a second line of a one-time keyword is refused.
struct Seen {
  bool year = false, required = false, current = false, prior = false, agi = false, farmer = false,
       separately = false, withheldTotal = false, withheldDates = false, installments = false, table = false,
       compute = false;
};

class LineReader {
 public:
  LineReader(EstimatedTaxInput& input, Seen& seen) : input_(input), sheet_(input.sheet), seen_(seen) {}

  // 0 when the line was taken, else the id of the reason it was refused.
  int Apply(const std::vector<std::string_view>& f) {
    const std::string_view key = f[0];
    const size_t values = f.size() - 1;
    if (EqualsNoCase(key, kEsttax)) return kEstTaxInputRepeated;
    if (EqualsNoCase(key, "YEAR")) return Year(f);
    if (EqualsNoCase(key, "REQUIRED")) return OneAmount(f, seen_.required, sheet_.requiredAnnualPayment);
    if (EqualsNoCase(key, "CURTAX")) return OneAmount(f, seen_.current, sheet_.currentYearTax);
    if (EqualsNoCase(key, "PRIORTAX")) return OneAmount(f, seen_.prior, sheet_.priorYearTax);
    if (EqualsNoCase(key, "PRIORAGI")) return OneAmount(f, seen_.agi, sheet_.priorYearAgi);
    if (EqualsNoCase(key, "FARMER")) return Flag(values, seen_.farmer, sheet_.farmerOrFisherman);
    if (EqualsNoCase(key, "MFS")) return Flag(values, seen_.separately, sheet_.marriedFilingSeparately);
    if (EqualsNoCase(key, "WITHHELD")) return Withheld(f);
    if (EqualsNoCase(key, "ESTPAY")) return Payment(f);
    if (EqualsNoCase(key, "INSTALLMENTS")) return Installments(f, InstallmentBasis::Given);
    if (EqualsNoCase(key, "ANNUALIZED")) return Installments(f, InstallmentBasis::Annualized);
    if (EqualsNoCase(key, "TAB")) return Table(f);
    if (EqualsNoCase(key, "COM")) return Compute(f);
    return kEstTaxInputUnknownKeyword;
  }

 private:
  // A money value: well formed, and not negative.
  static int Money(std::string_view text, Amount& out) {
    // To the cent whatever Whole Dollar Mode says, as the deposit input reads its amounts.
    const std::optional<Amount> a = ParseWellFormedCents(text);
    if (!a) return kEstTaxInputBadValue;
    if (*a < 0.0) return kEstTaxInputNegative;
    out = *a;
    return 0;
  }

  int Year(const std::vector<std::string_view>& f) {
    if (f.size() != 2 && f.size() != 3) return kEstTaxInputBadValue;
    if (seen_.year) return kEstTaxInputRepeated;
    const std::optional<int> year = ReadYear(f[1]);
    if (!year) return kEstTaxInputBadValue;
    DayNumber start = NO_DATE;
    if (f.size() == 3) {
      const std::optional<DayNumber> d = ReadInputDate(f[2]);
      if (!d) return kEstTaxInputBadValue;
      if (DayOf(*d) != 1 || YearOf(*d) + 1900 != *year) return kEstTaxBadFiscalStart;
      start = *d;
    }
    sheet_.taxYear = *year;
    sheet_.fiscalYearStart = start;
    seen_.year = true;
    return 0;
  }

  static int OneAmount(const std::vector<std::string_view>& f, bool& seen, std::optional<Amount>& out) {
    if (f.size() != 2) return kEstTaxInputBadValue;
    if (seen) return kEstTaxInputRepeated;
    Amount a = 0.0;
    if (int error = Money(f[1], a)) return error;
    out = a;
    seen = true;
    return 0;
  }

  int Flag(size_t values, bool& seen, bool& out) {
    if (values != 0) return kEstTaxInputBadValue;
    if (seen) return kEstTaxInputRepeated;
    if (sheet_.IsCorporation()) return kEstTaxIndividualOnly;
    out = seen = true;
    return 0;
  }

  int Withheld(const std::vector<std::string_view>& f) {
    if (f.size() == 2) {
      if (seen_.withheldDates) return kEstTaxInputWithholdingBothWays;
      if (seen_.withheldTotal) return kEstTaxInputRepeated;
      if (int error = Money(f[1], sheet_.withholding)) return error;
      seen_.withheldTotal = true;
      return 0;
    }
    if (f.size() != 3) return kEstTaxInputBadValue;
    if (seen_.withheldTotal) return kEstTaxInputWithholdingBothWays;
    DatedAmount w;
    if (int error = Dated(f, w)) return error;
    sheet_.withholdingOnActualDates = true;
    sheet_.withheldOnDates.push_back(w);
    seen_.withheldDates = true;
    return 0;
  }

  static int Dated(const std::vector<std::string_view>& f, DatedAmount& out) {
    const std::optional<DayNumber> d = ReadInputDate(f[1]);
    if (!d) return kEstTaxInputBadValue;
    out.date = *d;
    return Money(f[2], out.amount);
  }

  int Payment(const std::vector<std::string_view>& f) {
    if (f.size() != 3) return kEstTaxInputBadValue;
    DatedAmount p;
    if (int error = Dated(f, p)) return error;
    sheet_.payments.push_back(p);
    return 0;
  }

  int Installments(const std::vector<std::string_view>& f, InstallmentBasis basis) {
    if (f.size() != 1 + kMaxEstimatedInstallments) return kEstTaxInputBadValue;
    if (seen_.installments) {
      return sheet_.basis == basis ? kEstTaxInputRepeated : kEstTaxInputInstallmentsBothWays;
    }
    std::array<Amount, kMaxEstimatedInstallments> amounts{};
    for (int i = 0; i < kMaxEstimatedInstallments; ++i) {
      if (int error = Money(f[1 + i], amounts[i])) return error;
    }
    sheet_.basis = basis;
    sheet_.installments = amounts;
    seen_.installments = true;
    return 0;
  }

  int Table(const std::vector<std::string_view>& f) {
    if (f.size() != 2) return kEstTaxInputBadValue;
    if (seen_.table) return kEstTaxInputRepeated;
    const std::string name = Trim(f[1]);
    if (name.empty() || name.size() > kTableNameMax || name.find('/') != std::string::npos) {
      return kEstTaxInputBadTableName;
    }
    input_.tableName = name;
    seen_.table = true;
    return 0;
  }

  int Compute(const std::vector<std::string_view>& f) {
    if (f.size() != 2) return kEstTaxInputBadValue;
    if (seen_.compute) return kEstTaxInputRepeated;
    const std::optional<DayNumber> d = ReadInputDate(f[1]);
    if (!d) return kEstTaxInputBadValue;
    sheet_.computeThrough = *d;
    seen_.compute = true;
    return 0;
  }

  EstimatedTaxInput& input_;
  EstimatedTaxWorksheet& sheet_;
  Seen& seen_;
};

}  // namespace

bool IsEstimatedTaxKeywordLine(std::string_view line) {
  return EqualsNoCase(SplitFields(line)[0], kEsttax);
}

bool ReadEstimatedTaxInput(TextLineReader& reader, EstimatedTaxInput& input,
                           std::vector<std::string>& messages) {
  input = EstimatedTaxInput{};
  auto refuse = [&](int id) { messages.push_back(reader.Where() + std::string(StringText(id))); };

  bool started = false;
  Seen seen;
  LineReader lines(input, seen);
  while (!reader.AtEnd()) {
    const std::string text = reader.ReadLine();
    const std::string_view line = reader.LineNumber() == 1 ? WithoutByteOrderMark(text) : text;
    if (Trim(line).empty()) continue;
    const std::vector<std::string_view> fields = SplitFields(line);
    if (!started) {
      const std::optional<EstimatedTaxFiler> filer =
          fields.size() == 2 && EqualsNoCase(fields[0], kEsttax) ? ReadFiler(Trim(fields[1])) : std::nullopt;
      if (!filer) {
        refuse(kEstTaxInputNotEsttax);
        return false;
      }
      input.sheet.filer = *filer;
      started = true;
      continue;
    }
    if (const int reason = lines.Apply(fields)) refuse(reason);
  }
  if (!started) {
    refuse(kEstTaxInputNotEsttax);
    return false;
  }
  return true;
}

}  // namespace zarvic
