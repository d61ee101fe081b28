#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

namespace zarvic {

// One screenshot: the PNG's name and the function that builds the window to grab.
struct Shot {
  QString name;
  std::function<QWidget*()> build;
};

// help.png: the help window on the netting topic. The help pages are found beside the program.
void RegisterHelpShots(std::vector<Shot>& shots);

}  // namespace zarvic
