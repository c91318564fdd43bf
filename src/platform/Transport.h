#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>

namespace mofurin::platform {

class Network;
class Platform;

// A reliable, ordered byte stream between this machine and one other, as a
// network bout needs it: this side waits for the other machine (listen) or
// reaches it (connect). Bytes arrive in whatever pieces the way delivers;
// the receiver frames them. Nothing above it knows how the bytes travel.
class Transport {
 public:
  enum class State { Closed, Listening, Connecting, Connected };

  virtual ~Transport() = default;

  virtual bool listen() = 0;  // false when this machine cannot wait here
  virtual void connect(const QString& address) = 0;
  virtual void send(const QByteArray& bytes) = 0;
  virtual QByteArray receive() = 0;  // everything arrived and not yet taken
  // Ends the connection, or the wait; what was sent still goes out.
  virtual void close() = 0;
  virtual State state() const = 0;

  // How the bytes run once connected: on the LAN, or through the internet
  // directly or by the relay.
  enum class Way { Lan, Direct, Relayed };
  virtual Way way() const { return Way::Lan; }
  // What a host hands its friend to be found: ready at onInvitation.
  virtual QString invitation() const { return {}; }
  // Why the link could not be made, or went, when the transport knows.
  enum class Problem {
    None,
    NotACode,
    NoSuchInvitation,
    Taken,  // another guest came to the invitation first
    Expired,
    MeetingPlaceUnreachable,
    MeetingPlaceRefused,  // it would not pass on this invitation's notes
    NoPath,
    ModuleMissing,
    NoEventLoop,  // the game runs without the event loop the internet link needs
    Cut,          // the way broke before the other side said its end
  };
  virtual Problem problem() const { return Problem::None; }

  std::function<void()> onInvitation;
  std::function<void()> onConnected;  // the other machine came, or was reached
  std::function<void()> onArrival;
  // The other machine closed the connection, the way broke, or it could not
  // be reached. What arrived before is still there to receive.
  std::function<void()> onLost;
};

// TCP on the LAN: the host listens on the port, the guest dials an address
// at the same port. Without the LAN module it fails at once as
// Problem::ModuleMissing.
std::unique_ptr<Transport> tcpTransport(Network& network, quint16 port);

// A link that fails at once as Problem::ModuleMissing, for a module that is
// not there.
std::unique_ptr<Transport> missingModuleLink();

// The events of a transport wait while the game shows a box or a file
// dialog, as its timers do, and come afterwards in the order they arrived.
// Arrivals that wait side by side are one: the first takes all the bytes.
std::unique_ptr<Transport> heldWhileModal(std::unique_ptr<Transport> transport, Platform& platform);

}  // namespace mofurin::platform
