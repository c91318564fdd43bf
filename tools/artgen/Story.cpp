#include "tools/artgen/Story.h"

#include <QRandomGenerator>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <functional>
#include <map>
#include <tuple>

#include "tools/artgen/Canvas.h"
#include "tools/artgen/Characters.h"

namespace art {

namespace {

// Scenes are drawn at half size and doubled, so that their pixels are as
// chunky as the characters' on the battle screen.
constexpr int kW = kStoryWidth / 2, kH = kStoryHeight / 2;
constexpr double kPi = 3.14159265358979;

constexpr QRgb kInk = qRgb(44, 30, 40);  // the characters' outline colour
constexpr QRgb kWhite = qRgb(255, 255, 255);
constexpr QRgb kTear = qRgb(150, 220, 255);
constexpr QRgb kTearLight = qRgb(230, 248, 255);

// ---- Shading in the pixel style: ordered dithering instead of blending ----

// A vertical gradient through the colours, each band meeting the next in a
// dithered seam.
void bands(Canvas& c, int top, int bottom, std::initializer_list<QRgb> list) {
  const QList<QRgb> colours(list);
  const int n = static_cast<int>(colours.size());
  for (int y = top; y < bottom; ++y) {
    const double t = double(y - top) / (bottom - top) * n;
    const int i = std::min(int(t), n - 1);
    const double seam = std::clamp((t - i - 0.6) / 0.4, 0.0, 1.0);
    for (int x = 0; x < c.width(); ++x) {
      c.set(x, y, i + 1 < n && dithered(x, y, seam) ? colours[i + 1] : colours[i]);
    }
  }
}

// A soft light or shadow: the colour dithered over what is there, densest in
// the middle.
void glow(Canvas& c, double cx, double cy, double rx, double ry, QRgb colour, double strength = 1.0) {
  for (int y = int(cy - ry); y <= int(cy + ry); ++y) {
    for (int x = int(cx - rx); x <= int(cx + rx); ++x) {
      const double d = std::hypot((x + 0.5 - cx) / rx, (y + 0.5 - cy) / ry);
      if (d < 1.0 && dithered(x, y, strength * (1.0 - d))) c.set(x, y, colour);
    }
  }
}

// Colours every pixel of the rectangle for which inside(x, y) holds.
void fillWhere(Canvas& c, QRect area, QRgb colour, const std::function<bool(int, int)>& inside) {
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      if (inside(x, y)) c.set(x, y, colour);
    }
  }
}

// A range of hills or mountains from its ridge line down to the bottom.
void ridge(Canvas& c, double base, double height, double waves, double phase, QRgb colour) {
  for (int x = 0; x < c.width(); ++x) {
    const double u = double(x) / c.width() * 2 * kPi * waves + phase;
    const int top = int(base - height * (0.6 * std::sin(u) + 0.4 * std::sin(2.7 * u + 1.3)));
    c.rect(x, top, 1, c.height() - top, colour);
  }
}

void stars(Canvas& c, quint32 seed, int count, int bottom, QRgb bright, QRgb dim) {
  QRandomGenerator random(seed);
  for (int i = 0; i < count; ++i) {
    const int x = random.bounded(c.width()), y = random.bounded(bottom);
    c.set(x, y, i % 3 == 0 ? bright : dim);
    if (i % 11 == 0) {
      c.set(x - 1, y, dim);
      c.set(x + 1, y, dim);
      c.set(x, y - 1, dim);
      c.set(x, y + 1, dim);
    }
  }
}

void cloud(Canvas& c, double x, double y, double w, QRgb colour, QRgb shade) {
  c.ellipse(x, y + 1, w / 2, w / 7, shade);
  c.ellipse(x - w / 5, y - 1, w / 4, w / 6, colour);
  c.ellipse(x + w / 7, y - w / 8, w / 4, w / 5, colour);
  c.ellipse(x, y, w / 2.2, w / 9, colour);
}

// Scattered specks: petals, confetti, embers, snow.
void specks(Canvas& c, quint32 seed, int count, QRect area, const QList<QRgb>& colours, int size = 1) {
  QRandomGenerator random(seed);
  for (int i = 0; i < count; ++i) {
    const int x = area.left() + random.bounded(area.width()), y = area.top() + random.bounded(area.height());
    c.rect(x, y, size + (i % 4 == 0 ? 1 : 0), size, colours[i % colours.size()]);
  }
}

// ---- Characters in the scenes ----

QImage character(int index, bool back = false) { return drawCharacter(index, back).image(); }

// The same sprite with every colour passed through change.
QImage recoloured(QImage sprite, const std::function<QRgb(QRgb)>& change) {
  for (int y = 0; y < sprite.height(); ++y) {
    for (int x = 0; x < sprite.width(); ++x) {
      const QRgb colour = sprite.pixel(x, y);
      if (qAlpha(colour) != 0) sprite.setPixel(x, y, change(colour));
    }
  }
  return sprite;
}

// Anime tears streaming from an eye at (x, y) down to the given length.
void tears(Canvas& c, int x, int y, int length) {
  for (int i = 0; i < length; ++i) {
    const int dx = (i / 3) % 2;
    c.rect(x + dx, y + i, 2, 1, kTear);
  }
  c.set(x, y, kTearLight);
  c.ellipse(x + 1, y + length + 1, 1.5, 1.5, kTear);
}

void sweatDrop(Canvas& c, int x, int y) {
  c.polygon({{x + 2.0, y + 0.0}, {x + 4.0, y + 4.0}, {x + 0.0, y + 4.0}}, kTear);
  c.ellipse(x + 2, y + 5, 2.5, 2.5, kTear);
  c.set(x + 1, y + 4, kTearLight);
}

// Draws onto a clear layer, rims it with the characters' ink and lays it
// over the scene, so that props read like the sprites around them.
void outlined(Canvas& c, const std::function<void(Canvas&)>& draw) {
  Canvas layer(c.width(), c.height());
  draw(layer);
  layer.outline(kInk);
  c.stamp(layer.image(), 0, 0);
}

// ---- Letters: a 5 x 5 pixel font with just the letters the pictures need ----

const std::map<char, std::array<const char*, 5>>& font() {
  static const std::map<char, std::array<const char*, 5>> kGlyphs = {
      {'A', {".###.", "#...#", "#####", "#...#", "#...#"}}, {'F', {"#####", "#....", "####.", "#....", "#...."}},
      {'G', {".####", "#....", "#..##", "#...#", ".###."}}, {'H', {"#...#", "#...#", "#####", "#...#", "#...#"}},
      {'I', {"#####", "..#..", "..#..", "..#..", "#####"}}, {'K', {"#...#", "#..#.", "###..", "#..#.", "#...#"}},
      {'L', {"#....", "#....", "#....", "#....", "#####"}}, {'N', {"#...#", "##..#", "#.#.#", "#..##", "#...#"}},
      {'O', {".###.", "#...#", "#...#", "#...#", ".###."}}, {'P', {"####.", "#...#", "####.", "#....", "#...."}},
      {'R', {"####.", "#...#", "####.", "#..#.", "#...#"}}, {'T', {"#####", "..#..", "..#..", "..#..", "..#.."}},
      {'U', {"#...#", "#...#", "#...#", "#...#", ".###."}}, {'Y', {"#...#", ".#.#.", "..#..", "..#..", "..#.."}},
      {'1', {"..#..", ".##..", "..#..", "..#..", ".###."}}, {'2', {".###.", "#...#", "..##.", ".#...", "#####"}},
      {'4', {"...#.", "..##.", ".#.#.", "#####", "...#."}}, {'5', {"#####", "#....", "####.", "....#", "####."}},
      {'!', {"..#..", "..#..", "..#..", ".....", "..#.."}}, {'?', {"####.", "....#", "..##.", ".....", "..#.."}},
      {' ', {".....", ".....", ".....", ".....", "....."}},
  };
  return kGlyphs;
}

int textWidth(const char* text, int scale = 1) { return static_cast<int>(std::strlen(text)) * 6 * scale - scale; }

void text(Canvas& c, int x, int y, const char* letters, QRgb colour, int scale = 1) {
  for (const char* p = letters; *p; ++p, x += 6 * scale) {
    const auto& rows = font().at(*p);
    for (int row = 0; row < 5; ++row) {
      for (int col = 0; col < 5; ++col) {
        if (rows[row][col] == '#') c.rect(x + col * scale, y + row * scale, scale, scale, colour);
      }
    }
  }
}

