#include "core/Settings.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <utility>
#include <vector>

#include "core/AppOptions.h"
#include "core/AtomicFile.h"
#include "core/Paths.h"
#include "core/RegistryStore.h"
#include "core/StringTable.h"
#include "core/Text.h"
#include "core/UserInterface.h"

namespace zarvic {
namespace {

using T = SettingType;
using S = SettingId;

constexpr std::array<SettingInfo, kSettingCount> kSettings = {{
    {S::NumberOfMruFiles, kSectionSettings, "Number of MRU files", T::Int, 10, "", false},
    {S::DocWindowMax, kSectionSettings, "DocWindowMax", T::String, 0, "0", false},
    {S::WindowPos, kSectionSettings, "WindowPos", T::String, 0, "", false},
    {S::TableDirectory, kSectionSettings, "TableDirectory", T::String, 0, "", false},
    {S::AtKbn, kSectionOptions, "AtKBN", T::Int, 0, "", false},
    {S::SpecialCR, kSectionOptions, "SpecialCR", T::Int, 0, "", false},
    {S::DefaultGatt, kSectionOptions, "Default GATT", T::Int, 0, "", false},
    {S::DefaultPaymentAllocation, kSectionOptions, "Default Payment Allocation", T::String, 0,
     "ADBECDCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCC", false},
    {S::WholeDollarMode, kSectionOptions, "Whole Dollar Mode", T::Int, 0, "", false},
    {S::OverrideIrsPaymentAllocation, kSectionOptions, "Override IRS Payment Allocation", T::Int, 0, "",
     false},
    {S::UseDescriptions, kSectionOptions, "Use descriptions", T::Int, 1, "", false},
    {S::Tips, kSectionOptions, "Tips", T::Int, 1, "", false},
    {S::ShowPenaltyStatusBar, kSectionOptions, "Show penalty status bar", T::Int, 1, "", false},
    {S::AlwaysShowPaymentAllocation, kSectionOptions, "Always show payment allocation", T::Int, 0, "", false},
    {S::ShowCenturyInDates, kSectionOptions, "Show Century in Dates", T::Int, 0, "", false},
    {S::DontShowTempFileWarning, kSectionOptions, "Dont Show Temp File Warning", T::Int, 0, "", false},
    {S::IncludeDate, kSectionReportSettings, "Include Date", T::Int, 1, "", false},
    {S::IncludeFooter, kSectionReportSettings, "Include Footer", T::Int, 0, "", false},
    {S::IncludeHeader, kSectionReportSettings, "Include Header", T::Int, 0, "", false},
    {S::IncludeTime, kSectionReportSettings, "Include Time", T::Int, 0, "", false},
    {S::InterestAndPenalties, kSectionReportSettings, "Interest and Penalties", T::Int, 1, "", false},
    {S::Interest, kSectionReportSettings, "Interest", T::Int, 0, "", false},
    {S::MainScreen, kSectionReportSettings, "Main Screen", T::Int, 0, "", false},
    {S::Payments, kSectionReportSettings, "Payments", T::Int, 0, "", false},
    {S::Penalties, kSectionReportSettings, "Penalties", T::Int, 0, "", false},
    {S::MonthlyAccrual, kSectionReportSettings, "Monthly Accrual", T::Int, 0, "", false},
    {S::RateTable, kSectionReportSettings, "Rate Table", T::Int, 0, "", false},
    {S::FiscalYear, kSectionReportSettings, "Fiscal Year", T::Int, 11, "", false},
    {S::HeadingLine1, kSectionReportSettings, "Heading -- Line 1", T::String, 0, "", false},
    {S::HeadingLine2, kSectionReportSettings, "Heading -- Line 2", T::String, 0, "", false},
    {S::HeadingLine3, kSectionReportSettings, "Heading -- Line 3", T::String, 0, "", false},
    {S::Footer, kSectionReportSettings, "Footer", T::String, 0, "Prepared using Zarvic", false},
    {S::ReportX, kSectionSpecial, "ReportX", T::Int, -1, "", false},
    {S::ReportY, kSectionSpecial, "ReportY", T::Int, -1, "", false},
    {S::ReportW, kSectionSpecial, "ReportW", T::Int, -1, "", false},
    {S::ReportH, kSectionSpecial, "ReportH", T::Int, -1, "", false},
    {S::ReportFontSize, kSectionSpecial, "ReportFontSize", T::Int, 12, "", false},
    {S::ComputeX, kSectionSpecial, "ComputeX", T::Int, -1, "", false},
    {S::ComputeY, kSectionSpecial, "ComputeY", T::Int, -1, "", false},
    {S::TableNotesHidden, kSectionTableNotes, "", T::Int, 0, "", true},
    {S::RecentFile, kSectionRecentFiles, "File%d", T::String, 0, "", true},
}};

constexpr bool TableFollowsIds() {
  for (std::size_t i = 0; i < kSettings.size(); ++i) {
    if (static_cast<std::size_t>(kSettings[i].id) != i) return false;
  }
  return true;
}
static_assert(TableFollowsIds(), "the settings table lists the settings in the order of SettingId");

// The on/off options that start-up puts into Options().
constexpr std::pair<SettingId, bool AppOptions::*> kOptionFlags[] = {
    {S::AtKbn, &AppOptions::atKbn},
    {S::SpecialCR, &AppOptions::specialCR},
    {S::DefaultGatt, &AppOptions::defaultGatt},
    {S::WholeDollarMode, &AppOptions::wholeDollarMode},
    {S::OverrideIrsPaymentAllocation, &AppOptions::overrideIrsAllocation},
    {S::UseDescriptions, &AppOptions::useDescriptions},
    {S::Tips, &AppOptions::tips},
    {S::ShowPenaltyStatusBar, &AppOptions::showPenaltyStatusBar},
    {S::AlwaysShowPaymentAllocation, &AppOptions::alwaysShowPaymentAllocation},
    {S::ShowCenturyInDates, &AppOptions::showCentury},
    {S::DontShowTempFileWarning, &AppOptions::dontShowTempFileWarning},
};

constexpr std::pair<SettingId, bool ReportSettings::*> kReportFlags[] = {
    {S::IncludeDate, &ReportSettings::includeDate},
    {S::IncludeFooter, &ReportSettings::includeFooter},
    {S::IncludeHeader, &ReportSettings::includeHeader},
    {S::IncludeTime, &ReportSettings::includeTime},
    {S::InterestAndPenalties, &ReportSettings::interestAndPenaltyDetail},
    {S::Interest, &ReportSettings::interestDetailWithFactors},
    {S::MainScreen, &ReportSettings::mainScreenEvents},
    {S::Payments, &ReportSettings::paymentAllocationDetail},
    {S::Penalties, &ReportSettings::penaltyComputationDetail},
    {S::MonthlyAccrual, &ReportSettings::monthlyAccrual},
    {S::RateTable, &ReportSettings::rateTable},
};

constexpr SettingId kHeadingLines[] = {S::HeadingLine1, S::HeadingLine2, S::HeadingLine3};

// The recent-file list of the platform holds at most this many files.
constexpr int kMaxMruFiles = 16;

// How long a setting waits for another program that holds the store locked (the registry utility in
// the middle of a write) before it gives up; the wait cursor shows meanwhile.
constexpr int kBusyWaitMs = 2000;
constexpr int kStoreBusyId = 21220;
constexpr int kNotRepeatedId = 21221;
constexpr int kReadNotRepeatedId = 21222;

struct SettingsState {
  std::string path;  // of the store below, or of the one that could not be opened
  RegistryStore store;
  bool openFailed = false;
  // A store that cannot be read or written says so once, not once per setting, until it works again.
  bool readFailureShown = false;
  bool writeFailureShown = false;
  bool waiting = false;  // the wait cursor is up for a busy store
  std::optional<std::string> tableDirectory;
  std::optional<ReportSettings> reportSettings;
};

SettingsState& State() {
  static SettingsState state;
  return state;
}

// The open store, or nullptr when it cannot be opened (shown once per store file).
RegistryStore* Store() {
  SettingsState& s = State();
  std::string path = DefaultRegistryPath();
  if (path != s.path) {
    s.store.Close();
    s.path = path;
    s.openFailed = false;
  }
  if (!s.store.IsOpen() && !s.openFailed) {
    s.store.SetBusyWait(kBusyWaitMs, [] {
      State().waiting = true;
      CurrentUi().SetWaitCursor(true);
    });
    StoreResult opened = s.store.Open(path);
    if (!opened.ok()) {
      s.openFailed = true;
      MessageBoxText(opened.error + "\nZarvic uses its default settings and cannot save changes to them.");
    }
  }
  return s.store.IsOpen() ? &s.store : nullptr;
}

// Takes down the wait cursor that a wait for a busy store put up.
class BusyCursorEnd {
 public:
  BusyCursorEnd() = default;
  ~BusyCursorEnd() {
    if (std::exchange(State().waiting, false)) CurrentUi().SetWaitCursor(false);
  }
  BusyCursorEnd(const BusyCursorEnd&) = delete;
  BusyCursorEnd& operator=(const BusyCursorEnd&) = delete;
};

// The reason of a failed store operation, and that the message is not repeated (notRepeatedId).
std::string FailureDetail(const StoreResult& result, int notRepeatedId) {
  std::string reason =
      result.busy ? FormatStringText(kStoreBusyId, State().path.c_str(), kBusyWaitMs / 1000) : result.error;
  return reason + "\n" + std::string(StringText(notRepeatedId));
}

// A read: the value when it exists and no error occurred (errors are shown).
std::optional<RegistryValue> ReadValue(const std::string& section, const std::string& name) {
  RegistryStore* store = Store();
  if (!store) return std::nullopt;
  BusyCursorEnd cursor;
  RegistryValue value;
  StoreResult read = store->GetValue(kProgramName, section, name, value);
  if (read.status == StoreStatus::Failed) {
    if (!std::exchange(State().readFailureShown, true))
      MessageBoxText(StringPrintf("The setting \"%s\" of \"%s\" could not be read; its default is used.\n",
                                  name.c_str(), section.c_str()) +
                     FailureDetail(read, kReadNotRepeatedId));
  } else {
    State().readFailureShown = false;
  }
  if (!read.ok()) return std::nullopt;
  return value;
}

// Writes the values in one transaction: all of them or none.
bool WriteValues(const std::vector<RegistryEntry>& entries) {
  RegistryStore* store = Store();
  if (!store) return false;  // the open failure was shown
  BusyCursorEnd cursor;
  StoreResult written = store->SetValues(kProgramName, entries);
  if (written.ok()) {
    State().writeFailureShown = false;
    return true;
  }
  if (!std::exchange(State().writeFailureShown, true)) {
    std::string what = entries.size() == 1
                           ? StringPrintf("The setting \"%s\" of \"%s\" could not be saved.",
                                          entries[0].value.name.c_str(), entries[0].section.c_str())
                           : std::string("The settings could not be saved.");
    MessageBoxText(what + "\n" + FailureDetail(written, kNotRepeatedId));
  }
  return false;
}

bool WriteValue(const std::string& section, const RegistryValue& value) {
  return WriteValues({{section, value}});
}

// Cuts text to at most max bytes without splitting a UTF-8 character.
std::string CutText(std::string text, std::size_t max) {
  if (text.size() <= max) return text;
  std::size_t end = max;
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  text.resize(end);
  return text;
}

std::string WithoutTrailingSlash(std::string folder) {
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

}  // namespace

std::span<const SettingInfo, kSettingCount> SettingsTable() {
  return kSettings;
}

const SettingInfo& Setting(SettingId id) {
  return kSettings[static_cast<std::size_t>(id)];
}

const SettingInfo* FindSetting(std::string_view section, std::string_view name) {
  for (const SettingInfo& s : kSettings) {
    if (!s.family && EqualsNoCase(s.section, section) && EqualsNoCase(s.name, name)) return &s;
  }
  return nullptr;
}

int GetProfileInt(const std::string& section, const std::string& name, int defaultValue) {
  std::optional<RegistryValue> value = ReadValue(section, name);
  if (!value || value->type != kRegDword) return defaultValue;
  return DwordFromBytes(value->data).value_or(defaultValue);
}

std::string GetProfileString(const std::string& section, const std::string& name,
                             const std::string& defaultValue) {
  std::optional<RegistryValue> value = ReadValue(section, name);
  if (!value || (value->type != kRegString && value->type != kRegExpandString)) return defaultValue;
  return StringFromBytes(value->data);
}

bool WriteProfileInt(const std::string& section, const std::string& name, int value) {
  return WriteValue(section, RegistryValue::Dword(name, value));
}

bool WriteProfileString(const std::string& section, const std::string& name, const std::string& value) {
  return WriteValue(section, RegistryValue::String(name, value));
}

int GetIntSetting(SettingId id) {
  const SettingInfo& s = Setting(id);
  return GetProfileInt(s.section, s.name, s.intDefault);
}

std::string GetStringSetting(SettingId id) {
  const SettingInfo& s = Setting(id);
  return GetProfileString(s.section, s.name, s.stringDefault);
}

bool WriteIntSetting(SettingId id, int value) {
  const SettingInfo& s = Setting(id);
  return WriteProfileInt(s.section, s.name, value);
}

bool WriteStringSetting(SettingId id, const std::string& value) {
  const SettingInfo& s = Setting(id);
  return WriteProfileString(s.section, s.name, value);
}

ReportSettings DefaultReportSettings() {
  ReportSettings r;
  for (const auto& [id, member] : kReportFlags) r.*member = Setting(id).intDefault != 0;
  r.fiscalYearEnd = Setting(S::FiscalYear).intDefault;
  for (std::size_t i = 0; i < r.headerLines.size(); ++i)
    r.headerLines[i] = Setting(kHeadingLines[i]).stringDefault;
  r.footer = Setting(S::Footer).stringDefault;
  return r;
}

ReportSettings LoadReportSettings() {
  ReportSettings r;
  for (const auto& [id, member] : kReportFlags) r.*member = GetIntSetting(id) != 0;
  r.fiscalYearEnd = GetIntSetting(S::FiscalYear);
  // The month list of the report dialogs has twelve entries.
  if (r.fiscalYearEnd < 0 || r.fiscalYearEnd > 11) r.fiscalYearEnd = Setting(S::FiscalYear).intDefault;
  for (std::size_t i = 0; i < r.headerLines.size(); ++i) {
    r.headerLines[i] = CutText(GetStringSetting(kHeadingLines[i]), kReportTextMax);
  }
  r.footer = CutText(GetStringSetting(S::Footer), kReportTextMax);
  return r;
}

bool SaveReportSettings(const ReportSettings& settings) {
  auto entry = [](SettingId id, int value) {
    return RegistryEntry{Setting(id).section, RegistryValue::Dword(Setting(id).name, value)};
  };
  std::vector<RegistryEntry> entries;
  for (const auto& [id, member] : kReportFlags) entries.push_back(entry(id, settings.*member ? 1 : 0));
  entries.push_back(entry(S::FiscalYear, settings.fiscalYearEnd));
  return WriteValues(entries);
}

ReportSettings& CurrentReportSettings() {
  std::optional<ReportSettings>& r = State().reportSettings;
  if (!r) r = DefaultReportSettings();
  return *r;
}

void LoadSettings() {
  AppOptions& options = Options();
  // A length the recent-file list cannot hold is brought into its range (and written back so).
  options.numberOfMruFiles = std::clamp(GetIntSetting(S::NumberOfMruFiles), 0, kMaxMruFiles);
  WriteIntSetting(S::NumberOfMruFiles, options.numberOfMruFiles);
  for (const auto& [id, member] : kOptionFlags) options.*member = GetIntSetting(id) != 0;
  options.defaultPaymentAllocation = GetStringSetting(S::DefaultPaymentAllocation);
  WriteIntSetting(S::Tips, options.tips ? 1 : 0);
  CurrentReportSettings() = LoadReportSettings();
}

namespace {

// The program's folder is read-only once installed, so it is never the folder tables are saved to;
// a setting naming it (as earlier versions stored) means the user's own table folder.
std::string TableFolderFromSetting(const std::string& stored) {
  return stored.empty() || stored == WithoutTrailingSlash(ProgramFolder()) ? UserTableFolder() : stored;
}

}  // namespace

std::string GetTableDirectory() {
  std::optional<std::string>& cached = State().tableDirectory;
  if (!cached) cached = TableFolderFromSetting(WithoutTrailingSlash(GetStringSetting(S::TableDirectory)));
  return *cached;
}

bool SetTableDirectory(const std::string& folder) {
  std::string stored = WithoutTrailingSlash(folder);
  State().tableDirectory = TableFolderFromSetting(stored);
  return WriteStringSetting(S::TableDirectory, stored);
}

void CloseSettingsStore() {
  SettingsState& s = State();
  s.store.Close();
  s.path.clear();
  s.openFailed = false;
  s.readFailureShown = false;
  s.writeFailureShown = false;
  s.tableDirectory.reset();
  s.reportSettings.reset();
}

// The legacy INI file of earlier versions.

namespace {

// One line of the INI file as it stands, with its line end, so that it can be written back unchanged.
struct IniLine {
  std::string text;
  std::string end;  // "\r\n", "\n" or "" (last line without one)
};

enum class IniKind { Blank, Comment, Section, Value, Other };

struct IniParsed {
  IniKind kind = IniKind::Other;
  std::string name;  // section name, or value name
  std::string value;
};

std::vector<IniLine> SplitLines(const std::string& bytes) {
  std::vector<IniLine> lines;
  std::string_view rest(bytes);
  while (!rest.empty()) {
    std::size_t nl = rest.find('\n');
    std::string_view text = rest.substr(0, nl);
    const char* end = nl == std::string_view::npos ? "" : "\n";
    rest.remove_prefix(nl == std::string_view::npos ? rest.size() : nl + 1);
    if (!text.empty() && text.back() == '\r') {
      text.remove_suffix(1);
      end = *end ? "\r\n" : "\r";
    }
    lines.push_back(IniLine{std::string(text), end});
  }
  return lines;
}

// A section line is one that begins with "[" (after blanks): a value such as a file name may contain
// "[" too and must not start a section.
IniParsed ParseLine(std::string_view text) {
  std::string line = Trim(text);
  if (line.rfind("\xEF\xBB\xBF", 0) == 0) line = Trim(std::string_view(line).substr(3));  // UTF-8 mark
  IniParsed p;
  if (line.empty()) {
    p.kind = IniKind::Blank;
  } else if (line[0] == ';') {
    p.kind = IniKind::Comment;
  } else if (line[0] == '[') {
    p.kind = IniKind::Section;
    std::size_t close = line.find(']', 1);
    p.name =
        Trim(std::string_view(line).substr(1, close == std::string::npos ? std::string::npos : close - 1));
  } else if (std::size_t eq = line.find('='); eq != std::string::npos) {
    p.kind = IniKind::Value;
    p.name = Trim(std::string_view(line).substr(0, eq));
    p.value = Trim(std::string_view(line).substr(eq + 1));
  }
  return p;
}

// The number at the start of the text, as the old program read its integers: an optional sign, then
// digits; no digits give 0, and a number too large for 32 bits stops at the limit.
int LeadingInteger(std::string_view text) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  std::int64_t n = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    n = std::min<std::int64_t>(n * 10 + (text[i] - '0'), std::int64_t{INT_MAX} + 1);
  }
  if (negative) n = -n;
  return static_cast<int>(std::clamp<std::int64_t>(n, INT_MIN, INT_MAX));
}

// Settings of the INI file that are texts; every other value is a number.
struct LegacyString {
  const char* section;
  const char* name;  // "*": every value of the section
};
constexpr LegacyString kLegacyStrings[] = {
    {"Report Settings", "Heading -- Line 1"},
    {"Report Settings", "Heading -- Line 2"},
    {"Report Settings", "Heading -- Line 3"},
    {"Report Settings", "Footer"},
    {"Settings", "WindowPos"},
    {"Settings", "DocWindowMax"},
    {"windows", "device"},
    {"Options", "Default Payment Allocation"},
    {"Debug", "Time"},
    {"Recent File List", "*"},
};

bool IsLegacyString(std::string_view section, std::string_view name) {
  return std::any_of(std::begin(kLegacyStrings), std::end(kLegacyStrings), [&](const LegacyString& s) {
    return EqualsNoCase(s.section, section) &&
           (std::string_view(s.name) == "*" || EqualsNoCase(s.name, name));
  });
}

bool IsUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    auto c = static_cast<unsigned char>(text[i]);
    std::size_t more = 0;
    if (c >= 0xC2 && c <= 0xDF) {
      more = 1;
    } else if (c >= 0xE0 && c <= 0xEF) {
      more = 2;
    } else if (c >= 0xF0 && c <= 0xF4) {
      more = 3;
    } else if (c >= 0x80) {
      return false;
    }
    if (text.size() - i <= more) return false;
    for (std::size_t k = 1; k <= more; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    }
    i += more + 1;
  }
  return true;
}

