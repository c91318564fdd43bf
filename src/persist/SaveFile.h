#pragma once

#include <QCoreApplication>
#include <QString>
#include <optional>

#include "game/GameState.h"
#include "persist/SequentialFile.h"

namespace mofurin {

inline const char* const kSaveFilter = QT_TRANSLATE_NOOP("SaveFlow", "datﾌｧｲﾙ|*.dat");
inline const char* const kLoadFilter = QT_TRANSLATE_NOOP("SaveFlow", "datﾌｧｲﾙ |*.dat");
constexpr qsizetype kMaxSaveLineBytes = 4096;
constexpr qsizetype kMaxSaveFileBytes = 64 * 1024;
// The keys a save is scaled by: the writer draws one of these 13.
constexpr int kFirstSaveKey = 5;
constexpr int kLastSaveKey = 17;

// The saved part of the game, every number scaled by key (5..17), or
// nothing when a scaled value or the checksum would not fit 32 bits.
std::optional<SequentialWriter> saveFileContents(const GameState& game, int key);

// The parsed contents of a save file, before they touch the game.
struct SavedGame {
  GameState values;  // only the saved fields are meaningful
  int key = 0;
  qint64 storedChecksum = 0;
  bool notWhole = false;

  bool passesIntegrityTest() const;
  void applyTo(GameState& game) const;
};

// Reads a save file's text: nothing when it ends early, holds a text where
// a number belongs, or has a key the writer never makes (outside 5..17).
std::optional<SavedGame> parseSaveFile(const QString& text);

// Reads a save file: nothing when it cannot be read, is not code page 932
// text, has a line longer than any the game writes, or fails to parse.
std::optional<SavedGame> readSaveFile(const QString& path);

}  // namespace mofurin
