#include "reports/ReportWorkbook.h"

#include <unistd.h>
#include <xlsxwriter.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <system_error>
#include <tuple>

#include "core/AtomicFile.h"
#include "core/Paths.h"
#include "core/Text.h"
#include "core/UserInterface.h"

namespace zarvic {
namespace {

enum class Align { None, Left, Right };

struct CellStyle {
  const char* numberFormat = nullptr;
  Align align = Align::None;
  bool operator<(const CellStyle& other) const {
    return std::tie(numberFormat, align) < std::tie(other.numberFormat, other.align);
  }
};

// The formats of the sheet; rows count from 1, columns from 0 (A).
class SheetLayout {
 public:
  explicit SheetLayout(const DetailSheet& sheet) : sheet_(sheet) {
    for (const auto& row : sheet.rows) columns_ = std::max(columns_, static_cast<int>(row.size()));
    rows_ = static_cast<int>(sheet.rows.size());
  }
  int Columns() const { return columns_; }

  bool RateCell(int row, int column) const {
    return column == 3 && sheet_.firstInterestRow > 0 && row > sheet_.firstInterestRow &&
           row < sheet_.summaryRow;
  }

  bool AmountCell(int row, int column) const {
    if (columns_ > 4 && column >= 4 && row >= 6 && row < sheet_.summaryRow) return true;
    return sheet_.summaryRow > 0 && row > sheet_.summaryRow && row <= rows_ - 1;
  }

  Align Alignment(int row, int column) const {
    if (row == rows_ && column == 2) return Align::Left;
    if (column < 2 || column > 6) return Align::None;
    if (row <= 5) return Align::Right;
    if (sheet_.eventHeadingRow > 0 && (row == sheet_.eventHeadingRow || row == sheet_.eventHeadingRow + 1))
      return Align::Right;
    for (int title : sheet_.interestTitleRows) {
      if (row == title + 2) return Align::Right;
    }
    if (sheet_.summaryRow > 0 && row == sheet_.summaryRow + 1) return Align::Right;
    return Align::None;
  }

 private:
  const DetailSheet& sheet_;
  int columns_ = 0;
  int rows_ = 0;
};

class Formats {
 public:
  explicit Formats(lxw_workbook* workbook) : workbook_(workbook) {}
  lxw_format* Get(const CellStyle& style) {
    if (style.numberFormat == nullptr && style.align == Align::None) return nullptr;
    auto found = formats_.find(style);
    if (found != formats_.end()) return found->second;
    lxw_format* format = workbook_add_format(workbook_);
    if (style.numberFormat != nullptr) format_set_num_format(format, style.numberFormat);
    if (style.align == Align::Left) format_set_align(format, LXW_ALIGN_LEFT);
    if (style.align == Align::Right) format_set_align(format, LXW_ALIGN_RIGHT);
    formats_.emplace(style, format);
    return format;
  }

 private:
  lxw_workbook* workbook_;
  std::map<CellStyle, lxw_format*> formats_;
};

lxw_error WriteCell(lxw_worksheet* sheet, Formats& formats, const SheetLayout& layout, int row, int column,
                    const std::string& text) {
  const SheetValue value = ReadSheetCell(text);
  CellStyle style;
  style.align = layout.Alignment(row, column);
  const auto r = static_cast<lxw_row_t>(row - 1);
  const auto c = static_cast<lxw_col_t>(column);
  switch (value.kind) {
    case SheetValue::Kind::Blank:
      return style.align == Align::None ? LXW_NO_ERROR
                                        : worksheet_write_blank(sheet, r, c, formats.Get(style));
    case SheetValue::Kind::Number: {
      double number = value.number;
      if (layout.RateCell(row, column) && number != 0.0) {
        number /= 100.0;
        style.numberFormat = kRateFormat;
      } else if (layout.AmountCell(row, column)) {
        style.numberFormat = kAmountFormat;
      }
      return worksheet_write_number(sheet, r, c, number, formats.Get(style));
    }
    case SheetValue::Kind::Date: {
      style.numberFormat = kSheetDateFormat;
      lxw_datetime when{};
      when.year = 1900 + YearOf(value.date);
      when.month = MonthOf(value.date);
      when.day = DayOf(value.date);
      return worksheet_write_datetime(sheet, r, c, &when, formats.Get(style));
    }
    case SheetValue::Kind::Text:
      return worksheet_write_string(sheet, r, c, Windows1252ToUtf8(value.text).c_str(), formats.Get(style));
  }
  return LXW_NO_ERROR;
}

}  // namespace

bool WriteDetailWorkbook(const DetailSheet& sheet, const std::string& path, const std::string& sheetName,
                         std::string* error) {
  // libxlsxwriter writes only to a named file: a private one in TEMP, whose bytes then replace path
  // through the atomic writer, so that the file at path is the old one or the whole new one.
  static int serial = 0;
  const std::string scratch =
      TempPath(StringPrintf("zarvic-workbook-%ld-%d.xlsx", static_cast<long>(::getpid()), ++serial));
  struct Scratch {
    const std::string& path;
    ~Scratch() {
      std::error_code ec;
      std::filesystem::remove(path, ec);
    }
  } removeScratch{scratch};
  auto fail = [&](const std::string& why) {
    if (error != nullptr) *error = why;
    return false;
  };
  lxw_workbook* workbook = workbook_new(scratch.c_str());
  if (workbook == nullptr) return fail("the workbook could not be created");
  lxw_worksheet* worksheet = workbook_add_worksheet(workbook, sheetName.c_str());
  if (worksheet == nullptr) {
    workbook_close(workbook);
    return fail("the sheet name \"" + sheetName + "\" is not allowed");
  }
  Formats formats(workbook);
  SheetLayout layout(sheet);
  lxw_error status = LXW_NO_ERROR;
  for (size_t r = 0; r < sheet.rows.size() && status == LXW_NO_ERROR; ++r) {
    const auto& row = sheet.rows[r];
    for (size_t c = 0; c < row.size() && status == LXW_NO_ERROR; ++c)
      status = WriteCell(worksheet, formats, layout, static_cast<int>(r + 1), static_cast<int>(c), row[c]);
  }
  if (status == LXW_NO_ERROR && layout.Columns() > 0)
    status = worksheet_set_column(worksheet, 0, static_cast<lxw_col_t>(layout.Columns() - 1),
                                  kSheetColumnWidth, nullptr);
  const lxw_error closed = workbook_close(workbook);
  if (status == LXW_NO_ERROR) status = closed;
  if (status != LXW_NO_ERROR) return fail(lxw_strerror(status));
  std::ifstream in(scratch, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (!in.good() && !in.eof()) return fail(std::strerror(EIO));
  int code = 0;
  if (!WriteFileAtomically(path, bytes, &code)) return fail(std::strerror(code));
  return true;
}

}  // namespace zarvic
