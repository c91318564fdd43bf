#pragma once

#include <QCoreApplication>
#include <QString>
#include <optional>
#include <vector>

#include "battle/BoutRecord.h"
#include "context/GameContext.h"

namespace mofurin {

namespace platform {
class Form;
}

// Replays: every bout that reached its command phase is kept in the
// "replays" folder of the player's data folder, newest last; the oldest go
// once there are more than kKeptReplays.
constexpr int kKeptReplays = GameContext::kKeptReplays;
inline const char* const kReplayFilter = QT_TRANSLATE_NOOP("Replays", "リプレイ|*.replay");

QString replayFolder(const GameContext& ctx);

// Writes the record as a new file, named by date, time and fighters, and
// removes the oldest beyond the kept number. A failure is silent and costs
// nothing else. Returns the file written, if any.
std::optional<QString> keepBoutRecord(GameContext& ctx, const BoutRecord& record);

// Plays the record in the file in the battle screen. `from` (if any) closes
// now and shows again at the end; without it the program ends with the
// replay. A file that cannot be played is refused with a message, and
// nothing changes. True when the replay has begun.
bool watchReplay(GameContext& ctx, const QString& path, platform::Form* from);

// The file dialog in the replays folder, then watchReplay.
bool chooseAndWatchReplay(GameContext& ctx, platform::Form& from);

// A kept record as the replay list shows it: when, who, what kind of bout
// and how it ended ("2026/12/07 19:20　ジャンヌ　対　春ウサギ　大会　勝ち").
struct KeptReplay {
  QString path;
  QString description;
};
// The records of the replays folder that can be played, newest first.
std::vector<KeptReplay> keptReplays(const GameContext& ctx);

// The end of a replay (its end, its stop button, its window closed, or a
// record that plays out differently, which `problem` explains): the game's
// own state comes back and the screen the replay was started from shows.
// From inside the bout engine the state must wait until the engine has
// returned (it still closes the bout on the replay's state): `afterEngine`.
void finishReplay(GameContext& ctx, const std::optional<QString>& problem = std::nullopt, bool afterEngine = false);

}  // namespace mofurin
