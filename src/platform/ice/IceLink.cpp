#include "platform/ice/IceLink.h"

#include <nice/agent.h>

#include <QAbstractEventDispatcher>
#include <QHostAddress>
#include <QTimer>
#include <algorithm>
#include <optional>

namespace mofurin::platform {

namespace {
// A relay answers within a second or two anywhere; one that has not by then
// is down, and the other side should hear of this one without it.
constexpr int kGatheringMs = 3000;
constexpr int kLingerMs = 2000;
// What waits for the game to take it. Beyond this the agent leaves what
// comes in its reliable stream's window, which holds the other side back.
constexpr qsizetype kMostReceivedBytes = 64 * 1024;

// Addresses that mean something only inside one home, one provider or one
// private network.
bool privateAddress(const QHostAddress& address) {
  if (address.isLinkLocal() || address.isLoopback() || address.isUniqueLocalUnicast()) return true;
  static const std::pair<QHostAddress, int> kInside[] = {
      {QHostAddress(QStringLiteral("10.0.0.0")), 8},
      {QHostAddress(QStringLiteral("172.16.0.0")), 12},
      {QHostAddress(QStringLiteral("192.168.0.0")), 16},
      {QHostAddress(QStringLiteral("100.64.0.0")), 10},  // a provider's shared NAT
      {QHostAddress(QStringLiteral("198.18.0.0")), 15},  // benchmarking, and many a lab's LAN
  };
  return std::any_of(std::begin(kInside), std::end(kInside),
                     [&](const auto& net) { return address.isInSubnet(net.first, net.second); });
}

// The address of an SDP candidate line ("a=candidate:F C UDP P ADDRESS PORT
// typ TYPE ..."), when it is of the type asked.
std::optional<QHostAddress> candidateAddress(const QByteArray& line, const QByteArray& type) {
  const QList<QByteArray> fields = line.split(' ');
  if (!line.startsWith("a=candidate:") || fields.size() < 8 || fields[6] != "typ" || fields[7] != type) {
    return std::nullopt;
  }
  const QHostAddress address(QString::fromLatin1(fields[4]));
  if (address.isNull()) return std::nullopt;
  return address;
}
}  // namespace

// The agent and what it has gathered, sent and received. libnice runs on
// glib's default main context, which Qt's event loop drives.
struct IceLink::Agent {
  IceLink* link = nullptr;
  NiceAgent* agent = nullptr;
  guint stream = 0;
  State state = State::Closed;
  bool described = false;
  QTimer enoughGathering;  // a relay that does not answer is not waited for
  QByteArray received;
  QByteArray unsent;  // what the reliable stream could not take yet

  // The relay's answer carries this side's address as the internet sees
  // it too: with the relayed candidate in hand, the description is whole.
  // Waiting for the end of gathering would add seconds of asking the relay
  // the same question as a plain STUN server, which the agent never hears.
  static void onCandidate(NiceAgent*, NiceCandidate* candidate, gpointer data) {
    auto* a = static_cast<Agent*>(data);
    if (a->link && candidate->type == NICE_CANDIDATE_TYPE_RELAYED) {
      // Once the same answer has added its other candidate; never after the
      // agent went (the timer's owner goes with it).
      QTimer::singleShot(0, &a->enoughGathering, [a] { a->describe(); });
    }
  }

  static void onGathered(NiceAgent*, guint, gpointer data) { static_cast<Agent*>(data)->describe(); }

  void describe() {
    if (!link || described) return;
    described = true;
    gchar* sdp = nice_agent_generate_local_sdp(agent);
    const QByteArray description(sdp);
    g_free(sdp);
    if (link->described) link->described(description);
    // The other side's description that came first is taken now that this
    // side knows its own ways (which of the other's are worth trying).
    if (link && !otherDescription.isEmpty()) link->takeOtherDescription(std::exchange(otherDescription, {}));
  }
  QByteArray otherDescription;  // until this side has described itself

  static void onState(NiceAgent*, guint, guint, guint state, gpointer data) {
    auto* a = static_cast<Agent*>(data);
    if (!a->link) return;
    // A pair that works is enough to talk: the checks of the others may go
    // on for seconds before the agent calls itself ready.
    const bool usable = state == NICE_COMPONENT_STATE_CONNECTED || state == NICE_COMPONENT_STATE_READY;
    if (usable && a->state == State::Connecting) {
      a->state = State::Connected;
      if (a->link->onConnected) a->link->onConnected();
    } else if (state == NICE_COMPONENT_STATE_FAILED && a->state != State::Closed) {
      a->state = State::Closed;
      if (a->link->onLost) a->link->onLost();
    }
  }

