// Speed of one animation frame as the window shows it: the frame computed,
// the picture of Jupiter rendered for its central meridian and the frame's
// drawing painted over it with QPainter, at the picture area's real size.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include "finestra_bench.h"
#include "window/qt/immagini.h"
#include "window/qt/tela_qpainter.h"

namespace {

void BM_FotogrammaSulloSchermo(benchmark::State& state) {
  bench::AmbienteMuto ambiente;
  mr::MacchiaRossa m(bench::CartellaBench(), ambiente);
  m.Form_Load();
  m.Macchia.Value = 0;
  m.Griglia.Value = 1;
  for (mr::Casella* c : {&m.IO, &m.Europa, &m.Ganimede, &m.Callisto}) c->Value = 0;
  m.MeridianoA_Avvia();
  const QSize pixel(225, 209);  // 3375 x 3135 twips
  QImage schermo(pixel, QImage::Format_RGB32);
  mr::ImmagineGiove(pixel, 0, 0);  // the planet's map is built once per run
  for (auto _ : state) {
    if (!m.MeridianoA_Fotogramma()) m.MeridianoA_Avvia();
    QPainter p(&schermo);
    mr::TelaQPainter tela(p, schermo.rect(), mr::ImmagineGiove(pixel, m.omegaSfondo, m.LSfondo),
                          Qt::black, QFont());
    tela.Scala(0, 0, 275, 255);
    tela.Cls();
    mr::Riproduci(m.Zorva.operazioni, tela);
    p.end();
    benchmark::DoNotOptimize(schermo.bits());
  }
}
BENCHMARK(BM_FotogrammaSulloSchermo)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
