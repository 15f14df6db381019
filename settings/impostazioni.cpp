#include "settings/impostazioni.h"

#include <cmath>

#include "ephemeris/calendario.h"

namespace mr {

namespace {

// An angle given as degrees and minutes, each with its own sign.
bool AngoloAmmesso(double gradi, double primi, double limite) {
  return std::fabs(primi) < 60 && std::fabs(gradi + primi / 60) <= limite;
}

struct Data {
  int anno, mese, giorno;
};

Data Scomponi(double aaaammgg) {
  const int n = static_cast<int>(aaaammgg);
  return {n / 10000, n / 100 % 100, n % 100};
}

int GiorniDelMese(int anno, int mese) {
  constexpr int giorni[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool bisestile = (anno % 4 == 0 && anno % 100 != 0) || anno % 400 == 0;
  return mese == 2 && bisestile ? 29 : giorni[mese - 1];
}

}  // namespace

bool DataAmmessa(double aaaammgg) {
  if (!(aaaammgg >= 16000101 && aaaammgg <= 29991231) || aaaammgg != std::floor(aaaammgg))
    return false;
  const Data d = Scomponi(aaaammgg);
  return d.mese >= 1 && d.mese <= 12 && d.giorno >= 1 && d.giorno <= GiorniDelMese(d.anno, d.mese);
}

ModelloMacchia ModelloMacchiaDi(const Impostazioni& imp) {
  ModelloMacchia m{imp.longitudineMacchia, imp.derivaMacchia};
  if (DataAmmessa(imp.dataMacchia)) {
    const Data d = Scomponi(imp.dataMacchia);
    m.epocaJdUT = GiornoGiuliano(d.giorno, d.mese, d.anno);
  }
  return m;
}

Sito SitoDi(const Impostazioni& imp) {
  return {imp.longGradi + imp.longPrimi / 60, imp.latGradi + imp.latPrimi / 60, 0};
}

bool Ammessa(Grandezza g, const Impostazioni& imp) {
  switch (g) {
    case Grandezza::Macchia:
      return imp.longitudineMacchia >= 0 && imp.longitudineMacchia < 360;
    case Grandezza::Longitudine:
      return AngoloAmmesso(imp.longGradi, imp.longPrimi, 180);
    case Grandezza::Latitudine:
      return AngoloAmmesso(imp.latGradi, imp.latPrimi, 90);
    case Grandezza::DeltaT:
      return std::fabs(imp.deltaT) <= 10000;
    case Grandezza::Deriva:
      return std::fabs(imp.derivaMacchia) <= DerivaMassima &&
             (DataAmmessa(imp.dataMacchia) || (imp.derivaMacchia == 0 && imp.dataMacchia == 0));
  }
  return false;
}

std::vector<Grandezza> FuoriIntervallo(const Impostazioni& imp) {
  std::vector<Grandezza> fuori;
  for (Grandezza g : {Grandezza::Macchia, Grandezza::Longitudine, Grandezza::Latitudine,
                      Grandezza::DeltaT, Grandezza::Deriva})
    if (!Ammessa(g, imp)) fuori.push_back(g);
  return fuori;
}

void Predefinita(Grandezza g, Impostazioni& imp) {
  const Impostazioni& d = ImpostazioniPredefinite;
  switch (g) {
    case Grandezza::Macchia:
      imp.longitudineMacchia = d.longitudineMacchia;
      break;
    case Grandezza::Longitudine:
      imp.longGradi = d.longGradi;
      imp.longPrimi = d.longPrimi;
      break;
    case Grandezza::Latitudine:
      imp.latGradi = d.latGradi;
      imp.latPrimi = d.latPrimi;
      break;
    case Grandezza::DeltaT:
      imp.deltaT = d.deltaT;
      break;
    case Grandezza::Deriva:
      imp.derivaMacchia = d.derivaMacchia;
      imp.dataMacchia = d.dataMacchia;
      break;
  }
}

}  // namespace mr
