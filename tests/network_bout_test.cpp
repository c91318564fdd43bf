// Network bouts between two games in one process, over an in-memory wire
// that cuts every message into single bytes or joins several into one.

#include <QDir>

#include "QtPrinters.h"
#include "TestGame.h"
#include "game/Roster.h"
#include "game/Techniques.h"
#include "net/Protocol.h"
#include "persist/Cp932.h"
#include "persist/SaveFile.h"
#include "platform/headless/MemoryNetwork.h"
#include "screens/BattleScreen.h"
#include "screens/Hub.h"
#include "screens/LinkWindow.h"
#include "screens/Replays.h"

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
      if (h && g && h->HV125.visible() && guest.ctx.battle.awaitingPeer && guest.ctx.battle.battlePhase == Phase::OpponentAnnounces &&
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

  void leaveADecidedBout(bool hostLeavesFirst);

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

// ---- Faults that once let the copies part or the game fall over ------------

TEST_P(TwoCopies, TheLinkWindowsCloseBoxEndsTheLinkAndTheButtonShowsItAgain) {
  host.drive("click Form4.Check2\nclick Form4.Command2\n");
  EXPECT_EQ(host.drive("close Form11\nscreens\n").last(), "screens = Form4 Form11(hidden)");
  guest.drive("type Form4.Text1 10.0.0.1\nclick Form4.Command2\n");
  clock.advance(100);
  EXPECT_FALSE(guest.ctx.forms.find("Form1"));  // nobody listens any more
  host.drive("click Form4.Command2\n");         // pressed again: shown, and the bout opens
  EXPECT_TRUE(host.ctx.forms.isShown("Form11"));
  guest.drive("click Form4.Command2\n");
  clock.advance(100);
  EXPECT_TRUE(host.ctx.forms.isShown("Form1"));
  EXPECT_TRUE(guest.ctx.forms.isShown("Form1"));
}

TEST_P(TwoCopies, ASaveWhileTheGuestConnectsKeepsTheTournamentOpponent) {
  const QString path = host.workingFile("during.dat");
  host.drive("click Form4.Check2\nclick Form4.Command2\n");
  guest.screen<Form4>()->Text1.setText("10.0.0.1");
  guest.screen<Form4>()->Command2.click();
  // The guest's connection comes while the host's save dialog is open.
  host.dialogs().whileNextOpen = [&] { clock.advance(50); };
  host.dialogs().queueFile(path);
  host.screen<Form4>()->SEVE.click();
  const std::optional<SavedGame> saved = readSaveFile(path);
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved->values.levels[O], 17);
  clock.advance(100);
  EXPECT_TRUE(host.ctx.forms.isShown("Form1"));  // and the bout opens after it
}

TEST_P(TwoCopies, AGuestPickingInTheOpponentsListDoesNotChangeTheHostsStrike) {
  connect();
  Form1* g = guest.screen<Form1>();
  g->Combo1.pick(g->Combo1.items().last());
  for (int step = 0; step < 200 && !g->HV125.visible(); ++step) {
    choose(host);
    clock.advance(50);
  }
  ASSERT_TRUE(g->HV125.visible());
  for (int p = 0; p < kPartCount; ++p) {
    EXPECT_EQ(host.ctx.game.partHp(p, P), guest.ctx.game.partHp(p, O)) << p;
    EXPECT_EQ(host.ctx.game.partHp(p, O), guest.ctx.game.partHp(p, P)) << p;
  }
}

// The shop closes as soon as a guest connects and cannot open again while
// the copies exchange their fighters (here held up by a box the guest
// keeps open): the guest's copy of the host is the host the bout is fought
// with.
TEST_P(TwoCopies, TheShopClosesWhenAGuestConnectsAndStaysShutDuringTheSetUp) {
  host.drive("click Form4.Check2\nclick Form4.Command2\nclick Form4.HPUP\n");
  ASSERT_TRUE(host.ctx.forms.isShown("Form5"));
  Form4& guestHub = *guest.screen<Form4>();
  guestHub.Text1.setText("10.0.0.1");
  guestHub.Command2.click();  // its connection comes while its box is open
  QStringList duringSetUp;
  guest.dialogs().whileOpen = [&] {
    clock.advance(50);
    duringSetUp << QString::number(host.ctx.networkBout.settingUp());
    host.takeOutput();
    duringSetUp << host.drive("click Form4.HPUP\nscreens\n");
  };
  guest.ctx.msgBox(QStringLiteral("（よそ見）"));
  guest.dialogs().whileOpen = nullptr;
  EXPECT_EQ(duringSetUp, (QStringList{"1", "[not usable Form4.HPUP]", "screens = Form4 Form11"}));
  clock.advance(100);
  ASSERT_TRUE(host.ctx.forms.isShown("Form1"));
  ASSERT_TRUE(guest.ctx.forms.isShown("Form1"));
  for (int p = 0; p < kPartCount; ++p) EXPECT_EQ(host.ctx.game.partHp(p, P), guest.ctx.game.partHp(p, O)) << p;
}

