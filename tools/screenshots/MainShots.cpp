#include "tools/screenshots/MainShots.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QMdiArea>
#include <QPainter>
#include <QScreen>
#include <memory>

#include "problem/CTDoc.h"
#include "problem/DocumentManager.h"
#include "problem/TextInput.h"
#include "shell/StartUp.h"
#include "shell/ui/CAboutDlg.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CTApp.h"
#include "shell/ui/CZrvChildView.h"
#include "shell/ui/CTView.h"

namespace zarvic {
namespace {

// The applications behind the main window shots live until the QApplication ends.
std::vector<std::unique_ptr<CTApp>>& Apps() {
  static std::vector<std::unique_ptr<CTApp>> apps;
  static const bool cleared = [] {
    qAddPostRoutine([] { Apps().clear(); });
    return true;
  }();
  (void)cleared;
  return apps;
}

CMainFrame* StartMainFrame(WindowStart start, QSize size) {
  WindowPlan plan;
  plan.start = start;
  auto app = std::make_unique<CTApp>();
  app->InitInstance(plan, false);
  CMainFrame* frame = app->MainFrame();
  frame->showNormal();
  frame->resize(size);
  Apps().push_back(std::move(app));
  return frame;
}

QWidget* MainEmpty() { return StartMainFrame(WindowStart::NoProblem, QSize(640, 480)); }

// The main window with the shipped example of a late return, as batch data entry fills it.
QWidget* MainProblem() {
  CMainFrame* frame = StartMainFrame(WindowStart::NewProblem, QSize(760, 540));
  CZrvChildView* child = frame->ActiveChild();
  TextLineReader reader;
#ifdef ZARVIC_SOURCE_DIR
  const char* example = ZARVIC_SOURCE_DIR "/examples/LATE.TXT";
#else
  const char* example = "examples/LATE.TXT";
#endif
  if (reader.Open(example)) {
    BatchEntrySettings batch;
    FillProblemFromInput(child->Document()->problem, batch, reader);
  }
  child->View()->Refresh();
  child->resize(frame->MdiArea()->viewport()->size() - QSize(16, 16));
  return frame;
}

// The first start (no placement stored yet) on the whole screen: the screen's free area drawn as a
// plain desktop with the main window where the program put it. The script runs this on a 1600 x 1000
// screen.
QWidget* MainFirstStart() {
  WindowPlan plan;
  plan.start = WindowStart::NoProblem;
  auto app = std::make_unique<CTApp>();
  app->InitInstance(plan, false);
  CMainFrame* frame = app->MainFrame();
  Apps().push_back(std::move(app));
  QCoreApplication::processEvents();
  QScreen* screen = QGuiApplication::primaryScreen();
  const QRect desktop = screen->geometry();
  const qreal dpr = screen->devicePixelRatio();
  QPixmap picture(desktop.size() * dpr);
  picture.setDevicePixelRatio(dpr);
  picture.fill(QColor(58, 110, 165));
  {
    QPainter p(&picture);
    const QRect free = screen->availableGeometry().translated(-desktop.topLeft());
    p.setPen(QPen(QColor(255, 255, 255, 120), 1, Qt::DashLine));
    p.drawRect(free.adjusted(0, 0, -1, -1));
    p.drawPixmap(frame->geometry().topLeft() - desktop.topLeft(), frame->grab());
  }
  frame->hide();
  auto* shown = new QLabel;
  shown->setPixmap(picture);
  shown->setFixedSize(desktop.size());
  return shown;
}

QWidget* About() { return new CAboutDlg; }

}  // namespace

void RegisterMainShots(std::vector<Shot>& shots) {
  shots.push_back({QStringLiteral("main-first-start.png"), MainFirstStart});
  shots.push_back({QStringLiteral("main-empty.png"), MainEmpty});
  shots.push_back({QStringLiteral("main-problem.png"), MainProblem});
  shots.push_back({QStringLiteral("about.png"), About});
}

}  // namespace zarvic
