// Network bouts over real TCP on the loopback: two driver processes, and a
// message answered between two sockets of this process.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QProcess>
#include <QTcpSocket>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/resource.h>
#include <sys/socket.h>

#include "DriverSession.h"
#include "QtGame.h"
#include "QtPrinters.h"
#include "game/Techniques.h"
#include "net/Protocol.h"
#include "platform/Transport.h"
#include "platform/tcp/TcpNetwork.h"
#include "screens/Hub.h"
#include "screens/LinkWindow.h"

using namespace mofurin;
using namespace mofurin::test;

namespace {

// A port of this test run's own, above the ones that need privileges.
quint16 testPort(int offset) {
  return static_cast<quint16>(20000 + (QCoreApplication::applicationPid() * 7 + offset) % 20000);
}

// A new game at message speed 1 without hit animations, ready on the hub.
QStringList newFighter(DriverSession& d, int starterKey) {
  return d.send({"click Form2.o1", QStringLiteral("key Form3 %1").arg(starterKey), "click Form3.Command1",
                 "scroll Form4.SPEED 1", "click Form4.Check1"});
}

// Sends the same commands to both drivers, which carry them out side by side.
std::pair<QStringList, QStringList> both(DriverSession& a, DriverSession& b, const QStringList& commands) {
  a.post(commands);
  b.post(commands);
  return {a.collect(), b.collect()};
}

struct Pair {
  explicit Pair(quint16 port)
      : host(hostDir.path(), {"--port", QString::number(port)}),
        guest(guestDir.path(), {"--port", QString::number(port)}) {}
  QTemporaryDir hostDir, guestDir;
  DriverSession host, guest;
  QStringList hostLog, guestLog;

  void connect() {
    newFighter(host, 49);
    newFighter(guest, 50);
    hostLog << host.send({"click Form4.Check2", "click Form4.Command2", "print Form4.Command1"});
    guestLog << guest.send({"type Form4.Text1 127.0.0.1", "click Form4.Command2", "print Form4.Command1"});
    const auto [h, g] = both(host, guest, {"until Form1 5000"});
    hostLog << h;
    guestLog << g;
  }
  // Lets both play for a while; true when both are back on the hub.
  bool play(int rounds) {
    for (int i = 0; i < rounds; ++i) {
      const auto [h, g] = both(host, guest, {"wait 100"});
      hostLog << h;
      guestLog << g;
      if (shown(h, "Form1")) chooseIfAsked(host);
      if (shown(g, "Form1")) chooseIfAsked(guest);
      if (shown(h, "Form4") && shown(g, "Form4") && hostLog.contains("[close Form1]") &&
          guestLog.contains("[close Form1]")) {
        return true;
      }
    }
    return false;
  }
};

}  // namespace

TEST(TcpLink, TwoDriversFightAWholeBoutOverLoopback) {
  Pair pair(testPort(0));
  pair.connect();
  ASSERT_TRUE(pair.play(600)) << pair.hostLog.join('\n').toStdString() << "\n---\n"
                              << pair.guestLog.join('\n').toStdString();
  for (const QStringList* log : {&pair.hostLog, &pair.guestLog}) {
    EXPECT_TRUE(log->contains("[show Form1]"));
    EXPECT_FALSE(log->join('\n').contains("error:")) << log->join('\n').toStdString();
    EXPECT_FALSE(log->join('\n').contains("通信が切れました"));
  }
}

TEST(TcpLink, ThreeBoutsInARowOnOneLink) {
  Pair pair(testPort(3));
  pair.connect();
  for (int bout = 1; bout <= 3; ++bout) {
    ASSERT_TRUE(pair.play(600)) << "bout " << bout << "\n"
                                << pair.hostLog.join('\n').toStdString() << "\n---\n"
                                << pair.guestLog.join('\n').toStdString();
    if (bout == 3) break;
    pair.hostLog.clear();
    pair.guestLog.clear();
    // Both press "ネットバトル" again; the host is still ticked.
    pair.hostLog << pair.host.send({"click Form4.Command2"});
    pair.guestLog << pair.guest.send({"click Form4.Command2"});
    const auto [h, g] = both(pair.host, pair.guest, {"until Form1 5000"});
    pair.hostLog << h;
    pair.guestLog << g;
  }
  for (const QStringList* log : {&pair.hostLog, &pair.guestLog}) {
    EXPECT_FALSE(log->join('\n').contains("通信が切れました")) << log->join('\n').toStdString();
  }
}

