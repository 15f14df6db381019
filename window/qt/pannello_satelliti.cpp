#include "window/qt/pannello_satelliti.h"

#include <QCloseEvent>
#include <QFont>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

#include "window/macchiarossa.h"
#include "window/qt/satelliti_finestre.h"
#include "window/qt/tela_qpainter.h"

namespace mr {

namespace {

QRect Twip(int x, int y, int w, int h) { return QRect(x / 15, y / 15, w / 15, h / 15); }

QFont FontEtichette() {
  QFont f("MS Sans Serif");
  f.setStyleHint(QFont::SansSerif);
  f.setPixelSize(11);
  return f;
}

}  // namespace

Legenda::Legenda(const QString& didascalia, QColor colore, QWidget* genitore)
    : QFrame(genitore), didascalia_(didascalia), colore_(colore) {
  setCursor(Qt::PointingHandCursor);
  setToolTip(didascalia);
}

void Legenda::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), ColoreQt(ColoreFacciata));
  // An etched outline under the caption, as a captioned frame shows it.
  const QRect bordo = rect().adjusted(0, height() / 2 - 1, -1, -1);
  p.setPen(QColor(160, 160, 160));
  p.drawRect(bordo);
  p.setPen(Qt::white);
  p.drawLine(bordo.bottomLeft() + QPoint(1, -1), bordo.topLeft() + QPoint(1, 1));
  p.setFont(font());
  const QRect testo = p.fontMetrics().boundingRect(didascalia_);
  const QRect zona(3, 0, testo.width() + 2, height());
  p.fillRect(zona, ColoreQt(ColoreFacciata));
  p.setPen(colore_);
  p.drawText(zona, Qt::AlignCenter, didascalia_);
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
  setFont(FontEtichette());

  struct Voce {
    const char* nome;
    const char* didascalia;
    QColor colore;
    QRect posizione;
  };
  const Voce voci[4] = {
      {"Frame1", "Io", QColor(255, 0, 0), Twip(120, 0, 375, 255)},
      {"Frame2", "Europa", QColor(0, 128, 0), Twip(480, 0, 735, 255)},
      {"Frame3", "Ganimede", QColor(0, 0, 255), Twip(1200, 0, 975, 255)},
      {"Frame4", "Callisto", QColor(192, 0, 192), Twip(2160, 0, 735, 255)},
  };
  for (int i = 0; i < 4; ++i) {
    auto* r = new Legenda(voci[i].didascalia, voci[i].colore, this);
    r->setObjectName(voci[i].nome);
    r->setGeometry(voci[i].posizione);
    r->alClic = [this, i] { MostraFinestraSatellite(i + 1, this); };
    riquadri_[i] = r;
  }

  const auto etichetta = [this](const char* nome, QRect posizione) {
    auto* l = new QLabel(this);
    l->setObjectName(QString::fromUtf8(nome));
    l->setGeometry(posizione);
    l->setFont(FontEtichette());
    l->setAutoFillBackground(true);
    l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return l;
  };
  visibilita_ = etichetta("Visibilità", Twip(3600, 0, 2895, 255));
  elevazione_ = etichetta("Elevazione", Twip(7920, 0, 1575, 255));
  Aggiorna();
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
  };
  etichetta(visibilita_, p.Visibilita);
  etichetta(elevazione_, p.Elevazione);
  update();
}

void FinestraSatelliti::paintEvent(QPaintEvent*) {
  QPainter p(this);
  TelaQPainter tela(p, rect(), QImage(), ColoreQt(m_.frmSatelliti.BackColor), font());
  tela.Cls();
  Riproduci(m_.frmSatelliti.disegno.operazioni, tela);
}

void FinestraSatelliti::closeEvent(QCloseEvent* e) {
  m_.frmSatelliti.Visible = false;
  QWidget::closeEvent(e);
}

}  // namespace mr
