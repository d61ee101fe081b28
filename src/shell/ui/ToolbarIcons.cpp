#include "shell/ui/ToolbarIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <cmath>

namespace zarvic {
namespace {

constexpr int kSize = 42;
const QColor kInk(40, 48, 64);
const QColor kPaper(250, 250, 246);

void Page(QPainter& p, QRectF r) {
  QPainterPath path;
  const qreal fold = r.width() * 0.3;
  path.moveTo(r.topLeft());
  path.lineTo(r.right() - fold, r.top());
  path.lineTo(r.right(), r.top() + fold);
  path.lineTo(r.bottomRight());
  path.lineTo(r.bottomLeft());
  path.closeSubpath();
  p.setPen(QPen(kInk, 1.6));
  p.setBrush(kPaper);
  p.drawPath(path);
  p.drawLine(QPointF(r.right() - fold, r.top()), QPointF(r.right() - fold, r.top() + fold));
  p.drawLine(QPointF(r.right() - fold, r.top() + fold), QPointF(r.right(), r.top() + fold));
}

void Text(QPainter& p, QRectF r, const QString& text, QColor color, int pixelSize, bool bold = true) {
  QFont font = p.font();
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  p.setFont(font);
  p.setPen(color);
  p.drawText(r, Qt::AlignCenter, text);
}

void Draw(QPainter& p, CommandId id) {
  switch (id) {
    case CommandId::FileNew:
      Page(p, QRectF(9, 4, 24, 32));
      p.setPen(QPen(QColor(230, 170, 20), 2.4));
      p.drawLine(QPointF(31, 28), QPointF(39, 36));
      p.drawLine(QPointF(39, 28), QPointF(31, 36));
      p.drawLine(QPointF(35, 26), QPointF(35, 38));
      p.drawLine(QPointF(29, 32), QPointF(41, 32));
      break;
    case CommandId::FileOpen: {
      p.setPen(QPen(kInk, 1.6));
      p.setBrush(QColor(236, 196, 92));
      p.drawRect(QRectF(4, 10, 30, 24));
      p.drawRect(QRectF(4, 7, 12, 4));
      QPolygonF front({QPointF(9, 17), QPointF(39, 17), QPointF(34, 34), QPointF(4, 34)});
      p.setBrush(QColor(250, 220, 130));
      p.drawPolygon(front);
      break;
    }
    case CommandId::FileSave:
      p.setPen(QPen(kInk, 1.6));
      p.setBrush(QColor(52, 92, 160));
      p.drawRoundedRect(QRectF(6, 6, 30, 30), 3, 3);
      p.setBrush(kPaper);
      p.drawRect(QRectF(11, 6, 20, 11));
      p.setBrush(QColor(200, 205, 215));
      p.drawRect(QRectF(12, 24, 18, 12));
      p.setBrush(kInk);
      p.drawRect(QRectF(25, 8, 4, 7));
      break;
    case CommandId::PenaltySelection: {
      QPolygonF triangle({QPointF(21, 4), QPointF(39, 36), QPointF(3, 36)});
      p.setPen(QPen(QColor(150, 20, 20), 1.8));
      p.setBrush(QColor(235, 64, 52));
      p.drawPolygon(triangle);
      Text(p, QRectF(3, 12, 36, 24), QStringLiteral("!"), Qt::white, 20);
      break;
    }
    case CommandId::HotInterest: {
      QPainterPath flame;
      flame.moveTo(21, 38);
      flame.cubicTo(8, 38, 6, 26, 14, 16);
      flame.cubicTo(14, 22, 18, 24, 19, 22);
      flame.cubicTo(17, 14, 22, 8, 24, 4);
      flame.cubicTo(26, 12, 36, 18, 34, 28);
      flame.cubicTo(33, 35, 28, 38, 21, 38);
      p.setPen(QPen(QColor(170, 50, 0), 1.4));
      p.setBrush(QColor(245, 120, 20));
      p.drawPath(flame);
      Text(p, QRectF(8, 18, 26, 20), QStringLiteral("%"), QColor(255, 240, 160), 14);
      break;
    }
    case CommandId::CCorpRefund:
      p.setPen(QPen(QColor(30, 120, 60), 1.6));
      p.setBrush(QColor(215, 240, 215));
      p.drawEllipse(QRectF(5, 5, 32, 32));
      Text(p, QRectF(5, 5, 32, 32), QStringLiteral("$"), QColor(30, 120, 60), 22);
      p.setPen(QPen(QColor(30, 120, 60), 2.4));
      p.drawLine(QPointF(4, 38), QPointF(14, 38));
      p.drawLine(QPointF(4, 38), QPointF(8, 34));
      break;
    case CommandId::ComputeTotals:
      p.setPen(QPen(kInk, 1.6));
      p.setBrush(QColor(90, 96, 110));
      p.drawRoundedRect(QRectF(8, 3, 26, 36), 3, 3);
      p.setBrush(QColor(200, 230, 200));
      p.drawRect(QRectF(12, 7, 18, 8));
      p.setBrush(kPaper);
      for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) p.drawRect(QRectF(12 + col * 6.5, 19 + row * 6.5, 4.5, 4.5));
      }
      break;
    case CommandId::FilePrint:
      p.setPen(QPen(kInk, 1.6));
      p.setBrush(kPaper);
      p.drawRect(QRectF(12, 4, 18, 14));
      p.setBrush(QColor(170, 176, 188));
      p.drawRoundedRect(QRectF(4, 16, 34, 14), 3, 3);
      p.setBrush(kPaper);
      p.drawRect(QRectF(11, 26, 20, 12));
      p.drawLine(QPointF(14, 31), QPointF(28, 31));
      p.drawLine(QPointF(14, 35), QPointF(24, 35));
      break;
    case CommandId::ReportSelection:
      Page(p, QRectF(5, 3, 24, 32));
      p.setPen(QPen(kInk, 1));
      for (int y = 12; y <= 28; y += 4) p.drawLine(QPointF(9, y), QPointF(24, y));
      p.setPen(QPen(kInk, 2.2));
      p.setBrush(QColor(200, 225, 250, 200));
      p.drawEllipse(QRectF(19, 19, 13, 13));
      p.drawLine(QPointF(30, 30), QPointF(38, 38));
      break;
    case CommandId::SelectRateTable:
      p.setPen(QPen(kInk, 1.4));
      p.setBrush(kPaper);
      p.drawRect(QRectF(4, 6, 34, 30));
      p.setBrush(QColor(52, 92, 160));
      p.drawRect(QRectF(4, 6, 34, 7));
      for (int y = 19; y <= 31; y += 6) p.drawLine(QPointF(4, y), QPointF(38, y));
      p.drawLine(QPointF(17, 13), QPointF(17, 36));
      Text(p, QRectF(18, 13, 20, 23), QStringLiteral("%"), QColor(150, 20, 20), 16);
      break;
    default:
      break;
  }
}

