#include "shell/HelpTopics.h"

#include "core/StringTable.h"

namespace zarvic {
namespace {

constexpr HelpTopic kTopics[] = {
    {0, kHelpContentsTopic, "Zarvic Help"},
    {0, kHelpIndexTopic, "Index"},
    {99596, "::/html/n8a_hr.htm", "Getting Started"},
    {99598, "::/html/ka_6cf.htm", "Refunds and Refund Interest"},
    {99597, kHelpNettingTopic, "Netting"},
    {99595, "::/html/ka_6ag.htm", "Estimated Tax Penalties"},
    {99599, "::/html/ka_6ah.htm", "Tax Deposit Penalties"},
    {99594, "::/html/2m265vp.htm", "Technical Support"},
    {kHelpTypeListContext, kHelpEventTypesTopic, "Event Types"},
    {kHelpDescriptionContext, kHelpEventDescriptionsTopic, "Event Descriptions"},
    {0, "::/html/interest.htm", "How Interest Is Computed"},
    {0, "::/html/penalties.htm", "Penalties"},
    {0, kHelpProblemWindowTopic, "The Problem Window"},
    {0, kHelpEventDatesTopic, "Event Dates"},
    {0, kHelpEventAmountsTopic, "Event Amounts"},
    {0, kHelpPenaltySelectionTopic, "Penalty Selection"},
    {0, "::/html/p6651a1.htm", "Failure to File -- IRC 6651(a)(1)"},
    {0, "::/html/p6651a2.htm", "Failure to Pay Tax Shown on Return -- IRC 6651(a)(2)"},
    {0, "::/html/p6651a3.htm", "Failure to Pay Amount Assessed -- IRC 6651(a)(3)"},
    {0, "::/html/p6653a0.htm", "Negligence (Returns due before 1981) -- IRC 6653(a)"},
    {0, "::/html/p6653a1.htm", "Negligence (Returns due 1-1-81 to 12-31-88) -- IRC 6653(a)"},
    {0, "::/html/p6653a8.htm", "Negligence (Return due during 1989) -- IRC 6653(a)"},
    {0, "::/html/p6653b82.htm", "Fraud (Returns due before Sept 3, 1982) -- IRC 6653(b)"},
    {0, "::/html/p6653b.htm", "Fraud (Returns due 9-3-82 to 12-31-88) -- IRC 6653(b)"},
    {0, "::/html/p6653b89.htm", "Fraud (Returns due during 1989) -- IRC 6653(b)"},
    {0, "::/html/p6659.htm", "Valuation Overstatement of Income Tax -- IRC 6659"},
    {0, "::/html/p6659a.htm", "Pension Liability Overstatement -- IRC 6659A"},
    {0, "::/html/p6660.htm", "Valuation Understatement -- Estate/Gift -- IRC 6660"},
    {0, "::/html/p6661.htm", "Substantial Understatement of Income Tax -- IRC 6661"},
    {0, "::/html/p6662c.htm", "Negligence -- IRC 6662(c)"},
    {0, "::/html/p6662d.htm", "Substantial Understatement of Income Tax -- IRC 6662(d)"},
    {0, "::/html/p6662e.htm", "Substantial Valuation Misstatement -- IRC 6662(e)"},
    {0, "::/html/p6662f.htm", "Overstatement of Pension Liabilities -- IRC 6662(f)"},
    {0, "::/html/p6662g.htm", "Valuation Understatement -- Estate/Gift -- IRC 6662(g)"},
    {0, "::/html/p6663.htm", "Fraud -- IRC 6663"},
    {0, kHelpHotInterestTopic, "\"Hot\" Interest Information -- IRC 6621(c)"},
    {0, kHelpCorpRefundTopic, "C Corporation Refund Issues"},
    {0, kHelpComputeResultsTopic, "Compute Results"},
    {0, kHelpPaymentAllocationTopic, "Payment Allocation"},
    {0, kHelpDefaultAllocationTopic, "Default Payment Allocation"},
    {0, kHelpPayoffTopic, "Payoff Calculation"},
    {0, kHelpRateTableEditorTopic, "Interest Rates (Rate Table Editor)"},
    {0, kHelpRateTableNotesTopic, "Interest Rate Table Notes"},
    {0, kHelpReportWindowTopic, "Report Window"},
    {0, kHelpReportSelectionTopic, "Report Selection"},
    {0, kHelpReportSetupTopic, "Report Setup"},
    {0, kHelpHeadersTopic, "Report Headers and Footers"},
    {0, kHelpAboutTopic, "About Zarvic"},
};

// The messages that send the reader to help, and the page that answers each.
struct MessageTopic {
  int id;
  std::string_view topic;
};
constexpr MessageTopic kMessageTopics[] = {
    {18017, kHelpPaymentAllocationTopic},  // allocation after a refund
    {20017, kHelpNettingTopic},            // entered penalty with an overpayment
    {20019, "::/html/interest.htm"},       // deposit not used up
    {20048, "::/html/p6651a3.htm"},        // 6651(a)(2) plus 6651(a)(3) above the tax
};

}  // namespace

std::span<const HelpTopic> HelpTopics() {
  return kTopics;
}

std::optional<std::string_view> TopicForContext(int context) {
  for (const HelpTopic& t : kTopics) {
    if (t.context != 0 && t.context == context) return t.topic;
  }
  return std::nullopt;
}

std::optional<std::string_view> TopicForMessage(std::string_view text) {
  for (const MessageTopic& m : kMessageTopics) {
    if (StringText(m.id) == text) return m.topic;
  }
  return std::nullopt;
}

std::optional<std::string> HelpPageOf(std::string_view topic) {
  constexpr std::string_view kPrefix = "::/";
  if (topic.starts_with(kPrefix)) topic.remove_prefix(kPrefix.size());
  if (const auto hash = topic.find('#'); hash != std::string_view::npos) topic = topic.substr(0, hash);
  if (topic.empty() || topic.front() == '/' || topic.find("..") != std::string_view::npos ||
      topic.find('\\') != std::string_view::npos) {
    return std::nullopt;
  }
  if (!topic.ends_with(".htm") && !topic.ends_with(".html")) return std::nullopt;
  return std::string(topic);
}

}  // namespace zarvic
