// The platform's seams: games sharing one clock, the rule for modal boxes,
// the recording sound device and the in-memory network.

#include <gtest/gtest.h>

#include "Folders.h"
#include "QtPrinters.h"
#include "TestGame.h"
#include "platform/Form.h"
#include "platform/FormManager.h"
#include "platform/Timer.h"
#include "platform/headless/HeadlessPlatform.h"
#include "platform/headless/MemoryNetwork.h"

using namespace mofurin;
using namespace mofurin::platform;
using mofurin::test::unusableFolder;

namespace {

class Ticker : public Form {
 public:
  Ticker(Platform& p, QString name, std::function<void(Ticker&)> onLoad = {})
      : Form(p, std::move(name)), onLoad_(std::move(onLoad)) {
    timer.onTimer = [this] {
      ++ticks;
      if (onTick) onTick();
    };
  }
  ~Ticker() override {
    if (destroyed) *destroyed = true;
  }
  void Form_Load() override {
    if (onLoad_) onLoad_(*this);
  }

  Timer timer{*this, "timer", 100, false};
  int ticks = 0;
  std::function<void()> onTick;
  bool* destroyed = nullptr;

 private:
  std::function<void(Ticker&)> onLoad_;
};

struct OneGame {
  OneGame(VirtualClock& clock, const QString& name) : platform(clock, unusableFolder(), unusableFolder()), forms(platform) {
    platform.setTracer([this](const QString& line) { trace << line; });
    forms.define(name, [this, name] { return std::make_unique<Ticker>(platform, name); });
  }
  Ticker& show(const QString& name) { return static_cast<Ticker&>(forms.show(name)); }

  HeadlessPlatform platform;
  FormManager forms;
  QStringList trace;
};

}  // namespace

TEST(Seams, TwoGamesOnOneClockEachWithItsOwnDialogsAndEnd) {
  VirtualClock clock;
  OneGame a(clock, "A"), b(clock, "B");
  Ticker& ta = a.show("A");
  Ticker& tb = b.show("B");
  ta.timer.start();
  tb.timer.start();
  clock.advance(300);
  EXPECT_EQ(ta.ticks, 3);
  EXPECT_EQ(tb.ticks, 3);

  b.platform.scriptedDialogs().queueAnswer(Answer::No);
  EXPECT_EQ(a.platform.message({"a?", Buttons::YesNo}), Answer::Yes);  // B's answer is not A's
  EXPECT_EQ(b.platform.message({"b?", Buttons::YesNo}), Answer::No);

  a.forms.endAll();
  a.platform.quit();
  clock.advance(300);
  EXPECT_EQ(ta.ticks, 3);
  EXPECT_EQ(tb.ticks, 6);  // the other game plays on
  EXPECT_TRUE(a.platform.quitCalled());
  EXPECT_FALSE(b.platform.quitCalled());
}

TEST(Seams, WhileABoxIsOpenNoTimerOfThatGameTicksAndNoneReentersItsTick) {
  VirtualClock clock;
  OneGame a(clock, "A"), b(clock, "B");
  Ticker& ta = a.show("A");
  Ticker& tb = b.show("B");
  int reentries = 0;
  bool inTick = false;
  ta.onTick = [&] {
    reentries += inTick;
    inTick = true;
    if (ta.ticks == 1) a.platform.message({"from a tick"});
    inTick = false;
  };
  // The box stays open for a second, as if the player were reading it.
  a.platform.scriptedDialogs().whileOpen = [&] { clock.advance(1000); };
  ta.timer.start();
  tb.timer.start();
  clock.advance(100);
  EXPECT_EQ(ta.ticks, 1);
  EXPECT_EQ(tb.ticks, 11);  // another game's timers are not held by A's box
  EXPECT_EQ(reentries, 0);
  clock.advance(100);
  EXPECT_EQ(ta.ticks, 2);
}

TEST(Seams, AClosedScreenLivesUntilTheBoxOfTheNextScreensLoadIsAnswered) {
  VirtualClock clock;
  HeadlessPlatform platform(clock, unusableFolder(), unusableFolder());
  FormManager forms(platform);
  bool firstGone = false, goneDuringBox = true;
  forms.define("First", [&] {
    auto f = std::make_unique<Ticker>(platform, "First");
    f->destroyed = &firstGone;
    return f;
  });
  forms.define("Second", [&] {
    return std::make_unique<Ticker>(platform, "Second", [&](Ticker&) { platform.message({"loading"}); });
  });
  platform.scriptedDialogs().whileOpen = [&] {
    clock.advance(500);
    clock.runPosted();
    goneDuringBox = firstGone;
  };
  Ticker& first = static_cast<Ticker&>(forms.show("First"));
  first.timer.start();
  first.onTick = [&] {
    forms.close(first);
    forms.show("Second");
    EXPECT_FALSE(firstGone);  // still running this very handler
  };
  clock.advance(100);
  EXPECT_FALSE(goneDuringBox);
  clock.runPosted();
  EXPECT_TRUE(firstGone);
}

