// The Sun's altitude for the twilight state of the sky.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "ephemeris/crepuscoli.h"
#include "ephemeris/orbita.h"

namespace mr {
namespace {

double Altezza(double giorno, double mese, double anno, double ore, double minuti,
               float scartoOra, double lat = 42, double lon = 12) {
  double h = std::nan("");
  CalcolaAltezzaSole(h, lon, 0, lat, 0, scartoOra, giorno, mese, anno, ore, minuti);
  return h;
}

// Observer 12° 0′ E, 42° 0′ N, mean time of the zone.
TEST(CalcolaAltezzaSole, ReferenceInstants) {
  struct Case {
    const char* nome;
    double giorno, mese, anno, ore, minuti;
    double alfa, delta, altezza;  // NaN where no reference is given
  };
  const double x = std::nan("");
  const Case cases[] = {
      {"15/3/2004 12:00", 15, 3, 2004, 12, 0, 355.175, -2.088, 45.699},
      {"15/3/2004 18:30", 15, 3, 2004, 18, 30, 355.175, -2.088, -3.611},
      {"10/2/2004 18:00", 10, 2, 2004, 18, 0, 322.974, -14.631, -5.492},
      {"21/6/2005 21:00", 21, 6, 2005, 21, 0, x, 23.438, -11.164},
      {"21/12/2005 07:00", 21, 12, 2005, 7, 0, x, -23.436, -6.628},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.nome);
    double T = (GiornoGiulianoZero(c.giorno, c.mese, c.anno) - 2415020) / 36525;
    PosizioneSole sole = CalcolaPosizioneSole(T);
    if (!std::isnan(c.alfa)) {
      EXPECT_NEAR(sole.alfa, c.alfa, 0.0005);
    }
    EXPECT_NEAR(sole.delta * 180 / 3.141592654, c.delta, 0.0005);
    EXPECT_NEAR(Altezza(c.giorno, c.mese, c.anno, c.ore, c.minuti, 0), c.altezza, 0.0005);
  }
}

TEST(CalcolaAltezzaSole, HourAngleAtNoonOfMarch15) {
  double T = (GiornoGiulianoZero(15, 3, 2004) - 2415020) / 36525;
  EXPECT_EQ(GiornoGiulianoZero(15, 3, 2004), 2453079.5);
  double theta = AngoloSidereo(T, 12.0 - 1 - 0);
  EXPECT_NEAR(theta, 338.388, 0.0005);
  EXPECT_NEAR(theta + 12 - CalcolaPosizioneSole(T).alfa, -4.787, 0.0005);
}

TEST(CalcolaAltezzaSole, SummerTimeMovesTheInstantOneHourEarlier) {
  double estiva = Altezza(15, 3, 2004, 13, 0, 1);
  EXPECT_EQ(estiva, Altezza(15, 3, 2004, 12, 0, 0));
  EXPECT_NEAR(estiva, 45.699, 0.0005);
  EXPECT_NE(estiva, Altezza(15, 3, 2004, 13, 0, 0));
  EXPECT_EQ(Altezza(15, 3, 2004, 11, 0, -1), estiva);
}

TEST(CalcolaAltezzaSole, PositionIsThatOf0hOfTheDate) {
  // Only the sidereal angle follows the clock: a day later in hours is not a
  // day later in date.
  double T = (GiornoGiulianoZero(15, 3, 2004) - 2415020) / 36525;
  double T1 = (GiornoGiulianoZero(16, 3, 2004) - 2415020) / 36525;
  EXPECT_NEAR(CalcolaPosizioneSole(T1).alfa - CalcolaPosizioneSole(T).alfa, 0.91, 0.02);
  EXPECT_NE(Altezza(15, 3, 2004, 36, 0, 0), Altezza(16, 3, 2004, 12, 0, 0));
}

TEST(CalcolaAltezzaSole, DefinedEverywhere) {
  const double latitudini[] = {-95, -90, -66.5, -23.4, 0, 23.4, 42, 66.5, 90, 95, 1000};
  const double longitudini[] = {12, -100, 1000};
  for (double anno = 1600; anno < 3000; anno += 11)
    for (double mese = 1; mese <= 12; mese += 1) {
      double giorno = 1 + std::fmod(anno * 7 + mese * 11, 28);
      double ore = std::fmod(anno + mese * 5, 24), minuti = std::fmod(anno * 3 + mese, 60);
      for (double lat : latitudini)
        for (double lon : longitudini)
          for (float scarto : {-1.0f, 0.0f, 1.0f}) {
            double h = Altezza(giorno, mese, anno, ore, minuti, scarto, lat, lon);
            ASSERT_TRUE(h >= -90 && h <= 90)
                << giorno << "/" << mese << "/" << anno << " lat " << lat << " lon " << lon
                << " h=" << h;
          }
    }
}

}  // namespace
}  // namespace mr
