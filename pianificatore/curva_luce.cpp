#include "pianificatore/curva_luce.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "ephemeris/nomi_satelliti.h"
#include "ephemeris/numeri.h"
#include "pianificatore/etichette.h"

namespace mr {

namespace {

constexpr double kMinuto = 1.0 / 1440;  // day
constexpr int kPuntiBordo = 6;          // samples of each flat stretch outside the contacts
constexpr int kPuntiFase = 150;         // samples from a contact to the maximum

// ---- the chart's layout, in pixels -----------------------------------------------

constexpr double kRigaTesto = 15;
constexpr double kSinistra = 44, kDestra = 16;  // room for the drop's labels; a margin
constexpr double kTacca = 5;
constexpr double kRespiro = 8;       // between the plot's top and the zero drop
constexpr double kSpazioOre = 48;    // at least, between two labels of the clock
constexpr Colore kNero = RGB(0, 0, 0);

// An axis of the drop: its deepest value, the step of its labels and their decimals.
struct AsseCalo {
  double fondo, passo;
  int decimali;
};
constexpr AsseCalo kAssi[] = {
    {0.01, 0.005, 3}, {0.02, 0.005, 3}, {0.05, 0.01, 2}, {0.1, 0.02, 2}, {0.2, 0.05, 2},
    {0.5, 0.1, 1},    {1, 0.2, 1},      {2, 0.5, 1},     {CaloMassimoInScala, 0.5, 1},
};
// Minutes between two labels of the clock.
constexpr int kPassiOre[] = {1, 2, 5, 10, 15, 20, 30, 60, 120, 180, 240, 360};

// "0,25": the Italian decimal comma.
std::string Decimale(double x, int decimali) {
  char testo[32];
  std::snprintf(testo, sizeof testo, "%.*f", decimali, x);
  std::string s = testo;
  std::replace(s.begin(), s.end(), '.', ',');
  return s;
}

std::string TestoOra(const OraLocale& o) {
  char testo[8];
  std::snprintf(testo, sizeof testo, "%02d:%02d", o.ore % 100, o.minuti % 100);
  return testo;
}

// The zone's clock at jdUT to the nearest minute, as every planner's time.
std::optional<OraLocale> Orologio(const FusoOrario& fuso, double jdUT) {
  return fuso.Locale(MinutoPiuVicino(jdUT));
}

AsseCalo AsseDi(const std::vector<PuntoCurva>& punti) {
  double massimo = 0;
  for (const PuntoCurva& p : punti) massimo = std::max(massimo, p.caloMag);
  for (const AsseCalo& a : kAssi)
    if (massimo <= a.fondo + 1e-9) return a;
  return kAssi[std::size(kAssi) - 1];
}

bool Troncata(const std::vector<PuntoCurva>& punti) {
  return std::any_of(punti.begin(), punti.end(),
                     [](const PuntoCurva& p) { return p.caloMag > CaloMassimoInScala + 1e-9; });
}

// A mark of the chart with its label above the plot.
struct Marca {
  double jdUT;
  Colore colore;
  std::string testo;
  int fila = 0;
  double xTesto = 0;
};

// The plot's frame within the area and its two scales.
struct Grafico {
  // file: the rows of labels above the plot; sotto: the rows of text below its clock.
  Grafico(const CurvaEvento& curva, const AspettoCurva& a, int file, int sotto, AsseCalo asseCalo)
      : c(curva), asse(asseCalo), sinistra(a.x + kSinistra), destra(a.x + a.larghezza - kDestra),
        alto(a.y + kRigaTesto * (1 + file) + 4),
        basso(a.y + a.altezza - kTacca - kRigaTesto * (1 + sotto)) {}
  double X(double jdUT) const {
    return sinistra + (jdUT - c.inizio) / (c.fine - c.inizio) * (destra - sinistra);
  }
  double Y(double calo) const {
    const double h = std::clamp(calo, 0.0, asse.fondo);
    return alto + kRespiro + h / asse.fondo * (basso - alto - kRespiro);
  }
  bool Disegnabile() const { return destra > sinistra && basso > alto + kRespiro; }

