#include "ephemeris/mutui.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <tuple>

#include "ephemeris/calendario.h"
#include "ephemeris/istante_ut.h"
#include "ephemeris/l12.h"
#include "ephemeris/radici.h"
#include "ephemeris/vista_giove.h"

namespace mr {

namespace {

constexpr double kKmUA = 149597870.7;  // km per astronomical unit
constexpr double kRaggioSole = 695700;  // km
constexpr double kRaggi[4] = {1821.6, 1560.8, 2631.2, 2410.3};       // km
constexpr double kMagnitudini[4] = {-1.68, -1.41, -2.09, -1.05};  // mean, at opposition

constexpr double kPasso = 0.05;       // days between samples of the scan (Io: 10 degrees)
constexpr int kCorde = 8;             // chords of the interpolated path per step
constexpr double kMargineKm = 1500;   // slack of the scan's test for a close approach
constexpr double kMargine = 0.1;      // days scanned beyond the window
constexpr double kTolleranza = 1e-7;  // days (0.009 s): maxima and contacts
constexpr double kPrimoPasso = 1.0 / 1440, kPassoMassimo = 16.0 / 1440;  // contact search
constexpr double kGiorniMassimi = 3660;
constexpr std::size_t kPuntiMassimi = 100000;  // of a light curve

// One pair at one instant, lengths in km in the plane through B's centre
// across the line of sight (occultation) or the shadow's axis (eclipse).
struct Geometria {
  double distanza;  // of B's centre from A's (seen from the Earth) or from the axis
  double rA;        // A's disk, as OmbraMutua::rAttivo for an eclipse
  double rSole;     // eclipse: the Sun's disk as in OmbraMutua; occultation: 0
  double rB;
  Vettore verso;    // from B's centre towards A's (the difference of the two
                    // directions from the Earth) or towards the axis, any length
  double Contatto() const { return rA + rSole + rB; }
};

// The satellites of an eclipse: B at the time its light reaching the Earth left
// it, A when the sunlight reaching B then passed it. Heliocentric, AU.
struct CoppiaEclisse {
  Vettore a, b;
  Vettore aGioviano;  // A from Jupiter's centre at A's time
};

// rB: B as SatelliteDallaTerra gives it.
CoppiaEclisse PosizioniEclisse(const VistaGiove& v, int a, Vettore rB) {
  CoppiaEclisse c;
  c.b = v.giove + rB;
  double tB = v.t - Modulo(rB - v.terra) / kLuceUAGiorno;
  // Jupiter moves uniformly over these few seconds.
  auto eliocentrico = [&](double t, Vettore gioviano) {
    return v.giove + (t - (v.t - v.tau)) * v.vGiove + gioviano;
  };
  // tA = tB - |A(tA) - B| / c, one step from tA = tB: A's place is then off by
  // its motion in under a millisecond.
  Vettore primo = eliocentrico(tB, StatoL12(a, tB).r);
  double tA = tB - Modulo(c.b - primo) / kLuceUAGiorno;
  c.aGioviano = StatoL12(a, tA).r;
  c.a = eliocentrico(tA, c.aGioviano);
  return c;
}

// rA, rB: the satellites as SatelliteDallaTerra gives them.
Geometria Occultazione(const VistaGiove& v, int a, Vettore rA, int b, Vettore rB) {
  Vettore uA = rA - v.terra;  // from the Earth
  Vettore uB = rB - v.terra;
  double dA = Modulo(uA), dB = Modulo(uB);
  double separazione = std::atan2(Modulo(Vettoriale(uA, uB)), Scalare(uA, uB));
  return {separazione * dB * kKmUA, kRaggi[a] * dB / dA, 0, kRaggi[b],
          (1 / dA) * uA - (1 / dB) * uB};
}

Geometria Occultazione(const VistaGiove& v, int a, int b) {
  return Occultazione(v, a, SatelliteDallaTerra(v, a).r, b, SatelliteDallaTerra(v, b).r);
}

Geometria Eclisse(const VistaGiove& v, int a, int b, Vettore rB) {
  CoppiaEclisse c = PosizioniEclisse(v, a, rB);
  double D = Modulo(c.a);
  Vettore asse = (1 / D) * c.a;  // from the Sun through A
  Vettore q = c.b - c.a;
  double s = Scalare(q, asse);
  Vettore fuori = q - s * asse;  // B's centre from the axis
  return {Modulo(fuori) * kKmUA, kRaggi[a] * (D + s) / D, kRaggioSole * s / D, kRaggi[b], -fuori};
}

Geometria Eclisse(const VistaGiove& v, int a, int b) {
  return Eclisse(v, a, b, SatelliteDallaTerra(v, b).r);
}

double Calo(TipoMutuo tipo, int a, int b, const Geometria& g) {
  if (tipo == TipoMutuo::Occultazione) {
    return CaloOccultazione(g.rA, g.rB, g.distanza, kMagnitudini[a], kMagnitudini[b]);
  }
  return CaloEclisse({g.rSole, g.rA}, g.rB, g.distanza);
}

GenereMutuo Genere(TipoMutuo tipo, const Geometria& g) {
  if (tipo == TipoMutuo::Occultazione) return GenereOccultazione(g.rA, g.rB, g.distanza);
  return GenereEclisse({g.rSole, g.rA}, g.rB, g.distanza);
}

// A close approach seen by the scan: satellites 0..3.
struct Candidato {
  TipoMutuo tipo;
  int a, b;
  double t;  // TT days from J2000.0, near the least distance
};

// The satellites' jovicentric states at Jupiter's time, and the directions
// that matter, at one instant of the scan.
struct Campione {
  Vettore vista;  // unit, from the Earth to Jupiter
  Vettore luce;   // unit, sunlight at Jupiter
  double distanzaSole;  // Jupiter's, AU
  StatoSatellite s[4];  // jovicentric, AU and AU/day
};

class Mutui {
 public:
  Mutui(double t0, double t1) : pianeti_(t0 - kMargine - 1, t1 + kMargine + 1) {}

