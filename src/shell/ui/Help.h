#pragma once

#include <QString>

class QWidget;

namespace zarvic {

// The program's help: HTML pages shipped in the help folder beside the program, shown in the help
// window under the topic names of the help menu ("::/html/ka_6cg.htm") or context numbers (99597).
void OpenHelpTopic(QWidget* parent, const QString& topic);
void OpenHelpContext(QWidget* parent, int context);
void OpenHelpIndex(QWidget* parent);

// The two manuals beside the program: "Zarvic-Users-Guide.pdf" and "ImportExport.pdf".
QString ManualPath(const QString& fileName);
bool ManualAvailable(const QString& fileName);  // exists and can be read
// Opens the manual through the launcher; a failure shows its message.
void OpenManual(const QString& fileName);

}  // namespace zarvic
