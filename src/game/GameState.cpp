#include "game/GameState.h"

#include <QCoreApplication>

#include "game/Numbers.h"

namespace mofurin {

QString partLabel(int part) {
  static const char* const labels[kPartCount] = {
      QT_TRANSLATE_NOOP("BodyPart", "頭"), QT_TRANSLATE_NOOP("BodyPart", "両腕"), QT_TRANSLATE_NOOP("BodyPart", "両脚"),
      QT_TRANSLATE_NOOP("BodyPart", "胴体")};
  return part >= 0 && part < kPartCount ? QCoreApplication::translate("BodyPart", labels[part]) : QString();
}

QString rankForDisplay(const QString& rank) {
  // The ranks a game writes; anything else (an edited save's) shows as it is.
  [[maybe_unused]] static const char* const ranks[] = {
      QT_TRANSLATE_NOOP("Rank", "？"), QT_TRANSLATE_NOOP("Rank", "Ａ"), QT_TRANSLATE_NOOP("Rank", "Ｂ"),
      QT_TRANSLATE_NOOP("Rank", "Ｃ"), QT_TRANSLATE_NOOP("Rank", "Ｄ"), QT_TRANSLATE_NOOP("Rank", "不合格")};
  return QCoreApplication::translate("Rank", rank.toUtf8().constData());
}

bool fighterValuesFit(const GameState& g, Side s) {
  const auto fits = [](qint64 v) { return fitsWidth(v, kFighterValueWidth); };
  bool all = fits(g.levels[s]) && fits(g.characterIndex[s]);
  for (int p = 0; p < kPartCount; ++p) all = all && fits(g.partHp(p, s)) && fits(g.partAttack(p, s)) && fits(g.partDefence(p, s));
  for (int slot = 0; slot < kSlotCount; ++slot) all = all && fits(g.techniqueCosts(slot, s));
  return all;
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
