#include "core/FieldRules.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "core/AppOptions.h"
#include "core/Text.h"
#include "core/UserInterface.h"

namespace zarvic {
namespace {

constexpr size_t kDateFieldChars = 10;
constexpr size_t kIntFieldChars = 19;

std::string Head(const TextField& field, size_t n) {
  std::string text = field.Text();
  if (text.size() > n) text.resize(n);
  return text;
}

}  // namespace

std::string DateFieldText(DayNumber date) {
  return FormatDate(date, Options().showCentury);
}

DayNumber GetDateField(const TextField& field) {
  return ParseDate(Head(field, kDateFieldChars));
}

void SetDateField(TextField& field, DayNumber date) {
  field.SetText(DateFieldText(date));
}

void NormalizeDateField(TextField& field) {
  bool ok = false;
  DayNumber d = ParseDate(field.Text(), ok);
  field.SetText(ok ? DateFieldText(d) : std::string());
}

std::optional<Amount> ReadAmountField(std::string_view text) {
  if (Trim(text).empty()) return 0.0;
  return ParseWellFormedAmount(text);
}

Amount GetAmountField(const TextField& field) {
  return ReadAmountField(field.Text()).value_or(0.0);
}

std::string AmountFieldText(Amount cents, bool bracket) {
  // Deduction columns always show brackets, zero included.
  if (bracket && cents == 0.0) return WholeDollarActive() ? "<0>" : "<0.00>";
  return FormatAmount(cents, true, bracket, false);
}

void SetAmountField(TextField& field, Amount cents, bool bracket) {
  field.SetText(AmountFieldText(cents, bracket));
}

bool NormalizeAmountField(TextField& field, bool isSigned) {
  std::optional<Amount> value = ReadAmountField(field.Text());
  if (!value) return false;
  if (!isSigned) *value = std::fabs(*value);
  field.SetText(FormatAmount(*value, true, false, false));
  return true;
}

bool NormalizeAmountField(TextField& field) {
  return NormalizeAmountField(field, false);
}

bool NormalizePercentField(TextField& field) {
  double percent = ParseAmountCents(field.Text()) / 100.0;
  double whole = RoundHalfAwayFromZero(percent);
  if (whole == percent) return true;
  MessageBoxId(19208);
  field.SetText(StringPrintf("%.0f", whole));
  return false;
}

long GetIntField(const TextField& field) {
  return std::strtol(Head(field, kIntFieldChars).c_str(), nullptr, 10);
}

void SetIntField(TextField& field, long value) {
  field.SetText(StringPrintf("%ld", value));
}

void SetLetterField(TextField& field, char letter) {
  field.SetText(std::string(1, static_cast<char>(std::toupper(static_cast<unsigned char>(letter)))));
}

bool SetTextIfChanged(TextField& field, const std::string& text) {
  if (EqualsNoCase(field.Text(), text)) return false;
  field.SetText(text);
  return true;
}

int DateFieldLimit() {
  return Options().showCentury ? 10 : 8;
}

int CellFieldLimit(int mode) {
  switch (mode) {
    case static_cast<int>(CellMode::Date):
      return Options().showCentury ? 10 : 9;
    case static_cast<int>(CellMode::Rate):
      return 5;
    default:
      return -1;
  }
}

bool LeaveDateField(TextField& field) {
  const std::string text = field.Text();
  if (text.empty()) return true;
  bool ok = false;
  DayNumber d = ParseDate(text, ok);
  if (!ok) {
    field.SetText({});
    return false;
  }
  SetTextIfChanged(field, DateFieldText(d));
  return true;
}

bool LeaveAmountField(TextField& field) {
  const std::string text = field.Text();
  if (text.empty()) return true;
  std::optional<Amount> value = ReadAmountField(text);
  if (!value) return false;
  SetTextIfChanged(field, FormatAmount(*value, true, false, false));
  return true;
}

CellOutcome LeaveCellField(TextField& field, CellMode mode) {
  switch (mode) {
    case CellMode::Date: {
      const std::string text = field.Text();
      bool ok = text.empty();
      DayNumber d = ok ? NO_DATE : ParseDate(text, ok);
      SetTextIfChanged(field, ok ? DateFieldText(d) : std::string());
      return ok ? CellOutcome::DateAccepted : CellOutcome::DateInvalid;
    }
    case CellMode::Rate: {
      // A rate is a percentage, not money: read to the hundredth whatever Whole Dollar Mode says. An
      // emptied cell is no rate (0.00), as it always was.
      const std::string text = field.Text();
      std::optional<double> read = Trim(text).empty() ? 0.0 : ParseWellFormedRate(text);
      if (!read) return CellOutcome::RateMalformed;
      double rate = *read;
      bool reduced = false;
      while (rate > kMaxRate) {
        rate /= 10.0;
        reduced = true;
      }
      SetTextIfChanged(field, StringPrintf("%2.2f", rate));
      return reduced ? CellOutcome::RateReduced : CellOutcome::RateAccepted;
    }
    case CellMode::Text:
      break;
  }
  return CellOutcome::None;
}

}  // namespace zarvic
