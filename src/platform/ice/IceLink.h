#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>

#include "platform/InternetServers.h"
#include "platform/Transport.h"

namespace mofurin::platform {

// One ICE agent (RFC 8445) with one reliable stream between this machine and
// another, found through host, server-reflexive and relayed candidates. The
// two sides swap descriptions by other means: each prepares its own, then
// connects with the other's ("connect" takes the other side's description
// for an address). A vanished peer loses consent (RFC 7675) and the link.
class IceLink final : public Transport {
 public:
  explicit IceLink(IceServers servers);
  ~IceLink() override;

  // Gathers this side's candidates; described() gives the description once
  // the relay has answered (its answer names the outside address too), all
  // are known, or three seconds have passed. The side that dials controls
  // the checks. The other side's description may come before: it is taken
  // once this side has described itself.
  void prepare(bool controlling);
  std::function<void(const QByteArray& description)> described;
  // Whether the bytes go through the relay, once connected.
  bool relayed() const;
  // What arrived and waits to be taken: never much more than the stream's
  // window, however much the other side sends.
  qsizetype waiting() const;

  bool listen() override;  // prepare(false)
  void connect(const QString& otherDescription) override;
  void send(const QByteArray& bytes) override;
  QByteArray receive() override;
  void close() override;
  State state() const override;

  // Whether links can run in this program: libnice needs glib's loop.
  static bool runs();

  struct Agent;  // libnice's, behind glib

 private:
  void takeOtherDescription(const QByteArray& otherDescription);
  QByteArray worthTrying(const QByteArray& otherDescription) const;

  std::unique_ptr<Agent> agent_;
  IceServers servers_;
};

}  // namespace mofurin::platform
