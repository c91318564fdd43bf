#pragma once

#include <QImage>

namespace art {

// The message screen's story pictures, by number: 0 the last opponent's
// challenge, 1 the advice before the final, 2 the dwarf's homecoming, 3 the
// dragons' land, 4 the wandering rabbit, 5 the birds' country, 6 the staff
// credits, 7 the cat girl at the pub, 8 the sister.
constexpr int kStoryPictureCount = 9;
constexpr int kStoryWidth = 400;
constexpr int kStoryHeight = 300;

QImage drawStory(int index);
// What the message screen shows before a story picture is copied into it:
// the empty ring at dusk.
QImage drawStoryBlank();
// The hall of fame's own picture, shown where no champion stands.
QImage drawHallBackground();

}  // namespace art
