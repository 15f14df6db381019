// The screen canvas: draws the canvas operations with a QPainter onto a
// pixel area, over a background (a picture or a plain colour) that Cls
// repaints.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QPointF>
#include <QRect>
#include <QTransform>

#include "window/tela.h"

namespace mr {

QColor ColoreQt(Colore c);

// Sets one palette colour of a widget, leaving the palette alone when it
// already holds that colour.
void ImpostaColore(QWidget* w, QPalette::ColorRole ruolo, QColor colore);

class TelaQPainter : public Tela {
 public:
  // Draws on p over the pixel rectangle area. The background is the picture
  // sfondo scaled to the area, or the plain colour when the picture is null.
  TelaQPainter(QPainter& p, QRect area, QImage sfondo, QColor coloreSfondo, QFont font);

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

 private:
  // Semi-axes in pixels: r is measured along x; the aspect is height / width
  // on the screen, so aspect 1 gives a round circle whatever the scale.
  QPointF SemiassiPixel(double r, double aspetto) const;
  QPen Penna(Colore c) const;

  QPainter& p_;
  QRect area_;
  QImage sfondo_;
  QColor coloreSfondo_;
  QFont font_;
  QTransform utente_;  // user units -> pixels
  double x1_ = 0;      // left edge of the user scale
  double larghezza_ = 1;
  QColor riempimento_{0, 0, 0};
  QPointF posizione_;  // text position, user units
};

}  // namespace mr
