#include "problem/CsvFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <istream>
#include <limits>
#include <utility>

#include "core/Amounts.h"
#include "core/AppOptions.h"
#include "core/AtomicFile.h"
#include "core/FileExtension.h"
#include "core/Paths.h"
#include "core/Text.h"
#include "core/UserInterface.h"
#include "problem/EventTypes.h"

namespace zarvic {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view TrimLeft(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  return s;
}

std::string_view TrimRight(std::string_view s) {
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}


void ShowOpenFailure(int error) {
  MessageBoxText(StringPrintf(kCsvOpenFailed, error, std::strerror(error)));
}

// The next line without its line end (a carriage return before the line feed goes too); false at the
// end of the input. Only the first kCsvLongestLine bytes are kept; tooLong tells of the rest.
bool ReadLine(std::istream& in, std::string& line, bool& tooLong) {
  line.clear();
  tooLong = false;
  std::streambuf* buffer = in.rdbuf();
  if (!buffer) return false;
  bool any = false;
  for (;;) {
    int c = buffer->sbumpc();
    if (c == std::char_traits<char>::eof() || c == '\n') {
      any = any || c == '\n';
      break;
    }
    any = true;
    if (line.size() < kCsvLongestLine) {
      line.push_back(static_cast<char>(c));
    } else {
      tooLong = true;
    }
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return any;
}

}  // namespace

std::string CCSVLine::Parse(std::string_view line) {
  error_ = false;
  fields_.clear();
  if (line.empty()) return {};
  fields_.resize(static_cast<std::size_t>(std::count(line.begin(), line.end(), ',')) + 1);

  std::size_t next = 0;
  // A quoted field followed by more text before its comma yields more fields than there are slots;
  // those are dropped.
  auto store = [&](std::string_view field) {
    if (next < fields_.size()) fields_[next] = std::string(field);
    ++next;
  };
  std::string_view rest = TrimRight(line);
  while (!rest.empty()) {
    rest = TrimLeft(rest);
    if (rest.empty()) break;
    if (rest.front() == '"') {
      std::size_t close = rest.find('"', 1);
      if (close == std::string_view::npos) {
        error_ = true;
        return StringPrintf(kCsvMismatchedQuotes, std::string(line).c_str());
      }
      store(rest.substr(1, close - 1));
      rest = TrimLeft(rest.substr(close + 1));
      if (!rest.empty()) rest = TrimLeft(rest.substr(1));  // the separating comma
    } else {
      std::size_t comma = rest.find(',');
      if (comma == std::string_view::npos) {
        store(TrimRight(rest));
        rest = {};
      } else {
        store(rest.substr(0, comma));
        rest = TrimLeft(rest.substr(comma + 1));
      }
    }
  }
  return {};
}

std::string CCSVLine::FieldText(int n) const {
  if (n <= 0 || n > FieldCount()) return {};
  return fields_[static_cast<std::size_t>(n - 1)];
}

DayNumber CCSVLine::FieldDate(int n) const {
  std::string field = FieldText(n);
  if (field.empty() || field == "0" || field == "-1") return NO_DATE;
  return ParseDate(field);
}

double CCSVLine::FieldAmount(int n) const {
  if (n <= 0 || n > FieldCount()) return -1.0;
  std::optional<std::int32_t> cents = CsvCents(fields_[static_cast<std::size_t>(n - 1)]);
  return cents ? static_cast<double>(*cents) : -1.0;
}

// Worked on the decimal digits themselves: through a double, "0.29" dollars would come out as 28 cents.
std::optional<std::int32_t> CsvCents(std::string_view text) {
  std::string s;
  for (char c : text) {
    if (c != '$' && c != ',') s.push_back(c);
  }
  std::size_t i = 0;
  while (i < s.size() && (IsBlank(s[i]) || s[i] == '\n' || s[i] == '\r' || s[i] == '\v' || s[i] == '\f')) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';

  std::string digits;
  std::size_t wholeDigits = 0;
  while (i < s.size() && IsDigit(s[i])) {
    digits.push_back(s[i++]);
    ++wholeDigits;
  }
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && IsDigit(s[i])) digits.push_back(s[i++]);
  }
  if (digits.empty()) return 0;  // no number

  long exponent = 0;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    std::size_t j = i + 1;
    bool exponentNegative = false;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) exponentNegative = s[j++] == '-';
    while (j < s.size() && IsDigit(s[j])) {
      if (exponent < 100000) exponent = exponent * 10 + (s[j] - '0');
      ++j;
    }
    if (exponentNegative) exponent = -exponent;
  }

  // Whole cents are the digits up to two places past the decimal point; the rest is cut off.
  const long point = static_cast<long>(wholeDigits) + 2 + exponent;
  constexpr std::uint64_t kLargestMagnitude = std::uint64_t{1} << 31;  // -2^31 still fits
  std::uint64_t cents = 0;
  for (long k = 0; k < point; ++k) {
    int digit = k < static_cast<long>(digits.size()) ? digits[static_cast<std::size_t>(k)] - '0' : 0;
    cents = cents * 10 + static_cast<std::uint64_t>(digit);
    if (cents > kLargestMagnitude) return std::nullopt;
  }
  if (negative) return static_cast<std::int32_t>(-static_cast<std::int64_t>(cents));
  if (cents > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max())) return std::nullopt;
  return static_cast<std::int32_t>(cents);
}

