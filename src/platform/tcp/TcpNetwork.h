#pragma once

#include <QObject>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <set>
#include <vector>

#include "platform/Socket.h"

namespace mofurin::platform {

class TcpNetwork;
class UdpSocket;

// A real TCP socket on the event loop: QTcpServer to listen, QTcpSocket for
// the one connection.
class TcpSocket : public QObject, public Socket {
 public:
  explicit TcpSocket(TcpNetwork& network);
  ~TcpSocket() override;

  bool listen(quint16 port) override;
  void connectTo(const QString& host, quint16 port) override;
  void accept() override;
  void send(const QByteArray& bytes) override;
  QByteArray receive() override;
  void close() override;
  State state() const override;
  QString localAddress() const override;

 private:
  void adopt(QTcpSocket* socket);
  void dropConnection();
  // Bytes that arrived before the connection went stay to be received.
  void keepUnread();

  TcpNetwork& network_;
  QTcpServer server_;
  QPointer<QTcpSocket> connection_;
  QByteArray unread_;
};

class TcpNetwork : public Network {
 public:
  std::unique_ptr<Socket> createSocket() override;
  std::unique_ptr<DatagramSocket> createDatagramSocket() override;
  bool busy() const override;
  QString localAddress() const override { return ownAddress(); }

  // The first IPv4 address that is not the loopback, or 127.0.0.1.
  static QString ownAddress();

 private:
  friend class TcpSocket;
  friend class UdpSocket;
  std::set<const TcpSocket*> sockets_;
  std::set<const UdpSocket*> datagramSockets_;
  // Connections closed in order that may still be handing over their last
  // bytes: the network is busy until they are gone.
  mutable std::vector<QPointer<QTcpSocket>> closing_;
};

}  // namespace mofurin::platform
