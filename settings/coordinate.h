// The settings dialog "Osservatore - GMR - Delta T": the GRS longitude, the
// observer's position, Delta T and the GRS drift with its reference date,
// shown and saved as the values of "Imp.txt"; the GRS longitude the program
// will use at an instant; and the GRS longitude measured from the user's own
// observation of a transit. This is the dialog's state and handlers; the view
// only mirrors it.
#pragma once

#include "settings/file_impostazioni.h"

#include "ephemeris/calendario.h"

#include <array>
#include <filesystem>
#include <optional>
#include <string>

namespace mr {

// Why a field stops a save.
enum class MotivoCampo {
  NonNumero,        // the text is not a number
  Negativo,         // degrees or minutes of the observer below 0 (the hemisphere gives the sign)
  FuoriIntervallo,  // outside the range of its quantity
  NonData,          // the reference date is not a date GG/MM/AAAA from 1600 to 2999
  SenzaData,        // a drift other than 0 without its reference date
};

struct ErroreCampo {
  int campo;  // 1 to 8: Text1 to Text8
  MotivoCampo motivo;
  bool operator==(const ErroreCampo&) const = default;
};

// The outcome of a save: the first field that fails (then nothing is
// written), or the file that could not be written, or neither.
struct EsitoSalva {
  std::optional<ErroreCampo> campo;
  std::optional<ErroreFile> file;
  bool Salvato() const { return !campo && !file; }
};

// The Italian text of a failed save, naming the field or the file; "" when saved.
std::string TestoEsito(const EsitoSalva& esito);

// The question asked when the dialog closes with unsaved edits, and its answers.
inline constexpr const char* DomandaSalvare = "Salvare le modifiche?";
enum class Risposta { Si, No, Annulla };

// Shown in the dialog after a save, until the next edit.
inline constexpr const char* AvvisoSalvato = "Salvato: vale dal prossimo calcolo";

// Shown in the dialog when a measurement has filled the fields, until the next edit.
inline constexpr const char* AvvisoMisuraUsata =
    "Longitudine e data di riferimento prese dall'osservazione: \"Salva\" le scrive nel file";

// The GRS longitude at the UT Julian day jdRiferimento of a GRS seen on the
// central meridian mc (System II, degrees) at the UT Julian day jdUT, drifting
// by deriva degrees a month of 30.4375 days:
// mc - deriva (jdUT - jdRiferimento) / 30.4375, in degrees [0, 360).
double LongitudineAllaData(double mc, double deriva, double jdUT, double jdRiferimento);

// What stops the measurement of the GRS longitude from an observation.
enum class ProblemaMisura {
  Nessuno,
  Incompleta,       // the date or the time of the observation is still empty
  Data,             // the date is not a date GG/MM/AAAA
  Ora,              // the time is not hh:mm or hh:mm:ss
  FuoriIntervallo,  // the instant, or its date in UT, is not within 1600-2999
  DeltaT,           // Delta T (Text6) does not pass the save's checks
  Deriva,           // the drift (Text7) does not
};

// The GRS longitude measured from the instant the GRS's centre was seen on
// the central meridian, referred to 0h UT of that instant's UT date.
struct MisuraMacchia {
  DataOraUT ut;   // the instant observed, UT
  double MC;      // the precise System II central meridian then, degrees [0, 360)
  double deriva;  // degrees a month (Text7)
  double L0;      // GRS longitude at 0h UT of ut's date, rounded to 0.1°, [0, 360)
  double data;    // that date, AAAAMMGG
};

struct EsitoMisura {
  ProblemaMisura problema = ProblemaMisura::Nessuno;
  std::optional<MisuraMacchia> misura{};  // when problema is Nessuno
};

// The Italian text of a measurement: what was measured and what would be
// stored, or what stops it ("" while the date or the time is empty).
std::string TestoMisura(const EsitoMisura& esito);

class Coordinate {
 public:
  // cartella: the folder that holds "Imp.txt" (the working directory).
  explicit Coordinate(std::filesystem::path cartella);

