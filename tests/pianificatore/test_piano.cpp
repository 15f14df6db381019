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

// ---- mutual events --------------------------------------------------------------

using T = TipoMutuo;
using P = PosizioneMutuo;

// The same night's mutual events, by maximum, each lasting from 3 minutes
// before its maximum to 3 min 20 s after.
struct FissaMutui : Fissa {
  EventoMutuo m(T tipo, int a, int b, int ore, int minuti, double alt, double sole, P p) const {
    const double x = t(ore, minuti);
    return {tipo, a, b, x - 3.0 / 1440, x, x + 10.0 / 3 / 1440, 1234.6, GenereMutuo::Parziale,
            0.41, alt, sole, p};
  }
  std::vector<EventoMutuo> mutui{
      m(T::Occultazione, 1, 2, 19, 30, 40, -20, P::Libero),   // 0
      m(T::Eclisse, 3, 4, 20, 30, 46, -26, P::Davanti),       // 1 in front of the disk: seen
      m(T::Eclisse, 2, 1, 22, 0, 55, -35, P::AttivoInOmbra),  // 2 Europa casts no shadow
      m(T::Occultazione, 1, 3, 22, 30, 57, -37, P::Libero),   // 3
      m(T::Occultazione, 4, 3, 23, 55, 8, -43, P::Libero),    // 4 Jupiter below 10 degrees
  };
};

// One row each, at its maximum, among the phenomena by the time of their
// first rows; with the filter on, only those seen.
TEST(Piano, FenomeniMutuiTraGliAltri) {
  FissaMutui f;
  const auto& e = f.eventi;
  const auto& m = f.mutui;
  const std::vector<RigaPiano> attese = {
      {e[0], true, 0, std::nullopt}, {e[3], true, 0, e[0].jdUT},
      {e[1], true, 2, std::nullopt}, {e[4], true, 2, e[1].jdUT},
      {e[2], true, 4, std::nullopt}, {m[0], true, 8, std::nullopt},
      {m[1], true, 9, std::nullopt}, {e[5], true, 5, std::nullopt},
      {m[3], true, 10, std::nullopt}, {e[7], true, 6, std::nullopt},
      {e[9], true, 7, std::nullopt},
  };
  EXPECT_EQ(RighePiano(e, SceltaEventi{}, m), attese);

  SceltaEventi tutto;
  tutto.soloOsservabili = false;
  const std::vector<RigaPiano> righe = RighePiano(e, tutto, m);
  std::vector<std::pair<double, bool>> mutue;
  for (const RigaPiano& r : righe)
    if (r.Mutuo()) mutue.emplace_back(r.Istante(), r.osservabile);
  EXPECT_EQ(mutue, (std::vector<std::pair<double, bool>>{{m[0].jdMassimo, true},
                                                         {m[1].jdMassimo, true},
                                                         {m[2].jdMassimo, false},
                                                         {m[3].jdMassimo, true},
                                                         {m[4].jdMassimo, false}}));
  // Time order throughout (the pairs by their first contact).
  for (std::size_t i = 1; i < righe.size(); ++i)
    if (righe[i].gruppo != righe[i - 1].gruppo) {
      const double prima = righe[i - 1].inizioCoppia.value_or(righe[i - 1].Istante());
      EXPECT_LE(prima, righe[i].Istante()) << i;
    }
}

// The kind, and the satellites: a mutual event is listed when either of its
// two is chosen.
TEST(Piano, FenomeniMutuiPerGenereESatelliti) {
  FissaMutui f;
  const auto istanti = [&](const SceltaEventi& s) {
    std::vector<double> t;
    for (const RigaPiano& r : RighePiano(f.eventi, s, f.mutui))
      if (r.Mutuo()) t.push_back(r.Istante());
    return t;
  };
  SceltaEventi scelta;
  scelta.soloOsservabili = false;
  scelta.satelliti = {false, false, true, false};  // Ganymede
  EXPECT_EQ(istanti(scelta), (std::vector<double>{f.mutui[1].jdMassimo, f.mutui[3].jdMassimo,
                                                  f.mutui[4].jdMassimo}));
  scelta.satelliti = {false, true, false, false};  // Europa
  EXPECT_EQ(istanti(scelta), (std::vector<double>{f.mutui[0].jdMassimo, f.mutui[2].jdMassimo}));
  scelta.generi[static_cast<std::size_t>(Genere::Mutui)] = false;
  scelta.satelliti = {true, true, true, true};
  EXPECT_TRUE(istanti(scelta).empty());
  EXPECT_EQ(NomeGenere(Genere::Mutui), std::string("Fenomeni mutui"));
}

