#include "pianificatore/qt/grafico_notte.h"

#include <QPainter>

#include "window/qt/aspetto.h"
#include "window/qt/tela_qpainter.h"

namespace mr {

void DipingiNotte(QPainter& p, QRect area, const QFont& font, const Notte& notte,
                  std::span<const RigaPiano> righe, AspettoNotte aspetto, bool diGiorno) {
  TelaQPainter tela(p, area, QImage(), ColoreQt(ColoreFacciata), font);
  if (diGiorno) tela.ColoriDiGiorno();
  aspetto.larghezza = area.width();
  aspetto.altezza = area.height();
  DisegnaNotte(tela, notte, righe, aspetto);
}

GraficoNotte::GraficoNotte(QWidget* genitore) : QWidget(genitore) {
  setObjectName("graficoNotte");
  setFont(FontFinestra());
  setToolTip(QString::fromUtf8(
      "Dal mezzogiorno al mezzogiorno, ora locale. Sfondo: giorno, crepuscolo civile, nautico, "
      "astronomico e notte; in arancio l'altezza di Giove, in rosso l'altezza minima scelta."));
}

void GraficoNotte::Imposta(std::optional<Notte> notte, std::vector<RigaPiano> righe,
                           AspettoNotte aspetto) {
  notte_ = std::move(notte);
  righe_ = std::move(righe);
  aspetto_ = std::move(aspetto);
  update();
}

void GraficoNotte::paintEvent(QPaintEvent*) {
  QPainter p(this);
  if (notte_) {
    DipingiNotte(p, rect(), font(), *notte_, righe_, aspetto_, false);
    return;
  }
  TelaQPainter tela(p, rect(), QImage(), ColoreQt(ColoreFacciata), font());
  tela.Cls();
  tela.Posizione(8, 8);
  tela.Stampa("Nessuna notte da mostrare.");
}

}  // namespace mr
