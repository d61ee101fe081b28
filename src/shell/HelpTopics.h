#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace zarvic {

// The help pages shipped in the help folder beside the program, named as the help menu and the
// windows ask for them: a topic ("::/html/ka_6cg.htm") or a context number (99597).
struct HelpTopic {
  int context;             // 0: reached by its topic name only
  std::string_view topic;  // "::/html/<page>"
  std::string_view title;
};

inline constexpr std::string_view kHelpIndexTopic = "::/html/ka_7_l.htm";
inline constexpr std::string_view kHelpContentsTopic = "::/html/contents.htm";  // the default topic
// F1 in the grid's type list and description field.
inline constexpr int kHelpTypeListContext = 0x103F8;
inline constexpr int kHelpDescriptionContext = 0x103ED;

// The pages F1 opens in the windows (a penalty window's page is in its form table).
inline constexpr std::string_view kHelpProblemWindowTopic = "::/html/problem.htm";
inline constexpr std::string_view kHelpEventTypesTopic = "::/html/evtypes.htm";
inline constexpr std::string_view kHelpEventDatesTopic = "::/html/evdates.htm";
inline constexpr std::string_view kHelpEventAmountsTopic = "::/html/evamounts.htm";
inline constexpr std::string_view kHelpEventDescriptionsTopic = "::/html/evdesc.htm";
inline constexpr std::string_view kHelpPenaltySelectionTopic = "::/html/penaltysel.htm";
inline constexpr std::string_view kHelpHotInterestTopic = "::/html/hotint.htm";
inline constexpr std::string_view kHelpCorpRefundTopic = "::/html/ccorp.htm";
inline constexpr std::string_view kHelpComputeResultsTopic = "::/html/results.htm";
inline constexpr std::string_view kHelpPaymentAllocationTopic = "::/html/payalloc.htm";
inline constexpr std::string_view kHelpDefaultAllocationTopic = "::/html/defalloc.htm";
inline constexpr std::string_view kHelpPayoffTopic = "::/html/payoff.htm";
inline constexpr std::string_view kHelpEstimatedTaxTopic = "::/html/ka_6ag.htm";    // context 99595
inline constexpr std::string_view kHelpDepositPenaltyTopic = "::/html/ka_6ah.htm";  // context 99599
inline constexpr std::string_view kHelpRateTableEditorTopic = "::/html/ratetable.htm";
inline constexpr std::string_view kHelpRateTableNotesTopic = "::/html/ratenotes.htm";
inline constexpr std::string_view kHelpReportWindowTopic = "::/html/reportwin.htm";
inline constexpr std::string_view kHelpReportSelectionTopic = "::/html/repsel.htm";
inline constexpr std::string_view kHelpReportSetupTopic = "::/html/repsetup.htm";
inline constexpr std::string_view kHelpHeadersTopic = "::/html/headers.htm";
inline constexpr std::string_view kHelpAboutTopic = "::/html/about.htm";
inline constexpr std::string_view kHelpNettingTopic = "::/html/ka_6cg.htm";

// Every page of the help, each once; the index lists them all.
std::span<const HelpTopic> HelpTopics();
std::optional<std::string_view> TopicForContext(int context);
// The page behind a message that says "Press F1": the message's text as shown; nullopt for others.
std::optional<std::string_view> TopicForMessage(std::string_view text);

// The page a topic names, relative to the help folder ("html/ka_6cg.htm"); nullopt for a name that is
// not a plain page of the help folder (no folders above it, no other kinds of file).
std::optional<std::string> HelpPageOf(std::string_view topic);

}  // namespace zarvic
