#pragma once

class QWidget;

namespace zarvic {

class CTDoc;

// "&Estimated Tax Penalty..." and "&Deposit Penalty..." of a problem window's Compute menu: the
// worksheet windows over the problem (nothing without one).
void OpenEstimatedTaxWorksheet(QWidget* parent, CTDoc* doc);
void OpenDepositPenaltyWorksheet(QWidget* parent, CTDoc* doc);

}  // namespace zarvic
