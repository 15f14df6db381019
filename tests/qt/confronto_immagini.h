// Comparing two pictures of the Qt tests.
#pragma once

#include <QImage>
#include <cstdlib>

namespace mr::prova {

// Mean difference of the channels of two pictures of the same size, 0..255.
inline double DifferenzaMedia(const QImage& a, const QImage& b) {
  double somma = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      somma += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
               std::abs(qBlue(p) - qBlue(q));
    }
  return somma / (3.0 * a.width() * a.height());
}

}  // namespace mr::prova
