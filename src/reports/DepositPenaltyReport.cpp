#include "reports/DepositPenaltyReport.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "core/StringTable.h"
#include "core/Text.h"
#include "reports/ReportTemplate.h"
#include "reports/WorksheetReport.h"

namespace zarvic {
namespace {

constexpr size_t kDaysWidth = 4;

// The keywords of the report, after the field marker.
enum class Field {
  Period,            // DPPR
  Schedule,          // DPSC
  Averaged,          // DPAV: the line only when the liabilities are averaged
  FirstNotice,       // DPNO: the line only when there was a notice
  Demand,            // DPDM: the line only when there was notice and demand
  TotalLiability,    // DPTL
  TotalDeposits,     // DPTD
  Excess,            // DPEX: the line only when deposits were left over
  TotalUnpaid,       // DPUN
  ColumnHeadings,    // DPCH: nothing; its line heads every page the liabilities go on to
  Notes,             // DPNT: the rules that spared deposits, a line each
  Total,             // DPTT
  LiabilityDate,     // DLDT
  LiabilityAmount,   // DLAM
  DueDate,           // DLDU
  Rule,              // DLRU: where the due date came from
  FifteenAfter,      // DLFT: the line only when the 15% rate can apply
  MadeUpBy,          // DLSH: the line only when the accuracy of deposits rule spared the liability
  LiabilityPenalty,  // DLPN
  PaidOn,            // DADT: each deposit applied, or what was never paid
  PaidAmount,        // DAAM
  HowPaid,           // DAHO
  DaysLate,          // DADY
  Rate,              // DART
  Penalty,           // DAPN
};

using Keyword = WorksheetKeyword<Field>;

constexpr Keyword kKeywords[] = {
    {"DPPR", Field::Period},
    {"DPSC", Field::Schedule},
    {"DPAV", Field::Averaged},
    {"DPNO", Field::FirstNotice},
    {"DPDM", Field::Demand},
    {"DPTL", Field::TotalLiability},
    {"DPTD", Field::TotalDeposits},
    {"DPEX", Field::Excess},
    {"DPUN", Field::TotalUnpaid},
    {"DPCH", Field::ColumnHeadings},
    {"DPNT", Field::Notes},
    {"DPTT", Field::Total},
    {"DLDT", Field::LiabilityDate},
    {"DLAM", Field::LiabilityAmount},
    {"DLDU", Field::DueDate},
    {"DLRU", Field::Rule},
    {"DLFT", Field::FifteenAfter},
    {"DLSH", Field::MadeUpBy},
    {"DLPN", Field::LiabilityPenalty},
    {"DADT", Field::PaidOn},
    {"DAAM", Field::PaidAmount},
    {"DAHO", Field::HowPaid},
    {"DADY", Field::DaysLate},
    {"DART", Field::Rate},
    {"DAPN", Field::Penalty},
};

bool IsApplicationLine(const std::vector<Field>& fields) {
  return HoldsAnyField(fields, {Field::PaidOn, Field::PaidAmount, Field::HowPaid, Field::DaysLate,
                                Field::Rate, Field::Penalty});
}

bool IsLiabilityLine(const std::vector<Field>& fields) {
  return IsApplicationLine(fields) ||
         HoldsAnyField(fields, {Field::LiabilityDate, Field::LiabilityAmount, Field::DueDate, Field::Rule,
                                Field::FifteenAfter, Field::MadeUpBy, Field::LiabilityPenalty});
}

// What the line being written stands for.
struct Place {
  int liability = -1;   // in the result's liabilities
  int application = 0;  // in that liability's applications
  std::string note;     // the part of a note this line shows
};

class DepositPenaltyFields {
 public:
  DepositPenaltyFields(const DepositPenaltyWorksheet& worksheet, const DepositPenaltyResult& result,
                       const Place& place)
      : worksheet_(worksheet), result_(result), place_(place) {}

  bool Value(std::string_view after, ReportField& out) const {
    const Keyword* k = MatchWorksheetKeyword(after, kKeywords);
    if (k == nullptr) return false;
    out.keywordLength = kWorksheetKeywordLength;
    out.value = Text(k->field);
    out.isText = k->field == Field::Notes || k->field == Field::Rule || k->field == Field::HowPaid ||
                 k->field == Field::Schedule || k->field == Field::Averaged;
    return true;
  }

  // Whether a heading or liability line has its value: a line without it is left out.
  bool Shown(const std::vector<Field>& fields) const {
    const LiabilityPenalty* l = Liability();
    for (Field f : fields) {
      switch (f) {
        case Field::Averaged:
          if (!worksheet_.averaged) return false;
          break;
        case Field::FirstNotice:
          if (!IsDate(worksheet_.firstNotice)) return false;
          break;
        case Field::Demand:
          if (!IsDate(worksheet_.demand)) return false;
          break;
        case Field::Excess:
          if (!(result_.excessDeposits > 0.0)) return false;
          break;
        case Field::FifteenAfter:
          if (l == nullptr || !IsDate(l->lastDayBeforeFifteen)) return false;
          break;
        case Field::MadeUpBy:
          if (l == nullptr || !l->safeHarbor) return false;
          break;
        default:
          break;
      }
    }
    return true;
  }

 private:
  const LiabilityPenalty* Liability() const {
    if (place_.liability < 0 || static_cast<size_t>(place_.liability) >= result_.liabilities.size())
      return nullptr;
    return &result_.liabilities[static_cast<size_t>(place_.liability)];
  }

  const DepositApplication* Application() const {
    const LiabilityPenalty* l = Liability();
    if (l == nullptr || place_.application < 0 ||
        static_cast<size_t>(place_.application) >= l->applications.size())
      return nullptr;
    return &l->applications[static_cast<size_t>(place_.application)];
  }

