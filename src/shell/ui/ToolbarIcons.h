#pragma once

#include <QIcon>

#include "shell/MenuCommands.h"

namespace zarvic {

// The 42 x 42 images of the toolbar buttons, drawn rather than shipped; an empty icon for a command
// without a button.
QIcon ToolbarIcon(CommandId id);
// The program's own picture (the splash window and the About dialog), size pixels square.
QPixmap ProgramPicture(int size);

}  // namespace zarvic
