#pragma once

#include <QString>
#include <deque>
#include <functional>
#include <memory>

#include "platform/Dialogs.h"
#include "platform/Media.h"
#include "platform/Socket.h"
#include "platform/Timer.h"

namespace mofurin::platform {

class Form;

// The settings file's name: in the player's configuration folder
// ($XDG_CONFIG_HOME/mofurin) for the game, in its data folder for the driver.
inline const QString kSettingsFileName = QStringLiteral("mofurin.conf");

// Everything one game needs from the machine besides the process's clock:
// its dialogs, windows, help page, sound, sockets, folders and the end of
// its program. The Qt back end shows real windows; the headless one keeps
// state only. Several games may share one clock.
//
// While a box or file dialog of this game is open, none of its timers ticks
// and nothing it posted runs (a closed screen is not deleted under the
// handler that is waiting for the box); what was posted runs after the box.
class Platform {
 public:
  explicit Platform(Clock& clock);
  virtual ~Platform();
  Platform(const Platform&) = delete;
  Platform& operator=(const Platform&) = delete;

  Clock& clock() const { return clock_; }

  Answer message(const Message& box);
  // folder: where the dialog starts (empty: where the platform likes).
  std::optional<QString> openFile(const QString& filter, const QString& folder = {});
  std::optional<QString> saveFile(const QString& filter);
  bool modal() const { return modalDepth_ > 0; }

  // The window of a screen appears, disappears, or goes for good.
  virtual void showForm(Form& form) = 0;
  virtual void hideForm(Form& form) = 0;
  virtual void closeForm(Form& form) = 0;

  // Runs a task once the current event has been handled (after any box).
  void post(std::function<void()> task);

  // A seed for the random source that changes with "the clock".
  virtual quint32 clockSeed() = 0;

  virtual QString assetFolder() const = 0;
  virtual QString workingFolder() const = 0;

  virtual MediaDevice& media() = 0;
  virtual Network& network() = 0;

  // Where the player's settings are kept (the driver keeps its own).
  const QString& settingsFile() const { return settingsFile_; }
  void setSettingsFile(QString path) { settingsFile_ = std::move(path); }

  void showHelp(const QString& topic);
  void beep();
  void mediaCommand(const QString& text);
  QString musicMode() { return media().musicMode(); }
  void playEffect(int side, const QByteArray& waveImage);
  // The music's and the effects' loudness, 0 to 100 (0: off).
  void setVolumes(int music, int effects);
  void quit();
  // The game's language has changed: what the platform shows by itself (the
  // toolkit's dialogs, the help page) follows.
  virtual void languageChanged() {}
  // The text goes to the desktop's clipboard, for the player to paste.
  virtual void copyToClipboard(const QString& text) { trace(QStringLiteral("[clipboard] ") + text); }

  // Everything a player would notice, as one line each (the driver prints it).
  void setTracer(std::function<void(const QString&)> tracer) { tracer_ = std::move(tracer); }
  void trace(const QString& line) const {
    if (tracer_) tracer_(line);
  }

 protected:
  virtual Dialogs& dialogs() = 0;
  virtual void doShowHelp(const QString& topic) = 0;
  virtual void doQuit() = 0;

 private:
  class ModalScope;
  void runOrHold(const std::function<void()>& task);

  Clock& clock_;
  int modalDepth_ = 0;
  std::deque<std::function<void()>> heldTasks_;
  std::shared_ptr<Platform*> self_;  // lets posted tasks outlive the platform safely
  std::function<void(const QString&)> tracer_;
  QString settingsFile_;
};

}  // namespace mofurin::platform
