#pragma once

#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>

#include "platform/Transport.h"

// What two players who meet through servers they do not trust share: an
// invitation code read aloud, the sealed notes the code's key opens, and
// a byte stream sealed end to end with keys only the two sides hold.
namespace mofurin::platform {

// An invitation, spelt as platform/InternetServers.h says: 80 random bits
// and a check character ("7K2M-9QXD-4H1F-ZP3R-A").
class InvitationCode {
 public:
  static InvitationCode make();
  // The code as a player typed or pasted it: case, spaces and dashes do not
  // count, I and L read as 1, O as 0. Nothing when the check fails.
  static std::optional<InvitationCode> read(const QString& typed);

  QString text() const;  // in groups, as shown
  // Where the host waits at the meeting place: a hash of the code, so the
  // code itself never leaves the two machines.
  QString topic() const;
  // Seals the notes the two sides leave each other there.
  QByteArray key() const;

 private:
  explicit InvitationCode(QByteArray secret) : secret_(std::move(secret)) {}
  QByteArray secret_;
};

// A note sealed with the code's key: nobody without the code reads or
// changes it unseen. Opening gives nothing for a note sealed otherwise.
QByteArray sealNote(const InvitationCode& code, const QByteArray& plain);
std::optional<QByteArray> openNote(const InvitationCode& code, const QByteArray& sealed);

// Each side's half of the key exchange carried inside the notes.
class KeyPair {
 public:
  KeyPair();
  const QByteArray& publicKey() const { return public_; }

  struct StreamKeys {
    QByteArray receive, send;
  };
  // The keys of the stream with the other side (the host is the exchange's
  // server); nothing for a public key that is not one.
  std::optional<StreamKeys> streamKeys(const QByteArray& otherPublicKey, bool host) const;

 private:
  QByteArray public_, secret_;
};

// The stream over the transport is sealed both ways: each side's first
// bytes open its direction, and every piece after them is authenticated
// in order. A byte changed, dropped or added on the way ends the link as
// lost; nothing the other side did not send is ever received.
std::unique_ptr<Transport> sealedStream(std::unique_ptr<Transport> transport, KeyPair::StreamKeys keys);

}  // namespace mofurin::platform
