#include "ephemeris/transito.h"

#include <cmath>

#include "ephemeris/numeri.h"
#include "ephemeris/orbita.h"

namespace mr {

namespace {

double TempoGiuliano(double JD) { return (JD - 2415020) / 36525; }

// Altitude, degrees, of a body at hour angle H and declination delta (degrees)
// for latitude phi (radians).
double Altezza(double H, double delta, double phi) {
  double d = Radianti(delta);
  return Gradi(ArcoSeno(std::cos(d) * std::cos(phi) * std::cos(Radianti(H)) +
                            std::sin(phi) * std::sin(d),
                        3.141592654));
}

// Brings a fraction of the day towards [0, 1). Values between -1 and -0.5
// come out between 1 and 1.5, as the clock-time fold expects.
double Ripiega(double m) {
  if (m > 0) m = m - std::floor(m);
  if (m < 0) m = m + 1 - ArrotondaPari(m);
  return m;
}

double SottraiGiro(double angolo) { return angolo >= 360 ? angolo - 360 : angolo; }

// Quadratic interpolation of three daily values at n days after the middle one.
double Interpola(double y1, double y2, double y3, double n) {
  double a = y2 - y1;
  double b = y3 - y2;
  double c = y1 + y3 - 2 * y2;
  return y2 + (n / 2) * (a + b + n * c);
}

// Right ascension interpolated across 0h: the neighbours are first brought
// within half a turn of the middle value.
double InterpolaAlfa(const PosizioneEquatoriale (&p)[3], double n) {
  double alfa1 = p[0].alfa, alfa2 = p[1].alfa, alfa3 = p[2].alfa;
  if (std::fabs(alfa1 - alfa2) <= 180 && std::fabs(alfa3 - alfa2) <= 180)
    return Interpola(alfa1, alfa2, alfa3, n);
  if (alfa1 - alfa2 > 180) alfa1 = alfa1 - 360;
  if (alfa1 - alfa2 < -180) alfa1 = alfa1 + 360;
  if (alfa3 - alfa2 > 180) alfa3 = alfa3 - 360;
  if (alfa3 - alfa2 < -180) alfa3 = alfa3 + 360;
  return Riduci360(Interpola(alfa1, alfa2, alfa3, n));
}

double InterpolaDelta(const PosizioneEquatoriale (&p)[3], double n) {
  return Interpola(p[0].delta, p[1].delta, p[2].delta, n);
}

// Local clock time of an event at fraction m of the day (Universal Time).
// An event on the next day is shown one day earlier and 3.6 minutes later.
double OraLocale(double m, float scartoOra) {
  double t = 24 * m + 1 + scartoOra;
  if (t >= 24) t = t - 24 + 3.6 / 60;
  if (t < 0) t = t + 24;
  if (t < 0 || t >= 24) t = t - 24 * std::floor(t / 24);
  if (t >= 24) t = 0;  // rounding of a huge t
  return t;
}

struct CosenoOrario {
  double x0;  // held to [-1, 1]
  Visibilita visibilita;
};

// Cosine of the hour angle at which Jupiter stands at the altitude h0 of
// -0.5667 degrees. At the poles the denominator vanishes (with this pi a
// latitude of exactly 90 degrees leaves a cosine of -2e-10 that would flip the
// sign), so there the sign of the numerator alone decides; an exact 0 there
// counts as below.
CosenoOrario CalcolaX0(double phi, double latitudine, double delta2, double sinDelta2) {
  double numeratore = std::sin(-1.7803405570218 / 180) - std::sin(phi) * sinDelta2;
  double denominatore = std::cos(phi) * std::cos(Radianti(delta2));
  double x0;
  if (denominatore == 0 || std::fabs(latitudine) == 90)
    x0 = numeratore < 0 ? -HUGE_VAL : HUGE_VAL;
  else
    x0 = numeratore / denominatore;
  if (x0 < -1) return {-1, Visibilita::SempreSopra};
  if (x0 > 1) return {1, Visibilita::SempreSotto};
  return {x0, Visibilita::Normale};
}

// One correction of a rising (or setting) time by the altitude reached at the
// estimated instant. theta: sidereal angle of the estimate.
struct Evento {
  double m;
  double alfa, delta;  // position interpolated at the estimate
};
Evento CorreggiSorgereTramonto(const PosizioneEquatoriale (&p)[3], double m, double theta,
                               double Lo, double phi) {
  double alfa = InterpolaAlfa(p, m);
  double delta = InterpolaDelta(p, m);
  double H = SottraiGiro(theta + Lo - alfa);
  double h = Altezza(H, delta, phi);
  double denominatore =
      360 * std::cos(Radianti(delta)) * std::cos(phi) * std::sin(Radianti(H));
  double deltaM = denominatore == 0 ? 0 : (h + 0.5667) / denominatore;
  if (!std::isfinite(deltaM)) deltaM = 0;
  return {m + deltaM, alfa, delta};
}

double CorreggiCulmine(const PosizioneEquatoriale (&p)[3], double m0, double theta0p,
                       double Lo) {
  double alfa = InterpolaAlfa(p, m0);
  double H = SottraiGiro(theta0p + Lo - alfa);
  // West of Greenwich the single turn above leaves H near -360.
  H = H - 360 * std::floor((H + 180) / 360);
  return m0 - H / 360;
}

}  // namespace

// The arctangent form divides by x, so the ends and the middle are given
// directly.
double ArcocosenoGradi(double x) {
  if (x <= -1) return 180;
  if (x >= 1) return 0;
  if (x == 0) return 90;
  double H0 = Gradi(std::atan(std::sqrt(1 - x * x) / x));
  if (H0 < 0) H0 = H0 + 180;
  return H0;
}

PosizioneEquatoriale PosizioneGiornaliera(double T) {
  OrbitaGiove o = CalcolaOrbitaGiove(T);
  double d = 196.94 / o.Delta;
  double Delta = 196.94 / d;
  double sinBeta = (o.r / Delta) * o.sinb;
  double beta = ArcoSeno(sinBeta, 3.141592654);
  double y = o.r * std::cos(o.b) * std::sin(o.l - o.S);
  double x = o.r * std::cos(o.b) * std::cos(o.l - o.S) + o.R;
  double lambda = o.S + ArcoTangenteQ(y, x);
  // Obliquity 23.4392911 degrees.
  double epsilon = 73.63670473472757 / 180;
  double alfa = Gradi(ArcoTangenteQ(
      std::sin(lambda) * std::cos(epsilon) - std::tan(beta) * std::sin(epsilon), std::cos(lambda)));
  double sinDelta = sinBeta * std::cos(epsilon) +
                    std::cos(beta) * std::sin(epsilon) * std::sin(lambda);
  return {alfa, Gradi(ArcoSeno(sinDelta, 3.141592654)), sinDelta};
}

DettaglioTransito TransitoDettaglio(double giorno, double mese, double anno, double ore,
                                    double minuti, float scartoOra, const Osservatore& oss) {
  DettaglioTransito r{};
  double JD = GiornoGiulianoZero(giorno, mese, anno);
  r.T = TempoGiuliano(JD);
  r.theta0 = AngoloSidereo(r.T, 0);
  r.giorno[0] = PosizioneGiornaliera(TempoGiuliano(JD - 1));
  r.giorno[1] = PosizioneGiornaliera(r.T);
  r.giorno[2] = PosizioneGiornaliera(TempoGiuliano(JD + 1));
  const PosizioneEquatoriale& p2 = r.giorno[1];

  double latitudine = oss.latGradi + oss.latPrimi / 60;
  double phi = Radianti(latitudine);
  double Lo = oss.longGradi + oss.longPrimi / 60;

  CosenoOrario c = CalcolaX0(phi, latitudine, p2.delta, p2.sinDelta);
  r.x0 = c.x0;
  r.visibilita = c.visibilita;
  r.H0 = ArcocosenoGradi(r.x0);

  double m0 = (p2.alfa - oss.longGradi - oss.longPrimi / 60 - r.theta0) / 360;
  r.mIniziale[0] = m0;
  r.mIniziale[1] = m0 - r.H0 / 360;
  r.mIniziale[2] = m0 + r.H0 / 360;
  double theta[3];
  for (int i = 0; i < 3; ++i) {
    r.m[i] = Ripiega(r.mIniziale[i]);
    theta[i] = SottraiGiro(r.theta0 + 360.985647 * r.m[i]);
  }

  r.mCorretto[0] = CorreggiCulmine(r.giorno, r.m[0], theta[0], Lo);
  Evento sorgere = CorreggiSorgereTramonto(r.giorno, r.m[1], theta[1], Lo, phi);
  Evento tramonto = CorreggiSorgereTramonto(r.giorno, r.m[2], theta[2], Lo, phi);
  r.mCorretto[1] = sorgere.m;
  r.mCorretto[2] = tramonto.m;
  for (int i = 0; i < 3; ++i) r.t[i] = OraLocale(r.mCorretto[i], scartoOra);

  // The altitude now uses the position interpolated for the setting.
  double thetaOra = AngoloSidereo(r.T, (ore + minuti / 60) - 1 - scartoOra);
  double H = SottraiGiro(thetaOra + Lo - tramonto.alfa);
  r.altezza = Altezza(H, tramonto.delta, phi);
  return r;
}

std::string TestoOrario(double t) {
  if (!std::isfinite(t)) return "--:--";
  double ore = std::floor(t);
  double minuti = ArrotondaPari((t - ore) * 60);
  if (minuti == 60) minuti = 59;
  return std::to_string(static_cast<long long>(ore)) + ":" +
         std::to_string(static_cast<long long>(minuti));
}

RisultatoTransito Transito(double giorno, double mese, double anno, double ore, double minuti,
                           float scartoOra, const Osservatore& oss) {
  DettaglioTransito d = TransitoDettaglio(giorno, mese, anno, ore, minuti, scartoOra, oss);
  RisultatoTransito r;
  r.culmine = TestoOrario(d.t[0]);
  bool sorgeETramonta = d.visibilita == Visibilita::Normale;
  r.sorgere = sorgeETramonta ? TestoOrario(d.t[1]) : "--:--";
  r.tramonto = sorgeETramonta ? TestoOrario(d.t[2]) : "--:--";
  r.visibilita = d.visibilita;
  r.altezza = d.altezza;
  return r;
}

std::string TestoAltezza(double altezza) {
  return "Altezza = " + TestoStampa(ArrotondaA(altezza, 10)) + "\xC2\xB0";
}

}  // namespace mr
