#pragma once

namespace mofurin {

class GameContext;

enum class SaveResult { Saved, Cancelled, Failed };
enum class LoadResult { Loaded, NotRead, Ended };

// Asks for a file and writes the game into it. The old file is replaced
// only by a complete new one; a save that fails says so and keeps it.
SaveResult Save(GameContext& ctx);

// Asks for a file and reads the game from it. A file that cannot be read to
// the end changes nothing and says so; a file that fails the integrity test
// ends the program after its message.
LoadResult Load(GameContext& ctx);

}  // namespace mofurin
