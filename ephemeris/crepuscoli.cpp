#include "ephemeris/crepuscoli.h"

#include <cmath>

#include "ephemeris/orbita.h"

namespace mr {

// Newcomb's Sun with a three-term equation of the centre, corrected for
// nutation and aberration in longitude; mean obliquity.
PosizioneSole CalcolaPosizioneSole(double T) {
  double L = 279.69668 + 36000.76892 * T + 0.0003025 * T * T;
  double M = Radianti(358.47583 + 35999.04975 * T - 0.00015 * T * T - 0.0000033 * T * T * T);
  // Longitude of the Moon's ascending node.
  double Omega = 259.18 - 1934.142 * T;
  double C = (1.91946 - 0.004789 * T - 0.000014 * T * T) * std::sin(M) +
             (0.020094 - 0.0001 * T) * std::sin(2 * M) + 0.000293 * std::sin(3 * M);
  double lambda = Radianti(L + C - 0.00569 - 0.00479 * std::sin(Radianti(Omega)));
  double epsilon = Radianti(23.452294 - 0.0130125 * T - 0.00000164 * T * T +
                            0.000000503 * T * T * T);
  double alfa = Gradi(ArcoTangenteQ(std::cos(epsilon) * std::sin(lambda), std::cos(lambda)));
  double sinDelta = std::sin(epsilon) * std::sin(lambda);
  return {alfa, ArcoSeno(sinDelta, 3.141592654), sinDelta};
}

void CalcolaAltezzaSole(double& altezza, double lon1, double lon2, double lat1, double lat2,
                        float scartoOra, double giorno, double mese, double anno, double ore,
                        double minuti) {
  double phi = Radianti(lat1 + lat2 / 60);
  double JD = GiornoGiulianoZero(giorno, mese, anno);
  double T = (JD - 2415020) / 36525;
  PosizioneSole sole = CalcolaPosizioneSole(T);
  // The hours of Universal Time are not brought into 0..24.
  double theta = AngoloSidereo(T, (ore + minuti / 60) - 1 - scartoOra);
  double H = theta + lon1 + lon2 / 60 - sole.alfa;
  if (H >= 360) H = H - 360;
  double sinh = std::sin(phi) * sole.sinDelta +
                std::cos(phi) * std::cos(sole.delta) * std::cos(Radianti(H));
  altezza = Gradi(ArcoSeno(sinh, 3.141592654));
}

}  // namespace mr
