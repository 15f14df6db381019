#include "pianificatore/notte.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "ephemeris/calendario.h"
#include "ephemeris/nomi_satelliti.h"
#include "ephemeris/numeri.h"
#include "pianificatore/etichette.h"

namespace mr {

namespace {

constexpr double kPasso = 5.0 / 1440;  // days between samples
constexpr double kOra = 1.0 / 24;
// The Sun's altitudes that part the states of the sky, degrees, darkest first.
constexpr double kSoglie[] = {-18, -12, -6, 0};

// ---- the night ---------------------------------------------------------------

struct Data {
  int anno, mese, giorno;
};

Data GiornoDopo(Data d, int giorni) {
  const std::optional<DataOraUT> g =
      DataOraAlSecondo(GiornoGiuliano(d.giorno, d.mese, d.anno) + giorni);
  return g ? Data{g->anno, g->mese, g->giorno} : d;
}

// The states of the sky from samples of the Sun's altitude: a state changes
// where a threshold is crossed, found by linear interpolation.
std::vector<Fascia> Fasce(const std::vector<double>& t, const std::vector<double>& sole) {
  std::vector<Fascia> fasce{{t.front(), t.front(), CieloDi(sole.front())}};
  for (std::size_t k = 0; k + 1 < t.size(); ++k) {
    std::vector<double> passaggi;
    for (double soglia : kSoglie) {
      const double a = sole[k] - soglia, b = sole[k + 1] - soglia;
      if ((a <= 0) != (b <= 0)) passaggi.push_back(t[k] + (t[k + 1] - t[k]) * a / (a - b));
    }
    std::sort(passaggi.begin(), passaggi.end());
    for (double p : passaggi) {
      // The state just after the crossing, from the interpolated altitude.
      const double dopo = std::min(p + 1e-9, t[k + 1]);
      const double s = sole[k] + (sole[k + 1] - sole[k]) * (dopo - t[k]) / (t[k + 1] - t[k]);
      fasce.back().fine = p;
      fasce.push_back({p, p, CieloDi(s)});
    }
  }
  fasce.back().fine = t.back();
  std::erase_if(fasce, [](const Fascia& f) { return !(f.fine > f.inizio); });
  return fasce;
}

// ---- the chart ---------------------------------------------------------------

constexpr double kSinistra = 36, kDestra = 36, kRigaTesto = 15, kSotto = 20;
constexpr int kRigheEtichette = 6;  // at most, above the chart
constexpr double kAltezzaMassima = 90, kAltezzaMinimaAsse = -20;
constexpr Colore kNero = RGB(0, 0, 0);

class Grafico {
 public:
  // righe: the rows of labels above the chart, under the title.
  Grafico(const Notte& n, const AspettoNotte& a, int righe)
      : n_(n), a_(a), alto_(kRigaTesto * (1 + righe) + 4) {}
  double X(double jdUT) const {
    return kSinistra + (jdUT - n_.inizio) / (n_.fine - n_.inizio) * (a_.larghezza - kSinistra - kDestra);
  }
  double Y(double altezza) const {
    const double h = std::clamp(altezza, kAltezzaMinimaAsse, kAltezzaMassima);
    return alto_ + (kAltezzaMassima - h) / (kAltezzaMassima - kAltezzaMinimaAsse) *
                       (a_.altezza - alto_ - kSotto);
  }
  double Destra() const { return a_.larghezza - kDestra; }

