// Speed of the computations behind one press of "Calcola", one animation frame
// and a whole 30-day animation, drawing into the recording canvas; on the
// short series (precisa:0) and on the precise ephemeris (precisa:1).
#include <benchmark/benchmark.h>

#include <string>

#include "finestra_bench.h"

namespace {

using bench::AmbienteMuto;

void BM_Calcola(benchmark::State& state) {
  AmbienteMuto ambiente;
  mr::MacchiaRossa m(bench::CartellaBench(), ambiente);
  m.Form_Load();
  m.AltaPrecisione = state.range(0) == 1;
  // A new minute each time: the precise ephemeris keeps its latest instants.
  int minuto = 0;
  for (auto _ : state) {
    m.Minuti.Text = std::to_string(minuto++ % 60);
    m.Calcola_Click();
    benchmark::DoNotOptimize(m.MC.Text);
  }
}
BENCHMARK(BM_Calcola)->ArgName("precisa")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_FotogrammaAnimazione(benchmark::State& state) {
  AmbienteMuto ambiente;
  mr::MacchiaRossa m(bench::CartellaBench(), ambiente);
  m.Form_Load();
  m.AltaPrecisione = state.range(0) == 1;
  m.Macchia.Value = 0;
  for (mr::Casella* c : {&m.IO, &m.Europa, &m.Ganimede, &m.Callisto}) c->Value = 0;
  m.MeridianoA_Avvia();
  for (auto _ : state) {
    if (!m.MeridianoA_Fotogramma()) {
      state.PauseTiming();
      m.MeridianoA_Avvia();
      state.ResumeTiming();
    }
  }
}
BENCHMARK(BM_FotogrammaAnimazione)
    ->ArgName("precisa")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMicrosecond);

// A whole animation with every stop test off: 5222 frames, 30 days.
void BM_AnimazioneCompleta(benchmark::State& state) {
  AmbienteMuto ambiente;
  mr::MacchiaRossa m(bench::CartellaBench(), ambiente);
  m.Form_Load();
  m.AltaPrecisione = state.range(0) == 1;
  for (mr::Casella* c : {&m.Macchia, &m.Rivoluzione, &m.IO, &m.Europa, &m.Ganimede, &m.Callisto})
    c->Value = 0;
  // Every run starts from 15 March 2004, 22:00 (the clock of the benchmarks).
  const mr::Campo giorno = m.Giorno, mese = m.Mese, anno = m.Anno, ore = m.Ore, minuti = m.Minuti;
  for (auto _ : state) {
    m.Giorno = giorno;
    m.Mese = mese;
    m.Anno = anno;
    m.Ore = ore;
    m.Minuti = minuti;
    m.MeridianoA();
    benchmark::DoNotOptimize(m.Fotogramma());
  }
}
BENCHMARK(BM_AnimazioneCompleta)
    ->ArgName("precisa")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
