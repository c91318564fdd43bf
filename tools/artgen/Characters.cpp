#include "tools/artgen/Characters.h"

#include <functional>

namespace art {

namespace {

constexpr QRgb kInk = qRgb(44, 30, 40);  // every outline
constexpr QRgb kEye = qRgb(30, 24, 44);
constexpr QRgb kWhite = qRgb(255, 255, 255);
constexpr QRgb kBlush = qRgb(255, 150, 170);

void eyes(Canvas& c, int leftX, int rightX, int y, int h = 3) {
  for (int x : {leftX, rightX}) {
    c.rect(x, y, 2, h, kEye);
    c.set(x, y, kWhite);
  }
}

void smile(Canvas& c, int cx, int y, QRgb colour = kEye) {
  c.set(cx - 1, y, colour);
  c.set(cx, y + 1, colour);
  c.set(cx + 1, y, colour);
}

// The small people of the roster share one build: big head, short body.
struct Person {
  QRgb skin, skinShade;
  QRgb hair, hairShade, hairLight;
  QRgb outfit, outfitShade, outfitLight;
  QRgb legs, shoes;
};

void personBody(Canvas& c, const Person& p, bool back) {
  c.rect(19, 39, 4, 6, p.legs);
  c.rect(26, 39, 4, 6, p.legs);
  c.ellipse(20.5, 45.5, 3.2, 1.8, p.shoes);
  c.ellipse(27.5, 45.5, 3.2, 1.8, p.shoes);
  c.polygon({{17, 28}, {31, 28}, {35, 41}, {13, 41}}, p.outfit);
  c.polygon({{27, 28}, {31, 28}, {35, 41}, {30, 41}}, back ? p.outfit : p.outfitShade);
  if (back) c.polygon({{17, 28}, {21, 28}, {18, 41}, {13, 41}}, p.outfitShade);
  c.polygon({{17, 29}, {19, 31}, {14, 38}, {12, 36}}, p.outfit);
  c.polygon({{31, 29}, {29, 31}, {34, 38}, {36, 36}}, p.outfit);
  c.ellipse(12.5, 37.5, 2.4, 2.4, p.skin);
  c.ellipse(35.5, 37.5, 2.4, 2.4, p.skin);
}

void personHead(Canvas& c, const Person& p, bool back) {
  c.ball(24, 18, 11.5, 10.5, p.skin, p.skinShade, p.skin);
  if (back) {
    c.ball(24, 17, 12.5, 11.5, p.hair, p.hairShade, p.hairLight);
    return;
  }
  c.ellipse(24, 13, 12.5, 8, p.hair);
  c.polygon({{12, 14}, {16, 14}, {14, 24}, {12, 22}}, p.hair);
  c.polygon({{36, 14}, {32, 14}, {34, 24}, {36, 22}}, p.hair);
  for (int x : {17, 22, 27}) c.polygon({{double(x), 15}, {x + 5.0, 15}, {x + 2.0, 19}}, p.hair);
  c.ellipse(20, 10, 4, 1.5, p.hairLight);
  eyes(c, 18, 28, 19);
  c.set(16, 23, kBlush);
  c.set(17, 23, kBlush);
  c.set(31, 23, kBlush);
  c.set(32, 23, kBlush);
  smile(c, 24, 24);
}

// Long hair that falls over the back (or frames the face from the front).
void longHair(Canvas& c, const Person& p, bool back, int length) {
  if (back) {
    c.polygon({{12, 18}, {36, 18}, {37, double(length)}, {11, double(length)}}, p.hair);
    c.polygon({{30, 18}, {36, 18}, {37, double(length)}, {31, double(length)}}, p.hairShade);
    for (int x = 15; x < 34; x += 5) c.line(x, 22, x, length - 2, p.hairShade);
  } else {
    c.polygon({{11, 16}, {15, 16}, {15, double(length)}, {11, double(length - 2)}}, p.hair);
    c.polygon({{37, 16}, {33, 16}, {33, double(length)}, {37, double(length - 2)}}, p.hairShade);
  }
}

void flower(Canvas& c, int x, int y, QRgb petal, QRgb heart) {
  c.set(x, y - 1, petal);
  c.set(x - 1, y, petal);
  c.set(x + 1, y, petal);
  c.set(x, y + 1, petal);
  c.set(x, y, heart);
}

void star(Canvas& c, double x, double y, double r, QRgb colour) {
  c.polygon({{x, y - r},
             {x + r * 0.3, y - r * 0.3},
             {x + r, y - r * 0.2},
             {x + r * 0.45, y + r * 0.25},
             {x + r * 0.6, y + r},
             {x, y + r * 0.55},
             {x - r * 0.6, y + r},
             {x - r * 0.45, y + r * 0.25},
             {x - r, y - r * 0.2},
             {x - r * 0.3, y - r * 0.3}},
            colour);
}

// 0: a round cat.
void nyapon(Canvas& c, bool back) {
  const QRgb fur = qRgb(250, 160, 60), shade = qRgb(214, 112, 36), light = qRgb(255, 214, 140);
  const QRgb cream = qRgb(255, 236, 200), pink = qRgb(255, 150, 170), stripe = qRgb(190, 90, 30);
  if (back) {
    c.line(37, 38, 43, 33, fur);
    c.line(38, 38, 44, 33, fur);
    c.line(43, 33, 42, 26, fur);
    c.line(44, 33, 43, 26, fur);
    c.rect(42, 25, 2, 2, stripe);
  }
  c.polygon({{11, 20}, {14, 6}, {22, 15}}, fur);
  c.polygon({{37, 20}, {34, 6}, {26, 15}}, fur);
  if (!back) {
    c.polygon({{14, 17}, {15, 10}, {19, 15}}, pink);
    c.polygon({{34, 17}, {33, 10}, {29, 15}}, pink);
  }
  c.ellipse(17, 43.5, 4, 2.5, cream);
  c.ellipse(31, 43.5, 4, 2.5, cream);
  c.ball(24, 28, 16, 14.5, fur, shade, light);
  for (int i = 0; i < 3; ++i) c.line(21 + i * 3, 15, 21 + i * 3, 18, stripe);
  if (back) {
    for (int y : {24, 29, 34}) {
      c.line(13, y, 18, y + 1, stripe);
      c.line(35, y, 30, y + 1, stripe);
    }
    return;
  }
  c.ellipse(24, 35, 9, 6.5, cream);
  c.rect(17, 24, 2, 4, kEye);
  c.rect(30, 24, 2, 4, kEye);
  c.set(17, 24, kWhite);
  c.set(30, 24, kWhite);
  c.set(24, 29, pink);
  c.set(23, 30, kEye);
  c.set(25, 30, kEye);
  for (int side : {-1, 1}) {
    c.line(24 + side * 9, 29, 24 + side * 15, 28, shade);
    c.line(24 + side * 9, 31, 24 + side * 15, 32, shade);
  }
}

// 1: a hedgehog whose spines have the colours of June's hydrangeas.
void juneHarry(Canvas& c, bool back) {
  const QRgb spineA = qRgb(90, 110, 220), spineB = qRgb(170, 100, 210), spineC = qRgb(120, 170, 240);
  const QRgb face = qRgb(240, 210, 170), faceShade = qRgb(200, 160, 120), nose = qRgb(60, 40, 50);
  const QRgb feet = qRgb(160, 110, 80);
  c.ellipse(17, 44.5, 4, 2, feet);
  c.ellipse(31, 44.5, 4, 2, feet);
  const QRgb spines[] = {spineA, spineB, spineC};
  int n = 0;
  for (double a = -3.0; a <= 0.2; a += 0.32) {
    const double x = 24 + 17 * std::cos(a), y = 28 + 15 * std::sin(a);
    c.polygon({{24 + 10 * std::cos(a - 0.25), 28 + 9 * std::sin(a - 0.25)},
               {x, y},
               {24 + 10 * std::cos(a + 0.25), 28 + 9 * std::sin(a + 0.25)}},
              spines[n++ % 3]);
  }
  c.ball(24, 29, 14, 13, spineA, qRgb(60, 70, 170), spineC);
  if (back) {
    for (int y = 20; y <= 38; y += 5) {
      for (int x = 14 + (y % 2) * 2; x <= 33; x += 5) {
        c.polygon({{double(x), double(y + 3)}, {x + 2.0, double(y - 2)}, {x + 4.0, double(y + 3)}},
                  (x + y) % 3 ? spineB : spineC);
      }
    }
    return;
  }
  c.ball(24, 32, 10.5, 10, face, faceShade, kWhite);
  eyes(c, 19, 27, 28);
  c.ellipse(24, 34, 2.2, 1.6, nose);
  c.set(23, 33, kWhite);
  c.set(15, 38, feet);
  c.set(33, 38, feet);
  flower(c, 31, 19, qRgb(240, 170, 230), qRgb(255, 255, 160));
}

// 2: a water spirit.
void undine(Canvas& c, bool back) {
  const Person p{qRgb(236, 248, 255), qRgb(190, 220, 245), qRgb(40, 130, 210),  qRgb(20, 90, 160),  qRgb(150, 220, 255),
                 qRgb(80, 150, 230),  qRgb(50, 110, 200),  qRgb(150, 200, 255), qRgb(80, 150, 230), qRgb(80, 150, 230)};
  longHair(c, p, back, 40);
  personBody(c, p, back);
  // The dress flows into a wave instead of feet.
  c.rect(12, 39, 25, 6, p.outfit);
  for (int x = 12; x < 37; x += 4) c.ellipse(x + 2, 45, 2.5, 1.6, p.outfitLight);
  personHead(c, p, back);
  const QRgb drop = qRgb(170, 230, 255);
  for (auto [x, y] : {std::pair{6, 12}, {41, 20}, {5, 30}, {43, 8}}) {
    c.set(x, y, drop);
    c.set(x, y + 1, drop);
    c.set(x - 1, y + 1, drop);
    c.set(x + 1, y + 1, drop);
  }
}

// 3: the wandering spring rabbit with its strong legs and a bundle.
void springRabbit(Canvas& c, bool back) {
  const QRgb fur = qRgb(255, 246, 250), shade = qRgb(225, 200, 220), pink = qRgb(255, 170, 200);
  const QRgb bundle = qRgb(70, 170, 90), bundleDark = qRgb(40, 120, 60), stick = qRgb(150, 100, 60);
  if (!back) c.line(33, 12, 40, 36, stick);
  c.ellipse(18, 7, 3.2, 8, fur);
  c.ellipse(30, 7, 3.2, 8, fur);
  if (!back) {
    c.ellipse(18, 8, 1.4, 5.5, pink);
    c.ellipse(30, 8, 1.4, 5.5, pink);
  }
  c.ellipse(15, 43.5, 6.5, 3, fur);
  c.ellipse(33, 43.5, 6.5, 3, fur);
  c.recolourIn(15, 44.5, 6.5, 1.5, fur, shade);
  c.recolourIn(33, 44.5, 6.5, 1.5, fur, shade);
  c.ball(24, 35, 9.5, 8, fur, shade, kWhite);
  c.ball(24, 21, 11, 9.5, fur, shade, kWhite);
  flower(c, 31, 13, qRgb(255, 160, 200), qRgb(255, 230, 120));
  if (back) {
    c.ball(24, 33, 8, 6.5, bundle, bundleDark, qRgb(130, 210, 140));
    c.line(18, 31, 30, 35, bundleDark);
    c.line(18, 35, 30, 31, bundleDark);
    c.ellipse(24, 41, 3, 2.5, kWhite);
    return;
  }
  c.ball(40, 37, 4, 3.5, bundle, bundleDark, qRgb(130, 210, 140));
  eyes(c, 18, 28, 19);
  c.set(23, 24, pink);
  c.set(24, 24, pink);
  smile(c, 24, 25);
  c.set(15, 23, kBlush);
  c.set(33, 23, kBlush);
}

// 4: a pachinko ball with a fighting spirit.
void pachinkoBall(Canvas& c, bool back) {
  const QRgb steel = qRgb(200, 205, 215), dark = qRgb(120, 125, 140), shine = qRgb(255, 255, 255);
  const QRgb glove = qRgb(220, 40, 50), gloveDark = qRgb(160, 20, 30), boot = qRgb(70, 70, 90);
  c.ellipse(18, 44.5, 4, 2, boot);
  c.ellipse(30, 44.5, 4, 2, boot);
  c.ball(24, 26, 16, 16, steel, dark, shine);
  c.line(12, 32, 20, 38, qRgb(160, 165, 180));
  c.ellipse(back ? 32 : 17, 18, 2.5, 1.5, shine);
  if (!back) {
    c.line(16, 21, 21, 23, kEye);
    c.line(32, 21, 27, 23, kEye);
    eyes(c, 18, 28, 24);
    c.line(22, 31, 26, 31, kEye);
  }
  for (int side : {-1, 1}) {
    c.ball(24 + side * 17, 32, 4, 3.5, glove, gloveDark, qRgb(255, 140, 140));
  }
}

// 5: a crescent moon with a star of its own.
void moonStar(Canvas& c, bool back) {
  const QRgb moon = qRgb(255, 230, 90), moonShade = qRgb(220, 180, 40), glow = qRgb(255, 250, 200);
  const QRgb starColour = qRgb(255, 250, 180), feet = qRgb(200, 150, 30);
  c.ellipse(19, 44.5, 3.5, 2, feet);
  c.ellipse(29, 44.5, 3.5, 2, feet);
  c.ball(22, 25, 15, 17, moon, moonShade, glow);
  // Cut the crescent out of the full moon.
  for (int y = 0; y < 48; ++y) {
    for (int x = 0; x < 48; ++x) {
      const double dx = (x + 0.5 - 31) / 12.0, dy = (y + 0.5 - 21) / 15.0;
      if (dx * dx + dy * dy <= 1.0) c.set(x, y, 0);
    }
  }
  star(c, 36, 34, 7, starColour);
  c.set(36, 33, moonShade);
  if (!back) {
    eyes(c, 14, 21, 22, 2);
    smile(c, 17, 27);
    c.set(11, 26, kBlush);
  } else {
    c.line(12, 14, 16, 36, moonShade);
  }
  for (auto [x, y] : {std::pair{40, 8}, {6, 9}, {43, 20}}) {
    c.set(x, y, starColour);
    c.set(x - 1, y, glow);
    c.set(x + 1, y, glow);
  }
  if (back) c.mirrorHorizontally();
}

// 6: a dwarf girl: helmet, braids and big fists.
void jeanne(Canvas& c, bool back) {
  const Person p{qRgb(255, 220, 190), qRgb(230, 180, 150), qRgb(230, 110, 40),  qRgb(180, 70, 20), qRgb(255, 170, 90),
                 qRgb(70, 150, 80),   qRgb(40, 110, 60),   qRgb(120, 200, 120), qRgb(120, 80, 50), qRgb(90, 60, 40)};
  const QRgb metal = qRgb(180, 185, 200), metalDark = qRgb(110, 115, 135);
  personBody(c, p, back);
  c.rect(14, 34, 20, 2, p.shoes);
  c.rect(23, 34, 2, 2, p.hairLight);
  for (int side : {-1, 1}) c.ball(24 + side * 12, 37, 3.8, 3.5, p.legs, p.shoes, p.hairLight);
  personHead(c, p, back);
  for (int side : {-1, 1}) {
    const double x = 24 + side * 12;
    c.ellipse(x, 27, 2.5, 3, p.hair);
    c.ellipse(x, 32, 2.2, 2.6, p.hairShade);
    c.rect(int(x) - 1, 34, 2, 2, p.hairLight);
  }
  c.ball(24, 9, 12, 6, metal, metalDark, kWhite);
  c.rect(11, 11, 26, 3, metalDark);
  c.polygon({{11, 8}, {7, 1}, {14, 6}}, kWhite);
  c.polygon({{37, 8}, {41, 1}, {34, 6}}, kWhite);
}

// 7: a small dragon.
void miniDragon(Canvas& c, bool back) {
  const QRgb scale = qRgb(230, 70, 80), shade = qRgb(170, 40, 60), light = qRgb(255, 150, 150);
  const QRgb belly = qRgb(255, 220, 160), wing = qRgb(140, 50, 110), horn = qRgb(250, 240, 200);
  const double wingSpread = back ? 1.0 : 0.7;
  for (int side : {-1, 1}) {
    const double s = side * wingSpread;
    c.polygon({{24 + s * 6, 24}, {24 + s * 22, 12}, {24 + s * 20, 30}, {24 + s * 14, 27}, {24 + s * 8, 32}}, wing);
  }
  c.polygon({{30, 38}, {44, 40}, {46, 34}, {41, 37}, {30, 34}}, scale);
  c.ellipse(17, 44, 4, 2.5, shade);
  c.ellipse(31, 44, 4, 2.5, shade);
  c.ball(24, 35, 10, 9, scale, shade, light);
  c.polygon({{16, 12}, {14, 3}, {20, 10}}, horn);
  c.polygon({{32, 12}, {34, 3}, {28, 10}}, horn);
  c.ball(24, 19, 11, 9.5, scale, shade, light);
  if (back) {
    for (int y = 12; y <= 40; y += 5) c.polygon({{22, double(y)}, {24, y - 4.0}, {26, double(y)}}, light);
    return;
  }
  c.ellipse(24, 37, 6, 6, belly);
  for (int y = 34; y <= 40; y += 3) c.line(20, y, 28, y, qRgb(230, 190, 130));
  c.ellipse(24, 23, 6, 3.5, belly);
  eyes(c, 18, 28, 16);
  c.set(22, 22, kEye);
  c.set(26, 22, kEye);
  c.set(19, 25, kWhite);
  c.set(29, 25, kWhite);
}

// 8: a little bird, prince of a brightly coloured clan.
void chunko(Canvas& c, bool back) {
  const QRgb head = qRgb(240, 60, 70), body = qRgb(250, 220, 60), bodyShade = qRgb(220, 170, 40);
  const QRgb wingColour = qRgb(50, 120, 230), wingDark = qRgb(30, 70, 170), beak = qRgb(255, 150, 40);
  const QRgb crown = qRgb(255, 210, 40), crownDark = qRgb(200, 150, 20), leg = beak;
  if (back) {
    c.polygon({{20, 36}, {14, 46}, {22, 42}}, head);
    c.polygon({{24, 36}, {24, 47}, {27, 42}}, wingColour);
    c.polygon({{28, 36}, {34, 46}, {26, 42}}, qRgb(90, 200, 120));
  }
  c.line(20, 40, 20, 46, leg);
  c.line(28, 40, 28, 46, leg);
  c.line(18, 46, 22, 46, leg);
  c.line(26, 46, 30, 46, leg);
  c.ball(24, 30, 13, 11, body, bodyShade, kWhite);
  c.ball(24, 19, 10, 9, head, qRgb(180, 30, 50), qRgb(255, 150, 150));
  c.polygon({{17, 11}, {17, 5}, {20.5, 8}, {24, 3}, {27.5, 8}, {31, 5}, {31, 11}}, crown);
  c.rect(17, 10, 15, 2, crownDark);
  c.set(24, 6, wingColour);
  for (int side : {-1, 1}) {
    c.polygon({{24 + side * 9.0, 25}, {24 + side * 16.0, 31}, {24 + side * 10.0, 38}}, wingColour);
    c.line(24 + side * 10, 29, 24 + side * 13, 33, wingDark);
  }
  if (back) {
    c.ball(24, 31, 7, 7, wingColour, wingDark, qRgb(120, 180, 255));
    return;
  }
  eyes(c, 19, 27, 17);
  c.polygon({{21, 21}, {27, 21}, {24, 26}}, beak);
  c.set(16, 22, kBlush);
  c.set(32, 22, kBlush);
}

// 9: a magic pot with eyes under its lid.
void magicalPot(Canvas& c, bool back) {
  const QRgb pot = qRgb(120, 70, 170), potShade = qRgb(80, 40, 130), potLight = qRgb(180, 130, 230);
  const QRgb gold = qRgb(240, 200, 70), goldDark = qRgb(190, 140, 30), spark = qRgb(255, 250, 180);
  for (int side : {-1, 1}) {
    c.ellipse(24 + side * 15, 30, 4, 5, gold);
    c.ellipse(24 + side * 15, 30, 2, 3, 0);
  }
  c.ellipse(18, 45, 3.5, 2, potShade);
  c.ellipse(30, 45, 3.5, 2, potShade);
  c.ball(24, 32, 14, 12, pot, potShade, potLight);
  c.rect(11, 21, 26, 4, gold);
  c.rect(11, 24, 26, 1, goldDark);
  c.ellipse(24, 19, 11, 3.5, gold);
  c.ellipse(24, 15, 3, 2.5, gold);
  if (!back) {
    c.ellipse(24, 27, 10, 2.2, qRgb(20, 10, 30));
    c.rect(18, 26, 2, 2, spark);
    c.rect(28, 26, 2, 2, spark);
    for (double a = 0; a < 6.2; a += 1.0) c.set(int(24 + 5 * std::cos(a)), int(35 + 4 * std::sin(a)), gold);
    c.set(24, 35, gold);
  } else {
    c.line(14, 35, 34, 35, gold);
  }
  star(c, 8, 10, 3, spark);
  star(c, 40, 6, 2.5, spark);
  star(c, 41, 40, 2, spark);
}

// 10: a machine that grew a plant, or a plant that built a machine.
void plantMachine(Canvas& c, bool back) {
  const QRgb metal = qRgb(160, 170, 180), metalDark = qRgb(100, 110, 125), metalLight = qRgb(210, 220, 230);
  const QRgb leaf = qRgb(70, 180, 80), leafDark = qRgb(40, 120, 50), petal = qRgb(240, 80, 110);
  const QRgb screen = qRgb(30, 50, 40), led = qRgb(120, 255, 140), bolt = qRgb(240, 200, 70);
  c.rect(15, 42, 7, 5, metalDark);
  c.rect(26, 42, 7, 5, metalDark);
  for (int side : {-1, 1}) {
    c.rect(24 + side * 14 - 2, 26, 4, 10, metalDark);
    c.ellipse(24 + side * 14, 38, 3, 2.5, metal);
  }
  c.rect(12, 22, 24, 21, metal);
  c.rect(30, 22, 6, 21, metalDark);
  c.rect(12, 22, 24, 2, metalLight);
  c.polygon({{24, 22}, {16, 8}, {22, 12}}, leaf);
  c.polygon({{24, 22}, {33, 9}, {28, 15}}, leafDark);
  c.line(24, 22, 24, 10, leafDark);
  for (double a = 0; a < 6.2; a += 1.25) c.ellipse(24 + 4 * std::cos(a), 7 + 4 * std::sin(a), 2.6, 2.6, petal);
  c.ellipse(24, 7, 2.2, 2.2, qRgb(255, 230, 80));
  if (back) {
    for (int y = 27; y <= 37; y += 3) c.line(16, y, 29, y, metalDark);
    for (auto [x, y] : {std::pair{14, 24}, {33, 24}, {14, 40}, {33, 40}}) c.set(x, y, bolt);
    c.line(36, 30, 42, 24, leafDark);
    c.ellipse(42, 23, 2, 1.5, leaf);
    return;
  }
  c.rect(15, 26, 16, 8, screen);
  c.rect(18, 28, 3, 3, led);
  c.rect(26, 28, 3, 3, led);
  c.line(19, 37, 29, 37, bolt);
  for (auto [x, y] : {std::pair{14, 24}, {33, 24}}) c.set(x, y, bolt);
}

// 11: the villain of the tournament: hat, mask and a striped shirt.
void villain(Canvas& c, bool back) {
  const Person p{qRgb(240, 200, 170), qRgb(200, 160, 130), qRgb(100, 70, 50),   qRgb(70, 45, 35), qRgb(140, 100, 70),
                 qRgb(240, 240, 240), qRgb(200, 200, 210), qRgb(255, 255, 255), qRgb(60, 60, 80), qRgb(30, 30, 40)};
  personBody(c, p, back);
  for (int y = 30; y < 41; y += 3) c.line(14, y, 34, y, qRgb(40, 40, 60));
  personHead(c, p, back);
  const QRgb hat = qRgb(40, 40, 50), band = qRgb(170, 30, 40);
  c.ellipse(24, 10, 15, 3, hat);
  c.rect(15, 2, 18, 8, hat);
  c.rect(15, 7, 18, 2, band);
  if (!back) {
    c.rect(15, 18, 18, 4, qRgb(20, 20, 30));
    c.rect(18, 19, 2, 2, kWhite);
    c.rect(28, 19, 2, 2, kWhite);
    c.rect(21, 25, 6, 1, p.skinShade);
    c.line(29, 23, 31, 26, kBlush);
  } else {
    c.rect(20, 31, 8, 5, qRgb(255, 250, 200));
    c.rect(21, 32, 6, 1, qRgb(40, 40, 60));
    c.rect(21, 34, 4, 1, qRgb(40, 40, 60));
  }
}

// 12: the training dummy: a sack on a post, a target on its chest.
void dummy(Canvas& c, bool back) {
  const QRgb sack = qRgb(220, 190, 130), sackShade = qRgb(180, 145, 90), straw = qRgb(250, 220, 100);
  const QRgb wood = qRgb(150, 100, 60), rope = qRgb(120, 80, 40), red = qRgb(220, 50, 50);
  c.rect(21, 36, 6, 10, wood);
  c.rect(15, 45, 18, 2, wood);
  c.rect(9, 27, 30, 4, wood);
  c.ball(24, 31, 10, 9, sack, sackShade, qRgb(245, 225, 180));
  c.rect(14, 36, 20, 2, rope);
  c.ball(24, 15, 9, 8.5, sack, sackShade, qRgb(245, 225, 180));
  c.rect(20, 22, 8, 2, rope);
  for (int x : {8, 39}) {
    c.line(x, 27, x - 2, 25, straw);
    c.line(x, 30, x - 2, 32, straw);
  }
  c.line(24, 6, 22, 3, straw);
  c.line(24, 6, 26, 3, straw);
  if (back) {
    c.line(24, 8, 24, 21, sackShade);
    for (int y = 9; y < 21; y += 3) {
      c.set(23, y, rope);
      c.set(25, y + 1, rope);
    }
    c.line(24, 24, 24, 38, sackShade);
    return;
  }
  c.ellipse(24, 31, 6, 5.5, kWhite);
  c.ellipse(24, 31, 4, 3.7, red);
  c.ellipse(24, 31, 2, 1.8, kWhite);
  c.set(24, 31, red);
  for (int x : {19, 28}) {
    c.line(x - 1, 12, x + 1, 14, kEye);
    c.line(x + 1, 12, x - 1, 14, kEye);
  }
  c.line(21, 18, 27, 18, rope);
}

// 13: a psychic girl, her aura around her.
void psychoGirl(Canvas& c, bool back) {
  const Person p{qRgb(250, 225, 225), qRgb(215, 185, 195), qRgb(150, 70, 190), qRgb(100, 40, 140),  qRgb(210, 150, 240),
                 qRgb(40, 40, 90),    qRgb(25, 25, 60),    qRgb(80, 80, 150),  qRgb(230, 230, 240), qRgb(60, 30, 40)};
  const QRgb aura = qRgb(220, 120, 255);
  for (double a = 0; a < 6.28; a += 0.5) {
    c.set(int(24 + 21 * std::cos(a)), int(24 + 21 * std::sin(a)), aura);
    c.set(int(24 + 18 * std::cos(a + 0.25)), int(24 + 19 * std::sin(a + 0.25)), p.hairLight);
  }
  longHair(c, p, back, 38);
  personBody(c, p, back);
  c.polygon({{17, 28}, {31, 28}, {24, 33}}, kWhite);
  if (!back) c.polygon({{22, 31}, {26, 31}, {24, 35}}, kBlush);
  if (back) c.rect(16, 28, 16, 5, kWhite);
  personHead(c, p, back);
  if (!back) {
    c.rect(18, 19, 2, 3, aura);
    c.rect(28, 19, 2, 3, aura);
    c.set(18, 19, kWhite);
    c.set(28, 19, kWhite);
  }
  c.ellipse(42, 40, 2.5, 2, p.outfitLight);
  c.ellipse(6, 38, 2, 1.5, p.outfitLight);
}

// 14: Nami, a sporty girl of the waves with a ponytail.
void nami(Canvas& c, bool back) {
  const Person p{qRgb(255, 215, 180), qRgb(225, 175, 140), qRgb(40, 80, 170),   qRgb(20, 50, 120),
                 qRgb(100, 150, 230), qRgb(250, 250, 255), qRgb(200, 210, 230), qRgb(255, 255, 255),
                 qRgb(255, 215, 180), qRgb(40, 90, 200)};
  const QRgb wave = qRgb(60, 150, 230);
  if (back) c.polygon({{21, 16}, {27, 16}, {30, 34}, {24, 36}, {20, 30}}, p.hair);
  personBody(c, p, back);
  c.line(14, 37, 34, 37, wave);
  c.line(15, 35, 19, 37, wave);
  c.line(23, 35, 27, 37, wave);
  c.line(31, 35, 33, 36, wave);
  personHead(c, p, back);
  c.rect(12, 10, 24, 2, qRgb(240, 60, 60));
  if (back) {
    c.polygon({{21, 16}, {27, 16}, {29, 32}, {24, 34}, {20, 28}}, p.hair);
    c.line(24, 18, 25, 31, p.hairShade);
    c.rect(22, 15, 4, 2, qRgb(240, 60, 60));
  }
}

// 15: Haruko, a spring girl with twin tails and cherry blossoms.
void haruko(Canvas& c, bool back) {
  const Person p{qRgb(255, 225, 205), qRgb(230, 185, 165), qRgb(250, 150, 190), qRgb(210, 100, 150),
                 qRgb(255, 205, 225), qRgb(120, 190, 110), qRgb(80, 150, 80),   qRgb(180, 230, 160),
                 qRgb(255, 225, 205), qRgb(200, 60, 90)};
  const QRgb blossom = qRgb(255, 190, 210), heart = qRgb(255, 240, 120), obi = qRgb(240, 80, 120);
  for (int side : {-1, 1}) {
    c.polygon({{24 + side * 11.0, 12}, {24 + side * 18.0, 20}, {24 + side * 16.0, 34}, {24 + side * 12.0, 26}}, p.hair);
    c.line(24 + side * 15, 22, 24 + side * 15, 31, p.hairShade);
  }
  personBody(c, p, back);
  c.rect(14, 33, 20, 3, obi);
  if (back) {
    c.polygon({{24, 34}, {16, 29}, {16, 39}}, obi);
    c.polygon({{24, 34}, {32, 29}, {32, 39}}, obi);
    c.ellipse(24, 34, 2.5, 2.5, qRgb(200, 50, 90));
  } else {
    c.line(18, 29, 24, 35, kWhite);
    c.line(30, 29, 24, 35, kWhite);
  }
  personHead(c, p, back);
  flower(c, 14, 10, blossom, heart);
  flower(c, 34, 10, blossom, heart);
  flower(c, 40, 40, blossom, heart);
}

const std::function<void(Canvas&, bool)> kDrawings[kCharacterCount] = {
    nyapon, juneHarry,  undine,       springRabbit, pachinkoBall, moonStar,   jeanne, miniDragon,
    chunko, magicalPot, plantMachine, villain,      dummy,        psychoGirl, nami,   haruko,
};

}  // namespace

Canvas drawCharacter(int index, bool back) {
  Canvas c(kSpriteSize, kSpriteSize);
  kDrawings[index](c, back);
  c.outline(kInk);
  return c;
}

Canvas drawCoin() {
  Canvas c(24, 24);
  c.ball(12, 12, 10, 10, qRgb(250, 200, 50), qRgb(200, 140, 20), qRgb(255, 245, 180));
  c.ellipse(12, 12, 6.5, 6.5, qRgb(230, 170, 30));
  const QRgb mark = qRgb(150, 90, 10);
  c.line(9, 8, 12, 12, mark);
  c.line(15, 8, 12, 12, mark);
  c.line(12, 12, 12, 17, mark);
  c.line(9, 13, 15, 13, mark);
  c.line(9, 15, 15, 15, mark);
  c.outline(kInk);
  return c;
}

Canvas drawTrophy() {
  Canvas c(24, 24);
  const QRgb gold = qRgb(250, 200, 50), shade = qRgb(200, 140, 20), light = qRgb(255, 245, 180);
  c.ellipse(5, 8, 3, 3.5, gold);
  c.ellipse(5, 8, 1.5, 2, 0);
  c.ellipse(19, 8, 3, 3.5, gold);
  c.ellipse(19, 8, 1.5, 2, 0);
  c.polygon({{5, 3}, {19, 3}, {17, 11}, {12, 14}, {7, 11}}, gold);
  c.polygon({{14, 3}, {19, 3}, {17, 11}, {12, 14}}, shade);
  c.rect(7, 4, 2, 5, light);
  c.rect(11, 14, 3, 4, shade);
  c.rect(7, 18, 11, 4, qRgb(150, 90, 50));
  c.rect(9, 19, 7, 1, gold);
  c.outline(kInk);
  return c;
}

Canvas drawShopkeeper() {
  Canvas c(48, 48);
  const QRgb fur = qRgb(170, 120, 80), shade = qRgb(120, 80, 50), light = qRgb(220, 180, 140);
  const QRgb mask = qRgb(70, 50, 40), apron = qRgb(60, 110, 190), band = qRgb(240, 240, 240);
  c.ellipse(8, 26, 3, 10, fur);
  c.ellipse(17, 44, 5, 3, shade);
  c.ellipse(31, 44, 5, 3, shade);
  c.ball(24, 35, 13, 10, fur, shade, light);
  c.polygon({{15, 29}, {33, 29}, {35, 44}, {13, 44}}, apron);
  c.rect(20, 33, 8, 6, qRgb(90, 140, 220));
  c.ellipse(10, 9, 4, 4, shade);
  c.ellipse(38, 9, 4, 4, shade);
  c.ball(24, 17, 13, 11, fur, shade, light);
  c.ellipse(17, 18, 5, 4, mask);
  c.ellipse(31, 18, 5, 4, mask);
  c.rect(16, 17, 2, 2, kWhite);
  c.rect(30, 17, 2, 2, kWhite);
  c.ellipse(24, 23, 5, 3.5, light);
  c.ellipse(24, 21.5, 2, 1.4, kEye);
  smile(c, 24, 24);
  c.rect(11, 9, 26, 3, band);
  c.polygon({{35, 9}, {42, 6}, {41, 12}}, band);
  c.outline(kInk);
  return c;
}

}  // namespace art
