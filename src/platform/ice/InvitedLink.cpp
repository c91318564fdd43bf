#include "platform/ice/InvitedLink.h"

#include <QHostAddress>
#include <QHostInfo>
#include <QTimer>
#include <algorithm>

#include "platform/ice/Sealed.h"

namespace mofurin::platform {

namespace {

constexpr int kAnswerMs = 15000;  // a host that heard nothing of a code never answers
constexpr int kPathMs = 20000;    // ICE either finds a way in this time or there is none

using NoteWay = InvitationCode::Way;

// Something that must go only once the event under way is over: it may be
// what is calling.
template <typename T>
void dropLater(std::unique_ptr<T>& owned) {
  if (owned) QTimer::singleShot(0, [gone = owned.release()] { delete gone; });
}

class InvitedLink final : public Transport {
 public:
  explicit InvitedLink(InternetServers servers) : servers_(std::move(servers)) {
    expiry_.setSingleShot(true);
    expiry_.callOnTimeout([this] { codeRunsOut(); });
    waitForAnswer_.setSingleShot(true);
    waitForAnswer_.callOnTimeout([this] { fail(Problem::NoSuchInvitation); });
    waitForPath_.setSingleShot(true);
    waitForPath_.callOnTimeout([this] { fail(Problem::NoPath); });
    // A broker that takes the connection and says nothing, or whose
    // packets are dropped on the way, is told as one that is not there.
    waitForMeetingPlace_.setSingleShot(true);
    waitForMeetingPlace_.callOnTimeout([this] { fail(Problem::MeetingPlaceUnreachable); });
  }
  ~InvitedLink() override { drop(); }

  bool listen() override {
    close();
    host_ = true;
    state_ = State::Listening;
    if (!begin(InvitationCode::make())) return true;  // its problem is told as the link is lost
    meeting_->subscribe(topic(NoteWay::Offer));
    findRelay([] {});  // long before a guest comes
    expiry_.start(servers_.invitationMs);
    return true;
  }

  void connect(const QString& typed) override {
    close();
    host_ = false;
    state_ = State::Connecting;
    const std::optional<InvitationCode> code = InvitationCode::read(typed);
    if (!code) return later(Problem::NotACode);
    if (!begin(*code)) return;
    meeting_->subscribe(topic(NoteWay::Answer));
    findRelay([this] {
      ice_ = std::make_unique<IceLink>(iceServers_);
      ice_->described = [this](const QByteArray& description) {
        leave(NoteWay::Offer, {Note::Kind::Offer, keys_->publicKey(), {}, description});
        waitForAnswer_.start(kAnswerMs);
      };
      ice_->prepare(true);
    });
  }

  void send(const QByteArray& bytes) override {
    if (stream_) stream_->send(bytes);
  }
  QByteArray receive() override { return stream_ ? stream_->receive() : QByteArray(); }

  void close() override {
    drop();
    state_ = State::Closed;
    problem_ = Problem::None;
  }

  State state() const override { return state_; }
  Way way() const override {
    if (iceLink_ && state_ == State::Connected)
      way_ = iceLink_->relayed() ? Transport::Way::Relayed : Transport::Way::Direct;
    return way_;
  }
  QString invitation() const override { return host_ && code_ ? code_->text() : QString(); }
  Problem problem() const override { return problem_; }

 private:
  // A new attempt with its own code and its own half of the exchange.
  // False when it has already failed.
  bool begin(const InvitationCode& code) {
    code_ = code;
    keys_ = std::make_unique<KeyPair>();
    if (!IceLink::runs()) {
      later(Problem::NoEventLoop);
      return false;
    }
    const auto address = readMeetingPlace(servers_.meetingPlace);
    iceServers_ = readRelay(servers_.relay).value_or(IceServers{});
    if (!address) {
      later(Problem::MeetingPlaceUnreachable);
      return false;
    }
    meeting_ = std::make_unique<MeetingPlace>(*address);
    waitForMeetingPlace_.start(servers_.meetingPlaceMs);
    meeting_->onUnreachable = [this] {
      if (state_ == State::Connected) return leaveMeetingPlace();  // the bout needs it no more
      fail(Problem::MeetingPlaceUnreachable);
    };
    // A host's code is handed out only once the meeting place would pass on
    // an offer: one posted before would be lost.
    meeting_->onSubscribed = [this](bool granted) {
      waitForMeetingPlace_.stop();
      if (!granted) return fail(Problem::MeetingPlaceRefused);
      if (host_ && onInvitation) onInvitation();
    };
    meeting_->onNote = [this](const QString&, const QByteArray& sealed) {
      host_ ? offerArrived(sealed) : answerArrived(sealed);
    };
    return true;
  }

  QString topic(NoteWay way) const {
    return code_->topic() + (way == NoteWay::Offer ? QStringLiteral("/offer") : QStringLiteral("/answer"));
  }

  void leave(NoteWay way, const Note& note) {
    if (meeting_) meeting_->publish(topic(way), sealNote(*code_, way, writeNote(note)));
  }

  std::optional<Note> opened(NoteWay way, const QByteArray& sealed) const {
    const std::optional<QByteArray> plain = code_ ? openNote(*code_, way, sealed) : std::nullopt;
    return plain ? readNote(*plain) : std::nullopt;
  }

