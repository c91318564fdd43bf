#pragma once

#include <QString>
#include <functional>

#include "platform/Dialogs.h"
#include "platform/Timer.h"

namespace mofurin::platform {

class Form;

// Everything the screens need from the machine: time, dialogs, windows, the
// help page, the beep, the folders and the end of the program. The Qt back
// end shows real windows; the headless one keeps state only.
class Platform {
 public:
  virtual ~Platform() = default;

  virtual Clock& clock() = 0;
  virtual Dialogs& dialogs() = 0;

  // The window of a screen appears, disappears, or goes for good.
  virtual void showForm(Form& form) = 0;
  virtual void hideForm(Form& form) = 0;
  virtual void closeForm(Form& form) = 0;

  // Runs a task once the current event has been handled.
  virtual void post(std::function<void()> task) = 0;

  // A seed for the random source that changes with "the clock".
  virtual quint32 clockSeed() = 0;

  virtual QString programFolder() const = 0;
  virtual QString workingFolder() const = 0;

  void showHelp(const QString& topic);
  void beep();
  void quit();

  // Everything a player would notice, as one line each (the driver prints it).
  void setTracer(std::function<void(const QString&)> tracer) { tracer_ = std::move(tracer); }
  void trace(const QString& line) const {
    if (tracer_) tracer_(line);
  }

 protected:
  virtual void doShowHelp(const QString& topic) = 0;
  virtual void doBeep() = 0;
  virtual void doQuit() = 0;

 private:
  std::function<void(const QString&)> tracer_;
};

}  // namespace mofurin::platform
