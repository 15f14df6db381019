#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "confronto_mutui.h"
#include "ephemeris/calendario.h"
#include "ephemeris/effemeride_precisa.h"
#include "ephemeris/mutui.h"

namespace mr {
namespace {

const Sito kRoma{12.5, 41.9, 0};

bool Vicino(double x, double atteso, double tolleranza) {
  return std::isfinite(x) && std::abs(x - atteso) <= tolleranza;
}

// A straight, uniform relative path: distance sqrt(b^2 + v^2 (t - tm)^2); the
// disks touch at distance c, at tm -+ sqrt(c^2 - b^2) / v.
TEST(CercaPassaggio, PercorsoRettilineo) {
  struct Case {
    const char* nome;
    double b, c, a0, b0;  // impact, contact distance (km), bracket (days)
    bool contatto;
  };
  const double tm = 0.3, v = 10 * 86400;  // 10 km/s
  const Case cases[] = {
      {"central", 0, 3000, 0.29, 0.31, true},
      {"partial", 1000, 3000, 0.29, 0.31, true},
      {"grazing: 7.7 s long", 2999, 3000, 0.29, 0.31, true},
      {"missing by 100 km", 3100, 3000, 0.29, 0.31, false},
      {"least distance beyond the bracket", 1000, 3000, 0.25, 0.27, true},
      {"least distance before the bracket", 1000, 3000, 0.33, 0.35, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.nome);
    auto f = [&](double t) {
      return Accostamento{std::hypot(c.b, v * (t - tm)), c.c};
    };
    Passaggio p = CercaPassaggio(f, c.a0, c.b0);
    EXPECT_EQ(p.contatto, c.contatto);
    EXPECT_TRUE(Vicino(p.tMassimo, tm, 2e-7)) << p.tMassimo;
    EXPECT_TRUE(Vicino(p.distanza, c.b, 0.5)) << p.distanza;
    if (!c.contatto) continue;
    double semidurata = std::sqrt(c.c * c.c - c.b * c.b) / v;
    EXPECT_TRUE(Vicino(p.tInizio, tm - semidurata, 2e-7)) << p.tInizio;
    EXPECT_TRUE(Vicino(p.tFine, tm + semidurata, 2e-7)) << p.tFine;
  }
}

// Events of the independent computation of tests/data/riferimento, chosen for
// their kind or for where B stands: found, with their kind, their place and
// their drop, times within a minute (maxima) and two (contacts).
TEST(CercaMutui, EventiScelti) {
  struct Case {
    const char* nome;
    TipoMutuo tipo;
    int attivo, passivo;
    double inizio, massimo, fine;  // JD UT
    GenereMutuo genere;
    double calo;
    PosizioneMutuo giove;
  };
  using T = TipoMutuo;
  using G = GenereMutuo;
  using P = PosizioneMutuo;
  const Case cases[] = {
      {"Callisto occults Io, total", T::Occultazione, 4, 1, 2461319.818746871, 2461319.821687712,
       2461319.824601401, G::Totale, 1.113, P::Libero},
      {"Europa occults Ganymede, annular", T::Occultazione, 2, 3, 2461330.223826156,
       2461330.226988628, 2461330.230161435, G::Anulare, 0.284, P::Libero},
      {"Io eclipses Europa, annular", T::Eclisse, 1, 2, 2461327.910134699, 2461327.911854255,
       2461327.913572081, G::Anulare, 2.373, P::Libero},
      {"Io occults Europa, grazing (1.5 min)", T::Occultazione, 1, 2, 2461317.333658643,
       2461317.334172484, 2461317.334686146, G::Parziale, 0.013, P::Libero},
      {"Io eclipses Europa behind Jupiter", T::Eclisse, 1, 2, 2461331.455921611,
       2461331.457626479, 2461331.459329740, G::Anulare, 2.225, P::Dietro},
      {"Io eclipses Europa behind Jupiter, grazing", T::Eclisse, 1, 2, 2461377.548625404,
       2461377.549388063, 2461377.550150703, G::Parziale, 0.005, P::Dietro},
      {"Ganymede eclipses Callisto in Jupiter's shadow", T::Eclisse, 3, 4, 2461377.364734738,
       2461377.369364482, 2461377.373994639, G::Anulare, 1.050, P::Ombra},
      {"Ganymede occults Io in front of Jupiter", T::Occultazione, 3, 1, 2461391.760659826,
       2461391.765501024, 2461391.770320714, G::Parziale, 0.070, P::Davanti},
      {"Io occults Ganymede in Jupiter's shadow", T::Occultazione, 1, 3, 2461323.517275225,
       2461323.526837161, 2461323.535932562, G::Parziale, 0.193, P::Ombra},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.nome);
    RicercaMutui r = CercaMutui(c.massimo - 0.5, 1, 69, kRoma, 0.001);
    ASSERT_EQ(r.esito, EsitoEventi::Calcolati);
    const EventoMutuo* e = nullptr;
    for (const EventoMutuo& x : r.eventi) {
      if (x.tipo == c.tipo && x.attivo == c.attivo && x.passivo == c.passivo &&
          std::abs(x.jdMassimo - c.massimo) < 0.01) {
        e = &x;
      }
    }
    ASSERT_NE(e, nullptr);
    EXPECT_TRUE(Vicino(e->jdMassimo, c.massimo, 60 / 86400.0)) << e->jdMassimo;
    EXPECT_TRUE(Vicino(e->jdInizio, c.inizio, 120 / 86400.0)) << e->jdInizio;
    EXPECT_TRUE(Vicino(e->jdFine, c.fine, 120 / 86400.0)) << e->jdFine;
    EXPECT_EQ(e->genere, c.genere);
    EXPECT_TRUE(Vicino(e->caloMag, c.calo, 0.05)) << e->caloMag;
    EXPECT_EQ(e->giove, c.giove);
    EXPECT_LT(e->jdInizio, e->jdMassimo);
    EXPECT_LT(e->jdMassimo, e->jdFine);
  }
}

// Mutual occultations published for the 2014-2015 season by the British
// Astronomical Association's Computing Section ("Mutual occultations of the
// satellites of Jupiter in 2014", britastro.org/computing/handbooks_jocc2014.html):
// first and last outer contacts, UT, to the second, and the kind (T total,
// A annular). Their satellite theory is an older one: expect agreement within
// a minute (Delta T 67.6 s).
TEST(CercaMutui, PrevisioniPubblicate2014) {
  struct Case {
    int mese, giorno, attivo, passivo;
    int inizio[3], fine[3];  // h, min, s UT
    GenereMutuo genere;
  };
  using G = GenereMutuo;
  const Case cases[] = {
      {10, 28, 2, 3, {5, 31, 42}, {5, 39, 56}, G::Parziale},
      {11, 2, 4, 1, {13, 36, 6}, {13, 51, 45}, G::Totale},
      {11, 4, 2, 3, {9, 4, 19}, {9, 14, 31}, G::Anulare},
      {11, 12, 1, 2, {16, 2, 24}, {16, 4, 49}, G::Parziale},
      {11, 15, 3, 1, {13, 44, 18}, {13, 50, 16}, G::Parziale},
      {11, 19, 4, 2, {7, 34, 28}, {7, 41, 14}, G::Parziale},
      {11, 22, 3, 1, {16, 31, 23}, {16, 37, 58}, G::Totale},
      {11, 27, 2, 4, {22, 3, 57}, {22, 13, 45}, G::Anulare},
      {11, 29, 3, 1, {19, 20, 4}, {19, 27, 12}, G::Totale},
      {12, 3, 1, 3, {21, 11, 24}, {21, 16, 26}, G::Parziale},
  };
  RicercaMutui r = CercaMutui(GiornoGiuliano(25, 10, 2014), 42, 67.6, kRoma);
  ASSERT_EQ(r.esito, EsitoEventi::Calcolati);
  auto jd = [](int mese, int giorno, const int (&o)[3]) {
    return GiornoGiuliano(giorno, mese, 2014, o[0], o[1] + o[2] / 60.0);
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.mese) + "-" + std::to_string(c.giorno) + " " +
                 std::to_string(c.attivo) + "o" + std::to_string(c.passivo));
    double inizio = jd(c.mese, c.giorno, c.inizio), fine = jd(c.mese, c.giorno, c.fine);
    const EventoMutuo* e = nullptr;
    for (const EventoMutuo& x : r.eventi) {
      if (x.tipo == TipoMutuo::Occultazione && x.attivo == c.attivo && x.passivo == c.passivo &&
          std::abs(x.jdInizio - inizio) < 0.01) {
        e = &x;
      }
    }
    ASSERT_NE(e, nullptr);
    EXPECT_TRUE(Vicino(e->jdInizio, inizio, 60 / 86400.0)) << (e->jdInizio - inizio) * 86400;
    EXPECT_TRUE(Vicino(e->jdFine, fine, 60 / 86400.0)) << (e->jdFine - fine) * 86400;
    EXPECT_EQ(e->genere, c.genere);
  }
}

