#include "tools/artgen/Canvas.h"

#include <QPainter>
#include <QPolygonF>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace art {

Canvas::Canvas(int width, int height) : image_(width, height, QImage::Format_ARGB32) { image_.fill(Qt::transparent); }

void Canvas::set(int x, int y, QRgb c) {
  if (x >= 0 && y >= 0 && x < width() && y < height()) image_.setPixel(x, y, c);
}

QRgb Canvas::at(int x, int y) const {
  if (x < 0 || y < 0 || x >= width() || y >= height()) return 0;
  return image_.pixel(x, y);
}

void Canvas::rect(int x, int y, int w, int h, QRgb c) {
  for (int j = y; j < y + h; ++j) {
    for (int i = x; i < x + w; ++i) set(i, j, c);
  }
}

void Canvas::ellipse(double cx, double cy, double rx, double ry, QRgb c) {
  for (int y = int(cy - ry) - 1; y <= int(cy + ry) + 1; ++y) {
    for (int x = int(cx - rx) - 1; x <= int(cx + rx) + 1; ++x) {
      const double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
      if (dx * dx + dy * dy <= 1.0) set(x, y, c);
    }
  }
}

void Canvas::ball(double cx, double cy, double rx, double ry, QRgb base, QRgb shadow, QRgb light) {
  for (int y = int(cy - ry) - 1; y <= int(cy + ry) + 1; ++y) {
    for (int x = int(cx - rx) - 1; x <= int(cx + rx) + 1; ++x) {
      const double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
      if (dx * dx + dy * dy > 1.0) continue;
      const double sx = (x + 0.5 - (cx - rx * 0.18)) / rx, sy = (y + 0.5 - (cy - ry * 0.18)) / ry;
      set(x, y, sx * sx + sy * sy > 1.0 ? shadow : base);
    }
  }
  ellipse(cx - rx * 0.38, cy - ry * 0.42, std::max(1.0, rx * 0.22), std::max(1.0, ry * 0.16), light);
}

void Canvas::polygon(std::initializer_list<QPointF> points, QRgb c) {
  QPainter p(&image_);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor::fromRgba(c));
  p.drawPolygon(QPolygonF(QList<QPointF>(points)));
}

void Canvas::line(int x0, int y0, int x1, int y1, QRgb c) {
  const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
  const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  while (true) {
    set(x0, y0, c);
    if (x0 == x1 && y0 == y1) break;
    const int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x0 += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y0 += sy;
    }
  }
}

void Canvas::recolourIn(double cx, double cy, double rx, double ry, QRgb from, QRgb to) {
  for (int y = int(cy - ry) - 1; y <= int(cy + ry) + 1; ++y) {
    for (int x = int(cx - rx) - 1; x <= int(cx + rx) + 1; ++x) {
      const double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
      if (dx * dx + dy * dy <= 1.0 && at(x, y) == from) set(x, y, to);
    }
  }
}

void Canvas::outline(QRgb c) {
  std::vector<QPoint> border;
  for (int y = 0; y < height(); ++y) {
    for (int x = 0; x < width(); ++x) {
      if (filled(x, y)) continue;
      if (filled(x - 1, y) || filled(x + 1, y) || filled(x, y - 1) || filled(x, y + 1)) border.emplace_back(x, y);
    }
  }
  for (const QPoint& p : border) set(p.x(), p.y(), c);
}

void Canvas::mirrorHorizontally() { image_ = image_.mirrored(true, false); }

int Canvas::colourCount() const {
  QList<QRgb> seen{qRgba(0, 0, 0, 0)};
  for (int y = 0; y < height(); ++y) {
    for (int x = 0; x < width(); ++x) {
      if (qAlpha(at(x, y)) != 0 && !seen.contains(at(x, y))) seen.append(at(x, y));
    }
  }
  return static_cast<int>(seen.size());
}

QImage Canvas::indexed(int maxColours) const {
  QList<QRgb> table{qRgba(0, 0, 0, 0)};
  for (int y = 0; y < height(); ++y) {
    for (int x = 0; x < width(); ++x) {
      const QRgb c = at(x, y);
      if (qAlpha(c) != 0 && !table.contains(c)) table.append(c);
    }
  }
  if (table.size() > maxColours) return {};
  QImage out(width(), height(), QImage::Format_Indexed8);
  out.setColorTable(table);
  for (int y = 0; y < height(); ++y) {
    for (int x = 0; x < width(); ++x) {
      const QRgb c = at(x, y);
      out.setPixel(x, y, qAlpha(c) == 0 ? 0 : static_cast<uint>(table.indexOf(c)));
    }
  }
  return out;
}

bool dithered(int x, int y, double amount) {
  static const int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
  return (kBayer[y & 3][x & 3] + 0.5) / 16.0 < amount;
}

void Canvas::stamp(const QImage& sprite, QRect target, bool mirror) {
  for (int y = 0; y < target.height(); ++y) {
    for (int x = 0; x < target.width(); ++x) {
      int sx = x * sprite.width() / target.width();
      if (mirror) sx = sprite.width() - 1 - sx;
      const QRgb colour = sprite.pixel(sx, y * sprite.height() / target.height());
      if (qAlpha(colour) != 0) set(target.x() + x, target.y() + y, colour);
    }
  }
}

void Canvas::stamp(const QImage& sprite, int x, int y, int scale, bool mirror) {
  stamp(sprite, QRect(x, y, sprite.width() * scale, sprite.height() * scale), mirror);
}

void Canvas::heart(double x, double y, double r, QRgb c) {
  ellipse(x - r * 0.5, y, r * 0.6, r * 0.6, c);
  ellipse(x + r * 0.5, y, r * 0.6, r * 0.6, c);
  polygon({{x - r * 1.1, y + r * 0.15}, {x + r * 1.1, y + r * 0.15}, {x, y + r * 1.3}}, c);
}

QImage Canvas::doubled() const {
  return image_.scaled(width() * 2, height() * 2).convertToFormat(QImage::Format_RGB32);
}

}  // namespace art
