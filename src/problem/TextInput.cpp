#include "problem/TextInput.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <memory>
#include <optional>

#include "core/Amounts.h"
#include "core/Dates.h"
#include "core/StringTable.h"
#include "core/Text.h"
#include "core/UserInterface.h"
#include "engine/SpecialRates.h"
#include "problem/CTDoc.h"
#include "problem/EventTypes.h"
#include "ratetables/TableFile.h"

namespace zarvic {
namespace {

// The hot interest dialog's messages for a restart date on or before 12-31-97.
constexpr int kRestartLetterTooEarlyId = 20052;
constexpr int kRestartApplicableTooEarlyId = 20053;

enum class Action {
  HotRestartLetter,
  HotLetter,
  HotRestartApplicable,
  HotApplicable,
  GattLetter,
  GattThreshold,
  TaxpayerName,
  TaxpayerId,
  Heading,
  Footer,
  ComputeDate,
  TableName,
};

struct Keyword {
  std::string_view text;  // compared without case against the start of the line
  Action action;
  int heading = 0;  // HEADER1-3: the line index
};

// After the event keywords "TAX", "PAY", "STO", "STA" and "IRS" (the text keywords of EventTypes,
// tried first in this order), in the order they are tried; the first match wins.
constexpr Keyword kKeywords[] = {
    {"HOT302", Action::HotRestartLetter},
    {"HOT 302", Action::HotRestartLetter},
    {"HOT30", Action::HotLetter},
    {"HOT 30", Action::HotLetter},
    {"HOTAPP2", Action::HotRestartApplicable},
    {"HOTAP", Action::HotApplicable},
    {"GATTP", Action::GattLetter},
    {"GATT", Action::GattThreshold},
    {"NAM", Action::TaxpayerName},
    {"ID", Action::TaxpayerId},
    {"HEADER1", Action::Heading, 0},
    {"HEADER2", Action::Heading, 1},
    {"HEADER3", Action::Heading, 2},
    {"FOOTER", Action::Footer},
    {"COM", Action::ComputeDate},
    {"TAB", Action::TableName},
};

constexpr int kNegativeNumbersId = 20034;

// "REP1" ... "REP7": the report index, or -1.
int ReportKeyword(std::string_view line) {
  if (line.size() < 4 || !StartsWithNoCase(line, "REP")) return -1;
  char n = line[3];
  return n >= '1' && n <= '7' ? n - '1' : -1;
}

const Keyword* FindKeyword(std::string_view line) {
  for (const Keyword& k : kKeywords) {
    if (StartsWithNoCase(line, k.text)) return &k;
  }
  return nullptr;
}

InputLineResult AppendEvent(CTDoc& problem, std::uint16_t type, std::string_view value) {
  std::optional<DayNumber> date = ReadInputDate(value);
  if (!date) return InputLineResult::Invalid;
  Amount amount = 0.0;
  Amount gattAmount = 0.0;
  if (type == kEventTax || type == kEventPayment || type == kEventIrsCheck) {
    std::size_t tab = value.find('\t');
    if (tab == std::string_view::npos) return InputLineResult::Invalid;
    std::string_view rest = value.substr(tab + 1);
    std::optional<Amount> read = ReadInputAmount(rest);
    if (!read) return InputLineResult::Invalid;
    amount = *read;
    gattAmount = amount;
    if (type == kEventIrsCheck) {
      // A second amount, when there is one, is the part of the check that reduces the GATT balance.
      std::size_t second = rest.find('\t');
      if (second != std::string_view::npos && second != 0 && !Trim(rest.substr(second + 1)).empty()) {
        read = ReadInputAmount(rest.substr(second + 1));
        if (!read) return InputLineResult::Invalid;
        gattAmount = *read;
      }
    }
    // The window refuses negative amounts in the event grid; a payment is undone by a Debit event.
    if (amount < 0.0 || gattAmount < 0.0) return InputLineResult::Negative;
  }
  int slot = problem.EventCount();
  if (slot >= kMaxEvents) return InputLineResult::NoRoom;
  CEvent& event = problem.m_events[slot];
  event.Clear();
  event.m_type = type;
  event.m_date = *date;
  event.m_amount = amount;
  event.m_gattAmount = gattAmount;
  return InputLineResult::Valid;
}

}  // namespace

std::optional<DayNumber> ReadInputDate(std::string_view value) {
  bool ok = false;
  DayNumber d = ParseDate(value, ok);
  if (!ok) return std::nullopt;
  return d;
}

std::optional<Amount> ReadInputAmount(std::string_view value) {
  std::optional<Amount> cents = ParseWellFormedAmount(value.substr(0, value.find('\t')));
  if (!cents || std::fabs(*cents) >= kAmountLimitCents) return std::nullopt;
  return cents;
}

bool TextLineReader::Open(const std::string& path) {
  path_ = path;
  content_.clear();
  position_ = 0;
  lineNumber_ = 0;
  error_ = 0;
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(std::fopen(path.c_str(), "rb"), &std::fclose);
  struct stat st {};
  if (!f || ::fstat(fileno(f.get()), &st) != 0) {
    error_ = errno ? errno : ENOENT;
    return false;
  }
  if (!S_ISREG(st.st_mode)) {
    error_ = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
    return false;
  }
  std::string content;
  char buffer[65536];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f.get())) > 0) content.append(buffer, n);
  if (std::ferror(f.get())) {
    error_ = errno ? errno : EIO;
    return false;
  }
  content_ = std::move(content);
  return true;
}

