#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "confronto_mutui.h"
#include "ephemeris/calendario.h"
#include "pianificatore/curva_luce.h"
#include "pianificatore/qtcore/fuso_qt.h"

namespace mr {
namespace {

using T = Operazione::Tipo;

constexpr double kMinuto = 1.0 / 1440;
constexpr double kDeltaT = 69;  // seconds, as the reference windows
const AspettoCurva kArea{.x = 20, .y = 10, .larghezza = 520, .altezza = 260, .titolo = "Titolo"};

double Ut(int a, int m, int g, int ore, int minuti, double secondi = 0) {
  return GiornoGiuliano(g, m, a, ore, minuti + secondi / 60.0);
}

bool Vicino(double x, double atteso, double tolleranza) {
  return std::isfinite(x) && std::abs(x - atteso) <= tolleranza;
}

// The recorded chart, read the way a reader reads the picture.
struct Grafico {
  std::vector<Operazione> op;
  std::vector<Scritta> Scritte() const { return mr::Scritte(op); }
  std::optional<Scritta> Cerca(const std::string& testo) const {
    for (const Scritta& s : Scritte())
      if (s.testo == testo) return s;
    return std::nullopt;
  }
  std::vector<Operazione> Di(T tipo, Colore c) const {
    std::vector<Operazione> r;
    for (const Operazione& o : op)
      if (o.tipo == tipo && o.colore == c) r.push_back(o);
    return r;
  }
  // The plot: the dark box.
  Operazione Riquadro() const {
    const auto r = Di(T::Riquadro, ColoreFondoCurva);
    return r.size() == 1 ? r[0] : Operazione{};
  }
  // The horizontal grid lines: the zero drop is the highest, the axis' end the lowest.
  std::vector<double> Griglia() const {
    std::vector<double> y;
    for (const Operazione& o : Di(T::Linea, ColoreGrigliaCurva))
      if (o.y1 == o.y2) y.push_back(o.y1);
    std::sort(y.begin(), y.end());
    return y;
  }
  // The curve's deepest point.
  Operazione Fondo() const {
    Operazione fondo{};
    fondo.y1 = -1e9;
    for (const Operazione& o : Di(T::Linea, ColoreCurva)) {
      if (o.y1 > fondo.y1) fondo.y1 = o.y1, fondo.x1 = o.x1;
      if (o.y2 > fondo.y1) fondo.y1 = o.y2, fondo.x1 = o.x2;
    }
    return fondo;
  }
};

Grafico Disegna(const CurvaEvento& c, const FusoOrario& fuso) {
  TelaRegistrata tela;
  DisegnaCurva(tela, c, fuso, kArea);
  return {tela.operazioni};
}

// Everything drawn is finite and inside the area (texts by their estimated width).
void DentroLArea(const Grafico& g) {
  for (const Operazione& o : g.op) {
    if (o.tipo == T::Linea || o.tipo == T::Riquadro) {
      for (double x : {o.x1, o.x2})
        EXPECT_TRUE(x >= kArea.x && x <= kArea.x + kArea.larghezza) << x;
      for (double y : {o.y1, o.y2})
        EXPECT_TRUE(y >= kArea.y && y <= kArea.y + kArea.altezza) << y;
    }
  }
  for (const auto& s : g.Scritte()) {
    EXPECT_GE(s.x, kArea.x) << s.testo;
    EXPECT_LE(s.x + 6.5 * s.testo.size(), kArea.x + kArea.larghezza + 1) << s.testo;
    EXPECT_GE(s.y, kArea.y) << s.testo;
    EXPECT_LE(s.y + 15, kArea.y + kArea.altezza) << s.testo;
  }
}

// Events of the independent computation of tests/data/riferimento, found
// again by the finder and drawn: the marks stand where the reference puts the
// contacts and the maximum, the curve is deepest at the maximum by the
// reference's drop, the axis ends at the first scale that holds it.
TEST(CurvaLuce, EventiDiRiferimento) {
  namespace fs = std::filesystem;
  const fs::path cartella = RIFERIMENTO_DIR;
  ASSERT_TRUE(fs::exists(cartella / "mutui.json")) << "no reference data in " << cartella;
  struct Case {
    const char* nome;  // the reference window
    double massimo;    // the reference's maximum, UT
    std::vector<std::string> etichette;  // "inizio hh:mm" ... the reference's times to the minute
    std::vector<std::string> calo;       // the drop's labels, from 0 to the axis' end
    double fondoAsse;                    // that end, magnitudes
    std::string didascalia;
  };
  const std::vector<std::string> centesimi = {"0,00", "0,05", "0,10", "0,15", "0,20"};
  const Case cases[] = {
      // An ordinary partial occultation, 0.154 mag.
      {"2026-10-02", Ut(2026, 10, 3, 2, 49, 3), {"inizio 02:39", "massimo 02:49", "fine 02:59"},
       centesimi, 0.2, "Calo (mag) di Io + Ganimede, ora UT del 03/10/2026"},
      // A grazing occultation, 0.011 mag: the axis still gives it half the plot.
      {"2026-10-02", Ut(2026, 10, 2, 14, 14, 52), {"inizio 14:13", "massimo 14:15", "fine 14:17"},
       {"0,000", "0,005", "0,010", "0,015", "0,020"}, 0.02,
       "Calo (mag) di Io + Ganimede, ora UT del 02/10/2026"},
      // A total occultation of Io by Callisto, 1.113 mag.
      {"2026-10-02", Ut(2026, 10, 6, 7, 43, 15), {"inizio 07:39", "massimo 07:43", "fine 07:47"},
       {"0,0", "0,5", "1,0", "1,5", "2,0"}, 2, "Calo (mag) di Callisto + Io, ora UT del 06/10/2026"},
      // An annular eclipse of Europa by Io, 2.014 mag: only Europa's light.
      {"2026-10-02", Ut(2026, 10, 7, 7, 41, 6), {"inizio 07:39", "massimo 07:41", "fine 07:44"},
       {"0,0", "0,5", "1,0", "1,5", "2,0", "2,5", "3,0"}, 3, "Calo (mag) di Europa, ora UT del 07/10/2026"},
      // A slow eclipse, two and a half hours, its maximum early.
      {"2027-02-26", Ut(2027, 3, 2, 16, 46, 44), {"inizio 16:12", "massimo 16:47", "fine 18:40"},
       centesimi, 0.2, "Calo (mag) di Ganimede, ora UT del 02/03/2027"},
  };
  const FusoFisso ut("UTC", "UT", 0);
  const std::vector<riferimento::FinestraMutui> finestre = riferimento::LeggiFinestreMutui(cartella);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.didascalia);
    auto f = std::find_if(finestre.begin(), finestre.end(), [&](auto& x) { return x.nome == c.nome; });
    ASSERT_NE(f, finestre.end());
    const auto attesi = riferimento::LeggiMutui(cartella, *f);
    auto atteso = std::find_if(attesi.begin(), attesi.end(),
                               [&](auto& e) { return std::abs(e.jdMassimo - c.massimo) < 1.0 / 86400; });
    ASSERT_NE(atteso, attesi.end());