  static void onWritable(NiceAgent*, guint, guint, gpointer data) { static_cast<Agent*>(data)->flush(); }

  static void onReceived(NiceAgent*, guint, guint, guint length, gchar* bytes, gpointer data) {
    auto* a = static_cast<Agent*>(data);
    if (!a->link) return;
    a->received.append(bytes, static_cast<qsizetype>(length));
    if (a->received.size() >= kMostReceivedBytes) a->read(false);
    if (a->link->onArrival) a->link->onArrival();
  }

  // The agent reads its sockets as long as it has a context; its reliable
  // stream hands on what came only while something takes it.
  void read(bool on) {
    if (reading == on) return;
    reading = on;
    nice_agent_attach_recv(agent, stream, 1, g_main_context_default(), on ? &Agent::onReceived : nullptr,
                           on ? this : nullptr);
  }
  bool reading = false;

  void flush() {
    while (!unsent.isEmpty() && state == State::Connected) {
      const gint taken = nice_agent_send(agent, stream, 1, static_cast<guint>(unsent.size()), unsent.constData());
      if (taken <= 0) return;  // the stream says when it can take more
      unsent.remove(0, taken);
    }
  }

  ~Agent() {
    if (!agent) return;
    g_signal_handlers_disconnect_by_data(agent, this);
    nice_agent_attach_recv(agent, stream, 1, g_main_context_default(), nullptr, nullptr);
    nice_agent_remove_stream(agent, stream);
    // The relay frees this side's allocation now rather than when it runs
    // out ten minutes on; the agent goes once the relay has answered.
    nice_agent_close_async(
        agent, [](GObject* closed, GAsyncResult*, gpointer) { g_object_unref(closed); }, nullptr);
  }
};

IceLink::IceLink(IceServers servers) : servers_(std::move(servers)) {}

IceLink::~IceLink() { close(); }

bool IceLink::runs() {
  // libnice is driven by glib's main context, which Qt's event loop runs
  // only when it is glib's own (not with QT_NO_GLIB, say).
  const QAbstractEventDispatcher* loop = QAbstractEventDispatcher::instance();
  return loop && loop->inherits("QEventDispatcherGlib");
}

void IceLink::prepare(bool controlling) {
  close();
  agent_ = std::make_unique<Agent>();
  Agent& a = *agent_;
  a.link = this;
  a.agent = nice_agent_new_full(
      g_main_context_default(), NICE_COMPATIBILITY_RFC5245,
      static_cast<NiceAgentOption>(NICE_AGENT_OPTION_RELIABLE | NICE_AGENT_OPTION_CONSENT_FRESHNESS));
  g_object_set(a.agent, "controlling-mode", controlling ? TRUE : FALSE, "ice-tcp", FALSE, "upnp", FALSE, nullptr);
  if (!servers_.stunHost.isEmpty()) {
    g_object_set(a.agent, "stun-server", servers_.stunHost.toUtf8().constData(), "stun-server-port",
                 guint(servers_.stunPort), nullptr);
  }
  for (const QString& local : servers_.localAddresses) {
    NiceAddress address;
    if (nice_address_set_from_string(&address, local.toLatin1().constData())) {
      nice_agent_add_local_address(a.agent, &address);
    }
  }
  a.stream = nice_agent_add_stream(a.agent, 1);
  if (!servers_.turnHost.isEmpty()) {
    nice_agent_set_relay_info(a.agent, a.stream, 1, servers_.turnHost.toUtf8().constData(), servers_.turnPort,
                              servers_.turnUser.toUtf8().constData(), servers_.turnPassword.toUtf8().constData(),
                              NICE_RELAY_TYPE_TURN_UDP);
  }
  g_signal_connect(a.agent, "new-candidate-full", G_CALLBACK(&Agent::onCandidate), &a);
  g_signal_connect(a.agent, "candidate-gathering-done", G_CALLBACK(&Agent::onGathered), &a);
  g_signal_connect(a.agent, "component-state-changed", G_CALLBACK(&Agent::onState), &a);
  g_signal_connect(a.agent, "reliable-transport-writable", G_CALLBACK(&Agent::onWritable), &a);
  // The agent reads its sockets only once something takes what it reads.
  a.read(true);
  a.state = State::Listening;
  a.enoughGathering.setSingleShot(true);
  a.enoughGathering.callOnTimeout([&a] { a.describe(); });
  a.enoughGathering.start(kGatheringMs);
  nice_agent_gather_candidates(a.agent, a.stream);
}

bool IceLink::listen() {
  prepare(false);
  return true;
}

// A relay learns every address it is asked to pass bytes to. The other
// side's addresses inside its home are of no use from another home, so
// they are not offered to the agent, which would ask the relay for them.
// They are tried when this side has no relay to ask, and when the other
// side is in this home (one outside address) or tells no outside address
// (it is on the internet itself, or could not learn it).
QByteArray IceLink::worthTrying(const QByteArray& otherDescription) const {
  if (!agent_) return otherDescription;
  QList<QHostAddress> ours;
  bool relayed = false;
  GSList* local = nice_agent_get_local_candidates(agent_->agent, agent_->stream, 1);
  for (GSList* c = local; c; c = c->next) {
    const auto* candidate = static_cast<const NiceCandidate*>(c->data);
    relayed = relayed || candidate->type == NICE_CANDIDATE_TYPE_RELAYED;
    if (candidate->type != NICE_CANDIDATE_TYPE_SERVER_REFLEXIVE) continue;
    gchar text[NICE_ADDRESS_STRING_LEN];
    nice_address_to_string(&candidate->addr, text);
    ours << QHostAddress(QString::fromLatin1(text));
  }
  g_slist_free_full(local, reinterpret_cast<GDestroyNotify>(&nice_candidate_free));
  const QList<QByteArray> lines = otherDescription.split('\n');
  bool theirsKnown = false;
  for (const QByteArray& line : lines) {
    const auto outside = candidateAddress(line.trimmed(), "srflx");
    if (outside && ours.contains(*outside)) return otherDescription;  // one home
    theirsKnown = theirsKnown || outside.has_value();
  }
  if (!relayed || !theirsKnown) return otherDescription;
  QByteArray kept;
  for (const QByteArray& line : lines) {
    const auto inside = candidateAddress(line.trimmed(), "host");
    if (inside && privateAddress(*inside)) continue;
    kept += line + '\n';
  }
  kept.chop(1);
  return kept;
}

void IceLink::connect(const QString& otherDescription) {
  if (!agent_) {
    if (onLost) onLost();
    return;
  }
  agent_->state = State::Connecting;
  if (agent_->described) return takeOtherDescription(otherDescription.toUtf8());
  agent_->otherDescription = otherDescription.toUtf8();
}

void IceLink::takeOtherDescription(const QByteArray& otherDescription) {
  if (nice_agent_parse_remote_sdp(agent_->agent, worthTrying(otherDescription).constData()) <= 0) {
    close();
    if (onLost) onLost();
  }
}

void IceLink::send(const QByteArray& bytes) {
  if (!agent_ || agent_->state != State::Connected) return;
  agent_->unsent += bytes;
  agent_->flush();
}

QByteArray IceLink::receive() {
  if (!agent_) return {};
  QByteArray bytes = std::exchange(agent_->received, {});
  // Room again: what the stream holds comes on, once this event is over
  // (it would come inside it, ahead of what the caller is taking now).
  if (!agent_->reading) {
    QTimer::singleShot(0, &agent_->enoughGathering, [a = agent_.get()] {
      if (a->link) a->read(true);
    });
  }
  return bytes;
}

void IceLink::close() {
  if (!agent_) return;
  // An agent may close inside its own callback: it goes once the event is
  // over. A connected one lingers, as a TCP socket does, for what it was
  // last given (a flight, say) to reach the other side before the end does.
  agent_->link = nullptr;
  const int lingerMs = agent_->state == State::Connected ? kLingerMs : 0;
  QTimer::singleShot(lingerMs, [agent = agent_.release()] { delete agent; });
}

Transport::State IceLink::state() const { return agent_ ? agent_->state : State::Closed; }

qsizetype IceLink::waiting() const { return agent_ ? agent_->received.size() : 0; }

bool IceLink::relayed() const {
  if (!agent_ || agent_->state != State::Connected) return false;
  NiceCandidate *local = nullptr, *remote = nullptr;
  if (!nice_agent_get_selected_pair(agent_->agent, agent_->stream, 1, &local, &remote)) return false;
  return local->type == NICE_CANDIDATE_TYPE_RELAYED || remote->type == NICE_CANDIDATE_TYPE_RELAYED;
}

}  // namespace mofurin::platform
