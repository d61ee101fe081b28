// CSV export and import of events, and the line splitter of the import.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "core/AppOptions.h"
#include "problem/CsvFile.h"
#include "problem/EventTypes.h"
#include "problem/ProblemFile.h"
#include "problem/ProblemFileFixture.h"

namespace zarvic {
namespace {

using namespace zarvic::testing;

std::vector<std::string> Fields(const CCSVLine& csv) {
  std::vector<std::string> out;
  for (int n = 1; n <= csv.FieldCount(); ++n) out.push_back(csv.FieldText(n));
  return out;
}

TEST(CCSVLineTest, SplitsFields) {
  struct Case {
    std::string line;
    std::vector<std::string> fields;
  };
  const Case cases[] = {
      {"", {}},
      {"abc", {"abc"}},
      {"   ", {""}},
      {"a,b,c", {"a", "b", "c"}},
      {"  a , b ,c  ", {"a ", "b ", "c"}},  // blanks before a comma stay with the field
      {"PAYMENT ,1", {"PAYMENT ", "1"}},
      {"a,,c", {"a", "", "c"}},
      {"a,b,", {"a", "b", ""}},
      {"\"x, y\",z", {"x, y", "z", ""}},  // commas in quotes count for the size only
      {"\"  padded  \"", {"  padded  "}},
      {"\"q\"  ,  r", {"q", "r"}},
      {"\"q\"x,r", {"q", ""}},  // the character after the quote is taken as the comma; extras dropped
      {"\"\",\"\"", {"", ""}},
      {"a,\"b\"", {"a", "b"}},
      {"a\tb,c", {"a\tb", "c"}},
      {"\"say \"\"hi\"\"\",x", {"say \"hi\"", "x"}},  // a doubled quote is one quote
      {"\"\"\"\"", {"\""}},
  };
  for (const Case& c : cases) {
    CCSVLine csv;
    EXPECT_EQ("", csv.Parse(c.line)) << c.line;
    EXPECT_FALSE(csv.Error());
    EXPECT_EQ(c.fields, Fields(csv)) << c.line;
    EXPECT_EQ("", csv.FieldText(0));
    EXPECT_EQ("", csv.FieldText(csv.FieldCount() + 1));
  }
}

TEST(CCSVLineTest, UnclosedQuote) {
  for (std::string line : {"\"unclosed,a", "a,\"b,c", "a, \""}) {
    CCSVLine csv;
    EXPECT_EQ("Mismatched quotes in:\n" + line, csv.Parse(line));
    EXPECT_TRUE(csv.Error());
  }
}

TEST(CCSVLineTest, Dates) {
  CCSVLine csv;
  csv.Parse("01-05-2003,1-5-03,,0,-1,13-45-2003,junk");
  EXPECT_EQ(Day("01-05-2003"), csv.FieldDate(1));
  EXPECT_EQ(Day("01-05-2003"), csv.FieldDate(2));
  for (int n : {0, 3, 4, 5, 6, 7, 8}) EXPECT_EQ(NO_DATE, csv.FieldDate(n)) << n;
}

TEST(CCSVLineTest, Amounts) {
  struct Case {
    std::string field;
    double cents;
  };
  const Case cases[] = {
      {"1234.56", 123456},
      {"$1,234.567", 123456},  // the fraction of a cent is cut off
      {"1234.569", 123456},
      {"0.29", 29},  // exact: not 28.999... cut to 28
      {"19.99", 1999},
      {"1.13", 113},
      {"21474836.47", 2147483647},
      {"21474836.48", -1},  // does not fit 32-bit cents
      {"99999999999", -1},
      {"-5", -500},
      {"-0.019", -1},
      {"-21474836.48", -2147483648.0},
      {"-21474836.49", -1},
      {"  12abc", 1200},  // leading blanks, trailing characters ignored
      {"abc", 0},
      {"", 0},
      {"$", 0},
      {".5", 50},
      {"5.", 500},
      {"+3", 300},
      {"1e3", 100000},
      {"1.5e-1", 15},
      {"2E+2", 20000},
      {"7e", 700},
      {"1e99999999", -1},
      {"0e99999999", 0},
      {"0x10", 0},
      {"inf", 0},
  };
  for (const Case& c : cases) {
    CCSVLine csv;
    csv.Parse("\"" + c.field + "\"");
    EXPECT_EQ(c.cents, csv.FieldAmount(1)) << c.field;
  }
  CCSVLine csv;
  csv.Parse("1,2");
  EXPECT_EQ(-1.0, csv.FieldAmount(0));
  EXPECT_EQ(-1.0, csv.FieldAmount(3));
}

CEvent Event(std::uint16_t type, const char* date, double amount, const char* description = nullptr) {
  CEvent e;
  e.m_type = type;
  e.m_date = Day(date);
  e.m_amount = amount;
  if (description) e.SetDescription(description);
  return e;
}

class CsvTest : public ProblemFileFixture {
 protected:
  void SetUp() override {
    ProblemFileFixture::SetUp();
    doc->ResetProblem();
  }
  std::optional<int> Import(const std::string& text) {
    std::istringstream in(text);
    return ImportCsvLines(*doc, in);
  }

