// Writes a starting corpus for each fuzz target, built from the documented layouts like the tests'
// fixtures: problem files of every generation, a table, CSV lines and a legacy INI file. A fuzzer
// starting from nothing would rarely get past an 848-byte header. Usage: make_seeds CORPUS_ROOT
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "problem/ProblemImage.h"
#include "ratetables/TableImage.h"
#include "worksheets/ProblemWorksheets.h"
#include "support/TestFiles.h"

using namespace zarvic::testing;

namespace {

void Seed(const std::filesystem::path& root, const std::string& target, const std::string& name,
          const std::string& bytes) {
  std::filesystem::create_directories(root / target);
  WriteFile((root / target / name).string(), bytes);
}

// Problem files start both targets that read them.
void ProblemSeed(const std::filesystem::path& root, const std::string& name, const std::string& bytes) {
  Seed(root, "fuzz_read_problem", name, bytes);
  Seed(root, "fuzz_report_problem", name, bytes);
}

PenaltySpec Active(std::uint16_t date) {
  PenaltySpec p;
  p.flags = 1;
  p.dates[0] = date;
  p.dates[1] = date;
  p.amounts = {100, 200, 0, 0, 0};
  return p;
}

void ProblemSeeds(const std::filesystem::path& root) {
  const std::uint16_t tax = Day("04-15-95"), later = Day("06-15-96");
  std::vector<PenaltySpec> penalties(24);
  for (int k : {0, 1, 2, 4, 22, 23}) penalties[k] = Active(tax);

  // This version: every kind of event and block.
  std::string events = EventImage42({.type = 0, .date = tax, .amount = 100000, .gattAmount = 100000}) +
                       EventImage42({.type = 2, .date = tax, .amount = 5000}) +
                       Allocation852("ADBEC", {5000}) +
                       EventImage42({.type = 7, .date = later, .amount = 10, .descriptionMarker = 1}) +
                       Description41("Debit") +
                       EventImage42({.type = 8, .date = later, .amount = 20, .descriptionMarker = 1}) +
                       Allocation852("ADBEC") + Description41("Credit") +
                       EventImage42({.type = 10, .date = later, .amount = 30}) +
                       EventImage42({.type = 9, .date = later, .amount = 40, .gattAmount = 20});
  ProblemSeed(root, "current",
              HeaderImage({.name = "Taxpayer", .eventCount = 6, .headings = {"Heading"}}) +
                  Penalties88(penalties) + events);
  // Worksheets after the events: both kinds, with rows, and a later version's section.
  zarvic::ProblemWorksheets worksheets;
  auto& est = worksheets.estimatedTax.emplace();
  est.taxYear = 1995;
  est.requiredAnnualPayment = 400000.0;
  est.payments = {{tax, 100000.0}, {later, 5000.0}};
  est.withheldOnDates = {{tax, 100.0}};
  auto& dep = worksheets.depositPenalty.emplace();
  dep.periodStart = tax;
  dep.periodEnd = later;
  dep.liabilities = {{tax, 500000.0, zarvic::NO_DATE}};
  dep.deposits = {{later, 500000.0, true, tax}};
  worksheets.otherSections.push_back({{'N', 'E', 'X', 'T'}, "later"});
  ProblemSeed(root, "worksheets",
              HeaderImage({.name = "Taxpayer", .eventCount = 6, .headings = {"Heading"}}) +
                  Penalties88(penalties) + events + zarvic::EncodeWorksheets(worksheets));
  ProblemSeed(root, "empty", HeaderImage({}) + Penalties88({}));
  ProblemSeed(root, "count26",
              HeaderImage({.eventCount = 1, .penaltyCount = 26}) + Penalties88(penalties, 24) +
                  std::string(176, '\0') + EventImage42({.type = 0, .date = tax, .amount = 1}));
  ProblemSeed(root, "v96.3",
              HeaderImage({.eventCount = 6, .major = 96, .minor = 3, .penaltyCount = 24}) +
                  Penalties80(penalties, 24) + events);

  // The old event layout: records first, then the blocks.
  auto old = [&](std::uint8_t major, std::uint8_t minor, std::uint16_t count, bool small) {
    std::string alloc =
        small ? Allocation344("ABCDEFGHIJKLMNOPQRST", {1, 2, 3}) : Allocation852("ADBEC", {1});
    return HeaderImage(
               {.eventCount = 5, .hotStop = 1, .major = major, .minor = minor, .penaltyCount = count}) +
           Penalties80(penalties, count) + EventImage42({.type = 0, .date = tax, .amount = 100000}, false) +
           EventImage42({.type = 2, .date = tax, .amount = 5000}, false) +
           EventImage42({.type = 7, .date = later, .amount = 10}, false) +
           EventImage42({.type = 8, .date = later, .amount = 20}, false) +
           EventImage42({.type = 4, .date = later, .amount = 30}, false) + alloc +
           Bytes().Field("Debit", 21).str() + alloc + Bytes().Field("Credit", 21).str();
  };
  ProblemSeed(root, "v2.5", old(2, 5, 24, true));
  ProblemSeed(root, "v2.20", old(2, 20, 24, false));
  ProblemSeed(root, "v1.0", old(1, 0, 12, true));
  ProblemSeed(root, "v96.1", old(96, 1, 24, false));
}

void TableSeeds(const std::filesystem::path& root) {
  TableImage table;
  table.description = "Federal rates";
  table.endDate = Day("12-31-2003");
  table.lines = {{Day("01-01-80"), 0, 12, 14.4, 12, 365},
                 {Day("01-01-87"), 2, 9, 10.8, 8, 366},
                 {Day("01-01-88"), 4, 1.01, 1.02, 1.03, 100}};
  table.notes = "Notes of the table";
  Seed(root, "fuzz_load_table", "table", table.File());
  table.version = 5;
  table.lines.resize(1);
  table.notes.clear();
  Seed(root, "fuzz_load_table", "short", table.File());
}

void CsvSeeds(const std::filesystem::path& root) {
  Seed(root, "fuzz_csv_line", "payment", "PAYMENT,01-05-2003,1234.56,\"Check 101\"\r\n");
  Seed(root, "fuzz_csv_line", "lines",
       "NORMALTAX,04-15-1995,$1,234.567\nIRS_CHECK,1-5-03,2000,500,\"a, b\"\n\ndebit , 0 ,-1,x\n\"open");
  Seed(root, "fuzz_csv_line", "amounts", "CREDIT,01-05-2003,21474836.48,1e3,.5");
}

void IniSeeds(const std::filesystem::path& root) {
  Seed(root, "fuzz_ini_move", "wzrv.ini",
       "[Settings]\r\nNumber of MRU files=4\r\nTableDirectory=C:\\Rates\r\n[Options]\r\nWhole Dollar "
       "Mode=1\r\n"
       "[Report Settings]\r\nHeading Line 1=Caf\xE9\r\n[Recent File List]\r\nFile1=C:\\A.ZR3\r\n"
       "[Special]\r\nMovedToRegistry=0\r\n");
  Seed(root, "fuzz_ini_move", "plain", "; comment\n[Options]\nSpecialCR = 1\nDefault GATT\n[]\n=x\n");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_seeds CORPUS_ROOT\n";
    return 2;
  }
  std::filesystem::path root = argv[1];
  ProblemSeeds(root);
  TableSeeds(root);
  CsvSeeds(root);
  IniSeeds(root);
  return 0;
}
