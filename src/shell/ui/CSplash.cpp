#include "shell/ui/CSplash.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>

#include "shell/ui/ToolbarIcons.h"

namespace zarvic {

QPixmap SplashPicture(qreal dpr) {
  QPixmap pixmap(static_cast<int>(std::lround(420 * dpr)), static_cast<int>(std::lround(220 * dpr)));
  pixmap.setDevicePixelRatio(dpr);
  const QRect area(0, 0, 420, 220);  // in points
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 0, 220);
  sky.setColorAt(0, QColor(30, 62, 128));
  sky.setColorAt(1, QColor(12, 28, 64));
  p.fillRect(area, sky);
  p.drawPixmap(28, 40, ProgramPicture(96, dpr));
  QFont font = p.font();
  font.setPixelSize(44);
  font.setBold(true);
  p.setFont(font);
  p.setPen(Qt::white);
  p.drawText(QRect(146, 36, 260, 56), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Zarvic"));
  font.setPixelSize(15);
  font.setBold(false);
  p.setFont(font);
  p.setPen(QColor(220, 228, 245));
  p.drawText(QRect(148, 92, 260, 48), Qt::AlignLeft | Qt::TextWordWrap,
             QStringLiteral("Interest and penalties on US federal taxes"));
  p.setPen(QColor(255, 214, 120));
  p.drawText(QRect(148, 140, 260, 22), Qt::AlignLeft, QStringLiteral("Version " ZARVIC_VERSION));
  font.setPixelSize(12);
  p.setFont(font);
  p.setPen(QColor(170, 184, 214));
  p.drawText(QRect(0, 188, 404, 20), Qt::AlignRight, QStringLiteral("Orlendt Software"));
  p.setPen(QPen(QColor(255, 214, 120), 2));
  p.drawRect(area.adjusted(1, 1, -1, -1));
  return pixmap;
}

CSplash::CSplash(QWidget* over)
    : QDialog(over, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      picture_(SplashPicture(devicePixelRatioF())) {
  setObjectName(QStringLiteral("CSplash"));
  setAttribute(Qt::WA_DeleteOnClose);
  setAccessibleName(QStringLiteral("Zarvic " ZARVIC_VERSION));
  setFixedSize(picture_.deviceIndependentSize().toSize());
  if (over != nullptr) {
    const QRect frame = over->frameGeometry();
    move(frame.center() - rect().center());
  }
}

void CSplash::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawPixmap(0, 0, picture_);
}

void CSplash::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) close();
}

}  // namespace zarvic
