#pragma once

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "core/Amounts.h"
#include "reports/ReportTemplate.h"
#include "reports/ReportWriter.h"

namespace zarvic {

// What the reports of worksheets (figured outside the problem's events) have in common: their own
// template keywords, each of four letters after the field marker, sections of template lines written
// once for each item, and notes wrapped to the report's width.

inline constexpr std::size_t kWorksheetKeywordLength = 4;

// A keyword of a worksheet's template and the field it stands for.
template <typename Field>
struct WorksheetKeyword {
  std::string_view text;
  Field field;
};

// The keyword the text after a field marker begins with; nullptr when it is none of keywords.
template <typename Keywords>
auto MatchWorksheetKeyword(std::string_view after, const Keywords& keywords)
    -> decltype(&*std::begin(keywords)) {
  for (const auto& k : keywords) {
    if (after.substr(0, k.text.size()) == k.text) return &k;
  }
  return nullptr;
}

// The fields of a template line that are the worksheet's, in order.
template <typename Keywords>
auto WorksheetFieldsOf(const std::string& line, const Keywords& keywords) {
  std::vector<decltype(std::begin(keywords)->field)> fields;
  for (size_t m = line.find(kFieldMarker); m != std::string::npos; m = line.find(kFieldMarker, m + 1)) {
    if (const auto* k = MatchWorksheetKeyword(std::string_view(line).substr(m + 1), keywords))
      fields.push_back(k->field);
  }
  return fields;
}

template <typename Field>
bool HoldsAnyField(const std::vector<Field>& fields, std::initializer_list<Field> any) {
  return std::any_of(fields.begin(), fields.end(),
                     [&](Field f) { return std::find(any.begin(), any.end(), f) != any.end(); });
}

// Opens a worksheet's report: its title in the page header, the first page begun, its template read.
// False when the template is missing (after message 20027).
bool StartWorksheetReport(ReportWriter& w, const char* title, const char* templateName, ReportTemplate& templ);

// An amount as a worksheet's heading shows it: grouped, bracketed when negative, "0.00" for nothing.
std::string WorksheetAmount(Amount cents);

// The words of text in lines of at most width characters (a longer word stands alone, whole).
std::vector<std::string> WrappedLines(std::string_view text, size_t width);

// Writes the template line of a note once for each line of each of notes, wrapped to the report's
// width from the column of its field; nothing when there are no notes. shown is what the note's field
// shows while each line is written (cleared after).
void WriteNoteLines(ReportWriter& w, const std::string& line, const std::vector<std::string>& notes,
                    std::string& shown);

// The lines of a template section written once for each item: from the first line that is the
// section's, with the blank lines just before it, through the last line that is the section's. last is
// first - 1 when there is none (first is then the number of lines).
struct TemplateSection {
  int first = 0;
  int last = -1;
};
TemplateSection FindTemplateSection(const ReportTemplate& templ,
                                    const std::function<bool(int)>& isSectionLine);

// Writes the lines of one item's section: each run of lines for which isPieceLine holds once for each
// of the item's pieces (piece(k) told before the k-th pass), the other lines once.
void WriteTemplateSection(const TemplateSection& section, int pieces,
                          const std::function<bool(int)>& isPieceLine, const std::function<void(int)>& piece,
                          const std::function<void(int)>& write);

}  // namespace zarvic
