#include "window/qt/pannello_satelliti.h"

#include <QCloseEvent>
#include <QFont>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

#include "window/ingrandimento.h"
#include "window/macchiarossa.h"
#include "ephemeris/nomi_satelliti.h"
#include "window/qt/aspetto.h"
#include "window/qt/satelliti_finestre.h"
#include "window/qt/tela_qpainter.h"
#include "window/qt/visione_notturna.h"

namespace mr {

Legenda::Legenda(const QString& didascalia, QColor colore, QWidget* genitore)
    : QFrame(genitore), didascalia_(didascalia), colore_(colore) {
  setCursor(Qt::PointingHandCursor);
  setToolTip(didascalia);
}

void Legenda::paintEvent(QPaintEvent*) {
  const QColor faccia = ColoreQt(ColoreFacciata);
  QPainter p(this);
  p.fillRect(rect(), ColoreFondo(faccia));
  p.setPen(ColoreInchiostro(QColor(160, 160, 160), faccia));
  p.drawRect(rect().adjusted(0, 0, -1, -1));
  p.setFont(font());
  p.setPen(ColoreInchiostro(colore_, faccia));
  p.drawText(rect(), Qt::AlignCenter, didascalia_);
}

void Legenda::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()) && alClic)
    alClic();
}

FinestraSatelliti::FinestraSatelliti(MacchiaRossa& modello, QWidget* genitore)
    : QWidget(genitore, Qt::Tool), m_(modello) {
  setObjectName("frmSatelliti");
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFixedSize(9480 / 15, 1725 / 15);
  move(5535 / 15, 555 / 15);
  setFont(FontFinestra());

  struct Voce {
    const char* nome;
    QColor colore;
    QRect posizione;
  };
  const Voce voci[4] = {
      {"Frame1", QColor(255, 0, 0), Twip(120, 0, 375, 255)},
      {"Frame2", QColor(0, 128, 0), Twip(480, 0, 735, 255)},
      {"Frame3", QColor(0, 0, 255), Twip(1200, 0, 975, 255)},
      {"Frame4", QColor(192, 0, 192), Twip(2160, 0, 735, 255)},
  };
  for (int i = 0; i < 4; ++i) {
    auto* r = new Legenda(QString::fromUtf8(NomiSatelliti[i].nome), voci[i].colore, this);
    r->setObjectName(voci[i].nome);
    r->setGeometry(voci[i].posizione);
    r->alClic = [this, i] { MostraFinestraSatellite(i + 1, this); };
    riquadri_[i] = r;
  }

  const auto etichetta = [this](const char* nome, QRect posizione) {
    auto* l = new QLabel(this);
    l->setObjectName(QString::fromUtf8(nome));
    l->setGeometry(posizione);
    l->setFont(FontFinestra());
    l->setAutoFillBackground(true);
    l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return l;
  };
  visibilita_ = etichetta("Visibilità", Twip(3600, 0, 2895, 255));
  elevazione_ = etichetta("Elevazione", Twip(7920, 0, 1575, 255));
  // Small marks in the lower corners, clear of the satellites' row.
  const char* nomiMarche[2] = {"MarcaSinistra", "MarcaDestra"};
  for (int k = 0; k < 2; ++k) {
    auto* l = new QLabel(this);
    l->setObjectName(nomiMarche[k]);
    l->setFont(FontFinestra());
    l->setAlignment((k == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignBottom);
    l->setGeometry(k == 0 ? QRect(4, height() - 19, 16, 17)
                          : QRect(width() - 20, height() - 19, 16, 17));
    l->setToolTip(QString::fromUtf8("Direzione sul cielo: E est, O ovest"));
    marche_[k] = l;
  }
  ImpostaOrientamento(orientamento_);
  Aggiorna();
}

void FinestraSatelliti::ImpostaOrientamento(Orientamento o) {
  orientamento_ = o;
  const PuntiCardinali c = CardinaliDi(o);
  marche_[0]->setText(QString::fromUtf8(c.sinistra.data(), c.sinistra.size()));
  marche_[1]->setText(QString::fromUtf8(c.destra.data(), c.destra.size()));
  update();
}

void FinestraSatelliti::Aggiorna() {
  const PannelloSatelliti& p = m_.frmSatelliti;
  const QString titolo = QString::fromStdString(p.Caption);
  if (windowTitle() != titolo) setWindowTitle(titolo);
  ImpostaColore(this, QPalette::Window, ColoreQt(p.BackColor));
  const auto etichetta = [](QLabel* l, const Etichetta& e) {
    const QString testo = QString::fromStdString(e.Caption);
    if (l->text() != testo) l->setText(testo);
    ImpostaColore(l, QPalette::Window, ColoreQt(e.BackColor));
    ImpostaColore(l, QPalette::WindowText, ColoreQt(InchiostroSu(e.BackColor)));
  };
  etichetta(visibilita_, p.Visibilita);
  etichetta(elevazione_, p.Elevazione);
  for (QLabel* l : marche_)
    ImpostaColore(l, QPalette::WindowText, ColoreQt(InchiostroSu(p.BackColor)));
  update();
}

void FinestraSatelliti::paintEvent(QPaintEvent*) {
  QPainter p(this);
  TelaQPainter tela(p, rect(), QImage(), ColoreQt(m_.frmSatelliti.BackColor), font(),
                    orientamento_);
  tela.Scala(0, 0, 270, 57);  // kept between drawings, as for the picture area
  tela.Cls();
  Riproduci(m_.frmSatelliti.disegno.operazioni, tela);
  const std::vector<Operazione>& ingrandimento = m_.frmSatelliti.ingrandimento.operazioni;
  if (ingrandimento.empty()) return;
  // Along the bottom under Jupiter, clear of the satellites' row and of the
  // corner marks, turned within itself as the panel is.
  const QRect area(qRound((width() - LarghezzaIngrandimento) / 2),
                   height() - qRound(AltezzaIngrandimento) - 2, qRound(LarghezzaIngrandimento),
                   qRound(AltezzaIngrandimento));
  TelaQPainter lente(p, area, QImage(), ColoreQt(m_.frmSatelliti.BackColor), font(),
                     orientamento_);
  Riproduci(ingrandimento, lente);
}

void FinestraSatelliti::closeEvent(QCloseEvent* e) {
  m_.frmSatelliti.Visible = false;
  QWidget::closeEvent(e);
}

}  // namespace mr
