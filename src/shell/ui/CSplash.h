#pragma once

#include <QDialog>
#include <QPixmap>

namespace zarvic {

// The start-up picture of the program, without a caption, centred over its parent. A left click
// closes it; the application also closes it on any key or mouse press and after three seconds.
class CSplash : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kShownMs = 3000;

  explicit CSplash(QWidget* over);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  QPixmap picture_;
};

// The splash picture: the program's name, version and purpose, 420 x 220 points drawn for dpr device
// pixels per point.
QPixmap SplashPicture(qreal dpr = 1.0);

}  // namespace zarvic
