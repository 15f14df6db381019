#include "settings/file_impostazioni.h"

#include "cartella_temp.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace mr {
namespace {

namespace fs = std::filesystem;
using prova::CartellaTemp;
using Nomi = std::vector<std::string>;

// The text shown for an outcome: "" when there was no problem.
std::string Testo(const std::optional<ErroreFile>& e) { return e ? TestoErrore(*e) : ""; }

std::array<double, 6> Valori(const Impostazioni& i) {
  return {i.longitudineMacchia, i.longGradi, i.longPrimi, i.latGradi, i.latPrimi, i.deltaT};
}

TEST(FileImp, WritesOneRecordOfSixNumbersInTheFileFormat) {
  struct Case {
    Impostazioni imp;
    std::string byte;
  };
  const Case cases[] = {
      {{23, 14, 25, 40, 38, 64}, "23,14,25,40,38,64\r\n"},
      {{12.5, 14, 25, 40, 38, 64}, "12.5,14,25,40,38,64\r\n"},
      {{-0.5, -12, 0, -33.25, 0.1, 69}, "-0.5,-12,0,-33.25,0.1,69\r\n"},
      {{359.75, 1e-7, 0.3, -0.0, 1234567, 66.25}, "359.75,0.0000001,0.3,0,1234567,66.25\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.byte);
    CartellaTemp cartella;
    EXPECT_EQ(Testo(ScriviImp(cartella.percorso(), c.imp)), "");
    EXPECT_EQ(cartella.Leggi("Imp.txt"), c.byte);
    EXPECT_EQ(cartella.Nomi(), Nomi{"Imp.txt"});
  }
}

TEST(FileImp, WhatIsWrittenReadsBackUnchanged) {
  const Impostazioni cases[] = {
      {12.5, 14, 25, 40, 38, 64},
      {0.1, 1.0 / 3, -2.0 / 3, 1e-7, 12.3456789012345, -0.001},
      {359.99999999999994, -179.5, -30, -89, -59.999999999999993, -10000},
  };
  for (const auto& imp : cases) {
    CartellaTemp cartella;
    ASSERT_EQ(Testo(ScriviImp(cartella.percorso(), imp)), "");
    SCOPED_TRACE(cartella.Leggi("Imp.txt"));
    LetturaImp l = LeggiImp(cartella.percorso());
    EXPECT_FALSE(l.mancante);
    EXPECT_EQ(TestoErrori(l), "");
    EXPECT_EQ(Valori(l.imp), Valori(imp));
  }
}

TEST(FileImp, ARecordOfExtremeNumbersReadsBackUnchanged) {
  const double valori[] = {1e300, -1e-300, 5e-324, -1.7976931348623157e308, 1e100, 0.1};
  const std::string record = TestoRecord(valori);
  EXPECT_EQ(record.find('e'), std::string::npos);
  NumeriTesto letti = LeggiNumeriTesto(record, 6);
  EXPECT_FALSE(letti.nonNumero);
  EXPECT_EQ(letti.numeri, std::vector<double>(std::begin(valori), std::end(valori)));
}

TEST(FileImp, ValuesMaySeparateByCommasBlanksTabsAndLineEnds) {
  struct Case {
    const char* nome;
    std::string byte;
  };
  const Case cases[] = {
      {"record", "23,14,25,40,38,64\r\n"},
      {"no line end", "23,14,25,40,38,64"},
      {"blanks", "23 14 25 40 38 64\n"},
      {"one a line", "23\r\n14\r\n25\r\n40\r\n38\r\n64\r\n"},
      {"mixed runs", "  23 ,14,\t25\r\n\r\n40 38,\n64 "},
      {"byte-order mark", "\xEF\xBB\xBF" "23,14,25,40,38,64\r\n"},
      {"signs and forms", "+23,14.0,25.,4e1,0038,64"},
      {"more than eight", "23,14,25,40,38,64,0,20260301,whatever"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.nome);
    CartellaTemp cartella;
    cartella.Scrivi("Imp.txt", c.byte);
    LetturaImp l = LeggiImp(cartella.percorso());
    EXPECT_EQ(TestoErrori(l), "");
    EXPECT_EQ(Valori(l.imp), (std::array<double, 6>{23, 14, 25, 40, 38, 64}));
  }
}

TEST(FileImp, MissingFileGivesTheDefaultsAndCreatesNothing) {
  CartellaTemp cartella;
  LetturaImp l = LeggiImp(cartella.percorso());
  EXPECT_TRUE(l.mancante);
  EXPECT_EQ(TestoErrori(l), "");
  EXPECT_EQ(Valori(l.imp), (std::array<double, 6>{98, 12, 30, 41, 54, 69}));
  EXPECT_EQ(cartella.Nomi(), Nomi{});
}

TEST(FileImp, ShortOrBrokenFileKeepsWhatItHoldsAndSaysWhatIsMissing) {
  struct Case {
    std::string byte;
    std::array<double, 6> attesi;
    std::string problema;
  };
  const Case cases[] = {
      {"23,14,25\r\n", {23, 14, 25, 41, 54, 69},
       "Il file Imp.txt contiene solo 3 valori dei 6 attesi: per gli altri uso i valori "
       "predefiniti"},
      {"7", {7, 12, 30, 41, 54, 69},
       "Il file Imp.txt contiene solo 1 valore dei 6 attesi: per gli altri uso i valori "
       "predefiniti"},
      {"", {98, 12, 30, 41, 54, 69},
       "Il file Imp.txt non contiene valori: uso i valori predefiniti"},
      {" \r\n", {98, 12, 30, 41, 54, 69},
       "Il file Imp.txt non contiene valori: uso i valori predefiniti"},
      {"23,14,abc,40,38,64\r\n", {23, 14, 30, 41, 54, 69},
       "Nel file Imp.txt il testo \"abc\" non è un numero: letti solo 2 valori dei 6 attesi, "
       "per gli altri uso i valori predefiniti"},
      {"23;14;25;40;38;64\r\n", {98, 12, 30, 41, 54, 69},
       "Nel file Imp.txt il testo \"23;14;25;40;38;64\" non è un numero: uso i valori "
       "predefiniti"},
      {"23,14,25,40,38,6x", {23, 14, 25, 40, 38, 69},
       "Nel file Imp.txt il testo \"6x\" non è un numero: letti solo 5 valori dei 6 attesi, "
       "per gli altri uso i valori predefiniti"},
      {"12,5,14,25,40,38\r\n", {12, 5, 14, 25, 40, 38}, ""},
      {"inf,nan,1e999,1,2,3", {98, 12, 30, 41, 54, 69},
       "Nel file Imp.txt il testo \"inf\" non è un numero: uso i valori predefiniti"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.byte);
    CartellaTemp cartella;
    cartella.Scrivi("Imp.txt", c.byte);
    LetturaImp l = LeggiImp(cartella.percorso());
    EXPECT_FALSE(l.mancante);
    EXPECT_EQ(TestoErrori(l), c.problema);
    EXPECT_EQ(Valori(l.imp), c.attesi);
  }
}

// A value outside its range is as unreadable: that quantity (both numbers of a
// position) takes its default, the others stay, and the notice names it.
TEST(FileImp, ValuesOutsideTheirRangesTakeTheDefaults) {
  const std::string nove400(400, '9');
  struct Case {
    std::string byte;
    std::array<double, 6> attesi;
    std::string problema;
  };
  const Case cases[] = {
      // In range, the limits included; west and south with either sign on the minutes.
      {"0,180,0,90,0,10000", {0, 180, 0, 90, 0, 10000}, ""},
      {"359.99,-180,0,-90,0,-10000", {359.99, -180, 0, -90, 0, -10000}, ""},
      {"23,-3,-42,-33,-27,64", {23, -3, -42, -33, -27, 64}, ""},
      {"23,-3,42,33,-27,64", {23, -3, 42, 33, -27, 64}, ""},
      {"23,180.5,-30,90.5,-30,64", {23, 180.5, -30, 90.5, -30, 64}, ""},
      {"23,14,59.99,40,-59.99,64", {23, 14, 59.99, 40, -59.99, 64}, ""},
      // One quantity out.
      {"1e308,14,25,40,38,64", {98, 14, 25, 40, 38, 64},
       "Nel file Imp.txt la longitudine della Macchia Rossa (da 0° a meno di 360°) è fuori "
       "dall'intervallo ammesso: uso il valore predefinito"},
      {"360,14,25,40,38,64", {98, 14, 25, 40, 38, 64},
       "Nel file Imp.txt la longitudine della Macchia Rossa (da 0° a meno di 360°) è fuori "
       "dall'intervallo ammesso: uso il valore predefinito"},
      {"-0.5,14,25,40,38,64", {98, 14, 25, 40, 38, 64},
       "Nel file Imp.txt la longitudine della Macchia Rossa (da 0° a meno di 360°) è fuori "
       "dall'intervallo ammesso: uso il valore predefinito"},
      {"23,14,25,95,0,64", {23, 14, 25, 41, 54, 64},
       "Nel file Imp.txt la latitudine dell'osservatore (da -90° a 90°, primi minori di 60) è "
       "fuori dall'intervallo ammesso: uso il valore predefinito"},
      {"23,14,25,-90,-1,64", {23, 14, 25, 41, 54, 64},
       "Nel file Imp.txt la latitudine dell'osservatore (da -90° a 90°, primi minori di 60) è "
       "fuori dall'intervallo ammesso: uso il valore predefinito"},
      {"23,200,75,40,38,64", {23, 12, 30, 40, 38, 64},
       "Nel file Imp.txt la longitudine dell'osservatore (da -180° a 180°, primi minori di 60) "
       "è fuori dall'intervallo ammesso: uso il valore predefinito"},
      {"23,14,60,40,38,64", {23, 12, 30, 40, 38, 64},
       "Nel file Imp.txt la longitudine dell'osservatore (da -180° a 180°, primi minori di 60) "
       "è fuori dall'intervallo ammesso: uso il valore predefinito"},
      {"23,181,-59,40,38,64", {23, 12, 30, 40, 38, 64},
       "Nel file Imp.txt la longitudine dell'osservatore (da -180° a 180°, primi minori di 60) "
       "è fuori dall'intervallo ammesso: uso il valore predefinito"},
      {"23,14,25,40,38," + nove400, {23, 14, 25, 40, 38, 69},
       "Nel file Imp.txt Delta T (da -10000 s a 10000 s) è fuori dall'intervallo ammesso: uso il "
       "valore predefinito"},
      {"23,14,25,40,38,-10000.5", {23, 14, 25, 40, 38, 69},
       "Nel file Imp.txt Delta T (da -10000 s a 10000 s) è fuori dall'intervallo ammesso: uso il "
       "valore predefinito"},
      // Several out, and a text that stops the reading.
      {"400,14,25,95,0,1e99", {98, 14, 25, 41, 54, 69},
       "Nel file Imp.txt sono fuori dall'intervallo ammesso la longitudine della Macchia Rossa "
       "(da 0° a meno di 360°), la latitudine dell'osservatore (da -90° a 90°, primi minori di "
       "60) e Delta T (da -10000 s a 10000 s): per questi uso i valori predefiniti"},
      {"1e308,14,abc", {98, 14, 30, 41, 54, 69},
       "Nel file Imp.txt il testo \"abc\" non è un numero: letti solo 2 valori dei 6 attesi, per "
       "gli altri uso i valori predefiniti\nNel file Imp.txt la longitudine della Macchia Rossa "
       "(da 0° a meno di 360°) è fuori dall'intervallo ammesso: uso il valore predefinito"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.byte.substr(0, 40));
    CartellaTemp cartella;
    cartella.Scrivi("Imp.txt", c.byte);
    LetturaImp l = LeggiImp(cartella.percorso());
    EXPECT_EQ(TestoErrori(l), c.problema);
    EXPECT_EQ(Valori(l.imp), c.attesi);
  }
}

// After the six values, the Red Spot's drift (degrees a month) and its date
// AAAAMMGG: both or neither. A drift that cannot be read, or outside its range,
// or without a real date, is left out (drift 0) with one notice; the six values
// stay as read.
TEST(FileImp, TheDriftAndItsDateFollowTheSixValues) {
  struct Case {
    std::string coda;  // after "85,12,30,41,54,69"
    double deriva, data;
    std::string problema;
  };
  const std::string fuori =
      "Nel file Imp.txt la deriva della Macchia Rossa con la sua data (deriva da -30° a 30° al "
      "mese, data AAAAMMGG dal 1600 al 2999) è fuori dall'intervallo ammesso: uso il valore "
      "predefinito";
  const std::string senzaData =
      "Nel file Imp.txt la deriva della Macchia Rossa non è seguita dalla data di riferimento "
      "(AAAAMMGG): la ignoro";
  const Case cases[] = {
      {"\r\n", 0, 0, ""},
      {",1.5,20260301\r\n", 1.5, 20260301, ""},
      {" -0.75\n16000101", -0.75, 16000101, ""},
      {",30,29991231", 30, 29991231, ""},
      {",-30,20240229", -30, 20240229, ""},
      {",1,20000229", 1, 20000229, ""},
      {",0,20260301", 0, 20260301, ""},
      {",0,0", 0, 0, ""},
      {",1.5,20260301,whatever", 1.5, 20260301, ""},
      // Unreadable.
      {",1.5\r\n", 0, 0, senzaData},
      {",1.5,abc", 0, 0,
       "Nel file Imp.txt il testo \"abc\" non è un numero: ignoro la deriva della Macchia Rossa"},
      {" gradi", 0, 0,
       "Nel file Imp.txt il testo \"gradi\" non è un numero: ignoro la deriva della Macchia "
       "Rossa"},
      // Outside the ranges, or not a date.
      {",30.5,20260301", 0, 0, fuori},
      {",1.5,20261345", 0, 0, fuori},
      {",1.5,20250229", 0, 0, fuori},
      {",1.5,19000229", 0, 0, fuori},
      {",1.5,20260431", 0, 0, fuori},
      {",1.5,20260300", 0, 0, fuori},
      {",1.5,15991231", 0, 0, fuori},
      {",1.5,30000101", 0, 0, fuori},
      {",1.5,20260301.5", 0, 0, fuori},
      {",1.5,260301", 0, 0, fuori},
      {",1.5,0", 0, 0, fuori},
      {",0,12345", 0, 0, fuori},
      {",1,5,20260301", 0, 0, fuori},  // a decimal comma: drift 1, date 5
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.coda);
    CartellaTemp cartella;
    cartella.Scrivi("Imp.txt", "85,12,30,41,54,69" + c.coda);
    LetturaImp l = LeggiImp(cartella.percorso());
    EXPECT_EQ(TestoErrori(l), c.problema);
    EXPECT_EQ(Valori(l.imp), (std::array<double, 6>{85, 12, 30, 41, 54, 69}));
    EXPECT_EQ(l.imp.derivaMacchia, c.deriva);
    EXPECT_EQ(l.imp.dataMacchia, c.data);
  }
}

TEST(FileImp, ADriftOutOfRangeIsNamedWithTheOtherQuantities) {
  CartellaTemp cartella;
  cartella.Scrivi("Imp.txt", "400,12,30,41,54,69,99,20260301\r\n");
  LetturaImp l = LeggiImp(cartella.percorso());
  EXPECT_EQ(TestoErrori(l),
            "Nel file Imp.txt sono fuori dall'intervallo ammesso la longitudine della Macchia "
            "Rossa (da 0° a meno di 360°) e la deriva della Macchia Rossa con la sua data (deriva "
            "da -30° a 30° al mese, data AAAAMMGG dal 1600 al 2999): per questi uso i valori "
            "predefiniti");
  EXPECT_EQ(l.imp.longitudineMacchia, 98);
  EXPECT_EQ(l.imp.derivaMacchia, 0);
  EXPECT_EQ(l.imp.dataMacchia, 0);
}

// The drift and its date are written only when the drift is not 0, so that a
// file of six values read and written again stays byte for byte as it was.
TEST(FileImp, TheDriftIsWrittenOnlyWhenNotZero) {
  struct Case {
    Impostazioni imp;
    std::string byte;
  };
  const Case cases[] = {
      {{85, 12, 30, 41, 54, 69, 1.5, 20260301}, "85,12,30,41,54,69,1.5,20260301\r\n"},
      {{85, 12, 30, 41, 54, 69, -0.25, 16000101}, "85,12,30,41,54,69,-0.25,16000101\r\n"},
      {{85, 12, 30, 41, 54, 69, 0, 20260301}, "85,12,30,41,54,69\r\n"},
      {{85, 12, 30, 41, 54, 69, -0.0, 20260301}, "85,12,30,41,54,69\r\n"},
      {{85, 12, 30, 41, 54, 69}, "85,12,30,41,54,69\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.byte);
    CartellaTemp cartella;
    ASSERT_EQ(Testo(ScriviImp(cartella.percorso(), c.imp)), "");
    EXPECT_EQ(cartella.Leggi("Imp.txt"), c.byte);
  }
  for (const std::string byte : {"23,14,25,40,38,64\r\n", "23,14,25,40,38,64,-2.25,29991231\r\n",
                                 "0.5,-3,-42,-33.25,0,69.5,0.1,16000229\r\n"}) {
    SCOPED_TRACE(byte);
    CartellaTemp cartella;
    cartella.Scrivi("Imp.txt", byte);
    LetturaImp l = LeggiImp(cartella.percorso());
    ASSERT_EQ(TestoErrori(l), "");
    ASSERT_EQ(Testo(ScriviImp(cartella.percorso(), l.imp)), "");
    EXPECT_EQ(cartella.Leggi("Imp.txt"), byte);
  }
}

// L(t) = L0 + drift (t - epoch) / 30.4375 days, reduced to [0, 360), the
// epoch 0h UT of the reference date: 2026-03-01 is JD 2461100.5.
TEST(FileImp, TheRedSpotLongitudeFromTheSettings) {
  struct Case {
    Impostazioni imp;
    double jdUT, L;
  };
  const double epoca = 2461100.5, mese = 30.4375;
  const Case cases[] = {
      {{85, 12, 30, 41, 54, 69, 1.5, 20260301}, epoca, 85},
      {{85, 12, 30, 41, 54, 69, 1.5, 20260301}, epoca + 2 * mese, 88},
      {{85, 12, 30, 41, 54, 69, 1.5, 20260301}, epoca - 60 * mese, 355},
      {{359, 12, 30, 41, 54, 69, 1.5, 20260301}, epoca + mese, 0.5},
      {{10, 12, 30, 41, 54, 69, -2, 20260301}, epoca + 10 * mese, 350},
      {{200, 12, 30, 41, 54, 69, -0.5, 16000101}, 2305447.5 + 3 * mese, 198.5},
      {{123.4, 12, 30, 41, 54, 69}, 2451545.0 + 1e5, 123.4},
      {{123.4, 12, 30, 41, 54, 69, 0, 20260301}, epoca + 1e5, 123.4},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.L);
    double L = LongitudineMacchia(ModelloMacchiaDi(c.imp), c.jdUT);
    EXPECT_TRUE(std::isfinite(L) && std::abs(L - c.L) <= 1e-9) << L;
  }
}

// Degrees and minutes, each with its own sign, add up.
TEST(FileImp, TheSiteFromTheSettings) {
  struct Case {
    Impostazioni imp;
    double longitudine, latitudine;
  };
  const Case cases[] = {
      {{98, 12, 30, 41, 54, 69}, 12.5, 41.9},
      {{98, -3, -42, -33, -27, 69}, -3.7, -33.45},
      {{98, -3, 42, 33, -27, 69}, -2.3, 32.55},
      {{98, 0, -30, 0, 0, 69}, -0.5, 0},
  };
  for (const auto& c : cases) {
    Sito s = SitoDi(c.imp);
    EXPECT_TRUE(std::abs(s.longitudine - c.longitudine) <= 1e-12) << s.longitudine;
    EXPECT_TRUE(std::abs(s.latitudine - c.latitudine) <= 1e-12) << s.latitudine;
    EXPECT_EQ(s.quota, 0);
  }
}

TEST(FileImp, UnreadableFileGivesTheDefaultsAndNamesTheFile) {
  CartellaTemp cartella;
  fs::create_directory(cartella.percorso() / "Imp.txt");
  LetturaImp l = LeggiImp(cartella.percorso());
  EXPECT_FALSE(l.mancante);
  EXPECT_EQ(TestoErrori(l),
            "Impossibile leggere il file Imp.txt (al suo posto c'è una cartella): uso i valori "
            "predefiniti");
  EXPECT_EQ(Valori(l.imp), (std::array<double, 6>{98, 12, 30, 41, 54, 69}));
}

TEST(FileImp, FileIsFoundWithoutRegardToCaseForReadingAndWriting) {
  for (const std::string nome : {"imp.TXT", "Imp.Txt", "IMP.TXT", "imp.txt"}) {
    SCOPED_TRACE(nome);
    CartellaTemp cartella;
    cartella.Scrivi(nome, "1,2,3,4,5,6\r\n");
    EXPECT_EQ(Valori(LeggiImp(cartella.percorso()).imp),
              (std::array<double, 6>{1, 2, 3, 4, 5, 6}));

    EXPECT_EQ(Testo(ScriviImp(cartella.percorso(), {12.5, 14, 25, 40, 38, 64})), "");
    EXPECT_EQ(cartella.Nomi(), Nomi{nome});
    EXPECT_EQ(cartella.Leggi(nome), "12.5,14,25,40,38,64\r\n");
  }
}

TEST(FileImp, ExactNameComesFirstAmongCaseVariants) {
  CartellaTemp cartella;
  cartella.Scrivi("imp.txt", "1,1,1,1,1,1\r\n");
  cartella.Scrivi("Imp.txt", "2,2,2,2,2,2\r\n");
  EXPECT_EQ(CercaFile(cartella.percorso(), "Imp.txt"), cartella.percorso() / "Imp.txt");
  EXPECT_EQ(LeggiImp(cartella.percorso()).imp.longGradi, 2);
  EXPECT_EQ(CercaFile(cartella.percorso(), "IMP.TXT"), cartella.percorso() / "Imp.txt");
  EXPECT_EQ(CercaFile(cartella.percorso(), "Nessuno.txt"), cartella.percorso() / "Nessuno.txt");
}

// A file the user names is written under that name alone: another file whose
// name differs only in case stays as it is.
TEST(FileImp, AnExactPathIsWrittenUnderItsOwnName) {
  CartellaTemp cartella;
  cartella.Scrivi("EVENTI.csv", "vecchio");
  EXPECT_EQ(Testo(SostituisciPercorso(cartella.percorso() / "eventi.csv", "nuovo")), "");
  EXPECT_EQ(cartella.Nomi(), (Nomi{"EVENTI.csv", "eventi.csv"}));
  EXPECT_EQ(cartella.Leggi("EVENTI.csv"), "vecchio");
  EXPECT_EQ(cartella.Leggi("eventi.csv"), "nuovo");
  EXPECT_EQ(Testo(SostituisciPercorso(cartella.percorso() / "eventi.csv", "ancora")), "");
  EXPECT_EQ(cartella.Leggi("eventi.csv"), "ancora");
  EXPECT_EQ(Testo(SostituisciPercorso(cartella.percorso() / "manca" / "eventi.csv", "x")),
            "Impossibile scrivere il file eventi.csv: cartella inesistente");
}

TEST(FileImp, FailedWriteLeavesTheOldFileAndNoTemporaryFile) {
  const Impostazioni nuove{12.5, 14, 25, 40, 38, 64};
  {
    SCOPED_TRACE("folder does not exist");
    CartellaTemp cartella;
    EXPECT_EQ(Testo(ScriviImp(cartella.percorso() / "manca", nuove)),
              "Impossibile scrivere il file Imp.txt: cartella inesistente");
    EXPECT_EQ(cartella.Nomi(), Nomi{});
  }
  {
    SCOPED_TRACE("a folder stands where the file should");
    CartellaTemp cartella;
    fs::create_directory(cartella.percorso() / "imp.TXT");
    cartella.Scrivi("imp.TXT/dentro", "x");
    EXPECT_EQ(Testo(ScriviImp(cartella.percorso(), nuove)),
              "Impossibile scrivere il file imp.TXT: al suo posto c'è una cartella");
    EXPECT_EQ(cartella.Nomi(), Nomi{"imp.TXT"});
    EXPECT_EQ(cartella.Leggi("imp.TXT/dentro"), "x");
  }
  {
    SCOPED_TRACE("read-only file");
    CartellaTemp cartella;
    cartella.Scrivi("Imp.txt", "1,2,3,4,5,6\r\n");
    fs::permissions(cartella.percorso() / "Imp.txt",
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_EQ(Testo(ScriviImp(cartella.percorso(), nuove)),
              "Impossibile scrivere il file Imp.txt: il file è in sola lettura");
    EXPECT_EQ(cartella.Nomi(), Nomi{"Imp.txt"});
    EXPECT_EQ(cartella.Leggi("Imp.txt"), "1,2,3,4,5,6\r\n");
  }
}

// A save keeps the file's permissions: the new file is born with those the
// process gives new files, and takes the old file's before it replaces it.
TEST(FileImp, WritingKeepsTheFilePermissions) {
  const fs::perms modi[] = {fs::perms::owner_read | fs::perms::owner_write,
                            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read,
                            fs::perms::owner_read | fs::perms::owner_write |
                                fs::perms::group_read | fs::perms::group_write |
                                fs::perms::others_read | fs::perms::others_write,
                            fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read};
  for (fs::perms modo : modi) {
    SCOPED_TRACE(static_cast<int>(modo));
    CartellaTemp cartella;
    cartella.Scrivi("Imp.txt", "1,2,3,4,5,6\r\n");
    fs::permissions(cartella.percorso() / "Imp.txt", modo);
    EXPECT_EQ(Testo(ScriviImp(cartella.percorso(), {12.5, 14, 25, 40, 38, 64})), "");
    EXPECT_EQ(cartella.Leggi("Imp.txt"), "12.5,14,25,40,38,64\r\n");
    EXPECT_EQ(fs::status(cartella.percorso() / "Imp.txt").permissions(), modo);
  }
}

// Through links, a save replaces the file at the end of the chain, in that
// file's folder, and leaves every link as it was. A link to nothing yet
// creates its file.
TEST(FileImp, WritingThroughLinksReplacesTheFileAtTheEndOfTheChain) {
  struct Case {
    const char* nome;
    std::vector<std::pair<std::string, std::string>> collegamenti;  // link, what it holds
    bool esisteGia;
    std::string vero;  // the file that takes the record
  };
  const Case cases[] = {
      {"one link", {{"Imp.txt", "dati/Imp.txt"}}, true, "dati/Imp.txt"},
      {"a chain", {{"Imp.txt", "dati/anello"}, {"dati/anello", "../altri/vero.txt"}}, true,
       "altri/vero.txt"},
      {"an absolute link", {{"Imp.txt", "ASSOLUTO/altri/vero.txt"}}, true, "altri/vero.txt"},
      {"a link to nothing yet", {{"Imp.txt", "dati/nuovo.txt"}}, false, "dati/nuovo.txt"},
      {"a chain to nothing yet", {{"Imp.txt", "dati/anello"}, {"dati/anello", "nuovo.txt"}},
       false, "dati/nuovo.txt"},
      {"a link found without regard to case", {{"imp.TXT", "dati/Imp.txt"}}, true,
       "dati/Imp.txt"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.nome);
    CartellaTemp cartella;
    fs::create_directory(cartella.percorso() / "dati");
    fs::create_directory(cartella.percorso() / "altri");
    if (c.esisteGia) cartella.Scrivi(c.vero, "1,2,3,4,5,6\r\n");
    for (const auto& [collegamento, destinazione] : c.collegamenti) {
      std::string d = destinazione;
      if (d.starts_with("ASSOLUTO/")) d = (cartella.percorso() / d.substr(9)).string();
      fs::create_symlink(d, cartella.percorso() / collegamento);
    }

    EXPECT_EQ(Testo(ScriviImp(cartella.percorso(), {12.5, 14, 25, 40, 38, 64})), "");
    EXPECT_EQ(cartella.Leggi(c.vero), "12.5,14,25,40,38,64\r\n");
    for (const auto& [collegamento, destinazione] : c.collegamenti) {
      EXPECT_TRUE(fs::is_symlink(cartella.percorso() / collegamento)) << collegamento;
    }
    // No temporary file is left anywhere.
    std::size_t voci = 0;
    for (auto& e : fs::recursive_directory_iterator(cartella.percorso())) {
      EXPECT_FALSE(e.path().filename().string().ends_with(".tmp")) << e.path();
      ++voci;
    }
    EXPECT_EQ(voci, 3 + c.collegamenti.size());  // dati, altri, the file, the links
  }
}

TEST(FileImp, ABrokenChainOfLinksIsReportedAndLeftAlone) {
  struct Case {
    const char* nome;
    std::vector<std::pair<std::string, std::string>> collegamenti;
    const char* messaggio;
  };
  const Case cases[] = {
      {"a link into a missing folder", {{"Imp.txt", "manca/Imp.txt"}},
       "Impossibile scrivere il file Imp.txt: cartella inesistente"},
      {"a closed chain", {{"Imp.txt", "anello"}, {"anello", "Imp.txt"}},
       "Impossibile scrivere il file Imp.txt: catena di collegamenti simbolici chiusa o troppo "
       "lunga"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.nome);
    CartellaTemp cartella;
    for (const auto& [collegamento, destinazione] : c.collegamenti)
      fs::create_symlink(destinazione, cartella.percorso() / collegamento);
    EXPECT_EQ(Testo(ScriviImp(cartella.percorso(), {12.5, 14, 25, 40, 38, 64})), c.messaggio);
    for (const auto& [collegamento, destinazione] : c.collegamenti) {
      EXPECT_EQ(fs::read_symlink(cartella.percorso() / collegamento), destinazione);
    }
    EXPECT_EQ(cartella.Nomi().size(), c.collegamenti.size());
  }
}

// A pipe or a socket at the name, or at the end of a link, is not replaced.
TEST(FileImp, WritingRefusesToReplaceWhatIsNotARegularFile) {
  auto Fifo = [](const fs::path& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0644), 0); };
  auto Socket = [](const fs::path& p) {
    int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(s, 0);
    sockaddr_un indirizzo{};
    indirizzo.sun_family = AF_UNIX;
    ASSERT_LT(p.string().size(), sizeof indirizzo.sun_path);
    std::strcpy(indirizzo.sun_path, p.c_str());
    EXPECT_EQ(::bind(s, reinterpret_cast<sockaddr*>(&indirizzo), sizeof indirizzo), 0);
    ::close(s);
  };
  struct Case {
    const char* nome;
    bool fifo;
    bool collegamento;
    fs::file_type tipo;
  };
  const Case cases[] = {
      {"pipe", true, false, fs::file_type::fifo},
      {"pipe behind a link", true, true, fs::file_type::fifo},
      {"socket", false, false, fs::file_type::socket},
      {"socket behind a link", false, true, fs::file_type::socket},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.nome);
    CartellaTemp cartella;
    const fs::path speciale = cartella.percorso() / (c.collegamento ? "speciale" : "Imp.txt");
    if (c.fifo)
      Fifo(speciale);
    else
      Socket(speciale);
    if (c.collegamento) fs::create_symlink("speciale", cartella.percorso() / "Imp.txt");

