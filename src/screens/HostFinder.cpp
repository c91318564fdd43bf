#include "screens/HostFinder.h"

#include "game/Numbers.h"
#include "game/Roster.h"
#include "platform/Keys.h"

namespace mofurin {

namespace {

// Enough for every machine of a home network; more are not listed.
constexpr std::size_t kMostHosts = 16;

}  // namespace

FormHosts::FormHosts(GameContext& ctx) : Screen(ctx, kName) {
  layOut();
  Command1.onClick = [this] { Command1_Click(); };
  Command2.onClick = [this] { search(); };
  Command3.onClick = [this] { this->ctx.forms.close(*this); };
  Timer1.onTimer = [this] { stopListening(); };
  Timer2.onTimer = [this] { ask(); };
}

void FormHosts::showTexts() {
  setCaption(tr("ホストをさがす"));
  List1.setAccessibleName(tr("見つかったホスト"));
  Command1.setCaption(tr("これにする"));
  Command2.setCaption(tr("もう一度さがす"));
  Command3.setCaption(tr("閉じる"));
  refreshList();
  showStatus(status_);
}

void FormHosts::showStatus(Status status) {
  status_ = status;
  switch (status) {
    case Status::None: break;
    case Status::CannotListen:
      Label1.setCaption(tr("ポート%1でさがせません （使用中か、権限がありません）").arg(ctx.link.port));
      break;
    case Status::Searching: Label1.setCaption(tr("同じネットワークのホストをさがしています…")); break;
    case Status::NoneFound: Label1.setCaption(tr("ホストは見つかりませんでした。 アドレスを記入してください。")); break;
    case Status::Found: Label1.setCaption(tr("ホストを選んで「これにする」を押してください。")); break;
  }
}

void FormHosts::layOut() {
  setCaption(tr("ホストをさがす"));
  setSize(5400, 2640);
  setBackColor(rgb(246, 241, 226));
  setHelpTopic(QStringLiteral("hosts"));
  setKeyPreview(true);
  Label1.setGeometry(180, 150, 5040, 540);
  Label1.setTransparent(true);
  Label1.setWrap(Wrap::AtSpaces);  // its sentences break between them, not inside a word
  List1.setGeometry(180, 780, 5040, 360);
  List1.setAccessibleName(tr("見つかったホスト"));
  Command1.setCaption(tr("これにする"));
  Command2.setCaption(tr("もう一度さがす"));
  Command3.setCaption(tr("閉じる"));
  int left = 180;
  for (Button* b : {&Command1, &Command2, &Command3}) {
    b->setGeometry(left, 1560, 1620, 480);
    left += 1710;
  }
  setInitialFocus(&List1);
  setDefaultButton(&Command1);
}

void FormHosts::Form_Load() { search(); }

void FormHosts::Form_Unload() {
  stopListening();
  if (onClosed) onClosed();
}

void FormHosts::Form_KeyDown(int keyCode) {
  if (keyCode == platform::Key::Escape) ctx.forms.close(*this);
}

void FormHosts::search() {
  hosts_.clear();
  refreshList();
  socket_ = ctx.platform.network().createDatagramSocket();
  socket_->onDatagram = [this] { takeDatagrams(); };
  if (!socket_->bind(ctx.link.port)) {
    socket_.reset();
    showStatus(Status::CannotListen);
    return;
  }
  showStatus(Status::Searching);
  Command2.setEnabled(false);
  Timer1.start();
  Timer2.start();
  ask();
}

// The hosts answer on the port this finder listens on, as they announce.
void FormHosts::ask() {
  if (socket_) socket_->broadcast(buildQuestion(), ctx.link.port);
}

void FormHosts::stopListening() {
  Timer1.stop();
  Timer2.stop();
  Command2.setEnabled(true);
  if (!socket_) return;
  socket_.reset();
  showStatus(hosts_.empty() ? Status::NoneFound : Status::Found);
}

// Only what reads as this game's announcement on this port is listed; a
// host that announces again is listed once, with what it said last.
void FormHosts::takeDatagrams() {
  if (!socket_) return;
  bool changed = false;
  for (const platform::DatagramSocket::Datagram& d : socket_->receive()) {
    const std::optional<HostAnnouncement> a = readAnnouncement(d.data);
    if (!a || a->port != ctx.link.port) continue;
    auto known = std::find_if(hosts_.begin(), hosts_.end(), [&](const Host& h) { return h.address == d.sender; });
    if (known != hosts_.end()) {
      changed |= !(known->announcement == *a);
      known->announcement = *a;
    } else if (hosts_.size() < kMostHosts) {
      hosts_.push_back({d.sender, *a});
      changed = true;
    }
  }
  if (changed) refreshList();
}

void FormHosts::refreshList() {
  const int picked = List1.listIndex();
  List1.clear();
  for (const Host& h : hosts_) {
    List1.addItem(
        tr("%1　Lv.%2　%3").arg(fighterForDisplay(h.announcement.name), decimal(h.announcement.level), h.address));
  }
  List1.setListIndex(hosts_.empty() ? -1 : std::max(picked, 0));
  Command1.setEnabled(!hosts_.empty());
}

void FormHosts::Command1_Click() {
  const int i = List1.listIndex();
  if (i < 0 || i >= static_cast<int>(hosts_.size())) return;
  if (onPicked) onPicked(hosts_[i].address);
  ctx.forms.close(*this);
}

}  // namespace mofurin
