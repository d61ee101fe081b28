#pragma once

class QApplication;
class QDialog;

namespace zarvic {

// "Enter Key Acts as Tab Key": while the option is in force (SpecialCRActive), Enter in a dialog
// moves the focus to the next field instead of pressing the default button. Install once per
// application; installing again does nothing.
void InstallEnterAsTab(QApplication& app);

// A dialog where Enter keeps pressing the default button (the selection dialogs). Only that dialog:
// a dialog opened from it follows the option again. Message boxes and file dialogs are always exempt.
void ExemptFromEnterAsTab(QDialog* dialog);
bool IsExemptFromEnterAsTab(const QDialog* dialog);

}  // namespace zarvic
