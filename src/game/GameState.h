#pragma once

#include <QString>
#include <QtGlobal>
#include <array>

namespace mofurin {

// The four body parts; every per-part array uses this order.
enum class BodyPart { H = 0, A = 1, L = 2, B = 3 };
constexpr int kPartCount = 4;
constexpr int kSlotCount = 8;

enum class Side { Player = 0, Opponent = 1 };

constexpr int part(BodyPart p) { return static_cast<int>(p); }
constexpr int side(Side s) { return static_cast<int>(s); }

// The only line break used in labels, message boxes and text boxes.
inline const QString newLine = QStringLiteral("\r\n");

// Screen label of each body part, by BodyPart value.
QString partLabel(int part);
// A rank as shown in the current language; the rank itself (in a save, the
// hall of fame) stays as the game wrote it.
QString rankForDisplay(const QString& rank);

// A value per row (body part or technique slot) for both sides, stored flat
// with the row varying fastest: element = row + Rows * side.
template <typename T, int Rows>
struct SideTable {
  std::array<T, Rows * 2> flat{};

  T& operator()(int row, Side s) { return flat[row + Rows * side(s)]; }
  const T& operator()(int row, Side s) const { return flat[row + Rows * side(s)]; }
  T& operator()(BodyPart p, Side s) { return (*this)(part(p), s); }
  const T& operator()(BodyPart p, Side s) const { return (*this)(part(p), s); }
  T& operator[](int i) { return flat[i]; }
  const T& operator[](int i) const { return flat[i]; }
};

using PartValues = SideTable<qint32, kPartCount>;
using SlotValues = SideTable<qint32, kSlotCount>;
using SlotTexts = SideTable<QString, kSlotCount>;

// One value for each side.
template <typename T>
struct PerSide {
  std::array<T, 2> flat{};
  T& operator[](Side s) { return flat[side(s)]; }
  const T& operator[](Side s) const { return flat[side(s)]; }
  T& operator[](int i) { return flat[i]; }
  const T& operator[](int i) const { return flat[i]; }
};

constexpr int kHallOfFameEntries = 20;  // entries 1..20; entry 0 is never used

// GameState::battleKind: a tournament bout, or one that changes no record
// (against the training dummy or another machine).
constexpr qint32 kTournamentBout = 1;
constexpr qint32 kTrainingOrNetworkBout = 2;

// The one record of everything the game knows about the current run.
struct GameState {
  PartValues partHp;
  PartValues partAttack;
  PartValues partDefence;
  SlotTexts techniqueNames;
  SlotValues techniqueCosts;
  PerSide<qint32> levels;
  PerSide<qint32> characterIndex;
  PerSide<QString> fighterName;

  qint32 lifeForce = 0;
  qint32 lifeForceMax = 0;
  qint32 money = 0;
  qint32 wins = 0;
  qint32 losses = 0;
  qint32 bouts = 0;
  QString rankText;
  qint32 messageSpeed = 0;
  qint32 attackAnimation = 0;

  // Process-wide values that are not saved.
  qint32 battleKind = 0;  // kTournamentBout or kTrainingOrNetworkBout
  // The tournament's opponent, kept while a training or network bout puts
  // another fighter on its side, and put back when that bout ends.
  qint32 savedOpponentLevel = 0;
  QString savedOpponentName;
  qint32 savedOpponentIndex = 0;
  std::array<std::array<QString, 3>, kHallOfFameEntries + 1> hallOfFame{};
  bool startupDone = false;
  // Something a save would keep has changed since the last save, load or
  // new game: closing the last window asks before it is lost.
  bool unsavedProgress = false;

  void keepOpponent();
  void restoreOpponent();

  qint32 winLead() const { return wins - losses; }
  bool tournamentRunning() const { return rankText == QStringLiteral("？"); }
};

// The cap the game puts on body-part values and money.
constexpr qint32 kValueCap = 99999999;

// A fighter's level, roster index, part values and technique costs each
// cross the link in nine characters: from -99999999 to 999999999.
constexpr int kFighterValueWidth = 9;
// Whether every one of a side's values can be written whole in its field.
bool fighterValuesFit(const GameState& game, Side s);

}  // namespace mofurin
