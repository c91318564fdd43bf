#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>

#include "platform/Datagram.h"
#include "platform/Transport.h"

namespace mofurin::platform {

// One TCP connection at a time, event driven on the game's event loop: a
// socket listens and accepts one peer, or connects to one. Bytes arrive in
// whatever pieces the network delivers; the receiver frames them.
class Socket {
 public:
  using State = Transport::State;

  virtual ~Socket() = default;

  virtual bool listen(quint16 port) = 0;  // false when the port cannot be had
  virtual void connectTo(const QString& host, quint16 port) = 0;
  // Takes the peer that asked to connect; the socket stops listening.
  virtual void accept() = 0;
  virtual void send(const QByteArray& bytes) = 0;
  virtual QByteArray receive() = 0;  // everything arrived and not yet taken
  virtual void close() = 0;
  virtual State state() const = 0;
  // This machine's address as a peer would dial it.
  virtual QString localAddress() const = 0;

  std::function<void()> onConnectionRequest;
  std::function<void()> onConnected;
  std::function<void()> onDataArrival;
  std::function<void()> onClosed;  // the peer closed the connection
  std::function<void(const QString&)> onError;
};

// Makes the sockets of a game.
class Network {
 public:
  virtual ~Network() = default;
  virtual std::unique_ptr<Socket> createSocket() = 0;
  virtual std::unique_ptr<DatagramSocket> createDatagramSocket() = 0;
  // Whether a socket of this network listens, connects or is connected, or
  // a datagram socket listens.
  virtual bool busy() const = 0;
  // This machine's address as a peer would dial it.
  virtual QString localAddress() const = 0;
  // False when the game lacks what its sockets need (the LAN module): then
  // no socket listens or connects.
  virtual bool present() { return true; }
};

// The LAN's TCP and UDP from the LAN module in the folder given (the
// game's GameFolders::modules), loaded when first used.
std::unique_ptr<Network> lanNetwork(const QString& modulesFolder);

// The LAN module's one entry: its network. The number is the version of
// what crosses between the program and the module (Network, Socket and
// DatagramSocket): change it with them.
#define MOFURIN_LAN_ENTRY "mofurin_lan_network_1"
using LanEntry = Network* (*)();

}  // namespace mofurin::platform