// Against the independent computation of tests/data/riferimento: every event
// with a drop of at least 0.01 mag found, none extra, the same kinds and places.
// The acceptance is maxima within a minute, contacts within two and drops within
// 0.05 mag; on the same theories the two agree within a fraction of a second,
// and a few seconds catch a slip such as A's light time left out of an eclipse
// (up to 44 s).
TEST(CercaMutui, RiferimentoDelleFinestre) {
  namespace fs = std::filesystem;
  using namespace riferimento;
  const fs::path cartella = RIFERIMENTO_DIR;
  ASSERT_TRUE(fs::exists(cartella / "mutui.json")) << "no reference data in " << cartella;
  std::vector<FinestraMutui> finestre = LeggiFinestreMutui(cartella);
  ASSERT_FALSE(finestre.empty());
  ConfrontoMutui c;
  for (const FinestraMutui& f : finestre) {
    SCOPED_TRACE(f.nome);
    RicercaMutui r = MutuiDellaFinestra(f, 0.01);
    ASSERT_EQ(r.esito, EsitoEventi::Calcolati);
    ConfrontaMutui(f, LeggiMutui(cartella, f), r.eventi, 0.01, c);
  }
  auto elenco = [](const std::vector<std::string>& v) {
    std::string s;
    for (const std::string& x : v) s += "\n  " + x;
    return s;
  };
  EXPECT_TRUE(c.mancanti.empty()) << c.mancanti.size() << " missing" << elenco(c.mancanti);
  EXPECT_TRUE(c.inattesi.empty()) << c.inattesi.size() << " extra" << elenco(c.inattesi);
  EXPECT_TRUE(c.generiDiversi.empty()) << elenco(c.generiDiversi);
  EXPECT_TRUE(c.posizioniDiversi.empty()) << elenco(c.posizioniDiversi);
  EXPECT_GE(c.massimi.size(), 50u);
  const struct {
    const char* nome;
    const std::vector<double>& scarti;
    double limite;
  } limiti[] = {
      {"maxima (s)", c.massimi, 3},       {"first contacts (s)", c.inizi, 3},
      {"last contacts (s)", c.fini, 3},   {"drops (mag)", c.cali, 0.005},
      {"impacts (km)", c.impatti, 5},     {"altitudes (deg)", c.altezze, 0.02},
  };
  for (const auto& l : limiti) {
    Scarti s = Riassunto(l.scarti);
    EXPECT_TRUE(std::isfinite(s.media) && s.massimo <= l.limite) << l.nome << ": " << s.massimo;
  }
}

