#include "platform/ice/Sealed.h"

#include <sodium.h>

#include <QDataStream>
#include <QIODevice>
#include <QtEndian>
#include <algorithm>
#include <array>
#include <limits>

#include "platform/InternetServers.h"

namespace mofurin::platform {

namespace {

using invitation::kAlphabet;
using invitation::kGroup;
using invitation::kRandomBytes;
using invitation::valueOf;
constexpr int kCodeCharacters = invitation::kCharacters;

bool sodiumReady() {
  static const bool ready = sodium_init() >= 0;
  return ready;
}

// A hash of the code's bits for one use; the uses never share a value.
QByteArray derived(const QByteArray& secret, const char (&use)[17], std::size_t bytes) {
  QByteArray out(static_cast<qsizetype>(bytes), '\0');
  crypto_generichash(reinterpret_cast<unsigned char*>(out.data()), bytes,
                     reinterpret_cast<const unsigned char*>(secret.constData()), secret.size(),
                     reinterpret_cast<const unsigned char*>(use), 16);
  return out;
}

char checkCharacter(const QByteArray& secret) {
  return kAlphabet[static_cast<unsigned char>(derived(secret, "mofurin-gp check", 1)[0]) % 32];
}

}  // namespace

InvitationCode InvitationCode::make() {
  sodiumReady();
  QByteArray secret(kRandomBytes, '\0');
  randombytes_buf(secret.data(), kRandomBytes);
  return InvitationCode(secret);
}

std::optional<InvitationCode> InvitationCode::read(const QString& typed) {
  const QString kept = invitation::withoutDashesAndSpaces(typed);
  if (kept.size() != kCodeCharacters + 1) return std::nullopt;
  QByteArray secret(kRandomBytes, '\0');
  for (int i = 0; i < kCodeCharacters; ++i) {
    const int value = valueOf(kept[i]);
    if (value < 0) return std::nullopt;
    for (int bit = 0; bit < 5; ++bit) {
      const int at = i * 5 + bit;
      if (value & (16 >> bit)) secret[at / 8] = static_cast<char>(secret[at / 8] | (128 >> (at % 8)));
    }
  }
  sodiumReady();
  if (valueOf(kept.back()) < 0 || kAlphabet[valueOf(kept.back())] != checkCharacter(secret)) return std::nullopt;
  return InvitationCode(secret);
}

QString InvitationCode::text() const {
  QString plain;
  for (int i = 0; i < kCodeCharacters; ++i) {
    int value = 0;
    for (int bit = 0; bit < 5; ++bit) {
      const int at = i * 5 + bit;
      value = value * 2 + ((static_cast<unsigned char>(secret_[at / 8]) >> (7 - at % 8)) & 1);
    }
    plain += QLatin1Char(kAlphabet[value]);
  }
  plain += QLatin1Char(checkCharacter(secret_));
  QString grouped;
  for (int i = 0; i < plain.size(); ++i) {
    if (i > 0 && i % kGroup == 0) grouped += u'-';
    grouped += plain[i];
  }
  return grouped;
}

QString InvitationCode::topic() const {
  return QStringLiteral("mofurin/") + QString::fromLatin1(derived(secret_, "mofurin-gp topic", 16).toHex());
}

QByteArray InvitationCode::key(Way way) const {
  return derived(secret_, way == Way::Offer ? "mofurin-gp offer" : "mofurin-gp answr", crypto_secretbox_KEYBYTES);
}

namespace {

QByteArray seal(const QByteArray& key, const QByteArray& plain) {
  sodiumReady();
  QByteArray sealed(crypto_secretbox_NONCEBYTES + crypto_secretbox_MACBYTES + plain.size(), '\0');
  auto* out = reinterpret_cast<unsigned char*>(sealed.data());
  randombytes_buf(out, crypto_secretbox_NONCEBYTES);
  crypto_secretbox_easy(out + crypto_secretbox_NONCEBYTES, reinterpret_cast<const unsigned char*>(plain.constData()),
                        plain.size(), out, reinterpret_cast<const unsigned char*>(key.constData()));
  return sealed;
}

std::optional<QByteArray> open(const QByteArray& key, const QByteArray& sealed) {
  constexpr qsizetype kOverhead = crypto_secretbox_NONCEBYTES + crypto_secretbox_MACBYTES;
  if (sealed.size() < kOverhead || sealed.size() > kMostNoteBytes) return std::nullopt;
  sodiumReady();
  QByteArray plain(sealed.size() - kOverhead, '\0');
  const auto* in = reinterpret_cast<const unsigned char*>(sealed.constData());
  if (crypto_secretbox_open_easy(reinterpret_cast<unsigned char*>(plain.data()), in + crypto_secretbox_NONCEBYTES,
                                 sealed.size() - crypto_secretbox_NONCEBYTES, in,
                                 reinterpret_cast<const unsigned char*>(key.constData())) != 0) {
    return std::nullopt;
  }
  return plain;
}

// The key that seals the host's description for one guest: a hash of the
// host's sending key, which only that guest shares.
QByteArray answerKey(const QByteArray& hostToGuest) {
  QByteArray key(crypto_secretbox_KEYBYTES, '\0');
  crypto_generichash(reinterpret_cast<unsigned char*>(key.data()), crypto_secretbox_KEYBYTES,
                     reinterpret_cast<const unsigned char*>(hostToGuest.constData()), hostToGuest.size(),
                     reinterpret_cast<const unsigned char*>("mofurin-gp hostd"), 16);
  return key;
}

constexpr qint32 kNoteVersion = 2;

}  // namespace

QByteArray sealNote(const InvitationCode& code, InvitationCode::Way way, const QByteArray& plain) {
  return seal(code.key(way), plain);
}

std::optional<QByteArray> openNote(const InvitationCode& code, InvitationCode::Way way, const QByteArray& sealed) {
  if (sealed.size() > kMostNoteBytes) return std::nullopt;
  return open(code.key(way), sealed);
}

// A note on the way: its version, its kind, then the two keys and the
// description, each as a 32-bit big-endian length and its bytes.
QByteArray writeNote(const Note& note) {
  QByteArray bytes;
  QDataStream out(&bytes, QIODevice::WriteOnly);
  out << kNoteVersion << static_cast<quint8>(note.kind) << note.senderKey << note.offerKey << note.description;
  return bytes;
}

std::optional<Note> readNote(const QByteArray& bytes) {
  if (bytes.size() > kMostNoteBytes) return std::nullopt;
  QDataStream in(bytes);
  qint32 version = 0;
  quint8 kind = 0;
  Note note;
  in >> version >> kind >> note.senderKey >> note.offerKey >> note.description;
  if (in.status() != QDataStream::Ok || !in.atEnd() || version != kNoteVersion) return std::nullopt;
  if (kind < static_cast<quint8>(Note::Kind::Offer) || kind > static_cast<quint8>(Note::Kind::Taken)) {
    return std::nullopt;
  }
  note.kind = static_cast<Note::Kind>(kind);
  return note;
}

QByteArray sealForGuest(const KeyPair::StreamKeys& hostKeys, const QByteArray& plain) {
  QByteArray key = answerKey(hostKeys.send);
  const QByteArray sealed = seal(key, plain);
  wipe(key);
  return sealed;
}

std::optional<QByteArray> openFromHost(const KeyPair::StreamKeys& guestKeys, const QByteArray& sealed) {
  QByteArray key = answerKey(guestKeys.receive);
  std::optional<QByteArray> plain = open(key, sealed);
  wipe(key);
  return plain;
}

void wipe(QByteArray& key) {
  if (!key.isEmpty()) sodium_memzero(key.data(), static_cast<size_t>(key.size()));
  key.clear();
}

KeyPair::KeyPair() : public_(crypto_kx_PUBLICKEYBYTES, '\0'), secret_(crypto_kx_SECRETKEYBYTES, '\0') {
  sodiumReady();
  crypto_kx_keypair(reinterpret_cast<unsigned char*>(public_.data()), reinterpret_cast<unsigned char*>(secret_.data()));
}

KeyPair::~KeyPair() { wipe(secret_); }

std::optional<KeyPair::StreamKeys> KeyPair::streamKeys(const QByteArray& otherPublicKey, bool host) const {
  if (otherPublicKey.size() != crypto_kx_PUBLICKEYBYTES) return std::nullopt;
  StreamKeys keys{QByteArray(crypto_kx_SESSIONKEYBYTES, '\0'), QByteArray(crypto_kx_SESSIONKEYBYTES, '\0')};
  auto* rx = reinterpret_cast<unsigned char*>(keys.receive.data());
  auto* tx = reinterpret_cast<unsigned char*>(keys.send.data());
  const auto* pk = reinterpret_cast<const unsigned char*>(public_.constData());
  const auto* sk = reinterpret_cast<const unsigned char*>(secret_.constData());
  const auto* other = reinterpret_cast<const unsigned char*>(otherPublicKey.constData());
  const int result = host ? crypto_kx_server_session_keys(rx, tx, pk, sk, other)
                          : crypto_kx_client_session_keys(rx, tx, pk, sk, other);
  if (result != 0) return std::nullopt;
  return keys;
}

namespace {

// On the way: each side's secretstream header, then pieces of at most
// kPieceBytes, each as its sealed length (two bytes, big-endian) and the
// sealed bytes. The piece a side sends as it closes is empty and tagged
// final; nothing may follow it.
constexpr qsizetype kPieceBytes = 4096;
constexpr qsizetype kSealedPieceBytes = kPieceBytes + crypto_secretstream_xchacha20poly1305_ABYTES;
constexpr qsizetype kHeaderBytes = crypto_secretstream_xchacha20poly1305_HEADERBYTES;
// What waits, opened, for the game to take it: beyond this the stream
// leaves the rest with the way below, which holds the other side back.
constexpr qsizetype kMostOpenedBytes = 64 * 1024;

class SealedStream final : public Transport {
 public:
  SealedStream(std::unique_ptr<Transport> inner, KeyPair::StreamKeys keys)
      : inner_(std::move(inner)), keys_(std::move(keys)) {
    inner_->onConnected = [this] { opened(); };
    inner_->onArrival = [this] {
      const std::weak_ptr<bool> alive = alive_;
      if (take() && onArrival) onArrival();
      if (!alive.expired()) endIfSaid();  // unless the stream went with the event
    };
    inner_->onLost = [this] {
      // What came before the end is still the other side's, its last
      // piece too, however much of it waits.
      const int attempt = attempt_;
      take(std::numeric_limits<qsizetype>::max());
      if (attempt == attempt_) lose(ended_ ? Problem::None : Problem::Cut);  // not closed meanwhile
    };
  }
  ~SealedStream() override { forgetKeys(); }

