#pragma once

#include <QImage>
#include <QPixmap>
#include <QString>
#include <future>

class QStyle;

namespace mofurin::platform {

// One of the game's own pictures, all of them PNG files; a null image when
// the file is missing or broken. The format is named rather than guessed:
// guessing asks every image plugin Qt has whether it reads the file, which
// loads them all, and the libraries they need, at the game's start.
QImage readPicture(const QString& path);

// A picture of a screen, read on another core while the screen's window is
// laid out (which keeps the first core busy loading fonts at the game's
// start); its first use waits for it. A picture read before comes from the
// cache at once. A missing or broken file is no picture.
class PictureFile {
 public:
  PictureFile() = default;
  explicit PictureFile(const QString& path);
  const QPixmap& pixmap();

 private:
  QString path_;
  std::future<QImage> reading_;
  QPixmap pixmap_;
};

// Fusion, whose pictures of its own are read when first drawn. The menu
// bar's overflow button, which every window with a menu makes and a game's
// window never shows, would otherwise read its picture at every start.
QStyle* gameStyle();

}  // namespace mofurin::platform