// The host's only technique empties its arms as its strike beats the guest:
// both copies must call it a draw.
TEST_P(TwoCopies, AStrikeThatEmptiesTheStrikersArmsIsADrawOnBothCopies) {
  GameState& h = host.ctx.game;
  for (int slot = 0; slot < kSlotCount; ++slot) h.techniqueNames(slot, P) = kNoTechnique;
  h.techniqueNames(0, P) = LookupTechnique(10, 1).text;  // an arms technique
  ASSERT_EQ(techniquePart(h.techniqueNames(0, P)), part(BodyPart::A));
  h.techniqueCosts(0, P) = h.partHp(BodyPart::A, P);
  h.partAttack(BodyPart::A, P) = 5000;
  GameState& g = guest.ctx.game;
  for (BodyPart p : {BodyPart::A, BodyPart::L, BodyPart::B}) g.partHp(p, P) = 0;
  g.partHp(BodyPart::H, P) = 10;
  connect();
  playOut(200);
  EXPECT_EQ(host.ctx.battle.battleResult, BattleResult::BothBeaten);
  EXPECT_EQ(guest.ctx.battle.battleResult, BattleResult::BothBeaten);
}

TEST_P(TwoCopies, AHostileNameAndRosterIndexNeverReachTheSave) {
  guest.ctx.game.fighterName[P] = QStringLiteral("ア\"イ");
  guest.ctx.game.characterIndex[P] = 999999999;
  host.ctx.game.fighterName[O] = QStringLiteral("大会の相手");
  host.ctx.game.characterIndex[O] = 4;
  connect();
  EXPECT_EQ(host.ctx.game.characterIndex[O], kRosterSize - 1);
  EXPECT_EQ(host.ctx.game.fighterName[O], RosterName(kRosterSize - 1));
  host.drive("close Form1\n");
  clock.advance(100);
  EXPECT_EQ(std::make_tuple(host.ctx.game.levels[O], host.ctx.game.fighterName[O], host.ctx.game.characterIndex[O]),
            std::make_tuple(17, QStringLiteral("大会の相手"), 4));
  host.drive("file " + host.workingFile("after.dat") + "\nclick Form4.SEVE\n");
  EXPECT_TRUE(readSaveFile(host.workingFile("after.dat")));
}

TEST_P(TwoCopies, ASetUpThatStallsIsGivenUpAndTheHubsBoutIsNoNetworkBout) {
  host.drive("click Form4.Check2\nclick Form4.Command2\n");
  platform::MemoryNetwork scanner(wire, "10.0.0.9");
  std::unique_ptr<platform::Socket> silent = scanner.createSocket();
  bool closed = false;
  silent->onClosed = [&] { closed = true; };
  silent->connectTo("10.0.0.1", 1001);
  clock.advance(9000);
  EXPECT_FALSE(closed);
  clock.advance(2000);
  EXPECT_TRUE(closed);
  EXPECT_EQ(host.screen<Form4>()->Command1.caption(), "現在、接続待ち...");
  host.drive("click Form4.TRAI\n");
  EXPECT_FALSE(host.ctx.battle.networkBattle);
  EXPECT_TRUE(host.screen<Form1>()->Command1.visible());  // AUTO: a bout of this machine alone
}

TEST_P(TwoCopies, TheLogAppendsAndKeepsItsLastLines) {
  connect();
  Form11* link = host.screen<Form11>();
  // The other copy talks while this one waits.
  for (int i = 0; i < Form11::kLogLines + 50; ++i) {
    host.ctx.link.inbox[0] = battleMessage(tag::Say, 0, QString::number(i));
    host.ctx.battle.awaitingPeer = true;
    host.ctx.networkBout.tick();
  }
  const QStringList lines = link->Text1.text().split(newLine, Qt::SkipEmptyParts);
  EXPECT_EQ(lines.size(), Form11::kLogLines);
  EXPECT_EQ(lines.last(), QString::number(Form11::kLogLines + 49));
}

