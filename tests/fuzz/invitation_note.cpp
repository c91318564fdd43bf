// libFuzzer target: a note as anyone at the meeting place may leave it on an
// invitation's topic, read as the host and the guest read it: sealed with
// the code's key for its way, then the note inside, then the host's
// description sealed for one guest.

#include <fuzzer/FuzzedDataProvider.h>

#include <QByteArray>
#include <cstdio>
#include <cstdlib>

#include "platform/InternetServers.h"
#include "platform/ice/Sealed.h"

namespace {

using namespace mofurin::platform;
using Way = InvitationCode::Way;

// A broken promise: said in the log, then the run stops where the fuzzer
// sees it.
[[noreturn]] void fault(const char* what) {
  std::fprintf(stderr, "fault: %s\n", what);
  std::abort();
}

// Everything the fuzzer cannot choose: one invitation, and the keys of a
// host, the guest it answers and another guest, made once a run.
struct Invitation {
  InvitationCode code = fixedCode();
  KeyPair host, guest, stranger;
  KeyPair::StreamKeys hostKeys = *host.streamKeys(guest.publicKey(), true);
  KeyPair::StreamKeys guestKeys = *guest.streamKeys(host.publicKey(), false);
  KeyPair::StreamKeys strangerKeys = *stranger.streamKeys(host.publicKey(), false);

  // Always the same code, so the seed notes sealed with it open: its first
  // sixteen characters, and whichever check character makes it one.
  static InvitationCode fixedCode() {
    for (const char check : QByteArray(invitation::kAlphabet)) {
      if (auto code = InvitationCode::read(QStringLiteral("MFRN-SEED-N0TE-2024-") + QLatin1Char(check))) return *code;
    }
    fault("no check character makes the run's code");
  }
};

const Invitation& invitationOfTheRun() {
  static const Invitation invitation;
  return invitation;
}

bool same(const Note& a, const Note& b) {
  return a.kind == b.kind && a.senderKey == b.senderKey && a.offerKey == b.offerKey && a.description == b.description;
}

// A note read is one the game acts on: written again it reads the same,
// and its keys go to the key exchange and the host's sealed description.
void readAsNote(const QByteArray& bytes) {
  const std::optional<Note> note = readNote(bytes);
  if (!note) return;
  if (bytes.size() > kMostNoteBytes) fault("a note over the bound was read");
  const std::optional<Note> again = readNote(writeNote(*note));
  if (!again || !same(*again, *note)) fault("a note read, written again, reads otherwise");

  const Invitation& run = invitationOfTheRun();
  run.host.streamKeys(note->senderKey, true);
  run.guest.streamKeys(note->senderKey, false);
  // A description sealed by nobody this guest exchanged keys with.
  if (openFromHost(run.guestKeys, note->description)) fault("a description nobody sealed for this guest opened");
}

// The bytes as they arrive at the topic: nobody without the code seals a
// note that opens, and a note never opens both ways.
void arrived(const QByteArray& sealed) {
  const Invitation& run = invitationOfTheRun();
  const std::optional<QByteArray> offer = openNote(run.code, Way::Offer, sealed);
  const std::optional<QByteArray> answer = openNote(run.code, Way::Answer, sealed);
  if ((offer || answer) && sealed.size() > kMostNoteBytes) fault("a note over the bound opened");
  if (offer && answer) fault("a note opened both ways");
  if (offer) readAsNote(*offer);
  if (answer) readAsNote(*answer);
  readAsNote(sealed);  // as if the meeting place handed on a plain note
  openFromHost(run.guestKeys, sealed);
}

// The bytes as the plain of a note sealed by someone with the code: it
// opens, the same, for its way alone, and one byte changed on the way
// spoils it.
void sealedWithTheCode(const QByteArray& plain, Way way, FuzzedDataProvider& choices) {
  const Invitation& run = invitationOfTheRun();
  const QByteArray sealed = sealNote(run.code, way, plain);
  const std::optional<QByteArray> opened = openNote(run.code, way, sealed);
  if (opened.has_value() != (sealed.size() <= kMostNoteBytes)) fault("a sealed note opens against its bound");
  if (opened && *opened != plain) fault("a note opened otherwise than it was sealed");
  if (openNote(run.code, way == Way::Offer ? Way::Answer : Way::Offer, sealed)) fault("a note opened the other way");
  if (opened) readAsNote(*opened);

  QByteArray changed = sealed;
  const auto at = choices.ConsumeIntegralInRange<qsizetype>(0, changed.size() - 1);
  changed[at] = static_cast<char>(changed[at] ^ choices.ConsumeIntegralInRange<int>(1, 255));
  if (openNote(run.code, way, changed)) fault("a note changed on the way opened");
}

// The bytes as the host's description: only the guest it answers opens it.
void sealedForTheGuest(const QByteArray& plain) {
  const Invitation& run = invitationOfTheRun();
  const QByteArray sealed = sealForGuest(run.hostKeys, plain);
  const std::optional<QByteArray> opened = openFromHost(run.guestKeys, sealed);
  if (opened.has_value() != (sealed.size() <= kMostNoteBytes)) fault("a sealed description opens against its bound");
  if (opened && *opened != plain) fault("a description opened otherwise than it was sealed");
  if (openFromHost(run.strangerKeys, sealed)) fault("another guest opened the description");
}

// A note made of the bytes' parts: whatever the game writes within the
// bound reads back as it was, sealed and opened on the way.
void written(FuzzedDataProvider& choices) {
  Note note;
  note.kind = static_cast<Note::Kind>(choices.ConsumeIntegralInRange<int>(1, 3));
  const auto part = [&choices] {
    return QByteArray::fromStdString(choices.ConsumeRandomLengthString(2 * kMostNoteBytes));
  };
  note.senderKey = part();
  note.offerKey = part();
  note.description = part();
  const QByteArray bytes = writeNote(note);
  const std::optional<Note> read = readNote(bytes);
  if (read.has_value() != (bytes.size() <= kMostNoteBytes)) fault("a written note reads against its bound");
  if (read && !same(*read, note)) fault("a written note reads otherwise");
  const Invitation& run = invitationOfTheRun();
  if (const auto opened = openNote(run.code, Way::Offer, sealNote(run.code, Way::Offer, bytes))) readAsNote(*opened);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  arrived(bytes);

  FuzzedDataProvider choices(data, size);
  sealedWithTheCode(bytes, Way::Offer, choices);
  sealedWithTheCode(bytes, Way::Answer, choices);
  sealedForTheGuest(bytes);
  written(choices);
  return 0;
}