  const CurvaEvento& c;
  AsseCalo asse;
  double sinistra, destra, alto, basso;
};

// The three marks in time order with their labels (local times) set in rows
// above the plot.
struct Marche {
  std::vector<Marca> marche;
  int file;  // the rows of labels
};

Marche MarcheDi(const CurvaEvento& c, const FusoOrario& fuso, const Grafico& g,
                double bordoDestro) {
  std::vector<Marca> marche = {{c.evento.jdInizio, ColoreContatto, "inizio"},
                               {c.evento.jdMassimo, ColoreMassimo, "massimo"},
                               {c.evento.jdFine, ColoreContatto, "fine"}};
  std::vector<MarcaAsse> asse;
  for (Marca& m : marche) {
    if (const std::optional<OraLocale> o = Orologio(fuso, m.jdUT)) m.testo.append(" ").append(TestoOra(*o));
    asse.push_back({g.X(m.jdUT), LarghezzaStimata(m.testo)});
  }
  // A row for each label at most: three labels always find room.
  const std::vector<PostoEtichetta> posti = DisponiEtichette(asse, bordoDestro, marche.size());
  for (std::size_t i = 0; i < marche.size(); ++i)
    marche[i].fila = posti[i].fila, marche[i].xTesto = posti[i].x;
  return {std::move(marche), FileUsate(posti)};
}

void AsseDelCalo(Tela& tela, const Grafico& g) {
  const AsseCalo& a = g.asse;
  tela.LarghezzaLinea(1);
  const int tacche = static_cast<int>(std::lround(a.fondo / a.passo));
  for (int k = 0; k <= tacche; ++k) {
    const double calo = k * a.passo, y = g.Y(calo);
    tela.Linea(g.sinistra, y, g.destra, y, ColoreGrigliaCurva);
    const std::string t = Decimale(calo, a.decimali);
    ScriviTesto(tela, g.sinistra - 4 - LarghezzaStimata(t), y - kRigaTesto / 2, t, kNero);
  }
}

// Whole minutes of the zone's clock, labelled every passo minutes.
void AsseDelleOre(Tela& tela, const CurvaEvento& c, const FusoOrario& fuso, const Grafico& g) {
  const double minuti = (c.fine - c.inizio) * 1440;
  int passo = kPassiOre[std::size(kPassiOre) - 1];
  for (int p : kPassiOre) {
    if (p * (g.destra - g.sinistra) / minuti >= kSpazioOre) {
      passo = p;
      break;
    }
  }
  // Minutes counted from JD 2451545.0, a whole minute of UT (12h).
  const double primo = std::ceil((c.inizio - 2451545.0) * 1440);
  const double ultimo = std::floor((c.fine - 2451545.0) * 1440);
  tela.LarghezzaLinea(1);
  for (double m = primo; m <= ultimo; ++m) {
    const double jd = 2451545.0 + m / 1440;
    const std::optional<OraLocale> o = fuso.Locale(jd);
    if (!o || (o->ore * 60 + o->minuti) % passo != 0) continue;
    const double x = g.X(jd);
    tela.Linea(x, g.alto, x, g.basso, ColoreGrigliaCurva);
    tela.Linea(x, g.basso, x, g.basso + kTacca, kNero);
    const std::string t = TestoOra(*o);
    ScriviTesto(tela, x - LarghezzaStimata(t) / 2, g.basso + kTacca, t, kNero);
  }
}

void Curva(Tela& tela, const CurvaEvento& c, const Grafico& g) {
  tela.LarghezzaLinea(2);
  for (std::size_t k = 0; k + 1 < c.punti.size(); ++k) {
    const PuntoCurva &a = c.punti[k], &b = c.punti[k + 1];
    tela.Linea(g.X(a.jdUT), g.Y(a.caloMag), g.X(b.jdUT), g.Y(b.caloMag), ColoreCurva);
  }
  tela.LarghezzaLinea(1);
}

void Segni(Tela& tela, const std::vector<Marca>& marche, const Grafico& g, double alto) {
  tela.LarghezzaLinea(1);
  for (const Marca& m : marche) {
    const double x = g.X(m.jdUT);
    tela.Linea(x, alto + kRigaTesto * (1 + m.fila) + 2, x, g.basso, m.colore);
  }
}

void Etichette(Tela& tela, const std::vector<Marca>& marche, double alto) {
  for (const Marca& m : marche)
    ScriviTesto(tela, m.xTesto, alto + kRigaTesto * (1 + m.fila), m.testo, kNero);
}

// "Calo (mag) di Io + Europa, ora CET del 12/02/2027": what is measured (the
// pair's light, or the eclipsed satellite's) and the clock of the chart; then
// the same without the date, for a narrow chart.
std::vector<std::string> Didascalia(const CurvaEvento& c, const FusoOrario& fuso) {
  const EventoMutuo& e = c.evento;
  std::string testo = "Calo (mag) di ";
  if (e.tipo == TipoMutuo::Occultazione)
    testo += std::string(NomiSatelliti[e.attivo - 1].nome) + " + ";
  testo += NomiSatelliti[e.passivo - 1].nome;
  const std::optional<OraLocale> o = Orologio(fuso, e.jdMassimo);
  if (!o) return {testo};
  testo += ", ora " + (o->sigla.empty() ? fuso.Nome() : o->sigla);
  return {testo + " " + PrimaDelGiorno("del", o->giorno) + TestoData(o->anno, o->mese, o->giorno),
          testo};
}

// "Curva troncata a 3 mag: eclisse totale, Io scompare", then its first part.
std::vector<std::string> NotaTroncata(const EventoMutuo& e) {
  const std::string nota = "Curva troncata a " + Decimale(CaloMassimoInScala, 0) + " mag";
  if (e.tipo == TipoMutuo::Eclisse && e.genere == GenereMutuo::Totale)
    return {nota + ": eclisse totale, " + NomiSatelliti[e.passivo - 1].nome + " scompare", nota};
  return {nota};
}

bool Coppia(const EventoMutuo& e) {
  return e.attivo >= 1 && e.attivo <= 4 && e.passivo >= 1 && e.passivo <= 4;
}

}  // namespace

std::optional<CurvaEvento> CurvaDellEvento(const EventoMutuo& e, double deltaT) {
  if (!(e.jdInizio <= e.jdMassimo && e.jdMassimo <= e.jdFine)) return std::nullopt;
  const double margine = std::max(0.2 * (e.jdFine - e.jdInizio), 2 * kMinuto);
  CurvaEvento c{e, e.jdInizio - margine, e.jdFine + margine, {}};
  // Evenly spread within each stretch, so that the contacts and the maximum
  // are samples and the curve's knees fall on them; a stretch starts where
  // the one before ended.
  const struct {
    double da, a;
    int punti;
  } tratti[] = {{c.inizio, e.jdInizio, kPuntiBordo},
                {e.jdInizio, e.jdMassimo, kPuntiFase},
                {e.jdMassimo, e.jdFine, kPuntiFase},
                {e.jdFine, c.fine, kPuntiBordo}};
  std::vector<double> istanti;
  for (const auto& t : tratti) {
    for (int k = 0; k < t.punti; ++k) {
      const double jd = t.da + (t.a - t.da) * k / (t.punti - 1);
      if (istanti.empty() || jd > istanti.back()) istanti.push_back(jd);
    }
  }
  c.punti = CurvaDiLuce(e, deltaT, istanti);
  if (c.punti.size() < 2) return std::nullopt;
  return c;
}

void DisegnaCurva(Tela& tela, const CurvaEvento& curva, const FusoOrario& fuso,
                  const AspettoCurva& aspetto) {
  // The texts start where the plot does and end at the area's edge.
  const double righello = aspetto.larghezza - kSinistra;
  ScriviTesto(tela, aspetto.x + kSinistra, aspetto.y, TestoCheEntra(aspetto.titolo, righello), kNero);
  if (curva.punti.size() < 2 || !(curva.fine > curva.inizio) ||
      !(curva.fine - curva.inizio <= DurataMassimaCurva) || !Coppia(curva.evento)) {
    return;
  }
  const bool troncata = Troncata(curva.punti);
  const AsseCalo asse = AsseDi(curva.punti);
  const double bordoDestro = aspetto.x + aspetto.larghezza;
  // The labels take as many rows as they need; the plot the height left.
  const auto [marche, file] = MarcheDi(curva, fuso, Grafico(curva, aspetto, 0, 0, asse), bordoDestro);
  const Grafico g(curva, aspetto, file, troncata ? 2 : 1, asse);
  if (!g.Disegnabile()) return;

  tela.Riquadro(g.sinistra, g.alto, g.destra, g.basso, ColoreFondoCurva);
  AsseDelCalo(tela, g);
  AsseDelleOre(tela, curva, fuso, g);
  Segni(tela, marche, g, aspetto.y);
  Curva(tela, curva, g);
  Etichette(tela, marche, aspetto.y);
  const double sotto = g.basso + kTacca + kRigaTesto;
  ScriviTesto(tela, g.sinistra, sotto, TestoCheEntra(Didascalia(curva, fuso), righello), kNero);
  if (troncata) {
    ScriviTesto(tela, g.sinistra, sotto + kRigaTesto,
                TestoCheEntra(NotaTroncata(curva.evento), righello), kNero);
  }
}

}  // namespace mr
