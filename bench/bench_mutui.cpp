// Speed of the mutual-event finder, one thread: a whole season of mutual
// events (16 months, from 1 September 2026).
#include <benchmark/benchmark.h>

#include "ephemeris/calendario.h"
#include "ephemeris/mutui.h"

namespace {

void BM_StagioneMutui(benchmark::State& state) {
  const double inizio = mr::GiornoGiuliano(1, 9, 2026);
  std::size_t n = 0;
  for (auto _ : state) {
    mr::RicercaMutui r = mr::CercaMutui(inizio, 487, 69, {12.5, 41.9, 0});
    n = r.eventi.size();
    benchmark::DoNotOptimize(r.eventi.data());
  }
  state.counters["eventi"] = static_cast<double>(n);
}
BENCHMARK(BM_StagioneMutui)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
