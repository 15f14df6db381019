// Speed of the precise ephemeris, one thread: the positions at one instant,
// and the events (satellites and Red Spot) of 30 days and of two years.
#include <benchmark/benchmark.h>

#include "ephemeris/calendario.h"
#include "ephemeris/effemeride_precisa.h"
#include "ephemeris/eventi.h"

namespace {

const mr::Sito kSito{12.5, 41.9, 0};

void BM_PosizioniAllIstante(benchmark::State& state) {
  double jd = mr::GiornoGiuliano(1, 8, 2026, 21, 30);
  for (auto _ : state) {
    mr::PosizioniPrecise p = mr::PosizioniAllIstante({jd, 69});
    benchmark::DoNotOptimize(p);
    jd += 0.001;
  }
}
BENCHMARK(BM_PosizioniAllIstante)->Unit(benchmark::kMicrosecond);

void Eventi(benchmark::State& state, double giorni) {
  double inizio = mr::GiornoGiuliano(1, 3, 2026);
  std::size_t n = 0;
  for (auto _ : state) {
    mr::RicercaEventi r = mr::CercaEventi(inizio, giorni, 69, kSito, {70, 1.5, inizio});
    n = r.eventi.size();
    benchmark::DoNotOptimize(r.eventi.data());
  }
  state.counters["eventi"] = static_cast<double>(n);
}

void BM_Eventi30Giorni(benchmark::State& state) { Eventi(state, 30); }
BENCHMARK(BM_Eventi30Giorni)->Unit(benchmark::kMillisecond);

void BM_EventiDueAnni(benchmark::State& state) { Eventi(state, 730.5); }
BENCHMARK(BM_EventiDueAnni)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
