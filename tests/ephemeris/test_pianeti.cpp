#include <gtest/gtest.h>

#include <cmath>

#include "ephemeris/pianeti.h"

namespace mr {
namespace {

const double kKm = 149597870.7;  // km per AU

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
