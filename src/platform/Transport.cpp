#include "platform/Transport.h"

#include <deque>

#include "platform/Platform.h"
#include "platform/Socket.h"

namespace mofurin::platform {

namespace {

// One TCP socket on one port. The host takes the first machine that asks.
class TcpTransport final : public Transport {
 public:
  TcpTransport(Network& network, quint16 port) : socket_(network.createSocket()), port_(port) {
    socket_->onConnectionRequest = [this] {
      socket_->accept();
      if (socket_->state() == Socket::State::Connected && onConnected) onConnected();
    };
    socket_->onConnected = [this] {
      if (onConnected) onConnected();
    };
    socket_->onDataArrival = [this] {
      if (onArrival) onArrival();
    };
    socket_->onClosed = [this] {
      if (onLost) onLost();
    };
    socket_->onError = [this](const QString&) {
      if (onLost) onLost();
    };
  }

  bool listen() override {
    socket_->close();
    return socket_->listen(port_);
  }
  void connect(const QString& address) override {
    socket_->close();
    socket_->connectTo(address, port_);
  }
  void send(const QByteArray& bytes) override { socket_->send(bytes); }
  QByteArray receive() override { return socket_->receive(); }
  void close() override { socket_->close(); }
  State state() const override {
    switch (socket_->state()) {
      case Socket::State::Listening: return State::Listening;
      case Socket::State::Connecting: return State::Connecting;
      case Socket::State::Connected: return State::Connected;
      case Socket::State::Closed: break;
    }
    return State::Closed;
  }

 private:
  std::unique_ptr<Socket> socket_;
  quint16 port_;
};

class HeldTransport final : public Transport {
 public:
  enum class Event { Invitation, Connected, Arrival, Lost };

  HeldTransport(std::unique_ptr<Transport> inner, Platform& platform)
      : inner_(std::move(inner)), platform_(platform) {
    inner_->onInvitation = [this] { deliver(Event::Invitation); };
    inner_->onConnected = [this] { deliver(Event::Connected); };
    inner_->onArrival = [this] { deliver(Event::Arrival); };
    inner_->onLost = [this] { deliver(Event::Lost); };
  }
  ~HeldTransport() override { *alive_ = false; }

  bool listen() override {
    held_.clear();
    return inner_->listen();
  }
  void connect(const QString& address) override {
    held_.clear();
    inner_->connect(address);
  }
  void send(const QByteArray& bytes) override { inner_->send(bytes); }
  QByteArray receive() override { return inner_->receive(); }
  // What was held for the connection goes with it.
  void close() override {
    held_.clear();
    inner_->close();
  }
  State state() const override { return inner_->state(); }
  Way way() const override { return inner_->way(); }
  QString invitation() const override { return inner_->invitation(); }
  Problem problem() const override { return inner_->problem(); }

 private:
  void deliver(Event event) {
    if (event != Event::Arrival || held_.empty() || held_.back() != Event::Arrival) held_.push_back(event);
    deliverHeld();
  }

  void deliverHeld() {
    if (delivering_) return;  // the event being handled finishes first
    if (platform_.modal()) {
      if (!deliveryPosted_) {
        deliveryPosted_ = true;
        platform_.post([this, alive = std::weak_ptr<bool>(alive_)] {
          if (alive.expired() || !*alive.lock()) return;
          deliveryPosted_ = false;
          deliverHeld();
        });
      }
      return;
    }
    const std::weak_ptr<bool> alive = alive_;
    delivering_ = true;
    while (!held_.empty() && !platform_.modal()) {
      const Event event = held_.front();
      held_.pop_front();
      const std::function<void()>& handler = event == Event::Invitation  ? onInvitation
                                             : event == Event::Connected ? onConnected
                                             : event == Event::Arrival   ? onArrival
                                                                         : onLost;
      if (handler) handler();
      if (alive.expired() || !*alive.lock()) return;  // the transport went with the event
    }
    delivering_ = false;
    if (!held_.empty()) deliverHeld();
  }

  std::unique_ptr<Transport> inner_;
  Platform& platform_;
  std::deque<Event> held_;
  bool delivering_ = false;
  bool deliveryPosted_ = false;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace

std::unique_ptr<Transport> tcpTransport(Network& network, quint16 port) {
  if (!network.present()) return missingModuleLink();
  return std::make_unique<TcpTransport>(network, port);
}

std::unique_ptr<Transport> heldWhileModal(std::unique_ptr<Transport> transport, Platform& platform) {
  return std::make_unique<HeldTransport>(std::move(transport), platform);
}

}  // namespace mofurin::platform
