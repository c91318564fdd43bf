#include "tools/artgen/Arena.h"

#include <QRandomGenerator>
#include <algorithm>
#include <array>
#include <cmath>

#include "tools/artgen/Canvas.h"

namespace art {

namespace {

// Drawn at half size and doubled, like the story pictures, so the pixels
// are as chunky as the fighters standing on it.
constexpr int kW = kArenaWidth / 2, kH = kArenaHeight / 2;

// Where the battle screen puts its things over the scene, in half-size
// pixels: the title banner over the rows above kBannerBottom, the opponent's
// feet just in front of the far edge of the mat on the right, the player's
// fighter over the lower left and the bout mark over the apron below
// kNearEdge.
constexpr int kBannerBottom = 12;
constexpr int kFarEdge = 87, kNearEdge = 136;
constexpr int kFarLeft = 10, kFarRight = 210;             // the far corner posts
constexpr int kNearLeft = -50, kNearRight = 270;          // the near corners lie outside the picture
constexpr std::array<int, 3> kRopeHeights = {6, 12, 18};  // above the mat at the far posts
constexpr int kPostHeight = 23;

// The middle of the ring, where damage numbers pop up: nothing bright there.
bool inCalmMiddle(int x, int y) { return x >= 84 && x < 156 && y >= 56 && y < 112; }

QRgb mix(QRgb a, QRgb b, double t) {
  const auto channel = [t](int from, int to) { return int(std::lround(from + (to - from) * t)); };
  return qRgb(channel(qRed(a), qRed(b)), channel(qGreen(a), qGreen(b)), channel(qBlue(a), qBlue(b)));
}

// Colours in steps of eight, so that overlapping lights on the many shades
// of the crowd keep the picture to a pixel-art palette.
QRgb snapped(QRgb colour) {
  const auto snap = [](int v) { return std::min(255, (v + 4) / 8 * 8); };
  return qRgb(snap(qRed(colour)), snap(qGreen(colour)), snap(qBlue(colour)));
}

// Lifts a pixel toward the colour of a light shining on it.
void lift(Canvas& c, int x, int y, QRgb light, double t) {
  if (x >= 0 && y >= 0 && x < c.width() && y < c.height()) c.set(x, y, snapped(mix(c.at(x, y), light, t)));
}

// A cone of light from a lamp down to where it lands, between left and
// right at bottom: dithered, densest under the lamp and along its axis.
void beam(Canvas& c, QPointF lamp, double left, double right, int bottom, QRgb light, double strength) {
  for (int y = int(lamp.y()); y < bottom; ++y) {
    const double t = (y - lamp.y()) / (bottom - lamp.y());
    const double x0 = lamp.x() - 2 + (left - lamp.x() + 2) * t, x1 = lamp.x() + 2 + (right - lamp.x() - 2) * t;
    for (int x = int(std::floor(x0)); x <= int(std::ceil(x1)); ++x) {
      const double across = (x + 0.5 - x0) / (x1 - x0);
      if (across < 0 || across > 1) continue;
      const double core = 1.0 - std::abs(across - 0.5) * 2;
      if (dithered(x, y, strength * (1.0 - 0.55 * t) * std::min(1.0, core * 2.5))) lift(c, x, y, light, 0.3);
    }
  }
}

// A pool of light on the floor, dithered thinner toward its rim.
void pool(Canvas& c, double cx, double cy, double rx, double ry, QRgb light, double strength) {
  for (int y = int(cy - ry); y <= int(cy + ry); ++y) {
    for (int x = int(cx - rx); x <= int(cx + rx); ++x) {
      const double d = std::hypot((x + 0.5 - cx) / rx, (y + 0.5 - cy) / ry);
      if (d < 1.0 && dithered(x, y, strength * (1.0 - d))) lift(c, x, y, light, 0.25);
    }
  }
}

// ---- The crowd ----

enum class Fan { Plain, CatEars, BunnyEars, ArmUp, Penlight, Cheering };

const std::array<QRgb, 4> kPenlights = {qRgb(255, 120, 200), qRgb(100, 230, 255), qRgb(255, 226, 100),
                                        qRgb(150, 250, 150)};

// A cheering board held up over a head: 0 a heart on pink, 1 a star on
// yellow, 2 a note on blue.
void sign(Canvas& c, double x, double y, double r, QRgb body, int kind) {
  const std::array<QRgb, 3> boards = {qRgb(226, 190, 214), qRgb(230, 212, 160), qRgb(180, 206, 236)};
  const int w = int(r * 3.2) | 1, h = int(r * 2.2), left = int(x) - w / 2, top = int(y - r * 3.2);
  const int cx = left + w / 2, cy = top + h / 2 - 1;
  c.rect(cx, top + h, 1, int(y - top - h), body);
  c.rect(left, top, w, h, boards[kind]);
  c.rect(left, top + h - 1, w, 1, mix(boards[kind], body, 0.45));
  if (kind == 0) {
    c.heart(cx + 0.5, top + h / 2.0 - r * 0.45, r * 0.6, qRgb(230, 80, 140));
  } else if (kind == 1) {
    const QRgb star = qRgb(236, 130, 40);
    c.set(cx, cy - 1, star);
    c.rect(cx - 2, cy, 5, 1, star);
    c.rect(cx - 1, cy + 1, 3, 1, star);
    c.set(cx - 1, cy + 2, star);
    c.set(cx + 1, cy + 2, star);
  } else {
    const QRgb note = qRgb(60, 90, 190);
    c.rect(cx - 1, cy + 1, 2, 2, note);
    c.rect(cx, cy - 2, 1, 3, note);
    c.set(cx + 1, cy - 2, note);
  }
}

// One spectator's silhouette: shoulders, a head rimmed by the ring's light
// on top, and whatever the seed gave them to wave.
void fan(Canvas& c, double x, double y, double r, QRgb body, QRgb rim, Fan kind, QRgb penlight) {
  if (kind == Fan::CatEars) {
    for (double side : {-1.0, 1.0}) {
      c.polygon(
          {{x + side * r * 1.05, y - r * 0.1}, {x + side * r * 0.8, y - r * 1.7}, {x + side * r * 0.05, y - r * 0.8}},
          rim);
    }
  } else if (kind == Fan::BunnyEars) {
    for (double side : {-1.0, 1.0}) c.ellipse(x + side * r * 0.45, y - r * 1.5, std::max(0.7, r * 0.3), r * 0.95, rim);
  }
  const int arm = std::max(1, int(r * 0.6));
  const auto raisedArm = [&](double side) {
    const int ax = int(x + side * r * 1.3) - (side < 0 ? arm : 0), top = int(y - r * 1.6);
    c.rect(ax, top, arm, int(r * 3.2), body);
    c.rect(ax, top, arm, 1, rim);
    return QPoint(ax, top);
  };
  if (kind == Fan::ArmUp || kind == Fan::Penlight) {
    const QPoint hand = raisedArm(r > 2.4 ? 1.0 : -1.0);
    if (kind == Fan::Penlight) {
      const int length = r > 2.6 ? 4 : 3;
      for (int i = 0; i < length; ++i) {
        lift(c, hand.x() - 1, hand.y() - 1 - i, penlight, 0.35);
        lift(c, hand.x() + arm, hand.y() - 1 - i, penlight, 0.35);
      }
      c.rect(hand.x() + (arm - 1) / 2, hand.y() - length, 1, length, penlight);
      c.set(hand.x() + (arm - 1) / 2, hand.y() - length - 1, mix(penlight, qRgb(255, 255, 255), 0.6));
    }
  } else if (kind == Fan::Cheering) {
    raisedArm(-1.0);
    raisedArm(1.0);
  }
  c.ellipse(x, y + r * 2.1, r * 1.7, r * 1.4, body);
  c.rect(int(x - r * 1.7), int(y + r * 2.1), int(r * 3.4) + 1, int(r * 2) + 2, body);
  // The head a shade lighter than the shoulders, so that every spectator
  // stands out from the row behind.
  c.ellipse(x, y, r, r, rim);
  c.ellipse(x, y + 1, r, r, snapped(mix(body, rim, 0.3)));
}

// The stands behind the far ropes, packed from the top row down to the
// barrier, the back rows smaller and darker.
void crowd(Canvas& c) {
  struct Row {
    int y;
    double r;
  };
  const std::array<Row, 7> rows = {{{23, 1.6}, {29, 1.9}, {35, 2.2}, {42, 2.5}, {50, 2.9}, {59, 3.3}, {69, 3.8}}};
  const QRgb backBody = qRgb(26, 18, 52), frontBody = qRgb(50, 34, 88);
  const QRgb backRim = qRgb(50, 36, 88), frontRim = qRgb(100, 74, 152);
  c.rect(0, rows[0].y - 2, kW, kFarEdge - rows[0].y + 2, qRgb(20, 14, 40));
  // A few fans hold up boards, away from the screen and the middle.
  struct Board {
    int row, x, design;
    bool held;
  };
  std::array<Board, 3> boards = {{{4, 38, 0, false}, {4, 162, 2, false}, {5, 70, 1, false}}};
  QRandomGenerator random(2024);  // the same crowd at every bout
  for (int i = 0; i < int(rows.size()); ++i) {
    const double depth = double(i) / (rows.size() - 1);
    const QRgb body = snapped(mix(backBody, frontBody, depth)), rim = snapped(mix(backRim, frontRim, depth));
    const double r = rows[i].r;
    for (double x = -r + random.bounded(int(r * 2)); x < kW + r; x += r * 2.5 + random.bounded(2)) {
      // The stands bend round the ring, rising toward the sides.
      const double u = (x - kW / 2.0) / (kW / 2.0);
      const double y = rows[i].y - 3 * u * u + random.bounded(2);
      const int roll = random.bounded(100);
      const bool calm = inCalmMiddle(int(x), int(y) - 4);
      Fan kind = Fan::Plain;
      if (roll < 14)
        kind = Fan::CatEars;
      else if (roll < 24)
        kind = Fan::BunnyEars;
      else if (roll < 32 && !calm)
        kind = Fan::Penlight;
      else if (roll < 38)
        kind = Fan::ArmUp;
      else if (roll < 42)
        kind = Fan::Cheering;
      Board* held = nullptr;
      for (Board& board : boards) {
        if (board.row == i && !board.held && std::abs(x - board.x) < r * 1.7) held = &board;
      }
      if (held) kind = Fan::Plain;
      fan(c, x, y, r, body, rim, kind, kPenlights[random.bounded(int(kPenlights.size()))]);
      if (held) {
        held->held = true;
        sign(c, x, y, r, body, held->design);
      }
      // Now and then a camera flashes in the back rows.
      if (i < 4 && random.bounded(100) < 7) {
        const int fx = int(x), fy = int(y) - 1;
        c.set(fx, fy, qRgb(255, 255, 255));
        for (auto [dx, dy] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 1}})
          lift(c, fx + dx, fy + dy, qRgb(230, 230, 255), 0.6);
      }
    }
  }
}

