#pragma once

#include "tools/artgen/Canvas.h"

namespace art {

constexpr int kSpriteSize = 48;
constexpr int kCharacterCount = 16;

// Roster character index, seen from the front or from behind.
Canvas drawCharacter(int index, bool back);

Canvas drawCoin();        // 24 x 24
Canvas drawTrophy();      // 24 x 24
Canvas drawShopkeeper();  // 48 x 48

}  // namespace art