  // A relay named by its host's name is looked up first: the ICE agent takes
  // only addresses. Until it is found there is none.
  void findRelay(std::function<void()> then) {
    const QString name = iceServers_.turnHost;
    if (name.isEmpty() || !QHostAddress(name).isNull()) return then();
    iceServers_.stunHost = iceServers_.turnHost = QString();
    QHostInfo::lookupHost(name, &expiry_, [this, attempt = attempt_, then = std::move(then)](const QHostInfo& found) {
      if (attempt != attempt_) return;  // for a link closed since
      const QList<QHostAddress> addresses = found.addresses();
      const auto ipv4 = std::find_if(addresses.begin(), addresses.end(), [](const QHostAddress& a) {
        return a.protocol() == QAbstractSocket::IPv4Protocol;
      });
      if (ipv4 != addresses.end()) iceServers_.stunHost = iceServers_.turnHost = ipv4->toString();
      then();
    });
  }

  // The host takes the first guest's offer. Every later one (a third
  // player, a second press) is told the invitation is taken, as long as the
  // host is at the meeting place: until the code runs out.
  void offerArrived(const QByteArray& sealed) {
    const std::optional<Note> note = opened(NoteWay::Offer, sealed);
    if (!note || note->kind != Note::Kind::Offer) return;
    if (!guestKey_.isEmpty()) {
      if (note->senderKey != guestKey_)
        leave(NoteWay::Answer, {Note::Kind::Taken, keys_->publicKey(), note->senderKey, {}});
      return;  // the same offer twice is one
    }
    const std::optional<KeyPair::StreamKeys> keys = keys_->streamKeys(note->senderKey, true);
    if (!keys) return;
    guestKey_ = note->senderKey;
    state_ = State::Connecting;
    ice_ = std::make_unique<IceLink>(iceServers_);
    ice_->described = [this, sealFor = *keys](const QByteArray& mine) {
      leave(NoteWay::Answer, {Note::Kind::Answer, keys_->publicKey(), guestKey_, sealForGuest(sealFor, mine)});
    };
    ice_->prepare(false);
    meet(*keys, note->description);
  }

  // The guest takes only the answer to its own offer.
  void answerArrived(const QByteArray& sealed) {
    const std::optional<Note> note = opened(NoteWay::Answer, sealed);
    if (!note || note->offerKey != keys_->publicKey() || stream_ || !ice_) return;
    if (note->kind == Note::Kind::Taken) return fail(Problem::Taken);
    if (note->kind != Note::Kind::Answer) return;
    const std::optional<KeyPair::StreamKeys> keys = keys_->streamKeys(note->senderKey, false);
    const std::optional<QByteArray> description = keys ? openFromHost(*keys, note->description) : std::nullopt;
    if (!description) return;
    waitForAnswer_.stop();
    meet(*keys, *description);
  }

  // Both sides know each other: ICE looks for a way, and the stream is
  // sealed with the exchanged keys.
  void meet(const KeyPair::StreamKeys& keys, const QByteArray& otherDescription) {
    iceLink_ = ice_.get();
    stream_ = sealedStream(std::move(ice_), keys);
    stream_->onConnected = [this] {
      waitForPath_.stop();
      state_ = State::Connected;
      if (!host_) leaveMeetingPlace();  // a host stays to turn later guests away
      if (onConnected) onConnected();
    };
    stream_->onArrival = [this] {
      if (onArrival) onArrival();
    };
    stream_->onLost = [this] { streamLost(); };
    waitForPath_.start(kPathMs);
    stream_->connect(QString::fromUtf8(otherDescription));
  }

  // A stream that was connected keeps what it opened until the game has
  // taken it and closes the link.
  void streamLost() {
    if (state_ != State::Connected) return fail(Problem::NoPath);
    expiry_.stop();
    leaveMeetingPlace();
    way();
    state_ = State::Closed;
    problem_ = stream_->problem();
    if (onLost) onLost();
  }

  void codeRunsOut() {
    if (state_ == State::Listening) return fail(Problem::Expired);
    leaveMeetingPlace();  // a guest came: nobody else may come now
  }

  void leaveMeetingPlace() {
    if (meeting_) meeting_->silence();
    dropLater(meeting_);
  }

  void later(Problem problem) {
    QTimer::singleShot(0, &expiry_, [this, problem, attempt = attempt_] {
      if (attempt == attempt_) fail(problem);
    });
  }

  void fail(Problem problem) {
    if (state_ == State::Closed && problem_ != Problem::None) return;
    drop();
    problem_ = problem;
    state_ = State::Closed;
    if (onLost) onLost();
  }

  // Ends this attempt: nothing of it speaks again, and its keys are gone.
  void drop() {
    ++attempt_;
    expiry_.stop();
    waitForAnswer_.stop();
    waitForPath_.stop();
    waitForMeetingPlace_.stop();
    way();  // the way the link ran, kept to be told
    iceLink_ = nullptr;
    if (stream_) stream_->close();
    if (ice_) ice_->close();
    dropLater(stream_);
    dropLater(ice_);
    leaveMeetingPlace();
    keys_.reset();
    guestKey_.clear();
  }

  InternetServers servers_;
  IceServers iceServers_;
  bool host_ = false;
  std::optional<InvitationCode> code_;
  std::unique_ptr<KeyPair> keys_;  // this attempt's
  QByteArray guestKey_;            // a host's: the offer it took
  std::unique_ptr<MeetingPlace> meeting_;
  std::unique_ptr<IceLink> ice_;  // until the stream takes it
  IceLink* iceLink_ = nullptr;    // the stream's
  std::unique_ptr<Transport> stream_;
  State state_ = State::Closed;
  Problem problem_ = Problem::None;
  mutable Transport::Way way_ = Transport::Way::Direct;
  int attempt_ = 0;  // each listen or connect is one
  QTimer expiry_, waitForAnswer_, waitForPath_, waitForMeetingPlace_;
};

}  // namespace

std::unique_ptr<Transport> makeInvitedLink(const InternetServers& servers) {
  return std::make_unique<InvitedLink>(servers);
}

}  // namespace mofurin::platform
