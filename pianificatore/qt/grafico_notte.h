// The night chart on screen and on paper, drawn through the canvas.
#pragma once

#include <QFont>
#include <QRect>
#include <QWidget>
#include <optional>
#include <span>
#include <vector>

#include "pianificatore/notte.h"

class QPainter;

namespace mr {

// Paints the chart over the pixel rectangle area of p's device, on the face
// colour, in the font given (the chart's text sizes are made for the
// window's 11-pixel font). On screen the colours follow night vision; on
// paper (diGiorno) they are drawn as designed.
void DipingiNotte(QPainter& p, QRect area, const QFont& font, const Notte& notte,
                  std::span<const RigaPiano> righe, AspettoNotte aspetto, bool diGiorno);

class GraficoNotte : public QWidget {
  Q_OBJECT

 public:
  explicit GraficoNotte(QWidget* genitore = nullptr);

  // The night to draw (none: a short note instead), the rows to mark on it,
  // and the minimum altitude, title and chosen event.
  void Imposta(std::optional<Notte> notte, std::vector<RigaPiano> righe, AspettoNotte aspetto);
  const std::optional<Notte>& NotteMostrata() const { return notte_; }
  const AspettoNotte& Aspetto() const { return aspetto_; }

  QSize sizeHint() const override { return {820, 250}; }
  QSize minimumSizeHint() const override { return {480, 180}; }

 protected:
  void paintEvent(QPaintEvent* e) override;

 private:
  std::optional<Notte> notte_;
  std::vector<RigaPiano> righe_;
  AspettoNotte aspetto_;
};

}  // namespace mr
