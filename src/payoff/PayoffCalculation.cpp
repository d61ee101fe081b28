#include "payoff/PayoffCalculation.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "core/Text.h"
#include "core/UserInterface.h"
#include "engine/ComputeDriver.h"
#include "problem/CTDoc.h"
#include "problem/EventTypes.h"
#include "ratetables/TableOperations.h"

namespace zarvic {

const char kPayoffIntroText[] =
    "The Payoff Calculator gives you two options to project a monthly payoff by specifying either the term or "
    "the monthly payment amount.\n\nThe first payment will be on the Start Date, which defaults to the due date "
    "but may be any date on or after the compute date.\n\nThe calculation is based on the current balance "
    "including projected interest and penalties at the current interest rate.  This is only a projection as the "
    "interest rates are subject to change each quarter.\n\nFor further details, press F1 for Help.";

namespace {

constexpr Amount kNothingDue = 0.005;  // cents

bool OnlyCharacters(const std::string& text, std::string_view allowed) {
  return text.find_first_not_of(allowed) == std::string::npos;
}

// Moves the table's end date to the plan's last payment while the engine runs, so that the
// end-of-table caution stays away, and puts it back whatever happens.
class TableEndMove {
 public:
  TableEndMove(CTDoc& doc, DayNumber end) : doc_(doc), saved_(doc.m_rateTable.endDate) {
    doc_.m_rateTable.endDate = end;
  }
  ~TableEndMove() { doc_.m_rateTable.endDate = saved_; }
  TableEndMove(const TableEndMove&) = delete;
  TableEndMove& operator=(const TableEndMove&) = delete;

 private:
  CTDoc& doc_;
  DayNumber saved_;
};

// The planning runs silence the large-underpayment caution.
class PayoffRuns {
 public:
  explicit PayoffRuns(CTDoc& doc) : doc_(doc), saved_(doc.m_payoff) { doc_.m_payoff = true; }
  ~PayoffRuns() { doc_.m_payoff = saved_; }
  PayoffRuns(const PayoffRuns&) = delete;
  PayoffRuns& operator=(const PayoffRuns&) = delete;

