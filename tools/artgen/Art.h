#pragma once

#include <QImage>
#include <QString>

namespace art {

// The title screen's picture, 480 x 360.
QImage drawTitle();

// Every character front and back, enlarged, for looking at them side by side.
QImage contactSheet();

// The hit effect frames enlarged on a dark, a mat-blue and a light strip,
// to judge how they read on every background of the battle screen.
QImage effectSheet();

// Writes every picture of the game into folder; false if one failed.
bool writeAll(const QString& folder);

}  // namespace art