// The letters with a dark rim, to stand out on a busy scene.
void label(Canvas& c, int x, int y, const char* letters, QRgb colour, QRgb rim, int scale = 1) {
  for (auto [dx, dy] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 1}, {1, 1}})
    text(c, x + dx, y + dy, letters, rim, scale);
  text(c, x, y, letters, colour, scale);
}

// ---- The ring, seen from the crowd ----

struct RingColours {
  QRgb mat, matShade, apron, apronShade, rope, post, pad;
};

// The ring in perspective: the mat between a far and a near edge, corner
// posts, three ropes on every side; farY and nearY are the mat's edges.
void ring(Canvas& c, int farY, int nearY, int farHalf, int nearHalf, const RingColours& k) {
  const int cx = c.width() / 2, skirt = 12, postHeight = 22;
  const double farL = cx - farHalf, farR = cx + farHalf, nearL = cx - nearHalf, nearR = cx + nearHalf;
  c.polygon(
      {{nearL, double(nearY)}, {nearR, double(nearY)}, {nearR, double(nearY + skirt)}, {nearL, double(nearY + skirt)}},
      k.apron);
  c.rect(int(nearL), nearY + skirt - 3, int(nearR - nearL), 3, k.apronShade);
  c.polygon({{farL, double(farY)}, {farR, double(farY)}, {nearR, double(nearY)}, {nearL, double(nearY)}}, k.mat);
  c.polygon({{farL + 6, farY + 3.0}, {farR - 6, farY + 3.0}, {nearR - 10, nearY - 4.0}, {nearL + 10, nearY - 4.0}},
            k.matShade);
  c.polygon({{farL + 9, farY + 5.0}, {farR - 9, farY + 5.0}, {nearR - 14, nearY - 6.0}, {nearL + 14, nearY - 6.0}},
            k.mat);
  const auto post = [&](double x, int y, int height) {
    c.rect(int(x) - 1, y - height, 3, height, k.post);
    c.rect(int(x) - 1, y - height, 3, 2, k.pad);
  };
  post(farL, farY, postHeight - 6);
  post(farR, farY, postHeight - 6);
  for (int rope = 1; rope <= 3; ++rope) {
    const int farRope = farY - rope * 5, nearRope = nearY - rope * 7;
    c.line(int(farL), farRope, int(farR), farRope, k.rope);
    c.line(int(farL), farRope, int(nearL), nearRope, k.rope);
    c.line(int(farR), farRope, int(nearR), nearRope, k.rope);
  }
  post(nearL, nearY, postHeight);
  post(nearR, nearY, postHeight);
  for (int rope = 1; rope <= 3; ++rope) c.line(int(nearL), nearY - rope * 7, int(nearR), nearY - rope * 7, k.rope);
}

// ---- The pictures ----

// The empty ring at dusk, the calm before any story is told.
QImage ringAtDusk() {
  Canvas c(kW, kH);
  bands(c, 0, 96,
        {qRgb(44, 40, 96), qRgb(86, 56, 122), qRgb(160, 82, 128), qRgb(226, 120, 112), qRgb(250, 168, 96),
         qRgb(255, 214, 140)});
  stars(c, 21, 26, 30, qRgb(255, 250, 220), qRgb(150, 140, 200));
  c.ellipse(150, 80, 15, 15, qRgb(255, 236, 170));
  c.ellipse(150, 80, 11, 11, qRgb(255, 248, 210));
  for (int y : {70, 75, 79}) c.line(134, y, 166, y, qRgb(250, 168, 96));
  cloud(c, 40, 52, 46, qRgb(240, 150, 130), qRgb(200, 110, 120));
  cloud(c, 120, 40, 34, qRgb(220, 130, 140), qRgb(180, 96, 126));
  // The empty stands around the arena, their floodlights still off.
  const QRgb stands = qRgb(76, 44, 84), standsDark = qRgb(56, 32, 66);
  const auto standsTop = [](int x) { return int(74 + 10 * (1 - std::pow((x - 100) / 100.0, 2))); };
  for (int x = 0; x < kW; ++x) {
    c.rect(x, standsTop(x), 1, 100 - standsTop(x), stands);
    for (int row = 0; row < 5; ++row) c.set(x, standsTop(x) + 2 + row * 4, standsDark);
    if (x % 7 < 3) c.set(x, standsTop(x), standsDark);
  }
  for (int x : {14, 186}) {
    c.rect(x, 50, 2, 26, standsDark);
    c.rect(x - 4, 46, 10, 5, standsDark);
    for (int i = 0; i < 3; ++i) c.set(x - 3 + i * 3, 48, qRgb(255, 240, 180));
  }
  bands(c, 100, kH, {qRgb(70, 52, 80), qRgb(54, 40, 66)});
  ring(c, 100, 128, 50, 72,
       {qRgb(78, 118, 178), qRgb(64, 98, 158), qRgb(150, 40, 60), qRgb(110, 26, 48), qRgb(230, 70, 90),
        qRgb(230, 226, 236), qRgb(60, 90, 200)});
  // A towel left on the ropes and a stool in the corner.
  c.rect(156, 102, 5, 9, kWhite);
  c.rect(156, 109, 5, 2, qRgb(200, 200, 220));
  c.rect(34, 120, 8, 2, qRgb(150, 100, 60));
  c.rect(35, 122, 1, 5, qRgb(110, 70, 40));
  c.rect(40, 122, 1, 5, qRgb(110, 70, 40));
  return c.doubled();
}

// A lightning bolt from (x, y) down by length, zigzagging as the seed says.
void lightning(Canvas& c, quint32 seed, int x, int y, int length, QRgb glowColour, QRgb core) {
  QRandomGenerator random(seed);
  while (length > 0) {
    const int step = 6 + random.bounded(6), nx = x + random.bounded(13) - 6;
    c.line(x - 1, y, nx - 1, y + step, glowColour);
    c.line(x + 1, y, nx + 1, y + step, glowColour);
    c.line(x, y, nx, y + step, core);
    x = nx;
    y += step;
    length -= step;
  }
}

// The last opponent, still a shadow: only her eyes and her power show.
QImage challenger() {
  Canvas c(kW, kH);
  const QRgb aura = qRgb(220, 120, 255), auraDark = qRgb(120, 50, 170), eye = qRgb(255, 80, 170);
  bands(c, 0, kH, {qRgb(10, 6, 20), qRgb(24, 10, 40), qRgb(44, 16, 66), qRgb(70, 24, 92)});
  lightning(c, 7, 30, 0, 70, auraDark, qRgb(240, 220, 255));
  lightning(c, 8, 172, 0, 56, auraDark, qRgb(240, 220, 255));
  for (int i = 0; i < 7; ++i) {
    cloud(c, 14 + i * 30, 6 + (i % 2) * 5, 44, qRgb(46, 22, 66), qRgb(30, 14, 46));
  }
  // Rings of her power spreading from her heart.
  for (double r : {88.0, 68.0, 50.0}) {
    fillWhere(c, QRect(0, 0, kW, kH), r > 80 ? auraDark : aura, [r](int x, int y) {
      const double d = std::hypot((x + 0.5 - 100) / r, (y + 0.5 - 76) / (r * 0.8));
      return d >= 0.97 && d <= 1.0 && (x + y) % 3 != 0;
    });
  }
  // The final's ring, lit from below.
  c.rect(0, 118, kW, kH - 118, qRgb(34, 16, 50));
  glow(c, 100, 124, 56, 10, qRgb(120, 50, 170), 0.9);
  glow(c, 100, 124, 34, 6, aura, 0.7);
  // Rocks the girl lifts without touching them.
  outlined(c, [](Canvas& rocks) {
    const QRgb rock = qRgb(96, 76, 116), rockLight = qRgb(140, 120, 160);
    for (auto [x, y, r] :
         {std::tuple{22, 66, 6}, {176, 56, 8}, {40, 100, 4}, {158, 98, 5}, {62, 30, 3}, {142, 24, 4}}) {
      rocks.polygon({{x - r * 1.0, y + r * 0.3},
                     {x - r * 0.4, y - r * 0.8},
                     {x + r * 0.9, y - r * 0.5},
                     {x + r * 1.1, y + r * 0.6},
                     {x + r * 0.1, y + r * 0.9}},
                    rock);
      rocks.rect(x - r / 2, y - r / 2, r, 1, rockLight);
    }
  });
  // Her shadow: the psychic girl blacked out, with glowing eyes and aura.
  const QImage sprite = character(13);
  QImage shadow = sprite;
  for (int y = 0; y < sprite.height(); ++y) {
    for (int x = 0; x < sprite.width(); ++x) {
      const QRgb colour = sprite.pixel(x, y);
      if (qAlpha(colour) == 0) continue;
      const bool inEye = y >= 19 && y <= 21 && (x == 18 || x == 19 || x == 28 || x == 29);
      const bool hair = qBlue(colour) > qGreen(colour) + 60 && qRed(colour) > qGreen(colour) + 40;
      QRgb dark = hair ? qRgb(62, 26, 84) : qRgb(22, 8, 32);
      if (colour == kInk || colour == aura) dark = aura;
      if (inEye) dark = y == 19 ? kWhite : eye;
      shadow.setPixel(x, y, dark);
    }
  }
  c.stamp(shadow, QRect(52, 26, 96, 96));
  // Ropes of the ring in front.
  for (int y : {124, 132, 140}) c.line(0, y, kW, y, qRgb(170, 40, 90));
  c.rect(4, 116, 4, 34, qRgb(200, 190, 210));
  c.rect(192, 116, 4, 34, qRgb(200, 190, 210));
  return c.doubled();
}

