#include "shell/TableGenerator.h"

#include <sys/stat.h>
#include <unistd.h>

#include <charconv>
#include <cmath>
#include <memory>

#include "core/FileExtension.h"
#include "core/Paths.h"
#include "core/Text.h"
#include "core/UserInterface.h"
#include "problem/CTDoc.h"
#include "problem/TextInput.h"
#include "ratetables/TableFile.h"

namespace zarvic {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

// The same month and day a year later; February 29 becomes February 28.
DayNumber NextYear(DayNumber d) {
  int year = YearOf(d) + 1;
  int day = std::min(DayOf(d), DaysInMonth(MonthOf(d), year));
  return MakeDate(MonthOf(d), day, year);
}

DayNumber Advance(DayNumber d, GenerateFrequency frequency, DayNumber end) {
  switch (frequency) {
    case GenerateFrequency::Quarterly:
      return AddMonths(d, 3);
    case GenerateFrequency::Month:
      return AddMonths(d, 1);
    case GenerateFrequency::Annual:
      return NextYear(d);
    case GenerateFrequency::OneEntry:
      return end;
  }
  return end;
}

// A rate in percent as written: a plain decimal number. Anything else is no rate (rather than 0%).
std::optional<double> ReadRate(std::string_view text) {
  std::string trimmed = Trim(text);
  double value = 0.0;
  const char* first = trimmed.data();
  const char* last = first + trimmed.size();
  auto [end, ec] = std::from_chars(first, last, value, std::chars_format::fixed);
  if (trimmed.empty() || ec != std::errc() || end != last || !std::isfinite(value) || value < 0.0)
    return std::nullopt;
  return value;
}

bool IsReadWriteFolder(const std::string& folder) {
  struct stat st {};
  return ::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) &&
         ::access(folder.c_str(), R_OK | W_OK | X_OK) == 0;
}

std::string MissingSettings(const GenerationSettings& s) {
  std::vector<const char*> missing;
  if (s.name.empty()) missing.push_back("NAME");
  if (!IsDate(s.start)) missing.push_back("TABLESTART");
  if (!IsDate(s.end)) missing.push_back("TABLEEND");
  if (!s.frequency) missing.push_back("FREQUENCY");
  if (!s.method) missing.push_back("METHOD");
  if (!s.rate) missing.push_back("RATE");
  std::string text;
  for (const char* key : missing) text += (text.empty() ? "" : ", ") + std::string(key);
  return text;
}

enum class KeyOutcome { Applied, EndRun };

class ScriptRun {
 public:
  ScriptRun(CTDoc& problem, const TableListing& listing) : problem_(problem), listing_(listing) {}

  // False when the line ended the run.
  bool ApplyLine(std::string_view line);
  bool Clean() const { return clean_; }

 private:
  KeyOutcome Apply(const std::string& key, const std::string& value);
  KeyOutcome Fail(const std::string& message) {
    MessageBoxText(message);
    clean_ = false;
    return KeyOutcome::EndRun;
  }

  CTDoc& problem_;
  const TableListing& listing_;
  GenerationSettings settings_;
  bool clean_ = true;
};

bool ScriptRun::ApplyLine(std::string_view line) {
  if (line.substr(0, 2) == "//") return true;
  std::size_t i = 0;
  while (true) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (i >= line.size()) return true;
    std::size_t tokenStart = i;
    while (i < line.size() && !IsBlank(line[i]) && line[i] != '=') ++i;
    std::string key = ToUpper(line.substr(tokenStart, i - tokenStart));
    std::string value;
    if (i >= line.size() || line[i] != '=') {
      if (key == "GO") {
        if (Apply(key, value) == KeyOutcome::EndRun) return false;
        continue;
      }
      // Without "=" the rest of the line means nothing; say so rather than keep an older setting.
      while (i < line.size() && !IsBlank(line[i])) ++i;
      MessageBoxText(StringPrintf("Expected KEY=VALUE, found \"%s\"; the rest of the line is ignored:\n%s",
                                  std::string(line.substr(tokenStart, i - tokenStart)).c_str(),
                                  std::string(line).c_str()));
      clean_ = false;
      return true;
    }
    ++i;  // the "="
    if (i < line.size() && line[i] == '"') {
      std::size_t close = line.find('"', i + 1);
      if (close == std::string_view::npos) {
        MessageBoxText("Mismatched quotes");
        clean_ = false;
        return true;
      }
      value = std::string(line.substr(i + 1, close - i - 1));
      i = close + 1;
    } else {
      std::size_t valueStart = i;
      while (i < line.size() && !IsBlank(line[i])) ++i;
      value = std::string(line.substr(valueStart, i - valueStart));
    }
    if (Apply(key, value) == KeyOutcome::EndRun) return false;
  }
}

KeyOutcome ScriptRun::Apply(const std::string& key, const std::string& value) {
  GenerationSettings& s = settings_;
  if (key == "OUTDIR") {
    std::string folder = value;
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    if (!IsReadWriteFolder(folder.empty() ? "." : folder))
      return Fail(StringPrintf("Directory \"%s\" does not exist - please create it.", value.c_str()));
    s.outputFolder = folder;
  } else if (key == "TABLESTART" || key == "TABLEEND") {
    bool ok = false;
    DayNumber d = ParseDate(value, ok);
    if (!ok) {
      return Fail(StringPrintf(
          key == "TABLESTART" ? "Invalid table start date \"%s\"" : "Invalid table end date \"%s\"",
          value.c_str()));
    }
    (key == "TABLESTART" ? s.start : s.end) = d;
  } else if (key == "FREQUENCY") {
    s.frequency = FrequencyFromText(value);
    if (!s.frequency) return Fail(StringPrintf("Undefined frequency \"%s\"", value.c_str()));
  } else if (key == "NAME") {
    s.name = value;
  } else if (key == "DESC") {
    s.description = value;
  } else if (key == "METHOD") {
    s.method = MethodFromText(value);
    if (!s.method) return Fail(StringPrintf("Undefined compound method \"%s\"", value.c_str()));
  } else if (key == "RATE") {
    s.rate = ReadRate(value);
    if (!s.rate) return Fail(StringPrintf("Invalid rate \"%s\"", value.c_str()));
  } else if (key == "GO") {
    if (!GenerateTable(s, problem_, listing_)) {
      clean_ = false;
      return KeyOutcome::EndRun;
    }
  } else {
    // An unknown key is most likely a misspelt one; going on would use the previous setting.
    return Fail(StringPrintf("Undefined key \"%s\"", key.c_str()));
  }
  return KeyOutcome::Applied;
}

}  // namespace