// The low wall between the front row and the ring, with a strip of small
// coloured lights along its top.
void barrier(Canvas& c) {
  c.rect(0, 80, kW, kFarEdge - 80, qRgb(26, 18, 46));
  c.rect(0, 80, kW, 1, qRgb(60, 44, 96));
  for (int x = 2, n = 0; x < kW; x += 5, ++n) {
    const QRgb bulb = kPenlights[n % kPenlights.size()];
    c.set(x, 82, inCalmMiddle(x, 82) ? mix(bulb, qRgb(26, 18, 46), 0.55) : mix(bulb, qRgb(26, 18, 46), 0.25));
  }
}

// ---- Above the ring ----

// Big square letters for the screen.
void glyph(Canvas& c, int x, int y, const std::array<const char*, 5>& rows, int scale, QRgb colour) {
  for (int row = 0; row < 5; ++row) {
    for (int col = 0; col < 5; ++col) {
      if (rows[row][col] == '#') c.rect(x + col * scale, y + row * scale, scale, scale, colour);
    }
  }
}

// The screen over the ring announcing the bout: "VS" between two hearts and
// the two fighters' bars below.
void bigScreen(Canvas& c) {
  const QRect frame(78, 19, 65, 28), inside = frame.adjusted(2, 2, -2, -2);
  c.rect(frame.x(), frame.y(), frame.width(), frame.height(), qRgb(34, 32, 52));
  c.rect(frame.x(), frame.y(), frame.width(), 1, qRgb(76, 72, 104));
  c.rect(frame.x(), frame.bottom(), frame.width(), 1, qRgb(22, 20, 34));
  for (int y = inside.top(); y <= inside.bottom(); ++y) {
    const double t = double(y - inside.top()) / inside.height();
    const QRgb row = snapped(mix(qRgb(34, 14, 70), qRgb(84, 30, 116), t));
    c.rect(inside.x(), y, inside.width(), 1, y % 2 ? snapped(mix(row, qRgb(0, 0, 0), 0.25)) : row);
  }
  constexpr std::array<const char*, 5> kV = {"#...#", "#...#", "#...#", ".#.#.", "..#.."};
  constexpr std::array<const char*, 5> kS = {".####", "#....", ".###.", "....#", "####."};
  const int top = inside.y() + 3, vx = inside.center().x() - 16, sx = vx + 18;
  glyph(c, vx + 1, top + 1, kV, 3, qRgb(20, 8, 36));
  glyph(c, sx + 1, top + 1, kS, 3, qRgb(20, 8, 36));
  glyph(c, vx, top, kV, 3, qRgb(255, 112, 150));
  glyph(c, sx, top, kS, 3, qRgb(112, 196, 255));
  c.rect(vx, top, 3, 1, qRgb(255, 200, 214));
  c.rect(sx + 3, top, 12, 1, qRgb(210, 240, 255));
  c.heart(inside.x() + 6, top + 4, 3, qRgb(255, 112, 150));
  c.heart(inside.right() - 5, top + 4, 3, qRgb(112, 196, 255));
  for (int side = 0; side < 2; ++side) {
    const int x = side == 0 ? inside.x() + 3 : inside.center().x() + 3;
    c.rect(x, inside.bottom() - 2, 24, 2, qRgb(20, 8, 36));
    c.rect(x, inside.bottom() - 2, side == 0 ? 17 : 21, 2, qRgb(120, 230, 130));
  }
}

