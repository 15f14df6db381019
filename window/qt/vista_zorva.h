// The picture area Zorva: the rendered picture of Jupiter for the latest
// central meridian and GRS longitude, with the model's drawing over it.
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

namespace mr {

class MacchiaRossa;

class VistaZorva : public QWidget {
  Q_OBJECT

 public:
  VistaZorva(const MacchiaRossa& modello, QWidget* genitore);

  std::function<void()> alClic;
  std::function<void()> alDoppioClic;

 protected:
  void paintEvent(QPaintEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;

 private:
  // The picture for omega and L at the current size in device pixels,
  // rendered again only when one of them has changed.
  const QImage& Sfondo(double omega, double L);

  const MacchiaRossa& m_;
  QImage sfondo_;
  double omegaSfondo_ = 0, LSfondo_ = 0;
};

}  // namespace mr
