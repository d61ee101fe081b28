// The interest computation detail (with and without factors), the monthly accrual report and the GATT
// lists.

#include <cmath>
#include <cstdio>
#include <string>

#include "core/AppOptions.h"
#include "core/StringTable.h"
#include "core/Text.h"
#include "problem/CTDoc.h"
#include "reports/ReportTemplate.h"
#include "reports/Reports.h"

namespace zarvic {
namespace {

constexpr char kWithFactorsTemplate[] = "INTHEAD1.DM";
constexpr char kWithoutFactorsTemplate[] = "INTHEAD2.DM";
constexpr char kWarningTemplate[] = "INTWARN.DM";
constexpr char kMonthlyTemplate[] = "REPMON.DM";
constexpr int kNodeLabelBaseId = 18545;
constexpr int kGrandTotalsId = 19205;
constexpr int kYearTotalsId = 19206;
constexpr char kModeLetters[] = "OSDMFM";

bool Compounding(int mode) {
  return mode == kModeDaily || mode == kModeMonthly || mode == kModeMonthlyWhole;
}

std::string Rate(double rate) {
  std::string text = StringPrintf("%2.2lf", rate);
  RightJustify(text, 5);
  return text;
}

std::string TrimRight(std::string line) {
  while (!line.empty() && line.back() == ' ') line.pop_back();
  return line;
}

// Columns of the two forms of the interest lines.
struct Columns {
  size_t date, rate, principal, interest, total;
};
constexpr Columns kWithFactors{12, 32, 50, 65, 0};
constexpr Columns kWithoutFactors{21, 30, 36, 50, 65};

class InterestListWriter {
 public:
  InterestListWriter(ReportWriter& w, bool withFactors)
      : w_(w), withFactors_(withFactors), cols_(withFactors ? kWithFactors : kWithoutFactors) {}

  void WriteList(const ComputeResults* head, int section) {
    bool first = true;
    bool gattStarted = false;
    int index = 0;
    for (const ComputeResults* n = head; n != nullptr; n = n->m_next, ++index) {
      if (index > 0) {
        if (!gattStarted && n->m_gattInterest < -0.005 && n->m_normalRate != n->m_gattRate) {
          w_.gattStart = {n->m_start, n->m_gattPrincipal + n->m_normalPrincipal, n->m_gattPrincipal,
                          n->m_normalPrincipal};
          w_.WriteBlankLine();
          w_.WriteReportLine(
              StringPrintf("GATT Starts %s       Refund on start date.: %s", ReportDate(n->m_start).c_str(),
                           ReportAmount(w_.gattStart.refund).c_str()),
              true);
          w_.WriteBlankLine();
          gattStarted = true;
        }
        std::string line;
        if (PeriodLine(*n, true, gattStarted, line)) w_.WriteReportLine(line, true);
        if (PeriodLine(*n, false, gattStarted, line)) {
          if (n->m_next == nullptr) w_.ClearColumnHeadings();
          w_.WriteReportLine(line, true);
        }
      }
      if (n->m_kind < 100) {
        std::string line;
        if (EventLine(*n, section, first, line)) {
          if (n->m_next == nullptr) w_.ClearColumnHeadings();
          w_.WriteReportLine(line, true);
        }
        first = false;
      }
    }
    w_.ClearColumnHeadings();
    w_.WriteBlankLine();
    w_.WriteBlankLine();
  }

  void ResetRunningTotal() { running_ = 0.0; }

