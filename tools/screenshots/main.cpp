// Renders every window into OUTDIR/<name>.png (scripts/screenshots runs it under the offscreen
// platform), so a reviewer can look at the program without a desktop.

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTemporaryDir>
#include <clocale>
#include <cstdio>

#include "core/UserInterface.h"
#include "tools/screenshots/ComputeShots.h"
#include "tools/screenshots/GridShots.h"
#include "tools/screenshots/HelpShots.h"
#include "tools/screenshots/MainShots.h"
#include "tools/screenshots/ReportShots.h"
#include "tools/screenshots/PenaltyShots.h"
#include "tools/screenshots/Screenshots.h"
#include "tools/screenshots/TableShots.h"
#include "tools/screenshots/WorksheetShots.h"

namespace zarvic::screenshots {
namespace {

// Add a window here: its file name and the function that builds and fills it.
const ContextShot kShots[] = {
    {"kbnregistry.png", &KbnRegistryShot},
};

}  // namespace
}  // namespace zarvic::screenshots

int main(int argc, char** argv) {
  using namespace zarvic::screenshots;
  QApplication app(argc, argv);
  std::setlocale(LC_NUMERIC, "C");
  if (argc != 2) {
    std::fprintf(stderr, "usage: zarvic_screenshots OUTDIR\n");
    return 2;
  }
  const QDir out(QString::fromLocal8Bit(argv[1]));
  if (!out.exists() && !QDir().mkpath(out.path())) {
    std::fprintf(stderr, "zarvic_screenshots: cannot create %s\n", argv[1]);
    return 1;
  }
  // Messages the windows give while they are filled are recorded, so no box waits for an answer.
  zarvic::RecordingUserInterface ui;
  zarvic::ScopedUserInterface recording(ui);

  int failures = 0;
  auto save = [&](QWidget* window, const QString& name) {
    const QString path = out.filePath(name);
    if (!window->grab().save(path)) {
      std::fprintf(stderr, "zarvic_screenshots: cannot write %s\n", qPrintable(path));
      ++failures;
      return;
    }
    std::printf("%s\n", qPrintable(path));
  };
  std::vector<zarvic::Shot> shots;
  zarvic::RegisterMainShots(shots);
  zarvic::RegisterHelpShots(shots);
  zarvic::RegisterReportShots(shots);
  zarvic::RegisterPenaltyShots(shots);
  zarvic::RegisterTableShots(shots);
  zarvic::RegisterComputeShots(shots);
  zarvic::RegisterGridShots(shots);
  zarvic::RegisterEstimatedTaxShots(shots);
  zarvic::RegisterDepositPenaltyShots(shots);
  for (const zarvic::Shot& shot : shots) {
    // These windows size themselves; some belong to an application object of the shot.
    QWidget* window = shot.build();
    window->show();
    QApplication::processEvents();
    save(window, shot.name);
  }
  for (const ContextShot& shot : kShots) {
    QTemporaryDir scratch;
    std::unique_ptr<QWidget> window = shot.build({scratch.path()});
    window->resize(window->sizeHint().expandedTo(window->minimumSize()));
    window->show();
    QApplication::processEvents();
    save(window.get(), QString::fromLatin1(shot.fileName));
  }
  return failures == 0 ? 0 : 1;
}