  bool listen() override {
    reset();
    return inner_->listen();
  }
  void connect(const QString& address) override {
    reset();
    inner_->connect(address);
  }
  void send(const QByteArray& bytes) override {
    if (!sending_) return;
    for (qsizetype at = 0; at < bytes.size(); at += kPieceBytes) seal(bytes.mid(at, kPieceBytes), 0);
  }
  // What was opened, and room for more: the way below is read again.
  QByteArray receive() override {
    take(opened_.size() + kMostOpenedBytes);  // the stream may break here: what it opened first comes first
    QByteArray bytes = std::exchange(opened_, {});
    endIfSaid();
    return bytes;
  }
  // The other side hears that this side closed, after all it was sent.
  void close() override {
    if (sending_) seal({}, crypto_secretstream_xchacha20poly1305_TAG_FINAL);
    reset();
    forgetKeys();
    inner_->close();
  }
  State state() const override { return inner_->state(); }
  Problem problem() const override { return problem_; }

 private:
  void reset() {
    ++attempt_;
    sending_ = receiving_ = lost_ = ended_ = broken_ = false;
    problem_ = Problem::None;
    sealed_.clear();
    opened_.clear();
  }

  void forgetKeys() {
    wipe(keys_.send);
    wipe(keys_.receive);
    sodium_memzero(&push_, sizeof push_);
    sodium_memzero(&pull_, sizeof pull_);
  }

