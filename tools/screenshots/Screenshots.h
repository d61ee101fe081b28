#pragma once

#include <QCoreApplication>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "problem/CTDoc.h"

namespace zarvic {

// A window whose builder keeps its own ownership (a main frame owned by its application object, a
// help window) or hands it over to the tool, which then just leaves it to the end of the run.
struct Shot {
  QString name;
  std::function<QWidget*()> build;
};

// Keeps a problem a shot's window works on until the QApplication ends, which releases it.
inline CTDoc& KeepProblem(std::unique_ptr<CTDoc> doc) {
  static std::vector<std::unique_ptr<CTDoc>> problems;
  static const bool cleared = [] {
    qAddPostRoutine([] { problems.clear(); });
    return true;
  }();
  (void)cleared;
  problems.push_back(std::move(doc));
  return *problems.back();
}

}  // namespace zarvic

namespace zarvic::screenshots {

// Where a window's builder may put the files it fills the window from (a folder removed afterwards).
struct ShotContext {
  QString scratch;
};

// Builds a window and fills it; the tool sizes, shows and grabs it.
using ShotBuilder = std::unique_ptr<QWidget> (*)(const ShotContext& context);

struct ContextShot {
  const char* fileName;
  ShotBuilder build;
};

// One builder per window, each in the file of its program.
std::unique_ptr<QWidget> KbnRegistryShot(const ShotContext& context);

}  // namespace zarvic::screenshots
