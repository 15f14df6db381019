// The program's own settings file "MacchiaRossa.ini".
#include "settings/preferenze.h"

#include <gtest/gtest.h>

#include <cmath>

#include "cartella_temp.h"

namespace mr {
namespace {

namespace fs = std::filesystem;
using prova::CartellaTemp;

TEST(Preferenze, WrittenBySectionAndKeyAndReadBack) {
  CartellaTemp cartella;
  Preferenze p;
  p.Imposta("Eventi/zona", "Europe/Rome");
  p.ImpostaNumero("Eventi/giorni", 7);
  p.ImpostaBooleano("Vista/visioneNotturna", true);
  p.ImpostaNumero("Eventi/altezzaMinima", 12.5);
  ASSERT_FALSE(ScriviPreferenze(cartella.percorso(), p));
  EXPECT_EQ(cartella.Leggi("MacchiaRossa.ini"),
            "[Eventi]\naltezzaMinima=12.5\ngiorni=7\nzona=Europe/Rome\n\n"
            "[Vista]\nvisioneNotturna=1\n");
  LetturaPreferenze letta = LeggiPreferenze(cartella.percorso());
  EXPECT_FALSE(letta.errore);
  EXPECT_EQ(letta.preferenze, p);
}

TEST(Preferenze, TypedReadersFallBackToTheDefault) {
  struct Case {
    const char* testo;  // nullptr: no key
    bool booleano;      // with default false
    int intero;         // with default 7, range 1..366
    double numero;      // with default 10, range -90..90
  };
  const Case casi[] = {
      {nullptr, false, 7, 10},  {"1", true, 1, 1},         {"0", false, 7, 0},
      {"true", true, 7, 10},    {"false", false, 7, 10},   {"366", false, 366, 10},
      {"367", false, 7, 10},    {"12.5", false, 7, 12.5},  {" -90 ", false, 7, -90},
      {"-90.5", false, 7, 10},  {"abc", false, 7, 10},     {"1e3", false, 7, 10},
      {"inf", false, 7, 10},    {"", false, 7, 10},        {"45abc", false, 7, 10},
  };
  for (const Case& c : casi) {
    SCOPED_TRACE(c.testo ? c.testo : "(none)");
    Preferenze p;
    if (c.testo) p.Imposta("S/k", c.testo);
    EXPECT_EQ(p.Booleano("S/k", false), c.booleano);
    EXPECT_EQ(p.Intero("S/k", 7, 1, 366), c.intero);
    EXPECT_EQ(p.Numero("S/k", 10, -90, 90), c.numero);
  }
}

TEST(Preferenze, KeysAnIniLineCannotHoldAreNotStored) {
  Preferenze p;
  for (const char* chiave : {"senzaSezione", "/k", "S/", "S/a=b", "[S]/k", "S/a\nb", " S/k"})
    p.Imposta(chiave, "x");
  EXPECT_EQ(p, Preferenze());
  p.Imposta("S/k", "riga\r\nseconda");
  EXPECT_EQ(p.Testo("S/k", ""), "riga  seconda");
  EXPECT_EQ(Preferenze::DaTesto(p.TestoFile()), p);
}

TEST(Preferenze, AHandEditedFileIsReadForWhatMakesSense) {
  const Preferenze p = Preferenze::DaTesto(
      "\xEF\xBB\xBF"
      "orfana=1\r\n"
      "; comment\r\n"
      "[ Eventi ]\r\n"
      "giorni = 30\r\n"
      "riga senza uguale\r\n"
      "zona=America/New_York=x\r\n"
      "[Vista]\n"
      "# another comment\n"
      "orientamento=2");
  Preferenze attese;
  attese.Imposta("Eventi/giorni", "30");
  attese.Imposta("Eventi/zona", "America/New_York=x");
  attese.Imposta("Vista/orientamento", "2");
  EXPECT_EQ(p.Testo("Eventi/giorni", ""), "30");
  EXPECT_EQ(p.Testo("Eventi/zona", ""), "America/New_York=x");
  EXPECT_EQ(p.Testo("Vista/orientamento", ""), "2");
  EXPECT_FALSE(p.Testo("Eventi/orfana"));
}

TEST(Preferenze, UpdatingKeepsWhatOthersStored) {
  CartellaTemp cartella;
  cartella.Scrivi("macchiarossa.INI", "[Eventi]\ngiorni=30\n[Altro]\nsconosciuta=si\n");
  Preferenze modifiche;
  modifiche.ImpostaBooleano("Vista/visioneNotturna", false);
  modifiche.ImpostaNumero("Eventi/giorni", 14);
  ASSERT_FALSE(AggiornaPreferenze(cartella.percorso(), modifiche));
  EXPECT_EQ(cartella.Nomi(), std::vector<std::string>{"macchiarossa.INI"});
  EXPECT_EQ(cartella.Leggi("macchiarossa.INI"),
            "[Altro]\nsconosciuta=si\n\n[Eventi]\ngiorni=14\n\n[Vista]\nvisioneNotturna=0\n");
}

TEST(Preferenze, AMissingFileIsEmptyAndAnUnreadableOneIsNotOverwritten) {
  CartellaTemp cartella;
  LetturaPreferenze mancante = LeggiPreferenze(cartella.percorso());
  EXPECT_FALSE(mancante.errore);
  EXPECT_EQ(mancante.preferenze, Preferenze());

  fs::create_directory(cartella.percorso() / "MacchiaRossa.ini");
  LetturaPreferenze cartellaAlPosto = LeggiPreferenze(cartella.percorso());
  ASSERT_TRUE(cartellaAlPosto.errore);
  EXPECT_EQ(TestoErrore(*cartellaAlPosto.errore),
            "Impossibile leggere il file MacchiaRossa.ini (al suo posto c'è una cartella)");
  Preferenze modifiche;
  modifiche.ImpostaBooleano("Vista/visioneNotturna", true);
  EXPECT_TRUE(AggiornaPreferenze(cartella.percorso(), modifiche));
  EXPECT_TRUE(fs::is_directory(cartella.percorso() / "MacchiaRossa.ini"));
}

}  // namespace
}  // namespace mr
