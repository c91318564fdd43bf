// Links to a friend anywhere, made by an invitation through a meeting place
// (a mosquitto of this test's own on the loopback) and ICE on this machine.

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>
#include <random>
#include <set>

#include "DriverSession.h"
#include "QtGame.h"
#include "QtPrinters.h"
#include "platform/ice/IceLink.h"
#include "platform/ice/InvitedLink.h"
#include "platform/ice/MeetingPlace.h"
#include "platform/ice/Sealed.h"

using namespace mofurin;
using namespace mofurin::test;
using platform::Transport;

namespace {

quint16 freePort(int offset) {
  return static_cast<quint16>(30000 + (QCoreApplication::applicationPid() * 11 + offset) % 20000);
}

// A broker of the test's own, on the loopback, ended when the test ends.
class Broker {
 public:
  explicit Broker(quint16 port) : port_(port) {
    QFile config(dir_.filePath("mosquitto.conf"));
    config.open(QIODevice::WriteOnly);
    config.write(QStringLiteral("listener %1 127.0.0.1\nallow_anonymous true\npersistence false\n").arg(port).toUtf8());
    config.close();
    process_.start("/usr/sbin/mosquitto", {"-c", config.fileName()});
    process_.waitForStarted();
    QElapsedTimer wait;
    wait.start();
    while (wait.elapsed() < 3000) {  // until it listens
      QTcpSocket probe;
      probe.connectToHost("127.0.0.1", port);
      if (probe.waitForConnected(100)) break;
    }
  }
  ~Broker() { stop(); }
  void stop() {
    process_.terminate();
    process_.waitForFinished(3000);
  }
  QString url() const { return QStringLiteral("mqtt://127.0.0.1:%1").arg(port_); }

 private:
  QTemporaryDir dir_;
  QProcess process_;
  quint16 port_;
};

// A broker that lets every client in and refuses every subscription, as
// one whose access rules keep the game's topics from strangers may.
class RefusingBroker {
 public:
  explicit RefusingBroker(quint16 port) : port_(port) {
    server_.listen(QHostAddress::LocalHost, port);
    QObject::connect(&server_, &QTcpServer::newConnection, [this] {
      QTcpSocket* client = server_.nextPendingConnection();
      QObject::connect(client, &QTcpSocket::readyRead, client, [client] { answer(*client); });
    });
  }
  QString urlByName() const { return QStringLiteral("mqtt://localhost:%1").arg(port_); }

 private:
  // Each packet: its kind, its length (7 bits a byte), its body.
  static void answer(QTcpSocket& client) {
    QByteArray in = client.peek(client.bytesAvailable());
    while (in.size() >= 2) {
      const quint8 kind = static_cast<quint8>(in[0]) >> 4;
      int length = 0, at = 1;
      for (int shift = 0; at < in.size() && shift < 28; shift += 7, ++at) {
        length |= (in[at] & 0x7f) << shift;
        if (!(in[at] & 0x80)) break;
      }
      if (in.size() < at + 1 + length) return;
      const QByteArray body = in.mid(at + 1, length);
      if (kind == 1) client.write(QByteArray("\x20\x02\x00\x00", 4));                  // CONNECT: accepted
      if (kind == 8) client.write(QByteArray("\x90\x03", 2) + body.left(2) + '\x80');  // SUBSCRIBE: refused
      if (kind == 12) client.write(QByteArray("\xd0\x00", 2));                         // PINGREQ
      client.read(at + 1 + length);
      in.remove(0, at + 1 + length);
    }
  }
  QTcpServer server_;
  quint16 port_;
};

// A relay of the test's own on the loopback (coturn), which relays to the
// loopback too.
class Relay {
 public:
  explicit Relay(quint16 port) : port_(port) {
    process_.start("/usr/bin/turnserver", {"-n",
                                           "--listening-ip",
                                           "127.0.0.1",
                                           "--relay-ip",
                                           "127.0.0.1",
                                           "--listening-port",
                                           QString::number(port),
                                           "--min-port",
                                           QString::number(port + 1),
                                           "--max-port",
                                           QString::number(port + 200),
                                           "--lt-cred-mech",
                                           "--user",
                                           "mofurin:secret",
                                           "--realm",
                                           "mofurin",
                                           "--allow-loopback-peers",
                                           "--no-cli",
                                           "--no-tls",
                                           "--no-dtls",
                                           "--log-file",
                                           "stdout"});
    process_.waitForStarted();
    QThread::msleep(300);  // until it listens: UDP has no knock
  }
  ~Relay() {
    process_.terminate();
    process_.waitForFinished(3000);
  }
  platform::IceServers servers() const {
    return {"127.0.0.1", port_, "127.0.0.1", port_, "mofurin", "secret", {"127.0.0.1"}};
  }

