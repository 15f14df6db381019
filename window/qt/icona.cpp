#include "window/qt/icona.h"

#include <QPainter>
#include <QSize>
#include <cmath>

#include "window/qt/immagini.h"

namespace mr {

QImage IconaGiove(int lato) {
  if (lato < 1 || lato > 1024) return {};
  // The disk, 252 units wide centred at (134, 129) of the picture's 275 x 255
  // units, drawn 0.92 * N px wide on an N px square.
  constexpr int N = 1024;
  const double s = 0.92 * N / 252;
  const QSize pixel(static_cast<int>(std::lround(275 * s)), static_cast<int>(std::lround(255 * s)));
  QImage giove = ImmagineGiove(pixel, 20, 35).convertToFormat(QImage::Format_ARGB32);
  // Space around the disk is pure black; on the disk even the darkened limb is not.
  for (int y = 0; y < giove.height(); ++y) {
    auto* riga = reinterpret_cast<QRgb*>(giove.scanLine(y));
    for (int x = 0; x < giove.width(); ++x)
      if ((riga[x] & 0xFFFFFFu) == 0) riga[x] = 0;
  }
  QImage quadrato(N, N, QImage::Format_ARGB32_Premultiplied);
  quadrato.fill(Qt::transparent);
  {
    QPainter p(&quadrato);
    p.drawImage(QPointF(N / 2.0 - 134 * s, N / 2.0 - 129 * s), giove);
  }
  return quadrato.scaled(lato, lato, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

}  // namespace mr
