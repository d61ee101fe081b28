#include "reports/ReportWriter.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "core/Paths.h"
#include "core/Text.h"
#include "core/UserInterface.h"
#include "problem/CTDoc.h"
#include "reports/ReportTemplate.h"

namespace zarvic {
namespace {

constexpr int kDiskMessage = 20051;  // "Unable to access disk"
constexpr int kReportFileNames = 50;
constexpr size_t kFlushBytes = 1 << 16;
constexpr char kPageHeaderTemplate[] = "GLHEAD.DM";

}  // namespace

std::string ReportDate(DayNumber d) {
  return FormatDate(d, false);
}

std::string BareAmount(Amount cents) {
  if (cents == 0.0) return {};
  return FormatAmount(cents, true, true, true);
}

std::string ReportAmount(Amount cents) {
  std::string text = FormatAmount(cents, true, true, true);
  // An amount that does not fit its column even shortened shows as asterisks, never as other digits
  // or run into the next column. A closing bracket may hang one column past it.
  const size_t width = !text.empty() && text.back() == '>' ? kAmountWidth + 1 : kAmountWidth;
  if (text.size() > width) return std::string(kAmountWidth, '*');
  RightJustify(text, kAmountWidth);
  return text;
}

void PutAt(std::string& line, size_t column, std::string_view text) {
  if (line.size() < column + text.size()) line.resize(column + text.size(), ' ');
  line.replace(column, text.size(), text);
}

ReportWriter::ReportWriter(CTDoc& d, const ReportOptions& o, ReportComputation& c)
    : doc(d), options(o), computation(c) {}

ReportWriter::~ReportWriter() {
  DeleteReportFile();
}

bool ReportWriter::OpenReportFile() {
  DeleteReportFile();
  for (int n = 0; n < kReportFileNames; ++n) {
    std::string path = TempPath("tmp" + std::to_string(n) + ".~tm");
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0) {
      fd_ = fd;
      reportPath_ = path;
      writeFailed_ = false;
      buffer_.clear();
      return true;
    }
    if (errno != EEXIST && errno != EACCES) break;
  }
  MessageBoxId(kDiskMessage);
  return false;
}

void ReportWriter::Flush() {
  if (fd_ < 0) {
    buffer_.clear();
    return;
  }
  size_t done = 0;
  while (done < buffer_.size() && !writeFailed_) {
    ssize_t n = ::write(fd_, buffer_.data() + done, buffer_.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      writeFailed_ = true;
      break;
    }
    done += static_cast<size_t>(n);
  }
  buffer_.clear();
}

bool ReportWriter::CloseReportFile() {
  if (fd_ >= 0) {
    Flush();
    if (::close(fd_) != 0) writeFailed_ = true;
    fd_ = -1;
  }
  return !writeFailed_;
}

void ReportWriter::DeleteReportFile() {
  if (fd_ >= 0) {
    ::close(fd_);
    fd_ = -1;
  }
  buffer_.clear();
  if (!reportPath_.empty()) {
    std::remove(reportPath_.c_str());
    reportPath_.clear();
  }
}

void ReportWriter::AppendLine(std::string_view text) {
  // A NUL inside a value would end the line early for every reader of the file.
  size_t nul = text.find('\0');
  if (nul != std::string_view::npos) text = text.substr(0, nul);
  // Names, headings and descriptions may come from files written elsewhere: a control character
  // among them must neither break the layout nor reach a terminal that shows the report.
  const size_t start = buffer_.size();
  buffer_.append(text);
  ReplaceControlCharacters(std::span<char>(buffer_).subspan(start));
  buffer_.push_back('\0');
  bytesWritten += static_cast<std::int64_t>(text.size()) + 1;
}

bool ReportWriter::WriteReportLine(std::string_view text, bool breakAllowed) {
  AppendLine(text);
  if (buffer_.size() >= kFlushBytes) Flush();
  lineOnPage += 1;

  if (lineOnPage < linesPerPage - 1 || !breakAllowed || inPageHeading_) return false;
  StartReportPage();
  // Heading lines are written with breaks allowed, but a heading taller than the page must not break
  // the page again and again.
  inPageHeading_ = true;
  if (!noPageHeader) WritePageHeaderLines();
  for (int i = 0; i < columnHeadingCount; ++i) {
    std::string heading = columnHeadings[static_cast<size_t>(i)].substr(0, kRuleLineWidth);
    FillTemplateLine(heading, 0, true);
  }
  inPageHeading_ = false;
  return true;
}

void ReportWriter::WriteBlankLine() {
  WriteReportLine(" ", true);
}

void ReportWriter::EndPage() {
  if (pageCount <= 0) return;
  int counted = lineOnPage;
  if (options.includeFooter) {
    while (++counted <= linesPerPage) {
      buffer_.append(" ");
      buffer_.push_back('\0');
      bytesWritten += 2;
    }
    AppendLine(doc.m_header.m_footer.View());
  }
  if (!noRuleLines) {
    buffer_.append(static_cast<size_t>(kRuleLineWidth), '*');
    buffer_.push_back('\0');
    bytesWritten += kRuleLineWidth + 1;
  }
  lineOnPage = counted;
}

void ReportWriter::StartReportPage() {
  EndPage();
  lineOnPage = 0;
  pageStart.push_back(bytesWritten);
  pageCount += 1;
  if (options.includeHeader) {
    bool saved = inPageHeading_;
    inPageHeading_ = true;
    for (const auto& heading : doc.m_header.m_headings) WriteReportLine(heading.View(), true);
    WriteReportLine(" ", true);
    inPageHeading_ = saved;
  }
}

int ReportWriter::WritePageHeaderLines() {
  // A missing page header is reported once per run, not at every page break.
  if (pageHeaderMissing_) return 0;
  ReportTemplate header;
  if (!LoadTemplate(header, kPageHeaderTemplate)) {
    pageHeaderMissing_ = true;
    return 0;
  }
  for (int i = 0; i < header.count; ++i) FillTemplateLine(header.lines[static_cast<size_t>(i)], -1, true);
  return header.count;
}

int ReportWriter::WritePageHeader() {
  return noPageHeader ? 0 : WritePageHeaderLines();
}

void ReportWriter::FinishReports() {
  EndPage();
  lineOnPage = 0;
}

void ReportWriter::SetColumnHeadings(const std::vector<std::string>& lines) {
  columnHeadingCount = 0;
  for (const auto& line : lines) {
    if (columnHeadingCount == kMaxColumnHeadings) break;
    columnHeadings[static_cast<size_t>(columnHeadingCount++)] = line;
  }
}

}  // namespace zarvic
