// Local civil time in a time zone. The zone's rules (summer time, changes of
// the standard offset over the years) come from the system's time-zone data
// through an adapter (pianificatore/qtcore/fuso_qt.h); the planner's lists,
// charts and files only ask "what does the clock say at this UT instant".
#pragma once
#include <optional>
#include <string>

namespace mr {

// A civil date and time of a zone, to the second, as its clocks show it.
struct OraLocale {
  int anno, mese, giorno, ore, minuti, secondi;
  std::string sigla;  // the zone's abbreviation at that instant: "CET", "CEST", "UTC"
  int scarto;         // local time minus UT, seconds
  bool operator==(const OraLocale&) const = default;
};

class FusoOrario {
 public:
  virtual ~FusoOrario() = default;
  // The zone's name, an IANA identifier such as "Europe/Rome".
  virtual std::string Nome() const = 0;
  // The local date and time of a UT Julian day (rounded to the nearest
  // second); nothing for an instant the zone cannot convert (not finite, or
  // outside the years 1600-2999).
  virtual std::optional<OraLocale> Locale(double jdUT) const = 0;
};

// jdUT rounded to the nearest minute of UT. Every time the planner shows or
// exports to the minute is rounded this way, so that table, chart, calendar
// and main window agree (zone offsets are whole minutes).
double MinutoPiuVicino(double jdUT);

// "12/02/2027 21:14 CET": the local date and time of jdUT to the nearest
// minute and the zone's abbreviation; "" when the zone cannot convert it.
std::string TestoOraLocale(const FusoOrario& fuso, double jdUT);

// "21:14": the local time of jdUT to the nearest minute, without the date;
// "" when the zone cannot convert it.
std::string TestoOra(const FusoOrario& fuso, double jdUT);

// The UT Julian day at which the zone's clocks show the date at the given
// hour (may carry a fraction). Nothing when the zone cannot convert the
// instants around it. An hour that the clocks skip or show twice (at a change
// of offset) is taken with one of the two offsets.
std::optional<double> IstanteLocale(const FusoOrario& fuso, int anno, int mese, int giorno,
                                    double ora);

// A zone without summer time, a fixed offset from UT: for files and tests
// that need no rules. Its abbreviation is given.
class FusoFisso : public FusoOrario {
 public:
  FusoFisso(std::string nome, std::string sigla, int scartoSecondi)
      : nome_(std::move(nome)), sigla_(std::move(sigla)), scarto_(scartoSecondi) {}
  std::string Nome() const override { return nome_; }
  std::optional<OraLocale> Locale(double jdUT) const override;

 private:
  std::string nome_, sigla_;
  int scarto_;
};

}  // namespace mr
