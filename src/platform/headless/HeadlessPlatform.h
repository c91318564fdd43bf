#pragma once

#include <memory>

#include "platform/Platform.h"
#include "platform/headless/MemoryNetwork.h"
#include "platform/headless/RecordingMedia.h"
#include "platform/headless/ScriptedDialogs.h"
#include "platform/headless/VirtualClock.h"

namespace mofurin::platform {

// A game without windows: widgets are plain state, time is the virtual clock
// it shares with any other game of the process, dialogs are answered from a
// queue, sound is recorded and sockets run over an in-memory wire.
class HeadlessPlatform : public Platform {
 public:
  HeadlessPlatform(VirtualClock& clock, QString assetFolder, QString workingFolder);

  VirtualClock& virtualClock() const { return clock_; }
  ScriptedDialogs& scriptedDialogs() { return dialogs_; }
  RecordingMedia& recordingMedia() { return media_; }

  void showForm(Form&) override {}
  void hideForm(Form&) override {}
  void closeForm(Form&) override {}

  // The clock seed is the virtual time mixed with a base the driver can set,
  // so that a seeded script plays the same way every time.
  quint32 clockSeed() override;
  void setSeedBase(quint32 base) { seedBase_ = base; }

  QString assetFolder() const override { return assetFolder_; }
  QString workingFolder() const override { return workingFolder_; }

  MediaDevice& media() override { return media_; }
  Network& network() override;
  // Puts this game on a wire shared with other games, at the given address.
  void joinWire(MemoryWire& wire, const QString& address);
  // Gives this game another network (the driver's real sockets).
  void setNetwork(std::unique_ptr<Network> network) { network_ = std::move(network); }

  bool quitCalled() const { return quitCalled_; }
  const QString& lastHelpTopic() const { return lastHelpTopic_; }
  int helpRequests() const { return helpRequests_; }

 protected:
  Dialogs& dialogs() override { return dialogs_; }
  void doShowHelp(const QString& topic) override;
  void doQuit() override { quitCalled_ = true; }

 private:
  VirtualClock& clock_;
  ScriptedDialogs dialogs_;
  RecordingMedia media_;
  std::unique_ptr<MemoryWire> ownWire_;
  std::unique_ptr<Network> network_;
  QString assetFolder_;
  QString workingFolder_;
  quint32 seedBase_ = 0;
  bool quitCalled_ = false;
  int helpRequests_ = 0;
  QString lastHelpTopic_;
};

}  // namespace mofurin::platform
