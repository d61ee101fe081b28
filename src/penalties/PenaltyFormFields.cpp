#include "penalties/PenaltyFormFields.h"

#include <array>

#include "core/Text.h"
#include "penalties/PenaltyForms.h"
#include "penalties/PenaltySupport.h"

namespace zarvic {
namespace {

namespace pd = penalty_date;
using K = PenaltyFieldKind;
using C = PenaltyCheck;
using W = PenaltyWindowClass;

// Fields that only some eras of returns have.
bool Before7_19_84(DayNumber t) { return Before(t, pd::k7_19_84); }
bool From1990(DayNumber t) { return IsDate(t) && t >= pd::k1_1_90; }
// The 6659 notice date is asked only for returns due before 7-18-84.
bool NoticeFor6659(DayNumber t) { return Before(t, pd::k7_18_84) || (IsDate(t) && YearOf(t) > 89); }
bool NotAfter7_18_84(DayNumber t) { return DateKey(t) <= pd::k7_18_84; }
bool NotAfter10_21_86(DayNumber t) { return DateKey(t) <= pd::k10_21_86; }

constexpr std::string_view kDueDate = "Due date (with extensions)";
constexpr std::string_view kPercentage = "Applicable Penalty Percentage";
constexpr std::string_view kIndividual = "Individual return\ntimely filed?";
constexpr std::string_view kReduce = "Date the penalty rate was reduced to 0.25% (installment agreement)";
constexpr std::string_view kReinstate = "Date the penalty rate was reinstated to 0.5%";

constexpr std::array<int, 3> kRates102030 = {10, 20, 30};
constexpr std::array<int, 2> kRates2040 = {20, 40};

constexpr std::array<std::string_view, kNoticeRows> kNotices6651A2 = {
    "Date of 1st IRS notice (if any)", "Date of 2nd IRS notice (if any)", "Date of 3rd IRS notice (if any)",
    "Date of 4th IRS notice (if any)", "Date of 5th IRS notice (if any)", "Date of 6th IRS notice (if any)"};
constexpr std::array<std::string_view, kNoticeRows> kNotices6651A3 = {
    "Date of notice to pay tax",       "Date of 2nd IRS notice (if any)", "Date of 3rd IRS notice (if any)",
    "Date of 4th IRS notice (if any)", "Date of 5th IRS notice (if any)", "Date of 6th IRS notice (if any)"};

const PenaltyField k6651A1[] = {
    {K::Date, 2, C::None, "Date return was received by IRS"},
    {K::Date, 0, C::None, kDueDate},
    {K::Money, 0, C::None, "Net tax due"},
    {K::Date, 1, C::None, "Notice date\n(for due dates before 7-19-84)", &Before7_19_84},
    {K::Check, -1, C::Option, "Was failure-to-file due to fraud?", &From1990},
    {K::Check, -1, C::UseMinimum, "Use minimum penalty rule for income taxes"},
};
const PenaltyField k6651A2[] = {
    {K::Money, 0, C::None, "Tax shown on return but not paid"},
    {K::Date, 0, C::None, "Tax due date not including extensions of time to file"},
    {K::NoticeRows, -1, C::None, ""},
    {K::Check, -1, C::IndividualTimely, kIndividual},
    {K::Date, 8, C::None, kReduce, nullptr, true},
    {K::Date, 9, C::None, kReinstate, nullptr, true},
};
const PenaltyField k6651A3[] = {
    {K::Money, 0, C::None, "Enter amount of tax assessed"},
    {K::NoticeRows, -1, C::None, ""},
    {K::Check, -1, C::IndividualTimely, kIndividual},
    {K::Date, 8, C::None, kReduce, nullptr, true},
    {K::Date, 9, C::None, kReinstate, nullptr, true},
};
const PenaltyField k6653A0[] = {
    {K::Money, 0, C::None, "Underpayment subject to the penalty"},
    {K::Date, 1, C::None, "Date of the any notice to pay the penalty"},
};
const PenaltyField k6653A1[] = {
    {K::Money, 0, C::None, "Amount subject to 5% penalty"},
    {K::Money, 1, C::None, "Amount of the underpayment attributable to negligence"},
    {K::Money, 2, C::None, "Amount attributable to negligence that is also subject to the motivated rate "},
    {K::Date, 2, C::None, "Tax assessment date (if any)"},
    {K::Date, 1, C::None, "Notice date (if any)"},
    {K::Check, -1, C::Option, "Follow IRS payment allocation regulations "},
};
const PenaltyField k6653A8[] = {
    {K::Date, 0, C::None, kDueDate},
    {K::Money, 0, C::None, "Amount subject to penalty"},
};
const PenaltyField k6653B82[] = {
    {K::Money, 0, C::None, "Amount subject to 50% penalty"},
    {K::Date, 1, C::None, "Notice date"},
};
const PenaltyField k6653B[] = {
    {K::Money, 0, C::None, "Amount subject to the 50% or 75%  component of the penalty"},
    {K::Money, 1, C::None, "Amount of the underpayment attributable to fraud"},
    {K::Money, 2, C::None, "Amount attributable to fraud that is also subject to the motivated rate "},
    {K::Date, 2, C::None, "Tax assessment date (if any)"},
    {K::Date, 1, C::None, "Notice date (if any)"},
};
const PenaltyField k6653B89[] = {
    {K::Date, 0, C::None, kDueDate},
    {K::Money, 0, C::None, "Underpayment attributable to fraud"},
};
const PenaltyField k6659[] = {
    {K::Date, 0, C::None, kDueDate},
    {K::Date, 1, C::None, "Notice date", &NoticeFor6659},
    {K::Money, 0, C::None, "Underpayment Due to Valuation Overstatement"},
    {K::Rate, -1, C::None, kPercentage},
};
const PenaltyField k6659A[] = {
    {K::Date, 1, C::None, "Notice date"},
    {K::Money, 0, C::None, "Underpayment Due to Pension Liability Overstatement"},
    {K::Rate, -1, C::None, kPercentage},
};
const PenaltyField k6660[] = {
    {K::Date, 0, C::None, kDueDate},
    {K::Money, 0, C::None, "Underpayment due to understatement"},
    {K::Rate, -1, C::None, kPercentage},
    {K::Date, 1, C::None, "Notice date", &NotAfter7_18_84},
};
const PenaltyField k6661[] = {
    {K::Date, 0, C::None, kDueDate},
    {K::Money, 0, C::None, "Amount of the substantial understatement of income tax"},
    {K::Date, 1, C::None, "Tax assessment date", &NotAfter10_21_86},
};
const PenaltyField k6662C[] = {
    {K::Date, 0, C::None, kDueDate},
    {K::Money, 0, C::None, "Amount of the underpayment attributable to negligence."},
};
const PenaltyField k6662D[] = {
    {K::Date, 0, C::None, kDueDate},
    {K::Money, 0, C::None, "Underpayment due to understatement of tax"},
};
const PenaltyField k6662E[] = {
    {K::Date, 0, C::None, kDueDate},
    {K::Money, 0, C::None, "Underpayment subject to valuation misstatement penalty"},
    {K::Rate, -1, C::None, kPercentage},
};
const PenaltyField k6662F[] = {
    {K::Date, 0, C::None, kDueDate},
    {K::Money, 0, C::None, "Underpayment due to pension liability overstatement"},
    {K::Rate, -1, C::None, kPercentage},
};
const PenaltyField k6662G[] = {
    {K::Date, 0, C::None, kDueDate},
    {K::Money, 0, C::None, "Underpayment due to valuation understatement"},
    {K::Rate, -1, C::None, kPercentage},
};
const PenaltyField k6663[] = {
    {K::Date, 0, C::None, kDueDate},
    {K::Money, 0, C::None, "Underpayment due to fraud"},
};

const PenaltyForm kForms[] = {
    {W::C6651A1, kPenaltyFailureToFile, "Failure to File -- IRC  6651(a)(1)", k6651A1, {}, false, {},
     "The penalty is 5% of the net tax due for each month or part of a month the return is late, at most "
     "5 months (15% a month, at most 75%, when the failure is due to fraud). For each month that failure to "
     "pay also runs, the failure-to-file penalty is reduced by the failure-to-pay penalty of that month.\n\n"
     "When a return is more than 60 days late, the penalty for income tax is at least the smaller of the "
     "tax due and the minimum for the due date: $100 before 2009, $135 from 2009, $205 from 2016, $210 "
     "from 2018, $435 from 2020, $450 from 2023, $485 from 2024, $510 from 2025 and $525 from 2026.",
     0, "::/html/p6651a1.htm"},
    {W::C6651A2, kPenaltyFailureToPay, "Failure to Pay Tax Shown on Return -- IRC  6651(a)(2)", k6651A2, {},
     false, kNotices6651A2,
     "The penalty is 0.5% of the unpaid tax shown on the return for each month or part of a month it stays "
     "unpaid, at most 25%. Payments lower the base from the month after they are made. The rate doubles to "
     "1% from the month after the grace period of a notice of levy or a jeopardy demand ends, and an "
     "individual who filed on time pays 0.25% while an installment agreement is in force.",
     0, "::/html/p6651a2.htm"},
    {W::C6651A3, kPenaltyFailureToPayAssessment, "Failure to Pay Amount Assessed -- IRC  6651(a)(3)",
     k6651A3, {}, false, kNotices6651A3,
     "The penalty is 0.5% of the assessed amount for each month or part of a month it stays unpaid after "
     "the grace period of the notice to pay (21 days, or 10 business days for $100,000 or more), at most "
     "25%. A notice of levy or a jeopardy demand doubles the rate to 1%; an individual who filed on time "
     "pays 0.25% while an installment agreement is in force.",
     0, "::/html/p6651a3.htm"},
    {W::C6653A0, kPenalty6653a, "Negligence (Returns due before 1981) -- IRC  6653(a)", k6653A0, {}, false,
     {},
     "The penalty is 5% of the underpayment subject to it. Interest on the penalty runs from the date of "
     "the notice to pay it.",
     0, "::/html/p6653a0.htm"},
    {W::C6653A1, kPenalty6653a, "Negligence (Returns due 1-1-81 to 12-31-88) -- IRC  6653(a)", k6653A1, {},
     false, {},
     "The penalty is 5% of the amount subject to it. For returns due from 1982 it adds 50% of the interest "
     "on the part of the underpayment attributable to negligence, from the due date to the assessment date "
     "(or the date of payment); the part also subject to the motivated rate is counted at that rate.",
     0, "::/html/p6653a1.htm"},
    {W::C6653A8, kPenalty6653a, "Negligence (Return due during 1989) -- IRC  6653(a) ", k6653A8, {}, false,
     {},
     "The penalty is 5% of the amount subject to it. Interest on the penalty runs from the due date of the "
     "return with extensions.",
     0, "::/html/p6653a8.htm"},
    {W::C6653B82, kPenalty6653b, "Fraud (Returns due before Sept 3, 1982) -- IRC  6653(b)", k6653B82, {},
     false, {},
     "The penalty is 50% of the amount subject to it, assessed on the tax date. Interest on the penalty "
     "runs from the date of the notice to pay it.",
     0, "::/html/p6653b82.htm"},
    {W::C6653B, kPenalty6653b, "Fraud (Returns due 9-3-82 to 12-31-88) -- IRC  6653(b)", k6653B, {}, false,
     {},
     "The penalty is 50% (75% for returns due after 1986) of the amount subject to it, plus 50% of the "
     "interest on the underpayment attributable to fraud up to the assessment date. The part also subject "
     "to the motivated rate is counted at that rate.",
     0, "::/html/p6653b.htm"},
    {W::C6653B89, kPenalty6653b, "Fraud (Returns due during 1989) -- IRC  6653(b)", k6653B89, {}, false,
     {},
     "The penalty is 75% of the underpayment attributable to fraud. Interest on the penalty runs from the "
     "due date of the return with extensions.",
     0, "::/html/p6653b89.htm"},
    {W::C6659, kPenalty6659, "Valuation Overstatement of Income Tax -- IRC  6659", k6659, kRates102030,
     false, {},
     "The penalty is the applicable percentage (usually 10%, 20% or 30%, by the size of the overstatement) "
     "of the underpayment due to the valuation overstatement. It applies only to an underpayment of $1,000 "
     "or more.",
     0, "::/html/p6659.htm"},
    {W::C6659A, kPenalty6659A, "Pension Liability Overstatement -- IRC  6659A", k6659A, kRates102030, true,
     {},
     "The penalty is the applicable percentage (usually 10%, 20% or 30%) of the underpayment due to the "
     "overstatement of pension liabilities.",
     0, "::/html/p6659a.htm"},
    {W::C6660, kPenalty6660, "Valuation Understatement -- Estate/Gift -- IRC  6660", k6660, kRates102030,
     true, {},
     "The penalty is the applicable percentage (usually 10%, 20% or 30%) of the underpayment of estate or "
     "gift tax due to the valuation understatement.",
     0, "::/html/p6660.htm"},
    {W::C6661, kPenalty6661, "Substantial Understatement of Income Tax -- IRC  6661", k6661, {}, false, {},
     "The penalty is 25% of the substantial understatement, or 10% when both the due date and the tax "
     "assessment date are on or before 10-21-86.",
     0, "::/html/p6661.htm"},
    {W::C6662C, kPenalty6662c, "Negligence -- IRC  6662(c)", k6662C, {}, false, {},
     "The penalty is 20% of the portion of the underpayment attributable to negligence or disregard of "
     "rules or regulations. Interest on the penalty runs from the due date of the return with extensions.",
     21005, "::/html/p6662c.htm"},
    {W::C6662D, kPenalty6662d, "Substantial Understatement of Income Tax -- IRC  6662(d)", k6662D, {}, false,
     {},
     "The penalty is 20% of the portion of the underpayment attributable to the substantial understatement "
     "of income tax.",
     0, "::/html/p6662d.htm"},
    {W::C6662E, kPenalty6662e, "Substantial Valuation Misstatement -- IRC  6662(e)", k6662E, kRates2040, true,
     {},
     "The penalty is 20% of the underpayment subject to it, or 40% for a gross valuation misstatement.",
     0, "::/html/p6662e.htm"},
    {W::C6662F, kPenalty6662f, "Overstatement of Pension Liabilities -- IRC  6662(f)", k6662F, kRates2040,
     true, {},
     "The penalty is 20% of the underpayment due to the overstatement of pension liabilities, or 40% for a "
     "gross overstatement.",
     0, "::/html/p6662f.htm"},
    {W::C6662G, kPenalty6662g, "Valuation Understatement -- Estate/Gift -- IRC  6662(g)", k6662G, kRates2040,
     true, {},
     "The penalty is 20% of the underpayment of estate or gift tax due to the valuation understatement, or "
     "40% for a gross understatement.",
     0, "::/html/p6662g.htm"},
    {W::C6663, kPenalty6663, "Fraud -- IRC  6663", k6663, {}, false, {},
     "The penalty is 75% of the portion of the underpayment attributable to fraud. Interest on the penalty "
     "runs from the due date of the return with extensions.",
     0, "::/html/p6663.htm"},
};

std::string_view Ordinal(int row) {
  static constexpr std::array<std::string_view, kNoticeRows> kOrdinals = {"1st", "2nd", "3rd",
                                                                          "4th", "5th", "6th"};
  return row >= 0 && row < kNoticeRows ? kOrdinals[row] : "";
}

int IndexOf(const PenaltyForm& form, PenaltyFieldKind kind, int slot, DayNumber taxDate) {
  for (std::size_t i = 0; i < form.fields.size(); ++i) {
    const PenaltyField& f = form.fields[i];
    if (f.kind == kind && f.slot == slot && PenaltyFieldShown(f, taxDate)) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace

const PenaltyForm& PenaltyFormOf(PenaltyWindowClass cls) {
  static const PenaltyForm kNone{};
  for (const PenaltyForm& form : kForms) {
    if (form.cls == cls) return form;
  }
  return kNone;
}

bool PenaltyFieldShown(const PenaltyField& field, DayNumber taxDate) {
  return field.shown == nullptr || field.shown(taxDate);
}

std::vector<const PenaltyField*> ShownPenaltyFields(const PenaltyForm& form, DayNumber taxDate) {
  std::vector<const PenaltyField*> shown;
  for (const PenaltyField& field : form.fields) {
    if (PenaltyFieldShown(field, taxDate)) shown.push_back(&field);
  }
  return shown;
}

std::string PenaltyFieldName(const PenaltyField& field) {
  std::string name(field.label);
  for (char& c : name) {
    if (c == '\n') c = ' ';
  }
  return name;
}

std::string NoticeLevyTip(int row) {
  return StringPrintf("Was the %s notice the 1st notice of levy?", std::string(Ordinal(row)).c_str());
}

std::string NoticeJeopardyTip(int row) {
  return StringPrintf("Was the %s notice the 1st jeopardy demand?", std::string(Ordinal(row)).c_str());
}

std::string NoticeGraceTip(int row) {
  return StringPrintf("Grace period for %s notice", std::string(Ordinal(row)).c_str());
}

bool PenaltyFieldEnabled(const PenaltyField& field, bool activate, bool individualTimely) {
  return activate && (!field.needsIndividual || individualTimely);
}

std::string PenaltyFieldText(const PenaltyField& field, const PenaltyRecord& record) {
  StringField text;
  switch (field.kind) {
    case PenaltyFieldKind::Date:
      SetDateField(text, record.m_dates[static_cast<std::size_t>(field.slot)]);
      break;
    case PenaltyFieldKind::Money:
      SetAmountField(text, record.m_amounts[static_cast<std::size_t>(field.slot)], false);
      break;
    case PenaltyFieldKind::Rate:
      text.SetText(StringPrintf("%1.0lf", record.m_rate));
      break;
    default:
      break;
  }
  return text.Text();
}

void StorePenaltyFieldText(const PenaltyField& field, PenaltyRecord& record, const TextField& text) {
  switch (field.kind) {
    case PenaltyFieldKind::Date:
      record.m_dates[static_cast<std::size_t>(field.slot)] = GetDateField(text);
      break;
    case PenaltyFieldKind::Money:
      record.m_amounts[static_cast<std::size_t>(field.slot)] = GetAmountField(text);
      break;
    case PenaltyFieldKind::Rate:
      record.SetRate(GetAmountField(text) / 100.0);
      break;
    default:
      break;
  }
}

bool PenaltyFieldChecked(const PenaltyField& field, const PenaltyRecord& record) {
  switch (field.check) {
    case PenaltyCheck::Option:
      return record.HasFlag(PEN_OPTION);
    case PenaltyCheck::UseMinimum:
      return !record.HasFlag(PEN_NO_MINIMUM);
    case PenaltyCheck::IndividualTimely:
      return record.HasFlag(PEN_INDIVIDUAL_TIMELY);
    case PenaltyCheck::None:
      break;
  }
  return false;
}

void StorePenaltyFieldCheck(const PenaltyField& field, PenaltyRecord& record, bool checked) {
  switch (field.check) {
    case PenaltyCheck::Option:
      record.SetFlag(PEN_OPTION, checked);
      break;
    case PenaltyCheck::UseMinimum:
      record.SetFlag(PEN_NO_MINIMUM, !checked);
      break;
    case PenaltyCheck::IndividualTimely:
      record.SetFlag(PEN_INDIVIDUAL_TIMELY, checked);
      break;
    case PenaltyCheck::None:
      break;
  }
}

PenaltyFindingField FindingField(const PenaltyForm& form, const PenaltyRecord& record, int code,
                                 DayNumber taxDate) {
  const int k = form.penalty;
  const bool failureToPay = k == kPenaltyFailureToPay || k == kPenaltyFailureToPayAssessment;
  auto date = [&](int slot) { return PenaltyFindingField{IndexOf(form, K::Date, slot, taxDate), -1}; };
  auto amount = [&](int slot) { return PenaltyFindingField{IndexOf(form, K::Money, slot, taxDate), -1}; };
  auto notice = [&](int row) { return PenaltyFindingField{IndexOf(form, K::NoticeRows, -1, taxDate), row}; };
  switch (code) {
    case 1:
    case 15:
      return amount(0);
    case 9:
    case 18:
      return amount(1);
    case 10:
      return amount(2);
    case 3:
    case 17:
    case 19:
      return date(2);
    case 4:
      return notice(0);
    case 6: {
      if (!failureToPay) return date(0);
      // Notices out of order, or the reinstate date before the reduce date.
      const auto slots = NoticeSlots(k);
      for (int row = 1; row < kNoticeRows; ++row) {
        const DayNumber d = record.m_dates[static_cast<std::size_t>(slots[row])];
        if (IsDate(d) && Before(d, record.m_dates[static_cast<std::size_t>(slots[row - 1])])) return notice(row);
      }
      return date(9);
    }
    case 8:
      return k == kPenaltyFailureToPayAssessment ? notice(0) : date(1);
    case 11:
      return date(k == kPenalty6661 ? 1 : 2);
    case 12:
    case 13:
      return {IndexOf(form, K::Rate, -1, taxDate), -1};
    case 21:
      return date(8);
    case 2:
    case 7:
    case 20:
    default:
      return date(0);
  }
}

}  // namespace zarvic
