#include "allocation/AllocationWindows.h"

#include <cctype>

#include "core/AppOptions.h"
#include "core/Settings.h"
#include "core/StringTable.h"
#include "core/UserInterface.h"
#include "problem/CTDoc.h"

namespace zarvic {
namespace {

constexpr int kAllocatedTooMuchId = 20042;
constexpr int kCategoryNameBaseId = 18500;
constexpr double kShownDue = 0.001;  // cents: a category with less due gets no row

}  // namespace

PaymentAllocationModel::PaymentAllocationModel(CTDoc& doc, int index, const DueByCategory& dueBefore)
    : doc_(doc), index_(index), record_(doc.m_events[index].Allocation(DefaultAllocationLetters())) {
  for (int c = 0; c < kAllocationCategories && RowCount() < kMaxRows; ++c) {
    if (dueBefore[c] > kShownDue) rows_.push_back(c);
  }
  dueAfter_ = doc.m_dueByCategory;
}

std::string PaymentAllocationModel::Name(int row) const {
  return std::string(StringText(kCategoryNameBaseId + rows_[row]));
}

DayNumber PaymentAllocationModel::PaymentDate() const {
  return doc_.m_events[index_].m_date;
}

Amount PaymentAllocationModel::PaymentAmount() const {
  return doc_.m_events[index_].m_amount;
}

bool PaymentAllocationModel::Apply(const std::vector<RowEntry>& entries) {
  Amount sum = 0.0;
  for (const RowEntry& entry : entries) sum += entry.specific;
  if (sum > PaymentAmount()) {
    MessageBoxId(kAllocatedTooMuchId);
    return false;
  }
  for (std::size_t row = 0; row < entries.size() && row < rows_.size(); ++row) {
    const char letter = entries[row].letter;
    record_.m_priority[rows_[row]] = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
    record_.m_specific[rows_[row]] = entries[row].specific;
  }
  Recompute();
  return true;
}

void PaymentAllocationModel::Recompute() {
  doc_.m_events[index_].Allocation() = record_;
  AllocatePayment(doc_, index_);
  record_ = doc_.m_events[index_].Allocation();
  dueAfter_ = doc_.m_dueByCategory;
}

void PaymentAllocationModel::RestoreIrsDefault() {
  record_.m_specific.fill(0.0);
  record_.SetPriorities(kBuiltInAllocationLetters);
  Recompute();
}

const std::vector<DefaultAllocationGroup>& DefaultAllocationGroups() {
  static const std::vector<DefaultAllocationGroup> groups = {
      {"Rev. Proc. 84-58 pays this first.", {{0, "Normal Tax"}}},
      {"Rev. Proc. 84-58 pays this second.", {{2, "Motivated Tax"}}},
      {"Rev. Proc. 84-58 pays these items third.  Zarvic pays these items on a pro-rata basis.",
       {{6, "Failure to File"},
        {7, "Failure to pay tax shown"},
        {8, "Failure to pay assessment"},
        {9, "Negligence"},
        {10, "Fraud"},
        {11, "Valuation overstatement"},
        {12, "Pension liability overstatement"},
        {13, "Valuation understatement"},
        {14, "Understatement of liability"},
        {4, "Entered Penalty"}}},
      {"Rev. Proc. 84-58 pays these items fourth.  Zarvic pays these items on a pro-rata basis.",
       {{1, "Normal Interest"}, {5, "Penalty Interest"}}},
      {"Rev. Proc. 84-58 pays this last.", {{3, "Motivated Interest"}}},
  };
  return groups;
}

std::array<char, kDefaultAllocationFields> DefaultAllocationFieldLetters(std::string_view current) {
  std::array<char, kDefaultAllocationFields> letters{};
  for (std::size_t k = 0; k < letters.size() && k < current.size(); ++k) letters[k] = current[k];
  return letters;
}

std::optional<std::string> DefaultAllocationString(
    const std::array<char, kDefaultAllocationFields>& letters) {
  std::string out;
  for (char letter : letters) {
    if (letter == '\0' || letter == ' ') return std::nullopt;
    out += static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
  }
  out.append(kDefaultAllocationTailLength, 'C');
  return out;
}

bool StoreDefaultAllocation(const std::string& letters) {
  if (!WriteStringSetting(SettingId::DefaultPaymentAllocation, letters)) return false;
  Options().defaultPaymentAllocation = letters;
  return true;
}

}  // namespace zarvic
