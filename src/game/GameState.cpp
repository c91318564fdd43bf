#include "game/GameState.h"

namespace mofurin {

QString partLabel(int part) {
  static const QString labels[kPartCount] = {QStringLiteral("頭"), QStringLiteral("両腕"), QStringLiteral("両脚"),
                                             QStringLiteral("胴体")};
  return part >= 0 && part < kPartCount ? labels[part] : QString();
}

void GameState::keepOpponent() {
  savedOpponentLevel = levels[Side::Opponent];
  savedOpponentName = fighterName[Side::Opponent];
  savedOpponentIndex = characterIndex[Side::Opponent];
}

void GameState::restoreOpponent() {
  levels[Side::Opponent] = savedOpponentLevel;
  fighterName[Side::Opponent] = savedOpponentName;
  characterIndex[Side::Opponent] = savedOpponentIndex;
}

}  // namespace mofurin
