#pragma once

class QApplication;

namespace zarvic {

// When a modal window (a dialog, a message box) closes, the focus goes back to the field it was opened
// from, even when the dialog had no parent window or the opener's window was not the one the desktop
// activates next. Code that moves the focus after the dialog has returned still has the last word.
void InstallFocusReturn(QApplication& app);

}  // namespace zarvic
