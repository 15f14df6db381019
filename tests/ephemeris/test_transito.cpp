// Rising, culmination and setting of Jupiter, and its altitude.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <regex>
#include <string>
#include <vector>

#include "ephemeris/transito.h"

namespace mr {
namespace {

const Osservatore kRoma{12, 0, 42, 0};

std::string Data(double giorno, double mese, double anno) {
  return std::to_string(static_cast<int>(giorno)) + "/" + std::to_string(static_cast<int>(mese)) +
         "/" + std::to_string(static_cast<int>(anno));
}

// Distance between two clock times on a 24-hour dial.
double DistanzaOraria(double a, double b) {
  double d = std::fmod(std::fabs(a - b), 24);
  return std::min(d, 24 - d);
}

TEST(TransitoDettaglio, MarchFifteenth2004MeanTime) {
  DettaglioTransito d = TransitoDettaglio(15, 3, 2004, 22, 0, 0, kRoma);
  EXPECT_NEAR(d.T, 1.0420123, 5e-8);
  EXPECT_NEAR(d.theta0, 172.936, 0.0005);
  EXPECT_NEAR(d.giorno[0].alfa, 164.552, 0.0005);
  EXPECT_NEAR(d.giorno[1].alfa, 164.434, 0.0005);
  EXPECT_NEAR(d.giorno[2].alfa, 164.318, 0.0005);
  EXPECT_NEAR(d.giorno[1].delta, 8.186, 0.0005);
  EXPECT_NEAR(d.H0, 98.219, 0.0005);
  EXPECT_NEAR(d.m[0], 0.94305, 5e-6);
  EXPECT_NEAR(d.m[1], 0.67022, 5e-6);
  EXPECT_NEAR(d.m[2], 0.21588, 5e-6);
  EXPECT_EQ(d.visibilita, Visibilita::Normale);
  EXPECT_NEAR(d.altezza, 50.30, 0.005);

  RisultatoTransito r = Transito(15, 3, 2004, 22, 0, 0, kRoma);
  EXPECT_EQ(r.culmine, "23:34");
  EXPECT_EQ(r.sorgere, "17:2");
  EXPECT_EQ(r.tramonto, "6:10");
  EXPECT_EQ(TestoAltezza(r.altezza), "Altezza =  50.3\xC2\xB0");
}

TEST(TransitoDettaglio, FirstOfJanuary2000UniversalTime) {
  DettaglioTransito d = TransitoDettaglio(1, 1, 2000, 0, 0, -1, kRoma);
  EXPECT_NEAR(d.giorno[1].alfa, 23.936, 0.0005);
  EXPECT_NEAR(d.giorno[1].delta, 8.621, 0.0005);
  EXPECT_NEAR(d.theta0, 99.967, 0.0005);
  EXPECT_NEAR(d.H0, 98.626, 0.0005);
  const double prima[] = {-0.24453, -0.51849, 0.02943};
  const double dopo[] = {0.75547, 1.48151, 0.02943};
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    EXPECT_NEAR(d.mIniziale[i], prima[i], 5e-6);
    EXPECT_NEAR(d.m[i], dopo[i], 5e-6);
  }
  // The rising falls on the next day (35.461 h) and is shown 24 h earlier and
  // 3.6 minutes later.
  EXPECT_NEAR(d.t[1], 11.521, 0.0005);

