#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <set>

#include "QtPrinters.h"
#include "game/Roster.h"

using namespace mofurin;

namespace {

QImage picture(const QString& file) { return QImage(QDir(MOFURIN_BIN_DIR "/pictures").filePath(file)); }

int colourCount(const QImage& image) {
  std::set<QRgb> colours;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) colours.insert(image.pixel(x, y));
  }
  return static_cast<int>(colours.size());
}

}  // namespace

TEST(Pictures, EveryCharacterHasItsOwnSixteenColourFrontAndBack) {
  std::set<QByteArray> seen;
  for (int i = 0; i < kRosterSize; ++i) {
    const QImage front = picture(RosterPicture(i, Facing::Front));
    const QImage back = picture(RosterPicture(i, Facing::Back));
    for (const QImage& image : {front, back}) {
      ASSERT_FALSE(image.isNull()) << i;
      EXPECT_EQ(image.size(), QSize(48, 48)) << i;
      EXPECT_LE(colourCount(image), 16) << i;
      EXPECT_TRUE(image.hasAlphaChannel()) << i;
      const QByteArray pixels(reinterpret_cast<const char*>(image.convertToFormat(QImage::Format_ARGB32).constBits()),
                              48 * 48 * 4);
      EXPECT_TRUE(seen.insert(pixels).second) << "picture " << i << " looks like another one";
    }
  }
}

TEST(Pictures, TheScreensDecorationsAreThere) {
  for (const char* file : {"title.png", "deco_coin.png", "deco_trophy.png", "shopkeeper.png"}) {
    EXPECT_FALSE(picture(file).isNull()) << file;
  }
}

namespace {

QImage icon(int size) {
  return QImage(QStringLiteral(MOFURIN_BIN_DIR "/../icons/%1x%1/apps/mofurin.png").arg(size))
      .convertToFormat(QImage::Format_ARGB32);
}

}  // namespace

// The desktop icons are drawn on a small grid and enlarged by whole steps:
// every size is sharp, and the larger ones are the 64 pixel icon, enlarged.
TEST(Pictures, DesktopIconsAreSharpEnlargementsWithTheFighterInsideTheRim) {
  const QImage grid64 = icon(64);
  for (int size : {48, 64, 128, 256}) {
    const QImage image = icon(size);
    ASSERT_EQ(image.size(), QSize(size, size)) << size;
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << size << ": the corners are rounded off";
    // The rim runs unbroken along the middle of each edge: the fighter's
    // ears and feet stay inside it.
    const int step = size % 64 == 0 ? size / 64 : 1;
    const QRgb rim = image.pixel(size / 2, 0);
    for (int along = size / 4; along < size * 3 / 4; ++along) {
      for (int depth = 0; depth < 2 * step; ++depth) {
        for (QPoint p : {QPoint(along, depth), QPoint(along, size - 1 - depth), QPoint(depth, along),
                         QPoint(size - 1 - depth, along)}) {
          ASSERT_EQ(image.pixel(p), rim) << size << " at " << p.x() << "," << p.y();
        }
      }
    }
    if (size % 64 != 0) continue;
    for (int y = 0; y < size; ++y) {
      for (int x = 0; x < size; ++x) {
        ASSERT_EQ(image.pixel(x, y), grid64.pixel(x / step, y / step)) << size << " at " << x << "," << y;
      }
    }
  }
}