// A picture drawn in a 42-unit square, size points on the screen, with dpr device pixels per point:
// drawn at the device's own resolution, never scaled up from a smaller one.
template <typename Drawing>
QPixmap Drawn(int size, qreal dpr, Drawing drawing) {
  const int pixels = static_cast<int>(std::lround(size * dpr));
  QPixmap pixmap(pixels, pixels);
  pixmap.setDevicePixelRatio(dpr);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.scale(size / 42.0, size / 42.0);
  drawing(p);
  return pixmap;
}

// One and two device pixels per point: the desktop picks the one its screen needs.
template <typename Drawing>
QIcon DrawnIcon(int size, Drawing drawing) {
  QIcon icon;
  for (qreal dpr : {1.0, 2.0}) icon.addPixmap(Drawn(size, dpr, drawing));
  return icon;
}

void DrawProgram(QPainter& p) {
  p.setPen(QPen(QColor(20, 50, 110), 1.5));
  p.setBrush(QColor(52, 92, 160));
  p.drawRoundedRect(QRectF(2, 2, 38, 38), 7, 7);
  Text(p, QRectF(2, 0, 38, 30), QStringLiteral("Z"), Qt::white, 24);
  Text(p, QRectF(2, 24, 38, 14), QStringLiteral("%  $"), QColor(255, 220, 120), 9);
}

}  // namespace

QIcon ToolbarIcon(CommandId id) {
  return DrawnIcon(kSize, [id](QPainter& p) { Draw(p, id); });
}

QPixmap ProgramPicture(int size, qreal dpr) {
  return Drawn(size, dpr, DrawProgram);
}

QIcon ProgramIcon(int size) {
  return DrawnIcon(size, DrawProgram);
}

}  // namespace zarvic