  RisultatoTransito r = Transito(1, 1, 2000, 0, 0, -1, kRoma);
  EXPECT_EQ(r.sorgere, "11:31");
  EXPECT_EQ(r.culmine, "18:5");
  EXPECT_EQ(r.tramonto, "0:42");
}

TEST(Transito, OnlyTheAltitudeFollowsTheClock) {
  RisultatoTransito a = Transito(15, 3, 2004, 22, 0, 0, kRoma);
  RisultatoTransito b = Transito(15, 3, 2004, 3, 47, 0, kRoma);
  EXPECT_EQ(a.culmine, b.culmine);
  EXPECT_EQ(a.sorgere, b.sorgere);
  EXPECT_EQ(a.tramonto, b.tramonto);
  EXPECT_GT(std::fabs(a.altezza - b.altezza), 1);
}

TEST(TestoOrario, HoursAndMinutesWithoutLeadingZeros) {
  struct Case {
    double t;
    const char* testo;
  };
  const Case cases[] = {
      {17.034, "17:2"},   {6.1659, "6:10"},    {0, "0:0"},       {23.5639, "23:34"},
      {10.9999, "10:59"},  // a minute of 60 is shown as 59, the hour not carried
      {23.99999, "23:59"}, {12.5, "12:30"},     {std::nan(""), "--:--"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.t);
    EXPECT_EQ(TestoOrario(c.t), c.testo);
  }
}

TEST(TestoAltezza, TenthInPrintFormWithDegreeSign) {
  EXPECT_EQ(TestoAltezza(50.2975), "Altezza =  50.3\xC2\xB0");
  EXPECT_EQ(TestoAltezza(-8.347), "Altezza = -8.3\xC2\xB0");
  EXPECT_EQ(TestoAltezza(-33.98), "Altezza = -34\xC2\xB0");
  EXPECT_EQ(TestoAltezza(0.04), "Altezza =  0\xC2\xB0");
}

TEST(ArcocosenoGradi, EndsAndMiddleWithoutDividingByZero) {
  struct Case {
    double x, H0;
  };
  const Case cases[] = {
      {-1, 180}, {1, 0}, {0, 90}, {-0.0, 90}, {-3, 180}, {3, 0}, {0.5, 60}, {-0.5, 120},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.x);
    EXPECT_NEAR(ArcocosenoGradi(c.x), c.H0, 1e-7);
  }
}

// Jupiter at +8.2 degrees on 15 March 2004: never sets far north, never rises
// far south. At the poles the verdict follows the declination and the altitude
// is the declination itself (up to the interpolation to the time of the fields).
TEST(Transito, CircumpolarAndNeverRising) {
  struct Case {
    double lat;
    Visibilita attesa;
    double altezzaPolo;  // NaN away from the poles
  };
  const double x = std::nan("");
  const Case cases[] = {
      {42, Visibilita::Normale, x},      {85, Visibilita::SempreSopra, x},
      {-85, Visibilita::SempreSotto, x}, {90, Visibilita::SempreSopra, 8.2},
      {-90, Visibilita::SempreSotto, -8.2}, {89, Visibilita::SempreSopra, x},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lat);
    Osservatore oss{12, 0, c.lat, 0};
    DettaglioTransito d = TransitoDettaglio(15, 3, 2004, 22, 0, 0, oss);
    RisultatoTransito r = Transito(15, 3, 2004, 22, 0, 0, oss);
    EXPECT_EQ(r.visibilita, c.attesa);
    EXPECT_EQ(d.visibilita, c.attesa);
    bool normale = c.attesa == Visibilita::Normale;
    EXPECT_EQ(r.sorgere == "--:--", !normale);
    EXPECT_EQ(r.tramonto == "--:--", !normale);
    if (c.attesa == Visibilita::SempreSopra) {
      EXPECT_EQ(d.H0, 180);
    }
    if (c.attesa == Visibilita::SempreSotto) {
      EXPECT_EQ(d.H0, 0);
    }
    // The culmination stays the same wherever on the meridian the observer is.
    EXPECT_EQ(r.culmine, "23:34");
    if (!std::isnan(c.altezzaPolo)) {
      EXPECT_NEAR(r.altezza, c.altezzaPolo, 0.1);
    }
  }
}

