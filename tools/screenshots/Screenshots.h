#pragma once

#include <QString>
#include <QWidget>
#include <memory>

namespace zarvic::screenshots {

// Where a window's builder may put the files it fills the window from (a folder removed afterwards).
struct ShotContext {
  QString scratch;
};

// Builds a window and fills it; the tool sizes, shows and grabs it.
using ShotBuilder = std::unique_ptr<QWidget> (*)(const ShotContext& context);

struct Shot {
  const char* fileName;
  ShotBuilder build;
};

// One builder per window, each in the file of its program.
std::unique_ptr<QWidget> KbnRegistryShot(const ShotContext& context);

}  // namespace zarvic::screenshots
