// The screen canvas: draws the canvas operations with a QPainter onto a
// pixel area, over a background (a picture or a plain colour) that Cls
// repaints. It shows the drawing the way the eyepiece shows the sky (the
// area turned or mirrored as a whole, printed texts upright at their turned
// places) and its colours as night vision shows them.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPointF>
#include <QRect>
#include <QTransform>

#include "window/orientamento.h"
#include "window/tela.h"

namespace mr {

// A colour of the models as it is designed (night vision aside).
QColor ColoreQt(Colore c);

class TelaQPainter : public Tela {
 public:
  // Draws on p over the pixel rectangle area. The background is the picture
  // sfondo scaled to the area, or the plain colour when the picture is null;
  // the picture is drawn as given (night vision is the caller's), the colour
  // is a design colour.
  TelaQPainter(QPainter& p, QRect area, QImage sfondo, QColor coloreSfondo, QFont font,
               Orientamento orientamento = Orientamento::Diretta);

  // From here on the colours are drawn as designed, night vision or not: for
  // paper.
  void ColoriDiGiorno() { diGiorno_ = true; }

  void Scala(double x1, double y1, double x2, double y2) override;
  void Cls() override;
  void LarghezzaLinea(double w) override;
  void Riempimento(Colore c) override;
  void Linea(double x1, double y1, double x2, double y2, Colore c) override;
  void Cerchio(double x, double y, double r, Colore c, double aspetto) override;
  void Arco(double x, double y, double r, Colore c, double inizio, double fine,
            double aspetto) override;
  void Punto(double x, double y, Colore c) override;
  void Stampa(const std::string& testo) override;
  void Riquadro(double x1, double y1, double x2, double y2, Colore c) override;
  void ColoreTesto(Colore c) override;
  void Posizione(double x, double y) override;

 private:
  // Semi-axes in pixels: r is measured along x; the aspect is height / width
  // on the screen, so aspect 1 gives a round circle whatever the scale.
  QPointF SemiassiPixel(double r, double aspetto) const;
  QPen Penna(Colore c) const;
  // Draws from here on in the area's pixels as the orientation turns them.
  void Orientato();
  // Colours as shown (visione_notturna.h), or as designed on paper.
  QColor Scena(QColor c) const;
  QColor Fondo(QColor c) const;
  QColor Inchiostro(QColor c) const;

  QPainter& p_;
  QRect area_;
  QImage sfondo_;
  QColor coloreSfondo_;
  QFont font_;
  QTransform orientamento_;  // area pixels -> turned area pixels
  QTransform utente_;        // user units -> area pixels, before turning
  double x1_ = 0;      // left edge of the user scale
  double larghezza_ = 1;
  QColor riempimento_{0, 0, 0};
  QColor testo_{0, 0, 0};
  QPointF posizione_;  // text position, user units
  bool diGiorno_ = false;
};

}  // namespace mr
