#pragma once

#include <string>

#include "shell/MenuCommands.h"

class QPrinter;
class QWidget;

namespace zarvic {

class CTDoc;
struct ReportOptions;
struct ReportSettings;

// The report commands of a problem window and of the main window. parent is the window the dialogs
// open over.

// The compute results window's "&Report..." (and the payoff calculator's "Report..."): the Interest
// and Penalty Detail report in the report window.
void OpenDetailReport(QWidget* parent, CTDoc& doc);
// A worksheet window's "&Report...": the report of the worksheet kept with the problem
// (&ReportSettings::estimatedTaxPenalty or &ReportSettings::depositPenalty) in the report window.
void OpenWorksheetReport(QWidget* parent, CTDoc& doc, bool ReportSettings::*report);
// "&Report Selection...": the preview selection, then the chosen reports in the report window.
void OpenReportSelection(QWidget* parent, CTDoc& doc);
// "&Print..." and "Print Pre&view": the report selection for printing, then the print or the preview.
void PrintReports(QWidget* parent, CTDoc& doc, bool preview);
// "&Report Setup..." (problem nullptr) and "R&eport Setup..." of a problem window.
void ReportSetup(QWidget* parent, CTDoc* problem);
// "P&rint Setup...": the page of the report printer.
void PrintSetup(QWidget* parent);

// Runs the report run of options and shows it in the report window (or in print preview when it is
// too long for it); prints or previews afterwards when the window was closed for that.
void ShowReports(QWidget* parent, CTDoc& doc, const ReportOptions& options);
// Runs the report run for printing and prints it on the report printer, or shows it in print preview.
// Printing without a printer installed asks for the PDF file to write. False when nothing was printed.
bool PrintReportRun(QWidget* parent, CTDoc& doc, const ReportOptions& options, bool preview);

// The main window's report commands (Report Selection, Print, Print Preview, both Report Setups, Print
// Setup); problem is the active problem, nullptr when none is open.
void RunReportCommand(QWidget* parent, CommandId id, CTDoc* problem);

// The file of the problem shown in a problem window of the program; empty for one never saved (or
// not shown in a window).
std::string ProblemFileOf(const CTDoc& doc);

// The printer of the program run: the default printer, or a PDF printer of US Letter size.
QPrinter& ReportPrinter();

}  // namespace zarvic