// The lighting rig across the roof and its lamps, each with its colour.
struct Lamp {
  int x;
  QRgb light;
};

void truss(Canvas& c, const std::array<Lamp, 4>& lamps) {
  const QRgb steel = qRgb(58, 52, 82), steelDark = qRgb(36, 32, 56);
  c.rect(0, kBannerBottom, kW, 1, steel);
  c.rect(0, kBannerBottom + 4, kW, 1, steelDark);
  for (int x = 0; x < kW; x += 4) {
    c.line(x, kBannerBottom + 1, x + 2, kBannerBottom + 3, steelDark);
    c.line(x + 2, kBannerBottom + 3, x + 4, kBannerBottom + 1, steelDark);
  }
  for (int x : {86, 134}) c.rect(x, kBannerBottom + 5, 1, 2, steelDark);  // the screen's cables
  for (const Lamp& lamp : lamps) {
    const int y = kBannerBottom + 5;
    c.rect(lamp.x - 1, y, 3, 1, steelDark);
    c.rect(lamp.x - 3, y + 1, 7, 4, qRgb(40, 36, 58));
    c.rect(lamp.x - 3, y + 1, 7, 1, steel);
    c.rect(lamp.x - 2, y + 5, 5, 1, mix(lamp.light, qRgb(255, 255, 255), 0.7));
    pool(c, lamp.x + 0.5, y + 6.5, 6, 2.5, lamp.light, 1.0);
  }
}

