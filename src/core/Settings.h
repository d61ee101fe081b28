#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace zarvic {

// The calculator's settings live in the settings store (RegistryStore.h) under this program name, one
// section per group, one value per setting; numbers as 32-bit values, texts as strings.
inline constexpr const char* kProgramName = "Zarvic";

inline constexpr const char* kSectionSettings = "Settings";
inline constexpr const char* kSectionOptions = "Options";
inline constexpr const char* kSectionReportSettings = "Report Settings";
inline constexpr const char* kSectionSpecial = "Special";
inline constexpr const char* kSectionTableNotes = "Don't Auto-show Table Notes";
inline constexpr const char* kSectionRecentFiles = "Recent File List";

enum class SettingType { Int, String };

// Every setting of the program, in the order of the settings table.
enum class SettingId {
  NumberOfMruFiles,
  DocWindowMax,
  WindowPos,
  TableDirectory,
  AtKbn,
  SpecialCR,
  DefaultGatt,
  DefaultPaymentAllocation,
  WholeDollarMode,
  OverrideIrsPaymentAllocation,
  UseDescriptions,
  Tips,
  ShowPenaltyStatusBar,
  AlwaysShowPaymentAllocation,
  ShowCenturyInDates,
  DontShowTempFileWarning,
  IncludeDate,
  IncludeFooter,
  IncludeHeader,
  IncludeTime,
  InterestAndPenalties,
  Interest,
  MainScreen,
  Payments,
  Penalties,
  MonthlyAccrual,
  RateTable,
  FiscalYear,
  HeadingLine1,
  HeadingLine2,
  HeadingLine3,
  Footer,
  ReportX,
  ReportY,
  ReportW,
  ReportH,
  ReportFontSize,
  ComputeX,
  ComputeY,
  TableNotesHidden,  // one value per rate table, named after the table
  RecentFile,        // "File1", "File2", ... kept by the recent-file list
};

struct SettingInfo {
  SettingId id;
  const char* section;
  const char* name;  // for a family of values: the pattern of their names ("" = any name)
  SettingType type;
  int intDefault;             // Int settings
  const char* stringDefault;  // String settings ("" also where there is none, as for "WindowPos")
  bool family;                // many values of one kind rather than one value of a fixed name
};

inline constexpr std::size_t kSettingCount = static_cast<std::size_t>(SettingId::RecentFile) + 1;

// The table of every setting with its section, value name, type and default; the loaders read it.
std::span<const SettingInfo, kSettingCount> SettingsTable();
const SettingInfo& Setting(SettingId id);
// The setting of a fixed value name, compared without regard to case; nullptr when there is none.
const SettingInfo* FindSetting(std::string_view section, std::string_view name);

// The profile accessors of the program: a value that is missing (or has another type) reads as the
// default. When the store cannot be opened every read gives its default and the problem is shown once;
// a write that fails is shown and returns false.
int GetProfileInt(const std::string& section, const std::string& name, int defaultValue);
std::string GetProfileString(const std::string& section, const std::string& name,
                             const std::string& defaultValue);
bool WriteProfileInt(const std::string& section, const std::string& name, int value);
bool WriteProfileString(const std::string& section, const std::string& name, const std::string& value);

// The same for a setting of the table, with the table's default.
int GetIntSetting(SettingId id);
std::string GetStringSetting(SettingId id);
bool WriteIntSetting(SettingId id, int value);
bool WriteStringSetting(SettingId id, const std::string& value);

// The "Report Settings" values: the application's default report settings.
inline constexpr std::size_t kReportTextMax = 132;  // heading lines and footer, in bytes

// An empty record; DefaultReportSettings() gives the table's defaults.
struct ReportSettings {
  bool includeDate = false;
  bool includeFooter = false;
  bool includeHeader = false;
  bool includeTime = false;
  bool interestAndPenaltyDetail = false;
  bool interestDetailWithFactors = false;
  bool mainScreenEvents = false;
  bool paymentAllocationDetail = false;
  bool penaltyComputationDetail = false;
  bool monthlyAccrual = false;
  bool rateTable = false;
  // The reports of the worksheets kept with a problem; chosen per run, never stored.
  bool estimatedTaxPenalty = false;
  bool depositPenalty = false;
  int fiscalYearEnd = 0;  // month index of the fiscal year end, 0 = January ... 11 = December
  std::array<std::string, 3> headerLines;
  std::string footer;

  bool operator==(const ReportSettings&) const = default;
};

// The table's defaults.
ReportSettings DefaultReportSettings();
// Reads every "Report Settings" value. A fiscal year outside 0-11 reads as December; texts are cut to
// kReportTextMax bytes, which is all that problem files hold.
ReportSettings LoadReportSettings();
// Writes the flags and the fiscal year; the heading and footer texts are written where they are edited.
bool SaveReportSettings(const ReportSettings& settings);
// The application's record, filled by LoadSettings (the table's defaults before that).
ReportSettings& CurrentReportSettings();

// Start-up: reads the settings into Options() (AppOptions.h) and CurrentReportSettings(), and writes
// "Number of MRU files" and "Tips" back so that both exist from the first run on.
void LoadSettings();

// The rate table folder: the "TableDirectory" setting, or the user's table folder (UserTableFolder)
// when it is empty or names the program's folder; never with a trailing "/". Read once and kept; the
// setter writes the setting and the kept folder.
std::string GetTableDirectory();
bool SetTableDirectory(const std::string& folder);

// The legacy INI file of earlier versions: $ZARVIC_LEGACY_INI, else
// <home>/.local/share/VirtualStore/Windows/WZRV.INI.
std::string LegacyIniPath();
// Moves the settings of the legacy INI file into the store, once: afterwards the INI file says
// MovedToRegistry=1 in its section "Special" and the move does nothing again.
void MoveIniToRegistry();

// Closes the settings store and forgets what was read from it (the table folder, an open failure
// already shown); the next access opens the store named by then.
void CloseSettingsStore();

}  // namespace zarvic
