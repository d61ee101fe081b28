#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zarvic {

// Money is a double holding a whole number of cents ($1,234.56 is 123456.0). Rounding is half away
// from zero and happens only through RoundAmount (obeys Whole Dollar Mode) and RoundToCents (never
// does), at the points the rules name.
using Amount = double;

inline constexpr double kAmountLimitDollars = 99999999999999.98;
inline constexpr double kAmountLimitCents = 9999999999999998.0;

double RoundHalfAwayFromZero(double value);
void RoundAmount(Amount& cents);
void RoundToCents(Amount& cents);
inline Amount RoundedAmount(Amount cents) {
  RoundAmount(cents);
  return cents;
}
inline Amount RoundedToCents(Amount cents) {
  RoundToCents(cents);
  return cents;
}

Amount ParseAmount(std::string_view text);       // obeys Whole Dollar Mode
Amount ParseAmountCents(std::string_view text);  // always to whole cents

// Whether text (blanks around it allowed) is an amount as files written by other programs give it:
// digits with an optional sign, thousands commas only in whole groups of three, at most one decimal
// point, and nothing else. The window fields are more lenient ("2k", "1.5m"); file readers that must
// not misread a figure check with this first.
bool IsWellFormedAmount(std::string_view text);

// The one strict reading of an amount, for files and windows alike: nothing when the text is not
// well formed (IsWellFormedAmount), else ParseAmount of it (Whole Dollar Mode obeyed), so that
// "3,08O,514.86", "1.5E+06" or "4x88.26" are refused instead of misread.
std::optional<Amount> ParseWellFormedAmount(std::string_view text);
// The same reading always to the cent, whatever Whole Dollar Mode says, and within the amount limit:
// the worksheets' figures (estimated tax, deposits) are the IRS's, to the cent, so a digit other than
// 0 after the cents is refused rather than rounded away.
std::optional<Amount> ParseWellFormedCents(std::string_view text);
// Whether text has a digit other than 0 after its cents ("0.005", "12.3401").
bool HasDigitsBeyondCents(std::string_view text);
// A rate in percent as typed: a decimal number with an optional sign and at most one decimal point,
// no commas; read to the hundredth whatever Whole Dollar Mode says. Nothing when it is not one.
std::optional<double> ParseWellFormedRate(std::string_view text);

// Empty text beyond the display limit.
std::string FormatAmount(Amount cents, bool group, bool bracket, bool shorten);
void InsertThousands(std::string& text);
// A count as messages give it: 1,200.
std::string FormatCount(long count);
void RightJustify(std::string& text, size_t width);

}  // namespace zarvic
