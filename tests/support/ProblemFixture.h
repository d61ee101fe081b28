#pragma once

// A problem to compute in tests: events from a short table of rows, a rate table built in the test or
// the shipped FEDERAL.TB3, messages recorded, options restored afterwards.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/AppOptions.h"
#include "core/StringTable.h"
#include "core/UserInterface.h"
#include "problem/CTDoc.h"
#include "ratetables/RateTable.h"
#include "ratetables/TableFile.h"

namespace zarvic::testing {

inline DayNumber D(const char* text) {
  bool ok = false;
  DayNumber d = ParseDate(text, ok);
  EXPECT_TRUE(ok) << text;
  return d;
}

// One event: type, date, amount in dollars.
struct Ev {
  std::uint16_t type;
  const char* date;
  double dollars;
};

// One rate line: start, mode, normal, motivated and refund rates in percent, days-per-year code.
inline RateLine Line(const char* start, int mode, double normal, double motivated, double refund,
                     std::uint16_t days = 365) {
  RateLine line;
  line.start = D(start);
  line.mode = static_cast<std::uint16_t>(mode);
  line.normalRate = normal;
  line.motivatedRate = motivated;
  line.refundRate = refund;
  line.daysPerYear = days;
  return line;
}

inline RateTable MakeTable(const std::string& name, const std::vector<RateLine>& lines,
                           DayNumber endDate = NO_DATE) {
  RateTable table;
  table.name = name;
  for (std::size_t i = 0; i < lines.size(); ++i) table.lines[i] = lines[i];
  table.lineCount = static_cast<std::uint16_t>(lines.size());
  table.endDate = endDate;
  return table;
}

class ProblemFixture : public ::testing::Test {
 protected:
  void TearDown() override { Options() = savedOptions_; }

  CTDoc& Doc() { return *doc_; }

  void SetEvents(const std::vector<Ev>& events) {
    for (CEvent& event : doc_->m_events) event.Clear();
    for (std::size_t i = 0; i < events.size(); ++i) {
      CEvent& event = doc_->m_events[i];
      event.m_type = events[i].type;
      event.m_date = D(events[i].date);
      event.m_amount = events[i].dollars * 100;
    }
  }

  void UseTable(const RateTable& table) { doc_->m_rateTable = table; }
  void UseFederalTable() {
    ASSERT_TRUE(LoadTable(doc_->m_rateTable, ZARVIC_BINARY_DIR "/FEDERAL.TB3", false));
  }

  // The texts of numbered messages, to compare with ui_.Texts().
  static std::vector<std::string> Texts(const std::vector<int>& ids) {
    std::vector<std::string> texts;
    for (int id : ids) texts.emplace_back(StringText(id));
    return texts;
  }

  RecordingUserInterface ui_;
  ScopedUserInterface scopedUi_{ui_};
  std::unique_ptr<CTDoc> doc_ = std::make_unique<CTDoc>();

 private:
  AppOptions savedOptions_ = Options();
};

}  // namespace zarvic::testing
