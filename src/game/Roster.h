#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <array>

namespace mofurin {

struct GameState;

constexpr int kRosterSize = 16;
constexpr int kDummyIndex = 12;
constexpr int kFinalOpponentIndex = 13;

struct RosterEntry {
  const char* name;            // UTF-8
  std::array<int, 4> startHp;  // H, A, L, B
  std::array<int, 4> startAttack;
  std::array<int, 4> startDefence;
  int startLifeForce;
  std::array<int, 4> startTechniques;  // technique numbers for slots 0..3
};

struct Rgb {
  int r, g, b;
};

struct StarterRecord {
  int starterSlot;  // 1..4, left to right on the starter screen
  int index;        // roster index
  QString slotLabel;
  QStringList descriptionLines;
  Rgb frameColour;

  // The three lines joined with newLine, in the current language.
  QString description() const;
};

enum class Facing { Front, Back };

const RosterEntry& rosterEntry(int index);  // index 0..15
QString RosterName(int index);              // empty outside 0..15
bool isRosterIndex(int index);
// How a fighter's name (a roster name, or the name a player gave) is shown in
// the current language; the name itself stays as it is everywhere else. A
// name the game does not know shows as it is.
QString fighterForDisplay(const QString& name);

// File name, inside the program's picture folder, of a character's picture.
QString RosterPicture(int index, Facing facing);

const std::array<StarterRecord, 4>& StarterCharacters();

// Writes entry index's starting data into the player's side of the game.
void ApplyStartingData(GameState& game, int index);

}  // namespace mofurin