  std::string Text(Field field) const {
    const LiabilityPenalty* l = Liability();
    const DepositApplication* a = Application();
    switch (field) {
      case Field::Period:
        return ReportDate(worksheet_.periodStart) + " to " + ReportDate(worksheet_.periodEnd);
      case Field::Schedule:
        return DepositScheduleText(worksheet_.schedule);
      case Field::Averaged:
        return StringPrintf("averaged over %d deposit due date%s",
                            static_cast<int>(result_.liabilities.size()),
                            result_.liabilities.size() == 1 ? "" : "s");
      case Field::FirstNotice:
        return ReportDate(worksheet_.firstNotice);
      case Field::Demand:
        return ReportDate(worksheet_.demand);
      case Field::TotalLiability:
        return WorksheetAmount(result_.totalLiability);
      case Field::TotalDeposits:
        return WorksheetAmount(result_.totalDeposits);
      case Field::Excess:
        return WorksheetAmount(result_.excessDeposits);
      case Field::TotalUnpaid:
        return WorksheetAmount(result_.totalUnpaid);
      case Field::ColumnHeadings:
        return {};
      case Field::Notes:
        return place_.note;
      case Field::Total:
        return ReportAmount(result_.totalPenalty);
      case Field::LiabilityDate:
        return l ? ReportDate(l->date) : std::string();
      case Field::LiabilityAmount:
        return l ? ReportAmount(l->amount) : std::string();
      case Field::DueDate:
        return l ? ReportDate(l->dueDate) : std::string();
      case Field::Rule:
        return l ? DueDateRuleText(l->rule) : std::string();
      case Field::FifteenAfter:
        return l ? ReportDate(l->lastDayBeforeFifteen) : std::string();
      case Field::MadeUpBy:
        return l ? ReportDate(l->makeupDate) : std::string();
      case Field::LiabilityPenalty:
        return l ? ReportAmount(l->penalty) : std::string();
      case Field::PaidOn:
        return a && a->deposit >= 0 ? ReportDate(a->date) : std::string();
      case Field::PaidAmount:
        return a ? ReportAmount(a->amount) : std::string();
      case Field::HowPaid:
        return a ? HowPaidText(*a) : std::string();
      case Field::DaysLate: {
        if (a == nullptr || a->deposit < 0) return {};
        std::string days = std::to_string(a->daysLate);
        RightJustify(days, kDaysWidth);
        return days;
      }
      case Field::Rate:
        return a ? StringPrintf("%2d%%", a->rate) : std::string();
      case Field::Penalty:
        return a ? ReportAmount(a->penalty) : std::string();
    }
    return {};
  }

  const DepositPenaltyWorksheet& worksheet_;
  const DepositPenaltyResult& result_;
  const Place& place_;
};

}  // namespace

bool WriteDepositPenaltyReport(ReportWriter& w, const DepositPenaltyWorksheet& worksheet,
                               const DepositPenaltyResult& result) {
  // A worksheet that could not be figured has no penalty to show; its error says why.
  if (result.error) return false;
  ReportTemplate templ;
  if (!StartWorksheetReport(w, "DEPOSIT PENALTY REPORT", kDepositPenaltyTemplate, templ)) return false;

  Place place;
  const DepositPenaltyFields fields(worksheet, result, place);
  w.extraFields = [&fields](std::string_view after, ReportField& field) {
    return fields.Value(after, field);
  };

  std::vector<std::vector<Field>> kinds;
  for (int i = 0; i < templ.count; ++i)
    kinds.push_back(WorksheetFieldsOf(templ.lines[static_cast<size_t>(i)], kKeywords));
  auto kind = [&](int i) -> const std::vector<Field>& { return kinds[static_cast<size_t>(i)]; };
  const TemplateSection liability =
      FindTemplateSection(templ, [&](int i) { return IsLiabilityLine(kind(i)); });

  std::vector<std::string> notes;
  const bool spared = std::any_of(result.liabilities.begin(), result.liabilities.end(),
                                  [](const LiabilityPenalty& l) { return l.safeHarbor; });
  if (spared) notes.emplace_back(StringText(kDepositSafeHarborNote));
  if (result.deMinimis) notes.emplace_back(StringText(kDepositDeMinimisNote));

  auto write = [&](int i) {
    const std::string& line = templ.lines[static_cast<size_t>(i)];
    // The blank line that sets the notes apart goes with them.
    if (notes.empty() && i + 1 < templ.count && Trim(line).empty() &&
        HoldsAnyField(kind(i + 1), {Field::Notes}))
      return;
    if (HoldsAnyField(kind(i), {Field::Notes})) {
      WriteNoteLines(w, line, notes, place.note);
    } else if (fields.Shown(kind(i))) {
      w.FillTemplateLine(line, -1, true);
    }
    if (HoldsAnyField(kind(i), {Field::ColumnHeadings})) {
      std::string heading = line;
      heading.resize(heading.find(kFieldMarker));
      w.SetColumnHeadings({heading});
    }
  };

  for (int i = 0; i < liability.first && i < templ.count; ++i) write(i);
  for (place.liability = 0; static_cast<size_t>(place.liability) < result.liabilities.size();
       ++place.liability) {
    const auto& applications = result.liabilities[static_cast<size_t>(place.liability)].applications;
    WriteTemplateSection(
        liability, static_cast<int>(applications.size()), [&](int i) { return IsApplicationLine(kind(i)); },
        [&](int k) { place.application = k; }, write);
  }
  place.liability = -1;
  w.ClearColumnHeadings();
  for (int i = std::max(liability.last + 1, liability.first); i < templ.count; ++i) write(i);
  w.extraFields = nullptr;
  return true;
}

}  // namespace zarvic