// Interpolating right ascension across 0h needs the 360-degree jump removed:
// every event moves by a few minutes a day through the crossing.
TEST(Transito, RightAscensionCrossingZeroHours) {
  struct Case {
    double giorno, mese, anno;  // the first of two days that straddle the crossing
  };
  const Case cases[] = {{10, 2, 1999}, {2, 6, 2010}, {14, 9, 2010}};
  for (const Case& c : cases) {
    for (double g = c.giorno - 2; g <= c.giorno + 3; ++g) {
      SCOPED_TRACE(Data(g, c.mese, c.anno));
      DettaglioTransito oggi = TransitoDettaglio(g, c.mese, c.anno, 0, 0, 0, kRoma);
      DettaglioTransito domani = TransitoDettaglio(g + 1, c.mese, c.anno, 0, 0, 0, kRoma);
      for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_LT(DistanzaOraria(oggi.t[i], domani.t[i]), 0.1);
      }
      RisultatoTransito r = Transito(g, c.mese, c.anno, 0, 0, 0, kRoma);
      for (const std::string& s : {r.culmine, r.sorgere, r.tramonto})
        EXPECT_TRUE(std::regex_match(s, std::regex("(1?[0-9]|2[0-3]):[1-5]?[0-9]"))) << s;
    }
  }
}

// West of Greenwich the culmination used to come out one turn late (24:59).
// The same meridian transit seen 112 degrees further west happens 112/360.985647
// of a day later, plus the 3.6 minutes of the next-day fold.
TEST(Transito, CulminationWestOfGreenwich) {
  Osservatore ovest{-100, 0, 42, 0};
  RisultatoTransito r = Transito(24, 12, 1998, 0, 0, 0, ovest);
  EXPECT_EQ(r.culmine, "0:59");
  DettaglioTransito w = TransitoDettaglio(24, 12, 1998, 0, 0, 0, ovest);
  DettaglioTransito e = TransitoDettaglio(24, 12, 1998, 0, 0, 0, kRoma);
  // The correction moves the estimate by minutes, not by a turn.
  EXPECT_NEAR(w.mCorretto[0], w.m[0], 0.01);
  EXPECT_NEAR(w.t[0] + 24 - e.t[0], 24 * 112 / 360.985647 + 0.06, 0.02);
}

// Every text a clock time or "--:--", the altitude a real angle, over the whole
// range of dates, including observers that make no sense.
TEST(Transito, DefinedForEveryDateAndObserver) {
  const std::regex ora("(1?[0-9]|2[0-3]):[1-5]?[0-9]");
  std::vector<double> latitudini;
  for (double lat = -90; lat <= 90; lat += 5) latitudini.push_back(lat);
  latitudini.insert(latitudini.end(), {95, -95, 1000});
  const double longitudini[] = {12, -100, 1000};
  for (double anno = 1600; anno < 3000; anno += 23)
    for (double mese = 1; mese <= 12; mese += 1) {
      double giorno = 1 + std::fmod(anno * 7 + mese * 11, 28);
      double ore = std::fmod(anno + mese * 5, 24), minuti = std::fmod(anno * 3 + mese, 60);
      float scarto = static_cast<float>(std::fmod(anno + mese, 3) - 1);
      for (double lat : latitudini)
        for (double lon : longitudini) {
          Osservatore oss{lon, 0, lat, 0};
          DettaglioTransito d = TransitoDettaglio(giorno, mese, anno, ore, minuti, scarto, oss);
          RisultatoTransito r = Transito(giorno, mese, anno, ore, minuti, scarto, oss);
          std::string dove = Data(giorno, mese, anno) + " lat " + std::to_string(lat) +
                             " lon " + std::to_string(lon);
          ASSERT_TRUE(r.altezza >= -90 && r.altezza <= 90) << dove << " h=" << r.altezza;
          for (int i = 0; i < 3; ++i)
            ASSERT_TRUE(d.t[i] >= 0 && d.t[i] < 24) << dove << " t" << i << "=" << d.t[i];
          ASSERT_TRUE(std::regex_match(r.culmine, ora)) << dove << " " << r.culmine;
          bool normale = r.visibilita == Visibilita::Normale;
          for (const std::string& s : {r.sorgere, r.tramonto})
            ASSERT_TRUE(normale ? std::regex_match(s, ora) : s == "--:--") << dove << " " << s;
        }
    }
}

}  // namespace
}  // namespace mr
