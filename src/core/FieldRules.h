#pragma once

#include <string>
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

Amount GetAmountField(const TextField& field);
void SetAmountField(TextField& field, Amount cents, bool bracket);
void NormalizeAmountField(TextField& field);
void NormalizeAmountField(TextField& field, bool isSigned);
// Returns false (after message 19208) when the number had to be rounded to a whole percentage.
bool NormalizePercentField(TextField& field);

long GetIntField(const TextField& field);
void SetIntField(TextField& field, long value);
void SetLetterField(TextField& field, char letter);
// Replaces the text only when it differs without regard to case (avoids flicker). True if replaced.
bool SetTextIfChanged(TextField& field, const std::string& text);

// The texts the operations above write.
std::string DateFieldText(DayNumber date);
std::string AmountFieldText(Amount cents, bool bracket);

}  // namespace zarvic
