// libFuzzer target: the sealed stream between two players, with whoever
// sits on the way between them (a relay, a router) cutting, changing,
// dropping, repeating or adding bytes. The sending end seals real pieces;
// the fuzzer decides what of them reaches the receiving end, and how.
// Whatever it does, the receiver gets only what the sender sent, in order,
// and a stream that did not end with the sender's last piece is never
// taken for one the sender closed.

#include <fuzzer/FuzzedDataProvider.h>

#include <QByteArray>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <utility>

#include "platform/Transport.h"
#include "platform/ice/Sealed.h"

namespace {

using namespace mofurin::platform;

// A broken promise: said in the log, then the run stops where the fuzzer
// sees it.
[[noreturn]] void fault(const char* what) {
  std::fprintf(stderr, "fault: %s\n", what);
  std::abort();
}

// The way below the stream: it keeps what the stream sends, and hands it
// what the fuzzer lets arrive. Closed, it sends, hands and tells nothing.
class Wire final : public Transport {
 public:
  bool listen() override {
    state_ = State::Listening;
    return true;
  }
  void connect(const QString&) override { state_ = State::Connecting; }
  void send(const QByteArray& bytes) override {
    if (state_ == State::Connected) sent += bytes;
  }
  QByteArray receive() override { return std::exchange(waiting_, {}); }
  void close() override {
    state_ = State::Closed;
    waiting_.clear();
  }
  State state() const override { return state_; }

  void come() {
    state_ = State::Connected;
    if (onConnected) onConnected();
  }
  bool arrive(const QByteArray& bytes) {
    if (state_ != State::Connected) return false;
    waiting_ += bytes;
    if (onArrival) onArrival();
    return true;
  }
  // The way broke: what came before stays to be received.
  void lose() {
    if (state_ == State::Closed) return;
    state_ = State::Closed;
    if (onLost) onLost();
  }

  QByteArray sent;

 private:
  State state_ = State::Closed;
  QByteArray waiting_;
};

// The keys of a host and its guest. Each input has its own, as each link
// does: with keys kept from one input to the next, the fuzzer would replay
// a whole stream it saw sealed before, which the receiver rightly takes.
struct Keys {
  KeyPair host, guest;
  KeyPair::StreamKeys hostKeys = *host.streamKeys(guest.publicKey(), true);
  KeyPair::StreamKeys guestKeys = *guest.streamKeys(host.publicKey(), false);
};

enum Step { Send, SendMuch, Pass, Change, Drop, Repeat, Add, Take, CloseSender, Break, kSteps };

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const Keys keys;

  // The guest sends; the host receives as the game does: on every arrival
  // or only when asked, and at the end, closing its side after or not.
  auto* senderWire = new Wire;
  auto* receiverWire = new Wire;
  const std::unique_ptr<Transport> sender = sealedStream(std::unique_ptr<Transport>(senderWire), keys.guestKeys);
  const std::unique_ptr<Transport> receiver = sealedStream(std::unique_ptr<Transport>(receiverWire), keys.hostKeys);
  const bool takeOnArrival = input.ConsumeBool();
  const bool closeOnLost = input.ConsumeBool();
  QByteArray received;
  int losses = 0;
  Transport::Problem problemAtLoss = Transport::Problem::None;
  receiver->onArrival = [&] {
    if (takeOnArrival) received += receiver->receive();
  };
  receiver->onLost = [&] {
    ++losses;
    problemAtLoss = receiver->problem();
    received += receiver->receive();
    if (closeOnLost) receiver->close();
  };

  sender->connect(QString());
  receiver->listen();
  senderWire->come();
  receiverWire->come();

  QByteArray plain;                   // what the sender was given to send
  QByteArray delivered;               // what reached the receiver's way, as it reached it
  qsizetype at = 0;                   // how far along the sender's bytes the way is
  std::map<qsizetype, char> changes;  // bytes of the sender's to change on the way
  bool senderClosed = false;

  const auto pass = [&](qsizetype count) {
    QByteArray bytes = senderWire->sent.mid(at, count);
    for (auto change = changes.lower_bound(at); change != changes.end() && change->first < at + bytes.size();
         ++change) {
      bytes[change->first - at] = static_cast<char>(bytes[change->first - at] ^ change->second);
    }
    at += bytes.size();
    if (receiverWire->arrive(bytes)) delivered += bytes;
  };

  while (input.remaining_bytes() > 0) {
    switch (input.ConsumeIntegralInRange<int>(0, kSteps - 1)) {
      case Send: {
        const QByteArray bytes = QByteArray::fromStdString(input.ConsumeRandomLengthString(300));
        sender->send(bytes);
        if (!senderClosed) plain += bytes;
        break;
      }
      case SendMuch: {  // more than one piece
        const auto count = input.ConsumeIntegralInRange<qsizetype>(4000, 20000);
        const QByteArray bytes(count, input.ConsumeIntegral<char>());
        sender->send(bytes);
        if (!senderClosed) plain += bytes;
        break;
      }
      case Pass:
        pass(input.ConsumeBool() ? senderWire->sent.size() : input.ConsumeIntegralInRange<qsizetype>(1, 600));
        break;
      case Change: {
        const auto ahead = input.ConsumeIntegralInRange<qsizetype>(0, 64);
        changes[at + ahead] = static_cast<char>(input.ConsumeIntegralInRange<int>(1, 255));
        break;
      }
      case Drop: at += input.ConsumeIntegralInRange<qsizetype>(1, 64); break;
      case Repeat: {
        const QByteArray again = delivered.right(input.ConsumeIntegralInRange<qsizetype>(1, 600));
        if (receiverWire->arrive(again)) delivered += again;
        break;
      }
      case Add: {
        const QByteArray junk = QByteArray::fromStdString(input.ConsumeRandomLengthString(100));
        if (receiverWire->arrive(junk)) delivered += junk;
        break;
      }
      case Take: received += receiver->receive(); break;
      case CloseSender:
        sender->close();
        senderClosed = true;
        break;
      case Break: receiverWire->lose(); break;
    }
    if (!plain.startsWith(received)) fault("received what was not sent, or out of order");
    if (losses > 1) fault("the end was told twice");
  }

  // The game reads what is left; the way ends, if it has not.
  for (int i = 0; i < 100; ++i) {
    const QByteArray more = receiver->receive();
    if (more.isEmpty()) break;
    received += more;
  }
  receiverWire->lose();
  received += receiver->receive();
  if (!plain.startsWith(received)) fault("received what was not sent, or out of order");
  if (losses != 1) fault("the end was not told once");

  // Everything the sender sent, its last piece too, came as it was sent:
  // the receiver has it all, and knows the sender closed.
  const QByteArray& sent = senderWire->sent;
  if (senderClosed && delivered == sent) {
    if (received != plain) fault("a stream that came whole was not all received");
    if (problemAtLoss != Transport::Problem::None) fault("a stream the sender closed was taken for cut");
  }
  // Anything less is a cut.
  if (problemAtLoss == Transport::Problem::None && !(senderClosed && delivered.startsWith(sent))) {
    fault("a cut stream was taken for one the sender closed");
  }
  return 0;
}
