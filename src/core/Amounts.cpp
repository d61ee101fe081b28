#include "core/Amounts.h"

#include <cmath>
#include <cstdio>

#include "core/AppOptions.h"

namespace zarvic {
namespace {

__extension__ typedef unsigned __int128 Wide;

constexpr Wide kSaturated = static_cast<Wide>(1) << 120;
constexpr int kMaxFractionDigits = 24;  // later digits cannot move a result by a cent

Wide Pow10(int n) {
  Wide p = 1;
  for (int i = 0; i < n; ++i) p *= 10;
  return p;
}

// The text is read as an exact decimal (digits and the place of the point), so that amounts such as
// 1.005 round as typed rather than as their nearest binary double.
Amount Parse(std::string_view text, bool wholeDollars) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && text[i] == '-') {
    negative = true;
    ++i;
  }
  Wide mantissa = 0;
  int fractionDigits = 0;
  bool inFraction = false;
  bool saturated = false;
  auto multiply = [&](Wide factor) {
    if (mantissa > kSaturated / factor) {
      saturated = true;
    } else {
      mantissa *= factor;
    }
  };
  for (; i < text.size() && text[i] != '\t'; ++i) {
    char c = text[i];
    if (c >= '0' && c <= '9') {
      if (saturated) continue;
      if (inFraction) {
        if (fractionDigits >= kMaxFractionDigits) continue;
        ++fractionDigits;
      }
      multiply(10);
      mantissa += static_cast<Wide>(c - '0');
    } else if (c == '.') {
      if (inFraction) return 0.0;
      inFraction = true;
    } else if (c == 'c' || c == 'C') {
      multiply(100);
    } else if (c == 'k' || c == 'K') {
      multiply(1000);
    } else if (c == 'm' || c == 'M') {
      multiply(1000000);
    } else if (c == '-') {
      negative = true;
    }
  }

  // Cents = mantissa * 100 / 10^fractionDigits, clamped to the input limit, rounded half away from zero.
  constexpr std::uint64_t kLimitCents = 9999999999999998ULL;
  Wide denominator = Pow10(fractionDigits);
  Wide centsTimesDen = saturated || mantissa > kSaturated / 100 ? kSaturated : mantissa * 100;
  double result;
  if (saturated || centsTimesDen > static_cast<Wide>(kLimitCents) * denominator) {
    result = static_cast<double>(kLimitCents);
    if (wholeDollars) result = RoundHalfAwayFromZero(result / 100.0) * 100.0;
  } else if (wholeDollars) {
    Wide den = denominator * 100;
    Wide q = centsTimesDen / den;
    Wide r = centsTimesDen % den;
    if (2 * r >= den) ++q;
    result = static_cast<double>(static_cast<std::uint64_t>(q)) * 100.0;
  } else {
    Wide q = centsTimesDen / denominator;
    Wide r = centsTimesDen % denominator;
    if (2 * r >= denominator) ++q;
    result = static_cast<double>(static_cast<std::uint64_t>(q));
  }
  return negative && result != 0.0 ? -result : result;
}

}  // namespace

double RoundHalfAwayFromZero(double value) {
  double whole = 0.0;
  double fraction = std::modf(value, &whole);
  if (fraction >= 0.5) return whole + 1.0;
  if (fraction <= -0.5) return whole - 1.0;
  return whole;
}

void RoundToCents(Amount& cents) {
  cents = RoundHalfAwayFromZero(cents);
}

void RoundAmount(Amount& cents) {
  if (WholeDollarActive()) {
    cents = RoundHalfAwayFromZero(cents / 100.0) * 100.0;
  } else {
    cents = RoundHalfAwayFromZero(cents);
  }
}

Amount ParseAmount(std::string_view text) {
  return Parse(text, WholeDollarActive());
}

Amount ParseAmountCents(std::string_view text) {
  return Parse(text, false);
}

