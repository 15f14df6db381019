#include "ephemeris/calendario.h"

#include <cmath>

#include "ephemeris/numeri.h"

namespace mr {

double GiornoGiuliano(double giorno, double mese, double anno, double ora, double minuti) {
  double Y = anno, M = mese;
  if (M < 3) {
    Y = Y - 1;
    M = M + 12;
  }
  double A = std::floor(Y / 100);
  double B = 2 - A + std::floor(A / 4);
  return B + std::floor(365.25 * Y) + std::floor(30.6001 * (M + 1)) + giorno + 1720994.5 +
         ora / 24 + minuti / 1440;
}

DataCivile TEMPOM(double passi, double giorno, double& mese, double& anno, double ora,
                  double minuti, float scartoOra) {
  if (mese < 3) {
    anno = anno - 1;
    mese = mese + 12;
  }
  double A = std::floor(anno / 100);
  double B = 2 - A + std::floor(A / 4);
  double C = std::floor(365.25 * anno);
  double D = std::floor(30.6001 * (mese + 1));
  // Both 1/24 terms are single precision, as the zone's day fraction is kept.
  const float unVentiquattresimo = 1.0f / 24.0f;
  const float frazioneScarto = scartoOra / 24.0f;
  double J = B + C + D + giorno + 1720994.5 + unVentiquattresimo + frazioneScarto;

  // Julian Day to calendar date, with the switch to the Gregorian calendar.
  double Z = std::floor(J + 0.5);
  double F = J + 0.5 - Z;
  double alfa = std::floor((Z - 1867216.25) / 36524.25);
  double A1 = Z < 2299161 ? Z : Z + 1 + alfa - std::floor(alfa / 4);
  double B1 = A1 + 1524;
  double C1 = std::floor((B1 - 122.1) / 365.25);
  double D1 = std::floor(365.25 * C1);
  double E = std::floor((B1 - D1) / 30.6001);
  double giornoMese = B1 - D1 - std::floor(30.6001 * E) + F;
  double meseCivile = E < 13.5 ? E - 1 : E - 13;
  double annoCivile = meseCivile > 2.5 ? C1 - 4716 : C1 - 4715;

  // Time of day, independent of J.
  const float scartoPiuUno = scartoOra + 1.0f;
  double H = scartoPiuUno + ora + minuti / 60 + passi * 8.273294495 / 60;
  // Whole days come off at once; the loops then make at most one more step,
  // with the same result as taking one day at a time.
  if (H >= 24 || H < 0) H = H - 24 * std::floor(H / 24);
  while (H >= 24) H = H - 24;
  while (H < 0) H = H + 24;
  double m = ArrotondaPari((H - std::floor(H)) * 60);
  if (m == 60) m = 59;
  return {std::floor(giornoMese), meseCivile, annoCivile, std::floor(H), m};
}

bool IstanteAmmesso(double giornoGiuliano) {
  // 1 January 1600 0h UT and 1 January 3000 0h UT.
  static const double inizio = GiornoGiuliano(1, 1, 1600);
  static const double fine = GiornoGiuliano(1, 1, 3000);
  return giornoGiuliano >= inizio && giornoGiuliano < fine;
}

}  // namespace mr
