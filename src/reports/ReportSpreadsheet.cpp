#include "reports/ReportSpreadsheet.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "core/Text.h"

namespace zarvic {
namespace {

bool IsDigit(char c) {
  return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

std::string Cell(std::string_view line, size_t from, size_t to) {
  if (from >= line.size() || to < from) return {};
  std::string text(line.substr(from, std::min(to, line.size() - 1) - from + 1));
  for (char& c : text) {
    if (c == '<') c = '(';
    if (c == '>') c = ')';
  }
  return Trim(text);
}

void AppendQuoted(std::string& out, std::string_view text) {
  out += '"';
  for (char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

std::string Repeat(std::string_view cell, int count, std::string_view separator) {
  std::string out;
  for (int i = 0; i < count; ++i) {
    if (i > 0) out += separator;
    out += cell;
  }
  return out + "\n";
}

const std::string kDashes = "--------------------";
const std::string kSixDashes = Repeat(kDashes, 6, ",");
const std::string kSevenDashes = Repeat(kDashes, 7, ",");
const std::string kClosingRule = Repeat("'==============", 6, ",");

constexpr std::array<const char*, 3> kInterestTitles = {
    "Interest Detail", "Interest on Motivated Deficiencies", "Interest on Penalties"};
constexpr char kSummaryTitle[] = "Summary as of";

bool Contains(std::string_view line, std::string_view text) {
  return line.find(text) != std::string_view::npos;
}

bool IsBlank(std::string_view line) {
  return line.find_first_not_of(' ') == std::string_view::npos;
}

// "Event Date" as the event list's heading (the interest sections have an "Event" column too).
bool IsEventDateHeading(std::string_view line) {
  size_t at = line.find("Event Date");
  return at != std::string_view::npos && at >= 65;
}

bool IsInterestTitle(std::string_view line) {
  return std::any_of(kInterestTitles.begin(), kInterestTitles.end(),
                     [&](const char* title) { return Contains(line, title); });
}

// The report lines without the page furniture; afterBreak marks the first line of a continued page.
struct ReportLine {
  std::string text;
  bool afterBreak = false;
};

std::vector<ReportLine> WithoutPageFurniture(const std::vector<std::string>& lines,
                                             const ReportPageDressing& dressing) {
  constexpr int kHeadingLines = 4;  // three heading lines and a blank
  std::vector<ReportLine> out;
  size_t i = 0;
  auto skipPageTop = [&](bool continued) {
    if (dressing.header) i = std::min(lines.size(), i + kHeadingLines);
    if (!continued) return;
    // The page header ends with the taxpayer ID line.
    for (size_t k = i; k < std::min(lines.size(), i + 4); ++k) {
      if (Contains(lines[k], "Taxpayer ID#....:")) {
        i = k + 1;
        break;
      }
    }
  };
  skipPageTop(false);
  size_t pageFirst = 0;  // index in out of the page's first line
  size_t pageStartLine = 0;
  bool afterBreak = false;
  for (; i < lines.size();) {
    const std::string& line = lines[i];
    if (Contains(line, "**********")) {
      if (dressing.footer && out.size() > pageFirst) {
        out.pop_back();  // the footer line
        // A page broken by its length ends with one filler line before the footer.
        const size_t beforeFooter = i - pageStartLine - 1;
        if (static_cast<int>(beforeFooter) == dressing.linesPerPage && out.size() > pageFirst &&
            IsBlank(out.back().text))
          out.pop_back();
      }
      ++i;
      pageStartLine = i;
      skipPageTop(true);
      pageFirst = out.size();
      afterBreak = true;
      continue;
    }
    out.push_back({line, afterBreak});
    afterBreak = false;
    ++i;
  }
  return out;
}

class DetailWalk {
 public:
  DetailWalk(std::vector<ReportLine> lines, DetailSheet& sheet, std::vector<std::string>& unexpected)
      : lines_(std::move(lines)), sheet_(sheet), unexpected_(unexpected) {}

  bool Run() {
    if (!Header()) return false;
    // The event list, up to and including its first blank line; the first cell takes the whole
    // description, up to the date column.
    section_ = Section::Events;
    for (;;) {
      const ReportLine* line = Next();
      if (line == nullptr) return false;
      Emit("1-41,,,42-49D,50-64,65-80\n", line->text);
      if (IsBlank(line->text)) break;
    }
    // The event list's headings stay in force (repeated after a page break) through its closing lines.
    const ReportLine* balance = Next();
    const ReportLine* rule = balance ? Next() : nullptr;
    const ReportLine* note = rule ? Next() : nullptr;
    section_ = Section::None;
    if (note == nullptr) return false;
    Emit("1-25,,,42-49D,,65-80\n", balance->text);
    Emit(kSixDashes, rule->text);
    Emit("0\n", note->text);

    for (;;) {
      const ReportLine* title = NextTitle();
      if (title == nullptr) return false;
      if (Contains(title->text, kSummaryTitle)) return Summary(*title);
      if (!InterestSection(*title)) return false;
    }
  }

 private:
  enum class Section { None, Events, Interest };

  // The next report line; after a page break within the event list or an interest section the
  // repeated column headings are passed over.
  const ReportLine* Next() {
    if (at_ >= lines_.size()) return nullptr;
    if (lines_[at_].afterBreak) {
      const std::vector<std::string>& headings = section_ == Section::Events     ? eventHeadings_
                                                 : section_ == Section::Interest ? interestHeadings_
                                                                                 : none_;
      for (const auto& heading : headings) {
        if (at_ < lines_.size() && lines_[at_].text == heading) ++at_;
      }
      if (at_ >= lines_.size()) return nullptr;
    }
    return &lines_[at_++];
  }

  const ReportLine* Expect(std::string_view text) {
    const ReportLine* line = Next();
    return line != nullptr && Contains(line->text, text) ? line : nullptr;
  }

  // Between sections: the next interest section's title or the summary title; the end of the text
  // ends the walk.
  const ReportLine* NextTitle() {
    section_ = Section::None;
    while (const ReportLine* line = Next()) {
      if (IsInterestTitle(line->text) || Contains(line->text, kSummaryTitle)) return line;
    }
    return nullptr;
  }

  bool Header() {
    // The first page may open with the problem's heading lines; the report title follows them.
    const ReportLine* title = nullptr;
    while (at_ < lines_.size() && at_ < 5) {
      const ReportLine* line = Next();
      if (Contains(line->text, "INTEREST AND PENALTY DETAIL REPORT")) {
        title = line;
        break;
      }
    }
    if (title == nullptr) return false;
    Emit("1-34,,,,,52-79\n", title->text);
    const ReportLine* line = Expect("Taxpayer name...:");
    if (line == nullptr) return false;
    Emit("1-17,,18-62,,63-69,71-79D\n", line->text);
    if ((line = Expect("Taxpayer ID#....:")) == nullptr) return false;
    Emit("1-17,,18-72,,,73-79\n", line->text);
    if ((line = Expect("Event Date")) == nullptr || !IsEventDateHeading(line->text)) return false;
    sheet_.eventHeadingRow = Emit(",,,,,69-79\n", line->text);
    eventHeadings_.push_back(line->text);
    if ((line = Expect("Balance (1)")) == nullptr) return false;
    Emit("1-6,,,44-47,58-63,68-79\n", line->text);
    eventHeadings_.push_back(line->text);
    if ((line = Expect("-----------")) == nullptr) return false;
    Emit(kSixDashes, line->text);
    eventHeadings_.push_back(line->text);
    return true;
  }

  bool InterestSection(const ReportLine& title) {
    const int row = Emit("1-40\n", title.text);
    if (sheet_.firstInterestRow == 0) sheet_.firstInterestRow = row;
    sheet_.interestTitleRows.push_back(row);
    interestHeadings_ = {title.text};
    const ReportLine* rule = Next();
    const ReportLine* columns = rule ? Next() : nullptr;
    const ReportLine* rule2 = columns ? Next() : nullptr;
    if (rule2 == nullptr) return false;
    Emit(kSevenDashes, rule->text);
    Emit("1-5,,24-27,32-35,46-49,56-63,72-79\n", columns->text);
    Emit(kSevenDashes, rule2->text);
    interestHeadings_.insert(interestHeadings_.end(), {rule->text, columns->text, rule2->text});
    section_ = Section::Interest;
    bool previousBlank = false;
    while (const ReportLine* line = Next()) {
      if (Contains(line->text, "GATT Starts"))
        Emit("1-11,,13-20D,,28-49,,50-80\n", line->text);
      else
        Emit("1-21,,22-29D,30-35,36-50,51-64,65-80\n", line->text);
      const bool blank = IsBlank(line->text);
      if (blank && previousBlank) return true;
      previousBlank = blank;
    }
    return false;
  }

  bool Summary(const ReportLine& title) {
    sheet_.summaryRow =
        Emit(kDashes + "," + kDashes + ",31-44,45-52D," + kDashes + "," + kDashes + "\n", title.text);
    const ReportLine* headings = Next();
    if (headings == nullptr) return false;
    Emit(",,28-33,41-48,56-63,72-78\n", headings->text);
    for (;;) {
      const ReportLine* line = Next();
      if (line == nullptr) return false;
      if (Contains(line->text, "----------")) {
        Emit(kSixDashes, line->text);
        break;
      }
      Emit("1-20,,21-34,35-49,50-63,64-79\n", line->text);
    }
    const ReportLine* total = Next();
    if (total == nullptr) return false;
    Emit("1-20,,21-34,35-49,50-63,64-79\n", total->text);
    static const std::array<std::string, 4> kClosing = {kClosingRule, "0\n", "1-16,,17-30,31-79\n",
                                                        "1-16,,17-24D,31-79\n"};
    for (const auto& layout : kClosing) {
      const ReportLine* line = Next();
      if (line == nullptr) return false;
      Emit(layout, line->text);
    }
    return true;
  }

  int Emit(std::string_view layout, std::string_view line) {
    std::string row = ApplyColumnLayout(layout, line, &unexpected_);
    sheet_.csv += row;
    auto rows = SplitCsvRows(row);
    sheet_.rows.push_back(rows.empty() ? std::vector<std::string>{} : rows.front());
    return static_cast<int>(sheet_.rows.size());
  }

  std::vector<ReportLine> lines_;
  size_t at_ = 0;
  DetailSheet& sheet_;
  std::vector<std::string>& unexpected_;
  Section section_ = Section::None;
  std::vector<std::string> eventHeadings_;
  std::vector<std::string> interestHeadings_;
  const std::vector<std::string> none_;
};

// Digits with optional thousands commas and an optional fraction.
bool ParseNumber(std::string_view text, double& value) {
  if (text.empty()) return false;
  std::string digits;
  bool seenPoint = false;
  bool anyDigit = false;
  int groupDigits = -1;  // digits since the last comma; -1 before the first comma
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (IsDigit(c)) {
      anyDigit = true;
      digits += c;
      if (groupDigits >= 0 && !seenPoint) ++groupDigits;
    } else if (c == ',' && !seenPoint && anyDigit) {
      if (groupDigits >= 0 && groupDigits != 3) return false;
      groupDigits = 0;
    } else if (c == '.' && !seenPoint) {
      if (groupDigits >= 0 && groupDigits != 3) return false;
      seenPoint = true;
      digits += c;
    } else {
      return false;
    }
  }
  if (!anyDigit || (groupDigits >= 0 && !seenPoint && groupDigits != 3)) return false;
  value = std::stod(digits);
  return true;
}

}  // namespace

std::string ApplyColumnLayout(std::string_view layout, std::string_view line,
                              std::vector<std::string>* unexpected) {
  std::string out;
  if (!layout.empty() && layout[0] == '0' &&
      (layout.size() == 1 || (!IsDigit(layout[1]) && layout[1] != '-'))) {
    AppendQuoted(out, line.size() > 1 ? line.substr(1) : std::string_view());
    return out + "\n";
  }
  size_t i = 0;
  auto readNumber = [&](size_t& value) {
    size_t start = i;
    value = 0;
    while (i < layout.size() && IsDigit(layout[i]))
      value = value * 10 + static_cast<size_t>(layout[i++] - '0');
    return i > start;
  };
  while (i < layout.size()) {
    char c = layout[i];
    if (c == ',' || c == '\n' || c == '-' || c == '=' || c == '\'') {
      out += c;
      ++i;
      continue;
    }
    if (IsDigit(c)) {
      size_t from = 0;
      size_t to = 0;
      readNumber(from);
      if (i < layout.size() && layout[i] == '-') {
        ++i;
        if (!readNumber(to)) to = from;
      } else {
        to = from;
      }
      std::string text = Cell(line, from, to);
      if (i < layout.size() && layout[i] == 'D') {
        ++i;
        bool ok = false;
        DayNumber date = ParseDate(text, ok);
        if (ok && IsDate(date)) text = FormatDate(date, true);
      } else if (i < layout.size() && layout[i] == '+') {
        size_t end = layout.find_first_of(",\n", ++i);
        if (end == std::string_view::npos) end = layout.size();
        text += layout.substr(i, end - i);
        i = end;
      }
      AppendQuoted(out, text);
      continue;
    }
    if (unexpected != nullptr) unexpected->push_back(StringPrintf("Unexpected character %c in template!", c));
    ++i;
  }
  return out;
}

std::vector<std::vector<std::string>> SplitCsvRows(std::string_view csv) {
  std::vector<std::vector<std::string>> rows;
  std::vector<std::string> row;
  std::string cell;
  bool quoted = false;
  bool any = false;
  for (size_t i = 0; i < csv.size(); ++i) {
    char c = csv[i];
    if (quoted) {
      if (c == '"') {
        if (i + 1 < csv.size() && csv[i + 1] == '"') {
          cell += '"';
          ++i;
        } else {
          quoted = false;
        }
      } else {
        cell += c;
      }
      continue;
    }
    any = true;
    if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      row.push_back(std::move(cell));
      cell.clear();
    } else if (c == '\n') {
      row.push_back(std::move(cell));
      cell.clear();
      rows.push_back(std::move(row));
      row.clear();
      any = false;
    } else {
      cell += c;
    }
  }
  if (any || !cell.empty()) {
    row.push_back(std::move(cell));
    rows.push_back(std::move(row));
  }
  return rows;
}

std::optional<DetailSheet> ConvertDetailReport(const std::vector<std::string>& windowLines,
                                               const ReportPageDressing& dressing, std::string* error) {
  DetailSheet sheet;
  std::vector<std::string> unexpected;
  DetailWalk walk(WithoutPageFurniture(windowLines, dressing), sheet, unexpected);
  const bool done = walk.Run();
  if (!done || !unexpected.empty()) {
    if (error != nullptr) {
      std::string text;
      for (const auto& message : unexpected) text += message + "\n";
      *error = done ? text : std::string(kOnlyDetailExports);
    }
    return std::nullopt;
  }
  return sheet;
}

SheetValue ReadSheetCell(std::string_view cell) {
  SheetValue value;
  if (cell.empty()) return value;
  if (cell.front() == '\'') {
    value.kind = SheetValue::Kind::Text;
    value.text = std::string(cell.substr(1));
    return value;
  }
  bool negative = false;
  std::string_view body = cell;
  if (body.size() >= 2 && body.front() == '(' && body.back() == ')') {
    negative = true;
    body = body.substr(1, body.size() - 2);
  } else if (body.front() == '-') {
    negative = true;
    body.remove_prefix(1);
  }
  double number = 0.0;
  if (ParseNumber(body, number)) {
    value.kind = SheetValue::Kind::Number;
    value.number = negative ? -number : number;
    return value;
  }
  // MM-DD-YYYY, as the date columns are written.
  if (cell.size() == 10 && cell[2] == '-' && cell[5] == '-' &&
      std::all_of(cell.begin(), cell.end(), [](char c) { return IsDigit(c) || c == '-'; })) {
    bool ok = false;
    DayNumber date = ParseDate(cell, ok);
    if (ok && IsDate(date)) {
      value.kind = SheetValue::Kind::Date;
      value.date = date;
      return value;
    }
  }
  value.kind = SheetValue::Kind::Text;
  value.text = std::string(cell);
  return value;
}

}  // namespace zarvic