 private:
  bool PeriodLine(const ComputeResults& n, bool gattPart, bool gattStarted, std::string& line) {
    if (!withFactors_ && Compounding(n.m_mode)) running_ = 0.0;
    if (n.m_start == n.m_end) return false;
    const bool diagnostic = w_.computation.GattDiagnostic();
    if (!diagnostic) {
      if (gattPart) {
        if (n.m_gattRate == n.m_normalRate || (n.m_gattInterest > -0.1 && n.m_gattInterest < 0.1))
          return false;
      } else if (n.m_normalInterest == 0.0 && n.m_gattRate != n.m_normalRate && n.m_gattInterest != 0.0) {
        return false;
      }
    }
    const char* label = n.m_normalInterest > 0.0 ? (n.m_hot ? "Hot Interest" : "Interest")
                        : gattPart               ? "GATT Rate"
                        : gattStarted            ? "High Rate"
                                                 : "Interest";
    line.assign(80, ' ');
    PutAt(line, 0, Label(label));
    PutAt(line, cols_.date, ReportDate(n.m_end));
    const double rate = gattPart ? n.m_gattRate : n.m_normalRate;
    if (withFactors_) {
      if (n.m_days != 0) PutAt(line, 24, StringPrintf("%5d", n.m_days));
      if (n.m_years != 0) PutAt(line, 21, StringPrintf("%2d", n.m_years));
      if (n.m_months != 0) PutAt(line, 24, StringPrintf("%2d", n.m_months));
      if (n.m_mode >= 0 && n.m_mode < 6) PutAt(line, 30, std::string(1, kModeLetters[n.m_mode]));
      if (n.m_years != 0 || n.m_months != 0 || n.m_days != 0) {
        if (n.m_normalFactor < -10.0 || n.m_normalFactor > 75.0) return false;
        PutAt(line, cols_.rate, Rate(rate));
        PutAt(line, 38, StringPrintf("%1.9lf", gattPart ? n.m_gattFactor : n.m_normalFactor));
      }
    } else {
      PutAt(line, cols_.rate, Rate(rate));
    }

    double p = gattPart ? n.m_gattPrincipal : n.m_normalPrincipal;
    double i = gattPart ? n.m_gattInterest : n.m_normalInterest;
    if (n.m_gattRate == n.m_normalRate) {
      if (diagnostic) {
        const double sign = gattPart ? 1.0 : -1.0;
        p += sign * (n.m_gattPrincipal + n.m_principalWas);
        i += sign * (n.m_gattInterest + n.m_interestWas);
      } else if (!gattPart) {
        p += n.m_gattPrincipal;
        i += n.m_gattInterest;
      }
    }
    if (std::fabs(p) > 0.009) PutAt(line, cols_.principal, ReportAmount(p));
    if (std::fabs(i) > 0.009) PutAt(line, cols_.interest, ReportAmount(i));
    if (!withFactors_) {
      line.resize(cols_.total);
      line += ReportAmount(running_ + i + p);
      if (!Compounding(n.m_mode)) running_ += i;
    }
    line = TrimRight(line);
    return true;
  }

  // A label is cut one short of the date column, so that a blank stays between them ("Hot Interest"
  // ran into the date with factors).
  std::string_view Label(std::string_view text) const { return text.substr(0, cols_.date - 1); }

