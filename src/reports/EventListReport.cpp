// The event list (detail and summary forms) and the summary table.

#include <array>
#include <string>

#include "core/AppOptions.h"
#include "core/StringTable.h"
#include "problem/CTDoc.h"
#include "reports/ReportTemplate.h"
#include "reports/Reports.h"

namespace zarvic {
namespace {

constexpr char kEventTextsTemplate[] = "REPSUM22.DM";
constexpr char kEventHeadingsTemplate[] = "REPMS.DM";
constexpr char kSummaryTemplate[] = "REPSUM.DM";
constexpr int kClosingLinesStart = 11;
constexpr int kLargeCorpId = 18599;
constexpr int kTableUserId = 21000;
constexpr int kTableVendorId = 21001;

// Columns of the event line.
constexpr size_t kPatternColumn = 39;
constexpr size_t kDateColumn = 41;
constexpr size_t kAmountColumn = 50;
constexpr size_t kBalanceColumn = 65;
constexpr size_t kEventLineWidth = 79;
constexpr char kEventPattern[] = "  \xAD\xAD-\xAD\xAD-\xAD\xAD \xAD              \xAD";

constexpr char kValuePattern[] = " \xAD              \xAD              \xAD              \xAD";

bool IsPlainSummaryLine(const std::string& line) {
  return line.empty() || line[0] == ' ' || line[0] == '-' || line[0] == '=';
}

std::string EventLine(const std::string& text, DayNumber date) {
  std::string line(40, ' ');
  PutAt(line, 0, text.substr(0, kPatternColumn));
  PutAt(line, kPatternColumn, kEventPattern);
  PutAt(line, kDateColumn, ReportDate(date));
  return line;
}

// "~" takes the compute date, "@" the table's name and description, "&" its end date and kind.
void SubstituteSummaryText(const ReportWriter& w, std::string& line) {
  size_t tilde = line.find('~');
  if (tilde != std::string::npos) PutAt(line, tilde, ReportDate(w.doc.m_computeDate));
  const RateTable& table = w.doc.m_rateTable;
  size_t at = line.find('@');
  if (at != std::string::npos) {
    std::string name = table.name;
    if (name.size() < 14) name.resize(14, ' ');
    line = line.substr(0, at) + name + table.description;
    return;
  }
  size_t amp = line.find('&');
  if (amp != std::string::npos) {
    line = line.substr(0, amp) + ReportDate(table.endDate) + "      " +
           std::string(StringText(table.vendorFlag != 0 ? kTableVendorId : kTableUserId));
  }
}

// Both passes over one loaded template, so that a missing one is reported once.
int SummaryPass(ReportWriter& w, const ReportTemplate& templ, bool printing) {
  CTDoc& doc = w.doc;
  std::array<Amount, kAllocationCategories> payments{};
  std::array<Amount, kAllocationCategories> deposits{};
  for (const CEvent& event : doc.ListedEvents()) {
    if (event.m_type == kEventDeposit) deposits[0] -= event.m_balof;
    if (!event.m_allocation) continue;
    auto& into = event.m_type == kEventDeposit ? deposits : payments;
    if (event.m_type != kEventPayment && event.m_type != kEventCredit && event.m_type != kEventDeposit)
      continue;
    for (size_t c = 0; c < into.size(); ++c) into[c] += event.m_allocation->m_payment[c];
  }
  const Amount unallocatedDeposits = doc.UnconsumedDeposits();
  const ReportTotals totals = w.computation.Totals(doc);
  const DayNumber computeDate = doc.m_computeDate;

  std::array<Amount, 3> columnTotals{};
  int count = 0;
  for (int i = 0; i < templ.count; ++i) {
    std::string line = templ.lines[static_cast<size_t>(i)];
    if (!line.empty() && line[0] == '*') continue;
    const bool plain = IsPlainSummaryLine(line);
    if (!plain) line += kValuePattern;

    std::array<Amount, 3> a{};
    auto category = [&](Amount owed, size_t c) { a = {owed, -payments[c], -deposits[c]}; };
    auto slotLine = [&](int slot) {
      const size_t s = static_cast<size_t>(slot);
      if (doc.m_penalties[s].IsActive()) category(doc.m_penaltyResults.PenaltyAmount[s], 6 + s);
    };
    bool substitute = false;
    if (i == 0 || i == 1 || i == 16 || i == 17 || i == 35 || i >= 37) {
      substitute = true;
    } else if (i == 2) {
      a = {doc.SumOfType(kEventTax), -payments[0], -deposits[0] - unallocatedDeposits};
    } else if (i == 3) {
      a = {doc.SumIrsChecks(computeDate) + doc.SumDebits(computeDate), 0.0, 0.0};
    } else if (i == 4) {
      category(totals.normalInterest, 1);
    } else if (i == 5) {
      category(doc.SumOfType(kEventMotivatedTax), 2);
    } else if (i == 6) {
      category(totals.motivatedInterest, 3);
    } else if (i == 7) {
      a = {totals.refundInterest, 0.0, 0.0};
    } else if (i == 8) {
      a = {totals.gattInterest, 0.0, 0.0};
    } else if (i == 9) {
      category(totals.penaltyInterest, 5);
    } else if (i == 10) {
      category(doc.SumOfType(kEventPenalty) + doc.SumOfType(kEventNamedPenalty), 4);
    } else if (i == 11) {
      slotLine(23);
    } else if ((i >= 12 && i <= 15) || (i >= 18 && i <= 33)) {
      slotLine(i - 11);
    } else if (i == 36) {
      a = columnTotals;
    }
    if (substitute) SubstituteSummaryText(w, line);

    if (i >= 2 && i <= 35 && !plain && a[0] == 0.0 && a[1] == 0.0 && a[2] == 0.0) continue;
    ++count;
    if (!printing) continue;

    size_t marker = line.find(kFieldMarker);
    if (marker != std::string::npos) {
      for (int k = 0; k < 3 && marker != std::string::npos; ++k) {
        std::string text = ReportAmount(a[static_cast<size_t>(k)]);
        size_t next = line.find(kFieldMarker, marker + 1);
        line.replace(marker, std::min(text.size(), line.size() - marker), text);
        columnTotals[static_cast<size_t>(k)] += a[static_cast<size_t>(k)];
        marker = next;
      }
      if (marker != std::string::npos) {
        line.resize(marker);
        line += ReportAmount(a[0] + a[1] + a[2]);
      }
    }
    w.WriteReportLine(line, true);
  }

  if (printing && w.computation.AccuracyStacking(doc)) {
    w.WriteBlankLine();
    w.WriteBlankLine();
    w.WriteReportLine("CAUTION: Accuracy-related penalties have been", true);
    w.WriteReportLine("         applied to more than the total tax.", true);
  }
  return count;
}

}  // namespace

int SummaryLines(ReportWriter& w, bool printing) {
  ReportTemplate templ;
  if (!LoadTemplate(templ, kSummaryTemplate)) return 0;
  return SummaryPass(w, templ, printing);
}

void WriteSummary(ReportWriter& w) {
  ReportTemplate templ;
  if (!LoadTemplate(templ, kSummaryTemplate)) return;
  int n = SummaryPass(w, templ, false);
  if (w.linesPerPage - n - 4 < w.lineOnPage) {
    w.StartReportPage();
    w.WritePageHeader();
  }
  SummaryPass(w, templ, true);
}

bool WriteEventList(ReportWriter& w, bool summaryForm) {
  CTDoc& doc = w.doc;
  w.StartReportPage();
  w.reportTitle = summaryForm ? "EVENT SUMMARY REPORT" : "INTEREST AND PENALTY DETAIL REPORT";
  w.WritePageHeader();

  ReportTemplate texts;
  ReportTemplate headings;
  if (!LoadTemplate(texts, kEventTextsTemplate) || !LoadTemplate(headings, kEventHeadingsTemplate))
    return false;

  std::vector<std::string> headingLines(headings.lines.begin(), headings.lines.begin() + headings.count);
  for (const auto& heading : headingLines) w.FillTemplateLine(heading, -1, true);
  w.SetColumnHeadings(headingLines);

  const DayNumber hotStart = doc.m_header.m_hotInterest != 0 ? w.computation.HotStartDate(doc) : NO_DATE;
  bool largeCorpPending = IsDate(hotStart);
  auto writeLargeCorp = [&]() {
    std::string line = EventLine(std::string(StringText(kLargeCorpId)), hotStart);
    line.resize(kDateColumn + 8);
    w.WriteReportLine(line, true);
    largeCorpPending = false;
  };

  // The events are read by value: every run of the driver may sort and rewrite the list it walks.
  const int count = doc.EventCount();
  for (int k = 0; k < count && k < kMaxEvents; ++k) {
    const CEvent event = doc.m_events[static_cast<size_t>(k)];
    if (!event.HasDate()) break;
    if (largeCorpPending && hotStart < event.m_date) writeLargeCorp();

    std::string text;
    if (Options().useDescriptions && !event.DescriptionText().empty()) {
      text = event.DescriptionText();
    } else if (event.m_type <= kEventNamedPenalty) {
      text = texts.Line(event.m_type);
    }
    std::string line = EventLine(text, event.m_date);
    if (event.m_type == kEventStopInterest || event.m_type == kEventStartInterest) {
      PutAt(line, kAmountColumn, std::string(13, ' '));
    } else {
      PutAt(line, kAmountColumn,
            ReportAmount(LowersBalance(event.m_type) ? -event.m_amount : event.m_amount));
    }
    // The balance is shown once per date, on the last event of the date.
    const bool sameDateFollows = k + 1 < kMaxEvents && k + 1 < count &&
                                 doc.m_events[static_cast<size_t>(k + 1)].m_date == event.m_date;
    if (sameDateFollows) {
      PutAt(line, kBalanceColumn, " ");
      line.resize(kBalanceColumn);
    } else {
      w.computation.RunComputation(doc, event.m_date, false);
      line.resize(kBalanceColumn);
      line += ReportAmount(w.computation.Totals(doc).finalTotal);
    }
    if (line.size() > kEventLineWidth) line.resize(kEventLineWidth);
    while (!line.empty() && line.back() == ' ') line.pop_back();
    w.WriteReportLine(line, true);
  }
  if (largeCorpPending) writeLargeCorp();

  w.computation.RunComputation(doc, doc.m_computeDate, false);
  const Amount balance = w.computation.Totals(doc).finalTotal;
  for (int i = kClosingLinesStart; i < texts.count; ++i) {
    std::string line = texts.lines[static_cast<size_t>(i)];
    size_t first = line.find(kFieldMarker);
    if (first != std::string::npos) {
      PutAt(line, first, ReportDate(doc.m_computeDate));
      size_t next = line.find(kFieldMarker, first + 8);
      if (next != std::string::npos) {
        line.resize(next);
        line += ReportAmount(balance);
      }
    }
    w.WriteReportLine(line, true);
  }

  w.ClearColumnHeadings();
  w.WriteBlankLine();
  if (summaryForm) {
    w.WriteBlankLine();
    WriteSummary(w);
  }
  return true;
}

}  // namespace zarvic
