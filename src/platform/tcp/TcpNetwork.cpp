#include "platform/tcp/TcpNetwork.h"

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

#include <QNetworkInterface>
#include <QTimer>
#include <utility>

#include "platform/tcp/UdpSocket.h"

namespace mofurin::platform {

namespace {

// How long a closed connection may take to hand over what was sent last.
constexpr int kClosingGraceMs = 5000;

// A machine that vanishes (asleep, unplugged) sends nothing, not even a
// close. The system asks a quiet connection after 20 s whether the other
// end is still there, every 5 s, and gives up after 6 unanswered asks; sent
// bytes left unanswered for 50 s give up the same way. Either way the link
// is judged lost well within a minute.
constexpr int kKeepIdleS = 20;
constexpr int kKeepIntervalS = 5;
constexpr int kKeepCount = 6;
constexpr unsigned kUnansweredMs = 50000;

// What arrived and is not yet taken (a box holds the link's events): more
// waits in the system, and a peer that floods is held back by TCP itself.
constexpr qint64 kReadBufferBytes = 64 * 1024;

void keepAlive(QTcpSocket& socket) {
  socket.setSocketOption(QAbstractSocket::KeepAliveOption, 1);
  const qintptr fd = socket.socketDescriptor();
  if (fd < 0) return;
  const int idle = kKeepIdleS, interval = kKeepIntervalS, count = kKeepCount;
  const unsigned unanswered = kUnansweredMs;
  setsockopt(static_cast<int>(fd), IPPROTO_TCP, TCP_KEEPIDLE, &idle, sizeof idle);
  setsockopt(static_cast<int>(fd), IPPROTO_TCP, TCP_KEEPINTVL, &interval, sizeof interval);
  setsockopt(static_cast<int>(fd), IPPROTO_TCP, TCP_KEEPCNT, &count, sizeof count);
  setsockopt(static_cast<int>(fd), IPPROTO_TCP, TCP_USER_TIMEOUT, &unanswered, sizeof unanswered);
}

}  // namespace

TcpSocket::TcpSocket(TcpNetwork& network) : network_(network) {
  network_.sockets_.insert(this);
  connect(&server_, &QTcpServer::newConnection, this, [this] {
    if (onConnectionRequest) onConnectionRequest();
  });
}

TcpSocket::~TcpSocket() {
  close();
  network_.sockets_.erase(this);
}

bool TcpSocket::listen(quint16 port) {
  if (state() != State::Closed) return false;
  return server_.listen(QHostAddress::Any, port);
}

void TcpSocket::connectTo(const QString& host, quint16 port) {
  if (state() != State::Closed) return;
  auto* socket = new QTcpSocket(this);
  adopt(socket);
  connect(socket, &QTcpSocket::connected, this, [this, socket] {
    keepAlive(*socket);
    if (onConnected) onConnected();
  });
  socket->connectToHost(host, port);
}

void TcpSocket::accept() {
  QTcpSocket* socket = server_.nextPendingConnection();
  server_.close();
  if (!socket) return;
  socket->setParent(this);
  adopt(socket);
  keepAlive(*socket);
}

void TcpSocket::adopt(QTcpSocket* socket) {
  dropConnection();
  connection_ = socket;
  socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);  // every message is answered at once
  socket->setReadBufferSize(kReadBufferBytes);
  connect(socket, &QTcpSocket::readyRead, this, [this] {
    if (onDataArrival) onDataArrival();
  });
  connect(socket, &QTcpSocket::disconnected, this, [this] {
    keepUnread();
    dropConnection();
    if (onClosed) onClosed();
  });
  connect(socket, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError error) {
    // The peer's end of the connection comes as "disconnected" as well.
    if (error == QAbstractSocket::RemoteHostClosedError) return;
    const QString text = connection_ ? connection_->errorString() : QString();
    keepUnread();
    dropConnection();
    if (onError) onError(text);
  });
}

void TcpSocket::dropConnection() {
  if (!connection_) return;
  QTcpSocket* socket = connection_;
  connection_ = nullptr;
  socket->disconnect(this);
  socket->abort();
  socket->deleteLater();
}

void TcpSocket::send(const QByteArray& bytes) {
  if (state() == State::Connected) connection_->write(bytes);
}

void TcpSocket::keepUnread() {
  if (connection_) unread_ += connection_->readAll();
}

QByteArray TcpSocket::receive() {
  QByteArray bytes = std::exchange(unread_, {});
  if (connection_) bytes += connection_->readAll();
  return bytes;
}

void TcpSocket::close() {
  server_.close();
  unread_.clear();
  if (!connection_ || connection_->state() != QAbstractSocket::ConnectedState) return dropConnection();
  // What was sent last (a flight, the last answer) still goes out: the
  // connection is closed in order, on its own, and then deleted.
  QTcpSocket* closing = std::exchange(connection_, nullptr);
  closing->disconnect(this);
  closing->setParent(nullptr);
  connect(closing, &QAbstractSocket::disconnected, closing, &QObject::deleteLater);
  // Handed to the system at once: the program may end before the event loop
  // would write it.
  closing->flush();
  network_.closing_.emplace_back(closing);
  closing->disconnectFromHost();
  if (closing->state() == QAbstractSocket::UnconnectedState) {
    closing->deleteLater();
  } else {
    QTimer::singleShot(kClosingGraceMs, closing, [closing] {
      closing->abort();
      closing->deleteLater();
    });
  }
}

Socket::State TcpSocket::state() const {
  if (server_.isListening()) return State::Listening;
  if (!connection_) return State::Closed;
  switch (connection_->state()) {
    case QAbstractSocket::ConnectedState: return State::Connected;
    case QAbstractSocket::HostLookupState:
    case QAbstractSocket::ConnectingState: return State::Connecting;
    default: return State::Closed;
  }
}

QString TcpSocket::localAddress() const { return TcpNetwork::ownAddress(); }

std::unique_ptr<Socket> TcpNetwork::createSocket() { return std::make_unique<TcpSocket>(*this); }

std::unique_ptr<DatagramSocket> TcpNetwork::createDatagramSocket() { return std::make_unique<UdpSocket>(*this); }

bool TcpNetwork::busy() const {
  for (const TcpSocket* s : sockets_) {
    if (s->state() != Socket::State::Closed) return true;
  }
  for (const UdpSocket* s : datagramSockets_) {
    if (s->bound()) return true;
  }
  std::erase_if(closing_, [](const QPointer<QTcpSocket>& s) {
    return !s || s->state() == QAbstractSocket::UnconnectedState;
  });
  if (!closing_.empty()) return true;
  return false;
}

QString TcpNetwork::ownAddress() {
  for (const QHostAddress& a : QNetworkInterface::allAddresses()) {
    if (a.protocol() == QAbstractSocket::IPv4Protocol && !a.isLoopback()) return a.toString();
  }
  return QStringLiteral("127.0.0.1");
}

}  // namespace mofurin::platform
