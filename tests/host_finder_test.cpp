// Finding a host on the local network: the announcement's text, two games
// on an in-memory wire, a flood of junk, and two drivers over loopback.

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include "DriverSession.h"
#include "TestGame.h"
#include "net/HostAnnouncement.h"
#include "platform/tcp/TcpNetwork.h"
#include "screens/HostFinder.h"
#include "screens/Hub.h"
#include "screens/LinkWindow.h"

using namespace mofurin;
using namespace mofurin::test;

TEST(HostAnnouncement, EveryNameAndLevelComesBackAsAnnounced) {
  QRandomGenerator random(18);
  const char16_t pool[] = u"ア猫 ｱabc123!?\\\"'<>&　ー…･";
  for (int i = 0; i < 2000; ++i) {
    QString name;
    const int length = 1 + random.bounded(static_cast<int>(kAnnouncedNameMax));
    for (int k = 0; k < length; ++k) name += QChar(pool[random.bounded(static_cast<int>(std::size(pool)) - 1)]);
    if (name.trimmed().isEmpty()) name = "x";
    const HostAnnouncement a{static_cast<quint16>(1 + random.bounded(65535)), 1 + random.bounded(1 << 30), name};
    EXPECT_EQ(readAnnouncement(buildAnnouncement(a)), a) << name.toStdString();
  }
  // Too long a name is cut; control characters travel as "?".
  const auto cut = readAnnouncement(buildAnnouncement({1001, 3, QString(40, u'ナ')}));
  ASSERT_TRUE(cut);
  EXPECT_EQ(cut->name, QString(kAnnouncedNameMax, u'ナ'));
  EXPECT_EQ(readAnnouncement(buildAnnouncement({1001, 3, "a\nb\x1b"}))->name, "a?b?");
}

TEST(HostAnnouncement, JunkAndOtherGamesAreRefused) {
  const QByteArray good = buildAnnouncement({5001, 12, "ナミ"});
  ASSERT_TRUE(readAnnouncement(good));
  const QByteArray refused[] = {
      {},
      "モフリンＧＰ 1 5001 12",        // no name
      "モフリンＧＰ 2 5001 12 ナミ",   // another version
      "OtherGame 1 5001 12 ナミ",      // another game
      "モフリンＧＰ 1 0 12 ナミ",      // no port
      "モフリンＧＰ 1 65536 12 ナミ",  // beyond the ports
      "モフリンＧＰ 1 +5001 12 ナミ",  // a sign
      "モフリンＧＰ 1 05001 12 ナミ",  // a leading zero
      "モフリンＧＰ 1 5001 0 ナミ",    // level 0
      "モフリンＧＰ 1 5001 -3 ナミ",   // a negative level
      "モフリンＧＰ 1 5001 99999999999 ナミ",
      "モフリンＧＰ 1 5001 12  ",         // a blank name
      "モフリンＧＰ 1 5001 12 \xff\xfe",  // not UTF-8
      "モフリンＧＰ 1 5001 12 a\tb",      // a control character
      good + QByteArray(kAnnouncementMaxBytes, 'x'),
      buildQuestion(),  // a finder's, read by a host
  };
  for (const QByteArray& d : refused) EXPECT_FALSE(readAnnouncement(d)) << d.toStdString();
  EXPECT_FALSE(isQuestion(good));
}

namespace {

// Two games on one in-memory wire: a host that waits and a guest that looks.
class FindAHost : public ::testing::Test {
 protected:
  FindAHost() : wire(clock), host(&clock), guest(&clock) {
    host.platform().joinWire(wire, "10.0.0.1");
    guest.platform().joinWire(wire, "10.0.0.2");
    startWithRabbit(host);
    startWithRabbit(guest);
    host.ctx.game.fighterName[Side::Player] = "ホスト";
  }
  platform::VirtualClock clock;
  platform::MemoryWire wire;
  TestGame host, guest;
};

}  // namespace

TEST_F(FindAHost, TheGuestFindsTheWaitingHostAndLinksByPickingIt) {
  host.drive("click Form4.Check2\nclick Form4.Command2\n");
  QStringList out = guest.drive(
      "click Form4.Command3\nprint Form4.enabled\nwait 1500\nprint FormHosts.List1.items\nprint "
      "FormHosts.Command2.enabled\nwait 1500\nprint FormHosts.Label1\nkey FormHosts.List1 13\nprint Form4.Text1\n"
      "print Form4.Check2.checked\nprint Form4.enabled\n");
  EXPECT_EQ(out, (QStringList{"[show FormHosts]", "Form4.enabled = false",
                              "FormHosts.List1.items = ホスト　Lv.1　10.0.0.1", "FormHosts.Command2.enabled = false",
                              "FormHosts.Label1 = ホストを選んで「これにする」を押してください。", "[close FormHosts]",
                              "Form4.Text1 = 10.0.0.1", "Form4.Check2.checked = false", "Form4.enabled = true"}));
  guest.drive("click Form4.Command2\n");
  clock.advance(100);
  EXPECT_TRUE(host.ctx.forms.isShown("Form1"));
  EXPECT_TRUE(guest.ctx.forms.isShown("Form1"));
  // Linked, the host no longer announces.
  EXPECT_FALSE(host.ctx.forms.find<Form11>()->findTimer("AnnounceTimer")->enabled());
}

