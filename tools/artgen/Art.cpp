#include "tools/artgen/Art.h"

#include <QDir>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>

namespace art {

QImage drawTitle() {
  QImage image(480, 360, QImage::Format_RGB32);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);

  QLinearGradient sky(0, 0, 0, 360);
  sky.setColorAt(0.0, QColor(10, 12, 40));
  sky.setColorAt(0.55, QColor(48, 30, 92));
  sky.setColorAt(1.0, QColor(150, 70, 110));
  p.fillRect(image.rect(), sky);

  QRandomGenerator stars(1234);  // the same sky on every build
  for (int i = 0; i < 90; ++i) {
    const int x = stars.bounded(480), y = stars.bounded(230);
    const int a = 120 + stars.bounded(135);
    p.setPen(QColor(255, 255, 230, a));
    p.drawPoint(x, y);
    if (i % 9 == 0) {
      p.drawLine(x - 2, y, x + 2, y);
      p.drawLine(x, y - 2, x, y + 2);
    }
  }

  QRadialGradient moon(400, 70, 40);
  moon.setColorAt(0.0, QColor(255, 250, 210));
  moon.setColorAt(0.8, QColor(245, 225, 150));
  moon.setColorAt(1.0, QColor(245, 225, 150, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(moon);
  p.drawEllipse(QPointF(400, 70), 40, 40);

  // The ring: a floor in perspective with ropes, under the title.
  QPainterPath floor;
  floor.moveTo(40, 360);
  floor.lineTo(110, 250);
  floor.lineTo(370, 250);
  floor.lineTo(440, 360);
  floor.closeSubpath();
  QLinearGradient mat(0, 250, 0, 360);
  mat.setColorAt(0, QColor(70, 110, 170));
  mat.setColorAt(1, QColor(30, 60, 120));
  p.setBrush(mat);
  p.drawPath(floor);
  p.setPen(QPen(QColor(230, 60, 80), 3));
  for (int rope = 0; rope < 3; ++rope) {
    const int y = 232 - rope * 18;
    p.drawLine(104, y + 12, 376, y + 12);
  }
  p.setPen(QPen(QColor(220, 220, 220), 5));
  p.drawLine(106, 250, 106, 190);
  p.drawLine(374, 250, 374, 190);

  // Spotlights.
  for (int side = 0; side < 2; ++side) {
    QPainterPath beam;
    const qreal x = side == 0 ? 20 : 460;
    beam.moveTo(x, 0);
    beam.lineTo(side == 0 ? 180 : 300, 300);
    beam.lineTo(side == 0 ? 260 : 220, 300);
    beam.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 200, 28));
    p.drawPath(beam);
  }
  return image;
}

bool writeAll(const QString& folder) {
  const QDir dir(folder);
  return drawTitle().save(dir.filePath(QStringLiteral("title.png")), "PNG");
}

}  // namespace art
