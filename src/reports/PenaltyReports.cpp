// The penalty computation detail: one section per active penalty from its own template, and the
// failure-to-pay history lines.

#include <cmath>
#include <string>
#include <vector>

#include "core/Text.h"
#include "problem/CTDoc.h"
#include "reports/ReportTemplate.h"
#include "reports/Reports.h"

namespace zarvic {
namespace {

constexpr const char* kPenaltyTemplates[kPenaltyRecords] = {
    "",           "P6651A2.DM", "P6651A3.DM", "P6653A.DM",   "P6653B.DM",
    "",           "",           "P6659.DM",   "P6659A.DM",   "P6660.DM",
    "P6661.DM",   "P6662C.DM",  "P6662D.DM",  "P6662E.DM",   "P6662F.DM",
    "P6662G.DM",  "P6663.DM",   "P18681.DM",  "P18684A1.DM", "P18684A2.DM",
    "P18684N.DM", "P18684F.DM", "P6621C.DM",  "P6651A1.DM",
};

constexpr const char* kRateLabels[] = {"0.25%", "0.5%", "0.75%", "1.0%"};
constexpr int kFailureToFileSlot = 23;

// Fills the markers of a history pattern in order with values; the last value ends the line.
std::string FillPattern(std::string_view pattern, const std::vector<std::string>& values) {
  std::string line(pattern);
  size_t from = 0;
  for (size_t k = 0; k < values.size(); ++k) {
    size_t m = line.find(kFieldMarker, from);
    if (m == std::string::npos) break;
    // A date takes a run of markers ("\255\255-\255\255-\255\255").
    size_t end = m;
    while (end < line.size() && (line[end] == kFieldMarker || (line[end] == '-' && end + 1 < line.size() &&
                                                               line[end + 1] == kFieldMarker))) {
      ++end;
    }
    if (k + 1 == values.size()) {
      line.resize(m);
      line += values[k];
      return line;
    }
    for (size_t i = m; i < end; ++i) line[i] = ' ';
    PutAt(line, m, values[k]);
    from = std::max(end, m + values[k].size());
  }
  return line;
}

}  // namespace

const char* PenaltyTemplateName(int slot) {
  return slot >= 0 && slot < kPenaltyRecords ? kPenaltyTemplates[slot] : "";
}

bool WritePenaltySection(ReportWriter& w, int slot) {
  w.StartReportPage();
  const std::string name = PenaltyTemplateName(slot);
  if (name.empty()) return false;
  ReportTemplate templ;
  if (!LoadTemplate(templ, name)) return false;
  w.SetColumnHeadings({" "});
  w.reportTitle = "PENALTY COMPUTATION DETAIL REPORT";
  for (int i = 0; i < templ.count; ++i) {
    w.FillTemplateLine(templ.lines[static_cast<size_t>(i)], slot, i + 1 < templ.count);
  }
  w.ClearColumnHeadings();
  return true;
}

int WritePenaltyDetails(ReportWriter& w) {
  int sections = 0;
  const auto& records = w.doc.m_penalties;
  if (records[kFailureToFileSlot].IsActive() && WritePenaltySection(w, kFailureToFileSlot)) ++sections;
  for (int slot = 0; slot < kHotInterestSlot; ++slot) {
    if (!records[static_cast<size_t>(slot)].IsActive()) continue;
    if (PenaltyTemplateName(slot)[0] == '\0') continue;  // the retired and unused records have no section
    if (WritePenaltySection(w, slot)) ++sections;
  }
  return sections;
}

void WriteFailureToPayHistory(ReportWriter& w, int slot) {
  if (slot != 1 && slot != 2) return;
  const CTDoc& doc = w.doc;
  const auto& months =
      slot == 1 ? doc.m_penaltyResults.failureToPayMonths : doc.m_penaltyResults.failureToPayAssessmentMonths;
  if (months.empty()) return;
  const PenaltyRecord& rec = doc.m_penalties[static_cast<size_t>(slot)];
  const int noticeSlots1[] = {1, 2, 3, 4, 7, 10};
  const int noticeSlots2[] = {0, 1, 2, 3, 7, 10};
  std::vector<DayNumber> notices;
  for (int index : slot == 1 ? noticeSlots1 : noticeSlots2) {
    DayNumber d = rec.m_dates[static_cast<size_t>(index)];
    if (!IsDate(d)) break;  // the notices are used in order; an empty one ends them
    notices.push_back(d);
  }
  size_t nextNotice = 0;

  size_t i = 0;
  while (i < months.size()) {
    size_t j = i;
    bool atNotice = false;
    DayNumber noticeDate = NO_DATE;
    while (j + 1 < months.size()) {
      const PenaltyMonth& next = months[j + 1];
      if (nextNotice < notices.size() && next.start >= notices[nextNotice]) {
        atNotice = true;
        noticeDate = notices[nextNotice++];
        break;
      }
      if (next.amount != months[j].amount || next.rateStep != months[j].rateStep) break;
      ++j;
    }
    const PenaltyMonth& last = months[j];
    const PenaltyMonth* next = j + 1 < months.size() ? &months[j + 1] : nullptr;
    const size_t groupMonths = j - i + 1;

    if (atNotice) {
      w.WriteReportLine(FillPattern("  IRS notice date           \xAD", {ReportDate(noticeDate)}), true);
    }
    if (!last.graceLead || (atNotice && groupMonths > 1)) {
      Amount penalty = 0.0;
      for (size_t k = i; k <= j; ++k) penalty += months[k].amount;
      RoundAmount(penalty);
      if (last.base > 0.0) {
        const int code = last.rateStep >= 0 && last.rateStep <= 3 ? last.rateStep : 0;
        w.WriteReportLine(
            FillPattern("  Penalty base through      \xAD\xAD-\xAD\xAD-\xAD\xAD \xAD              \xAD    "
                        "\xAD      \xAD",
                        {ReportDate(next ? next->start : doc.m_computeDate), ReportAmount(last.base),
                         StringPrintf("%3zu", groupMonths), kRateLabels[code], ReportAmount(penalty)}),
            true);
      }
    }
    if (next != nullptr && next->base != last.base) {
      const Amount change = next->base - last.base;
      const char* pattern = nullptr;
      if (!last.graceLead) {
        pattern = change < 0.0 ? "  Less payments                      \xAD"
                               : "  Additional assessment              \xAD";
      } else if (change < 0.0) {
        pattern = "  Payment made during grace period   \xAD";
      }
      if (pattern != nullptr) w.WriteReportLine(FillPattern(pattern, {ReportAmount(change)}), true);
    }
    if (next != nullptr && next->rateStep != last.rateStep) w.WriteReportLine("  Penalty rate change", true);
    w.WriteBlankLine();
    i = j + 1;
  }
}

}  // namespace zarvic
