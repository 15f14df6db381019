// The two settings files of the working directory.
//
// "Imp.txt" holds six numbers: the Great Red Spot's System II longitude, the
// observer's longitude (degrees, minutes), latitude (degrees, minutes) and
// Delta T = TE - TU in seconds; and, when the Red Spot drifts, two more: the
// drift in degrees of System II per month of 30.4375 days and the date at
// which the longitude holds, AAAAMMGG at 0h UT ("85,12,30,41,54,69,1.5,20260301").
// "IOra.txt" holds 1 for summer time or 0 for mean time.
//
// Both files are one record of numbers with the point as decimal separator,
// whole numbers without decimals, separated by commas without blanks and
// ended by CR LF ("23,14,25,40,38,64\r\n"). When reading, commas, blanks, tabs
// and line ends all separate values; a run of them counts as one separator.
//
// File names are looked up without regard to case: an existing "imp.TXT" is
// the file, both for reading and for writing. Every write replaces the file
// atomically, so a failed write leaves the old file as it was (an interrupted
// one may leave a temporary file, which RimuoviTemporanei removes).
//
// Nothing here shows anything or throws: problems come back as values
// (ErroreFile), and TestoErrore makes the Italian text that the caller shows.
#pragma once

#include "settings/impostazioni.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace mr {

inline constexpr std::string_view NomeImp = "Imp.txt";
inline constexpr std::string_view NomeIOra = "IOra.txt";
// The program's other choices (settings/preferenze.h).
inline constexpr std::string_view NomePreferenze = "MacchiaRossa.ini";

// Why a settings file was not read whole, or not written.
enum class Accesso { Lettura, Scrittura };
enum class Causa {
  Sistema,           // the system's error code says why
  NonFileOrdinario,  // a pipe, a device or a socket stands at the name
  FileSolaLettura,   // writing: the file has no write permission
  NonNumero,         // reading: a text that is not a number stopped the reading
  Corto,             // reading: the file ends before the values expected
  FuoriIntervallo,   // reading: values outside their ranges, taken as unreadable
  DerivaIllegibile,  // reading: after the six values, not a drift and its date
};

struct ErroreFile {
  std::string file{};              // the file's name as found in the folder
  Accesso accesso = Accesso::Lettura;
  Causa causa = Causa::Sistema;
  std::error_code codice{};        // Causa::Sistema
  std::string testo{};             // Causa::NonNumero, and DerivaIllegibile when one
                                   // stopped the reading: the text found instead of a number
  std::size_t letti = 0;           // reading: values read
  std::size_t attesi = 0;          // reading: values the whole file holds
  std::vector<Grandezza> fuori{};  // Causa::FuoriIntervallo: the quantities
};

// The Italian text of a problem, naming the file and the reason. For a file of
// several values it also says that the values not read take their defaults.
std::string TestoErrore(const ErroreFile& errore);

struct LetturaImp {
  Impostazioni imp;                // values read; defaults for the others
  bool mancante = false;           // the file does not exist
  std::vector<ErroreFile> errori;  // none when read whole (or missing)
};

// Reads "Imp.txt" of cartella. A missing file gives the defaults with mancante
// set and no errori. A file that cannot be read, or that holds fewer than six
// numbers, gives what it holds followed by defaults, and an errore says why.
// Six numbers alone mean no drift. After them, a drift without its date or a
// text that is not a number leaves the drift at its default (none), and an
// errore (Causa::DerivaIllegibile) says so; anything after eight numbers is
// not read. A quantity outside its range is as unreadable: it takes its
// default, and an errore (Causa::FuoriIntervallo) names it.
LetturaImp LeggiImp(const std::filesystem::path& cartella);

// The Italian text of the problems of a reading of "Imp.txt", one a line; ""
// when there are none (a missing file is for the caller to word).
std::string TestoErrori(const LetturaImp& lettura);

// The notice for a computation made without "Imp.txt".
inline constexpr const char* AvvisoImpMancante =
    "Il file Imp.txt non esiste: uso le impostazioni predefinite.";

// Replaces "Imp.txt" of cartella with the six values, and the drift and its
// date after them when the drift is not 0. Returns nothing on success.
std::optional<ErroreFile> ScriviImp(const std::filesystem::path& cartella,
                                    const Impostazioni& imp);

struct LetturaIOra {
  std::optional<double> valore;      // the number read, whatever it is
  std::optional<ErroreFile> errore;  // none when read, or when the file is missing
};

// Reads the one value of "IOra.txt". A missing file gives no value and no
// errore; an unreadable or empty file, or one that does not start with a
// number, gives no value and an errore.
LetturaIOra LeggiIOra(const std::filesystem::path& cartella);

// Replaces "IOra.txt" of cartella with the one value. Returns nothing on success.
std::optional<ErroreFile> ScriviIOra(const std::filesystem::path& cartella, double valore);

// Removes from cartella the temporary files that saves of the settings files
// leave behind when interrupted. Nothing else is touched.
void RimuoviTemporanei(const std::filesystem::path& cartella);

// Makes a write beyond the process's file-size limit (ulimit -f) fail like any
// failed write, instead of ending the program by a signal.
void IgnoraSegnaleLimiteFile();

// --- The layer below: names, records, whole files. ---

// Whether two file names are equal apart from the case of ASCII letters.
bool StessoNomeFile(std::string_view a, std::string_view b);

// The entry of cartella whose name is nome apart from case (the exact name
// first, else the first match in name order), or cartella / nome when there is
// none. An empty cartella means the working directory.
std::filesystem::path CercaFile(const std::filesystem::path& cartella, std::string_view nome);

// The numbers at the start of a text, at most massimo of them.
struct NumeriTesto {
  std::vector<double> numeri;
  std::optional<std::string> nonNumero;  // the token that stopped the reading
};
NumeriTesto LeggiNumeriTesto(std::string_view testo, std::size_t massimo);

// The text of a file, at most its first MiB (enough for any settings file).
struct LetturaTesto {
  std::string testo;
  bool troncato = false;             // the file goes on beyond what was read
  bool mancante = false;             // no such file
  std::optional<ErroreFile> errore;  // why it could not be read (Accesso::Lettura)
};
LetturaTesto LeggiTestoFile(const std::filesystem::path& file);

// The numbers at the start of a file, at most massimo of them.
struct LetturaNumeri {
  std::vector<double> numeri;
  bool mancante = false;             // no such file
  std::optional<ErroreFile> errore;  // why fewer than massimo numbers were read
                                     // (none when the file is missing)
};
LetturaNumeri LeggiNumeriFile(const std::filesystem::path& file, std::size_t massimo);

// One record: the values as TestoNumero texts, commas between them, CR LF.
std::string TestoRecord(std::span<const double> valori);

// Replaces the file nome of cartella (found without regard to case, else
// created with that name) by contenuto, through a temporary file in the same
// folder, keeping the file's permissions. Where the name is a link (or a chain
// of links), the file at its end is replaced, in that file's folder, or
// created there; the links stay. A file with no write permission is left
// alone, and so is anything that is not a regular file (a folder, a pipe, a
// device, a socket). Returns nothing on success.
std::optional<ErroreFile> SostituisciFile(const std::filesystem::path& cartella,
                                          std::string_view nome, std::string_view contenuto);

// The same for the file at exactly that path, its name taken as given (a file
// the user named, such as an export).
std::optional<ErroreFile> SostituisciPercorso(std::filesystem::path file,
                                              std::string_view contenuto);

}  // namespace mr
