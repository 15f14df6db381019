// The light curve of a mutual event on screen and on paper, drawn through the
// canvas.
#pragma once

#include <QFont>
#include <QRect>
#include <QWidget>
#include <memory>
#include <optional>
#include <string>

#include "pianificatore/curva_luce.h"
#include "pianificatore/fuso_orario.h"

class QPainter;

namespace mr {

// Paints the chart over the pixel rectangle area of p's device, on the face
// colour, in the font given (the chart's text sizes are made for the
// window's 11-pixel font), with the title above it. On screen the colours
// follow night vision; on paper (diGiorno) they are drawn as designed.
void DipingiCurva(QPainter& p, QRect area, const QFont& font, const CurvaEvento& curva,
                  const FusoOrario& fuso, const std::string& titolo, bool diGiorno);

// "1 O 2 - Io occulta Europa (parziale, calo 0,40 mag)": the chart's title.
std::string TitoloCurva(const EventoMutuo& e);

class GraficoCurva : public QWidget {
  Q_OBJECT

 public:
  explicit GraficoCurva(QWidget* genitore = nullptr);

  // The curve to draw and the zone of its times; none: a short note instead.
  void Imposta(std::optional<CurvaEvento> curva, std::shared_ptr<const FusoOrario> fuso);
  const std::optional<CurvaEvento>& CurvaMostrata() const { return curva_; }

  QSize sizeHint() const override { return {480, 250}; }
  QSize minimumSizeHint() const override { return {240, 180}; }

 protected:
  void paintEvent(QPaintEvent* e) override;

 private:
  std::optional<CurvaEvento> curva_;
  std::shared_ptr<const FusoOrario> fuso_;
};

}  // namespace mr