// The window lists the events whose maximum falls in it: two halves give
// the whole.
TEST(CercaMutui, FinestreContigue) {
  double inizio = GiornoGiuliano(8, 10, 2026, 5, 17);
  std::vector<EventoMutuo> intera = CercaMutui(inizio, 6, 69, kRoma).eventi;
  std::vector<EventoMutuo> meta = CercaMutui(inizio, 2.5, 69, kRoma).eventi;
  std::vector<EventoMutuo> resto = CercaMutui(inizio + 2.5, 3.5, 69, kRoma).eventi;
  meta.insert(meta.end(), resto.begin(), resto.end());
  ASSERT_GE(intera.size(), 5u);
  ASSERT_EQ(intera.size(), meta.size());
  for (std::size_t k = 0; k < intera.size(); ++k) {
    EXPECT_EQ(intera[k].tipo, meta[k].tipo);
    EXPECT_EQ(intera[k].attivo, meta[k].attivo);
    EXPECT_EQ(intera[k].passivo, meta[k].passivo);
    EXPECT_NEAR(intera[k].jdMassimo, meta[k].jdMassimo, 1e-6);
    EXPECT_GE(intera[k].jdMassimo, inizio);
    EXPECT_LT(intera[k].jdMassimo, inizio + 6);
    if (k > 0) {
      EXPECT_LE(intera[k - 1].jdMassimo, intera[k].jdMassimo);
    }
  }
}

