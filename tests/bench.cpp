// Benchmarks of the work the game repeats: technique lookups, opponents,
// number reading, and virtual time passing over a screen with a 1 ms timer.

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "Folders.h"
#include "battle/BoutRecord.h"
#include "battle/OpponentBuilders.h"
#include "game/Numbers.h"
#include "game/Random.h"
#include "game/Roster.h"
#include "game/Techniques.h"
#include "net/HostAnnouncement.h"
#include "platform/headless/HeadlessPlatform.h"
#include "screens/BattleScreen.h"
#include "screens/Game.h"
#include "screens/HostFinder.h"
#include "screens/Hub.h"

using namespace mofurin;

static void BM_LookupTechnique(benchmark::State& state) {
  int n = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(LookupTechnique(n % 46, 37));
    ++n;
  }
}
BENCHMARK(BM_LookupTechnique);

static void BM_LeadingNumber(benchmark::State& state) {
  const QString text = QStringLiteral("  -1.9e1xyz");
  for (auto _ : state) benchmark::DoNotOptimize(leadingNumber(text));
}
BENCHMARK(BM_LeadingNumber);

static void BM_TournamentOpponent(benchmark::State& state) {
  GameState g;
  g.levels[Side::Player] = 1;
  g.levels[Side::Opponent] = static_cast<qint32>(state.range(0));
  ApplyStartingData(g, 3);
  Random random([] { return 11u; });
  for (auto _ : state) buildTournamentOpponent(g, random);
}
BENCHMARK(BM_TournamentOpponent)->Arg(1)->Arg(1000);

// One virtual second on the status hub, whose cost line ticks every 1 ms.
static void BM_HubSecondOfVirtualTime(benchmark::State& state) {
  platform::VirtualClock clock;
  platform::HeadlessPlatform platform(clock, test::unusableFolder(), test::unusableFolder());
  Game ctx(platform);
  ctx.game.levels[Side::Player] = 1;
  ApplyStartingData(ctx.game, 6);
  ctx.forms.show<Form4>();
  for (auto _ : state) platform.virtualClock().advance(1000);
}
BENCHMARK(BM_HubSecondOfVirtualTime)->Unit(benchmark::kMicrosecond);

// A new game with the spring rabbit on the hub, at the fastest message speed.
struct BenchGame {
  // Records are kept, as in the game, into a folder of the benchmark's own.
  explicit BenchGame(const QString& working = {})
      : platform(clock, test::unusableFolder(), working.isEmpty() ? folder.path() : working), ctx(platform) {
    ctx.game.levels[Side::Player] = 1;
    ctx.game.levels[Side::Opponent] = 1;
    ApplyStartingData(ctx.game, 3);
    ctx.game.fighterName[Side::Player] = QStringLiteral("春ウサギ");
    ctx.game.lifeForce = ctx.game.lifeForceMax = 25;
    ctx.game.rankText = QStringLiteral("？");
    ctx.game.messageSpeed = 1;
    ctx.game.attackAnimation = 1;
    ctx.random.seed(7);
    ctx.forms.show<Form4>();
  }
  // One tournament bout by AUTO, from the hub's button back to a screen
  // after it; false when the program ended.
  bool tournamentBout() {
    ctx.forms.find<Form4>()->BATTLE_Click();
    auto* battle = ctx.forms.find<Form1>();
    while (battle == ctx.forms.find<Form1>() && !ctx.ended()) {
      ctx.battle.autoTurns = 30;
      clock.advance(1000);
    }
    if (ctx.ended()) return false;
    // A new technique is declined (the question's default is yes); the story is closed.
    if (platform::Form* learning = ctx.forms.find(QStringLiteral("Form6"))) learning->findWidget("No", -1)->click();
    if (platform::Form* story = ctx.forms.find(QStringLiteral("Form7"))) story->findWidget("Command1", -1)->click();
    clock.runPosted();
    return true;
  }

  QTemporaryDir folder;
  platform::VirtualClock clock;
  platform::HeadlessPlatform platform;
  Game ctx;
};

