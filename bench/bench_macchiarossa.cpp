// Speed of the computations behind one press of "Calcola", one animation frame
// and a whole 30-day animation, drawing into the recording canvas.
#include <benchmark/benchmark.h>

#include "finestra_bench.h"

namespace {

using bench::AmbienteMuto;

void BM_Calcola(benchmark::State& state) {
  AmbienteMuto ambiente;
  mr::MacchiaRossa m(bench::CartellaBench(), ambiente);
  m.Form_Load();
  for (auto _ : state) {
    m.Calcola_Click();
    benchmark::DoNotOptimize(m.MC.Text);
  }
}
BENCHMARK(BM_Calcola)->Unit(benchmark::kMicrosecond);

void BM_FotogrammaAnimazione(benchmark::State& state) {
  AmbienteMuto ambiente;
  mr::MacchiaRossa m(bench::CartellaBench(), ambiente);
  m.Form_Load();
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
BENCHMARK(BM_FotogrammaAnimazione)->Unit(benchmark::kMicrosecond);

// A whole animation with every stop test off: 5222 frames, 30 days.
void BM_AnimazioneCompleta(benchmark::State& state) {
  AmbienteMuto ambiente;
  mr::MacchiaRossa m(bench::CartellaBench(), ambiente);
  m.Form_Load();
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
BENCHMARK(BM_AnimazioneCompleta)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
