#include "pianificatore/fuso_orario.h"

#include <cmath>
#include <cstdio>

#include "ephemeris/calendario.h"

namespace mr {

double MinutoPiuVicino(double jdUT) {
  // Minutes counted from JD 2451545.0, which is a whole minute (12h UT), keep
  // the rounding exact enough for any date of the program.
  return 2451545.0 + std::round((jdUT - 2451545.0) * 1440) / 1440;
}

std::string TestoOraLocale(const FusoOrario& fuso, double jdUT) {
  const std::optional<OraLocale> o = fuso.Locale(MinutoPiuVicino(jdUT));
  if (!o) return "";
  char testo[40];
  std::snprintf(testo, sizeof testo, "%02d/%02d/%04d %02d:%02d", o->giorno, o->mese, o->anno,
                o->ore, o->minuti);
  return o->sigla.empty() ? testo : testo + (" " + o->sigla);
}

std::string TestoOra(const FusoOrario& fuso, double jdUT) {
  const std::optional<OraLocale> o = fuso.Locale(MinutoPiuVicino(jdUT));
  if (!o) return "";
  char testo[16];
  std::snprintf(testo, sizeof testo, "%02d:%02d", o->ore, o->minuti);
  return testo;
}

std::optional<double> IstanteLocale(const FusoOrario& fuso, int anno, int mese, int giorno,
                                    double ora) {
  // The clock's reading as if it were UT, less the offset in force: found in
  // two steps, the offset taken where the first guess falls.
  const double comeUT = GiornoGiuliano(giorno, mese, anno, ora);
  std::optional<OraLocale> prima = fuso.Locale(comeUT);
  if (!prima) return std::nullopt;
  std::optional<OraLocale> dopo = fuso.Locale(comeUT - prima->scarto / 86400.0);
  if (!dopo) return std::nullopt;
  return comeUT - dopo->scarto / 86400.0;
}

std::optional<OraLocale> FusoFisso::Locale(double jdUT) const {
  if (!IstanteAmmesso(jdUT)) return std::nullopt;
  std::optional<DataOraUT> d = DataOraAlSecondo(jdUT + scarto_ / 86400.0);
  if (!d) return std::nullopt;
  return OraLocale{d->anno, d->mese, d->giorno, d->ore, d->minuti, d->secondi, sigla_, scarto_};
}

}  // namespace mr
