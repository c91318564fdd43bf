#pragma once

#include <QImage>
#include <array>

namespace art {

// The sizes of the desktop icon the game installs, in pixels.
constexpr std::array<int, 4> kIconSizes = {48, 64, 128, 256};

// The desktop icon: the first starter on a ring-blue tile. It is drawn on a
// 48 or 64 pixel grid and enlarged by whole steps, so the pixels stay sharp.
QImage drawIcon(int size);

}  // namespace art
