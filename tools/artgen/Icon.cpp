#include "tools/artgen/Icon.h"

#include <QRect>
#include <algorithm>

#include "tools/artgen/Canvas.h"
#include "tools/artgen/Characters.h"

namespace art {

namespace {

constexpr QRgb kRim = qRgb(0x1c, 0x24, 0x58);
constexpr QRgb kTile = qRgb(0x34, 0x4c, 0xa8);
constexpr QRgb kTileLight = qRgb(0x58, 0x78, 0xd8);
constexpr QRgb kSpot = qRgb(0xf0, 0xd8, 0x70);
constexpr QRgb kFloor = qRgb(0x24, 0x34, 0x80);

// A square with corners rounded by radius r.
void roundedSquare(Canvas& c, int inset, int r, QRgb colour) {
  const int size = c.width() - 2 * inset;
  c.rect(inset + r, inset, size - 2 * r, size, colour);
  c.rect(inset, inset + r, size, size - 2 * r, colour);
  for (double cx : {inset + r, inset + size - r}) {
    for (double cy : {inset + r, inset + size - r}) c.ellipse(cx, cy, r, r, colour);
  }
}

QRect drawnArea(const Canvas& sprite) {
  QRect area;
  for (int y = 0; y < sprite.height(); ++y) {
    for (int x = 0; x < sprite.width(); ++x) {
      if (sprite.filled(x, y)) area |= QRect(x, y, 1, 1);
    }
  }
  return area;
}

Canvas drawTile(int grid) {
  Canvas tile(grid, grid);
  const int radius = grid / 6;
  roundedSquare(tile, 0, radius, kRim);
  roundedSquare(tile, 2, radius - 1, kTile);
  // The spotlight falls from the top; the lower rows are the mat.
  for (int y = 2; y < grid - 2; ++y) {
    for (int x = 2; x < grid - 2; ++x) {
      if (tile.at(x, y) != kTile) continue;
      const double fromTop = double(y) / grid;
      if (fromTop > 0.78) {
        tile.set(x, y, kFloor);
      } else if (dithered(x, y, 0.7 - fromTop)) {
        tile.set(x, y, kTileLight);
      }
    }
  }
  tile.ellipse(grid / 2.0, grid * 0.8, grid * 0.3, grid * 0.06, kSpot);
  return tile;
}

}  // namespace

QImage drawIcon(int size) {
  const int grid = size % 64 == 0 ? 64 : 48;
  Canvas icon = drawTile(grid);
  const Canvas fighter = drawCharacter(0, false);
  const QRect body = drawnArea(fighter);
  // The fighter stands on the spot, in the middle across; on the small tile
  // it stands lower, so that its ears stay inside the rim.
  const int left = (grid - body.width()) / 2 - body.left();
  const int top = std::max(3 - body.top(), int(grid * 0.83) - body.bottom() - 1);
  icon.stamp(fighter.image(), left, top);
  return icon.image().scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

}  // namespace art
