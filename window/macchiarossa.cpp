#include "window/macchiarossa.h"

#include <cmath>
#include <cstdio>

#include "ephemeris/calendario.h"
#include "ephemeris/numeri.h"
#include "ephemeris/orbita.h"
#include "ephemeris/transito.h"
#include "settings/file_impostazioni.h"

namespace mr {

namespace {
constexpr const char* AvvisoMinuti = "Il campo \"Minuti\" deve contenere un numero: comando ignorato";
}  // namespace

MacchiaRossa::MacchiaRossa(std::filesystem::path cartella, Ambiente& ambiente,
                           bool scriviFile)
    : Giorno{"", ""},
      Mese{"", ""},
      Anno{"1999", ""},
      Ore{"0", ""},
      Minuti{"0", ""},
      Longitudine{"", "Longitudine in gradi della macchia rossa nel sistema II"},
      MC{"", "Longitudine in gradi del meridiano centrale di Zorva nel sistema II"},
      DiametroA{"", "Diametro angolare di Zorva in secondi d'arco"},
      De{"", "Declinazione della Terra in gradi"},
      Macchia{1, RGB(255, 0, 0)},
      Rivoluzione{1, RGB(64, 64, 0)},
      Griglia{0, RGB(128, 64, 0)},
      Cielo{1, RGB(0, 128, 128)},
      IO{1, RGB(192, 0, 0)},
      Europa{1, RGB(192, 0, 0)},
      Ganimede{1, RGB(192, 0, 0)},
      Callisto{1, RGB(192, 0, 0)},
      cartella_(std::move(cartella)),
      ambiente_(ambiente),
      scriviFile_(scriviFile) {}

// ---- start-up and settings ------------------------------------------------

void MacchiaRossa::Form_Load() {
  Massimo.Text = "100";
  Velocita_Change(100);

  if (scriviFile_) RimuoviTemporanei(cartella_);
  if (scriviFile_ && LeggiImp(cartella_).mancante) {
    std::optional<ErroreFile> errore = ScriviImp(cartella_, ImpostazioniPredefinite);
    ambiente_.Avviso(errore ? TestoErrore(*errore)
                            : "Il file Imp.txt mancava: ho scritto le impostazioni predefinite "
                              "(Macchia Rossa a 98°, osservatore a 12° 30' E e 41° 54' N, "
                              "Delta T 69 s). Si possono cambiare in Impostazioni.");
  }
  LeggiImpostazioni();

  // The zone as the file remembers it; the file is left as it is.
  LetturaIOra ora = LeggiIOra(cartella_);
  if (ora.errore) ambiente_.Avviso(TestoErrore(*ora.errore));
  zonaRicordata_ = ora.valore;
  if (ora.valore == 1.0)
    Zona(1);
  else if (ora.valore == 0.0)
    Zona(0);

  TReale_Click();
}

void MacchiaRossa::LeggiImpostazioni() {
  LetturaImp lettura = LeggiImp(cartella_);
  if (lettura.mancante && !avvisoImpDato_) {
    avvisoImpDato_ = true;
    ambiente_.Avviso(AvvisoImpMancante);
  } else if (!lettura.errori.empty() && !avvisoImpDato_) {
    avvisoImpDato_ = true;
    ambiente_.Avviso(TestoErrori(lettura));
  }
  const Impostazioni& imp = lettura.imp;
  Longitudine.Text = TestoNumero(imp.longitudineMacchia);
  macchia_ = ModelloMacchiaDi(imp);
  LongGradi = imp.longGradi;
  LongPrimi = imp.longPrimi;
  LatGradi = imp.latGradi;
  LatPrimi = imp.latPrimi;
  deltaT_ = imp.deltaT;
}

bool MacchiaRossa::MostraMacchia(double jdUT) {
  if (macchia_.deriva == 0) return false;
  Longitudine.Text = TestoNumero(AngoloAlDecimo(LongitudineMacchia(macchia_, jdUT)));
  return true;
}

MacchiaRossa::LetturaCampi MacchiaRossa::LeggiCampi() const {
  return {LeggiNumero(Giorno.Text), LeggiNumero(Mese.Text), LeggiNumero(Anno.Text),
          LeggiNumero(Ore.Text), LeggiNumero(Minuti.Text)};
}

std::optional<double> MacchiaRossa::IstanteCampiUT() const {
  LetturaCampi c = LeggiCampi();
  double JD = GiornoGiuliano(c.giorno, c.mese, c.anno, c.ore - 1 - ScartoOra, c.minuti);
  if (!IstanteAmmesso(JD)) return std::nullopt;
  return JD;
}

// Every command checks the instant of the fields first: a refusal is its outcome.
bool MacchiaRossa::IstanteNelCampo() {
  if (IstanteCampiUT()) {
    esito_ = Esito::Eseguito;
    return true;
  }
  esito_ = Esito::FuoriIntervallo;
  ambiente_.Avviso(AvvisoFuoriIntervallo);
  return false;
}

// ---- commands -------------------------------------------------------------

void MacchiaRossa::Calcola_Click() { Meridiano(); }
void MacchiaRossa::Zorva_DblClick() { Meridiano(); }

void MacchiaRossa::TReale_Click() { MostraIstanteUT(ambiente_.AdessoUT()); }

// The instant, in Universal Time, goes into the fields in the civil time of
// the ticked zone (UT + 1 + ScartoOra hours), seconds dropped, as two- and
// four-digit texts with their leading zeros ("05", "2001").
void MacchiaRossa::MostraIstanteUT(std::chrono::sys_seconds istante) {
  using namespace std::chrono;
  const sys_seconds civile = istante + hours(std::lround(1 + ScartoOra));
  const sys_days giorno = floor<days>(civile);
  const year_month_day data(giorno);
  const hh_mm_ss<seconds> ora(civile - giorno);
  const auto cifre = [](long valore, int quante) {
    char buf[24];
    std::snprintf(buf, sizeof buf, "%0*ld", quante, valore);
    return std::string(buf);
  };
  Giorno.Text = cifre(static_cast<unsigned>(data.day()), 2);
  Mese.Text = cifre(static_cast<unsigned>(data.month()), 2);
  Anno.Text = cifre(static_cast<int>(data.year()), 4);
  Ore.Text = cifre(ora.hours().count(), 2);
  Minuti.Text = cifre(ora.minutes().count(), 2);
  Meridiano();
}

void MacchiaRossa::Piu_Click() { PassoMinuti(1); }
void MacchiaRossa::Meno_Click() { PassoMinuti(-1); }
void MacchiaRossa::Piu10_Click() { PassoMinuti(10); }
void MacchiaRossa::Meno10_Click() { PassoMinuti(-10); }

void MacchiaRossa::PassoMinuti(double k) {
  double minuti = 0;
  if (!LeggiNumeroStretto(Minuti.Text, minuti)) {
    esito_ = Esito::MinutiNonNumerici;
    ambiente_.Avviso(AvvisoMinuti);
    return;
  }
  Minuti.Text = TestoNumero(minuti + k);
  if (!IstanteNelCampo()) return;
  Meridiano();
  if (Rivoluzione.Value == 1) mSatelliti_Click();
  Meridiano();
}

void MacchiaRossa::Zona(float scarto) {
  ScartoOra = scarto;
  ScartoOraGiorno = scarto / 24.0f;
  OE = scarto == 1;
  TM = scarto == 0;
  TU = scarto == -1;
}

void MacchiaRossa::OE_Click() {
  RicordaZona(1);
  Zona(1);
}

void MacchiaRossa::TM_Click() {
  RicordaZona(0);
  Zona(0);
}

// IOra.txt remembers summer (1) or mean (0) time between runs; it is written
// only when the choice differs from what it holds.
void MacchiaRossa::RicordaZona(double valore) {
  if (!scriviFile_ || zonaRicordata_ == valore) return;
  if (std::optional<ErroreFile> errore = ScriviIOra(cartella_, valore))
    ambiente_.Avviso(TestoErrore(*errore));
  else
    zonaRicordata_ = valore;
}

void MacchiaRossa::TU_Click() { Zona(-1); }

void MacchiaRossa::Velocita_Change(int valore) {
  Velocita = valore;
  Massimo.Text = TestoNumero(valore);
}

void MacchiaRossa::IO_Click() { CasellaSatellite_Click(0); }
void MacchiaRossa::Europa_Click() { CasellaSatellite_Click(1); }
void MacchiaRossa::Ganimede_Click() { CasellaSatellite_Click(2); }
void MacchiaRossa::Callisto_Click() { CasellaSatellite_Click(3); }

// An unticked satellite box turns its caption a darker red; ticking it again
// leaves the colour as it is.
void MacchiaRossa::CasellaSatellite_Click(int i) {
  Casella& c = CasellaSatellite(i);
  if (c.Value == 0) c.ForeColor = RGB(200, 0, 0);
}

Casella& MacchiaRossa::CasellaSatellite(int i) {
  Casella* caselle[4] = {&IO, &Europa, &Ganimede, &Callisto};
  return *caselle[i];
}

// ---- procedures writing the output fields --------------------------------

void MacchiaRossa::TEMPOM(double passi, double giorno, double mese, double anno, double ora,
                          double minuti) {
  DataCivile data = mr::TEMPOM(passi, giorno, mese, anno, ora, minuti, ScartoOra);
  Giorno.Text = TestoNumero(data.giorno);
  Mese.Text = TestoNumero(data.mese);
  Anno.Text = TestoNumero(data.anno);
  Ore.Text = TestoNumero(data.ore);
  Minuti.Text = TestoNumero(data.minuti);
}

void MacchiaRossa::DIAMETRO() {
  LetturaCampi c = LeggiCampi();
  DiametroA.Text = TestoDiametro(DiametroApparente(c.giorno, c.mese, c.anno));
}

void MacchiaRossa::Transito(double longGradi, double longPrimi, double latGradi,
                            double latPrimi) {
  LetturaCampi c = LeggiCampi();
  RisultatoTransito t = mr::Transito(c.giorno, c.mese, c.anno, c.ore, c.minuti, ScartoOra,
                                     {longGradi, longPrimi, latGradi, latPrimi});
  Culmine.Text = t.culmine;
  Sorgere.Text = t.sorgere;
  Tramonto.Text = t.tramonto;
  std::string avviso;
  if (t.visibilita == Visibilita::SempreSopra)
    avviso = "Zorva resta sopra l'orizzonte tutto il giorno";
  else if (t.visibilita == Visibilita::SempreSotto)
    avviso = "Zorva resta sotto l'orizzonte tutto il giorno";
  Sorgere.ToolTipText = avviso;
  Tramonto.ToolTipText = avviso;
  CreaPannello();
  frmSatelliti.Elevazione.Caption = Cielo.Value == 1 ? TestoAltezza(t.altezza) : "";
}

void MacchiaRossa::CreaPannello() { frmSatelliti.esiste = true; }

}  // namespace mr
