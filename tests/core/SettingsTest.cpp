#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/AppOptions.h"
#include "core/Paths.h"
#include "core/RegistryStore.h"
#include "core/ScopedEnv.h"
#include "core/Settings.h"
#include "core/StringTable.h"
#include "core/Text.h"
#include "core/UserInterface.h"
#include "support/TestFiles.h"

namespace zarvic {
namespace {

using testing::ReadFile;
using testing::ScopedEnv;
using testing::TempFolder;
using testing::WriteFile;

class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CloseSettingsStore();
    Options() = AppOptions{};
  }
  void TearDown() override {
    CloseSettingsStore();
    Options() = AppOptions{};
  }

  // A connection of the test's own, to look at or prepare the store behind the accessors' back.
  RegistryStore Store() {
    RegistryStore store;
    StoreResult opened = store.Open(registryPath_);
    EXPECT_TRUE(opened.ok()) << opened.error;
    return store;
  }
  void Put(const std::string& section, const RegistryValue& value) {
    ASSERT_TRUE(Store().SetValue(kProgramName, section, value).ok());
  }
  std::optional<RegistryValue> Stored(const std::string& section, const std::string& name) {
    RegistryValue value;
    if (!Store().GetValue(kProgramName, section, name, value).ok()) return std::nullopt;
    return value;
  }
  // Starts again with no stored settings.
  void ForgetStore() {
    CloseSettingsStore();
    std::filesystem::remove(registryPath_);
  }

  TempFolder scratch_;
  std::string registryPath_ = scratch_ / "registry.sqlite3";
  std::string iniPath_ = scratch_ / "WZRV.INI";
  ScopedEnv registryEnv_{"ZARVIC_REGISTRY", registryPath_};
  ScopedEnv iniEnv_{"ZARVIC_LEGACY_INI", iniPath_};
  RecordingUserInterface ui_;
  ScopedUserInterface scopedUi_{ui_};
};

TEST_F(SettingsTest, AUserWithNoStoredSettingsGetsTheDefaults) {
  // Start from the opposite of every default, so that each one must be loaded.
  Options().numberOfMruFiles = 3;
  Options().tips = false;
  Options().useDescriptions = false;
  Options().showPenaltyStatusBar = false;
  Options().wholeDollarMode = true;
  Options().defaultPaymentAllocation = "X";
  CurrentReportSettings() = ReportSettings{};

  LoadSettings();

  EXPECT_EQ(10, Options().numberOfMruFiles);
  EXPECT_TRUE(Options().tips);
  EXPECT_TRUE(Options().useDescriptions);
  EXPECT_TRUE(Options().showPenaltyStatusBar);
  EXPECT_FALSE(Options().wholeDollarMode);
  EXPECT_EQ("ADBECDCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCC", Options().defaultPaymentAllocation);
  EXPECT_EQ(AppOptions{}, Options());

  ReportSettings expected;
  expected.includeDate = true;
  expected.interestAndPenaltyDetail = true;
  expected.fiscalYearEnd = 11;
  expected.footer = "Prepared using Zarvic";
  EXPECT_EQ(expected, CurrentReportSettings());
  EXPECT_EQ(expected, DefaultReportSettings());
  EXPECT_TRUE(ui_.messages.empty());

  // The first run leaves exactly these two behind.
  EXPECT_EQ(RegistryValue::Dword("Number of MRU files", 10), Stored("Settings", "Number of MRU files"));
  EXPECT_EQ(RegistryValue::Dword("Tips", 1), Stored("Options", "Tips"));
  std::vector<std::string> sections;
  ASSERT_TRUE(Store().ListSections(kProgramName, sections).ok());
  EXPECT_EQ((std::vector<std::string>{"Settings", "Options"}), sections);
  std::vector<RegistryValue> options;
  ASSERT_TRUE(Store().ListValues(kProgramName, "Options", options).ok());
  EXPECT_EQ(1u, options.size());
}