static void BM_TournamentBoutAtSpeed1(benchmark::State& state) {
  BenchGame g;
  for (auto _ : state) {
    if (!g.tournamentBout()) {
      state.PauseTiming();
      g.~BenchGame();
      new (&g) BenchGame;
      state.ResumeTiming();
    }
  }
}
BENCHMARK(BM_TournamentBoutAtSpeed1)->Unit(benchmark::kMicrosecond);

// A whole tournament by AUTO: from a new game to a lead of 40 or game over,
// every bout's record kept; beside it the same where no record can be kept,
// so that the two differ by what keeping the records costs.
static void wholeAutoTournament(benchmark::State& state, const QString& working) {
  int bouts = 0;
  for (auto _ : state) {
    BenchGame g(working);
    while (g.ctx.game.winLead() < 40 && g.tournamentBout()) ++bouts;
  }
  state.counters["bouts"] = benchmark::Counter(bouts, benchmark::Counter::kAvgIterations);
}
static void BM_WholeAutoTournament(benchmark::State& state) { wholeAutoTournament(state, {}); }
BENCHMARK(BM_WholeAutoTournament)->Unit(benchmark::kMillisecond);
static void BM_WholeAutoTournamentNoRecords(benchmark::State& state) {
  wholeAutoTournament(state, test::unusableFolder());
}
BENCHMARK(BM_WholeAutoTournamentNoRecords)->Unit(benchmark::kMillisecond);

// The host list under a flood of 10,000 malformed announcements: the cost
// of reading and refusing them. Spread over the ten seconds such a flood
// takes at a thousand datagrams a second, 100 ms would be 1 % of a core.
static void BM_HostListUnderAFlood(benchmark::State& state) {
  platform::VirtualClock clock;
  platform::MemoryWire wire(clock);
  platform::HeadlessPlatform platform(clock, test::unusableFolder(), test::unusableFolder());
  platform.joinWire(wire, "10.0.0.2");
  Game ctx(platform);
  ctx.link.port = 5001;
  auto& hosts = ctx.forms.show<FormHosts>();
  auto flooder = platform::MemoryNetwork(wire, "10.0.0.9").createDatagramSocket();
  QByteArray junk = buildAnnouncement({5001, 5, "偽物"});
  junk[3] = '\xff';
  for (auto _ : state) {
    for (int i = 0; i < 10000; ++i) {
      flooder->broadcast(junk, 5001);
      if (i % 50 == 49) clock.runPosted();
    }
    clock.runPosted();
    hosts.Timer1.start();  // keeps listening
  }
}
BENCHMARK(BM_HostListUnderAFlood)->Unit(benchmark::kMillisecond);
// The records a whole AUTO tournament leaves (the newest hundred are kept):
// their sizes, and how long reading one takes.
static void BM_ReadBoutRecord(benchmark::State& state) {
  QTemporaryDir dir;
  {
    BenchGame g(dir.path());
    while (g.ctx.game.winLead() < 40 && g.tournamentBout()) {
    }
  }
  std::vector<QByteArray> records;
  qint64 total = 0, largest = 0;
  const QDir folder(dir.filePath(QStringLiteral("replays")));
  for (const QString& name : folder.entryList({QStringLiteral("*.replay")}, QDir::Files)) {
    QFile file(folder.filePath(name));
    if (!file.open(QIODevice::ReadOnly)) continue;
    records.push_back(file.readAll());
    total += records.back().size();
    largest = std::max<qint64>(largest, records.back().size());
  }
  if (records.empty()) {
    state.SkipWithError("no records were kept");
    return;
  }
  std::size_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(readBoutRecord(records[i++ % records.size()]));
  state.counters["records"] = static_cast<double>(records.size());
  state.counters["mean_bytes"] = static_cast<double>(total) / static_cast<double>(records.size());
  state.counters["max_bytes"] = static_cast<double>(largest);
}
BENCHMARK(BM_ReadBoutRecord)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
