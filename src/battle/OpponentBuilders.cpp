#include "battle/OpponentBuilders.h"

#include "game/GameState.h"
#include "game/Numbers.h"
#include "game/Random.h"
#include "game/Roster.h"
#include "game/Techniques.h"

namespace mofurin {

namespace {

constexpr Side O = Side::Opponent;

// One drawn value: the nearest whole number to base + 10 r, capped.
qint32 drawValue(Random& random, double base) {
  const qint32 v = roundHalfEven(base + 10.0 * random.next());
  return std::min(v, kValueCap);
}

void drawBodyParts(GameState& g, Random& random) {
  const double L = g.levels[O];
  // The order of the draws is part of the game: H hp, H attack, then hp,
  // attack and defence of the arms, the legs and the body.
  g.partHp(BodyPart::H, O) = drawValue(random, 163 * L / 3 + 65);
  g.partAttack(BodyPart::H, O) = drawValue(random, 93 * L / 3 + 17);
  g.partDefence(BodyPart::H, O) = 0;
  g.partHp(BodyPart::A, O) = drawValue(random, 114 * L / 4 + 57);
  g.partAttack(BodyPart::A, O) = drawValue(random, 83 * L / 3 + 43);
  g.partDefence(BodyPart::A, O) = drawValue(random, 79 * L / 4 + 32);
  g.partHp(BodyPart::L, O) = drawValue(random, 119 * L / 4 + 41);
  g.partAttack(BodyPart::L, O) = drawValue(random, 84 * L / 3 + 37);
  g.partDefence(BodyPart::L, O) = drawValue(random, 83 * L / 4 + 23);
  g.partHp(BodyPart::B, O) = drawValue(random, 123 * L / 3 + 81);
  g.partAttack(BodyPart::B, O) = drawValue(random, 93 * L / 3 + 51);
  g.partDefence(BodyPart::B, O) = drawValue(random, 63 * L / 4 + 12);
}

bool sameTextElsewhere(const GameState& g, int slot) {
  for (int j = 0; j < kSlotCount; ++j) {
    if (j != slot && g.techniqueNames(j, O) == g.techniqueNames(slot, O)) return true;
  }
  return false;
}

void drawTechniques(GameState& g, Random& random) {
  for (int k = 0; k < kSlotCount; ++k) {
    g.techniqueNames(k, O) = QString::fromUtf16(kEmptyOpponentSlot);
    g.techniqueCosts(k, O) = 0;
  }
  for (int k = 0; k < kSlotCount; ++k) {
    do {
      const int number = roundHalfEven(44.0 * random.next());
      const TechniqueLookup t = LookupTechnique(number, g.levels[O]);
      g.techniqueNames(k, O) = t.text;
      g.techniqueCosts(k, O) = roundHalfEven(t.baseCost / 2.0 + 1);
    } while (sameTextElsewhere(g, k));
  }
}

}  // namespace

void buildTournamentOpponent(GameState& g, Random& random) {
  drawBodyParts(g, random);
  drawTechniques(g, random);
  g.characterIndex[O] = g.winLead() == 39 ? kFinalOpponentIndex : truncateToInt32(12.0 * random.next());
}

void buildTrainingDummy(GameState& g, DummyStrength strength) {
  const int i = static_cast<int>(strength);
  g.keepOpponent();
  g.characterIndex[O] = kDummyIndex;
  g.levels[O] = g.levels[Side::Player] + 1 - i;
  const double f = 1.2 - 0.2 * i;
  for (int p = 0; p < kPartCount; ++p) {
    g.partHp(p, O) = roundHalfEven(f * g.partHp(p, Side::Player));
    g.partAttack(p, O) = roundHalfEven(f * g.partAttack(p, Side::Player));
    g.partDefence(p, O) = roundHalfEven(f * g.partDefence(p, Side::Player));
  }
  for (int k = 0; k < kSlotCount; ++k) {
    g.techniqueNames(k, O) = g.techniqueNames(k, Side::Player);
    g.techniqueCosts(k, O) = roundHalfEven(f * g.techniqueCosts(k, Side::Player));
  }
}

bool closingStretch(const GameState& g) { return g.tournamentRunning() && g.winLead() >= 38; }

}  // namespace mofurin
