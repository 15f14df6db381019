#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "ephemeris/calendario.h"
#include "pianificatore/notte.h"
#include "pianificatore/qtcore/fuso_qt.h"

namespace mr {
namespace {

using C = CodiceEvento;
using T = Operazione::Tipo;

double Ut(int a, int m, int g, int ore, int minuti, double secondi = 0) {
  return GiornoGiuliano(g, m, a, ore, minuti + secondi / 60.0);
}

bool Vicino(double x, double atteso, double tolleranza) {
  return std::isfinite(x) && std::abs(x - atteso) <= tolleranza;
}

const Sito kRoma{12.5, 41.9, 0};
constexpr double kMinuto = 1.0 / 1440;

// The reference times come from astronomy-engine 2.1.19 (tools/riferimento/
// notte.js): the Sun's and Jupiter's centres, topocentric, no refraction.
TEST(Notte, FasceDelCieloDaMezzogiornoAMezzogiorno) {
  FusoQt roma("Europe/Rome");
  for (double istante : {Ut(2027, 2, 12, 20, 14), Ut(2027, 2, 13, 3, 0)}) {
    std::optional<Notte> n = NotteDi(istante, roma, kRoma, 69);
    ASSERT_TRUE(n);
    EXPECT_NEAR(n->inizio, Ut(2027, 2, 12, 11, 0), 1e-8);
    EXPECT_NEAR(n->fine, Ut(2027, 2, 13, 11, 0), 1e-8);
    EXPECT_EQ(n->giorno, 12);
    EXPECT_EQ(n->mese, 2);
    EXPECT_EQ(n->anno, 2027);
    EXPECT_EQ(TitoloNotte(*n), "Notte tra il 12/02/2027 e il 13/02/2027");
  }
  std::optional<Notte> n = NotteDi(Ut(2027, 2, 12, 20, 14), roma, kRoma, 69);
  ASSERT_TRUE(n);
  const struct {
    Cielo cielo;
    double fine;
  } attese[] = {
      {Cielo::Giorno, Ut(2027, 2, 12, 16, 33, 59)},
      {Cielo::CrepuscoloCivile, Ut(2027, 2, 12, 17, 7, 31)},
      {Cielo::CrepuscoloNautico, Ut(2027, 2, 12, 17, 40, 19)},
      {Cielo::CrepuscoloAstronomico, Ut(2027, 2, 12, 18, 12, 43)},
      {Cielo::Notte, Ut(2027, 2, 13, 4, 35, 8)},
      {Cielo::CrepuscoloAstronomico, Ut(2027, 2, 13, 5, 7, 28)},
      {Cielo::CrepuscoloNautico, Ut(2027, 2, 13, 5, 40, 12)},
      {Cielo::CrepuscoloCivile, Ut(2027, 2, 13, 6, 13, 38)},
      {Cielo::Giorno, n->fine},
  };
  ASSERT_EQ(n->fasce.size(), std::size(attese));
  double inizio = n->inizio;
  for (std::size_t i = 0; i < std::size(attese); ++i) {
    EXPECT_EQ(n->fasce[i].cielo, attese[i].cielo) << i;
    EXPECT_EQ(n->fasce[i].inizio, inizio) << i;
    EXPECT_TRUE(Vicino(n->fasce[i].fine, attese[i].fine, 0.5 * kMinuto))
        << i << ": " << (n->fasce[i].fine - attese[i].fine) / kMinuto << " min";
    inizio = n->fasce[i].fine;
  }
}

TEST(Notte, AltezzaDiGiove) {
  std::optional<Notte> n = NotteDi(Ut(2027, 2, 12, 20, 14), FusoQt("Europe/Rome"), kRoma, 69);
  ASSERT_TRUE(n);
  const struct {
    double jd, altezza;
  } attese[] = {{Ut(2027, 2, 12, 17, 0), 6.828},
                {Ut(2027, 2, 12, 23, 0), 63.095},
                {Ut(2027, 2, 13, 5, 0), 13.022}};
  for (const auto& a : attese) {
    auto c = std::min_element(n->giove.begin(), n->giove.end(), [&](auto& x, auto& y) {
      return std::abs(x.jdUT - a.jd) < std::abs(y.jdUT - a.jd);
    });
    ASSERT_NEAR(c->jdUT, a.jd, 1e-6);
    EXPECT_TRUE(Vicino(c->altezza, a.altezza, 0.02)) << c->altezza << " " << a.altezza;
  }
  // Rising at 16:21:37 UT, setting at 06:12:17 UT.
  for (std::size_t k = 0; k + 1 < n->giove.size(); ++k) {
    const Campione &a = n->giove[k], &b = n->giove[k + 1];
    if ((a.altezza < 0) == (b.altezza < 0)) continue;
    const double passaggio = a.jdUT + (b.jdUT - a.jdUT) * a.altezza / (a.altezza - b.altezza);
    const double atteso = a.altezza < 0 ? Ut(2027, 2, 12, 16, 21, 37) : Ut(2027, 2, 13, 6, 12, 17);
    EXPECT_TRUE(Vicino(passaggio, atteso, 0.5 * kMinuto)) << (passaggio - atteso) / kMinuto;
  }
}

// The night the clocks go forward lasts 23 hours, and its hours skip 02:00;
// the one they go back lasts 25 and has 02:00 twice.
TEST(Notte, OreLocaliQuandoCambiaLOra) {
  FusoQt roma("Europe/Rome");
  struct Case {
    double istante, inizio, fine;
    std::vector<int> ore;
  };
  const Case cases[] = {
      {Ut(2027, 3, 27, 21, 0), Ut(2027, 3, 27, 11, 0), Ut(2027, 3, 28, 10, 0),
       {13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 0, 1, 3, 4, 5, 6, 7, 8, 9, 10, 11}},
      {Ut(2027, 10, 30, 21, 0), Ut(2027, 10, 30, 10, 0), Ut(2027, 10, 31, 11, 0),
       {13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 0, 1, 2, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},
  };
  for (const auto& c : cases) {
    std::optional<Notte> n = NotteDi(c.istante, roma, kRoma, 69);
    ASSERT_TRUE(n);
    EXPECT_NEAR(n->inizio, c.inizio, 1e-8);
    EXPECT_NEAR(n->fine, c.fine, 1e-8);
    std::vector<int> ore;
    for (const Tacca& t : n->ore) ore.push_back(t.ora);
    EXPECT_EQ(ore, c.ore);
    EXPECT_NEAR(n->giove.back().jdUT, c.fine, 1e-9);
  }
  EXPECT_FALSE(NotteDi(NAN, roma, kRoma, 69));
  EXPECT_FALSE(NotteDi(Ut(2027, 1, 1, 0, 0), FusoQt("Europe/Atlantide"), kRoma, 69));
  EXPECT_FALSE(NotteDi(Ut(2999, 12, 31, 20, 0), roma, kRoma, 69));
}

// Rows by local night (CET: UT + 1 h): 11:59 local is still the night before,
// 12:00 starts the next; a pair that crosses noon stays with its first row.
TEST(Notte, RighePerNotte) {
  const auto riga = [](double jd, CodiceEvento c, int gruppo, std::optional<double> coppia = {}) {
    return RigaPiano{Evento{jd, c, 1, 30, -30, false}, true, gruppo, coppia};
  };
  const std::vector<RigaPiano> righe = {
      riga(Ut(2027, 2, 12, 20, 0), C::GRS, 0),
      riga(Ut(2027, 2, 13, 10, 59), C::GRS, 1),
      riga(Ut(2027, 2, 13, 11, 0), C::GRS, 2),
      riga(Ut(2027, 2, 14, 10, 30), C::TrI, 3),
      riga(Ut(2027, 2, 14, 12, 30), C::TrE, 3, Ut(2027, 2, 14, 10, 30)),
      riga(Ut(2027, 2, 14, 12, 40), C::GRS, 5),
  };
  const std::vector<RigheDellaNotte> notti = RighePerNotte(righe, FusoQt("Europe/Rome"));
  // 11:30 local on the 14th still belongs to the night of the 13th, and so
  // does its egress at 13:30.
  ASSERT_EQ(notti.size(), 3u);
  const std::size_t quante[] = {2, 3, 1};
  for (std::size_t k = 0; k < 3; ++k) EXPECT_EQ(notti[k].righe.size(), quante[k]) << k;
  EXPECT_EQ(notti[1].istante, righe[2].Istante());
  EXPECT_EQ(notti[1].righe[2], righe[4]);
  EXPECT_EQ(notti[2].istante, righe[5].Istante());
  EXPECT_TRUE(RighePerNotte({}, FusoQt("Europe/Rome")).empty());
}

// ---- the drawing ---------------------------------------------------------------

struct Disegno {
  std::vector<Operazione> op;
  std::vector<Scritta> Scritte() const { return mr::Scritte(op); }
  std::vector<Operazione> Di(T tipo, Colore c) const {
    std::vector<Operazione> r;
    for (const Operazione& o : op)
      if (o.tipo == tipo && o.colore == c) r.push_back(o);
    return r;
  }
};

TEST(Notte, DisegnoRegistrato) {
  FusoQt roma("Europe/Rome");
  std::optional<Notte> n = NotteDi(Ut(2027, 2, 12, 20, 14), roma, kRoma, 69);
  ASSERT_TRUE(n);
  const double grs = Ut(2027, 2, 12, 23, 0), io = Ut(2027, 2, 13, 5, 0);
  const std::vector<RigaPiano> righe = {
      {Evento{grs, C::GRS, 0, 63.095, -50, false}, true, 0, std::nullopt},
      {Evento{io, C::TrI, 1, 13.022, -19, false}, false, 1, std::nullopt},
      // Another night's: not drawn.
      {Evento{Ut(2027, 2, 14, 1, 0), C::TrE, 1, 40, -50, false}, true, 2, std::nullopt},
  };
  TelaRegistrata tela;
  DisegnaNotte(tela, *n, righe,
               {.larghezza = 800, .altezza = 260, .altezzaMinima = 10,
                .titolo = "Notte del 12/02/2027", .scelto = grs});
  const Disegno d{tela.operazioni};
  ASSERT_FALSE(d.op.empty());
  EXPECT_EQ(d.op[0].tipo, T::Scala);
  EXPECT_EQ(d.op[0].x2, 800);
  EXPECT_EQ(d.op[0].y2, 260);

  // The horizon spans the chart: it gives the time scale and the height of 0 degrees.
  const auto orizzonte = d.Di(T::Linea, ColoreOrizzonte);
  ASSERT_EQ(orizzonte.size(), 1u);
  const double x0 = orizzonte[0].x1, x1 = orizzonte[0].x2, y0 = orizzonte[0].y1;
  EXPECT_GT(x1 - x0, 700);
  const auto X = [&](double jd) { return x0 + (jd - n->inizio) / (n->fine - n->inizio) * (x1 - x0); };

  // The sky's bands above the horizon, from the chart's top (90 degrees).
  const auto notte = d.Di(T::Riquadro, ColoreCielo(Cielo::Notte));
  ASSERT_EQ(notte.size(), 1u);
  EXPECT_NEAR(std::min(notte[0].x1, notte[0].x2), X(Ut(2027, 2, 12, 18, 12, 43)), 0.5);
  EXPECT_NEAR(std::max(notte[0].x1, notte[0].x2), X(Ut(2027, 2, 13, 4, 35, 8)), 0.5);
  EXPECT_DOUBLE_EQ(std::max(notte[0].y1, notte[0].y2), y0);
  const double y90 = std::min(notte[0].y1, notte[0].y2);
  const auto Y = [&](double h) { return y0 + h / 90 * (y90 - y0); };
  EXPECT_EQ(d.Di(T::Riquadro, ColoreCielo(Cielo::Giorno)).size(), 2u);
  EXPECT_EQ(d.Di(T::Riquadro, ColoreCielo(Cielo::CrepuscoloCivile)).size(), 2u);
  EXPECT_EQ(d.Di(T::Riquadro, ColoreTerreno).size(), 1u);

  // The minimum altitude.
  const auto minima = d.Di(T::Linea, ColoreMinima);
  ASSERT_EQ(minima.size(), 1u);
  EXPECT_NEAR(minima[0].y1, Y(10), 1e-9);

  // Jupiter's curve passes 63.1 degrees at 23:00 UT.
  bool trovato = false;
  for (const Operazione& o : d.Di(T::Linea, ColoreGiove)) {
    if (std::abs(o.x1 - X(grs)) < 1e-6) {
      EXPECT_NEAR(o.y1, Y(63.095), 0.1);
      trovato = true;
    }
  }
  EXPECT_TRUE(trovato);

  // The events of the night: the chosen one thicker, the unobservable one grey.
  const auto marcaGrs = d.Di(T::Linea, ColoreGenere(Genere::Macchia));
  ASSERT_EQ(marcaGrs.size(), 1u);
  EXPECT_NEAR(marcaGrs[0].x1, X(grs), 1e-9);
  const auto marcaIo = d.Di(T::Linea, ColoreNonOsservabile);
  ASSERT_EQ(marcaIo.size(), 1u);
  EXPECT_NEAR(marcaIo[0].x1, X(io), 1e-9);
  for (std::size_t i = 1; i < d.op.size(); ++i) {
    if (d.op[i].tipo != T::Linea) continue;
    if (d.op[i].colore == ColoreGenere(Genere::Macchia)) {
      EXPECT_EQ(d.op[i - 1].larghezza, 3);
    }
    if (d.op[i].colore == ColoreNonOsservabile) {
      EXPECT_EQ(d.op[i - 1].larghezza, 1);
    }
  }
  int cerchi = 0;
  for (const Operazione& o : d.op)
    if (o.tipo == T::Cerchio && std::abs(o.x1 - X(grs)) < 1e-9) {
      EXPECT_NEAR(o.y1, Y(63.095), 1e-6);
      ++cerchi;
    }
  EXPECT_EQ(cerchi, 1);

  // Labels above the chart, the hours below it, the title.
  const auto scritte = d.Scritte();
  auto cerca = [&](const std::string& t) {
    return std::find_if(scritte.begin(), scritte.end(), [&](auto& s) { return s.testo == t; });
  };
  auto etichetta = cerca("GRS");
  ASSERT_NE(etichetta, scritte.end());
  EXPECT_NEAR(etichetta->x, X(grs) + 2, 1e-9);
  EXPECT_LT(etichetta->y, y90);
  EXPECT_EQ(etichetta->colore, RGB(0, 0, 0));
  etichetta = cerca("Io Tr.I");
  ASSERT_NE(etichetta, scritte.end());
  EXPECT_EQ(etichetta->colore, ColoreNonOsservabile);
  EXPECT_EQ(cerca("Io Tr.E"), scritte.end());
  // Midnight local is 23:00 UT.
  etichetta = cerca("00");
  ASSERT_NE(etichetta, scritte.end());
  EXPECT_NEAR(etichetta->x, X(Ut(2027, 2, 12, 23, 0)), 10);
  EXPECT_GT(etichetta->y, y0);
  EXPECT_NE(cerca("Notte del 12/02/2027"), scritte.end());
  for (const char* h : {"0\u00b0", "30\u00b0", "60\u00b0", "90\u00b0"}) {
    etichetta = cerca(h);
    ASSERT_NE(etichetta, scritte.end()) << h;
    EXPECT_LT(etichetta->x, x0) << h;
  }
  // The minimum altitude's value right of the chart, in the line's colour.
  etichetta = cerca("10\u00b0");
  ASSERT_NE(etichetta, scritte.end());
  EXPECT_GT(etichetta->x, x1);
  EXPECT_EQ(etichetta->colore, ColoreMinima);
  EXPECT_NEAR(etichetta->y, Y(10), 15);
}

// A mutual event: one mark at its maximum, on Jupiter's curve there, in its
// kind's colour (the chosen one thicker), labelled in the observers' notation.
TEST(Notte, FenomenoMutuoSegnatoAlMassimo) {
  FusoQt roma("Europe/Rome");
  std::optional<Notte> n = NotteDi(Ut(2027, 2, 12, 20, 14), roma, kRoma, 69);
  ASSERT_TRUE(n);
  const double massimo = Ut(2027, 2, 12, 22, 0);
  const EventoMutuo m{TipoMutuo::Occultazione, 1, 2, massimo - 0.003, massimo, massimo + 0.003,
                      500, GenereMutuo::Parziale, 0.5, 60, -45, PosizioneMutuo::Libero};
  const std::vector<RigaPiano> righe = {{m, true, 0, std::nullopt}};
  TelaRegistrata tela;
  DisegnaNotte(tela, *n, righe,
               {.larghezza = 800, .altezza = 260, .altezzaMinima = 10, .titolo = "",
                .scelto = massimo});
  const Disegno d{tela.operazioni};
  const auto orizzonte = d.Di(T::Linea, ColoreOrizzonte);
  ASSERT_EQ(orizzonte.size(), 1u);
  const double x0 = orizzonte[0].x1, x1 = orizzonte[0].x2;
  const double x = x0 + (massimo - n->inizio) / (n->fine - n->inizio) * (x1 - x0);
  const auto marca = d.Di(T::Linea, ColoreGenere(Genere::Mutui));
  ASSERT_EQ(marca.size(), 1u);
  EXPECT_NEAR(marca[0].x1, x, 1e-9);
  for (std::size_t i = 1; i < d.op.size(); ++i) {
    if (d.op[i].tipo == T::Linea && d.op[i].colore == ColoreGenere(Genere::Mutui)) {
      EXPECT_EQ(d.op[i - 1].larghezza, 3);
    }
  }
  bool etichetta = false;
  for (const auto& s : d.Scritte()) etichetta |= s.testo == "1 O 2" && std::abs(s.x - (x + 2)) < 1e-9;
  EXPECT_TRUE(etichetta);
  // A colour of its own among the kinds.
  for (Genere g : Generi) {
    if (g != Genere::Mutui) {
      EXPECT_NE(ColoreGenere(g), ColoreGenere(Genere::Mutui));
    }
  }
}

// A crowded night: labels of events minutes apart go on rows of their own,
// all above the chart, which gives up height for them.
TEST(Notte, EtichetteAffollateSuPiuRighe) {
  std::optional<Notte> n = NotteDi(Ut(2027, 2, 12, 20, 14), FusoQt("Europe/Rome"), kRoma, 69);
  ASSERT_TRUE(n);
  std::vector<RigaPiano> righe;
  const CodiceEvento codici[] = {C::TrI, C::ShI, C::OcR, C::EcD, C::TrE};
  for (int k = 0; k < 5; ++k)
    righe.push_back({Evento{Ut(2027, 2, 12, 22, 5 * k), codici[k], k % 4 + 1, 50, -40, false}, true, k,
                     std::nullopt});
  const auto disegna = [&](std::span<const RigaPiano> r) {
    TelaRegistrata tela;
    DisegnaNotte(tela, *n, r, {.larghezza = 800, .altezza = 260, .titolo = "", .scelto = {}});
    return Disegno{tela.operazioni};
  };
  const Disegno affollato = disegna(righe), semplice = disegna(std::span(righe).first(1));
  std::vector<double> y;
  for (const auto& s : affollato.Scritte())
    if (s.testo.find(" ") != std::string::npos && s.testo.find(".") != std::string::npos)
      y.push_back(s.y);
  ASSERT_EQ(y.size(), 5u);
  std::sort(y.begin(), y.end());
  EXPECT_EQ(std::unique(y.begin(), y.end()), y.end());
  const auto cima = [](const Disegno& d) {
    const auto notte = d.Di(T::Riquadro, ColoreCielo(Cielo::Notte));
    return notte.empty() ? NAN : std::min(notte[0].y1, notte[0].y2);
  };
  EXPECT_GT(cima(affollato), y.back());
  EXPECT_GT(cima(affollato), cima(semplice));
}

// A label by the chart's right edge ends left of its mark.
TEST(Notte, EtichettaAlBordoDestro) {
  std::optional<Notte> n = NotteDi(Ut(2027, 2, 12, 20, 14), FusoQt("Europe/Rome"), kRoma, 69);
  ASSERT_TRUE(n);
  const double tardi = n->fine - 5 * kMinuto, presto = n->inizio + 5 * kMinuto;
  const std::vector<RigaPiano> righe = {
      {Evento{presto, C::TrI, 3, 5, 20, false}, true, 0, std::nullopt},
      {Evento{tardi, C::ShI, 3, 5, 20, false}, true, 1, std::nullopt},
  };
  TelaRegistrata tela;
  DisegnaNotte(tela, *n, righe, {.larghezza = 800, .altezza = 260, .titolo = "", .scelto = {}});
  const Disegno d{tela.operazioni};
  const auto marca = [&](CodiceEvento c) {
    return d.Di(T::Linea, ColoreGenere(GenereDi(c))).at(0).x1;
  };
  int trovate = 0;
  for (const auto& s : d.Scritte()) {
    if (s.testo == "Ganimede Tr.I") {
      EXPECT_GT(s.x, marca(C::TrI));
      ++trovate;
    }
    if (s.testo == "Ganimede Sh.I") {
      EXPECT_LT(s.x, marca(C::ShI));
      ++trovate;
    }
  }
  EXPECT_EQ(trovate, 2);
}

}  // namespace
}  // namespace mr

namespace mr {
namespace {

// A narrow chart (a small window, or a large display scale): every text
// within the area by its estimated width; the title gives up its aside in
// brackets, whole, and says so with an ellipsis.
TEST(Notte, TestiDentroUnGraficoStretto) {
  std::optional<Notte> n = NotteDi(Ut(2027, 2, 12, 20, 14), FusoQt("Europe/Rome"), kRoma, 69);
  ASSERT_TRUE(n);
  const std::vector<RigaPiano> righe = {
      {Evento{n->inizio + 5 * kMinuto, C::TrI, 3, 5, 20, false}, true, 0, std::nullopt},
      {Evento{Ut(2027, 2, 12, 23, 0), C::GRS, 0, 63, -50, false}, true, 1, std::nullopt},
      {Evento{n->fine - 5 * kMinuto, C::ShI, 3, 5, 20, false}, true, 2, std::nullopt},
  };
  // 65 characters, 422.5 pixels, beside a chart of 400 that starts at 36.
  const std::string titolo = "Notte tra il 12/02/2027 e il 13/02/2027 (ore locali, Europe/Rome)";
  TelaRegistrata tela;
  DisegnaNotte(tela, *n, righe, {.larghezza = 400, .altezza = 200, .titolo = titolo, .scelto = {}});
  const Disegno d{tela.operazioni};
  bool intestazione = false;
  for (const auto& s : d.Scritte()) {
    EXPECT_GE(s.x, 0) << s.testo;
    EXPECT_LE(s.x + LarghezzaStimata(s.testo), 400) << s.testo;
    intestazione |= s.testo == "Notte tra il 12/02/2027 e il 13/02/2027\u2026";
  }
  EXPECT_TRUE(intestazione);
  // Wide enough, the title whole.
  tela.Azzera();
  DisegnaNotte(tela, *n, righe, {.larghezza = 800, .altezza = 260, .titolo = titolo, .scelto = {}});
  intestazione = false;
  for (const auto& s : Disegno{tela.operazioni}.Scritte()) intestazione |= s.testo == titolo;
  EXPECT_TRUE(intestazione);
}

}  // namespace
}  // namespace mr
