#pragma once

#include <functional>
#include <memory>

#include "battle/BattleState.h"
#include "context/ReplayRun.h"
#include "game/GameState.h"
#include "game/Random.h"
#include "net/LinkState.h"
#include "net/NetworkBout.h"
#include "persist/InternetSettings.h"
#include "persist/KeptFiles.h"
#include "persist/SoundSettings.h"
#include "platform/Dialogs.h"
#include "platform/FormManager.h"
#include "platform/InternetServers.h"
#include "platform/Language.h"
#include "platform/Platform.h"
#include "platform/Transport.h"
#include "sound/SoundState.h"

namespace mofurin {

// Everything one running game owns: its state records, its random source and
// its screens, on one platform. main() makes one; a test may make several.
class GameContext {
 public:
  explicit GameContext(platform::Platform& platform);
  GameContext(const GameContext&) = delete;
  GameContext& operator=(const GameContext&) = delete;

  platform::Platform& platform;
  GameState game;
  BattleState battle;
  LinkState link;
  // The servers of internet bouts: the settings screen's, unless the
  // command line set them for this run.
  InternetSettings internet;
  // Its link runs over TCP on the LAN, or through the internet by an
  // invitation; its events wait while a box is open.
  NetworkBout networkBout{game, battle, link, [this](bool overInternet) {
                            return platform::heldWhileModal(
                                overInternet ? platform::invitedLink({internet.meetingPlace, internet.relay})
                                             : platform::tcpTransport(platform.network(), link.port),
                                platform);
                          }};
  SoundState sound;
  Random random;
  platform::FormManager forms;
  // The player's sound settings, read from the platform's settings file when
  // the game starts and given to its sound device.
  SoundSettings soundSettings;
  std::unique_ptr<ReplayRun> replay;  // while a replay is watched
  // How the link stands, as the link window tells it: the hub shows it when
  // it opens and, while it is open, at every change.
  struct LinkNews {
    QString status;            // the hub's bottom line (empty: its own help text)
    bool fighterHeld = false;  // nothing may change the fighter on one machine only
  };
  LinkNews linkNews;
  std::function<void()> onLinkNews;  // the hub's, while it is open
  void tellLinkNews() {
    if (onLinkNews) onLinkNews();
  }
  // The hub's command the player used last: the keyboard is back on it
  // whenever the hub is (empty: none yet).
  QString lastHubCommand;
  // The records of this game's bouts: the newest hundred stay.
  static constexpr int kKeptReplays = 100;
  KeptFiles keptReplays{QStringLiteral(".replay"), kKeptReplays};

  // A modal message box; after the end of the program none is shown.
  platform::Answer msgBox(const QString& text, platform::Buttons buttons = platform::Buttons::OK,
                          const QString& title = platform::kAppTitle, platform::Icon icon = platform::Icon::None);

  // The end of the program: every screen goes at once and nothing is saved.
  // The handler that calls it must return straight away.
  void end();
  // Whether the player may end the game now: asked when there is progress a
  // save would keep. A replay's state is only a copy: the question is about
  // the player's own game behind it.
  bool playerMayEnd();
  // The player ends the game ("やめる", the desktop's logout): asked as
  // above, then the end. False when the player chose to stay.
  bool endAtPlayersWord();
  bool ended() const { return forms.ended(); }

  // Keeps new sound settings and applies them at once, also to a bout in
  // progress. False when they could not be written (they apply all the same).
  bool changeSoundSettings(const SoundSettings& settings);
  // Keeps the servers of internet bouts the player set. False when they
  // could not be written (they are used all the same).
  bool changeInternetSettings(const InternetSettings& settings);

  // Shows the game in this language from now on: every open screen shows
  // its texts again. keep: the choice is also kept for the next start. False
  // when it could not be kept (or the English texts are missing).
  bool changeLanguage(platform::Language language, bool keep);

  QString workingFile(const QString& name) const;
  QString assetFile(const QString& name) const;

  // Opens the title screen, as the program does when it starts. The screens
  // must have been registered with the form manager first.
  void start();
};

}  // namespace mofurin
