// Benchmarks of the work the game repeats: technique lookups, opponents,
// number reading, and virtual time passing over a screen with a 1 ms timer.

#include <benchmark/benchmark.h>

#include "battle/OpponentBuilders.h"
#include "game/Numbers.h"
#include "game/Random.h"
#include "game/Roster.h"
#include "game/Techniques.h"
#include "platform/headless/HeadlessPlatform.h"
#include "screens/Game.h"
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
  platform::HeadlessPlatform platform(clock, "/nonexistent", "/nonexistent");
  Game ctx(platform);
  ctx.game.levels[Side::Player] = 1;
  ApplyStartingData(ctx.game, 6);
  ctx.forms.show<Form4>();
  for (auto _ : state) platform.virtualClock().advance(1000);
}
BENCHMARK(BM_HubSecondOfVirtualTime)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
