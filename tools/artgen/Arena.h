#pragma once

#include <QImage>

namespace art {

// The battle screen's backdrop: the ring on a fight night, seen from behind
// the player's fighter. The opponent stands at the far ropes on the right,
// the player's fighter fills the lower left, and the title banner and the
// bout mark lie over the top and bottom strips.
constexpr int kArenaWidth = 440;
constexpr int kArenaHeight = 288;

QImage drawArena();

}  // namespace art
