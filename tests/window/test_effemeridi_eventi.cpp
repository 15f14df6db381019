// effemeridi --eventi, run as a user would run it: the command line, the
// published predictions in both formats, the filter, the Red Spot and the zone.
#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QRegularExpression>
#include <QString>

#include <chrono>
#include <cmath>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "effemeridi_di_prova.h"
#include "ephemeris/calendario.h"

namespace mr {
namespace {

// The seven keys of a JSON line, in their order.
const char* const kChiavi[] = {"utc",      "evento",   "satellite",  "alt_giove",
                               "alt_sole", "nascosto", "descrizione"};

const char* const kSatelliti[] = {"Io", "Europa", "Ganimede", "Callisto"};

// One event as read back from the output.
struct Letto {
  double jdUT;
  std::string evento;
  int satellite;
  double altGiove, altSole;
  bool nascosto;
};

class EffemeridiEventi : public Effemeridi {
 protected:
  void SetUp() override {
    Effemeridi::SetUp();
    // GRS at 0, Rome (12 30' E, 41 54' N), Delta T 68 s as for 2016.
    Scrivi("Imp.txt", "0,12,30,41,54,68\r\n");
  }

  // The JSON lines of the output, each checked: valid JSON, the seven keys in
  // their order and of their types, a code that goes with its body.
  std::vector<Letto> LeggiJson(const std::string& uscita) {
    std::vector<Letto> eventi;
    for (const std::string& riga : Righe(uscita)) {
      SCOPED_TRACE(riga);
      QJsonObject o = OggettoJson(riga, kChiavi);
      std::optional<double> jd = JdDiUtc(o["utc"].toString());
      EXPECT_TRUE(jd.has_value());
      EXPECT_TRUE(o["evento"].isString() && o["satellite"].isDouble() &&
                  o["alt_giove"].isDouble() && o["alt_sole"].isDouble() &&
                  o["nascosto"].isBool() && o["descrizione"].isString());
      EXPECT_FALSE(o["descrizione"].toString().isEmpty());
      const int satellite = o["satellite"].toInt(-1);
      EXPECT_EQ(o["evento"].toString() == "GRS", satellite == 0);
      EXPECT_TRUE(satellite >= 0 && satellite <= 4);
      eventi.push_back({jd.value_or(0), o["evento"].toString().toStdString(), satellite,
                        o["alt_giove"].toDouble(), o["alt_sole"].toDouble(),
                        o["nascosto"].toBool()});
    }
    return eventi;
  }

  // The rows of the text table: "GG/MM/AAAA  hh:mm:ss  Code  Description ...".
  static std::vector<Letto> LeggiTabella(const std::string& uscita) {
    static const QRegularExpression riga(
        "^(\\d{2})/(\\d{2})/(\\d{4})  (\\d{2}):(\\d{2}):(\\d{2})  (\\S+) +(.*?)  ");
    std::vector<Letto> eventi;
    for (const std::string& r : Righe(uscita)) {
      QRegularExpressionMatch m = riga.match(QString::fromStdString(r));
      if (!m.hasMatch()) continue;
      const QString descrizione = m.captured(8);
      int satellite = 0;
      for (int i = 0; i < 4; ++i)
        if (descrizione.contains(kSatelliti[i])) satellite = i + 1;
      const double jd =
          GiornoGiulianoDi({m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt(),
                            m.captured(4).toInt(), m.captured(5).toInt(), m.captured(6).toInt()});
      eventi.push_back({jd, m.captured(7).toStdString(), satellite, 0, 0, false});
    }
    return eventi;
  }