// A window with crossed bars onto whatever view draws inside it.
void window(Canvas& c, QRect area, QRgb frame, const std::function<void(Canvas&)>& view) {
  Canvas outside(area.width(), area.height());
  view(outside);
  c.stamp(outside.image(), area.x(), area.y());
  const QRect r = area.adjusted(-2, -2, 1, 1);
  c.rect(r.x(), r.y(), r.width() + 1, 2, frame);
  c.rect(r.x(), r.bottom(), r.width() + 1, 3, frame);
  c.rect(r.x(), r.y(), 2, r.height(), frame);
  c.rect(r.right(), r.y(), 2, r.height(), frame);
  c.rect(area.center().x(), area.y(), 2, area.height(), frame);
  c.rect(area.x(), area.center().y(), area.width(), 2, frame);
}

// Wooden planks, standing or lying.
void planks(Canvas& c, QRect area, int width, bool standing, QRgb wood, QRgb seam, quint32 seed) {
  c.rect(area.x(), area.y(), area.width(), area.height(), wood);
  QRandomGenerator random(seed);
  if (standing) {
    for (int x = area.x(); x < area.right(); x += width) c.rect(x, area.y(), 1, area.height(), seam);
  } else {
    for (int y = area.y(); y < area.bottom(); y += width) {
      c.rect(area.x(), y, area.width(), 1, seam);
      for (int x = area.x() + random.bounded(30); x < area.right(); x += 24 + random.bounded(20))
        c.rect(x, y, 1, width, seam);
    }
  }
  for (int i = 0; i < area.width() * area.height() / 90; ++i) {
    const int x = area.x() + random.bounded(area.width()), y = area.y() + random.bounded(area.height());
    if (standing)
      c.rect(x, y, 1, 3, seam);
    else
      c.rect(x, y, 3, 1, seam);
  }
}

void sunsetView(Canvas& v) {
  bands(v, 0, v.height(), {qRgb(120, 90, 170), qRgb(240, 130, 120), qRgb(255, 190, 110)});
  v.ellipse(v.width() * 0.7, v.height() * 0.75, 6, 6, qRgb(255, 240, 190));
  ridge(v, v.height() * 0.85, 4, 1.5, 0.5, qRgb(90, 70, 120));
}

void crossOut(Canvas& c, int x, int y, int size, QRgb colour) {
  for (int i = 0; i < 2; ++i) {
    c.line(x + i, y, x + size + i, y + size, colour);
    c.line(x + size + i, y, x + i, y + size, colour);
  }
}

// The advice before the final: the shopkeeper at the blackboard of the gym,
// the bracket up to the trophy, training and healing crossed out.
QImage advice() {
  Canvas c(kW, kH);
  planks(c, QRect(0, 0, kW, 110), 12, true, qRgb(150, 100, 64), qRgb(120, 78, 48), 11);
  c.rect(0, 106, kW, 6, qRgb(96, 60, 38));
  planks(c, QRect(0, 112, kW, kH - 112), 6, false, qRgb(196, 146, 96), qRgb(160, 112, 70), 12);
  window(c, QRect(12, 16, 40, 40), qRgb(96, 60, 38), sunsetView);
  // The evening sun falls through the window onto the floor.
  for (int y = 112; y < kH; ++y) {
    const int from = 20 + (y - 112) * 2, to = from + 44;
    for (int x = from; x < to; ++x) {
      if (dithered(x, y, 0.25)) c.set(x, y, qRgb(232, 184, 120));
    }
  }
  // The blackboard.
  const QRgb chalk = qRgb(236, 240, 230), yellowChalk = qRgb(250, 228, 110), redChalk = qRgb(244, 110, 110);
  c.rect(68, 10, 126, 80, qRgb(110, 70, 40));
  c.rect(71, 13, 120, 74, qRgb(40, 84, 62));
  glow(c, 100, 40, 30, 24, qRgb(52, 100, 76), 0.7);
  c.rect(66, 89, 130, 3, qRgb(130, 86, 52));
  c.rect(150, 87, 6, 2, chalk);
  c.rect(160, 87, 4, 2, yellowChalk);
  label(c, 80, 20, "FINAL", yellowChalk, qRgb(40, 84, 62));
  c.line(80, 27, 108, 27, yellowChalk);
  // A dumbbell and a heart, both crossed out: no training, no healing.
  c.rect(78, 46, 3, 9, chalk);
  c.rect(81, 48, 2, 5, chalk);
  c.rect(83, 50, 10, 1, chalk);
  c.rect(93, 48, 2, 5, chalk);
  c.rect(95, 46, 3, 9, chalk);
  crossOut(c, 77, 41, 20, redChalk);
  c.heart(111, 48, 6, chalk);
  c.heart(111, 49, 3.5, qRgb(40, 84, 62));
  crossOut(c, 101, 41, 20, redChalk);
  // The bracket: eight at the bottom, one at the top; our way in yellow.
  QList<int> entrants;
  for (int i = 0; i < 8; ++i) entrants.append(126 + 8 * i);
  for (int y = 76; entrants.size() > 1; y -= 10) {
    QList<int> winners;
    for (int i = 0; i < entrants.size(); i += 2) {
      const int a = entrants[i], b = entrants[i + 1];
      const QRgb ours = i == 0 ? yellowChalk : chalk;
      c.line(a, y, a, y - 10, ours);
      c.line(b, y, b, y - 10, chalk);
      c.line(a, y - 10, (a + b) / 2, y - 10, ours);
      c.line((a + b) / 2 + 1, y - 10, b, y - 10, chalk);
      winners.append((a + b) / 2);
    }
    entrants = winners;
  }
  c.line(entrants[0], 46, entrants[0], 41, yellowChalk);
  c.stamp(drawTrophy().image(), entrants[0] - 12, 17);
  // The shopkeeper points the way with a stick; the dummy waits by the wall.
  c.stamp(character(12), 146, 100);
  c.line(76, 120, 128, 74, qRgb(120, 70, 30));
  c.line(77, 120, 129, 74, qRgb(170, 110, 60));
  c.stamp(drawShopkeeper().image(), 0, 56, 2);
  return c.doubled();
}

void firework(Canvas& c, int x, int y, int radius, QRgb colour, QRgb core) {
  for (int i = 0; i < 12; ++i) {
    const double a = i * kPi / 6;
    for (int r = radius / 3; r <= radius; r += 3) {
      c.set(int(x + r * std::cos(a)), int(y + r * std::sin(a)), r == radius ? core : colour);
    }
  }
  c.rect(x - 1, y - 1, 2, 2, core);
}

// A string of paper lanterns sagging between two points.
void lanterns(Canvas& c, int x0, int y0, int x1, int y1, int sag, const QList<QRgb>& colours, QRgb string) {
  const auto yAt = [&](double t) { return y0 + (y1 - y0) * t + sag * 4 * t * (1 - t); };
  for (int x = x0; x <= x1; ++x) c.set(x, int(yAt(double(x - x0) / (x1 - x0))), string);
  int n = 0;
  for (int x = x0 + 6; x < x1 - 3; x += 12, ++n) {
    const int y = int(yAt(double(x - x0) / (x1 - x0)));
    glow(c, x, y + 4, 7, 6, qRgb(255, 220, 150), 0.35);
    c.rect(x - 2, y + 1, 5, 6, colours[n % colours.size()]);
    c.rect(x - 1, y + 1, 3, 1, qRgb(60, 40, 40));
    c.rect(x - 1, y + 3, 1, 2, qRgb(255, 240, 200));
  }
}

