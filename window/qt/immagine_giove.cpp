// The picture of Jupiter behind the picture area: the map seen on the disk
// for a central meridian, with the Great Red Spot at its longitude.
#include <QImage>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <map>
#include <utility>
#include <vector>

#include "window/qt/giove_mappa.h"
#include "window/qt/immagini.h"
#include "window/qt/pittura.h"

namespace mr {
namespace {

using namespace pittura;

// Limb darkening of the cloud tops, mu the cosine of the angle from the centre.
double Oscuramento(double mu) { return 0.12 + 0.88 * std::pow(std::max(mu, 0.0), 0.55); }

// One picture pixel on the disk: where it is, which texel it shows (row, and
// column counted back from the central meridian's), and its brightness
// (limb darkening times the share of the pixel covered by the disk, 0..256).
struct Punto {
  std::uint16_t x, y;
  std::uint16_t riga, colonna;
  std::uint16_t luce;
};

struct Tabella {
  std::vector<Punto> punti;
};

Punto PuntoDelDisco(int px, int py, double dx, double phi, double copertura) {
  double nx = std::clamp(dx / std::max(SemiLarghezza(phi), 1e-9), -1.0, 1.0);
  double scostamento = std::asin(nx) / rad;  // longitude of the pixel is omega - scostamento
  int colonna = Colonna(-scostamento);
  int riga = std::clamp(static_cast<int>((90.0 - phi) / passo), 0, NB - 1);
  double mu = std::cos(phi * rad) * std::sqrt(1 - nx * nx);
  int luce = static_cast<int>(std::lround(256 * copertura * Oscuramento(mu)));
  return {static_cast<std::uint16_t>(px), static_cast<std::uint16_t>(py), static_cast<std::uint16_t>(riga),
          static_cast<std::uint16_t>(colonna), static_cast<std::uint16_t>(luce)};
}

Tabella CreaTabella(QSize pixel) {
  constexpr int S = 4;  // sub-samples per pixel side at the limb
  Tabella t;
  int W = pixel.width(), H = pixel.height();
  double sx = W / 275.0, sy = H / 255.0;
  double cima = AltezzaCima();
  auto altezza = [&](double py) { return 129.0 - py / sy; };
  // Half-width of the disk on each sub-row, negative off the disk.
  std::vector<double> semi(static_cast<std::size_t>(H) * S);
  for (int q = 0; q < H * S; ++q) {
    double h = altezza((q + 0.5) / S);
    semi[q] = std::abs(h) > cima ? -1 : SemiLarghezza(LatitudineAllAltezza(h));
  }
  for (int py = 0; py < H; ++py) {
    double phiRiga = LatitudineAllAltezza(altezza(py + 0.5));
    for (int px = 0; px < W; ++px) {
      int dentro = 0;
      double somma_x = 0, somma_h = 0;
      for (int b = 0; b < S; ++b) {
        double w = semi[static_cast<std::size_t>(py) * S + b];
        if (w < 0) continue;
        double h = altezza(py + (b + 0.5) / S);
        for (int a = 0; a < S; ++a) {
          double dx = (px + (a + 0.5) / S) / sx - 134.0;
          if (std::abs(dx) <= w) {
            ++dentro;
            somma_x += dx;
            somma_h += h;
          }
        }
      }
      if (dentro == 0) continue;
      double copertura = static_cast<double>(dentro) / (S * S);
      if (dentro == S * S)
        t.punti.push_back(PuntoDelDisco(px, py, (px + 0.5) / sx - 134.0, phiRiga, 1));
      else
        t.punti.push_back(
            PuntoDelDisco(px, py, somma_x / dentro, LatitudineAllAltezza(somma_h / dentro), copertura));
    }
  }
  return t;
}

// The table of the latest few picture sizes.
const Tabella& TabellaPer(QSize pixel) {
  static std::map<std::pair<int, int>, Tabella> cache;
  auto chiave = std::make_pair(pixel.width(), pixel.height());
  auto it = cache.find(chiave);
  if (it != cache.end()) return it->second;
  if (cache.size() >= 8) cache.clear();
  return cache.emplace(chiave, CreaTabella(pixel)).first->second;
}

// c scaled by s/256, channel by channel.
QRgb Scala(QRgb c, unsigned s) {
  unsigned rb = ((c & 0xFF00FFu) * s >> 8) & 0xFF00FFu;
  unsigned g = ((c & 0x00FF00u) * s >> 8) & 0x00FF00u;
  return 0xFF000000u | rb | g;
}

QRgb Componi(QRgb base, const std::array<int, 3>& C, int A) {
  int resto = 256 - A;
  return qRgb(std::min(255, C[0] + (qRed(base) * resto >> 8)), std::min(255, C[1] + (qGreen(base) * resto >> 8)),
              std::min(255, C[2] + (qBlue(base) * resto >> 8)));
}

}  // namespace

QImage ImmagineGiove(QSize pixel, double omega, double L) {
  if (!pittura::DimensioneValida(pixel)) return {};
  QImage img(pixel, QImage::Format_RGB32);
  if (img.isNull()) return img;
  img.fill(qRgb(0, 0, 0));
  const Tabella& tabella = TabellaPer(pixel);
  const Mappa& mappa = MappaGiove();
  const Toppa& toppa = ToppaMacchia();
  const int cm = Colonna(omega), cl = Colonna(L);
  const auto passoRiga = static_cast<std::size_t>(img.bytesPerLine() / 4);
  auto* dst = reinterpret_cast<QRgb*>(img.bits());
  for (const Punto& p : tabella.punti) {
    int colonna = p.colonna + cm;
    if (colonna >= NL) colonna -= NL;
    QRgb c = mappa.texel[static_cast<std::size_t>(p.riga) * NL + colonna];
    int j = p.riga - toppa.riga0;
    if (j >= 0 && j < toppa.righe) {
      int rel = colonna - cl;
      if (rel >= NL / 2) rel -= NL;
      if (rel < -NL / 2) rel += NL;
      if (rel >= -toppa.mezza && rel < toppa.mezza) {
        std::size_t k = static_cast<std::size_t>(j) * 2 * toppa.mezza + (rel + toppa.mezza);
        if (toppa.alfa[k] > 0) c = Componi(c, toppa.colore[k], toppa.alfa[k]);
      }
    }
    dst[p.y * passoRiga + p.x] = Scala(c, p.luce);
  }
  return img;
}

}  // namespace mr
