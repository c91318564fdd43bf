#include "platform/ice/InvitedLink.h"

#include <QDataStream>
#include <QDateTime>
#include <QHostAddress>
#include <QHostInfo>
#include <QIODevice>
#include <QTimer>
#include <algorithm>

#include "platform/ice/Sealed.h"

namespace mofurin::platform {

namespace {

constexpr int kAnswerMs = 15000;  // a host that heard nothing of a code never answers
constexpr int kPathMs = 20000;    // ICE either finds a way in this time or there is none
constexpr qint64 kNoteVersion = 1;

// A note: the version, the sender's exchange key, when it was written,
// and its ICE description.
struct Note {
  QByteArray publicKey;
  qint64 writtenMs = 0;
  QByteArray description;
};

QByteArray write(const Note& note) {
  QByteArray bytes;
  QDataStream out(&bytes, QIODevice::WriteOnly);
  out << kNoteVersion << note.publicKey << note.writtenMs << note.description;
  return bytes;
}

std::optional<Note> read(const QByteArray& bytes) {
  QDataStream in(bytes);
  qint64 version = 0;
  Note note;
  in >> version >> note.publicKey >> note.writtenMs >> note.description;
  if (in.status() != QDataStream::Ok || version != kNoteVersion) return std::nullopt;
  return note;
}

class InvitedLink final : public Transport {
 public:
  explicit InvitedLink(InternetServers servers) : servers_(std::move(servers)) {
    expiry_.setSingleShot(true);
    expiry_.callOnTimeout([this] { fail(Problem::Expired); });
    waitForAnswer_.setSingleShot(true);
    waitForAnswer_.callOnTimeout([this] { fail(Problem::NoSuchInvitation); });
    waitForPath_.setSingleShot(true);
    waitForPath_.callOnTimeout([this] { fail(Problem::NoPath); });
  }

  bool listen() override {
    close();
    host_ = true;
    code_ = InvitationCode::make();
    if (!enterMeetingPlace()) return true;  // its problem is told as the link is lost
    // The code is handed out only once the meeting place would pass on an
    // offer: one posted before would be lost.
    meeting_->onSubscribed = [this] {
      if (onInvitation) onInvitation();
    };
    meeting_->subscribe(code_->topic() + QStringLiteral("/offer"));
    findRelay([] {});  // long before a guest comes
    expiry_.start(servers_.invitationMs);
    state_ = State::Listening;
    return true;
  }

