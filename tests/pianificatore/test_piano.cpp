#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "ephemeris/calendario.h"
#include "pianificatore/piano.h"

namespace mr {
namespace {

using C = CodiceEvento;

double Ut(int a, int m, int g, int ore, int minuti, double secondi = 0) {
  return GiornoGiuliano(g, m, a, ore, minuti + secondi / 60.0);
}

// A night of events at a site, in time order as the finder lists them: Io's
// shadow and transit overlap, Europa reappears from the occultation while
// eclipsed, Callisto's transit starts with Jupiter too low.
struct Fissa {
  double t(int ore, int minuti) const { return Ut(2027, 2, 12, ore, minuti); }
  std::vector<Evento> eventi{
      {t(18, 0), C::ShI, 1, 30, -8, false},     // 0
      {t(18, 40), C::TrI, 1, 33, -13, false},   // 1
      {t(19, 10), C::GRS, 0, 36, -16, false},   // 2
      {t(20, 15), C::ShE, 1, 45, -25, false},   // 3
      {t(20, 50), C::TrE, 1, 48, -28, false},   // 4
      {t(21, 0), C::OcD, 2, 50, -30, false},    // 5
      {t(23, 0), C::OcR, 2, 60, -40, true},     // 6 hidden: in Jupiter's shadow
      {t(23, 30), C::EcR, 2, 61, -42, false},   // 7
      {t(23, 50), C::TrI, 4, 8, -43, false},    // 8 Jupiter below 10 degrees
      {t(26, 0), C::TrE, 4, 12, -40, false},    // 9
  };
};

std::vector<double> Istanti(const std::vector<RigaPiano>& righe) {
  std::vector<double> t;
  for (const RigaPiano& r : righe) t.push_back(r.Istante());
  return t;
}

TEST(Piano, FiltroEAccoppiamentoDeiContatti) {
  Fissa f;
  const auto& e = f.eventi;
  const std::vector<RigaPiano> righe = RighePiano(e, SceltaEventi{});
  // Each ingress is followed by its egress; what fell between them comes after.
  const std::vector<RigaPiano> attese = {
      {e[0], true, 0, std::nullopt}, {e[3], true, 0, e[0].jdUT},
      {e[1], true, 2, std::nullopt}, {e[4], true, 2, e[1].jdUT},
      {e[2], true, 4, std::nullopt}, {e[5], true, 5, std::nullopt},
      {e[7], true, 6, std::nullopt}, {e[9], true, 7, std::nullopt},
  };
  EXPECT_EQ(righe, attese);
}

TEST(Piano, SenzaFiltroTuttoInElencoIlNonOsservabileSegnato) {
  Fissa f;
  const auto& e = f.eventi;
  SceltaEventi scelta;
  scelta.soloOsservabili = false;
  const std::vector<RigaPiano> righe = RighePiano(e, scelta);
  const std::vector<RigaPiano> attese = {
      {e[0], true, 0, std::nullopt},  {e[3], true, 0, e[0].jdUT},
      {e[1], true, 2, std::nullopt},  {e[4], true, 2, e[1].jdUT},
      {e[2], true, 4, std::nullopt},  {e[5], true, 5, std::nullopt},
      {e[6], false, 5, e[5].jdUT},    {e[7], true, 7, std::nullopt},
      {e[8], false, 8, std::nullopt}, {e[9], true, 8, e[8].jdUT},
  };
  EXPECT_EQ(righe, attese);
}

TEST(Piano, AltezzaECieloScelti) {
  Fissa f;
  const auto& e = f.eventi;
  struct Case {
    const char* nome;
    double altezza;
    Cielo cielo;
    std::vector<double> attesi;
  };
  const Case cases[] = {
      // The shadow's ingress (Sun at -8) needs nautical twilight or brighter.
      {"night", 10, Cielo::Notte,
       {e[3].jdUT, e[4].jdUT, e[5].jdUT, e[7].jdUT, e[9].jdUT}},
      {"astronomical", 10, Cielo::CrepuscoloAstronomico,
       {e[1].jdUT, e[4].jdUT, e[2].jdUT, e[3].jdUT, e[5].jdUT, e[7].jdUT, e[9].jdUT}},
      {"Jupiter above 40", 40, Cielo::Giorno, {e[3].jdUT, e[4].jdUT, e[5].jdUT, e[7].jdUT}},
      {"Jupiter above 0", 0, Cielo::CrepuscoloNautico,
       {e[0].jdUT, e[3].jdUT, e[1].jdUT, e[4].jdUT, e[2].jdUT, e[5].jdUT, e[7].jdUT, e[8].jdUT,
        e[9].jdUT}},
  };
  for (const auto& c : cases) {
    SceltaEventi scelta;
    scelta.altezzaMinima = c.altezza;
    scelta.cielo = c.cielo;
    EXPECT_EQ(Istanti(RighePiano(e, scelta)), c.attesi) << c.nome;
  }
}

TEST(Piano, GeneriESatelliti) {
  Fissa f;
  const auto& e = f.eventi;
  SceltaEventi scelta;
  scelta.soloOsservabili = false;
  scelta.generi = {false, false, true, false, false, false};  // Ombre
  EXPECT_EQ(Istanti(RighePiano(e, scelta)), (std::vector<double>{e[0].jdUT, e[3].jdUT}));
  // The Red Spot whatever the satellites.
  scelta.generi = {true, true, true, true, true, true};
  scelta.satelliti = {false, false, false, false};
  EXPECT_EQ(Istanti(RighePiano(e, scelta)), (std::vector<double>{e[2].jdUT}));
  scelta.satelliti = {false, true, false, false};  // Europa
  scelta.generi = {false, false, false, true, true, false};
  EXPECT_EQ(Istanti(RighePiano(e, scelta)),
            (std::vector<double>{e[5].jdUT, e[6].jdUT, e[7].jdUT}));
}

// Io's egress below the horizon and the next transit's ingress too: the two
// contacts left are of different transits and stay apart.
TEST(Piano, NessunaCoppiaTraFenomeniDiversi) {
  const double d = Ut(2027, 2, 12, 0, 0);
  const std::vector<Evento> eventi = {
      {d + 0.80, C::TrI, 1, 20, -30, false},
      {d + 0.89, C::TrE, 1, -5, -30, false},
      {d + 2.57, C::TrI, 1, -5, -30, false},
      {d + 2.66, C::TrE, 1, 20, -30, false},
  };
  const std::vector<RigaPiano> righe = RighePiano(eventi, SceltaEventi{});
  ASSERT_EQ(righe.size(), 2u);
  EXPECT_NE(righe[0].gruppo, righe[1].gruppo);
  EXPECT_FALSE(righe[1].inizioCoppia);
  // Without a filter (the command line's list) every contact is paired.
  const std::vector<RigaPiano> tutte = RighePiano(eventi, std::nullopt);
  ASSERT_EQ(tutte.size(), 4u);
  EXPECT_EQ(tutte[1].inizioCoppia, eventi[0].jdUT);
  EXPECT_EQ(tutte[3].inizioCoppia, eventi[2].jdUT);
  EXPECT_TRUE(tutte[1].osservabile);
  EXPECT_EQ(RighePiano(eventi, FiltroVisibili{0, -6}).size(), 2u);
}

TEST(Piano, OrdineDecrescenteTieneInsiemeLeCoppie) {
  Fissa f;
  const auto& e = f.eventi;
  const std::vector<RigaPiano> righe = RighePiano(e, SceltaEventi{});
  EXPECT_EQ(Istanti(OrdinaPerTempo(righe, false)),
            (std::vector<double>{e[9].jdUT, e[7].jdUT, e[5].jdUT, e[2].jdUT, e[1].jdUT,
                                 e[4].jdUT, e[0].jdUT, e[3].jdUT}));
  EXPECT_EQ(OrdinaPerTempo(OrdinaPerTempo(righe, false), true), righe);
}

// IMCCE's predictions for 2 January 2016 (UT, to the minute): Io Sh.I 13:01,
// Tr.I 14:10, Sh.E 15:16, Tr.E 16:24.
TEST(Piano, OmbraETransitoDiIoDelDueGennaio2016) {
  RicercaEventi r = CercaEventi(Ut(2016, 1, 2, 12, 0), 0.25, 68, {12.5, 41.9, 0}, {});
  ASSERT_EQ(r.esito, EsitoEventi::Calcolati);
  SceltaEventi scelta;
  scelta.soloOsservabili = false;
  scelta.generi = {false, true, true, false, false, false};
  scelta.satelliti = {true, false, false, false};
  const std::vector<RigaPiano> righe = RighePiano(r.eventi, scelta);
  ASSERT_EQ(righe.size(), 4u);
  const struct {
    CodiceEvento codice;
    double jd;
  } attesi[] = {{C::ShI, Ut(2016, 1, 2, 13, 1)}, {C::ShE, Ut(2016, 1, 2, 15, 16)},
                {C::TrI, Ut(2016, 1, 2, 14, 10)}, {C::TrE, Ut(2016, 1, 2, 16, 24)}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(righe[i].Fenomeno()->codice, attesi[i].codice) << i;
    const double scarto = (righe[i].Istante() - attesi[i].jd) * 1440;
    EXPECT_TRUE(std::isfinite(scarto) && std::abs(scarto) <= 1.0) << i << ": " << scarto;
  }
  EXPECT_EQ(righe[1].inizioCoppia, righe[0].Istante());
  EXPECT_EQ(righe[3].inizioCoppia, righe[2].Istante());
}

TEST(Piano, StatoDelCielo) {
  struct Case {
    double sole;
    Cielo cielo;
  };
  const Case cases[] = {
      {-40, Cielo::Notte},
      {-18, Cielo::Notte},
      {-17.99, Cielo::CrepuscoloAstronomico},
      {-12, Cielo::CrepuscoloAstronomico},
      {-11, Cielo::CrepuscoloNautico},
      {-6, Cielo::CrepuscoloNautico},
      {-0.5, Cielo::CrepuscoloCivile},
      {0, Cielo::CrepuscoloCivile},
      {0.01, Cielo::Giorno},
      {NAN, Cielo::Giorno},
  };
  for (const auto& c : cases) EXPECT_EQ(CieloDi(c.sole), c.cielo) << c.sole;
  // The filter's sky lets through exactly the states at least as dark.
  for (Cielo scelto : Cieli) {
    for (const auto& c : cases) {
      if (!std::isfinite(c.sole)) continue;
      EXPECT_EQ(c.sole <= SoleMassimo(scelto), c.cielo <= scelto || scelto == Cielo::Giorno)
          << NomeSceltaCielo(scelto) << " " << c.sole;
    }
  }
}

TEST(Piano, Testi) {
  const double t = Ut(2027, 2, 12, 20, 0);
  const double minuto = 1.0 / 1440, secondo = minuto / 60;
  EXPECT_EQ(TestoDurata(t, t + 45 * minuto), "45 min");
  EXPECT_EQ(TestoDurata(t, t + 125 * minuto), "2 h 05 min");
  // 20:14:29 and 22:24:31 show as 20:14 and 22:25.
  EXPECT_EQ(TestoDurata(t + 14 * minuto + 29 * secondo, t + 144 * minuto + 31 * secondo),
            "2 h 11 min");
  EXPECT_EQ(TestoDurata(t, t - minuto), "");
  EXPECT_EQ(TestoDurata(t, NAN), "");
  EXPECT_EQ(TestoGradi(35.4), "35\u00b0");
  EXPECT_EQ(TestoGradi(-0.4), "0\u00b0");
  EXPECT_EQ(TestoGradi(-3.6), "-4\u00b0");
  EXPECT_EQ(TestoGradi(NAN), "-");
  EXPECT_EQ(TestoEvento({t, C::OcR, 2, 60, -40, true}),
            "Europa: fine dell'occultazione (nell'ombra di Giove)");
  EXPECT_EQ(TestoEvento({t, C::EcD, 3, 60, -40, true}),
            "Ganimede: inizio dell'eclisse (dietro Giove)");
  EXPECT_EQ(TestoEvento({t, C::EcD, 3, 60, -40, false}), "Ganimede: inizio dell'eclisse");
}

}  // namespace
}  // namespace mr
