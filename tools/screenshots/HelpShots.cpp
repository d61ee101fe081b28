#include "tools/screenshots/HelpShots.h"

#include "shell/ui/Help.h"
#include "shell/ui/HelpWindow.h"

namespace zarvic {

void RegisterHelpShots(std::vector<Shot>& shots) {
  shots.push_back({QStringLiteral("help.png"), [] {
                     auto* window = new HelpWindow(HelpFolder());
                     window->ShowPage(QStringLiteral("html/ka_6cg.htm"));
                     window->resize(760, 620);
                     return static_cast<QWidget*>(window);
                   }});
}

}  // namespace zarvic