TEST(Seams, TheRecorderPlaysMusicInVirtualTimeAndTheDriverSeesEverySound) {
  test::TestGame t;
  RecordingMedia& media = t.platform().recordingMedia();
  media.musicLength = [](const QString& file) { return file.endsWith("music1.mid") ? 1000 : -1; };
  Platform& p = t.platform();
  EXPECT_EQ(p.musicMode(), "");  // nothing is open
  p.mediaCommand("open \"/game/music1.mid\" alias bgm");
  p.mediaCommand("open \"/game/music2.mid\" alias bgm");  // the alias is taken: ignored
  p.mediaCommand("play bgm");
  t.platform().virtualClock().advance(999);
  EXPECT_EQ(p.musicMode(), "playing");
  t.platform().virtualClock().advance(1);
  EXPECT_TRUE(p.musicMode().startsWith("stopped"));
  p.mediaCommand("close bgm");
  p.mediaCommand("play bgm");  // nothing is open
  EXPECT_EQ(p.musicMode(), "");
  p.playEffect(1, QByteArray("RIFF"));
  p.beep();
  EXPECT_EQ(media.commands().size(), 5);
  EXPECT_EQ(media.effects().size(), 1u);
  EXPECT_EQ(media.beeps(), 1);
  EXPECT_EQ(t.takeOutput(),
            (QStringList{"[media] open \"/game/music1.mid\" alias bgm", "[media] open \"/game/music2.mid\" alias bgm",
                         "[media] play bgm", "[media] close bgm", "[media] play bgm", "[sound] 1", "[beep]"}));
}

namespace {

// A host and a guest on one wire, with everything that happens to them.
struct Link {
  explicit Link(MemoryWire::Delivery delivery) : wire(clock) {
    wire.delivery = delivery;
    host = MemoryNetwork(wire, "10.0.0.1").createSocket();
    guest = MemoryNetwork(wire, "10.0.0.2").createSocket();
    host->onConnectionRequest = [this] { host->accept(); };
    host->onDataArrival = [this] { arrivals << host->receive(); };
    guest->onConnected = [this] { events << "connected"; };
    guest->onClosed = [this] { events << "closed"; };
    guest->onError = [this](const QString& e) { events << e; };
  }
  void connect() {
    ASSERT_TRUE(host->listen(1001));
    guest->connectTo("10.0.0.1", 1001);
    clock.runPosted();
    ASSERT_EQ(guest->state(), Socket::State::Connected);
    ASSERT_EQ(host->state(), Socket::State::Connected);
  }

  VirtualClock clock;
  MemoryWire wire;
  std::unique_ptr<Socket> host, guest;
  QList<QByteArray> arrivals;
  QStringList events;
};

}  // namespace

TEST(Seams, TheWireCanCutAMessageIntoSingleBytes) {
  Link link(MemoryWire::Delivery::SingleBytes);
  link.connect();
  link.guest->send("選択\n");
  link.clock.runPosted();
  EXPECT_EQ(link.arrivals.size(), QByteArray("選択\n").size());
  EXPECT_EQ(link.arrivals.join(), QByteArray("選択\n"));
}

TEST(Seams, TheWireCanJoinTwoMessagesIntoOneArrival) {
  Link link(MemoryWire::Delivery::Joined);
  link.connect();
  link.guest->send("one\n");
  link.guest->send("two\n");
  link.clock.runPosted();
  EXPECT_EQ(link.arrivals, (QList<QByteArray>{"one\ntwo\n"}));
}

TEST(Seams, ClosingTellsThePeerAndNobodyListeningIsAnError) {
  Link link(MemoryWire::Delivery::AsSent);
  link.connect();
  EXPECT_EQ(link.host->localAddress(), "10.0.0.1");
  link.host->close();
  link.clock.runPosted();
  EXPECT_EQ(link.guest->state(), Socket::State::Closed);
  link.guest->connectTo("10.0.0.1", 1001);  // the host listens no more
  link.clock.runPosted();
  EXPECT_EQ(link.events, (QStringList{"connected", "closed", "connection refused"}));
  EXPECT_EQ(link.guest->state(), Socket::State::Closed);
  EXPECT_TRUE(link.arrivals.isEmpty());
}