TEST_F(SettingsTest, EachStoredSettingReachesItsPlace) {
  struct Case {
    const char* section;
    RegistryValue value;
    std::function<void(AppOptions&, ReportSettings&)> expect;
  };
  using V = RegistryValue;
  const std::vector<Case> cases = {
      {"Settings", V::Dword("Number of MRU files", 4), [](auto& o, auto&) { o.numberOfMruFiles = 4; }},
      {"Options", V::Dword("AtKBN", 1), [](auto& o, auto&) { o.atKbn = true; }},
      {"Options", V::Dword("SpecialCR", 1), [](auto& o, auto&) { o.specialCR = true; }},
      {"Options", V::Dword("Default GATT", 1), [](auto& o, auto&) { o.defaultGatt = true; }},
      {"Options", V::String("Default Payment Allocation", "BAC"),
       [](auto& o, auto&) { o.defaultPaymentAllocation = "BAC"; }},
      {"Options", V::Dword("Whole Dollar Mode", 1), [](auto& o, auto&) { o.wholeDollarMode = true; }},
      {"Options", V::Dword("Override IRS Payment Allocation", 1),
       [](auto& o, auto&) { o.overrideIrsAllocation = true; }},
      {"Options", V::Dword("Use descriptions", 0), [](auto& o, auto&) { o.useDescriptions = false; }},
      {"Options", V::Dword("Tips", 0), [](auto& o, auto&) { o.tips = false; }},
      {"Options", V::Dword("Show penalty status bar", 0),
       [](auto& o, auto&) { o.showPenaltyStatusBar = false; }},
      {"Options", V::Dword("Always show payment allocation", 1),
       [](auto& o, auto&) { o.alwaysShowPaymentAllocation = true; }},
      {"Options", V::Dword("Show Century in Dates", 1), [](auto& o, auto&) { o.showCentury = true; }},
      {"Options", V::Dword("Dont Show Temp File Warning", 1),
       [](auto& o, auto&) { o.dontShowTempFileWarning = true; }},
      {"Report Settings", V::Dword("Include Date", 0), [](auto&, auto& r) { r.includeDate = false; }},
      {"Report Settings", V::Dword("Include Footer", 1), [](auto&, auto& r) { r.includeFooter = true; }},
      {"Report Settings", V::Dword("Include Header", 1), [](auto&, auto& r) { r.includeHeader = true; }},
      {"Report Settings", V::Dword("Include Time", 1), [](auto&, auto& r) { r.includeTime = true; }},
      {"Report Settings", V::Dword("Interest and Penalties", 0),
       [](auto&, auto& r) { r.interestAndPenaltyDetail = false; }},
      {"Report Settings", V::Dword("Interest", 1),
       [](auto&, auto& r) { r.interestDetailWithFactors = true; }},
      {"Report Settings", V::Dword("Main Screen", 1), [](auto&, auto& r) { r.mainScreenEvents = true; }},
      {"Report Settings", V::Dword("Payments", 1), [](auto&, auto& r) { r.paymentAllocationDetail = true; }},
      {"Report Settings", V::Dword("Penalties", 1),
       [](auto&, auto& r) { r.penaltyComputationDetail = true; }},
      {"Report Settings", V::Dword("Monthly Accrual", 1), [](auto&, auto& r) { r.monthlyAccrual = true; }},
      {"Report Settings", V::Dword("Rate Table", 1), [](auto&, auto& r) { r.rateTable = true; }},
      {"Report Settings", V::Dword("Fiscal Year", 5), [](auto&, auto& r) { r.fiscalYearEnd = 5; }},
      {"Report Settings", V::String("Heading -- Line 1", "One"),
       [](auto&, auto& r) { r.headerLines[0] = "One"; }},
      {"Report Settings", V::String("Heading -- Line 2", "Two"),
       [](auto&, auto& r) { r.headerLines[1] = "Two"; }},
      {"Report Settings", V::String("Heading -- Line 3", "Three"),
       [](auto&, auto& r) { r.headerLines[2] = "Three"; }},
      {"Report Settings", V::String("Footer", "Ours"), [](auto&, auto& r) { r.footer = "Ours"; }},
      // Values outside what the program can use.
      {"Settings", V::Dword("Number of MRU files", -3), [](auto& o, auto&) { o.numberOfMruFiles = 0; }},
      {"Settings", V::Dword("Number of MRU files", 99), [](auto& o, auto&) { o.numberOfMruFiles = 16; }},
      {"Report Settings", V::Dword("Fiscal Year", 12), [](auto&, auto&) {}},
      {"Report Settings", V::Dword("Fiscal Year", -1), [](auto&, auto&) {}},
      {"Report Settings", V::String("Footer", std::string(140, 'f')),
       [](auto&, auto& r) { r.footer = std::string(132, 'f'); }},
      {"Report Settings", V::String("Heading -- Line 1", std::string(131, 'h') + "\xC3\xA9"),
       [](auto&, auto& r) { r.headerLines[0] = std::string(131, 'h'); }},
      // Another type than the setting's reads as its default.
      {"Options", V::String("Tips", "0"), [](auto&, auto&) {}},
      {"Options", {"Tips", kRegDword, {0, 0, 0}}, [](auto&, auto&) {}},
      {"Report Settings", V::Dword("Footer", 7), [](auto&, auto&) {}},
      {"Report Settings", V::Binary("Footer", {'A', 'B'}), [](auto&, auto&) {}},
  };
  for (const auto& c : cases) {
    ForgetStore();
    Put(c.section, c.value);
    AppOptions options;
    ReportSettings report = DefaultReportSettings();
    c.expect(options, report);

    LoadSettings();
    EXPECT_EQ(options, Options()) << c.section << "/" << c.value.name;
    EXPECT_EQ(report, CurrentReportSettings()) << c.section << "/" << c.value.name;
  }
  EXPECT_TRUE(ui_.messages.empty());

  // A length brought into range is written back so.
  ForgetStore();
  Put("Settings", RegistryValue::Dword("Number of MRU files", 99));
  LoadSettings();
  EXPECT_EQ(RegistryValue::Dword("Number of MRU files", 16), Stored("Settings", "Number of MRU files"));
}

