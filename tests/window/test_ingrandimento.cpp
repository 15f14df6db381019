// The enlarged view of a mutual event on the satellite panel: which pair it
// shows, and what it draws at instants of the independent computation of
// tests/data/riferimento (the window's fields to the minute nearest each
// maximum) and for geometries made by hand.
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "confronto_mutui.h"
#include "ephemeris/calendario.h"
#include "finestra_di_prova.h"
#include "window/ingrandimento.h"

namespace mr {
namespace {

using Op = Operazione::Tipo;
constexpr double kMinuto = 1.0 / 1440;
constexpr double kRaggi[4] = {1821.6, 1560.8, 2631.2, 2410.3};  // km, Io .. Callisto
constexpr double kPi = 3.14159265358979323846;
constexpr Colore kNero = RGB(0, 0, 0);

bool Vicino(double x, double atteso, double tolleranza) {
  return std::isfinite(x) && std::abs(x - atteso) <= tolleranza;
}

// ---- which pair ------------------------------------------------------------------

CoppiaMutua Coppia(TipoMutuo tipo, int attivo, int passivo, double distanza) {
  // Io on Europa: they touch 3382.4 km apart.
  return {tipo, attivo, passivo, distanza, 0, -distanza, 1821.6, 0, 1560.8, 0};
}

TEST(DaIngrandire, LaCoppiaPiuVicinaEntroTreContatti) {
  using T = TipoMutuo;
  const double c = 1821.6 + 1560.8;
  struct Case {
    const char* nome;
    std::vector<CoppiaMutua> coppie;
    int scelta;   // index of the pair shown, -1 none
    int insieme;  // index of the pair shown with it, -1 none
  };
  const Case cases[] = {
      {"none", {}, -1, -1},
      {"all beyond three contact distances",
       {Coppia(T::Occultazione, 1, 2, 3.01 * c), Coppia(T::Eclisse, 3, 4, 1e6)}, -1, -1},
      {"the nearest in contact distances",
       {Coppia(T::Occultazione, 1, 2, 2.5 * c), Coppia(T::Eclisse, 3, 1, 0.8 * c)}, 1, -1},
      {"the same A and B in the other kind come with it",
       {Coppia(T::Eclisse, 2, 1, 0.9 * c), Coppia(T::Occultazione, 1, 2, 0.5 * c),
        Coppia(T::Eclisse, 1, 2, 2.9 * c)},
       1, 2},
      {"a distance that is not a number is passed over",
       {Coppia(T::Occultazione, 1, 2, NAN), Coppia(T::Eclisse, 1, 2, 2 * c)}, 1, -1},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.nome);
    const std::optional<Ingrandimento> i = DaIngrandire(k.coppie);
    ASSERT_EQ(i.has_value(), k.scelta >= 0);
    if (!i) continue;
    EXPECT_EQ(i->coppia.distanza, k.coppie[k.scelta].distanza);
    ASSERT_EQ(i->insieme.has_value(), k.insieme >= 0);
    if (i->insieme) {
      EXPECT_EQ(i->insieme->distanza, k.coppie[k.insieme].distanza);
    }
  }
}

// ---- the drawing, read back ------------------------------------------------------

struct Disco {
  double x, y, r;
  Colore riempimento;
};

struct Vista {
  std::vector<Operazione> op;
  // Filled circles with their fill, in order.
  std::vector<Disco> Dischi() const {
    std::vector<Disco> d;
    Colore riempimento = 0;
    for (const Operazione& o : op) {
      if (o.tipo == Op::Riempimento) riempimento = o.colore;
      if (o.tipo == Op::Cerchio) d.push_back({o.x1, o.y1, o.r, riempimento});
    }
    return d;
  }
  std::vector<Operazione> Di(Op tipo) const {
    std::vector<Operazione> r;
    for (const Operazione& o : op)
      if (o.tipo == tipo) r.push_back(o);
    return r;
  }
  // The shadow's strokes: horizontal, after the first disk, not of an outline.
  std::vector<Operazione> Righe() const {
    std::vector<Operazione> r;
    bool dopoDisco = false;
    for (const Operazione& o : op) {
      dopoDisco = dopoDisco || o.tipo == Op::Cerchio;
      if (dopoDisco && o.tipo == Op::Linea && o.y1 == o.y2 && !Contorno(o.colore)) r.push_back(o);
    }
    return r;
  }
  static bool Contorno(Colore c) {
    return c == ColoreContornoPenombra || c == ColoreContornoOmbra;
  }
  // The strokes of one outline.
  std::vector<Operazione> Tratti(Colore c) const {
    std::vector<Operazione> r;
    for (const Operazione& o : op)
      if (o.tipo == Op::Linea && o.colore == c) r.push_back(o);
    return r;
  }
  std::vector<Scritta> Scritte() const { return mr::Scritte(op); }
  std::optional<Scritta> Cerca(const std::string& t) const {
    for (const Scritta& s : Scritte())
      if (s.testo == t) return s;
    return std::nullopt;
  }
};

// Everything inside the view's box: disks, strokes, outlines and names.
void DentroIlRiquadro(const Vista& v) {
  const double W = LarghezzaIngrandimento, H = AltezzaIngrandimento;
  ASSERT_FALSE(v.op.empty());
  EXPECT_EQ(v.op[0].tipo, Op::Scala);
  EXPECT_EQ(v.op[0].x2, W);
  EXPECT_EQ(v.op[0].y2, H);
  for (const Operazione& o : v.op) {
    if (o.tipo == Op::Cerchio || o.tipo == Op::Arco) {
      EXPECT_GE(o.x1 - o.r, 0);
      EXPECT_LE(o.x1 + o.r, W);
      EXPECT_GE(o.y1 - o.r, 0);
      EXPECT_LE(o.y1 + o.r, H);
    }
    if (o.tipo != Op::Linea) continue;
    for (double x : {o.x1, o.x2}) EXPECT_TRUE(x >= 0 && x <= W) << x;
  }
  for (const auto& s : v.Scritte()) {
    EXPECT_GE(s.x, 0) << s.testo;
    EXPECT_LE(s.x + 6.5 * s.testo.size(), W) << s.testo;
  }
}

// The circle through three of an outline's ends, a third of it apart.
struct Cerchio {
  double x, y, r;
};
Cerchio CerchioDelContorno(const std::vector<Operazione>& tratti) {
  const std::size_t n = tratti.size();
  const Operazione &p = tratti[0], &q = tratti[n / 3], &u = tratti[2 * n / 3];
  const double ax = p.x1, ay = p.y1, bx = q.x1, by = q.y1, cx = u.x1, cy = u.y1;
  const double d = 2 * (ax * (by - cy) + bx * (cy - ay) + cx * (ay - by));
  const double a2 = ax * ax + ay * ay, b2 = bx * bx + by * by, c2 = cx * cx + cy * cy;
  const double x = (a2 * (by - cy) + b2 * (cy - ay) + c2 * (ay - by)) / d;
  const double y = (a2 * (cx - bx) + b2 * (ax - cx) + c2 * (bx - ax)) / d;
  return {x, y, std::hypot(ax - x, ay - y)};
}

// Every stroke of the shadow lies on B's disk.
void OmbraSulDisco(const Vista& v, const Disco& b) {
  const auto righe = v.Righe();
  ASSERT_FALSE(righe.empty());
  for (const Operazione& o : righe)
    for (double x : {o.x1, o.x2})
      EXPECT_LE(std::hypot(x - b.x, o.y1 - b.y), b.r + 1e-9) << x << " " << o.y1;
}

// ---- at reference events -------------------------------------------------------

class IngrandimentoTest : public FinestraDiProva {
 protected:
  // The window on the precise ephemeris in UT at the minute nearest jdUT, the
  // panel drawn; returns that minute.
  double Calcola(double jdUT, bool precisa = true) {
    Scrivi("Imp.txt", "0,12,30,41,54,69\r\n");
    MacchiaRossa& m = Apri();
    m.AltaPrecisione = precisa;
    m.TU_Click();
    m.Rivoluzione.Value = 1;
    const DataOraUT d = *DataOraAlSecondo(std::round(jdUT / kMinuto) * kMinuto);
    m.Giorno.Text = std::to_string(d.giorno);
    m.Mese.Text = std::to_string(d.mese);
    m.Anno.Text = std::to_string(d.anno);
    m.Ore.Text = std::to_string(d.ore);
    m.Minuti.Text = std::to_string(d.minuti);
    m.Calcola_Click();
    return GiornoGiuliano(d.giorno, d.mese, d.anno, d.ore, d.minuti);
  }
  static riferimento::MutuoAtteso Atteso(const std::string& finestra, double massimo) {
    namespace fs = std::filesystem;
    const fs::path cartella = RIFERIMENTO_DIR;
    for (const auto& f : riferimento::LeggiFinestreMutui(cartella))
      if (f.nome == finestra)
        for (const auto& e : riferimento::LeggiMutui(cartella, f))
          if (std::abs(e.jdMassimo - massimo) < 1.0 / 86400) return e;
    ADD_FAILURE() << "no reference event at " << massimo;
    return {};
  }
};

// The reference's maximum, UT.
double Ut(int a, int m, int g, int ore, int minuti, int secondi) {
  return GiornoGiuliano(g, m, a, ore, minuti + secondi / 60.0);
}

// At an occultation's maximum (to the minute) the view holds B's disk and A's
// over it, in the true ratio of their radii, their centres as far apart as
// the reference's least distance and the path through the contacts put
// them: along a straight uniform path the distance is sqrt(b^2 + (v dt)^2),
// v = 2 sqrt(c^2 - b^2) / duration, c = rA + rB. A stands on the side of B
// where the panel's own dots put it.
TEST_F(IngrandimentoTest, OccultazioneAlMassimo) {
  struct Case {
    const char* finestra;
    double massimo;
    const char* nomeA;
    const char* nomeB;
  };
  const Case cases[] = {
      {"2026-10-02", Ut(2026, 10, 5, 5, 16, 55), "Callisto", "Io"},
      {"2026-12-01", Ut(2026, 12, 5, 19, 17, 56), "Europa", "Ganimede"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.nomeA);
    const riferimento::MutuoAtteso e = Atteso(c.finestra, c.massimo);
    ASSERT_EQ(e.tipo, "OCC");
    const double t = Calcola(e.jdMassimo);
    const Vista v{finestra->frmSatelliti.ingrandimento.operazioni};
    DentroIlRiquadro(v);
    const auto dischi = v.Dischi();
    ASSERT_EQ(dischi.size(), 2u);
    const Disco &b = dischi[0], &a = dischi[1];
    EXPECT_EQ(b.riempimento, ColoriPannello[e.passivo - 1]);
    EXPECT_EQ(a.riempimento, ColoriPannello[e.attivo - 1]);
    const double rA = kRaggi[e.attivo - 1], rB = kRaggi[e.passivo - 1];
    const double k = b.r / rB;  // pixels a km
    // A's radius is seen at B's distance: within 0.5% of the true ratio.
    EXPECT_TRUE(Vicino(a.r / k, rA, 0.005 * rA)) << a.r / k;
    const double contatto = rA + rB;
    const double velocita = 2 * std::sqrt(contatto * contatto - e.impattoKm * e.impattoKm) /
                            (e.jdFine - e.jdInizio);  // km a day
    const double attesa = std::hypot(e.impattoKm, velocita * (t - e.jdMassimo));
    const double distanza = std::hypot(a.x - b.x, a.y - b.y) / k;
    EXPECT_TRUE(Vicino(distanza, attesa, 15)) << distanza << " " << attesa;
    EXPECT_TRUE(Vicino(contatto - distanza, contatto - attesa, 15));  // the overlap, km
    EXPECT_GT(contatto - distanza, 500);
    // The same side as on the panel (y down on both).
    std::vector<Operazione> punti;
    for (const Operazione& o : finestra->frmSatelliti.disegno.operazioni)
      if (o.tipo == Op::Cerchio && o.r == 1) punti.push_back(o);
    ASSERT_GE(punti.size(), 4u);
    const Operazione &pa = punti[e.attivo - 1], &pb = punti[e.passivo - 1];
    EXPECT_EQ(a.y > b.y, pa.y1 > pb.y1);
    EXPECT_EQ(a.x > b.x, pa.x1 > pb.x1);
    // The names, A's on its side.
    const auto nomeA = v.Cerca(c.nomeA), nomeB = v.Cerca(c.nomeB);
    ASSERT_TRUE(nomeA && nomeB);
    EXPECT_EQ(nomeA->x > nomeB->x, a.x > b.x);
    EXPECT_TRUE(v.Righe().empty());
  }
}

// At an eclipse's maximum the shadow lies on B: its strokes within B's disk,
// its axis as far from B's centre as the reference's least distance (give or
// take the few seconds to the minute), the outlines of the umbra and the
// penumbra around A's own radius (the Sun's disk widens one and narrows the
// other by the same amount).
TEST_F(IngrandimentoTest, EclisseAlMassimo) {
  struct Case {
    const char* finestra;
    double massimo;
    const char* nomeA;
    const char* nomeB;
    bool ombraPiena;  // the umbra falls on B
  };
  const Case cases[] = {
      {"2026-10-02", Ut(2026, 10, 14, 9, 53, 4), "Io", "Europa", true},  // annular
      {"2026-12-01", Ut(2026, 12, 5, 14, 26, 6), "Europa", "Ganimede", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.nomeB);
    const riferimento::MutuoAtteso e = Atteso(c.finestra, c.massimo);
    ASSERT_EQ(e.tipo, "ECL");
    const double t = Calcola(e.jdMassimo);
    const Vista v{finestra->frmSatelliti.ingrandimento.operazioni};
    DentroIlRiquadro(v);
    const auto dischi = v.Dischi();
    ASSERT_EQ(dischi.size(), 1u);
    const Disco& b = dischi[0];
    EXPECT_EQ(b.riempimento, ColoriPannello[e.passivo - 1]);
    const double k = b.r / kRaggi[e.passivo - 1];
    OmbraSulDisco(v, b);
    const auto righe = v.Righe();
    EXPECT_EQ(std::any_of(righe.begin(), righe.end(),
                          [](const Operazione& o) { return o.colore == kNero; }),
              c.ombraPiena);

    // B fills 80% of the box's height, less its frame.
    EXPECT_TRUE(Vicino(2 * b.r, 0.8 * (AltezzaIngrandimento - 4), 1e-9));
    const auto archi = v.Di(Op::Arco);
    ASSERT_EQ(archi.size(), 1u);  // B's outline, over the shadow
    EXPECT_EQ(archi[0].x1, b.x);
    EXPECT_EQ(archi[0].r, b.r);
    // The outlines of the penumbra and the umbra, cut by the box: chords of
    // circles about the shadow's axis.
    const auto trattiPenombra = v.Tratti(ColoreContornoPenombra);
    const auto trattiOmbra = v.Tratti(ColoreContornoOmbra);
    ASSERT_GE(trattiPenombra.size(), 10u);
    ASSERT_GE(trattiOmbra.size(), 10u);
    const Cerchio penombra = CerchioDelContorno(trattiPenombra);
    const Cerchio ombra = CerchioDelContorno(trattiOmbra);
    EXPECT_TRUE(Vicino(penombra.x, ombra.x, 1e-6) && Vicino(penombra.y, ombra.y, 1e-6));
    const double rA = kRaggi[e.attivo - 1];
    EXPECT_TRUE(Vicino((penombra.r + ombra.r) / 2 / k, rA, 0.01 * rA));
    EXPECT_GT(penombra.r - ombra.r, 0);
    // Relative speeds stay under 32 km/s (Io and Europa on opposite sides of
    // Jupiter: 17.3 + 13.7 km/s).
    const double secondi = std::abs(t - e.jdMassimo) * 86400;
    const double distanza = std::hypot(penombra.x - b.x, penombra.y - b.y) / k;
    EXPECT_GE(distanza, e.impattoKm - 10);
    EXPECT_LE(distanza, std::hypot(e.impattoKm, 32 * secondi) + 10);
    ASSERT_TRUE(v.Cerca(c.nomeB));
    ASSERT_TRUE(v.Cerca(std::string("ombra di ") + c.nomeA));
  }
}

// Without the precise setting, or with no pair near, there is no view; it
// goes when the setting does.
TEST_F(IngrandimentoTest, SoloConLEffemeridePrecisaEUnaCoppiaVicina) {
  const double massimo = Ut(2026, 10, 5, 5, 16, 55);
  Calcola(massimo, false);
  EXPECT_TRUE(finestra->frmSatelliti.ingrandimento.operazioni.empty());
  Calcola(massimo, true);
  EXPECT_FALSE(finestra->frmSatelliti.ingrandimento.operazioni.empty());
  finestra->AltaPrecisione = false;
  finestra->Calcola_Click();
  EXPECT_TRUE(finestra->frmSatelliti.ingrandimento.operazioni.empty());
  // Three hours later the two are far apart (Io moves 25 degrees of its orbit).
  Calcola(massimo + 0.125, true);
  EXPECT_TRUE(finestra->frmSatelliti.ingrandimento.operazioni.empty());
}

// ---- geometries made by hand -----------------------------------------------------

// Europa (B, 1000 km) in the shadow of Io whose axis passes 1500 km west of
// B's centre, umbra 1900 km and penumbra 2100 km in radius. On the row
// through B's centre the umbra covers B from 400 km east of its centre to its
// west limb, and the penumbra the 200 km east of that, darker inward.
TEST(Ingrandimento, OmbraRigaPerRiga) {
  const CoppiaMutua eclisse{TipoMutuo::Eclisse, 1, 2, 1500, 1500, 0, 2000, 100, 1000, 0};
  TelaRegistrata tela;
  DisegnaIngrandimento(tela, {eclisse, std::nullopt}, ColoreFacciata);
  const Vista v{tela.operazioni};
  DentroIlRiquadro(v);
  const auto dischi = v.Dischi();
  ASSERT_EQ(dischi.size(), 1u);
  const Disco& b = dischi[0];
  OmbraSulDisco(v, b);
  const double k = b.r / 1000;
  // B's diameter, 2000 km, takes 80% of the height within the frame.
  EXPECT_TRUE(Vicino(k, 0.8 * (AltezzaIngrandimento - 4) / 2000, 1e-12));
  // The penumbra's outline, 2100 km about the axis, cut where the box ends.
  const auto tratti = v.Tratti(ColoreContornoPenombra);
  ASSERT_FALSE(tratti.empty());
  for (const Operazione& o : tratti)
    for (auto [x, y] : {std::pair{o.x1, o.y1}, std::pair{o.x2, o.y2}}) {
      EXPECT_TRUE(Vicino(std::hypot(x - (b.x + k * 1500), y - b.y), k * 2100, 1e-9));
      EXPECT_TRUE(y >= 0 && y <= AltezzaIngrandimento) << y;
    }
  // The row nearest B's centre.
  const auto righe = v.Righe();
  double y = righe[0].y1;
  for (const Operazione& o : righe)
    if (std::abs(o.y1 - b.y) < std::abs(y - b.y)) y = o.y1;
  const double dy = (y - b.y) / k;  // km, under half a pixel
  const double xAsse = 1500;        // km west of B's centre: to the right
  std::vector<Operazione> riga;
  for (const Operazione& o : righe)
    if (o.y1 == y) riga.push_back(o);
  std::sort(riga.begin(), riga.end(), [](auto& p, auto& q) { return p.x1 < q.x1; });
  const auto X = [&](double km) { return b.x + k * km; };
  const double limbo = std::sqrt(1000.0 * 1000 - dy * dy);
  const double umbra = xAsse - std::sqrt(1900.0 * 1900 - dy * dy);
  const double penombra = xAsse - std::sqrt(2100.0 * 2100 - dy * dy);
  ASSERT_EQ(riga.size(), 5u);  // four bands of the penumbra, then the umbra
  EXPECT_TRUE(Vicino(riga.front().x1, X(penombra), 1e-9));
  EXPECT_TRUE(Vicino(riga.back().x1, X(umbra), 1e-9));
  EXPECT_TRUE(Vicino(riga.back().x2, X(limbo), 1e-9));
  EXPECT_EQ(riga.back().colore, kNero);
  const auto luce = [](Colore c) { return (c >> 16) + ((c >> 8) & 0xff) + (c & 0xff); };
  for (std::size_t j = 0; j + 1 < riga.size(); ++j) {
    EXPECT_TRUE(Vicino(riga[j].x2, riga[j + 1].x1, 1e-9));
    EXPECT_GT(luce(riga[j].colore), luce(riga[j + 1].colore));
  }
  EXPECT_LT(luce(riga.front().colore), luce(ColoriPannello[1]));
  // The names: B west of the shadow, so on the left; the outline between them.
  const auto europa = v.Cerca("Europa"), ombra = v.Cerca("ombra di Io");
  ASSERT_TRUE(europa && ombra);
  EXPECT_LT(europa->x, ombra->x);
  for (const Operazione& o : tratti)
    for (double x : {o.x1, o.x2}) EXPECT_TRUE(x > europa->x + 6.5 * 6 && x < ombra->x) << x;
}

// Near opposition a satellite and its shadow fall on B together: B, the
// shadow on it, A's disk in front, and A named once with its shadow. Black
// names on the day's face, white ones on a night sky.
TEST(Ingrandimento, SatelliteEOmbraInsieme) {
  const CoppiaMutua occultazione{TipoMutuo::Occultazione, 3, 1, 2000, -2000, 0,
                                 2631.2, 0, 1821.6, 0.3};
  const CoppiaMutua eclisse{TipoMutuo::Eclisse, 3, 1, 1900, -1900, 0, 2640, 250, 1821.6, 0.5};
  for (Colore sfondo : {ColoreFacciata, RGB(0, 0, 40)}) {
    TelaRegistrata tela;
    DisegnaIngrandimento(tela, {occultazione, eclisse}, sfondo);
    const Vista v{tela.operazioni};
    DentroIlRiquadro(v);
    const auto dischi = v.Dischi();
    ASSERT_EQ(dischi.size(), 2u);
    EXPECT_EQ(dischi[0].riempimento, ColoriPannello[0]);
    EXPECT_EQ(dischi[1].riempimento, ColoriPannello[2]);
    OmbraSulDisco(v, dischi[0]);
    // A's disk comes after the shadow's strokes.
    std::size_t ultimaRiga = 0, discoA = 0;
    for (std::size_t i = 0; i < v.op.size(); ++i) {
      if (v.op[i].tipo == Op::Linea && v.op[i].y1 == v.op[i].y2) ultimaRiga = i;
      if (v.op[i].tipo == Op::Cerchio) discoA = i;
    }
    EXPECT_LT(ultimaRiga, discoA);
    // Ganymede east of Io: on the left, and its name with it.
    EXPECT_LT(dischi[1].x, dischi[0].x);
    const auto ganimede = v.Cerca("Ganimede e la sua ombra"), io = v.Cerca("Io");
    ASSERT_TRUE(ganimede && io);
    EXPECT_LT(ganimede->x, io->x);
    Colore inchiostro = 1;
    for (const Operazione& o : v.op)
      if (o.tipo == Op::ColoreTesto) inchiostro = o.colore;
    EXPECT_EQ(inchiostro, sfondo == ColoreFacciata ? kNero : RGB(255, 255, 255));
  }
}

}  // namespace
}  // namespace mr