// A round-doored stone house of the dwarves with a lit window.
void dwarfHouse(Canvas& c, int x, int y, int w, QRgb stone, QRgb stoneDark, QRgb roof) {
  c.rect(x, y, w, 16, stone);
  c.ellipse(x + w / 2.0, y, w / 2.0 + 2, 8, roof);
  c.rect(x, y + 14, w, 2, stoneDark);
  for (int i = 0; i < 3; ++i) c.rect(x + 2 + i * (w / 3), y + 4 + (i % 2) * 5, 3, 1, stoneDark);
  c.ellipse(x + w * 0.3, y + 11, 3, 5, qRgb(90, 56, 40));
  c.set(x + int(w * 0.3) + 1, y + 11, qRgb(250, 210, 90));
  c.rect(x + int(w * 0.62), y + 5, 4, 4, qRgb(255, 214, 110));
  c.rect(x + int(w * 0.62) + 2, y + 5, 1, 4, stoneDark);
}

// The dwarf king, arms open for a hug, looking for the winner.
Canvas dwarfKing() {
  Canvas c(kSpriteSize, kSpriteSize);
  const QRgb skin = qRgb(255, 212, 184), skinShade = qRgb(230, 170, 144), beard = qRgb(246, 244, 250);
  const QRgb beardShade = qRgb(200, 200, 220), robe = qRgb(120, 70, 176), robeShade = qRgb(86, 46, 140);
  const QRgb cape = qRgb(200, 40, 60), gold = qRgb(250, 204, 60), goldShade = qRgb(200, 150, 30);
  c.polygon({{13, 22}, {35, 22}, {42, 45}, {6, 45}}, cape);
  c.ellipse(19, 45, 4, 2.2, qRgb(110, 70, 40));
  c.ellipse(29, 45, 4, 2.2, qRgb(110, 70, 40));
  c.polygon({{15, 25}, {33, 25}, {36, 43}, {12, 43}}, robe);
  c.polygon({{28, 25}, {33, 25}, {36, 43}, {31, 43}}, robeShade);
  c.rect(13, 36, 22, 3, gold);
  for (int side : {-1, 1}) {
    c.polygon({{24 + side * 8.0, 25}, {24 + side * 10.0, 30}, {24 + side * 20.0, 17}, {24 + side * 17.0, 14}}, robe);
    c.ball(24 + side * 19, 14, 3.2, 3.2, skin, skinShade, skin);
  }
  c.ball(24, 16, 10.5, 10, skin, skinShade, skin);
  c.ellipse(24, 28, 10, 10, beard);
  c.polygon({{15, 28}, {33, 28}, {24, 42}}, beard);
  for (int x : {20, 24, 28}) c.line(x, 31, x + (x - 24) / 4, 38, beardShade);
  c.ellipse(20, 22, 4, 2, beard);
  c.ellipse(28, 22, 4, 2, beard);
  c.rect(23, 25, 2, 2, qRgb(230, 90, 110));
  c.ball(24, 20, 2.6, 2.4, qRgb(245, 140, 140), qRgb(220, 100, 110), kWhite);
  for (int x : {19, 29}) {  // eyes shut with joy
    c.set(x - 1, 16, kInk);
    c.set(x, 15, kInk);
    c.set(x + 1, 16, kInk);
  }
  c.set(15, 19, qRgb(255, 150, 170));
  c.set(33, 19, qRgb(255, 150, 170));
  c.polygon({{15, 9}, {15, 2}, {19, 6}, {24, 0}, {29, 6}, {33, 2}, {33, 9}}, gold);
  c.rect(15, 8, 19, 2, goldShade);
  c.set(24, 4, qRgb(230, 40, 60));
  c.set(18, 6, qRgb(60, 120, 230));
  c.set(30, 6, qRgb(60, 120, 230));
  c.outline(kInk);
  return c;
}

// The dwarf's homecoming: the whole valley in festival, the king searching
// with open arms, while the winner already walks off on a new journey.
QImage dwarfHomecoming() {
  Canvas c(kW, kH);
  bands(c, 0, 96, {qRgb(36, 44, 104), qRgb(84, 66, 140), qRgb(190, 100, 140), qRgb(246, 160, 110)});
  stars(c, 31, 24, 36, qRgb(255, 250, 220), qRgb(140, 140, 200));
  firework(c, 36, 22, 14, qRgb(255, 210, 80), qRgb(255, 250, 200));
  firework(c, 160, 16, 12, qRgb(255, 120, 180), qRgb(255, 220, 240));
  firework(c, 106, 30, 9, qRgb(120, 230, 255), qRgb(230, 250, 255));
  ridge(c, 70, 16, 1.1, 2.2, qRgb(96, 84, 140));
  // The castle on the mountain.
  const QRgb castle = qRgb(150, 140, 170), castleDark = qRgb(116, 104, 140), roof = qRgb(190, 60, 80);
  c.rect(118, 44, 34, 24, castle);
  for (int x : {114, 146}) {
    c.rect(x, 36, 10, 32, castle);
    c.polygon({{x - 1.0, 36}, {x + 11.0, 36}, {x + 5.0, 26}}, roof);
    c.rect(x + 4, 44, 2, 4, qRgb(255, 214, 110));
  }
  c.rect(130, 30, 10, 38, castleDark);
  c.polygon({{129, 30}, {141, 30}, {135, 18}}, roof);
  c.line(135, 18, 135, 12, castleDark);
  c.rect(136, 12, 5, 3, qRgb(250, 204, 60));
  c.ellipse(135, 64, 4, 5, qRgb(70, 50, 60));
  ridge(c, 90, 8, 1.7, 0.7, qRgb(70, 96, 80));
  ridge(c, 104, 5, 1.3, 4.0, qRgb(88, 120, 84));
  // The road out of the valley, up toward the horizon on the right.
  c.polygon({{120, 150}, {176, 150}, {196, 96}, {186, 96}}, qRgb(196, 168, 118));
  c.polygon({{140, 150}, {156, 150}, {192, 96}, {189, 96}}, qRgb(176, 146, 100));
  const QRgb stone = qRgb(176, 164, 150), stoneDark = qRgb(130, 118, 110);
  dwarfHouse(c, 66, 84, 24, stone, stoneDark, qRgb(120, 150, 80));
  dwarfHouse(c, 100, 90, 20, stone, stoneDark, qRgb(170, 90, 60));
  dwarfHouse(c, 4, 80, 22, stone, stoneDark, qRgb(150, 100, 70));
  lanterns(c, 0, 58, 200, 70, 14, {qRgb(230, 50, 60), qRgb(250, 200, 60), qRgb(90, 190, 110)}, qRgb(60, 40, 60));
  specks(c, 41, 60, QRect(0, 0, kW, 110), {qRgb(255, 120, 160), qRgb(255, 230, 90), qRgb(120, 220, 255)});
  // Already on her way, bundle on her back.
  c.stamp(character(6, true), 148, 74);
  c.stamp(dwarfKing().image(), 4, 54, 2);
  label(c, 92, 60, "?", qRgb(255, 250, 220), kInk, 2);
  outlined(c, [](Canvas& layer) {
    layer.heart(14, 60, 4, qRgb(255, 110, 150));
    layer.heart(96, 88, 3, qRgb(255, 140, 170));
  });
  return c.doubled();
}

QRgb darkened(QRgb colour, double f) {
  return qRgb(int(qRed(colour) * f), int(qGreen(colour) * f), int(qBlue(colour) * f));
}

