// The program's own choices beyond "Imp.txt" and "IOra.txt" (the planner's,
// the eyepiece's orientation, night vision, the precise ephemeris), kept in
// one small file of the settings folder, "MacchiaRossa.ini":
//
//   [Sezione]
//   chiave=valore
//
// Keys are named "Sezione/chiave". Values are single lines of text; each part
// of the program reads its own keys through the typed readers below, which
// fall back to the caller's default for a missing or unusable value, so a
// damaged file never stops the program. The file is replaced atomically, as
// the other settings files are, and what the program does not know is kept.
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "settings/file_impostazioni.h"

namespace mr {

class Preferenze {
 public:
  // The text of a key, if present.
  std::optional<std::string> Testo(std::string_view chiave) const;
  std::string Testo(std::string_view chiave, std::string_view predefinito) const;
  // "1" or "0" ("true" and "false" too); anything else gives predefinito.
  bool Booleano(std::string_view chiave, bool predefinito) const;
  // A whole number in [minimo, massimo]; anything else gives predefinito.
  int Intero(std::string_view chiave, int predefinito, int minimo, int massimo) const;
  // A finite number (point as decimal separator) in [minimo, massimo]; anything
  // else gives predefinito.
  double Numero(std::string_view chiave, double predefinito, double minimo, double massimo) const;

  // Sets a key ("Sezione/chiave"); line ends in valore become blanks. A key
  // without a section, or with characters an INI line cannot hold ('=', '[',
  // ']' or a line end), is not stored.
  void Imposta(std::string_view chiave, std::string_view valore);
  void ImpostaBooleano(std::string_view chiave, bool valore);
  void ImpostaNumero(std::string_view chiave, double valore);
  // Sets every key of altre over these.
  void Unisci(const Preferenze& altre);

  // The file's text: sections in name order, keys in name order, LF line ends.
  std::string TestoFile() const;
  // Reads a file's text; lines that are not "chiave=valore" under a section
  // are skipped.
  static Preferenze DaTesto(std::string_view testo);

  bool operator==(const Preferenze&) const = default;

 private:
  std::map<std::string, std::string, std::less<>> voci_;  // "Sezione/chiave" -> valore
};

struct LetturaPreferenze {
  Preferenze preferenze;             // empty when the file is missing or unreadable
  std::optional<ErroreFile> errore;  // none when read, or when the file is missing
};

// Reads "MacchiaRossa.ini" of cartella (found without regard to case).
LetturaPreferenze LeggiPreferenze(const std::filesystem::path& cartella);

// Replaces "MacchiaRossa.ini" of cartella. Returns nothing on success.
std::optional<ErroreFile> ScriviPreferenze(const std::filesystem::path& cartella,
                                           const Preferenze& preferenze);

// Reads the file, sets the keys of modifiche over what it holds and writes it
// back, so that what another window stored meanwhile stays. An unreadable file
// is not overwritten: its error comes back and nothing is written.
std::optional<ErroreFile> AggiornaPreferenze(const std::filesystem::path& cartella,
                                             const Preferenze& modifiche);

}  // namespace mr
