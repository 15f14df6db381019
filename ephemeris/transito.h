// Rising, culmination and setting of Jupiter, and its altitude at the time of
// the fields. pi = 3.141592654.
#pragma once
#include <string>

namespace mr {

struct Osservatore {
  double longGradi, longPrimi;  // longitude, positive east
  double latGradi, latPrimi;    // latitude, positive north
};

// Jupiter's apparent right ascension and declination (degrees) for T,
// centuries from JD 2415020.0.
struct PosizioneEquatoriale {
  double alfa, delta;
  double sinDelta;  // sine of the declination as computed, before the arcsine
};
PosizioneEquatoriale PosizioneGiornaliera(double T);

enum class Visibilita { Normale, SempreSopra, SempreSotto };

struct RisultatoTransito {
  std::string culmine, sorgere, tramonto;  // "hh:mm" texts; "--:--" when it never rises or sets
  Visibilita visibilita;
  double altezza;                          // Jupiter's altitude at Ore:Minuti, degrees
};

// The working values of one rising-and-setting computation. Index 0 is the
// culmination, 1 the rising, 2 the setting.
struct DettaglioTransito {
  double T;                        // centuries from JD 2415020.0 at 0h of the date
  double theta0;                   // Greenwich sidereal angle at 0h, degrees
  PosizioneEquatoriale giorno[3];  // Jupiter at 0h of the day before, the day, the day after
  double x0;                       // cosine of the hour angle at altitude h0, held to [-1, 1]
  double H0;                       // that hour angle, degrees in [0, 180]
  double mIniziale[3];             // events as fractions of the day, before folding
  double m[3];                     // after folding towards [0, 1)
  double mCorretto[3];             // after the one correction
  double t[3];                     // local clock times, hours in [0, 24)
  Visibilita visibilita;
  double altezza;                  // Jupiter's altitude at Ore:Minuti, degrees
};
DettaglioTransito TransitoDettaglio(double giorno, double mese, double anno, double ore,
                                    double minuti, float scartoOra, const Osservatore& oss);

// Arccosine in degrees in [0, 180], formed from the arctangent; x at or
// beyond -1, 0 and 1 gives 180, 90 and 0.
double ArcocosenoGradi(double x);

// Clock time text "h:m" of t hours in [0, 24), no leading zeros; a minute that
// rounds to 60 shows 59. "--:--" if t is not finite.
std::string TestoOrario(double t);

// Given the lenient field values (date of the fields, Ore and Minuti in the
// zone's civil time), the zone offset and the observer.
RisultatoTransito Transito(double giorno, double mese, double anno, double ore, double minuti,
                           float scartoOra, const Osservatore& oss);

// The caption of Elevazione: "Altezza = " + altitude to a tenth in print form + "°".
std::string TestoAltezza(double altezza);

}  // namespace mr
