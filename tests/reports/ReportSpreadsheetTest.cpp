// The spreadsheet form of the Interest and Penalty Detail report: the column layouts, the walk
// through the report's sections (page furniture passed over), the cell types a spreadsheet reads, and
// the workbook written from it, read back from its XML.

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "core/AppOptions.h"
#include "core/Paths.h"
#include "core/UserInterface.h"
#include "problem/CTDoc.h"
#include "problem/ProblemFile.h"
#include "reports/EngineReportComputation.h"
#include "reports/ReportRun.h"
#include "reports/ReportSpreadsheet.h"
#include "reports/ReportWindow.h"
#include "reports/ReportWorkbook.h"
#include "support/TestFiles.h"
#include "support/ZipEntries.h"

namespace zarvic {
namespace {

using testing::ReadFile;
using testing::TempFolder;
using testing::WriteFile;

std::vector<std::string> FileLines(const std::string& path) {
  std::vector<std::string> lines;
  std::string text = ReadFile(path);
  size_t start = 0;
  for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
    lines.push_back(text.substr(start, end - start));
  return lines;
}

std::string Fixture(const std::string& name) {
  return std::string(ZARVIC_SOURCE_DIR) + "/tests/fixtures/reports/" + name;
}

TEST(ColumnLayoutTest, CutsQuotesAndConvertsCells) {
  struct Case {
    const char* layout;
    const char* line;
    const char* csv;
  };
  const Case cases[] = {
      // the whole line from position 1 on, the margin blank left out
      {"0\n", " (1) Tax, interest", "\"(1) Tax, interest\"\n"},
      // angle brackets become parentheses; blanks trimmed
      {"1-20,,,42-49D,50-64,65-80\n",
       " Payment                                  06-15-24     <4,000.00>      9,596.77",
       "\"Payment\",,,\"06-15-2024\",\"(4,000.00)\",\"9,596.77\"\n"},
      {"1-34+ (Excel Edition),,,,,52-79\n", " INTEREST AND PENALTY DETAIL REPORT                   Zarvic",
       "\"INTEREST AND PENALTY DETAIL REPORT (Excel Edition)\",,,,,\"Zarvic\"\n"},
      // dashes and the text marker are written as they are
      {"--,'==\n", "anything", "--,'==\n"},
      // a range past the end of the line is an empty cell; a date that does not parse stays as text
      {"1-3,10-20D\n", " ab", "\"ab\",\"\"\n"},
      {"1-8D\n", " 13-45-22", "\"13-45-22\"\n"},
      // quotes inside a cell are doubled
      {"1-9\n", " say \"hi\"", "\"say \"\"hi\"\"\"\n"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> unexpected;
    EXPECT_EQ(std::string(c.csv), ApplyColumnLayout(c.layout, c.line, &unexpected)) << c.layout;
    EXPECT_EQ(std::vector<std::string>{}, unexpected) << c.layout;
  }
}

TEST(ColumnLayoutTest, UnknownCharactersAreReportedAndSkipped) {
  std::vector<std::string> unexpected;
  EXPECT_EQ("\"ab\",\n", ApplyColumnLayout("1-2,X\n", " ab", &unexpected));
  EXPECT_EQ(std::vector<std::string>{"Unexpected character X in template!"}, unexpected);
}

TEST(SheetCellTest, ReadsCellsAsTheSpreadsheetDoes) {
  using K = SheetValue::Kind;
  struct Case {
    const char* cell;
    K kind;
    double number;
    const char* text;
  };
  const Case cases[] = {
      {"", K::Blank, 0, ""},
      {"10,000.00", K::Number, 10000.0, ""},
      {"(1,234.56)", K::Number, -1234.56, ""},
      {"-5.5", K::Number, -5.5, ""},
      {"7.00", K::Number, 7.0, ""},
      {"0.00", K::Number, 0.0, ""},
      {"1,2", K::Text, 0, "1,2"},
      {"2026.4.2", K::Text, 0, "2026.4.2"},
      {"123-45-6789", K::Text, 0, "123-45-6789"},
      {"--------------------", K::Text, 0, "--------------------"},
      {"'==============", K::Text, 0, "=============="},
      {"Page 1", K::Text, 0, "Page 1"},
  };
  for (const Case& c : cases) {
    SheetValue v = ReadSheetCell(c.cell);
    EXPECT_EQ(c.kind, v.kind) << c.cell;
    EXPECT_DOUBLE_EQ(c.number, v.number) << c.cell;
    EXPECT_EQ(std::string(c.text), v.text) << c.cell;
  }
  SheetValue date = ReadSheetCell("04-15-2023");
  EXPECT_EQ(K::Date, date.kind);
  EXPECT_EQ(MakeDate(4, 15, 2023), date.date);
  EXPECT_EQ(K::Text, ReadSheetCell("13-45-2023").kind);
}

// The reviewed report of a late return, with its page heading lines, as the spreadsheet rows.
TEST(DetailSheetTest, RowsOfAReviewedReportEqualTheReviewedSheet) {
  std::vector<std::string> report = FileLines(Fixture("detail-late-return.txt"));
  // Only the first report of the file: the detail report's first page ends before the next title.
  ReportPageDressing dressing{true, true, 60};
  std::string error;
  auto sheet = ConvertDetailReport(WithMargin(report), dressing, &error);
  ASSERT_TRUE(sheet.has_value()) << error;
  const char* update = std::getenv("ZARVIC_UPDATE_FIXTURES");
  if (update != nullptr && std::string(update) == "1")
    WriteFile(Fixture("detail-late-return.sheet.csv"), sheet->csv);
  EXPECT_EQ(ReadFile(Fixture("detail-late-return.sheet.csv")), sheet->csv);
  EXPECT_EQ(4, sheet->eventHeadingRow);
  EXPECT_EQ(13, sheet->firstInterestRow);
  EXPECT_EQ((std::vector<int>{13, 26}), sheet->interestTitleRows);
  EXPECT_EQ(38, sheet->summaryRow);
  ASSERT_EQ(sheet->rows.size(), static_cast<size_t>(std::count(sheet->csv.begin(), sheet->csv.end(), '\n')));
}

// The shipped example LATE, computed by the engine, with the program's templates.
class ExampleReportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetProgramFolder(ZARVIC_BINARY_DIR);
    scoped_ = std::make_unique<ScopedUserInterface>(ui_);
    ASSERT_TRUE(LoadProblemFile(doc_, std::string(ZARVIC_SOURCE_DIR) + "/examples/LATE.ZR3", true));
  }
  void TearDown() override {
    scoped_.reset();
    SetProgramFolder("");
  }

