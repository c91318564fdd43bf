#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace mofurin {

class GameContext;

namespace platform {
class Form;
class ScriptedDialogs;
class VirtualClock;
class Widget;
}  // namespace platform

// How the driver lets time pass: virtual time, or the real event loop.
class TimeControl {
 public:
  virtual ~TimeControl() = default;
  virtual void wait(qint64 ms) = 0;
  virtual bool until(const std::function<bool()>& done, qint64 maxMs) = 0;
  virtual void settle() = 0;  // lets the events already due run
};

// Time on the headless platform: nothing happens until the script waits.
// While a link to another machine is live (linkLive says so), time passes
// at the pace of the real one and the link's events come as they arrive.
class VirtualTime : public TimeControl {
 public:
  explicit VirtualTime(platform::VirtualClock& clock, std::function<bool()> linkLive = {})
      : clock_(clock), linkLive_(std::move(linkLive)) {}
  void wait(qint64 ms) override;
  bool until(const std::function<bool()>& done, qint64 maxMs) override;
  void settle() override;

 private:
  bool live() const { return linkLive_ && linkLive_(); }
  // Lets up to ms pass in real time; stops early when done() holds or the
  // link is no longer live. Returns the milliseconds that passed.
  qint64 passInRealTime(qint64 ms, const std::function<bool()>& done);

  platform::VirtualClock& clock_;
  std::function<bool()> linkLive_;
};

// Plays the game from a script of player actions and prints what happens.
class Driver {
 public:
  Driver(GameContext& ctx, platform::ScriptedDialogs& dialogs, TimeControl& time,
         std::function<void(const QString&)> print);

  // Runs the script; the exit status: 0 done or the program ended, 2 error.
  int run(const QString& script);
  // Runs the next line of a script that arrives line by line; the exit
  // status once the script must stop, nothing while it goes on.
  std::optional<int> runLine(QString line);

  // Escapes CR, LF and backslash so that every event is one line.
  static QString escape(const QString& text);
  static QString unescape(const QString& text);

  // The --qt mode's screenshot of a screen's window (null: the front one).
  std::function<bool(const QString& file, platform::Form* form)> shot;
  std::function<void(quint32)> onSeed;

 private:
  struct Target;
  bool execute(const QString& line);
  bool fail(const QString& message);
  bool resolve(const QString& path, Target& target);
  std::optional<QString> describe(const Target& target, const QString& attribute);  // nothing: no such attribute
  void printWidget(const QString& label, const Target& target, const QString& attribute);

  bool click(const QString& args);
  bool select(const QString& args);
  bool type(const QString& args);
  bool key(const QString& args);
  bool scroll(const QString& args);
  bool answer(const QString& args);
  bool file(const QString& args);
  bool random(const QString& args);
  bool seed(const QString& args);
  bool wait(const QString& args);
  bool until(const QString& args);
  bool print(const QString& args);
  bool dump(const QString& args);
  bool takeShot(const QString& args);
  bool photo(const QString& args);
  bool screens(const QString& args);
  bool close(const QString& args);
  bool hold(const QString& args);
  bool replay(const QString& args);
  bool language(const QString& args);
  bool invite(const QString& args);
  bool join(const QString& args);
  bool connection(const QString& args);
  static constexpr qint64 kInvitationWaitMs = 10000;

  GameContext& ctx_;
  platform::ScriptedDialogs& dialogs_;
  TimeControl& time_;
  std::function<void(const QString&)> print_;
  int lineNumber_ = 0;
  QString error_;
};

}  // namespace mofurin
