// Speed of the planner, one thread: a year's list as the window makes it
// (events found, rows filtered and paired), a change of the filter alone, one
// night's chart, the exports of a year, and the PDF of a month and of a year.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "ephemeris/calendario.h"
#include "pianificatore/esporta.h"
#include "pianificatore/notte.h"
#include "pianificatore/qt/stampa_eventi.h"
#include "pianificatore/qtcore/fuso_qt.h"

namespace {

const mr::Sito kSito{12.5, 41.9, 0};
const double kInizio = mr::GiornoGiuliano(1, 3, 2027);
const mr::ModelloMacchia kMacchia{98, 0, kInizio};

std::vector<mr::Evento> Eventi(double giorni) {
  return mr::CercaEventi(kInizio, giorni, 69, kSito, kMacchia).eventi;
}

mr::SceltaEventi SenzaFiltro() {
  mr::SceltaEventi s;
  s.soloOsservabili = false;
  return s;
}

void BM_ListaDiUnAnno(benchmark::State& state) {
  std::size_t n = 0;
  for (auto _ : state) {
    const std::vector<mr::RigaPiano> righe = mr::RighePiano(Eventi(366), SenzaFiltro());
    n = righe.size();
    benchmark::DoNotOptimize(righe.data());
  }
  state.counters["righe"] = static_cast<double>(n);
}
BENCHMARK(BM_ListaDiUnAnno)->Unit(benchmark::kMillisecond);

void BM_FiltroDiUnAnno(benchmark::State& state) {
  const std::vector<mr::Evento> eventi = Eventi(366);
  for (auto _ : state) {
    const std::vector<mr::RigaPiano> righe = mr::RighePiano(eventi, mr::SceltaEventi{});
    benchmark::DoNotOptimize(righe.data());
  }
}
BENCHMARK(BM_FiltroDiUnAnno)->Unit(benchmark::kMillisecond);

void BM_UnaNotte(benchmark::State& state) {
  const mr::FusoQt fuso("Europe/Rome");
  double jd = kInizio;
  for (auto _ : state) {
    std::optional<mr::Notte> n = mr::NotteDi(jd, fuso, kSito, 69);
    benchmark::DoNotOptimize(n);
    jd += 1;
  }
}
BENCHMARK(BM_UnaNotte)->Unit(benchmark::kMillisecond);

void BM_EsportazioniDiUnAnno(benchmark::State& state) {
  const std::vector<mr::RigaPiano> righe = mr::RighePiano(Eventi(366), SenzaFiltro());
  const mr::FusoQt fuso("Europe/Rome");
  for (auto _ : state) {
    const std::string csv = mr::TestoCsv(righe, fuso);
    const std::string ics = mr::TestoICalendar(righe, fuso, kInizio);
    benchmark::DoNotOptimize(csv.data());
    benchmark::DoNotOptimize(ics.data());
  }
}
BENCHMARK(BM_EsportazioniDiUnAnno)->Unit(benchmark::kMillisecond);

void Pdf(benchmark::State& state, double giorni) {
  mr::DatiStampa dati{.titolo = "Fenomeni di Giove",
                      .intestazione = "Roma",
                      .righe = mr::RighePiano(Eventi(giorni), mr::SceltaEventi{}),
                      .fuso = std::make_shared<mr::FusoQt>("Europe/Rome"),
                      .sito = kSito,
                      .deltaT = 69,
                      .altezzaMinima = 10};
  for (auto _ : state) {
    std::optional<QByteArray> pdf = mr::PdfDelPiano(dati, {});
    benchmark::DoNotOptimize(pdf);
  }
}
void BM_PdfDiUnMese(benchmark::State& state) { Pdf(state, 30); }
BENCHMARK(BM_PdfDiUnMese)->Unit(benchmark::kMillisecond);
void BM_PdfDiUnAnno(benchmark::State& state) { Pdf(state, 366); }
BENCHMARK(BM_PdfDiUnAnno)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

int main(int argc, char** argv) {
  if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