// The dragons' land: the new chief and the blue dragon, fire against ice,
// the heart between them cracked; the tribe watches from the crags.
QImage dragonLand() {
  Canvas c(kW, kH);
  bands(c, 0, 100, {qRgb(52, 14, 30), qRgb(110, 30, 40), qRgb(190, 70, 50), qRgb(246, 150, 80)});
  for (int i = 0; i < 6; ++i) cloud(c, 10 + i * 38, 10 + (i % 3) * 6, 50, qRgb(86, 36, 48), qRgb(66, 26, 40));
  // The volcano, glowing at the top, lava running down its side.
  glow(c, 100, 26, 40, 22, qRgb(255, 140, 60), 0.8);
  c.polygon({{86, 34}, {114, 34}, {178, 100}, {22, 100}}, qRgb(74, 40, 52));
  c.polygon({{100, 34}, {114, 34}, {178, 100}, {118, 100}}, qRgb(56, 28, 42));
  c.ellipse(100, 34, 14, 3, qRgb(255, 170, 60));
  c.polygon({{96, 34}, {104, 34}, {92, 60}, {98, 76}, {86, 100}, {78, 100}, {90, 76}, {84, 60}}, qRgb(240, 100, 40));
  c.polygon({{99, 34}, {101, 34}, {89, 60}, {94, 76}, {83, 100}, {81, 100}, {92, 76}, {87, 60}}, qRgb(255, 210, 90));
  specks(c, 51, 40, QRect(60, 0, 80, 40), {qRgb(255, 200, 80), qRgb(255, 120, 50)});
  // The tribe on the crags: males, every one of them.
  ridge(c, 92, 6, 2.3, 1.0, qRgb(60, 30, 44));
  for (auto [x, y, mirror] : {std::tuple{-6, 50, false}, {28, 58, true}, {140, 56, false}, {166, 48, true}}) {
    c.stamp(recoloured(character(7), [](QRgb k) { return darkened(k, 0.55); }), x, y, 1, mirror);
  }
  bands(c, 104, kH, {qRgb(100, 56, 60), qRgb(80, 42, 50)});
  for (auto [x0, y0, x1, y1] : {std::tuple{10, 120, 40, 128}, {150, 116, 190, 124}, {60, 140, 96, 146}}) {
    c.line(x0, y0, x1, y1, qRgb(255, 150, 60));
  }
  // Fire from the red one, ice from the blue one.
  specks(c, 52, 30, QRect(2, 60, 80, 80), {qRgb(255, 190, 70), qRgb(255, 110, 50)}, 2);
  specks(c, 53, 30, QRect(118, 60, 80, 80), {kWhite, qRgb(170, 230, 255)}, 2);
  c.stamp(character(7), 0, 54, 2);
  c.stamp(recoloured(character(7), [](QRgb k) { return qRgb(qBlue(k), qGreen(k), qRed(k)); }), 104, 54, 2, true);
  outlined(c, [](Canvas& layer) {
    // The chief's crown, between the horns.
    layer.polygon({{40, 74}, {40, 66}, {44, 70}, {48, 63}, {52, 70}, {56, 66}, {56, 74}}, qRgb(250, 204, 60));
    layer.rect(40, 73, 17, 2, qRgb(200, 150, 30));
    layer.set(48, 69, qRgb(60, 200, 120));
    layer.heart(100, 52, 9, qRgb(255, 120, 160));
    layer.ellipse(94, 50, 2, 2, qRgb(255, 200, 220));
    layer.polygon({{80, 86}, {88, 76}, {86, 84}, {94, 80}, {88, 92}}, qRgb(255, 150, 50));
    layer.polygon({{83, 85}, {88, 79}, {87, 85}, {91, 83}, {87, 89}}, qRgb(255, 230, 110));
    layer.polygon({{120, 76}, {114, 84}, {118, 84}, {112, 92}, {124, 82}, {119, 82}}, qRgb(170, 230, 255));
    layer.line(118, 78, 115, 83, kWhite);
  });
  // The crack through the heart.
  for (auto [x0, y0, x1, y1] : {std::tuple{100, 47, 97, 53}, {97, 53, 103, 58}, {103, 58, 100, 64}}) {
    c.line(x0, y0, x1, y1, kInk);
  }
  sweatDrop(c, 74, 74);
  return c.doubled();
}

void cherryTree(Canvas& c, int x, int y, int size) {
  const QRgb bark = qRgb(110, 70, 60), blossom = qRgb(255, 190, 210), shade = qRgb(236, 146, 180);
  c.polygon({{x - 2.0, y + size * 2.0}, {x + 2.0, y + size * 2.0}, {x + 1.0, double(y)}, {x - 1.0, double(y)}}, bark);
  c.line(x, y + size, x - size, y + size / 2, bark);
  c.line(x, y + size, x + size, y + size / 3, bark);
  for (auto [dx, dy, r] :
       {std::tuple{0.0, 0.0, 1.0}, {-0.9, 0.4, 0.7}, {0.9, 0.3, 0.75}, {-0.4, -0.6, 0.6}, {0.5, -0.5, 0.65}}) {
    c.ellipse(x + dx * size, y + dy * size + 2, r * size, r * size * 0.8, shade);
    c.ellipse(x + dx * size - 1, y + dy * size, r * size * 0.9, r * size * 0.7, blossom);
  }
  specks(c, quint32(x * 7 + y), size * 2, QRect(x - size * 2, y - size, size * 4, size * 2), {kWhite, shade});
}

// The doe of the tea house: a rabbit in a yukata, crying and cross.
Canvas doe() {
  Canvas c(kSpriteSize, kSpriteSize);
  const QRgb fur = qRgb(255, 228, 210), shade = qRgb(236, 188, 176), pink = qRgb(255, 160, 190);
  const QRgb yukata = qRgb(130, 76, 180), yukataShade = qRgb(96, 52, 146), obi = qRgb(255, 200, 70);
  const QRgb ribbon = qRgb(230, 50, 90);
  c.ellipse(18, 8, 3.2, 8, fur);
  c.ellipse(31, 9, 3.2, 8, fur);
  c.ellipse(18, 9, 1.4, 5.5, pink);
  c.ellipse(31, 10, 1.4, 5.5, pink);
  c.ellipse(15, 44, 6, 2.6, fur);
  c.ellipse(33, 44, 6, 2.6, fur);
  c.polygon({{16, 28}, {32, 28}, {36, 44}, {12, 44}}, yukata);
  c.polygon({{28, 28}, {32, 28}, {36, 44}, {31, 44}}, yukataShade);
  c.polygon({{20, 28}, {28, 28}, {24, 34}}, fur);
  c.rect(13, 35, 22, 3, obi);
  for (auto [x, y] : {std::pair{17, 40}, {27, 41}, {22, 31}}) c.set(x, y, qRgb(255, 190, 230));
  c.ball(24, 20, 11, 9.5, fur, shade, kWhite);
  c.polygon({{31, 6}, {36, 3}, {36, 9}}, ribbon);
  c.polygon({{31, 6}, {26, 3}, {26, 9}}, ribbon);
  c.rect(30, 5, 2, 2, qRgb(170, 30, 60));
  for (int side : {-1, 1}) {  // eyes squeezed shut, lashes out
    const int x = 24 + side * 6;
    c.set(x - side, 18, kInk);
    c.set(x, 19, kInk);
    c.set(x - side, 20, kInk);
    c.set(x + side, 17, kInk);
  }
  c.ellipse(24, 25, 2.5, 2, qRgb(110, 30, 50));
  c.set(24, 26, pink);
  c.rect(14, 22, 3, 1, qRgb(255, 140, 160));
  c.rect(32, 22, 3, 1, qRgb(255, 140, 160));
  c.outline(kInk);
  return c;
}

// A red cross of veins: someone is cross.
void angerMark(Canvas& c, int x, int y) {
  const QRgb red = qRgb(230, 40, 60);
  for (auto [dx, dy] : {std::pair{-1, -1}, {1, -1}, {-1, 1}, {1, 1}}) {
    c.line(x + dx, y + dy * 3, x + dx, y + dy, red);
    c.line(x + dx * 3, y + dy, x + dx, y + dy, red);
  }
}