bool IsWellFormedAmount(std::string_view text) {
  size_t begin = text.find_first_not_of(' ');
  if (begin == std::string_view::npos) return false;
  text = text.substr(begin, text.find_last_not_of(' ') - begin + 1);
  if (text.front() == '-' || text.front() == '+') text.remove_prefix(1);
  size_t point = text.find('.');
  std::string_view whole = text.substr(0, point);
  std::string_view fraction = point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
  auto digits = [](std::string_view part) {
    return part.find_first_not_of("0123456789") == std::string_view::npos;
  };
  if (whole.empty() && fraction.empty()) return false;
  if (!digits(fraction)) return false;
  if (whole.find(',') == std::string_view::npos) return digits(whole);
  // 1,234,567: one to three digits, then groups of exactly three.
  size_t comma = whole.find(',');
  if (comma == 0 || comma > 3 || !digits(whole.substr(0, comma))) return false;
  for (size_t at = comma; at < whole.size(); at += 4) {
    if (whole[at] != ',' || at + 4 > whole.size() || !digits(whole.substr(at + 1, 3))) return false;
  }
  return true;
}

std::optional<Amount> ParseWellFormedAmount(std::string_view text) {
  if (!IsWellFormedAmount(text)) return std::nullopt;
  return ParseAmount(text);
}

bool HasDigitsBeyondCents(std::string_view text) {
  const std::size_t point = text.find('.');
  if (point == std::string_view::npos) return false;
  for (std::size_t i = point + 3; i < text.size(); ++i) {
    if (text[i] >= '1' && text[i] <= '9') return true;
  }
  return false;
}

std::optional<Amount> ParseWellFormedCents(std::string_view text) {
  if (!IsWellFormedAmount(text) || HasDigitsBeyondCents(text)) return std::nullopt;
  const Amount cents = ParseAmountCents(text);
  if (!(std::fabs(cents) < kAmountLimitCents)) return std::nullopt;
  return cents;
}

std::optional<double> ParseWellFormedRate(std::string_view text) {
  if (text.find(',') != std::string_view::npos || !IsWellFormedAmount(text)) return std::nullopt;
  return ParseAmountCents(text) / 100.0;
}

void InsertThousands(std::string& text) {
  if (text.size() <= 3 || text.size() > 50) return;
  size_t point = text.find('.');
  size_t end = point == std::string::npos ? text.size() : point;
  size_t begin = 0;
  while (begin < end && !(text[begin] >= '0' && text[begin] <= '9')) ++begin;
  for (size_t pos = end; pos > begin + 3; pos -= 3) text.insert(pos - 3, 1, ',');
}

std::string FormatCount(long count) {
  std::string text = std::to_string(count);
  InsertThousands(text);
  return text;
}

std::string FormatAmount(Amount cents, bool group, bool bracket, bool shorten) {
  bool negative = cents < -0.009;
  double magnitude = std::fabs(cents);
  if (magnitude > kAmountLimitCents) return {};
  char buf[64];
  if (WholeDollarActive()) {
    std::snprintf(buf, sizeof buf, "%1.0lf", RoundHalfAwayFromZero(magnitude / 100.0));
  } else {
    std::snprintf(buf, sizeof buf, "%0.2lf", magnitude / 100.0);
  }
  std::string text = buf;
  if (group) {
    if (shorten) {
      // Large amounts drop their cents so that they still fit their report column, rounded like
      // every other amount (123,456,789.51 shows as 123,456,790).
      if (magnitude > 9999999999.9 || (negative && magnitude > 999999999.9)) {
        std::snprintf(buf, sizeof buf, "%1.0lf", RoundHalfAwayFromZero(magnitude / 100.0));
        text = buf;
      }
      InsertThousands(text);
    } else if (magnitude <= 9999999999999.99) {
      InsertThousands(text);
    }
  }
  if (negative) text = bracket ? "<" + text + ">" : "-" + text;
  return text;
}

void RightJustify(std::string& text, size_t width) {
  if (text.size() >= width) return;
  size_t pad = width - text.size();
  // A closing bracket hangs one column past the field so digits line up with unbracketed amounts.
  if (!text.empty() && text.back() == '>') ++pad;
  text.insert(0, pad, ' ');
}

}  // namespace zarvic
