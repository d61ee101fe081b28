#pragma once

#include <string>

#include "reports/ReportSpreadsheet.h"

namespace zarvic {

// The folder of the export files: "Orlendt Software/Zarvic" under the data folder ("AppData"), made
// when missing. Empty, after the message "AppData directory not found." (or why the folder could not
// be made), when there is none.
std::string ExportFolder();
// "<folder>/temp<N><extension>" for the first N from 0 to 99 whose file does not exist or could be
// removed; empty when all hundred are in use.
std::string ExportFileName(const std::string& folder, const std::string& extension);

inline constexpr double kSheetColumnWidth = 14.0;
inline constexpr char kAmountFormat[] = "#,###.00_);(#,###.00)";
inline constexpr char kRateFormat[] = "0.00%";
inline constexpr char kSheetDateFormat[] = "mm-dd-yyyy";

// Writes the sheet as a workbook at path: numbers, dates and percentages as values with their
// formats, every used column 14 wide, the sheet named sheetName. The workbook is written beside path
// under another name and renamed when complete, so a failure leaves no file at path. False with
// error set when it could not be written.
bool WriteDetailWorkbook(const DetailSheet& sheet, const std::string& path, const std::string& sheetName,
                         std::string* error);

}  // namespace zarvic
