#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DepositPenaltyTestSupport.h"
#include "core/StringTable.h"
#include "problem/TextInput.h"
#include "worksheets/DepositPenaltyInput.h"

namespace zarvic {
namespace {

using deposit_testing::Text;

DepositPenaltyInput Read(std::string content) {
  TextLineReader reader;
  reader.SetContent(std::move(content));
  return ReadDepositPenaltyInput(reader);
}

TEST(DepositPenaltyInput, ReadsEveryKeyword) {
  const DepositPenaltyInput in = Read(
      "DEPTAX\tsemiweekly\r\n"
      "PERIOD\t07-01-2025\t09-30-2025\r\n"
      "\r\n"
      "LIABILITY\t08-29-2025\t5,000.00\r\n"
      "liability\t09-05-2025\t1234.56\t09-12-2025\r\n"
      "DEPOSIT\t09-05-2025\t5000\r\n"
      "DEPOSIT\t09-20-2025\t1000\tDIRECT\r\n"
      "DEPOSIT\t09-22-2025\t234.56\tdirect\t09-05-2025\r\n"
      "DEPOSIT\t09-23-2025\t1\t08-29-2025\t\r\n"
      "NOTICE\t10-20-2025\r\n"
      "DEMAND\t11-03-2025\r\n"
      "AVERAGED\r\n");
  ASSERT_TRUE(in.errors.empty()) << in.errors[0].line << ": " << in.errors[0].message;
  const DepositPenaltyWorksheet& w = in.worksheet;
  EXPECT_EQ(DepositSchedule::Semiweekly, w.schedule);
  EXPECT_EQ("07-01-2025", Text(w.periodStart));
  EXPECT_EQ("09-30-2025", Text(w.periodEnd));
  ASSERT_EQ(2u, w.liabilities.size());
  EXPECT_EQ(500000.0, w.liabilities[0].amount);
  EXPECT_EQ(NO_DATE, w.liabilities[0].dueDate);
  EXPECT_EQ(123456.0, w.liabilities[1].amount);
  EXPECT_EQ("09-12-2025", Text(w.liabilities[1].dueDate));
  ASSERT_EQ(4u, w.deposits.size());
  EXPECT_FALSE(w.deposits[0].direct);
  EXPECT_EQ(NO_DATE, w.deposits[0].designated);
  EXPECT_TRUE(w.deposits[1].direct);
  EXPECT_TRUE(w.deposits[2].direct);
  EXPECT_EQ("09-05-2025", Text(w.deposits[2].designated));
  EXPECT_FALSE(w.deposits[3].direct);
  EXPECT_EQ("08-29-2025", Text(w.deposits[3].designated));
  EXPECT_EQ("10-20-2025", Text(w.firstNotice));
  EXPECT_EQ("11-03-2025", Text(w.demand));
  EXPECT_TRUE(w.averaged);

  // A copy equals the worksheet it was taken from; one changed value makes it another.
  DepositPenaltyWorksheet changed = w;
  EXPECT_EQ(w, changed);
  changed.deposits[3].designated = NO_DATE;
  EXPECT_NE(w, changed);
}

// Each line that cannot be taken gives its message with its line number; reading goes on.
TEST(DepositPenaltyInput, LineErrors) {
  struct Case {
    const char* line;
    int id;
  };
  const Case cases[] = {
      {"DEPOSITS\t07-15-2025\t100", 21411},         // keywords stand whole
      {"LIABILITY\t07-15-2025", 21414},             // no amount
      {"LIABILITY\t07-15-2025\t100\t1\t2", 21414},  // too many values
      {"LIABILITY\t07-32-2025\t100", 21420},
      {"LIABILITY\t07-15-2025\t1.5k", 21421},  // no shorthand in a file
      {"LIABILITY\t07-15-2025\t1,00", 21421},
      {"LIABILITY\t07-15-2025\t1,000.005", 21421},  // a third decimal is refused, not rounded
      {"DEPOSIT\t07-15-2025\t100\tLATER", 21420},
      {"DEPOSIT\t07-15-2025\t100\t07-01-2025\tDIRECT", 21415},  // DIRECT comes first
      {"DEPOSIT\t07-15-2025\t100\t\t07-01-2025", 21415},
      {"PERIOD\t07-01-2025\t09-30-2025", 21419},  // a second PERIOD
      {"NOTICE", 21416},
      {"DEMAND\t1\t2", 21417},
      {"AVERAGED\tYES", 21418},
      {"DEPTAX\tMONTHLY", 21419},
  };
  for (const Case& c : cases) {
    const DepositPenaltyInput in = Read(std::string("DEPTAX\tMONTHLY\nPERIOD\t07-01-2025\t09-30-2025\n") +
                                        c.line + "\nLIABILITY\t07-10-2025\t100\n");
    ASSERT_EQ(1u, in.errors.size()) << c.line;
    EXPECT_EQ(3, in.errors[0].line) << c.line;
    // The message of the id, with the value from the line in place of "%s".
    const std::string format(StringText(c.id));
    const std::size_t mark = format.find("%s");
    const std::string& message = in.errors[0].message;
    if (mark == std::string::npos) {
      EXPECT_EQ(format, message) << c.line;
    } else {
      const std::string tail = format.substr(mark + 2);
      EXPECT_EQ(format.substr(0, mark), message.substr(0, mark)) << c.line;
      ASSERT_GE(message.size(), tail.size()) << c.line;
      EXPECT_EQ(tail, message.substr(message.size() - tail.size())) << c.line;
    }
  }
}

TEST(DepositPenaltyInput, FileErrors) {
  struct Case {
    const char* content;
    int line;
    int id;
  };
  const Case cases[] = {
      {"PERIOD\t07-01-2025\t09-30-2025\n", 1, 21410},
      {"", 0, 21410},
      {"DEPTAX\tWEEKLY\nPERIOD\t07-01-2025\t09-30-2025\n", 1, 21412},
      {"DEPTAX\tMONTHLY\n", 0, 21422},
      {"DEPTAX\tMONTHLY\nPERIOD\t07-01-2025\n", 2, 21413},
      // The worksheet's own checks, on the line of the row at fault.
      {"DEPTAX\tMONTHLY\nPERIOD\t09-30-2025\t07-01-2025\n", 2, 21400},
      {"DEPTAX\tMONTHLY\nPERIOD\t07-01-2025\t09-30-2025\nLIABILITY\t07-10-2025\t1\nLIABILITY\t10-10-"
       "2025\t1\n",
       4, 21403},
      {"DEPTAX\tDATES\nPERIOD\t07-01-2025\t09-30-2025\nLIABILITY\t07-10-2025\t1\n", 3, 21405},
      {"DEPTAX\tMONTHLY\nPERIOD\t07-01-2025\t09-30-2025\nLIABILITY\t07-10-2025\t-1\n", 3, 21404},
      {"DEPTAX\tMONTHLY\nPERIOD\t07-01-2025\t09-30-2025\nDEPOSIT\t07-10-2025\t0\n", 3, 21408},
      {"DEPTAX\tMONTHLY\nPERIOD\t07-01-2025\t09-30-2025\nDEPOSIT\t07-10-2025\t5\t07-09-2025\n", 3, 21409},
  };
  for (const Case& c : cases) {
    const DepositPenaltyInput in = Read(c.content);
    ASSERT_EQ(1u, in.errors.size()) << c.content;
    EXPECT_EQ(c.line, in.errors[0].line) << c.content;
    if (c.id == 21410 || c.id == 21412 || c.id == 21413 || c.id == 21422)
      EXPECT_EQ(StringText(c.id), in.errors[0].message) << c.content;
    else
      EXPECT_FALSE(in.errors[0].message.empty());
  }
}

TEST(DepositPenaltyInput, ControlCharactersStayOutOfMessages) {
  const DepositPenaltyInput in =
      Read("DEPTAX\tMONTHLY\nPERIOD\t07-01-2025\t09-30-2025\nLIABILITY\t07-10-2025\t1\x1b[2J\n");
  ASSERT_EQ(1u, in.errors.size());
  EXPECT_EQ(std::string::npos, in.errors[0].message.find('\x1b'));
}

TEST(DepositPenaltyInput, RecognizesItsFirstLineAndFormatsMessages) {
  EXPECT_TRUE(IsDepositPenaltyInput("DEPTAX\tMONTHLY\n"));
  EXPECT_TRUE(IsDepositPenaltyInput("\r\n  \ndeptax\tDATES"));
  EXPECT_TRUE(
      IsDepositPenaltyInput("\xEF\xBB\xBF"
                            "DEPTAX\tMONTHLY\n"));
  EXPECT_FALSE(IsDepositPenaltyInput("TAX\t04-15-95\t1000\nDEPTAX\tMONTHLY\n"));
  EXPECT_FALSE(IsDepositPenaltyInput("DEPTAXES\tMONTHLY\n"));
  EXPECT_FALSE(IsDepositPenaltyInput(""));
  EXPECT_EQ("in.txt:4: text", FormatDepositInputError("in.txt", {4, "text"}));
  EXPECT_EQ("in.txt: text", FormatDepositInputError("in.txt", {0, "text"}));
}

// The whole road: a file read and figured.
TEST(DepositPenaltyInput, ReadAndFigured) {
  const DepositPenaltyInput in = Read(
      "\xEF\xBB\xBF"
      "DEPTAX\tMONTHLY\n"
      "PERIOD\t01-01-2025\t03-31-2025\n"
      "LIABILITY\t01-10-2025\t10000\n"
      "DEPOSIT\t02-24-2025\t10000\n");
  ASSERT_TRUE(in.errors.empty());
  EXPECT_EQ(50000.0, ComputeDepositPenalty(in.worksheet).totalPenalty);  // 6 days late: 5%
}

}  // namespace
}  // namespace zarvic
