#pragma once

#include "platform/Platform.h"
#include "platform/headless/ScriptedDialogs.h"
#include "platform/headless/VirtualClock.h"

namespace mofurin::platform {

// The platform without windows: widgets are plain state, time is virtual and
// dialogs are answered from a queue. Tests and the driver run on it.
class HeadlessPlatform : public Platform {
 public:
  HeadlessPlatform(QString programFolder, QString workingFolder);

  Clock& clock() override { return clock_; }
  Dialogs& dialogs() override { return dialogs_; }
  VirtualClock& virtualClock() { return clock_; }
  ScriptedDialogs& scriptedDialogs() { return dialogs_; }

  void showForm(Form&) override {}
  void hideForm(Form&) override {}
  void closeForm(Form&) override {}
  void post(std::function<void()> task) override { clock_.post(std::move(task)); }

  // The clock seed is the virtual time mixed with a base the driver can set,
  // so that a seeded script plays the same way every time.
  quint32 clockSeed() override;
  void setSeedBase(quint32 base) { seedBase_ = base; }

  QString programFolder() const override { return programFolder_; }
  QString workingFolder() const override { return workingFolder_; }

  bool quitCalled() const { return quitCalled_; }
  const QString& lastHelpTopic() const { return lastHelpTopic_; }
  int helpRequests() const { return helpRequests_; }

 protected:
  void doShowHelp(const QString& topic) override;
  void doBeep() override {}
  void doQuit() override;

 private:
  VirtualClock clock_;
  ScriptedDialogs dialogs_;
  QString programFolder_;
  QString workingFolder_;
  quint32 seedBase_ = 0;
  bool quitCalled_ = false;
  int helpRequests_ = 0;
  QString lastHelpTopic_;
};

}  // namespace mofurin::platform