    std::optional<ErroreFile> errore = ScriviImp(cartella.percorso(), {12.5, 14, 25, 40, 38, 64});
    ASSERT_TRUE(errore);
    EXPECT_EQ(errore->causa, Causa::NonFileOrdinario);
    EXPECT_EQ(TestoErrore(*errore), "Impossibile scrivere il file Imp.txt: non è un file ordinario");
    EXPECT_EQ(fs::symlink_status(speciale).type(), c.tipo);
    EXPECT_EQ(cartella.Nomi().size(), c.collegamento ? 2u : 1u);
  }
}

// Under a file-size limit a write fails and is reported; the program is not
// killed, and the old file stays whole.
TEST(FileImp, AWriteBeyondTheFileSizeLimitFailsWithAMessage) {
  CartellaTemp cartella;
  cartella.Scrivi("Imp.txt", "1,2,3,4,5,6\r\n");
  int tubo[2];
  ASSERT_EQ(::pipe(tubo), 0);
  const pid_t figlio = ::fork();
  ASSERT_GE(figlio, 0);
  if (figlio == 0) {
    ::close(tubo[0]);
    IgnoraSegnaleLimiteFile();
    rlimit limite{};
    ::getrlimit(RLIMIT_FSIZE, &limite);
    limite.rlim_cur = 0;
    ::setrlimit(RLIMIT_FSIZE, &limite);
    const std::string testo = Testo(ScriviImp(cartella.percorso(), {12.5, 14, 25, 40, 38, 64}));
    [[maybe_unused]] ssize_t scritti = ::write(tubo[1], testo.data(), testo.size());
    ::_exit(0);
  }
  ::close(tubo[1]);
  std::string messaggio;
  char buf[256];
  for (ssize_t n; (n = ::read(tubo[0], buf, sizeof buf)) > 0;) messaggio.append(buf, n);
  ::close(tubo[0]);
  int stato = 0;
  ASSERT_EQ(::waitpid(figlio, &stato, 0), figlio);
  EXPECT_TRUE(WIFEXITED(stato)) << "ended by signal " << WTERMSIG(stato);
  EXPECT_EQ(messaggio, "Impossibile scrivere il file Imp.txt: file troppo grande per il limite "
                       "imposto dal sistema");
  EXPECT_EQ(cartella.Leggi("Imp.txt"), "1,2,3,4,5,6\r\n");
  EXPECT_EQ(cartella.Nomi(), Nomi{"Imp.txt"});
}

