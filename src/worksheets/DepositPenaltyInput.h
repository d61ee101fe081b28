#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "worksheets/DepositPenalty.h"

namespace zarvic {

class TextLineReader;

// The unattended input of a deposit penalty worksheet: a text file whose first line is the keyword
// DEPTAX, then one keyword a line, its values separated by tabs:
//   DEPTAX     MONTHLY, SEMIWEEKLY or DATES (each liability names its due date)
//   PERIOD     first day, last day
//   LIABILITY  date, amount [, due date]
//   DEPOSIT    date, amount [, DIRECT] [, date of the designated liability]
//   NOTICE     date of the first notice;  DEMAND  date of notice and demand
//   AVERAGED
// Keywords are compared without regard to case and must stand whole; blank lines are skipped. Dates
// and amounts are read strictly (a file is never guessed at), amounts always to the cent.

struct DepositInputError {
  int line = 0;  // from 1; 0 when the file as a whole is at fault
  std::string message;
};

struct DepositPenaltyInput {
  DepositPenaltyWorksheet worksheet;
  std::vector<DepositInputError> errors;  // the worksheet is usable only when there are none
};

// Whether the first line that is not blank starts with the keyword DEPTAX.
bool IsDepositPenaltyInput(std::string_view content);

// Reads every line, collecting the message of each one that cannot be taken, then checks the worksheet
// (CheckDepositWorksheet) and puts that message on the line of the row at fault.
DepositPenaltyInput ReadDepositPenaltyInput(TextLineReader& reader);

// "PATH:LINE: message", or "PATH: message" for the file as a whole.
std::string FormatDepositInputError(const std::string& path, const DepositInputError& error);

}  // namespace zarvic
