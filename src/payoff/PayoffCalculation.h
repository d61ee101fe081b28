#pragma once

#include <string>
#include <vector>

#include "core/Amounts.h"
#include "core/Dates.h"
#include "core/FieldRules.h"

namespace zarvic {

class CTDoc;

// The texts of the payoff calculator, shown as they stand.
inline constexpr char kPayoffNoProblem[] = "Please open the data file containing the balance to pay off.";
inline constexpr char kPayoffNoBalance[] = "There is no balance to pay off.";
inline constexpr char kPayoffTermNotInteger[] = "Term must be an integer.";
inline constexpr char kPayoffStartNotDate[] = "Start date must be specified as MM-DD-YY.";
inline constexpr char kPayoffStartTooEarly[] = "Start date must be later than compute date.";
inline constexpr char kPayoffTooManyEvents[] = "This request requires too many events.";
inline constexpr char kPayoffIterationsExceeded[] = "Maximum iteration count (%d) exceeded.";
// What would fit, after kPayoffTooManyEvents: a plan that needs more payments than the problem has
// room for is refused before anything is inserted.
inline constexpr char kPayoffLongestTerm[] = "\n\nThe longest term that fits is %d months.";
inline constexpr char kPayoffSmallestAmount[] =
    "\n\nThe smallest monthly amount that pays off the balance within the %d payments that fit is $%s.";
inline constexpr char kPayoffNoRoom[] = "\n\nThe problem has no room for another payment.";
// A term of no months or a payment of nothing would divide by zero or fill the problem with payments
// that never reduce the balance; these are refused with their own texts.
inline constexpr char kPayoffTermTooShort[] = "Term must be at least 1 month.";
inline constexpr char kPayoffAmountTooSmall[] = "Amount must be more than zero.";
extern const char kPayoffIntroText[];

inline constexpr int kPayoffMaxPasses = 20;
inline constexpr Amount kPayoffTolerance = 100.0;  // cents: the fixed term ends within $1.00 either way

enum class PayoffMode { FixedTerm, FixedAmount };

// Payment k (0, 1, ...) of a plan starting on start: k months after the start's month, on the start's
// day of month or that month's last day when it is shorter. Always counted from start, so a plan that
// starts on the 31st pays on the 31st in every month that has one.
DayNumber PayoffPaymentDate(DayNumber start, int k);

// The payoff calculator's rules over one problem ("Payoff Calculation"); the window maps its fields to
// these. The payments a plan inserts stay in the problem (the user keeps them by saving).
class PayoffCalculation {
 public:
  // Which field a failed check concerns, so the window can select and focus it.
  enum class Field { None, TermField, AmountField, StartField };

  explicit PayoffCalculation(CTDoc& doc) : doc_(doc) {}

  // Opening: without a problem kPayoffNoProblem; an unset compute date becomes today; a problem with no
  // balance due (after computing it when its last total was nothing) gives kPayoffNoBalance. False:
  // the window does not open.
  static bool CanOpen(CTDoc* doc);

  // The first field values: the mode, the term, the amount and the start date (the compute date).
  void Start();

  PayoffMode Mode() const { return mode_; }
  void SetMode(PayoffMode mode) { mode_ = mode; }
  long Term() const { return term_; }
  Amount MonthlyAmount() const { return amount_; }
  DayNumber StartDate() const { return start_; }

  // The field texts as the window shows them.
  static std::string AmountText(Amount cents);  // "$" and the grouped amount

  // Leaving a field: false after the field's message (the window selects and focuses it); else the
  // value is read and, for the amount and the start date, written back in its display form.
  bool LeaveTerm(TextField& field);
  bool LeaveAmount(TextField& field);
  bool LeaveStart(TextField& field);

  // "Calculate": the three checks, the start date against the compute date, then the plan of the
  // mode. Returns the field to focus after a refused request (Field::None when the plan ran, or when
  // it stopped with its message). A second Calculate first removes the payments of the first. A plan
  // that needs more events than fit is refused with what would fit, and leaves the events, the
  // compute date and the modified flag as they were. After a plan the problem's next computation
  // shows the cautions of a first one (the plan's own runs kept the end-of-table caution away).
  Field Calculate(TextField& term, TextField& amount, TextField& start);

  // The results area: the introduction before the first plan, then the plan or its refusal.
  const std::string& ResultText() const { return resultText_; }
  // The payments of the last plan, in date order, as inserted (the last one adjusted).
  struct Payment {
    DayNumber date;
    Amount amount;
  };
  const std::vector<Payment>& Plan() const { return plan_; }
  bool HasPlan() const { return !plan_.empty(); }

 private:
  bool CheckFields(TextField& term, TextField& amount, TextField& start, Field& failed);
  void RemovePlan();
  void InsertPlan(int count, Amount each);
  Amount Recompute(bool quiet);
  // n payments of one amount that leave the balance at the last one within $1.00 either way, the
  // amount found by passes from the annuity of the start date's rate; residual is what is left. False
  // when kPayoffMaxPasses passes do not get there (the last pass's payments stay).
  bool InsertLevelPlan(int n, Amount& residual);
  // False when the plan was refused (resultText_ says why); what it inserted is then for the caller
  // to take back.
  bool PlanFixedAmount();
  bool PlanFixedTerm();
  void WriteResult(Amount residual);
  void Finish();

  CTDoc& doc_;
  PayoffMode mode_ = PayoffMode::FixedTerm;
  long term_ = 0;
  Amount amount_ = 0.0;
  DayNumber start_ = NO_DATE;
  DayNumber computeDate_ = NO_DATE;  // the problem's own compute date, before any plan moved it
  std::vector<Payment> plan_;
  std::string resultText_;
};

}  // namespace zarvic
