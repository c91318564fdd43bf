#include "persist/HallOfFame.h"

#include "game/GameState.h"
#include "persist/SequentialFile.h"

namespace mofurin {

void LoadHallOfFame(GameState& game, const QString& path) {
  std::optional<SequentialReader> reader = SequentialReader::open(path);
  if (!reader) return;
  // Blank lines after the last record are no record (an editor may add one).
  while (!reader->atEnd() && !reader->onlyBlanksLeft()) {
    for (int field = 0; field < 3; ++field) {
      for (int entry = 1; entry <= kHallOfFameEntries; ++entry) {
        std::optional<QString> text = reader->readText();
        if (!text) return;
        game.hallOfFame[entry][field] = *text;
      }
    }
  }
}

bool SaveHallOfFame(const GameState& game, const QString& path) {
  SequentialWriter writer;
  for (int field = 0; field < 3; ++field) {
    for (int entry = 1; entry <= kHallOfFameEntries; ++entry) {
      writer.text(game.hallOfFame[entry][field]).endLine();
    }
  }
  return writer.saveTo(path);
}

bool hallOfFameHasEntry(const GameState& game) { return !game.hallOfFame[1][0].isEmpty(); }

}  // namespace mofurin
