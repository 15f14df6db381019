#include "settings/file_impostazioni.h"

#include "ephemeris/numeri.h"

#include <cerrno>
#include <csignal>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>
#include <system_error>

#if __has_include(<unistd.h>)
#include <unistd.h>
#define MR_HA_FSYNC 1
#endif

namespace mr {

namespace fs = std::filesystem;

namespace {

// Enough for any settings file; a larger file is read only this far.
constexpr std::size_t MassimoByte = std::size_t{1} << 20;

bool Separatore(char c) { return c == ',' || c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

char Minuscola(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::error_code ErroreDi(int numero) { return std::error_code(numero, std::generic_category()); }

// The reason of a failure in plain Italian where there is a common one.
std::string Motivo(std::error_code ec, const char* seInesistente) {
  if (ec == std::errc::permission_denied || ec == std::errc::operation_not_permitted)
    return "permesso negato";
  if (ec == std::errc::no_such_file_or_directory) return seInesistente;
  if (ec == std::errc::not_a_directory) return "il percorso della cartella non è valido";
  if (ec == std::errc::is_a_directory || ec == std::errc::directory_not_empty)
    return "al suo posto c'è una cartella";
  if (ec == std::errc::no_space_on_device) return "disco pieno";
  if (ec == std::errc::read_only_file_system) return "il disco è in sola lettura";
  if (ec == std::errc::too_many_files_open || ec == std::errc::too_many_files_open_in_system)
    return "troppi file aperti";
  if (ec == std::errc::file_too_large) return "file troppo grande per il limite imposto dal sistema";
  if (ec == std::errc::too_many_symbolic_link_levels)
    return "catena di collegamenti simbolici chiusa o troppo lunga";
  return ec.message();
}

// A token as it may be quoted in a message: short, printable.
std::string Citazione(std::string_view t) {
  constexpr std::size_t massimo = 20;
  bool tagliato = t.size() > massimo;
  if (tagliato) {
    std::size_t n = massimo;
    // Do not cut a UTF-8 sequence in two.
    while (n > 0 && (static_cast<unsigned char>(t[n]) & 0xC0) == 0x80) --n;
    t = t.substr(0, n);
  }
  std::string s;
  for (char c : t) s += (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) ? '?' : c;
  if (tagliato) s += "...";
  return s;
}

// Why a file could not be opened, read or replaced.
std::string Ragione(const ErroreFile& e, const char* seInesistente) {
  if (e.causa == Causa::FileSolaLettura) return "il file è in sola lettura";
  if (e.causa == Causa::NonFileOrdinario) return "non è un file ordinario";
  return Motivo(e.codice, seInesistente);
}

// A quantity of "Imp.txt" and its range, as a message names them.
std::string NomeIntervallo(Grandezza g) {
  switch (g) {
    case Grandezza::Macchia:
      return "la longitudine della Macchia Rossa (da 0° a meno di 360°)";
    case Grandezza::Longitudine:
      return "la longitudine dell'osservatore (da -180° a 180°, primi minori di 60)";
    case Grandezza::Latitudine:
      return "la latitudine dell'osservatore (da -90° a 90°, primi minori di 60)";
    case Grandezza::DeltaT:
      return "Delta T (da -10000 s a 10000 s)";
    case Grandezza::Deriva:
      return "la deriva della Macchia Rossa con la sua data (deriva da -30° a 30° al mese, "
             "data AAAAMMGG dal 1600 al 2999)";
  }
  return "";
}

std::string TestoFuoriIntervallo(const std::string& file, const std::vector<Grandezza>& fuori) {
  if (fuori.size() == 1)
    return "Nel file " + file + " " + NomeIntervallo(fuori.front()) +
           " è fuori dall'intervallo ammesso: uso il valore predefinito";
  std::string elenco;
  for (std::size_t i = 0; i < fuori.size(); ++i) {
    if (i > 0) elenco += i + 1 == fuori.size() ? " e " : ", ";
    elenco += NomeIntervallo(fuori[i]);
  }
  return "Nel file " + file + " sono fuori dall'intervallo ammesso " + elenco +
         ": per questi uso i valori predefiniti";
}

std::string Valori(std::size_t n) { return std::to_string(n) + (n == 1 ? " valore" : " valori"); }

std::string NomeDi(const fs::path& file) { return file.filename().string(); }

// Temporary files are named "." + the file's name + "." + 16 lowercase
// hexadecimal digits + ".tmp".
constexpr std::size_t CifreSuffisso = 16;
constexpr std::string_view FineTemporaneo = ".tmp";

std::string SuffissoCasuale() {
  static std::mt19937_64 generatore = [] {
    std::uint64_t seme =
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    try {
      seme ^= std::random_device{}();
    } catch (...) {
    }
    return std::mt19937_64(seme);
  }();
  char testo[CifreSuffisso + 1];
  std::snprintf(testo, sizeof testo, "%016llx", static_cast<unsigned long long>(generatore()));
  return testo;
}

// Whether nome is a temporary file of a save of one of the settings files.
bool TemporaneoNostro(std::string_view nome) {
  const std::size_t coda = 1 + CifreSuffisso + FineTemporaneo.size();
  if (nome.size() < 1 + coda || nome.front() != '.' || !nome.ends_with(FineTemporaneo))
    return false;
  const std::string_view file = nome.substr(1, nome.size() - 1 - coda);
  const std::string_view suffisso = nome.substr(nome.size() - coda, 1 + CifreSuffisso);
  if (suffisso.front() != '.') return false;
  for (char c : suffisso.substr(1))
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
  return StessoNomeFile(file, NomeImp) || StessoNomeFile(file, NomeIOra) ||
         StessoNomeFile(file, NomePreferenze);
}

// The file a name stands for: links followed, a chain of them too, to the
// first name that is not a link (which may not exist yet).
std::optional<fs::path> FineCollegamenti(fs::path percorso, std::error_code& ec) {
  constexpr int MassimoSalti = 40;  // as the system allows when it opens a path
  for (int salti = 0; salti <= MassimoSalti; ++salti) {
    fs::file_status stato = fs::symlink_status(percorso, ec);
    if (stato.type() == fs::file_type::not_found) {
      ec.clear();
      return percorso;
    }
    if (ec) return std::nullopt;
    if (!fs::is_symlink(stato)) return percorso;
    fs::path destinazione = fs::read_symlink(percorso, ec);
    if (ec) return std::nullopt;
    percorso = destinazione.is_absolute() ? destinazione : percorso.parent_path() / destinazione;
  }
  ec = std::make_error_code(std::errc::too_many_symbolic_link_levels);
  return std::nullopt;
}

// Writes contenuto to a new file with a unique name in cartella. Returns the
// file, or the error.
std::optional<fs::path> ScriviTemporaneo(const fs::path& cartella, const std::string& nome,
                                         std::string_view contenuto, std::error_code& ec) {
  std::FILE* f = nullptr;
  fs::path temporaneo;
  for (int tentativo = 0; tentativo < 16 && f == nullptr; ++tentativo) {
    temporaneo = cartella / ("." + nome + "." + SuffissoCasuale() + std::string(FineTemporaneo));
    f = std::fopen(temporaneo.string().c_str(), "wbx");
    if (f == nullptr && errno != EEXIST) break;
  }
  if (f == nullptr) {
    ec = ErroreDi(errno);
    return std::nullopt;
  }
  bool scritto = std::fwrite(contenuto.data(), 1, contenuto.size(), f) == contenuto.size() &&
                 std::fflush(f) == 0;
  int numero = scritto ? 0 : errno;
#ifdef MR_HA_FSYNC
  // The data must be on disk before the new name replaces the old file.
  if (scritto && ::fsync(::fileno(f)) != 0 && errno != EINVAL) {
    scritto = false;
    numero = errno;
  }
#endif
  if (std::fclose(f) != 0 && scritto) {
    scritto = false;
    numero = errno;
  }
  if (!scritto) {
    ec = ErroreDi(numero != 0 ? numero : EIO);
    std::error_code ignora;
    fs::remove(temporaneo, ignora);
    return std::nullopt;
  }
  return temporaneo;
}

}  // namespace

bool StessoNomeFile(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (Minuscola(a[i]) != Minuscola(b[i])) return false;
  return true;
}

fs::path CercaFile(const fs::path& cartella, std::string_view nome) {
  const fs::path esatto = cartella / nome;
  std::error_code ec;
  if (fs::exists(fs::symlink_status(esatto, ec))) return esatto;

  std::optional<std::string> trovato;
  fs::directory_iterator it(cartella.empty() ? fs::path(".") : cartella, ec);
  for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
    std::string candidato = it->path().filename().string();
    if (StessoNomeFile(candidato, nome) && (!trovato || candidato < *trovato))
      trovato = std::move(candidato);
  }
  return trovato ? cartella / *trovato : esatto;
}

NumeriTesto LeggiNumeriTesto(std::string_view testo, std::size_t massimo) {
  NumeriTesto r;
  if (testo.substr(0, 3) == "\xEF\xBB\xBF") testo.remove_prefix(3);  // byte-order mark
  std::size_t i = 0;
  while (r.numeri.size() < massimo) {
    while (i < testo.size() && Separatore(testo[i])) ++i;
    if (i == testo.size()) break;
    std::size_t fine = i;
    while (fine < testo.size() && !Separatore(testo[fine])) ++fine;
    std::string_view token = testo.substr(i, fine - i);
    // Plain decimal form, or the exponent form that older versions wrote for
    // very large or very small values.
    double v = 0;
    if (!LeggiNumeroConEsponente(token, v)) {
      r.nonNumero = std::string(token);
      break;
    }
    r.numeri.push_back(v);
    i = fine;
  }
  return r;
}

LetturaTesto LeggiTestoFile(const fs::path& file) {
  LetturaTesto r;
  auto Illeggibile = [&](Causa causa, std::error_code codice = {}) {
    r.errore = ErroreFile{.file = NomeDi(file), .causa = causa, .codice = codice};
    return r;
  };

  std::error_code ec;
  fs::file_status stato = fs::status(file, ec);
  if (stato.type() == fs::file_type::not_found) {
    r.mancante = true;
    return r;
  }
  if (ec) return Illeggibile(Causa::Sistema, ec);
  if (fs::is_directory(stato))
    return Illeggibile(Causa::Sistema, std::make_error_code(std::errc::is_a_directory));
  // A pipe or a device would block or never end.
  if (!fs::is_regular_file(stato)) return Illeggibile(Causa::NonFileOrdinario);

  std::FILE* f = std::fopen(file.string().c_str(), "rb");
  if (f == nullptr) return Illeggibile(Causa::Sistema, ErroreDi(errno));
  r.testo.assign(MassimoByte, '\0');
  errno = 0;
  std::size_t letti = std::fread(r.testo.data(), 1, r.testo.size(), f);
  int numero = std::ferror(f) ? (errno != 0 ? errno : EIO) : 0;
  std::fclose(f);
  if (numero != 0) {
    r.testo.clear();
    return Illeggibile(Causa::Sistema, ErroreDi(numero));
  }
  r.testo.resize(letti);
  r.troncato = letti == MassimoByte;
  return r;
}

LetturaNumeri LeggiNumeriFile(const fs::path& file, std::size_t massimo) {
  LetturaNumeri r;
  LetturaTesto lettura = LeggiTestoFile(file);
  r.mancante = lettura.mancante;
  if (lettura.mancante) return r;
  ErroreFile errore{.file = NomeDi(file), .attesi = massimo};
  if (lettura.errore) {
    errore.causa = lettura.errore->causa;
    errore.codice = lettura.errore->codice;
    r.errore = errore;
    return r;
  }
  std::string& testo = lettura.testo;
  if (lettura.troncato) {
    // The file goes on: drop a number that may be cut in two.
    std::size_t ultimo = testo.find_last_of(",\t\r\n ");
    testo.resize(ultimo == std::string::npos ? 0 : ultimo);
  }

  NumeriTesto numeri = LeggiNumeriTesto(testo, massimo);
  r.numeri = std::move(numeri.numeri);
  errore.letti = r.numeri.size();
  if (numeri.nonNumero) {
    errore.causa = Causa::NonNumero;
    errore.testo = *numeri.nonNumero;
    r.errore = errore;
  } else if (r.numeri.size() < massimo) {
    errore.causa = Causa::Corto;
    r.errore = errore;
  }
  return r;
}

std::string TestoRecord(std::span<const double> valori) {
  std::string testo;
  for (std::size_t i = 0; i < valori.size(); ++i) {
    if (i > 0) testo += ',';
    testo += TestoNumero(valori[i]);
  }
  return testo + "\r\n";
}

std::optional<ErroreFile> SostituisciFile(const fs::path& cartella, std::string_view nome,
                                          std::string_view contenuto) {
  return SostituisciPercorso(CercaFile(cartella, nome), contenuto);
}

std::optional<ErroreFile> SostituisciPercorso(fs::path bersaglio, std::string_view contenuto) {
  ErroreFile errore{.file = NomeDi(bersaglio), .accesso = Accesso::Scrittura};
  auto Errore = [&](Causa causa, std::error_code codice = {}) {
    errore.causa = causa;
    errore.codice = codice;
    return errore;
  };

  // Through a link, replace the file at the end of the chain, in its own
  // folder, and keep the links.
  std::error_code ec;
  std::optional<fs::path> vero = FineCollegamenti(bersaglio, ec);
  if (!vero) return Errore(Causa::Sistema, ec);
  bersaglio = *vero;
  const fs::file_status stato = fs::symlink_status(bersaglio, ec);
  if (ec && stato.type() != fs::file_type::not_found) return Errore(Causa::Sistema, ec);
  if (fs::is_directory(stato))
    return Errore(Causa::Sistema, std::make_error_code(std::errc::is_a_directory));
  // A pipe, a device or a socket is never replaced by a plain file.
  if (fs::exists(stato) && !fs::is_regular_file(stato)) return Errore(Causa::NonFileOrdinario);
  const auto scrittura = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  if (fs::is_regular_file(stato) && (stato.permissions() & scrittura) == fs::perms::none)
    return Errore(Causa::FileSolaLettura);

  std::optional<fs::path> temporaneo =
      ScriviTemporaneo(bersaglio.parent_path(), NomeDi(bersaglio), contenuto, ec);
  if (!temporaneo) return Errore(Causa::Sistema, ec);

  std::error_code ignora;
  if (fs::is_regular_file(stato)) fs::permissions(*temporaneo, stato.permissions(), ignora);
  fs::rename(*temporaneo, bersaglio, ec);
  if (ec) {
    fs::remove(*temporaneo, ignora);
    return Errore(Causa::Sistema, ec);
  }
  return std::nullopt;
}

LetturaImp LeggiImp(const fs::path& cartella) {
  LetturaImp r;
  r.imp = ImpostazioniPredefinite;
  const fs::path file = CercaFile(cartella, NomeImp);
  LetturaNumeri lettura = LeggiNumeriFile(file, 8);
  r.mancante = lettura.mancante;

  double* campi[] = {&r.imp.longitudineMacchia, &r.imp.longGradi, &r.imp.longPrimi,
                     &r.imp.latGradi,           &r.imp.latPrimi,  &r.imp.deltaT,
                     &r.imp.derivaMacchia,      &r.imp.dataMacchia};
  const std::size_t n = lettura.numeri.size();
  for (std::size_t i = 0; i < n; ++i) *campi[i] = lettura.numeri[i];
  if (lettura.errore && n < 6) {
    lettura.errore->attesi = 6;
    r.errori.push_back(std::move(*lettura.errore));
  } else if (lettura.errore && (n == 7 || lettura.errore->causa == Causa::NonNumero)) {
    // Six values and no more are a file without drift; a seventh needs its date.
    Predefinita(Grandezza::Deriva, r.imp);
    r.errori.push_back(ErroreFile{.file = NomeDi(file),
                                  .causa = Causa::DerivaIllegibile,
                                  .testo = std::move(lettura.errore->testo),
                                  .letti = n,
                                  .attesi = 8});
  }

  std::vector<Grandezza> fuori = FuoriIntervallo(r.imp);
  if (!fuori.empty()) {
    for (Grandezza g : fuori) Predefinita(g, r.imp);
    r.errori.push_back(ErroreFile{.file = NomeDi(file),
                                  .causa = Causa::FuoriIntervallo,
                                  .letti = n,
                                  .attesi = 6,
                                  .fuori = std::move(fuori)});
  }
  return r;
}

std::optional<ErroreFile> ScriviImp(const fs::path& cartella, const Impostazioni& imp) {
  const double valori[] = {imp.longitudineMacchia, imp.longGradi, imp.longPrimi,
                           imp.latGradi,           imp.latPrimi,  imp.deltaT,
                           imp.derivaMacchia,      imp.dataMacchia};
  const std::size_t n = imp.derivaMacchia != 0 ? 8 : 6;
  return SostituisciFile(cartella, NomeImp, TestoRecord(std::span(valori, n)));
}

LetturaIOra LeggiIOra(const fs::path& cartella) {
  LetturaIOra r;
  LetturaNumeri lettura = LeggiNumeriFile(CercaFile(cartella, NomeIOra), 1);
  if (!lettura.numeri.empty()) r.valore = lettura.numeri.front();
  r.errore = std::move(lettura.errore);
  return r;
}

std::optional<ErroreFile> ScriviIOra(const fs::path& cartella, double valore) {
  const double valori[] = {valore};
  return SostituisciFile(cartella, NomeIOra, TestoRecord(valori));
}

std::string TestoErrore(const ErroreFile& e) {
  const std::string& f = e.file;
  if (e.accesso == Accesso::Scrittura)
    return "Impossibile scrivere il file " + f + ": " + Ragione(e, "cartella inesistente");
  if (e.causa == Causa::FuoriIntervallo) return TestoFuoriIntervallo(f, e.fuori);
  if (e.causa == Causa::DerivaIllegibile)
    return e.testo.empty()
               ? "Nel file " + f + " la deriva della Macchia Rossa non è seguita dalla data "
                                   "di riferimento (AAAAMMGG): la ignoro"
               : "Nel file " + f + " il testo \"" + Citazione(e.testo) +
                     "\" non è un numero: ignoro la deriva della Macchia Rossa";

  std::string testo;
  if (e.causa == Causa::NonNumero)
    testo = "Nel file " + f + " il testo \"" + Citazione(e.testo) + "\" non è un numero";
  else if (e.causa == Causa::Corto)
    testo = e.letti == 0 ? "Il file " + f + " non contiene valori"
                         : "Il file " + f + " contiene solo " + Valori(e.letti) + " dei " +
                               std::to_string(e.attesi) + " attesi";
  else
    testo = "Impossibile leggere il file " + f + " (" + Ragione(e, "file inesistente") + ")";

  // The values not read take their defaults.
  if (e.attesi <= 1) return testo;
  if (e.letti == 0) return testo + ": uso i valori predefiniti";
  if (e.causa == Causa::Corto) return testo + ": per gli altri uso i valori predefiniti";
  return testo + (e.letti == 1 ? ": letto solo " : ": letti solo ") + Valori(e.letti) + " dei " +
         std::to_string(e.attesi) + " attesi, per gli altri uso i valori predefiniti";
}

void RimuoviTemporanei(const fs::path& cartella) {
  std::vector<fs::path> vecchi;
  std::error_code ec;
  fs::directory_iterator it(cartella.empty() ? fs::path(".") : cartella, ec);
  for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
    std::error_code tipo;
    if (TemporaneoNostro(it->path().filename().string()) && it->is_regular_file(tipo) &&
        !it->is_symlink(tipo))
      vecchi.push_back(it->path());
  }
  for (const fs::path& p : vecchi) fs::remove(p, ec);
}

void IgnoraSegnaleLimiteFile() {
#ifdef SIGXFSZ
  std::signal(SIGXFSZ, SIG_IGN);
#endif
}

std::string TestoErrori(const LetturaImp& lettura) {
  std::string testo;
  for (const ErroreFile& e : lettura.errori) {
    if (!testo.empty()) testo += '\n';
    testo += TestoErrore(e);
  }
  return testo;
}

}  // namespace mr
