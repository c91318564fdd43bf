#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <vector>

namespace mofurin::platform {

// A UDP socket for the host finder, event driven on the game's event loop:
// it sends short datagrams to the whole local network, or listens on a port
// for those of other machines. Nothing is promised: a datagram may be lost,
// and a machine without a broadcast route reaches nobody.
class DatagramSocket {
 public:
  struct Datagram {
    QByteArray data;
    QString sender;  // the address it came from, as a guest would dial it
  };

  virtual ~DatagramSocket() = default;

  // Listens on the port, beside other listeners of this machine; false when
  // the port cannot be had.
  virtual bool bind(quint16 port) = 0;
  // Sends to the port of every machine of the local network, this one too.
  virtual void broadcast(const QByteArray& datagram, quint16 port) = 0;
  // What arrived and was not yet taken, oldest first; at most kBacklog are
  // kept, the rest of a flood is dropped unread.
  virtual std::vector<Datagram> receive() = 0;
  virtual void close() = 0;
  virtual bool bound() const = 0;

  static constexpr std::size_t kBacklog = 64;

  std::function<void()> onDatagram;  // something arrived
};

}  // namespace mofurin::platform
