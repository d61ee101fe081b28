#include "tools/screenshots/ComputeShots.h"

#include <QCoreApplication>
#include <memory>
#include <string>

#include "allocation/PaymentAllocation.h"
#include "allocation/ui/CDefaultPayment.h"
#include "allocation/ui/CPaymentAllocation.h"
#include "core/AppOptions.h"
#include "engine/ComputeDriver.h"
#include "engine/ui/CComputeResults.h"
#include "engine/ui/CCorpRefundDlg.h"
#include "engine/ui/CHotInterestDlg.h"
#include "penalties/PenaltyRecord.h"
#include "problem/CTDoc.h"
#include "problem/EventTypes.h"
#include "problem/ProblemFile.h"
#include "tools/screenshots/Screenshots.h"

namespace zarvic {
namespace {

CTDoc& Example(const char* name) {
#ifdef ZARVIC_SOURCE_DIR
  const std::string folder = ZARVIC_SOURCE_DIR "/examples/";
#else
  const std::string folder = "examples/";
#endif
  auto doc = std::make_unique<CTDoc>();
  LoadProblemFile(*doc, folder + name, false);
  return KeepProblem(std::move(doc));
}

// A C-corporation refund: the totals in brackets beside plain ones.
QWidget* ResultsShot() {
  return new CComputeResults(Example("GATT.ZR3"), nullptr);
}

// The late return's second payment, with a late-filing penalty the examiner entered: the penalty
// and its interest are due beside the tax and its interest.
QWidget* Allocation() {
  CTDoc& doc = Example("LATE.ZR3");
  for (int i = doc.EventCount(); i > 1; --i) doc.m_events[i] = doc.m_events[i - 1];
  CEvent& penalty = doc.m_events[1];
  penalty = CEvent{};
  penalty.m_type = kEventPenalty;
  penalty.m_date = ParseDate("10-01-2020");
  penalty.m_amount = 281250.0;
  int index = 3;
  if (!PreparePaymentAllocation(doc, index)) return new QWidget;
  DueByCategory due = doc.m_dueByCategory;
  return new CPaymentAllocation(doc, index, due);
}

QWidget* DefaultAllocation() {
  return new CDefaultPayment;
}

QWidget* HotInterest() {
  Options().tips = true;
  return new CHotInterestDlg(Example("HOT.ZR3"));
}

QWidget* CCorporation() {
  Options().tips = true;
  CTDoc& doc = Example("GATT.ZR3");
  return new CCorpRefundDlg(doc);
}

}  // namespace

void RegisterComputeShots(std::vector<Shot>& shots) {
  shots.push_back({QStringLiteral("compute-results.png"), ResultsShot});
  shots.push_back({QStringLiteral("allocation.png"), Allocation});
  shots.push_back({QStringLiteral("default-allocation.png"), DefaultAllocation});
  shots.push_back({QStringLiteral("hot-interest.png"), HotInterest});
  shots.push_back({QStringLiteral("ccorp.png"), CCorporation});
}

}  // namespace zarvic