// The command line's rows: every event, or those the filter passes.
TEST(Piano, SoloFenomeniMutui) {
  FissaMutui f;
  const std::vector<RigaPiano> tutte = RighePiano(f.mutui, std::nullopt);
  ASSERT_EQ(tutte.size(), 5u);
  for (std::size_t i = 0; i < tutte.size(); ++i) {
    EXPECT_EQ(tutte[i], (RigaPiano{f.mutui[i], true, static_cast<int>(i), std::nullopt}));
  }
  std::vector<double> visibili;
  for (const RigaPiano& r : RighePiano(f.mutui, FiltroVisibili{10, -6})) visibili.push_back(r.Istante());
  EXPECT_EQ(visibili, (std::vector<double>{f.mutui[0].jdMassimo, f.mutui[1].jdMassimo,
                                           f.mutui[3].jdMassimo}));
}

TEST(Piano, TestiDiUnaRigaMutua) {
  FissaMutui f;
  const RigaPiano riga{f.mutui[1], true, 0, std::nullopt};
  EXPECT_EQ(SiglaRiga(riga), "3 E 4");
  EXPECT_EQ(TestoRiga(riga),
            "Ganimede eclissa Callisto (parziale, calo 0,40 mag), Callisto davanti a Giove");
  EXPECT_EQ(GenereDi(riga), Genere::Mutui);
  EXPECT_EQ(riga.AltGiove(), 46);
  EXPECT_EQ(riga.AltSole(), -26);
  // 6 min 20 s, counted whole; a grazing event of 20 s is not "0 min".
  EXPECT_EQ(DurataRiga(riga), "6 min");
  EventoMutuo radente = f.mutui[0];
  radente.jdFine = radente.jdInizio + 20.0 / 86400;
  EXPECT_EQ(DurataRiga({radente, true, 0, std::nullopt}), "< 1 min");
  // A phenomenon's rows: the duration on the pair's second row only.
  EXPECT_EQ(DurataRiga({f.eventi[3], true, 0, f.eventi[0].jdUT}), "2 h 15 min");
  EXPECT_EQ(DurataRiga({f.eventi[0], true, 0, std::nullopt}), "");
  EXPECT_EQ(SiglaRiga({f.eventi[0], true, 0, std::nullopt}), "Sh.I");
}

// Maximum, contacts, drop, distance and where B stands, in the zone's time
// (CET: UT + 1 h).
TEST(Piano, DettagliDiUnFenomenoMutuo) {
  FissaMutui f;
  const FusoFisso cet("Europe/Rome", "CET", 3600);
  EXPECT_EQ(DettagliMutuo(f.mutui[1], cet),
            "3 E 4 - massimo 12/02/2027 21:30 CET, Giove a 46°, Notte\n"
            "Dal primo all'ultimo contatto: 21:27 - 21:33 (6 min)\n"
            "Calo 0,40 mag (parziale), distanza minima dei centri 1235 km\n"
            "Callisto davanti a Giove: misura difficile");
  EXPECT_EQ(DettagliMutuo(f.mutui[0], cet),
            "1 O 2 - massimo 12/02/2027 20:30 CET, Giove a 40°, Notte\n"
            "Dal primo all'ultimo contatto: 20:27 - 20:33 (6 min)\n"
            "Calo 0,40 mag (parziale), distanza minima dei centri 1235 km");
  const std::string ombra = DettagliMutuo(f.mutui[2], cet);
  EXPECT_TRUE(ombra.ends_with("\nEuropa nell'ombra di Giove: nessuna ombra, nessuna eclisse"))
      << ombra;
  EventoMutuo dietro = f.mutui[3];
  dietro.giove = P::Dietro;
  dietro.genere = GenereMutuo::Totale;
  dietro.tipo = T::Eclisse;
  const std::string testo = DettagliMutuo(dietro, cet);
  EXPECT_NE(testo.find("\nGanimede scompare (totale), distanza"), std::string::npos) << testo;
  EXPECT_TRUE(testo.ends_with("\nGanimede dietro Giove: non osservabile")) << testo;
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