// Strings of little flags hanging from the rig down to the screen.
void bunting(Canvas& c, int x0, int y0, int x1, int y1, int sag, int first) {
  const std::array<QRgb, 5> flags = {qRgb(236, 84, 120), qRgb(250, 210, 90), qRgb(90, 190, 240), qRgb(130, 220, 130),
                                     qRgb(190, 140, 240)};
  const auto yAt = [&](double t) { return y0 + (y1 - y0) * t + sag * 4 * t * (1 - t); };
  for (int x = x0; x <= x1; ++x) c.set(x, int(yAt(double(x - x0) / (x1 - x0))), qRgb(90, 80, 120));
  for (int x = x0 + 4, n = first; x < x1 - 2; x += 7, ++n) {
    const double y = int(yAt(double(x - x0) / (x1 - x0))) + 1;
    const QRgb flag = flags[n % flags.size()];
    c.polygon({{x - 2.5, y}, {x + 2.5, y}, {x + 0.0, y + 5}}, flag);
    c.rect(x - 2, int(y), 5, 1, mix(flag, qRgb(255, 255, 255), 0.35));
  }
}

// ---- The ring ----

// The mat in perspective, darker toward the near edge, with its lighter
// border stripe and the heart of the tournament in the middle.
void mat(Canvas& c) {
  const QRgb canvas = qRgb(48, 72, 144), canvasDark = qRgb(36, 54, 116), stripe = qRgb(70, 100, 172);
  const QRgb logoRim = qRgb(66, 96, 170), logoRimDark = qRgb(54, 80, 150);
  for (int y = kFarEdge; y < kNearEdge; ++y) {
    const double v = double(y - kFarEdge) / (kNearEdge - kFarEdge);
    const double left = kFarLeft + (kNearLeft - kFarLeft) * v, right = kFarRight + (kNearRight - kFarRight) * v;
    for (int x = std::max(0, int(left)); x < std::min(kW, int(std::ceil(right))); ++x) {
      const double u = (x + 0.5 - left) / (right - left);  // 0 at the left rope, 1 at the right
      QRgb colour = dithered(x, y, v * 0.9) ? canvasDark : canvas;
      // The border stripe runs a little inside the ropes.
      const bool stripeRow = y == kFarEdge + 2 || y == kNearEdge - 4;
      const bool stripeSide = std::abs(u - 0.035) < 0.006 || std::abs(u - 0.965) < 0.006;
      if ((stripeRow && u > 0.03 && u < 0.97) || (stripeSide && y > kFarEdge + 1 && y < kNearEdge - 3)) colour = stripe;
      // The tournament's heart painted on the canvas, lying flat.
      const double hx = (u - 0.5) / 0.075, hy = -(v - 0.47) / 0.24;
      const double outer = std::pow(hx * hx + hy * hy - 1, 3) - hx * hx * hy * hy * hy;
      const double ix = hx * 1.25, iy = (hy - 0.05) * 1.25;
      const double inner = std::pow(ix * ix + iy * iy - 1, 3) - ix * ix * iy * iy * iy;
      if (outer <= 0 && inner > 0) colour = colour == canvasDark ? logoRimDark : logoRim;
      c.set(x, y, colour);
    }
  }
}

