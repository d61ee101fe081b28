#include "ratetables/FederalTable.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <vector>

#include "core/Amounts.h"
#include "core/Dates.h"
#include "core/Text.h"
#include "ratetables/TableOperations.h"

namespace zarvic {
namespace {

// One line of standard CSV: fields separated by commas, quoted fields may hold commas and "" for a
// quote.
std::vector<std::string> SplitCsv(const std::string& line) {
  std::vector<std::string> fields(1);
  bool quoted = false;
  for (size_t i = 0; i < line.size(); ++i) {
    char c = line[i];
    if (quoted) {
      if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
        fields.back() += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        fields.back() += c;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  return fields;
}

bool ParseRate(const std::string& text, double& rate) {
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, rate);
  return ec == std::errc() && ptr == end && std::isfinite(rate) && rate >= 0.0;
}

bool IsLeapYear(DayNumber d) {
  return DaysInMonth(2, YearOf(d)) == 29;
}

struct Row {
  DayNumber start;
  double underpayment;
  double overpayment;
  std::string source;
};

RateLine LineFor(DayNumber start, const Row& row) {
  static const DayNumber kSimpleFrom = MakeDate(2, 1, 1980);
  static const DayNumber kDailyFrom = MakeDate(1, 1, 1983);
  RateLine line;
  line.start = start;
  line.mode = start >= kDailyFrom ? kModeDaily : start >= kSimpleFrom ? kModeSimple : kModeOldIrs;
  line.normalRate = row.underpayment;
  line.motivatedRate = RoundHalfAwayFromZero(row.underpayment * 120.0) / 100.0;
  line.refundRate = row.overpayment;
  line.daysPerYear = line.mode == kModeDaily && IsLeapYear(start) ? 366 : 365;
  return line;
}

bool Fail(std::string& error, const std::string& message) {
  error = message;
  return false;
}

}  // namespace

bool BuildFederalTable(const std::string& csvPath, RateTable& table, std::string& error) {
  std::ifstream in(csvPath, std::ios::binary);
  if (!in) return Fail(error, csvPath + ": cannot be opened");
  std::string line;
  if (!std::getline(in, line)) return Fail(error, csvPath + ": empty");
  if (!line.empty() && line.back() == '\r') line.pop_back();
  std::vector<std::string> heading = SplitCsv(line);
  auto column = [&](const char* name) {
    for (size_t i = 0; i < heading.size(); ++i) {
      if (heading[i] == name) return static_cast<int>(i);
    }
    return -1;
  };
  const int startCol = column("start_date");
  const int underCol = column("underpayment");
  const int overCol = column("overpayment_noncorporate");
  const int sourceCol = column("source");
  if (startCol < 0 || underCol < 0 || overCol < 0 || sourceCol < 0) {
    return Fail(error,
                csvPath + ": needs the columns start_date, underpayment, overpayment_noncorporate, source");
  }

  std::vector<Row> rows;
  for (int lineNumber = 2; std::getline(in, line); ++lineNumber) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (Trim(line).empty()) continue;
    std::vector<std::string> f = SplitCsv(line);
    f.resize(heading.size());
    std::string where = StringPrintf("%s:%d: ", csvPath.c_str(), lineNumber);
    Row row{};
    bool ok = false;
    row.start = ParseDate(f[startCol], ok);
    if (!ok || !IsDate(row.start)) return Fail(error, where + "bad start date \"" + f[startCol] + "\"");
    if (!rows.empty() && row.start <= rows.back().start) return Fail(error, where + "rows out of date order");
    if (!ParseRate(f[underCol], row.underpayment) || !ParseRate(f[overCol], row.overpayment)) {
      return Fail(error, where + "bad rate");
    }
    row.source = f[sourceCol];
    rows.push_back(std::move(row));
  }
  if (rows.empty()) return Fail(error, csvPath + ": no rates");

  // The quarter of the last row is the last one the history covers.
  DayNumber last = rows.back().start;
  DayNumber quarterStart = MakeDate((MonthOf(last) - 1) / 3 * 3 + 1, 1, YearOf(last));
  DayNumber endDate = AddDays(AddMonths(quarterStart, 3), -1);
  if (!IsDate(endDate) || endDate < last)
    return Fail(error, csvPath + ": the last quarter ends past the calendar");

  static const DayNumber kDailyFrom = MakeDate(1, 1, 1983);
  std::vector<RateLine> lines;
  for (size_t i = 0; i < rows.size(); ++i) {
    lines.push_back(LineFor(rows[i].start, rows[i]));
    DayNumber through = i + 1 < rows.size() ? AddDays(rows[i + 1].start, -1) : endDate;
    for (int year = YearOf(rows[i].start) + 1; year <= YearOf(through); ++year) {
      DayNumber newYear = MakeDate(1, 1, year);
      if (newYear >= kDailyFrom) lines.push_back(LineFor(newYear, rows[i]));
    }
  }
  if (lines.size() > static_cast<size_t>(kMaxRateLines)) {
    return Fail(error, StringPrintf("%s: %zu lines, more than a table holds", csvPath.c_str(), lines.size()));
  }

  ClearTable(table);
  table.name = "FEDERAL";
  table.description = "Federal IRS interest";
  table.endDate = endDate;
  for (size_t i = 0; i < lines.size(); ++i) table.lines[i] = lines[i];
  SetNotes(table,
           "US federal interest rates on tax underpayments and overpayments (IRC 6601, 6611, 6621), in "
           "percent per year, through " +
               FormatDate(endDate, true) +
               ".\r\n"
               "Normal: the underpayment rate. Motivated: 120% of it. Refund: the overpayment rate of "
               "taxpayers other than corporations.\r\n"
               "Old IRS Method before 02-01-1980, Simple from 02-01-1980, Daily compounding from "
               "01-01-1983 (IRC 6622), with a line at every January 1 for the days of the year.\r\n"
               "Sources: 26 CFR 301.6621-1; IRM Exhibit 20.2.15-1; the quarterly table of 89 FR 77879 (FR "
               "Doc 2024-21785); IRS news releases and Revenue Rulings of each quarter (latest: " +
               rows.back().source + ").");
  return true;
}

}  // namespace zarvic
