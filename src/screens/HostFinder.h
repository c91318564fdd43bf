#pragma once

#include <QCoreApplication>
#include <memory>
#include <vector>

#include "net/HostAnnouncement.h"
#include "platform/Datagram.h"
#include "screens/Screen.h"

namespace mofurin {

// The host list "ホストをさがす", opened by the hub's "さがす": it asks the
// local network's hosts every second and listens for their announcements
// for three seconds, and lists the hosts it heard; picking one writes its
// address into the hub's address box.
class FormHosts : public Screen {
  Q_DECLARE_TR_FUNCTIONS(FormHosts)

 public:
  static inline const QString kName = screen::HostFinder;
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

  // The screen that asked for a host hears which was picked, and when the
  // list closes.
  std::function<void(const QString& address)> onPicked;
  std::function<void()> onClosed;
  void search();  // listens afresh

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