 private:
  CTDoc& doc_;
  bool saved_;
};

}  // namespace

DayNumber PayoffPaymentDate(DayNumber start, int k) {
  const int months = MonthOf(start) - 1 + k;
  const int month = months % 12 + 1;
  const int year = YearOf(start) + months / 12;
  const int day = std::min(DayOf(start), DaysInMonth(month, year));
  return MakeDate(month, day, year);
}

bool PayoffCalculation::CanOpen(CTDoc* doc) {
  if (doc == nullptr) {
    MessageBoxText(kPayoffNoProblem);
    return false;
  }
  ProblemMessageScope scope(*doc);
  if (!IsDate(doc->m_computeDate)) doc->m_computeDate = Today();
  if (FinalTotal(*doc) <= kNothingDue) {
    ComputeProblem(*doc, false);
    if (FinalTotal(*doc) <= kNothingDue) {
      MessageBoxText(kPayoffNoBalance);
      return false;
    }
  }
  return true;
}

void PayoffCalculation::Start() {
  mode_ = PayoffMode::FixedTerm;
  term_ = 12;
  amount_ = 0.0;
  computeDate_ = doc_.m_computeDate;
  start_ = computeDate_;
  resultText_ = kPayoffIntroText;
}

std::string PayoffCalculation::AmountText(Amount cents) {
  return "$" + FormatAmount(cents, true, true, false);
}

bool PayoffCalculation::LeaveTerm(TextField& field) {
  if (!OnlyCharacters(field.Text(), "0123456789")) {
    MessageBoxText(kPayoffTermNotInteger);
    return false;
  }
  term_ = GetIntField(field);
  return true;
}

bool PayoffCalculation::LeaveAmount(TextField& field) {
  // The field shows its amount after a dollar sign ("$1,234.56"); past the sign it is read strictly,
  // and a text that is no amount gives way to the amount held.
  std::string text = Trim(field.Text());
  if (!text.empty() && text.front() == '$') text.erase(0, 1);
  const std::optional<Amount> amount = ReadAmountField(text);
  if (!amount) {
    field.SetText(AmountText(amount_));
    MessageBoxId(kMalformedAmountId);
    return false;
  }
  amount_ = *amount;
  field.SetText(AmountText(amount_));
  return true;
}

bool PayoffCalculation::LeaveStart(TextField& field) {
  // The forms every other date field takes (01-31-27, 1/31/2027, 1 31 27); anything else is refused
  // whole. An empty field is left for Calculate, which asks for a date.
  const std::string text = field.Text();
  bool ok = false;
  const DayNumber date = ParseDate(text, ok);
  if (!ok && !Trim(text).empty()) {
    MessageBoxText(kPayoffStartNotDate);
    return false;
  }
  start_ = ok ? date : GetDateField(field);
  SetDateField(field, start_);
  return true;
}

bool PayoffCalculation::CheckFields(TextField& term, TextField& amount, TextField& start, Field& failed) {
  if (!LeaveTerm(term)) {
    failed = Field::TermField;
  } else if (!LeaveAmount(amount)) {
    failed = Field::AmountField;
  } else if (!LeaveStart(start)) {
    failed = Field::StartField;
  } else if (!IsDate(start_)) {
    // An empty start date would plan from no date at all.
    MessageBoxText(kPayoffStartNotDate);
    failed = Field::StartField;
  } else if (mode_ == PayoffMode::FixedTerm && term_ < 1) {
    MessageBoxText(kPayoffTermTooShort);
    failed = Field::TermField;
  } else if (mode_ == PayoffMode::FixedAmount && amount_ <= 0.0) {
    MessageBoxText(kPayoffAmountTooSmall);
    failed = Field::AmountField;
  } else {
    return true;
  }
  return false;
}

PayoffCalculation::Field PayoffCalculation::Calculate(TextField& term, TextField& amount, TextField& start) {
  ProblemMessageScope scope(doc_);
  Field failed = Field::None;
  if (!CheckFields(term, amount, start, failed)) return failed;
  if (start_ < computeDate_) {
    MessageBoxText(kPayoffStartTooEarly);
    return Field::StartField;
  }
  PayoffRuns runs(doc_);
  // A refused plan takes back everything, the first plan's removal included.
  const std::vector<CEvent> events(doc_.m_events.begin(), doc_.m_events.end());
  const DayNumber computeDate = doc_.m_computeDate;
  const bool modified = doc_.IsModified();
  const bool computedOnce = doc_.m_computedOnce;
  const std::vector<Payment> plan = plan_;
  // A second plan replaces the first: its payments go and the balance is that of the problem alone.
  RemovePlan();
  doc_.m_computeDate = computeDate_;
  ComputeProblem(doc_, true);
  const bool planned = mode_ == PayoffMode::FixedAmount ? PlanFixedAmount() : PlanFixedTerm();
  if (!planned) {
    std::copy(events.begin(), events.end(), doc_.m_events.begin());
    plan_ = plan;
    doc_.m_computeDate = computeDate;
    {
      TableEndMove move(doc_, plan_.empty() ? doc_.m_rateTable.endDate : plan_.back().date);
      ComputeProblem(doc_, true);
    }
    doc_.m_computedOnce = computedOnce;
    doc_.SetModified(modified);
    return Field::None;
  }
  Finish();
  return Field::None;
}

// The engine sorts the events, so the plan's payments are found by what they are rather than where
// they stood; a user's event after the start date is never taken for one of them.
void PayoffCalculation::RemovePlan() {
  for (auto payment = plan_.rbegin(); payment != plan_.rend(); ++payment) {
    for (int i = doc_.EventCount() - 1; i >= 0; --i) {
      const CEvent& event = doc_.m_events[static_cast<std::size_t>(i)];
      if (event.m_type == kEventPayment && event.m_date == payment->date && event.m_amount == payment->amount &&
          !event.HasDescription()) {
        doc_.DeleteEvent(i);
        break;
      }
    }
  }
  plan_.clear();
}

void PayoffCalculation::InsertPlan(int count, Amount each) {
  for (int k = 0; k < count; ++k) {
    const int at = doc_.EventCount();
    CEvent& event = doc_.m_events[static_cast<std::size_t>(at)];
    event.Clear();
    event.m_type = kEventPayment;
    event.m_date = PayoffPaymentDate(start_, static_cast<int>(plan_.size()));
    event.m_amount = each;
    event.m_gattAmount = each;
    plan_.push_back({event.m_date, each});
  }
}

Amount PayoffCalculation::Recompute(bool quiet) {
  const DayNumber last = plan_.empty() ? computeDate_ : plan_.back().date;
  doc_.m_computeDate = last;
  TableEndMove move(doc_, last);
  ComputeProblem(doc_, quiet);
  return FinalTotal(doc_);
}

bool PayoffCalculation::InsertLevelPlan(int n, Amount& residual) {
  const Amount e = FinalTotal(doc_);
  const int line = LineIndexFor(doc_.m_rateTable, start_);
  const double b = doc_.m_rateTable.lines[static_cast<std::size_t>(line)].normalRate / 1200.0;
  Amount P = e / n;  // a table without interest: equal parts
  if (b > 0.0) {
    const double c = std::pow(1.0 + b, n);
    P = e / ((c - 1.0) / (c * b));
  }
  P = std::trunc(P);
  RoundAmount(P);
  residual = e;
  // At least one pass, so that the text never describes payments that are not in the problem.
  for (int passes = 0;; ++passes) {
    if (passes == kPayoffMaxPasses) return false;
    RemovePlan();
    InsertPlan(n, P);
    residual = Recompute(true);
    if (std::fabs(residual) <= kPayoffTolerance) return true;
    P += residual / n;
    RoundAmount(P);
  }
}

bool PayoffCalculation::PlanFixedAmount() {
  const int room = kMaxEvents - doc_.EventCount();
  if (room < 1) {
    resultText_ = std::string(kPayoffTooManyEvents) + kPayoffNoRoom;
    return false;
  }
  // Whether as many payments as fit pay the balance off, with the problem computed to the last of
  // them: the plan below stops at the first payment that does.
  InsertPlan(room, amount_);
  const bool fits = Recompute(true) <= 0.0;
  RemovePlan();
  Amount x = Recompute(true);  // the balance of the problem alone again
  if (!fits) {
    // The smallest amount: the level payment of the longest plan, raised by what it leaves unpaid.
    Amount residual = 0.0;
    InsertLevelPlan(room, residual);
    const Amount smallest = plan_.front().amount + std::ceil(std::max(residual, 0.0) / room);
    resultText_ =
        std::string(kPayoffTooManyEvents) +
        StringPrintfDynamic(kPayoffSmallestAmount, room, FormatAmount(smallest, true, true, false).c_str());
    return false;
  }
  while (x > 0.0) {
    if (doc_.EventCount() >= kMaxEvents) {
      resultText_ = kPayoffTooManyEvents;
      return false;
    }
    InsertPlan(1, amount_);
    x = Recompute(false);
  }
  WriteResult(x);
  return true;
}

bool PayoffCalculation::PlanFixedTerm() {
  const int n = static_cast<int>(term_);
  if (doc_.EventCount() + term_ >= kMaxEvents) {
    const int longest = kMaxEvents - 1 - doc_.EventCount();
    MessageBoxText(
        std::string(kPayoffTooManyEvents) +
        (longest < 1 ? std::string(kPayoffNoRoom) : StringPrintfDynamic(kPayoffLongestTerm, longest)));
    return false;
  }
  Amount h = 0.0;
  if (!InsertLevelPlan(n, h)) {
    MessageBoxText(StringPrintfDynamic(kPayoffIterationsExceeded, kPayoffMaxPasses));
    return true;
  }
  WriteResult(h);
  return true;
}

void PayoffCalculation::WriteResult(Amount residual) {
  const int d = static_cast<int>(plan_.size());
  const Amount P = plan_.front().amount;
  const bool lastDiffers = std::fabs(residual) >= kNothingDue;
  const int equal = lastDiffers ? d - 1 : d;
  std::string text;
  if (lastDiffers) {
    Payment& last = plan_.back();
    last.amount = P + residual;
    for (int i = doc_.EventCount() - 1; i >= 0; --i) {
      CEvent& event = doc_.m_events[static_cast<std::size_t>(i)];
      if (event.m_type == kEventPayment && event.m_date == last.date && event.m_amount == P &&
          !event.HasDescription()) {
        event.m_amount = last.amount;
        event.m_gattAmount = last.amount;
        break;
      }
    }
  }
  auto money = [](Amount cents) { return FormatAmount(cents, true, true, false); };
  if (equal == 1) {
    text = StringPrintf("Payoff will require 1 payment of $%s on %s\n", money(P).c_str(),
                        FormatDate(plan_.front().date).c_str());
  } else if (equal > 1) {
    text = StringPrintf("Payoff will require %d payments of $%s on %s through %s\n", equal, money(P).c_str(),
                        FormatDate(plan_.front().date).c_str(),
                        FormatDate(plan_[static_cast<std::size_t>(equal - 1)].date).c_str());
  }
  if (lastDiffers) {
    // A plan of one payment that differs is that one payment, not "0 payments of ..." before it.
    text += StringPrintf(equal == 0 ? "Payoff will require 1 payment of $%s on %s\n" : "and 1 payment of $%s on %s\n",
                         money(plan_.back().amount).c_str(), FormatDate(plan_.back().date).c_str());
  }
  text +=
      "\nIf future payments extend beyond the last rate in the interest rate table, the last rate in the table will "
      "be used.\n";
  text +=
      "\nThe payoff payments have been inserted into your data file.  If you wish to keep them, close this window "
      "and save your data file.  To discard them, close this window, close your data file, and answer \"No\" when "
      "asked if you would like to save changes.\n";
  text += "\nPress F1 for help.";
  resultText_ = text;
}

void PayoffCalculation::Finish() {
  doc_.SetModified();
  // The plan's runs moved the table's end out of the way; the problem's next computation shows the
  // cautions of a first one, the end-of-table caution among them.
  doc_.m_computedOnce = false;
  CurrentUi().RefreshViews(&doc_);
}

}  // namespace zarvic
