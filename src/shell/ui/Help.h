#pragma once

#include <QString>
#include <string_view>

class QCoreApplication;
class QWidget;

namespace zarvic {

class HelpWindow;

// The program's help: HTML pages shipped in the help folder beside the program, shown in the help
// window under the topic names of the help menu ("::/html/ka_6cg.htm") or context numbers (99597).
// When the page cannot be read, the person is told that no help was found.
void OpenHelpTopic(QWidget* parent, const QString& topic);
void OpenHelpContext(QWidget* parent, int context);  // an unknown number shows nothing
void OpenHelpIndex(QWidget* parent);

// F1: the page of the focused control, else of the nearest widget around it that names one (its
// window); where none does, F1 goes on to the main window's "Index". Installing it again does nothing.
void SetHelpTopic(QWidget* widget, std::string_view topic);
QString HelpTopicOf(const QWidget* widget);  // the topic F1 opens from widget; empty: none
void InstallHelpKey(QCoreApplication& app);

QString HelpFolder();  // "<program folder>/help"
// The help window while it is open (one for the program; every request reuses it), else nullptr.
HelpWindow* ShownHelpWindow();

// The two manuals beside the program: "Zarvic-Users-Guide.pdf" and "ImportExport.pdf".
inline constexpr char kUsersGuideManual[] = "Zarvic-Users-Guide.pdf";
inline constexpr char kImportExportManual[] = "ImportExport.pdf";
QString ManualPath(const QString& fileName);
// The same guide as a page of the help folder ("manuals/Zarvic-Users-Guide.htm").
QString ManualHelpPage(const QString& fileName);
bool ManualAvailable(const QString& fileName);  // the PDF or its help page exists and can be read
// Opens the PDF with the desktop's viewer; when none takes it, the guide's page in the help window;
// when that is missing too, a message says why the PDF could not be shown.
void OpenManual(const QString& fileName);

}  // namespace zarvic