// Only the temporary files of an interrupted save of "Imp.txt" or "IOra.txt"
// go; everything else in the folder stays.
TEST(FileImp, StaleTemporaryFilesOfTheProgramAreRemoved) {
  CartellaTemp cartella;
  const Nomi nostri = {".Imp.txt.0123456789abcdef.tmp", ".IOra.txt.fedcba9876543210.tmp",
                       ".imp.TXT.00000000ffffffff.tmp", ".MacchiaRossa.ini.0123456789abcdef.tmp"};
  const Nomi altri = {"Imp.txt",
                      "IOra.txt",
                      ".Imp.txt.0123.tmp",
                      ".Imp.txt.0123456789ABCDEF.tmp",
                      ".Imp.txt.0123456789abcdeg.tmp",
                      ".Altro.txt.0123456789abcdef.tmp",
                      "Imp.txt.0123456789abcdef.tmp",
                      ".Imp.txt.0123456789abcdef.tmp.bak",
                      ".Imp.txt.0123456789abcdef.TMP",
                      ".Imp.txt0123456789abcdef.tmp",
                      ".MacchiaRossa.ini.0123456789abcde.tmp"};
  for (const auto& nome : nostri) cartella.Scrivi(nome, "1,2");
  for (const auto& nome : altri) cartella.Scrivi(nome, "x");
  fs::create_directory(cartella.percorso() / ".IOra.txt.0000000000000000.tmp");
  fs::create_symlink("Imp.txt", cartella.percorso() / ".Imp.txt.1111111111111111.tmp");

  RimuoviTemporanei(cartella.percorso());
  Nomi restano = altri;
  restano.push_back(".IOra.txt.0000000000000000.tmp");
  restano.push_back(".Imp.txt.1111111111111111.tmp");
  std::sort(restano.begin(), restano.end());
  EXPECT_EQ(cartella.Nomi(), restano);
}

