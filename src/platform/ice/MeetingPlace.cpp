#include "platform/ice/MeetingPlace.h"

#include <mosquitto.h>

#include <QCoreApplication>
#include <QHostAddress>
#include <QHostInfo>
#include <QMetaObject>
#include <algorithm>
#include <mutex>
#include <vector>

#include "platform/ice/Sealed.h"

namespace mofurin::platform {

namespace {

constexpr int kKeepAliveS = 30;
constexpr int kQos = 1;  // a note arrives at least once

}  // namespace

// The client and what waits for the broker. The mosquitto thread hands
// every event to the game's thread, where the owner may already be gone.
struct MeetingPlace::Client {
  mosquitto* mosq = nullptr;
  MeetingPlace* owner = nullptr;  // the game's thread only
  bool connected = false;         // the game's thread only
  std::vector<std::function<void()>> waiting;

  void later(std::function<void(MeetingPlace&)> event, const std::shared_ptr<Client>& self) {
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [weak = std::weak_ptr<Client>(self), event = std::move(event)] {
          const auto client = weak.lock();
          if (client && client->owner) event(*client->owner);
        },
        Qt::QueuedConnection);
  }

  void whenConnected(std::function<void()> step) {
    if (connected) return step();
    waiting.push_back(std::move(step));
  }
};

namespace {

struct Handle {
  std::shared_ptr<MeetingPlace::Client> client;
};

}  // namespace

MeetingPlace::MeetingPlace(const Address& address) : client_(std::make_shared<Client>()) {
  client_->owner = this;
  if (!QHostAddress(address.host).isNull()) {
    connect(address.host, address.port);
    return;
  }
  // A slow resolver must not hold the game's window still.
  QHostInfo::lookupHost(address.host, QCoreApplication::instance(),
                        [weak = std::weak_ptr<Client>(client_), port = address.port](const QHostInfo& found) {
                          const auto client = weak.lock();
                          if (!client || !client->owner) return;
                          QList<QHostAddress> addresses = found.addresses();
                          if (addresses.isEmpty()) {
                            if (client->owner->onUnreachable) client->owner->onUnreachable();
                            return;
                          }
                          // A broker named for both kinds listens on IPv4 at least.
                          std::stable_partition(addresses.begin(), addresses.end(), [](const QHostAddress& a) {
                            return a.protocol() == QAbstractSocket::IPv4Protocol;
                          });
                          client->owner->connect(addresses.first().toString(), port);
                        });
}

void MeetingPlace::connect(const QString& host, quint16 port) {
  static const bool ready = mosquitto_lib_init() == MOSQ_ERR_SUCCESS;
  Client& c = *client_;
  auto* handle = new Handle{client_};
  c.mosq = mosquitto_new(nullptr, true, handle);
  if (!ready || !c.mosq) {
    delete handle;
    c.later(
        [](MeetingPlace& m) {
          if (m.onUnreachable) m.onUnreachable();
        },
        client_);
    return;
  }
  mosquitto_int_option(c.mosq, MOSQ_OPT_PROTOCOL_VERSION, MQTT_PROTOCOL_V311);
  mosquitto_connect_callback_set(c.mosq, [](mosquitto*, void* data, int result) {
    auto* h = static_cast<Handle*>(data);
    h->client->later(
        [result](MeetingPlace& m) {
          if (result != 0) {
            if (m.onUnreachable) m.onUnreachable();
            return;
          }
          m.client_->connected = true;
          for (auto& step : std::exchange(m.client_->waiting, {})) step();
        },
        h->client);
  });
  mosquitto_disconnect_callback_set(c.mosq, [](mosquitto*, void* data, int result) {
    if (result == 0) return;  // this side left
    auto* h = static_cast<Handle*>(data);
    h->client->later(
        [](MeetingPlace& m) {
          m.client_->connected = false;
          if (m.onUnreachable) m.onUnreachable();
        },
        h->client);
  });
  mosquitto_subscribe_callback_set(c.mosq, [](mosquitto*, void* data, int, int count, const int* granted) {
    auto* h = static_cast<Handle*>(data);
    const bool refused = count < 1 || granted[0] > 2;  // 0x80: the broker said no
    h->client->later(
        [refused](MeetingPlace& m) {
          if (m.onSubscribed) m.onSubscribed(!refused);
        },
        h->client);
  });
  mosquitto_message_callback_set(c.mosq, [](mosquitto*, void* data, const mosquitto_message* message) {
    // Whatever size the broker lets through, a note larger than any the game
    // writes is not one: it is not even copied.
    if (message->payloadlen < 0 || message->payloadlen > kMostNoteBytes) return;
    auto* h = static_cast<Handle*>(data);
    const QString topic = QString::fromUtf8(message->topic);
    const QByteArray note(static_cast<const char*>(message->payload), message->payloadlen);
    h->client->later(
        [topic, note](MeetingPlace& m) {
          if (m.onNote) m.onNote(topic, note);
        },
        h->client);
  });
  mosquitto_reconnect_delay_set(c.mosq, 3600, 3600, false);  // a lost broker is told, not retried
  // The host is an address: nothing here waits on a resolver.
  if (mosquitto_connect_async(c.mosq, host.toUtf8().constData(), port, kKeepAliveS) != MOSQ_ERR_SUCCESS) {
    c.later(
        [](MeetingPlace& m) {
          if (m.onUnreachable) m.onUnreachable();
        },
        client_);
    return;
  }
  mosquitto_loop_start(c.mosq);
}

void MeetingPlace::silence() { client_->owner = nullptr; }

MeetingPlace::~MeetingPlace() {
  Client& c = *client_;
  c.owner = nullptr;
  if (!c.mosq) return;
  mosquitto_disconnect(c.mosq);
  mosquitto_loop_stop(c.mosq, false);
  auto* handle = static_cast<Handle*>(mosquitto_userdata(c.mosq));
  mosquitto_destroy(c.mosq);
  delete handle;
}

void MeetingPlace::subscribe(const QString& topic) {
  client_->whenConnected(
      [c = client_.get(), topic] { mosquitto_subscribe(c->mosq, nullptr, topic.toUtf8().constData(), kQos); });
}

void MeetingPlace::unsubscribe(const QString& topic) {
  client_->whenConnected(
      [c = client_.get(), topic] { mosquitto_unsubscribe(c->mosq, nullptr, topic.toUtf8().constData()); });
}

void MeetingPlace::publish(const QString& topic, const QByteArray& note) {
  client_->whenConnected([c = client_.get(), topic, note] {
    mosquitto_publish(c->mosq, nullptr, topic.toUtf8().constData(), static_cast<int>(note.size()), note.constData(),
                      kQos, false);
  });
}

}  // namespace mofurin::platform