  std::unique_ptr<CTDoc> doc = std::make_unique<CTDoc>();
  TempFolder folder;
};

TEST_F(CsvTest, ExportedLines) {
  struct Case {
    CEvent event;
    bool wholeDollars;
    std::string line;
  };
  const Case cases[] = {
      {Event(kEventPayment, "01-05-2003", 123456, "Check 101"), false,
       "PAYMENT,01-05-2003,1234.56,\"Check 101\"\r\n"},
      {Event(kEventPayment, "01-05-2003", 123456), true, "PAYMENT,01-05-2003,1235,\"\"\r\n"},
      {Event(kEventTax, "04-15-1995", 123456789), false, "NORMALTAX,04-15-1995,1234567.89,\"\"\r\n"},
      {Event(kEventDebit, "12-31-2020", -5025, "x"), false, "DEBIT,12-31-2020,-50.25,\"x\"\r\n"},
      {Event(kEventPenaltyType, "06-01-1999", 0), false, "PENALTY_TYPE,06-01-1999,0.00,\"\"\r\n"},
      {Event(0x20, "06-01-1999", 1), false, "<Unknown>,06-01-1999,0.01,\"\"\r\n"},
      // The problem holds Windows-1252; CSV files are UTF-8.
      {Event(kEventPayment, "01-05-2003", 100, "Caf\xE9 \x80"), false,
       "PAYMENT,01-05-2003,1.00,\"Caf\xC3\xA9 \xE2\x82\xAC\"\r\n"},
  };
  for (const Case& c : cases) {
    Options().wholeDollarMode = c.wholeDollars;
    EXPECT_EQ(c.line, CsvExportLine(c.event));
  }
}

TEST_F(CsvTest, ExportWritesEveryListedEvent) {
  doc->m_events[0] = Event(kEventTax, "04-15-1995", 100000);
  doc->m_events[1] = Event(kEventPayment, "01-05-2003", 123456, "Check 101");
  doc->m_events[3] = Event(kEventDebit, "01-05-2004", 1);  // after the end of the list
  Options().specialCR = true;
  ui.files.push_back(folder / "out.CSV");
  ASSERT_TRUE(ExportEventsToCsv(*doc, "/cases/CASE.ZR3"));
  ASSERT_EQ(1u, ui.fileRequests.size());
  const FileChoice& asked = ui.fileRequests[0];
  EXPECT_TRUE(asked.save);
  EXPECT_EQ("Export to CSV file", asked.title);
  EXPECT_EQ("/cases/CASE.CSV", asked.initialPath);
  EXPECT_EQ("CSV files (*.CSV)|*.CSV|All Files (*.*)|*.*||", asked.filter);
  EXPECT_EQ("CSV", asked.defaultExtension);
  EXPECT_TRUE(Options().specialCR);
  EXPECT_EQ("NORMALTAX,04-15-1995,1000.00,\"\"\r\nPAYMENT,01-05-2003,1234.56,\"Check 101\"\r\n",
            ReadFile(folder / "out.CSV"));

  // A problem without a file proposes "CSV"; Cancel writes nothing.
  ui.files.push_back(std::nullopt);
  EXPECT_FALSE(ExportEventsToCsv(*doc, ""));
  EXPECT_EQ("CSV", ui.fileRequests[1].initialPath);
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(CsvTest, ExportFailures) {
  EXPECT_FALSE(ExportEventsToCsv(*doc, ""));
  EXPECT_EQ((std::vector<std::string>{"There are no events to export."}), ui.Texts());
  EXPECT_TRUE(ui.fileRequests.empty());

  ui.messages.clear();
  doc->m_events[0] = Event(kEventTax, "04-15-1995", 100000);
  ui.files.push_back(folder / "missing/out.CSV");
  EXPECT_FALSE(ExportEventsToCsv(*doc, ""));
  EXPECT_EQ((std::vector<std::string>{"CSV file open failed with error 2\nNo such file or directory"}),
            ui.Texts());
}

TEST_F(CsvTest, ImportsUsableLines) {
  const std::optional<int> imported = Import(
      "PAYMENT,01-05-2003,1234.56,,\"Check 101\"\r\n"
      "\r\n"
      "payment,01-06-2003,1\n"    // lower case is fine
      "PAYMENT ,01-07-2003,1\n"   // a blank before the comma is not
      "UNKNOWN,01-07-2003,1\n"    // no such keyword
      "<Unknown>,01-07-2003,1\n"  // nor is the end of the table
      "TAX,01-07-2003,1\n"        // the text file's keyword is not the CSV one
      "DEBIT,0,1\n"               // no date
      "DEBIT,-1,1\n"
      "DEBIT,13-45-2003,1\n"
      "DEBIT,01-08-2003\n"              // no amount
      "DEBIT,01-08-2003,-1\n"           // negative amount
      "DEBIT,01-08-2003,21474836.48\n"  // too large for 32-bit cents
      "DEBIT,01-09-2003,21474836.47,,A description of exactly forty letters..\n"
      "PENALTY_TYPE,01-10-2003,$1,234.567\n"      // unquoted: the comma splits the amount
      "PENALTY_TYPE,01-10-2003,\"$1,234.567\"\n"  // quoted: 123,456 cents
      "CREDIT,01-11-2003,5,6,\"a, b\",extra,fields\n");
  EXPECT_EQ(6, imported);
  // Nothing is passed over in silence.
  EXPECT_EQ(
      (std::vector<std::string>{
          "10 line(s) of the file were not imported because they hold no event (an unknown event type, no "
          "valid date, or a missing, negative or too large amount).  Line numbers: 4, 5, 6, 7, 8, 9, 10, "
          "11, 12, 13."}),
      ui.Texts());
  EXPECT_TRUE(doc->IsModified());
  struct Expected {
    std::uint16_t type;
    const char* date;
    double amount;
    const char* description;
  };
  const Expected expected[] = {
      {kEventPayment, "01-05-2003", 123456, "Check 101"},
      {kEventPayment, "01-06-2003", 100, nullptr},
      {kEventDebit, "01-09-2003", 2147483647, "A description of exactly forty letters.."},
      {kEventPenaltyType, "01-10-2003", 100, nullptr},
      {kEventPenaltyType, "01-10-2003", 123456, nullptr},
      {kEventCredit, "01-11-2003", 500, "a, b"},
  };
  ASSERT_EQ(6, doc->EventCount());
  for (int i = 0; i < 6; ++i) {
    SCOPED_TRACE(i);
    const CEvent& e = doc->m_events[i];
    EXPECT_EQ(expected[i].type, e.m_type);
    EXPECT_EQ(Day(expected[i].date), e.m_date);
    EXPECT_EQ(expected[i].amount, e.m_amount);
    EXPECT_EQ(expected[i].amount, e.m_gattAmount);
    EXPECT_EQ(expected[i].description != nullptr, e.HasDescription());
    if (expected[i].description) {
      EXPECT_EQ(expected[i].description, e.DescriptionText());
    }
  }
}

TEST_F(CsvTest, IrsCheckSecondAmount) {
  struct Case {
    std::string line;
    double gatt;
  };
  const Case cases[] = {
      {"IRS_CHECK,01-05-2003,2000,500", 50000},
      {"IRS_CHECK,01-05-2003,2000,3000", 200000},  // larger than the check: not used
      {"IRS_CHECK,01-05-2003,2000,2000", 200000},
      {"IRS_CHECK,01-05-2003,2000", 200000},          // none
      {"IRS_CHECK,01-05-2003,2000,-5", 200000},       // negative: not used
      {"IRS_CHECK,01-05-2003,2000,text", 200000},     // no number: the description, as exported
      {"IRS_CHECK,01-05-2003,2000,\"500\"", 200000},  // quoted: the description, as exported
      {"IRS_CHECK,01-05-2003,2000,500,\"Refund\"", 50000},
      {"IRS_CHECK,01-05-2003,2000,$500", 50000},
      {"CREDIT,01-05-2003,2000,500", 200000},  // only IRS checks have one
  };
  for (const Case& c : cases) {
    doc->ResetProblem();
    ASSERT_EQ(1, Import(c.line)) << c.line;
    EXPECT_EQ(200000.0, doc->m_events[0].m_amount);
    EXPECT_EQ(c.gatt, doc->m_events[0].m_gattAmount) << c.line;
  }
}

// The question says the import replaces the problem's events, and so it does: nothing of the old
// events (descriptions, allocations, events after the imported ones) stays behind.
TEST_F(CsvTest, ImportReplacesTheEvents) {
  doc->m_events[0] = Event(kEventPayment, "01-01-1999", 1, "Old description");
  doc->m_events[0].Allocation().m_payment[0] = 1;
  doc->m_events[0].m_balof = -7;
  doc->m_events[1] = Event(kEventDebit, "02-01-1999", 2, "Old debit");
  doc->m_events[2] = Event(kEventCredit, "03-01-1999", 3);
  EXPECT_EQ(2, Import("NORMALTAX,01-05-2003,10\nDEBIT,01-06-2003,20,,New\n"));
  ASSERT_EQ(2, doc->EventCount());
  const CEvent& first = doc->m_events[0];
  EXPECT_EQ(kEventTax, first.m_type);
  EXPECT_EQ(1000.0, first.m_amount);
  EXPECT_FALSE(first.HasDescription());
  EXPECT_EQ(nullptr, first.m_allocation);
  EXPECT_EQ(0.0, first.m_balof);
  EXPECT_EQ("New", doc->m_events[1].DescriptionText());
  EXPECT_FALSE(doc->m_events[2].HasDate());
}

// A file that cannot be read whole changes nothing: no half-replaced event list.
TEST_F(CsvTest, UnexpectedLineRefusesTheImport) {
  doc->m_events[0] = Event(kEventTax, "04-15-1995", 100000);
  EXPECT_EQ(std::nullopt, Import("DEBIT,01-05-2003,1\nDEBIT,01-06-2003,2,,\"unclosed\nDEBIT,01-07-2003,3\n"));
  EXPECT_EQ((std::vector<std::string>{
                "The CSV file contains an unexpected line:\n\nDEBIT,01-06-2003,2,,\"unclosed"}),
            ui.Texts());
  EXPECT_EQ(1, doc->EventCount());
  EXPECT_EQ(kEventTax, doc->m_events[0].m_type);
  EXPECT_FALSE(doc->IsModified());

  ui.messages.clear();
  doc->ResetProblem();
  EXPECT_EQ(std::nullopt, Import(std::string(kCsvLongestLine + 10, 'x') + "\nDEBIT,01-07-2003,3\n"));
  EXPECT_EQ((std::vector<std::string>{"The CSV file contains an unexpected line:\n\n" + std::string(80, 'x') +
                                      "..."}),
            ui.Texts());
}

// A problem holds 1,000 events; the lines beyond are not dropped without a word.
TEST_F(CsvTest, ImportStopsAfterAThousandEventsAndSaysSo) {
  std::string text = "NOTANEVENT,01-05-2003,1\n";
  for (int i = 0; i < 1005; ++i) text += "DEBIT,01-05-2003," + std::to_string(i) + "\n";
  text += "\nDEBIT,01-05-2003,\"unclosed\n";  // not read as an event any more
  EXPECT_EQ(1000, Import(text));
  EXPECT_EQ(1000, doc->EventCount());
  EXPECT_EQ(99900.0, doc->m_events[999].m_amount);
  EXPECT_EQ(
      (std::vector<std::string>{
          "A problem holds at most 1,000 events.  The import stopped there: 6 more line(s) of the file, "
          "from line 1002 on, were not imported.",
          "1 line(s) of the file were not imported because they hold no event (an unknown event type, no "
          "valid date, or a missing, negative or too large amount).  Line numbers: 1."}),
      ui.Texts());
}

// Text the problem file cannot store is refused where it is imported, naming the line; nothing changes.
TEST_F(CsvTest, DescriptionsTheFileCannotStoreRefuseTheImport) {
  struct Case {
    std::string file;
    std::string message;
  };
  const Case cases[] = {
      {"DEBIT,01-05-2003,1\nDEBIT,01-06-2003,2,\"\xE4\xB8\xAD\xE6\x96\x87\"\n",
       "Line 2 of the CSV file holds a description that a Zarvic problem file cannot store (characters "
       "outside "
       "Windows-1252).  Nothing was imported."},
      {"DEBIT,01-05-2003,1,\"paid \xF0\x9F\x98\x80\"\n",
       "Line 1 of the CSV file holds a description that a Zarvic problem file cannot store (characters "
       "outside "
       "Windows-1252).  Nothing was imported."},
      {"DEBIT,01-05-2003,1,\"" + std::string(41, 'x') + "\"\n",
       "Line 1 of the CSV file holds a description that a Zarvic problem file cannot store (more than 40 "
       "characters).  Nothing was imported."},
  };
  for (const Case& c : cases) {
    doc->ResetProblem();
    doc->m_events[0] = Event(kEventTax, "04-15-1995", 100000);
    ui.messages.clear();
    EXPECT_EQ(std::nullopt, Import(c.file));
    EXPECT_EQ(std::vector<std::string>{c.message}, ui.Texts());
    EXPECT_EQ(1, doc->EventCount());
    EXPECT_FALSE(doc->IsModified());
  }
}

TEST_F(CsvTest, NothingUsableLeavesTheProblemUnchanged) {
  doc->m_events[0] = Event(kEventTax, "04-15-1995", 100000);
  EXPECT_EQ(0, Import("\n\nDEBIT,0,1\n"));
  EXPECT_FALSE(doc->IsModified());
  EXPECT_EQ(1, doc->EventCount());
}

TEST_F(CsvTest, ImportedDescriptionsBecomeWindows1252) {
  EXPECT_EQ(1, Import("PAYMENT,01-05-2003,1,,\"Caf\xC3\xA9\"\r\n"));
  EXPECT_EQ("Caf\xE9", doc->m_events[0].DescriptionText());
}

// What the export writes, the import reads back: the description from the fourth field, and an IRS
// check's GATT part.
TEST_F(CsvTest, ExportedFileReadBack) {
  doc->m_events[0] = Event(kEventPenaltyType, "01-05-2003", 123456, "Check 101");
  doc->m_events[1] = Event(kEventIrsCheck, "01-06-2003", 200000, "500");
  doc->m_events[2] = Event(kEventIrsCheck, "01-07-2003", 200000, "part, GATT");
  doc->m_events[2].m_gattAmount = 50000;
  doc->m_events[3] = Event(kEventIrsCheck, "01-08-2003", 300000);
  doc->m_events[3].m_gattAmount = 100;
  for (int i : {0, 1}) doc->m_events[i].m_gattAmount = doc->m_events[i].m_amount;
  std::string exported;
  for (int i = 0; i < 4; ++i) exported += CsvExportLine(doc->m_events[i]);
  EXPECT_EQ("IRS_CHECK,01-07-2003,2000.00,500.00,\"part, GATT\"\r\n", CsvExportLine(doc->m_events[2]));
  auto other = std::make_unique<CTDoc>();
  other->ResetProblem();
  std::istringstream in(exported);
  EXPECT_EQ(4, ImportCsvLines(*other, in));
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(doc->m_events[i].m_type, other->m_events[i].m_type);
    EXPECT_EQ(doc->m_events[i].m_amount, other->m_events[i].m_amount);
    EXPECT_EQ(doc->m_events[i].m_gattAmount, other->m_events[i].m_gattAmount);
    EXPECT_EQ(doc->m_events[i].DescriptionText(), other->m_events[i].DescriptionText());
  }
}

// Every shipped example and a problem with every event type go out to a CSV file and come back into a
// new problem with each event whole: type, date, amount, GATT amount and description.
TEST_F(CsvTest, EveryExampleAndEveryEventTypeRoundTrips) {
  std::vector<std::pair<std::string, std::unique_ptr<CTDoc>>> problems;
  for (const auto& entry : std::filesystem::directory_iterator(ZARVIC_SOURCE_DIR "/examples")) {
    if (entry.path().extension() != ".ZR3") continue;
    auto example = std::make_unique<CTDoc>();
    ASSERT_TRUE(LoadProblemFile(*example, entry.path().string(), false)) << entry.path();
    problems.emplace_back(entry.path().filename().string(), std::move(example));
  }
  ASSERT_GE(problems.size(), 3u);
  auto everyType = std::make_unique<CTDoc>();
  everyType->ResetProblem();
  const std::string longest(40, 'z');
  const char* descriptions[] = {"", "Motivated", "Check 101, \"part\"", "Bond",   "Entered", "",
                                "", "Reversal",  "Credit \xE9\x80",     "Refund", "Named",   longest.c_str()};
  for (int type = 0; type < kEventTypeCount; ++type) {
    CEvent& e = everyType->m_events[static_cast<std::size_t>(type)];
    e = Event(static_cast<std::uint16_t>(type), "01-05-2003", 100000.0 * (type + 1) + type, nullptr);
    e.m_date = AddDays(e.m_date, type);
    e.m_gattAmount = e.m_amount;
    if (*descriptions[type] != '\0') e.SetDescription(descriptions[type]);
  }
  everyType->m_events[9].m_gattAmount = 12345;  // an IRS check's GATT part
  problems.emplace_back("every event type", std::move(everyType));

  for (auto& [name, problem] : problems) {
    SCOPED_TRACE(name);
    ASSERT_GT(problem->EventCount(), 0);
    ui.files.push_back(folder / "out.CSV");
    ASSERT_TRUE(ExportEventsToCsv(*problem, ""));
    auto imported = std::make_unique<CTDoc>();
    imported->ResetProblem();
    ui.answers.push_back(Answer::Yes);
    ui.files.push_back(folder / "out.CSV");
    ui.messages.clear();
    EXPECT_EQ(std::optional<int>(problem->EventCount()), ImportEventsFromCsv(*imported));
    EXPECT_EQ(1u, ui.messages.size());  // the question only
    ASSERT_EQ(problem->EventCount(), imported->EventCount());
    for (int i = 0; i < problem->EventCount(); ++i) {
      SCOPED_TRACE(i);
      const CEvent& want = problem->m_events[static_cast<std::size_t>(i)];
      const CEvent& got = imported->m_events[static_cast<std::size_t>(i)];
      // An entered named penalty is kept as type 10 by the import as by the file.
      EXPECT_EQ(want.m_type, got.m_type);
      EXPECT_EQ(want.m_date, got.m_date);
      EXPECT_EQ(want.m_amount, got.m_amount);
      EXPECT_EQ(want.m_gattAmount, got.m_gattAmount);
      EXPECT_EQ(want.DescriptionText(), got.DescriptionText());
    }
  }
}

TEST_F(CsvTest, ImportCommand) {
  const std::string path = folder / "in.csv";
  WriteFile(path, "DEBIT,01-05-2003,1\n");

  ui.answers.push_back(Answer::No);
  EXPECT_EQ(std::nullopt, ImportEventsFromCsv(*doc));
  EXPECT_EQ("This will replace the events of the open problem with those of the CSV file.  OK to proceed?",
            ui.messages.back().text);
  EXPECT_EQ(MessageKind::YesNo, ui.messages.back().kind);
  EXPECT_TRUE(ui.fileRequests.empty());

  ui.files.push_back(std::nullopt);  // Yes, then cancel
  EXPECT_EQ(std::nullopt, ImportEventsFromCsv(*doc));
  ASSERT_EQ(1u, ui.fileRequests.size());
  EXPECT_FALSE(ui.fileRequests[0].save);
  EXPECT_EQ("CSV files (*.csv)|*.csv|All Files (*.*)|*.*||", ui.fileRequests[0].filter);
  EXPECT_EQ("csv", ui.fileRequests[0].defaultExtension);

  ui.messages.clear();
  ui.files.push_back(folder / "missing.csv");
  EXPECT_EQ(std::nullopt, ImportEventsFromCsv(*doc));
  EXPECT_EQ("CSV file open failed with error 2\nNo such file or directory", ui.messages.back().text);
  ui.files.push_back(folder.path());
  EXPECT_EQ(std::nullopt, ImportEventsFromCsv(*doc));
  EXPECT_EQ("CSV file open failed with error 21\nIs a directory", ui.messages.back().text);
  ASSERT_EQ(0, ::mkfifo((folder / "fifo.csv").c_str(), 0600));  // must not hang the open
  ui.files.push_back(folder / "fifo.csv");
  EXPECT_EQ(std::nullopt, ImportEventsFromCsv(*doc));
  EXPECT_EQ("CSV file open failed with error 22\nInvalid argument", ui.messages.back().text);

  ui.messages.clear();
  const int refreshes = ui.refreshes;
  ui.files.push_back(path);
  EXPECT_EQ(std::optional<int>(1), ImportEventsFromCsv(*doc));
  EXPECT_EQ(1, doc->EventCount());
  EXPECT_EQ(refreshes + 1, ui.refreshes);
  EXPECT_EQ(1u, ui.messages.size());  // the question only
}

}  // namespace
}  // namespace zarvic