  // This side's direction opens with its header, before anything it sends.
  // The other side's header may have come first: what arrived stays.
  void opened() {
    if (keys_.send.isEmpty()) return lose(Problem::None);  // closed before, its keys gone
    QByteArray header(kHeaderBytes, '\0');
    crypto_secretstream_xchacha20poly1305_init_push(&push_, reinterpret_cast<unsigned char*>(header.data()),
                                                    reinterpret_cast<const unsigned char*>(keys_.send.constData()));
    inner_->send(header);
    sending_ = true;
    if (onConnected) onConnected();
  }

  void seal(const QByteArray& piece, unsigned char tag) {
    QByteArray out(2 + piece.size() + crypto_secretstream_xchacha20poly1305_ABYTES, '\0');
    qToBigEndian(static_cast<quint16>(out.size() - 2), out.data());
    crypto_secretstream_xchacha20poly1305_push(&push_, reinterpret_cast<unsigned char*>(out.data() + 2), nullptr,
                                               reinterpret_cast<const unsigned char*>(piece.constData()), piece.size(),
                                               nullptr, 0, tag);
    inner_->send(out);
  }

  // Opens what arrived, while there is room; true when there is something
  // new to receive. A piece that does not open, or any piece after the
  // last, ends the link.
  bool take(qsizetype most = kMostOpenedBytes) {
    if (broken_ || keys_.receive.isEmpty()) return false;
    const qsizetype before = opened_.size();
    while (opened_.size() < most) {
      if (!openPiece()) {
        if (broken_) return false;
        const QByteArray more = inner_->receive();
        if (more.isEmpty()) break;
        sealed_ += more;
      }
    }
    return opened_.size() > before;
  }