// Whichever side leaves a decided bout first (the other holds a box open
// meanwhile), afterwards the host listens again and the guest can dial
// again: a second bout follows without the host pressing anything.
void TwoCopies::leaveADecidedBout(bool hostLeavesFirst) {
  for (int p = 0; p < kPartCount; ++p) host.ctx.game.partAttack(p, P) = 400;
  connect();
  for (int step = 0; step < 4000; ++step) {
    if (host.ctx.battle.battleResult != BattleResult::Running &&
        guest.ctx.battle.battleResult != BattleResult::Running) {
      break;
    }
    choose(host);
    choose(guest);
    clock.advance(20);
  }
  TestGame& last = hostLeavesFirst ? guest : host;
  last.dialogs().whileOpen = [&] { clock.advance(10000); };
  last.ctx.msgBox(QStringLiteral("（よそ見）"));
  last.dialogs().whileOpen = nullptr;
  clock.advance(10000);
  expectBothBackOnTheHub();
  EXPECT_EQ(host.screen<Form4>()->Command1.caption(), "現在、接続待ち...");
  EXPECT_EQ(guest.screen<Form4>()->Command1.caption(), "接続が切れました");
  EXPECT_FALSE(guest.ctx.forms.find<Form11>()->Text1.text().isEmpty());
  guest.drive("click Form4.Command2\n");
  EXPECT_TRUE(guest.ctx.forms.find<Form11>()->Text1.text().isEmpty());  // a new link's log starts empty
  clock.advance(100);
  EXPECT_TRUE(host.ctx.forms.isShown("Form1"));
  EXPECT_TRUE(guest.ctx.forms.isShown("Form1"));
}

TEST_P(TwoCopies, AfterADecidedBoutTheHostLeftFirstItListensAgain) { leaveADecidedBout(true); }
TEST_P(TwoCopies, AfterADecidedBoutTheGuestLeftFirstTheHostListensAgain) { leaveADecidedBout(false); }

namespace {

// The battle screen's message and hit points after every step of its engine.
void watchSteps(Form1& f, QStringList& seen) {
  auto tick = f.Timer3.onTimer;
  f.Timer3.onTimer = [&f, &seen, tick] {
    tick();
    seen << f.MSG.caption() + u'|' + f.HITP[0].caption() + u'|' + f.HITP[1].caption();
  };
}

QString newestReplay(const TestGame& t) {
  const QDir folder(replayFolder(t.ctx));
  const QStringList names = folder.entryList({QStringLiteral("*.replay")}, QDir::Files, QDir::Time);
  return names.isEmpty() ? QString() : folder.filePath(names.first());
}

}  // namespace

TEST_P(TwoCopies, EitherSidesRecordReplaysTheBoutStepForStep) {
  for (int p = 0; p < kPartCount; ++p) guest.ctx.game.partAttack(p, P) = 300;
  QStringList live[2], replayed[2];
  host.drive("click Form4.Check2\nclick Form4.Command2\n");
  guest.drive("type Form4.Text1 10.0.0.1\nclick Form4.Command2\n");
  // Watched from the first step of either engine.
  ASSERT_TRUE(clock.advanceUntil([&] { return host.screen<Form1>() && guest.screen<Form1>(); }, 1000));
  watchSteps(*host.screen<Form1>(), live[0]);
  watchSteps(*guest.screen<Form1>(), live[1]);
  playOut();
  expectBothBackOnTheHub();
  for (int side = 0; side < 2; ++side) {
    TestGame& t = side == 0 ? host : guest;
    const QString file = newestReplay(t);
    ASSERT_FALSE(file.isEmpty());
    t.drive("replay " + file + "\n");
    ASSERT_TRUE(t.screen<Form1>());
    watchSteps(*t.screen<Form1>(), replayed[side]);
    const QStringList out = t.drive("until Form4 3600000\n");
    EXPECT_FALSE(out.join('\n').contains("記録どおりに再生できませんでした")) << out.join('\n').toStdString();
    for (int i = 0; i < std::min(replayed[side].size(), live[side].size()); ++i) {
      ASSERT_EQ(replayed[side][i], live[side][i]) << "side " << side << ", step " << i;
    }
    EXPECT_EQ(replayed[side].size(), live[side].size()) << "side " << side;
    EXPECT_GT(live[side].size(), 20);
  }
}