  // The event of the list with this code and body nearest to jdUT.
  static const Letto* Vicino(const std::vector<Letto>& eventi, const std::string& evento,
                             int satellite, double jdUT) {
    const Letto* migliore = nullptr;
    for (const Letto& e : eventi)
      if (e.evento == evento && e.satellite == satellite &&
          (!migliore || std::abs(e.jdUT - jdUT) < std::abs(migliore->jdUT - jdUT)))
        migliore = &e;
    return migliore;
  }
  static bool Elencato(const std::vector<Letto>& eventi, const std::string& evento, int satellite,
                       double jdUT, double secondi) {
    const Letto* e = Vicino(eventi, evento, satellite, jdUT);
    return e && std::abs(e->jdUT - jdUT) * 86400 <= secondi;
  }
};

constexpr const char* kGennaio2016 =
    "--giorno 2 --mese 1 --anno 2016 --ore 0 --minuti 0 --zona TU ";
constexpr const char* kAvvisoFuori =
    "Intervallo degli eventi fuori dagli anni 1600-2999: nessun calcolo";

TEST_F(EffemeridiEventi, WrongCommandLinesEndWithTheUsage) {
  const char* cases[] = {
      "--eventi 0",
      "--eventi 3661",
      "--eventi -1",
      "--eventi 1.5",
      "--eventi tre",
      "--eventi ''",
      "--eventi",
      "--eventi 2 --giorno 31 --mese 4 --anno 2026",
      "--eventi 2 --giorno 29 --mese 2 --anno 2027",
      "--eventi 2 --giorno 0 --mese 1 --anno 2026",
      "--eventi 2 --giorno 1 --mese 13 --anno 2026",
      "--eventi 2 --giorno 1 --mese 1 --anno 2026 --ore 24",
      "--eventi 2 --giorno 1 --mese 1 --anno 2026 --minuti 60",
      "--eventi 2 --giorno 1 --mese 1 --anno 2026 --ore 9.5",
      "--eventi 2 --giorno 1 --mese 1 --anno 2016x",
      "--eventi 2 --giorno 1 --mese 1 --anno 1e3",
      "--eventi 2 --formato xml",
      "--eventi 2 --formato JSON",
      "--eventi 2 --formato",
      "--eventi 2 --macchia 360",
      "--eventi 2 --macchia -0.5",
      "--eventi 2 --macchia nan",
      "--eventi 2 --deriva 30.5 --epoca 2026-03-01",
      "--eventi 2 --deriva 1.5",  // a drift from no date: the file has none
      "--eventi 2 --epoca 2026-02-30",
      "--eventi 2 --epoca 1/3/2026",
      "--eventi 2 --epoca 2026-3-1",
      "--eventi 2 --epoca 1599-12-31",
      "--eventi 2 --altezza-minima 10",
      "--eventi 2 --sole-massimo -12",
      "--eventi 2 --visibili --altezza-minima 91",
      "--eventi 2 --visibili --sole-massimo -90.5",
      "--eventi 2 --visibili --sole-massimo meno",
      "--visibili",
      "--formato json",
      "--macchia 20",
      "--epoca 2026-03-01",
      "--eventi 2 --json",
      "--eventi 2 --disegno",
      "--eventi 2 --azione Più",
      "--eventi 2 --spunta IO=0",
      "--eventi 2 --precisione alta",
  };
  for (const char* argomenti : cases) AttesoUsoSbagliato(argomenti);
}

// The window must lie in 1 January 1600 0h UT .. 1 January 3000 0h UT, the
// zone deciding on which side a civil time falls.
TEST_F(EffemeridiEventi, WindowOutsideTheRange) {
  struct Case {
    const char* argomenti;
    int stato;
  };
  const Case cases[] = {
      {"--giorno 31 --mese 12 --anno 1599 --ore 12 --minuti 0 --zona TU --eventi 1", 1},
      {"--giorno 1 --mese 1 --anno 1600 --ore 1 --minuti 0 --zona OE --eventi 1", 1},
      {"--giorno 1 --mese 1 --anno 1600 --ore 2 --minuti 0 --zona OE --eventi 1", 0},
      {"--giorno 31 --mese 12 --anno 2999 --ore 0 --minuti 1 --zona TU --eventi 1", 1},
      {"--giorno 31 --mese 12 --anno 2999 --ore 0 --minuti 0 --zona TU --eventi 1", 0},
      {"--giorno 1 --mese 1 --anno 2999 --ore 0 --minuti 0 --zona TU --eventi 366", 1},
      {"--giorno 1 --mese 1 --anno 9999999 --ore 0 --minuti 0 --zona TU --eventi 1", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.argomenti);
    Esito e = Esegui(c.argomenti);
    EXPECT_EQ(e.stato, c.stato);
    if (c.stato == 1) {
      EXPECT_EQ(e.uscita, "");
      EXPECT_EQ(e.errori, std::string(kAvvisoFuori) + "\n");
    } else {
      EXPECT_TRUE(Contiene(e.uscita, "Descrizione")) << e.uscita;
    }
  }
}

// IMCCE's predictions printed for 2 January 2016 (UT, to the minute), in both
// formats, within a minute; the two formats list the same events.
TEST_F(EffemeridiEventi, PublishedPredictionsInBothFormats) {
  struct Case {
    int ore, minuti;
    const char* evento;
    int satellite;
  };
  const Case cases[] = {
      {5, 35, "Ec.D", 2}, {10, 41, "Oc.R", 2}, {13, 1, "Sh.I", 1},
      {14, 10, "Tr.I", 1}, {15, 16, "Sh.E", 1}, {16, 24, "Tr.E", 1},
  };
  Esito testo = Esegui(std::string(kGennaio2016) + "--eventi 1");
  Esito json = Esegui(std::string(kGennaio2016) + "--eventi 1 --formato json");
  ASSERT_EQ(testo.stato, 0);
  ASSERT_EQ(json.stato, 0);
  EXPECT_EQ(testo.errori, "");
  EXPECT_TRUE(Contiene(testo.uscita, "Eventi di 1 giorno dal 02/01/2016 00:00 TU")) << testo.uscita;
  EXPECT_TRUE(Contiene(testo.uscita, "Delta T 68 s")) << testo.uscita;
  const std::vector<Letto> tabella = LeggiTabella(testo.uscita), righe = LeggiJson(json.uscita);
  ASSERT_EQ(tabella.size(), righe.size());
  for (std::size_t i = 0; i < righe.size(); ++i) {
    EXPECT_EQ(tabella[i].evento, righe[i].evento);
    EXPECT_EQ(tabella[i].satellite, righe[i].satellite);
    EXPECT_EQ(tabella[i].jdUT, righe[i].jdUT);
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.evento) + " " + kSatelliti[c.satellite - 1]);
    const double atteso = GiornoGiuliano(2, 1, 2016, c.ore, c.minuti);
    EXPECT_TRUE(Elencato(tabella, c.evento, c.satellite, atteso, 60));
    EXPECT_TRUE(Elencato(righe, c.evento, c.satellite, atteso, 60));
  }
  for (const Letto& e : righe) {
    EXPECT_GE(e.jdUT, GiornoGiuliano(2, 1, 2016));
    EXPECT_LT(e.jdUT, GiornoGiuliano(3, 1, 2016));
  }
}