  // Opens the header or one piece from what arrived; false when a whole one
  // has not arrived yet, or the link broke on it.
  bool openPiece() {
    if (!receiving_) {
      if (sealed_.size() < kHeaderBytes) return false;
      if (crypto_secretstream_xchacha20poly1305_init_pull(
              &pull_, reinterpret_cast<const unsigned char*>(sealed_.constData()),
              reinterpret_cast<const unsigned char*>(keys_.receive.constData())) != 0) {
        return breakOff();
      }
      sealed_.remove(0, kHeaderBytes);
      receiving_ = true;
      return true;
    }
    if (sealed_.size() < 2) return false;
    const qsizetype length = qFromBigEndian<quint16>(sealed_.constData());
    if (ended_ || length < crypto_secretstream_xchacha20poly1305_ABYTES || length > kSealedPieceBytes) {
      return breakOff();
    }
    if (sealed_.size() < 2 + length) return false;
    QByteArray piece(length - crypto_secretstream_xchacha20poly1305_ABYTES, '\0');
    unsigned char tag = 0;
    if (crypto_secretstream_xchacha20poly1305_pull(
            &pull_, reinterpret_cast<unsigned char*>(piece.data()), nullptr, &tag,
            reinterpret_cast<const unsigned char*>(sealed_.constData() + 2), length, nullptr, 0) != 0) {
      return breakOff();
    }
    opened_ += piece;
    sealed_.remove(0, 2 + length);
    ended_ = tag == crypto_secretstream_xchacha20poly1305_TAG_FINAL;
    return true;
  }

  // The other side said its end: nothing more will come.
  void endIfSaid() {
    if (!ended_ || lost_) return;
    inner_->close();
    lose(Problem::None);
  }

  bool breakOff() {
    broken_ = true;
    inner_->close();
    lose(Problem::Cut);
    return false;
  }

  void lose(Problem problem) {
    if (lost_) return;
    lost_ = true;
    sending_ = false;
    problem_ = problem;
    if (onLost) onLost();
  }

  std::unique_ptr<Transport> inner_;
  KeyPair::StreamKeys keys_;
  crypto_secretstream_xchacha20poly1305_state push_{}, pull_{};
  bool sending_ = false, receiving_ = false, lost_ = false;
  bool ended_ = false;   // the other side's last piece came
  bool broken_ = false;  // a piece did not open, or came after the last
  int attempt_ = 0;      // each listen, connect or close begins one
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
  Problem problem_ = Problem::None;
  QByteArray sealed_;  // arrived, not yet opened
  QByteArray opened_;  // opened, not yet received
};

}  // namespace

std::unique_ptr<Transport> sealedStream(std::unique_ptr<Transport> transport, KeyPair::StreamKeys keys) {
  return std::make_unique<SealedStream>(std::move(transport), std::move(keys));
}

}  // namespace mofurin::platform
