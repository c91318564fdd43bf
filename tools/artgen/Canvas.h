#pragma once

#include <QImage>
#include <QPointF>
#include <QRect>
#include <QRgb>
#include <initializer_list>

namespace art {

// Shading in the pixel style: an ordered (Bayer) dither says whether the
// pixel at x, y takes a colour laid on with the given amount, 0 to 1.
bool dithered(int x, int y, double amount);

// A small pixel-art canvas: hard-edged shapes, no smoothing, so that the
// result can be written with a handful of colours.
class Canvas {
 public:
  Canvas(int width, int height);

  int width() const { return image_.width(); }
  int height() const { return image_.height(); }

  void set(int x, int y, QRgb c);
  QRgb at(int x, int y) const;
  bool filled(int x, int y) const { return qAlpha(at(x, y)) != 0; }

  void rect(int x, int y, int w, int h, QRgb c);
  void ellipse(double cx, double cy, double rx, double ry, QRgb c);
  // A lit ball: base colour, a shadow toward the lower right, a highlight.
  void ball(double cx, double cy, double rx, double ry, QRgb base, QRgb shadow, QRgb light);
  void polygon(std::initializer_list<QPointF> points, QRgb c);
  void line(int x0, int y0, int x1, int y1, QRgb c);
  // Recolours the pixels of colour from inside the ellipse.
  void recolourIn(double cx, double cy, double rx, double ry, QRgb from, QRgb to);
  // A one-pixel border around everything drawn so far.
  void outline(QRgb c);
  void mirrorHorizontally();
  // Copies the opaque pixels of a sprite, scaled to fill target, or enlarged
  // by a whole scale with its top left corner at x, y.
  void stamp(const QImage& sprite, QRect target, bool mirror = false);
  void stamp(const QImage& sprite, int x, int y, int scale = 1, bool mirror = false);
  // A heart of radius r whose lobes sit on the line y.
  void heart(double x, double y, double r, QRgb c);

  // The picture with every pixel doubled, opaque: scenes are drawn at half
  // size so that their pixels are as chunky as the characters'.
  QImage doubled() const;

  // The picture with at most maxColours colours (transparency counts as
  // one); a null image when the drawing used more.
  QImage indexed(int maxColours) const;
  const QImage& image() const { return image_; }
  int colourCount() const;  // transparency included

 private:
  QImage image_;
};

}  // namespace art
