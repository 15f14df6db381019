#include "settings/coordinate.h"

#include "settings/file_impostazioni.h"
#include "cartella_temp.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace mr {
namespace {

using prova::CartellaTemp;
using Testi = std::array<std::string, 6>;

Testi TestiDi(const Coordinate& c) { return {c.Text1, c.Text2, c.Text3, c.Text4, c.Text5, c.Text6}; }

void Imposta(Coordinate& c, const Testi& t) {
  c.Text1 = t[0];
  c.Text2 = t[1];
  c.Text3 = t[2];
  c.Text4 = t[3];
  c.Text5 = t[4];
  c.Text6 = t[5];
}

TEST(Coordinate, LoadShowsEachValueAsItsShortestText) {
  CartellaTemp cartella;
  cartella.Scrivi("Imp.txt", "12.50,14,25.0,-40,0.25,64\r\n");
  Coordinate dialogo(cartella.percorso());
  dialogo.Form_Load();
  EXPECT_EQ(TestiDi(dialogo), (Testi{"12.5", "14", "25", "-40", "0.25", "64"}));
  EXPECT_EQ(dialogo.Problema, "");
  EXPECT_TRUE(dialogo.Aperta);
}

TEST(Coordinate, LoadOfAMissingOrShortFileShowsDefaultsAndTheProblem) {
  {
    SCOPED_TRACE("missing");
    CartellaTemp cartella;
    Coordinate dialogo(cartella.percorso());
    dialogo.Form_Load();
    EXPECT_EQ(TestiDi(dialogo), (Testi{"98", "12", "30", "41", "54", "69"}));
    EXPECT_NE(dialogo.Problema.find("Imp.txt"), std::string::npos) << dialogo.Problema;
    EXPECT_EQ(cartella.Nomi(), std::vector<std::string>{});
  }
  {
    SCOPED_TRACE("short");
    CartellaTemp cartella;
    cartella.Scrivi("Imp.txt", "23,14,25\r\n");
    Coordinate dialogo(cartella.percorso());
    dialogo.Form_Load();
    EXPECT_EQ(TestiDi(dialogo), (Testi{"23", "14", "25", "41", "54", "69"}));
    EXPECT_EQ(dialogo.Problema, TestoErrori(LeggiImp(cartella.percorso())));
    EXPECT_NE(dialogo.Problema, "");
  }
}

TEST(Coordinate, SaveWritesTheLeadingNumberOfEachFieldAndReadsBackUnchanged) {
  struct Case {
    Testi digitati;
    std::string byte;
    Testi riletti;
  };
  const Case cases[] = {
      {{"12.5", "14", "25 primi", "40", "38", "64"}, "12.5,14,25,40,38,64\r\n",
       {"12.5", "14", "25", "40", "38", "64"}},
      {{"23", "14", "abc", "40", "38", "64"}, "23,14,0,40,38,64\r\n",
       {"23", "14", "0", "40", "38", "64"}},
      {{"  7", "-3.25", "", ".5", "1,5", "64.000"}, "7,-3.25,0,0.5,1,64\r\n",
       {"7", "-3.25", "0", "0.5", "1", "64"}},
      {{"359.99x", "-0", "0.1", "12abc", "-", "+66.5"}, "359.99,0,0.1,12,0,66.5\r\n",
       {"359.99", "0", "0.1", "12", "0", "66.5"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.byte);
    CartellaTemp cartella;
    Coordinate dialogo(cartella.percorso());
    dialogo.Form_Load();
    Imposta(dialogo, c.digitati);
    EXPECT_EQ(dialogo.Salva_Click(), "");
    EXPECT_EQ(dialogo.Problema, "");
    EXPECT_EQ(cartella.Leggi("Imp.txt"), c.byte);

    Coordinate riaperto(cartella.percorso());
    riaperto.Form_Load();
    EXPECT_EQ(TestiDi(riaperto), c.riletti);
    EXPECT_EQ(riaperto.Problema, "");
  }
}

TEST(Coordinate, SaveIntoAnExistingFileKeepsItsName) {
  CartellaTemp cartella;
  cartella.Scrivi("imp.TXT", "1,2,3,4,5,6\r\n");
  Coordinate dialogo(cartella.percorso());
  dialogo.Form_Load();
  dialogo.Text1 = "12.5";
  EXPECT_EQ(dialogo.Salva_Click(), "");
  EXPECT_EQ(cartella.Nomi(), std::vector<std::string>{"imp.TXT"});
  EXPECT_EQ(cartella.Leggi("imp.TXT"), "12.5,2,3,4,5,6\r\n");
}

TEST(Coordinate, FailedSaveReturnsTheMessageAndKeepsTheFile) {
  CartellaTemp cartella;
  cartella.Scrivi("Imp.txt", "1,2,3,4,5,6\r\n");
  std::filesystem::permissions(cartella.percorso() / "Imp.txt", std::filesystem::perms::owner_read);
  Coordinate dialogo(cartella.percorso());
  dialogo.Form_Load();
  dialogo.Text1 = "12.5";
  EXPECT_EQ(dialogo.Salva_Click(), "Impossibile scrivere il file Imp.txt: il file è in sola lettura");
  EXPECT_TRUE(dialogo.Aperta);
  EXPECT_EQ(cartella.Leggi("Imp.txt"), "1,2,3,4,5,6\r\n");
}

TEST(Coordinate, OkDiscardsUnsavedEdits) {
  CartellaTemp cartella;
  cartella.Scrivi("Imp.txt", "1,2,3,4,5,6\r\n");
  Coordinate dialogo(cartella.percorso());
  dialogo.Form_Load();
  dialogo.Text1 = "12.5";
  dialogo.OK_Click();
  EXPECT_FALSE(dialogo.Aperta);
  EXPECT_EQ(cartella.Leggi("Imp.txt"), "1,2,3,4,5,6\r\n");
  dialogo.Form_Load();
  EXPECT_EQ(dialogo.Text1, "1");
}

}  // namespace
}  // namespace mr
