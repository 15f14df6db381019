// Positions of the Galilean satellites (index 0..3 = Io, Europa, Ganymede,
// Callisto). Degrees throughout, converted with pi = 3.141592654.
#pragma once

namespace mr {

// The series up to the satellites' angles and radii: everything that does not
// depend on the Earth's declination as read back from the De field.
struct SerieSatelliti {
  double d;       // days from JD 2415020.0, Universal Time
  double Delta;   // Earth-Jupiter distance, AU
  double psi;     // phase angle of Jupiter, degrees
  double B;       // equation of centre of Jupiter, degrees
  double DE;      // jovicentric declination of the Earth, degrees
  double u[4];    // angles in orbit after perturbations, [0, 360)
  double r[4];    // distances from Jupiter's centre, equatorial radii times S
};

// Given the lenient field values (the zone's civil time), the zone offset Z
// (hours, -1/0/+1) and the scale S (5 for the panel, 126 for the disk).
SerieSatelliti CalcolaSerieSatelliti(double giorno, double mese, double anno, double ore,
                                     double minuti, float Z, double S);

// Apparent offsets of satellite i: X along the equator (right positive), Y
// across it (up positive), with the Earth's declination DE (degrees) as read
// back from the De field. An index outside 0..3 gives (0, 0).
struct Scostamento {
  double X, Y;
};
Scostamento ScostamentoSatellite(const SerieSatelliti& s, int i, double DE);

// Offsets of satellite i's shadow: XS = r sin(u - psi), YS = -r cos u sin DE.
Scostamento ScostamentoOmbra(const SerieSatelliti& s, int i, double DE);

}  // namespace mr
