#include <functional>
#include <string>
#include <vector>

#include "reports/ReportTestSupport.h"

namespace zarvic::testing {
namespace {

class FillTemplateLineTest : public ReportTest {
 protected:
  // The lines written for one template line ("~" stands for the field marker).
  std::vector<std::string> Fill(const std::string& line, int slot = -1) {
    ReportWriter& w = Writer();
    w.pageCount = pageCount;
    w.FillTemplateLine(Marked(line), slot, true);
    return WrittenLines();
  }
  int pageCount = 1;
};

struct FillCase {
  const char* name;
  const char* line;
  int slot;
  std::function<void(CTDoc&, ReportOptions&)> setup;
  const char* expected;
};

TEST_F(FillTemplateLineTest, ReplacesFieldsByTheirValues) {
  auto none = [](CTDoc&, ReportOptions&) {};
  const FillCase cases[] = {
      {"a line without markers is written unchanged", "Plain text, no fields.", -1, none,
       "Plain text, no fields."},
      {"unset date with a further marker: five blanks", "A ~DTE3 B ~IDNM", 5, none, "A       B 123-45-6789"},
      {"unset date as the last field ends the line", "Due ~DTE3 and more", 5, none, "Due "},
      // Regression: a value longer than its room overwrote the next marker, leaving the next field's
      // keyword letters in the line (a long taxpayer name pushed the date out of the page header).
      {"a name longer than its room is cut before the next field", "~NAME~IDNM", -1, none, "Aver 123-45-6789"},
      {"a name that fits keeps a blank before the next field", "~NAME          ~IDNM", -1, none,
       "Avery Holloway 123-45-6789"},
      {"a value with room overwrites in place", "~NAME           |~IDNM", -1, none,
       "Avery Holloway  |123-45-6789"},
      {"one-letter keyword: minimum width 2", "~m|~IDNM", 23, none, "0 |123-45-6789"},
      {"five-letter keyword: its letters are blanked too", "~TITLE|~IDNM", -1, none, "      |123-45-6789"},
      {"unknown keyword prints as an empty value", "~ZZZZ|~IDNM", -1, none, "     |123-45-6789"},
      {"version ends in the marker's column", "x                             ~VER", -1, none,
       "x      Zarvic Version  2026.4.2   "},
      {"date option off", "On ~DATE", -1, [](CTDoc&, ReportOptions& o) { o.includeDate = false; }, "On "},
      {"date option on", "On ~DATE", -1, none, "On 04-15-26"},
      {"time", "At ~TIME", -1, [](CTDoc&, ReportOptions& o) { o.includeTime = true; }, "At 02:45pm"},
      {"amount right-justified in 13", "[~AMT0]", 5,
       [](CTDoc& d, ReportOptions&) { d.m_penalties[5].m_amounts[0] = 123456; }, "[     1,234.56"},
      {"negative amount in brackets", "~AMT1", 5,
       [](CTDoc& d, ReportOptions&) { d.m_penalties[5].m_amounts[1] = -100000; }, "    <1,000.00>"},
      {"bare amount of zero is empty", "Alt ~ALT0", 5, none, "Alt "},
      {"bare amount", "Alt ~ALT2", 5, [](CTDoc& d, ReportOptions&) { d.m_penalties[5].m_amounts[2] = 5000; },
       "Alt 50.00"},
      {"percentage", "~PPER / ~R", 5, [](CTDoc& d, ReportOptions&) { d.m_penalties[5].SetRate(25); },
       "25%   / 25 %"},
      {"months late as a count", "~M", 23,
       [](CTDoc& d, ReportOptions&) { d.m_penalties[23].m_amounts[1] = 7; }, " 7"},
      {"10-day notice", "~D101", 1,
       [](CTDoc& d, ReportOptions&) {
         d.m_penalties[1].m_dates[1] = MakeDate(3, 1, 98);
         d.m_penalties[1].m_graceBits = 0x0001;
       },
       "10 days"},
      {"21-day notice; slot 2 reads date 0", "~D101", 2,
       [](CTDoc& d, ReportOptions&) {
         d.m_penalties[2].m_dates[0] = MakeDate(3, 1, 98);
         d.m_penalties[2].m_graceBits = 0;
       },
       "21 days"},
      {"notice flag of an unset notice", "[~D105]", 1, none, "["},
      {"minimum rule in force", "~PPR2", 23, none, "Yes"},
      {"hot interest stop", "~AADE|", -1, [](CTDoc& d, ReportOptions&) { d.m_header.m_hotStop = 1; },
       "  Yes"},
      {"date plus 11 days", "~D+11", 23,
       [](CTDoc& d, ReportOptions&) { d.m_penalties[23].m_dates[0] = MakeDate(4, 15, 95); }, "04-26-95"},
      {"rate table fields", "~TNAM    |~TEND    |~TDES", -1, none,
       "FEDERAL  |12-31-26 |Federal underpayment and overpayment rates"},
      {"a figure longer than its room fills it with asterisks", "~TEND|~TDES", -1, none,
       "*****|Federal underpayment and overpayment rates"},
      {"penalty name", "~PNAM", 13, none, "Valuation Misstatement"},
      {"fraud amount of 6663 for a return due 1990 on", "~FRAU", -1,
       [](CTDoc& d, ReportOptions&) {
         d.TaxDate = MakeDate(4, 15, 95);
         d.m_penalties[16].m_amounts[0] = 400000;
         d.m_penalties[16].m_flags = PEN_ACTIVE;
       },
       "     4,000.00"},
      {"slot values without a slot are empty", "[~REAL|~IDNM", -1, none, "[     |123-45-6789"},
      {"the accuracy caution ends the line", "~PNA0|~IDNM", 12, none, "     "},
  };
  for (const auto& c : cases) {
    doc = CTDoc();
    doc.m_header.m_taxpayerName.SetText("Avery Holloway");
    doc.m_header.m_taxpayerId.SetText("123-45-6789");
    doc.m_rateTable.name = "FEDERAL";
    doc.m_rateTable.description = "Federal underpayment and overpayment rates";
    doc.m_rateTable.endDate = MakeDate(12, 31, 2026);
    options = ReportOptions(DefaultReportSettings());
    c.setup(doc, options);
    std::vector<std::string> lines = Fill(c.line, c.slot);
    ASSERT_EQ(1u, lines.size()) << c.name;
    EXPECT_EQ(std::string(c.expected), lines[0]) << c.name;
  }
}

TEST_F(FillTemplateLineTest, PageNumberMovesLeftFromPageTen) {
  pageCount = 9;
  EXPECT_EQ("          Page 9", Fill("          ~PAGE")[0]);
  pageCount = 10;
  EXPECT_EQ("         Page 10", Fill("          ~PAGE")[0]);
}

TEST_F(FillTemplateLineTest, AccuracyCautionWhenThePenaltiesExceedTheTax) {
  computation.stacking = true;
  EXPECT_EQ("CAUTION: Accuracy-related penalties have been", Fill("~PNA0")[0]);
  EXPECT_EQ("         applied to more than the total tax.", Fill("~PNA1|~IDNM")[0]);
}

struct FilterCase {
  int slot;
  const char* line;
  DayNumber taxDate;
  bool kept;
};

TEST_F(FillTemplateLineTest, PenaltyLineFilterDropsLinesByTheTaxDate) {
  const FilterCase cases[] = {
      {23, "~DTE1", MakeDate(4, 15, 83), true},
      {23, "~DTE1", MakeDate(1, 15, 84), false},  // before 7-19-84, but the year is 84
      {23, "~DTE10", MakeDate(1, 15, 84), true},  // the five-letter keyword does not ask for the year
      {23, "~DTE1", MakeDate(7, 19, 84), false},
      {23, "~PPR1", MakeDate(4, 15, 90), true},
      {23, "~PPR1", MakeDate(4, 15, 89), false},
      {4, "~DTE0", MakeDate(4, 15, 89), true},
      {4, "~DTE0", MakeDate(4, 15, 88), false},
      {4, "~ALT1", MakeDate(9, 3, 82), true},
      {4, "~ALT1", MakeDate(9, 2, 82), false},
      {4, "~DTE1", MakeDate(4, 15, 89), false},
      {3, "~DTE2", MakeDate(4, 15, 81), true},
      {3, "~ALT2", MakeDate(4, 15, 89), false},
      {3, "~PPR1", MakeDate(4, 15, 80), false},
      {7, "~DTE1", MakeDate(4, 15, 90), true},
      {7, "~DTE1", MakeDate(4, 15, 89), false},
      {9, "~DTE1", MakeDate(7, 18, 84), true},
      {9, "~DTE1", MakeDate(7, 19, 84), false},
      {10, "~DTE1", MakeDate(10, 21, 86), true},
      {10, "~DTE1", MakeDate(10, 22, 86), false},
      {1, "~DTE1", MakeDate(10, 22, 86), true},                    // other slots keep every line
      {-1, "~DTE1", MakeDate(10, 22, 86), true},                   // so do lines outside a penalty section
      {23, "Ok ~IDNM         ~DTE1", MakeDate(1, 15, 90), false},  // any failing field drops the line
  };
  for (const auto& c : cases) {
    doc.TaxDate = c.taxDate;
    std::vector<std::string> lines = Fill(c.line, c.slot);
    EXPECT_EQ(c.kept ? 1u : 0u, lines.size())
        << c.slot << " " << c.line << " " << FormatDate(c.taxDate, true);
  }
}

TEST_F(FillTemplateLineTest, SubTemplatesAreIncludedOrTheLineDropped) {
  WriteTemplate("SUB.DM", "Sub for ~PNAM\nsecond\n");
  doc.m_penaltyResults.PenaltyHistoryTemplate[23] = "SUB.DM";
  std::vector<std::string> lines = Fill("~JIM0 never shown", 23);
  EXPECT_EQ((std::vector<std::string>{"Sub for Failure to File", "second"}), lines);
  EXPECT_TRUE(Fill("~JIM1", 23).empty());
}

TEST_F(FillTemplateLineTest, ASubTemplateThatIncludesItselfEnds) {
  WriteTemplate("LOOP.DM", "~JIM0\nx\n");
  doc.m_penaltyResults.PenaltyHistoryTemplate[1] = "LOOP.DM";
  EXPECT_EQ(4u, Fill("~JIM0", 1).size());
}

}  // namespace
}  // namespace zarvic::testing
