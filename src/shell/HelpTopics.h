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

std::span<const HelpTopic> HelpTopics();
std::optional<std::string_view> TopicForContext(int context);

// The page a topic names, relative to the help folder ("html/ka_6cg.htm"); nullopt for a name that is
// not a plain page of the help folder (no folders above it, no other kinds of file).
std::optional<std::string> HelpPageOf(std::string_view topic);

}  // namespace zarvic
