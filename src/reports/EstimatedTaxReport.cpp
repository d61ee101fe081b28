#include "reports/EstimatedTaxReport.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "core/Amounts.h"
#include "core/StringTable.h"
#include "core/Text.h"
#include "reports/ReportTemplate.h"
#include "reports/WorksheetReport.h"

namespace zarvic {
namespace {

constexpr size_t kColumnWidth = 13;  // one installment's column, as wide as a report amount

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

using Keyword = WorksheetKeyword<Field>;

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

bool IsUnpaidLine(const std::vector<Field>& fields) {
  return HoldsAnyField(fields, {Field::Unpaid, Field::UnpaidThrough, Field::Days, Field::LineAddition});
}

std::string Money(Amount cents) {
  return WorksheetAmount(cents);
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
    const Keyword* k = MatchWorksheetKeyword(after, kKeywords);
    if (k == nullptr) return false;
    out.keywordLength = kWorksheetKeywordLength;
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
  ReportTemplate templ;
  if (!StartWorksheetReport(w, "ESTIMATED TAX PENALTY REPORT", kEstimatedTaxTemplate, templ)) return false;

  Place place;
  const EstimatedTaxFields fields(sheet, result, place);
  w.extraFields = [&fields](std::string_view after, ReportField& field) {
    return fields.Value(after, field);
  };

  std::vector<std::vector<Field>> kinds;
  for (int i = 0; i < templ.count; ++i)
    kinds.push_back(WorksheetFieldsOf(templ.lines[static_cast<size_t>(i)], kKeywords));
  auto kind = [&](int i) -> const std::vector<Field>& { return kinds[static_cast<size_t>(i)]; };
  // The lines of a rate period: its heading line through the last line of its unpaid amounts.
  const TemplateSection period = FindTemplateSection(
      templ, [&](int i) { return HoldsAnyField(kind(i), {Field::RatePeriod}) || IsUnpaidLine(kind(i)); });

  // A reason or caution line is written for each line of its message; not at all when there is none.
  auto notes = [](const std::vector<int>& ids) {
    std::vector<std::string> texts;
    for (int id : ids) texts.emplace_back(StringText(id));
    return texts;
  };
  auto write = [&](int i) {
    const std::string& line = templ.lines[static_cast<size_t>(i)];
    if (HoldsAnyField(kind(i), {Field::Reason})) {
      WriteNoteLines(w, line,
                     notes(result.reasonId != 0 ? std::vector<int>{result.reasonId} : std::vector<int>{}),
                     place.note);
    } else if (HoldsAnyField(kind(i), {Field::Caution})) {
      WriteNoteLines(w, line, notes(result.cautionIds), place.note);
    } else {
      w.FillTemplateLine(line, -1, true);
    }
    // The column letters head every page the installments' columns go on to.
    if (HoldsAnyField(kind(i), {Field::Letters})) w.SetColumnHeadings({line});
  };

  for (int i = 0; i < period.first && i < templ.count; ++i) write(i);
  for (place.period = 0; static_cast<size_t>(place.period) < result.ratePeriods.size(); ++place.period) {
    const int pieces = fields.PiecesInPeriod(place.period);
    if (pieces == 0) continue;  // nothing was unpaid over it
    // The lines of the unpaid amounts: once for each amount of the installment with the most.
    WriteTemplateSection(
        period, pieces, [&](int i) { return IsUnpaidLine(kind(i)); }, [&](int k) { place.piece = k; }, write);
  }
  place.period = -1;
  w.ClearColumnHeadings();
  for (int i = std::max(period.last + 1, period.first); i < templ.count; ++i) write(i);
  w.extraFields = nullptr;
  return true;
}

}  // namespace zarvic
