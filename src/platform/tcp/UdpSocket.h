#pragma once

#include <QUdpSocket>
#include <deque>

#include "platform/Datagram.h"

namespace mofurin::platform {

class TcpNetwork;

// A real UDP socket (QUdpSocket) for the host finder. It broadcasts on every
// IPv4 network of the machine that can broadcast, and on the loopback
// network, so the other games of this machine hear it even where broadcasts
// do not loop back.
class UdpSocket : public QObject, public DatagramSocket {
 public:
  explicit UdpSocket(TcpNetwork& network);
  ~UdpSocket() override;

  bool bind(quint16 port) override;
  void broadcast(const QByteArray& datagram, quint16 port) override;
  std::vector<Datagram> receive() override;
  void close() override;
  bool bound() const override;

 private:
  void readPending();

  TcpNetwork& network_;
  QUdpSocket socket_;
  std::deque<Datagram> arrived_;
};

}  // namespace mofurin::platform