// The wandering rabbit: at the tea house under the cherry trees the doe is
// left crying, and the rabbit is already on the road into the sunset.
QImage wanderingRabbit() {
  Canvas c(kW, kH);
  bands(c, 0, 96, {qRgb(110, 88, 170), qRgb(206, 126, 176), qRgb(248, 164, 150), qRgb(255, 210, 160)});
  cloud(c, 150, 24, 40, qRgb(250, 190, 200), qRgb(220, 150, 180));
  cloud(c, 60, 14, 30, qRgb(240, 170, 200), qRgb(200, 130, 180));
  c.ellipse(152, 80, 10, 10, qRgb(255, 244, 200));
  ridge(c, 84, 5, 1.2, 0.8, qRgb(170, 150, 170));
  ridge(c, 96, 5, 2.0, 2.0, qRgb(120, 164, 96));
  bands(c, 104, kH, {qRgb(126, 182, 92), qRgb(104, 160, 80)});
  specks(c, 61, 140, QRect(0, 100, kW, 50), {qRgb(90, 140, 70), qRgb(150, 200, 110)});
  // The road winds off toward the sun.
  const QRgb road = qRgb(226, 196, 146), roadEdge = qRgb(196, 160, 114);
  c.polygon({{96, 150}, {176, 150}, {152, 118}, {126, 118}}, roadEdge);
  c.polygon({{100, 150}, {172, 150}, {150, 118}, {128, 118}}, road);
  c.polygon({{128, 118}, {150, 118}, {142, 100}, {130, 100}}, road);
  c.polygon({{130, 100}, {142, 100}, {154, 88}, {150, 88}}, road);
  cherryTree(c, 184, 30, 14);
  cherryTree(c, 178, 82, 8);
  c.stamp(character(3, true), 118, 68);
  // The tea house's red parasol and bench, two cups of green tea, dango.
  const QRgb red = qRgb(210, 40, 56), redShade = qRgb(160, 24, 44), wood = qRgb(110, 70, 50);
  c.rect(64, 52, 2, 66, wood);
  c.ellipse(65, 56, 46, 14, redShade);
  c.polygon({{19, 56}, {111, 56}, {65, 40}}, red);
  for (int x = 27; x <= 103; x += 19) c.line(65, 42, x, 56, redShade);
  c.rect(2, 110, 104, 6, red);
  c.rect(2, 115, 104, 2, redShade);
  for (int x : {6, 98}) c.rect(x, 117, 3, 14, wood);
  outlined(c, [](Canvas& layer) {
    for (int x : {74, 86}) {
      layer.rect(x, 104, 6, 6, qRgb(240, 236, 226));
      layer.rect(x, 104, 6, 1, qRgb(120, 170, 60));
    }
    layer.ellipse(99, 109, 6, 1.5, kWhite);
    const QRgb dango[] = {qRgb(255, 170, 190), kWhite, qRgb(140, 200, 100)};
    for (int i = 0; i < 3; ++i) layer.ellipse(95 + i * 4, 106, 1.8, 1.8, dango[i]);
  });
  for (int x : {76, 88}) {
    c.set(x + 1, 100, kWhite);
    c.set(x + 2, 98, kWhite);
    c.set(x + 1, 96, kWhite);
  }
  c.stamp(doe().image(), 2, 30, 2);
  tears(c, 26, 70, 16);
  tears(c, 60, 70, 16);
  angerMark(c, 84, 30);
  specks(c, 62, 40, QRect(0, 0, kW, kH), {qRgb(255, 200, 220), qRgb(255, 170, 200)});
  return c.doubled();
}

// A little house for birds, hung in a tree.
void birdhouse(Canvas& c, int x, int y, QRgb wall, QRgb roof) {
  c.rect(x, y, 10, 9, wall);
  c.polygon({{x - 2.0, y + 1.0}, {x + 12.0, y + 1.0}, {x + 5.0, y - 6.0}}, roof);
  c.ellipse(x + 5, y + 4.5, 2, 2, qRgb(60, 40, 40));
  c.rect(x + 3, y + 9, 4, 1, qRgb(120, 80, 50));
}

// The birds' country: the wedding feast under the great tree, and what ten
// years of peace made of the champion.
QImage birdCountry() {
  Canvas c(kW, kH);
  bands(c, 0, 108, {qRgb(80, 160, 246), qRgb(120, 190, 255), qRgb(180, 226, 255)});
  cloud(c, 150, 20, 44, kWhite, qRgb(210, 230, 250));
  cloud(c, 96, 36, 30, kWhite, qRgb(210, 230, 250));
  // The great tree with the houses of the clan and the palace on top.
  const QRgb leaf = qRgb(70, 170, 80), leafDark = qRgb(46, 130, 66), leafLight = qRgb(130, 210, 110);
  c.rect(120, 30, 14, 80, qRgb(120, 80, 56));
  c.rect(128, 30, 6, 80, qRgb(96, 62, 44));
  for (auto [x, y, r] : {std::tuple{127, 32, 26}, {100, 44, 18}, {156, 42, 20}, {176, 60, 14}, {84, 62, 12}}) {
    c.ball(x, y, r, r * 0.75, leaf, leafDark, leafLight);
  }
  birdhouse(c, 96, 46, qRgb(250, 210, 120), qRgb(230, 70, 80));
  birdhouse(c, 152, 44, qRgb(180, 220, 255), qRgb(60, 110, 220));
  birdhouse(c, 172, 62, qRgb(255, 190, 210), qRgb(250, 180, 40));
  // The palace: a golden house with a flag.
  c.rect(117, 4, 20, 14, qRgb(250, 214, 90));
  c.polygon({{113, 6}, {141, 6}, {127, -6}}, qRgb(230, 70, 80));
  c.ellipse(127, 11, 3, 3, qRgb(90, 60, 40));
  c.line(127, 0, 127, -6, qRgb(90, 60, 40));
  bands(c, 108, kH, {qRgb(120, 200, 96), qRgb(96, 176, 80)});
  specks(c, 71, 60, QRect(0, 110, kW, 40), {qRgb(255, 240, 120), kWhite, qRgb(255, 150, 190)});
  lanterns(c, 0, 30, 110, 26, 12, {qRgb(255, 90, 110), qRgb(255, 220, 70), qRgb(80, 170, 250), qRgb(120, 220, 120)},
           qRgb(80, 60, 60));
  // Then: the champion in a golden frame.
  c.rect(4, 48, 54, 54, qRgb(200, 150, 30));
  c.rect(5, 49, 52, 52, qRgb(250, 210, 70));
  c.rect(7, 51, 48, 48, qRgb(200, 236, 255));
  c.rect(7, 90, 48, 9, qRgb(150, 210, 120));
  c.stamp(character(8), 7, 51);
  label(c, 19, 108, "42KG", kWhite, kInk);
  // Now: ten years of feasting later, beside his bride.
  const QImage bride = recoloured(character(8), [](QRgb k) {
    if (k == qRgb(240, 60, 70)) return qRgb(255, 150, 190);   // head
    if (k == qRgb(180, 30, 50)) return qRgb(230, 110, 160);   // head shade
    if (k == qRgb(50, 120, 230)) return qRgb(250, 200, 230);  // wings
    if (k == qRgb(30, 70, 170)) return qRgb(220, 150, 200);   // wing shade
    return k;
  });
  outlined(c, [](Canvas& layer) {
    layer.polygon({{158, 64}, {182, 64}, {199, 118}, {141, 118}}, qRgb(250, 250, 255));
  });
  c.stamp(bride, QRect(134, 58, 72, 72), true);
  outlined(c, [](Canvas& layer) {
    layer.ellipse(148, 106, 4, 4, qRgb(255, 120, 150));
    layer.set(147, 105, kWhite);
    layer.set(149, 107, qRgb(255, 230, 120));
  });
  c.stamp(character(8), QRect(44, 52, 124, 78));
  sweatDrop(c, 146, 58);
  sweatDrop(c, 62, 66);
  label(c, 96, 134, "125KG", kWhite, kInk);
  specks(c, 72, 80, QRect(0, 0, kW, kH), {qRgb(255, 90, 110), qRgb(255, 220, 70), qRgb(80, 170, 250), kWhite});
  return c.doubled();
}

void curtain(Canvas& c, int x, int width, int height, QRgb red, QRgb fold, QRgb light) {
  c.rect(x, 0, width, height, red);
  for (int i = x + 2; i < x + width; i += 6) {
    c.rect(i, 0, 2, height, fold);
    c.rect(i + 3, 0, 1, height, light);
  }
}

