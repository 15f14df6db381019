#include "settings/file_impostazioni.h"

#include "cartella_temp.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
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
      {0.1, 1.0 / 3, -2.0 / 3, 1e-7, 123.456789012345, -0.001},
      {1e300, -1e-300, 5e-324, -1.7976931348623157e308, 0, 69},
  };
  for (const auto& imp : cases) {
    CartellaTemp cartella;
    ASSERT_EQ(Testo(ScriviImp(cartella.percorso(), imp)), "");
    SCOPED_TRACE(cartella.Leggi("Imp.txt"));
    LetturaImp l = LeggiImp(cartella.percorso());
    EXPECT_FALSE(l.mancante);
    EXPECT_EQ(Testo(l.errore), "");
    EXPECT_EQ(Valori(l.imp), Valori(imp));
  }
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
      {"more than six", "23,14,25,40,38,64,99,whatever"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.nome);
    CartellaTemp cartella;
    cartella.Scrivi("Imp.txt", c.byte);
    LetturaImp l = LeggiImp(cartella.percorso());
    EXPECT_EQ(Testo(l.errore), "");
    EXPECT_EQ(Valori(l.imp), (std::array<double, 6>{23, 14, 25, 40, 38, 64}));
  }
}

TEST(FileImp, MissingFileGivesTheDefaultsAndCreatesNothing) {
  CartellaTemp cartella;
  LetturaImp l = LeggiImp(cartella.percorso());
  EXPECT_TRUE(l.mancante);
  EXPECT_EQ(Testo(l.errore), "");
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
    EXPECT_EQ(Testo(l.errore), c.problema);
    EXPECT_EQ(Valori(l.imp), c.attesi);
  }
}

TEST(FileImp, UnreadableFileGivesTheDefaultsAndNamesTheFile) {
  CartellaTemp cartella;
  fs::create_directory(cartella.percorso() / "Imp.txt");
  LetturaImp l = LeggiImp(cartella.percorso());
  EXPECT_FALSE(l.mancante);
  EXPECT_EQ(Testo(l.errore),
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

TEST(FileImp, WritingThroughALinkReplacesTheFileItPointsTo) {
  CartellaTemp cartella;
  fs::create_directory(cartella.percorso() / "dati");
  cartella.Scrivi("dati/Imp.txt", "1,2,3,4,5,6\r\n");
  fs::create_symlink("dati/Imp.txt", cartella.percorso() / "Imp.txt");
  EXPECT_EQ(Testo(ScriviImp(cartella.percorso(), {12.5, 14, 25, 40, 38, 64})), "");
  EXPECT_TRUE(fs::is_symlink(cartella.percorso() / "Imp.txt"));
  EXPECT_EQ(cartella.Leggi("dati/Imp.txt"), "12.5,14,25,40,38,64\r\n");
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
