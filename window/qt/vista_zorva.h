// The picture area Zorva: the rendered picture of Jupiter for the latest
// central meridian and GRS longitude, with the model's drawing over it, both
// turned as the eyepiece shows them.
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

#include "window/orientamento.h"

namespace mr {

class MacchiaRossa;

class VistaZorva : public QWidget {
  Q_OBJECT

 public:
  VistaZorva(const MacchiaRossa& modello, QWidget* genitore);

  std::function<void()> alClic;
  std::function<void()> alDoppioClic;

  void ImpostaOrientamento(Orientamento o);
  Orientamento OrientamentoAttuale() const { return orientamento_; }

 protected:
  void paintEvent(QPaintEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;

 private:
  // The picture for omega and L at the current size in device pixels, as
  // night vision shows it, rendered again only when one of them has changed.
  const QImage& Sfondo(double omega, double L);

  const MacchiaRossa& m_;
  Orientamento orientamento_ = Orientamento::Diretta;
  QImage sfondo_;
  double omegaSfondo_ = 0, LSfondo_ = 0;
  bool notturnoSfondo_ = false;
};

}  // namespace mr
