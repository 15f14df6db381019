#include "ephemeris/eventi.h"

#include <algorithm>
#include <cmath>
#include <tuple>

#include "ephemeris/calendario.h"
#include "ephemeris/istante_ut.h"
#include "ephemeris/l12.h"
#include "ephemeris/radici.h"
#include "ephemeris/vista_giove.h"

namespace mr {

namespace {

constexpr double kTolleranza = 1e-7;        // days (0.009 s): roots of the contacts
constexpr double kTolleranzaCongiunzione = 1e-4;  // days: centre of a search
constexpr double kTolleranzaMinimo = 1e-6;  // days: closest approach of a grazing passage
constexpr double kPassoScansione = 0.2;     // days: under an eighth of Io's period
constexpr double kPassoMacchia = 0.1;       // days: 87 degrees of rotation
constexpr double kMargine = 0.5;            // days scanned beyond the window
constexpr double kGiorniMassimi = 3660;

// Mean motions (rad/day) and orbital radii (equatorial radii): a contact lies
// within about 1 / (n r) days of the conjunction (where the offset is 1).
constexpr double kMoto[4] = {3.5515, 1.7693, 0.8782, 0.3765};
constexpr double kRaggio[4] = {5.90, 9.39, 14.97, 26.33};

enum class Fenomeno { Transito, Occultazione, Ombra, Eclisse };

CodiceEvento Codice(Fenomeno f, bool inizio) {
  switch (f) {
    case Fenomeno::Transito: return inizio ? CodiceEvento::TrI : CodiceEvento::TrE;
    case Fenomeno::Occultazione: return inizio ? CodiceEvento::OcD : CodiceEvento::OcR;
    case Fenomeno::Ombra: return inizio ? CodiceEvento::ShI : CodiceEvento::ShE;
    case Fenomeno::Eclisse: break;
  }
  return inizio ? CodiceEvento::EcD : CodiceEvento::EcR;
}

class Cercatore {
 public:
  Cercatore(double t0, double t1, double deltaT)
      : pianeti_(t0 - kMargine - 1, t1 + kMargine + 1), t0_(t0), t1_(t1), deltaT_(deltaT) {}

  void Satelliti(std::vector<Evento>& eventi) const;
  void Macchia(const ModelloMacchia& m, std::vector<Evento>& eventi) const;
  void CalcolaAltezze(const Sito& sito, std::vector<Evento>& eventi) const;

 private:
  Pianeti pianeti_;
  double t0_, t1_, deltaT_;