// The staff credits: the whole roster takes a bow on the stage, confetti
// falls and the audience claps.
QImage curtainCall() {
  Canvas c(kW, kH);
  const QRgb red = qRgb(190, 30, 52), fold = qRgb(140, 18, 42), light = qRgb(232, 74, 84);
  const QRgb gold = qRgb(250, 210, 80), goldShade = qRgb(200, 150, 40);
  bands(c, 0, 84, {qRgb(30, 22, 70), qRgb(54, 36, 104), qRgb(86, 56, 130)});
  stars(c, 81, 30, 70, qRgb(255, 250, 210), qRgb(150, 130, 210));
  for (int x : {60, 140}) glow(c, x, 60, 36, 60, qRgb(120, 100, 170), 0.5);
  planks(c, QRect(0, 84, kW, 50), 5, false, qRgb(196, 140, 86), qRgb(160, 108, 64), 82);
  c.rect(20, 74, 160, 10, qRgb(150, 100, 60));
  c.rect(20, 74, 160, 2, qRgb(190, 136, 86));
  for (int x : {60, 140}) glow(c, x, 112, 40, 10, qRgb(250, 220, 160), 0.6);
  curtain(c, 0, 20, 134, red, fold, light);
  curtain(c, 180, 20, 134, red, fold, light);
  c.rect(0, 0, kW, 12, red);
  for (int x = 0; x < kW; x += 16) c.ellipse(x + 8, 12, 9, 4, red);
  c.rect(0, 15, kW, 1, gold);
  for (int x = 0; x < kW; x += 16) c.set(x + 8, 16, gold);
  // The banner.
  c.polygon({{26, 22}, {40, 22}, {40, 36}, {26, 36}, {31, 29}}, goldShade);
  c.polygon({{174, 22}, {160, 22}, {160, 36}, {174, 36}, {169, 29}}, goldShade);
  c.rect(34, 20, 132, 14, gold);
  c.rect(34, 32, 132, 2, goldShade);
  text(c, 100 - textWidth("THANK YOU FOR PLAYING!") / 2, 24, "THANK YOU FOR PLAYING!", red);
  // Footlights and the audience in the dark.
  c.rect(0, 134, kW, 3, qRgb(80, 50, 40));
  for (int x = 10; x < kW; x += 20) {
    c.rect(x, 132, 4, 2, qRgb(255, 240, 170));
    glow(c, x + 2, 131, 8, 4, qRgb(255, 230, 150), 0.5);
  }
  c.rect(0, 137, kW, kH - 137, qRgb(26, 18, 36));
  for (int x = 4; x < kW; x += 12) {
    c.ellipse(x + (x / 12 % 2) * 4, 146, 5, 5, qRgb(50, 36, 64));
    if (x % 36 == 4) c.rect(x + 6, 138, 2, 5, qRgb(50, 36, 64));
  }
  // The roster stands at the picture's own resolution, not doubled: all
  // sixteen need the room.
  Canvas stage(kStoryWidth, kStoryHeight);
  stage.stamp(c.doubled(), 0, 0);
  const int backRow[] = {0, 1, 2, 4, 5, 9, 10, 11}, frontRow[] = {12, 14, 6, 7, 3, 8, 15, 13};
  for (int i = 0; i < 8; ++i) stage.stamp(character(backRow[i]), 40 + i * 40, 102);
  for (int i = 0; i < 8; ++i) stage.stamp(character(frontRow[i]), 52 + i * 40, 176);
  specks(stage, 83, 160, QRect(40, 40, 320, 220),
         {qRgb(255, 90, 110), gold, qRgb(80, 170, 250), qRgb(120, 220, 120), kWhite, qRgb(255, 160, 220)}, 2);
  return stage.image().convertToFormat(QImage::Format_RGB32);
}

void redLantern(Canvas& c, int x, int y) {
  glow(c, x, y, 18, 18, qRgb(200, 110, 60), 0.5);
  c.line(x, y - 16, x, y - 10, qRgb(40, 30, 30));
  c.ellipse(x, y, 7, 9, qRgb(220, 40, 40));
  for (int dy = -6; dy <= 6; dy += 3) c.line(x - 6, y + dy, x + 6, y + dy, qRgb(180, 24, 34));
  c.rect(x - 2, y - 4, 4, 7, qRgb(255, 230, 200));
  c.rect(x - 4, y - 10, 9, 2, qRgb(40, 30, 30));
  c.rect(x - 4, y + 9, 9, 2, qRgb(40, 30, 30));
}

// The cat girl's night: at the pub counter she weeps over the prize that was
// only honour, her dream of cat ears cracked in two; the landlord listens.
QImage catGirl() {
  Canvas c(kW, kH);
  planks(c, QRect(0, 0, kW, 104), 10, true, qRgb(96, 60, 44), qRgb(74, 44, 34), 91);
  window(c, QRect(10, 60, 30, 30), qRgb(60, 36, 26), [](Canvas& v) {
    bands(v, 0, v.height(), {qRgb(20, 24, 60), qRgb(40, 44, 96)});
    v.ellipse(20, 8, 4, 4, qRgb(255, 246, 200));
    stars(v, 92, 6, 30, kWhite, qRgb(150, 150, 200));
  });
  // Menu tags along the wall and the bottle shelf.
  for (int x = 84; x < kW; x += 9) {
    c.rect(x, 2, 7, 17, qRgb(240, 230, 200));
    for (int y = 5; y < 17; y += 3) c.rect(x + 3, y, 1, 2, qRgb(40, 30, 30));
  }
  c.rect(80, 40, 120, 3, qRgb(140, 96, 60));
  for (int i = 0; i < 9; ++i) {
    static constexpr QRgb glass[] = {qRgb(60, 130, 80), qRgb(150, 84, 44), qRgb(150, 190, 210)};
    const int x = 102 + i * 11, h = 12 + (i * 5) % 6;
    c.rect(x, 40 - h, 7, h, glass[i % 3]);
    c.rect(x + 2, 40 - h - 4, 3, 4, glass[i % 3]);
    c.rect(x + 1, 40 - h / 2 - 2, 5, 4, qRgb(240, 230, 200));
  }
  redLantern(c, 90, 38);
  redLantern(c, 188, 76);
  // The landlord behind the counter, the girl at it.
  c.stamp(drawShopkeeper().image(), 104, 30, 2);
  sweatDrop(c, 178, 48);
  c.stamp(character(14), 4, 30, 2);
  // The counter, with juice (she is under age) and skewers.
  c.rect(0, 104, kW, 8, qRgb(212, 162, 104));
  c.rect(0, 104, kW, 2, qRgb(236, 196, 140));
  planks(c, QRect(0, 112, kW, kH - 112), 16, true, qRgb(150, 96, 58), qRgb(120, 74, 44), 93);
  outlined(c, [](Canvas& layer) {
    layer.rect(84, 88, 9, 16, qRgb(200, 236, 250));
    layer.rect(85, 92, 7, 12, qRgb(255, 160, 40));
    layer.line(90, 82, 88, 96, qRgb(240, 60, 80));
    layer.ellipse(112, 102, 10, 2, kWhite);
    for (int i = 0; i < 3; ++i) {
      layer.line(104 + i * 5, 100, 110 + i * 5, 96, qRgb(160, 110, 60));
      layer.rect(105 + i * 5, 97, 3, 2, qRgb(130, 60, 40));
    }
  });
  // Wailing: mouth wide, tears in streams.
  c.ellipse(52, 79, 3, 2.5, qRgb(110, 30, 50));
  c.set(52, 80, qRgb(255, 150, 170));
  tears(c, 40, 72, 28);
  tears(c, 60, 72, 28);
  // The dream in a bubble: herself with cat ears, cracked in two.
  outlined(c, [](Canvas& layer) {
    layer.ellipse(60, 58, 2, 2, kWhite);
    layer.ellipse(68, 50, 3, 2.5, kWhite);
    layer.ellipse(46, 22, 30, 19, kWhite);
  });
  const QImage dream = character(14).copy(10, 2, 28, 28);
  c.stamp(dream, 32, 8);
  outlined(c, [](Canvas& layer) {
    layer.polygon({{34, 12}, {36, 4}, {41, 10}}, qRgb(40, 80, 170));
    layer.polygon({{58, 12}, {56, 4}, {51, 10}}, qRgb(40, 80, 170));
    layer.polygon({{35, 11}, {36, 7}, {39, 10}}, qRgb(255, 160, 180));
    layer.polygon({{57, 11}, {56, 7}, {53, 10}}, qRgb(255, 160, 180));
  });
  for (auto [x0, y0, x1, y1] : {std::tuple{22, 8, 34, 20}, {34, 20, 28, 26}, {28, 26, 40, 40}}) {
    c.line(x0, y0, x1, y1, kInk);
    c.line(x0 + 1, y0, x1 + 1, y1, kInk);
  }
  return c.doubled();
}