  std::vector<std::string> Report(const ReportOptions& options, int linesPerPage) {
    EngineReportComputation computation;
    ReportRun run(doc_, computation);
    run.Options() = options;
    FixedPageLength page(linesPerPage);
    if (run.PrepareReports(page, false) == 0) return {};
    return WithMargin(run.ReadLines());
  }

  ReportOptions Detail(bool header, bool footer) {
    ReportOptions options;
    options.computeDate = doc_.m_header.m_computeDate;
    options.interestAndPenaltyDetail = true;
    options.includeHeader = header;
    options.includeFooter = footer;
    return options;
  }

  RecordingUserInterface ui_;
  std::unique_ptr<ScopedUserInterface> scoped_;
  CTDoc doc_;
};

// Page breaks inside the event list and the interest sections, with and without the page's heading
// lines and footer, give the very rows of the report on long pages.
TEST_F(ExampleReportTest, PageFurnitureIsPassedOver) {
  doc_.m_header.m_headings[0].SetText("Prepared for the examiner");
  doc_.m_header.m_footer.SetText("Footer of every page");
  std::string error;
  auto whole = ConvertDetailReport(Report(Detail(false, false), 200), {false, false, 200}, &error);
  ASSERT_TRUE(whole.has_value()) << error;
  struct Case {
    bool header, footer;
    int lines;
  };
  for (Case c : {Case{false, false, 16}, Case{true, true, 16}, Case{true, false, 19}, Case{false, true, 21},
                 Case{true, true, 200}}) {
    std::vector<std::string> lines = Report(Detail(c.header, c.footer), c.lines);
    ASSERT_FALSE(lines.empty());
    auto broken = ConvertDetailReport(lines, {c.header, c.footer, c.lines}, &error);
    ASSERT_TRUE(broken.has_value()) << error << " header " << c.header << " footer " << c.footer << " lines "
                                    << c.lines;
    EXPECT_EQ(whole->csv, broken->csv)
        << "header " << c.header << " footer " << c.footer << " lines " << c.lines;
  }
}

// An event's description reaches the sheet whole, not cut to the first 20 characters.
TEST_F(ExampleReportTest, EventDescriptionsAreWhole) {
  const std::string description = "Balance due per notice CP14 of 2020";  // as long as the report shows
  doc_.m_events[0].SetDescription(description);
  const bool used = Options().useDescriptions;
  Options().useDescriptions = true;
  std::string error;
  auto sheet = ConvertDetailReport(Report(Detail(false, false), 200), {false, false, 200}, &error);
  Options().useDescriptions = used;
  ASSERT_TRUE(sheet.has_value()) << error;
  ASSERT_GT(sheet->rows.size(), 6u);
  EXPECT_EQ(description, sheet->rows[6].at(0));  // row 7, the first event
  EXPECT_EQ("INTEREST AND PENALTY DETAIL REPORT", sheet->rows[0].at(0));
}

TEST_F(ExampleReportTest, OtherReportsAreRefused) {
  ReportOptions summary = Detail(false, false);
  summary.interestAndPenaltyDetail = false;
  summary.mainScreenEvents = true;
  std::string error;
  EXPECT_FALSE(ConvertDetailReport(Report(summary, 60), {}, &error).has_value());
  EXPECT_EQ(kOnlyDetailExports, error);

  // A detail report cut off before its summary ends the walk instead of waiting for a title.
  std::vector<std::string> lines = Report(Detail(false, false), 200);
  auto summaryAt = std::find_if(lines.begin(), lines.end(), [](const std::string& l) {
    return l.find("Summary as of") != std::string::npos;
  });
  ASSERT_NE(lines.end(), summaryAt);
  lines.erase(summaryAt, lines.end());
  error.clear();
  EXPECT_FALSE(ConvertDetailReport(lines, {}, &error).has_value());
  EXPECT_EQ(kOnlyDetailExports, error);
  EXPECT_FALSE(ConvertDetailReport({}, {}, &error).has_value());
}

std::string CellXml(const std::string& sheetXml, const std::string& ref) {
  std::smatch m;
  std::regex cell("<c r=\"" + ref + "\"[^>]*?(/>|>.*?</c>)");
  return std::regex_search(sheetXml, m, cell) ? m.str(0) : std::string();
}

// The workbook as the spreadsheet will read it: numbers, dates and rates as values with their
// formats, the widths and the sheet's name.
TEST_F(ExampleReportTest, WorkbookHoldsValuesFormatsWidthsAndName) {
  std::string error;
  auto sheet = ConvertDetailReport(Report(Detail(false, false), 60), {false, false, 60}, &error);
  ASSERT_TRUE(sheet.has_value()) << error;
  TempFolder folder;
  const std::string path = folder / "temp0.xlsx";
  ASSERT_TRUE(WriteDetailWorkbook(*sheet, path, "temp0", &error)) << error;
  EXPECT_EQ(std::vector<std::string>{"temp0.xlsx"}, folder.Entries());  // nothing left half-written
  auto zip = testing::ZipEntries(ReadFile(path));
  const std::string xml = zip["xl/worksheets/sheet1.xml"];
  const std::string styles = zip["xl/styles.xml"];
  ASSERT_FALSE(xml.empty());
  EXPECT_NE(std::string::npos, zip["xl/workbook.xml"].find("name=\"temp0\""));
  const size_t cols = xml.find("<cols>");
  ASSERT_NE(std::string::npos, cols);
  EXPECT_EQ("<cols><col min=\"1\" max=\"7\" width=\"14.7109375\" customWidth=\"1\"/></cols>",
            xml.substr(cols, xml.find("</cols>") - cols + 7));  // 14 characters and the cell padding
  EXPECT_NE(std::string::npos, styles.find("formatCode=\"#,###.00_);(#,###.00)\""));
  EXPECT_NE(std::string::npos, styles.find("formatCode=\"0.00%\""));
  EXPECT_NE(std::string::npos, styles.find("formatCode=\"mm-dd-yyyy\""));

  // Row 7 is the first event: its date a date serial, its amount a number.
  const std::string date = CellXml(xml, "D7");
  const std::string amount = CellXml(xml, "E7");
  EXPECT_EQ(std::string::npos, date.find("t=\"s\"")) << date;
  EXPECT_EQ(std::string::npos, amount.find("t=\"s\"")) << amount;
  EXPECT_NE(std::string::npos, amount.find("<v>")) << amount;
  // A rate of the first interest section: 7.00 stored as 0.07.
  bool rateFound = false;
  for (int row = sheet->firstInterestRow + 4; row < sheet->summaryRow && !rateFound; ++row) {
    const std::string rate = CellXml(xml, "D" + std::to_string(row));
    if (rate.find("<v>0.0") != std::string::npos) rateFound = true;
  }
  EXPECT_TRUE(rateFound);
  // The summary total's balance is a number; a payment in brackets is negative.
  bool negative = false;
  for (int row = sheet->summaryRow + 2; row < static_cast<int>(sheet->rows.size()); ++row) {
    for (const char* column : {"C", "D", "E", "F"}) {
      const std::string cell = CellXml(xml, column + std::to_string(row));
      if (cell.find("<v>-") != std::string::npos) negative = true;
    }
  }
  EXPECT_TRUE(negative);
}

TEST(WorkbookTest, AFailedWriteLeavesNoFile) {
  DetailSheet sheet;
  sheet.rows = {{"a", "1.00"}};
  TempFolder folder;
  std::string error;
  // A sheet name the spreadsheet does not allow.
  EXPECT_FALSE(WriteDetailWorkbook(sheet, folder / "temp0.xlsx", "bad[name]", &error));
  EXPECT_FALSE(error.empty());
  // A folder that does not exist.
  EXPECT_FALSE(WriteDetailWorkbook(sheet, folder / "missing/temp0.xlsx", "temp0", &error));
  EXPECT_EQ(std::vector<std::string>{}, folder.Entries());
  // A workbook that fails leaves the file it was to replace as it was.
  WriteFile(folder / "kept.xlsx", "earlier");
  EXPECT_FALSE(WriteDetailWorkbook(sheet, folder / "kept.xlsx", "bad[name]", &error));
  EXPECT_EQ("earlier", ReadFile(folder / "kept.xlsx"));
  EXPECT_EQ(std::vector<std::string>{"kept.xlsx"}, folder.Entries());
}

// Any report opens in the window whatever its size (the window test opens a 1,000-event report).
TEST(ReportWindowRulesTest, FontBounds) {
  EXPECT_EQ(48, LargerReportFont(46));
  EXPECT_EQ(50, LargerReportFont(48));
  EXPECT_EQ(50, LargerReportFont(50));
  EXPECT_EQ(3, SmallerReportFont(5));
  EXPECT_EQ(4, SmallerReportFont(4));
}

}  // namespace
}  // namespace zarvic