// Rome, 2 January 2016: the Sun rises about 06:37 UT and Jupiter, near +5
// degrees of declination, culminates about 53 degrees high. Europa's eclipse
// at 05:35 UT is seen in a dark sky; Io's afternoon events are not.
TEST_F(EffemeridiEventi, OnlyVisibleEvents) {
  const std::string tutti = std::string(kGennaio2016) + "--eventi 1 --formato json";
  const std::vector<Letto> elenco = LeggiJson(Esegui(tutti).uscita);
  struct Case {
    const char* filtro;
    double giove, sole;
    bool europa;  // Europa's Ec.D at 05:35 listed
  };
  const Case cases[] = {
      {"--visibili", 0, -6, true},
      {"--visibili --altezza-minima 40 --sole-massimo -9", 40, -9, true},
      {"--visibili --sole-massimo -18", 0, -18, false},
      {"--visibili --altezza-minima 60", 60, -6, false},
  };
  const double ecD = GiornoGiuliano(2, 1, 2016, 5, 35);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.filtro);
    Esito e = Esegui(tutti + " " + c.filtro);
    ASSERT_EQ(e.stato, 0);
    const std::vector<Letto> visibili = LeggiJson(e.uscita);
    EXPECT_EQ(Elencato(visibili, "Ec.D", 2, ecD, 60), c.europa);
    EXPECT_FALSE(Elencato(visibili, "Sh.I", 1, GiornoGiuliano(2, 1, 2016, 13, 1), 60));
    // Exactly the events of the whole list that pass, in the same order
    // (altitudes to 0.01 degree).
    std::vector<Letto> attesi;
    for (const Letto& x : elenco)
      if (x.altGiove >= c.giove && x.altSole <= c.sole && !x.nascosto) attesi.push_back(x);
    ASSERT_EQ(visibili.size(), attesi.size());
    for (std::size_t i = 0; i < attesi.size(); ++i) {
      EXPECT_EQ(visibili[i].jdUT, attesi[i].jdUT);
      EXPECT_EQ(visibili[i].evento, attesi[i].evento);
    }
  }
  // Jupiter never climbs to 60 degrees at Rome that winter: an empty table, its heading kept.
  Esito vuota = Esegui(std::string(kGennaio2016) + "--eventi 1 --visibili --altezza-minima 60");
  ASSERT_EQ(vuota.stato, 0);
  EXPECT_TRUE(Contiene(vuota.uscita, "Solo gli eventi visibili: Giove ad almeno 60°"));
  EXPECT_TRUE(Contiene(vuota.uscita, "Nessun evento.\n")) << vuota.uscita;
}

