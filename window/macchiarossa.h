// The main window MacchiaRossa as a model: the texts of its fields, its check
// boxes and option buttons, its labels, its window-level values and the
// drawings of its picture area Zorva and of the satellite panel. The handlers
// and procedures read and write this state; the Qt view only shows it.
#pragma once
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "ephemeris/effemeride_precisa.h"
#include "ephemeris/eventi.h"
#include "ephemeris/solepianeta.h"
#include "window/posizioni.h"
#include "window/tela.h"

namespace mr {

struct Campo {
  std::string Text;
  std::string ToolTipText;
};

struct Casella {
  int Value;        // 1 ticked, 0 not
  Colore ForeColor; // caption colour
};

struct Etichetta {
  std::string Caption;
  Colore BackColor = ColoreFacciata;
};

// The satellite panel frmSatelliti.
struct PannelloSatelliti {
  bool esiste = false;  // created on first use
  bool Visible = false;
  std::string Caption = "Posizione dei satelliti :";
  Colore BackColor = ColoreFacciata;
  Etichetta Visibilita;  // the label Visibilità
  Etichetta Elevazione;
  TelaRegistrata disegno;
  // The enlarged view of a mutual event (window/ingrandimento.h), drawn in its
  // own scale with the precise ephemeris when a pair is near; empty otherwise.
  TelaRegistrata ingrandimento;
};

// What the model needs from its surroundings.
class Ambiente {
 public:
  virtual ~Ambiente() = default;
  // A short non-modal notice to the user.
  virtual void Avviso(const std::string& testo) = 0;
  // The present instant in Universal Time, to the second (the system clock's).
  virtual std::chrono::sys_seconds AdessoUT() {
    return std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now());
  }
};

// The notice given when the fields hold an instant the program does not compute.
inline constexpr const char* AvvisoFuoriIntervallo =
    "Data fuori dall'intervallo 1600-2999: nessun calcolo";

// What a command came to: done, or refused (then nothing was computed).
enum class Esito {
  Eseguito,
  FuoriIntervallo,    // the fields hold an instant outside 1600-2999
  MinutiNonNumerici,  // a minute step with a "Minuti" field that is not a number
};

// The time in which System II turns 5 degrees (5 / 870.27 day): one frame of
// the animation.
inline constexpr double PassoGiorni = 0.005745343;

// Why an animation ended.
enum class Arresto {
  InCorso,          // not ended yet (or never started)
  Macchia,          // the GRS within 2.5 degrees of the central meridian
  EclisseTrovata,   // the satellite panel announced an eclipse
  Fine,             // the last frame was run
  Utente,           // stopped by the user
  FuoriIntervallo,  // the next frame would leave 1600-2999
  OmbraIo,          // a shadow near the central meridian, satellite by satellite
  OmbraEuropa,
  OmbraGanimede,
  OmbraCallisto,
};
// The shadow stop of satellite i (0 Io .. 3 Callisto), and back: the satellite
// of a shadow stop, -1 for any other reason.
Arresto ArrestoOmbra(int i);
int SatelliteDellArresto(Arresto a);

class MacchiaRossa {
 public:
  // cartella: where Imp.txt and IOra.txt live. scriviFile: whether the model
  // writes them (a missing Imp.txt with the default values, IOra.txt on a zone
  // choice); the window does, the headless front never writes a file.
  MacchiaRossa(std::filesystem::path cartella, Ambiente& ambiente, bool scriviFile = true);

  // ---- controls -------------------------------------------------------
  Campo Giorno, Mese, Anno, Ore, Minuti;
  Campo Longitudine, MC, DiametroA, De, Sorgere, Culmine, Tramonto, Massimo;
  bool OE = false, TM = true, TU = false;  // option buttons
  Casella Macchia, Rivoluzione, Griglia, Cielo, IO, Europa, Ganimede, Callisto;
  int Velocita = 1;  // the scroll bar Velocità, 1 to 100
  TelaRegistrata Zorva;
  PannelloSatelliti frmSatelliti;

  // ---- window-level values -------------------------------------------
  float ScartoOra = 0;        // zone offset minus one hour: -1 TU, 0 TM, +1 OE
  float ScartoOraGiorno = 0;  // ScartoOra / 24
  double LongGradi = 0, LongPrimi = 0, LatGradi = 0, LatPrimi = 0;
  std::int16_t EclisseTrovata = 0;
  double AltezzaSole = 0;
  // MC, De, the satellites, their shadows and eclipses from the precise
  // ephemeris at the instant, the animation's meridian computed at every frame;
  // off, the short series as always.
  bool AltaPrecisione = false;

  // Central meridian and GRS longitude of the latest drawing, for the
  // rendered picture of Jupiter behind Zorva (valid after the first drawing).
  bool sfondoValido = false;
  double omegaSfondo = 0, LSfondo = 0;
  bool sfondoPreciso = false;  // that drawing came from the precise ephemeris

