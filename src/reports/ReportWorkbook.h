#pragma once

#include <string>

#include "reports/ReportSpreadsheet.h"

namespace zarvic {

inline constexpr double kSheetColumnWidth = 14.0;
inline constexpr char kAmountFormat[] = "#,###.00_);(#,###.00)";
inline constexpr char kRateFormat[] = "0.00%";
inline constexpr char kSheetDateFormat[] = "mm-dd-yyyy";

// Writes the sheet as a workbook at path: numbers, dates and percentages as values with their
// formats, every used column 14 wide, the sheet named sheetName. The workbook replaces path whole
// (WriteFileAtomically), so a failure leaves the file that was there as it was. False with error set
// when it could not be written.
bool WriteDetailWorkbook(const DetailSheet& sheet, const std::string& path, const std::string& sheetName,
                         std::string* error);

}  // namespace zarvic