// A waiting host sends little: once as it starts, seldom after (for finders
// that only listen), and a few answers a second however many questions
// come; a finder that opens long after it started lists it at once.
TEST_F(FindAHost, AWaitingHostIsQuietYetFoundAtOnce) {
  const quint16 port = host.ctx.link.port;
  auto listener = platform::MemoryNetwork(wire, "10.0.0.8").createDatagramSocket();
  ASSERT_TRUE(listener->bind(port));
  const auto announcements = [&] {
    std::size_t n = 0;
    for (const auto& d : listener->receive()) n += readAnnouncement(d.data).has_value();
    return n;
  };
  host.drive("click Form4.Check2\nclick Form4.Command2\n");
  clock.advance(20000);
  EXPECT_EQ(announcements(), 1 + 20000 / HostAnnouncer::kSeldomMs);
  auto asker = platform::MemoryNetwork(wire, "10.0.0.9").createDatagramSocket();
  for (int ms = 0; ms < 1000; ++ms) {
    asker->broadcast(buildQuestion(), port);
    clock.advance(1);
  }
  EXPECT_LE(announcements(), 1000 / HostAnnouncer::kAnswerGapMs);
  clock.advance(1500);
  EXPECT_EQ(guest.drive("click Form4.Command3\nwait 10\nprint FormHosts.List1.items\n").value(1),
            "FormHosts.List1.items = ホスト　Lv.1　10.0.0.1");
}

// A host that waits for a friend it invited over the internet is not one of
// the LAN's: it tells nobody nearby its name, its level or its port.
TEST_F(FindAHost, AnInvitingHostIsNotAnnounced) {
  auto listener = platform::MemoryNetwork(wire, "10.0.0.8").createDatagramSocket();
  ASSERT_TRUE(listener->bind(host.ctx.link.port));
  host.ctx.internet.meetingPlace = QStringLiteral("mqtt://127.0.0.1:1");
  host.drive("click Form4.Invite\n");
  clock.advance(6000);
  EXPECT_TRUE(listener->receive().empty());
}

TEST_F(FindAHost, NobodyIsFoundWhenNoHostWaitsOrTheHostHasGone) {
  QStringList out =
      guest.drive("click Form4.Command3\nwait 3000\nprint FormHosts.Label1\nprint FormHosts.Command1.enabled\n");
  EXPECT_TRUE(out.contains("FormHosts.Label1 = ホストは見つかりませんでした。 アドレスを記入してください。"));
  EXPECT_TRUE(out.contains("FormHosts.Command1.enabled = false"));
  // A host that stopped listening (its hub reset to the title) is silent.
  host.drive("click Form4.Check2\nclick Form4.Command2\nanswer Yes\nclick Form4.Command4\n");
  out = guest.drive("click FormHosts.Command2\nwait 3000\nprint FormHosts.List1.items\n");
  EXPECT_TRUE(out.contains("FormHosts.List1.items = ")) << out.join('\n').toStdString();
}

TEST_F(FindAHost, AFloodOfJunkChangesNothing) {
  host.drive("click Form4.Check2\nclick Form4.Command2\n");
  guest.drive("click Form4.Command3\nwait 1200\n");
  auto* hosts = guest.screen<FormHosts>();
  const QStringList before = hosts->List1.items();
  ASSERT_EQ(before.size(), 1);
  auto flooder = platform::MemoryNetwork(wire, "10.0.0.9").createDatagramSocket();
  QRandomGenerator random(7);
  for (int i = 0; i < 10000; ++i) {
    QByteArray junk = buildAnnouncement({guest.ctx.link.port, 5, "偽物"});
    junk[random.bounded(junk.size())] = static_cast<char>(random.bounded(256));
    if (i % 3 == 0) junk += QByteArray(300, 'x');
    if (readAnnouncement(junk)) continue;  // a flip that still reads well is no junk
    flooder->broadcast(junk, guest.ctx.link.port);
    if (i % 100 == 0) clock.advance(1);
  }
  clock.advance(100);
  EXPECT_EQ(hosts->List1.items(), before);
  EXPECT_EQ(hosts->List1.listIndex(), 0);
}

TEST(HostFinderOverLoopback, ADriverFindsAHostDriverAndLinksByPickingIt) {
  const QString port = QString::number(20000 + (QCoreApplication::applicationPid() * 7 + 11) % 20000);
  QTemporaryDir hostDir, guestDir;
  DriverSession host(hostDir.path(), {"--port", port}), guest(guestDir.path(), {"--port", port});
  for (DriverSession* d : {&host, &guest}) {
    d->send({"click Form2.o1", "key Form3 49", "click Form3.Command1", "scroll Form4.SPEED 1", "click Form4.Check1"});
  }
  host.send({"click Form4.Check2", "click Form4.Command2"});
  // A driver's time runs while it carries out a command: the host waits.
  host.post({"wait 4000"});
  const QStringList found = guest.send({"click Form4.Command3", "wait 3000", "print FormHosts.List1.items"});
  host.collect();
  const QString items = found.filter("FormHosts.List1.items = ").value(0);
  // Heard through 127.0.0.1 and through the network, it is listed once, by
  // the address another machine would dial.
  EXPECT_EQ(items, "FormHosts.List1.items = ジャンヌ　Lv.1　" + platform::TcpNetwork::ownAddress())
      << found.join('\n').toStdString();
  guest.send({"click FormHosts.Command1", "print Form4.Text1", "click Form4.Command2"});
  host.post({"until Form1 5000"});
  guest.post({"until Form1 5000"});
  EXPECT_TRUE(shown(host.collect(), "Form1"));
  EXPECT_TRUE(shown(guest.collect(), "Form1"));
}
