#include "tools/screenshots/TableShots.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <memory>

#include "payoff/ui/CPayoffCalculation.h"
#include "problem/CTDoc.h"
#include "problem/TextInput.h"
#include "ratetables/TableFile.h"
#include "ratetables/TableOperations.h"
#include "ratetables/ui/CRateTableNotes.h"
#include "ratetables/ui/CTableEdit.h"
#include "tools/screenshots/Screenshots.h"

namespace zarvic {
namespace {

#ifdef ZARVIC_SOURCE_DIR
constexpr char kLateExample[] = ZARVIC_SOURCE_DIR "/examples/LATE.TXT";
#else
constexpr char kLateExample[] = "examples/LATE.TXT";
#endif

RateTable FederalTable() {
  RateTable table;
  ClearTable(table);
  LoadTable(table, kFederalTableFile, false);
  return table;
}

QWidget* TableEditor() {
  RateTable federal = FederalTable();
  return new CTableEdit(&federal);
}

QWidget* TableNotes() {
  RateTable table = FederalTable();
  table.name = "STATE";
  SetNotes(table,
           "State rates follow the federal underpayment rate plus one percent from 01-01-2020.\r\n\r\n"
           "Refund interest is simple interest at the federal refund rate, computed from the later of the due "
           "date and the date the return was filed.\r\n\r\n"
           "Penalty interest runs from the notice date only.");
  return new CRateTableNotes(table, false);
}

QWidget* Payoff() {
  auto doc = std::make_unique<CTDoc>();
  doc->ResetProblem(ReportHeadings{});
  TextLineReader reader;
  if (reader.Open(kLateExample)) {
    BatchEntrySettings batch;
    FillProblemFromInput(*doc, batch, reader);
  }
  CTDoc& problem = KeepProblem(std::move(doc));
  if (!PayoffCalculation::CanOpen(&problem)) return new QWidget;
  auto* payoff = new CPayoffCalculation(problem);
  payoff->TermField()->setText(QStringLiteral("24"));
  payoff->CalculateButton()->click();
  return payoff;
}

}  // namespace

void RegisterTableShots(std::vector<Shot>& shots) {
  shots.push_back({QStringLiteral("table-editor.png"), TableEditor});
  shots.push_back({QStringLiteral("table-notes.png"), TableNotes});
  shots.push_back({QStringLiteral("payoff.png"), Payoff});
}

}  // namespace zarvic
