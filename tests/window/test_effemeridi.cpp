// The headless front, run as a user would run it.
#include <string>

#include "effemeridi_di_prova.h"

namespace mr {
namespace {

TEST_F(Effemeridi, JsonCarriesTheFieldsAfterCalcola) {
  Esito e = Esegui("--giorno 15 --mese 3 --anno 2004 --ore 22 --minuti 0 --zona TM --json");
  ASSERT_EQ(e.stato, 0);
  for (const char* atteso :
       {"\"Giorno\": \"15\"", "\"Mese\": \"3\"", "\"Anno\": \"2004\"", "\"Ore\": \"22\"",
        "\"Minuti\": \"0\"", "\"Culmine\": \"23:34\"", "\"Sorgere\": \"17:2\"",
        "\"Tramonto\": \"6:10\"", "\"Elevazione.Caption\": \"Altezza =  50.3°\"",
        "\"ScartoOra\": 0", "\"LongGradi\": 12", "\"LatGradi\": 42", "\"Massimo\": \"100\"",
        "\"frmSatelliti.Visible\": true",
        "\"Visibilità.Caption\": \"               Notte\"", "\"IO.ForeColor\": \"#c00000\""})
    EXPECT_TRUE(Contiene(e.uscita, atteso)) << atteso << "\n" << e.uscita;
  // EclisseTrovata is a window-level flag that only the animation clears: it may
  // still hold the start-up computation's announcement for the present instant.
  for (const char* chiave : {"\"Longitudine\"", "\"MC\"", "\"DiametroA\"", "\"De\"",
                             "\"EclisseTrovata\"",
                             "\"LongPrimi\"", "\"LatPrimi\"", "\"AltezzaSole\"",
                             "\"frmSatelliti.Caption\"", "\"frmSatelliti.BackColor\"",
                             "\"Visibilità.BackColor\"", "\"Elevazione.BackColor\""})
    EXPECT_TRUE(Contiene(e.uscita, chiave)) << chiave;
  EXPECT_FALSE(Contiene(e.uscita, "Zorva.disegno"));
}

TEST_F(Effemeridi, NormalisesAndNeverWritesFiles) {
  std::filesystem::remove(cartella / "Imp.txt");
  Esito e = Esegui("--giorno 31 --mese 4 --anno 2004 --zona OE --json");
  ASSERT_EQ(e.stato, 0);
  EXPECT_TRUE(Contiene(e.uscita, "\"Giorno\": \"1\""));
  EXPECT_TRUE(Contiene(e.uscita, "\"Mese\": \"5\""));
  EXPECT_TRUE(Contiene(e.uscita, "\"Longitudine\": \"98\""));
  EXPECT_FALSE(std::filesystem::exists(cartella / "Imp.txt"));
  EXPECT_FALSE(std::filesystem::exists(cartella / "IOra.txt"));
}

TEST_F(Effemeridi, DrawingsAndAnimation) {
  Esito e = Esegui(
      "--giorno 15 --mese 3 --anno 2004 --ore 10 --minuti 0 --spunta Rivoluzione=0 "
      "--spunta IO=0 --spunta Europa=0 --spunta Ganimede=0 --spunta Callisto=0 "
      "--azione Rotazione --json --disegno");
  ASSERT_EQ(e.stato, 0);
  EXPECT_TRUE(Contiene(e.uscita, "\"MeridianoA.arresto\": \"Macchia\""));
  EXPECT_TRUE(Contiene(e.uscita, "\"MeridianoA.fotogramma\": "));
  EXPECT_TRUE(Contiene(e.uscita, "\"Zorva.disegno\": [{\"op\":\"cls\"}"));
  EXPECT_TRUE(Contiene(e.uscita, "{\"op\":\"fill\",\"color\":\"#e6af7d\"}"));
  EXPECT_TRUE(Contiene(e.uscita, "\"IO.ForeColor\": \"#c80000\""));
  EXPECT_TRUE(Contiene(e.uscita, "\"frmSatelliti.Visible\": false"));
}

TEST_F(Effemeridi, ErrorsHaveTheirExitStatus) {
  EXPECT_EQ(Esegui("--boh").stato, 2);
  EXPECT_EQ(Esegui("--zona XX").stato, 2);
  EXPECT_EQ(Esegui("--spunta IO=2").stato, 2);
  EXPECT_EQ(Esegui("--azione Salta").stato, 2);
  EXPECT_EQ(Esegui("--anno 1500 --json").stato, 1);
  Esito aiuto = Esegui("--help");
  EXPECT_EQ(aiuto.stato, 0);
  EXPECT_TRUE(Contiene(aiuto.uscita, "uso: effemeridi"));
}

// The version of the project's CMakeLists.txt, with nothing computed or read.
TEST_F(Effemeridi, VersionIsTheProjects) {
  Esito e = Esegui("--version");
  EXPECT_EQ(e.stato, 0);
  EXPECT_EQ(e.uscita, std::string("effemeridi (MacchiaRossa) ") + VERSIONE_PROGETTO + "\n");
  EXPECT_EQ(e.errori, "");
}

TEST_F(Effemeridi, AFolderThatDoesNotExistIsAnError) {
  for (const char* cartella : {"--cartella /non/esiste", "--cartella stderr.txt"})
    AttesoUsoSbagliato(cartella);
}

// From 31 December 2999 22:00 mean time (21:00 UT) frame 21 is at 23:53.7 UT
// and frame 22 would fall in the year 3000: the animation ends on frame 21.
TEST_F(Effemeridi, AnimationEndsAtTheEndOfTheRangeWithOneNotice) {
  Esito e = Esegui(
      "--giorno 31 --mese 12 --anno 2999 --ore 22 --minuti 0 --zona TM --spunta Macchia=0 "
      "--spunta IO=0 --spunta Europa=0 --spunta Ganimede=0 --spunta Callisto=0 "
      "--azione Rotazione --json");
  ASSERT_EQ(e.stato, 0);
  EXPECT_TRUE(Contiene(e.uscita, "\"MeridianoA.arresto\": \"fuoriIntervallo\"")) << e.uscita;
  EXPECT_TRUE(Contiene(e.uscita, "\"MeridianoA.fotogramma\": 21"));
  EXPECT_TRUE(Contiene(e.uscita, "\"Giorno\": \"1\",\n \"Mese\": \"1\",\n \"Anno\": \"3000\""));
  EXPECT_TRUE(Contiene(e.uscita, "\"Ore\": \"0\",\n \"Minuti\": \"54\""));
  EXPECT_EQ(Conta(e.errori, AvvisoFuoriIntervallo), 1u) << e.errori;
}

// A minute step refused for a "Minuti" that is not a number prints the field
// as typed: bytes that are not UTF-8 become U+FFFD.
TEST_F(Effemeridi, JsonIsValidUtf8WhateverTheFieldsHold) {
  Esito e = Esegui("--minuti \"$(printf 'a\\377b\\303')\" --azione Più --json");
  ASSERT_EQ(e.stato, 0);
  EXPECT_TRUE(Contiene(e.uscita, "\"Minuti\": \"a\xEF\xBF\xBD" "b\xEF\xBF\xBD\"")) << e.uscita;
}

// Without the satellites' revolution no Sun, sky or panel is worked out for
// the instant asked: the table leaves them out rather than show the start-up's.
TEST_F(Effemeridi, TableLeavesOutWhatWasNotComputed) {
  const std::string istante = "--giorno 15 --mese 3 --anno 2004 --ore 22 --minuti 0 ";
  Esito con = Esegui(istante);
  ASSERT_EQ(con.stato, 0);
  for (const char* riga : {"Altezza del Sole", "Cielo", "Satelliti"})
    EXPECT_TRUE(Contiene(con.uscita, riga)) << riga;
  Esito senza = Esegui(istante + "--spunta Rivoluzione=0");
  ASSERT_EQ(senza.stato, 0);
  for (const char* riga : {"Altezza del Sole", "Cielo", "Satelliti"})
    EXPECT_FALSE(Contiene(senza.uscita, riga)) << riga;
  for (const char* riga : {"Meridiano centrale", "Altezza di Zorva", "Tramonta"})
    EXPECT_TRUE(Contiene(senza.uscita, riga)) << riga;
  // The JSON keeps all its keys.
  Esito json = Esegui(istante + "--spunta Rivoluzione=0 --json");
  for (const char* chiave : {"\"AltezzaSole\"", "\"Visibilità.Caption\"", "\"frmSatelliti.Caption\""})
    EXPECT_TRUE(Contiene(json.uscita, chiave)) << chiave;
}

// 2 January 2016, 05:37 UT: Europa vanished into Jupiter's shadow two minutes
// before (IMCCE: Ec.D 05:35). On the precise ephemeris the panel announces it;
// the short series announce an eclipse around its middle, not now.
TEST_F(Effemeridi, PrecisionHighAnnouncesTheEclipseAtTheDisappearance) {
  Scrivi("Imp.txt", "0,12,0,42,0,68\r\n");
  const std::string istante = "--giorno 2 --mese 1 --anno 2016 --ore 5 --minuti 37 --zona TU ";
  Esito alta = Esegui(istante + "--precisione alta --json");
  ASSERT_EQ(alta.stato, 0);
  EXPECT_TRUE(Contiene(alta.uscita, "alle ore 5:37        - Eclisse di Europa -\"")) << alta.uscita;
  Esito normale = Esegui(istante + "--precisione normale --json");
  ASSERT_EQ(normale.stato, 0);
  EXPECT_TRUE(Contiene(normale.uscita, "alle ore 5:37\"")) << normale.uscita;
  EXPECT_EQ(normale.uscita, Esegui(istante + "--json").uscita);

  EXPECT_TRUE(Contiene(Esegui(istante + "--precisione alta").uscita, "alta precisione"));
  EXPECT_FALSE(Contiene(Esegui(istante).uscita, "precisione"));
  EXPECT_EQ(Esegui("--precisione media").stato, 2);
  EXPECT_TRUE(Contiene(Esegui("--help").uscita, "[--precisione normale|alta]"));
}

TEST_F(Effemeridi, TableHasItalianLabels) {
  Esito e = Esegui("--giorno 15 --mese 3 --anno 2004 --ore 22 --minuti 0");
  ASSERT_EQ(e.stato, 0);
  for (const char* atteso : {"Meridiano centrale", "Sorge", "Culmina", "Tramonta", "17:2"})
    EXPECT_TRUE(Contiene(e.uscita, atteso)) << atteso;
}

}  // namespace
}  // namespace mr
