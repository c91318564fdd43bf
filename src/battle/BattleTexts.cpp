#include "battle/BattleTexts.h"

#include <QCoreApplication>

#include "game/Numbers.h"
#include "game/Techniques.h"

namespace mofurin {

namespace {

qint32 hp(const GameState& game, BodyPart p, Side s) { return game.partHp(p, s); }
qint32 attack(const GameState& game, BodyPart p, Side s) { return game.partAttack(p, s); }
qint32 defence(const GameState& game, BodyPart p, Side s) { return game.partDefence(p, s); }

QString playerTable(const GameState& game) {
  const Side s = Side::Player;
  const std::array<QString, 4> headings = {
      QCoreApplication::translate("BattleTexts", "頭(H)"), QCoreApplication::translate("BattleTexts", "両手(A)"),
      QCoreApplication::translate("BattleTexts", "両足(R)"), QCoreApplication::translate("BattleTexts", "胴体(B)")};
  QString table;
  for (int p = 0; p < kPartCount; ++p) {
    const BodyPart bp = static_cast<BodyPart>(p);
    table += headings[p] + newLine;
    table += QStringLiteral("STR ") + decimal(attack(game, bp, s)) + newLine;
    table += QStringLiteral("DEF ") + decimal(defence(game, bp, s)) + newLine;
  }
  return table;
}

QString opponentTable(const GameState& game) {
  const Side s = Side::Opponent;
  const std::array<QString, 4> headings = {QCoreApplication::translate("BattleTexts", "   頭(H)　STR "),
                                           QCoreApplication::translate("BattleTexts", "両手(A)　STR "),
                                           QCoreApplication::translate("BattleTexts", "両足(L)  STR "),
                                           QCoreApplication::translate("BattleTexts", "胴体(B)  STR ")};
  QStringList lines;
  for (int p = 0; p < kPartCount; ++p) {
    const BodyPart bp = static_cast<BodyPart>(p);
    lines << headings[p] + decimal(attack(game, bp, s)) + QStringLiteral(" DEF ") + decimal(defence(game, bp, s));
  }
  return lines.join(newLine);
}

}  // namespace

QString hpLine(const GameState& game, Side s) {
  return QCoreApplication::translate("BattleTexts", "(右から順) 頭(H) %1 両腕(A) %2 両足(L) %3 胴体(B) %4")
      .arg(decimal(hp(game, BodyPart::H, s)), decimal(hp(game, BodyPart::A, s)), decimal(hp(game, BodyPart::L, s)),
           decimal(hp(game, BodyPart::B, s)));
}

QString nameLine(const GameState& game, Side s) {
  return QCoreApplication::translate("BattleTexts", "Ｌｖ.%1 %2")
      .arg(fitRight(signSpacedDecimal(game.levels[s]), 5), fighterForDisplay(game.fighterName[s]));
}

QString strengthTable(const GameState& game, Side s) {
  return s == Side::Player ? playerTable(game) : opponentTable(game);
}

QString roundLabel(qint32 roundCount) {
  return QCoreApplication::translate("BattleTexts", "%1ターン").arg(fitRight(signSpacedDecimal(roundCount), 4));
}

QString costLabel(qint32 cost) { return QCoreApplication::translate("BattleTexts", "HP消費量--%1").arg(decimal(cost)); }

QString autoLabel(qint32 autoTurns) { return QStringLiteral("AUTO:") + decimal(autoTurns); }

QString introGreeting(const GameState& game) {
  return QCoreApplication::translate("BattleTexts", "%1 が、でてきた！！\r\nさあ、%2　は、どうする？")
      .arg(fighterForDisplay(game.fighterName[Side::Opponent]), fighterForDisplay(game.fighterName[Side::Player]));
}

ShownCost shownCost(const GameState& game, Side s, const QString& shown) {
  ShownCost result;
  for (int slot = 0; slot < kSlotCount; ++slot) {
    if (shown != techniqueForDisplay(game.techniqueNames(slot, s))) continue;
    result.slot = slot;
    result.caption = costLabel(game.techniqueCosts(slot, s));
  }
  if (shown == kNoTechnique) result.caption = costLabel(0);
  return result;
}

QStringList slotList(const GameState& game, const BattleState& battle, Side s) {
  QStringList entries;
  for (int slot = 0; slot < kSlotCount; ++slot) {
    entries << (battle.slotUnusable(slot, s) ? kNoTechnique : techniqueForDisplay(game.techniqueNames(slot, s)));
  }
  return entries;
}

std::optional<ColourMarks> colourMarks(const GameState& game, bool networkBattle) {
  if (networkBattle) return ColourMarks{{0, 0, 128}, {0, 89, 0}};
  if (!game.tournamentRunning()) return std::nullopt;
  if (game.winLead() == 39) return ColourMarks{{203, 88, 0}, {159, 159, 0}};
  if (game.winLead() > 37) return ColourMarks{{200, 200, 200}, {110, 110, 110}};
  return std::nullopt;
}

}  // namespace mofurin