TEST(TcpLink, APeerKilledMidBoutSendsThePlayerBackToTheHub) {
  Pair pair(testPort(1));
  pair.connect();
  pair.play(3);  // the bout is under way
  ASSERT_TRUE(pair.hostLog.contains("[show Form1]"));
  pair.guest.kill();
  const QStringList out = pair.host.send({"until Form4 5000"});
  EXPECT_TRUE(out.contains(
      "[msgbox モフリンＧＰ|OK] 相手との通信が切れました。\\r\\nステータス画面に戻ります。 -> OK (default)"))
      << out.join('\n').toStdString();
  EXPECT_TRUE(shown(out, "Form4"));
}

// A driver whose player closes the battle window sends its flight as the
// connection closes: the other side is told it fled, not that the link was lost.
TEST(TcpLink, AFlightSentAsTheConnectionClosesReachesTheOtherSide) {
  Pair pair(testPort(5));
  pair.connect();
  pair.play(3);
  ASSERT_TRUE(pair.guestLog.contains("[show Form1]"));
  pair.guest.send({"close Form1"});
  const QStringList out = pair.host.send({"until Form4 5000"});
  EXPECT_TRUE(out.contains("[msgbox モフリンＧＰ|OK] 逃げられたらしい。戦闘を強制終了します。 -> OK (default)"))
      << out.join('\n').toStdString();
}

TEST(TcpLink, AMessageIsAnsweredOverLoopbackInAFewMilliseconds) {
  application();  // the event loop the sockets run on
  platform::TcpNetwork network;
  std::unique_ptr<platform::Socket> host = network.createSocket();
  std::unique_ptr<platform::Socket> guest = network.createSocket();
  const quint16 port = testPort(2);
  ASSERT_TRUE(host->listen(port));
  host->onConnectionRequest = [&] { host->accept(); };
  FrameReader hostFrames, guestFrames;
  host->onDataArrival = [&] {
    hostFrames.append(host->receive());
    while (hostFrames.next()) host->send(frame(battleMessage(tag::Ack, 1)));
  };
  int answers = 0;
  guest->onDataArrival = [&] {
    guestFrames.append(guest->receive());
    while (guestFrames.next()) ++answers;
  };
  guest->connectTo("127.0.0.1", port);
  QElapsedTimer wait;
  wait.start();
  while (guest->state() != platform::Socket::State::Connected && wait.elapsed() < 5000) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  ASSERT_EQ(guest->state(), platform::Socket::State::Connected);
  constexpr int kRounds = 200;
  QElapsedTimer trip;
  trip.start();
  for (int i = 0; i < kRounds; ++i) {
    const int before = answers;
    guest->send(frame(choiceMessage(1, i % 8)));
    while (answers == before && trip.elapsed() < 10000) QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
  }
  const double microseconds = trip.nsecsElapsed() / 1000.0 / kRounds;
  std::printf("round trip over loopback: %.0f us\n", microseconds);
  EXPECT_EQ(answers, kRounds);
}

