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
