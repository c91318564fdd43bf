#pragma once

#include <QString>
#include <QtGlobal>

#include "game/GameState.h"

namespace mofurin {

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
