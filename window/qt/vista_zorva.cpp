#include "window/qt/vista_zorva.h"

#include <QMouseEvent>
#include <QPainter>

#include "ephemeris/numeri.h"
#include "window/macchiarossa.h"
#include "window/qt/immagini.h"
#include "window/qt/tela_qpainter.h"

namespace mr {

VistaZorva::VistaZorva(const MacchiaRossa& modello, QWidget* genitore)
    : QWidget(genitore), m_(modello) {
  setObjectName("Zorva");
  setAttribute(Qt::WA_OpaquePaintEvent);
}

// Rendered in the screen's own pixels, so a display scale shows it sharp.
const QImage& VistaZorva::Sfondo(double omega, double L) {
  const qreal rapporto = devicePixelRatioF();
  const QSize pixel = (QSizeF(size()) * rapporto).toSize();
  if (sfondo_.isNull() || sfondo_.size() != pixel || omega != omegaSfondo_ || L != LSfondo_) {
    sfondo_ = ImmagineGiove(pixel, omega, L);
    sfondo_.setDevicePixelRatio(rapporto);
    omegaSfondo_ = omega;
    LSfondo_ = L;
  }
  return sfondo_;
}

void VistaZorva::paintEvent(QPaintEvent*) {
  // Before the first drawing the planet is shown with the GRS of the field.
  const double omega = m_.sfondoValido ? m_.omegaSfondo : 0;
  const double L = m_.sfondoValido ? m_.LSfondo : LeggiNumero(m_.Longitudine.Text);
  QPainter p(this);
  TelaQPainter tela(p, rect(), Sfondo(omega, L), Qt::black, font());
  // The picture area keeps its scale between drawings; a recording may start
  // without setting it again.
  tela.Scala(0, 0, 275, 255);
  tela.Cls();
  Riproduci(m_.Zorva.operazioni, tela);
}

void VistaZorva::mousePressEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton && alClic) alClic();
}

void VistaZorva::mouseDoubleClickEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton && alDoppioClic) alDoppioClic();
}

}  // namespace mr