    const RicercaMutui r = CercaMutui(atteso->jdMassimo - 0.1, 0.2, kDeltaT, riferimento::kSito, 0);
    auto e = std::find_if(r.eventi.begin(), r.eventi.end(), [&](const EventoMutuo& x) {
      return SiglaMutuo(x.tipo) == atteso->tipo && x.attivo == atteso->attivo &&
             x.passivo == atteso->passivo && std::abs(x.jdMassimo - atteso->jdMassimo) < kMinuto;
    });
    ASSERT_NE(e, r.eventi.end());
    const std::optional<CurvaEvento> curva = CurvaDellEvento(*e, kDeltaT);
    ASSERT_TRUE(curva);
    const Grafico g = Disegna(*curva, ut);
    DentroLArea(g);

    // The time scale: a fifth of the duration, at least 2 minutes, either side.
    const Operazione riquadro = g.Riquadro();
    const double sinistra = std::min(riquadro.x1, riquadro.x2), destra = std::max(riquadro.x1, riquadro.x2);
    ASSERT_GT(destra - sinistra, 400);
    const double margine = std::max(0.2 * (atteso->jdFine - atteso->jdInizio), 2 * kMinuto);
    const double da = atteso->jdInizio - margine, a = atteso->jdFine + margine;
    const auto X = [&](double jd) { return sinistra + (jd - da) / (a - da) * (destra - sinistra); };
    const double cinqueSecondi = 5.0 / 86400 / (a - da) * (destra - sinistra);