TEST_F(SettingsTest, AccessorsWriteTypedValuesAndReadThemBack) {
  EXPECT_EQ(-1, GetProfileInt("Special", "ReportX", -1));
  EXPECT_EQ("none", GetProfileString("Settings", "WindowPos", "none"));

  EXPECT_TRUE(WriteProfileInt("Special", "ReportX", -250));
  EXPECT_TRUE(WriteProfileString("Settings", "WindowPos", "0,1,10,20,300,400"));
  EXPECT_TRUE(WriteProfileInt("Don't Auto-show Table Notes", "FEDERAL", 1));
  EXPECT_TRUE(WriteStringSetting(SettingId::DocWindowMax, "1"));

  EXPECT_EQ(-250, GetProfileInt("Special", "ReportX", -1));
  EXPECT_EQ("0,1,10,20,300,400", GetProfileString("Settings", "WindowPos", ""));
  EXPECT_EQ(1, GetProfileInt("Don't Auto-show Table Notes", "FEDERAL", 0));
  EXPECT_EQ("1", GetStringSetting(SettingId::DocWindowMax));
  EXPECT_EQ(12, GetIntSetting(SettingId::ReportFontSize));
  EXPECT_EQ(RegistryValue::Dword("ReportX", -250), Stored("Special", "ReportX"));
  EXPECT_EQ(RegistryValue::String("WindowPos", "0,1,10,20,300,400"), Stored("Settings", "WindowPos"));
  EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(SettingsTest, ReportSettingsAreSavedWithoutTheirTexts) {
  ReportSettings r = DefaultReportSettings();
  r.includeTime = true;
  r.includeDate = false;
  r.rateTable = true;
  r.fiscalYearEnd = 2;
  r.footer = "Not saved here";
  EXPECT_TRUE(SaveReportSettings(r));
  ReportSettings expected = r;
  expected.footer = "Prepared using Zarvic";
  EXPECT_EQ(expected, LoadReportSettings());
  EXPECT_EQ(std::nullopt, Stored("Report Settings", "Footer"));
}

TEST_F(SettingsTest, AStoreThatCannotBeOpenedGivesDefaultsAndIsReportedOnce) {
  const std::string garbage = "this is not a database, and it must stay as it is\n";
  WriteFile(registryPath_, garbage);
  Options().tips = false;

  LoadSettings();
  EXPECT_TRUE(Options().tips);
  EXPECT_EQ(10, Options().numberOfMruFiles);
  EXPECT_EQ(-1, GetProfileInt("Special", "ReportX", -1));
  EXPECT_FALSE(WriteProfileInt("Options", "Tips", 0));
  EXPECT_FALSE(SetTableDirectory("/tables"));

  ASSERT_EQ(1u, ui_.messages.size());
  EXPECT_NE(std::string::npos, ui_.messages[0].text.find(registryPath_)) << ui_.messages[0].text;
  EXPECT_EQ(garbage, ReadFile(registryPath_));
}

TEST_F(SettingsTest, AWriteThatFailsIsReportedAndChangesNothing) {
  ASSERT_TRUE(WriteProfileInt("Report Settings", "Include Time", 0));
  {
    // A trigger stands in for a store that refuses writes (a full disk, say).
    sqlite3* db = nullptr;
    ASSERT_EQ(SQLITE_OK, sqlite3_open(registryPath_.c_str(), &db));
    ASSERT_EQ(SQLITE_OK, sqlite3_exec(db,
                                      "CREATE TRIGGER refuse BEFORE UPDATE ON section_values WHEN NEW.name = "
                                      "'Include Time' BEGIN SELECT RAISE(ABORT, 'refused'); END",
                                      nullptr, nullptr, nullptr));
    sqlite3_close(db);
  }
  EXPECT_FALSE(WriteProfileInt("Report Settings", "Include Time", 1));
  ReportSettings r = DefaultReportSettings();
  r.includeTime = true;
  r.rateTable = true;
  EXPECT_FALSE(SaveReportSettings(r));

  // Said once, not once per setting (regression: every failed setting had its own message).
  ASSERT_EQ(1u, ui_.messages.size());
  EXPECT_NE(std::string::npos, ui_.messages[0].text.find("\"Include Time\"")) << ui_.messages[0].text;
  EXPECT_NE(std::string::npos, ui_.messages[0].text.find("refused")) << ui_.messages[0].text;
  EXPECT_NE(std::string::npos, ui_.messages[0].text.find(std::string(StringText(21221)))) << ui_.messages[0].text;
  EXPECT_EQ(DefaultReportSettings(), LoadReportSettings());  // all of the record or nothing

  // Once a setting is saved again, the next failure is told again.
  ASSERT_TRUE(WriteProfileInt("Report Settings", "Include Date", 0));
  EXPECT_FALSE(WriteProfileInt("Report Settings", "Include Time", 1));
  EXPECT_EQ(2u, ui_.messages.size());
}

// Regression: a store that another program kept locked froze the window for ten seconds per setting,
// without a word.
TEST_F(SettingsTest, AStoreLockedByAnotherProgramIsSaidToBeBusyOnce) {
  struct CursorUi : RecordingUserInterface {
    std::vector<bool> cursor;
    void SetWaitCursor(bool on) override { cursor.push_back(on); }
  } cursorUi;
  ScopedUserInterface scoped(cursorUi);
  ASSERT_TRUE(WriteProfileInt("Options", "Tips", 1));
  sqlite3* other = nullptr;
  ASSERT_EQ(SQLITE_OK, sqlite3_open(registryPath_.c_str(), &other));
  ASSERT_EQ(SQLITE_OK, sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr));

  EXPECT_FALSE(WriteProfileInt("Options", "Tips", 0));
  EXPECT_FALSE(WriteProfileInt("Options", "SpecialCR", 1));
  ASSERT_EQ(1u, cursorUi.messages.size());
  const std::string busy = FormatStringText(21220, registryPath_.c_str(), 2);
  EXPECT_NE(std::string::npos, cursorUi.messages[0].text.find(busy)) << cursorUi.messages[0].text;
  // The wait cursor shows while each write waits, and goes again.
  EXPECT_EQ((std::vector<bool>{true, false, true, false}), cursorUi.cursor);
  // Reads give their defaults, also said once.
  EXPECT_EQ(7, GetProfileInt("Options", "Tips", 7));
  EXPECT_EQ(8, GetProfileInt("Options", "SpecialCR", 8));
  ASSERT_EQ(2u, cursorUi.messages.size());
  EXPECT_NE(std::string::npos, cursorUi.messages[1].text.find(std::string(StringText(21222))))
      << cursorUi.messages[1].text;

  sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
  sqlite3_close(other);
  EXPECT_TRUE(WriteProfileInt("Options", "Tips", 0));
  EXPECT_EQ(0, GetProfileInt("Options", "Tips", 1));
}