// Red Spot transits published for 17-20 January 2019 with L = 294 (UT, to the
// minute; Delta T 69 s). A drift of D degrees a month from the epoch e moves a
// transit at t by D (t - e) / 30.4375 degrees, that is by that angle over the
// central meridian's 870.27 degrees a day, less the drift's own rate.
TEST_F(EffemeridiEventi, RedSpotFromTheFileOrTheCommandLine) {
  const int transiti[][3] = {{17, 6, 27}, {17, 16, 23}, {18, 2, 19}, {18, 12, 15},
                             {18, 22, 10}, {19, 8, 6},  {19, 18, 2},  {20, 3, 58},
                             {20, 13, 53}, {20, 23, 49}};
  struct Case {
    const char* imp;
    const char* argomenti;
    double deriva;  // degrees a month from 17 January 2019 0h UT
  };
  const Case cases[] = {
      {"0,12,30,41,54,69", "--macchia 294", 0},
      {"0,12,30,41,54,69", "--macchia 294 --deriva 30 --epoca 2019-01-17", 30},
      {"294,12,30,41,54,69,-30,20190117", "", -30},
      {"294,12,30,41,54,69,-30,20190117", "--deriva 0", 0},
      {"294,12,30,41,54,69,30,20181201", "--epoca 2019-01-17", 30},
      {"100,12,30,41,54,69,30,20181201", "--macchia 294 --deriva 30 --epoca 2019-01-17", 30},
  };
  const double epoca = GiornoGiuliano(17, 1, 2019);
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.imp) + " " + c.argomenti);
    Scrivi("Imp.txt", std::string(c.imp) + "\r\n");
    Esito e = Esegui("--giorno 17 --mese 1 --anno 2019 --ore 0 --minuti 0 --zona TU --eventi 4 "
                     "--formato json " + std::string(c.argomenti));
    ASSERT_EQ(e.stato, 0);
    EXPECT_EQ(e.errori, "");
    std::vector<Letto> macchia;
    for (const Letto& x : LeggiJson(e.uscita))
      if (x.evento == "GRS") macchia.push_back(x);
    ASSERT_EQ(macchia.size(), std::size(transiti));
    const double velocita = c.deriva / 30.4375;  // degrees a day
    for (std::size_t k = 0; k < macchia.size(); ++k) {
      const double pubblicato =
          GiornoGiuliano(transiti[k][0], 1, 2019, transiti[k][1], transiti[k][2]);
      const double atteso = pubblicato + velocita * (pubblicato - epoca) / (870.27 - velocita);
      const double secondi = (macchia[k].jdUT - atteso) * 86400;
      EXPECT_TRUE(std::isfinite(secondi) && std::abs(secondi) <= 60) << k << ": " << secondi;
    }
  }
}

