#include <gtest/gtest.h>

#include <array>
#include <set>

#include "core/StringTable.h"
#include "shell/HelpTopics.h"

namespace zarvic {
namespace {

TEST(HelpTopicsTest, ContextNumbersNameTheirPages) {
  struct Case {
    int context;
    const char* topic;
  };
  constexpr std::array cases{
      Case{99596, "::/html/n8a_hr.htm"},    Case{99598, "::/html/ka_6cf.htm"},
      Case{99597, "::/html/ka_6cg.htm"},    Case{99595, "::/html/ka_6ag.htm"},
      Case{99599, "::/html/ka_6ah.htm"},    Case{99594, "::/html/2m265vp.htm"},
      Case{0x103F8, "::/html/evtypes.htm"}, Case{0x103ED, "::/html/evdesc.htm"},
  };
  for (const Case& c : cases) {
    auto topic = TopicForContext(c.context);
    ASSERT_TRUE(topic.has_value()) << c.context;
    EXPECT_EQ(c.topic, *topic);
  }
  EXPECT_FALSE(TopicForContext(0).has_value());
  EXPECT_FALSE(TopicForContext(12345).has_value());
}

TEST(HelpTopicsTest, EveryTopicIsAPageOfTheHelpFolder) {
  std::set<std::string> pages;
  for (const HelpTopic& t : HelpTopics()) {
    auto page = HelpPageOf(t.topic);
    ASSERT_TRUE(page.has_value()) << t.topic;
    EXPECT_TRUE(pages.insert(*page).second) << "two topics share " << *page;
  }
}

// Every message that says "press F1" leads to a page of the help; others lead nowhere.
TEST(HelpTopicsTest, EveryMessageThatSaysPressF1HasAPage) {
  std::set<std::string> pages;
  for (const HelpTopic& t : HelpTopics()) pages.insert(*HelpPageOf(t.topic));
  int asking = 0;
  for (const StringEntry& e : StringTableEntries()) {
    const std::string_view text = StringText(e.id);
    const auto topic = TopicForMessage(text);
    if (text.find("F1") == std::string_view::npos) {
      EXPECT_FALSE(topic.has_value()) << e.id;
      continue;
    }
    ++asking;
    ASSERT_TRUE(topic.has_value()) << e.id;
    EXPECT_TRUE(pages.contains(*HelpPageOf(*topic))) << e.id;
  }
  EXPECT_GT(asking, 0);
  EXPECT_EQ("::/html/ka_6cg.htm", TopicForMessage(StringText(20017)).value_or(""));
  EXPECT_FALSE(TopicForMessage("Press F1 for help.").has_value());  // only the program's own messages
}

// A topic name must not reach files outside the help folder.
TEST(HelpTopicsTest, PageNamesStayInsideTheHelpFolder) {
  struct Case {
    const char* topic;
    const char* page;  // nullptr: refused
  };
  constexpr std::array cases{
      Case{"::/html/ka_6cg.htm", "html/ka_6cg.htm"},
      Case{"html/ka_6cg.htm#top", "html/ka_6cg.htm"},
      Case{"::/../../etc/passwd", nullptr},
      Case{"::/html/../../x.htm", nullptr},
      Case{"/etc/x.htm", nullptr},
      Case{"::/html/ka_6cg.exe", nullptr},
      Case{"", nullptr},
      Case{"::/html\\ka.htm", nullptr},
  };
  for (const Case& c : cases) {
    auto page = HelpPageOf(c.topic);
    if (c.page == nullptr) {
      EXPECT_FALSE(page.has_value()) << c.topic;
    } else {
      ASSERT_TRUE(page.has_value()) << c.topic;
      EXPECT_EQ(c.page, *page);
    }
  }
}

}  // namespace
}  // namespace zarvic
