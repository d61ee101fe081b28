#include "shell/ui/HelpWindow.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "shell/HelpTopics.h"
#include "shell/ui/Help.h"

namespace zarvic {
namespace {

QString PageOfTopic(std::string_view topic) {
  auto page = HelpPageOf(topic);
  return page ? QString::fromStdString(*page) : QString();
}

}  // namespace

HelpWindow::HelpWindow(const QString& helpFolder, QWidget* parent)
    : QDialog(parent), folder_(QDir(helpFolder).absolutePath()), browser_(new QTextBrowser(this)) {
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  setWindowFlag(Qt::WindowMinMaxButtonsHint, true);
  setSizeGripEnabled(true);
  setMinimumSize(480, 360);
  resize(760, 620);
  SetHelpTopic(this, kHelpContentsTopic);

  auto* contents = new QPushButton(tr("&Contents"), this);
  auto* index = new QPushButton(tr("&Index"), this);
  back_ = new QPushButton(tr("&Back"), this);
  forward_ = new QPushButton(tr("&Forward"), this);
  for (QPushButton* b : {contents, index, back_, forward_}) b->setAutoDefault(false);
  contents->setAccessibleName(QStringLiteral("Help contents"));
  index->setAccessibleName(QStringLiteral("Help index"));

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(contents);
  buttons->addWidget(index);
  buttons->addSpacing(12);
  buttons->addWidget(back_);
  buttons->addWidget(forward_);
  buttons->addStretch();

  browser_->setOpenLinks(true);
  browser_->setOpenExternalLinks(false);
  browser_->setSearchPaths({folder_, folder_ + QStringLiteral("/html")});
  browser_->setAccessibleName(QStringLiteral("Help page"));

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(buttons);
  layout->addWidget(browser_, 1);

  back_->setEnabled(false);
  forward_->setEnabled(false);
  connect(contents, &QPushButton::clicked, this, [this] { ShowPage(PageOfTopic(kHelpContentsTopic)); });
  connect(index, &QPushButton::clicked, this, [this] { ShowPage(PageOfTopic(kHelpIndexTopic)); });
  connect(back_, &QPushButton::clicked, browser_, &QTextBrowser::backward);
  connect(forward_, &QPushButton::clicked, browser_, &QTextBrowser::forward);
  connect(browser_, &QTextBrowser::backwardAvailable, back_, &QPushButton::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QPushButton::setEnabled);
  connect(browser_, &QTextBrowser::sourceChanged, this, &HelpWindow::UpdateTitle);
}

bool HelpWindow::ShowPage(const QString& page) {
  if (page.isEmpty()) return false;
  const QString path = folder_ + QLatin1Char('/') + page;
  QFileInfo info(path);
  if (!info.isFile() || !info.isReadable()) return false;
  browser_->setSource(QUrl::fromLocalFile(path));
  return true;
}

QString HelpWindow::CurrentPage() const {
  const QString path = browser_->source().toLocalFile();
  return path.isEmpty() ? QString() : QDir(folder_).relativeFilePath(path);
}

QString HelpWindow::PageTitle() const {
  return browser_->documentTitle();
}

void HelpWindow::UpdateTitle() {
  const QString title = PageTitle();
  setWindowTitle(title.isEmpty() ? tr("Zarvic Help") : tr("Zarvic Help - %1").arg(title));
}

}  // namespace zarvic
