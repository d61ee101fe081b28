#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "problem/TextInput.h"
#include "worksheets/EstimatedTax.h"

namespace zarvic {

// An estimated tax input: a text file whose first keyword line is "ESTTAX", read by -EX. One keyword
// at the start of each line (the whole keyword, without regard to case), then tab-separated values;
// dates and amounts are read as in the problem's text input:
//   ESTTAX        INDIVIDUAL, CORPORATION or LARGECORP
//   YEAR          year [start date of a fiscal year]
//   REQUIRED      the required annual payment
//   CURTAX, PRIORTAX, PRIORAGI   the year's tax, the prior year's tax and adjusted gross income
//   FARMER, MFS   a farmer or fisherman; married filing separately
//   WITHHELD      amount (in equal parts on the due dates), or date and amount (repeatable: the
//                 election of the actual dates)
//   ESTPAY        date, amount (repeatable)
//   INSTALLMENTS  four amounts: the required installments as given
//   ANNUALIZED    four amounts: the annualized installments, compared with the regular ones
//   TAB           rate table name; COM  compute through this date
struct EstimatedTaxInput {
  EstimatedTaxWorksheet sheet;
  std::string tableName = "FEDERAL";
};

// Whether the line is an "ESTTAX" keyword line (the first keyword line says what a text input is).
bool IsEstimatedTaxKeywordLine(std::string_view line);

// Reads the whole input into `input`. Every line that cannot be used is refused whole and named in
// `messages` as "PATH:LINE: " and the reason (without the path when the reader has none). False when
// the first line that is not blank is not a valid "ESTTAX" line: nothing is read then.
bool ReadEstimatedTaxInput(TextLineReader& reader, EstimatedTaxInput& input,
                           std::vector<std::string>& messages);

inline constexpr int kEstTaxInputNotEsttax = 21370;
inline constexpr int kEstTaxInputUnknownKeyword = 21371;
inline constexpr int kEstTaxInputBadValue = 21372;
inline constexpr int kEstTaxInputNegative = 21373;
inline constexpr int kEstTaxInputRepeated = 21374;
inline constexpr int kEstTaxInputWithholdingBothWays = 21375;
inline constexpr int kEstTaxInputInstallmentsBothWays = 21376;
inline constexpr int kEstTaxInputBadTableName = 21377;

}  // namespace zarvic
