#include "tools/screenshots/GridShots.h"

#include <QCoreApplication>
#include <QMdiArea>
#include <QScrollBar>
#include <functional>
#include <memory>
#include <string>

#include "core/Dates.h"
#include "penalties/PenaltyCatalog.h"
#include "problem/CTDoc.h"
#include "problem/DocumentManager.h"
#include "problem/EventTypes.h"
#include "shell/StartUp.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CTApp.h"
#include "shell/ui/CTView.h"
#include "shell/ui/CZrvChildView.h"

namespace zarvic {
namespace {

std::vector<std::unique_ptr<CTApp>>& Apps() {
  static std::vector<std::unique_ptr<CTApp>> apps;
  static const bool cleared = [] {
    qAddPostRoutine([] { Apps().clear(); });
    return true;
  }();
  (void)cleared;
  return apps;
}

struct ShotEvent {
  std::uint16_t type;
  const char* date;
  double cents;
  const char* description;
};

// A late 2019 return: the tax, payments of several kinds, a suspension, a debit and an IRS check.
constexpr ShotEvent kEvents[] = {
    {kEventTax, "04-15-2020", 4821077, "Form 1040 deficiency"},
    {kEventPayment, "06-15-2020", 500000, "Check 1041"},
    {kEventPayment, "09-15-2020", 750000, "Check 1077"},
    {kEventDeposit, "11-02-2020", 1200000, "Deposit as bond"},
    {kEventStopInterest, "01-04-2021", 0, "Audit reconsideration"},
    {kEventStartInterest, "07-01-2021", 0, ""},
    {kEventDebit, "08-16-2021", 25000, "Collection fee"},
    {kEventPayment, "10-15-2021", 1000000, "Wire transfer"},
    {kEventCredit, "12-31-2021", 185033, "2021 overpayment"},
    {kEventIrsCheck, "03-15-2022", 12500, "Refund check"},
    {kEventPenalty, "04-18-2022", 48200, "Estimated tax penalty"},
    {kEventPayment, "06-30-2022", 1500000, "Installment 1"},
    {kEventPayment, "12-30-2022", 123456789, "Final payment"},
};

// A problem window over a new problem that fill fills in.
QWidget* ProblemWindow(const std::function<void(CTDoc&, CTView&)>& fill) {
  WindowPlan plan;
  plan.start = WindowStart::NewProblem;
  auto app = std::make_unique<CTApp>();
  app->InitInstance(plan, false);
  CMainFrame* frame = app->MainFrame();
  frame->showNormal();
  frame->resize(QSize(820, 640));
  CZrvChildView* child = frame->ActiveChild();
  CTDoc& doc = child->Document()->problem;
  for (CEvent& event : doc.m_events) event.Clear();
  child->resize(frame->MdiArea()->viewport()->size() - QSize(16, 16));
  fill(doc, *child->View());
  child->View()->Refresh();
  Apps().push_back(std::move(app));
  return frame;
}

QWidget* Grid() {
  return ProblemWindow([](CTDoc& doc, CTView&) {
    std::size_t i = 0;
    for (const ShotEvent& e : kEvents) {
      CEvent& event = doc.m_events[i++];
      event.m_type = e.type;
      event.m_date = ParseDate(e.date);
      event.m_amount = event.m_gattAmount = e.cents;
      if (*e.description != '\0') event.SetDescription(e.description);
    }
    doc.m_header.m_taxpayerName.SetText("Harriet Quimby Aviation Supply");
    doc.m_header.m_taxpayerId.SetText("94-1234567");
    doc.m_penalties[kPenaltyFailureToFile].SetFlag(PEN_ACTIVE, true);
    doc.m_penalties[kPenaltyFailureToPay].SetFlag(PEN_ACTIVE, true);
  });
}

// Every event slot used: at the bottom of the grid, where the entry row would be, the reason why not.
QWidget* FullGrid() {
  return ProblemWindow([](CTDoc& doc, CTView& view) {
    for (int i = 0; i < kMaxEvents; ++i) {
      CEvent& event = doc.m_events[static_cast<std::size_t>(i)];
      event.m_type = i == 0 ? kEventTax : kEventPayment;
      event.m_date = AddDays(ParseDate("04-15-2020"), 7 * i);
      event.m_amount = event.m_gattAmount = i == 0 ? 90000000.0 : 10000.0;
      event.SetDescription(i == 0 ? "Form 1120 deficiency" : "Installment " + std::to_string(i));
    }
    doc.m_header.m_taxpayerName.SetText("Whitfield-Okonkwo Family Trust, Jordan A. Whitfield Trustee");
    doc.m_header.m_taxpayerId.SetText("94-1234567");
    view.Refresh();
    view.ScrollBar()->setValue(view.ScrollBar()->maximum());
  });
}

}  // namespace

void RegisterGridShots(std::vector<Shot>& shots) {
  shots.push_back({QStringLiteral("grid.png"), Grid});
  shots.push_back({QStringLiteral("grid-full.png"), FullGrid});
}

}  // namespace zarvic
