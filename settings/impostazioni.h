// The values of "Imp.txt" and the ranges the program accepts for them.
#pragma once

#include <vector>

#include "ephemeris/eventi.h"

namespace mr {

// The observer's longitude and latitude are each kept as two numbers whose
// sum is the angle: degrees + minutes / 60, each part with its own sign, so
// 3° 42' west may be stored as -3 and -42.
struct Impostazioni {
  double longitudineMacchia;  // GRS longitude, System II, degrees
  double longGradi;           // observer's longitude, degrees (positive east)
  double longPrimi;           // observer's longitude, minutes of arc
  double latGradi;            // observer's latitude, degrees (positive north)
  double latPrimi;            // observer's latitude, minutes of arc
  double deltaT;              // TE - TU, seconds
  // Optional, after the six: the GRS drift in System II, degrees per month of
  // 30.4375 days, and the date at which longitudineMacchia holds, the number
  // AAAAMMGG (0h UT). 0 and 0 when the file has no drift.
  double derivaMacchia = 0;
  double dataMacchia = 0;
};

// Rome, the GRS at 98° without drift and Delta T 69 s.
inline constexpr Impostazioni ImpostazioniPredefinite{98, 12, 30, 41, 54, 69};

// The largest GRS drift accepted either way, degrees of System II a month.
inline constexpr double DerivaMassima = 30;

// The quantities of the settings, in the order of the file; the drift is one
// quantity with its date.
enum class Grandezza { Macchia, Longitudine, Latitudine, DeltaT, Deriva };

// Whether a quantity of imp lies in its range: the GRS longitude from 0 to
// less than 360°; the observer's longitude within ±180° and latitude within
// ±90° (degrees + minutes / 60), with minutes less than 60 either side of 0;
// Delta T within ±10000 s; the drift within ±30° a month, with a date that
// DataAmmessa accepts unless both are 0 (a drift of 0 may keep a date). Never
// true for a NaN.
bool Ammessa(Grandezza g, const Impostazioni& imp);

// Whether aaaammgg is a calendar date (Gregorian) from 1600-01-01 to
// 2999-12-31 written as the whole number AAAAMMGG.
bool DataAmmessa(double aaaammgg);

// The Red Spot of imp: longitudineMacchia at the reference date, drifting by
// derivaMacchia; without a date the epoch does not matter (no drift).
ModelloMacchia ModelloMacchiaDi(const Impostazioni& imp);

// The observer of imp: degrees + minutes / 60 of each coordinate, at height 0.
Sito SitoDi(const Impostazioni& imp);

// The quantities of imp outside their ranges, in file order.
std::vector<Grandezza> FuoriIntervallo(const Impostazioni& imp);

// imp with the quantity g (both its numbers, for a position) set to the default.
void Predefinita(Grandezza g, Impostazioni& imp);

}  // namespace mr