// A higher threshold keeps exactly the events of the lower one that reach it,
// their drops rounded to 0.001 mag as they are shown.
TEST(CercaMutui, SogliaDelCalo) {
  double inizio = GiornoGiuliano(2, 10, 2026);
  std::vector<EventoMutuo> tutti = CercaMutui(inizio, 10, 69, kRoma, 0).eventi;
  std::vector<EventoMutuo> forti = CercaMutui(inizio, 10, 69, kRoma, 0.5).eventi;
  std::size_t attesi = 0;
  for (const EventoMutuo& e : tutti) {
    EXPECT_GT(e.caloMag, 0);
    if (e.caloMag >= 0.4995) ++attesi;
  }
  EXPECT_GT(attesi, 0u);
  EXPECT_LT(attesi, tutti.size());
  EXPECT_EQ(forti.size(), attesi);
  for (const EventoMutuo& e : forti) EXPECT_GE(e.caloMag, 0.4995);
}

TEST(CercaMutui, DatiNonValidiOFuoriIntervallo) {
  struct Case {
    const char* nome;
    double jd, giorni, deltaT, calo;
    Sito sito;
    EsitoEventi esito;
  };
  using E = EsitoEventi;
  const double jd = GiornoGiuliano(2, 10, 2026);
  const Case cases[] = {
      {"no days", jd, 0, 69, 0.01, kRoma, E::DatiNonValidi},
      {"too many days", jd, 3661, 69, 0.01, kRoma, E::DatiNonValidi},
      {"start not a number", NAN, 5, 69, 0.01, kRoma, E::DatiNonValidi},
      {"Delta T infinite", jd, 5, INFINITY, 0.01, kRoma, E::DatiNonValidi},
      {"negative threshold", jd, 5, 69, -0.1, kRoma, E::DatiNonValidi},
      {"threshold not a number", jd, 5, 69, NAN, kRoma, E::DatiNonValidi},
      {"site not a number", jd, 5, 69, 0.01, {NAN, 41.9, 0}, E::DatiNonValidi},
      {"before 1600", GiornoGiuliano(31, 12, 1599), 5, 69, 0.01, kRoma, E::FuoriIntervallo},
      {"past 2999", GiornoGiuliano(30, 12, 2999), 5, 69, 0.01, kRoma, E::FuoriIntervallo},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.nome);
    RicercaMutui r = CercaMutui(c.jd, c.giorni, c.deltaT, c.sito, c.calo);
    EXPECT_EQ(r.esito, c.esito);
    EXPECT_TRUE(r.eventi.empty());
  }
}

// The instants n evenly spread over [da, a], UT Julian days.
std::vector<double> Istanti(double da, double a, int n) {
  std::vector<double> t;
  for (int k = 0; k < n; ++k) t.push_back(da + (a - da) * k / (n - 1));
  return t;
}

