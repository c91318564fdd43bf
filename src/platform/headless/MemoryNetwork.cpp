#include "platform/headless/MemoryNetwork.h"

#include "platform/Timer.h"

namespace mofurin::platform {

struct MemoryWire::Endpoint {
  MemorySocket* socket = nullptr;
  QString address;
  Socket::State state = Socket::State::Closed;
  std::pair<QString, quint16> listening;
  std::weak_ptr<Endpoint> peer;     // connected, or asking to connect
  std::weak_ptr<Endpoint> pending;  // a peer waiting to be accepted
  QByteArray received;
  QByteArray inFlight;  // sent to us, not yet arrived (joined delivery)
  bool cut = false;     // the wire broke: nothing more goes out
};

void MemoryWire::cut() {
  for (const std::weak_ptr<Endpoint>& weak : endpoints_) {
    auto e = weak.lock();
    if (!e || e->state != Socket::State::Connected) continue;
    e->cut = true;
    clock_.post([weak] {
      auto end = weak.lock();
      if (!end || !end->cut || end->state != Socket::State::Connected) return;
      end->state = Socket::State::Closed;
      end->cut = false;
      end->peer.reset();
      if (end->socket && end->socket->onClosed) end->socket->onClosed();
    });
  }
}

void MemoryWire::sendTo(const QString& address, const QByteArray& bytes) {
  for (const std::weak_ptr<Endpoint>& weak : endpoints_) {
    auto e = weak.lock();
    if (e && e->address == address && e->state == Socket::State::Connected && e->socket) e->socket->deliver(bytes);
  }
}

std::unique_ptr<Socket> MemoryNetwork::createSocket() { return std::make_unique<MemorySocket>(wire_, address_); }

std::unique_ptr<DatagramSocket> MemoryNetwork::createDatagramSocket() {
  return std::make_unique<MemoryDatagramSocket>(wire_, address_);
}

MemorySocket::MemorySocket(MemoryWire& wire, QString address)
    : wire_(wire), self_(std::make_shared<MemoryWire::Endpoint>()) {
  self_->socket = this;
  self_->address = std::move(address);
  std::erase_if(wire_.endpoints_, [](const auto& e) { return e.expired(); });
  wire_.endpoints_.push_back(self_);
}

MemorySocket::~MemorySocket() {
  close();
  self_->socket = nullptr;
}

void MemorySocket::later(std::function<void(MemorySocket&)> event) {
  std::weak_ptr<MemoryWire::Endpoint> target = self_;
  wire_.clock().post([target, event = std::move(event)] {
    if (auto e = target.lock(); e && e->socket) event(*e->socket);
  });
}

bool MemorySocket::listen(quint16 port) {
  if (self_->state != State::Closed) return false;
  const auto key = std::make_pair(self_->address, port);
  if (auto other = wire_.listeners_[key].lock(); other && other->state == State::Listening) return false;
  wire_.listeners_[key] = self_;
  self_->listening = key;
  self_->state = State::Listening;
  return true;
}

void MemorySocket::connectTo(const QString& host, quint16 port) {
  if (self_->state != State::Closed) return;
  self_->state = State::Connecting;
  const auto key = std::make_pair(host, port);
  std::weak_ptr<MemoryWire::Endpoint> me = self_;
  later([this, key, me](MemorySocket&) {
    auto listener = wire_.listeners_[key].lock();
    if (self_->state != State::Connecting) return;
    if (!listener || listener->state != State::Listening || !listener->socket) {
      self_->state = State::Closed;
      if (onError) onError(QStringLiteral("connection refused"));
      return;
    }
    listener->pending = me;
    if (listener->socket->onConnectionRequest) listener->socket->onConnectionRequest();
  });
}

void MemorySocket::accept() {
  auto peer = self_->pending.lock();
  self_->pending.reset();
  if (!peer || peer->state != State::Connecting || !peer->socket) return;
  wire_.listeners_.erase(self_->listening);
  self_->state = State::Connected;
  self_->peer = peer;
  peer->state = State::Connected;
  peer->peer = self_;
  peer->socket->later([](MemorySocket& s) {
    if (s.onConnected) s.onConnected();
  });
}

void MemorySocket::send(const QByteArray& bytes) {
  auto peer = self_->peer.lock();
  if (self_->state != State::Connected || self_->cut || !peer || !peer->socket || bytes.isEmpty()) return;
  if (wire_.sent) wire_.sent(self_->address, bytes);
  switch (wire_.delivery) {
    case MemoryWire::Delivery::AsSent: peer->socket->deliver(bytes); break;
    case MemoryWire::Delivery::SingleBytes:
      for (char b : bytes) peer->socket->deliver(QByteArray(1, b));
      break;
    case MemoryWire::Delivery::Joined:
      // Everything sent before the arrival event runs comes in one piece.
      if (peer->inFlight.isEmpty()) {
        peer->socket->later([](MemorySocket& s) {
          s.self_->received += std::exchange(s.self_->inFlight, {});
          if (s.wire_.beforeArrival) s.wire_.beforeArrival(s.self_->address);
          if (s.onDataArrival) s.onDataArrival();
        });
      }
      peer->inFlight += bytes;
      break;
  }
}

void MemorySocket::deliver(QByteArray bytes) {
  later([bytes = std::move(bytes)](MemorySocket& s) {
    if (s.self_->state != State::Connected) return;
    s.self_->received += bytes;
    if (s.wire_.beforeArrival) s.wire_.beforeArrival(s.self_->address);
    if (s.onDataArrival) s.onDataArrival();
  });
}

QByteArray MemorySocket::receive() { return std::exchange(self_->received, {}); }

void MemorySocket::close() {
  const State was = self_->state;
  self_->state = State::Closed;
  self_->cut = false;
  if (was == State::Listening) wire_.listeners_.erase(self_->listening);
  auto peer = self_->peer.lock();
  self_->peer.reset();
  self_->received.clear();
  self_->inFlight.clear();
  if (was != State::Connected || !peer || !peer->socket) return;
  peer->socket->later([](MemorySocket& s) {
    if (s.self_->state != State::Connected) return;
    s.self_->state = State::Closed;
    s.self_->peer.reset();
    if (s.onClosed) s.onClosed();
  });
}

Socket::State MemorySocket::state() const { return self_->state; }

QString MemorySocket::localAddress() const { return self_->address; }

MemoryDatagramSocket::MemoryDatagramSocket(MemoryWire& wire, QString address)
    : wire_(wire), address_(std::move(address)), self_(std::make_shared<MemoryDatagramSocket*>(this)) {
  wire_.datagramSockets_.insert(this);
}

MemoryDatagramSocket::~MemoryDatagramSocket() {
  *self_ = nullptr;
  wire_.datagramSockets_.erase(this);
}

bool MemoryDatagramSocket::bind(quint16 port) {
  close();
  port_ = port;
  return port != 0;
}

void MemoryDatagramSocket::broadcast(const QByteArray& datagram, quint16 port) {
  for (MemoryDatagramSocket* other : wire_.datagramSockets_) {
    if (other->port_ != port) continue;
    std::weak_ptr<MemoryDatagramSocket*> target = other->self_;
    wire_.clock().post([target, d = Datagram{datagram, address_}]() mutable {
      if (auto alive = target.lock(); alive && *alive) (*alive)->arrive(std::move(d));
    });
  }
}

void MemoryDatagramSocket::arrive(Datagram d) {
  if (!bound() || arrived_.size() >= kBacklog) return;
  arrived_.push_back(std::move(d));
  if (onDatagram) onDatagram();
}

std::vector<DatagramSocket::Datagram> MemoryDatagramSocket::receive() {
  std::vector<Datagram> out(std::make_move_iterator(arrived_.begin()), std::make_move_iterator(arrived_.end()));
  arrived_.clear();
  return out;
}

void MemoryDatagramSocket::close() {
  port_ = 0;
  arrived_.clear();
}

}  // namespace mofurin::platform
