#include "window/qt/tela_qpainter.h"

#include <QFontMetricsF>
#include <QPen>
#include <QWidget>
#include <cmath>
#include <numbers>

#include "window/qt/visione_notturna.h"

namespace mr {

QColor ColoreQt(Colore c) {
  return QColor((c >> 16) & 0xff, (c >> 8) & 0xff, c & 0xff);
}

namespace {

// The pixel transform of an orientation over a pixel area: the identity for
// the direct view, else the area reversed along one axis or both.
QTransform TrasformaOrientamento(Orientamento o, QRect area) {
  const Ribaltamento r = RibaltamentoDi(o);
  // A reversed axis runs from the area's other edge: x -> left + right - x.
  const double sx = r.orizzontale ? -1 : 1, sy = r.verticale ? -1 : 1;
  const double dx = r.orizzontale ? 2.0 * area.left() + area.width() : 0;
  const double dy = r.verticale ? 2.0 * area.top() + area.height() : 0;
  return QTransform(sx, 0, 0, sy, dx, dy);
}

}  // namespace

TelaQPainter::TelaQPainter(QPainter& p, QRect area, QImage sfondo, QColor coloreSfondo,
                           QFont font, Orientamento orientamento)
    : p_(p),
      area_(area),
      sfondo_(std::move(sfondo)),
      coloreSfondo_(coloreSfondo),
      font_(std::move(font)),
      orientamento_(TrasformaOrientamento(orientamento, area)) {
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

void TelaQPainter::Orientato() { p_.setTransform(orientamento_); }

QColor TelaQPainter::Scena(QColor c) const { return diGiorno_ ? c : ColoreScena(c); }
QColor TelaQPainter::Fondo(QColor c) const { return diGiorno_ ? c : ColoreFondo(c); }
// Text stands on the area's background: its plain colour, or the picture,
// which is a scene.
QColor TelaQPainter::Inchiostro(QColor c) const {
  if (diGiorno_) return c;
  return sfondo_.isNull() ? ColoreInchiostro(c, coloreSfondo_) : ColoreScena(c);
}

void TelaQPainter::Cls() {
  p_.save();
  Orientato();
  if (sfondo_.isNull())
    p_.fillRect(area_, Fondo(coloreSfondo_));
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
  QPen pen(Scena(ColoreQt(c)));
  pen.setWidthF(larghezza_ > 0 ? larghezza_ : 1);
  pen.setCosmetic(false);
  return pen;
}

void TelaQPainter::Linea(double x1, double y1, double x2, double y2, Colore c) {
  p_.save();
  Orientato();
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
  Orientato();
  p_.setRenderHint(QPainter::Antialiasing, true);
  p_.setPen(Penna(c));
  p_.setBrush(Scena(riempimento_));
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
  Orientato();
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
  Orientato();
  p_.fillRect(QRectF(angolo, QSizeF(lato, lato)), Scena(ColoreQt(c)));
  p_.restore();
}

void TelaQPainter::Stampa(const std::string& testo) {
  const QPointF q = utente_.map(posizione_);
  const QFontMetricsF metriche(font_);
  if (std::isfinite(q.x() + q.y())) {
    // The text's box goes where the orientation puts it; the text stays upright in it.
    const QString t = QString::fromStdString(testo);
    const QRectF riquadro =
        orientamento_.mapRect(QRectF(q, QSizeF(metriche.horizontalAdvance(t), metriche.height())));
    p_.save();
    p_.resetTransform();
    p_.setFont(font_);
    p_.setPen(Inchiostro(testo_));
    p_.drawText(QPointF(riquadro.left(), riquadro.top() + metriche.ascent()), t);
    p_.restore();
  }
  // Line break: one text line down, back to the left edge of the scale.
  const QPointF sotto = utente_.inverted().map(QPointF(q.x(), q.y() + metriche.lineSpacing()));
  posizione_ = QPointF(x1_, sotto.y());
}

void TelaQPainter::Riquadro(double x1, double y1, double x2, double y2, Colore c) {
  const QRectF riquadro =
      QRectF(utente_.map(QPointF(x1, y1)), utente_.map(QPointF(x2, y2))).normalized();
  if (!std::isfinite(riquadro.left() + riquadro.top() + riquadro.width() + riquadro.height()))
    return;
  p_.save();
  Orientato();
  p_.fillRect(riquadro, Scena(ColoreQt(c)));
  p_.restore();
}

void TelaQPainter::ColoreTesto(Colore c) { testo_ = ColoreQt(c); }

void TelaQPainter::Posizione(double x, double y) { posizione_ = QPointF(x, y); }

}  // namespace mr
