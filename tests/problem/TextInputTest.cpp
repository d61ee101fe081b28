#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/AppOptions.h"
#include "core/StringTable.h"
#include "core/Text.h"
#include "core/UserInterface.h"
#include "problem/CTDoc.h"
#include "problem/TextInput.h"
#include "support/TestFiles.h"

namespace zarvic {
namespace {

using V = std::vector<std::string>;

V ReadAll(const std::string& content) {
  TextLineReader reader;
  reader.SetContent(content);
  V lines;
  while (!reader.AtEnd()) lines.push_back(reader.ReadLine());
  return lines;
}

TEST(TextLineReader, LinesEndAtEveryKindOfLineBreak) {
  struct Case {
    const char* content;
    V lines;
  };
  const Case cases[] = {
      {"", {}},
      {"A", {"A"}},
      {"A\r\nB\r\n", {"A", "B"}},
      {"A\nB", {"A", "B"}},
      {"A\rB\r", {"A", "B"}},
      {"A\r\n\r\nB\r\n", {"A", "", "B"}},
      {"A\n\nB\n", {"A", "", "B"}},  // a blank line is a line, whatever wrote the file
      {"A\n\n\nB", {"A", "", "", "B"}},
      {"A\n\r\nB", {"A", "", "B"}},
      {"\r\n", {""}},
      {"A\r\n\r\n", {"A", ""}},
  };
  for (const Case& c : cases) EXPECT_EQ(c.lines, ReadAll(c.content)) << ::testing::PrintToString(c.content);
}

TEST(TextLineReader, OpenReadsTheWholeFileOrFails) {
  testing::TempFolder folder;
  testing::WriteFile(folder / "in.txt", "TAX\t01-01-95\t1\r\nREP1");
  TextLineReader reader;
  ASSERT_TRUE(reader.Open(folder / "in.txt"));
  EXPECT_EQ("TAX\t01-01-95\t1", reader.ReadLine());
  EXPECT_EQ("REP1", reader.ReadLine());
  EXPECT_TRUE(reader.AtEnd());

  EXPECT_FALSE(reader.Open(folder / "missing.txt"));
  EXPECT_NE(0, reader.Error());
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_FALSE(reader.Open(folder.path()));  // a folder is no input file
}

class TextInputTest : public ::testing::Test {
 protected:
  void TearDown() override { Options() = savedOptions_; }

  InputLineResult Apply(const std::string& line) { return ParseInputLine(*doc_, batch_, line); }
  int Fill(const std::string& content) {
    TextLineReader reader;
    reader.SetContent(content);
    return FillProblemFromInput(*doc_, batch_, reader);
  }
  const CEvent& Event(int i) const { return doc_->m_events[i]; }

  RecordingUserInterface ui_;
  ScopedUserInterface scopedUi_{ui_};
  std::unique_ptr<CTDoc> doc_ = std::make_unique<CTDoc>();
  BatchEntrySettings batch_;

