#pragma once

#include "tools/artgen/Canvas.h"

namespace art {

// The hit sprite's frames: 0 is the empty frame flashed between the others,
// 1 a spark, 2 a slash, 3 a shock ring, 4 an impact burst, 5 an explosion.
constexpr int kEffectFrameCount = 6;
constexpr int kEffectSize = 48;

Canvas drawEffect(int frame);

}  // namespace art
