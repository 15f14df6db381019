// effemeridi --mutui, run as a user would run it: the command line, the
// reference computation reproduced in JSON, the formats, the filter; and the
// planner's files of --eventi and --mutui, byte for byte as the window makes
// them, read by a strict iCalendar parser.
#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QRegularExpression>
#include <QString>

#include <libical/ical.h>

#include <cmath>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "confronto_mutui.h"
#include "effemeridi_di_prova.h"
#include "ephemeris/calendario.h"
#include "pianificatore/esporta.h"
#include "pianificatore/qtcore/fuso_qt.h"

namespace mr {
namespace {

// The twelve keys of a JSON line, in their order.
const char* const kChiavi[] = {"tipo",     "attivo",    "passivo",  "inizio",
                               "massimo",  "fine",      "impatto_km", "calo_mag",
                               "alt_giove", "alt_sole", "giove",    "descrizione"};

// Rome (12° 30' E, 41° 54' N), the reference's site, and its Delta T.
const Sito kRoma{12.5, 41.9, 0};
constexpr const char* kImp = "98,12,30,41,54,69\r\n";

// One mutual event as read back from a JSON line.
struct Letto {
  std::string tipo;
  int attivo, passivo;
  double inizio, massimo, fine;  // UT Julian days, to the second
  double impatto, calo, altGiove, altSole;
  std::string giove, descrizione;
};

// The strings of a file without the lines that start with prefisso.
std::string Senza(const std::string& testo, const std::string& prefisso) {
  std::string resto;
  for (std::size_t a = 0; a < testo.size();) {
    std::size_t b = testo.find('\n', a);
    b = b == std::string::npos ? testo.size() : b + 1;
    if (testo.compare(a, prefisso.size(), prefisso) != 0) resto += testo.substr(a, b - a);
    a = b;
  }
  return resto;
}

// The errors libical finds in a calendar (-1 when it cannot read it at all),
// and its events.
struct LetturaICal {
  int errori = -1, eventi = 0;
};
LetturaICal LeggiICal(const std::string& ics) {
  icalcomponent* c = icalparser_parse_string(ics.c_str());
  if (!c) return {};
  icalrestriction_check(c);
  LetturaICal l{icalcomponent_count_errors(c),
                icalcomponent_count_components(c, ICAL_VEVENT_COMPONENT)};
  if (icalcomponent_isa(c) != ICAL_VCALENDAR_COMPONENT) l.errori = -1;
  icalcomponent_free(c);
  return l;
}

class EffemeridiMutui : public Effemeridi {
 protected:
  void SetUp() override {
    Effemeridi::SetUp();
    Scrivi("Imp.txt", kImp);
  }