  bool EventLine(const ComputeResults& n, int section, bool first, std::string& line) {
    const CTDoc& doc = w_.doc;
    const CEvent* event =
        n.m_event >= 0 && n.m_event < kMaxEvents ? &doc.m_events[static_cast<size_t>(n.m_event)] : nullptr;
    std::string text;
    if (event == nullptr || (!withFactors_ && n.m_kind > 10)) {
      text = std::string(StringText(kNodeLabelBaseId + n.m_kind));
    } else if (Options().useDescriptions && !event->DescriptionText().empty()) {
      // Cut one short of the date column so that a blank stays between them.
      text = event->DescriptionText().substr(0, withFactors_ ? 11 : 20);
    } else {
      text = EventReportLabel(event->m_type);
    }
    if (text.empty()) return false;

    line.assign(80, ' ');
    PutAt(line, 0, Label(text));
    PutAt(line, cols_.date, ReportDate(n.m_end));
    if (n.m_kind == kEventStopInterest || n.m_kind == kEventStartInterest || n.m_kind == kKindHotStart ||
        n.m_kind == kKindHotStop) {
      line = TrimRight(line.substr(0, cols_.date + 8));
      return true;
    }

    double shown = 0.0;
    if (event != nullptr && LowersBalance(event->m_type)) {
      const AllocationRecord* alloc = event->m_allocation.get();
      if (section == 2 && !withFactors_) {
        shown = -n.m_penaltyPayment;
      } else if (alloc != nullptr) {
        const auto& p = alloc->m_payment;
        if (section == 0) {
          shown = -(p[0] + p[1]);
        } else if (section == 1) {
          shown = -(p[2] + p[3]);
        } else {
          for (size_t c = 4; c < p.size(); ++c) shown -= p[c];
        }
      }
    } else {
      shown = n.m_kind <= 10 && event != nullptr ? event->m_amount : n.m_amount;
      if (withFactors_) {
        if (shown > -0.9 && shown < 0.9) shown = 0.0;
        if (!Compounding(n.m_mode)) shown = n.m_balance;
      }
    }
    if (std::fabs(shown) > 0.009) PutAt(line, cols_.principal, ReportAmount(shown));

    if (!withFactors_) {
      const ComputeResults* successor = n.m_next;
      double balance;
      if (successor != nullptr) {
        balance = successor->m_gattPrincipal + successor->m_normalPrincipal + running_;
      } else {
        balance = section == 2 ? 2.0 * n.m_penaltyPayment + running_ + n.m_normalPrincipal
                               : running_ + n.m_normalPrincipal + shown + n.m_gattPrincipal;
        if (Compounding(n.m_mode)) {
          balance += n.m_normalInterest + n.m_gattInterest;
          running_ = 0.0;
        }
      }
      const ComputeResults& governing = successor != nullptr ? *successor : n;
      if (!Compounding(governing.m_mode) && !first) balance = governing.m_balance;
      if (Compounding(governing.m_mode)) running_ = 0.0;
      line.resize(cols_.total);
      line += ReportAmount(balance);
    }
    line = TrimRight(line);
    return true;
  }

