#include "window/ingrandimento.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "ephemeris/dischi.h"
#include "ephemeris/nomi_satelliti.h"

namespace mr {

namespace {

constexpr double kSoglia = 3;      // contact distances: a nearer pair is shown
constexpr double kBordo = 2;       // pixels kept free inside the frame
constexpr double kSpazio = 4;      // pixels between a name and the drawing
constexpr double kRigaTesto = 15;  // pixels
constexpr int kFascePenombra = 4;
constexpr double kPi = std::numbers::pi;
constexpr Colore kNero = RGB(0, 0, 0);
constexpr Colore kCornice = RGB(128, 128, 128);
constexpr double kDiametroB = 0.8;  // of the height, when no disk stands in front

double Contatto(const CoppiaMutua& c) { return c.rA + c.rSole + c.rB; }
double Vicinanza(const CoppiaMutua& c) { return c.distanza / Contatto(c); }

// A disk: its centre and radius, in km from B's centre (x west, y north) or
// in pixels.
struct Disco {
  double x, y, r;
};

Colore Scurito(Colore c, double luce) {
  const auto canale = [&](int spostamento) {
    return static_cast<int>(std::lround(((c >> spostamento) & 0xff) * std::clamp(luce, 0.0, 1.0)));
  };
  return RGB(canale(16), canale(8), canale(0));
}

// The fraction of the Sun's disk seen from r km off the shadow's axis.
double Luce(const CoppiaMutua& e, double r) {
  if (!(e.rSole > 0)) return r < e.rA ? 0 : 1;
  return 1 - AreaComune(e.rSole, e.rA, r) / (kPi * e.rSole * e.rSole);
}

// A's shadow on B's disk b, row by row, every row cut to the disk: the
// inside of the umbra (or of the antumbra past its vertex), then the
// penumbra in bands, each in B's colour darkened by the sunlight at its
// middle. asse: the shadow's axis; k: pixels a km.
void OmbraSuB(Tela& tela, Disco b, Disco asse, const CoppiaMutua& e, double k, Colore colore) {
  const double nucleo = std::abs(e.rA - e.rSole), bordo = e.rA + e.rSole;  // km
  std::vector<double> raggi{0, nucleo};
  for (int j = 1; j <= kFascePenombra; ++j)
    raggi.push_back(nucleo + (bordo - nucleo) * j / kFascePenombra);
  const int righe = std::max(1, static_cast<int>(std::ceil(2 * b.r)));
  const double h = 2 * b.r / righe;
  tela.LarghezzaLinea(1);
  for (std::size_t f = 0; f + 1 < raggi.size(); ++f) {
    if (!(raggi[f + 1] > raggi[f])) continue;
    const Colore c = Scurito(colore, Luce(e, (raggi[f] + raggi[f + 1]) / 2));
    const double r0 = k * raggi[f], r1 = k * raggi[f + 1];
    for (int j = 0; j < righe; ++j) {
      const double y = b.y - b.r + (j + 0.5) * h, dy = y - asse.y;
      if (std::abs(dy) >= r1) continue;
      const double mezzaB = std::sqrt(std::max(0.0, b.r * b.r - (y - b.y) * (y - b.y)));
      const double fuori = std::sqrt(r1 * r1 - dy * dy);
      const double dentro = std::abs(dy) < r0 ? std::sqrt(r0 * r0 - dy * dy) : 0;
      const auto tratto = [&](double da, double a) {
        da = std::max(da, b.x - mezzaB);
        a = std::min(a, b.x + mezzaB);
        if (a > da) tela.Linea(da, y, a, y, c);
      };
      if (dentro > 0) {
        tratto(asse.x - fuori, asse.x - dentro);
        tratto(asse.x + dentro, asse.x + fuori);
      } else {
        tratto(asse.x - fuori, asse.x + fuori);
      }
    }
  }
}

void Cornice(Tela& tela, double larghezza, double altezza) {
  tela.LarghezzaLinea(1);
  tela.Linea(0.5, 0.5, larghezza - 0.5, 0.5, kCornice);
  tela.Linea(larghezza - 0.5, 0.5, larghezza - 0.5, altezza - 0.5, kCornice);
  tela.Linea(larghezza - 0.5, altezza - 0.5, 0.5, altezza - 0.5, kCornice);
  tela.Linea(0.5, altezza - 0.5, 0.5, 0.5, kCornice);
}

// A circle's outline as chords of about two pixels, only those within the
// rectangle [x0, x1] x [y0, y1] (pixels): the shadow's cross-section is wider
// than the view.
void ContornoTagliato(Tela& tela, Disco d, Colore c, double x0, double y0, double x1, double y1) {
  const int lati = std::clamp(static_cast<int>(std::ceil(kPi * d.r)), 24, 720);
  const auto dentro = [&](double x, double y) { return x >= x0 && x <= x1 && y >= y0 && y <= y1; };
  double xa = d.x + d.r, ya = d.y;
  for (int j = 1; j <= lati; ++j) {
    const double u = 2 * kPi * j / lati;
    const double xb = d.x + d.r * std::cos(u), yb = d.y - d.r * std::sin(u);
    if (dentro(xa, ya) && dentro(xb, yb)) tela.Linea(xa, ya, xb, yb, c);
    xa = xb;
    ya = yb;
  }
}

}  // namespace

std::optional<Ingrandimento> DaIngrandire(std::span<const CoppiaMutua> coppie) {
  const CoppiaMutua* vicina = nullptr;
  for (const CoppiaMutua& c : coppie)
    if (Vicinanza(c) < kSoglia && (!vicina || Vicinanza(c) < Vicinanza(*vicina))) vicina = &c;
  if (!vicina) return std::nullopt;
  Ingrandimento i{*vicina, std::nullopt};
  for (const CoppiaMutua& c : coppie)
    if (c.tipo != vicina->tipo && c.attivo == vicina->attivo && c.passivo == vicina->passivo &&
        Vicinanza(c) < kSoglia)
      i.insieme = c;
  return i;
}

void DisegnaIngrandimento(Tela& tela, const Ingrandimento& ingrandimento, Colore sfondo) {
  const double W = LarghezzaIngrandimento, H = AltezzaIngrandimento;
  const CoppiaMutua& p = ingrandimento.coppia;
  const auto diTipo = [&](TipoMutuo t) -> const CoppiaMutua* {
    if (p.tipo == t) return &p;
    return ingrandimento.insieme && ingrandimento.insieme->tipo == t ? &*ingrandimento.insieme
                                                                       : nullptr;
  };
  const CoppiaMutua* occultazione = diTipo(TipoMutuo::Occultazione);
  const CoppiaMutua* eclisse = diTipo(TipoMutuo::Eclisse);
  tela.Scala(0, 0, W, H);
  tela.Cls();  // the panel's background, which night vision may darken
  Cornice(tela, W, H);
  if (p.attivo < 1 || p.attivo > 4 || p.passivo < 1 || p.passivo > 4) return;

  // B and A in km from B's centre.
  std::vector<Disco> dischi{{0, 0, p.rB}};
  if (occultazione) dischi.push_back({occultazione->x, occultazione->y, occultazione->rA});
  double xMin = 0, xMax = 0, yMin = 0, yMax = 0;
  for (const Disco& d : dischi) {
    xMin = std::min(xMin, d.x - d.r);
    xMax = std::max(xMax, d.x + d.r);
    yMin = std::min(yMin, d.y - d.r);
    yMax = std::max(yMax, d.y + d.r);
  }

  // The names beside the drawing, A's on the side where A stands.
  const std::string nomeA = NomiSatelliti[p.attivo - 1].nome;
  const std::string nomeB = NomiSatelliti[p.passivo - 1].nome;
  const std::string etichettaA = occultazione && eclisse ? nomeA + " e la sua ombra"
                                 : occultazione          ? nomeA
                                                         : "ombra di " + nomeA;
  const bool aDestra = p.x >= 0;
  const std::string& sinistra = aDestra ? nomeB : etichettaA;
  const std::string& destra = aDestra ? etichettaA : nomeB;
  const double wSinistra = LarghezzaStimata(sinistra), wDestra = LarghezzaStimata(destra);
  const double spazio = W - 2 * kBordo - 2 * kSpazio - wSinistra - wDestra;  // for the drawing

  // Pixels a km, one scale for an event. With A in front the box's height
  // holds twice the distance at which the two disks touch, so both stay
  // whole while they pass; with the shadow alone B fills most of the height
  // and the shadow's outlines are cut at the drawing's edges.
  const double alto = H - 2 * kBordo;
  const double k = std::min(occultazione ? alto / std::max(2 * Contatto(*occultazione), yMax - yMin)
                                         : kDiametroB * alto / (2 * p.rB),
                            spazio / (xMax - xMin));
  if (!(k > 0 && std::isfinite(k))) return;
  if (!occultazione) {
    // Room on both sides of B for the shadow coming and going.
    xMax = std::max(xMax, std::min(Contatto(p), spazio / 2 / k));
    xMin = -xMax;
  }
  const double ox = kBordo + wSinistra + kSpazio + (spazio - k * (xMax - xMin)) / 2 - k * xMin;
  const double oy = H / 2 + k * (yMin + yMax) / 2;
  const auto pixel = [&](Disco d) { return Disco{ox + k * d.x, oy - k * d.y, k * d.r}; };

  const Disco b = pixel(dischi[0]);
  tela.Riempimento(ColoriPannello[p.passivo - 1]);
  tela.Cerchio(b.x, b.y, b.r, kNero, 1);
  if (eclisse) {
    const Disco asse = pixel({eclisse->x, eclisse->y, 0});
    OmbraSuB(tela, b, asse, *eclisse, k, ColoriPannello[p.passivo - 1]);
    tela.Arco(b.x, b.y, b.r, kNero, 0, 2 * kPi, 1);
    const double x0 = ox + k * xMin, x1 = ox + k * xMax;
    ContornoTagliato(tela, {asse.x, asse.y, k * (eclisse->rA + eclisse->rSole)},
                     ColoreContornoPenombra, x0, kBordo, x1, H - kBordo);
    if (eclisse->rA > eclisse->rSole)
      ContornoTagliato(tela, {asse.x, asse.y, k * (eclisse->rA - eclisse->rSole)},
                       ColoreContornoOmbra, x0, kBordo, x1, H - kBordo);
  }
  if (occultazione) {
    const Disco a = pixel(dischi[1]);
    tela.Riempimento(ColoriPannello[p.attivo - 1]);
    tela.Cerchio(a.x, a.y, a.r, kNero, 1);
  }
  const Colore inchiostro = InchiostroSu(sfondo);
  const double y = H / 2 - kRigaTesto / 2;
  ScriviTesto(tela, ox + k * xMin - kSpazio - wSinistra, y, sinistra, inchiostro);
  ScriviTesto(tela, ox + k * xMax + kSpazio, y, destra, inchiostro);
}

}  // namespace mr