  void connect(const QString& typed) override {
    close();
    host_ = false;
    state_ = State::Connecting;
    code_ = InvitationCode::read(typed);
    if (!code_) return later(Problem::NotACode);
    if (!enterMeetingPlace()) return;
    meeting_->subscribe(code_->topic() + QStringLiteral("/answer"));
    findRelay([this] {
      ice_ = std::make_unique<IceLink>(iceServers_);
      ice_->described = [this](const QByteArray& description) {
        meeting_->publish(
            code_->topic() + QStringLiteral("/offer"),
            sealNote(*code_, write({keys_.publicKey(), QDateTime::currentMSecsSinceEpoch(), description})));
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
    ++attempt_;
    expiry_.stop();
    waitForAnswer_.stop();
    waitForPath_.stop();
    if (stream_) stream_->close();
    stream_.reset();
    ice_.reset();
    leaveMeetingPlace();
    state_ = State::Closed;
    problem_ = Problem::None;
  }

  State state() const override { return state_; }
  Way way() const override { return iceLink_ && iceLink_->relayed() ? Way::Relayed : Way::Direct; }
  QString invitation() const override { return host_ && code_ ? code_->text() : QString(); }
  Problem problem() const override { return problem_; }

 private:
  bool enterMeetingPlace() {
    const auto address = readMeetingPlace(servers_.meetingPlace);
    iceServers_ = readRelay(servers_.relay).value_or(IceServers{});
    if (!address) {
      later(Problem::MeetingPlaceUnreachable);
      return false;
    }
    meeting_ = std::make_unique<MeetingPlace>(*address);
    meeting_->onUnreachable = [this] {
      if (!stream_ || state_ != State::Connected) fail(Problem::MeetingPlaceUnreachable);
    };
    meeting_->onNote = [this](const QString&, const QByteArray& sealed) { noteArrived(sealed); };
    return true;
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

  // The meeting place has done its work once the two have met: it goes
  // after the event that met them.
  void leaveMeetingPlace() {
    if (meeting_) QTimer::singleShot(0, [gone = meeting_.release()] { delete gone; });
  }

  void noteArrived(const QByteArray& sealed) {
    const std::optional<QByteArray> opened = code_ ? openNote(*code_, sealed) : std::nullopt;
    const std::optional<Note> note = opened ? read(*opened) : std::nullopt;
    if (!note || stream_) return;  // not for this code, or a second guest: the bout under way goes on
    const qint64 age = QDateTime::currentMSecsSinceEpoch() - note->writtenMs;
    if (age > servers_.invitationMs || age < -servers_.invitationMs) return;
    const std::optional<KeyPair::StreamKeys> keys = keys_.streamKeys(note->publicKey, host_);
    if (!keys) return;
    if (host_) {
      expiry_.stop();
      state_ = State::Connecting;
      ice_ = std::make_unique<IceLink>(iceServers_);
      ice_->described = [this, sealedAnswerTo = code_->topic() + QStringLiteral("/answer")](const QByteArray& mine) {
        meeting_->publish(sealedAnswerTo,
                          sealNote(*code_, write({keys_.publicKey(), QDateTime::currentMSecsSinceEpoch(), mine})));
      };
      ice_->prepare(false);
    } else {
      waitForAnswer_.stop();
    }
    meet(*keys, note->description);
  }

  // Both sides know each other: ICE looks for a way, and the stream is
  // sealed with the exchanged keys.
  void meet(const KeyPair::StreamKeys& keys, const QByteArray& otherDescription) {
    iceLink_ = ice_.get();
    stream_ = sealedStream(std::move(ice_), keys);
    stream_->onConnected = [this] {
      waitForPath_.stop();
      state_ = State::Connected;
      leaveMeetingPlace();
      if (onConnected) onConnected();
    };
    stream_->onArrival = [this] {
      if (onArrival) onArrival();
    };
    stream_->onLost = [this] { fail(state_ == State::Connected ? Problem::None : Problem::NoPath); };
    waitForPath_.start(kPathMs);
    stream_->connect(QString::fromUtf8(otherDescription));
  }

  void later(Problem problem) {
    QTimer::singleShot(0, &expiry_, [this, problem] { fail(problem); });
  }

  void fail(Problem problem) {
    if (state_ == State::Closed && problem_ != Problem::None) return;
    expiry_.stop();
    waitForAnswer_.stop();
    waitForPath_.stop();
    problem_ = problem;
    state_ = State::Closed;
    leaveMeetingPlace();
    if (onLost) onLost();
  }

  InternetServers servers_;
  IceServers iceServers_;
  bool host_ = false;
  std::optional<InvitationCode> code_;
  KeyPair keys_;
  std::unique_ptr<MeetingPlace> meeting_;
  std::unique_ptr<IceLink> ice_;  // until the stream takes it
  IceLink* iceLink_ = nullptr;    // the stream's
  std::unique_ptr<Transport> stream_;
  State state_ = State::Closed;
  Problem problem_ = Problem::None;
  int attempt_ = 0;  // each listen or connect is one
  QTimer expiry_, waitForAnswer_, waitForPath_;
};

}  // namespace

std::unique_ptr<Transport> makeInvitedLink(const InternetServers& servers) {
  return std::make_unique<InvitedLink>(servers);
}

}  // namespace mofurin::platform