// "やめる" in the middle of a bout ends the game as a flight: the other side
// is told, and the bout's record is kept, ending in this side's flight.
TEST_P(TwoCopies, AGuestWhoQuitsMidBoutFleesAndKeepsTheRecord) {
  connect();
  playOut(20);
  EXPECT_EQ(guest.drive("click Form11.Command1\n").last(), "[end]");
  clock.advance(3000);
  choose(host);
  clock.advance(3000);
  EXPECT_TRUE(
      host.takeOutput().contains("[msgbox モフリンＧＰ|OK] 逃げられたらしい。戦闘を強制終了します。 -> OK (default)"));
  QFile record(newestReplay(guest));
  ASSERT_TRUE(record.open(QIODevice::ReadOnly));
  const QByteArray bytes = record.readAll();
  EXPECT_TRUE(bytes.contains("\nend fled\n")) << bytes.right(200).toStdString();
}

// The link window says how long this side has waited for the other once it
// passes ten seconds, and says the link's status again when the wait ends.
TEST_P(TwoCopies, TheLinkWindowCountsALongWaitForTheOtherSide) {
  connect();
  choose(host);
  QString duringWait;
  guest.dialogs().whileOpen = [&] {
    clock.advance(15000);
    duringWait = host.screen<Form11>()->Label1.caption();
  };
  guest.ctx.msgBox(QStringLiteral("（よそ見）"));
  guest.dialogs().whileOpen = nullptr;
  EXPECT_TRUE(duringWait.startsWith(QStringLiteral("相手を待っています（1"))) << duringWait.toStdString();
  clock.advance(3000);
  EXPECT_EQ(host.screen<Form11>()->Label1.caption(), QStringLiteral("現在、接続されています。"));
}

// The other player's flight is shown as soon as it arrives, also while this
// player chooses; both records end with it, and each replays as it went.
TEST_P(TwoCopies, AFlightArrivingWhileThePlayerChoosesIsShownAtOnce) {
  connect();
  ASSERT_TRUE(host.screen<Form1>()->HV125.visible());
  host.takeOutput();
  guest.drive("close Form1\n");
  clock.advance(100);
  EXPECT_TRUE(
      host.takeOutput().contains("[msgbox モフリンＧＰ|OK] 逃げられたらしい。戦闘を強制終了します。 -> OK (default)"));
  expectBothBackOnTheHub();
  for (TestGame* t : {&host, &guest}) {
    QFile record(newestReplay(*t));
    ASSERT_TRUE(record.open(QIODevice::ReadOnly));
    EXPECT_TRUE(record.readAll().contains("\nend fled\n"));
    t->takeOutput();
    const QStringList out = t->drive("replay " + newestReplay(*t) + "\nuntil Form4 3600000\n");
    EXPECT_FALSE(out.join('\n').contains(QStringLiteral("記録どおりに再生できませんでした"))) << out.join('\n').toStdString();
  }
}

// From the press of "ネットバトル" the ホスト box cannot change the role under
// the link: a host that unticked it could make two guests, a guest that
// ticked it two hosts. Given up, the link lets the player choose again.
TEST_P(TwoCopies, TheHostBoxWaitsWhileTheLinkStands) {
  const QString refused = QStringLiteral("[not usable Form4.Check2]");
  EXPECT_TRUE(host.drive("click Form4.Check2\nclick Form4.Command2\nclick Form4.Check2\n").contains(refused));
  const Form4* hub = host.screen<Form4>();
  ASSERT_TRUE(hub);
  EXPECT_TRUE(hub->Check2.checked());
  EXPECT_TRUE(hub->Label3.caption().contains(QStringLiteral("接続中はホストを変えられません")));
  guest.drive("type Form4.Text1 10.0.0.1\nclick Form4.Command2\n");
  clock.advance(700);
  ASSERT_TRUE(host.ctx.forms.isShown("Form1") && guest.ctx.forms.isShown("Form1"));
  EXPECT_GT(playOut(), 0);
  expectBothBackOnTheHub();
  ASSERT_TRUE(host.screen<Form4>() && guest.screen<Form4>());
  EXPECT_FALSE(host.screen<Form4>()->Check2.enabled());  // the host listens again
  EXPECT_TRUE(guest.screen<Form4>()->Check2.enabled());  // the guest's link ended with the bout
  EXPECT_FALSE(guest.screen<Form4>()->Check2.checked());
  host.drive("close Form11\n");
  EXPECT_TRUE(host.screen<Form4>()->Check2.enabled());
  EXPECT_FALSE(host.screen<Form4>()->Label3.caption().contains(QStringLiteral("接続中はホスト")));
}

