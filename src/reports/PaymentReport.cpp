// The payment allocation detail report and the interest rate table listing.

#include <string>
#include <vector>

#include "core/StringTable.h"
#include "core/Text.h"
#include "core/UserInterface.h"
#include "problem/CTDoc.h"
#include "reports/ReportTemplate.h"
#include "reports/Reports.h"

namespace zarvic {
namespace {

constexpr char kPaymentTemplate[] = "PAYREP.DM";
constexpr char kRateTableTemplate[] = "RATEREP.DM";
constexpr int kNoPaymentsMessage = 19202;
constexpr int kTaxLabelId = 18549;
constexpr int kTaxOrCheckLabelId = 18550;
constexpr int kUnallocatedDepositId = 19126;

// Markers of the allocation line: label, payment or credit amount, deposit amount, the event's total.
constexpr size_t kLabelColumn = 10;
constexpr size_t kPaymentColumn = 35;
constexpr size_t kDepositColumn = 50;
constexpr size_t kTotalColumn = 65;

std::string AllocationLine(DayNumber date, const std::string& label, const std::string& payment,
                           const std::string& deposit, const std::string& total) {
  std::string line(kTotalColumn, ' ');
  if (IsDate(date)) PutAt(line, 0, ReportDate(date));
  PutAt(line, kLabelColumn, label);
  PutAt(line, kPaymentColumn, payment);
  PutAt(line, kDepositColumn, deposit);
  line.resize(kTotalColumn);
  line += total;
  while (!line.empty() && line.back() == ' ') line.pop_back();
  return line;
}

std::string AllocationLabel(const CTDoc& doc, int k) {
  if (k == 0) return std::string(StringText(doc.HasIrsCheck() ? kTaxOrCheckLabelId : kTaxLabelId));
  return std::string(StringText(kTaxOrCheckLabelId + k));
}

const char* MethodName(int mode) {
  switch (mode) {
    case kModeOldIrs:
      return "Old IRS Method";
    case kModeSimple:
      return "Simple";
    case kModeDaily:
      return "Daily";
    case kModeMonthly:
      return "Monthly (+ days)";
    case kModeFactorSum:
      return "Sum of Factors";
    case kModeMonthlyWhole:
      return "Monthly (wh mnths)";
    default:
      return "Unknown method";
  }
}

}  // namespace

bool WritePaymentAllocation(ReportWriter& w) {
  const CTDoc& doc = w.doc;
  if (!doc.HasPayment()) {
    MessageBoxId(kNoPaymentsMessage);
    return false;
  }
  w.reportTitle = "PAYMENT ALLOCATION DETAIL REPORT";
  w.StartReportPage();
  w.WritePageHeader();
  ReportTemplate templ;
  if (!LoadTemplate(templ, kPaymentTemplate)) return false;
  std::vector<std::string> headings(templ.lines.begin(), templ.lines.begin() + templ.count);
  for (const auto& heading : headings) w.FillTemplateLine(heading, -1, true);
  w.SetColumnHeadings(headings);

  Amount paymentTotal = 0.0;
  Amount depositTotal = 0.0;
  for (const CEvent& event : doc.ListedEvents()) {
    if (!LowersBalance(event.m_type)) continue;
    const bool deposit = event.m_type == kEventDeposit;
    (deposit ? depositTotal : paymentTotal) += event.m_amount;
    if (!event.m_allocation) continue;
    const auto& applied = event.m_allocation->m_payment;
    int n = 0;
    for (double a : applied) n += a > 0.0 ? 1 : 0;
    Amount sum = 0.0;
    for (int k = 0, line = 0; k < kAllocationCategories; ++k) {
      const Amount a = applied[static_cast<size_t>(k)];
      if (!(a > 0.0)) continue;
      ++line;
      sum += a;
      std::string total;
      // The last line carries the event's amount, unless a deposit is left partly unallocated.
      if (line == n && !(deposit && sum != event.m_amount)) total = ReportAmount(event.m_amount);
      w.WriteReportLine(
          AllocationLine(line == 1 ? event.m_date : NO_DATE, AllocationLabel(doc, k),
                         deposit ? std::string() : ReportAmount(a), deposit ? ReportAmount(a) : "", total),
          true);
    }
    if (deposit && sum != event.m_amount) {
      // The remainder stands in the deposit column, so that the column adds up to the deposit beside it.
      w.WriteReportLine(
          AllocationLine(n == 0 ? event.m_date : NO_DATE, std::string(StringText(kUnallocatedDepositId)), "",
                         ReportAmount(event.m_amount - sum), ReportAmount(event.m_amount)),
          true);
    }
    w.WriteBlankLine();
  }
  w.WriteReportLine(AllocationLine(NO_DATE, "Totals", ReportAmount(paymentTotal), ReportAmount(depositTotal),
                                   ReportAmount(paymentTotal + depositTotal)),
                    true);
  w.ClearColumnHeadings();
  for (int i = 0; i < 4; ++i) w.WriteBlankLine();
  WriteSummary(w);
  return true;
}

int WriteRateTableListing(ReportWriter& w) {
  w.reportTitle = "INTEREST RATE TABLE LISTING";
  w.StartReportPage();
  ReportTemplate templ;
  if (!LoadTemplate(templ, kRateTableTemplate)) return -1;
  std::vector<std::string> headings(templ.lines.begin(), templ.lines.begin() + templ.count);
  w.SetColumnHeadings(headings);
  for (const auto& heading : headings) w.FillTemplateLine(heading, -1, true);

  const RateTable& table = w.doc.m_rateTable;
  const int count = std::min<int>(table.lineCount, kMaxRateLines);
  w.noPageHeader = true;
  for (int i = 0; i < count; ++i) {
    const RateLine& r = table.lines[static_cast<size_t>(i)];
    std::string line(80, ' ');
    PutAt(line, 0, ReportDate(r.start));
    PutAt(line, 13, MethodName(r.mode));
    auto rate = [](double v) {
      std::string text = StringPrintf("%2.2lf", v);
      RightJustify(text, 5);
      return text;
    };
    PutAt(line, 34, rate(r.normalRate));
    PutAt(line, 46, rate(r.motivatedRate));
    PutAt(line, 57, rate(r.refundRate));
    PutAt(line, 65,
          r.daysPerYear == 365 || r.daysPerYear == 366
              ? std::to_string(r.daysPerYear)
              : StringPrintf("%.2f", DaysPerYearValue(r.daysPerYear)));
    while (!line.empty() && line.back() == ' ') line.pop_back();
    w.WriteReportLine(line, true);
  }
  w.noPageHeader = false;
  w.ClearColumnHeadings();
  return count;
}

}  // namespace zarvic