// The front of the ring's apron, a plain strip along the bottom.
void apron(Canvas& c) {
  c.rect(0, kNearEdge, kW, 1, qRgb(120, 118, 160));
  c.rect(0, kNearEdge + 1, kW, kH - kNearEdge - 1, qRgb(70, 20, 52));
  for (int y = kNearEdge + 1; y < kH; ++y) {
    for (int x = 0; x < kW; ++x) {
      if (dithered(x, y, double(y - kNearEdge) / (kH - kNearEdge) * 0.8)) c.set(x, y, qRgb(52, 14, 42));
    }
  }
}

// A rope of two rows, lit on top, from one point to another.
void rope(Canvas& c, QPoint from, QPoint to) {
  const QRgb light = qRgb(240, 86, 104), dark = qRgb(156, 28, 58);
  const int steps = std::max(std::abs(to.x() - from.x()), std::abs(to.y() - from.y()));
  for (int i = 0; i <= steps; ++i) {
    const double t = double(i) / steps;
    const int x = int(std::lround(from.x() + (to.x() - from.x()) * t));
    const int y = int(std::lround(from.y() + (to.y() - from.y()) * t));
    c.set(x, y, light);
    c.set(x, y + 1, dark);
  }
}

void cornerPost(Canvas& c, int x, QRgb pad, QRgb padLight, QRgb padDark) {
  const int top = kFarEdge - kPostHeight;
  c.rect(x - 1, top, 1, kPostHeight + 1, qRgb(226, 226, 240));
  c.rect(x, top, 1, kPostHeight + 1, qRgb(176, 174, 200));
  c.rect(x + 1, top, 1, kPostHeight + 1, qRgb(116, 112, 146));
  c.rect(x - 2, top - 1, 5, 2, qRgb(200, 198, 220));
  for (int h : kRopeHeights) {
    const int y = kFarEdge - h - 1;
    c.rect(x - 2, y, 5, 4, pad);
    c.rect(x - 2, y, 5, 1, padLight);
    c.rect(x - 2, y + 3, 5, 1, padDark);
  }
}

