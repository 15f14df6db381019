#include "pianificatore/qtcore/fuso_qt.h"

#include <QDateTime>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "ephemeris/calendario.h"

namespace mr {

namespace {

// Whether nome is a zone of the time-zone database (a file of it, where the
// system keeps one), one of Qt's "UTC+hh:mm" names, or the system's own zone.
// QTimeZone alone also takes a POSIX rule: any word of letters ("Roma") would
// be a zone at UT+0 with that word as its abbreviation.
bool ZonaConosciuta(const std::string& nome) {
  const QByteArray id = QByteArray::fromStdString(nome);
  if (QTimeZone::isTimeZoneIdAvailable(id) || id == QTimeZone::systemTimeZoneId()) return true;
  const std::filesystem::path relativo(nome);
  if (nome.empty() || !relativo.is_relative() ||
      std::find(relativo.begin(), relativo.end(), "..") != relativo.end())
    return false;
  const char* tzdir = std::getenv("TZDIR");
  for (const char* cartella : {tzdir ? tzdir : "", "/usr/share/zoneinfo", "/usr/lib/zoneinfo",
                               "/usr/share/lib/zoneinfo"}) {
    std::error_code ec;
    if (*cartella && std::filesystem::is_regular_file(cartella / relativo, ec)) return true;
  }
  return false;
}

}  // namespace

// An empty name would be taken for the system's zone: it is none.
FusoQt::FusoQt(const std::string& nome)
    : zona_(ZonaConosciuta(nome) ? QTimeZone(QByteArray::fromStdString(nome)) : QTimeZone()) {}

std::string FusoQt::Nome() const { return zona_.id().toStdString(); }

std::optional<OraLocale> FusoQt::Locale(double jdUT) const {
  if (!zona_.isValid() || !IstanteAmmesso(jdUT)) return std::nullopt;
  // Whole seconds from the Unix epoch (JD 2440587.5).
  const qint64 secondi = std::llround((jdUT - 2440587.5) * 86400);
  const QDateTime ora = QDateTime::fromMSecsSinceEpoch(secondi * 1000, zona_);
  if (!ora.isValid()) return std::nullopt;
  const QDate d = ora.date();
  const QTime t = ora.time();
  return OraLocale{d.year(),   d.month(),  d.day(),
                   t.hour(),   t.minute(), t.second(),
                   zona_.abbreviation(ora).toStdString(), zona_.offsetFromUtc(ora)};
}

std::string NomeFusoDelSistema() {
  const QByteArray nome = QTimeZone::systemTimeZoneId();
  return QTimeZone(nome).isValid() ? nome.toStdString() : "UTC";
}

FusoQt FusoDelPianificatore(const std::string& scelto) {
  FusoQt fuso(scelto);
  return scelto.empty() || !fuso.Valido() ? FusoQt(NomeFusoDelSistema()) : fuso;
}

std::vector<std::string> NomiFusi() {
  std::vector<std::string> nomi;
  for (const QByteArray& nome : QTimeZone::availableTimeZoneIds()) nomi.push_back(nome.toStdString());
  std::sort(nomi.begin(), nomi.end());
  return nomi;
}

}  // namespace mr
