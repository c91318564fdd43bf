#include "tools/artgen/Art.h"

#include <QDir>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <cstdio>

#include "tools/artgen/Arena.h"
#include "tools/artgen/Characters.h"
#include "tools/artgen/Effects.h"
#include "tools/artgen/Icon.h"
#include "tools/artgen/Story.h"

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

  QRadialGradient moon(432, 150, 30);
  moon.setColorAt(0.0, QColor(255, 250, 210));
  moon.setColorAt(0.8, QColor(245, 225, 150));
  moon.setColorAt(1.0, QColor(245, 225, 150, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(moon);
  p.drawEllipse(QPointF(432, 150), 30, 30);

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

  // Two fighters face each other in the ring, a third watches from the side.
  p.setRenderHint(QPainter::SmoothPixmapTransform, false);
  p.drawImage(QRect(128, 196, 96, 96), drawCharacter(6, false).image());
  p.drawImage(QRect(256, 196, 96, 96), drawCharacter(7, false).image().mirrored(true, false));
  p.drawImage(QRect(8, 280, 72, 72), drawCharacter(3, false).image());
  p.drawImage(QRect(400, 280, 72, 72), drawCharacter(8, false).image().mirrored(true, false));
  return image;
}

namespace {

// Writes a drawing with at most 16 colours; false when it has more or the
// file cannot be written.
bool writeSixteenColours(const Canvas& canvas, const QString& path) {
  const QImage image = canvas.indexed(16);
  if (image.isNull()) {
    std::fprintf(stderr, "%s: more than 16 colours (%d)\n", qPrintable(path), canvas.colourCount());
    return false;
  }
  return image.save(path, "PNG");
}

}  // namespace

QImage contactSheet() {
  constexpr int kScale = 3, kCell = 48 * kScale + 8;
  QImage sheet(kCell * 8, kCell * 4, QImage::Format_RGB32);
  sheet.fill(QColor(236, 232, 244));
  QPainter p(&sheet);
  for (int i = 0; i < kCharacterCount; ++i) {
    for (int back = 0; back < 2; ++back) {
      const int cell = (i % 8) + 8 * ((i / 8) * 2 + back);
      const QImage sprite = drawCharacter(i, back).image().scaled(48 * kScale, 48 * kScale);
      p.drawImage((cell % 8) * kCell + 4, (cell / 8) * kCell + 4, sprite);
    }
  }
  return sheet;
}

QImage effectSheet() {
  constexpr int kScale = 3, kCell = kEffectSize * kScale + 8;
  const QColor strips[] = {QColor(24, 20, 40), QColor(70, 110, 170), QColor(236, 232, 244)};
  QImage sheet(kCell * kEffectFrameCount, kCell * 3, QImage::Format_RGB32);
  QPainter p(&sheet);
  for (int row = 0; row < 3; ++row) {
    p.fillRect(0, row * kCell, sheet.width(), kCell, strips[row]);
    for (int frame = 0; frame < kEffectFrameCount; ++frame) {
      const QImage sprite = drawEffect(frame).image().scaled(kEffectSize * kScale, kEffectSize * kScale);
      p.drawImage(frame * kCell + 4, row * kCell + 4, sprite);
    }
  }
  return sheet;
}

bool writeAll(const QString& folder) {
  const QDir dir(folder);
  bool ok = drawTitle().save(dir.filePath(QStringLiteral("title.png")), "PNG");
  for (int i = 0; i < kCharacterCount; ++i) {
    for (bool back : {false, true}) {
      const QString name = QStringLiteral("chara%1_%2.png").arg(i, 2, 10, QChar(u'0')).arg(back ? "back" : "front");
      ok = writeSixteenColours(drawCharacter(i, back), dir.filePath(name)) && ok;
    }
  }
  ok = writeSixteenColours(drawCoin(), dir.filePath(QStringLiteral("deco_coin.png"))) && ok;
  ok = writeSixteenColours(drawTrophy(), dir.filePath(QStringLiteral("deco_trophy.png"))) && ok;
  ok = writeSixteenColours(drawShopkeeper(), dir.filePath(QStringLiteral("shopkeeper.png"))) && ok;
  for (int frame = 0; frame < kEffectFrameCount; ++frame) {
    ok = writeSixteenColours(drawEffect(frame), dir.filePath(QStringLiteral("effect%1.png").arg(frame))) && ok;
  }
  for (int i = 0; i < kStoryPictureCount; ++i) {
    ok = drawStory(i).save(dir.filePath(QStringLiteral("story%1.png").arg(i)), "PNG") && ok;
  }
  ok = drawStoryBlank().save(dir.filePath(QStringLiteral("story_blank.png")), "PNG") && ok;
  ok = drawHallBackground().save(dir.filePath(QStringLiteral("hall_background.png")), "PNG") && ok;
  ok = drawArena().save(dir.filePath(QStringLiteral("arena.png")), "PNG") && ok;
  // The windows' own icon, for a game that is not installed in the icon theme.
  ok = drawIcon(64).save(dir.filePath(QStringLiteral("icon.png")), "PNG") && ok;
  return ok;
}

}  // namespace art
