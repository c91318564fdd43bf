#include <benchmark/benchmark.h>

#include "game/Numbers.h"
#include "game/Techniques.h"

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

BENCHMARK_MAIN();
