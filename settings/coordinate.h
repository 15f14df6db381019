// The settings dialog "Osservatore - GMR - Delta T": the GRS longitude, the
// observer's position and Delta T, shown and saved as the six values of
// "Imp.txt"; the file's GRS drift and its date, not shown, are saved again as
// loaded. This is the dialog's state and handlers; the view only mirrors it.
#pragma once

#include "settings/file_impostazioni.h"

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
};

struct ErroreCampo {
  int campo;  // 1 to 6: Text1 to Text6
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


class Coordinate {
 public:
  // cartella: the folder that holds "Imp.txt" (the working directory).
  explicit Coordinate(std::filesystem::path cartella);

  // Texts of the six fields, in the order of the file. The observer's degrees
  // and minutes are shown positive; Ovest and Sud choose the hemisphere.
  std::string Text1;  // GRS longitude, System II, degrees
  std::string Text2;  // observer's longitude, degrees
  std::string Text3;  // observer's longitude, minutes
  std::string Text4;  // observer's latitude, degrees
  std::string Text5;  // observer's latitude, minutes
  std::string Text6;  // Delta T, seconds
  bool Ovest = false;  // E / O: the observer is west of Greenwich
  bool Sud = false;    // N / S: the observer is south of the equator

  // What the last load found wrong with "Imp.txt" (missing, short,
  // unreadable, out of range), for the view to show; "" when the file was
  // read whole, and again after a successful save.
  std::string Problema;

  // Whether the dialog is open: set by Form_Load, cleared when it closes.
  bool Aperta = false;

  // Reads "Imp.txt" into the fields; what the file lacks shows the defaults. A
  // position whose degrees and minutes have opposite signs shows their sum.
  void Form_Load();

  // Checks the fields and saves them as "Imp.txt", with the drift and its date
  // as loaded (so a file with a drift keeps it). A field is a number, with a
  // point or a comma before the decimals, which a blank and words may follow
  // ("25 primi"). West and south write both parts of the position negative.
  // After a save the fields show the numbers as stored. The dialog stays open.
  EsitoSalva Salva_Click();

  // Whether the fields (texts and hemispheres) differ from those last loaded or saved.
  bool Modificata() const;

  // Whether the fields are as the last save left them (false before any save).
  bool Salvato() const;

  // The line under the buttons: AvvisoSalvato after a save, or the text that
  // names the field that stopped the last save; either until the next edit.
  std::string Stato() const;

  // OK, Esc or the close box. Without edits the dialog closes. With edits the
  // view asks DomandaSalvare and passes the answer: Sì saves and closes when
  // saved, No closes and drops the edits, Annulla keeps the dialog open.
  // Returns the save's outcome when one was tried.
  std::optional<EsitoSalva> OK_Click(Risposta risposta);

  const std::filesystem::path& Cartella() const { return cartella_; }

 private:
  struct Campi {
    std::array<std::string, 6> testi;
    bool ovest, sud;
    bool operator==(const Campi&) const = default;
  };
  Campi Attuali() const;
  void Mostra(const Impostazioni& imp);
  std::optional<ErroreCampo> Valori(Impostazioni& imp) const;

  void Annota(std::string stato, bool salvato);

  std::filesystem::path cartella_;
  double derivaMacchia_ = 0, dataMacchia_ = 0;  // as loaded, written back by each save
  Campi caricati_{};  // as last loaded or saved
  Campi annotati_{};  // as when stato_ was set
  std::string stato_;
  bool salvato_ = false;
};

}  // namespace mr
