#include "platform/tcp/UdpSocket.h"

#include <QNetworkDatagram>
#include <QNetworkInterface>

#include "platform/tcp/TcpNetwork.h"

namespace mofurin::platform {

namespace {

// Enough for any datagram the game reads; a longer one is cut, and refused.
constexpr qint64 kLongestRead = 512;

// A host on this machine is heard twice, through 127.0.0.1 and through its
// network address: both are this machine, listed by the address another
// machine would dial.
QString dialable(const QHostAddress& address) {
  static const QList<QHostAddress> own = QNetworkInterface::allAddresses();
  if (address.isLoopback() || own.contains(address)) return TcpNetwork::ownAddress();
  bool ipv4 = false;
  const quint32 v4 = address.toIPv4Address(&ipv4);
  return ipv4 ? QHostAddress(v4).toString() : address.toString();
}

// The loopback network's broadcast reaches every game of this machine that
// listens on the port, where 127.0.0.1 would reach only the last to bind it.
QList<QHostAddress> broadcastTargets() {
  QList<QHostAddress> targets{QHostAddress(QStringLiteral("127.255.255.255"))};
  for (const QNetworkInterface& i : QNetworkInterface::allInterfaces()) {
    const auto flags = i.flags();
    if (!flags.testFlag(QNetworkInterface::IsUp) || !flags.testFlag(QNetworkInterface::IsRunning) ||
        !flags.testFlag(QNetworkInterface::CanBroadcast)) {
      continue;
    }
    for (const QNetworkAddressEntry& entry : i.addressEntries()) {
      if (entry.ip().protocol() == QAbstractSocket::IPv4Protocol && !entry.broadcast().isNull() &&
          !targets.contains(entry.broadcast())) {
        targets << entry.broadcast();
      }
    }
  }
  return targets;
}

}  // namespace

UdpSocket::UdpSocket(TcpNetwork& network) : network_(network) {
  network_.datagramSockets_.insert(this);
  connect(&socket_, &QUdpSocket::readyRead, this, [this] { readPending(); });
}

UdpSocket::~UdpSocket() {
  close();
  network_.datagramSockets_.erase(this);
}

bool UdpSocket::bind(quint16 port) {
  close();
  return socket_.bind(QHostAddress::AnyIPv4, port, QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint);
}

void UdpSocket::broadcast(const QByteArray& datagram, quint16 port) {
  // A network without a route simply refuses: nobody hears, nothing fails.
  for (const QHostAddress& target : broadcastTargets()) socket_.writeDatagram(datagram, target, port);
}

void UdpSocket::readPending() {
  bool any = false;
  while (socket_.hasPendingDatagrams()) {
    const QNetworkDatagram d = socket_.receiveDatagram(kLongestRead);
    if (arrived_.size() >= kBacklog) continue;  // a flood is drained, not kept
    arrived_.push_back({d.data(), dialable(d.senderAddress())});
    any = true;
  }
  if (any && onDatagram) onDatagram();
}

std::vector<DatagramSocket::Datagram> UdpSocket::receive() {
  std::vector<Datagram> out(std::make_move_iterator(arrived_.begin()), std::make_move_iterator(arrived_.end()));
  arrived_.clear();
  return out;
}

void UdpSocket::close() {
  socket_.close();
  arrived_.clear();
}

bool UdpSocket::bound() const { return socket_.state() == QAbstractSocket::BoundState; }

}  // namespace mofurin::platform