TEST_F(SettingsTest, TableDirectory) {
  SetProgramFolder("/opt/zarvic");
  testing::ScopedEnv data("XDG_DATA_HOME", "/home/user/data");
  const std::string user = "/home/user/data/Orlendt Software/Zarvic/Tables";
  struct Case {
    std::optional<std::string> stored;
    std::string expected;
  };
  // The program's folder is never where tables are saved: naming it means the user's table folder.
  const std::vector<Case> cases = {
      {std::nullopt, user},
      {"", user},
      {"/opt/zarvic", user},
      {"/opt/zarvic/", user},
      {"/data/tables", "/data/tables"},
      {"/data/tables//", "/data/tables"},
      {"/", "/"},
  };
  for (const auto& c : cases) {
    ForgetStore();
    if (c.stored) Put("Settings", RegistryValue::String("TableDirectory", *c.stored));
    EXPECT_EQ(c.expected, GetTableDirectory()) << c.stored.value_or("(none)");
  }

  ForgetStore();
  EXPECT_EQ(user, GetTableDirectory());
  // The folder is read once: a change behind the program's back is not seen until the next start...
  Put("Settings", RegistryValue::String("TableDirectory", "/elsewhere"));
  EXPECT_EQ(user, GetTableDirectory());
  // ...while the setter changes both.
  EXPECT_TRUE(SetTableDirectory("/srv/rates/"));
  EXPECT_EQ("/srv/rates", GetTableDirectory());
  EXPECT_EQ(RegistryValue::String("TableDirectory", "/srv/rates"), Stored("Settings", "TableDirectory"));
  EXPECT_TRUE(SetTableDirectory(""));
  EXPECT_EQ(user, GetTableDirectory());
  EXPECT_TRUE(SetTableDirectory("/opt/zarvic"));
  EXPECT_EQ(user, GetTableDirectory());
  SetProgramFolder("");
}

