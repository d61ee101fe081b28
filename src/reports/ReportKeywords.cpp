// The field substitution of report templates: the keyword table, the penalty line filter and the rules
// by which a value takes the place of its field.

#include <cstdio>
#include <string>
#include <string_view>
#include <utility>

#include "core/Clock.h"
#include "core/StringTable.h"
#include "core/Text.h"
#include "problem/CTDoc.h"
#include "reports/ReportTemplate.h"
#include "reports/ReportWriter.h"
#include "reports/Reports.h"

namespace zarvic {
namespace {

constexpr int kVersionTextId = 14;  // "Zarvic Version  %s"
constexpr int kTenDaysId = 1009;
constexpr int kTwentyOneDaysId = 1010;
constexpr int kPenaltyNameBaseId = 18506;
constexpr int kYesId = 21003;
constexpr int kNoId = 21004;
constexpr char kVersionText[] = "2026.4.2";
constexpr int kMaxIncludeDepth = 4;  // a sub-template that includes itself must end somewhere

constexpr char kAccuracyCaution0[] = "CAUTION: Accuracy-related penalties have been";
constexpr char kAccuracyCaution1[] = "         applied to more than the total tax.";

enum class Key {
  JIM0,
  JIM1,
  GACT,
  ADDA,
  ADDD,
  AADE,
  AADF,
  AADG,
  DATE,
  TIME,
  GDP,
  GDC,
  GDT,
  GDAT,
  SDAT,
  PAGE,
  TITLE,
  VER,
  PNAM,
  NAME,
  IDNM,
  D101,
  D102,
  D103,
  D104,
  D105,
  D106,
  AMT0,
  AMT1,
  AMT2,
  AMT3,
  AMT4,
  ALT0,
  ALT1,
  ALT2,
  ALT3,
  ALT4,
  PPER,
  PPF1,
  PPR1,
  PPR2,
  DTE10,
  DTE11,
  DTE0,
  DTE1,
  DTE2,
  DTE3,
  DTE4,
  DTE5,
  DTE6,
  DTE7,
  DTE8,
  DTE9,
  DPLUS11,
  DUED,
  A3AA,
  BASE,
  BAS1,
  BAM0,
  BAM1,
  BAM2,
  TTAX,
  TTSD,
  PBCM,
  PARE,
  PBRD,
  INTP,
  REDU,
  PMAX,
  PBIN,
  PMIN,
  MBAS,
  RED2,
  REAL,
  A30D,
  AADD,
  TEND,
  TDES,
  TNAM,
  PNA0,
  PNA1,
  FRAU,
  P2BA,
  ESUM,
  SUMM,
  MonthsLate,
  MonthsCharged,
  Rate,
  Unknown
};

struct KeywordEntry {
  std::string_view text;
  Key key;
};

// In the order they are matched: longer keywords before the ones they begin with, the one-letter
// keywords last.
constexpr KeywordEntry kKeywords[] = {
    {"JIM0", Key::JIM0},   {"JIM1", Key::JIM1},    {"GACT", Key::GACT},       {"ADDA", Key::ADDA},
    {"ADDD", Key::ADDD},   {"AADE", Key::AADE},    {"AADF", Key::AADF},       {"AADG", Key::AADG},
    {"DATE", Key::DATE},   {"TIME", Key::TIME},    {"GDP!", Key::GDP},        {"GDC!", Key::GDC},
    {"GDT!", Key::GDT},    {"GDAT", Key::GDAT},    {"SDAT", Key::SDAT},       {"PAGE", Key::PAGE},
    {"TITLE", Key::TITLE}, {"VER", Key::VER},      {"PNAM", Key::PNAM},       {"NAME", Key::NAME},
    {"IDNM", Key::IDNM},   {"D101", Key::D101},    {"D102", Key::D102},       {"D103", Key::D103},
    {"D104", Key::D104},   {"D105", Key::D105},    {"D106", Key::D106},       {"AMT0", Key::AMT0},
    {"AMT1", Key::AMT1},   {"AMT2", Key::AMT2},    {"AMT3", Key::AMT3},       {"AMT4", Key::AMT4},
    {"ALT0", Key::ALT0},   {"ALT1", Key::ALT1},    {"ALT2", Key::ALT2},       {"ALT3", Key::ALT3},
    {"ALT4", Key::ALT4},   {"PPER", Key::PPER},    {"PPF1", Key::PPF1},       {"PPR1", Key::PPR1},
    {"PPR2", Key::PPR2},   {"DTE10", Key::DTE10},  {"DTE11", Key::DTE11},     {"DTE0", Key::DTE0},
    {"DTE1", Key::DTE1},   {"DTE2", Key::DTE2},    {"DTE3", Key::DTE3},       {"DTE4", Key::DTE4},
    {"DTE5", Key::DTE5},   {"DTE6", Key::DTE6},    {"DTE7", Key::DTE7},       {"DTE8", Key::DTE8},
    {"DTE9", Key::DTE9},   {"D+11", Key::DPLUS11}, {"DUED", Key::DUED},       {"A3AA", Key::A3AA},
    {"BASE", Key::BASE},   {"BAS1", Key::BAS1},    {"BAM0", Key::BAM0},       {"BAM1", Key::BAM1},
    {"BAM2", Key::BAM2},   {"TTAX", Key::TTAX},    {"TTSD", Key::TTSD},       {"PBCM", Key::PBCM},
    {"PARE", Key::PARE},   {"PBRD", Key::PBRD},    {"INTP", Key::INTP},       {"REDU", Key::REDU},
    {"PMAX", Key::PMAX},   {"PBIN", Key::PBIN},    {"PMIN", Key::PMIN},       {"MBAS", Key::MBAS},
    {"RED2", Key::RED2},   {"REAL", Key::REAL},    {"A30D", Key::A30D},       {"AADD", Key::AADD},
    {"TEND", Key::TEND},   {"TDES", Key::TDES},    {"TNAM", Key::TNAM},       {"PNA0", Key::PNA0},
    {"PNA1", Key::PNA1},   {"FRAU", Key::FRAU},    {"P2BA", Key::P2BA},       {"ESUM", Key::ESUM},
    {"SUMM", Key::SUMM},   {"M", Key::MonthsLate}, {"m", Key::MonthsCharged}, {"R", Key::Rate},
};

KeywordEntry MatchKeyword(std::string_view after) {
  for (const auto& entry : kKeywords) {
    if (after.substr(0, entry.text.size()) == entry.text) return entry;
  }
  return {std::string_view(), Key::Unknown};
}

std::string Printf1(const char* format, double value) {
  char buf[64];
  std::snprintf(buf, sizeof buf, format, value, '%');
  return buf;
}

}  // namespace

struct ReportWriter::FieldResult {
  enum Action { Value, Wrote, Drop } action = Value;
  std::string value;
  size_t keywordLength = 0;
  bool endsLine = false;  // the value ends the line whatever follows
  bool isVersion = false;
  bool isPage = false;
  bool isText = false;  // a name or a title: may be cut; any other value is a figure and never is
};

// Returns false when the keyword's field drops the line in the section of penalty slot. year and date
// are those of the problem's tax date; an unset tax date counts as later than every date.
bool ReportWriter::PenaltyLineKept(std::string_view after, int slot) const {
  std::string_view keyword4 = after.substr(0, 4);
  DayNumber date = IsDate(doc.TaxDate) ? doc.TaxDate : NO_DATE;
  int year = IsDate(date) ? YearOf(date) : 9999;
  const DayNumber sep0382 = MakeDate(9, 3, 82);
  const DayNumber jul1984 = MakeDate(7, 19, 84);
  const DayNumber oct1986 = MakeDate(10, 21, 86);
  if (keyword4 == "ALT1" && slot == 4) return date >= sep0382 && year <= 88;
  if ((keyword4 == "ALT1" || keyword4 == "ALT2" || keyword4 == "PPR1" || keyword4 == "DTE2") && slot == 3) {
    return year >= 81 && year <= 88;
  }
  if (keyword4 == "PPR1" && slot == 23) return year >= 90;
  if (keyword4 == "DTE1") {
    switch (slot) {
      case 7:
        return year >= 90;
      case 9:
        return date < jul1984;
      case 23:
        // Only the four-letter "DTE1" asks for the year as well; "DTE10" and "DTE11" do not.
        if (after.size() > 4 && (after[4] == '0' || after[4] == '1')) return date < jul1984;
        return date < jul1984 && year <= 83;
      case 4:
        return date >= sep0382 && year <= 88;
      case 10:
        return date <= oct1986;
      default:
        break;
    }
  }
  if (keyword4 == "DTE0" && slot == 4) return year >= 89;
  return true;
}

ReportWriter::FieldResult ReportWriter::FieldValue(std::string_view after, int slot) {
  FieldResult r;
  if (ReportField field; extraFields && extraFields(after, field)) {
    r.value = std::move(field.value);
    r.keywordLength = field.keywordLength;
    r.isText = field.isText;
    return r;
  }
  KeywordEntry entry = MatchKeyword(after);
  r.keywordLength = entry.text.size();
  const bool haveSlot = slot >= 0 && slot < kPenaltyRecords;
  const PenaltyRecord* rec = haveSlot ? &doc.m_penalties[static_cast<size_t>(slot)] : nullptr;
  const PenaltyResults& res = doc.m_penaltyResults;
  const size_t s = haveSlot ? static_cast<size_t>(slot) : 0;
  const ProblemHeader& header = doc.m_header;

  auto amount = [&](Amount v) { r.value = ReportAmount(v); };
  auto slotAmount = [&](const std::array<Amount, kPenaltyRecords>& a) {
    if (haveSlot) amount(a[s]);
  };
  auto date = [&](DayNumber d) { r.value = ReportDate(d); };
  auto slotDate = [&](int index) {
    if (rec) date(rec->m_dates[static_cast<size_t>(index)]);
  };
  auto yesNo = [&](bool yes) { r.value = std::string(StringText(yes ? kYesId : kNoId)); };
  auto wrote = [&]() { r.action = FieldResult::Wrote; };

  switch (entry.key) {
    case Key::JIM0:
    case Key::JIM1: {
      std::string name;
      if (haveSlot)
        name = entry.key == Key::JIM0 ? res.PenaltyHistoryTemplate[s] : res.PenaltyExplainTemplate[s];
      if (name.empty()) {
        r.action = FieldResult::Drop;
      } else {
        IncludeSubTemplate(name, slot);
        wrote();
      }
      break;
    }
    case Key::GACT:
      r.value = doc.m_compute.m_gattApplies ? "Yes" : "No";
      break;
    case Key::ADDA:
      slotAmount(res.PenaltyAssessedTotal);
      break;
    case Key::ADDD:
      if (haveSlot) date(res.PenaltyFirstDate[s]);
      break;
    case Key::AADE:
      r.value = header.m_hotStop ? "  Yes" : "   No";
      break;
    case Key::AADF:
      date(header.m_restartThirtyDayLetter);
      break;
    case Key::AADG:
      date(header.m_restartApplicableDate);
      break;
    case Key::DATE:
      if (options.includeDate) date(Today());
      break;
    case Key::TIME:
      if (options.includeTime) {
        ClockTime now = Now();
        int hour12 = now.hour % 12 == 0 ? 12 : now.hour % 12;
        r.value = StringPrintf("%02d:%02d%s", hour12, now.minute, now.hour < 12 ? "am" : "pm");
      }
      break;
    case Key::GDP:
      WriteGattPayments(*this);
      wrote();
      break;
    case Key::GDC:
      WriteGattChecks(*this);
      wrote();
      break;
    case Key::GDT:
      WriteGattTaxes(*this);
      wrote();
      break;
    case Key::GDAT:
      date(gattStart.date);
      break;
    case Key::SDAT:
      date(doc.TaxDate);
      break;
    case Key::PAGE:
      r.value = StringPrintf("Page %d", pageCount);
      r.isPage = true;
      break;
    case Key::TITLE:
      r.value = reportTitle;
      r.isText = true;
      break;
    case Key::VER:
      r.value = StringPrintfDynamic(std::string(StringText(kVersionTextId)).c_str(), kVersionText);
      r.isVersion = true;
      break;
    case Key::PNAM:
      if (haveSlot) r.value = std::string(StringText(kPenaltyNameBaseId + slot));
      r.isText = true;
      break;
    case Key::NAME:
      r.value = header.m_taxpayerName.Text();
      r.isText = true;
      break;
    case Key::IDNM:
      r.value = header.m_taxpayerId.Text();
      r.isText = true;
      break;
    case Key::D101:
    case Key::D102:
    case Key::D103:
    case Key::D104:
    case Key::D105:
    case Key::D106: {
      if (!rec) break;
      int k = static_cast<int>(entry.key) - static_cast<int>(Key::D101) + 1;
      int index = k <= 4 ? (slot == 2 ? k - 1 : k) : (k == 5 ? 7 : 10);
      if (IsDate(rec->m_dates[static_cast<size_t>(index)])) {
        bool tenDays = (rec->m_graceBits >> (k - 1)) & 1;
        r.value = std::string(StringText(tenDays ? kTenDaysId : kTwentyOneDaysId));
      }
      break;
    }
    case Key::AMT0:
    case Key::AMT1:
    case Key::AMT2:
    case Key::AMT3:
    case Key::AMT4:
      if (rec)
        amount(
            rec->m_amounts[static_cast<size_t>(static_cast<int>(entry.key) - static_cast<int>(Key::AMT0))]);
      break;
    case Key::ALT0:
    case Key::ALT1:
    case Key::ALT2:
    case Key::ALT3:
    case Key::ALT4:
      if (rec)
        r.value = BareAmount(
            rec->m_amounts[static_cast<size_t>(static_cast<int>(entry.key) - static_cast<int>(Key::ALT0))]);
      break;
    case Key::PPER:
      if (rec) r.value = Printf1("%1.0lf%c", rec->m_rate);
      break;
    case Key::PPF1:
      if (rec) yesNo((rec->m_flags >> 5) & 1);
      break;
    case Key::PPR1:
      if (rec) yesNo((rec->m_flags >> 1) & 1);
      break;
    case Key::PPR2:
      if (rec) yesNo(!((rec->m_flags >> 3) & 1));
      break;
    case Key::DTE10:
      slotDate(10);
      break;
    case Key::DTE11:
      slotDate(11);
      break;
    case Key::DTE0:
    case Key::DTE1:
    case Key::DTE2:
    case Key::DTE3:
    case Key::DTE4:
    case Key::DTE5:
    case Key::DTE6:
    case Key::DTE7:
    case Key::DTE8:
    case Key::DTE9:
      slotDate(static_cast<int>(entry.key) - static_cast<int>(Key::DTE0));
      break;
    case Key::DPLUS11:
      if (rec && IsDate(rec->m_dates[0])) date(AddDays(rec->m_dates[0], 11));
      break;
    case Key::DUED:
      date(doc.m_computeDate);
      break;
    case Key::A3AA:
      if (rec) {
        Amount sum = 0.0;
        for (double a : rec->m_amounts) sum += a;
        amount(sum);
      }
      break;
    case Key::BASE:
      slotAmount(res.PenaltyBase);
      break;
    case Key::BAS1:
      if (haveSlot) {
        DayNumber from = IsDate(rec->m_dates[0]) ? rec->m_dates[0] : doc.TaxDate;
        Amount paid =
            IsDate(from) && IsDate(doc.m_computeDate)
                ? computation.PaymentsInPeriod(doc, -1, AddDays(from, 1), AddDays(doc.m_computeDate, 2))
                : 0.0;
        Amount left = res.PenaltyBase[s] - paid;
        amount(left < 0.0 ? 0.0 : left);
      }
      break;
    case Key::BAM0:
    case Key::BAM1:
    case Key::BAM2:
      amount(computation.NegligenceAmounts(
          doc)[static_cast<size_t>(static_cast<int>(entry.key) - static_cast<int>(Key::BAM0))]);
      break;
    case Key::TTAX:
      amount(doc.SumTax(doc.TaxDate) + doc.SumDebits(doc.TaxDate) - doc.SumPayments(doc.TaxDate));
      break;
    case Key::TTSD:
      amount(doc.TotalTax - doc.PaymentsBeforeTaxDate());
      break;
    case Key::PBCM:
      if (haveSlot) {
        Amount v = res.PenaltyComponent[s] + res.PenaltyGross[s] - res.PenaltyOverlap[s];
        amount(v < 0.0 ? 0.0 : v);
      }
      break;
    case Key::PARE:
      if (haveSlot) {
        Amount v = res.PenaltyComponent[s] + res.PenaltyGross[s];
        amount(res.PenaltyCap[s] < v ? res.PenaltyCap[s] : v);
      }
      break;
    case Key::PBRD:
      if (haveSlot) amount(res.PenaltyComponent[s] + res.PenaltyGross[s]);
      break;
    case Key::INTP:
      slotAmount(res.PenaltyComponent);
      break;
    case Key::REDU:
      slotAmount(res.PenaltyOverlap);
      break;
    case Key::PMAX:
      slotAmount(res.PenaltyCap);
      break;
    case Key::PBIN:
      slotAmount(res.PenaltyGross);
      break;
    case Key::PMIN:
      slotAmount(res.PenaltyMinimum);
      break;
    case Key::MBAS:
      slotAmount(res.PenaltyFullBase);
      break;
    case Key::RED2:
      slotAmount(res.PenaltyCapRemaining);
      break;
    case Key::REAL:
      slotAmount(res.PenaltyAmount);
      break;
    case Key::A30D:
      date(header.m_thirtyDayLetter);
      break;
    case Key::AADD:
      date(header.m_applicableDate);
      break;
    case Key::TEND:
      date(doc.m_rateTable.endDate);
      break;
    case Key::TDES:
      r.value = doc.m_rateTable.description;
      r.isText = true;
      break;
    case Key::TNAM:
      r.value = doc.m_rateTable.name;
      r.isText = true;
      break;
    case Key::PNA0:
    case Key::PNA1:
      if (computation.AccuracyStacking(doc)) {
        r.value = entry.key == Key::PNA0 ? kAccuracyCaution0 : kAccuracyCaution1;
      } else {
        r.value = "     ";
      }
      r.endsLine = true;
      break;
    case Key::FRAU: {
      const bool before1990 = IsDate(doc.TaxDate) && doc.TaxDate < MakeDate(1, 1, 90);
      const PenaltyRecord& fraud = doc.m_penalties[before1990 ? 4 : 16];
      amount(fraud.IsActive() ? fraud.m_amounts[0] : 0.0);
      break;
    }
    case Key::P2BA:
      amount(doc.m_penalties[1].IsActive() ? res.PenaltyBase[1] : 0.0);
      break;
    case Key::ESUM:
      if (slot == 1 || slot == 2) WriteFailureToPayHistory(*this, slot);
      wrote();
      break;
    case Key::SUMM:
      WriteSummary(*this);
      wrote();
      break;
    case Key::MonthsLate:
      if (rec) r.value = Printf1("%2.0lf", rec->m_amounts[1]);
      break;
    case Key::MonthsCharged:
      if (rec) r.value = std::to_string(rec->m_monthsCharged);
      break;
    case Key::Rate:
      if (rec) r.value = Printf1("%2.0lf %c", rec->m_rate);
      break;
    case Key::Unknown:
      break;
  }
  return r;
}

bool ReportWriter::IncludeSubTemplate(const std::string& name, int slot) {
  if (includeDepth_ >= kMaxIncludeDepth) return false;
  ReportTemplate sub;
  if (!LoadTemplate(sub, name)) return false;
  ++includeDepth_;
  for (int i = 0; i < sub.count; ++i) FillTemplateLine(sub.lines[static_cast<size_t>(i)], slot, true);
  --includeDepth_;
  return true;
}

bool ReportWriter::FillTemplateLine(std::string line, int slot, bool breakAllowed) {
  size_t from = 0;
  for (;;) {
    size_t m = line.find(kFieldMarker, from);
    if (m == std::string::npos) return WriteReportLine(line, breakAllowed);
    const bool further = line.find(kFieldMarker, m + 1) != std::string::npos;
    std::string_view after = std::string_view(line).substr(m + 1);
    if (slot >= 0 && !PenaltyLineKept(after, slot)) return false;

    FieldResult f = FieldValue(after, slot);
    if (f.action != FieldResult::Value) return false;

    if (f.isVersion) {
      // Blank the marker and "VER"; the text ends in the marker's column.
      size_t blankEnd = std::min(line.size(), m + 4);
      for (size_t i = m; i < blankEnd; ++i) line[i] = ' ';
      size_t start = f.value.size() > m + 1 ? 0 : m + 1 - f.value.size();
      std::string_view text = f.value;
      if (f.value.size() > m + 1) text = text.substr(f.value.size() - (m + 1));
      PutAt(line, start, text);
      from = blankEnd;
      continue;
    }

    // From page 10 on the page number needs one column more, taken on the left.
    size_t at = f.isPage && pageCount >= 10 && m > 0 ? m - 1 : m;
    if (further && !f.endsLine) {
      // A value never reaches the next field's marker, which would leave that field's keyword letters
      // in the line and push its value out: a name or title is cut to leave a blank before it, a
      // figure, which must not show other digits, fills its room with "*".
      const size_t next = line.find(kFieldMarker, m + 1);
      const size_t room = next > at ? next - at : 0;
      if (f.value.size() >= room) {
        const size_t keep = room > 0 ? room - 1 : 0;
        f.value = f.isText ? f.value.substr(0, keep) : std::string(keep, '*');
      }
      // The minimum width blanks the marker and its keyword letters when the value is short.
      size_t minWidth = f.keywordLength == 1 ? 2 : std::max<size_t>(5, f.keywordLength + 1);
      size_t rest = line.size() - at;
      if (rest < f.value.size()) {
        line.resize(at);
        line += f.value;
      } else {
        line.replace(at, f.value.size(), f.value);
      }
      size_t end = at + f.value.size();
      if (f.value.size() < minWidth) {
        end = at + minWidth;
        if (line.size() < end) line.resize(end, ' ');
        for (size_t i = at + f.value.size(); i < end; ++i) line[i] = ' ';
      }
      from = end;
    } else {
      line.resize(at);
      line += f.value;
      from = line.size();
    }
  }
}

}  // namespace zarvic
