#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "core/Amounts.h"
#include "core/Dates.h"

namespace zarvic {

// A text field of an input window. The GUI wraps its line edits in this; the rules below decide what is
// read and written, so every window treats dates, amounts and numbers alike.
class TextField {
 public:
  virtual ~TextField() = default;
  virtual std::string Text() const = 0;
  virtual void SetText(const std::string& text) = 0;
};

// A TextField over a plain string (tests, and code that stages field texts).
class StringField : public TextField {
 public:
  explicit StringField(std::string text = {}) : text_(std::move(text)) {}
  std::string Text() const override { return text_; }
  void SetText(const std::string& text) override { text_ = text; }

 private:
  std::string text_;
};

DayNumber GetDateField(const TextField& field);
void SetDateField(TextField& field, DayNumber date);
void NormalizeDateField(TextField& field);

// Amount fields read by the strict rule of ParseWellFormedAmount; a malformed amount is refused with
// this message, which shows the accepted form, and rates with the second.
inline constexpr int kMalformedAmountId = 21250;
inline constexpr int kMalformedRateId = 21251;
// An amount field's text: blank reads as 0, a well-formed amount as itself; nothing otherwise.
std::optional<Amount> ReadAmountField(std::string_view text);
// 0 for a malformed text: the windows refuse one before they read their fields.
Amount GetAmountField(const TextField& field);
void SetAmountField(TextField& field, Amount cents, bool bracket);
// False, with the text left as it is, when it is not an amount.
bool NormalizeAmountField(TextField& field);
bool NormalizeAmountField(TextField& field, bool isSigned);
// Returns false (after message 19208) when the number had to be rounded to a whole percentage.
bool NormalizePercentField(TextField& field);

long GetIntField(const TextField& field);
void SetIntField(TextField& field, long value);
void SetLetterField(TextField& field, char letter);
// Replaces the text only when it differs without regard to case (avoids flicker). True if replaced.
bool SetTextIfChanged(TextField& field, const std::string& text);

// What the program's own controls do when the person leaves them. The GUI calls these from its
// focus handlers and acts on the outcome afterwards (queued), so a message never opens inside the
// focus change itself.

// Text limits while a control has the focus. A date field takes eight characters ("01/05/95"), or
// ten while "Show Century in Dates" is on, so a date the field itself shows can be typed back.
int DateFieldLimit();
inline constexpr int kAmountFieldLimit = 21;
int CellFieldLimit(int mode);  // 0 date, 1 rate (5), 2 text (no limit: -1)

// A date field left: empty stays empty; a date is written back in the display form when that
// differs (1/5/95 becomes 01-05-95). False when the text is not a date: the field is emptied and the
// caller shows 20032 and puts the focus back.
bool LeaveDateField(TextField& field);

// An amount field left: a non-empty text is written back grouped, with a minus sign, when that
// differs (1234.5 becomes 1,234.50). False when the text is not an amount: it is left as it is, and the
// control puts back what it held before and shows kMalformedAmountId.
bool LeaveAmountField(TextField& field);

// The three modes of a table or header cell, and what leaving one reports to its owner.
enum class CellMode { Date = 0, Rate = 1, Text = 2 };
enum class CellOutcome {
  None,          // text cell
  DateAccepted,  // a valid or empty date
  DateInvalid,   // the cell is emptied
  RateAccepted,
  RateReduced,    // the rate was above 99.99 and was divided by ten until it fitted
  RateMalformed,  // not a decimal number: the text is left, the control puts its old one back
};
CellOutcome LeaveCellField(TextField& field, CellMode mode);
inline constexpr double kMaxRate = 99.99;

// The texts the operations above write.
std::string DateFieldText(DayNumber date);
std::string AmountFieldText(Amount cents, bool bracket);

}  // namespace zarvic
