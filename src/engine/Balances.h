#pragma once

#include "core/Dates.h"
#include "engine/ComputeResults.h"

namespace zarvic {

class CTDoc;
class CEvent;

// The running balances of a computation (doc.m_compute): how a period is closed on a result list, how
// charges and payments move the balances, how interest joins the principal under the compounding
// modes, and how a C-corporation refund is split between the ordinary refund balance and the GATT
// balance. Line indexes refer to doc.m_rateTable; amounts are cents.

enum class ResultListKind { Normal, Motivated };

// Computes the period start..end of node (on the given list) on the current balances with line L and
// accrues its interest into the accumulators and the totals. An unset start is day 0. factorStart: the
// first period of a Sum of Factors table, computed with rates of 1. Returns end (the list's new last
// break). The motivated list is computed without GATT.
DayNumber ClosePeriod(CTDoc& doc, ComputeResults& node, DayNumber start, DayNumber end, int kind, int line,
                      ResultListKind list, bool factorStart);

// Adds a tax, debit, IRS check or entered-penalty amount to the normal balances (with GATT: nets it
// against the GATT balance and the threshold room first).
void AddCharge(CTDoc& doc, const CEvent& event, int line);

// Applies the allocated parts of payment, deposit or credit eventIndex: tax, interest, motivated tax
// and motivated interest. Nothing happens without an allocation record.
void ApplyPayment(CTDoc& doc, int eventIndex, int line);

// For the compounding modes (Daily, Monthly + exact days, Monthly whole months) moves the accrued
// interest into principal and nets the GATT balance. Returns line L's mode.
int FoldInterest(CTDoc& doc, int line);

// Moves a positive GATT balance into the normal balance, or nets a negative one against a positive
// normal balance.
void NetGatt(CTDoc& doc);

// Sets m_balof of every listed event: what is left unpaid of each tax, motivated tax, debit, IRS check
// and entered penalty after the allocated payments are spread over them oldest first; 0 for all others.
void FinalAllocationPass(CTDoc& doc);

// True for the modes whose interest compounds across periods.
bool IsCompoundingMode(int mode);

}  // namespace zarvic