  // The JSON lines of the output, each checked: valid JSON, the twelve keys
  // in their order and of their types.
  std::vector<Letto> LeggiJson(const std::string& uscita) {
    std::vector<Letto> eventi;
    for (const std::string& riga : Righe(uscita)) {
      SCOPED_TRACE(riga);
      const QJsonObject o = OggettoJson(riga, kChiavi);
      EXPECT_TRUE(o["tipo"].isString() && o["attivo"].isDouble() && o["passivo"].isDouble() &&
                  o["impatto_km"].isDouble() && o["calo_mag"].isDouble() &&
                  o["alt_giove"].isDouble() && o["alt_sole"].isDouble() &&
                  o["giove"].isString() && o["descrizione"].isString());
      const auto jd = [&](const char* chiave) {
        const std::optional<double> t = JdDiUtc(o[chiave].toString());
        EXPECT_TRUE(t.has_value()) << chiave;
        return t.value_or(0);
      };
      eventi.push_back({o["tipo"].toString().toStdString(), o["attivo"].toInt(),
                        o["passivo"].toInt(), jd("inizio"), jd("massimo"), jd("fine"),
                        o["impatto_km"].toDouble(), o["calo_mag"].toDouble(),
                        o["alt_giove"].toDouble(), o["alt_sole"].toDouble(),
                        o["giove"].toString().toStdString(),
                        o["descrizione"].toString().toStdString()});
    }
    return eventi;
  }
};

// 1 December 2026 17:30 UT, the start of a window of the reference.
constexpr const char* kDicembre =
    "--giorno 1 --mese 12 --anno 2026 --ore 17 --minuti 30 --zona TU ";

TEST_F(EffemeridiMutui, WrongCommandLinesEndWithTheUsage) {
  const char* cases[] = {
      "--mutui 0",
      "--mutui 3661",
      "--mutui 2.5",
      "--mutui due",
      "--mutui",
      "--mutui 2 --eventi 2",
      "--eventi 2 --mutui 2",
      "--mutui 2 --giorno 31 --mese 4 --anno 2027",
      "--mutui 2 --formato xml",
      "--mutui 2 --formato",
      "--mutui 2 --macchia 20",
      "--mutui 2 --deriva 1 --epoca 2026-03-01",
      "--mutui 2 --altezza-minima 10",
      "--mutui 2 --visibili --sole-massimo 91",
      "--mutui 2 --fuso Europe/Atlantide",
      "--mutui 2 --fuso ''",
      "--mutui 2 --fuso",
      "--eventi 2 --fuso Mars/Olympus_Mons",
      "--eventi 2 --fuso Roma",
      "--fuso Europe/Rome",
      "--mutui 2 --json",
      "--mutui 2 --azione Più",
      "--mutui 2 --precisione alta",
  };
  for (const char* argomenti : cases) AttesoUsoSbagliato(argomenti);
  EXPECT_TRUE(Contiene(Esegui("--help").uscita, "effemeridi --mutui GIORNI"));
}

TEST_F(EffemeridiMutui, WindowOutsideTheRange) {
  struct Case {
    const char* argomenti;
    int stato;
  };
  const Case cases[] = {
      {"--giorno 31 --mese 12 --anno 1599 --ore 12 --minuti 0 --zona TU --mutui 1", 1},
      {"--giorno 31 --mese 12 --anno 2999 --ore 0 --minuti 1 --zona TU --mutui 1", 1},
      {"--giorno 31 --mese 12 --anno 2999 --ore 0 --minuti 0 --zona TU --mutui 1", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.argomenti);
    Esito e = Esegui(c.argomenti);
    EXPECT_EQ(e.stato, c.stato);
    if (c.stato == 1) {
      EXPECT_EQ(e.uscita, "");
      EXPECT_EQ(e.errori, "Intervallo degli eventi fuori dagli anni 1600-2999: nessun calcolo\n");
    } else {
      EXPECT_TRUE(Contiene(e.uscita, "Fenomeni mutui di 1 giorno dal 31/12/2999 00:00 TU"))
          << e.uscita;
      EXPECT_TRUE(Contiene(e.uscita, "Nessun evento.\n")) << e.uscita;
    }
  }
}

// The independent computation of tests/data/riferimento (mutui.json), its
// windows run from the command line: every event with a drop of at least 0.01
// mag, no other, the times within a second of the reference's, the numbers to
// their last digit but for the reference's own rounding, the same kind, place
// and description. Events within two minutes of a window's ends may fall on
// either side of it (the command line starts on a whole minute).
TEST_F(EffemeridiMutui, TheReferenceToTheSecond) {
  namespace r = riferimento;
  const std::filesystem::path cartellaDati = RIFERIMENTO_DIR;
  int confrontati = 0;
  for (const r::FinestraMutui& f : r::LeggiFinestreMutui(cartellaDati)) {
    SCOPED_TRACE(f.nome);
    const std::optional<DataOraUT> d = DataOraAlSecondo(f.inizio);
    ASSERT_TRUE(d);
    const double inizio = GiornoGiulianoDi({d->anno, d->mese, d->giorno, d->ore, d->minuti, 0});
    Esito e = Esegui("--zona TU --formato json --mutui " + std::to_string(std::lround(f.giorni)) +
                     " --giorno " + std::to_string(d->giorno) + " --mese " +
                     std::to_string(d->mese) + " --anno " + std::to_string(d->anno) + " --ore " +
                     std::to_string(d->ore) + " --minuti " + std::to_string(d->minuti));
    ASSERT_EQ(e.stato, 0);
    EXPECT_EQ(e.errori, "");
    const std::vector<Letto> nostri = LeggiJson(e.uscita);
    std::vector<bool> usato(nostri.size(), false);
    const auto alBordo = [&](double jd) {
      const double margine = 2.0 / 1440;
      return jd - std::max(inizio, f.inizio) < margine || f.inizio + f.giorni - jd < margine;
    };
    for (const r::MutuoAtteso& a : r::LeggiMutui(cartellaDati, f)) {
      const std::string nome =
          r::Descrizione(f.nome, a.tipo, a.attivo, a.passivo, a.jdMassimo);
      std::size_t k = 0;
      while (k < nostri.size() &&
             !(nostri[k].tipo == a.tipo && nostri[k].attivo == a.attivo &&
               nostri[k].passivo == a.passivo && std::abs(nostri[k].massimo - a.jdMassimo) < 0.01))
        ++k;
      if (k == nostri.size()) {
        EXPECT_TRUE(a.caloMag < 0.01 || alBordo(a.jdMassimo)) << "mancante: " << nome;
        continue;
      }
      SCOPED_TRACE(nome);
      usato[k] = true;
      const Letto& n = nostri[k];
      // Both to the second, from maxima and contacts a fraction of a second apart.
      for (auto [nostro, atteso] : {std::pair{n.inizio, a.jdInizio}, std::pair{n.massimo, a.jdMassimo},
                                    std::pair{n.fine, a.jdFine}}) {
        const double secondi = (nostro - atteso) * 86400;
        EXPECT_TRUE(std::isfinite(secondi) && std::abs(secondi) <= 1) << secondi;
      }
      EXPECT_TRUE(std::abs(n.impatto - a.impattoKm) <= 2) << n.impatto;
      EXPECT_TRUE(std::abs(n.calo - a.caloMag) <= 0.0011) << n.calo;
      EXPECT_TRUE(std::abs(n.altGiove - a.altGiove) <= 0.02) << n.altGiove;
      EXPECT_TRUE(std::abs(n.altSole - a.altSole) <= 0.02) << n.altSole;
      EXPECT_EQ(n.giove, a.giove);
      EXPECT_NE(n.descrizione.find("(" + a.genere + ", calo "), std::string::npos) << n.descrizione;
      ++confrontati;
    }
    for (std::size_t k = 0; k < nostri.size(); ++k)
      EXPECT_TRUE(usato[k] || alBordo(nostri[k].massimo))
          << "in più: " << nostri[k].descrizione << " " << nostri[k].massimo;
  }
  EXPECT_GT(confrontati, 60);
}

// The first events of the December window, as the reference wrote them.
TEST_F(EffemeridiMutui, LinesAsTheReferenceWroteThem) {
  Esito e = Esegui(std::string(kDicembre) + "--mutui 2 --formato json");
  ASSERT_EQ(e.stato, 0);
  const std::vector<std::string> righe = Righe(e.uscita);
  ASSERT_GE(righe.size(), 3u);
  EXPECT_EQ(righe[0],
            R"x({"tipo":"ECL","attivo":3,"passivo":1,"inizio":"2026-12-02T10:44:59Z",)x"
            R"x("massimo":"2026-12-02T10:48:09Z","fine":"2026-12-02T10:51:19Z",)x"
            R"x("impatto_km":3790.5,"calo_mag":0.137,"alt_giove":4.13,"alt_sole":26.06,)x"
            R"x("giove":"libero","descrizione":"Ganimede eclissa Io (parziale, calo 0,14 mag)"})x");
  EXPECT_EQ(righe[1],
            R"x({"tipo":"ECL","attivo":3,"passivo":4,"inizio":"2026-12-02T20:45:14Z",)x"
            R"x("massimo":"2026-12-02T20:51:54Z","fine":"2026-12-02T20:58:34Z",)x"
            R"x("impatto_km":459.1,"calo_mag":1.054,"alt_giove":-6.86,"alt_sole":-56.76,)x"
            R"x("giove":"ombra","descrizione":"Ganimede eclissa Callisto (anulare, calo 1,05 mag)"})x");
}

// The table and the JSON lines list the same events; the table's times are
// the JSON's to the nearest minute.
TEST_F(EffemeridiMutui, TableAndJsonAgree) {
  Esito testo = Esegui(std::string(kDicembre) + "--mutui 5");
  Esito json = Esegui(std::string(kDicembre) + "--mutui 5 --formato json");
  ASSERT_EQ(testo.stato, 0);
  ASSERT_EQ(json.stato, 0);
  EXPECT_TRUE(Contiene(testo.uscita,
                       "Fenomeni mutui di 5 giorni dal 01/12/2026 17:30 TU, da 12.50° E 41.90° N\n"
                       "Delta T 69 s\n\n"))
      << testo.uscita;
  static const QRegularExpression forma(
      "^(\\d{2})/(\\d{2})/(\\d{4})  (\\d{2}):(\\d{2})    (\\d{2}):(\\d{2})    (\\d{2}):(\\d{2})    "
      "(\\d) ([OE]) (\\d)  ");
  std::vector<QRegularExpressionMatch> tabella;
  for (const std::string& r : Righe(testo.uscita)) {
    QRegularExpressionMatch m = forma.match(QString::fromStdString(r));
    if (m.hasMatch()) tabella.push_back(m);
  }
  const std::vector<Letto> righe = LeggiJson(json.uscita);
  ASSERT_EQ(tabella.size(), righe.size());
  ASSERT_GT(righe.size(), 3u);
  for (std::size_t i = 0; i < righe.size(); ++i) {
    const QRegularExpressionMatch& m = tabella[i];
    const Letto& j = righe[i];
    EXPECT_EQ(m.captured(10).toInt(), j.attivo);
    EXPECT_EQ(m.captured(11) == "O" ? "OCC" : "ECL", j.tipo);
    EXPECT_EQ(m.captured(12).toInt(), j.passivo);
    const double massimo = GiornoGiulianoDi({m.captured(3).toInt(), m.captured(2).toInt(),
                                             m.captured(1).toInt(), m.captured(6).toInt(),
                                             m.captured(7).toInt(), 0});
    EXPECT_LE(std::abs(massimo - j.massimo) * 86400, 30) << i;
  }
}

// --visibili keeps exactly the events of the whole list with Jupiter high
// enough and the Sun low enough at the maximum and the passive satellite
// neither behind Jupiter nor in its shadow, nor (an eclipse) the active one in
// Jupiter's shadow.
TEST_F(EffemeridiMutui, OnlyVisibleEvents) {
  const std::string tutti = std::string(kDicembre) + "--mutui 20 --formato json";
  const std::vector<Letto> elenco = LeggiJson(Esegui(tutti).uscita);
  struct Case {
    const char* filtro;
    double giove, sole;
  };
  const Case cases[] = {
      {"--visibili", 0, -6},
      {"--visibili --altezza-minima 20 --sole-massimo -12", 20, -12},
      {"--visibili --altezza-minima -90 --sole-massimo 90", -90, 90},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.filtro);
    Esito e = Esegui(tutti + " " + c.filtro);
    ASSERT_EQ(e.stato, 0);
    std::vector<double> attesi, visibili;
    for (const Letto& x : elenco)
      if (x.altGiove >= c.giove && x.altSole <= c.sole &&
          (x.giove == "libero" || x.giove == "davanti"))
        attesi.push_back(x.massimo);
    for (const Letto& x : LeggiJson(e.uscita)) visibili.push_back(x.massimo);
    EXPECT_EQ(visibili, attesi);
    EXPECT_FALSE(visibili.empty());
    EXPECT_LT(visibili.size(), elenco.size());
  }
  Esito testo = Esegui(std::string(kDicembre) + "--mutui 1 --visibili --altezza-minima 30");
  EXPECT_TRUE(Contiene(testo.uscita, "Solo gli eventi visibili: Giove ad almeno 30°, Sole a non "
                                     "più di -6° al massimo, non nascosti da Giove né dalla "
                                     "sua ombra\n"))
      << testo.uscita;
}

// The files of --formato csv and ics are the window's: the same makers, from
// the whole list and the filter, in the same zone (the calendar's DTSTAMP is
// the moment it is made).
TEST_F(EffemeridiMutui, FilesAsTheWindowMakesThem) {
  const double inizio = GiornoGiuliano(1, 12, 2026, 17, 30);
  const RicercaMutui mutui = CercaMutui(inizio, 7, 69, kRoma);
  const RicercaEventi eventi = CercaEventi(inizio, 7, 69, kRoma, {98, 0, 2451545});
  ASSERT_EQ(mutui.esito, EsitoEventi::Calcolati);
  ASSERT_EQ(eventi.esito, EsitoEventi::Calcolati);
  const FiltroVisibili filtro{10, -6};
  const FusoQt roma("Europe/Rome");
  struct Case {
    const char* argomenti;
    std::string csv, ics;
  };
  const Case cases[] = {
      {"--mutui 7", TestoCsv(RighePiano(mutui.eventi, std::nullopt), roma),
       TestoICalendar(RighePiano(mutui.eventi, std::nullopt), roma, inizio)},
      {"--mutui 7 --visibili --altezza-minima 10",
       TestoCsv(RighePiano(mutui.eventi, filtro), roma),
       TestoICalendar(RighePiano(mutui.eventi, filtro), roma, inizio)},
      {"--eventi 7", TestoCsv(RighePiano(eventi.eventi, std::nullopt), roma),
       TestoICalendar(RighePiano(eventi.eventi, std::nullopt), roma, inizio)},
      {"--eventi 7 --visibili --altezza-minima 10",
       TestoCsv(RighePiano(eventi.eventi, filtro), roma),
       TestoICalendar(RighePiano(eventi.eventi, filtro), roma, inizio)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.argomenti);
    const std::string comune = std::string(kDicembre) + c.argomenti + " --fuso Europe/Rome";
    Esito csv = Esegui(comune + " --formato csv");
    ASSERT_EQ(csv.stato, 0);
    EXPECT_EQ(csv.errori, "");
    EXPECT_EQ(csv.uscita, c.csv);
    Esito ics = Esegui(comune + " --formato ics");
    ASSERT_EQ(ics.stato, 0);
    EXPECT_EQ(Senza(ics.uscita, "DTSTAMP:"), Senza(c.ics, "DTSTAMP:"));
    EXPECT_EQ(Conta(ics.uscita, "DTSTAMP:"), Conta(c.ics, "DTSTAMP:"));
    const LetturaICal l = LeggiICal(ics.uscita);
    EXPECT_EQ(l.errori, 0);
    EXPECT_GT(l.eventi, 0);
  }
}

// A week whose filter leaves out contacts such that the filtered list, paired
// anew, would join contacts of two different phenomena: the file pairs them in
// the whole list, as the window does.
TEST_F(EffemeridiMutui, PairsFromTheWholeList) {
  const double inizio = GiornoGiuliano(8, 12, 2026, 17, 30);
  const RicercaEventi r = CercaEventi(inizio, 7, 69, kRoma, {98, 0, 2451545});
  ASSERT_EQ(r.esito, EsitoEventi::Calcolati);
  const FiltroVisibili filtro{20, -6};
  const FusoQt roma("Europe/Rome");
  Esito e = Esegui("--giorno 8 --mese 12 --anno 2026 --ore 17 --minuti 30 --zona TU --eventi 7 "
                   "--visibili --altezza-minima 20 --formato csv --fuso Europe/Rome");
  ASSERT_EQ(e.stato, 0);
  EXPECT_EQ(e.uscita, TestoCsv(RighePiano(r.eventi, filtro), roma));
  EXPECT_NE(e.uscita, TestoCsv(RighePiano(SoloVisibili(r.eventi, filtro), std::nullopt), roma));
}

// The zone of the local times: --fuso, else the planner's (MacchiaRossa.ini),
// else the system's; an unknown stored zone is the system's, as in the window.
TEST_F(EffemeridiMutui, TheZoneOfTheFiles) {
  const std::string comando = std::string(kDicembre) + "--mutui 3 --formato csv";
  struct Case {
    const char* ini;  // nullptr: no file
    const char* davanti;
    const char* fuso;
    const char* sigla;  // the zone's abbreviation in December
  };
  const Case cases[] = {
      {nullptr, "TZ=Asia/Tokyo", "", ",JST,"},
      {"[Eventi]\nfuso=America/New_York\n", "TZ=Asia/Tokyo", "", ",EST,"},
      {"[Eventi]\nfuso=America/New_York\n", "TZ=Asia/Tokyo", " --fuso Europe/Rome", ",CET,"},
      {"[Eventi]\nfuso=Europe/Atlantide\n", "TZ=Asia/Tokyo", "", ",JST,"},
      {"[Eventi]\nfuso=Roma\n", "TZ=Asia/Tokyo", "", ",JST,"},
      {nullptr, "TZ=Asia/Tokyo", " --fuso UTC", ",UTC,"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.ini ? c.ini : "-") + c.fuso);
    std::filesystem::remove(cartella / "MacchiaRossa.ini");
    if (c.ini) Scrivi("MacchiaRossa.ini", c.ini);
    // The system's zone from the environment, through the shell.
    const std::string linea = std::string(c.davanti) + " " + EFFEMERIDI_PATH + " --cartella " +
                              cartella.string() + " " + comando + c.fuso + " 2>/dev/null";
    FILE* p = popen(linea.c_str(), "r");
    ASSERT_NE(p, nullptr);
    std::string uscita;
    char buf[4096];
    while (std::size_t n = std::fread(buf, 1, sizeof buf, p)) uscita.append(buf, n);
    EXPECT_EQ(pclose(p), 0);
    EXPECT_TRUE(Contiene(uscita, c.sigla)) << uscita;
  }
}

// The issue's own command: a week of visible events from now, as a calendar a
// strict parser reads without an error.
TEST_F(EffemeridiMutui, AWeekOfVisibleEventsAsACalendar) {
  for (const char* elenco : {"--eventi 7", "--mutui 7"}) {
    SCOPED_TRACE(elenco);
    Esito e = Esegui(std::string(elenco) + " --visibili --formato ics");
    ASSERT_EQ(e.stato, 0);
    EXPECT_EQ(e.uscita.rfind("BEGIN:VCALENDAR\r\n", 0), 0u);
    const LetturaICal l = LeggiICal(e.uscita);
    EXPECT_EQ(l.errori, 0) << e.uscita;
  }
}

}  // namespace
}  // namespace mr