  // Texts of the fields, in the order of the file. The observer's degrees
  // and minutes are shown positive; Ovest and Sud choose the hemisphere.
  std::string Text1;  // GRS longitude, System II, degrees
  std::string Text2;  // observer's longitude, degrees
  std::string Text3;  // observer's longitude, minutes
  std::string Text4;  // observer's latitude, degrees
  std::string Text5;  // observer's latitude, minutes
  std::string Text6;  // Delta T, seconds
  std::string Text7;  // GRS drift, degrees of System II a month of 30.4375 days
  std::string Text8;  // the date (0h UT) at which Text1 holds, GG/MM/AAAA; "" for none
  bool Ovest = false;  // E / O: the observer is west of Greenwich
  bool Sud = false;    // N / S: the observer is south of the equator

  // "Dalla tua osservazione": the date (GG/MM/AAAA) and time (hh:mm or
  // hh:mm:ss; a point may stand for the colon) at which the user saw the GRS's
  // centre on the central meridian, in the zone UT + ScartoOsservazione hours
  // (0 Tempo Universale, 1 Tempo Medio, 2 Ora Estiva). Not part of the file.
  std::string DataOsservazione;
  std::string OraOsservazione;
  int ScartoOsservazione = 0;

  // What the last load found wrong with "Imp.txt" (missing, short,
  // unreadable, out of range), for the view to show; "" when the file was
  // read whole, and again after a successful save.
  std::string Problema;

  // Whether the dialog is open: set by Form_Load, cleared when it closes.
  bool Aperta = false;

  // Reads "Imp.txt" into the fields; what the file lacks shows the defaults. A
  // position whose degrees and minutes have opposite signs shows their sum.
  // Without drift, Text7 shows 0 and Text8 is empty unless the file gives a date.
  void Form_Load();

  // Checks the fields and saves them as "Imp.txt". A field is a number, with a
  // point or a comma before the decimals, which a blank and words may follow
  // ("25 primi"); the reference date is a date GG/MM/AAAA (or G/M/AAAA, points
  // allowed for the slashes), needed when the drift is not 0. West and south
  // write both parts of the position negative. A drift of 0 writes the six
  // values alone. After a save the fields show the values as stored (so no
  // date without a drift). The dialog stays open.
  EsitoSalva Salva_Click();

  // The GRS longitude that a computation at the UT Julian day jdUT will use
  // with the fields as they stand (Text1 drifting by Text7 from Text8),
  // rounded to 0.1° in [0, 360): nothing while one of the three fails the
  // save's checks.
  std::optional<double> LongitudineMacchiaAl(double jdUT) const;

  // The measurement from the observation fields, with Delta T and the drift
  // of the fields as they stand: the precise central meridian at the
  // instant, referred back to 0h UT of its UT date through the drift.
  EsitoMisura Misura() const;

  // Puts the measurement's longitude into Text1 and its date into Text8 (the
  // drift stays); "Salva" then writes them. False, changing nothing, when
  // there is no measurement.
  bool UsaMisura();

  // Whether the fields (texts and hemispheres) differ from those last loaded or saved.
  bool Modificata() const;

  // Whether the fields are as the last save left them (false before any save).
  bool Salvato() const;

  // The line under the buttons: AvvisoSalvato after a save, AvvisoMisuraUsata
  // after UsaMisura, or the text that names the field that stopped the last
  // save; each until the next edit.
  std::string Stato() const;

  // Whether that line names a field that stopped a save.
  bool StatoErrore() const;

  // OK, Esc or the close box. Without edits the dialog closes. With edits the
  // view asks DomandaSalvare and passes the answer: Sì saves and closes when
  // saved, No closes and drops the edits, Annulla keeps the dialog open.
  // Returns the save's outcome when one was tried.
  std::optional<EsitoSalva> OK_Click(Risposta risposta);

  const std::filesystem::path& Cartella() const { return cartella_; }

 private:
  struct Campi {
    std::array<std::string, 8> testi;
    bool ovest, sud;
    bool operator==(const Campi&) const = default;
  };
  Campi Attuali() const;
  void Mostra(const Impostazioni& imp);
  std::optional<ErroreCampo> Valori(Impostazioni& imp) const;
  std::optional<ErroreCampo> ValoriDeriva(Impostazioni& imp) const;

  enum class TipoStato { Nessuno, Salvato, Errore, Nota };
  void Annota(std::string stato, TipoStato tipo);

  std::filesystem::path cartella_;
  Campi caricati_{};  // as last loaded or saved
  Campi annotati_{};  // as when stato_ was set
  std::string stato_;
  TipoStato tipo_ = TipoStato::Nessuno;
};

}  // namespace mr
