#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <set>

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
  QStringList expected{"story_blank.png", "hall_background.png"};
  for (int i = 0; i < art::kStoryPictureCount; ++i) expected << QStringLiteral("story%1.png").arg(i);
  for (int i = 0; i < art::kEffectFrameCount; ++i) expected << QStringLiteral("effect%1.png").arg(i);
  for (const QString& name : expected) {
    const QImage image(QDir(first.path()).filePath(name));
    ASSERT_FALSE(image.isNull()) << qPrintable(name);
    EXPECT_EQ(image.size(), name.startsWith("effect") ? QSize(48, 48) : QSize(400, 300)) << qPrintable(name);
  }
  const QStringList written = QDir(first.path()).entryList(QDir::Files);
  EXPECT_EQ(written, QDir(second.path()).entryList(QDir::Files));
  for (const QString& name : written) {
    QFile a(QDir(first.path()).filePath(name)), b(QDir(second.path()).filePath(name));
    ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    EXPECT_EQ(a.readAll(), b.readAll()) << qPrintable(name) << " differs between two runs";
  }
}