void TextLineReader::SetContent(std::string content) {
  path_.clear();
  content_ = std::move(content);
  position_ = 0;
  lineNumber_ = 0;
  error_ = 0;
}

std::string_view WithoutByteOrderMark(std::string_view text) {
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) text.remove_prefix(kByteOrderMark.size());
  return text;
}

std::string FirstKeywordLine(TextLineReader reader) {
  while (!reader.AtEnd()) {
    const std::string line = reader.ReadLine();
    const std::string_view text = reader.LineNumber() == 1 ? WithoutByteOrderMark(line) : line;
    if (!Trim(text).empty()) return std::string(text);
  }
  return {};
}

std::string TextLineReader::Where() const {
  return path_.empty() ? std::string() : StringPrintf("%s:%d: ", path_.c_str(), lineNumber_);
}

std::string TextLineReader::ReadLine() {
  if (AtEnd()) return {};
  ++lineNumber_;
  std::size_t end = content_.find_first_of("\r\n", position_);
  if (end == std::string::npos) end = content_.size();
  std::string line = content_.substr(position_, end - position_);
  position_ = end;
  if (position_ < content_.size()) {
    bool cr = content_[position_] == '\r';
    ++position_;
    if (cr && position_ < content_.size() && content_[position_] == '\n') ++position_;
  }
  return line;
}

bool BatchEntrySettings::AnyReport() const {
  return std::find(reports.begin(), reports.end(), true) != reports.end();
}

bool BatchEntrySettings::AnyHeading() const {
  return std::find(headingFlags.begin(), headingFlags.end(), true) != headingFlags.end();
}