 private:
  const Notte& n_;
  const AspettoNotte& a_;
  double alto_;
};

void Sfondo(Tela& tela, const Notte& n, const Grafico& g) {
  for (const Fascia& f : n.fasce)
    tela.Riquadro(g.X(f.inizio), g.Y(kAltezzaMassima), g.X(f.fine), g.Y(0), ColoreCielo(f.cielo));
  tela.Riquadro(g.X(n.inizio), g.Y(0), g.X(n.fine), g.Y(kAltezzaMinimaAsse), ColoreTerreno);
}

void AsseAltezze(Tela& tela, const Notte& n, const Grafico& g, double minima) {
  tela.LarghezzaLinea(1);
  for (int h : {30, 60}) tela.Linea(g.X(n.inizio), g.Y(h), g.X(n.fine), g.Y(h), RGB(150, 150, 172));
  for (int h : {0, 30, 60, 90}) {
    const std::string t = std::to_string(h) + "\u00b0";
    ScriviTesto(tela, kSinistra - 4 - LarghezzaStimata(t), g.Y(h) - kRigaTesto / 2, t, kNero);
  }
  tela.Linea(g.X(n.inizio), g.Y(0), g.X(n.fine), g.Y(0), ColoreOrizzonte);
  if (minima > 0) {
    tela.Linea(g.X(n.inizio), g.Y(minima), g.X(n.fine), g.Y(minima), ColoreMinima);
    ScriviTesto(tela, g.Destra() + 4, g.Y(minima) - kRigaTesto / 2, TestoGradi(minima), ColoreMinima);
  }
}

void AsseOre(Tela& tela, const Notte& n, const Grafico& g, double larghezza) {
  // Labels at least 30 pixels apart: every 1, 2, 3, 4 or 6 hours.
  const double ore = (n.fine - n.inizio) * 24;
  int ogni = 1;
  for (int passo : {1, 2, 3, 4, 6}) {
    ogni = passo;
    if ((larghezza - kSinistra - kDestra) / ore * passo >= 30) break;
  }
  const double basso = g.Y(kAltezzaMinimaAsse);
  tela.LarghezzaLinea(1);
  for (const Tacca& t : n.ore) {
    const double x = g.X(t.jdUT);
    const bool etichetta = t.ora % ogni == 0;
    tela.Linea(x, basso, x, basso + (etichetta ? 5 : 3), kNero);
    if (!etichetta) continue;
    char testo[8];
    std::snprintf(testo, sizeof testo, "%02d", t.ora);
    ScriviTesto(tela, x - LarghezzaStimata(testo) / 2, basso + 5, testo, kNero);
  }
}

void Curva(Tela& tela, const Notte& n, const Grafico& g) {
  tela.LarghezzaLinea(2);
  for (std::size_t k = 0; k + 1 < n.giove.size(); ++k) {
    const Campione &a = n.giove[k], &b = n.giove[k + 1];
    if (a.altezza < kAltezzaMinimaAsse && b.altezza < kAltezzaMinimaAsse) continue;
    tela.Linea(g.X(a.jdUT), g.Y(a.altezza), g.X(b.jdUT), g.Y(b.altezza), ColoreGiove);
  }
  tela.LarghezzaLinea(1);
}

// "Io Tr.I", "GRS", "1 O 2".
std::string Etichetta(const RigaPiano& r) {
  const std::string sigla = SiglaRiga(r);
  const Evento* e = r.Fenomeno();
  return e && e->satellite >= 1 && e->satellite <= 4
             ? std::string(NomiSatelliti[e->satellite - 1].nome) + " " + sigla
             : sigla;
}

// An event of the night, the row of its label and where the label starts.
struct Marca {
  const RigaPiano* riga;
  int fila;
  double xTesto;
};

struct Marche {
  std::vector<Marca> marche;
  int file;  // the rows of labels
};

// The events of the night in time order, their labels set in rows above the
// chart.
Marche MarcheDi(const Notte& n, std::span<const RigaPiano> righe, const Grafico& g,
                double larghezza) {
  std::vector<Marca> marche;
  for (const RigaPiano& r : righe)
    if (r.Istante() >= n.inizio && r.Istante() <= n.fine) marche.push_back({&r, 0, 0});
  std::stable_sort(marche.begin(), marche.end(), [](const Marca& x, const Marca& y) {
    return x.riga->Istante() < y.riga->Istante();
  });
  std::vector<MarcaAsse> asse;
  for (const Marca& m : marche)
    asse.push_back({g.X(m.riga->Istante()), LarghezzaStimata(Etichetta(*m.riga))});
  const std::vector<PostoEtichetta> posti = DisponiEtichette(asse, larghezza, kRigheEtichette);
  for (std::size_t i = 0; i < marche.size(); ++i)
    marche[i].fila = posti[i].fila, marche[i].xTesto = posti[i].x;
  return {std::move(marche), FileUsate(posti)};
}

void Eventi(Tela& tela, const std::vector<Marca>& marche, const Grafico& g,
            const AspettoNotte& a) {
  for (const Marca& m : marche) {
    const RigaPiano& r = *m.riga;
    const double x = g.X(r.Istante());
    const double yTesto = kRigaTesto * (1 + m.fila);
    const bool scelto = a.scelto && std::abs(*a.scelto - r.Istante()) < 1e-9;
    const Colore colore = r.osservabile ? ColoreGenere(GenereDi(r)) : ColoreNonOsservabile;
    tela.LarghezzaLinea(scelto ? 3 : 1);
    tela.Linea(x, yTesto + 2, x, g.Y(kAltezzaMinimaAsse), colore);
    tela.LarghezzaLinea(1);
    tela.Riempimento(colore);
    tela.Cerchio(x, g.Y(r.AltGiove()), 3.5, kNero, 1);
    ScriviTesto(tela, m.xTesto, yTesto, Etichetta(r), r.osservabile ? kNero : ColoreNonOsservabile);
  }
}

}  // namespace

std::optional<Notte> NotteDi(double jdUT, const FusoOrario& fuso, const Sito& sito,
                             double deltaT) {
  const std::optional<OraLocale> adesso = fuso.Locale(jdUT);
  if (!adesso) return std::nullopt;
  Data giorno{adesso->anno, adesso->mese, adesso->giorno};
  if (adesso->ore < 12) giorno = GiornoDopo(giorno, -1);
  const Data dopo = GiornoDopo(giorno, 1);
  const std::optional<double> inizio = IstanteLocale(fuso, giorno.anno, giorno.mese, giorno.giorno, 12);
  const std::optional<double> fine = IstanteLocale(fuso, dopo.anno, dopo.mese, dopo.giorno, 12);
  if (!inizio || !fine || !(*fine > *inizio) || !IstanteAmmesso(*inizio) || !IstanteAmmesso(*fine))
    return std::nullopt;

  Notte n{*inizio, *fine, giorno.anno, giorno.mese, giorno.giorno, {}, {}, {}};
  const int passi = static_cast<int>(std::ceil((n.fine - n.inizio) / kPasso));
  const Pianeti pianeti(GiorniTT({n.inizio, deltaT}) - 1, GiorniTT({n.fine, deltaT}) + 1);
  const Orizzonte orizzonte(sito);
  std::vector<double> t, sole;
  for (int k = 0; k <= passi; ++k) {
    const double istante = n.inizio + (n.fine - n.inizio) * k / passi;
    const Altezze a = AltezzeAllIstante(orizzonte, pianeti, {istante, deltaT});
    t.push_back(istante);
    sole.push_back(a.sole);
    n.giove.push_back({istante, a.giove});
  }
  n.fasce = Fasce(t, sole);
  // The local noon is a whole hour of the clock, and so is every hour after
  // it, whatever the clocks do meanwhile.
  for (double h = n.inizio + kOra; h < n.fine - kOra / 2; h += kOra)
    if (const std::optional<OraLocale> o = fuso.Locale(h)) n.ore.push_back({h, o->ore});
  return n;
}

std::string TitoloNotte(const Notte& notte) {
  const Data prima{notte.anno, notte.mese, notte.giorno}, dopo = GiornoDopo(prima, 1);
  return "Notte tra " + PrimaDelGiorno("il", prima.giorno) +
         TestoData(prima.anno, prima.mese, prima.giorno) + " e " +
         PrimaDelGiorno("il", dopo.giorno) + TestoData(dopo.anno, dopo.mese, dopo.giorno);
}

std::vector<RigheDellaNotte> RighePerNotte(std::span<const RigaPiano> righe,
                                           const FusoOrario& fuso) {
  std::vector<RigheDellaNotte> notti;
  double giornoNotte = NAN;  // Julian day of the local date of the night's first noon
  bool tenuta = false;       // the group of row i has a night
  for (std::size_t i = 0; i < righe.size(); ++i) {
    if (i == 0 || righe[i].gruppo != righe[i - 1].gruppo) {
      const std::optional<OraLocale> o = fuso.Locale(righe[i].Istante());
      tenuta = o.has_value();
      if (!tenuta) continue;
      const double giorno = GiornoGiuliano(o->giorno, o->mese, o->anno) - (o->ore < 12 ? 1 : 0);
      if (notti.empty() || giorno != giornoNotte) notti.push_back({righe[i].Istante(), {}});
      giornoNotte = giorno;
    }
    if (tenuta) notti.back().righe.push_back(righe[i]);
  }
  return notti;
}

// Bright enough by day, and in night vision, which keeps only the brightness,
// each state darker than the one before and all of them darker than Jupiter's
// curve.
Colore ColoreCielo(Cielo c) {
  switch (c) {
    case Cielo::Notte: return RGB(10, 14, 40);
    case Cielo::CrepuscoloAstronomico: return RGB(26, 38, 92);
    case Cielo::CrepuscoloNautico: return RGB(44, 68, 128);
    case Cielo::CrepuscoloCivile: return RGB(66, 98, 156);
    case Cielo::Giorno: break;
  }
  return RGB(88, 132, 184);
}

Colore ColoreGenere(Genere g) {
  switch (g) {
    case Genere::Macchia: return RGB(255, 70, 70);
    case Genere::Transiti: return RGB(110, 220, 255);
    case Genere::Ombre: return RGB(200, 130, 255);
    case Genere::Occultazioni: return RGB(120, 240, 120);
    case Genere::Eclissi: return RGB(255, 240, 120);
    case Genere::Mutui: break;
  }
  return RGB(255, 150, 210);
}

void DisegnaNotte(Tela& tela, const Notte& notte, std::span<const RigaPiano> righe,
                  const AspettoNotte& aspetto) {
  // The labels take as many rows as they need; the chart the height left.
  const auto [marche, file] = MarcheDi(notte, righe, Grafico(notte, aspetto, 0), aspetto.larghezza);
  const Grafico g(notte, aspetto, file);
  tela.Scala(0, 0, aspetto.larghezza, aspetto.altezza);
  tela.Cls();
  Sfondo(tela, notte, g);
  AsseAltezze(tela, notte, g, aspetto.altezzaMinima);
  AsseOre(tela, notte, g, aspetto.larghezza);
  Curva(tela, notte, g);
  Eventi(tela, marche, g, aspetto);
  ScriviTesto(tela, kSinistra, 0, TestoCheEntra(aspetto.titolo, aspetto.larghezza - kSinistra), kNero);
}

}  // namespace mr
