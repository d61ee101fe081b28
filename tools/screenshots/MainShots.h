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

// main-empty.png, main-problem.png and about.png.
void RegisterMainShots(std::vector<Shot>& shots);

}  // namespace zarvic
