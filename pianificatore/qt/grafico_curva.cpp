#include "pianificatore/qt/grafico_curva.h"

#include <QFontMetrics>
#include <QPainter>

#include "pianificatore/testi_eventi.h"
#include "window/qt/aspetto.h"
#include "window/qt/tela_qpainter.h"

namespace mr {

void DipingiCurva(QPainter& p, QRect area, const QFont& font, const CurvaEvento& curva,
                  const FusoOrario& fuso, const std::string& titolo, bool diGiorno) {
  TelaQPainter tela(p, area, QImage(), ColoreQt(ColoreFacciata), font);
  if (diGiorno) tela.ColoriDiGiorno();
  tela.Scala(0, 0, area.width(), area.height());
  tela.Cls();
  DisegnaCurva(tela, curva, fuso,
               {.x = 0,
                .y = 0,
                .larghezza = static_cast<double>(area.width()),
                .altezza = static_cast<double>(area.height()),
                .titolo = titolo});
}

std::string TitoloCurva(const EventoMutuo& e) {
  return NotazioneMutuo(e) + " - " + DescrizioneMutuoInElenco(e);
}

GraficoCurva::GraficoCurva(QWidget* genitore) : QWidget(genitore) {
  setObjectName("graficoCurva");
  setFont(FontFinestra());
  setToolTip(QString::fromUtf8(
      "Curva di luce prevista del fenomeno mutuo scelto: il calo della luce della coppia "
      "(occultazione) o del satellite eclissato (eclisse), con i contatti e il massimo"));
}

void GraficoCurva::Imposta(std::optional<CurvaEvento> curva,
                           std::shared_ptr<const FusoOrario> fuso) {
  curva_ = std::move(curva);
  fuso_ = std::move(fuso);
  update();
}

void GraficoCurva::paintEvent(QPaintEvent*) {
  QPainter p(this);
  if (curva_ && fuso_) {
    DipingiCurva(p, rect(), font(), *curva_, *fuso_, TitoloCurva(curva_->evento), false);
    return;
  }
  TelaQPainter tela(p, rect(), QImage(), ColoreQt(ColoreFacciata), font());
  tela.Cls();
  tela.Posizione(8, 8);
  tela.Stampa("Scegli un fenomeno mutuo nell'elenco:");
  tela.Posizione(8, 8 + QFontMetrics(font()).lineSpacing());
  tela.Stampa("qui la sua curva di luce.");
}

}  // namespace mr
