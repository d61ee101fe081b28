#pragma once

#include <array>
#include <string>
#include <string_view>

namespace zarvic {

inline constexpr char kFieldMarker = '\xAD';
inline constexpr int kTemplateMaxLines = 100;
// Report code copies template lines into 120-character buffers; longer lines are cut on loading.
inline constexpr std::size_t kTemplateMaxLineLength = 119;

// A loaded ".DM" report template.
struct ReportTemplate {
  int count = 0;
  std::array<std::string, kTemplateMaxLines> lines;

  // Line index, or the empty text outside 0-99.
  const std::string& Line(int index) const;
};

// Splits template text: "/*...*/" comments removed first (they may span lines), CR before LF
// dropped, at most 100 lines kept, a last line without its line feed left out.
ReportTemplate ParseTemplate(std::string_view text);

// Reads the named template from the current folder, else from the program's folder. False after
// message 20027, followed by the template's name and the two folders looked in, when neither has it;
// the template is then empty and MissingTemplateCount goes up.
bool LoadTemplate(ReportTemplate& templ, const std::string& name);

// Templates not found since the program started: a report run compares it before and after, since a
// report without its template must not pass for a whole one.
int MissingTemplateCount();

inline const std::string& GetTemplateLine(const ReportTemplate& templ, int index) {
  return templ.Line(index);
}

}  // namespace zarvic