// The old program wrote its INI file in the Windows code page; texts that are not UTF-8 are taken as
// Windows-1252 so that the new store holds readable text.
std::string LegacyTextToUtf8(std::string_view text) {
  if (IsUtf8(text)) return std::string(text);
  // Code points of 0x80-0x9F in Windows-1252 (0 where the code page has no character).
  static constexpr char16_t kHigh[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                         0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                         0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                         0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
  std::string out;
  for (char ch : text) {
    auto c = static_cast<unsigned char>(ch);
    std::uint32_t cp = c;
    if (c >= 0x80 && c < 0xA0) cp = kHigh[c - 0x80] ? kHigh[c - 0x80] : 0xFFFD;
    if (cp < 0x80) {
      out += static_cast<char>(cp);
    } else if (cp < 0x800) {
      out += static_cast<char>(0xC0 | (cp >> 6));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | (cp >> 12));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    }
  }
  return out;
}

// The spelling of the settings table for a known section (and value), so that the store does not
// gain the INI file's variants.
std::pair<std::string, std::string> CanonicalNames(const std::string& section, const std::string& name) {
  if (const SettingInfo* known = FindSetting(section, name)) return {known->section, known->name};
  for (const SettingInfo& s : kSettings) {
    if (EqualsNoCase(s.section, section)) return {s.section, name};
  }
  return {section, name};
}

