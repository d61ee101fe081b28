#include <string>
#include <vector>

#include "reports/ReportTestSupport.h"

namespace zarvic::testing {
namespace {

class WriterTest : public ReportTest {
 protected:
  void SetUp() override {
    ReportTest::SetUp();
    WriteTemplate("GLHEAD.DM", "~TITLE ~PAGE\n");
    doc.m_header.m_footer.SetText("Prepared using Zarvic");
    doc.m_header.m_headings[0].SetText("Heading one");
    doc.m_header.m_headings[1].SetText("Heading two");
    doc.m_header.m_headings[2].SetText("Heading three");
  }
  static std::string Rule() { return std::string(79, '*'); }
};

TEST_F(WriterTest, PageBreakRepeatsHeaderAndColumnHeadings) {
  ReportWriter& w = Writer(10);
  w.reportTitle = "T";
  w.StartReportPage();
  w.WritePageHeader();
  w.SetColumnHeadings({"Col A", "Col B"});
  for (int i = 1; i <= 12; ++i) w.WriteReportLine("line " + std::to_string(i));
  w.FinishReports();
  std::vector<std::string> expected = {"T      Page 1"};
  for (int i = 1; i <= 8; ++i) expected.push_back("line " + std::to_string(i));
  expected.insert(expected.end(), {Rule(), "T      Page 2", "Col A", "Col B", "line 9", "line 10", "line 11",
                                   "line 12", Rule()});
  EXPECT_EQ(expected, WrittenLines());
  EXPECT_EQ(2, w.pageCount);
}

TEST_F(WriterTest, FooterFillsEveryPageToItsLength) {
  options.includeFooter = true;
  options.includeHeader = true;
  ReportWriter& w = Writer(12);
  w.StartReportPage();
  for (int i = 0; i < 20; ++i) w.WriteReportLine("x");
  w.FinishReports();
  std::vector<std::string> lines = WrittenLines();
  // Each page: its 12 lines (headings, blank, text, filler), the footer, the rule line.
  ASSERT_EQ(0u, lines.size() % 14);
  for (size_t page = 0; page < lines.size() / 14; ++page) {
    EXPECT_EQ("Heading one", lines[page * 14]);
    EXPECT_EQ(" ", lines[page * 14 + 3]);
    EXPECT_EQ("Prepared using Zarvic", lines[page * 14 + 12]);
    EXPECT_EQ(Rule(), lines[page * 14 + 13]);
  }
  EXPECT_EQ(4, w.pageCount);  // pages after the first also carry the one-line page header
}

TEST_F(WriterTest, PrintingHasNoRuleLines) {
  options.includeFooter = true;
  ReportWriter& w = Writer(10);
  w.noRuleLines = true;
  w.StartReportPage();
  for (int i = 0; i < 25; ++i) w.WriteReportLine("x");
  w.FinishReports();
  for (const auto& line : WrittenLines()) EXPECT_EQ(std::string::npos, line.find("*****"));
}

TEST_F(WriterTest, LinesWithoutBreakStayTogether) {
  ReportWriter& w = Writer(10);
  w.StartReportPage();
  for (int i = 0; i < 12; ++i) w.WriteReportLine("x", false);
  EXPECT_EQ(1, w.pageCount);
  EXPECT_TRUE(w.WriteReportLine("y", true));
  EXPECT_EQ(2, w.pageCount);
}

TEST_F(WriterTest, NoPageHeaderRepeatsOnlyTheColumnHeadings) {
  ReportWriter& w = Writer(10);
  w.StartReportPage();
  w.SetColumnHeadings({"Col"});
  w.noPageHeader = true;
  for (int i = 0; i < 9; ++i) w.WriteReportLine("x");
  std::vector<std::string> lines = WrittenLines();
  EXPECT_EQ("Col", lines[10]);
  EXPECT_EQ(Rule(), lines[9]);
}

TEST_F(WriterTest, HeadingTallerThanThePageDoesNotBreakForever) {
  std::string tall;
  for (int i = 0; i < 15; ++i) tall += "head\n";
  WriteTemplate("GLHEAD.DM", tall);
  ReportWriter& w = Writer(10);
  w.StartReportPage();
  for (int i = 0; i < 30; ++i) w.WriteReportLine("x");
  EXPECT_EQ(23, w.pageCount);  // every line after the first page breaks it again
}

TEST_F(WriterTest, MissingPageHeaderIsReportedOnce) {
  std::remove((UseTemplateFolder() + "/GLHEAD.DM").c_str());
  ReportWriter& w = Writer(10);
  w.StartReportPage();
  w.WritePageHeader();
  for (int i = 0; i < 50; ++i) w.WriteReportLine("x");
  EXPECT_GT(w.pageCount, 5);
  EXPECT_EQ(1u, ui.messages.size());
}

TEST_F(WriterTest, PagesBeyondFiveHundredAreRecorded) {
  ReportWriter& w = Writer(10);
  w.noPageHeader = true;
  w.StartReportPage();
  for (int i = 0; i < 9 * 600; ++i) w.WriteReportLine("x");
  w.FinishReports();
  EXPECT_EQ(601, w.pageCount);
  ASSERT_EQ(601u, w.pageStart.size());
  EXPECT_EQ(0, w.pageStart[0]);
  // Each page holds nine lines of "x" and the rule line.
  EXPECT_EQ(600 * (9 * 2 + 80), w.pageStart[600]);
}

TEST_F(WriterTest, ReportFilesTakeTheFirstFreeName) {
  WriteFile(tempFolder / "tmp0.~tm", "someone else's");
  ReportWriter first(doc, options, computation);
  ASSERT_TRUE(first.OpenReportFile());
  EXPECT_EQ(tempFolder / "tmp1.~tm", first.ReportPath());
  {
    ReportWriter second(doc, options, computation);
    ASSERT_TRUE(second.OpenReportFile());
    EXPECT_EQ(tempFolder / "tmp2.~tm", second.ReportPath());
  }
  EXPECT_FALSE(FileExists(tempFolder / "tmp2.~tm"));  // a finished run deletes its file
  EXPECT_EQ("someone else's", ReadFile(tempFolder / "tmp0.~tm"));
}

TEST_F(WriterTest, NoFreeNameIsReported) {
  for (int n = 0; n < 50; ++n) WriteFile(tempFolder / ("tmp" + std::to_string(n) + ".~tm"), "");
  ReportWriter w(doc, options, computation);
  EXPECT_FALSE(w.OpenReportFile());
  EXPECT_TRUE(ui.Saw("Unable to access disk"));
}

}  // namespace
}  // namespace zarvic::testing
