#include <gtest/gtest.h>

#include <cmath>

#include "ephemeris/pianeti.h"

namespace mr {
namespace {

const double kKm = 149597870.7;  // km per AU

bool Vicino(double x, double atteso, double tolleranza) {
  return std::isfinite(x) && std::abs(x - atteso) <= tolleranza;
}

// The check values published with VSOP87 (file vsop87.chk, VizieR catalogue
// VI/81) for VSOP87B Jupiter, every century from 2000 back to 1100, 12h TDB:
// longitude and latitude (rad), distance (AU), 10 decimals. The full series
// give them to the last digit; a shorter theory misses by 1e-5 or more.
TEST(Pianeti, GioveValoriDiControlloVsop87B) {
  struct Case {
    double jd, l, b, r;
  };
  const Case cases[] = {
      {2451545.0, 0.6334614217, -0.0205001039, 4.9653812803},
      {2415020.0, 4.1171308454, 0.0159456650, 5.3850276351},
      {2378495.0, 1.5743114744, -0.0039059814, 5.1318457347},
      {2341970.0, 4.9619913552, -0.0017586234, 5.1888133706},
      {2305445.0, 2.4323346134, 0.0145957282, 5.3439455250},
      {2268920.0, 5.8745612668, -0.0192161117, 5.0018007431},
      {2232395.0, 3.2350793731, 0.0229002244, 5.4491570418},
      {2195870.0, 0.5480874612, -0.0213293086, 4.9715070844},
      {2159345.0, 4.0402354041, 0.0170598705, 5.3896207448},
      {2122820.0, 1.4885071580, -0.0054711800, 5.1193587263},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.jd);
    SfericheEclittiche g = GioveVsop87B(c.jd - 2451545.0);
    double l = std::fmod(g.l, 2 * M_PI);
    if (l < 0) l += 2 * M_PI;
    EXPECT_TRUE(Vicino(l, c.l, 2e-10)) << l;
    EXPECT_TRUE(Vicino(g.b, c.b, 2e-10)) << g.b;
    EXPECT_TRUE(Vicino(g.r, c.r, 2e-10)) << g.r;
  }
}

// VSOP87A's check value for Jupiter at J2000 (rectangular, ecliptic of J2000:
// 4.0011739729, 2.9385810260, -0.1017837501 AU) turned to the equator by the
// IAU 1976 obliquity 23 26' 21.448": VSOP87's equinox and obliquity differ
// from FK5's by under 0.1", 2e-6 AU here, where eraPlan94's Jupiter was 5e-4
// AU off.
TEST(Pianeti, GioveSullEquatoreDiJ2000) {
  const double eps = (23 + 26 / 60.0 + 21.448 / 3600) * M_PI / 180;
  const double X = 4.0011739729, Y = 2.9385810260, Z = -0.1017837501;
  Vettore r = GioveEliocentrico(0).r;
  EXPECT_TRUE(Vicino(r.x, X, 3e-6)) << r.x;
  EXPECT_TRUE(Vicino(r.y, Y * std::cos(eps) - Z * std::sin(eps), 3e-6)) << r.y;
  EXPECT_TRUE(Vicino(r.z, Y * std::sin(eps) + Z * std::cos(eps), 3e-6)) << r.z;
}

// The velocity is the rate of the position: against a central difference over
// an hour (good to 1e-11 AU/day), to a millionth of Jupiter's speed.
TEST(Pianeti, VelocitaDiGioveDallaSerie) {
  const double h = 1.0 / 24;
  for (double t = -146000; t <= 365000; t += 12345.6) {
    SCOPED_TRACE(t);
    StatoPianeta g = GioveEliocentrico(t);
    Vettore d = (1 / (2 * h)) * (GioveEliocentrico(t + h).r - GioveEliocentrico(t - h).r);
    double scarto = Modulo(g.v - d) / Modulo(d);
    EXPECT_TRUE(std::isfinite(scarto) && scarto <= 1e-6) << scarto;
  }
}

// Between the daily nodes the interpolated states follow the theories to
// 0.1 km (and to 1e-5 in velocity, the Moon's monthly wobble of the Earth
// included); outside the window the theories answer directly.
TEST(Pianeti, InterpolazioneFedeleAlleTeorie) {
  Pianeti p(9000, 9100);
  for (double t = 8999.5; t < 9101.5; t += 0.0917) {
    SCOPED_TRACE(t);
    StatoPianeta a = p.Terra(t), b = TerraEliocentrica(t);
    StatoPianeta c = p.Giove(t), d = GioveEliocentrico(t);
    double terra = Modulo(a.r - b.r) * kKm, giove = Modulo(c.r - d.r) * kKm;
    EXPECT_TRUE(std::isfinite(terra) && terra <= 0.1) << terra;
    EXPECT_TRUE(std::isfinite(giove) && giove <= 0.1) << giove;
    double vTerra = Modulo(a.v - b.v) / Modulo(b.v);
    EXPECT_TRUE(std::isfinite(vTerra) && vTerra <= 1e-5) << vTerra;
  }
}

// Orders of magnitude a wrong unit or axis would break: the Earth at about
// 1 AU moving at 29.8 km/s, Jupiter at 4.95-5.46 AU moving at 12.4-13.7 km/s.
TEST(Pianeti, DistanzeEVelocita) {
  for (double t = -30000; t <= 30000; t += 777.7) {
    SCOPED_TRACE(t);
    StatoPianeta e = TerraEliocentrica(t), j = GioveEliocentrico(t);
    EXPECT_NEAR(Modulo(e.r), 1.0, 0.0175);
    EXPECT_NEAR(Modulo(e.v) * kKm / 86400, 29.8, 0.6);
    EXPECT_TRUE(Modulo(j.r) > 4.94 && Modulo(j.r) < 5.47) << Modulo(j.r);
    EXPECT_NEAR(Modulo(j.v) * kKm / 86400, 13.05, 0.7);
  }
}

}  // namespace
}  // namespace mr
