// mofurin-artgen FOLDER: draws every picture of the game into FOLDER.
// --icons FOLDER draws the desktop icon in every size into the icon theme's
// layout under FOLDER (48x48/apps/mofurin.png, ...).
// --sheet FILE and --effects FILE draw the characters or the hit effects
// enlarged side by side, for looking at them.

#include <QDir>
#include <QGuiApplication>
#include <cstdio>

#include "tools/artgen/Art.h"
#include "tools/artgen/Icon.h"

namespace {

bool writeIcons(const QString& folder) {
  for (int size : art::kIconSizes) {
    const QString sizeFolder = QStringLiteral("%1/%2x%2/apps").arg(folder).arg(size);
    if (!QDir().mkpath(sizeFolder) || !art::drawIcon(size).save(sizeFolder + QStringLiteral("/mofurin.png"), "PNG")) {
      std::fprintf(stderr, "mofurin-artgen: cannot write the icons into %s\n", qPrintable(sizeFolder));
      return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc == 3 && QString::fromLocal8Bit(argv[1]) == QLatin1String("--sheet")) {
    return art::contactSheet().save(QString::fromLocal8Bit(argv[2]), "PNG") ? 0 : 1;
  }
  if (argc == 3 && QString::fromLocal8Bit(argv[1]) == QLatin1String("--effects")) {
    return art::effectSheet().save(QString::fromLocal8Bit(argv[2]), "PNG") ? 0 : 1;
  }
  if (argc == 3 && QString::fromLocal8Bit(argv[1]) == QLatin1String("--icons")) {
    return writeIcons(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
  }
  if (argc != 2) {
    std::fputs("usage: mofurin-artgen FOLDER | --icons FOLDER | --sheet FILE | --effects FILE\n", stderr);
    return 2;
  }
  const QString folder = QString::fromLocal8Bit(argv[1]);
  if (!QDir().mkpath(folder) || !art::writeAll(folder)) {
    std::fprintf(stderr, "mofurin-artgen: cannot write the pictures into %s\n", argv[1]);
    return 1;
  }
  return 0;
}
