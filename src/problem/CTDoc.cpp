#include "problem/CTDoc.h"

#include <algorithm>
#include <cassert>
#include <utility>

#include "core/AppOptions.h"
#include "core/Settings.h"
#include "core/UserInterface.h"
#include "ratetables/TableFile.h"
#include "ratetables/TableSelection.h"

namespace zarvic {
namespace {

constexpr int kNoFederalTableId = 19207;

TableLoader& InstalledLoader() {
  static TableLoader loader;
  return loader;
}

ReportHeadingsSource& InstalledHeadings() {
  static ReportHeadingsSource source;
  return source;
}

bool& FederalTableWarned() {
  static bool warned = false;
  return warned;
}

// Byte by byte as unsigned characters; a shorter prefix comes first.
int CompareDescriptions(std::string_view a, std::string_view b) {
  std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    auto ca = static_cast<unsigned char>(a[i]);
    auto cb = static_cast<unsigned char>(b[i]);
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

bool IsTaxType(std::uint16_t type) {
  return type == kEventTax || type == kEventMotivatedTax;
}

}  // namespace

TableLoader SetTableLoader(TableLoader loader) {
  return std::exchange(InstalledLoader(), std::move(loader));
}

bool LoadNamedTable(RateTable& table, const std::string& name) {
  const TableLoader& loader = InstalledLoader();
  return loader ? loader(table, name) : LoadTableByName(table, name);
}

void ResetFederalTableWarning() {
  FederalTableWarned() = false;
}

ReportHeadingsSource SetReportHeadingsSource(ReportHeadingsSource source) {
  return std::exchange(InstalledHeadings(), std::move(source));
}

int CompareEvents(const CEvent& a, const CEvent& b) {
  if (a.m_date != b.m_date) return a.m_date < b.m_date ? -1 : 1;
  if (RaisesBalance(a.m_type) && LowersBalance(b.m_type)) return -1;
  if (LowersBalance(a.m_type) && RaisesBalance(b.m_type)) return 1;
  if (a.m_amount != b.m_amount) return a.m_amount < b.m_amount ? -1 : 1;
  if (a.HasDescription() != b.HasDescription()) return a.HasDescription() ? 1 : -1;
  if (!a.HasDescription()) return 0;
  return CompareDescriptions(a.m_description->View(), b.m_description->View());
}

void CTDoc::ResetProblem() {
  const ReportHeadingsSource& source = InstalledHeadings();
  if (source) {
    ResetProblem(source());
    return;
  }
  const ReportSettings& settings = CurrentReportSettings();
  ResetProblem(ReportHeadings{settings.headerLines, settings.footer});
}

void CTDoc::ResetProblem(const ReportHeadings& headings) {
  RateTable table;
  // The shipped table, searched as every table is, unless a test or tool installed another loader.
  if (LoadNamedTable(table, kFederalTableFile)) {
    m_rateTable = std::move(table);
  } else {
    m_rateTable = RateTable{};  // a failed load may leave a table half read
    if (!std::exchange(FederalTableWarned(), true)) MessageBoxId(kNoFederalTableId);
  }

  for (CEvent& event : m_events) event.Clear();
  m_events[0].m_type = kEventTax;
  ClearComputation();
  RecomputeTaxTotals();

  for (int i = 0; i < kReportHeadingLines; ++i) m_header.m_headings[i].SetText(headings.headings[i]);
  m_header.m_footer.SetText(headings.footer);
  m_header.m_cCorporation = Options().defaultGatt ? 1 : 0;

  m_heldIndex = -1;
  m_heldPenalties.reset();
  m_eventsLeftOut = 0;
  m_fileEvents = 0;
  m_leftOutFile.clear();
  m_worksheets = ProblemWorksheets{};
  CurrentUi().RefreshViews(this);
  modified_ = false;
}

void CTDoc::ClearComputation() {
  m_compute = ComputeState{};
  m_normalList.Clear();
  m_motivatedList.Clear();
  m_penaltyList.Clear();
  m_signChanges.clear();
  m_penaltyResults.Clear();
  m_dueByCategory.fill(0.0);
  m_computedOnce = false;
  m_computedSinceReset = false;
}

bool CTDoc::IsEmptyProblem() const {
  return !m_events[0].HasDate() && m_header.m_taxpayerName.Empty() && m_header.m_taxpayerId.Empty();
}

int CTDoc::EventCount() const {
  if (settled_.count >= 0) {
    assert(settled_.count == CountListed());
    return settled_.count;
  }
  return CountListed();
}

int CTDoc::CountListed() const {
  int count = 0;
  while (count < kMaxEvents && m_events[count].HasDate()) ++count;
  return count;
}

int CTDoc::SortEvents(int current) {
  std::span<CEvent> events = ListedEvents();
  const int count = static_cast<int>(events.size());
  bool inOrder = true;
  if (settled_.sorted) {
    assert(std::ranges::is_sorted(events,
                                  [](const CEvent& a, const CEvent& b) { return CompareEvents(a, b) < 0; }));
    return current < 0 ? 0 : current;
  }
  for (int i = 1; i < count && inOrder; ++i) inOrder = CompareEvents(events[i - 1], events[i]) <= 0;
  settled_.sorted = settled_.count >= 0 && inOrder;
  if (inOrder) return current < 0 ? 0 : current;

  m_heldIndex = -1;
  for (int i = 0; i < count; ++i) events[i].m_tag = i == current ? 1 : 0;
  // Insertion sort: the order is not transitive when an event of neither class sits between a charge
  // and a payment of the same date by amount, and a library sort may then run off the list. This one
  // always ends, and gives the same order whenever the order is consistent. Lists are short and
  // usually nearly sorted.
  for (int i = 1; i < count; ++i) {
    for (int j = i; j > 0 && CompareEvents(events[j - 1], events[j]) > 0; --j)
      std::swap(events[j - 1], events[j]);
  }
  CurrentUi().RefreshViews(this);
  for (int i = 0; i < count; ++i) {
    if (events[i].m_tag == 1) return i;
  }
  return 0;
}

void CTDoc::RecomputeTaxTotals() {
  Settled& settled = settled_;
  if (settled.totals) {
    TaxDate = settled.taxDate;
    TotalTax = settled.totalTax;
    NetTaxDue = settled.netTaxDue;
#ifndef NDEBUG
    ComputeTaxTotals();
    assert(TaxDate == settled.taxDate && TotalTax == settled.totalTax && NetTaxDue == settled.netTaxDue);
#endif
    return;
  }
  ComputeTaxTotals();
  if (settled.count >= 0) settled = {settled.count, settled.sorted, true, TaxDate, TotalTax, NetTaxDue};
}

void CTDoc::ComputeTaxTotals() {
  TaxDate = NO_DATE;
  TotalTax = 0.0;
  NetTaxDue = 0.0;
  DayNumber lastTaxDate = 0xFFFF;  // payments before the first tax event count
  bool mixed = false;
  for (const CEvent& event : ListedEvents()) {
    if (IsTaxType(event.m_type)) {
      lastTaxDate = event.m_date;
      if (TaxDate == NO_DATE) {
        TaxDate = event.m_date;
      } else if (TaxDate != event.m_date) {
        mixed = true;
      }
      TotalTax += event.m_amount;
      NetTaxDue += event.m_amount;
    } else if ((event.m_type == kEventPayment && event.m_date <= lastTaxDate) ||
               event.m_type == kEventCredit) {
      NetTaxDue -= event.m_amount;
    }
  }
  if (mixed) TaxDate = NO_DATE;
}

bool CTDoc::DeleteEvent(int index) {
  if (index < 0 || index >= kMaxEvents) return false;
  std::move(m_events.begin() + index + 1, m_events.end(), m_events.begin() + index);
  m_events[kMaxEvents - 1].Clear();
  modified_ = true;
  return true;
}

template <typename Pred>
Amount CTDoc::SumThrough(DayNumber date, Pred wanted) const {
  Amount sum = 0.0;
  for (const CEvent& event : ListedEvents()) {
    if (event.m_date > date) break;
    if (wanted(event.m_type)) sum += event.m_amount;
  }
  return sum;
}

Amount CTDoc::SumTax(DayNumber date) const {
  return SumThrough(date, IsTaxType);
}

Amount CTDoc::SumPayments(DayNumber date) const {
  return SumThrough(date, LowersBalance);
}

Amount CTDoc::SumIrsChecks(DayNumber date) const {
  return SumThrough(date, [](std::uint16_t type) { return type == kEventIrsCheck; });
}

Amount CTDoc::SumDebits(DayNumber date) const {
  return SumThrough(date, [](std::uint16_t type) { return type == kEventDebit; });
}

Amount CTDoc::SumEnteredPenalties(DayNumber date) const {
  return SumThrough(date,
                    [](std::uint16_t type) { return type == kEventPenalty || type == kEventNamedPenalty; });
}

Amount CTDoc::SumOfType(std::uint16_t type) const {
  Amount sum = 0.0;
  for (const CEvent& event : ListedEvents()) {
    if (event.m_type == type) sum += event.m_amount;
  }
  return sum;
}

Amount CTDoc::PaymentsBeforeTaxDate() const {
  Amount sum = 0.0;
  for (const CEvent& event : ListedEvents()) {
    if (LowersBalance(event.m_type) && event.m_date < TaxDate) sum += event.m_amount;
  }
  return sum;
}

bool CTDoc::HasIrsCheck() const {
  return std::ranges::any_of(ListedEvents(), [](const CEvent& e) { return e.m_type == kEventIrsCheck; });
}

bool CTDoc::HasPayment() const {
  return std::ranges::any_of(ListedEvents(), [](const CEvent& e) { return LowersBalance(e.m_type); });
}

Amount CTDoc::UnconsumedDeposits() const {
  Amount sum = 0.0;
  for (const CEvent& event : ListedEvents()) {
    if (event.m_type == kEventDeposit && event.m_allocation)
      sum += event.m_amount - event.m_allocation->AppliedTotal();
  }
  return sum;
}

ComputationResults CTDoc::TakeComputation() {
  ComputationResults r;
  r.compute = std::exchange(m_compute, ComputeState{});
  r.normalList = std::move(m_normalList);
  r.motivatedList = std::move(m_motivatedList);
  r.penaltyList = std::move(m_penaltyList);
  r.signChanges = std::exchange(m_signChanges, {});
  r.penaltyResults = std::exchange(m_penaltyResults, PenaltyResults{});
  r.dueByCategory = std::exchange(m_dueByCategory, {});
  return r;
}

void CTDoc::RestoreComputation(ComputationResults&& r) {
  m_compute = std::move(r.compute);
  m_normalList = std::move(r.normalList);
  m_motivatedList = std::move(r.motivatedList);
  m_penaltyList = std::move(r.penaltyList);
  m_signChanges = std::move(r.signChanges);
  m_penaltyResults = std::move(r.penaltyResults);
  m_dueByCategory = r.dueByCategory;
}

bool RefuseBusyProblem() {
  MessageBoxText(kProblemBusyText);
  return false;
}

}  // namespace zarvic
