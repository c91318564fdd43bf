// Network bouts between two games in one process, over an in-memory wire
// that cuts every message into single bytes or joins several into one.

#include "QtPrinters.h"
#include "TestGame.h"
#include "game/Techniques.h"
#include "net/Protocol.h"
#include "screens/BattleScreen.h"
#include "screens/Hub.h"
#include "screens/LinkWindow.h"

using namespace mofurin;
using namespace mofurin::test;

namespace {

constexpr Side P = Side::Player;
constexpr Side O = Side::Opponent;

class TwoCopies : public ::testing::TestWithParam<platform::MemoryWire::Delivery> {
 protected:
  TwoCopies() : wire(clock), host(&clock), guest(&clock) {
    wire.delivery = GetParam();
    host.platform().joinWire(wire, "10.0.0.1");
    guest.platform().joinWire(wire, "10.0.0.2");
    startWithRabbit(host);
    startWithRabbit(guest);
    guest.ctx.game.fighterName[P] = "ゲスト";
    host.ctx.game.levels[O] = 17;
    guest.ctx.game.levels[O] = 23;
  }

  // Presses "ネットバトル" on both and lets the setup run until both bouts open.
  void connect() {
    host.drive("click Form4.Check2\nclick Form4.Command2\n");
    guest.drive("type Form4.Text1 10.0.0.1\nclick Form4.Command2\n");
    clock.advance(100);
    ASSERT_TRUE(host.ctx.forms.isShown("Form1"));
    ASSERT_TRUE(guest.ctx.forms.isShown("Form1"));
    clock.advance(600);  // both intros
  }

  // Each player confirms its first usable technique whenever it may choose.
  void choose(TestGame& t) {
    Form1* f = t.screen<Form1>();
    if (!f || !f->HV125.visible()) return;
    for (const QString& item : f->WAZA.items()) {
      if (item != kNoTechnique) {
        f->WAZA.pick(item);
        clock.advance(16);
        f->IIYO[0].click();
        return;
      }
    }
  }

  // Both copies of the bout agree when the host chooses and the guest waits.
  void expectEqualCopies() {
    const GameState& h = host.ctx.game;
    const GameState& g = guest.ctx.game;
    for (int p = 0; p < kPartCount; ++p) {
      EXPECT_EQ(h.partHp(p, P), g.partHp(p, O)) << p;
      EXPECT_EQ(h.partHp(p, O), g.partHp(p, P)) << p;
      EXPECT_EQ(host.ctx.battle.battleExperience(p, P), guest.ctx.battle.battleExperience(p, O)) << p;
    }
    EXPECT_EQ(host.ctx.battle.roundCount, guest.ctx.battle.roundCount);
  }

  // Plays until both bouts are over; the number of rounds compared.
  int playOut(int maxSteps = 4000) {
    int compared = 0;
    qint32 lastRound = -1;
    for (int step = 0; step < maxSteps; ++step) {
      if (!host.ctx.forms.isShown("Form1") && !guest.ctx.forms.isShown("Form1")) break;
      Form1* h = host.screen<Form1>();
      Form1* g = guest.screen<Form1>();
      if (h && g && h->HV125.visible() && guest.ctx.battle.awaitingPeer && guest.ctx.battle.battlePhase == 21 &&
          host.ctx.battle.roundCount != lastRound) {
        expectEqualCopies();
        lastRound = host.ctx.battle.roundCount;
        ++compared;
      }
      choose(host);
      choose(guest);
      clock.advance(100);
    }
    return compared;
  }

  void expectBothBackOnTheHub() {
    for (TestGame* t : {&host, &guest}) {
      EXPECT_TRUE(t->ctx.forms.isShown("Form4"));
      EXPECT_FALSE(t->ctx.forms.find("Form1"));
      EXPECT_FALSE(t->ctx.battle.networkBattle);
      EXPECT_EQ(t->ctx.game.partHp.flat, t->ctx.battle.hpAtStart.flat);
    }
    EXPECT_EQ(host.ctx.game.levels[O], 17);
    EXPECT_EQ(guest.ctx.game.levels[O], 23);
  }

  platform::VirtualClock clock;
  platform::MemoryWire wire;
  TestGame host, guest;
};

}  // namespace

TEST_P(TwoCopies, TheSetupCopiesEachFighterToTheOtherSide) {
  connect();
  EXPECT_EQ(host.ctx.game.fighterName[O], "ゲスト");
  EXPECT_EQ(guest.ctx.game.fighterName[O], "春ウサギ");
  EXPECT_EQ(host.ctx.game.techniqueNames.flat[8], guest.ctx.game.techniqueNames.flat[0]);
  EXPECT_EQ(host.ctx.link.setupToSend, kSetupDone);
  EXPECT_EQ(guest.ctx.link.setupReceived, kSetupDone);
  EXPECT_EQ(host.screen<Form1>()->Label3.backColor(), platform::rgb(0, 0, 128));
  EXPECT_FALSE(host.screen<Form1>()->Command1.visible());  // no AUTO between players
}

