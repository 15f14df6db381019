#include "window/qt/tela_qpainter.h"

#include <QFontMetricsF>
#include <QPen>
#include <QWidget>
#include <cmath>
#include <numbers>

namespace mr {

QColor ColoreQt(Colore c) {
  return QColor((c >> 16) & 0xff, (c >> 8) & 0xff, c & 0xff);
}

void ImpostaColore(QWidget* w, QPalette::ColorRole ruolo, QColor colore) {
  if (w->palette().color(QPalette::Active, ruolo) == colore &&
      w->palette().color(QPalette::Inactive, ruolo) == colore)
    return;
  // A disabled control keeps the style's greyed colour.
  QPalette tavolozza = w->palette();
  tavolozza.setColor(QPalette::Active, ruolo, colore);
  tavolozza.setColor(QPalette::Inactive, ruolo, colore);
  w->setPalette(tavolozza);
}

TelaQPainter::TelaQPainter(QPainter& p, QRect area, QImage sfondo, QColor coloreSfondo,
                           QFont font)
    : p_(p),
      area_(area),
      sfondo_(std::move(sfondo)),
      coloreSfondo_(coloreSfondo),
      font_(std::move(font)) {
  // Until a scale is set, one user unit is one pixel from the area's corner.
  utente_ = QTransform::fromTranslate(area_.left(), area_.top());
}

void TelaQPainter::Scala(double x1, double y1, double x2, double y2) {
  if (x2 == x1 || y2 == y1 || !std::isfinite(x1 + y1 + x2 + y2)) return;
  const double sx = area_.width() / (x2 - x1);
  const double sy = area_.height() / (y2 - y1);
  utente_ = QTransform(sx, 0, 0, sy, area_.left() - x1 * sx, area_.top() - y1 * sy);
  x1_ = x1;
  posizione_ = QPointF(x1, y1);
}

void TelaQPainter::Cls() {
  p_.save();
  p_.resetTransform();
  if (sfondo_.isNull())
    p_.fillRect(area_, coloreSfondo_);
  else
    p_.drawImage(area_, sfondo_);
  p_.restore();
  posizione_ = utente_.inverted().map(QPointF(area_.topLeft()));
}

void TelaQPainter::LarghezzaLinea(double w) { larghezza_ = w; }

void TelaQPainter::Riempimento(Colore c) { riempimento_ = ColoreQt(c); }

// The width is in the painter's own pixels (the design's), which a display
// scale (device pixel ratio) enlarges like everything else: the pen is not
// cosmetic, and the painter draws the user scale mapped by hand.
QPen TelaQPainter::Penna(Colore c) const {
  QPen pen(ColoreQt(c));
  pen.setWidthF(larghezza_ > 0 ? larghezza_ : 1);
  pen.setCosmetic(false);
  return pen;
}

void TelaQPainter::Linea(double x1, double y1, double x2, double y2, Colore c) {
  p_.save();
  p_.setRenderHint(QPainter::Antialiasing, false);
  p_.setPen(Penna(c));
  p_.drawLine(utente_.map(QPointF(x1, y1)), utente_.map(QPointF(x2, y2)));
  p_.restore();
}

QPointF TelaQPainter::SemiassiPixel(double r, double aspetto) const {
  const double rPixel = std::abs(r * utente_.m11());
  if (!(aspetto > 0) || !std::isfinite(aspetto)) return {rPixel, rPixel};
  if (aspetto < 1) return {rPixel, rPixel * aspetto};
  return {rPixel / aspetto, rPixel};
}

void TelaQPainter::Cerchio(double x, double y, double r, Colore c, double aspetto) {
  const QPointF centro = utente_.map(QPointF(x, y));
  const QPointF semiassi = SemiassiPixel(r, aspetto);
  if (!std::isfinite(centro.x() + centro.y() + semiassi.x() + semiassi.y())) return;
  p_.save();
  p_.setRenderHint(QPainter::Antialiasing, true);
  p_.setPen(Penna(c));
  p_.setBrush(riempimento_);
  p_.drawEllipse(centro, semiassi.x(), semiassi.y());
  p_.restore();
}

void TelaQPainter::Arco(double x, double y, double r, Colore c, double inizio, double fine,
                        double aspetto) {
  const QPointF centro = utente_.map(QPointF(x, y));
  const QPointF semiassi = SemiassiPixel(r, aspetto);
  double ampiezza = std::abs(fine) - std::abs(inizio);
  if (ampiezza < 0) ampiezza += 2 * std::numbers::pi;
  if (!std::isfinite(centro.x() + centro.y() + semiassi.x() + semiassi.y() + ampiezza)) return;
  const auto sedicesimi = [](double radianti) {
    return static_cast<int>(std::lround(radianti * 180 / std::numbers::pi * 16));
  };
  const QRectF riquadro(centro - semiassi, centro + semiassi);
  p_.save();
  p_.setRenderHint(QPainter::Antialiasing, true);
  p_.setPen(Penna(c));
  p_.setBrush(Qt::NoBrush);
  p_.drawArc(riquadro, sedicesimi(std::abs(inizio)), sedicesimi(ampiezza));
  p_.restore();
}

void TelaQPainter::Punto(double x, double y, Colore c) {
  posizione_ = QPointF(x, y);
  const QPointF q = utente_.map(posizione_);
  if (!std::isfinite(q.x() + q.y())) return;
  const double lato = larghezza_ >= 1 ? std::round(larghezza_) : 1;
  const QPointF angolo(std::floor(q.x() - (lato - 1) / 2), std::floor(q.y() - (lato - 1) / 2));
  p_.save();
  p_.resetTransform();
  p_.fillRect(QRectF(angolo, QSizeF(lato, lato)), ColoreQt(c));
  p_.restore();
}

void TelaQPainter::Stampa(const std::string& testo) {
  const QPointF q = utente_.map(posizione_);
  const QFontMetricsF metriche(font_);
  if (std::isfinite(q.x() + q.y())) {
    p_.save();
    p_.resetTransform();
    p_.setFont(font_);
    p_.setPen(Qt::black);
    p_.drawText(QPointF(q.x(), q.y() + metriche.ascent()), QString::fromStdString(testo));
    p_.restore();
  }
  // Line break: one text line down, back to the left edge of the scale.
  const QPointF sotto = utente_.inverted().map(QPointF(q.x(), q.y() + metriche.lineSpacing()));
  posizione_ = QPointF(x1_, sotto.y());
}

}  // namespace mr
