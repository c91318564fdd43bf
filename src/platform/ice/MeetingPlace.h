#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

#include "platform/InternetServers.h"

namespace mofurin::platform {

// A place on an MQTT broker where two sides that know a topic leave each
// other notes. The broker sees topics and sealed notes, nothing else. Its
// client runs a thread of its own; every event comes on the game's thread.
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
  // The broker took a subscription: notes on its topic reach this side.
  std::function<void()> onSubscribed;
  // The broker could not be reached, or went away.
  std::function<void()> onUnreachable;

  struct Client;

 private:
  std::shared_ptr<Client> client_;
};

}  // namespace mofurin::platform
