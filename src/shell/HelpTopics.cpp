#include "shell/HelpTopics.h"

#include <array>

namespace zarvic {
namespace {

constexpr std::array<HelpTopic, 10> kTopics{{
    {0, kHelpContentsTopic, "Contents"},
    {0, kHelpIndexTopic, "Index"},
    {99596, "::/html/n8a_hr.htm", "Getting Started"},
    {99598, "::/html/ka_6cf.htm", "Refunds and Refund Interest"},
    {99597, "::/html/ka_6cg.htm", "Netting"},
    {99595, "::/html/ka_6ag.htm", "Estimated Tax Penalties"},
    {99599, "::/html/ka_6ah.htm", "Tax Deposit Penalties"},
    {99594, "::/html/2m265vp.htm", "Technical Support"},
    {kHelpTypeListContext, "::/html/evtypes.htm", "Event Types"},
    {kHelpDescriptionContext, "::/html/evdesc.htm", "Event Descriptions"},
}};

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
