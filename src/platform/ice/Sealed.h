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
  // Seals the notes one side leaves the other there: each way has its own
  // key, so a note can never be handed back to its writer as the answer.
  enum class Way { Offer, Answer };  // guest to host, host to guest
  QByteArray key(Way way) const;

 private:
  explicit InvitationCode(QByteArray secret) : secret_(std::move(secret)) {}
  QByteArray secret_;
};

// The most a sealed note may weigh: an ICE description with a handful of
// candidates takes well under a kilobyte. A larger one is dropped before it
// is copied or opened, whatever the meeting place lets through.
constexpr qsizetype kMostNoteBytes = 4096;

// A note sealed with the code's key for its way: nobody without the code
// reads or changes it unseen. Opening gives nothing for a note sealed
// otherwise, for the other way, or larger than kMostNoteBytes.
QByteArray sealNote(const InvitationCode& code, InvitationCode::Way way, const QByteArray& plain);
std::optional<QByteArray> openNote(const InvitationCode& code, InvitationCode::Way way, const QByteArray& sealed);

// What the notes say. A guest offers its half of the key exchange and its
// ICE description; the host answers that offer by its key, with its own
// description sealed for that guest alone, or tells it the invitation is
// taken. Everyone else who holds the code learns nothing of the host's way.
struct Note {
  enum class Kind : quint8 { Offer = 1, Answer = 2, Taken = 3 };
  Kind kind = Kind::Offer;
  QByteArray senderKey;    // the writer's half of the exchange
  QByteArray offerKey;     // an answer's or a refusal's: the offer's senderKey
  QByteArray description;  // an offer's plain; an answer's sealed (sealForGuest)
};
QByteArray writeNote(const Note& note);
// Nothing for bytes that are not a note of this version.
std::optional<Note> readNote(const QByteArray& bytes);

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

  ~KeyPair();  // the secret half is wiped
  KeyPair(const KeyPair&) = delete;
  KeyPair& operator=(const KeyPair&) = delete;

 private:
  QByteArray public_, secret_;
};

// The host's description, sealed with a key from the exchange with the
// guest it answers: only that guest opens it.
QByteArray sealForGuest(const KeyPair::StreamKeys& hostKeys, const QByteArray& plain);
std::optional<QByteArray> openFromHost(const KeyPair::StreamKeys& guestKeys, const QByteArray& sealed);

// Wipes a key from memory.
void wipe(QByteArray& key);

// The stream over the transport is sealed both ways: each side's first
// bytes open its direction, and every piece after them is authenticated
// in order. A byte changed, dropped or added on the way ends the link as
// lost; nothing the other side did not send is ever received. Its last
// piece says it is the last: a stream that ends with it ended as its
// sender closed it; one that ends without it was cut (Problem::Cut).
std::unique_ptr<Transport> sealedStream(std::unique_ptr<Transport> transport, KeyPair::StreamKeys keys);

}  // namespace mofurin::platform
