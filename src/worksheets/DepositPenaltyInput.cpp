#include "worksheets/DepositPenaltyInput.h"

#include <cmath>
#include <optional>

#include "core/Amounts.h"
#include "core/StringTable.h"
#include "core/Text.h"
#include "problem/TextInput.h"

namespace zarvic {
namespace {

constexpr int kNotDepositInputId = 21410;
constexpr int kUnknownKeywordId = 21411;
constexpr int kScheduleId = 21412;
constexpr int kPeriodUsageId = 21413;
constexpr int kLiabilityUsageId = 21414;
constexpr int kDepositUsageId = 21415;
constexpr int kNoticeUsageId = 21416;
constexpr int kDemandUsageId = 21417;
constexpr int kAveragedUsageId = 21418;
constexpr int kTwiceId = 21419;
constexpr int kNotDateId = 21420;
constexpr int kNotAmountId = 21421;
constexpr int kNoPeriodId = 21422;

constexpr std::string_view kKeyword = "DEPTAX";
// Editors on other systems may begin a UTF-8 file with a byte order mark.
std::string Message(int id, std::string_view value = {}) {
  const std::string format(StringText(id));
  // The value comes from the file: no control character goes into the message.
  return StringPrintfDynamic(format.c_str(), EscapeForTerminal(value).c_str());
}

std::string_view KeywordOf(std::string_view line) {
  return line.substr(0, line.find('\t'));
}

// The values after the keyword, blanks around each taken off; empty values at the end (trailing tabs)
// are dropped.
std::vector<std::string> ValuesOf(std::string_view line) {
  std::vector<std::string> values;
  std::size_t tab = line.find('\t');
  while (tab != std::string_view::npos) {
    const std::size_t next = line.find('\t', tab + 1);
    values.push_back(Trim(line.substr(tab + 1, next == std::string_view::npos ? next : next - tab - 1)));
    tab = next;
  }
  while (!values.empty() && values.back().empty()) values.pop_back();
  return values;
}

class Reader {
 public:
  explicit Reader(DepositPenaltyInput& input) : input_(input) {}

  void Line(int number, std::string_view line) {
    line_ = number;
    const std::string keyword = ToUpper(Trim(KeywordOf(line)));
    const std::vector<std::string> values = ValuesOf(line);
    if (!seenKeyword_) {
      seenKeyword_ = true;
      if (keyword != kKeyword) return Fail(kNotDepositInputId);
    }
    DepositPenaltyWorksheet& w = input_.worksheet;
    if (keyword == kKeyword) {
      if (!Once(scheduleLine_, keyword)) return;
      if (values.size() != 1) return Fail(kScheduleId);
      const std::string schedule = ToUpper(values[0]);
      if (schedule == "MONTHLY") {
        w.schedule = DepositSchedule::Monthly;
      } else if (schedule == "SEMIWEEKLY") {
        w.schedule = DepositSchedule::Semiweekly;
      } else if (schedule == "DATES") {
        w.schedule = DepositSchedule::Dates;
      } else {
        Fail(kScheduleId);
      }
    } else if (keyword == "PERIOD") {
      if (!Once(periodLine_, keyword)) return;
      if (values.size() != 2) return Fail(kPeriodUsageId);
      const std::optional<DayNumber> start = Date(values[0]);
      const std::optional<DayNumber> end = Date(values[1]);
      if (start && end) {
        w.periodStart = *start;
        w.periodEnd = *end;
      }
    } else if (keyword == "LIABILITY") {
      if (values.size() < 2 || values.size() > 3) return Fail(kLiabilityUsageId);
      const std::optional<DayNumber> date = Date(values[0]);
      const std::optional<Amount> amount = Money(values[1]);
      const std::optional<DayNumber> due =
          values.size() == 3 ? Date(values[2]) : std::optional<DayNumber>(NO_DATE);
      if (!date || !amount || !due) return;
      w.liabilities.push_back({*date, *amount, *due});
      liabilityLines_.push_back(line_);
    } else if (keyword == "DEPOSIT") {
      if (values.size() < 2 || values.size() > 4) return Fail(kDepositUsageId);
      TaxDeposit deposit;
      const std::optional<DayNumber> date = Date(values[0]);
      const std::optional<Amount> amount = Money(values[1]);
      std::size_t next = 2;
      if (next < values.size() && EqualsNoCase(values[next], "DIRECT")) {
        deposit.direct = true;
        ++next;
      }
      std::optional<DayNumber> designated = NO_DATE;
      if (next < values.size()) {
        // Only a date may follow, and only once.
        if (next + 1 != values.size() || values[next].empty()) return Fail(kDepositUsageId);
        designated = Date(values[next]);
      }
      if (!date || !amount || !designated) return;
      deposit.date = *date;
      deposit.amount = *amount;
      deposit.designated = *designated;
      w.deposits.push_back(deposit);
      depositLines_.push_back(line_);
    } else if (keyword == "NOTICE" || keyword == "DEMAND") {
      const bool notice = keyword == "NOTICE";
      if (!Once(notice ? noticeLine_ : demandLine_, keyword)) return;
      if (values.size() != 1) return Fail(notice ? kNoticeUsageId : kDemandUsageId);
      if (const std::optional<DayNumber> date = Date(values[0])) (notice ? w.firstNotice : w.demand) = *date;
    } else if (keyword == "AVERAGED") {
      if (!Once(averagedLine_, keyword)) return;
      if (!values.empty()) return Fail(kAveragedUsageId);
      w.averaged = true;
    } else {
      Fail(kUnknownKeywordId, KeywordOf(line));
    }
  }

