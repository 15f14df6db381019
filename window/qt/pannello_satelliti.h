// The satellite panel window frmSatelliti: a small modeless tool window that
// shows the panel drawing of the model (turned as the eyepiece shows it, with
// the directions of east and west at its lower corners), the legend of the
// four satellites and the two labels of the sky state and of Jupiter's
// altitude.
#pragma once

#include <QColor>
#include <QFrame>
#include <QString>
#include <QWidget>
#include <functional>

#include "window/orientamento.h"

class QLabel;

namespace mr {

class MacchiaRossa;

// One legend box: a small captioned frame; a click opens the satellite's picture.
class Legenda : public QFrame {
  Q_OBJECT

 public:
  Legenda(const QString& didascalia, QColor colore, QWidget* genitore);
  std::function<void()> alClic;
  QColor Colore() const { return colore_; }

 protected:
  void paintEvent(QPaintEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;

 private:
  QString didascalia_;
  QColor colore_;
};

class FinestraSatelliti : public QWidget {
  Q_OBJECT

 public:
  FinestraSatelliti(MacchiaRossa& modello, QWidget* genitore);

  // Caption, colours and label texts from the model, then a repaint.
  void Aggiorna();
  void ImpostaOrientamento(Orientamento o);

  Legenda* Riquadro(int i) const { return riquadri_[i - 1]; }  // 1 Io .. 4 Callisto
  QLabel* Visibilita() const { return visibilita_; }
  QLabel* Elevazione() const { return elevazione_; }
  // The marks "E" and "O" at the lower left and right corners.
  QLabel* MarcaSinistra() const { return marche_[0]; }
  QLabel* MarcaDestra() const { return marche_[1]; }

 protected:
  void paintEvent(QPaintEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  MacchiaRossa& m_;
  Legenda* riquadri_[4] = {};
  QLabel* visibilita_ = nullptr;
  QLabel* elevazione_ = nullptr;
  QLabel* marche_[2] = {};
  Orientamento orientamento_ = Orientamento::Diretta;
};

}  // namespace mr
