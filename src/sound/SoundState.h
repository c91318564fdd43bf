#pragma once

#include <QByteArray>
#include <QString>
#include <array>

namespace mofurin {

// What the battle screen's sound needs between its opening and its closing.
struct SoundState {
  std::array<QString, 2> effectFiles{};
  QByteArray playerHitSound;
  QByteArray opponentHitSound;
  QString musicFile;
  QString musicMode;
};

}  // namespace mofurin