// 13:05 of 2 January 2016 is 13:05 UT in TU, 12:05 UT in TM, 11:05 UT in OE:
// Callisto's eclipse (11:32 UT) and Io's shadow (13:01 UT) come in as the
// start moves back. Without --zona, the zone of IOra.txt (TM when it has none).
TEST_F(EffemeridiEventi, TheZoneMovesTheStart) {
  struct Case {
    const char* zona;
    const char* iora;  // nullptr: no IOra.txt
    const char* inizio;
    bool callisto, ombraIo;
  };
  const Case cases[] = {
      {"--zona TU", nullptr, "13:05", false, false},
      {"--zona TM", nullptr, "12:05", false, true},
      {"--zona OE", nullptr, "11:05", true, true},
      {"", "1\r\n", "11:05", true, true},
      {"", "0\r\n", "12:05", false, true},
      {"", nullptr, "12:05", false, true},
      {"--zona TU", "1\r\n", "13:05", false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.zona) + " IOra.txt " + (c.iora ? c.iora : "-"));
    std::filesystem::remove(cartella / "IOra.txt");
    if (c.iora) Scrivi("IOra.txt", c.iora);
    const std::string istante =
        "--giorno 2 --mese 1 --anno 2016 --ore 13 --minuti 5 --eventi 1 " + std::string(c.zona);
    Esito testo = Esegui(istante);
    ASSERT_EQ(testo.stato, 0);
    EXPECT_TRUE(Contiene(testo.uscita, std::string("dal 02/01/2016 ") + c.inizio + " TU"))
        << testo.uscita;
    const std::vector<Letto> eventi = LeggiJson(Esegui(istante + " --formato json").uscita);
    EXPECT_EQ(Elencato(eventi, "Ec.D", 4, GiornoGiuliano(2, 1, 2016, 11, 32), 90), c.callisto);
    EXPECT_EQ(Elencato(eventi, "Sh.I", 1, GiornoGiuliano(2, 1, 2016, 13, 1), 60), c.ombraIo);
    EXPECT_TRUE(Elencato(eventi, "Tr.I", 1, GiornoGiuliano(2, 1, 2016, 14, 10), 60));
  }
}

// Without a date the window starts at the present minute; without Imp.txt the
// defaults are used, with the window's notice, and no file is written.
TEST_F(EffemeridiEventi, FromNowWithTheDefaults) {
  std::filesystem::remove(cartella / "Imp.txt");
  using namespace std::chrono;
  const auto jd = [](system_clock::time_point t) {
    return 2440587.5 + duration<double>(t.time_since_epoch()).count() / 86400;
  };
  const double prima = jd(system_clock::now());
  Esito e = Esegui("--eventi 1 --formato json");
  const double dopo = jd(system_clock::now());
  ASSERT_EQ(e.stato, 0);
  EXPECT_EQ(e.errori, "Il file Imp.txt non esiste: uso le impostazioni predefinite.\n");
  EXPECT_FALSE(std::filesystem::exists(cartella / "Imp.txt"));
  EXPECT_FALSE(std::filesystem::exists(cartella / "IOra.txt"));
  const std::vector<Letto> eventi = LeggiJson(e.uscita);
  // Red Spot transits alone come every 9 h 56 min.
  EXPECT_GE(eventi.size(), 2u);
  for (const Letto& x : eventi) {
    EXPECT_GE(x.jdUT, prima - 60.5 / 86400);
    EXPECT_LT(x.jdUT, dopo + 1 + 0.5 / 86400);
  }
}

}  // namespace
}  // namespace mr
