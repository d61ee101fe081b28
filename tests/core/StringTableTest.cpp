#include <gtest/gtest.h>

#include <climits>
#include <string_view>

#include "core/StringTable.h"

namespace zarvic {
namespace {

// StringText searches with lower_bound, so an unsorted or duplicated id would silently hide texts.
TEST(StringTableTest, EntriesAreSortedUniqueAndNonEmpty) {
  const auto entries = StringTableEntries();
  ASSERT_FALSE(entries.empty());
  for (size_t i = 0; i < entries.size(); ++i) {
    ASSERT_NE(nullptr, entries[i].text) << "id " << entries[i].id;
    // HasString treats an empty text as missing.
    EXPECT_FALSE(std::string_view(entries[i].text).empty()) << "id " << entries[i].id;
    if (i > 0) {
      EXPECT_LT(entries[i - 1].id, entries[i].id) << "at index " << i;
    }
  }
}

TEST(StringTableTest, EveryEntryIsFoundById) {
  for (const StringEntry& e : StringTableEntries()) {
    EXPECT_EQ(std::string_view(e.text), StringText(e.id)) << "id " << e.id;
    EXPECT_TRUE(HasString(e.id)) << "id " << e.id;
  }
}

TEST(StringTableTest, UnknownIdIsEmpty) {
  // Below the first, between entries, in gaps of numbered runs, and past the last.
  for (int id : {INT_MIN, -1, 0, 13, 18001, 18011, 18530, 18805, 19104, 19404, 21002, 32834, INT_MAX}) {
    EXPECT_EQ(std::string_view(), StringText(id)) << "id " << id;
    EXPECT_FALSE(HasString(id)) << "id " << id;
  }
}

TEST(StringTableTest, SampleTextsAreExact) {
  struct Case {
    int id;
    std::string_view text;
  };
  const Case cases[] = {
      {14, "Zarvic Version  %s"},
      {18004,
       "No interest rate table is loaded.  Please click on the \"Tables...\" icon and select an interest "
       "rate table."},
      {18013, "Test Complete\nSee *.TS for results"},
      {18507, "Failure to Pay Tax Shown"},
      {18578, "6621(c)Hot Interest"},
      {18800, "Active Penalties:  "},
      {18823, "Failure to File Return When Due -- IRC  6651(a)(1)"},
      {19102, "Amount "},
      {19113, "# DO NOT REMOVE THIS"},
      {19115, "Motiv. Tax"},
      {19125, "Penalty"},
      {19203, "Can't find the interest rate table that was used with this file (%s)."},
      {19206, "%d Totals"},
      {19207, "No Federal Table Found"},
      {20001,
       "This table was created with a newer version of Zarvic than the one you are currently running.  The "
       "table cannot be loaded with this older version.  Contact Orlendt Software for the newer version of "
       "Zarvic."},
      {20003, "\"Hot\" Interest Information -- IRC  6621(c)"},
      {20016, "No reports were selected.       "},
      {20021,
       "Caution: GATT interest with multiple payment events\n\nZarvic has detected GATT interest and "
       "multiple payment events.  If the payment events are refunds for different years, you should create "
       "Zarvic separate problems for each year.\n"},
      {20050, "You have too many documents opened.\nPlease close some before opening or creating more."},
      {21005,
       "No penalty shall be imposed by reason of subsection (b) (3) unless the portion of the underpayment "
       "for the taxable year attributable to substantial valuation misstatements under chapter 1 exceeds "
       "$5,000 ($10,000 in the case of a corporation other than an S corporation or a personal holding "
       "company (as defined in section 542 ))."},
      {32833,
       "Unable to write to report file.\nPossible problem:  You do not have full access rights to the "
       "program directory."},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.text, StringText(c.id)) << "id " << c.id;
  }
}

}  // namespace
}  // namespace zarvic
