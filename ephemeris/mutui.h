// Mutual events of the Galilean satellites from the precise ephemeris: one
// satellite (A, active) passing in front of another (B, passive) as the Earth
// sees them, or casting its shadow on it.
#pragma once
#include <array>
#include <functional>
#include <span>
#include <vector>

#include "ephemeris/dischi.h"
#include "ephemeris/eventi.h"
#include "ephemeris/orizzonte.h"
#include "ephemeris/vista_giove.h"

namespace mr {

enum class TipoMutuo {
  Occultazione,  // A covers B as seen from the Earth
  Eclisse,       // B enters the penumbra of A's shadow
};

// "OCC", "ECL".
const char* SiglaMutuo(TipoMutuo tipo);

// Where B stands at the maximum: the first that applies, in this order.
enum class PosizioneMutuo {
  Dietro,         // B's centre behind Jupiter's disk
  Ombra,          // B's centre in Jupiter's shadow (mid-penumbra)
  AttivoInOmbra,  // eclipses only: A's centre in Jupiter's shadow, so A casts no
                  // shadow and the event does not happen
  Davanti,        // B's centre in front of Jupiter's disk
  Libero,
};

// "dietro", "ombra", "attivo_in_ombra", "davanti", "libero".
const char* SiglaPosizione(PosizioneMutuo p);

struct EventoMutuo {
  TipoMutuo tipo;
  int attivo, passivo;  // 1..4 (Io, Europa, Ganymede, Callisto)
  double jdInizio;      // Julian days, UT, as seen from the Earth: first contact,
  double jdMassimo;     // the least distance of the centres (B's centre from the
  double jdFine;        // shadow's axis), last contact
  double impattoKm;     // that least distance, km at B
  GenereMutuo genere;   // at the maximum
  double caloMag;       // magnitude drop at the maximum: of A and B together for an
                        // occultation, of B alone for an eclipse (9.99 when total)
  double altGiove;      // topocentric altitudes of the centres at the site at the
  double altSole;       // maximum, degrees, no refraction
  PosizioneMutuo giove;
  bool operator==(const EventoMutuo&) const = default;
};

struct RicercaMutui {
  EsitoEventi esito;
  std::vector<EventoMutuo> eventi;  // by maximum; empty unless Calcolati
};

// The mutual events whose maximum falls in the UT window [jdInizioUT,
// jdInizioUT + giorni), with Delta T (seconds) held for the window, seen from the
// Earth's centre (altitudes from the site), with a drop at the maximum that,
// rounded to 0.001 mag, is at least caloMinimo magnitudes (0 lists every event
// in which the disks, or B and the penumbra, overlap). Each satellite is taken at its own emission time;
// for an eclipse, A when the sunlight reaching B passed it, the cones from the
// Sun's real radius. Contacts are the outer contacts of the disks (of the
// penumbra for eclipses). Radii: Io 1821.6, Europa 1560.8, Ganymede 2631.2,
// Callisto 2410.3 km; mean opposition magnitudes -1.68, -1.41, -2.09, -1.05.
// DatiNonValidi for giorni outside (0, 3660], a value not finite or caloMinimo
// below 0; FuoriIntervallo for a window not inside 1600-01-01 .. 3000-01-01 UT.
RicercaMutui CercaMutui(double jdInizioUT, double giorni, double deltaT, const Sito& sito,
                        double caloMinimo = 0.01);

// The longest span of a light curve, days.
inline constexpr double DurataMassimaCurva = 2;

// The predicted light curve of an event: the drop (magnitudes, as caloMag) of
// e's pair and kind at each of the given instants (UT Julian days, in their
// order), Delta T in seconds. Empty when there is no instant or more than
// 100000, when they span more than DurataMassimaCurva, when one is not finite
// or lies outside 1600-2999, or when e is not a pair of satellites.
struct PuntoCurva {
  double jdUT, caloMag;
};
std::vector<PuntoCurva> CurvaDiLuce(const EventoMutuo& e, double deltaT,
                                    std::span<const double> istantiUT);

// Two satellites at one instant as the finder takes them: in the plane
// through B's centre across the line of sight (occultation) or across the
// shadow's axis (eclipse), lengths in km at B.
struct CoppiaMutua {
  TipoMutuo tipo;
  int attivo, passivo;  // 1..4
  double distanza;      // of A's centre (occultation) or of the shadow's axis
                        // (eclipse) from B's centre; impattoKm at the maximum
  double x, y;          // that offset as the Earth sees its direction, km, of
                        // length distanza: x along Jupiter's equator (west), y
                        // across it (north)
  double rA, rSole;     // occultation: A's radius at B's distance, 0; eclipse: as
                        // OmbraMutua (umbra rA - rSole, penumbra rA + rSole)
  double rB;
  double calo;          // the magnitude drop at the instant, as caloMag
};

// The six pairs of satellites at the instant of v, each as an occultation (A
// the nearer the Earth) and as an eclipse (A the nearer the Sun along the
// sunlight), the pair Io-Europa first, then Io-Ganymede, ... Ganymede-Callisto.
std::array<CoppiaMutua, 12> CoppieAllIstante(const VistaGiove& v);

// The least distance of two moving disks and their outer contacts, given at
// each instant t the distance of the centres and the distance at which they
// touch (each a smooth function of t), and a bracket [a, b] expected to hold
// the least distance (it is followed beyond b or before a when it is not).
struct Accostamento {
  double distanza, contatto;
};
struct Passaggio {
  bool contatto;             // the disks overlap at the maximum
  double tMassimo, distanza;
  double tInizio, tFine;     // contacts; equal to tMassimo when there is none
};
Passaggio CercaPassaggio(const std::function<Accostamento(double)>& f, double a, double b);

}  // namespace mr