  // ---- handlers ------------------------------------------------------
  void Form_Load();
  void Calcola_Click();
  void TReale_Click();
  void Piu_Click();     // Più
  void Meno_Click();
  void Piu10_Click();   // Più10
  void Meno10_Click();
  void OE_Click();
  void TM_Click();
  void TU_Click();
  void Velocita_Change(int valore);
  void Zorva_Click();
  void Zorva_DblClick();
  void IO_Click();
  void Europa_Click();
  void Ganimede_Click();
  void Callisto_Click();
  // The check box of satellite i (0 Io .. 3 Callisto) and its click.
  Casella& CasellaSatellite(int i);
  void CasellaSatellite_Click(int i);
  void mSatelliti_Click();
  // What the latest command came to.
  Esito EsitoComando() const { return esito_; }
  // Shows an instant, as Tempo reale shows the clock's: the fields take it in
  // the ticked zone, seconds dropped, and the computation runs.
  void MostraIstanteUT(std::chrono::sys_seconds istante);
  // The instant of the fields in the ticked zone, as a UT Julian day; nothing
  // when it lies outside 1600-2999.
  std::optional<double> IstanteCampiUT() const;

  // ---- animation -----------------------------------------------------
  // Starts the animation (start steps); false when the instant is refused.
  bool MeridianoA_Avvia();
  // Runs one frame; false when the animation has ended (then Arresto() says
  // why). An animation that would go past 2999 ends before that frame, with
  // the notice given once; the last frame computed stays.
  bool MeridianoA_Fotogramma();
  // Ends a running animation at once, leaving everything as the last frame left it.
  void MeridianoA_Ferma();
  // The whole animation without delays (headless).
  void MeridianoA();
  bool AnimazioneInCorso() const { return animazione_.inCorso; }
  int Fotogramma() const { return animazione_.f; }
  mr::Arresto Arresto() const { return animazione_.arresto; }
  // Delay count of the frame just run: microseconds to wait before the next
  // frame (1000000 / v, 10000 when Macchia is not ticked); Intervallo writes Massimo.
  double Intervallo();
  double RitardoMicrosecondi() const { return animazione_.ritardo; }

  // ---- procedures ----------------------------------------------------
  void Meridiano();
  void DIAMETRO();
  void Transito(double longGradi, double longPrimi, double latGradi, double latPrimi);
  void TEMPOM(double passi, double giorno, double mese, double anno, double ora, double minuti);
  // Draws the satellites and their shadows on Zorva; returns their positions
  // at the disk's scale (the satellites' shadows and halves for the stops).
  PosizioniDisegno Ombre();

 private:
  struct StatoAnimazione {
    bool inCorso = false;
    int f = 0;
    Istante istante{};
    double jdInizio = 0;  // UT Julian day of the start; frame f is f steps later
    double omega = 0, L = 0;
    Colore ColoreCielo = 0;
    double ritardo = 0;
    mr::Arresto arresto = mr::Arresto::InCorso;
  };

  struct LetturaCampi {
    double giorno, mese, anno, ore, minuti;
  };
  LetturaCampi LeggiCampi() const;
  // Ends the animation for that reason; returns false, the frame's result.
  bool Termina(mr::Arresto motivo);
  bool IstanteNelCampo();
  void LeggiImpostazioni();
  void PassoMinuti(double k);
  void Zona(float scarto);
  void RicordaZona(double valore);
  void StatoCielo(Colore& coloreCielo);
  void PassoSatelliti(Colore& coloreCielo);
  void DipingiCielo(Colore coloreCielo);
  void MarcatorePannello(double a);
  void MarcatoreDisco(double a, double q, bool disegna);
  void MostraMC(double omega);
  void ArrotondaDe();
  void CreaPannello();
  // The Red Spot's longitude at the UT Julian day into Longitudine, to 0.1
  // degree, when Imp.txt gives it a drift; whether it did.
  bool MostraMacchia(double jdUT);

  // The satellites for the panel (De rounded to 0.01 at once) or the disk
  // (De rounded when Ombre ends), from the chosen ephemeris.
  enum class Scala { Pannello, Disco };
  PosizioniDisegno PosizioniSatelliti(Scala scala);
  // The instant of the precise ephemeris: the frame's during an animation,
  // the fields' otherwise; Delta T from the latest reading of Imp.txt.
  IstanteUT IstanteDelCalcolo() const;
  // The precise ephemeris at t; the latest two instants are kept, as one
  // computation asks for the same instant several times.
  PosizioniPrecise Precise(IstanteUT t);

  std::filesystem::path cartella_;
  Ambiente& ambiente_;
  bool scriviFile_;
  bool avvisoImpDato_ = false;
  std::optional<double> zonaRicordata_;  // the value IOra.txt holds, as far as known
  Esito esito_ = Esito::Eseguito;
  double deltaT_ = 0;  // seconds, from the latest reading of Imp.txt
  ModelloMacchia macchia_;  // the Red Spot of that reading
  struct PosizioniMemorizzate {
    bool piena = false;
    IstanteUT t{};
    PosizioniPrecise p{};
  };
  PosizioniMemorizzate memoria_[2];
  StatoAnimazione animazione_;
};

}  // namespace mr
