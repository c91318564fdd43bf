#include "tools/artgen/Effects.h"

#include <QRandomGenerator>
#include <cmath>
#include <functional>

namespace art {

namespace {

// One small palette for every frame, so that flashes of different frames
// belong together; the dark ink rim lets them read on the light ring mat
// as well as on the dark crowd.
constexpr QRgb kInk = qRgb(40, 24, 36);
constexpr QRgb kWhite = qRgb(255, 255, 255);
constexpr QRgb kPaleYellow = qRgb(255, 250, 180);
constexpr QRgb kYellow = qRgb(255, 216, 48);
constexpr QRgb kOrange = qRgb(255, 140, 32);
constexpr QRgb kRed = qRgb(228, 52, 40);
constexpr QRgb kDarkRed = qRgb(140, 28, 44);
constexpr QRgb kPaleCyan = qRgb(200, 246, 255);
constexpr QRgb kCyan = qRgb(80, 196, 255);
constexpr QRgb kBlue = qRgb(48, 100, 224);
constexpr QRgb kDustLight = qRgb(238, 226, 204);
constexpr QRgb kDust = qRgb(196, 172, 138);
constexpr QRgb kDustDark = qRgb(136, 112, 92);

constexpr double kPi = 3.14159265358979;

// A star with `points` tips between the radii outer and inner.
void burst(Canvas& c, double cx, double cy, int points, double outer, double inner, double turn, QRgb colour,
           const std::function<double(int)>& wobble = {}) {
  QList<QPointF> corners;
  for (int i = 0; i < points * 2; ++i) {
    double r = i % 2 == 0 ? outer : inner;
    if (wobble) r *= wobble(i);
    const double a = turn + kPi * i / points;
    corners.append({cx + r * std::cos(a), cy + r * std::sin(a)});
  }
  for (int i = 0; i < corners.size(); ++i) {
    // Canvas::polygon takes a fixed list, so the star is cut into triangles.
    const QPointF& a = corners[i];
    const QPointF& b = corners[(i + 1) % corners.size()];
    c.polygon({{cx, cy}, a, b}, colour);
  }
}

// A four-pointed glint: the small sparkle that trails the bigger effects.
void glint(Canvas& c, int x, int y, int arm, QRgb tip, QRgb core) {
  c.line(x - arm, y, x + arm, y, tip);
  c.line(x, y - arm, x, y + arm, tip);
  c.set(x, y, core);
}

// Every pixel for which inside(x, y) holds.
void fill(Canvas& c, QRgb colour, const std::function<bool(double, double)>& inside) {
  for (int y = 0; y < c.height(); ++y) {
    for (int x = 0; x < c.width(); ++x) {
      if (inside(x + 0.5, y + 0.5)) c.set(x, y, colour);
    }
  }
}

// 1: a small star spark, the flick of a light hit.
void spark(Canvas& c) {
  burst(c, 24, 24, 4, 17, 5, -kPi / 2, kYellow);
  burst(c, 24, 24, 4, 9, 4, -kPi / 4, kOrange);
  burst(c, 24, 24, 4, 11, 3, -kPi / 2, kPaleYellow);
  c.ellipse(24, 24, 3, 3, kWhite);
  glint(c, 10, 11, 2, kYellow, kWhite);
  glint(c, 38, 12, 3, kPaleYellow, kWhite);
  glint(c, 37, 37, 2, kYellow, kWhite);
  glint(c, 11, 36, 1, kPaleYellow, kWhite);
}

// 2: a slash, a bright crescent cut from the upper right to the lower left.
// Each layer is the rim of one circle left outside another; the further the
// inner circle moves toward the rim, the thinner the layer.
void slash(Canvas& c) {
  const auto crescent = [](double shift) {
    return [shift](double x, double y) {
      return std::hypot(x - 20, y - 20) < 20 && std::hypot(x - 15 - shift, y - 15 - shift) >= 20;
    };
  };
  fill(c, kBlue, crescent(0));
  fill(c, kCyan, crescent(1.5));
  fill(c, kPaleCyan, crescent(3));
  fill(c, kWhite, crescent(4.2));
  // Speed lines follow the blade on its inner side.
  c.line(27, 12, 20, 19, kPaleCyan);
  c.line(21, 9, 15, 15, kCyan);
  c.line(13, 23, 8, 28, kCyan);
  glint(c, 38, 8, 3, kPaleCyan, kWhite);
  glint(c, 8, 39, 2, kPaleCyan, kWhite);
  glint(c, 41, 26, 1, kPaleCyan, kWhite);
}

// 3: a shock ring on the floor with dust thrown up on both sides.
void shockRing(Canvas& c) {
  const auto ring = [](double rx, double ry, double thickness) {
    return [=](double x, double y) {
      const double d = std::hypot((x - 24) / rx, (y - 30) / ry);
      return d <= 1.0 && d >= 1.0 - thickness;
    };
  };
  fill(c, kCyan, ring(21, 10, 0.3));
  fill(c, kPaleCyan, ring(20, 9.5, 0.2));
  fill(c, kWhite, ring(19, 9, 0.08));
  for (int side : {-1, 1}) {
    c.ball(24 + side * 17, 35, 6, 5, kDustLight, kDust, kWhite);
    c.ball(24 + side * 12, 39, 5, 4, kDust, kDustDark, kDustLight);
    c.ball(24 + side * 20, 28, 3.5, 3, kDustLight, kDust, kWhite);
  }
  c.ball(24, 40, 6, 3.5, kDustLight, kDust, kWhite);
  burst(c, 24, 24, 4, 10, 3, -kPi / 2, kPaleYellow);
  c.ellipse(24, 24, 2, 2, kWhite);
  for (auto [x, y] : {std::pair{9, 14}, {39, 15}, {16, 8}, {33, 7}}) c.rect(x, y, 2, 2, kDustDark);
  c.set(24, 7, kDust);
}

// 4: a comic impact burst, the thump of a solid punch.
void impact(Canvas& c) {
  QRandomGenerator jag(404);  // the same jagged edge on every build
  QList<double> wobble;
  for (int i = 0; i < 28; ++i) wobble.append(0.8 + 0.2 * jag.generateDouble());
  const auto edge = [&wobble](int i) { return wobble[i % wobble.size()]; };
  burst(c, 24, 24, 12, 23, 13, 0.1, kRed, edge);
  burst(c, 24, 24, 12, 18, 10, 0.35, kOrange, edge);
  burst(c, 24, 24, 10, 13, 7, 0.0, kYellow, edge);
  burst(c, 24, 24, 8, 8, 4.5, 0.2, kPaleYellow);
  c.ellipse(24, 24, 3.5, 3.5, kWhite);
  // Impact lines fly out of the centre past the rim.
  for (int i = 0; i < 8; ++i) {
    const double a = 0.4 + i * kPi / 4;
    c.line(int(24 + 6 * std::cos(a)), int(24 + 6 * std::sin(a)), int(24 + 11 * std::cos(a)), int(24 + 11 * std::sin(a)),
           kWhite);
  }
}

// 5: the big explosion of a special technique: white heat inside a fireball
// ringed with smoke, embers flying.
void explosion(Canvas& c) {
  QRandomGenerator puffs(505);
  for (int i = 0; i < 9; ++i) {
    const double a = i * 2 * kPi / 9 + 0.3 * puffs.generateDouble();
    const double r = 13 + 2 * puffs.generateDouble();
    c.ball(24 + r * std::cos(a), 24 + r * std::sin(a), 6.5, 6, kDustDark, kDarkRed, kDust);
  }
  c.ball(24, 24, 15, 14.5, kRed, kDarkRed, kOrange);
  for (int i = 0; i < 6; ++i) {
    const double a = i * kPi / 3 + 0.5;
    c.ellipse(24 + 9 * std::cos(a), 24 + 9 * std::sin(a), 6.5, 6, kOrange);
  }
  c.ellipse(24, 24, 11, 10, kOrange);
  c.ellipse(23, 23, 8.5, 8, kYellow);
  for (int i = 0; i < 4; ++i) c.ellipse(23 + 5 * std::cos(i * 1.6), 23 + 5 * std::sin(i * 1.6), 3.5, 3.5, kYellow);
  c.ellipse(22, 22, 5.5, 5, kPaleYellow);
  c.ellipse(21, 21, 3, 3, kWhite);
  for (auto [x, y] : {std::pair{3, 4}, {44, 3}, {2, 43}, {45, 44}, {24, 1}}) c.rect(x, y, 2, 2, kYellow);
  for (auto [x, y] : {std::pair{44, 24}, {2, 22}}) c.rect(x, y, 2, 2, kOrange);
}

}  // namespace

Canvas drawEffect(int frame) {
  Canvas c(kEffectSize, kEffectSize);
  static const std::function<void(Canvas&)> kFrames[kEffectFrameCount] = {
      [](Canvas&) {}, spark, slash, shockRing, impact, explosion,
  };
  kFrames[frame](c);
  c.outline(kInk);
  return c;
}

}  // namespace art