  ReportWriter& w_;
  bool withFactors_;
  Columns cols_;
  double running_ = 0.0;
};

std::string AccrualAmount(Amount cents) {
  std::string text = FormatAmount(cents, true, false, false);
  if (text.size() > kAmountWidth) return std::string(kAmountWidth, '*');  // never other digits
  RightJustify(text, kAmountWidth);
  return text;
}

// One row of the monthly accrual report from the row pattern: label, interest, penalty interest,
// refund interest and their sum at the pattern's first five "#".
std::string AccrualRow(const std::string& pattern, const std::string& label, Amount interest, Amount penalty,
                       Amount refund) {
  std::vector<size_t> marks;
  for (size_t i = 0; i < pattern.size() && marks.size() < 5; ++i) {
    if (pattern[i] == '#') marks.push_back(i);
  }
  std::string row = pattern;
  for (char& c : row) {
    if (c == '#') c = ' ';
  }
  const Amount values[] = {interest, penalty, refund};
  if (!marks.empty()) PutAt(row, marks[0], label);
  for (size_t k = 0; k < 3 && k + 1 < marks.size(); ++k) PutAt(row, marks[k + 1], AccrualAmount(values[k]));
  if (marks.size() == 5) {
    row.resize(marks[4]);
    row += AccrualAmount(interest + penalty + refund);
  }
  return TrimRight(row);
}

bool AllZero(Amount a, Amount b, Amount c) {
  return a == 0.0 && b == 0.0 && c == 0.0;
}

}  // namespace

int WriteInterestDetail(ReportWriter& w, bool withFactors) {
  w.gattStart = GattStartValues{};
  ReportTemplate templ;
  if (!LoadTemplate(templ, withFactors ? kWithFactorsTemplate : kWithoutFactorsTemplate)) return 0;
  const int pagesBefore = w.pageCount;
  if (withFactors) {
    w.reportTitle = "INTEREST COMPUTATION DETAIL REPORT";
    w.StartReportPage();
    w.WritePageHeader();
  } else {
    w.WriteBlankLine();
  }

  CTDoc& doc = w.doc;
  const ComputeResultList* lists[] = {&doc.m_normalList, &doc.m_motivatedList, &doc.m_penaltyList};
  const int linesPerSection = withFactors ? 3 : 4;
  InterestListWriter writer(w, withFactors);
  for (int k = 0; k < 3; ++k) {
    if (lists[k]->Empty()) continue;
    writer.ResetRunningTotal();
    std::vector<std::string> headings;
    for (int i = 0; i < linesPerSection; ++i) headings.push_back(templ.Line(k * linesPerSection + i));
    if (w.lineOnPage > w.linesPerPage - 10) {
      w.SetColumnHeadings(headings);
      w.StartReportPage();
      w.WritePageHeader();
    }
    w.SetColumnHeadings(headings);
    for (const auto& heading : headings) w.FillTemplateLine(heading, 0, true);
    writer.WriteList(lists[k]->First(), k);
  }
  w.ClearColumnHeadings();
  WriteSummary(w);

  if (w.computation.PenaltyWhileRefund(doc)) {
    ReportTemplate warning;
    if (LoadTemplate(warning, kWarningTemplate)) {
      for (int i = 0; i < warning.count; ++i) w.WriteReportLine(warning.lines[static_cast<size_t>(i)], true);
    }
  }
  if (doc.m_header.m_hotInterest != 0 && !w.hotInterestSectionWritten) {
    w.hotInterestSectionWritten = true;
    WritePenaltySection(w, kHotInterestSlot);
  }
  return w.pageCount - pagesBefore + (withFactors ? 0 : 1);
}

bool WriteMonthlyAccrual(ReportWriter& w) {
  CTDoc& doc = w.doc;
  const DayNumber computeDate = doc.m_computeDate;
  w.computation.RunComputation(doc, computeDate, true);
  w.StartReportPage();
  w.reportTitle = "MONTHLY ACCRUAL REPORT";
  w.WritePageHeader();

  ReportTemplate templ;
  if (!LoadTemplate(templ, kMonthlyTemplate)) return false;
  std::vector<std::string> headings;
  std::string pattern;
  for (int i = 0; i < templ.count; ++i) {
    const std::string& line = templ.lines[static_cast<size_t>(i)];
    if (!line.empty() && line[0] == '#') {
      pattern = line;
      break;
    }
    headings.push_back(line);
  }
  for (const auto& heading : headings) w.FillTemplateLine(heading, -1, true);
  w.SetColumnHeadings(headings);

  const ComputeResultList* lists[] = {&doc.m_normalList, &doc.m_motivatedList, &doc.m_penaltyList};
  DayNumber firstEnd = NO_DATE;
  for (const auto* list : lists) {
    if (!list->Empty() && IsDate(list->First()->m_end) && list->First()->m_end < firstEnd) {
      firstEnd = list->First()->m_end;
    }
  }

  Amount yearInterest = 0.0, yearPenalty = 0.0, yearRefund = 0.0;
  Amount grandInterest = 0.0, grandPenalty = 0.0, grandRefund = 0.0;
  auto closeYear = [&](int year) {
    w.WriteReportLine(
        AccrualRow(pattern, StringPrintfDynamic(std::string(StringText(kYearTotalsId)).c_str(), year),
                   yearInterest, yearPenalty, yearRefund),
        true);
    w.WriteReportLine(" ", true);
    grandInterest += yearInterest;
    grandPenalty += yearPenalty;
    grandRefund += yearRefund;
    yearInterest = yearPenalty = yearRefund = 0.0;
  };

  if (IsDate(firstEnd) && IsDate(computeDate)) {
    const ComputeResults* cursor[3] = {lists[0]->First(), lists[1]->First(), lists[2]->First()};
    DayNumber monthEnd = firstEnd;
    EndOfMonth(monthEnd);
    DayNumber lastMonthEnd = computeDate;
    EndOfMonth(lastMonthEnd);
    int lastYearEnd = -1;
    int lastMonthYear = 0;
    while (IsDate(monthEnd) && monthEnd <= lastMonthEnd) {
      Amount taxSum = 0.0, motivated = 0.0, penalty = 0.0;
      Amount* sums[3] = {&taxSum, &motivated, &penalty};
      for (int k = 0; k < 3; ++k) {
        // Nodes are in date order; everything up to this month end belongs to this month or earlier.
        while (cursor[k] != nullptr && cursor[k]->m_end <= monthEnd) {
          *sums[k] += cursor[k]->m_normalInterest + cursor[k]->m_gattInterest;
          cursor[k] = cursor[k]->m_next;
        }
      }
      const Amount interest = (taxSum > 0.0 ? taxSum : 0.0) + motivated;
      const Amount refund = taxSum < 0.0 ? taxSum : 0.0;
      const DayNumber rowDate = monthEnd > computeDate ? computeDate : monthEnd;
      w.WriteReportLine(AccrualRow(pattern, ReportDate(rowDate), interest, penalty, refund), true);
      yearInterest += interest;
      yearPenalty += penalty;
      yearRefund += refund;
      lastMonthYear = 1900 + YearOf(monthEnd);
      if (MonthOf(monthEnd) == w.options.fiscalYearEnd + 1) {
        closeYear(lastMonthYear);
        lastYearEnd = lastMonthYear;
      }
      monthEnd = AddDays(monthEnd, 1);
      EndOfMonth(monthEnd);
    }
    if (!AllZero(yearInterest, yearPenalty, yearRefund))
      closeYear(lastYearEnd >= 0 ? lastYearEnd + 1 : lastMonthYear);
  }

  w.computation.RunComputation(doc, computeDate, false);
  const ReportTotals t = w.computation.Totals(doc);
  const Amount driverInterest = t.normalInterest + t.motivatedInterest;
  const Amount driverPenalty = t.penaltyInterest;
  const Amount driverRefund = t.refundInterest + t.gattInterest;
  auto differs = [](Amount a, Amount b) { return std::fabs(a - b) > 0.005; };
  if (differs(driverInterest, grandInterest) || differs(driverPenalty, grandPenalty) ||
      differs(driverRefund, grandRefund)) {
    w.WriteReportLine(AccrualRow(pattern, "Rounding adjustment", driverInterest - grandInterest,
                                 driverPenalty - grandPenalty, driverRefund - grandRefund),
                      true);
  }
  w.WriteReportLine(AccrualRow(pattern, std::string(StringText(kGrandTotalsId)), driverInterest,
                               driverPenalty, driverRefund),
                    false);
  w.WriteReportLine(" ", false);
  w.WriteReportLine(" ", false);
  w.ClearColumnHeadings();
  WriteSummary(w);
  return true;
}

void WriteGattPayments(ReportWriter& w) {
  const DayNumber start = w.gattStart.date;
  if (!IsDate(start)) return;
  for (const CEvent& e : w.doc.ListedEvents()) {
    if ((e.m_type == kEventPayment || e.m_type == kEventCredit) && e.m_date <= start) {
      w.WriteReportLine(StringPrintf("        Payment on %s.......................:  %s",
                                     ReportDate(e.m_date).c_str(), ReportAmount(e.m_amount).c_str()),
                        true);
    }
  }
}

void WriteGattChecks(ReportWriter& w) {
  const DayNumber start = w.gattStart.date;
  if (!IsDate(start)) return;
  for (const CEvent& e : w.doc.ListedEvents()) {
    if (e.m_type == kEventIrsCheck && e.m_date <= start) {
      w.WriteReportLine(StringPrintf("        Principal in Check from IRS %s......:  %s",
                                     ReportDate(e.m_date).c_str(), ReportAmount(e.m_gattAmount).c_str()),
                        true);
    }
  }
}

void WriteGattTaxes(ReportWriter& w) {
  const DayNumber start = w.gattStart.date;
  if (!IsDate(start)) return;
  for (const CEvent& e : w.doc.ListedEvents()) {
    if (e.m_date > start) break;
    if (e.m_type == kEventTax || e.m_type == kEventMotivatedTax || e.m_type == kEventDebit) {
      w.WriteReportLine(StringPrintf("        Tax on %s...........................:  %s",
                                     ReportDate(e.m_date).c_str(), ReportAmount(e.m_amount).c_str()),
                        true);
    }
  }
}

}  // namespace zarvic