// A peer of another version, or a hostile one, sends what this copy does
// not wait for at every wait: a message of no known kind, a choice or a
// strike of another round, an answer that comes unasked. Each is logged and
// passed over; the bout plays on the real answers and both copies agree.
TEST_P(TwoCopies, MessagesThatAnswerNothingArePassedOver) {
  connect();
  const auto strays = [](qint32 round) {
    return QStringList{QStringLiteral("謎謎     0"),           choiceMessage(round - 2, 1),
                       strikeMessage(round + 2, 9999, 9, 0), battleMessage(tag::Ack, round + 3),
                       QStringLiteral("   23   "),           QStringLiteral("   10   ")};
  };
  int sentAt = 0;
  for (int step = 0; step < 4000 && (host.ctx.forms.isShown("Form1") || guest.ctx.forms.isShown("Form1")); ++step) {
    for (TestGame* t : {&host, &guest}) {
      const BattleState& b = t->ctx.battle;
      const bool waitsForPeersMove = b.battlePhase == Phase::OpponentAnnounces || b.battlePhase == Phase::OpponentHitLands;
      if (!b.awaitingPeer || !waitsForPeersMove || step % 3) continue;
      for (const QString& stray : strays(b.roundCount)) wire.sendTo(t == &host ? "10.0.0.1" : "10.0.0.2", frame(stray));
      ++sentAt;
    }
    choose(host);
    choose(guest);
    clock.advance(100);
    Form1* h = host.screen<Form1>();
    if (h && h->HV125.visible() && guest.ctx.battle.awaitingPeer && guest.ctx.battle.battlePhase == Phase::OpponentAnnounces) {
      expectEqualCopies();
    }
  }
  EXPECT_GT(sentAt, 2);
  expectBothBackOnTheHub();
  EXPECT_TRUE(host.screen<Form11>()->Text1.text().contains(QStringLiteral("無視しました")));
}

// The link closes just after one message went out. A copy goes on with
// what reached it before the close and judges the link lost only when it
// needs the other side again: the host whose choice was answered strikes
// first; the host whose choice's answer was lost judges at once; the guest
// that fled while the host chose is seen to flee, not to vanish.
TEST_P(TwoCopies, ABoutOverAClosingLinkEndsOnWhatCameBeforeTheClose) {
  struct Case {
    const char* name;
    QString lastFrom;  // the sender of the last message through
    QString tag;       // the last message through
    bool hostStruck;   // the host's strike was drawn before the end
    const char* hostSaw;
  };
  const Case cases[] = {
      {"nothing queued", "10.0.0.1", tag::Choice, false, "相手との通信が切れました。"},
      {"an answer queued", "10.0.0.2", tag::Ack, true, "相手との通信が切れました。"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    platform::VirtualClock clock;
    platform::MemoryWire wire(clock);
    wire.delivery = GetParam();
    TestGame h(&clock), g(&clock);
    h.platform().joinWire(wire, "10.0.0.1");
    g.platform().joinWire(wire, "10.0.0.2");
    startWithRabbit(h);
    startWithRabbit(g);
    h.drive("click Form4.Check2\nclick Form4.Command2\n");
    g.drive("type Form4.Text1 10.0.0.1\nclick Form4.Command2\n");
    clock.advance(700);
    ASSERT_TRUE(h.screen<Form1>() && h.screen<Form1>()->HV125.visible());
    bool cut = false;
    wire.sent = [&](const QString& from, const QByteArray& bytes) {
      if (!cut && from == c.lastFrom && bytes.startsWith(encodeCp932(c.tag))) {
        cut = true;
        clock.post([&] { wire.cut(); });  // once this message is on its way
      }
    };
    h.takeOutput();
    h.screen<Form1>()->WAZA.setListIndex(0);
    h.screen<Form1>()->IIYO[0].click();
    clock.advance(5000);
    wire.sent = nullptr;
    EXPECT_TRUE(h.takeOutput().join('\n').contains(QString::fromUtf8(c.hostSaw)));
    QFile record(newestReplay(h));
    ASSERT_TRUE(record.open(QIODevice::ReadOnly));
    const QByteArray text = record.readAll();
    const qsizetype choice = text.indexOf("choice 0 player");
    ASSERT_GE(choice, 0);
    EXPECT_EQ(text.indexOf("draw roll", choice) >= 0, c.hostStruck) << text.toStdString();
    EXPECT_TRUE(text.contains("\nlink-lost\n"));
    EXPECT_FALSE(h.ctx.forms.find("Form1"));
    EXPECT_FALSE(g.ctx.forms.find("Form1"));
  }
}