  // Signed offsets of satellite i across the line of sight from the Earth and
  // across the sunlight: each is 0 at a conjunction.
  std::pair<double, double> Scarti(const VistaGiove& v, int i) const;
  // Below 0 while the phenomenon is under way (distance from the limb).
  double Funzione(Fenomeno f, int i, double t) const;
  void Fenomeni(Fenomeno f, int i, double tc, std::vector<Evento>& eventi) const;
  void Aggiungi(Fenomeno f, int i, double t, bool inizio, std::vector<Evento>& eventi) const;
};

std::pair<double, double> Cercatore::Scarti(const VistaGiove& v, int i) const {
  Vettore r = StatoL12(i, v.t - v.tau).r;
  return {Scalare(r, v.x), Scalare(r, Vettoriale(v.luce, v.o.polo))};
}

double Cercatore::Funzione(Fenomeno f, int i, double t) const {
  VistaGiove v = Vista(pianeti_, t);
  switch (f) {
    case Fenomeno::Transito:
    case Fenomeno::Occultazione: return SatelliteDallaTerra(v, i).terra.distanza - 1;
    case Fenomeno::Eclisse: return SatelliteDallaTerra(v, i).sole.distanza - 1;
    case Fenomeno::Ombra: break;
  }
  // The shadow counts while it falls on the planet and on the visible side.
  OmbraVista o = OmbraDallaTerra(v, i);
  double d = o.raggio.distanza - 1;
  return d < 0 ? std::max(d, -o.visibilita) : d;
}

void Cercatore::Satelliti(std::vector<Evento>& eventi) const {
  double inizio = t0_ - kMargine, fine = t1_ + kMargine;
  int passi = static_cast<int>(std::ceil((fine - inizio) / kPassoScansione));
  double tPrima = 0;
  std::pair<double, double> prima[4];
  for (int k = 0; k <= passi; ++k) {
    double t = inizio + k * kPassoScansione;
    VistaGiove v = Vista(pianeti_, t);
    for (int i = 0; i < 4; ++i) {
      auto ora = Scarti(v, i);
      if (k > 0 && (ora.first > 0) != (prima[i].first > 0)) {
        auto x = [&](double s) { return Scarti(Vista(pianeti_, s), i).first; };
        double tc = Radice(x, tPrima, t, prima[i].first, ora.first, kTolleranzaCongiunzione);
        VistaGiove vc = Vista(pianeti_, tc);
        bool davanti = Scalare(StatoL12(i, tc - vc.tau).r, vc.terra) > 0;
        Fenomeni(davanti ? Fenomeno::Transito : Fenomeno::Occultazione, i, tc, eventi);
      }
      if (k > 0 && (ora.second > 0) != (prima[i].second > 0)) {
        auto x = [&](double s) { return Scarti(Vista(pianeti_, s), i).second; };
        double tc = Radice(x, tPrima, t, prima[i].second, ora.second, kTolleranzaCongiunzione);
        VistaGiove vc = Vista(pianeti_, tc);
        bool versoSole = Scalare(StatoL12(i, tc - vc.tau).r, vc.luce) < 0;
        Fenomeni(versoSole ? Fenomeno::Ombra : Fenomeno::Eclisse, i, tc, eventi);
      }
      prima[i] = ora;
    }
    tPrima = t;
  }
}

// The contacts of one phenomenon around its conjunction at tc: sign changes
// on a few samples, or, for a grazing passage between them, the minimum.
void Cercatore::Fenomeni(Fenomeno f, int i, double tc, std::vector<Evento>& eventi) const {
  const int n = 8;
  const double H = 1.6 / (kRaggio[i] * kMoto[i]);
  auto F = [&](double t) { return Funzione(f, i, t); };
  double t[n + 1], y[n + 1];
  for (int k = 0; k <= n; ++k) {
    t[k] = tc - H + 2 * H * k / n;
    y[k] = F(t[k]);
  }
  bool trovato = false;
  for (int k = 0; k < n; ++k) {
    if ((y[k] < 0) != (y[k + 1] < 0)) {
      Aggiungi(f, i, Radice(F, t[k], t[k + 1], y[k], y[k + 1], kTolleranza), y[k] >= 0, eventi);
      trovato = true;
    }
  }
  int m = static_cast<int>(std::min_element(y, y + n + 1) - y);
  if (trovato || y[m] > 0.5) return;
  double a = t[std::max(m - 1, 0)], b = t[std::min(m + 1, n)];
  auto [tm, ym] = Minimo(F, a, b, kTolleranzaMinimo);
  if (ym >= 0) return;
  Aggiungi(f, i, Radice(F, a, tm, F(a), ym, kTolleranza), true, eventi);
  Aggiungi(f, i, Radice(F, tm, b, ym, F(b), kTolleranza), false, eventi);
}

void Cercatore::Aggiungi(Fenomeno f, int i, double t, bool inizio,
                         std::vector<Evento>& eventi) const {
  if (t < t0_ || t >= t1_) return;
  bool nascosto = false;
  if (f == Fenomeno::Occultazione || f == Fenomeno::Eclisse) {
    SatelliteVisto s = SatelliteDallaTerra(Vista(pianeti_, t), i);
    nascosto = f == Fenomeno::Occultazione ? Eclissato(s) : Occultato(s);
  }
  eventi.push_back({JdUT(t, deltaT_), Codice(f, inizio), i + 1, 0, 0, nascosto});
}

void Cercatore::Macchia(const ModelloMacchia& m, std::vector<Evento>& eventi) const {
  // The central meridian less the Spot's longitude, in (-180, 180]: rising
  // through 0 at each transit.
  auto g = [&](double t) {
    VistaGiove v = Vista(pianeti_, t);
    return std::remainder(LongitudineSistemaII(v.o, v.terra) -
                              LongitudineMacchia(m, JdUT(t, deltaT_)), 360.0);
  };
  int passi = static_cast<int>(std::ceil((t1_ - t0_) / kPassoMacchia));
  double tPrima = t0_, gPrima = g(t0_);
  for (int k = 1; k <= passi; ++k) {
    double t = t0_ + k * kPassoMacchia, gOra = g(t);
    if (gPrima <= 0 && gOra > 0 && gOra - gPrima < 180) {
      double tr = Radice(g, tPrima, t, gPrima, gOra, kTolleranza);
      if (tr >= t0_ && tr < t1_) {
        eventi.push_back({JdUT(tr, deltaT_), CodiceEvento::GRS, 0, 0, 0, false});
      }
    }
    tPrima = t;
    gPrima = gOra;
  }
}

void Cercatore::CalcolaAltezze(const Sito& sito, std::vector<Evento>& eventi) const {
  Orizzonte orizzonte(sito);
  for (Evento& e : eventi) {
    mr::Altezze a = AltezzeAllIstante(orizzonte, pianeti_, {e.jdUT, deltaT_});
    e.altGiove = a.giove;
    e.altSole = a.sole;
  }
}

bool Finito(const Sito& s) {
  return std::isfinite(s.longitudine) && std::isfinite(s.latitudine) && std::isfinite(s.quota);
}

bool Finito(const ModelloMacchia& m) {
  return std::isfinite(m.L0) && std::isfinite(m.deriva) && std::isfinite(m.epocaJdUT);
}

}  // namespace

const char* SiglaEvento(CodiceEvento codice) {
  switch (codice) {
    case CodiceEvento::TrI: return "Tr.I";
    case CodiceEvento::TrE: return "Tr.E";
    case CodiceEvento::ShI: return "Sh.I";
    case CodiceEvento::ShE: return "Sh.E";
    case CodiceEvento::OcD: return "Oc.D";
    case CodiceEvento::OcR: return "Oc.R";
    case CodiceEvento::EcD: return "Ec.D";
    case CodiceEvento::EcR: return "Ec.R";
    case CodiceEvento::GRS: break;
  }
  return "GRS";
}

double LongitudineMacchia(const ModelloMacchia& m, double jdUT) {
  double L = std::fmod(m.L0 + m.deriva * (jdUT - m.epocaJdUT) / 30.4375, 360.0);
  if (L < 0) L += 360;
  return L == 360 ? 0 : L;  // a tiny negative remainder rounds up to 360
}

RicercaEventi CercaEventi(double jdInizioUT, double giorni, double deltaT, const Sito& sito,
                          const ModelloMacchia& macchia) {
  if (!(std::isfinite(jdInizioUT) && giorni > 0 && giorni <= kGiorniMassimi &&
        std::isfinite(deltaT) && Finito(sito) && Finito(macchia))) {
    return {EsitoEventi::DatiNonValidi, {}};
  }
  if (!IstanteAmmesso(jdInizioUT) || jdInizioUT + giorni > GiornoGiuliano(1, 1, 3000)) {
    return {EsitoEventi::FuoriIntervallo, {}};
  }
  double t0 = GiorniTT({jdInizioUT, deltaT});
  Cercatore c(t0, t0 + giorni, deltaT);
  RicercaEventi r{EsitoEventi::Calcolati, {}};
  c.Satelliti(r.eventi);
  c.Macchia(macchia, r.eventi);
  std::sort(r.eventi.begin(), r.eventi.end(), [](const Evento& a, const Evento& b) {
    return std::tie(a.jdUT, a.satellite, a.codice) < std::tie(b.jdUT, b.satellite, b.codice);
  });
  c.CalcolaAltezze(sito, r.eventi);
  return r;
}

}  // namespace mr
