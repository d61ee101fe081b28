#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "allocation/PaymentAllocation.h"

namespace zarvic {

class CTDoc;

// The Payment Allocation window of one payment, without the window: which categories get a row,
// what each row shows, and the recompute that writes through to the payment's record.
class PaymentAllocationModel {
 public:
  static constexpr int kMaxRows = 12;

  // Rows: the categories with more than 0.001 cents due before the payment, by index, at most 12.
  PaymentAllocationModel(CTDoc& doc, int index, const DueByCategory& dueBefore);

  bool NothingDue() const { return rows_.empty(); }
  int RowCount() const { return static_cast<int>(rows_.size()); }
  int Category(int row) const { return rows_[row]; }
  std::string Name(int row) const;
  std::string LetterTip(int row) const { return "Priority for " + Name(row); }
  std::string AmountTip(int row) const { return "Amount for " + Name(row); }

  DayNumber PaymentDate() const;
  Amount PaymentAmount() const;

  // The record as the last recompute left it.
  char Letter(int row) const { return record_.m_priority[rows_[row]]; }
  Amount Specific(int row) const { return record_.m_specific[rows_[row]]; }
  Amount Applied(int row) const { return record_.m_payment[rows_[row]]; }
  Amount DueAfter(int row) const { return dueAfter_[rows_[row]]; }

  // What the person has typed into the shown rows, one entry per row.
  struct RowEntry {
    char letter = 0;
    Amount specific = 0.0;
  };
  // Takes the rows' letters and amounts and recomputes, unless the amounts add up to more than the
  // payment: then 20042 is shown, nothing changes and the result is false (the window puts the
  // stored amount back into the field it was leaving).
  bool Apply(const std::vector<RowEntry>& entries);
  // Allocates the payment with the record as it stands and writes it through to the event.
  void Recompute();
  // "Restore IRS Default Allocation": the built-in letters and no specific amounts, recomputed.
  void RestoreIrsDefault();

  const AllocationRecord& Record() const { return record_; }

 private:
  CTDoc& doc_;
  int index_;
  std::vector<int> rows_;
  AllocationRecord record_;  // the working copy
  DueByCategory dueAfter_{};
};

// The Default Payment Allocation window: fifteen letters, position k the letter of category k.
inline constexpr int kDefaultAllocationFields = 15;
inline constexpr int kDefaultAllocationTailLength = 20;  // "C"s appended on OK

struct DefaultAllocationField {
  int position;
  const char* label;
};
// The five Revenue Procedure groups in the IRS order, with their texts and fields.
struct DefaultAllocationGroup {
  const char* text;
  std::vector<DefaultAllocationField> fields;
};
const std::vector<DefaultAllocationGroup>& DefaultAllocationGroups();
inline constexpr char kDefaultAllocationHeading[] =
    "Rev. Proc. 84-58 contains the IRS default allocation rules.  You can change the defaults here.  "
    "Amounts are paid in alphabetical order.  Press F1 for help.";

// The fifteen letters the window opens with (NUL where the string is too short).
std::array<char, kDefaultAllocationFields> DefaultAllocationFieldLetters(std::string_view current);
// The 35-letter string the window stores; nothing when a letter is missing (the window then closes
// as Cancel).
std::optional<std::string> DefaultAllocationString(const std::array<char, kDefaultAllocationFields>& letters);
// Writes "Default Payment Allocation" and makes it the letters of new records; false when the
// setting could not be written (shown already).
bool StoreDefaultAllocation(const std::string& letters);

}  // namespace zarvic
