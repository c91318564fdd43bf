#pragma once

#include <QObject>
#include <QPointer>
#include <QPoint>
#include <map>
#include <optional>
#include <memory>

#include "platform/GameFolders.h"
#include "platform/Platform.h"
#include "platform/qt/QtClock.h"

class QTextBrowser;
class QWidget;

namespace mofurin::platform {

class FormWindow;

// Real windows for the screens, QTimer time, the game's sound and a help
// window. Dialogs are real ones unless the caller brings its own (the
// driver answers them from its script).
class QtPlatform : public Platform {
 public:
  QtPlatform(QtClock& clock, GameFolders folders, Dialogs* dialogs = nullptr);
  ~QtPlatform() override;

  void showForm(Form& form) override;
  void hideForm(Form& form) override;
  void closeForm(Form& form) override;
  quint32 clockSeed() override;
  void setSeedBase(quint32 base) { seedBase_ = base; }

  QString assetFolder() const override { return folders_.assets; }
  QString workingFolder() const override { return folders_.working; }
  QString pictureFolder() const;

  MediaDevice& media() override { return *media_; }
  Network& network() override { return *network_; }
  void setMedia(std::unique_ptr<MediaDevice> media) { media_ = std::move(media); }
  void setNetwork(std::unique_ptr<Network> network) { network_ = std::move(network); }
  // No music and no effects, and no audio device is ever opened; the beep
  // stays the desktop's own.
  void mute();

  // The window of a screen, if it has one (the driver photographs it).
  QWidget* windowOf(const Form& form) const;
  // The window shown most recently that is still on screen.
  QWidget* frontWindow() const;
  // The same among the game's own screens: the link window goes beside the
  // game and is not where the game is.
  QWidget* frontGameWindow() const;

  void languageChanged() override;
  void copyToClipboard(const QString& text) override;

 protected:
  Dialogs& dialogs() override { return *dialogs_; }
  void doShowHelp(const QString& topic) override;
  void doQuit() override;

 private:
  // Where a new screen's window opens: where the one it replaces was, else
  // over the game's window in front, else where the game was when it last
  // ended, else in the middle of the screen.
  void place(QWidget& window);
  void rememberPlace(const Form& form, const QWidget& window);

  GameFolders folders_;
  std::unique_ptr<Dialogs> ownDialogs_;
  std::unique_ptr<MediaDevice> media_;
  std::unique_ptr<Network> network_;
  Dialogs* dialogs_;
  std::map<const Form*, QPointer<FormWindow>> windows_;
  std::vector<QPointer<QWidget>> shownOrder_;
  // The centre of the game's window in front when it last went: the next
  // screen opens there.
  std::optional<QPoint> lastCentre_;
  bool lastCentreFresh_ = false;  // a window closed in this very event
  QObject lifetime_;              // what the platform posts to Qt goes with it
  QPointer<QTextBrowser> help_;
  quint32 seedBase_ = 0;
};

// Sets the application's look: the Japanese font, the style, and the menus
// inside the screens' windows.
void applyGameLook();

}  // namespace mofurin::platform
