#include "tools/screenshots/HelpShots.h"

#include <utility>

#include "shell/ui/Help.h"
#include "shell/ui/HelpWindow.h"

namespace zarvic {

void RegisterHelpShots(std::vector<Shot>& shots) {
  // A topic page, the page F1 opens in a penalty window, the index, and the user's guide as the help
  // window shows it when no PDF viewer is at hand.
  const std::pair<const char*, const char*> pages[] = {
      {"help.png", "html/ka_6cg.htm"},
      {"help-penalty-6651a1.png", "html/p6651a1.htm"},
      {"help-index.png", "html/ka_7_l.htm"},
      {"help-users-guide.png", "manuals/Zarvic-Users-Guide.htm"},
  };
  for (const auto& [name, page] : pages) {
    shots.push_back({QString::fromLatin1(name), [page = QString::fromLatin1(page)] {
                       auto* window = new HelpWindow(HelpFolder());
                       window->ShowPage(page);
                       window->resize(760, 620);
                       return static_cast<QWidget*>(window);
                     }});
  }
}

}  // namespace zarvic
