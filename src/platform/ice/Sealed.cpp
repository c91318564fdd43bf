#include "platform/ice/Sealed.h"

#include <sodium.h>

#include <QtEndian>
#include <algorithm>
#include <array>

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

QByteArray InvitationCode::key() const { return derived(secret_, "mofurin-gp notes", crypto_secretbox_KEYBYTES); }

QByteArray sealNote(const InvitationCode& code, const QByteArray& plain) {
  sodiumReady();
  QByteArray sealed(crypto_secretbox_NONCEBYTES + crypto_secretbox_MACBYTES + plain.size(), '\0');
  auto* out = reinterpret_cast<unsigned char*>(sealed.data());
  randombytes_buf(out, crypto_secretbox_NONCEBYTES);
  const QByteArray key = code.key();
  crypto_secretbox_easy(out + crypto_secretbox_NONCEBYTES, reinterpret_cast<const unsigned char*>(plain.constData()),
                        plain.size(), out, reinterpret_cast<const unsigned char*>(key.constData()));
  return sealed;
}

std::optional<QByteArray> openNote(const InvitationCode& code, const QByteArray& sealed) {
  constexpr qsizetype kOverhead = crypto_secretbox_NONCEBYTES + crypto_secretbox_MACBYTES;
  if (sealed.size() < kOverhead) return std::nullopt;
  sodiumReady();
  QByteArray plain(sealed.size() - kOverhead, '\0');
  const auto* in = reinterpret_cast<const unsigned char*>(sealed.constData());
  const QByteArray key = code.key();
  if (crypto_secretbox_open_easy(reinterpret_cast<unsigned char*>(plain.data()), in + crypto_secretbox_NONCEBYTES,
                                 sealed.size() - crypto_secretbox_NONCEBYTES, in,
                                 reinterpret_cast<const unsigned char*>(key.constData())) != 0) {
    return std::nullopt;
  }
  return plain;
}

KeyPair::KeyPair() : public_(crypto_kx_PUBLICKEYBYTES, '\0'), secret_(crypto_kx_SECRETKEYBYTES, '\0') {
  sodiumReady();
  crypto_kx_keypair(reinterpret_cast<unsigned char*>(public_.data()), reinterpret_cast<unsigned char*>(secret_.data()));
}

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
// sealed bytes.
constexpr qsizetype kPieceBytes = 4096;
constexpr qsizetype kSealedPieceBytes = kPieceBytes + crypto_secretstream_xchacha20poly1305_ABYTES;
constexpr qsizetype kHeaderBytes = crypto_secretstream_xchacha20poly1305_HEADERBYTES;

class SealedStream final : public Transport {
 public:
  SealedStream(std::unique_ptr<Transport> inner, KeyPair::StreamKeys keys)
      : inner_(std::move(inner)), keys_(std::move(keys)) {
    inner_->onConnected = [this] { opened(); };
    inner_->onArrival = [this] {
      if (take() && onArrival) onArrival();
    };
    inner_->onLost = [this] {
      take();  // what came before the end is still the other side's
      lose();
    };
  }

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
    for (qsizetype at = 0; at < bytes.size(); at += kPieceBytes) seal(bytes.mid(at, kPieceBytes));
  }
  QByteArray receive() override { return std::exchange(opened_, {}); }
  void close() override {
    reset();
    inner_->close();
  }
  State state() const override { return inner_->state(); }

 private:
  void reset() {
    sending_ = receiving_ = lost_ = false;
    sealed_.clear();
    opened_.clear();
  }

  // This side's direction opens with its header, before anything it sends.
  // The other side's header may have come first: what arrived stays.
  void opened() {
    QByteArray header(kHeaderBytes, '\0');
    crypto_secretstream_xchacha20poly1305_init_push(&push_, reinterpret_cast<unsigned char*>(header.data()),
                                                    reinterpret_cast<const unsigned char*>(keys_.send.constData()));
    inner_->send(header);
    sending_ = true;
    if (onConnected) onConnected();
  }

  void seal(const QByteArray& piece) {
    QByteArray out(2 + piece.size() + crypto_secretstream_xchacha20poly1305_ABYTES, '\0');
    qToBigEndian(static_cast<quint16>(out.size() - 2), out.data());
    crypto_secretstream_xchacha20poly1305_push(&push_, reinterpret_cast<unsigned char*>(out.data() + 2), nullptr,
                                               reinterpret_cast<const unsigned char*>(piece.constData()), piece.size(),
                                               nullptr, 0, 0);
    inner_->send(out);
  }

  // Opens what arrived; true when there is something new to receive. A
  // piece that does not open ends the link.
  bool take() {
    if (lost_) return false;
    sealed_ += inner_->receive();
    const qsizetype before = opened_.size();
    if (!receiving_ && sealed_.size() >= kHeaderBytes) {
      if (crypto_secretstream_xchacha20poly1305_init_pull(
              &pull_, reinterpret_cast<const unsigned char*>(sealed_.constData()),
              reinterpret_cast<const unsigned char*>(keys_.receive.constData())) != 0) {
        return breakOff();
      }
      sealed_.remove(0, kHeaderBytes);
      receiving_ = true;
    }
    while (receiving_ && sealed_.size() >= 2) {
      const qsizetype length = qFromBigEndian<quint16>(sealed_.constData());
      if (length < crypto_secretstream_xchacha20poly1305_ABYTES || length > kSealedPieceBytes) return breakOff();
      if (sealed_.size() < 2 + length) break;
      QByteArray piece(length - crypto_secretstream_xchacha20poly1305_ABYTES, '\0');
      unsigned char tag = 0;
      if (crypto_secretstream_xchacha20poly1305_pull(
              &pull_, reinterpret_cast<unsigned char*>(piece.data()), nullptr, &tag,
              reinterpret_cast<const unsigned char*>(sealed_.constData() + 2), length, nullptr, 0) != 0) {
        return breakOff();
      }
      opened_ += piece;
      sealed_.remove(0, 2 + length);
    }
    return opened_.size() > before;
  }

  bool breakOff() {
    inner_->close();
    lose();
    return false;
  }

  void lose() {
    if (lost_) return;
    lost_ = true;
    sending_ = false;
    if (onLost) onLost();
  }

  std::unique_ptr<Transport> inner_;
  KeyPair::StreamKeys keys_;
  crypto_secretstream_xchacha20poly1305_state push_{}, pull_{};
  bool sending_ = false, receiving_ = false, lost_ = false;
  QByteArray sealed_;  // arrived, not yet opened
  QByteArray opened_;  // opened, not yet received
};

}  // namespace

std::unique_ptr<Transport> sealedStream(std::unique_ptr<Transport> transport, KeyPair::StreamKeys keys) {
  return std::make_unique<SealedStream>(std::move(transport), std::move(keys));
}

}  // namespace mofurin::platform