constexpr const char* kMovedSection = "Special";
constexpr const char* kMovedName = "MovedToRegistry";

// Index of the line that holds Special/MovedToRegistry (the first such line counts), or -1.
long MovedLine(const std::vector<IniLine>& lines) {
  std::string section;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    IniParsed p = ParseLine(lines[i].text);
    if (p.kind == IniKind::Section) section = p.name;
    if (p.kind == IniKind::Value && EqualsNoCase(section, kMovedSection) &&
        EqualsNoCase(p.name, kMovedName)) {
      return static_cast<long>(i);
    }
  }
  return -1;
}

std::string LogonName(int& error) {
  errno = 0;
  if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_name && *pw->pw_name) return pw->pw_name;
  error = errno ? errno : ENOENT;
  if (const char* user = std::getenv("USER"); user && *user) return user;
  return {};
}

// The INI text with Special/MovedToRegistry=1: the existing line changed, else the value added to the
// section, else the section added at the end. Every other line stays as it was.
std::string WithMovedFlag(std::vector<IniLine> lines) {
  std::string eol = "\n";
  for (const IniLine& l : lines) {
    if (!l.end.empty()) {
      eol = l.end;
      break;
    }
  }
  long moved = MovedLine(lines);
  if (moved >= 0) {
    std::string& text = lines[static_cast<std::size_t>(moved)].text;
    text = text.substr(0, text.find('=') + 1) + "1";
  } else {
    long sectionLine = -1;
    long insertAfter = -1;
    std::string section;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      IniParsed p = ParseLine(lines[i].text);
      if (p.kind == IniKind::Section) {
        if (sectionLine >= 0) break;  // past the end of the first "Special"
        section = p.name;
        if (EqualsNoCase(section, kMovedSection)) sectionLine = insertAfter = static_cast<long>(i);
      } else if (sectionLine >= 0 && p.kind == IniKind::Value) {
        insertAfter = static_cast<long>(i);
      }
    }
    std::size_t at = sectionLine < 0 ? lines.size() : static_cast<std::size_t>(insertAfter + 1);
    // Only a line that ends the file may lack its line end; one is added when a line follows it.
    if (at == lines.size() && !lines.empty() && lines.back().end.empty()) lines.back().end = eol;
    std::vector<IniLine> added;
    if (sectionLine < 0) added.push_back({std::string("[") + kMovedSection + "]", eol});
    added.push_back({std::string(kMovedName) + "=1", eol});
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), added.begin(), added.end());
  }
  std::string out;
  for (const IniLine& l : lines) out += l.text + l.end;
  return out;
}

}  // namespace

