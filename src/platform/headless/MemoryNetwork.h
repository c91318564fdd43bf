#pragma once

#include <QString>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <vector>

#include "platform/Socket.h"

namespace mofurin::platform {

class Clock;
class MemoryDatagramSocket;

// A network in memory between the games of one process, on their shared
// clock: every event arrives as a task after the current one. The wire can
// cut what is sent into single bytes or join several sends into one arrival,
// as a real network may.
class MemoryWire {
 public:
  enum class Delivery { AsSent, SingleBytes, Joined };

  explicit MemoryWire(Clock& clock) : clock_(clock) {}
  Clock& clock() const { return clock_; }
  Delivery delivery = Delivery::AsSent;

  // The wire breaks: what was sent arrives, nothing sent from now on does,
  // and then every connection's two ends learn that it closed.
  void cut();

  // Bytes reach the connected socket at the address as though its peer had
  // sent them: a test plays a peer of another mind.
  void sendTo(const QString& address, const QByteArray& bytes);

  // Runs as bytes are about to reach the socket at the address, so a test
  // can have that player do something just then.
  std::function<void(const QString& address)> beforeArrival;
  // Sees every send on the wire as it goes, with the sender's address (a
  // test compares what two plays sent).
  std::function<void(const QString& from, const QByteArray& bytes)> sent;

 private:
  friend class MemorySocket;
  friend class MemoryDatagramSocket;
  struct Endpoint;
  Clock& clock_;
  std::map<std::pair<QString, quint16>, std::weak_ptr<Endpoint>> listeners_;
  std::vector<std::weak_ptr<Endpoint>> endpoints_;
  std::set<MemoryDatagramSocket*> datagramSockets_;
};

// The sockets of one game on the wire, at its own address.
class MemoryNetwork : public Network {
 public:
  MemoryNetwork(MemoryWire& wire, QString address) : wire_(wire), address_(std::move(address)) {}
  std::unique_ptr<Socket> createSocket() override;
  std::unique_ptr<DatagramSocket> createDatagramSocket() override;
  bool busy() const override { return false; }  // its time is the virtual clock's
  QString localAddress() const override { return address_; }
  const QString& address() const { return address_; }

 private:
  MemoryWire& wire_;
  QString address_;
};

class MemorySocket : public Socket {
 public:
  MemorySocket(MemoryWire& wire, QString address);
  ~MemorySocket() override;

  bool listen(quint16 port) override;
  void connectTo(const QString& host, quint16 port) override;
  void accept() override;
  void send(const QByteArray& bytes) override;
  QByteArray receive() override;
  void close() override;
  State state() const override;
  QString localAddress() const override;

 private:
  friend class MemoryWire;
  void later(std::function<void(MemorySocket&)> event);
  void deliver(QByteArray bytes);

  MemoryWire& wire_;
  std::shared_ptr<MemoryWire::Endpoint> self_;
};

// A datagram socket on the wire: a broadcast reaches every socket bound to
// its port, as a task after the current one, from the sender's address.
class MemoryDatagramSocket : public DatagramSocket {
 public:
  MemoryDatagramSocket(MemoryWire& wire, QString address);
  ~MemoryDatagramSocket() override;

  bool bind(quint16 port) override;
  void broadcast(const QByteArray& datagram, quint16 port) override;
  std::vector<Datagram> receive() override;
  void close() override;
  bool bound() const override { return port_ != 0; }

 private:
  void arrive(Datagram d);

  MemoryWire& wire_;
  QString address_;
  quint16 port_ = 0;
  std::deque<Datagram> arrived_;
  std::shared_ptr<MemoryDatagramSocket*> self_;  // lets delivery tasks outlive the socket
};

}  // namespace mofurin::platform
