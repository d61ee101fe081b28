#include "tools/screenshots/PenaltyShots.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <memory>

#include "core/AppOptions.h"
#include "penalties/PenaltyCatalog.h"
#include "penalties/PenaltyModel.h"
#include "penalties/ui/CPenaltyDialog.h"
#include "penalties/ui/CPenaltySelection.h"
#include "problem/CTDoc.h"
#include "problem/EventTypes.h"
#include "tools/screenshots/Screenshots.h"

namespace zarvic {
namespace {

DayNumber Date(const char* text) { return ParseDate(text); }

// A return due on taxDate with $25,000 of tax, $5,000 paid with it, and the penalties filled from it.
CTDoc& Problem(const char* taxDate) {
  auto doc = std::make_unique<CTDoc>();
  doc->m_rateTable.name = "FEDERAL";
  CEvent& tax = doc->m_events[0];
  tax.m_type = kEventTax;
  tax.m_date = Date(taxDate);
  tax.m_amount = 2500000.0;
  CEvent& paid = doc->m_events[1];
  paid.m_type = kEventPayment;
  paid.m_date = Date(taxDate);
  paid.m_amount = 500000.0;
  doc->RecomputeTaxTotals();
  DefaultPenaltyRecords(*doc);
  return KeepProblem(std::move(doc));
}

QWidget* Selection() {
  CTDoc& doc = Problem("04-15-2019");
  doc.m_penalties[kPenaltyFailureToFile].SetFlag(PEN_ACTIVE, true);
  doc.m_penalties[kPenalty6662c].SetFlag(PEN_ACTIVE, true);
  auto* selection = new CPenaltySelection(doc, PenaltySelectionList(doc.TaxDate));
  return selection;
}

QWidget* Window(int k, const char* taxDate) {
  CTDoc& doc = Problem(taxDate);
  PenaltyRecord& record = doc.m_penalties[static_cast<std::size_t>(k)];
  record.SetFlag(PEN_ACTIVE, true);
  if (k == kPenaltyFailureToFile) record.m_dates[2] = Date("08-20-2019");
  if (k == kPenalty6653a || k == kPenalty6653b) record.m_dates[1] = Date("06-01-1990");
  if (k == kPenaltyFailureToPay) {
    record.m_dates[1] = Date("05-20-2019");
    record.m_dates[2] = Date("06-24-2019");
    record.m_dates[3] = Date("09-02-2019");
    record.m_dates[5] = record.m_dates[3];  // levy with the third notice
    record.m_graceBits = 0x00FD;            // 21 days after the second notice
    record.SetFlag(PEN_INDIVIDUAL_TIMELY, true);
    record.m_dates[8] = Date("10-01-2019");
  }
  if (k == kPenaltyFailureToPayAssessment) {
    record.m_amounts[0] = 2000000.0;
    record.m_dates[0] = Date("06-10-2019");
  }
  Options().tips = true;
  return new CPenaltyDialog(doc, k, PenaltyWindowFor(k, doc.TaxDate));
}

struct WindowShot {
  int k;
  const char* taxDate;
};

}  // namespace

void RegisterPenaltyShots(std::vector<Shot>& shots) {
  shots.push_back({QStringLiteral("penalty-selection.png"), Selection});
  const WindowShot windows[] = {
      {kPenaltyFailureToFile, "04-15-2019"}, {kPenaltyFailureToPay, "04-15-2019"},
      {kPenaltyFailureToPayAssessment, "04-15-2019"}, {kPenalty6653a, "04-15-1980"},
      {kPenalty6653a, "04-15-1985"}, {kPenalty6653a, "04-15-1989"},
      {kPenalty6653b, "04-15-1982"}, {kPenalty6653b, "04-15-1986"},
      {kPenalty6653b, "04-15-1989"}, {kPenalty6659, "04-15-1984"},
      {kPenalty6659A, "04-15-1984"}, {kPenalty6660, "04-15-1984"},
      {kPenalty6661, "04-15-1984"}, {kPenalty6662c, "04-15-2019"},
      {kPenalty6662d, "04-15-2019"}, {kPenalty6662e, "04-15-2019"},
      {kPenalty6662f, "04-15-2019"}, {kPenalty6662g, "04-15-2019"},
      {kPenalty6663, "04-15-2019"},
  };
  for (const WindowShot& w : windows) {
    const std::string_view cls = PenaltyWindowClassName(PenaltyWindowFor(w.k, Date(w.taxDate)));
    const QString name = QStringLiteral("penalty-%1.png")
                             .arg(QString::fromLatin1(cls.data() + 1, static_cast<qsizetype>(cls.size() - 1)).toLower());
    shots.push_back({name, [w] { return Window(w.k, w.taxDate); }});
  }
}

}  // namespace zarvic
