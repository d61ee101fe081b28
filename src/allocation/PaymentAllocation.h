#pragma once

#include <array>
#include <functional>
#include <string_view>

#include "allocation/AllocationRecord.h"
#include "core/Amounts.h"
#include "core/Dates.h"

namespace zarvic {

class CTDoc;

// How payments, deposits and credits are split over the 50 allocation categories: specific amounts
// first, then the priority letters (smallest first, equal letters pro rata, the last member of a group
// in index order taking the rounding remainder). Category 0 tax, 1 interest, 2 motivated tax,
// 3 motivated interest, 4 entered penalties, 5 penalty interest, 6 + k statutory penalty k.
inline constexpr int kCategoryTax = 0;
inline constexpr int kCategoryInterest = 1;
inline constexpr int kCategoryMotivatedTax = 2;
inline constexpr int kCategoryMotivatedInterest = 3;
inline constexpr int kCategoryEnteredPenalties = 4;
inline constexpr int kCategoryPenaltyInterest = 5;
inline constexpr int kCategoryFirstPenalty = 6;
// A priority letter that marks a category as served during an allocation run.
inline constexpr char kServedLetter = 127;

// The letters new allocation records start with: the "Default Payment Allocation" option.
std::string_view DefaultAllocationLetters();

// For every payment, deposit and credit up to index last, in date order: computes the problem to its
// date and allocates it (as AllocatePaymentAtItsDate does). The computation for a payment sees the
// allocations of the payments before it only, and for a second split the payment's own tax part: the
// later ones count as allocated nothing until their turn. Stops at the first computation that fails
// (later payments keep their previous allocation).
void AllocateAllPayments(CTDoc& doc, int last);

// One payment's turn in AllocateAllPayments, each run made from the start: computes the problem to the
// payment's date and allocates it. When the split paid a penalty and some tax, the computation and the
// split are made once more with the payment holding that tax part alone, since a payment early in a
// failure-to-pay month ends the base of the month begun: the penalty is split on what is really due.
// False when a computation fails.
bool AllocatePaymentAtItsDate(CTDoc& doc, int index);

// Allocates event index (a payment, deposit or credit) on the amounts due after the events before it,
// as the last computation left them. Leaves doc.m_dueByCategory at the dues after this payment.
void AllocatePayment(CTDoc& doc, int index);

// doc.m_dueByCategory = the amounts due per category after events 0 to count - 1: the penalties and
// interest of the last computation (its interest totals are rounded in place first), the charges, less
// what the payments among them were allocated (an unallocated payment reduces tax).
void ComputeDueByCategory(CTDoc& doc, int count);

// The money of payments, deposits and credits dated from..to (to excluded; from NO_DATE: from the
// start) applied to tax and motivated tax (penalty -1) or to penalty k. A payment dated on the day of
// the last tax event met does not count.
Amount PaymentsInPeriod(const CTDoc& doc, int penalty, DayNumber from, DayNumber to);

// m_payment summed over all events, per category.
std::array<Amount, kAllocationCategories> TotalAppliedByCategory(const CTDoc& doc);

// Zeroes the applied and specific amounts; the letters stay.
void ResetAllocationAmounts(AllocationRecord& record);

// The allocation window of one payment (the GUI's). It edits the event's record in place as it
// recomputes; it reports how it was closed. dueBefore is the window's own copy of the amounts due
// per category before the payment, which no computation meanwhile can change.
enum class AllocationWindowResult { Ok, Cancel, NothingDue };
using DueByCategory = std::array<double, kAllocationCategories>;
using PaymentAllocationWindow =
    std::function<AllocationWindowResult(CTDoc& doc, int index, const DueByCategory& dueBefore)>;

// The checks before the window opens for event index, with their messages: it must be a dated
// payment, deposit or credit in a problem that has some other event (else false, silently); the events
// must be in date order (20046); the problem is computed and allocated through the payment, which gets
// a record, and doc.m_dueByCategory holds the dues before it; no overpayment interest may have accrued
// by then (18017). True when the window may open. The computation puts events of one date in their
// order; index follows the event when that moves it.
bool PreparePaymentAllocation(CTDoc& doc, int& index);

// PreparePaymentAllocation, then the window on the event's record: OK marks the problem modified;
// Cancel restores the record as it was when the window opened, and a window closed for want of
// anything due shows 18012. Without a window nothing opens after the checks. However it closes, the
// problem's results are those of its last full computation again, not the partial runs' made for the
// window. Refused (with a message) while another run of the problem is under way.
void OpenPaymentAllocation(CTDoc& doc, int index, const PaymentAllocationWindow& window);

}  // namespace zarvic
