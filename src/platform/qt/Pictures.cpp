#include "platform/qt/Pictures.h"

#include <QIconEngine>
#include <QImageReader>
#include <QPainter>
#include <QPixmapCache>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOptionGroupBox>
#include <QtMath>
#include <algorithm>
#include <optional>

namespace mofurin::platform {

QImage readPicture(const QString& path) {
  QImageReader reader(path, "png");
  reader.setAutoDetectImageFormat(false);
  return reader.read();
}

PictureFile::PictureFile(const QString& path) : path_(path) {
  if (!QPixmapCache::find(path, &pixmap_)) reading_ = std::async(std::launch::async, readPicture, path);
}

const QPixmap& PictureFile::pixmap() {
  if (reading_.valid()) {
    pixmap_ = QPixmap::fromImage(reading_.get());
    if (!pixmap_.isNull()) QPixmapCache::insert(path_, pixmap_);
  }
  return pixmap_;
}

namespace {

// A style's icon that asks the style for its pictures only when it is
// drawn or measured; whether it is null is known without them.
class IconWhenDrawn : public QIconEngine {
 public:
  IconWhenDrawn(const QStyle* style, QStyle::StandardPixmap which) : style_(style), which_(which) {}

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    icon().paint(painter, rect, Qt::AlignCenter, mode, state);
  }
  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return icon().pixmap(size, mode, state);
  }
  QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override {
    return icon().pixmap(size, scale, mode, state);
  }
  QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return icon().actualSize(size, mode, state);
  }
  QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
    return icon().availableSizes(mode, state);
  }
  bool isNull() override { return false; }
  QIconEngine* clone() const override { return new IconWhenDrawn(*this); }

 private:
  const QIcon& icon() {
    if (!icon_) icon_ = style_ ? style_->standardIcon(which_) : QIcon();
    return *icon_;
  }

  QPointer<const QStyle> style_;
  QStyle::StandardPixmap which_;
  std::optional<QIcon> icon_;
};

// A frame's title is drawn in bold over the whole advance of its text; the
// toolkit's own room for it ends short of that, which cuts the last
// character of a title such as "１．ジャンヌ" on high-density screens.
int titleWidth(const QWidget& widget, const QStyleOptionGroupBox& box) {
  QFont font = widget.font();
  font.setBold(true);
  return qCeil(QFontMetricsF(font).horizontalAdvance(box.text));
}

class GameStyle : public QProxyStyle {
 public:
  GameStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

  QIcon standardIcon(StandardPixmap which, const QStyleOption* option, const QWidget* widget) const override {
    if (which == SP_ToolBarHorizontalExtensionButton) return QIcon(new IconWhenDrawn(baseStyle(), which));
    return QProxyStyle::standardIcon(which, option, widget);
  }

  QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl which,
                       const QWidget* widget) const override {
    QRect rect = QProxyStyle::subControlRect(control, option, which, widget);
    if (control == CC_GroupBox && which == SC_GroupBoxLabel && widget && !rect.isEmpty()) {
      rect.setWidth(std::max(rect.width(), titleWidth(*widget, static_cast<const QStyleOptionGroupBox&>(*option))));
    }
    return rect;
  }
};

}  // namespace

QStyle* gameStyle() { return new GameStyle; }

}  // namespace mofurin::platform