 private:
  AppOptions savedOptions_ = Options();
};

TEST_F(TextInputTest, TaxPaymentComputeDateAndOneReport) {
  EXPECT_EQ(0, Fill("TAX\t04-15-95\t1000\r\nPAY\t06-15-96\t500\r\nCOM\t12-31-96\r\nREP1\r\n"));
  EXPECT_TRUE(ui_.messages.empty());
  ASSERT_EQ(2, doc_->EventCount());
  EXPECT_EQ(kEventTax, Event(0).m_type);
  EXPECT_EQ(MakeDate(4, 15, 95), Event(0).m_date);
  EXPECT_EQ(100000.0, Event(0).m_amount);
  EXPECT_EQ(100000.0, Event(0).m_gattAmount);
  EXPECT_EQ(kEventPayment, Event(1).m_type);
  EXPECT_EQ(MakeDate(6, 15, 96), Event(1).m_date);
  EXPECT_EQ(50000.0, Event(1).m_amount);
  EXPECT_EQ(50000.0, Event(1).m_gattAmount);
  EXPECT_EQ(MakeDate(12, 31, 96), doc_->m_computeDate);
  EXPECT_EQ((std::array<bool, 7>{true, false, false, false, false, false, false}), batch_.reports);
  EXPECT_EQ(100000.0, doc_->TotalTax);  // derived values follow the events
}

TEST_F(TextInputTest, ReportKeywordsNeedNoTab) {
  EXPECT_EQ(0, Fill("REP7\n"));
  EXPECT_EQ((std::array<bool, 7>{false, false, false, false, false, false, true}), batch_.reports);
  EXPECT_FALSE(batch_.AnyHeading());

  EXPECT_EQ(InputLineResult::Valid, Apply("rep3 please"));
  EXPECT_TRUE(batch_.reports[2]);
  EXPECT_EQ(InputLineResult::Invalid, Apply("REP8"));
  EXPECT_EQ(InputLineResult::Invalid, Apply("REP"));
  Fill("");
  EXPECT_FALSE(batch_.AnyReport());  // every fill starts from no report
}

TEST_F(TextInputTest, KeywordsInTheirOrderSetTheHeader) {
  const ProblemHeader fresh;
  struct Case {
    const char* line;
    DayNumber ProblemHeader::*date;  // the date field the line sets, or nullptr
    std::uint8_t ProblemHeader::*flag;
  };
  const Case cases[] = {
      {"hot 30\t1-15-98", &ProblemHeader::m_thirtyDayLetter, &ProblemHeader::m_hotInterest},
      {"HOT30\t1-15-98", &ProblemHeader::m_thirtyDayLetter, &ProblemHeader::m_hotInterest},
      {"HOT302\t1-15-98", &ProblemHeader::m_restartThirtyDayLetter, &ProblemHeader::m_hotStop},
      {"Hot 302\t1-15-98", &ProblemHeader::m_restartThirtyDayLetter, &ProblemHeader::m_hotStop},
      {"HOTAPP2\t1-15-98", &ProblemHeader::m_restartApplicableDate, &ProblemHeader::m_hotStop},
      {"HOTAPPLICABLE\t1-15-98", &ProblemHeader::m_applicableDate, &ProblemHeader::m_hotInterest},
      {"GATTP\t1-15-98", &ProblemHeader::m_thirtyDayLetter, &ProblemHeader::m_cCorporation},
  };
  for (const Case& c : cases) {
    doc_ = std::make_unique<CTDoc>();
    EXPECT_EQ(InputLineResult::Valid, Apply(c.line)) << c.line;
    ProblemHeader expected = fresh;
    expected.*c.date = MakeDate(1, 15, 98);
    expected.*c.flag = 1;
    EXPECT_EQ(expected, doc_->m_header) << c.line;
    EXPECT_EQ(0, doc_->EventCount()) << c.line;
  }
}

TEST_F(TextInputTest, TextAndAmountKeywords) {
  EXPECT_EQ(0, Fill("NAME\tJane Q. Taxpayer\n"
                    "ID number\t123-45-6789\n"
                    "GATT\t25000\n"
                    "HEADER2\tPrepared for the Appeals Office\n"
                    "FOOTER\tDraft\n"
                    "TABLE\tMYRATES\n"));
  const ProblemHeader& h = doc_->m_header;
  EXPECT_EQ("Jane Q. Taxpayer", h.m_taxpayerName.Text());
  EXPECT_EQ("123-45-6789", h.m_taxpayerId.Text());
  EXPECT_EQ(1, h.m_cCorporation);
  EXPECT_EQ(2500000.0, h.m_gattThreshold);
  EXPECT_EQ("Prepared for the Appeals Office", h.m_headings[1].Text());
  EXPECT_EQ("", h.m_headings[0].Text());
  EXPECT_EQ((std::array<bool, 3>{false, true, false}), batch_.headingFlags);
  EXPECT_EQ("Prepared for the Appeals Office", batch_.headings[1]);
  EXPECT_TRUE(batch_.footerFlag);
  EXPECT_EQ("Draft", batch_.footer);
  EXPECT_EQ("Draft", h.m_footer.Text());
  EXPECT_EQ("MYRATES", doc_->m_rateTable.name);
}

TEST_F(TextInputTest, LongTextsAreCutToTheirFields) {
  const std::string longText(200, 'x');
  EXPECT_EQ(0, Fill("NAM\t" + longText + "\nID\t" + longText + "\nHEADER1\t" + longText + "\nFOOTER\t" +
                    longText + "\n"));
  EXPECT_EQ(59u, doc_->m_header.m_taxpayerName.Text().size());
  EXPECT_EQ(11u, doc_->m_header.m_taxpayerId.Text().size());
  EXPECT_EQ(132u, doc_->m_header.m_headings[0].Text().size());
  EXPECT_EQ(132u, batch_.headings[0].size());
  EXPECT_EQ(132u, batch_.footer.size());
}

// Regression: a table name was cut to 95 characters or kept its folder, and so named a table that
// opening the problem again would not find.
TEST_F(TextInputTest, ATableNameNamesAFileOfTheTableFolder) {
  struct Case {
    std::string name;
    bool valid;
  };
  const Case cases[] = {
      {"MYRATES", true},
      {"MY.RATES", true},
      {std::string(95, 'x'), true},
      {std::string(96, 'x'), false},
      {"../MYRATES", false},
      {"rates/MYRATES", false},
      {"/etc/MYRATES", false},
      {"..", false},
      {"", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    doc_ = std::make_unique<CTDoc>();
    doc_->m_rateTable.name = "BEFORE";
    EXPECT_EQ(c.valid ? InputLineResult::Valid : InputLineResult::Invalid, Apply("TAB\t" + c.name));
    EXPECT_EQ(c.valid ? c.name : "BEFORE", doc_->m_rateTable.name);
  }
}

TEST_F(TextInputTest, EventLines) {
  struct Case {
    const char* line;
    std::uint16_t type;
    double amount;
    double gattAmount;
  };
  const Case cases[] = {
      {"TAXES\t04-15-95\t1000", kEventTax, 100000.0, 100000.0},
      {"pay\t04-15-95\t1,234.56", kEventPayment, 123456.0, 123456.0},
      {"IRS\t04-15-95\t2000\t500", kEventIrsCheck, 200000.0, 50000.0},
      {"IRS\t04-15-95\t2000", kEventIrsCheck, 200000.0, 200000.0},
      {"IRS\t04-15-95\t2000\t", kEventIrsCheck, 200000.0, 200000.0},  // an empty second amount is none
      {"TAX\t04-15-95\t 1,234.5 ", kEventTax, 123450.0, 123450.0},
      {"PAY\t04-15-95\t+12\tnote", kEventPayment, 1200.0, 1200.0},  // the amount ends at a tab
      {"STOP\t04-15-95", kEventStopInterest, 0.0, 0.0},
      {"START\t04-15-95\t99", kEventStartInterest, 0.0, 0.0},
  };
  for (const Case& c : cases) {
    doc_ = std::make_unique<CTDoc>();
    EXPECT_EQ(InputLineResult::Valid, Apply(c.line)) << c.line;
    ASSERT_EQ(1, doc_->EventCount()) << c.line;
    EXPECT_EQ(c.type, Event(0).m_type) << c.line;
    EXPECT_EQ(MakeDate(4, 15, 95), Event(0).m_date) << c.line;
    EXPECT_EQ(c.amount, Event(0).m_amount) << c.line;
    EXPECT_EQ(c.gattAmount, Event(0).m_gattAmount) << c.line;
  }
}

TEST_F(TextInputTest, WholeDollarModeRoundsEnteredAmounts) {
  Options().wholeDollarMode = true;
  EXPECT_EQ(InputLineResult::Valid, Apply("TAX\t04-15-95\t1000.60"));
  EXPECT_EQ(100100.0, Event(0).m_amount);
}

TEST_F(TextInputTest, InvalidLinesChangeNothing) {
  const ProblemHeader fresh;
  for (const char* line : {
           "",
           "TAX 04-15-95 1000",    // no tab
           "TAX\t04-15-95",        // no amount tab
           "PAY\t06-15-96",        //
           "IRS\t06-15-96",        //
           "\tTAX\t04-15-95\t10",  // the keyword must start the line
           " TAX\t04-15-95\t10",   //
           "TAX\t13-45-95\t10",    // no such date
           "PAY\t\t10",            //
           "COM\tsoon",            // would compute to today
           "HOT30\t",              // would switch hot interest on without its date
           "GATTP\tnever",         //
           "BOGUS\t1",             //
           "TA\t04-15-95\t10",     //
           // Regression: amounts that are not well formed were read as something else, or as 0.
           "TAX\t04-15-95\t",          // no amount after the tab
           "IRS\t04-15-95\t\t500",     //
           "PAY\t04-15-95\t1.5E+06",   // was 1.51
           "PAY\t04-15-95\t1e20",      // was 120.00
           "PAY\t04-15-95\tabc",       // was 0.00
           "PAY\t04-15-95\t1.2.3",     // was 0.00
           "PAY\t04-15-95\t12,34",     // was 1,234.00
           "PAY\t04-15-95\t2k",        // the window's shorthand is not for files
           "IRS\t04-15-95\t500\tx",    // a second amount is checked too
           "TAX\t04-15-95\t99999999999999999",  // beyond the amount limit
           "GATT\tten thousand",        //
       }) {
    EXPECT_EQ(InputLineResult::Invalid, Apply(line)) << line;
    EXPECT_EQ(0, doc_->EventCount()) << line;
    EXPECT_EQ(fresh, doc_->m_header) << line;
    EXPECT_EQ(NO_DATE, doc_->m_computeDate) << line;
  }
}

TEST_F(TextInputTest, NegativeEventAmountsAreRefused) {
  for (const char* line : {"PAY\t04-15-95\t-500", "TAX\t04-15-95\t-1", "IRS\t04-15-95\t500\t-5"}) {
    EXPECT_EQ(InputLineResult::Negative, Apply(line)) << line;
    EXPECT_EQ(0, doc_->EventCount()) << line;
  }
  EXPECT_EQ(1, Fill("PAY\t04-15-95\t-500\n"));
  EXPECT_EQ((V{NegativeInputLineMessage("PAY\t04-15-95\t-500")}), ui_.Texts());
  EXPECT_NE(std::string::npos, ui_.Texts()[0].find("Negative numbers are not allowed here.")) << ui_.Texts()[0];
  EXPECT_NE(std::string::npos, ui_.Texts()[0].find("Debit event")) << ui_.Texts()[0];
}

TEST_F(TextInputTest, InvalidLinesAreShownAndSkipped) {
  EXPECT_EQ(2, Fill("TAX\t04-15-95\t1000\r\n\r\nTAX\t05-15-95\r\nPAY\t06-15-96\t500\r\n"));
  EXPECT_EQ((V{InvalidInputLineMessage(""), InvalidInputLineMessage("TAX\t05-15-95")}), ui_.Texts());
  EXPECT_EQ("Error in text input file\nThe following line is invalid:\n\nTAX\t05-15-95", ui_.Texts()[1]);
  ASSERT_EQ(2, doc_->EventCount());
  EXPECT_EQ(kEventPayment, Event(1).m_type);
}

// Regression: a restart date on or before 12-31-97 was taken from a text input file, though the hot
// interest dialog refuses it; the computation then charged days twice. It is refused with the dialog's
// message, and the line changes nothing.
TEST_F(TextInputTest, RestartDatesTheDialogRefusesAreRefused) {
  const ProblemHeader fresh;
  EXPECT_EQ(InputLineResult::RestartLetterTooEarly, Apply("HOT302\t12-31-97"));
  EXPECT_EQ(InputLineResult::RestartApplicableTooEarly, Apply("HOTAPP2\t06-01-97"));
  EXPECT_EQ(fresh, doc_->m_header);
  EXPECT_EQ(2, Fill("HOT30\t06-01-95\nHOT302\t12-31-97\nHOTAPP2\t12-15-97\nHOTAPP2\t01-01-98\n"));
  EXPECT_EQ((V{std::string(StringText(20052)), std::string(StringText(20053))}), ui_.Texts());
  EXPECT_EQ(NO_DATE, doc_->m_header.m_restartThirtyDayLetter);
  EXPECT_EQ(MakeDate(1, 1, 98), doc_->m_header.m_restartApplicableDate);
  EXPECT_EQ(1, doc_->m_header.m_hotStop);
}

// Text a problem file cannot store (Windows-1252 only) is refused with its line, not stored as "?".
TEST_F(TextInputTest, TextTheFileCannotStoreIsRefused) {
  const ProblemHeader fresh;
  for (const char* line : {"NAM\tJordan \xE4\xB8\xAD", "ID\t\xF0\x9F\x98\x80", "HEADER1\t\xE4\xB8\xAD",
                           "FOOTER\tDraft \xF0\x9F\x98\x80"}) {
    EXPECT_EQ(InputLineResult::TextNotStorable, Apply(line)) << line;
  }
  EXPECT_EQ(fresh, doc_->m_header);
  EXPECT_FALSE(batch_.AnyHeading());
  EXPECT_EQ(1, Fill("NAM\tRen\xC3\xA9"
                    "e \xE2\x82\xAC\nID\t\xE4\xB8\xAD\n"));
  EXPECT_EQ(
      (V{"Error in text input file\n" + std::string(StringText(kTextDoesNotFitId)) + "\n\nID\t\xE4\xB8\xAD"}),
      ui_.Texts());
  EXPECT_EQ(
      "Ren\xE9"
      "e \x80",
      doc_->m_header.m_taxpayerName.Text());
}

TEST_F(TextInputTest, EventsAfterTheThousandthAreRefused) {
  std::string content;
  for (int i = 0; i < kMaxEvents; ++i) content += "PAY\t01-01-95\t1\n";
  content += "TAX\t02-01-95\t7\nCOM\t12-31-96\n";
  EXPECT_EQ(1, Fill(content));
  EXPECT_EQ(kMaxEvents, doc_->EventCount());
  EXPECT_EQ((V{NoRoomInputLineMessage("TAX\t02-01-95\t7")}), ui_.Texts());
  EXPECT_NE(std::string::npos, ui_.Texts()[0].find("at most 1000 events"));
  EXPECT_EQ(kEventPayment, Event(kMaxEvents - 1).m_type);
  EXPECT_EQ(MakeDate(12, 31, 96), doc_->m_computeDate);  // later lines still apply
}

TEST_F(TextInputTest, EventsAreAppendedInFileOrderAfterExistingOnes) {
  doc_->m_events[0].m_type = kEventTax;  // the new-problem state: slot 0 typed, without a date
  EXPECT_EQ(0, Fill("PAY\t06-15-96\t500\nTAX\t04-15-95\t1000\n"));
  ASSERT_EQ(2, doc_->EventCount());
  EXPECT_EQ(kEventPayment, Event(0).m_type);
  EXPECT_EQ(kEventTax, Event(1).m_type);
}

}  // namespace
}  // namespace zarvic
