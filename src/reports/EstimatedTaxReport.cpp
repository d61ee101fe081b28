#include "reports/EstimatedTaxReport.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "core/Amounts.h"
#include "core/StringTable.h"
#include "core/Text.h"
#include "reports/ReportTemplate.h"

namespace zarvic {
namespace {

constexpr size_t kColumnWidth = 13;  // one installment's column, as wide as a report amount
constexpr size_t kKeywordLength = 4;
constexpr size_t kLineWidth = kRuleLineWidth;  // a report line, as wide as the rule line

// The keywords of the report, after the field marker.
enum class Field {
  Section,          // ETIR: the Code section and its form
  Filer,            // ETFL
  Year,             // ETYR: the tax year, or a fiscal year's first and last days
  RequiredAnnual,   // ETRA
  Basis,            // ETBA: how the required installments were found
  Withholding,      // ETWH: the withholding and how it is taken as paid
  ComputedThrough,  // ETCT
  PeriodEnd,        // ETPE
  Letters,          // ETLB: (a) (b) (c) (d)
  DueDate,          // ETDU
  Required,         // ETRQ
  Paid,             // ETPD
  OverpaymentIn,    // ETOI
  Underpayment,     // ETUP
  Overpayment,      // ETOP
  Addition,         // ETAD: each installment's penalty
  RatePeriod,       // ETRP: a rate period's days, rate and year
  Unpaid,           // ETUN: the amount unpaid over the period, each installment
  UnpaidThrough,    // ETTO: the last day it was unpaid
  Days,             // ETDA
  LineAddition,     // ETPA
  Total,            // ETTL
  Reason,           // ETRS: why there is no addition
  Caution,          // ETCA
};

struct Keyword {
  std::string_view text;
  Field field;
};

constexpr Keyword kKeywords[] = {
    {"ETIR", Field::Section},         {"ETFL", Field::Filer},        {"ETYR", Field::Year},
    {"ETRA", Field::RequiredAnnual},  {"ETBA", Field::Basis},        {"ETWH", Field::Withholding},
    {"ETCT", Field::ComputedThrough}, {"ETPE", Field::PeriodEnd},    {"ETLB", Field::Letters},
    {"ETDU", Field::DueDate},         {"ETRQ", Field::Required},     {"ETPD", Field::Paid},
    {"ETOI", Field::OverpaymentIn},   {"ETUP", Field::Underpayment}, {"ETOP", Field::Overpayment},
    {"ETAD", Field::Addition},        {"ETRP", Field::RatePeriod},   {"ETUN", Field::Unpaid},
    {"ETTO", Field::UnpaidThrough},   {"ETDA", Field::Days},         {"ETPA", Field::LineAddition},
    {"ETTL", Field::Total},           {"ETRS", Field::Reason},       {"ETCA", Field::Caution},
};

const Keyword* MatchKeyword(std::string_view after) {
  for (const Keyword& k : kKeywords) {
    if (after.substr(0, k.text.size()) == k.text) return &k;
  }
  return nullptr;
}

// The fields of a template line that are this report's, in order.
std::vector<Field> FieldsOf(const std::string& line) {
  std::vector<Field> fields;
  for (size_t m = line.find(kFieldMarker); m != std::string::npos; m = line.find(kFieldMarker, m + 1)) {
    if (const Keyword* k = MatchKeyword(std::string_view(line).substr(m + 1))) fields.push_back(k->field);
  }
  return fields;
}

bool Holds(const std::vector<Field>& fields, std::initializer_list<Field> any) {
  return std::any_of(fields.begin(), fields.end(),
                     [&](Field f) { return std::find(any.begin(), any.end(), f) != any.end(); });
}

bool IsUnpaidLine(const std::vector<Field>& fields) {
  return Holds(fields, {Field::Unpaid, Field::UnpaidThrough, Field::Days, Field::LineAddition});
}

std::string Money(Amount cents) {
  return FormatAmount(cents, true, true, true);
}

std::string Cell(std::string text) {
  RightJustify(text, kColumnWidth);
  return text;
}

// A rate as the publication prints it: "6", "7.5".
std::string RateText(double rate) {
  std::string text = StringPrintf("%.2f", rate);
  while (text.back() == '0') text.pop_back();
  if (text.back() == '.') text.pop_back();
  return text;
}

// The words of text in lines of at most width characters (a longer word stands alone, whole).
std::vector<std::string> WrappedLines(std::string_view text, size_t width) {
  std::vector<std::string> lines;
  std::string line;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(' ', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view word = text.substr(start, end - start);
    if (!word.empty()) {
      if (!line.empty() && line.size() + 1 + word.size() > width) {
        lines.push_back(line);
        line.clear();
      }
      if (!line.empty()) line += ' ';
      line += word;
    }
    start = end + 1;
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

// What the line being written stands for.
struct Place {
  int period = -1;   // the rate period
  int piece = 0;     // the how-manieth amount of each installment unpaid over it
  std::string note;  // the part of a reason or caution this line shows
};

class EstimatedTaxFields {
 public:
  EstimatedTaxFields(const EstimatedTaxWorksheet& sheet, const EstimatedTaxResult& result, const Place& place)
      : sheet_(sheet), result_(result), place_(place) {}

  bool Value(std::string_view after, ReportField& out) const {
    const Keyword* k = MatchKeyword(after);
    if (k == nullptr) return false;
    out.keywordLength = kKeywordLength;
    out.value = Text(k->field);
    out.isText = k->field == Field::Reason || k->field == Field::Caution;
    return true;
  }

  // The lines of one installment over the current rate period.
  std::vector<const EstimatedTaxLine*> LinesInPeriod(const EstimatedTaxInstallment& c, int period) const {
    std::vector<const EstimatedTaxLine*> lines;
    for (const EstimatedTaxLine& line : c.lines) {
      if (line.ratePeriod == period) lines.push_back(&line);
    }
    return lines;
  }

  int PiecesInPeriod(int period) const {
    size_t most = 0;
    for (const EstimatedTaxInstallment& c : result_.installments)
      most = std::max(most, LinesInPeriod(c, period).size());
    return static_cast<int>(most);
  }

 private:
  template <typename F>
  std::string Columns(F cell) const {
    std::string text;
    for (size_t i = 0; i < result_.installments.size(); ++i) text += Cell(cell(result_.installments[i], i));
    // The columns end the line: no blanks after the last figure.
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
  }

  // The cell of one installment in an unpaid amount's line; blank when it has no such amount.
  template <typename F>
  std::string PieceColumns(F cell) const {
    return Columns([&](const EstimatedTaxInstallment& c, size_t) {
      const std::vector<const EstimatedTaxLine*> lines = LinesInPeriod(c, place_.period);
      return static_cast<size_t>(place_.piece) < lines.size()
                 ? cell(*lines[static_cast<size_t>(place_.piece)])
                 : std::string();
    });
  }

  std::string Text(Field field) const {
    const bool corporation = sheet_.IsCorporation();
    switch (field) {
      case Field::Section:
        return corporation ? "IRC 6655 (Form 2220)" : "IRC 6654 (Form 2210)";
      case Field::Filer:
        switch (sheet_.filer) {
          case EstimatedTaxFiler::Individual:
            return sheet_.farmerOrFisherman ? "Individual, farmer or fisherman" : "Individual";
          case EstimatedTaxFiler::Corporation:
            return "Corporation";
          case EstimatedTaxFiler::LargeCorporation:
            return "Large corporation";
        }
        return {};
      case Field::Year: {
        if (!IsDate(sheet_.fiscalYearStart)) return std::to_string(sheet_.taxYear);
        const DayNumber last = AddDays(AddMonths(sheet_.fiscalYearStart, 12), -1);
        return ReportDate(sheet_.fiscalYearStart) + " to " + ReportDate(last);
      }
      case Field::RequiredAnnual:
        return Money(result_.requiredAnnualPayment) + (sheet_.requiredAnnualPayment ? " (as entered)" : "");
      case Field::Basis:
        switch (sheet_.basis) {
          case InstallmentBasis::Regular:
            return "Regular: equal parts of the required annual payment";
          case InstallmentBasis::Given:
            return "As entered";
          case InstallmentBasis::Annualized:
            return "Annualized, each the lesser of it and the regular one";
        }
        return {};
      case Field::Withholding:
        return Money(sheet_.TotalWithholding()) + (sheet_.withholdingOnActualDates
                                                       ? " on the dates withheld"
                                                       : " in equal parts on the due dates");
      case Field::ComputedThrough:
        return ReportDate(result_.computedThrough);
      case Field::PeriodEnd:
        return ReportDate(result_.periodEnd);
      case Field::Letters:
        return Columns([](const EstimatedTaxInstallment&, size_t i) {
          return StringPrintf("(%c)", static_cast<char>('a' + static_cast<int>(i)));
        });
      case Field::DueDate:
        return Columns([](const EstimatedTaxInstallment& c, size_t) { return ReportDate(c.dueDate); });
      case Field::Required:
        return Columns([](const EstimatedTaxInstallment& c, size_t) { return Money(c.required); });
      case Field::Paid:
        return Columns([](const EstimatedTaxInstallment& c, size_t) { return Money(c.paidInPeriod); });
      case Field::OverpaymentIn:
        return Columns([](const EstimatedTaxInstallment& c, size_t) { return Money(c.overpaymentIn); });
      case Field::Underpayment:
        return Columns([](const EstimatedTaxInstallment& c, size_t) { return Money(c.underpayment); });
      case Field::Overpayment:
        return Columns([](const EstimatedTaxInstallment& c, size_t) { return Money(c.overpayment); });
      case Field::Addition:
        return Columns([](const EstimatedTaxInstallment& c, size_t) { return Money(c.addition); });
      case Field::RatePeriod: {
        if (place_.period < 0 || static_cast<size_t>(place_.period) >= result_.ratePeriods.size()) return {};
        const EstimatedTaxRatePeriod& p = result_.ratePeriods[static_cast<size_t>(place_.period)];
        return ReportDate(p.start) + " to " + ReportDate(p.end) + " at " + RateText(p.rate) + "% a year, " +
               std::to_string(p.daysInYear) + "-day year";
      }
      case Field::Unpaid:
        return PieceColumns([](const EstimatedTaxLine& l) { return Money(l.unpaid); });
      case Field::UnpaidThrough:
        return PieceColumns([](const EstimatedTaxLine& l) { return ReportDate(l.to); });
      case Field::Days:
        return PieceColumns([](const EstimatedTaxLine& l) { return std::to_string(l.days); });
      case Field::LineAddition:
        return PieceColumns([](const EstimatedTaxLine& l) { return Money(l.addition); });
      case Field::Total:
        return ReportAmount(result_.total);
      case Field::Reason:
      case Field::Caution:
        return place_.note;
    }
    return {};
  }

  const EstimatedTaxWorksheet& sheet_;
  const EstimatedTaxResult& result_;
  const Place& place_;
};

}  // namespace

bool WriteEstimatedTaxReport(ReportWriter& w, const EstimatedTaxWorksheet& sheet,
                             const EstimatedTaxResult& result) {
  w.reportTitle = "ESTIMATED TAX PENALTY REPORT";
  w.StartReportPage();
  w.WritePageHeader();
  ReportTemplate templ;
  if (!LoadTemplate(templ, kEstimatedTaxTemplate)) return false;

  Place place;
  const EstimatedTaxFields fields(sheet, result, place);
  w.extraFields = [&fields](std::string_view after, ReportField& field) {
    return fields.Value(after, field);
  };

  std::vector<std::vector<Field>> kinds;
  for (int i = 0; i < templ.count; ++i) kinds.push_back(FieldsOf(templ.lines[static_cast<size_t>(i)]));
  // The lines of a rate period: its heading line with the blank lines just before it, through the last
  // line of its unpaid amounts.
  int periodFirst = templ.count;
  int periodLast = -1;
  for (int i = 0; i < templ.count; ++i) {
    if (periodFirst == templ.count && Holds(kinds[static_cast<size_t>(i)], {Field::RatePeriod}))
      periodFirst = i;
    if (IsUnpaidLine(kinds[static_cast<size_t>(i)])) periodLast = i;
  }
  while (periodFirst > 0 && periodFirst < templ.count &&
         Trim(templ.lines[static_cast<size_t>(periodFirst - 1)]).empty()) {
    --periodFirst;
  }
  if (periodLast < periodFirst) periodLast = periodFirst - 1;

  // A reason or caution line is written for each line of its message, wrapped to the report's width from
  // the column of its field; not at all when there is no such message.
  auto writeNotes = [&](const std::string& line, const std::vector<int>& ids) {
    const size_t column = std::min(line.find(kFieldMarker), kLineWidth - 20);
    for (int id : ids) {
      for (const std::string& part : WrappedLines(StringText(id), kLineWidth - column)) {
        place.note = part;
        w.FillTemplateLine(line, -1, true);
      }
    }
    place.note.clear();
  };
  auto write = [&](int i) {
    const std::vector<Field>& kind = kinds[static_cast<size_t>(i)];
    const std::string& line = templ.lines[static_cast<size_t>(i)];
    if (Holds(kind, {Field::Reason})) {
      writeNotes(line, result.reasonId != 0 ? std::vector<int>{result.reasonId} : std::vector<int>{});
    } else if (Holds(kind, {Field::Caution})) {
      writeNotes(line, result.cautionIds);
    } else {
      w.FillTemplateLine(line, -1, true);
    }
    // The column letters head every page the installments' columns go on to.
    if (Holds(kind, {Field::Letters})) w.SetColumnHeadings({line});
  };

  for (int i = 0; i < periodFirst && i < templ.count; ++i) write(i);
  for (place.period = 0; static_cast<size_t>(place.period) < result.ratePeriods.size(); ++place.period) {
    const int pieces = fields.PiecesInPeriod(place.period);
    if (pieces == 0) continue;  // nothing was unpaid over it
    for (int i = periodFirst; i <= periodLast;) {
      if (!IsUnpaidLine(kinds[static_cast<size_t>(i)])) {
        write(i++);
        continue;
      }
      // A run of lines of the unpaid amounts: once for each amount of the installment with the most.
      int end = i;
      while (end <= periodLast && IsUnpaidLine(kinds[static_cast<size_t>(end)])) ++end;
      for (place.piece = 0; place.piece < pieces; ++place.piece) {
        for (int j = i; j < end; ++j) write(j);
      }
      place.piece = 0;
      i = end;
    }
  }
  place.period = -1;
  w.ClearColumnHeadings();
  for (int i = std::max(periodLast + 1, periodFirst); i < templ.count; ++i) write(i);
  w.extraFields = nullptr;
  return true;
}

}  // namespace zarvic
