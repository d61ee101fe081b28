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
};

// One month of a failure-to-pay penalty, for the penalty report.
struct PenaltyMonth {
  DayNumber start = NO_DATE;
  int rateStep = 0;  // 0 = 0.25%, 1 = 0.5%, 3 = 1%
  Amount base = 0.0;
  Amount amount = 0.0;
  bool graceLead = false;  // the leading zero record of failure to pay assessment (its grace period)
};

// What one computation pass of the penalties leaves behind; arrays indexed by penalty k, cents.
struct PenaltyResults {
  std::array<Amount, kPenaltyRecords> PenaltyAmount{};
  std::array<Amount, kPenaltyRecords> PenaltyGross{};
  std::array<Amount, kPenaltyRecords> PenaltyComponent{};
  std::array<Amount, kPenaltyRecords> PenaltyBase{};
  std::array<Amount, kPenaltyRecords> PenaltyFullBase{};
  std::array<Amount, kPenaltyRecords> PenaltyOverlap{};
  std::array<Amount, kPenaltyRecords> PenaltyCapRemaining{};
  std::array<Amount, kPenaltyRecords> PenaltyMinimum{};
  std::array<Amount, kPenaltyRecords> PenaltyCap{};
  std::array<Amount, kPenaltyRecords> PenaltyAssessedTotal{};
  std::array<DayNumber, kPenaltyRecords> PenaltyFirstDate = NoDates();
  std::array<std::string, kPenaltyRecords> PenaltyHistoryTemplate{};
  std::array<std::string, kPenaltyRecords> PenaltyExplainTemplate{};

  std::vector<PenaltyAssessment> assessments;    // date order; same date: in the order added
  std::vector<PenaltyMonth> failureToPayMonths;  // failure to pay tax shown
  std::vector<PenaltyMonth> failureToPayAssessmentMonths;

  Amount PenaltyInterestTotal = 0.0;  // interest on penalties through the run's date
  bool PenaltyPrepaidFlag = false;    // caution 20038

  void Clear() { *this = PenaltyResults{}; }

 private:
  static std::array<DayNumber, kPenaltyRecords> NoDates() {
    std::array<DayNumber, kPenaltyRecords> d{};
    d.fill(NO_DATE);
    return d;
  }
};

}  // namespace zarvic
