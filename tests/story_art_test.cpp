#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <algorithm>
#include <set>
#include <utility>

#include "tools/artgen/Arena.h"
#include "tools/artgen/Art.h"
#include "tools/artgen/Effects.h"
#include "tools/artgen/Story.h"

namespace {

int colourCount(const QImage& image) {
  std::set<QRgb> colours;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) colours.insert(image.pixel(x, y));
  }
  return static_cast<int>(colours.size());
}

// How many pixels of two pictures of one size differ.
int differingPixels(const QImage& a, const QImage& b) {
  int n = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) n += a.pixel(x, y) != b.pixel(x, y);
  }
  return n;
}

bool clearAt(const QImage& image, int x, int y) { return !image.valid(x, y) || qAlpha(image.pixel(x, y)) == 0; }

QList<QImage> effectFrames() {
  QList<QImage> frames;
  for (int i = 0; i < art::kEffectFrameCount; ++i) frames.append(art::drawEffect(i).image());
  return frames;
}

QList<QImage> storyScenes() {
  QList<QImage> scenes;
  for (int i = 0; i < art::kStoryPictureCount; ++i) scenes.append(art::drawStory(i));
  scenes.append(art::drawStoryBlank());
  scenes.append(art::drawHallBackground());
  return scenes;
}

}  // namespace

TEST(EffectArt, FramesAreSixteenColourSpritesOnAClearBackground) {
  const QList<QImage> frames = effectFrames();
  for (int i = 0; i < frames.size(); ++i) {
    EXPECT_EQ(frames[i].size(), QSize(48, 48)) << i;
    EXPECT_FALSE(art::drawEffect(i).indexed(16).isNull()) << "frame " << i << " has more than 16 colours";
    for (auto [x, y] : {std::pair{0, 0}, {47, 0}, {0, 47}, {47, 47}}) EXPECT_TRUE(clearAt(frames[i], x, y)) << i;
  }
  // The flash between frames shows nothing at all.
  EXPECT_EQ(colourCount(frames[0]), 1);
  EXPECT_TRUE(clearAt(frames[0], 24, 24));
}

TEST(EffectArt, EveryFlashIsSolidAndRimmedDarkSoItReadsOnLightAndDarkMats) {
  const QList<QImage> frames = effectFrames();
  for (int i = 1; i < frames.size(); ++i) {
    const QImage& f = frames[i];
    int opaque = 0, brightest = 0;
    for (int y = 0; y < f.height(); ++y) {
      for (int x = 0; x < f.width(); ++x) {
        if (clearAt(f, x, y)) continue;
        ++opaque;
        const int light = qGray(f.pixel(x, y));
        brightest = std::max(brightest, light);
        const bool edge = clearAt(f, x - 1, y) || clearAt(f, x + 1, y) || clearAt(f, x, y - 1) || clearAt(f, x, y + 1);
        if (edge) {
          EXPECT_LT(light, 60) << "frame " << i << " has a bright edge at " << x << "," << y;
        }
      }
    }
    EXPECT_GT(opaque, 48 * 48 / 10) << "frame " << i << " is too small to see";
    EXPECT_GT(brightest, 220) << "frame " << i << " has no bright core";
  }
}

TEST(EffectArt, TheFiveFlashesLookClearlyDifferent) {
  const QList<QImage> frames = effectFrames();
  for (int i = 1; i < frames.size(); ++i) {
    for (int j = i + 1; j < frames.size(); ++j) {
      EXPECT_GT(differingPixels(frames[i], frames[j]), 48 * 48 / 8) << "frames " << i << " and " << j;
    }
  }
}

TEST(StoryArt, EveryStoryPictureIsADetailedOpaqueSceneOfItsOwn) {
  const QList<QImage> scenes = storyScenes();
  for (int i = 0; i < scenes.size(); ++i) {
    EXPECT_EQ(scenes[i].size(), QSize(400, 300)) << i;
    EXPECT_FALSE(scenes[i].hasAlphaChannel()) << i;
    const int colours = colourCount(scenes[i]);
    EXPECT_GE(colours, 16) << "scene " << i << " is nearly flat";
    EXPECT_LE(colours, 256) << "scene " << i << " has lost its pixel-art palette";
    for (int j = 0; j < i; ++j) {
      EXPECT_GT(differingPixels(scenes[i], scenes[j]), 400 * 300 / 2) << "scenes " << i << " and " << j;
    }
  }
}

TEST(StoryArt, ScenesKeepTheChunkyDoubledPixelsOfTheCharacters) {
  constexpr int kCredits = 6;  // sixteen characters on one stage need the full size
  const QList<QImage> scenes = storyScenes();
  for (int i = 0; i < scenes.size(); ++i) {
    if (i == kCredits) continue;
    int split = 0;
    for (int y = 0; y < 300; y += 2) {
      for (int x = 0; x < 400; x += 2) {
        const QRgb c = scenes[i].pixel(x, y);
        split += c != scenes[i].pixel(x + 1, y) || c != scenes[i].pixel(x, y + 1) || c != scenes[i].pixel(x + 1, y + 1);
      }
    }
    EXPECT_EQ(split, 0) << "scene " << i << " has pixels finer than the rest";
  }
}

