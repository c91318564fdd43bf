#pragma once

#include <QString>
#include <QtGlobal>

#include "game/GameState.h"

namespace mofurin {

// The steps of a bout, as the engine ticks through them: the player's
// strike, then the opponent's the same steps kOpponentSteps higher, then the
// closing stretch once a side is beaten. The engine moves on by one a tick
// unless a step says where to go.
namespace Phase {
constexpr qint32 PlayerAnnounces = 1;     // the technique is told
constexpr qint32 PlayerStrikes = 2;       // damage and the roll are drawn
constexpr qint32 PlayerHitLands = 3;      // the hit or the miss is shown
constexpr qint32 PlayerHitsCounted = 4;   // "… 回ヒットした！！"
constexpr qint32 PlayerStrikeEnds = 5;    // usability and the end-of-strike check
constexpr qint32 OpponentChooses = 6;     // the other side picks its technique
constexpr qint32 kOpponentSteps = 20;     // the opponent's steps: the player's + 20
constexpr qint32 OpponentAnnounces = PlayerAnnounces + kOpponentSteps;
constexpr qint32 OpponentStrikes = PlayerStrikes + kOpponentSteps;
constexpr qint32 OpponentHitLands = PlayerHitLands + kOpponentSteps;
constexpr qint32 OpponentHitsCounted = PlayerHitsCounted + kOpponentSteps;
constexpr qint32 OpponentStrikeEnds = PlayerStrikeEnds + kOpponentSteps;
constexpr qint32 OpponentRests = OpponentChooses + kOpponentSteps;
constexpr qint32 RoundEnds = OpponentRests + 1;  // both sides are checked, the next round begins
constexpr qint32 OpponentCannotAct = 100;  // it has nothing it can use: the round ends
constexpr qint32 ClosingStart = 355;       // a side is beaten: two slow ticks, then the next screen
constexpr qint32 ClosingFirst = ClosingStart + 1;
constexpr qint32 ClosingSecond = ClosingStart + 2;
// Whose strike a phase belongs to.
constexpr bool isPlayers(qint32 phase) { return phase < kOpponentSteps / 2; }
}  // namespace Phase

// The working record of the bout in progress. Nothing here is saved; the
// battle outcome turns what matters into lasting changes of GameState.
struct BattleState {
  qint32 battlePhase = 0;
  PerSide<qint32> chosenSlot;
  PerSide<qint32> hitCount;
  PartValues battleExperience;
  BodyPart strikePart = BodyPart::H;
  qint32 strikeExperience = 0;
  qint32 damage = 0;
  qint16 missRoll = 0;
  SideTable<bool, kSlotCount> slotUnusable;
  qint32 battleResult = 0;  // 0 running, 1 player beaten, 2 both beaten, 3 opponent beaten
  PartValues hpAtStart;
  qint32 roundCount = 0;
  qint32 autoTurns = 0;
  qint32 introTick = 0;
  QString hitPattern;
  qint32 hitMotion = 0;
  qint32 animationTick = 0;
  qint32 popupStep = 0;
  qint32 popupSide = 0;
  qint32 soundSide = 0;
  bool awaitingPeer = false;
  bool networkBattle = false;
};

}  // namespace mofurin