    const auto contatti = g.Di(T::Linea, ColoreContatto);
    ASSERT_EQ(contatti.size(), 2u);
    EXPECT_TRUE(Vicino(contatti[0].x1, X(atteso->jdInizio), cinqueSecondi));
    EXPECT_TRUE(Vicino(contatti[1].x1, X(atteso->jdFine), cinqueSecondi));
    const auto massimo = g.Di(T::Linea, ColoreMassimo);
    ASSERT_EQ(massimo.size(), 1u);
    EXPECT_TRUE(Vicino(massimo[0].x1, X(atteso->jdMassimo), cinqueSecondi));
    for (const auto& o : {contatti[0], contatti[1], massimo[0]}) EXPECT_EQ(o.x1, o.x2);

    // The drop's axis: 0 at the top, deeper downward.
    const std::vector<double> griglia = g.Griglia();
    ASSERT_EQ(griglia.size(), c.calo.size());
    const double fondoAsse = c.fondoAsse;
    const auto Y = [&](double calo) {
      return griglia.front() + calo / fondoAsse * (griglia.back() - griglia.front());
    };
    for (std::size_t k = 0; k < c.calo.size(); ++k) {
      const auto s = g.Cerca(c.calo[k]);
      ASSERT_NE(s, std::nullopt) << c.calo[k];
      EXPECT_LT(s->x, sinistra) << c.calo[k];
      EXPECT_TRUE(Vicino(s->y + 7.5, griglia[k], 1e-9)) << c.calo[k];
    }
    // The curve: flat at 0 outside the contacts, deepest at the maximum by the drop.
    const auto linee = g.Di(T::Linea, ColoreCurva);
    ASSERT_GT(linee.size(), 100u);
    EXPECT_TRUE(Vicino(linee.front().y1, Y(0), 1e-9));
    EXPECT_TRUE(Vicino(linee.back().y2, Y(0), 1e-9));
    EXPECT_TRUE(Vicino(linee.front().x1, sinistra, 1e-9));
    EXPECT_TRUE(Vicino(linee.back().x2, destra, 1e-9));
    // The deepest stretch (totality is flat) holds the maximum.
    const Operazione fondo = g.Fondo();
    double primo = destra, ultimo = sinistra;
    for (const Operazione& o : linee) {
      for (auto [x, y] : {std::pair{o.x1, o.y1}, std::pair{o.x2, o.y2}}) {
        if (y < fondo.y1 - 1e-6) continue;
        primo = std::min(primo, x);
        ultimo = std::max(ultimo, x);
      }
    }
    EXPECT_LE(primo, X(atteso->jdMassimo) + cinqueSecondi);
    EXPECT_GE(ultimo, X(atteso->jdMassimo) - cinqueSecondi);
    const double scarto = 0.005 * (griglia.back() - griglia.front()) / fondoAsse;
    EXPECT_TRUE(Vicino(fondo.y1, Y(atteso->caloMag), scarto))
        << (fondo.y1 - Y(atteso->caloMag)) / (griglia.back() - griglia.front()) * fondoAsse;