std::string CsvExportLine(const CEvent& event) {
  return StringPrintf("%s,%s,%s,\"%s\"\r\n", std::string(CsvKeyword(event.m_type)).c_str(),
                      FormatDate(event.m_date, true).c_str(),
                      FormatAmount(event.m_amount, false, false, false).c_str(),
                      Windows1252ToUtf8(event.DescriptionText()).c_str());  // CSV files are UTF-8
}

bool ExportEventsToCsv(const CTDoc& problem, const std::string& problemPath) {
  if (!problem.m_events[0].HasDate()) {
    MessageBoxText(kCsvNoEvents);
    return false;
  }
  std::string proposal = "CSV";
  if (!problemPath.empty()) {
    proposal = FileNameOf(problemPath);
    SetExtension(proposal, ".CSV");
  }
  FileChoice choice;
  choice.save = true;
  choice.title = kCsvExportTitle;
  choice.initialPath = JoinPath(FolderOf(problemPath), proposal);
  choice.filter = kCsvExportFilter;
  choice.defaultExtension = "CSV";
  std::optional<std::string> chosen = ChooseFileName(choice);
  if (!chosen) return false;

  std::string text;
  for (const CEvent& event : problem.ListedEvents()) text += CsvExportLine(event);
  int error = 0;
  if (!WriteFileAtomically(*chosen, text, &error)) {
    ShowOpenFailure(error);
    return false;
  }
  return true;
}

int ImportCsvLines(CTDoc& problem, std::istream& in) {
  int slot = 0;
  std::string line;
  bool tooLong = false;
  while (slot < kMaxEvents && ReadLine(in, line, tooLong)) {
    if (line.empty()) continue;
    CCSVLine csv;
    if (tooLong) {
      line = line.substr(0, 80) + "...";
    } else {
      csv.Parse(line);
    }
    if (tooLong || csv.Error()) {
      MessageBoxText(StringPrintf(kCsvUnexpectedLine, line.c_str()));
      break;
    }
    std::optional<std::uint16_t> type = EventTypeFromCsvKeyword(csv.FieldText(1));
    DayNumber date = csv.FieldDate(2);
    double amount = csv.FieldAmount(3);
    double second = csv.FieldAmount(4);
    std::string description = Utf8ToWindows1252(csv.FieldText(5));
    if (!type || !IsDate(date) || amount < 0.0) continue;

    CEvent& event = problem.m_events[static_cast<std::size_t>(slot++)];
    event.m_type = *type;
    event.m_date = date;
    event.m_amount = amount;
    event.m_gattAmount = amount;
    if (*type == kEventIrsCheck && second >= 0.0 && amount >= second) event.m_gattAmount = second;
    if (!description.empty()) event.SetDescription(description.substr(0, kCsvDescriptionLength));
    problem.SetModified();
  }
  return slot;
}

std::optional<int> ImportEventsFromCsv(CTDoc& problem) {
  if (MessageBoxText(kCsvOverwriteQuestion, MessageKind::YesNo) != Answer::Yes) return std::nullopt;
  FileChoice choice;
  choice.save = false;
  choice.filter = kCsvImportFilter;
  choice.defaultExtension = "csv";
  std::optional<std::string> chosen = ChooseFileName(choice);
  if (!chosen) return std::nullopt;

  // Opened once to learn why it cannot be, which the stream would not tell; without blocking, so that
  // a FIFO cannot hang the program. Only regular files are read.
  int fd = ::open(chosen->c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    ShowOpenFailure(errno);
    return std::nullopt;
  }
  struct stat st {};
  int error = ::fstat(fd, &st) != 0  ? errno
              : S_ISDIR(st.st_mode)  ? EISDIR
              : !S_ISREG(st.st_mode) ? EINVAL
                                     : 0;
  ::close(fd);
  std::ifstream in;
  if (error == 0) {
    in.open(*chosen, std::ios::binary);
    if (!in) error = errno != 0 ? errno : EIO;
  }
  if (error != 0) {
    ShowOpenFailure(error);
    return std::nullopt;
  }
  int imported = ImportCsvLines(problem, in);
  CurrentUi().RefreshViews(&problem);
  return imported;
}

}  // namespace zarvic