TEST(StoryArt, TheGeneratorWritesTheSamePicturesOnEveryRun) {
  QTemporaryDir first, second;
  ASSERT_TRUE(art::writeAll(first.path()));
  ASSERT_TRUE(art::writeAll(second.path()));
  QStringList expected{"story_blank.png", "hall_background.png", "arena.png"};
  for (int i = 0; i < art::kStoryPictureCount; ++i) expected << QStringLiteral("story%1.png").arg(i);
  for (int i = 0; i < art::kEffectFrameCount; ++i) expected << QStringLiteral("effect%1.png").arg(i);
  for (const QString& name : expected) {
    const QImage image(QDir(first.path()).filePath(name));
    ASSERT_FALSE(image.isNull()) << qPrintable(name);
    const QSize size = name.startsWith("effect") ? QSize(48, 48)
                       : name == "arena.png"     ? QSize(art::kArenaWidth, art::kArenaHeight)
                                                 : QSize(400, 300);
    EXPECT_EQ(image.size(), size) << qPrintable(name);
  }
  const QStringList written = QDir(first.path()).entryList(QDir::Files);
  EXPECT_EQ(written, QDir(second.path()).entryList(QDir::Files));
  for (const QString& name : written) {
    QFile a(QDir(first.path()).filePath(name)), b(QDir(second.path()).filePath(name));
    ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    EXPECT_EQ(a.readAll(), b.readAll()) << qPrintable(name) << " differs between two runs";
  }
}

// The battle screen lays its banner, the fighters, the damage numbers and the
// bout mark over this picture; each needs the scene quiet where it goes.
TEST(ArenaArt, LeavesRoomForEverythingTheBattleScreenDrawsOverIt) {
  const QImage arena = art::drawArena();
  ASSERT_EQ(arena.size(), QSize(440, 288));
  EXPECT_FALSE(arena.hasAlphaChannel());
  const int colours = colourCount(arena);
  EXPECT_GE(colours, 16) << "the arena is nearly flat";
  EXPECT_LE(colours, 256) << "the arena has lost its pixel-art palette";

  int split = 0;
  for (int y = 0; y < arena.height(); y += 2) {
    for (int x = 0; x < arena.width(); x += 2) {
      const QRgb c = arena.pixel(x, y);
      split += c != arena.pixel(x + 1, y) || c != arena.pixel(x, y + 1) || c != arena.pixel(x + 1, y + 1);
    }
  }
  EXPECT_EQ(split, 0) << "the arena has pixels finer than the fighters'";

  // Brightest grey and number of colours in a strip.
  const auto survey = [&arena](QRect area) {
    int brightest = 0;
    std::set<QRgb> seen;
    for (int y = area.top(); y <= area.bottom(); ++y) {
      for (int x = area.left(); x <= area.right(); ++x) {
        brightest = std::max(brightest, qGray(arena.pixel(x, y)));
        seen.insert(arena.pixel(x, y));
      }
    }
    return std::pair{brightest, static_cast<int>(seen.size())};
  };
  const auto [bannerLight, bannerColours] = survey(QRect(0, 0, 440, 22));
  EXPECT_LT(bannerLight, 40) << "the title banner needs a dark strip to sit on";
  EXPECT_LE(bannerColours, 2);
  const auto [markLight, markColours] = survey(QRect(0, 272, 440, 16));
  EXPECT_LT(markLight, 140) << "the bout mark's band needs a plain strip under it";
  EXPECT_LE(markColours, 4);
  // Light grey and pink damage numbers pop up here: nothing as bright.
  EXPECT_LT(survey(QRect(180, 120, 120, 100)).first, 160)
      << "the middle of the ring is too bright for the damage numbers";

  // The three far ropes cross the whole width behind the opponent's knees.
  for (int x : {40, 220, 360}) {
    int ropes = 0;
    bool onRope = false;
    for (int y = 130; y < 172; ++y) {
      const QRgb c = arena.pixel(x, y);
      const bool red = qRed(c) > 140 && qRed(c) > qGreen(c) * 2 && qRed(c) > qBlue(c) + 40;
      ropes += red && !onRope;
      onRope = red;
    }
    EXPECT_EQ(ropes, 3) << "at x " << x;
  }
}

TEST(ArenaArt, TheFightersStandOnTheLitMatOfADarkHall) {
  const QImage arena = art::drawArena();
  ASSERT_EQ(arena.size(), QSize(440, 288));
  const auto meanGrey = [&arena](QRect area) {
    double sum = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
      for (int x = area.left(); x <= area.right(); ++x) sum += qGray(arena.pixel(x, y));
    }
    return sum / (area.width() * area.height());
  };
  // The mat is blue even where a spotlight greys it; the stands and the
  // apron lean to red.
  const auto onMat = [&arena](int x, int y) {
    const QRgb c = arena.pixel(x, y);
    return qBlue(c) > qRed(c) + 20 && qGreen(c) >= qRed(c);
  };
  // Bright fighters and hit flashes only pop on a dark scene.
  EXPECT_LT(meanGrey(arena.rect()), 80);
  EXPECT_LT(meanGrey(QRect(320, 98, 94, 85)), 90) << "too bright behind the opponent";
  // The opponent's feet at the far ropes and the player's near the bottom
  // both rest on the mat, not on the stands or the apron.
  for (int x = 340; x < 400; x += 6) EXPECT_TRUE(onMat(x, 180)) << "opponent's feet at x " << x;
  for (int x = 30; x < 130; x += 6) EXPECT_TRUE(onMat(x, 258)) << "player's feet at x " << x;
  // A corner post stands just beyond the opponent so the ring reads as a ring.
  int post = 0;
  for (int x = 414; x < 440; ++x) post += qGray(arena.pixel(x, 172)) > 150;
  EXPECT_GE(post, 2) << "no corner post to the right of the opponent";
}