// The sister's morning: the brother's farewell note in her hands, and
// through the window the rabbit already far off on the road.
QImage sister() {
  Canvas c(kW, kH);
  const QRgb wall = qRgb(252, 238, 214), dot = qRgb(246, 200, 210), trim = qRgb(226, 190, 160);
  c.rect(0, 0, kW, 100, wall);
  for (int y = 4; y < 96; y += 8) {
    for (int x = (y / 8 % 2) * 4; x < kW; x += 8) {
      c.set(x, y, dot);
      c.set(x + 1, y, dot);
    }
  }
  c.rect(0, 96, kW, 14, trim);
  c.rect(0, 96, kW, 2, qRgb(206, 166, 136));
  planks(c, QRect(0, 110, kW, kH - 110), 6, false, qRgb(210, 160, 110), qRgb(176, 128, 84), 101);
  window(c, QRect(124, 14, 64, 66), qRgb(180, 130, 100), [](Canvas& v) {
    bands(v, 0, 44, {qRgb(150, 210, 255), qRgb(200, 236, 255)});
    cloud(v, 44, 12, 22, kWhite, qRgb(220, 236, 250));
    ridge(v, 40, 3, 1.0, 0.4, qRgb(140, 200, 120));
    bands(v, 44, v.height(), {qRgb(130, 196, 100), qRgb(110, 176, 84)});
    v.polygon({{20, 66}, {40, 66}, {42, 40}, {40, 40}}, qRgb(230, 204, 150));
    outlined(v, [](Canvas& far) {  // the brother, bundle on his back
      far.ellipse(41, 45, 2, 2.5, kWhite);
      far.rect(39, 39, 1, 4, kWhite);
      far.rect(42, 39, 1, 4, kWhite);
      far.ellipse(41, 46, 1.5, 1.5, qRgb(70, 170, 90));
    });
    cherryTree(v, 8, 10, 10);
  });
  // Pink curtains tied at the sides.
  for (int x : {114, 186}) {
    c.polygon({{double(x), 8}, {x + 12.0, 8}, {x + 8.0, 50}, {x + 12.0, 92}, {double(x), 92}, {x + 4.0, 50}},
              qRgb(250, 170, 196));
    c.rect(x + 3, 48, 6, 3, qRgb(220, 90, 140));
  }
  c.rect(110, 6, 90, 3, qRgb(150, 100, 70));
  specks(c, 102, 36, QRect(60, 10, 130, 110), {qRgb(255, 190, 210), qRgb(255, 160, 196)});
  // A photograph of the two of them on the wall.
  c.rect(14, 18, 30, 26, qRgb(170, 120, 80));
  c.rect(16, 20, 26, 22, qRgb(200, 236, 255));
  c.ellipse(24, 36, 5, 6, qRgb(255, 246, 250));
  c.rect(21, 26, 2, 6, qRgb(255, 246, 250));
  c.rect(26, 26, 2, 6, qRgb(255, 246, 250));
  c.ellipse(35, 36, 5, 5, qRgb(250, 150, 190));
  c.ellipse(35, 37, 3.5, 3.5, qRgb(255, 225, 205));
  c.heart(30, 23, 2, qRgb(240, 80, 120));
  // The low table where the note was left, its envelope still there.
  c.ellipse(162, 122, 28, 7, qRgb(150, 96, 60));
  c.ellipse(162, 120, 28, 7, qRgb(186, 126, 80));
  c.rect(140, 124, 3, 12, qRgb(120, 76, 48));
  c.rect(181, 124, 3, 12, qRgb(120, 76, 48));
  outlined(c, [](Canvas& layer) {
    layer.rect(152, 114, 18, 10, kWhite);
    layer.polygon({{152, 114}, {170, 114}, {161, 120}}, qRgb(230, 230, 240));
    layer.heart(161, 118, 2, qRgb(240, 80, 120));
  });
  c.stamp(character(15), 20, 46, 2);
  // The note, held in both hands.
  outlined(c, [](Canvas& layer) {
    layer.rect(48, 104, 42, 24, qRgb(250, 250, 240));
    for (int y = 108; y < 126; y += 4) layer.rect(52, y, 26 + (y * 7) % 9, 1, qRgb(90, 80, 110));
    layer.ellipse(48, 116, 4, 4, qRgb(255, 225, 205));
    layer.ellipse(90, 116, 4, 4, qRgb(255, 225, 205));
  });
  c.ellipse(68, 95, 3.5, 2.5, qRgb(110, 30, 50));
  c.set(68, 96, qRgb(255, 150, 170));
  tears(c, 56, 88, 22);
  tears(c, 76, 88, 22);
  label(c, 92, 54, "!!", qRgb(250, 120, 160), kInk, 2);
  return c.doubled();
}

void column(Canvas& c, int x, int top, int bottom, QRgb stone, QRgb shade, QRgb light) {
  c.rect(x, top, 14, bottom - top, stone);
  for (int i = x + 3; i < x + 12; i += 4) c.rect(i, top, 1, bottom - top, shade);
  c.rect(x + 1, top, 1, bottom - top, light);
  c.rect(x - 3, top - 4, 20, 4, stone);
  c.rect(x - 3, top - 1, 20, 1, shade);
  c.rect(x - 3, bottom, 20, 4, stone);
  c.rect(x - 3, bottom, 20, 1, light);
}

void pennant(Canvas& c, int x, int y, QRgb cloth, QRgb trim) {
  c.polygon(
      {{double(x), double(y)}, {x + 14.0, double(y)}, {x + 14.0, y + 34.0}, {x + 7.0, y + 28.0}, {double(x), y + 34.0}},
      cloth);
  c.rect(x, y, 14, 2, trim);
  c.polygon({{x + 7.0, y + 8.0},
             {x + 9.0, y + 13.0},
             {x + 13.0, y + 13.0},
             {x + 10.0, y + 16.0},
             {x + 11.0, y + 21.0},
             {x + 7.0, y + 18.0},
             {x + 3.0, y + 21.0},
             {x + 4.0, y + 16.0},
             {x + 1.0, y + 13.0},
             {x + 5.0, y + 13.0}},
            trim);
}

// The hall of fame: golden columns, banners and the trophy on its pedestal.
QImage goldenHall() {
  Canvas c(kW, kH);
  const QRgb gold = qRgb(244, 200, 96), goldShade = qRgb(196, 140, 52), goldLight = qRgb(255, 238, 170);
  bands(c, 0, 118, {qRgb(140, 84, 30), qRgb(196, 136, 52), qRgb(232, 178, 80)});
  // Rays of light from the champions' trophy.
  for (int i = 0; i < 16; i += 2) {
    const double a0 = i * kPi / 8, a1 = (i + 1) * kPi / 8;
    c.polygon({{100, 72},
               {100 + 200 * std::cos(a0), 72 + 200 * std::sin(a0)},
               {100 + 200 * std::cos(a1), 72 + 200 * std::sin(a1)}},
              qRgb(240, 190, 90));
  }
  glow(c, 100, 72, 70, 60, goldLight, 0.9);
  c.rect(0, 0, kW, 10, goldShade);
  for (int x = 2; x < kW; x += 6) c.rect(x, 10, 3, 3, goldShade);
  c.rect(0, 8, kW, 1, goldLight);
  for (int x : {6, 40, 146, 180}) column(c, x, 18, 114, gold, goldShade, goldLight);
  pennant(c, 23, 22, qRgb(190, 30, 52), gold);
  pennant(c, 163, 22, qRgb(50, 80, 180), gold);
  // A checkered floor and the red carpet up to the pedestal.
  for (int y = 118; y < kH; ++y) {
    for (int x = 0; x < kW; ++x) c.set(x, y, ((x / 12 + (y - 118) / 8) % 2) ? qRgb(210, 156, 64) : qRgb(166, 108, 40));
  }
  c.polygon({{70, 150}, {130, 150}, {112, 118}, {88, 118}}, gold);
  c.polygon({{74, 150}, {126, 150}, {110, 118}, {90, 118}}, qRgb(190, 30, 52));
  c.rect(74, 104, 52, 14, qRgb(244, 236, 226));
  c.rect(74, 116, 52, 2, qRgb(200, 190, 184));
  c.rect(80, 96, 40, 8, qRgb(232, 222, 210));
  c.rect(80, 96, 40, 1, kWhite);
  c.rect(90, 108, 20, 6, goldShade);
  c.rect(91, 109, 18, 4, gold);
  c.stamp(drawTrophy().image(), 76, 48, 2);
  for (auto [x, y, arm] : {std::tuple{70, 44, 3}, {132, 52, 2}, {126, 36, 2}, {64, 76, 2}}) {
    c.line(x - arm, y, x + arm, y, kWhite);
    c.line(x, y - arm, x, y + arm, kWhite);
  }
  return c.doubled();
}

}  // namespace

QImage drawStory(int index) {
  static const std::function<QImage()> kStories[kStoryPictureCount] = {
      challenger, advice, dwarfHomecoming, dragonLand, wanderingRabbit, birdCountry, curtainCall, catGirl, sister,
  };
  return kStories[index]();
}

QImage drawStoryBlank() { return ringAtDusk(); }

QImage drawHallBackground() { return goldenHall(); }

}  // namespace art