// A peer floods the host with lines while a box holds the link's events.
// What waits for the box is bounded: the host's peak memory grows by little
// however much the peer would send. Run in a process of its own (the test
// below starts it), whose peak is its own.
TEST(TcpLink, FloodWhileABoxIsOpenInItsOwnProcess) {
  if (!qEnvironmentVariableIsSet("MOFURIN_FLOOD_CHILD")) GTEST_SKIP() << "started by the test below";
  constexpr qint64 kMostSent = 400 * 1024 * 1024;
  constexpr int kFloodMs = 20000;
  QtGame host;
  host.ctx.link.port = testPort(7);
  host.ctx.forms.show<Form4>();
  host.ctx.forms.find<Form11>()->startLink(QString(), true);
  QTcpSocket peer;
  peer.connectToHost(QStringLiteral("127.0.0.1"), host.ctx.link.port);
  ASSERT_TRUE(peer.waitForConnected(5000));
  host.settle();
  const QByteArray lines = (frame(battleMessage(tag::Ack, 0)) + QByteArray("\x81\x81 not ours\n")).repeated(4096);
  qint64 sent = 0;
  rusage before{}, after{};
  getrusage(RUSAGE_SELF, &before);
  host.dialogs.whileOpen = [&] {
    QElapsedTimer flood;
    flood.start();
    while (flood.elapsed() < kFloodMs && sent < kMostSent) {
      if (peer.bytesToWrite() < lines.size()) sent += peer.write(lines);
      QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
  };
  host.ctx.msgBox(QStringLiteral("（よそ見）"));
  getrusage(RUSAGE_SELF, &after);
  host.settle();
  std::printf("flood: %lld KB sent, peak grew by %ld KB\n", sent / 1024, after.ru_maxrss - before.ru_maxrss);
}

TEST(TcpLink, APeerThatFloodsWhileABoxIsOpenCostsLittleMemory) {
#ifdef __SANITIZE_ADDRESS__
  GTEST_SKIP() << "the address sanitizer's allocator keeps freed memory aside, so the peak measures it";
#endif
  application();
  QProcess child;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("MOFURIN_FLOOD_CHILD", "1");
  env.insert("QT_QPA_PLATFORM", "offscreen");
  child.setProcessEnvironment(env);
  child.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=TcpLink.FloodWhileABoxIsOpenInItsOwnProcess"});
  ASSERT_TRUE(child.waitForFinished(120000));
  const QString out = QString::fromUtf8(child.readAllStandardOutput());
  const QRegularExpressionMatch m = QRegularExpression("peak grew by (-?\\d+) KB").match(out);
  ASSERT_TRUE(m.hasMatch()) << out.toStdString();
  EXPECT_LT(m.captured(1).toLong(), 10 * 1024) << out.toStdString();
}

// Both ends of a bout's connection ask a quiet peer whether it is still
// there and give up on unanswered bytes, so a machine that vanishes is
// judged lost within a minute: 20 s quiet, then an ask every 5 s, six of
// them; 50 s for sent bytes.
TEST(TcpLink, EveryBoutConnectionKeepsItsPeerAlive) {
  application();
  platform::TcpNetwork network;
  const quint16 port = testPort(8);
  const std::unique_ptr<platform::Transport> host = platform::tcpTransport(network, port);
  const std::unique_ptr<platform::Transport> guest = platform::tcpTransport(network, port);
  int connected = 0;
  host->onConnected = guest->onConnected = [&] { ++connected; };
  ASSERT_TRUE(host->listen());
  guest->connect(QStringLiteral("127.0.0.1"));
  QElapsedTimer wait;
  wait.start();
  while (connected < 2 && wait.elapsed() < 5000) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  ASSERT_EQ(connected, 2);
  // The host listens on both IPv4 and IPv6: its end may be an IPv6 socket.
  const auto portOf = [](const sockaddr_storage& a) {
    if (a.ss_family == AF_INET) return ntohs(reinterpret_cast<const sockaddr_in&>(a).sin_port);
    if (a.ss_family == AF_INET6) return ntohs(reinterpret_cast<const sockaddr_in6&>(a).sin6_port);
    return in_port_t{0};
  };
  int ends = 0;
  for (int fd = 0; fd < 1024; ++fd) {
    sockaddr_storage self{}, peer{};
    socklen_t size = sizeof self;
    if (getsockname(fd, reinterpret_cast<sockaddr*>(&self), &size) != 0) continue;
    size = sizeof peer;
    if (getpeername(fd, reinterpret_cast<sockaddr*>(&peer), &size) != 0) continue;  // not connected
    if (portOf(self) != port && portOf(peer) != port) continue;
    ++ends;
    const auto option = [fd](int level, int option) {
      unsigned value = 0;
      socklen_t length = sizeof value;
      getsockopt(fd, level, option, &value, &length);
      return value;
    };
    EXPECT_EQ(option(SOL_SOCKET, SO_KEEPALIVE), 1u);
    EXPECT_EQ(option(IPPROTO_TCP, TCP_KEEPIDLE), 20u);
    EXPECT_EQ(option(IPPROTO_TCP, TCP_KEEPINTVL), 5u);
    EXPECT_EQ(option(IPPROTO_TCP, TCP_KEEPCNT), 6u);
    EXPECT_EQ(option(IPPROTO_TCP, TCP_USER_TIMEOUT), 50000u);
  }
  EXPECT_EQ(ends, 2);
}
