#pragma once

#include "shell/MenuCommands.h"

class QWidget;

namespace zarvic {

class CMainFrame;
class CTDoc;
class CZrvChildView;

// The commands of the results, special-rate and allocation windows: F9 "&Compute Totals...",
// "&Hot Interest...", "C Corp &Refund Issues...", F2 "&Allocate a Payment..." and "&Default Payment
// Allocation...". child is the active problem window (nullptr for none). False for another command.
bool RunComputeCommand(CommandId id, CMainFrame& frame, CZrvChildView* child);

// F2 on the event at index: a payment, deposit or credit opens its allocation window, an IRS check the
// C-corporation window; other rows do nothing.
void OpenEventWindow(CTDoc& doc, int index, QWidget* parent);

// "&Hot Interest..." and "C Corp &Refund Issues..." are checked while the active problem has hot
// interest on or is a C corporation.
void UpdateComputeCommandChecks(CMainFrame& frame);

}  // namespace zarvic
