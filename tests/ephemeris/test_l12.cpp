#include <gtest/gtest.h>

#include <cmath>

#include "ephemeris/l12.h"

namespace mr {
namespace {

// Jovicentric positions (AU, J2000 mean equator) printed by the astronomy-engine
// 2.1.19 package's own JupiterMoons() at these TT instants, through
// `node tools/l12/estrai_l12.js --controllo`.
TEST(L12, PosizioniDelPacchettoDiOrigine) {
  struct Case {
    const char* nome;
    double t;  // TT days from J2000.0
    Vettore r[4];
  };
  const Case cases[] = {
      {"1950 January 1",
       -18262.5,
       {{0.000447545602088, 0.00251985169952, 0.00120682002322},
        {0.00408453083223, -0.00166491444728, -0.000767250047373},
        {0.00692262379100, 0.00160068799857, 0.000865234483020},
        {0.0115713037779, -0.00431214570332, -0.00191483932421}}},
      {"J2000.0",
       0,
       {{0.00267210264669, 0.000764305892619, 0.000408820629382},
        {-0.00375124224295, -0.00213573904004, -0.00105676986165},
        {-0.00548951582009, -0.00411190145155, -0.00203387897779},
        {0.00217258087295, 0.0111879960837, 0.00532316112988}}},
      {"2016 January 1, 18h",
       5844.25,
       {{-0.00282655773516, 0.0000676908240684, -0.0000139390442512},
        {-0.00161428725134, 0.00379173148857, 0.00181862560918},
        {-0.00702795920242, 0.00130895501874, 0.000525887265565},
        {-0.0105506972245, 0.00638729318789, 0.00285933504952}}},
      {"2026 February 1, 6h",
       9527.75,
       {{-0.00242707757804, -0.00125922875245, -0.000638225068252},
        {-0.00407884764512, -0.00174105311061, -0.000913800348978},
        {-0.00287998755181, 0.00593480158223, 0.00280089949527},
        {0.00908497373083, 0.00772696087537, 0.00377598961951}}},
      {"2038 May 1, 15h",
       14000.125,
       {{-0.00245126502956, -0.00123653482638, -0.000628066985155},
        {0.00440862033852, -0.000561198133437, -0.000235691768037},
        {-0.00638166697566, 0.00298440037999, 0.00131150731191},
        {0.00995761833511, 0.00677650996772, 0.00333653831534}}},
      {"2100 January 1, 12h",
       36525,
       {{-0.000871721658262, -0.00242404989614, -0.00116902693900},
        {0.00371207830147, -0.00230625199888, -0.00107785098103},
        {0.0000856985987497, -0.00648146568108, -0.00305249750885},
        {0.00264018327308, -0.0112217478081, -0.00521479302439}}},
  };
  for (const auto& c : cases) {
    for (int i = 0; i < 4; ++i) {
      SCOPED_TRACE(std::string(c.nome) + ", satellite " + std::to_string(i));
      Vettore r = StatoL12(i, c.t).r;
      // 12 significant digits printed: 1e-14 AU on these values.
      EXPECT_TRUE(std::isfinite(r.x) && std::abs(r.x - c.r[i].x) <= 1e-13);
      EXPECT_TRUE(std::isfinite(r.y) && std::abs(r.y - c.r[i].y) <= 1e-13);
      EXPECT_TRUE(std::isfinite(r.z) && std::abs(r.z - c.r[i].z) <= 1e-13);
    }
  }
}

// The velocity is the derivative of the position: a central difference over
// one minute agrees to better than the elements' own slow drift (0.1%).
TEST(L12, VelocitaDerivataDellaPosizione) {
  const double h = 30.0 / 86400;
  for (double t : {-5000.0, 9527.75, 20000.0}) {
    for (int i = 0; i < 4; ++i) {
      SCOPED_TRACE("t " + std::to_string(t) + ", satellite " + std::to_string(i));
      Vettore v = StatoL12(i, t).v;
      Vettore d = (1 / (2 * h)) * (StatoL12(i, t + h).r - StatoL12(i, t - h).r);
      double errore = Modulo(v - d) / Modulo(d);
      EXPECT_TRUE(std::isfinite(errore) && errore <= 1e-3) << errore;
    }
  }
}

// The mean distances of the four satellites (km): 421 800, 671 100, 1 070 400,
// 1 882 700 (IAU/JPL mean orbital elements), within their eccentricities.
TEST(L12, DistanzeMedie) {
  const double km = 149597870.7;
  const double media[4] = {421800, 671100, 1070400, 1882700};
  const double scarto[4] = {0.005, 0.011, 0.003, 0.009};  // slightly above e
  for (int i = 0; i < 4; ++i) {
    for (double t = 9000; t < 9030; t += 0.37) {
      double r = Modulo(StatoL12(i, t).r) * km;
      EXPECT_TRUE(std::isfinite(r) && std::abs(r / media[i] - 1) <= scarto[i]) << i << " " << r;
    }
  }
}

TEST(L12, IndiceFuoriDallaTabella) {
  for (int i : {-1, 4, 100}) {
    StatoSatellite s = StatoL12(i, 0);
    EXPECT_EQ(Modulo(s.r), 0);
    EXPECT_EQ(Modulo(s.v), 0);
  }
}

}  // namespace
}  // namespace mr
