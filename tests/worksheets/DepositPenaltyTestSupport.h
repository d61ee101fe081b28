#pragma once

// Dates and amounts as the deposit penalty tests write them.

#include <gtest/gtest.h>

#include <string>

#include "core/Dates.h"

namespace zarvic::deposit_testing {

// MM-DD-YYYY; nullptr for no date.
inline DayNumber D(const char* text) {
  if (text == nullptr) return NO_DATE;
  bool ok = false;
  const DayNumber d = ParseDate(text, ok);
  EXPECT_TRUE(ok) << text;
  return d;
}

inline std::string Text(DayNumber d) {
  return FormatDate(d, true);
}

// Dollars to cents.
constexpr double Usd(double dollars) {
  return dollars * 100.0;
}

}  // namespace zarvic::deposit_testing
