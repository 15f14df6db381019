// The time zones of the system's data (the IANA database) through QTimeZone:
// local times follow each zone's real rules on each date.
#pragma once
#include <QTimeZone>
#include <string>
#include <vector>

#include "pianificatore/fuso_orario.h"

namespace mr {

class FusoQt : public FusoOrario {
 public:
  // An IANA identifier such as "Europe/Rome"; a name the system's time-zone
  // database does not hold (a POSIX rule such as "Roma" or "CET-1" included,
  // unless it is the system's own zone) gives a zone that is not Valido and
  // converts nothing.
  explicit FusoQt(const std::string& nome);
  bool Valido() const { return zona_.isValid(); }
  std::string Nome() const override;
  std::optional<OraLocale> Locale(double jdUT) const override;

 private:
  QTimeZone zona_;
};

// The system's own zone ("UTC" when it has none the data knows).
std::string NomeFusoDelSistema();

// The planner's zone: the one chosen (PreferenzeEventi::fuso), or the
// system's when none is chosen or the data does not know it.
FusoQt FusoDelPianificatore(const std::string& scelto);

// Every zone the system knows, in name order.
std::vector<std::string> NomiFusi();

}  // namespace mr