 private:
  QProcess process_;
  quint16 port_;
};

bool runUntil(const std::function<bool()>& done, int ms) {
  QElapsedTimer wait;
  wait.start();
  while (!done() && wait.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  return done();
}

struct Peer {
  explicit Peer(const QString& meetingPlace, int invitationMs = 10 * 60 * 1000)
      : Peer(platform::makeInvitedLink({meetingPlace, {}, invitationMs})) {}
  explicit Peer(std::unique_ptr<Transport> transport) : link(std::move(transport)) {
    link->onInvitation = [this] { invitation = link->invitation(); };
    link->onConnected = [this] { connected = true; };
    link->onArrival = [this] { received += link->receive(); };
    link->onLost = [this] { lost = true; };
  }
  std::unique_ptr<Transport> link;
  QString invitation;
  bool connected = false, lost = false;
  QByteArray received;
};

}  // namespace

// The two sides of one link over ICE on this machine (host candidates),
// sealed as the game seals it, each once described.
struct SealedIcePair {
  SealedIcePair() {
    auto hostIce = std::make_unique<platform::IceLink>(platform::IceServers{});
    auto guestIce = std::make_unique<platform::IceLink>(platform::IceServers{});
    hostSide = hostIce.get();
    guestSide = guestIce.get();
    hostSide->described = [this](const QByteArray& d) { hostDescription = d; };
    guestSide->described = [this](const QByteArray& d) { guestDescription = d; };
    host = std::make_unique<Peer>(
        platform::sealedStream(std::move(hostIce), *hostKeys.streamKeys(guestKeys.publicKey(), true)));
    guest = std::make_unique<Peer>(
        platform::sealedStream(std::move(guestIce), *guestKeys.streamKeys(hostKeys.publicKey(), false)));
    host->link->listen();
    guestSide->prepare(true);
  }
  bool described() const {
    return runUntil([&] { return !hostDescription.isEmpty() && !guestDescription.isEmpty(); }, 5000);
  }
  const platform::KeyPair hostKeys, guestKeys;
  platform::IceLink *hostSide, *guestSide;
  QByteArray hostDescription, guestDescription;
  std::unique_ptr<Peer> host, guest;
};

// Someone at the meeting place who reads every topic: it hands every offer
// back as the answer, and leaves a note of a megabyte beside it.
struct Meddler {
  explicit Meddler(const QString& url) : place(*platform::readMeetingPlace(url)) {
    place.onNote = [this](const QString& topic, const QByteArray& note) {
      const QString code = topic.section('/', 0, 1);
      place.publish(code + "/answer", note);
      if (flooded.insert(code).second) place.publish(code + "/offer", QByteArray(1 << 20, 'x'));
    };
    place.subscribe("mofurin/+/offer");
  }
  platform::MeetingPlace place;
  std::set<QString> flooded;
};

// A host's invitation, typed by a friend, links the two directly; the
// stream carries the bout's bytes both ways. The code serves one bout: of
// two guests who join at the same moment one plays and the other is told
// at once that the invitation is taken, never that it is connected, as is
// a guest who comes while the bout is under way; a guest with a code nobody
// handed out hears nothing and is told so, and the two playing never
// notice. A meddler at the meeting place who hands offers back as answers,
// and floods the host's topic, changes nothing. A code nobody takes in its
// time runs out.
TEST(InternetLink, AnInvitationLinksTwoAndServesOneBout) {
  if (!QFile::exists("/usr/sbin/mosquitto")) GTEST_SKIP() << "no mosquitto: the set-up script installs it";
  application();
  Broker broker(freePort(1));
  Meddler meddler(broker.url());
  Peer host(broker.url()), guest(broker.url()), rival(broker.url()), forgotten(broker.url(), 1000);
  forgotten.link->listen();
  ASSERT_TRUE(host.link->listen());
  ASSERT_TRUE(runUntil([&] { return !host.invitation.isEmpty(); }, 5000));
  guest.link->connect(host.invitation.toLower());
  rival.link->connect(host.invitation);
  ASSERT_TRUE(runUntil(
      [&] { return host.connected && (guest.connected || rival.connected) && (guest.lost || rival.lost); }, 10000));
  Peer& playing = guest.connected ? guest : rival;
  Peer& turnedAway = guest.connected ? rival : guest;
  EXPECT_FALSE(turnedAway.connected);
  EXPECT_EQ(turnedAway.link->problem(), Transport::Problem::Taken);
  EXPECT_EQ(playing.link->way(), Transport::Way::Direct);
  playing.link->send("選択     0 3\n");
  host.link->send("確認     0\n");
  ASSERT_TRUE(runUntil([&] { return !host.received.isEmpty() && !playing.received.isEmpty(); }, 5000));
  EXPECT_EQ(host.received, QByteArray("選択     0 3\n"));

  Peer late(broker.url()), stranger(broker.url()), typo(broker.url());
  late.link->connect(host.invitation);
  stranger.link->connect(platform::InvitationCode::make().text());
  typo.link->connect(host.invitation.left(host.invitation.size() - 1) + (host.invitation.endsWith('0') ? "1" : "0"));
  ASSERT_TRUE(runUntil([&] { return typo.lost; }, 1000));
  EXPECT_EQ(typo.link->problem(), Transport::Problem::NotACode);
  ASSERT_TRUE(runUntil([&] { return late.lost; }, 5000));
  EXPECT_EQ(late.link->problem(), Transport::Problem::Taken);
  ASSERT_TRUE(runUntil([&] { return stranger.lost; }, 20000));
  EXPECT_EQ(stranger.link->problem(), Transport::Problem::NoSuchInvitation);
  EXPECT_FALSE(host.lost || playing.lost || late.connected || stranger.connected);
  ASSERT_TRUE(forgotten.lost);  // a code nobody took in its time ran out
  EXPECT_EQ(forgotten.link->problem(), Transport::Problem::Expired);
  playing.link->send("逃亡     1\n");
  playing.link->close();
  // The end is said after the last words, and heard at once.
  ASSERT_TRUE(runUntil([&] { return host.lost; }, 3000));
  EXPECT_TRUE(host.received.endsWith("逃亡     1\n"));
  EXPECT_EQ(host.link->problem(), Transport::Problem::None);
  EXPECT_EQ(playing.link->way(), Transport::Way::Direct);  // as it ran, after the close
}

// The host's relay does not answer, so its answer waits three seconds for
// it; meanwhile the meeting place goes. The link fails as the meeting place
// being gone, and nothing of it speaks afterwards through what went.
TEST(InternetLink, AMeetingPlaceThatGoesWhileTheHostPreparesItsAnswer) {
  if (!QFile::exists("/usr/sbin/mosquitto")) GTEST_SKIP() << "no mosquitto: the set-up script installs it";
  application();
  Broker broker(freePort(4));
  const QString silentRelay = QStringLiteral("turn://u:p@127.0.0.1:%1").arg(freePort(5));
  Peer host(platform::makeInvitedLink({broker.url(), silentRelay, 60000})), guest(broker.url());
  host.link->listen();
  ASSERT_TRUE(runUntil([&] { return !host.invitation.isEmpty(); }, 5000));
  guest.link->connect(host.invitation);
  ASSERT_TRUE(runUntil([&] { return host.link->state() == Transport::State::Connecting; }, 5000));
  broker.stop();
  ASSERT_TRUE(runUntil([&] { return host.lost; }, 5000));
  EXPECT_EQ(host.link->problem(), Transport::Problem::MeetingPlaceUnreachable);
  runUntil([] { return false; }, 3500);  // past the moment the answer would have been ready
}

// Links end every way at random moments: closed, destroyed, a second
// invitation over the first, a join over a join, the meeting place gone.
// Nothing of a link that ended speaks afterwards, or touches what went
// (the sanitized build sees it).
TEST(InternetLink, LinksEndEveryWayAtRandomMoments) {
  if (!QFile::exists("/usr/sbin/mosquitto")) GTEST_SKIP() << "no mosquitto: the set-up script installs it";
  application();
  const quint32 seed = qEnvironmentVariableIsSet("MOFURIN_SEED") ? qEnvironmentVariable("MOFURIN_SEED").toUInt()
                                                                 : std::random_device{}();
  SCOPED_TRACE("MOFURIN_SEED=" + std::to_string(seed));
  std::mt19937 rng(seed);
  for (int round = 0; round < 6; ++round) {
    auto broker = std::make_unique<Broker>(freePort(9));
    const QString url = broker->url();
    std::unique_ptr<Peer> host = std::make_unique<Peer>(url), guest = std::make_unique<Peer>(url);
    for (int step = 0; step < 12; ++step) {
      switch (rng() % 8) {
        case 0: host->link->listen(); break;
        case 1:
        case 2:
          guest->link->connect(host->invitation.isEmpty() ? platform::InvitationCode::make().text() : host->invitation);
          break;
        case 3: host->link->close(); break;
        case 4: guest->link->close(); break;
        case 5: host = std::make_unique<Peer>(url); break;
        case 6: guest = std::make_unique<Peer>(url); break;
        case 7:
          if (rng() % 3 == 0) broker.reset();
          break;
      }
      // Now and then long enough for a link to be made.
      runUntil([] { return false; }, static_cast<int>(rng() % 5 == 0 ? 600 : rng() % 50));
    }
  }
  runUntil([] { return false; }, 300);  // what the last links left behind has run
}

// An ICE link may go at any moment while it gathers, also just as the
// relay's answer came and the link is about to describe itself: it goes
// after as many turns of the event loop as the one before needed to
// describe itself, give or take a few.
TEST(InternetLink, AnIceLinkMayGoAtAnyMomentOfItsGathering) {
  if (!QFile::exists("/usr/bin/turnserver")) GTEST_SKIP() << "no coturn: the set-up script installs it";
  application();
  Relay relay(freePort(6));
  const auto turn = [] {
    QCoreApplication::processEvents();
    QThread::usleep(100);
  };
  int turnsToDescribe = 0;
  for (int attempt = 0; attempt < 60; ++attempt) {
    auto link = std::make_unique<platform::IceLink>(relay.servers());
    bool described = false;
    link->described = [&](const QByteArray& d) { described = d.contains(" typ relay"); };
    link->prepare(attempt % 2 == 0);
    const int goAfter = attempt % 5 == 0 ? 1000 : std::max(0, turnsToDescribe - 3 + attempt % 5);
    int turns = 0;
    while (!described && turns < goAfter) {
      turn();
      ++turns;
    }
    if (described) turnsToDescribe = turns;
    link.reset();
  }
  runUntil([] { return false; }, 300);  // whatever the links left behind has run
  EXPECT_GT(turnsToDescribe, 0) << "the relay never answered";
}

// A peer that says far more than the game takes is held back, not cut
// off: while the game takes nothing, a sealed ICE link hands on at most what
// its buffers hold; once the game takes again, everything comes, in order.
TEST(InternetLink, APeerThatSaysTooMuchIsHeldBackAndLosesNothing) {
  application();
  SealedIcePair pair;
  ASSERT_TRUE(pair.described());
  Peer &host = *pair.host, &guest = *pair.guest;
  host.link->connect(QString::fromUtf8(pair.guestDescription));
  guest.link->connect(QString::fromUtf8(pair.hostDescription));
  ASSERT_TRUE(runUntil([&] { return host.connected && guest.connected; }, 5000));
  QByteArray said;
  for (int i = 0; said.size() < 4 * 1024 * 1024; ++i) said += QByteArray::number(i) + " 発言\n";
  guest.link->onArrival = nullptr;  // the game takes nothing for a while
  host.link->send(said);
  runUntil([] { return false; }, 1500);
  EXPECT_LT(pair.guestSide->waiting(), 256 * 1024);
  guest.received = guest.link->receive();
  guest.link->onArrival = [&] { guest.received += guest.link->receive(); };
  guest.received += guest.link->receive();
  ASSERT_TRUE(runUntil([&] { return guest.received.size() >= said.size(); }, 20000)) << guest.received.size();
  EXPECT_TRUE(guest.received == said);
}

// Without a meeting place to reach, or without the module of internet
// bouts beside the program (there is none beside the tests), or without the
// LAN module, both sides are told why at once.
TEST(InternetLink, ALinkThatCannotBeMadeIsToldAtOnce) {
  application();
  const auto toldAtOnce = [](Peer host, Peer guest, Transport::Problem why) {
    host.link->listen();
    guest.link->connect(platform::InvitationCode::make().text());
    ASSERT_TRUE(runUntil([&] { return host.lost && guest.lost; }, 5000));
    EXPECT_EQ(host.link->problem(), why);
    EXPECT_EQ(guest.link->problem(), why);
    EXPECT_TRUE(host.invitation.isEmpty());  // no code for a link that cannot be made
  };
  for (const QString& url : {QStringLiteral("mqtt://127.0.0.1:%1").arg(freePort(2)), QStringLiteral("not a place")}) {
    SCOPED_TRACE(url.toStdString());
    toldAtOnce(Peer(url), Peer(url), Transport::Problem::MeetingPlaceUnreachable);
  }
  // A broker that refuses the game's topics: no code is handed out, and
  // both are told the meeting place refused them. It is named by its host's
  // name, looked up first.
  RefusingBroker strict(freePort(8));
  toldAtOnce(Peer(strict.urlByName()), Peer(strict.urlByName()), Transport::Problem::MeetingPlaceRefused);
  // One that takes the connection and never answers is one that is not
  // there, told in the time the meeting place has (ten seconds in the game).
  QTcpServer silent;
  silent.listen(QHostAddress::LocalHost, freePort(10));
  const auto silentPlace = [&] {
    platform::InternetServers servers{QStringLiteral("mqtt://127.0.0.1:%1").arg(freePort(10)), {}};
    servers.meetingPlaceMs = 300;
    return platform::makeInvitedLink(servers);
  };
  toldAtOnce(Peer(silentPlace()), Peer(silentPlace()), Transport::Problem::MeetingPlaceUnreachable);
  const platform::InternetServers servers{QStringLiteral("mqtt://127.0.0.1"), {}, 1000};
  toldAtOnce(Peer(platform::invitedLink(servers)), Peer(platform::invitedLink(servers)),
             Transport::Problem::ModuleMissing);
  QTemporaryDir noModules;
  const std::unique_ptr<platform::Network> noLan = platform::lanNetwork(noModules.path());
  toldAtOnce(Peer(platform::tcpTransport(*noLan, 1001)), Peer(platform::tcpTransport(*noLan, 1001)),
             Transport::Problem::ModuleMissing);
}

// Started without glib's event loop, which drives ICE, a game says so as
// soon as an invitation is asked for, not twenty seconds on as a relay fault.
TEST(InternetLink, WithoutGlibsLoopAnInvitationSaysSoAtOnce) {
  application();
  QTemporaryDir dir;
  qputenv("QT_NO_GLIB", "1");
  DriverSession host(dir.path(), {"--meeting-place", QStringLiteral("mqtt://127.0.0.1:%1").arg(freePort(7))});
  qunsetenv("QT_NO_GLIB");
  host.send({"click Form2.o1", "key Form3 49", "click Form3.Command1"});
  QElapsedTimer asked;
  asked.start();
  const QString said = host.send({"invite"}).join('\n');
  EXPECT_TRUE(said.contains("QT_NO_GLIB")) << said.toStdString();
  EXPECT_LT(asked.elapsed(), 3000);
}

// Two drivers, one the host with an invitation and one the friend who joins
// by it, fight a whole bout through the meeting place and ICE: both say how
// the link ran, before and after, and both records end the same way.
TEST(InternetLink, TwoDriversFightABoutByAnInvitation) {
  if (!QFile::exists("/usr/sbin/mosquitto")) GTEST_SKIP() << "no mosquitto: the set-up script installs it";
  application();
  Broker broker(freePort(3));
  QTemporaryDir hostDir, guestDir;
  DriverSession host(hostDir.path(), {"--meeting-place", broker.url()});
  DriverSession guest(guestDir.path(), {"--meeting-place", broker.url()});
  for (auto [d, key] : {std::pair{&host, "49"}, std::pair{&guest, "50"}}) {
    d->send({"click Form2.o1", QStringLiteral("key Form3 %1").arg(key), "click Form3.Command1", "scroll Form4.SPEED 1",
             "click Form4.Check1"});
  }
  const QStringList invited = host.send({"invite"});
  const auto line =
      std::find_if(invited.begin(), invited.end(), [](const QString& l) { return l.startsWith("invitation = "); });
  ASSERT_NE(line, invited.end()) << invited.join('\n').toStdString();
  guest.post({"join " + line->mid(13), "until Form1 20000", "connection"});
  host.post({"until Form1 20000", "connection"});
  const QStringList g = guest.collect(), h = host.collect();
  ASSERT_TRUE(shown(h, "Form1") && shown(g, "Form1")) << h.join('\n').toStdString() << g.join('\n').toStdString();
  EXPECT_TRUE(h.contains("connection = direct") && g.contains("connection = direct"));
  bool over = false;
  for (int i = 0; i < 600 && !over; ++i) {
    host.post({"wait 100"});
    guest.post({"wait 100"});
    const QStringList ho = host.collect(), go = guest.collect();
    if (shown(ho, "Form1")) chooseIfAsked(host);
    if (shown(go, "Form1")) chooseIfAsked(guest);
    over = shown(ho, "Form4") && shown(go, "Form4");
  }
  ASSERT_TRUE(over);
  EXPECT_TRUE(host.send({"connection"}).contains("connection = direct"));
  // Each hub says how the bout ended and that the next needs a new code;
  // the guest's box no longer holds the code it used, and waits for the next.
  const QRegularExpression said("Form4.Command1 = .*(勝ちました|負けました|相打ち|逃げ).*新しい招待コード");
  EXPECT_TRUE(host.send({"print Form4.Command1"}).filter(said).size() == 1);
  const QStringList guestHub = guest.send({"print Form4.Command1", "print Form4.Text1"});
  EXPECT_EQ(guestHub.filter(said).size(), 1) << guestHub.join('\n').toStdString();
  EXPECT_TRUE(guestHub.contains("Form4.Text1 = ")) << guestHub.join('\n').toStdString();
  QStringList endings;
  for (const QTemporaryDir* dir : {&hostDir, &guestDir}) {
    const QDir replays(QDir(dir->path()).filePath("replays"));
    const QStringList kept = replays.entryList({"*.replay"}, QDir::Files);
    ASSERT_EQ(kept.size(), 1);
    QFile record(replays.filePath(kept.first()));
    ASSERT_TRUE(record.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(record.readAll());
    endings << text.mid(text.indexOf("\nend ") + 5).section('\n', 0, 0);
  }
  const QMap<QString, QString> mirror{{"won", "lost"}, {"lost", "won"}, {"both", "both"}, {"fled", "fled"}};
  EXPECT_EQ(mirror.value(endings[0]), endings[1]) << endings.join(" / ").toStdString();
}

// A few hundred links over ICE on this machine (host candidates), sealed as
// the game seals them, each carrying a bout's worth of lines both ways in
// random pieces at random moments: every byte arrives once and in order,
// whichever side described itself first, and a side that leaves is seen
// to go, after its last words.
TEST(InternetLink, IceLinksCarryRandomBoutsWhole) {
  application();
  const quint32 seed = qEnvironmentVariableIsSet("MOFURIN_SEED") ? qEnvironmentVariable("MOFURIN_SEED").toUInt()
                                                                 : std::random_device{}();
  std::mt19937 rng(seed);
  const int links =
      qEnvironmentVariableIntValue("MOFURIN_ICE_LINKS") > 0 ? qEnvironmentVariableIntValue("MOFURIN_ICE_LINKS") : 300;
  for (int n = 0; n < links; ++n) {
    SCOPED_TRACE("MOFURIN_SEED=" + std::to_string(seed) + ", link " + std::to_string(n));
    SealedIcePair pair;
    ASSERT_TRUE(pair.described());
    Peer &host = *pair.host, &guest = *pair.guest;
    const QByteArray &hostDescription = pair.hostDescription, &guestDescription = pair.guestDescription;
    // Either side may take the other's description first.
    Peer& first = rng() % 2 ? host : guest;
    first.link->connect(QString::fromUtf8(&first == &host ? guestDescription : hostDescription));
    (&first == &host ? guest : host)
        .link->connect(QString::fromUtf8(&first == &host ? hostDescription : guestDescription));
    ASSERT_TRUE(runUntil([&] { return host.connected && guest.connected; }, 5000));
    QByteArray toHost, toGuest;
    for (int line = 0, lines = 5 + rng() % 40; line < lines; ++line) {
      const bool fromHost = rng() % 2;
      const QByteArray text = QByteArray(1 + rng() % 300, static_cast<char>('!' + rng() % 90)) + '\n';
      (fromHost ? host : guest).link->send(text);
      (fromHost ? toGuest : toHost) += text;
      if (rng() % 3 == 0) runUntil([] { return false; }, static_cast<int>(rng() % 5));
    }
    ASSERT_TRUE(runUntil(
        [&] { return host.received.size() >= toHost.size() && guest.received.size() >= toGuest.size(); }, 5000));
    EXPECT_EQ(host.received, toHost);
    EXPECT_EQ(guest.received, toGuest);
    // A player who flees says so and leaves at once: the word still arrives.
    Peer& leaving = rng() % 2 ? host : guest;
    Peer& staying = &leaving == &host ? guest : host;
    leaving.link->send("逃亡     1\n");
    leaving.link->close();
    ASSERT_TRUE(runUntil([&] { return staying.received.endsWith("逃亡     1\n"); }, 5000));
    // The end follows once the leaving side's last words are surely over
    // (seconds): seen for some of the links.
    if (n % 50 == 0) {
      ASSERT_TRUE(runUntil([&] { return staying.lost; }, 10000));
    }
    if (HasFailure()) return;
  }
}
