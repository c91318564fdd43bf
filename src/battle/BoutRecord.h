#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <array>
#include <optional>
#include <variant>
#include <vector>

#include "battle/BattleState.h"
#include "game/GameState.h"

namespace mofurin {

// Which rule a draw of the random source served.
enum class Draw {
  Auto,      // the AUTO choice of the player's slot
  Damage,    // ATTA: the strike's damage
  Defence,   // ATTA: the defender's share of the defence
  Roll,      // hit or miss
  Opponent,  // TEKI: the computer opponent's slot
  Growth,    // ETA: a part growing after a win
};

// Who chose a slot.
enum class Chooser { Player, Auto, Computer, Peer };

// How a bout ended, as far as the record goes.
enum class Ending { Unfinished, Won, Lost, BothBeaten, Fled };

// What decides a bout, in the order it happened.
struct DrawEvent {
  Draw rule;
  float value;
  bool operator==(const DrawEvent&) const = default;
};
struct ChoiceEvent {
  Side side;
  Chooser chooser;
  qint32 slot;  // kBeatenMark when the computer opponent could not act
  bool operator==(const ChoiceEvent&) const = default;
};
// One hit of the other machine's strike, as it resolved it.
struct PeerStrikeEvent {
  qint32 damage;
  qint32 roll;
  qint32 part;
  bool operator==(const PeerStrikeEvent&) const = default;
};
struct FleeEvent {
  Side side;
  bool operator==(const FleeEvent&) const = default;
};
struct LinkLostEvent {
  bool operator==(const LinkLostEvent&) const = default;
};
using BoutEvent = std::variant<DrawEvent, ChoiceEvent, PeerStrikeEvent, FleeEvent, LinkLostEvent>;

// One fighter whole, as the bout opened.
struct RecordedFighter {
  QString name;
  qint32 level = 1;
  qint32 rosterIndex = 0;
  std::array<qint32, kPartCount> hp{}, attack{}, defence{};
  std::array<QString, kSlotCount> techniques;
  std::array<qint32, kSlotCount> costs{};
  bool operator==(const RecordedFighter&) const = default;
};

template <typename T>
bool operator==(const PerSide<T>& a, const PerSide<T>& b) {
  return a.flat == b.flat;
}

// A bout from its opening to its end: enough to play it again exactly.
struct BoutRecord {
  static constexpr int kVersion = 1;

  PerSide<RecordedFighter> fighters;
  qint32 battleKind = kTournamentBout;
  bool network = false;
  bool host = false;  // network bouts: this machine listened
  qint32 messageSpeed = 300;
  qint32 attackAnimation = 1;
  // What the bout's texts and its end read besides the fighters.
  bool tournamentRunning = false;
  qint32 wins = 0;
  qint32 losses = 0;
  qint32 lifeForce = 1;
  qint32 savedOpponentLevel = 1;

  std::vector<BoutEvent> events;
  Ending ending = Ending::Unfinished;

  bool operator==(const BoutRecord&) const = default;

  // The opening, taken from the state once the battle screen has opened.
  static BoutRecord opening(const GameState& game, const BattleState& battle, bool host);
  // Puts the opening into a game state for a replay.
  void applyTo(GameState& game) const;
};

// How the bout in `record` has ended so far, given BattleState::battleResult.
Ending boutEnding(const BoutRecord& record, qint32 battleResult);

// Why a record could not be read: the line (1 = the first) and a reason
// the player can read.
struct RecordProblem {
  int line = 0;
  QString reason;
};

// The file: UTF-8 text, one item a line, described where it is parsed.
QByteArray writeBoutRecord(const BoutRecord& record);
std::variant<BoutRecord, RecordProblem> readBoutRecord(const QByteArray& bytes);

// The biggest file a replay reads, some four hundred times the longest bout
// of a whole AUTO tournament: reading a hostile file of this size costs a few
// megabytes, whatever its shape.
constexpr qint64 kMaxRecordBytes = 2 * 1024 * 1024;

// What the engine and the screens report while a bout goes on.
class BoutLog {
 public:
  virtual ~BoutLog() = default;
  virtual void add(const BoutEvent& event) = 0;
};

// Writes the bout down; while a replay plays, also compares each event with
// the record being replayed, so a replay that goes another way is noticed at
// its first difference.
class BoutRecorder : public BoutLog {
 public:
  void start(BoutRecord opening) {
    record_ = std::move(opening);
    expected_ = nullptr;
    diverged_ = false;
  }
  void checkAgainst(const BoutRecord* expected) { expected_ = expected; }
  void add(const BoutEvent& event) override;

  const BoutRecord& record() const { return record_; }
  BoutRecord& record() { return record_; }
  bool diverged() const { return diverged_; }
  // The replayed record's next event, if any.
  const BoutEvent* nextExpected() const;
  // A replay's draw for the rules: the recorded value when the next event is
  // a draw; nothing once the replay has gone astray (the rules then draw
  // fresh values, so no loop of theirs can wait for a value forever).
  std::optional<float> expectedDraw();

 private:
  BoutRecord record_;
  const BoutRecord* expected_ = nullptr;
  bool diverged_ = false;
};

}  // namespace mofurin
