#include "screens/LinkWindow.h"

#include "game/Roster.h"
#include "screens/BattleScreen.h"
#include "screens/Hub.h"
#include "screens/Shop.h"

namespace mofurin {

Form11::Form11(GameContext& ctx) : Screen(ctx, kName) {
  setCaption(tr("伝送ボックス"));
  setSize(4800, 2400);
  setBackColor(rgb(246, 241, 226));
  setHelpTopic(QStringLiteral("link"));
  Text1.setGeometry(120, 120, 4560, 1500);
  Text1.setMultiLine(true);
  Text1.setReadOnly(true);
  Text1.setAccessibleName(tr("伝送のようす"));
  Label1.setGeometry(120, 1740, 3000, 480);
  Label1.setTransparent(true);
  Label1.setWrap(Wrap::AtSpaces);
  Command1.setCaption(tr("やめる"));
  Command1.setGeometry(3240, 1740, 1440, 480);
  Command1.onClick = [this] { Command1_Click(); };
  Timer1.onTimer = [this] { Timer1_Timer(); };
  Timer1.setMirrorsState(true);  // hands on what the socket queued
  Timer2.onTimer = [this] { Timer2_Timer(); };
  Timer3.onTimer = [this] { Timer3_Timer(); };
}

void Form11::Form_Load() {
  setCaption(tr("伝送ボックス-%1").arg(fighterForDisplay(game().fighterName[Side::Player])));
  closeRequested = [this] { closeBox(); };
  Winsock = ctx.platform.network().createSocket();
  Winsock->onConnectionRequest = [this] { deliver(SocketEvent::ConnectionRequest); };
  Winsock->onConnected = [this] { deliver(SocketEvent::Connected); };
  Winsock->onDataArrival = [this] { deliver(SocketEvent::DataArrival); };
  Winsock->onClosed = [this] { deliver(SocketEvent::Closed); };
  Winsock->onError = [this](const QString&) { deliver(SocketEvent::Error); };
  ctx.networkBout.attach(this);
}

void Form11::showTexts() {
  setCaption(tr("伝送ボックス-%1").arg(fighterForDisplay(game().fighterName[Side::Player])));
  Text1.setAccessibleName(tr("伝送のようす"));
  Command1.setCaption(tr("やめる"));
}

void Form11::Form_Unload() {
  ctx.networkBout.detach(this);
  *alive_ = false;
  closeSocket();
}

void Form11::startLink(const QString& address, bool asHost) {
  ctx.networkBout.start(address, asHost);
  frames_.clear();
  held_.clear();
  ctx.forms.show<Form11>();
  Timer2.stop();
  closeSocket();
  if (asHost) {
    setStatus(tr("相手の接続を待ちます"));
    if (!listen()) {
      setStatus(tr("ポート%1で接続を待てません（使用中か、権限がありません）").arg(ctx.link.port));
    }
  } else {
    setStatus(tr("接続中..."));
    Timer2.start();
    Winsock->connectTo(address.trimmed(), ctx.link.port);
  }
}

void Form11::closeBox() {
  if (ctx.networkBout.fighting()) {
    ctx.forms.close<Form1>();  // leaves the bout; the hub shows
  } else {
    Timer2.stop();
    closeSocket();
    ctx.networkBout.givenUp();
    setStatus(tr("接続をやめました"));
  }
  ctx.forms.hide(*this);
}

void Form11::Timer2_Timer() {
  Timer2.stop();
  if (Winsock->state() == platform::Socket::State::Connecting) {
    closeSocket();
    ctx.networkBout.givenUp();
    setStatus(tr("接続できませんでした（時間切れ）。もう一度押してください。"));
    return;
  }
  ctx.networkBout.setupTimedOut();
}

void Form11::Timer3_Timer() {
  if (!ctx.networkBout.fighting()) {
    Timer3.stop();
    waitedSeconds_ = 0;
    Label1.setCaption(status_);
    return;
  }
  waitedSeconds_ = ctx.battle.awaitingPeer ? waitedSeconds_ + 1 : 0;
  Label1.setCaption(waitedSeconds_ >= 10 ? tr("相手を待っています（%1秒）").arg(waitedSeconds_) : status_);
}

void Form11::deliver(SocketEvent event) {
  if (event != SocketEvent::DataArrival || held_.empty() || held_.back() != SocketEvent::DataArrival) {
    held_.push_back(event);
  }
  deliverHeld();
}

void Form11::deliverHeld() {
  if (delivering_) return;  // the event being handled finishes first
  if (ctx.platform.modal()) {
    if (!deliveryPosted_) {
      deliveryPosted_ = true;
      ctx.platform.post([this, alive = std::weak_ptr<bool>(alive_)] {
        if (alive.expired() || !*alive.lock()) return;
        deliveryPosted_ = false;
        deliverHeld();
      });
    }
    return;
  }
  const std::weak_ptr<bool> alive = alive_;
  delivering_ = true;
  while (!held_.empty() && !ctx.platform.modal()) {
    const SocketEvent event = held_.front();
    held_.pop_front();
    handle(event);
    if (alive.expired() || !*alive.lock()) return;  // the window went with the event
  }
  delivering_ = false;
  if (!held_.empty()) deliverHeld();
}

void Form11::handle(SocketEvent event) {
  switch (event) {
    case SocketEvent::ConnectionRequest: return onConnectionRequest();
    case SocketEvent::Connected: return onConnected();
    case SocketEvent::DataArrival: return onDataArrival();
    case SocketEvent::Closed:
      closeSocket();
      return ctx.networkBout.closed();
    case SocketEvent::Error: return onError();
  }
}

void Form11::onConnectionRequest() {
  announcer_.stop();
  Winsock->accept();
  if (Winsock->state() != platform::Socket::State::Connected) return;
  setStatus(tr("現在、接続されています。"));
  frames_.clear();
  Timer2.start();  // the set-up must finish in time
  ctx.networkBout.connected();
}

void Form11::onConnected() {
  setStatus(tr("接続できました"));
  frames_.clear();
  Timer2.start();
  ctx.networkBout.connected();
}

void Form11::onDataArrival() {
  // Everything that arrived is taken, also when the connection closed
  // behind it: the close comes after it.
  frames_.append(Winsock->receive());
  while (const std::optional<QString> message = frames_.next()) ctx.networkBout.received(*message);
  if (frames_.overflowed()) {
    closeSocket();
    ctx.networkBout.closed();
  }
}

void Form11::onError() {
  const bool wasConnecting = Winsock->state() == platform::Socket::State::Connecting ||
                             (!ctx.networkBout.settingUp() && !ctx.networkBout.fighting());
  closeSocket();
  if (wasConnecting) {
    Timer2.stop();
    ctx.networkBout.givenUp();
    setStatus(tr("接続できませんでした。アドレスを確かめて、もう一度押してください。"));
    return;
  }
  ctx.networkBout.closed();
}

// ---- What the bout asks ----------------------------------------------------

void Form11::send(const QString& message) { Winsock->send(frame(message)); }

void Form11::closeConnection() {
  Timer2.stop();
  closeSocket();
  frames_.clear();
}

bool Form11::listen() {
  closeSocket();
  if (!Winsock->listen(ctx.link.port)) return false;
  announcer_.start();
  return true;
}

void Form11::closeSocket() {
  announcer_.stop();
  Winsock->close();
}

void Form11::setStatus(const QString& caption) {
  status_ = caption;
  Label1.setCaption(caption);
  if (Form4* hub = ctx.forms.find<Form4>()) hub->Command1.setCaption(caption);
}

void Form11::holdFighter(bool held) {
  if (held) ctx.forms.close<Form5>();
  if (Form4* hub = ctx.forms.find<Form4>()) hub->HPUP.setEnabled(!held);
}

void Form11::log(const QString& line) {
  // A battle message's two-character kind is shown in the game's language;
  // the rest (numbers, what the other player said) as it came.
  static const char* const kinds[] = {QT_TR_NOOP("選択"), QT_TR_NOOP("攻撃"), QT_TR_NOOP("確認"), QT_TR_NOOP("同期"),
                                      QT_TR_NOOP("送可"), QT_TR_NOOP("逃亡"), QT_TR_NOOP("発言")};
  QString shown = line;
  for (const char* kind : kinds) {
    if (line.startsWith(QString::fromUtf8(kind))) {
      shown = tr(kind) + line.mid(2);
      break;
    }
  }
  log_.push_back(shown);
  while (log_.size() > kLogLines) log_.pop_front();
  QString text;
  for (const QString& l : log_) text += l + newLine;
  Text1.setText(text);
}

void Form11::holdRole(bool held) {
  if (Form4* hub = ctx.forms.find<Form4>()) hub->showRoleHeld(held);
}

void Form11::openBattle() {
  Timer2.stop();
  waitedSeconds_ = 0;
  Timer3.start();
  // Nothing beside the bout may change the fighter on one machine only.
  ctx.forms.close<Form5>();
  ctx.forms.show<Form1>();
  ctx.forms.close<Form4>();
}

void Form11::leaveBattle(const QString& why) {
  msgBox(why);
  ctx.forms.close<Form1>();
}

}  // namespace mofurin
