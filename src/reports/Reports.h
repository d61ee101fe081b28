#pragma once

#include "reports/ReportWriter.h"

namespace zarvic {

// The reports of a run, each written through the run's writer. Functions returning bool give false
// when a template they need is missing (after message 20027) or, for the payment allocation, when
// there is nothing to print.

// The event list: detail form opens the "INTEREST AND PENALTY DETAIL REPORT"; the summary form is the
// "EVENT SUMMARY REPORT" and ends with the summary.
bool WriteEventList(ReportWriter& w, bool summaryForm);
// The summary table ("REPSUM.DM"), on a fresh page when it does not fit on this one.
void WriteSummary(ReportWriter& w);
// Counts (printing false) or writes the summary lines; the number of lines the printing pass writes.
int SummaryLines(ReportWriter& w, bool printing);

// The interest computation detail, with or without factors; the pages it used (0 when its template
// is missing).
int WriteInterestDetail(ReportWriter& w, bool withFactors);
bool WriteMonthlyAccrual(ReportWriter& w);
void WriteGattPayments(ReportWriter& w);  // "GDP!"
void WriteGattChecks(ReportWriter& w);    // "GDC!"
void WriteGattTaxes(ReportWriter& w);     // "GDT!"

// The penalty computation detail of every active slot; the number of sections written.
int WritePenaltyDetails(ReportWriter& w);
bool WritePenaltySection(ReportWriter& w, int slot);
void WriteFailureToPayHistory(ReportWriter& w, int slot);  // "ESUM", slots 1 and 2

bool WritePaymentAllocation(ReportWriter& w);
// The listing of the problem's rate table; the number of rate lines listed (-1 when its template is
// missing).
int WriteRateTableListing(ReportWriter& w);

// Names of penalty templates by slot; empty for the slots without one (0, 5, 6).
const char* PenaltyTemplateName(int slot);

}  // namespace zarvic