  void Finish() {
    if (!input_.errors.empty()) return;
    if (!seenKeyword_) {
      line_ = 0;
      return Fail(kNotDepositInputId);
    }
    if (periodLine_ == 0) {
      line_ = 0;
      return Fail(kNoPeriodId);
    }
    std::optional<DepositWorksheetError> error = CheckDepositWorksheet(input_.worksheet);
    if (!error) return;
    int line = periodLine_;
    if (error->liability >= 0) line = liabilityLines_[error->liability];
    if (error->deposit >= 0) line = depositLines_[error->deposit];
    input_.errors.push_back({line, error->message});
  }

 private:
  void Fail(int id, std::string_view value = {}) { input_.errors.push_back({line_, Message(id, value)}); }

  // A keyword that may stand only once.
  bool Once(int& seen, std::string_view keyword) {
    if (seen != 0) {
      Fail(kTwiceId, keyword);
      return false;
    }
    seen = line_;
    return true;
  }

  std::optional<DayNumber> Date(const std::string& text) {
    bool ok = false;
    const DayNumber d = ParseDate(text, ok);
    if (ok && text.find('\t') == std::string::npos) return d;
    Fail(kNotDateId, text);
    return std::nullopt;
  }

  // Always to the cent: the penalty is figured in cents whatever the display mode.
  std::optional<Amount> Money(const std::string& text) {
    if (const std::optional<Amount> cents = ParseWellFormedCents(text)) return cents;
    Fail(kNotAmountId, text);
    return std::nullopt;
  }

  DepositPenaltyInput& input_;
  int line_ = 0;
  bool seenKeyword_ = false;
  int scheduleLine_ = 0;
  int periodLine_ = 0;
  int noticeLine_ = 0;
  int demandLine_ = 0;
  int averagedLine_ = 0;
  std::vector<int> liabilityLines_;
  std::vector<int> depositLines_;
};

bool IsBlank(std::string_view line) {
  return Trim(line).empty();
}

}  // namespace

bool IsDepositPenaltyInput(std::string_view content) {
  content = WithoutByteOrderMark(content);
  while (!content.empty()) {
    const std::size_t end = content.find_first_of("\r\n");
    const std::string_view line = content.substr(0, end);
    if (!IsBlank(line)) return EqualsNoCase(Trim(KeywordOf(line)), kKeyword);
    if (end == std::string_view::npos) break;
    content.remove_prefix(end + 1);
  }
  return false;
}

DepositPenaltyInput ReadDepositPenaltyInput(TextLineReader& reader) {
  DepositPenaltyInput input;
  Reader r(input);
  while (!reader.AtEnd()) {
    const std::string text = reader.ReadLine();
    const std::string_view line = reader.LineNumber() == 1 ? WithoutByteOrderMark(text) : text;
    if (!IsBlank(line)) r.Line(reader.LineNumber(), line);
  }
  r.Finish();
  return input;
}

std::string FormatDepositInputError(const std::string& path, const DepositInputError& error) {
  if (error.line <= 0) return path + ": " + error.message;
  return StringPrintf("%s:%d: ", path.c_str(), error.line) + error.message;
}

}  // namespace zarvic
