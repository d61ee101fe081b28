#pragma once

// A problem built event by event for the penalty tests, with the options, clock and user interface
// put back afterwards.

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <utility>

#include "core/AppOptions.h"
#include "core/Clock.h"
#include "core/UserInterface.h"
#include "problem/CTDoc.h"

namespace zarvic::testing {

inline DayNumber D(const char* text) {
  bool ok = false;
  const DayNumber d = ParseDate(text, ok);
  EXPECT_TRUE(ok) << text;
  return d;
}

// Dollars to cents.
constexpr double Usd(double dollars) {
  return dollars * 100.0;
}

class PenaltyTest : public ::testing::Test {
 protected:
  PenaltyTest() {
    SetClock([] { return ClockTime{{2026, 6, 1}, 12, 0, 0}; });
    doc_->m_rateTable.name = "FEDERAL";
  }
  ~PenaltyTest() override {
    Options() = savedOptions_;
    SetClock(nullptr);
  }

  CTDoc& doc() { return *doc_; }
  PenaltyRecord& rec(int k) { return doc_->m_penalties[k]; }
  PenaltyResults& res() { return doc_->m_penaltyResults; }

  // Appends an event; payments, deposits and credits carry an allocation of their whole amount to tax
  // unless they are given another one.
  int Add(std::uint16_t type, const char* date, double cents) {
    const int i = doc_->EventCount();
    CEvent& e = doc_->m_events[i];
    e.m_type = type;
    e.m_date = D(date);
    e.m_amount = cents;
    if (LowersBalance(type)) e.Allocation().m_payment[0] = cents;
    doc_->RecomputeTaxTotals();
    return i;
  }
  int Tax(const char* date, double cents) { return Add(kEventTax, date, cents); }
  int Pay(const char* date, double cents) { return Add(kEventPayment, date, cents); }
  // A payment applied as given: pairs of (category, cents).
  int PayTo(const char* date, std::initializer_list<std::pair<int, double>> parts) {
    double total = 0.0;
    for (const auto& [category, cents] : parts) total += cents;
    const int i = Add(kEventPayment, date, total);
    AllocationRecord& a = *doc_->m_events[i].m_allocation;
    a.m_payment.fill(0.0);
    for (const auto& [category, cents] : parts) a.m_payment[category] = cents;
    return i;
  }

  // One table line from 1980 on: normal rate, motivated rate 120% of it, refund rate the same.
  void FlatTable(double rate, int mode, std::uint16_t daysPerYear = 365) {
    RateTable& t = doc_->m_rateTable;
    t.lines = {};
    t.lines[0] =
        RateLine{D("01-01-1980"), static_cast<std::uint16_t>(mode), rate, rate * 1.2, rate, daysPerYear};
    t.lineCount = 1;
  }
  // Appends a line starting on the given date.
  void AddLine(const char* start, double rate, int mode, std::uint16_t daysPerYear = 365) {
    RateTable& t = doc_->m_rateTable;
    t.lines[t.lineCount] =
        RateLine{D(start), static_cast<std::uint16_t>(mode), rate, rate * 1.2, rate, daysPerYear};
    ++t.lineCount;
  }

  // Activates penalty k with the entered amount and dates (slot, date) pairs.
  PenaltyRecord& Activate(int k, double amount0, std::initializer_list<std::pair<int, const char*>> dates) {
    PenaltyRecord& r = doc_->m_penalties[k];
    r.SetFlag(PEN_ACTIVE, true);
    r.m_amounts[0] = amount0;
    for (const auto& [slot, date] : dates) r.m_dates[slot] = D(date);
    return r;
  }

  RecordingUserInterface ui_;
  ScopedUserInterface scopedUi_{ui_};
  std::unique_ptr<CTDoc> doc_ = std::make_unique<CTDoc>();

 private:
  AppOptions savedOptions_ = Options();
};

}  // namespace zarvic::testing
