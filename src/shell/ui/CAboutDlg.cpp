#include "shell/ui/CAboutDlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "shell/HelpTopics.h"
#include "shell/ui/Help.h"
#include "shell/ui/ToolbarIcons.h"

namespace zarvic {

QString CAboutDlg::BuildText() {
  return QStringLiteral("Built %1 at %2").arg(QStringLiteral(__DATE__).simplified(), QStringLiteral(__TIME__));
}

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("About Zarvic"));
  SetHelpTopic(this, kHelpAboutTopic);
  auto* icon = new QLabel(this);
  icon->setPixmap(ProgramPicture(64, icon->devicePixelRatioF()));
  icon->setAlignment(Qt::AlignTop);
  auto* name = new QLabel(QStringLiteral("<b>Zarvic</b> version " ZARVIC_VERSION), this);
  name->setObjectName(QStringLiteral("version"));
  QFont big = name->font();
  big.setPointSizeF(big.pointSizeF() * 1.3);
  name->setFont(big);
  auto* build = new QLabel(BuildText(), this);
  build->setObjectName(QStringLiteral("build"));
  auto* purpose = new QLabel(
      QStringLiteral("Interest and penalties on United States federal taxes.\nCopyright Orlendt Software."), this);
  auto* texts = new QVBoxLayout;
  texts->addWidget(name);
  texts->addWidget(build);
  texts->addSpacing(8);
  texts->addWidget(purpose);
  texts->addStretch();
  auto* top = new QHBoxLayout;
  top->addWidget(icon);
  top->addSpacing(12);
  top->addLayout(texts, 1);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace zarvic
