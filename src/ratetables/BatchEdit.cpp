#include "ratetables/BatchEdit.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <system_error>

#include "core/Dates.h"
#include "core/Paths.h"
#include "core/Text.h"
#include "core/UserInterface.h"
#include "ratetables/RateTable.h"
#include "ratetables/TableFile.h"
#include "ratetables/TableOperations.h"

namespace zarvic {
namespace {

constexpr int kBatchFields = 10;

enum Field { kName, kEndDate, kStartDate, kMode, kNormal, kMotivated, kRefund, kDays, kDescription, kNotes };

// A decimal number as the C library's atof reads it: leading blanks skipped, trailing text ignored,
// 0 when there is no number. Infinities and NaN are no rates and read as 0 too.
double ReadNumber(std::string_view text) {
  size_t i = text.find_first_not_of(" \t");
  if (i == std::string_view::npos) return 0.0;
  text.remove_prefix(i);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  double value = 0.0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  (void)end;
  if (ec != std::errc() || !std::isfinite(value)) return 0.0;
  return value;
}

// A rate in percent: a decimal number (an optional sign, digits, at most one point; blanks around it)
// that is not negative. Nothing for anything else, so that "abc" or "-5" never becomes a rate.
std::optional<double> ReadRate(std::string_view text) {
  std::string trimmed = Trim(text);
  std::string_view t = trimmed;
  if (!t.empty() && t.front() == '+') t.remove_prefix(1);
  if (t.empty() || t.find_first_not_of("0123456789.") != std::string_view::npos ||
      t.find('.') != t.rfind('.') || t == ".")
    return std::nullopt;
  double value = 0.0;
  auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
  if (ec != std::errc() || end != t.data() + t.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

// 365, 366, or 100 for 365.25; 0 for anything else.
std::uint16_t DaysCode(double days) {
  if (days == 365.0) return 365;
  if (days == 366.0) return 366;
  if (days == 365.25) return 100;
  return 0;
}

bool IsSkipped(const std::string& line) {
  return line.find_first_not_of(',') == std::string::npos || line.rfind("***", 0) == 0;
}

// The two characters backslash and n stand for a line break; the notes keep the line breaks of the
// system the table files come from.
std::string DecodeNotes(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
      out += "\r\n";
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

// "FILE:LINE: error", then the line itself.
void ShowLineError(const std::string& file, int lineNumber, const std::string& error, const std::string& line) {
  MessageBoxText(StringPrintf("%s:%d: ", file.c_str(), lineNumber) + error + "\n" + line);
}

std::string Plural(int n, const char* word) {
  return StringPrintf("%d %s%s", n, word, n == 1 ? "" : "s");
}

}  // namespace

int ModeFromText(std::string_view text) {
  static constexpr struct {
    const char* keyword;
    int mode;
  } kKeywords[] = {{"SIMPLE", kModeSimple},      {"DAILY", kModeDaily}, {"MONTHLYWM", kModeMonthlyWhole},
                   {"MONTHLY", kModeMonthly},    {"OLD", kModeOldIrs},  {"IRS", kModeOldIrs},
                   {"FACTORSUM", kModeFactorSum}};
  std::string upper = ToUpper(text);
  for (const auto& k : kKeywords) {
    if (upper.find(k.keyword) != std::string::npos) return k.mode;
  }
  return -1;
}

std::vector<std::string> SplitBatchFields(std::string_view line) {
  std::vector<std::string> fields;
  size_t pos = 0;
  while (fields.size() < kBatchFields && pos <= line.size()) {
    std::string field;
    size_t comma;
    if (pos < line.size() && line[pos] == '"') {
      size_t close = line.find('"', pos + 1);
      if (close == std::string_view::npos) {
        fields.emplace_back(line.substr(pos + 1));
        break;
      }
      field = std::string(line.substr(pos + 1, close - pos - 1));
      comma = line.find(',', close + 1);
    } else {
      comma = line.find(',', pos);
      field =
          std::string(line.substr(pos, comma == std::string_view::npos ? line.size() - pos : comma - pos));
    }
    fields.push_back(std::move(field));
    if (comma == std::string_view::npos) break;
    pos = comma + 1;
  }
  return fields;
}

bool BatchEditTables(const std::string& file, const std::string& tableFolder,
                     const std::string& shippedFolder) {
  std::string name;
  for (char c : file) {
    if (c != '"') name += c;
  }
  name = Trim(name);
  if (name.empty()) {
    MessageBoxText("Expected batch file name missing.");
    return false;
  }
  std::ifstream in;
  int openError = 0;
  if (std::filesystem::is_directory(name)) {
    openError = EISDIR;  // a folder opens as a stream of nothing on this system
  } else {
    in.open(name, std::ios::binary);
    if (!in) openError = errno ? errno : ENOENT;
  }
  if (openError != 0) {
    MessageBoxText(StringPrintf("Batch file open failed with error %d (%s: %s)", openError, name.c_str(),
                                std::strerror(openError)));
    return false;
  }

  bool ok = true;
  int lineNumber = 1;
  int linesAdded = 0;
  int declined = 0;
  std::string line;
  std::getline(in, line);  // the heading
  while (std::getline(in, line)) {
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (IsSkipped(line)) continue;

    std::vector<std::string> fields = SplitBatchFields(line);
    fields.resize(kBatchFields);
    bool endOk = false;
    bool startOk = false;
    DayNumber endDate = ParseDate(fields[kEndDate], endOk);
    DayNumber startDate = ParseDate(fields[kStartDate], startOk);
    int mode = ModeFromText(fields[kMode]);
    std::uint16_t days = DaysCode(ReadNumber(fields[kDays]));
    std::optional<double> rates[3] = {ReadRate(fields[kNormal]), ReadRate(fields[kMotivated]),
                                      ReadRate(fields[kRefund])};
    const char* error = nullptr;
    if (!startOk || !IsDate(startDate)) {
      error = "Invalid start date.";
    } else if (mode < 0) {
      error = "Invalid compound method.";
    } else if (days == 0) {
      error = "Invalid days per year.";
    } else if (fields[kName].empty()) {
      error = "Missing table name.";
    } else if (!IsPlainTableName(fields[kName])) {
      error = "Invalid table name: a table name is a file name in the table folder, without a folder.";
    } else if (!rates[0] || !rates[1] || !rates[2]) {
      error = "Invalid rate: the rates are numbers of percent, not negative (e.g. 7 or 8.25).";
    }
    if (error) {
      ShowLineError(name, lineNumber, error, line);
      ok = false;
      break;
    }

    const std::string& tableName = fields[kName];
    std::string path = JoinPath(tableFolder, tableName);
    auto table = std::make_unique<RateTable>();
    table->name = tableName;
    TableLoadStatus status = TableLoadStatus::NotFound;
    bool loaded = LoadTable(*table, path, true, &status);
    if (!loaded && status == TableLoadStatus::NotFound && !shippedFolder.empty()) {
      // A shipped table is read-only: the lines go to the user's copy of it.
      loaded = LoadTable(*table, JoinPath(shippedFolder, tableName), true, &status);
      table->name = tableName;
    }
    if (!loaded && status != TableLoadStatus::NotFound) {
      // Writing now would replace a table this version cannot read with a one-line table.
      if (status == TableLoadStatus::Damaged) {
        ShowLineError(name, lineNumber,
                      StringPrintf("The table %s cannot be read; it was left unchanged.", tableName.c_str()), line);
      }
      ok = false;
      break;
    }

    if (endOk && IsDate(endDate)) table->endDate = endDate;
    if (!fields[kDescription].empty()) table->description = fields[kDescription];
    if (!fields[kNotes].empty()) SetNotes(*table, DecodeNotes(fields[kNotes]));

    int used = UsedLineCount(*table);
    if (used >= kMaxRateLines) {
      ShowLineError(name, lineNumber,
                    StringPrintf("The table %s already has %d lines; no line can be added.", tableName.c_str(),
                                 kMaxRateLines),
                    line);
      ok = false;
      break;
    }
    RateLine added;
    added.start = startDate;
    added.mode = static_cast<std::uint16_t>(mode);
    added.normalRate = *rates[0];
    added.motivatedRate = *rates[1];
    added.refundRate = *rates[2];
    added.daysPerYear = days;

    if (HasLine(*table, added) &&
        MessageBoxText(StringPrintf("Duplicating entry in table %s.  Save anyway?", tableName.c_str()),
                       MessageKind::YesNo) != Answer::Yes) {
      ++declined;
      continue;
    }
    table->lines[used] = added;
    std::error_code folderError;
    std::filesystem::create_directories(tableFolder, folderError);  // a failure shows when saving
    if (!SaveTable(*table, path)) {
      ok = false;
      break;
    }
    ++linesAdded;
  }
  if (ok && in.bad()) {
    MessageBoxText(StringPrintf("%s: the file could not be read to its end after line %d.", name.c_str(),
                                lineNumber));
    ok = false;
  }
  // The closing message says what was done, and what was not.
  const std::string counts = Plural(linesAdded, "line") + " added; " + Plural(declined, "duplicate") + " not saved";
  if (ok) {
    MessageBoxText("Batch-mode edit done. " + counts + ".");
  } else {
    MessageBoxText(StringPrintf("Batch-mode edit stopped at line %d of %s: ", lineNumber, name.c_str()) +
                   counts + " before it; that line and the lines after it were not added.");
  }
  return ok;
}

}  // namespace zarvic