    // The labels of the marks above the plot, by their marks; title and caption.
    const double riquadroAlto = std::min(riquadro.y1, riquadro.y2);
    const double xMarche[] = {contatti[0].x1, massimo[0].x1, contatti[1].x1};
    for (std::size_t k = 0; k < 3; ++k) {
      const auto s = g.Cerca(c.etichette[k]);
      ASSERT_NE(s, std::nullopt) << c.etichette[k];
      EXPECT_LT(s->y, riquadroAlto);
      const double w = 6.5 * c.etichette[k].size();
      EXPECT_TRUE(Vicino(s->x, xMarche[k] + 2, 1e-9) || Vicino(s->x + w, xMarche[k] - 2, 1e-9));
    }
    ASSERT_NE(g.Cerca("Titolo"), std::nullopt);
    EXPECT_EQ(g.Cerca("Titolo")->y, kArea.y);
    const auto didascalia = g.Cerca(c.didascalia);
    ASSERT_NE(didascalia, std::nullopt);
    EXPECT_GT(didascalia->y, griglia.back());
    EXPECT_EQ(g.Cerca("Curva troncata a 3 mag"), std::nullopt);
  }
}

// A curve built by hand: a total eclipse of Io by Ganymede, 5 minutes of
// totality (9.99 mag), drawn on the clock of Rome, its maximum after local
// midnight (23:05 UT is 00:05 CET on the next day).
CurvaEvento EclisseTotale() {
  const double t0 = Ut(2027, 1, 10, 22, 50);
  EventoMutuo e{};
  e.tipo = TipoMutuo::Eclisse;
  e.attivo = 3;
  e.passivo = 1;
  e.jdInizio = t0 + 10 * kMinuto;
  e.jdMassimo = t0 + 15 * kMinuto;
  e.jdFine = t0 + 20 * kMinuto;
  e.genere = GenereMutuo::Totale;
  e.caloMag = 9.99;
  CurvaEvento c{e, t0 + 8 * kMinuto, t0 + 22 * kMinuto, {}};
  const double minuti[] = {8, 10, 12, 13, 15, 17, 18, 20, 22};
  const double calo[] = {0, 0, 1.5, 9.99, 9.99, 9.99, 1.5, 0, 0};
  for (int k = 0; k < 9; ++k) c.punti.push_back({t0 + minuti[k] * kMinuto, calo[k]});
  return c;
}

TEST(CurvaLuce, EclisseTotaleTroncataA3Magnitudini) {
  const CurvaEvento c = EclisseTotale();
  const Grafico g = Disegna(c, FusoQt("Europe/Rome"));
  DentroLArea(g);
  const std::vector<double> griglia = g.Griglia();
  ASSERT_EQ(griglia.size(), 7u);  // 0 to 3 by halves
  for (const char* t : {"0,0", "1,5", "3,0"}) EXPECT_NE(g.Cerca(t), std::nullopt) << t;
  EXPECT_EQ(g.Cerca("3,5"), std::nullopt);
  const auto Y = [&](double calo) { return griglia.front() + calo / 3 * (griglia.back() - griglia.front()); };
  // Totality runs along the axis' end; the partial phases keep their depth.
  const auto linee = g.Di(T::Linea, ColoreCurva);
  ASSERT_EQ(linee.size(), 8u);
  EXPECT_TRUE(Vicino(linee[1].y2, Y(1.5), 1e-9));
  for (int k : {3, 4}) {
    EXPECT_TRUE(Vicino(linee[k].y1, Y(3), 1e-9)) << k;
    EXPECT_TRUE(Vicino(linee[k].y2, Y(3), 1e-9)) << k;
  }
  EXPECT_TRUE(Vicino(g.Fondo().y1, Y(3), 1e-9));
  EXPECT_NE(g.Cerca("Curva troncata a 3 mag: eclisse totale, Io scompare"), std::nullopt);
  // The clock of Rome, across midnight.
  for (const char* t : {"inizio 00:00", "massimo 00:05", "fine 00:10"}) EXPECT_NE(g.Cerca(t), std::nullopt) << t;
  EXPECT_NE(g.Cerca("Calo (mag) di Io, ora CET dell'11/01/2027"), std::nullopt);
  const auto mezzanotte = g.Cerca("00:00");
  ASSERT_NE(mezzanotte, std::nullopt);
  const auto contatti = g.Di(T::Linea, ColoreContatto);
  ASSERT_EQ(contatti.size(), 2u);
  EXPECT_TRUE(Vicino(mezzanotte->x + 6.5 * 5 / 2, contatti[0].x1, 1e-3));
}

