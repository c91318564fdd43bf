#pragma once

#include <QImage>
#include <QString>

namespace art {

// The title screen's picture, 480 x 360.
QImage drawTitle();

// Every character front and back, enlarged, for looking at them side by side.
QImage contactSheet();

// Writes every picture of the game into folder; false if one failed.
bool writeAll(const QString& folder);

}  // namespace art