TEST_F(SettingsTest, LegacyIniPathIsUnderHomeUnlessNamed) {
  EXPECT_EQ(iniPath_, LegacyIniPath());
  ScopedEnv noIni("ZARVIC_LEGACY_INI", std::nullopt);
  ScopedEnv home("HOME", "/home/pat");
  EXPECT_EQ("/home/pat/.local/share/VirtualStore/Windows/WZRV.INI", LegacyIniPath());
}

// An INI file as the old program left it, with line ends of its platform.
std::string Crlf(const std::vector<std::string>& lines) {
  std::string out;
  for (const auto& l : lines) out += l + "\r\n";
  return out;
}

const std::vector<std::string> kIniLines = {
    "; Zarvic settings",
    "Orphan=4",
    "[Options]",
    "Tips=0",
    "  Whole Dollar Mode = 1  ",
    "; Use descriptions=0",
    "a line of neither kind",
    "tips=1",
    "[Report Settings]",
    "Footer=Prepared by us",
    "Heading -- Line 1=  Smith & Co. [draft]  ",
    "fiscal year=5x",
    "Include Time=",
    "[Recent File List]",
    "File1=/home/pat/[old]/case.zr3",
    "File2=Caf\xE9.ZR3",
    "[Special]",
    "ReportX=-20",
    "MovedToRegistry=0",
    "[windows]",
    "device=HP LaserJet,winspool,LPT1:",
    "[Debug]",
    "Time=12:00",
    "Level=3",
};

