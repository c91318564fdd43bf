#include "battle/BattleEngine.h"

#include <QCoreApplication>
#include <QStringList>
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "game/Numbers.h"
#include "game/Roster.h"
#include "game/Techniques.h"

namespace mofurin {

namespace {

// A technique's name (without its code) and a fighter's name, as the
// messages show them in the current language; in English a space stands
// between a code and its name, and goes with the code.
QString shownTechnique(const QString& text) {
  QString name = techniqueName(techniqueForDisplay(text));
  if (name.startsWith(u' ')) name.remove(0, 1);
  return name;
}
QString shown(const QString& fighter) { return fighterForDisplay(fighter); }

constexpr int kClosingInterval = 3000;
constexpr int kMaxHits = 5;
constexpr qint32 kFleeLastRound = 4;
constexpr int kOpponentDraws = 10001;
constexpr qint32 kLevelCap = 999999;
constexpr qint64 kRewardPerLevel = 150;

Side other(Side s) { return s == Side::Player ? Side::Opponent : Side::Player; }

bool isSlot(qint32 slot) { return slot >= 0 && slot < kSlotCount; }

// A multi-hit technique strikes again after each hit that lands, up to five.
bool repeats(const QString& technique) { return techniqueClass(technique) == TechniqueClass::Repeat; }

// Whether a hit of the technique costs its HP and is worth experience: a
// technique of no known class costs nothing; a multi-hit one costs and earns
// only on its first hit. Striker and receiver both reckon by this.
bool costsHp(const QString& technique, bool firstHit) {
  const TechniqueClass c = techniqueClass(technique);
  return c != TechniqueClass::Unknown && (c != TechniqueClass::Repeat || firstHit);
}
bool earnsExperience(const QString& technique, bool firstHit) { return firstHit || !repeats(technique); }

// Counters and HP stay within 32 bits whatever a save file or a peer put in.
qint32 saturated(qint64 v) {
  return static_cast<qint32>(
      std::clamp<qint64>(v, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()));
}

void addTo(qint32& value, qint64 amount) { value = saturated(value + amount); }

// A level after a win: L + floor(L / step) + 1.
qint64 raisedLevel(qint64 level, qint64 step) {
  return level + static_cast<qint64>(std::floor(static_cast<double>(level) / step)) + 1;
}

// Half the head's experience, with ".5" only when it is odd.
QString halfText(qint32 experience) { return QString::number(experience / 2.0, 'f', experience % 2 == 0 ? 0 : 1); }

}  // namespace

std::optional<HitPattern> hitPatternFor(const QString& technique) {
  struct Row {
    const char16_t* code;
    const char16_t* frames;
    qint32 motion;
  };
  static constexpr std::array<Row, 12> rows{{
      {u"H--", u"5050505050", 1},
      {u"H-S", u"5550055500", 2},
      {u"HR-", u"2220055500", 2},
      {u"A--", u"4444405550", 2},
      {u"A-S", u"1020304050", 0},
      {u"AR-", u"1110022200", 0},
      {u"L--", u"3333305550", 3},
      {u"L-S", u"1110303030", 3},
      {u"LR-", u"1342134250", 0},
      {u"B--", u"5550005550", 1},
      {u"B-S", u"4324325550", 2},
      {u"BR-", u"3330050550", 0},
  }};
  const QStringView code = QStringView(technique).left(3);
  for (const Row& row : rows) {
    if (code == QStringView(row.code)) return HitPattern{QString::fromUtf16(row.frames), row.motion};
  }
  return std::nullopt;
}

BattleEngine::BattleEngine(GameState& game, BattleState& battle, Random& random, BattleHost& host)
    : game_(game), battle_(battle), random_(random), host_(host) {}

// ---- Opening and the command phase --------------------------------------

void BattleEngine::open() {
  done_ = false;
  commandsOpen_ = false;
  battle_.autoTurns = 0;
  battle_.roundCount = 0;
  battle_.hpAtStart = game_.partHp;
  battle_.battleExperience = {};
  game_.levels[Side::Opponent] = std::max(game_.levels[Side::Opponent], 1);
  random_.seedFromClock();
  battle_.battleResult = BattleResult::Running;
  battle_.introTick = 0;
  battle_.hitCount = {};
  battle_.awaitingPeer = false;
  other_->open(*this);
  WP();
}

void BattleEngine::HYOU() {
  const qint32 index = game_.characterIndex[Side::Opponent];
  if (isRosterIndex(index)) game_.fighterName[Side::Opponent] = RosterName(index);
}

void BattleEngine::startRound(Chooser chooser) {
  note(ChoiceEvent{Side::Player, chooser, battle_.chosenSlot[Side::Player]});
  commandsOpen_ = false;
  host_.closeCommandPhase();
  host_.setEngineInterval(game_.messageSpeed);
  other_->hearChoice(*this);
  battle_.battlePhase = Phase::PlayerAnnounces;
  battle_.hitCount = {};
}

bool BattleEngine::affordable(int playerSlot) const {
  const int p = techniquePart(game_.techniqueNames(playerSlot, Side::Player));
  return p >= 0 && game_.partHp(p, Side::Player) >= game_.techniqueCosts(playerSlot, Side::Player);
}

std::optional<int> BattleEngine::chooseAuto() {
  if (battle_.autoTurns <= 0) return std::nullopt;
  bool anyAffordable = false;
  for (int slot = 0; slot < kSlotCount; ++slot) anyAffordable = anyAffordable || affordable(slot);
  if (!anyAffordable) return std::nullopt;

  int slot;
  do {
    slot = static_cast<int>(std::floor(static_cast<double>(draw(Draw::Auto)) * kSlotCount));
    battle_.chosenSlot[Side::Player] = slot;
  } while (!affordable(slot));
  startRound(Chooser::Auto);
  battle_.autoTurns -= 1;
  return slot;
}

void BattleEngine::WP() {
  // A slot whose text names no part is judged by the part HP of the slot
  // examined before it.
  qint32 partHp = 0;
  for (Side s : {Side::Player, Side::Opponent}) {
    for (int slot = 0; slot < kSlotCount; ++slot) {
      const QString& text = game_.techniqueNames(slot, s);
      const int p = techniquePart(text);
      if (p >= 0) partHp = game_.partHp(p, s);
      battle_.slotUnusable(slot, s) = partHp < game_.techniqueCosts(slot, s) || text == kNoTechnique;
    }
  }
}

void BattleEngine::STA() {
  for (qint32& hp : game_.partHp.flat) hp = std::max(hp, 0);
  host_.showStatus();
}

void BattleEngine::restoreHitPoints() { game_.partHp = battle_.hpAtStart; }

void BattleEngine::putBackTournamentOpponent() {
  if (game_.battleKind == kTrainingOrNetworkBout) game_.restoreOpponent();
}

void BattleEngine::takeRemoteHit(qint32 damage, qint32 missRoll, int part) {
  constexpr Side O = Side::Opponent;
  battle_.damage = damage;
  battle_.missRoll = static_cast<qint16>(missRoll);
  battle_.strikePart = static_cast<BodyPart>(part);
  note(PeerStrikeEvent{damage, missRoll, part});
  const QString technique = chosenTechnique(O);
  const bool firstHit = battle_.hitCount[O] == 0;
  battle_.strikeExperience =
      earnsExperience(technique, firstHit) ? saturated(qint64(game_.levels[Side::Player]) + 1) : 0;
  if (costsHp(technique, firstHit)) pay(O, part, chosenCost(O));
}

// ---- The turn engine -----------------------------------------------------

Side BattleEngine::attacker() const { return Phase::isPlayers(battle_.battlePhase) ? Side::Player : Side::Opponent; }

float BattleEngine::draw(Draw rule) {
  const float value = random_.next();
  note(DrawEvent{rule, value});
  return value;
}

void BattleEngine::takeRemoteChoice(qint32 slot) {
  battle_.chosenSlot[Side::Opponent] = slot;
  note(ChoiceEvent{Side::Opponent, Chooser::Peer, slot});
}

void BattleEngine::note(const BoutEvent& event) {
  if (log_) log_->add(event);
}

// The beaten mark, or a bad slot number from the other machine, reads as an
// empty slot.
QString BattleEngine::chosenTechnique(Side s) const {
  const qint32 slot = battle_.chosenSlot[s];
  return isSlot(slot) ? game_.techniqueNames(slot, s) : kNoTechnique;
}

qint32 BattleEngine::chosenCost(Side s) const {
  const qint32 slot = battle_.chosenSlot[s];
  return isSlot(slot) ? game_.techniqueCosts(slot, s) : 0;
}

void BattleEngine::tick() {
  if (done_) return;
  runPhase(attacker());
  if (done_) return;  // the program has ended
  battle_.battlePhase += 1;
  STA();
  leaveIfOver();
}

void BattleEngine::runPhase(Side a) {
  switch (battle_.battlePhase) {
    case Phase::PlayerAnnounces:
    case Phase::OpponentAnnounces: announce(a); break;
    case Phase::PlayerStrikes:
      strike();
      other_->hearStrike(*this);
      break;
    case Phase::OpponentStrikes: other_->strike(*this); break;
    case Phase::PlayerHitLands:
    case Phase::OpponentHitLands: resolveHit(a); break;
    case Phase::PlayerHitsCounted:
    case Phase::OpponentHitsCounted: {
      const int hits = battle_.hitCount[a];
      host_.appendMessage(QCoreApplication::translate("BattleEngine", "%1　は　%n 回ヒットした！！", nullptr, hits)
                              .arg(shown(game_.fighterName[a])));
      break;
    }
    case Phase::PlayerStrikeEnds:
      other_->playerStrikeEnds(*this);
      OFFA();
      break;
    case Phase::OpponentChooses:
      battle_.battlePhase = Phase::kOpponentSteps;  // the tick's step on makes it OpponentAnnounces
      other_->choose(*this);
      break;
    case Phase::OpponentStrikeEnds:
    case Phase::OpponentRests: break;
    case Phase::ClosingFirst:
    case Phase::ClosingSecond:
      host_.setEngineInterval(kClosingInterval);
      restoreHitPoints();
      break;
    default: endRound(); break;
  }
}

void BattleEngine::announce(Side a) {
  const QString name = shownTechnique(chosenTechnique(a));
  if (a == Side::Player) {
    host_.setMessage(
        QCoreApplication::translate("BattleEngine", "%1の%2！！").arg(shown(game_.fighterName[Side::Player]), name) +
        newLine);
  } else {
    host_.setMessage(QCoreApplication::translate("BattleEngine", "敵の%1の%2！！")
                         .arg(shown(game_.fighterName[Side::Opponent]), name) +
                     newLine);
  }
}

void BattleEngine::strike() {
  ATTA();
  battle_.missRoll = static_cast<qint16>(std::floor(static_cast<double>(draw(Draw::Roll)) * 10));
}

void BattleEngine::waitForOtherSide() {
  battle_.awaitingPeer = true;
  host_.stopEngine();
}

void BattleEngine::waitForOpponentsChoice() {
  waitForOtherSide();
  host_.setMessage(
      QCoreApplication::translate("BattleEngine", "相手がワザを選択しています\r\nしばらくおまちください。"));
}

void BattleEngine::otherSideAnswered() {
  battle_.awaitingPeer = false;
  host_.startEngine();
}

void BattleEngine::watchFirstRound() {
  battle_.battlePhase = Phase::OpponentChooses;
  waitForOtherSide();
}

void BattleEngine::openCommands() {
  commandsOpen_ = true;
  host_.openCommandPhase();
}

void BattleEngine::resume() { host_.startEngine(); }

void BattleEngine::resolveHit(Side a) {
  if (battle_.missRoll < 1) {
    host_.appendMessage(QCoreApplication::translate("BattleEngine", "%1　が、うまく決まらなかった・・・")
                            .arg(shownTechnique(chosenTechnique(a))) +
                        newLine);
    startPopup(a);
    host_.missPopup(a);
    return;
  }
  landHit(a);
}

void BattleEngine::landHit(Side a) {
  if (game_.attackAnimation == 1) ATA(a);
  const QString damage = decimal(battle_.damage);
  host_.appendMessage((a == Side::Player ? QCoreApplication::translate("BattleEngine", "敵の%1に%2のダメージ！！")
                                               .arg(shown(game_.fighterName[Side::Opponent]), damage)
                                         : QCoreApplication::translate("BattleEngine", "%1に%2のダメージ！！")
                                               .arg(shown(game_.fighterName[Side::Player]), damage)) +
                      newLine);
  addTo(battle_.hitCount[a], 1);
  addTo(battle_.battleExperience(battle_.strikePart, a), battle_.strikeExperience);

  if (repeats(chosenTechnique(a)) && battle_.hitCount[a] < kMaxHits)
    battle_.battlePhase -= Phase::PlayerHitLands - Phase::PlayerAnnounces + 1;  // announce it again

  const Side d = other(a);
  const int t = TargetPart(game_, d);
  if (t >= 0) game_.partHp(t, d) = saturated(qint64(game_.partHp(t, d)) - battle_.damage);
}

void BattleEngine::ATA(Side a) {
  if (const auto pattern = hitPatternFor(chosenTechnique(a))) {
    battle_.hitPattern = pattern->frames;
    battle_.hitMotion = pattern->motion;
  }
  battle_.soundSide = side(a);
  battle_.animationTick = 0;
  host_.stopEngine();
  startPopup(a);
  host_.hitAnimation(a);
}

void BattleEngine::startPopup(Side a) {
  battle_.popupStep = -300;
  battle_.popupSide = side(a);
}

void BattleEngine::endRound() {
  QString message;
  battle_.roundCount += 1;
  if (battle_.roundCount == kFleeLastRound) {
    host_.disableFlee();
    message =
        QCoreApplication::translate("BattleEngine", "相手が完全に戦闘態勢に入った！！\r\nもう逃げることは出来ない･･･") +
        newLine;
  }
  host_.setMessage(message + QCoreApplication::translate("BattleEngine", "さて、次はどうしますか？"));
  host_.stopEngine();
  openCommands();
  WP();
  host_.refillLists();
  STA();
  // The opponent's strike is checked only here.
  OFFA();
}

// ---- A strike ------------------------------------------------------------

int BattleEngine::TargetPart(const GameState& game, Side defender) {
  for (int p = part(BodyPart::B); p >= part(BodyPart::H); --p) {
    if (game.partHp(p, defender) > 0) return p;
  }
  return -1;
}

void BattleEngine::pay(Side s, int p, qint32 cost) {
  game_.partHp(p, s) = saturated(qint64(game_.partHp(p, s)) - cost);
}

void BattleEngine::subtractDefence(Side defender, double share) {
  const int t = TargetPart(game_, defender);
  if (t < 0) return;  // nothing left to defend with: the raw damage stands
  const double r2 = draw(Draw::Defence);
  const double def = game_.partDefence(t, defender);
  battle_.damage = std::max(roundHalfEven(battle_.damage - (0.2 * r2 * def + share * def)), 1);
}

void BattleEngine::ATTA() {
  const Side a = attacker();
  const Side d = other(a);
  const QString technique = chosenTechnique(a);
  const qint32 cost = chosenCost(a);
  // The empty slot's text names no part; it strikes with the head.
  const int p = std::max(techniquePart(technique), part(BodyPart::H));
  battle_.strikePart = static_cast<BodyPart>(p);
  battle_.strikeExperience = saturated(qint64(game_.levels[d]) + 1);
  const double atk = game_.partAttack(p, a);

  switch (techniqueClass(technique)) {
    case TechniqueClass::Plain: {
      pay(a, p, cost);
      const double r1 = draw(Draw::Damage);
      battle_.damage = roundHalfEven(0.9 * atk + cost + 0.1 * atk * r1);
      subtractDefence(d, 0.8);
      break;
    }
    case TechniqueClass::Repeat: {
      const bool firstHit = battle_.hitCount[a] == 0;
      if (costsHp(technique, firstHit)) pay(a, p, cost);
      if (!earnsExperience(technique, firstHit)) battle_.strikeExperience = 0;
      const double r1 = draw(Draw::Damage);
      battle_.damage = roundHalfEven(0.1 * r1 * cost + 0.4 * atk);
      subtractDefence(d, 0.6);
      break;
    }
    case TechniqueClass::Special: {
      pay(a, p, cost);
      const double r = draw(Draw::Damage);
      battle_.damage = roundHalfEven(r * cost + 2.0 * cost);
      break;
    }
    case TechniqueClass::Unknown: break;  // costs nothing, the last damage stands
  }
}

// ---- The computer opponent -------------------------------------------------

void BattleEngine::TEKI() {
  const Side o = Side::Opponent;
  battle_.chosenSlot[o] = 0;
  // Slot 0 takes two ninths of the draws, each other slot one ninth; a draw of
  // exactly 0 gives -1 and is drawn again like an unusable slot.
  for (int attempt = 0; attempt < kOpponentDraws; ++attempt) {
    const int slot = truncateToInt32(static_cast<double>(draw(Draw::Opponent)) * 9 - 1);
    if (isSlot(slot) && !battle_.slotUnusable(slot, o)) {
      battle_.chosenSlot[o] = slot;
      note(ChoiceEvent{o, Chooser::Computer, slot});
      return;
    }
  }
  note(ChoiceEvent{o, Chooser::Computer, kBeatenMark});
  host_.setMessage(
      QCoreApplication::translate("BattleEngine", "敵の%1は、手が出せない！！").arg(shown(game_.fighterName[o])));
  battle_.battlePhase = Phase::OpponentCannotAct;
  battle_.chosenSlot[o] = kBeatenMark;
}

// ---- The end of a bout -----------------------------------------------------

bool BattleEngine::canFight(Side s) const {
  if (game_.partHp(BodyPart::H, s) <= 0) return false;
  for (int slot = 0; slot < kSlotCount; ++slot) {
    if (!battle_.slotUnusable(slot, s)) return true;
  }
  return false;
}

void BattleEngine::OFFA() {
  for (Side s : {Side::Player, Side::Opponent}) battle_.chosenSlot[s] = canFight(s) ? 0 : kBeatenMark;
  const bool playerBeaten = battle_.chosenSlot[Side::Player] == kBeatenMark;
  const bool opponentBeaten = battle_.chosenSlot[Side::Opponent] == kBeatenMark;
  if (playerBeaten && opponentBeaten) {
    drawBout();
  } else if (playerBeaten) {
    loseBout();
  } else if (opponentBeaten) {
    winBout();
  }
}

bool BattleEngine::judgeWithoutPeer() {
  if (done_) return true;
  if (battle_.battleResult != BattleResult::Running) return true;
  WP();
  OFFA();
  if (battle_.battleResult == BattleResult::Running) return false;
  battle_.awaitingPeer = false;
  battle_.battlePhase += 1;  // as the tick that finds a beaten side does
  return true;
}

void BattleEngine::closeBout(qint32 result) {
  battle_.battleResult = result;
  battle_.battlePhase = Phase::ClosingStart;
  host_.startEngine();
  commandsOpen_ = false;
  host_.closeCommandPhase();
}

void BattleEngine::drawBout() {
  host_.messageBox(QCoreApplication::translate("BattleEngine", "どっちとも動けなくなってしまった・・・"));
  restoreHitPoints();
  closeBout(BattleResult::BothBeaten);
  putBackTournamentOpponent();
}

void BattleEngine::loseBout() {
  host_.setMessage(QCoreApplication::translate("BattleEngine", "%1は、技が繰り出せなくなった・・・")
                       .arg(shown(game_.fighterName[Side::Player])));
  closeBout(BattleResult::PlayerBeaten);
  if (game_.battleKind != kTournamentBout) return;

  game_.unsavedProgress = true;
  addTo(game_.lifeForce, -1);
  addTo(game_.losses, 1);
  const qint32 level = game_.levels[Side::Opponent];
  game_.levels[Side::Opponent] = std::max(saturated(level - (qint64(std::floor(level / 10.0)) + 1)), 1);
  if (game_.lifeForce >= 1) return;

  for (const QString& text : {QCoreApplication::translate("BattleEngine", "残念ですが、あなたは寿命がきました。"),
                              QCoreApplication::translate("BattleEngine", "あなたは死にました･･･"),
                              QCoreApplication::translate("BattleEngine", "Game Over！！"),
                              QCoreApplication::translate("BattleEngine", "あきらめないでまたやってね！！")}) {
    host_.messageBox(text);
  }
  done_ = true;
  host_.endProgram();
}

void BattleEngine::winBout() {
  host_.setMessage(QCoreApplication::translate("BattleEngine", "%1は、使える技が無くなったようだ・・・！！")
                       .arg(shown(game_.fighterName[Side::Opponent])));
  closeBout(BattleResult::OpponentBeaten);
  ETA();
}

void BattleEngine::ETA() {
  game_.unsavedProgress = true;
  const Side s = Side::Player;
  const auto experience = [&](BodyPart p) { return battle_.battleExperience(p, s); };
  host_.appendMessage(
      newLine +
      QCoreApplication::translate("BattleEngine", "頭 %1  両腕 %2  両足 %3  胴体 %4\r\nの経験値を得た！！")
          .arg(halfText(experience(BodyPart::H)), decimal(experience(BodyPart::A)), decimal(experience(BodyPart::L)),
               decimal(experience(BodyPart::B))) +
      newLine);

  // The head learns only to hit harder, up to the cap of every body value:
  // past it, a scaled save would no longer fit its 32 bits.
  qint32& headAttack = game_.partAttack(BodyPart::H, s);
  headAttack = std::min(roundHalfEven(experience(BodyPart::H) / 2.0 + headAttack), kValueCap);
  for (BodyPart p : {BodyPart::A, BodyPart::L, BodyPart::B}) {
    const double e = experience(p);
    const double r1 = draw(Draw::Growth);
    qint32& attack = game_.partAttack(p, s);
    attack = std::min(roundHalfEven(e * 0.5 + attack + r1 * e * 0.1), kValueCap);
    const double r2 = draw(Draw::Growth);
    qint32& defence = game_.partDefence(p, s);
    defence = std::min(roundHalfEven(e * 0.3 + defence + r2 * e * 0.1), kValueCap);
  }

  const qint64 reward = game_.levels[Side::Opponent] * kRewardPerLevel;
  qint64 opponentLevel = raisedLevel(game_.levels[Side::Opponent], 10);
  // The last stretch of the tournament climbs faster.
  if (game_.tournamentRunning() && game_.winLead() >= 37) opponentLevel = raisedLevel(opponentLevel, 8);
  game_.levels[Side::Opponent] = saturated(std::min<qint64>(opponentLevel, kLevelCap));

  if (game_.battleKind == kTournamentBout) {
    addTo(game_.levels[Side::Player], 1);
    host_.appendMessage(QCoreApplication::translate("BattleEngine", "%1\\を獲得した！！").arg(decimal(reward)));
    game_.money = saturated(game_.money + reward);
    addTo(game_.wins, 1);
  }
  game_.money = std::min(game_.money, kValueCap);
  game_.levels[Side::Player] = std::min(game_.levels[Side::Player], kLevelCap);
}

// After the closing stretch, or at once after a draw: hit points back as they
// were at the opening, the next screen, then the counters that screen must
// not see yet.
void BattleEngine::leaveIfOver() {
  const qint32 phase = battle_.battlePhase;
  if (battle_.battleResult == BattleResult::BothBeaten) {
    done_ = true;
    restoreHitPoints();
    host_.leaveBout(BattleHost::Next::Hub);
    return;
  }
  if (battle_.battleResult == BattleResult::Running || phase == Phase::ClosingFirst || phase == Phase::ClosingSecond)
    return;

  done_ = true;
  restoreHitPoints();
  if (game_.battleKind == kTournamentBout) {
    const bool learns = game_.wins % 4 == 0 && battle_.battleResult == BattleResult::OpponentBeaten && game_.wins >= 1;
    if (learns) {
      addTo(game_.bouts, 1);
      host_.leaveBout(BattleHost::Next::Learning);
    } else {
      host_.leaveBout(BattleHost::Next::Story);
      addTo(game_.bouts, 1);
    }
  } else {
    host_.leaveBout(BattleHost::Next::Hub);
    putBackTournamentOpponent();
  }
  WP();
}

}  // namespace mofurin