TEST_P(TwoCopies, AStrongHostWinsWithBothCopiesEqualAfterEveryRound) {
  host.ctx.game.partAttack(BodyPart::B, P) = 400;
  host.ctx.game.partAttack(BodyPart::A, P) = 400;
  host.ctx.game.partAttack(BodyPart::L, P) = 400;
  host.ctx.game.partAttack(BodyPart::H, P) = 400;
  connect();
  EXPECT_GT(playOut(), 0);
  expectBothBackOnTheHub();
  int attack = 0;
  for (int p = 0; p < kPartCount; ++p) attack += host.ctx.game.partAttack(p, P);
  EXPECT_GT(attack, 4 * 400);  // the winner's experience made it stronger
}

TEST_P(TwoCopies, AStrongGuestWinsToo) {
  for (int p = 0; p < kPartCount; ++p) guest.ctx.game.partAttack(p, P) = 400;
  connect();
  EXPECT_GT(playOut(), 0);
  expectBothBackOnTheHub();
}

TEST_P(TwoCopies, AFleeingHostIsSeenToFlee) {
  connect();
  host.takeOutput();
  const QStringList out = host.drive("click Form1.NIGERU(0)\n");
  EXPECT_EQ(out.first(), "[msgbox モフリンＧＰ|OK] もう勝てないので逃げた。 -> OK (default)");
  clock.advance(100);
  EXPECT_TRUE(
      guest.takeOutput().contains("[msgbox モフリンＧＰ|OK] 逃げられたらしい。戦闘を強制終了します。 -> OK (default)"));
  expectBothBackOnTheHub();
}

TEST_P(TwoCopies, AGuestClosingTheBattleWindowFlees) {
  connect();
  playOut(20);  // a few moves first
  guest.drive("close Form1\n");
  clock.advance(3000);
  choose(host);
  clock.advance(3000);
  EXPECT_TRUE(
      host.takeOutput().contains("[msgbox モフリンＧＰ|OK] 逃げられたらしい。戦闘を強制終了します。 -> OK (default)"));
  expectBothBackOnTheHub();
}

TEST_P(TwoCopies, ALostLinkTakesTheOtherPlayerBackToTheHub) {
  connect();
  playOut(20);
  wire.cut();
  for (int step = 0; step < 100 && (host.ctx.forms.find("Form1") || guest.ctx.forms.find("Form1")); ++step) {
    choose(host);
    choose(guest);
    clock.advance(100);
  }
  EXPECT_TRUE(host.takeOutput().contains(
      "[msgbox モフリンＧＰ|OK] 相手との通信が切れました。\r\nステータス画面に戻ります。 -> OK (default)"));
  const QStringList out = guest.takeOutput();
  EXPECT_TRUE(
      out.contains("[msgbox モフリンＧＰ|OK] 相手との通信が切れました。\r\nステータス画面に戻ります。 -> OK (default)"))
      << out.join('\n').toStdString();
  EXPECT_TRUE(guest.ctx.forms.isShown("Form4"));
  EXPECT_EQ(guest.ctx.game.partHp.flat, guest.ctx.battle.hpAtStart.flat);
  EXPECT_EQ(guest.ctx.game.levels[O], 23);
}

INSTANTIATE_TEST_SUITE_P(Wire, TwoCopies,
                         ::testing::Values(platform::MemoryWire::Delivery::SingleBytes,
                                           platform::MemoryWire::Delivery::Joined));

TEST_P(TwoCopies, AFleeingGuestIsSeenToFlee) {
  connect();
  // The guest chooses after the host's first strike.
  for (int step = 0; step < 200 && !guest.screen<Form1>()->HV125.visible(); ++step) {
    choose(host);
    clock.advance(100);
  }
  ASSERT_TRUE(guest.screen<Form1>()->HV125.visible());
  guest.drive("click Form1.NIGERU(0)\n");
  for (int step = 0; step < 50 && host.ctx.forms.find("Form1"); ++step) {
    choose(host);
    clock.advance(100);
  }
  EXPECT_TRUE(
      host.takeOutput().contains("[msgbox モフリンＧＰ|OK] 逃げられたらしい。戦闘を強制終了します。 -> OK (default)"));
  expectBothBackOnTheHub();
}

TEST_P(TwoCopies, AHostClosingTheBattleWindowFlees) {
  connect();
  host.drive("close Form1\n");
  clock.advance(3000);
  EXPECT_TRUE(
      guest.takeOutput().contains("[msgbox モフリンＧＰ|OK] 逃げられたらしい。戦闘を強制終了します。 -> OK (default)"));
  expectBothBackOnTheHub();
}
