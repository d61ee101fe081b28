#include <string>
#include <vector>

#include "reports/ReportTestSupport.h"

namespace zarvic::testing {
namespace {

struct ParseCase {
  const char* name;
  std::string text;
  std::vector<std::string> lines;
};

std::string NumberedLines(int n) {
  std::string text;
  for (int i = 0; i < n; ++i) text += "line " + std::to_string(i) + "\n";
  return text;
}

TEST(ParseTemplate, SplitsLinesAfterRemovingComments) {
  const ParseCase cases[] = {
      {"plain", "a\nb\n", {"a", "b"}},
      {"carriage returns dropped", "a\r\nb\r\n", {"a", "b"}},
      {"unterminated last line is not part of it", "a\nb", {"a"}},
      {"comment inside a line", "a /* note */b\n", {"a b"}},
      {"comment spanning two lines takes one line with it", "a/* one\ntwo */b\nc\n", {"ab", "c"}},
      {"comment on a line of its own leaves an empty line", "a\n/* note */\nb\n", {"a", "", "b"}},
      {"comments do not nest", "a/* x /* y */b */c\n", {"ab */c"}},
      {"unclosed comment runs to the end", "a\nb/* c\nd\n", {"a"}},
      {"empty file", "", {}},
  };
  for (const auto& c : cases) {
    ReportTemplate t = ParseTemplate(c.text);
    ASSERT_EQ(static_cast<int>(c.lines.size()), t.count) << c.name;
    for (size_t i = 0; i < c.lines.size(); ++i) EXPECT_EQ(c.lines[i], t.Line(static_cast<int>(i))) << c.name;
  }
}

TEST(ParseTemplate, KeepsTheFirstHundredLines) {
  ReportTemplate t = ParseTemplate(NumberedLines(120));
  EXPECT_EQ(100, t.count);
  EXPECT_EQ("line 99", t.Line(99));
  EXPECT_EQ("", t.Line(100));
  EXPECT_EQ("", t.Line(-1));
}

TEST(ParseTemplate, CutsLinesTooLongForTheReportBuffers) {
  ReportTemplate t = ParseTemplate(std::string(150, 'x') + "\n");
  EXPECT_EQ(std::string(119, 'x'), t.Line(0));
}

TEST(ParseTemplate, KeepsTheFieldMarkerByte) {
  ReportTemplate t = ParseTemplate(
      "Name: \xAD"
      "NAME\n");
  EXPECT_EQ(
      "Name: \xAD"
      "NAME",
      t.Line(0));
}

class LoadTemplateTest : public ReportTest {};

TEST_F(LoadTemplateTest, LooksInTheCurrentFolderFirstThenBesideTheProgram) {
  std::string programFolder = UseTemplateFolder();
  WriteFile(programFolder + "/X.DM", "program\n");
  ReportTemplate t;
  ASSERT_TRUE(LoadTemplate(t, "X.DM"));
  EXPECT_EQ("program", t.Line(0));

  WriteFile("X.DM", "current\n");  // the current folder is the test's own
  ASSERT_TRUE(LoadTemplate(t, "X.DM"));
  EXPECT_EQ("current", t.Line(0));
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(LoadTemplateTest, MissingTemplateIsReportedAndLeavesItEmpty) {
  UseTemplateFolder();
  ReportTemplate t = ParseTemplate("old\n");
  EXPECT_FALSE(LoadTemplate(t, "NONE.DM"));
  EXPECT_EQ(0, t.count);
  ASSERT_EQ(1u, ui.messages.size());
  const std::string& text = ui.messages[0].text;
  EXPECT_EQ(0u, text.find(StringText(20027))) << text;
  // The message says which file was missing and where it was looked for.
  EXPECT_NE(std::string::npos, text.find("The template NONE.DM was looked for in ")) << text;
  EXPECT_NE(std::string::npos, text.find(ProgramFolder())) << text;
}

TEST_F(LoadTemplateTest, ShippedTemplatesFitTheirColumns) {
  // Every shipped template loads, keeps its field markers and prints within 80 columns.
  const char* names[] = {
      "GLHEAD.DM",  "REPMS.DM",   "REPSUM22.DM", "REPSUM.DM",   "INTHEAD1.DM", "INTHEAD2.DM", "INTWARN.DM",
      "REPMON.DM",  "PAYREP.DM",  "RATEREP.DM",  "P6651A1.DM",  "P6651A2.DM",  "P6651A3.DM",  "P6653A.DM",
      "P6653B.DM",  "P6659.DM",   "P6659A.DM",   "P6660.DM",    "P6661.DM",    "P6662C.DM",   "P6662D.DM",
      "P6662E.DM",  "P6662F.DM",  "P6662G.DM",   "P6663.DM",    "P18681.DM",   "P18684A1.DM", "P18684A2.DM",
      "P18684N.DM", "P18684F.DM", "P6621C.DM",   "R6651A1H.DM", "R6651A2H.DM", "R6651A3H.DM", "R6653AH.DM",
      "R6662FF.DM", "R6662DD.DM", "R6621CF.DM"};
  for (const char* name : names) {
    ReportTemplate t;
    ASSERT_TRUE(LoadTemplate(t, name)) << name;
    EXPECT_GT(t.count, 0) << name;
    for (int i = 0; i < t.count; ++i) EXPECT_LE(t.Line(i).size(), 80u) << name << " line " << i;
  }
  ReportTemplate summary;
  ASSERT_TRUE(LoadTemplate(summary, "REPSUM.DM"));
  EXPECT_EQ(41, summary.count);
  EXPECT_EQ("*", summary.Line(16));
  EXPECT_EQ(0u, summary.Line(34).find("----------"));
  ReportTemplate texts;
  ASSERT_TRUE(LoadTemplate(texts, "REPSUM22.DM"));
  for (int type = 0; type <= 10; ++type) EXPECT_LE(texts.Line(type).size(), 39u);
}

}  // namespace
}  // namespace zarvic::testing