  Geometria Calcola(TipoMutuo tipo, int a, int b, double t) const {
    VistaGiove v = Vista(pianeti_, t);
    return tipo == TipoMutuo::Occultazione ? Occultazione(v, a, b) : Eclisse(v, a, b);
  }

  std::vector<Candidato> Scansione(double t0, double t1) const;
  std::optional<EventoMutuo> Affina(const Candidato& c, double deltaT) const;
  void CalcolaAltezze(const Sito& sito, double deltaT, std::vector<EventoMutuo>& eventi) const;

 private:
  Pianeti pianeti_;

  Campione Campiona(double t) const;
  PosizioneMutuo Posizione(TipoMutuo tipo, int a, int b, double t) const;
};

Campione Mutui::Campiona(double t) const {
  VistaGiove v = Vista(pianeti_, t);
  Campione c{v.z, v.luce, Modulo(v.giove), {}};
  for (int i = 0; i < 4; ++i) c.s[i] = StatoL12(i, t - v.tau);
  return c;
}

// The relative path of each pair between two samples h days apart, as a cubic
// (Hermite, from positions and velocities), projected across the line of sight
// and across the sunlight and followed along kCorde chords: each chord whose
// least distance from the origin is a local least and is under the pair's
// contact distance (plus a slack) gives a candidate.
void CandidatiDelPasso(const Campione& c0, const Campione& c1, double t0, double h,
                       std::vector<Candidato>& candidati) {
  for (TipoMutuo tipo : {TipoMutuo::Occultazione, TipoMutuo::Eclisse}) {
    Vettore n = tipo == TipoMutuo::Occultazione ? c0.vista : c0.luce;
    for (int i = 0; i < 4; ++i) {
      for (int j = i + 1; j < 4; ++j) {
        Vettore r0 = c0.s[i].r - c0.s[j].r, v0 = h * (c0.s[i].v - c0.s[j].v);
        Vettore r1 = c1.s[i].r - c1.s[j].r, v1 = h * (c1.s[i].v - c1.s[j].v);
        Vettore p[kCorde + 1];
        double profondita[kCorde + 1];
        for (int m = 0; m <= kCorde; ++m) {
          double s = static_cast<double>(m) / kCorde, s2 = s * s, s3 = s2 * s;
          Vettore r = (2 * s3 - 3 * s2 + 1) * r0 + (s3 - 2 * s2 + s) * v0 +
                      (-2 * s3 + 3 * s2) * r1 + (s3 - s2) * v1;
          profondita[m] = Scalare(r, n);
          p[m] = r - profondita[m] * n;
        }
        double distanza[kCorde], dove[kCorde];
        for (int m = 0; m < kCorde; ++m) {
          Vettore corda = p[m + 1] - p[m];
          double ll = Scalare(corda, corda);
          double u = ll > 0 ? std::clamp(-Scalare(p[m], corda) / ll, 0.0, 1.0) : 0;
          distanza[m] = Modulo(p[m] + u * corda) * kKmUA;
          dove[m] = (m + u) / kCorde;
        }
        for (int m = 0; m < kCorde; ++m) {
          if ((m > 0 && distanza[m] > distanza[m - 1]) ||
              (m + 1 < kCorde && distanza[m] >= distanza[m + 1])) {
            continue;
          }
          // The nearer the Earth (occultation) or the Sun (eclipse) is A.
          double z = profondita[m];
          double soglia = kRaggi[i] + kRaggi[j] + kMargineKm;
          if (tipo == TipoMutuo::Eclisse) {
            // The penumbra's widening behind the largest A.
            soglia += std::fabs(z) / c0.distanzaSole * (kRaggioSole + kRaggi[2]);
          }
          if (distanza[m] >= soglia) continue;
          int a = z < 0 ? i : j, b = z < 0 ? j : i;
          candidati.push_back({tipo, a, b, t0 + dove[m] * h});
        }
      }
    }
  }
}

std::vector<Candidato> Mutui::Scansione(double t0, double t1) const {
  std::vector<Candidato> candidati;
  double inizio = t0 - kMargine, fine = t1 + kMargine;
  int passi = static_cast<int>(std::ceil((fine - inizio) / kPasso));
  Campione prima = Campiona(inizio);
  for (int k = 1; k <= passi; ++k) {
    double t = inizio + k * kPasso;
    Campione ora = Campiona(t);
    CandidatiDelPasso(prima, ora, t - kPasso, kPasso, candidati);
    prima = ora;
  }
  return candidati;
}

PosizioneMutuo Mutui::Posizione(TipoMutuo tipo, int a, int b, double t) const {
  VistaGiove v = Vista(pianeti_, t);
  SatelliteVisto sb = SatelliteDallaTerra(v, b);
  if (Occultato(sb)) return PosizioneMutuo::Dietro;
  if (Eclissato(sb)) return PosizioneMutuo::Ombra;
  if (tipo == TipoMutuo::Eclisse) {
    CoppiaEclisse c = PosizioniEclisse(v, a, sb.r);
    SatelliteVisto sa{};
    sa.sole = RettaPerGiove(v, c.aGioviano, LuceSolare(v, c.a));
    if (Eclissato(sa)) return PosizioneMutuo::AttivoInOmbra;
  }
  if (InTransito(sb)) return PosizioneMutuo::Davanti;
  return PosizioneMutuo::Libero;
}

std::optional<EventoMutuo> Mutui::Affina(const Candidato& c, double deltaT) const {
  auto f = [&](double t) {
    Geometria g = Calcola(c.tipo, c.a, c.b, t);
    return Accostamento{g.distanza, g.Contatto()};
  };
  const double ampiezza = 1.5 * kPasso / kCorde;
  Passaggio p = CercaPassaggio(f, c.t - ampiezza, c.t + ampiezza);
  if (!p.contatto) return std::nullopt;
  Geometria g = Calcola(c.tipo, c.a, c.b, p.tMassimo);
  EventoMutuo e{};
  e.tipo = c.tipo;
  e.attivo = c.a + 1;
  e.passivo = c.b + 1;
  e.jdInizio = JdUT(p.tInizio, deltaT);
  e.jdMassimo = JdUT(p.tMassimo, deltaT);
  e.jdFine = JdUT(p.tFine, deltaT);
  e.impattoKm = g.distanza;
  e.genere = Genere(c.tipo, g);
  e.caloMag = Calo(c.tipo, c.a, c.b, g);
  e.giove = Posizione(c.tipo, c.a, c.b, p.tMassimo);
  return e;
}

void Mutui::CalcolaAltezze(const Sito& sito, double deltaT,
                           std::vector<EventoMutuo>& eventi) const {
  Orizzonte orizzonte(sito);
  for (EventoMutuo& e : eventi) {
    Altezze a = AltezzeAllIstante(orizzonte, pianeti_, {e.jdMassimo, deltaT});
    e.altGiove = a.giove;
    e.altSole = a.sole;
  }
}

// One event per close approach: candidates of the same passage (neighbouring
// chords or steps, or two least distances within one overlap) give events
// whose contacts overlap; the one with the least distance stays.
void TogliDoppi(std::vector<EventoMutuo>& eventi) {
  auto chiave = [](const EventoMutuo& e) {
    return std::tuple(e.tipo, e.attivo, e.passivo, e.jdInizio);
  };
  std::sort(eventi.begin(), eventi.end(),
            [&](const EventoMutuo& x, const EventoMutuo& y) { return chiave(x) < chiave(y); });
  std::vector<EventoMutuo> unici;
  for (const EventoMutuo& e : eventi) {
    if (!unici.empty()) {
      EventoMutuo& u = unici.back();
      if (u.tipo == e.tipo && u.attivo == e.attivo && u.passivo == e.passivo &&
          e.jdInizio <= u.jdFine) {
        if (e.impattoKm < u.impattoKm) u = e;
        continue;
      }
    }
    unici.push_back(e);
  }
  eventi = std::move(unici);
}

bool Finito(const Sito& s) {
  return std::isfinite(s.longitudine) && std::isfinite(s.latitudine) && std::isfinite(s.quota);
}

// The contact on one side (verso -1 before, +1 after) of tm, where g < 0:
// steps growing from a minute to kPassoMassimo until g >= 0, then the root.
// No passage lasts a day; after 400 steps (over four days) the last instant
// reached stands for the contact.
template <class G>
double Contatto(G&& g, double tm, double gm, int verso) {
  double t0 = tm, g0 = gm, passo = kPrimoPasso;
  for (int k = 0; k < 400; ++k) {
    double t1 = t0 + verso * passo, g1 = g(t1);
    if (g1 >= 0) return Radice(g, t0, t1, g0, g1, kTolleranza);
    t0 = t1;
    g0 = g1;
    passo = std::min(2 * passo, kPassoMassimo);
  }
  return t0;
}

}  // namespace

const char* SiglaMutuo(TipoMutuo tipo) {
  return tipo == TipoMutuo::Occultazione ? "OCC" : "ECL";
}

const char* SiglaPosizione(PosizioneMutuo p) {
  switch (p) {
    case PosizioneMutuo::Dietro: return "dietro";
    case PosizioneMutuo::Ombra: return "ombra";
    case PosizioneMutuo::AttivoInOmbra: return "attivo_in_ombra";
    case PosizioneMutuo::Davanti: return "davanti";
    case PosizioneMutuo::Libero: break;
  }
  return "libero";
}

Passaggio CercaPassaggio(const std::function<Accostamento(double)>& f, double a, double b) {
  auto distanza = [&](double t) { return f(t).distanza; };
  const double larghezza = b - a;
  double tm = a;
  // A least distance at an end of the bracket lies beyond it: follow it.
  for (int k = 0; k < 100; ++k) {
    tm = Minimo(distanza, a, b, kTolleranza).first;
    if (tm - a < 4 * kTolleranza) {
      b = a + 0.1 * larghezza;
      a -= larghezza;
    } else if (b - tm < 4 * kTolleranza) {
      a = b - 0.1 * larghezza;
      b += larghezza;
    } else {
      break;
    }
  }
  Accostamento m = f(tm);
  Passaggio p{m.distanza < m.contatto, tm, m.distanza, tm, tm};
  if (!p.contatto) return p;
  auto g = [&](double t) {
    Accostamento x = f(t);
    return x.distanza - x.contatto;
  };
  double gm = m.distanza - m.contatto;
  p.tInizio = Contatto(g, tm, gm, -1);
  p.tFine = Contatto(g, tm, gm, +1);
  return p;
}

RicercaMutui CercaMutui(double jdInizioUT, double giorni, double deltaT, const Sito& sito,
                        double caloMinimo) {
  if (!(std::isfinite(jdInizioUT) && giorni > 0 && giorni <= kGiorniMassimi &&
        std::isfinite(deltaT) && Finito(sito) && std::isfinite(caloMinimo) &&
        caloMinimo >= 0)) {
    return {EsitoEventi::DatiNonValidi, {}};
  }
  if (!IstanteAmmesso(jdInizioUT) || jdInizioUT + giorni > GiornoGiuliano(1, 1, 3000)) {
    return {EsitoEventi::FuoriIntervallo, {}};
  }
  double t0 = GiorniTT({jdInizioUT, deltaT}), t1 = t0 + giorni;
  Mutui m(t0, t1);
  RicercaMutui r{EsitoEventi::Calcolati, {}};
  for (const Candidato& c : m.Scansione(t0, t1)) {
    std::optional<EventoMutuo> e = m.Affina(c, deltaT);
    if (!e) continue;
    double tm = GiorniTT({e->jdMassimo, deltaT});
    // The drop as shown, to 0.001 mag, reaches the threshold.
    bool visibile = e->caloMag > 0 && e->caloMag >= caloMinimo - 0.0005;
    if (tm >= t0 && tm < t1 && visibile) r.eventi.push_back(*e);
  }
  TogliDoppi(r.eventi);
  std::sort(r.eventi.begin(), r.eventi.end(), [](const EventoMutuo& x, const EventoMutuo& y) {
    return x.jdMassimo < y.jdMassimo;
  });
  m.CalcolaAltezze(sito, deltaT, r.eventi);
  return r;
}

std::array<CoppiaMutua, 12> CoppieAllIstante(const VistaGiove& v) {
  SatelliteVisto s[4];
  for (int i = 0; i < 4; ++i) s[i] = SatelliteDallaTerra(v, i);
  // The offset's direction on the sky; its length the distance in the
  // event's own plane (for an eclipse, across the axis, within the phase angle
  // of the sky's plane).
  auto coppia = [&](TipoMutuo tipo, int a, int b, const Geometria& g) {
    double px = Scalare(g.verso, v.x), py = Scalare(g.verso, v.y), n = std::hypot(px, py);
    double k = n > 0 ? g.distanza / n : 0;
    return CoppiaMutua{tipo, a + 1, b + 1, g.distanza, k * px, k * py,
                       g.rA,  g.rSole, g.rB, Calo(tipo, a, b, g)};
  };
  std::array<CoppiaMutua, 12> coppie{};
  int k = 0;
  for (int i = 0; i < 4; ++i) {
    for (int j = i + 1; j < 4; ++j) {
      Vettore ij = s[i].r - s[j].r;
      // A: the nearer the Earth, or the nearer the Sun along the sunlight.
      int a = Scalare(ij, v.z) < 0 ? i : j, b = i + j - a;
      coppie[k++] = coppia(TipoMutuo::Occultazione, a, b, Occultazione(v, a, s[a].r, b, s[b].r));
      a = Scalare(ij, v.luce) < 0 ? i : j;
      b = i + j - a;
      coppie[k++] = coppia(TipoMutuo::Eclisse, a, b, Eclisse(v, a, b, s[b].r));
    }
  }
  return coppie;
}

std::vector<PuntoCurva> CurvaDiLuce(const EventoMutuo& e, double deltaT,
                                    std::span<const double> istantiUT) {
  const bool satelliti = e.attivo >= 1 && e.attivo <= 4 && e.passivo >= 1 && e.passivo <= 4 &&
                         e.attivo != e.passivo;
  const bool ammessi = std::all_of(istantiUT.begin(), istantiUT.end(), IstanteAmmesso);
  if (!(satelliti && std::isfinite(deltaT) && ammessi && !istantiUT.empty() &&
        istantiUT.size() <= kPuntiMassimi)) {
    return {};
  }
  const auto [primo, ultimo] = std::minmax_element(istantiUT.begin(), istantiUT.end());
  if (!(*ultimo - *primo <= DurataMassimaCurva)) return {};
  Mutui m(GiorniTT({*primo, deltaT}), GiorniTT({*ultimo, deltaT}));
  std::vector<PuntoCurva> curva;
  curva.reserve(istantiUT.size());
  for (double jdUT : istantiUT) {
    Geometria g = m.Calcola(e.tipo, e.attivo - 1, e.passivo - 1, GiorniTT({jdUT, deltaT}));
    curva.push_back({jdUT, Calo(e.tipo, e.attivo - 1, e.passivo - 1, g)});
  }
  return curva;
}

}  // namespace mr
