#pragma once

#include <QIcon>

#include "shell/MenuCommands.h"

namespace zarvic {

// The 42 x 42 images of the toolbar buttons, drawn rather than shipped, for screens of one and two
// device pixels per point; an empty icon for a command without a button.
QIcon ToolbarIcon(CommandId id);
// The program's own picture (the splash window and the About dialog), size points square, drawn for
// dpr device pixels per point.
QPixmap ProgramPicture(int size, qreal dpr = 1.0);
// The same picture as a window icon, for screens of one and two device pixels per point.
QIcon ProgramIcon(int size);

}  // namespace zarvic