std::optional<GenerateFrequency> FrequencyFromText(std::string_view text) {
  std::string upper = ToUpper(text);
  if (upper == "QUARTERLY") return GenerateFrequency::Quarterly;
  if (upper == "ANNUAL") return GenerateFrequency::Annual;
  if (upper == "ONEENTRY") return GenerateFrequency::OneEntry;
  if (upper == "MONTH") return GenerateFrequency::Month;
  return std::nullopt;
}

std::optional<int> MethodFromText(std::string_view text) {
  static constexpr struct {
    const char* text;
    int method;
  } kMethods[] = {{"DAILY", kModeDaily},           {"MONTHLY", kModeMonthly},
                  {"OLDIRS", kModeOldIrs},         {"SIMPLE", kModeSimple},
                  {"PQUARTERLY", kModePQuarterly}, {"PMONTHLY", kModePMonthly},
                  {"MONTHLYWM", kModeMonthlyWhole}};
  std::string upper = ToUpper(text);
  for (const auto& m : kMethods) {
    if (upper == m.text) return m.method;
  }
  return std::nullopt;
}

std::vector<RateLine> GeneratedLines(const GenerationSettings& s, bool* tooMany) {
  if (tooMany) *tooMany = false;
  std::vector<RateLine> lines;
  if (!IsDate(s.start) || !IsDate(s.end) || !s.frequency || !s.method || !s.rate) return lines;
  const bool alternating = *s.method == kModePQuarterly || *s.method == kModePMonthly;
  DayNumber d = s.start;
  while (IsDate(d) && d < s.end) {
    if (static_cast<int>(lines.size()) == kMaxRateLines) {
      if (tooMany) *tooMany = true;
      return {};
    }
    const int index = static_cast<int>(lines.size());
    RateLine line;
    line.start = d;
    line.mode =
        static_cast<std::uint16_t>(alternating ? (index % 2 == 0 ? kModeSimple : kModeDaily) : *s.method);
    line.normalRate = line.motivatedRate = line.refundRate = *s.rate;
    line.daysPerYear = DaysInMonth(2, YearOf(d)) == 29 ? 366 : 365;
    lines.push_back(line);
    // Alternating tables carry a Daily and a Simple line on each date after the first.
    if (!alternating || index % 2 == 0) d = Advance(d, *s.frequency, s.end);
  }
  return lines;
}

bool GenerateTable(const GenerationSettings& s, CTDoc& problem, const TableListing& listing) {
  if (std::string missing = MissingSettings(s); !missing.empty()) {
    MessageBoxText("GO without " + missing + ": give them before GO.");
    return false;
  }
  std::string path = JoinPath(s.outputFolder, s.name);
  SetExtension(path, ".TB3");

  bool tooMany = false;
  std::vector<RateLine> lines = GeneratedLines(s, &tooMany);
  if (tooMany) {
    MessageBoxText(StringPrintf("Table \"%s\" would need more than %d lines; it was not written.",
                                path.c_str(), kMaxRateLines));
    return false;
  }
  if (lines.empty()) {
    MessageBoxText(
        StringPrintf("Table \"%s\" would have no line: TABLESTART is not before TABLEEND.", path.c_str()));
    return false;
  }
  // The table is written beside the old file and renamed over it, so the old one stays until then.
  // A file whose extension differs only in case is the one the save replaces.
  const std::string existing = WithExistingExtensionCase(path);
  if (FileExists(existing) &&
      MessageBoxText(StringPrintf("File \"%s\" exists.  OK to replace?", existing.c_str()),
                     MessageKind::YesNo) != Answer::Yes) {
    return false;
  }

  auto table = std::make_unique<RateTable>();
  table->name = TableNameFromPath(path);
  table->description = s.description;
  table->endDate = s.end;
  for (std::size_t i = 0; i < lines.size(); ++i) table->lines[i] = lines[i];
  if (!SaveTable(*table, path)) return false;

  std::string listingPath = path;
  SetExtension(listingPath, ".TXT");
  if (!LoadTable(problem.m_rateTable, path, true)) {
    MessageBoxText(
        StringPrintf("The table \"%s\" was written but cannot be read back; no listing.", path.c_str()));
    return false;
  }
  return listing(problem, listingPath);
}

bool GenerateTables(const std::string& script, const TableListing& listing) {
  auto problem = std::make_unique<CTDoc>();
  problem->ResetProblem();

  std::string name;
  for (char c : script) {
    if (c != '"') name += c;
  }
  name = Trim(name);
  TextLineReader reader;
  if (name.empty() || !reader.Open(name)) {
    MessageBoxText(StringPrintf("Failed to open file \"%s\"", name.c_str()));
    return false;
  }
  ScriptRun run(*problem, listing);
  while (!reader.AtEnd()) {
    if (!run.ApplyLine(reader.ReadLine())) return false;
  }
  return run.Clean();
}

}  // namespace zarvic
