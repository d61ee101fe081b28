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
#include "core/StringTable.h"
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

// A quote inside a quoted field is doubled.
std::string QuotedText(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  return out;
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
  quoted_.clear();
  parsed_ = 0;
  if (line.empty()) return {};
  fields_.resize(static_cast<std::size_t>(std::count(line.begin(), line.end(), ',')) + 1);
  quoted_.resize(fields_.size());

  std::size_t next = 0;
  // A quoted field followed by more text before its comma yields more fields than there are slots;
  // those are dropped.
  auto store = [&](std::string_view field, bool quoted = false) {
    if (next < fields_.size()) {
      fields_[next] = std::string(field);
      quoted_[next] = quoted;
      parsed_ = static_cast<int>(next) + 1;
    }
    ++next;
  };
  std::string_view rest = TrimRight(line);
  while (!rest.empty()) {
    rest = TrimLeft(rest);
    if (rest.empty()) break;
    if (rest.front() == '"') {
      // A doubled quote inside the quotes is one quote of the field, as the export writes it.
      std::string field;
      std::size_t at = 1;
      bool closed = false;
      while (!closed) {
        const std::size_t quote = rest.find('"', at);
        if (quote == std::string_view::npos) break;
        field.append(rest.substr(at, quote - at));
        closed = quote + 1 >= rest.size() || rest[quote + 1] != '"';
        if (!closed) field += '"';
        at = quote + (closed ? 1 : 2);
      }
      if (!closed) {
        error_ = true;
        return StringPrintf(kCsvMismatchedQuotes, std::string(line).c_str());
      }
      store(field, true);
      rest = TrimLeft(rest.substr(at));
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

bool CCSVLine::FieldQuoted(int n) const {
  return n > 0 && n <= FieldCount() && quoted_[static_cast<std::size_t>(n - 1)];
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
  std::string gattPart;
  if (event.m_type == kEventIrsCheck && event.m_gattAmount != event.m_amount)
    gattPart = FormatAmount(event.m_gattAmount, false, false, false) + ",";
  return StringPrintf("%s,%s,%s,%s\"%s\"\r\n", std::string(CsvKeyword(event.m_type)).c_str(),
                      FormatDate(event.m_date, true).c_str(),
                      FormatAmount(event.m_amount, false, false, false).c_str(), gattPart.c_str(),
                      QuotedText(Windows1252ToUtf8(event.DescriptionText())).c_str());  // CSV files are UTF-8
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

namespace {

// The description of a line and where it stands: the fourth field as the export writes it (quoted, or
// text that is no amount), else the fifth, after an IRS check's second amount, as older files have it.
struct CsvLineFields {
  std::string description;
  int secondAmountField = 4;
};
CsvLineFields DescriptionOf(const CCSVLine& csv) {
  if (csv.ParsedFieldCount() == 4) {
    std::string fourth = csv.FieldText(4);
    std::string figure = fourth;
    std::erase_if(figure, [](char c) { return c == '$' || c == ','; });
    if (csv.FieldQuoted(4) || (!fourth.empty() && !IsWellFormedAmount(figure))) return {fourth, 0};
  }
  return {csv.FieldText(5), 4};
}

// "5, 7, 12" for the first lines, "..." after them.
std::string LineList(const std::vector<int>& lines) {
  constexpr std::size_t kNamed = 10;
  std::string text;
  for (std::size_t i = 0; i < lines.size() && i < kNamed; ++i)
    text += (i ? ", " : "") + std::to_string(lines[i]);
  if (lines.size() > kNamed) text += ", ...";
  return text;
}

}  // namespace

std::optional<int> ImportCsvLines(CTDoc& problem, std::istream& in) {
  // The whole file is read before the problem changes, so that a refused file changes nothing.
  std::vector<CEvent> events;
  std::vector<int> passedOver;
  int lineNumber = 0;
  int firstLeftOut = 0;
  int leftOut = 0;
  std::string line;
  bool tooLong = false;
  while (ReadLine(in, line, tooLong)) {
    ++lineNumber;
    if (line.empty()) continue;
    if (static_cast<int>(events.size()) >= kMaxEvents) {
      if (leftOut++ == 0) firstLeftOut = lineNumber;
      continue;
    }
    CCSVLine csv;
    if (tooLong) {
      line = line.substr(0, 80) + "...";
    } else {
      csv.Parse(line);
    }
    if (tooLong || csv.Error()) {
      MessageBoxText(StringPrintf(kCsvUnexpectedLine, line.c_str()));
      return std::nullopt;
    }
    std::optional<std::uint16_t> type = EventTypeFromCsvKeyword(csv.FieldText(1));
    DayNumber date = csv.FieldDate(2);
    double amount = csv.FieldAmount(3);
    const CsvLineFields fields = DescriptionOf(csv);
    double second = fields.secondAmountField ? csv.FieldAmount(fields.secondAmountField) : -1.0;
    if (!type || !IsDate(date) || amount < 0.0) {
      passedOver.push_back(lineNumber);
      continue;
    }
    std::string description = Utf8ToWindows1252(fields.description);
    const char* refused = !FitsWindows1252(fields.description) ? "characters outside Windows-1252"
                          : description.size() > EventDescription::kMaxLength ? "more than 40 characters"
                                                                              : nullptr;
    if (refused) {
      MessageBoxText(StringPrintfDynamic(std::string(StringText(kCsvDescriptionRefusedId)).c_str(),
                                         lineNumber, refused));
      return std::nullopt;
    }
    CEvent& event = events.emplace_back();
    event.m_type = *type;
    event.m_date = date;
    event.m_amount = amount;
    event.m_gattAmount = amount;
    if (*type == kEventIrsCheck && second >= 0.0 && amount >= second) event.m_gattAmount = second;
    if (!description.empty()) event.SetDescription(description);
  }

  if (!events.empty()) {
    for (CEvent& slot : problem.m_events) slot.Clear();
    for (std::size_t i = 0; i < events.size(); ++i) problem.m_events[i] = std::move(events[i]);
    problem.SetModified();
  }
  if (leftOut > 0) {
    MessageBoxText(
        StringPrintfDynamic(std::string(StringText(kCsvTooManyEventsId)).c_str(), leftOut, firstLeftOut));
  }
  if (!passedOver.empty()) {
    MessageBoxText(StringPrintfDynamic(std::string(StringText(kCsvPassedOverId)).c_str(),
                                       static_cast<int>(passedOver.size()), LineList(passedOver).c_str()));
  }
  return static_cast<int>(events.size());
}

std::optional<int> ImportEventsFromCsv(CTDoc& problem) {
  if (MessageBoxId(kCsvReplaceQuestionId, MessageKind::YesNo) != Answer::Yes) return std::nullopt;
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
  std::optional<int> imported = ImportCsvLines(problem, in);
  CurrentUi().RefreshViews(&problem);
  return imported;
}

}  // namespace zarvic
