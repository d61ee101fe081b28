#pragma once

#include <array>
#include <string>
#include <vector>

#include "core/Amounts.h"
#include "core/Dates.h"
#include "penalties/PenaltyRecord.h"

namespace zarvic {

// One assessment of a penalty: interest on penalties runs from its date.
struct PenaltyAssessment {
  int penalty = 0;           // penalty index k
  DayNumber date = NO_DATE;  // from which interest on the penalty runs
  Amount amount = 0.0;       // cents, rounded with RoundAmount
  int notice = -1;           // failure to pay: the notice number; -1 otherwise
  int event = -1;            // an entered penalty (penalty -1): its event index
};

// One month of a failure-to-pay penalty, for the penalty report.
struct PenaltyMonth {
  DayNumber start = NO_DATE;
  int rateStep = 0;  // 0 = 0.25%, 1 = 0.5%, 3 = 1%
  Amount base = 0.0;
  Amount amount = 0.0;
  bool graceLead = false;  // the leading zero record of failure to pay assessment (its grace period)
};

// Hot interest (6621(c)) dates of a run: computed at the hot rate on the days after start up to stop,
// and again after restart. NO_DATE where a date does not apply.
struct HotInterestDates {
  DayNumber start = NO_DATE;
  DayNumber stop = NO_DATE;  // 12-31-97 when hot interest stops then
  DayNumber restart = NO_DATE;

  // Whether a period that starts on day d is computed at the hot rate.
  bool HotAfter(DayNumber d) const;
};

// What one computation pass of the penalties leaves behind; arrays indexed by penalty k, cents.
struct PenaltyResults {
  std::array<Amount, kPenaltyRecords> PenaltyAmount{};         // "REAL": after every cap, minimum, reduction
  std::array<Amount, kPenaltyRecords> PenaltyGross{};          // "PBIN": before the final caps and reductions
  std::array<Amount, kPenaltyRecords> PenaltyComponent{};      // "INTP": interest part; 6651(a)(3) excess
  std::array<Amount, kPenaltyRecords> PenaltyBase{};           // "BASE": what the rate was applied to
  std::array<Amount, kPenaltyRecords> PenaltyFullBase{};       // "MBAS": the tax that limited the base
  std::array<Amount, kPenaltyRecords> PenaltyOverlap{};        // "REDU": the other delinquency's share
  std::array<Amount, kPenaltyRecords> PenaltyCapRemaining{};   // "RED2"
  std::array<Amount, kPenaltyRecords> PenaltyMinimum{};        // "PMIN": failure to file
  std::array<Amount, kPenaltyRecords> PenaltyCap{};            // "PMAX": the 25% maximum
  std::array<Amount, kPenaltyRecords> PenaltyAssessedTotal{};  // "ADDA", undated assessments included
  std::array<DayNumber, kPenaltyRecords> PenaltyFirstDate = NoDates();  // "ADDD"
  std::array<std::string, kPenaltyRecords> PenaltyHistoryTemplate{};    // "JIM0"; empty: none
  std::array<std::string, kPenaltyRecords> PenaltyExplainTemplate{};    // "JIM1": why not applied

  std::vector<PenaltyAssessment> assessments;    // date order; same date: in the order added
  std::vector<PenaltyMonth> failureToPayMonths;  // failure to pay tax shown
  std::vector<PenaltyMonth> failureToPayAssessmentMonths;

  HotInterestDates hotDates;  // of the run's compute date

  // 6653(a): the amount subject to 5%, the amount attributable to negligence and its part also subject
  // to the motivated rate, each limited by the tax less the 6653(b) amount ("BAM0" to "BAM2").
  std::array<Amount, 3> NegligenceAmounts{};

  Amount PenaltyInterestTotal = 0.0;    // interest on penalties through the run's date
  bool PenaltyPrepaidFlag = false;      // caution 20038: paid toward a penalty beyond its assessments
  bool PenaltyWhileRefundFlag = false;  // a penalty balance during an overpayment ("INTWARN.DM")
  bool AccuracyStackingFlag = false;    // the accuracy-related amounts exceed the tax (18007)

  void Clear() { *this = PenaltyResults{}; }

 private:
  static std::array<DayNumber, kPenaltyRecords> NoDates() {
    std::array<DayNumber, kPenaltyRecords> d{};
    d.fill(NO_DATE);
    return d;
  }
};

}  // namespace zarvic