TEST(FileIOra, ReadsTheOneValue) {
  struct Case {
    const char* nome;
    std::optional<std::string> byte;  // none: no file
    std::optional<double> valore;
    bool problema;
  };
  const Case cases[] = {
      {"summer time", "1\r\n", 1, false},
      {"mean time", "0\r\n", 0, false},
      {"other value", " 2 ", 2, false},
      {"missing", std::nullopt, std::nullopt, false},
      {"empty", "", std::nullopt, true},
      {"garbage", "estate\r\n", std::nullopt, true},
      {"garbage after the value", "1,estate", 1, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.nome);
    CartellaTemp cartella;
    if (c.byte) cartella.Scrivi("IOra.txt", *c.byte);
    LetturaIOra l = LeggiIOra(cartella.percorso());
    EXPECT_EQ(l.valore, c.valore);
    EXPECT_EQ(l.errore.has_value(), c.problema) << Testo(l.errore);
  }
}

TEST(FileIOra, WritesOneRecordAndFindsTheFileWithoutRegardToCase) {
  CartellaTemp cartella;
  EXPECT_EQ(Testo(ScriviIOra(cartella.percorso(), 1)), "");
  EXPECT_EQ(cartella.Leggi("IOra.txt"), "1\r\n");
  EXPECT_EQ(LeggiIOra(cartella.percorso()).valore, 1);

  fs::rename(cartella.percorso() / "IOra.txt", cartella.percorso() / "iora.TXT");
  EXPECT_EQ(Testo(ScriviIOra(cartella.percorso(), 0)), "");
  EXPECT_EQ(cartella.Nomi(), Nomi{"iora.TXT"});
  EXPECT_EQ(cartella.Leggi("iora.TXT"), "0\r\n");
  EXPECT_EQ(LeggiIOra(cartella.percorso()).valore, 0);
}

TEST(FileIOra, UnreadableFileNamesTheFile) {
  CartellaTemp cartella;
  fs::create_directory(cartella.percorso() / "IORA.txt");
  LetturaIOra l = LeggiIOra(cartella.percorso());
  EXPECT_FALSE(l.valore);
  EXPECT_EQ(Testo(l.errore), "Impossibile leggere il file IORA.txt (al suo posto c'è una cartella)");
  EXPECT_EQ(Testo(ScriviIOra(cartella.percorso(), 1)),
            "Impossibile scrivere il file IORA.txt: al suo posto c'è una cartella");
}

}  // namespace
}  // namespace mr
