#include "screens/LinkWindow.h"

#include <algorithm>

#include "screens/BattleScreen.h"
#include "screens/Hub.h"

namespace mofurin {

namespace {

constexpr Side P = Side::Player;
constexpr Side O = Side::Opponent;

}  // namespace

Form11::Form11(GameContext& ctx) : Screen(ctx, kName) {
  setCaption(QStringLiteral("伝送ボックス"));
  setSize(4800, 2400);
  setBackColor(rgb(246, 241, 226));
  setHelpTopic(QStringLiteral("link"));
  Text1.setGeometry(120, 120, 4560, 1500);
  Text1.setMultiLine(true);
  Text1.setReadOnly(true);
  Command1.setCaption(QStringLiteral("やめる"));
  Command1.setGeometry(3240, 1740, 1440, 480);
  Command1.onClick = [this] { Command1_Click(); };
  Timer1.onTimer = [this] { Timer1_Timer(); };
  Timer2.onTimer = [this] {
    Timer2.stop();
    if (Winsock->state() != platform::Socket::State::Connecting) return;
    Winsock->close();
    setStatus(QStringLiteral("接続できませんでした（時間切れ）。もう一度押してください。"));
  };
}

void Form11::Form_Load() {
  setCaption(QStringLiteral("伝送ボックス-") + game().fighterName[P]);
  Winsock = ctx.platform.network().createSocket();
  Winsock->onConnectionRequest = [this] { onConnectionRequest(); };
  Winsock->onConnected = [this] { onConnected(); };
  Winsock->onDataArrival = [this] { onDataArrival(); };
  Winsock->onClosed = [this] { onClosed(); };
  Winsock->onError = [this](const QString&) { onError(); };
}

void Form11::Form_Unload() { Winsock->close(); }

void Form11::setStatus(const QString& caption) {
  if (Form4* hub = ctx.forms.find<Form4>()) hub->Command1.setCaption(caption);
}

void Form11::send(const QString& message) {
  ctx.link.outgoingMessage = message;
  Winsock->send(frame(message));
}

void Form11::listen() {
  Winsock->close();
  if (!Winsock->listen(ctx.link.port)) {
    setStatus(QStringLiteral("ポート%1で接続を待てません（使用中か、権限がありません）").arg(ctx.link.port));
  }
}

void Form11::startLink(const QString& address, bool asHost) {
  GameState& g = game();
  LinkState& link = ctx.link;
  startSetupOver();
  link.clearInbox();
  g.battleKind = 2;
  g.savedOpponentLevel = g.levels[O];
  link.peerAddress = address;
  link.isHost = asHost;
  fleeSent_ = peerFled_ = false;
  ctx.forms.show<Form11>();
  Timer2.stop();
  if (asHost) {
    setStatus(QStringLiteral("相手の接続を待ちます"));
    listen();
  } else {
    Winsock->close();
    setStatus(QStringLiteral("接続中..."));
    Timer2.start();
    Winsock->connectTo(address.trimmed(), link.port);
  }
}

void Form11::onConnectionRequest() {
  Winsock->accept();
  if (Winsock->state() != platform::Socket::State::Connected) return;
  setStatus(QStringLiteral("現在、接続されています。"));
  ctx.battle.networkBattle = true;
  ctx.battle.battlePhase = 1;  // the host chooses first
  sousin();
}

void Form11::onConnected() {
  Timer2.stop();
  setStatus(QStringLiteral("接続できました"));
  ctx.battle.networkBattle = true;
  ctx.battle.battlePhase = 6;  // the guest first watches the host's strike
  ctx.battle.awaitingPeer = true;
}

void Form11::onDataArrival() {
  frames_.append(Winsock->receive());
  while (Winsock->state() == platform::Socket::State::Connected) {
    const std::optional<QString> message = frames_.next();
    if (!message) break;
    receive(*message);
  }
  if (frames_.overflowed()) {
    Winsock->close();
    linkEnded();
  }
}

void Form11::receive(const QString& message) {
  LinkState& link = ctx.link;
  link.incomingMessage = message;
  if (link.setupReceived >= kSetupDone) {
    matid();
    return;
  }
  if (link.setupToSend <= 15) {
    jusin();
    sousin();
  }
  if (link.setupToSend >= 21 && link.setupToSend <= 29) {
    openBattle();
    link.setupReceived = kSetupDone;
    link.setupToSend = kSetupDone;
  }
}

void Form11::openBattle() {
  Form1& battle = ctx.forms.show<Form1>();
  ctx.forms.close<Form4>();
  if (!ctx.link.isHost) battle.watchFirstRound();
}

void Form11::sousin() {
  LinkState& link = ctx.link;
  if (!link.isHost && link.setupToSend >= 2 && link.setupToSend <= 9) ctx.battle.battlePhase = 6;
  send(setupMessage(link.setupToSend, game()));
  link.setupToSend += 1;
}

void Form11::jusin() {
  LinkState& link = ctx.link;
  const SetupMessage m = readSetupHeader(link.incomingMessage);
  link.setupReceived = m.number;
  storeSetup(m, game());
  if (!link.isHost && m.number >= 2 && m.number <= 9) ctx.battle.battlePhase = 6;
  if (m.number == 10 || m.number == 11 || m.number == 23) {
    link.setupToSend = 23;
    link.setupReceived = 20;
  }
}

void Form11::matid() {
  for (QString& slot : ctx.link.inbox) {
    if (slot.isEmpty()) {
      slot = ctx.link.incomingMessage;
      return;
    }
  }
}

void Form11::Timer1_Timer() {
  LinkState& link = ctx.link;
  if (!ctx.battle.awaitingPeer) return;
  if (!link.inbox[0].isEmpty()) {
    link.incomingMessage = link.inbox[0];
    Text1.setText(link.incomingMessage + newLine);
    kouju();
  }
  std::move(link.inbox.begin() + 1, link.inbox.end(), link.inbox.begin());
  link.inbox.back().clear();
}

void Form11::kouju() {
  Form1* battle = ctx.forms.find<Form1>();
  if (!battle) return;  // a battle message with no bout to take it
  BattleState& b = ctx.battle;
  const BattleMessage m = readBattleMessage(ctx.link.incomingMessage);
  const QString ack = battleMessage(tag::Ack, b.roundCount);
  bool resume = true;
  if (m.tag == tag::Strike) {
    const std::optional<Strike> strike = readStrike(m.body);
    if (!strike || b.chosenSlot[O] < 0 || b.chosenSlot[O] >= kSlotCount) return linkEnded();
    battle->engine().takeRemoteHit(strike->damage, strike->missRoll, strike->part);
    send(ack);
    b.awaitingPeer = false;
  } else if (m.tag == tag::Choice) {
    const std::optional<qint32> slot = readChoice(m.body);
    if (!slot) return linkEnded();
    b.chosenSlot[O] = *slot;
    send(ack);
    b.awaitingPeer = false;
  } else if (m.tag == tag::Ack) {
    b.awaitingPeer = false;
  } else if (m.tag == tag::Sync) {
    resume = false;
    if (b.awaitingPeer) send(battleMessage(tag::Resend, b.roundCount));
  } else if (m.tag == tag::Resend) {
    resume = false;
    // Only what still waits for its answer is sent again.
    if (b.awaitingPeer && b.battlePhase == 1) sensou();
    if (b.awaitingPeer && b.battlePhase == 3) kousou();
  } else if (m.tag == tag::Say) {
    resume = false;
    Text1.setText(Text1.text() + m.body + newLine);
  } else if (m.tag == tag::Flee) {
    resume = false;
    peerFled_ = true;
    msgBox(QStringLiteral("逃げられたらしい。戦闘を強制終了します。"));
    ctx.forms.close(*battle);
    return;
  }
  if (resume) battle->Timer3.start();
}

void Form11::sensou() {
  send(choiceMessage(ctx.battle.roundCount, ctx.battle.chosenSlot[P]));
  ctx.battle.awaitingPeer = true;
  if (Form1* battle = ctx.forms.find<Form1>()) battle->Timer3.stop();
}

void Form11::kousou() {
  const BattleState& b = ctx.battle;
  send(strikeMessage(b.roundCount, b.damage, b.missRoll, part(b.strikePart)));
  ctx.battle.awaitingPeer = true;
  if (Form1* battle = ctx.forms.find<Form1>()) battle->Timer3.stop();
}

void Form11::NIGE() {
  if (fleeSent_) return;
  fleeSent_ = true;
  send(battleMessage(tag::Flee, ctx.battle.roundCount));
  ctx.battle.awaitingPeer = true;
}

void Form11::startSetupOver() {
  ctx.battle.networkBattle = false;
  ctx.link.setupToSend = 0;
  ctx.link.setupReceived = 0;
  frames_.clear();
}

bool Form11::boutUndecided() const {
  const auto fleeQueued = std::any_of(ctx.link.inbox.begin(), ctx.link.inbox.end(),
                                      [](const QString& m) { return m.startsWith(tag::Flee); });
  return ctx.battle.battleResult == 0 && !peerFled_ && !fleeSent_ && !fleeQueued;
}

void Form11::onClosed() {
  Winsock->close();
  linkEnded();
}

void Form11::onError() {
  Timer2.stop();
  const bool wasConnecting = Winsock->state() == platform::Socket::State::Connecting || !ctx.battle.networkBattle;
  Winsock->close();
  if (wasConnecting && !ctx.forms.find<Form1>()) {
    setStatus(QStringLiteral("接続できませんでした。アドレスを確かめて、もう一度押してください。"));
    return;
  }
  linkEnded();
}

void Form11::linkEnded() {
  Winsock->close();
  if (Form1* battle = ctx.forms.find<Form1>()) {
    // The other side may have gone because its copy found a side beaten
    // that this copy would only find at its next check.
    if (!boutUndecided() || battle->engine().judgeWithoutPeer()) return;
    fleeSent_ = true;  // nothing more goes out
    msgBox(QStringLiteral("相手との通信が切れました。") + newLine + QStringLiteral("ステータス画面に戻ります。"));
    ctx.forms.close(*battle);
  }
  startSetupOver();
  if (Winsock->listen(ctx.link.port)) {
    setStatus(QStringLiteral("現在、接続待ち..."));
  } else {
    setStatus(QStringLiteral("接続が切れました"));
  }
}

}  // namespace mofurin
