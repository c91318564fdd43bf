#pragma once

#include <QString>
#include <optional>

namespace mofurin::platform {

// Where one game's files are: its own pictures, sounds and help page, and
// the player's files (kiro.txt, and the first folder the save dialog offers).
struct GameFolders {
  QString assets;
  QString working;
  // The working folder is the game's own (the player's data folder or a
  // chosen one), made when missing, rather than the current folder.
  bool ownWorkingFolder = false;
  // The program's modules: the LAN's sockets and the link of internet bouts.
  QString modules;

  // The folder of the pictures, among the assets.
  QString pictures() const;
};

// An installed game keeps its assets in the game's data folder beside the
// program's folder (games/ -> share/games/mofurin) and the player's files in
// the player's data folder ($XDG_DATA_HOME/mofurin, ~/.local/share/mofurin),
// its modules in its own folder of the libraries (lib/<arch>/mofurin); a
// game run from its build folder finds its assets and modules beside the
// program and works in the current folder. A chosen folder, when given, is the player's
// folder in either case.
GameFolders findGameFolders(const QString& programFolder, const QString& chosenWorkingFolder = {});

// Makes the game's own working folder if it is missing. Says why when it
// cannot be made or written into.
std::optional<QString> prepareWorkingFolder(const GameFolders& folders);

}  // namespace mofurin::platform
