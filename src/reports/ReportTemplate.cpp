#include "reports/ReportTemplate.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/Paths.h"
#include "core/StringTable.h"
#include "core/Text.h"
#include "core/UserInterface.h"

namespace zarvic {
namespace {

constexpr int kTemplateMissingMessage = 20027;

int& MissingTemplates() {
  static int count = 0;
  return count;
}

std::string CurrentFolder() {
  std::error_code ec;
  std::string folder = std::filesystem::current_path(ec).string();
  return ec ? std::string(".") : folder;
}

bool ReadWholeFile(const std::string& path, std::string& bytes) {
  if (!FileExists(path)) return false;  // a folder of that name is no template
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

}  // namespace

const std::string& ReportTemplate::Line(int index) const {
  static const std::string empty;
  if (index < 0 || index >= kTemplateMaxLines) return empty;
  return lines[static_cast<size_t>(index)];
}

ReportTemplate ParseTemplate(std::string_view text) {
  // Comments go first, so that a comment spanning lines takes its line feeds with it. An unclosed
  // comment runs to the end of the file.
  std::string body;
  body.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    if (text.compare(i, 2, "/*") == 0) {
      size_t end = text.find("*/", i + 2);
      if (end == std::string_view::npos) break;
      i = end + 2;
      continue;
    }
    body += text[i++];
  }

  ReportTemplate templ;
  size_t start = 0;
  while (templ.count < kTemplateMaxLines) {
    size_t feed = body.find('\n', start);
    if (feed == std::string::npos) break;  // an unterminated last line is not part of the template
    std::string line = body.substr(start, feed - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() > kTemplateMaxLineLength) line.resize(kTemplateMaxLineLength);
    templ.lines[static_cast<size_t>(templ.count++)] = std::move(line);
    start = feed + 1;
  }
  return templ;
}

bool LoadTemplate(ReportTemplate& templ, const std::string& name) {
  templ = ReportTemplate{};
  std::string bytes;
  if (!ReadWholeFile(name, bytes) && !ReadWholeFile(JoinPath(ProgramFolder(), name), bytes)) {
    ++MissingTemplates();
    MessageBoxText(std::string(StringText(kTemplateMissingMessage)) +
                   StringPrintf("\n\nThe template %s was looked for in %s and in %s.", name.c_str(),
                                CurrentFolder().c_str(), ProgramFolder().c_str()));
    return false;
  }
  templ = ParseTemplate(bytes);
  return true;
}

int MissingTemplateCount() {
  return MissingTemplates();
}

}  // namespace zarvic