// A deep partial curve is clipped too, without the word "totale".
TEST(CurvaLuce, CurvaProfondaTroncata) {
  CurvaEvento c = EclisseTotale();
  c.evento.genere = GenereMutuo::Parziale;
  c.evento.caloMag = 4.2;
  for (PuntoCurva& p : c.punti) p.caloMag = std::min(p.caloMag, 4.2);
  const Grafico g = Disegna(c, FusoFisso("UTC", "UT", 0));
  EXPECT_NE(g.Cerca("Curva troncata a 3 mag"), std::nullopt);
  EXPECT_NE(g.Cerca("massimo 23:05"), std::nullopt);
  EXPECT_NE(g.Cerca("Calo (mag) di Io, ora UT del 10/01/2027"), std::nullopt);
}

// Nothing to plot: only the title, and nothing that is not a number.
TEST(CurvaLuce, SenzaCurva) {
  CurvaEvento vuota = EclisseTotale();
  vuota.punti.clear();
  CurvaEvento rovesciata = EclisseTotale();
  std::swap(rovesciata.inizio, rovesciata.fine);
  CurvaEvento senzaCoppia = EclisseTotale();
  senzaCoppia.evento.passivo = 0;
  for (const CurvaEvento& c : {vuota, rovesciata, senzaCoppia}) {
    const Grafico g = Disegna(c, FusoFisso("UTC", "UT", 0));
    ASSERT_EQ(g.Scritte().size(), 1u);
    EXPECT_EQ(g.Scritte()[0].testo, "Titolo");
    EXPECT_TRUE(g.Di(T::Linea, ColoreCurva).empty());
  }
  // An area too small for a plot.
  TelaRegistrata tela;
  DisegnaCurva(tela, EclisseTotale(), FusoFisso("UTC", "UT", 0),
               {.x = 0, .y = 0, .larghezza = 40, .altezza = 30, .titolo = ""});
  for (const Operazione& o : tela.operazioni)
    EXPECT_TRUE(std::isfinite(o.x1 + o.y1 + o.x2 + o.y2));

  EventoMutuo e = EclisseTotale().evento;
  e.attivo = 0;
  EXPECT_FALSE(CurvaDellEvento(e, kDeltaT));
  e = EclisseTotale().evento;
  e.jdFine = NAN;
  EXPECT_FALSE(CurvaDellEvento(e, kDeltaT));
  e = EclisseTotale().evento;
  e.jdFine = e.jdInizio + 3;  // a span over two days
  EXPECT_FALSE(CurvaDellEvento(e, kDeltaT));
  e = EclisseTotale().evento;
  e.jdMassimo = e.jdFine + kMinuto;  // the maximum after the last contact
  EXPECT_FALSE(CurvaDellEvento(e, kDeltaT));
}

}  // namespace
}  // namespace mr

namespace mr {
namespace {

// A narrow chart: the caption drops the date, the note its second part, the
// title its aside in brackets, each whole; every text within the area by its
// estimated width. Widths at 6.5 pixels a character: the texts start at the
// plot's left, 44 pixels in, so a chart of 300 holds 39 characters.
TEST(CurvaLuce, TestiDentroUnGraficoStretto) {
  const AspettoCurva stretto{.x = 20, .y = 10, .larghezza = 300, .altezza = 240,
                             .titolo = "3 E 1 - Ganimede eclissa Io (totale, calo 9,99 mag)"};
  TelaRegistrata tela;
  DisegnaCurva(tela, EclisseTotale(), FusoQt("Europe/Rome"), stretto);
  const Grafico g{tela.operazioni};
  for (const auto& s : g.Scritte()) {
    EXPECT_GE(s.x, stretto.x) << s.testo;
    EXPECT_LE(s.x + LarghezzaStimata(s.testo), stretto.x + stretto.larghezza) << s.testo;
  }
  for (const char* t : {"3 E 1 - Ganimede eclissa Io\u2026", "Calo (mag) di Io, ora CET",
                        "Curva troncata a 3 mag", "inizio 00:00", "massimo 00:05", "fine 00:10"})
    EXPECT_NE(g.Cerca(t), std::nullopt) << t;
}

}  // namespace
}  // namespace mr