std::string LegacyIniPath() {
  const char* over = std::getenv("ZARVIC_LEGACY_INI");
  if (over && *over) return over;
  return HomeFolder() + "/.local/share/VirtualStore/Windows/WZRV.INI";
}

void MoveIniToRegistry() {
  int error = 0;
  if (LogonName(error).empty()) {
    MessageBoxText(StringPrintf("Your login name could not be found, so the old settings were not moved: %s",
                                std::strerror(error)));
    return;
  }
  std::string path = LegacyIniPath();
  std::ifstream in(path, std::ios::binary);
  if (!in) return;  // no legacy settings
  std::vector<IniLine> lines =
      SplitLines(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
  in.close();
  if (long moved = MovedLine(lines); moved >= 0) {
    IniParsed p = ParseLine(lines[static_cast<std::size_t>(moved)].text);
    if (LeadingInteger(p.value) != 0) return;
  }

  std::vector<RegistryEntry> entries;
  std::set<std::pair<std::string, std::string>> seen;  // the old program read the first of duplicates
  std::optional<std::string> section;                  // values before the first section have none
  for (const IniLine& line : lines) {
    IniParsed p = ParseLine(line.text);
    if (p.kind == IniKind::Section) section = p.name;
    if (p.kind != IniKind::Value || !section || section->empty() || p.name.empty()) continue;
    auto [sectionName, valueName] = CanonicalNames(*section, p.name);
    if (!seen.insert({ToUpper(sectionName), ToUpper(valueName)}).second) continue;
    if (IsLegacyString(sectionName, valueName)) {
      entries.push_back({sectionName, RegistryValue::String(valueName, LegacyTextToUtf8(p.value))});
    } else {
      entries.push_back({sectionName, RegistryValue::Dword(valueName, LeadingInteger(p.value))});
    }
  }

  // All values in one transaction; the INI file is marked only when they are all in the store, so a
  // failed move is tried again at the next start.
  RegistryStore* store = Store();
  if (!store) return;  // the open failure was shown
  if (StoreResult written = store->SetValues(kProgramName, entries); !written.ok()) {
    MessageBoxText(StringPrintf("The settings of \"%s\" could not be moved into the settings store.\n%s",
                                path.c_str(), written.error.c_str()));
    return;
  }
  if (!WriteFileAtomically(path, WithMovedFlag(std::move(lines)), &error)) {
    // The settings are in the store; the move is only tried again at the next start.
    MessageBoxText(StringPrintf("The old settings file %s could not be marked as moved: %s", path.c_str(),
                                std::strerror(error)));
  }
}

}  // namespace zarvic
