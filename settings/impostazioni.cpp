#include "settings/impostazioni.h"

#include <cmath>

namespace mr {

namespace {

// An angle given as degrees and minutes, each with its own sign.
bool AngoloAmmesso(double gradi, double primi, double limite) {
  return std::fabs(primi) < 60 && std::fabs(gradi + primi / 60) <= limite;
}

}  // namespace

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
  }
  return false;
}

std::vector<Grandezza> FuoriIntervallo(const Impostazioni& imp) {
  std::vector<Grandezza> fuori;
  for (Grandezza g :
       {Grandezza::Macchia, Grandezza::Longitudine, Grandezza::Latitudine, Grandezza::DeltaT})
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
  }
}

}  // namespace mr
