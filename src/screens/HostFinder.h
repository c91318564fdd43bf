#pragma once

#include <QCoreApplication>
#include <memory>
#include <vector>

#include "net/HostAnnouncement.h"
#include "platform/Datagram.h"
#include "screens/Screen.h"

namespace mofurin {

// Tells the local network that this game waits for a guest, on the link's
// port, from the moment its link listens until it is linked or stops
// listening: once at the start, at once to a finder that asks, and seldom in
// between for finders that only listen. A waiting host so wakes seldom. The
// link window starts and stops it.
class HostAnnouncer {
 public:
  static constexpr int kSeldomMs = 5000;
  // Where no finder can ask (the port cannot be shared), as often as a
  // finder that only listens needs.
  static constexpr int kUnaskedMs = 1000;
  // A flood of questions is answered a few times a second at most: one
  // answer reaches every finder.
  static constexpr int kAnswerGapMs = 250;
  HostAnnouncer(platform::Form& owner, GameContext& ctx);
  ~HostAnnouncer() { stop(); }

  void start();  // announces at once, then seldom and when asked
  void stop();
  bool announcing() const { return timer_.enabled(); }

 private:
  void announce();
  void answerQuestions();

  GameContext& ctx_;
  platform::Timer timer_;
  std::unique_ptr<platform::DatagramSocket> socket_;
  qint64 lastAnnounced_ = 0;
};

// The host list "ホストをさがす", opened by the hub's "さがす": it asks the
// local network's hosts every second and listens for their announcements
// for three seconds, and lists the hosts it heard; picking one writes its
// address into the hub's address box.
class FormHosts : public Screen {
  Q_DECLARE_TR_FUNCTIONS(FormHosts)

 public:
  static inline const QString kName = QStringLiteral("FormHosts");
  static constexpr int kListenMs = 3000;
  static constexpr int kAskMs = 1000;
  explicit FormHosts(GameContext& ctx);

  Label Label1{*this, "Label1"};
  ComboBox List1{*this, "List1"};
  Button Command1{*this, "Command1"};
  Button Command2{*this, "Command2"};
  Button Command3{*this, "Command3"};
  Timer Timer1{*this, "Timer1", kListenMs, false};
  Timer Timer2{*this, "Timer2", kAskMs, false};  // asks again: a question or its answer may be lost

  void Form_Load() override;
  void showTexts() override;
  void Form_Unload() override;
  void Form_KeyDown(int keyCode) override;
  void Command1_Click();  // picks the host
  void search();          // listens afresh

 private:
  // What the line over the list says, so it can say it again in another language.
  enum class Status { None, CannotListen, Searching, NoneFound, Found };
  void showStatus(Status status);
  Status status_ = Status::None;
  struct Host {
    QString address;
    HostAnnouncement announcement;
  };
  void layOut();
  void takeDatagrams();
  void ask();
  void stopListening();
  void refreshList();

  std::unique_ptr<platform::DatagramSocket> socket_;
  std::vector<Host> hosts_;
};

}  // namespace mofurin
