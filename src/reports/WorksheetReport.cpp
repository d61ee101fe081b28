#include "reports/WorksheetReport.h"

#include "core/Text.h"

namespace zarvic {

bool StartWorksheetReport(ReportWriter& w, const char* title, const char* templateName, ReportTemplate& templ) {
  w.reportTitle = title;
  w.StartReportPage();
  w.WritePageHeader();
  return LoadTemplate(templ, templateName);
}

std::string WorksheetAmount(Amount cents) {
  return FormatAmount(cents, true, true, true);
}

std::vector<std::string> WrappedLines(std::string_view text, size_t width) {
  std::vector<std::string> lines;
  std::string line;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(' ', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view word = text.substr(start, end - start);
    if (!word.empty()) {
      if (!line.empty() && line.size() + 1 + word.size() > width) {
        lines.push_back(line);
        line.clear();
      }
      if (!line.empty()) line += ' ';
      line += word;
    }
    start = end + 1;
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

void WriteNoteLines(ReportWriter& w, const std::string& line, const std::vector<std::string>& notes,
                    std::string& shown) {
  constexpr size_t kLineWidth = kRuleLineWidth;  // a report line, as wide as the rule line
  const size_t column = std::min(line.find(kFieldMarker), kLineWidth - 20);
  for (const std::string& note : notes) {
    for (const std::string& part : WrappedLines(note, kLineWidth - column)) {
      shown = part;
      w.FillTemplateLine(line, -1, true);
    }
  }
  shown.clear();
}

TemplateSection FindTemplateSection(const ReportTemplate& templ,
                                    const std::function<bool(int)>& isSectionLine) {
  TemplateSection s;
  s.first = templ.count;
  for (int i = 0; i < templ.count; ++i) {
    if (!isSectionLine(i)) continue;
    if (s.first == templ.count) s.first = i;
    s.last = i;
  }
  while (s.first > 0 && s.first < templ.count && Trim(templ.Line(s.first - 1)).empty()) --s.first;
  if (s.last < s.first) s.last = s.first - 1;
  return s;
}

void WriteTemplateSection(const TemplateSection& section, int pieces,
                          const std::function<bool(int)>& isPieceLine, const std::function<void(int)>& piece,
                          const std::function<void(int)>& write) {
  for (int i = section.first; i <= section.last;) {
    if (!isPieceLine(i)) {
      write(i++);
      continue;
    }
    int end = i;
    while (end <= section.last && isPieceLine(end)) ++end;
    for (int k = 0; k < pieces; ++k) {
      piece(k);
      for (int j = i; j < end; ++j) write(j);
    }
    piece(0);
    i = end;
  }
}

}  // namespace zarvic
