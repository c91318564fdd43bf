#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

#include "platform/InternetServers.h"

namespace mofurin::platform {

// A place on an MQTT broker where two sides that know a topic leave each
// other notes. The broker sees this machine's address, topics and sealed
// notes, nothing else. Its client runs a thread of its own, and the
// broker's name is looked up on another; every event comes on the game's
// thread. A note larger than kMostNoteBytes is dropped where it arrives.
class MeetingPlace {
 public:
  using Address = MeetingPlaceAddress;

  explicit MeetingPlace(const Address& address);
  ~MeetingPlace();
  MeetingPlace(const MeetingPlace&) = delete;
  MeetingPlace& operator=(const MeetingPlace&) = delete;

  // Both wait for the broker when it is not yet reached.
  void subscribe(const QString& topic);
  void unsubscribe(const QString& topic);
  void publish(const QString& topic, const QByteArray& note);

  std::function<void(const QString& topic, const QByteArray& note)> onNote;
  // The broker answered a subscription: when it granted it, notes on its
  // topic reach this side; it may refuse (its access rules, say).
  std::function<void(bool granted)> onSubscribed;
  // The broker could not be reached, or went away.
  std::function<void()> onUnreachable;

  // No event of this place reaches its owner any more.
  void silence();

  struct Client;

 private:
  void connect(const QString& host, quint16 port);

  std::shared_ptr<Client> client_;
};

}  // namespace mofurin::platform
