// Calendar dates and Julian Days.
#pragma once

namespace mr {

// Julian Day of a date (day, month, year) and Universal Time (Gregorian term applied to every
// date). giorno may carry a fraction; ora and minuti may lie outside their
// usual ranges and simply move the day.
double GiornoGiuliano(double giorno, double mese, double anno, double ora = 0, double minuti = 0);

// A civil date and time as the five fields show it (whole numbers).
struct DataCivile {
  double giorno, mese, anno, ore, minuti;
};

// Universal Time instant back to the normalised civil date and time of the zone
// scartoOra (-1 TU, 0 TM, +1 OE). passi: animation steps taken so far (each
// 8.273294495 minutes); giorno: UT day of month with the time of day as its
// fraction; ora, minuti: UT hour and minute as entered (not normalised).
// mese and anno are working copies: below March they are shifted by a year.
DataCivile TEMPOM(double passi, double giorno, double& mese, double& anno, double ora,
                  double minuti, float scartoOra);

// Whether the UT instant lies between 1 January 1600 and 31 December 2999, the
// range in which the program computes.
bool IstanteAmmesso(double giornoGiuliano);

}  // namespace mr
