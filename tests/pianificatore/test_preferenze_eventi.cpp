#include <gtest/gtest.h>

#include "pianificatore/preferenze_eventi.h"

namespace mr {
namespace {

TEST(PreferenzeEventi, PredefiniteSenzaFile) {
  const PreferenzeEventi p = LeggiPreferenzeEventi(Preferenze{});
  EXPECT_EQ(p.scelta.giorni, 7);
  EXPECT_TRUE(p.scelta.soloOsservabili);
  EXPECT_EQ(p.scelta.altezzaMinima, 10);
  EXPECT_EQ(p.scelta.cielo, Cielo::CrepuscoloNautico);
  for (bool g : p.scelta.generi) EXPECT_TRUE(g);
  for (bool s : p.scelta.satelliti) EXPECT_TRUE(s);
  EXPECT_EQ(p.fuso, "");
  EXPECT_EQ(p.geometria, "");
}

TEST(PreferenzeEventi, TestoDelFileERilettura) {
  PreferenzeEventi p;
  p.scelta.generi = {true, false, true, false, true, false};
  p.scelta.satelliti = {false, true, true, false};
  p.scelta.giorni = 30;
  p.scelta.soloOsservabili = false;
  p.scelta.altezzaMinima = 15.5;
  p.scelta.cielo = Cielo::Notte;
  p.fuso = "America/New_York";
  p.geometria = "AdnQywADAAA=";
  const std::string testo = PreferenzeDi(p).TestoFile();
  EXPECT_EQ(testo,
            "[Eventi]\n"
            "altezzaMinima=15.5\n"
            "callisto=0\n"
            "cielo=notte\n"
            "eclissi=1\n"
            "europa=1\n"
            "fuso=America/New_York\n"
            "ganimede=1\n"
            "geometria=AdnQywADAAA=\n"
            "giorni=30\n"
            "io=0\n"
            "macchia=1\n"
            "mutui=0\n"
            "occultazioni=0\n"
            "ombre=1\n"
            "soloOsservabili=0\n"
            "transiti=0\n");
  EXPECT_EQ(LeggiPreferenzeEventi(Preferenze::DaTesto(testo)), p);
  // Each sky choice comes back.
  for (Cielo c : Cieli) {
    p.scelta.cielo = c;
    EXPECT_EQ(LeggiPreferenzeEventi(PreferenzeDi(p)).scelta.cielo, c) << NomeCielo(c);
  }
}

TEST(PreferenzeEventi, ValoriInutilizzabiliDannoIlPredefinito) {
  const char* testi[] = {
      "[Eventi]\ngiorni=0\naltezzaMinima=-5\ncielo=alba\nmacchia=2\n",
      "[Eventi]\ngiorni=367\naltezzaMinima=nan\ncielo=\nmacchia=si\n",
      "[Eventi]\ngiorni=7.5\naltezzaMinima=91\ncielo=NOTTE\nmacchia=\n",
      "[Altro]\ngiorni=30\n",
  };
  for (const char* t : testi) {
    const SceltaEventi s = LeggiPreferenzeEventi(Preferenze::DaTesto(t)).scelta;
    EXPECT_EQ(s, SceltaEventi{}) << t;
  }
}

}  // namespace
}  // namespace mr