// The light curve of an event: no drop outside the contacts, the event's drop
// at its maximum and none deeper.
TEST(CurvaDiLuce, ContattiEMassimo) {
  RicercaMutui r = CercaMutui(GiornoGiuliano(2, 10, 2026), 10, 69, kRoma);
  ASSERT_FALSE(r.eventi.empty());
  for (const EventoMutuo& e : r.eventi) {
    SCOPED_TRACE(e.jdMassimo);
    const double margine = 3.0 / 1440;
    const std::vector<double> istanti = Istanti(e.jdInizio - margine, e.jdFine + margine, 201);
    std::vector<PuntoCurva> curva = CurvaDiLuce(e, 69, istanti);
    ASSERT_EQ(curva.size(), 201u);
    EXPECT_NEAR(curva.front().jdUT, e.jdInizio - margine, 1e-8);
    EXPECT_NEAR(curva.back().jdUT, e.jdFine + margine, 1e-8);
    for (const PuntoCurva& p : curva) {
      bool fuori = p.jdUT < e.jdInizio - 1e-6 || p.jdUT > e.jdFine + 1e-6;
      if (fuori) {
        EXPECT_EQ(p.caloMag, 0);
      }
      EXPECT_LE(p.caloMag, e.caloMag + 1e-4);
    }
    const double massimo[] = {e.jdMassimo};
    std::vector<PuntoCurva> alMassimo = CurvaDiLuce(e, 69, massimo);
    ASSERT_EQ(alMassimo.size(), 1u);
    EXPECT_NEAR(alMassimo[0].caloMag, e.caloMag, 1e-9);
  }
  const EventoMutuo& e = r.eventi.front();
  const std::vector<double> dieci = Istanti(e.jdInizio - 0.01, e.jdFine + 0.01, 10);
  EventoMutuo stesso = e;
  stesso.passivo = stesso.attivo;
  EXPECT_TRUE(CurvaDiLuce(stesso, 69, dieci).empty());
  EXPECT_TRUE(CurvaDiLuce(e, 69, {}).empty());
  EXPECT_TRUE(CurvaDiLuce(e, NAN, dieci).empty());
  std::vector<double> conNaN = dieci;
  conNaN[4] = NAN;
  EXPECT_TRUE(CurvaDiLuce(e, 69, conNaN).empty());
  // Over two days.
  EXPECT_TRUE(CurvaDiLuce(e, 69, Istanti(e.jdInizio - 1.5, e.jdFine + 1.5, 10)).empty());
  EXPECT_TRUE(CurvaDiLuce(e, 69, Istanti(e.jdInizio - 0.01, e.jdFine + 0.01, 100001)).empty());
}

// The pairs at the instant of each reference maximum: the event's pair there
// stands at the reference's least distance with its drop; for an occultation
// the offset points from B to A as the satellites' own apparent places do
// (equatorial radii of 71492 km at Jupiter's distance, B's distance within
// 0.02% of it).
TEST(CoppieAllIstante, AlMassimoDeiRiferimenti) {
  namespace fs = std::filesystem;
  using namespace riferimento;
  const fs::path cartella = RIFERIMENTO_DIR;
  ASSERT_TRUE(fs::exists(cartella / "mutui.json")) << "no reference data in " << cartella;
  int occultazioni = 0, eclissi = 0;
  for (const FinestraMutui& f : LeggiFinestreMutui(cartella)) {
    for (const MutuoAtteso& e : LeggiMutui(cartella, f)) {
      if (e.caloMag < 0.01) continue;
      SCOPED_TRACE(Descrizione(f.nome, e.tipo, e.attivo, e.passivo, e.jdMassimo));
      const PosizioniPrecise p = PosizioniAllIstante({e.jdMassimo, f.deltaT});
      ASSERT_TRUE(p.valide);
      const auto c = std::find_if(p.coppie.begin(), p.coppie.end(), [&](const CoppiaMutua& x) {
        return SiglaMutuo(x.tipo) == e.tipo && x.attivo == e.attivo && x.passivo == e.passivo;
      });
      ASSERT_NE(c, p.coppie.end());
      EXPECT_TRUE(Vicino(c->distanza, e.impattoKm, 5)) << c->distanza;
      EXPECT_TRUE(Vicino(std::hypot(c->x, c->y), c->distanza, 1e-6));
      EXPECT_TRUE(Vicino(c->calo, e.caloMag, 0.005)) << c->calo;
      if (c->tipo == TipoMutuo::Eclisse) {
        ++eclissi;
        continue;
      }
      ++occultazioni;
      const Scostamento a = p.satelliti[e.attivo - 1].posizione;
      const Scostamento b = p.satelliti[e.passivo - 1].posizione;
      const double km = 71492 * (1 + 2e-4), dx = (a.X - b.X) * km, dy = (a.Y - b.Y) * km;
      EXPECT_TRUE(Vicino(c->x, dx, 0.005 * c->distanza + 10)) << c->x << " " << dx;
      EXPECT_TRUE(Vicino(c->y, dy, 0.005 * c->distanza + 10)) << c->y << " " << dy;
    }
  }
  EXPECT_GT(occultazioni, 20);
  EXPECT_GT(eclissi, 20);
}

}  // namespace
}  // namespace mr
