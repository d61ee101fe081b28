#include "engine/ui/ComputeCommands.h"

#include <QAction>

#include "allocation/ui/CDefaultPayment.h"
#include "allocation/ui/CPaymentAllocation.h"
#include "core/UserInterface.h"
#include "engine/ui/CComputeResults.h"
#include "engine/ui/CCorpRefundDlg.h"
#include "engine/ui/CHotInterestDlg.h"
#include "problem/CTDoc.h"
#include "problem/DocumentManager.h"
#include "problem/EventTypes.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CZrvChildView.h"
#include "shell/ui/CTView.h"

namespace zarvic {

void OpenEventWindow(CTDoc& doc, int index, QWidget* parent) {
  if (index < 0 || index >= kMaxEvents || !doc.m_events[index].HasDate()) return;
  const std::uint16_t type = doc.m_events[index].m_type;
  if (type == kEventIrsCheck) {
    if (ShowCCorporationDialog(doc, parent)) CurrentUi().RefreshViews(&doc);
  } else if (LowersBalance(type)) {
    AllocatePaymentOf(doc, index);
  }
}

bool RunComputeCommand(CommandId id, CMainFrame& frame, CZrvChildView* child) {
  if (id == CommandId::DefaultPaymentAllocation) {
    ShowDefaultPaymentAllocation(&frame);
    return true;
  }
  if (id != CommandId::ComputeTotals && id != CommandId::HotInterest && id != CommandId::CCorpRefund &&
      id != CommandId::AllocatePayment) {
    return false;
  }
  if (child != nullptr && child->Document() != nullptr) {
    CTDoc& doc = child->Document()->problem;
    switch (id) {
      case CommandId::ComputeTotals:
        ShowComputeResults(doc, child);
        break;
      case CommandId::HotInterest:
        ShowHotInterest(doc, &frame);
        break;
      case CommandId::CCorpRefund:
        if (ShowCCorporationDialog(doc, &frame)) CurrentUi().RefreshViews(&doc);
        break;
      default:
        OpenEventWindow(doc, child->View()->CurrentEvent(), &frame);
        break;
    }
    child->View()->Refresh();
  }
  UpdateComputeCommandChecks(frame);
  return true;
}

void UpdateComputeCommandChecks(CMainFrame& frame) {
  CZrvChildView* child = frame.ActiveChild();
  const CTDoc* doc = child != nullptr && child->Document() != nullptr ? &child->Document()->problem : nullptr;
  frame.Action(CommandId::HotInterest)->setChecked(doc != nullptr && doc->m_header.m_hotInterest != 0);
  frame.Action(CommandId::CCorpRefund)->setChecked(doc != nullptr && doc->m_header.m_cCorporation != 0);
}

}  // namespace zarvic