TEST_F(SettingsTest, TheLegacyIniFileIsMovedOnce) {
  WriteFile(iniPath_, Crlf(kIniLines));
  MoveIniToRegistry();
  EXPECT_TRUE(ui_.messages.empty()) << ui_.Texts()[0];

  using V = RegistryValue;
  struct Moved {
    const char* section;
    RegistryValue value;
  };
  const std::vector<Moved> moved = {
      {"Options", V::Dword("Tips", 0)},  // the first of two lines counts, as for the old program
      {"Options", V::Dword("Whole Dollar Mode", 1)},
      {"Report Settings", V::String("Footer", "Prepared by us")},
      {"Report Settings", V::String("Heading -- Line 1", "Smith & Co. [draft]")},
      {"Report Settings", V::Dword("Fiscal Year", 5)},
      {"Report Settings", V::Dword("Include Time", 0)},
      {"Recent File List", V::String("File1", "/home/pat/[old]/case.zr3")},
      {"Recent File List", V::String("File2", "Caf\xC3\xA9.ZR3")},
      {"Special", V::Dword("ReportX", -20)},
      {"Special", V::Dword("MovedToRegistry", 0)},
      {"windows", V::String("device", "HP LaserJet,winspool,LPT1:")},
      {"Debug", V::String("Time", "12:00")},
      {"Debug", V::Dword("Level", 3)},
  };
  for (const auto& m : moved) EXPECT_EQ(m.value, Stored(m.section, m.value.name)) << m.value.name;
  std::vector<RegistryValue> options;
  ASSERT_TRUE(Store().ListValues(kProgramName, "Options", options).ok());
  EXPECT_EQ(2u, options.size());  // no comment, no stray line
  std::vector<std::string> sections;
  ASSERT_TRUE(Store().ListSections(kProgramName, sections).ok());
  EXPECT_EQ((std::vector<std::string>{"Options", "Report Settings", "Recent File List", "Special", "windows",
                                      "Debug"}),
            sections);

  // Only the flag changed in the INI file.
  std::vector<std::string> marked = kIniLines;
  marked[18] = "MovedToRegistry=1";
  EXPECT_EQ(Crlf(marked), ReadFile(iniPath_));

  LoadSettings();
  EXPECT_FALSE(Options().tips);
  EXPECT_EQ("Prepared by us", CurrentReportSettings().footer);

  // The next start moves nothing again.
  ASSERT_TRUE(WriteProfileInt("Options", "Tips", 1));
  CloseSettingsStore();
  MoveIniToRegistry();
  EXPECT_EQ(RegistryValue::Dword("Tips", 1), Stored("Options", "Tips"));
  EXPECT_EQ(Crlf(marked), ReadFile(iniPath_));
  EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(SettingsTest, TheMovedFlagIsWrittenWhereTheIniFileLacksIt) {
  struct Case {
    const char* what;
    std::string before;
    std::string after;
  };
  const std::vector<Case> cases = {
      {"no section Special, no last line end", "[Options]\nTips=0",
       "[Options]\nTips=0\n[Special]\nMovedToRegistry=1\n"},
      {"section Special without the value", "[Special]\r\nReportX=3\r\n\r\n[Options]\r\nTips=0\r\n",
       "[Special]\r\nReportX=3\r\nMovedToRegistry=1\r\n\r\n[Options]\r\nTips=0\r\n"},
      {"empty section Special at the end", "[Options]\nTips=0\n[special]",
       "[Options]\nTips=0\n[special]\nMovedToRegistry=1\n"},
      {"value of another spelling", "[SPECIAL]\n movedtoregistry = 0 \n", "[SPECIAL]\n movedtoregistry =1\n"},
      {"empty file", "", "[Special]\nMovedToRegistry=1\n"},
  };
  for (const auto& c : cases) {
    ForgetStore();
    WriteFile(iniPath_, c.before);
    MoveIniToRegistry();
    EXPECT_EQ(c.after, ReadFile(iniPath_)) << c.what;
  }
  EXPECT_TRUE(ui_.messages.empty());
  EXPECT_EQ((std::vector<std::string>{"WZRV.INI", "registry.sqlite3"}), scratch_.Entries());  // no temporary
}

TEST_F(SettingsTest, AnIniFileAlreadyMovedOrMissingChangesNothing) {
  const std::string moved = "[Options]\nTips=0\n[Special]\nMovedToRegistry=1\n";
  WriteFile(iniPath_, moved);
  MoveIniToRegistry();
  EXPECT_EQ(moved, ReadFile(iniPath_));
  EXPECT_FALSE(std::filesystem::exists(registryPath_));

  std::filesystem::remove(iniPath_);
  MoveIniToRegistry();
  EXPECT_FALSE(std::filesystem::exists(iniPath_));
  EXPECT_FALSE(std::filesystem::exists(registryPath_));
  EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(SettingsTest, AnIniFileIsMarkedOnlyOnceItsSettingsAreStored) {
  const std::string ini = "[Options]\nTips=0\n";
  WriteFile(iniPath_, ini);
  WriteFile(registryPath_, "damaged");
  MoveIniToRegistry();
  EXPECT_EQ(ini, ReadFile(iniPath_));
  EXPECT_EQ("damaged", ReadFile(registryPath_));
  ASSERT_EQ(1u, ui_.messages.size());

  // With a sound store the next start moves them.
  ForgetStore();
  MoveIniToRegistry();
  EXPECT_EQ(RegistryValue::Dword("Tips", 0), Stored("Options", "Tips"));
  EXPECT_EQ(ini + "[Special]\nMovedToRegistry=1\n", ReadFile(iniPath_));
}

TEST_F(SettingsTest, AnIniFileThatCannotBeRewrittenIsReported) {
  // Nothing can be created beside a file of /proc, not even by root.
  ScopedEnv ini("ZARVIC_LEGACY_INI", "/proc/version");
  MoveIniToRegistry();
  ASSERT_EQ(1u, ui_.messages.size());
  const std::string& text = ui_.messages[0].text;
  // The file and the system's reason, in plain words.
  const std::string prefix = "The old settings file /proc/version could not be marked as moved: ";
  EXPECT_EQ(prefix, text.substr(0, prefix.size())) << text;
  EXPECT_GT(text.size(), prefix.size()) << text;
  EXPECT_EQ(std::string::npos, text.find("GetLastError")) << text;
}

}  // namespace
}  // namespace zarvic