void ropes(Canvas& c) {
  const double spread = double(kNearRight - kNearLeft) / (kFarRight - kFarLeft);
  for (int h : kRopeHeights) {
    const int y = kFarEdge - h, nearY = kNearEdge - int(h * spread);
    rope(c, {kFarLeft, y}, {kFarRight, y});
    rope(c, {kFarLeft, y}, {kNearLeft, nearY});
    rope(c, {kFarRight, y}, {kNearRight, nearY});
  }
  // The player's corner is red, the opponent's blue.
  cornerPost(c, kFarLeft, qRgb(214, 56, 84), qRgb(250, 120, 140), qRgb(140, 30, 60));
  cornerPost(c, kFarRight, qRgb(64, 104, 220), qRgb(120, 170, 255), qRgb(40, 62, 150));
}

}  // namespace

QImage drawArena() {
  Canvas c(kW, kH);
  c.rect(0, 0, kW, kH, qRgb(14, 10, 30));  // the roof, dark under the title banner
  for (int y = kBannerBottom; y < 30; ++y) {
    for (int x = 0; x < kW; ++x) {
      c.set(x, y, dithered(x, y, (y - kBannerBottom) / 18.0) ? qRgb(24, 16, 48) : qRgb(14, 10, 30));
    }
  }
  crowd(c);
  barrier(c);
  c.rect(0, kFarEdge, kW, kNearEdge - kFarEdge, qRgb(22, 16, 40));  // ringside, beside the mat
  mat(c);
  const std::array<Lamp, 4> lamps = {
      {{18, qRgb(230, 226, 255)}, {58, qRgb(255, 120, 200)}, {162, qRgb(110, 220, 255)}, {202, qRgb(255, 240, 200)}}};
  // Two lamps follow the fighters, two sweep the stands in colour.
  pool(c, 186, 91, 26, 6, lamps[3].light, 0.9);
  pool(c, 38, 128, 34, 7, lamps[0].light, 0.8);
  beam(c, QPointF(lamps[0].x, kBannerBottom + 11), 6, 72, 128, lamps[0].light, 0.42);
  beam(c, QPointF(lamps[3].x, kBannerBottom + 11), 166, 208, 91, lamps[3].light, 0.42);
  beam(c, QPointF(lamps[1].x, kBannerBottom + 11), -8, 24, 72, lamps[1].light, 0.5);
  beam(c, QPointF(lamps[2].x, kBannerBottom + 11), 196, 228, 72, lamps[2].light, 0.5);
  bigScreen(c);
  truss(c, lamps);
  bunting(c, 0, kBannerBottom + 9, 74, kBannerBottom + 16, 5, 0);
  bunting(c, 146, kBannerBottom + 16, kW, kBannerBottom + 9, 5, 2);
  ropes(c);
  apron(c);
  return c.doubled();
}

}  // namespace art
