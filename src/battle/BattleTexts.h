#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "battle/BattleState.h"
#include "game/GameState.h"
#include "game/Roster.h"

// The battle screen's texts, built from the state alone so the screen only
// has to put them into its widgets.
namespace mofurin {

// HITP: the four part HP of one side.
QString hpLine(const GameState& game, Side s);

// NAMAE: level (right-aligned in 5) and name of one side.
QString nameLine(const GameState& game, Side s);

// ZYOU: the attack and defence table; the player's is twelve lines, the
// opponent's four.
QString strengthTable(const GameState& game, Side s);

// Label2: rounds completed, right-aligned in 4.
QString roundLabel(qint32 roundCount);

// Label1 (2) and (4): the HP cost of the technique picked in a list.
QString costLabel(qint32 cost);

// What a technique list showing `shown` (as slotList shows it) stands for: the matching slot of the
// side (the highest, when two slots hold the same text) and the cost line
// to show; the empty entry's cost reads 0. Both empty when nothing matches.
struct ShownCost {
  std::optional<int> slot;
  std::optional<QString> caption;
};
ShownCost shownCost(const GameState& game, Side s, const QString& shown);

// Label4: AUTO turns left.
QString autoLabel(qint32 autoTurns);

// MSG when the intro has brought both fighters in.
QString introGreeting(const GameState& game);

// WAZA (player) or Combo1 (opponent): the eight slots as shown in the
// current language, with the empty text for a slot that cannot be used now.
QStringList slotList(const GameState& game, const BattleState& battle, Side s);

// Label3 and Shape1 mark the last bouts of the tournament and network bouts;
// no value means both keep their design colours.
struct ColourMarks {
  Rgb label3;
  Rgb shape1;
};
std::optional<ColourMarks> colourMarks(const GameState& game, bool networkBattle);

}  // namespace mofurin
