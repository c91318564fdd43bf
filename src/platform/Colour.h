#pragma once

#include <QString>

namespace mofurin::platform {

struct Colour {
  int r = 0, g = 0, b = 0;

  friend bool operator==(const Colour&, const Colour&) = default;
  QString toString() const;  // "#RRGGBB"
};

constexpr Colour rgb(int r, int g, int b) { return {r, g, b}; }

}  // namespace mofurin::platform
