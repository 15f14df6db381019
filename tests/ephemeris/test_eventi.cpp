#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "ephemeris/calendario.h"
#include "ephemeris/effemeride_precisa.h"
#include "ephemeris/eventi.h"

namespace mr {
namespace {

const Sito kRoma{12.5, 41.9, 0};

// The event of the list with this code and satellite nearest to jdUT.
const Evento* Vicino(const std::vector<Evento>& eventi, CodiceEvento codice, int satellite,
                     double jdUT) {
  const Evento* migliore = nullptr;
  for (const Evento& e : eventi) {
    if (e.codice != codice || e.satellite != satellite) continue;
    if (!migliore || std::abs(e.jdUT - jdUT) < std::abs(migliore->jdUT - jdUT)) migliore = &e;
  }
  return migliore;
}

// IMCCE predictions printed for January 2016 (UT, rounded to the minute).
// Agreement within a minute plus the rounding.
TEST(CercaEventi, PrevisioniImcceGennaio2016) {
  struct Case {
    double giorno, ore, minuti;
    CodiceEvento codice;
    int satellite;
  };
  using C = CodiceEvento;
  const Case cases[] = {
      {2, 5, 35, C::EcD, 2},  {2, 10, 41, C::OcR, 2}, {2, 11, 32, C::EcD, 4},
      {2, 13, 1, C::ShI, 1},  {2, 14, 10, C::TrI, 1}, {2, 15, 16, C::ShE, 1},
      {2, 16, 24, C::TrE, 1}, {3, 10, 7, C::EcD, 1},  {3, 13, 34, C::OcR, 1},
      {3, 23, 48, C::ShI, 2}, {4, 2, 37, C::ShE, 2},  {4, 7, 29, C::ShI, 1},
      {4, 9, 44, C::ShE, 1},  {4, 10, 51, C::TrE, 1},
  };
  RicercaEventi r = CercaEventi(GiornoGiuliano(2, 1, 2016), 3, 68, kRoma, {});
  ASSERT_EQ(r.esito, EsitoEventi::Calcolati);
  for (const auto& c : cases) {
    std::string nome = std::string(SiglaEvento(c.codice)) + " " + std::to_string(c.satellite) +
                       " on the " + std::to_string(static_cast<int>(c.giorno));
    SCOPED_TRACE(nome);
    double atteso = GiornoGiuliano(c.giorno, 1, 2016, c.ore, c.minuti);
    const Evento* e = Vicino(r.eventi, c.codice, c.satellite, atteso);
    ASSERT_NE(e, nullptr);
    double secondi = (e->jdUT - atteso) * 86400;
    EXPECT_TRUE(std::isfinite(secondi) && std::abs(secondi) <= 90) << secondi;
    EXPECT_FALSE(e->nascosto);
  }
}

// Red Spot transits published for January 2019 with L = 294 (Delta T 69 s).
TEST(CercaEventi, TransitiDellaMacchiaGennaio2019) {
  struct Case {
    double giorno, ore, minuti;
  };
  const Case cases[] = {
      {17, 6, 27}, {17, 16, 23}, {18, 2, 19}, {18, 12, 15}, {18, 22, 10},
      {19, 8, 6},  {19, 18, 2},  {20, 3, 58}, {20, 13, 53}, {20, 23, 49},
  };
  RicercaEventi r =
      CercaEventi(GiornoGiuliano(17, 1, 2019), 4, 69, kRoma, {294, 0, GiornoGiuliano(1, 1, 2019)});
  std::vector<Evento> macchia;
  for (const Evento& e : r.eventi) {
    if (e.codice == CodiceEvento::GRS) macchia.push_back(e);
  }
  ASSERT_EQ(macchia.size(), std::size(cases));
  for (std::size_t k = 0; k < macchia.size(); ++k) {
    SCOPED_TRACE(k);
    EXPECT_EQ(macchia[k].satellite, 0);
    double atteso = GiornoGiuliano(cases[k].giorno, 1, 2019, cases[k].ore, cases[k].minuti);
    double secondi = (macchia[k].jdUT - atteso) * 86400;
    EXPECT_TRUE(std::isfinite(secondi) && std::abs(secondi) <= 60) << secondi;
  }
}

// A drifting Spot: 30 degrees a month moves each transit by 30/870.27 of a
// day per 30.4375 days, about 82 s a day against the fixed Spot.
TEST(CercaEventi, DerivaDellaMacchia) {
  double inizio = GiornoGiuliano(1, 3, 2026);
  auto transiti = [&](double deriva) {
    std::vector<double> t;
    for (const Evento& e : CercaEventi(inizio, 10, 69, kRoma, {70, deriva, inizio}).eventi) {
      if (e.codice == CodiceEvento::GRS) t.push_back(e.jdUT);
    }
    return t;
  };
  std::vector<double> fissa = transiti(0), mobile = transiti(30);
  ASSERT_GE(fissa.size(), 20u);
  ASSERT_EQ(fissa.size(), mobile.size());
  for (std::size_t k = 0; k < fissa.size(); ++k) {
    double attesi = (fissa[k] - inizio) / 30.4375 * 30 / 870.27 * 86400;
    double secondi = (mobile[k] - fissa[k]) * 86400;
    EXPECT_TRUE(std::isfinite(secondi) && std::abs(secondi - attesi) <= 0.02 * attesi + 1)
        << secondi << " " << attesi;
  }
}

// The list of a window is the union of the lists of its two halves.
TEST(CercaEventi, FinestreContigue) {
  double inizio = GiornoGiuliano(3, 5, 2027, 7, 13);
  std::vector<Evento> intera = CercaEventi(inizio, 6, 69, kRoma, {}).eventi;
  std::vector<Evento> meta = CercaEventi(inizio, 2.5, 69, kRoma, {}).eventi;
  std::vector<Evento> resto = CercaEventi(inizio + 2.5, 3.5, 69, kRoma, {}).eventi;
  meta.insert(meta.end(), resto.begin(), resto.end());
  ASSERT_EQ(intera.size(), meta.size());
  for (std::size_t k = 0; k < intera.size(); ++k) {
    EXPECT_EQ(intera[k].codice, meta[k].codice);
    EXPECT_EQ(intera[k].satellite, meta[k].satellite);
    EXPECT_NEAR(intera[k].jdUT, meta[k].jdUT, 1e-6);
    EXPECT_GE(intera[k].jdUT, inizio);
    EXPECT_LT(intera[k].jdUT, inizio + 6);
  }
}

// Every change of state sampled every 20 s by the positions at an instant is
// an event of the list within that step, and every event is such a change:
// here around a Callisto transit of 8 minutes (2028 September 24, a chord
// near the pole), a passage that a plain scan at a coarse step would miss.
TEST(CercaEventi, PassaggioRadenteECambiDiStato) {
  double inizio = GiornoGiuliano(24, 9, 2028, 7), giorni = 0.5, passo = 20.0 / 86400;
  std::vector<Evento> eventi = CercaEventi(inizio, giorni, 69, kRoma, {}).eventi;
  std::vector<Evento> satelliti;
  for (const Evento& e : eventi) {
    if (e.satellite > 0) satelliti.push_back(e);
  }
  const Evento* radente = Vicino(satelliti, CodiceEvento::TrI, 4, inizio + 0.25);
  ASSERT_NE(radente, nullptr);
  const Evento* fine = Vicino(satelliti, CodiceEvento::TrE, 4, radente->jdUT);
  ASSERT_NE(fine, nullptr);
  double minuti = (fine->jdUT - radente->jdUT) * 1440;
  EXPECT_TRUE(minuti > 2 && minuti < 15) << minuti;

  std::vector<bool> trovato(satelliti.size(), false);
  bool prima[4][4] = {};
  int cambi = 0;
  for (int k = 0; inizio + k * passo < inizio + giorni; ++k) {
    double t = inizio + k * passo;
    PosizioniPrecise p = PosizioniAllIstante({t, 69});
    for (int i = 0; i < 4; ++i) {
      const SatellitePreciso& s = p.satelliti[i];
      const bool stato[4] = {s.inTransito, s.ombraSulDisco, s.occultato, s.eclissato};
      for (int j = 0; j < 4; ++j) {
        if (k > 0 && stato[j] != prima[i][j]) {
          ++cambi;
          // Transit, shadow, occultation, eclipse: codes in the enum's order.
          auto codice = static_cast<CodiceEvento>(2 * j + (stato[j] ? 0 : 1));
          bool corrisponde = false;
          for (std::size_t e = 0; e < satelliti.size(); ++e) {
            const Evento& v = satelliti[e];
            if (v.codice == codice && v.satellite == i + 1 && v.jdUT > t - passo && v.jdUT <= t) {
              trovato[e] = corrisponde = true;
            }
          }
          EXPECT_TRUE(corrisponde) << SiglaEvento(codice) << " " << i + 1 << " at " << t;
        }
        prima[i][j] = stato[j];
      }
    }
  }
  EXPECT_EQ(cambi, static_cast<int>(satelliti.size()));
  for (std::size_t e = 0; e < satelliti.size(); ++e) {
    EXPECT_TRUE(trovato[e]) << SiglaEvento(satelliti[e].codice) << " " << satelliti[e].jdUT;
  }
}

TEST(CercaEventi, FinestreNonAmmesse) {
  struct Case {
    const char* nome;
    double inizio, giorni, deltaT;
    Sito sito;
    ModelloMacchia macchia;
    EsitoEventi esito;
  };
  const double oggi = GiornoGiuliano(1, 3, 2026);
  const Case cases[] = {
      {"no days", oggi, 0, 69, kRoma, {}, EsitoEventi::DatiNonValidi},
      {"negative days", oggi, -1, 69, kRoma, {}, EsitoEventi::DatiNonValidi},
      {"over ten years", oggi, 3661, 69, kRoma, {}, EsitoEventi::DatiNonValidi},
      {"days not a number", oggi, NAN, 69, kRoma, {}, EsitoEventi::DatiNonValidi},
      {"start not a number", NAN, 1, 69, kRoma, {}, EsitoEventi::DatiNonValidi},
      {"Delta T infinite", oggi, 1, INFINITY, kRoma, {}, EsitoEventi::DatiNonValidi},
      {"site not a number", oggi, 1, 69, {NAN, 41.9, 0}, {}, EsitoEventi::DatiNonValidi},
      {"drift not a number", oggi, 1, 69, kRoma, {70, NAN, oggi}, EsitoEventi::DatiNonValidi},
      {"before 1600", GiornoGiuliano(31, 12, 1599), 1, 69, kRoma, {}, EsitoEventi::FuoriIntervallo},
      {"past 2999", GiornoGiuliano(31, 12, 2999), 2, 69, kRoma, {}, EsitoEventi::FuoriIntervallo},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.nome);
    RicercaEventi r = CercaEventi(c.inizio, c.giorni, c.deltaT, c.sito, c.macchia);
    EXPECT_EQ(r.esito, c.esito);
    EXPECT_TRUE(r.eventi.empty());
  }
}

// The first and last days of the range still give complete lists.
TEST(CercaEventi, EstremiDellIntervallo) {
  for (double inizio : {GiornoGiuliano(1, 1, 1600), GiornoGiuliano(31, 12, 2999)}) {
    RicercaEventi r = CercaEventi(inizio, 1, 120, kRoma, {});
    EXPECT_EQ(r.esito, EsitoEventi::Calcolati);
    EXPECT_GE(r.eventi.size(), 4u);
    for (const Evento& e : r.eventi) {
      EXPECT_TRUE(std::isfinite(e.jdUT) && std::isfinite(e.altGiove) && std::isfinite(e.altSole));
    }
  }
}

TEST(CercaEventi, Sigle) {
  using C = CodiceEvento;
  const std::pair<C, const char*> cases[] = {
      {C::TrI, "Tr.I"}, {C::TrE, "Tr.E"}, {C::ShI, "Sh.I"}, {C::ShE, "Sh.E"}, {C::OcD, "Oc.D"},
      {C::OcR, "Oc.R"}, {C::EcD, "Ec.D"}, {C::EcR, "Ec.R"}, {C::GRS, "GRS"},
  };
  for (const auto& [codice, sigla] : cases) EXPECT_STREQ(SiglaEvento(codice), sigla);
}

}  // namespace
}  // namespace mr
