// mofurin-artgen FOLDER: draws every picture of the game into FOLDER.
// --sheet FILE and --effects FILE draw the characters or the hit effects
// enlarged side by side, for looking at them.

#include <QDir>
#include <QGuiApplication>
#include <cstdio>

#include "tools/artgen/Art.h"

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc == 3 && QString::fromLocal8Bit(argv[1]) == QLatin1String("--sheet")) {
    return art::contactSheet().save(QString::fromLocal8Bit(argv[2]), "PNG") ? 0 : 1;
  }
  if (argc == 3 && QString::fromLocal8Bit(argv[1]) == QLatin1String("--effects")) {
    return art::effectSheet().save(QString::fromLocal8Bit(argv[2]), "PNG") ? 0 : 1;
  }
  if (argc != 2) {
    std::fputs("usage: mofurin-artgen FOLDER | --sheet FILE | --effects FILE\n", stderr);
    return 2;
  }
  const QString folder = QString::fromLocal8Bit(argv[1]);
  if (!QDir().mkpath(folder) || !art::writeAll(folder)) {
    std::fprintf(stderr, "mofurin-artgen: cannot write the pictures into %s\n", argv[1]);
    return 1;
  }
  return 0;
}
