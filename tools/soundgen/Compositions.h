#pragma once

#include "tools/soundgen/Score.h"

namespace soundgen {

// music1.mid: the tournament's battle theme. Driving and heroic, E minor,
// 150 beats a minute, saw lead over brass, distorted guitar and picked bass.
Piece tournamentTheme();

// music2.mid: training and network bouts. Bouncy and light, F major,
// 126 beats a minute, square lead over electric piano, marimba and slap bass.
Piece sparringTheme();

}  // namespace soundgen
