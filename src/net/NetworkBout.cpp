#include "net/NetworkBout.h"

#include <algorithm>

#include "battle/BattleEngine.h"
#include "game/Roster.h"
#include "net/Protocol.h"
#include "persist/FighterName.h"

namespace mofurin {

namespace {

constexpr Side P = Side::Player;
constexpr Side O = Side::Opponent;

// A choice or a strike is taken only with its answer; every other message
// a copy can still take after its connection closed.
bool needsAnswer(const QString& message) {
  const QString tag = readBattleMessage(message).tag;
  return tag == tag::Choice || tag == tag::Strike;
}

QString timedOutText() {
  return QCoreApplication::translate("NetworkBout", "接続できませんでした（時間切れ）。もう一度押してください。");
}

}  // namespace

QString peerFledText() {
  return QCoreApplication::translate("NetworkBout", "逃げられたらしい。戦闘を強制終了します。");
}

QString linkLostText() {
  return QCoreApplication::translate("NetworkBout", "相手との通信が切れました。\r\nステータス画面に戻ります。");
}

// ---- The link ----------------------------------------------------------------

void NetworkBout::start(const QString& address, bool asHost, bool overInternet) {
  end();
  link_.peerAddress = address;
  host_ = asHost;
  overInternet_ = overInternet;
  holdRole(true);
  game_.battleKind = kTrainingOrNetworkBout;
  game_.keepOpponent();
  transport_ = makeTransport_(overInternet);
  transport_->onInvitation = [this] { invitationReady(); };
  transport_->onConnected = [this] { connected(); };
  transport_->onArrival = [this] { arrived(); };
  transport_->onLost = [this] { lost(); };
  if (host_) {
    return listenForGuest(overInternet ? QCoreApplication::translate("NetworkBout", "招待コードを用意しています...")
                                       : QCoreApplication::translate("NetworkBout", "相手の接続を待ちます"));
  }
  enter(Stage::Connecting);
  setStatus(overInternet ? QCoreApplication::translate("NetworkBout", "招待コードの相手をさがしています...")
                         : QCoreApplication::translate("NetworkBout", "接続中..."));
  // A link through the internet keeps its own time: the meeting place's
  // answer, then the search for a way.
  if (out_ && !overInternet) out_->limitTime(true);
  transport_->connect(address.trimmed());
}

void NetworkBout::invitationReady() {
  const QString code = transport_ ? transport_->invitation() : QString();
  if (code.isEmpty()) return;
  setStatus(QCoreApplication::translate("NetworkBout", "招待コードを伝えてね（10分間有効）"));
  if (out_) out_->showInvitation(code);
}

QString NetworkBout::connection() const { return fighting() || stage_ == Stage::SettingUp ? way() : lastConnection_; }

QString NetworkBout::way() const {
  if (!transport_) return QStringLiteral("none");
  switch (transport_->way()) {
    case platform::Transport::Way::Lan: return QStringLiteral("lan");
    case platform::Transport::Way::Direct: return QStringLiteral("direct");
    case platform::Transport::Way::Relayed: return QStringLiteral("relayed");
  }
  return {};
}

QString NetworkBout::whyNotConnected() const {
  return whyNotConnectedText(transport_ ? transport_->problem() : platform::Transport::Problem::None);
}

QString whyNotConnectedText(platform::Transport::Problem problem) {
  using Problem = platform::Transport::Problem;
  switch (problem) {
    case Problem::NotACode:
      return QCoreApplication::translate("NetworkBout",
                                         "招待コードが正しくありません。確かめて、もう一度押してください。");
    case Problem::NoSuchInvitation:
      return QCoreApplication::translate(
          "NetworkBout", "この招待コードの相手が見つかりません（打ちまちがいか、期限切れか、もう使われています）。");
    case Problem::Taken:
      return QCoreApplication::translate(
          "NetworkBout", "この招待コードは、もうほかの人が使っています。新しい招待コードをもらってください。");
    case Problem::Expired:
      return QCoreApplication::translate("NetworkBout",
                                         "招待コードの期限（10分）が切れました。もう一度作ってください。");
    case Problem::MeetingPlaceUnreachable:
      return QCoreApplication::translate(
          "NetworkBout", "待ち合わせ場所のサーバーにつながりません。設定画面の「待ち合わせ場所」を確かめてください。");
    case Problem::MeetingPlaceRefused:
      return QCoreApplication::translate(
          "NetworkBout", "待ち合わせ場所のサーバーに断られました。設定画面の「待ち合わせ場所」を確かめてください。");
    case Problem::NoEventLoop:
      return QCoreApplication::translate("NetworkBout",
                                         "この起動のしかた（QT_NO_GLIB）ではインターネット対戦ができません。");
    case Problem::NoPath:
      return QCoreApplication::translate(
          "NetworkBout", "相手までの道が見つかりませんでした。設定画面の「中継サーバー」を確かめてください。");
    case Problem::ModuleMissing:
      return QCoreApplication::translate("NetworkBout", "通信対戦の部品が見つかりません。ゲームを入れ直してください。");
    case Problem::None:
    case Problem::Cut: break;
  }
  return QCoreApplication::translate("NetworkBout",
                                     "接続できませんでした。アドレスを確かめて、もう一度押してください。");
}

void NetworkBout::listenForGuest(const QString& status) {
  if (!transport_->listen()) {
    end();
    setStatus(QCoreApplication::translate("NetworkBout", "ポート%1で接続を待てません（使用中か、権限がありません）")
                  .arg(link_.port));
    return;
  }
  enter(Stage::Listening);
  setStatus(status);
  // A host that waits for an invited friend is not one of the LAN's.
  if (out_ && !overInternet_) out_->listening(true);
}

void NetworkBout::holdRole(bool held) {
  roleHeld_ = held;
  if (out_) out_->holdRole(held);
}

void NetworkBout::setStatus(const QString& caption) {
  if (out_) out_->setStatus(caption);
}

void NetworkBout::detach(BoutLink* link) {
  if (out_ != link) return;
  if (!fighting()) end();
  out_ = nullptr;
}

// The next connection begins again from the first set-up message.
void NetworkBout::startSetupOver() {
  link_.setupToSend = 0;
  link_.setupReceived = 0;
  link_.clearInbox();
}

void NetworkBout::end() {
  if (fighting()) return;
  closeConnection();
  frames_.clear();
  startSetupOver();
  engine_ = nullptr;
  enter(Stage::Idle);
  linkClosed_ = fleeSent_ = peerFled_ = lostLinkShown_ = false;
  holdRole(false);
}

void NetworkBout::closeConnection() {
  if (transport_) transport_->close();
  if (out_) {
    out_->limitTime(false);
    out_->listening(false);
  }
}

void NetworkBout::connected() {
  if (out_) out_->listening(false);
  lastConnection_ = way();
  if (overInternet_) {
    setStatus(transport_->way() == platform::Transport::Way::Relayed
                  ? QCoreApplication::translate("NetworkBout", "中継サーバーを通してつながりました")
                  : QCoreApplication::translate("NetworkBout", "インターネットで直接つながりました"));
  } else {
    setStatus(host_ ? QCoreApplication::translate("NetworkBout", "現在、接続されています。")
                    : QCoreApplication::translate("NetworkBout", "接続できました"));
  }
  frames_.clear();
  if (out_) out_->limitTime(true);  // the set-up must finish in time
  startSetupOver();
  enter(Stage::SettingUp);
  linkClosed_ = fleeSent_ = peerFled_ = lostLinkShown_ = false;
  opponentName_.clear();
  peer_ = GameState();
  if (host_) sousin();  // the host speaks first
}

// Everything that arrived is taken, also when the connection closed behind
// it: the close comes after it. A peer that says more than the inbox holds
// waits in the transport, which holds it back, until this copy has taken
// what came before: nothing is dropped and memory stays bounded.
void NetworkBout::arrived() {
  heldBack_ = false;
  while (transport_ && !frames_.overflowed()) {
    if (inboxFull()) {
      heldBack_ = true;
      return;
    }
    if (const std::optional<QString> message = frames_.next()) {
      received(*message);
      continue;
    }
    const QByteArray more = transport_->receive();
    if (more.isEmpty()) break;
    frames_.append(more);
  }
  if (frames_.overflowed()) {
    closeConnection();
    closed();
  }
}

void NetworkBout::lost() {
  if (stage_ == Stage::Connecting || stage_ == Stage::Listening) {
    const QString why = whyNotConnected();
    end();
    setStatus(why);
    return;
  }
  if (stage_ == Stage::Idle && !fighting()) return;
  arrived();
  // What the other side said last (a flight, say) may wait behind words
  // the inbox had no room for: it is kept, to be taken in its turn.
  while (heldBack_ && !frames_.overflowed()) {
    const QByteArray more = transport_->receive();
    if (more.isEmpty()) break;
    frames_.append(more);
  }
  closeConnection();
  closed();
}

void NetworkBout::timeUp() {
  if (out_) out_->limitTime(false);
  if (stage_ != Stage::Connecting) return setupTimedOut();
  end();
  setStatus(timedOutText());
}

void NetworkBout::enter(Stage stage) {
  const bool wasSettingUp = stage_ == Stage::SettingUp;
  stage_ = stage;
  if (out_ && wasSettingUp != (stage == Stage::SettingUp)) out_->holdFighter(stage == Stage::SettingUp);
}

void NetworkBout::send(const QString& message) {
  link_.outgoingMessage = message;
  if (transport_) transport_->send(frame(message));
}

// ---- The set-up exchange -------------------------------------------------

void NetworkBout::received(const QString& message) {
  if (stage_ == Stage::Idle) return;  // nothing is expected
  link_.incomingMessage = message;
  if (link_.setupReceived >= kSetupDone) {
    matid();
    return;
  }
  if (link_.setupToSend <= 15) {
    jusin();
    sousin();
  }
  if (link_.setupToSend >= 21 && link_.setupToSend <= 29) {
    openBattle();
    link_.setupReceived = kSetupDone;
    link_.setupToSend = kSetupDone;
  }
}

void NetworkBout::sousin() {
  send(setupMessage(link_.setupToSend, game_));
  link_.setupToSend += 1;
}

void NetworkBout::jusin() {
  const SetupMessage m = readSetupHeader(link_.incomingMessage);
  link_.setupReceived = m.number;
  storeSetup(m, peer_);
  if (m.number == 10 || m.number == 11 || m.number == 23) {
    link_.setupToSend = 23;
    link_.setupReceived = 20;
  }
}

void NetworkBout::openBattle() {
  game_.battleKind = kTrainingOrNetworkBout;
  game_.keepOpponent();
  takePeerFighter();
  opponentName_ = game_.fighterName[O];
  enter(Stage::Fighting);
  battle_.networkBattle = true;
  if (out_) {
    out_->limitTime(false);
    out_->openBattle();
  }
}

// The other machine's fighter becomes the opponent. Its name must be one the
// game could have been given by a player, and its roster index one of the
// roster's, or the saves that follow could not be read back.
void NetworkBout::takePeerFighter() {
  const qint32 index = std::clamp(peer_.characterIndex[O], 0, kRosterSize - 1);
  const QString& name = peer_.fighterName[O];
  game_.levels[O] = peer_.levels[O];
  game_.characterIndex[O] = index;
  game_.fighterName[O] = acceptableFighterName(name) ? name : RosterName(index);
  for (int p = 0; p < kPartCount; ++p) {
    game_.partHp(p, O) = peer_.partHp(p, O);
    game_.partAttack(p, O) = peer_.partAttack(p, O);
    game_.partDefence(p, O) = peer_.partDefence(p, O);
  }
  for (int slot = 0; slot < kSlotCount; ++slot) {
    game_.techniqueNames(slot, O) = peer_.techniqueNames(slot, O);
    game_.techniqueCosts(slot, O) = peer_.techniqueCosts(slot, O);
  }
}

// ---- Battle messages -------------------------------------------------------

void NetworkBout::matid() {
  for (QString& slot : link_.inbox) {
    if (slot.isEmpty()) {
      slot = link_.incomingMessage;
      return;
    }
  }
}

bool NetworkBout::inboxFull() const { return link_.setupReceived >= kSetupDone && !link_.inbox.back().isEmpty(); }

void NetworkBout::tick() {
  if (stage_ != Stage::Fighting) return;
  // Messages that do not answer the wait (a word for the log, a message
  // this copy does not take) are passed over at once, up to the answer.
  for (int taken = 0; taken < kInboxSize && fighting() && battle_.awaitingPeer && !link_.inbox[0].isEmpty(); ++taken) {
    // A message that asks for an answer cannot be taken once the
    // connection has closed: the answer would never arrive. Had the other
    // player fled after sending it, it is the flight that ended the bout.
    if (linkClosed_ && needsAnswer(link_.inbox[0])) return queued(tag::Flee) ? peerFled() : linkLost();
    link_.incomingMessage = link_.inbox[0];
    std::move(link_.inbox.begin() + 1, link_.inbox.end(), link_.inbox.begin());
    link_.inbox.back().clear();
    if (out_) out_->log(link_.incomingMessage);
    kouju();
  }
  if (!fighting()) return;
  if (heldBack_ && !inboxFull()) arrived();  // room again for what the peer said since
  if (!battle_.awaitingPeer && playerChoosing() && queued(tag::Flee) && !peerFled_ && !fleeSent_) {
    // The other player fled while this one chooses: told at once, not after
    // a choice for a bout that no longer exists.
    return peerFled();
  }
  checkLostLink();
}

void NetworkBout::kouju() {
  if (!engine_) return;  // a battle message with no bout to take it
  const BattleMessage m = readBattleMessage(link_.incomingMessage);
  if (m.tag == tag::Flee) return peerFled();
  if (m.tag == tag::Sync) {
    if (battle_.awaitingPeer) send(battleMessage(tag::Resend, battle_.roundCount));
    return;
  }
  if (m.tag == tag::Resend) return resendLast();
  if (m.tag == tag::Say) {
    if (out_) out_->log(m.body);
    return;
  }
  if (!awaited(m)) {
    // Another version's message, or one for another moment of the bout:
    // taken as an answer it would set the two copies apart.
    if (out_)
      out_->log(QCoreApplication::translate("NetworkBout", "（待っているメッセージではないので、無視しました）"));
    return;
  }
  const QString ack = battleMessage(tag::Ack, battle_.roundCount);
  if (m.tag == tag::Strike) {
    const std::optional<Strike> strike = readStrike(m.body);
    if (!strike) return linkLost();
    engine_->takeRemoteHit(strike->damage, strike->missRoll, strike->part);
    send(ack);
  } else if (m.tag == tag::Choice) {
    const std::optional<qint32> slot = readChoice(m.body);
    if (!slot) return linkLost();
    engine_->takeRemoteChoice(*slot);
    send(ack);
  }
  engine_->otherSideAnswered();
}

// What answers the step this copy waits at. The host's last set-up message
// reaches the guest after its bout has opened: it starts the guest's first
// round, which then waits for the host's choice.
bool NetworkBout::awaited(const BattleMessage& m) const {
  switch (battle_.battlePhase) {
    case Phase::OpponentChooses: return !host_ && isLastSetupMessage(link_.incomingMessage);
    case Phase::PlayerAnnounces:
    case Phase::PlayerHitLands: return m.tag == tag::Ack && m.round == peersRound(m.tag);
    case Phase::OpponentAnnounces: return m.tag == tag::Choice && m.round == peersRound(m.tag);
    case Phase::OpponentHitLands: return m.tag == tag::Strike && m.round == peersRound(m.tag);
    default: return false;
  }
}

// The round the other machine writes on a message of the kind. Each copy
// counts a round at its own end of it: the host after the guest's strike,
// the guest after the host's. So the host's choices and strikes carry the
// guest's count and its answers one less; the guest's choices and strikes
// carry one more than the host's count and its answers the host's count.
qint32 NetworkBout::peersRound(const QString& tag) const {
  const qint32 round = battle_.roundCount;
  if (tag == tag::Ack) return host_ ? round : round - 1;
  return host_ ? round + 1 : round;
}

// Only what still waits for its answer is sent again.
void NetworkBout::resendLast() {
  if (!battle_.awaitingPeer) return;
  if (battle_.battlePhase == Phase::PlayerAnnounces) sendChoice();
  if (battle_.battlePhase == Phase::PlayerHitLands) sendStrike();
}

void NetworkBout::hearChoice(BattleEngine& engine) {
  AnotherPlayer::hearChoice(engine);
  sendChoice();
}

void NetworkBout::hearStrike(BattleEngine& engine) {
  AnotherPlayer::hearStrike(engine);
  sendStrike();
}

// The engine waits for the answer (hearChoice, hearStrike).
void NetworkBout::sendChoice() { send(choiceMessage(battle_.roundCount, battle_.chosenSlot[P])); }

void NetworkBout::sendStrike() {
  send(strikeMessage(battle_.roundCount, battle_.damage, battle_.missRoll, part(battle_.strikePart)));
}

void NetworkBout::flee() {
  if (fleeSent_ || !fighting()) return;
  fleeSent_ = true;
  send(battleMessage(tag::Flee, battle_.roundCount));
}

void NetworkBout::peerFled() {
  peerFled_ = true;
  if (engine_) engine_->note(FleeEvent{O});
  if (out_) out_->leaveBattle(peerFledText());
}

bool NetworkBout::playerChoosing() const { return engine_ && engine_->playerChoosing(); }

// ---- The end of a bout and of a link -------------------------------------

// In the inbox, or held back behind what filled it.
bool NetworkBout::queued(const QString& tag) const {
  return std::any_of(link_.inbox.begin(), link_.inbox.end(), [&](const QString& m) { return m.startsWith(tag); }) ||
         frames_.holds(tag);
}

bool NetworkBout::boutUndecided() const {
  const bool over = battle_.battleResult != BattleResult::Running || (engine_ && engine_->done());
  return !over && !peerFled_ && !fleeSent_ && !lostLinkShown_ && !queued(tag::Flee);
}

bool NetworkBout::boutCloses() {
  if (!fighting()) return false;
  const bool fled = boutUndecided();
  if (fled) flee();  // the close box: the other side is told
  battle_.networkBattle = false;
  engine_ = nullptr;
  enter(Stage::Idle);
  closeConnection();
  // The side that closes first never hears its own close: it goes back to
  // waiting now, as the other side does when the close reaches it.
  backToWaiting();
  return fled;
}

bool NetworkBout::programEnds() {
  if (!fighting()) return false;
  const bool fled = boutUndecided() && !fleeSent_;
  if (fled) flee();
  closeConnection();
  return fled;
}

// Both copies decide a bout from the same messages, so a copy whose link
// closed goes on with what it already has: the end of its strike, an
// answer that came before the close, the other side's flight. Only when it
// needs the other side again is the link lost.
void NetworkBout::checkLostLink() {
  if (!linkClosed_ || !fighting() || !boutUndecided()) return;
  if (battle_.awaitingPeer) {
    if (link_.inbox[0].isEmpty()) linkLost();
    return;
  }
  if (!playerChoosing()) return;
  // A flight queued while this player chooses is taken at once.
  if (queued(tag::Flee)) {
    peerFled();
  } else {
    linkLost();
  }
}

void NetworkBout::linkLost() {
  lostLinkShown_ = true;
  linkClosed_ = true;
  if (engine_) engine_->note(LinkLostEvent{});
  if (out_) out_->leaveBattle(linkLostText());
}

void NetworkBout::closed() {
  if (fighting()) {
    linkClosed_ = true;
    checkLostLink();
    return;
  }
  backToWaiting();
}

void NetworkBout::setupTimedOut() {
  if (!settingUp()) return;
  closeConnection();
  if (host_) return backToWaiting();
  end();
  setStatus(timedOutText());
}

// After a link ends the host listens again; a guest connects again when its
// player presses "ネットバトル".
void NetworkBout::backToWaiting() {
  linkClosed_ = false;
  startSetupOver();
  if (host_ && transport_ && !overInternet_) {
    return listenForGuest(QCoreApplication::translate("NetworkBout", "現在、接続待ち..."));
  }
  if (!overInternet_) {
    end();
    return setStatus(QCoreApplication::translate("NetworkBout", "接続が切れました"));
  }
  // An invitation serves one bout: another needs a new code, and the used
  // one is no good to type again.
  const QString said = outcome();
  end();
  if (!host_) link_.peerAddress.clear();
  setStatus(said +
            (host_
                 ? QCoreApplication::translate("NetworkBout", "もう一度遊ぶには新しい招待コードを作ってください。")
                 : QCoreApplication::translate("NetworkBout", "もう一度遊ぶには新しい招待コードをもらってください。")));
}

// How the link's bout ended, for the hub to say.
QString NetworkBout::outcome() const {
  const QString& who = opponentName_;
  if (who.isEmpty()) return QCoreApplication::translate("NetworkBout", "接続が切れました。");
  switch (battle_.battleResult) {
    case BattleResult::OpponentBeaten: return QCoreApplication::translate("NetworkBout", "%1に勝ちました！").arg(who);
    case BattleResult::PlayerBeaten: return QCoreApplication::translate("NetworkBout", "%1に負けました。").arg(who);
    case BattleResult::BothBeaten: return QCoreApplication::translate("NetworkBout", "%1と相打ちでした。").arg(who);
    default: break;
  }
  if (fleeSent_) return QCoreApplication::translate("NetworkBout", "%1から逃げました。").arg(who);
  if (peerFled_) return QCoreApplication::translate("NetworkBout", "%1が逃げました。").arg(who);
  return QCoreApplication::translate("NetworkBout", "%1との接続が切れました。").arg(who);
}

}  // namespace mofurin