InputLineResult ParseInputLine(CTDoc& problem, BatchEntrySettings& batch, std::string_view line) {
  if (int report = ReportKeyword(line); report >= 0) {
    batch.reports[report] = true;
    return InputLineResult::Valid;
  }
  std::size_t tab = line.find('\t');
  if (tab == std::string_view::npos) return InputLineResult::Invalid;
  std::string_view value = line.substr(tab + 1);

  if (std::optional<std::uint16_t> type = EventTypeFromTextLine(line))
    return AppendEvent(problem, *type, value);
  const Keyword* keyword = FindKeyword(line);
  if (!keyword) return InputLineResult::Invalid;

  ProblemHeader& h = problem.m_header;
  // The file is UTF-8; the problem keeps its texts in Windows-1252, one byte a character.
  const std::string text = Utf8ToWindows1252(value);
  const bool storable = FitsWindows1252(value);
  std::optional<DayNumber> date;
  switch (keyword->action) {
    case Action::HotRestartLetter:
    case Action::HotLetter:
    case Action::HotRestartApplicable:
    case Action::HotApplicable:
    case Action::GattLetter:
    case Action::ComputeDate:
      // A date that does not parse would switch a rule on without its date, or compute to today.
      date = ReadInputDate(value);
      if (!date) return InputLineResult::Invalid;
      break;
    default:
      break;
  }
  switch (keyword->action) {
    case Action::HotRestartLetter:
      if (!RestartDateAccepted(*date)) return InputLineResult::RestartLetterTooEarly;
      h.m_restartThirtyDayLetter = *date;
      h.m_hotStop = 1;
      break;
    case Action::HotLetter:
      h.m_thirtyDayLetter = *date;
      h.m_hotInterest = 1;
      break;
    case Action::HotRestartApplicable:
      if (!RestartDateAccepted(*date)) return InputLineResult::RestartApplicableTooEarly;
      h.m_restartApplicableDate = *date;
      h.m_hotStop = 1;
      break;
    case Action::HotApplicable:
      h.m_applicableDate = *date;
      h.m_hotInterest = 1;
      break;
    case Action::GattLetter:
      h.m_thirtyDayLetter = *date;
      h.m_cCorporation = 1;
      break;
    case Action::GattThreshold: {
      std::optional<Amount> threshold = ReadInputAmount(value);
      if (!threshold) return InputLineResult::Invalid;
      h.m_cCorporation = 1;
      h.m_gattThreshold = *threshold;
      break;
    }
    case Action::TaxpayerName:
      if (!storable) return InputLineResult::TextNotStorable;
      h.m_taxpayerName.SetText(text);
      break;
    case Action::TaxpayerId:
      if (!storable) return InputLineResult::TextNotStorable;
      h.m_taxpayerId.SetText(text);
      break;
    case Action::Heading:
      if (!storable) return InputLineResult::TextNotStorable;
      h.m_headings[keyword->heading].SetText(text);
      batch.headingFlags[keyword->heading] = true;
      batch.headings[keyword->heading] = text.substr(0, kBatchTextMax);
      break;
    case Action::Footer:
      if (!storable) return InputLineResult::TextNotStorable;
      h.m_footer.SetText(text);
      batch.footerFlag = true;
      batch.footer = text.substr(0, kBatchTextMax);
      break;
    case Action::ComputeDate:
      problem.m_computeDate = *date;
      h.m_computeDate = *date;
      break;
    case Action::TableName:
      // A file in the table folder, named whole: a folder, ".." or a cut name would not be found.
      if (!IsPlainTableName(std::string(value)) || value.size() > kTableNameMax) return InputLineResult::Invalid;
      problem.m_rateTable.name = std::string(value);
      break;
  }
  return InputLineResult::Valid;
}

std::string InvalidInputLineMessage(std::string_view line) {
  return "Error in text input file\nThe following line is invalid:\n\n" + std::string(line);
}

std::string NoRoomInputLineMessage(std::string_view line) {
  return StringPrintf(
             "Error in text input file\nA problem holds at most %d events; this line was not added:\n\n",
             kMaxEvents) +
         std::string(line);
}

std::string NegativeInputLineMessage(std::string_view line) {
  return "Error in text input file\n" + std::string(StringText(kNegativeNumbersId)) +
         " (A payment is reversed by a Debit event, entered in the window.)\n\n" + std::string(line);
}

int FillProblemFromInput(CTDoc& problem, BatchEntrySettings& batch, TextLineReader& reader) {
  batch = BatchEntrySettings{};
  int refused = 0;
  while (!reader.AtEnd()) {
    std::string line = reader.ReadLine();
    std::string message;
    switch (ParseInputLine(problem, batch, line)) {
      case InputLineResult::Valid:
        continue;
      case InputLineResult::Invalid:
        message = InvalidInputLineMessage(line);
        break;
      case InputLineResult::NoRoom:
        message = NoRoomInputLineMessage(line);
        break;
      case InputLineResult::Negative:
        message = NegativeInputLineMessage(line);
        break;
      case InputLineResult::RestartLetterTooEarly:
        message = StringText(kRestartLetterTooEarlyId);
        break;
      case InputLineResult::RestartApplicableTooEarly:
        message = StringText(kRestartApplicableTooEarlyId);
        break;
      case InputLineResult::TextNotStorable:
        message = "Error in text input file\n" + std::string(StringText(kTextDoesNotFitId)) + "\n\n" + line;
        break;
    }
    ++refused;
    MessageBoxText(reader.Where() + message);
  }
  problem.RecomputeTaxTotals();
  return refused;
}

}  // namespace zarvic
