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
  cartella.Scrivi("Imp.txt", "12.50,14,25.0,-40,-0.25,64\r\n");
  Coordinate dialogo(cartella.percorso());
  dialogo.Form_Load();
  EXPECT_EQ(TestiDi(dialogo), (Testi{"12.5", "14", "25", "40", "0.25", "64"}));
  EXPECT_FALSE(dialogo.Ovest);
  EXPECT_TRUE(dialogo.Sud);
  EXPECT_EQ(dialogo.Problema, "");
  EXPECT_TRUE(dialogo.Aperta);
  EXPECT_FALSE(dialogo.Modificata());
}

TEST(Coordinate, LoadOfAMissingShortOrAbsurdFileShowsDefaultsAndTheProblem) {
  {
    SCOPED_TRACE("missing");
    CartellaTemp cartella;
    Coordinate dialogo(cartella.percorso());
    dialogo.Form_Load();
    EXPECT_EQ(TestiDi(dialogo), (Testi{"98", "12", "30", "41", "54", "69"}));
    EXPECT_NE(dialogo.Problema.find("Imp.txt"), std::string::npos) << dialogo.Problema;
    EXPECT_EQ(cartella.Nomi(), std::vector<std::string>{});
  }
  for (const char* contenuto : {"23,14,25\r\n", "1e300,14,25,95,0,64\r\n"}) {
    SCOPED_TRACE(contenuto);
    CartellaTemp cartella;
    cartella.Scrivi("Imp.txt", contenuto);
    Coordinate dialogo(cartella.percorso());
    dialogo.Form_Load();
    EXPECT_EQ(TestiDi(dialogo).at(0), contenuto[0] == '2' ? "23" : "98");
    EXPECT_EQ(TestiDi(dialogo).at(3), "41");
    EXPECT_EQ(dialogo.Problema, TestoErrori(LeggiImp(cartella.percorso())));
    EXPECT_NE(dialogo.Problema, "");
  }
}

// The file adds degrees and minutes, each with its own sign; the dialog shows
// both parts positive and the hemisphere apart. Mixed signs show the sum.
TEST(Coordinate, LoadShowsPositiveDegreesAndMinutesWithTheHemisphere) {
  struct Case {
    const char* byte;
    const char *longGradi, *longPrimi;
    bool ovest;
    const char *latGradi, *latPrimi;
    bool sud;
  };
  const Case cases[] = {
      {"0,-3,-42,-33,-27,0", "3", "42", true, "33", "27", true},
      // -3° + 42' = -2° 18'; 33° - 27' = 32° 33'.
      {"0,-3,42,33,-27,0", "2", "18", true, "32", "33", false},
      {"0,0,-30,0,30,0", "0", "30", true, "0", "30", false},
      // 2.5° - 10' = 2° 20'; -0.5° + 20' = -10'.
      {"0,2.5,-10,-0.5,20,0", "2", "20", false, "0", "10", true},
      {"0,12.5,0,-0,0,0", "12.5", "0", false, "0", "0", false},
      {"0,-179,-59.5,-89,-0.25,0", "179", "59.5", true, "89", "0.25", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.byte);
    CartellaTemp cartella;
    cartella.Scrivi("Imp.txt", c.byte);
    Coordinate dialogo(cartella.percorso());
    dialogo.Form_Load();
    EXPECT_EQ(dialogo.Problema, "");
    EXPECT_EQ(dialogo.Text2, c.longGradi);
    EXPECT_EQ(dialogo.Text3, c.longPrimi);
    EXPECT_EQ(dialogo.Ovest, c.ovest);
    EXPECT_EQ(dialogo.Text4, c.latGradi);
    EXPECT_EQ(dialogo.Text5, c.latPrimi);
    EXPECT_EQ(dialogo.Sud, c.sud);
  }
}

// Each field is a number (a decimal comma reads as a point), optionally
// followed by a blank and words; west and south give both parts their sign.
// The file always gets points, and the fields then show what was stored.
TEST(Coordinate, SaveWritesTheNumbersWithTheHemisphereSignAndReadsBackUnchanged) {
  struct Case {
    Testi digitati;
    bool ovest, sud;
    std::string byte;
    Testi mostrati;
  };
  const Case cases[] = {
      {{"12.5", "14", "25 primi", "40", "38", "64"}, false, false, "12.5,14,25,40,38,64\r\n",
       {"12.5", "14", "25", "40", "38", "64"}},
      // Madrid, 3° 42' west: -3.7°, not -3° + 42'.
      {{"12,5", "3", "42", "40,5", "0", "64,25"}, true, false,
       "12.5,-3,-42,40.5,0,64.25\r\n", {"12.5", "3", "42", "40.5", "0", "64.25"}},
      {{"  7", "0", "30", "33", "27", "-0.5 s"}, true, true, "7,0,-30,-33,-27,-0.5\r\n",
       {"7", "0", "30", "33", "27", "-0.5"}},
      {{"359.99", "180", "0", "90", "0", "+66.5"}, false, true, "359.99,180,0,-90,0,66.5\r\n",
       {"359.99", "180", "0", "90", "0", "66.5"}},
      {{"0", "-0", ".5", "12", "59.9", "10000"}, false, false, "0,0,0.5,12,59.9,10000\r\n",
       {"0", "0", "0.5", "12", "59.9", "10000"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.byte);
    CartellaTemp cartella;
    Coordinate dialogo(cartella.percorso());
    dialogo.Form_Load();
    Imposta(dialogo, c.digitati);
    dialogo.Ovest = c.ovest;
    dialogo.Sud = c.sud;
    EsitoSalva esito = dialogo.Salva_Click();
    EXPECT_TRUE(esito.Salvato()) << TestoEsito(esito);
    EXPECT_EQ(TestoEsito(esito), "");
    EXPECT_EQ(dialogo.Problema, "");
    EXPECT_EQ(cartella.Leggi("Imp.txt"), c.byte);
    EXPECT_EQ(TestiDi(dialogo), c.mostrati);
    EXPECT_FALSE(dialogo.Modificata());

    Coordinate riaperto(cartella.percorso());
    riaperto.Form_Load();
    EXPECT_EQ(TestiDi(riaperto), c.mostrati);
    EXPECT_EQ(riaperto.Ovest, c.ovest);
    EXPECT_EQ(riaperto.Sud, c.sud);
    EXPECT_EQ(riaperto.Problema, "");
  }
}

// A save writes the Red Spot's drift and its date back as loaded: a
// six-value file stays six values, a drift stays, an unreadable drift
// (already reported) goes, and so does a date without a drift.
TEST(Coordinate, SaveKeepsTheDriftOfTheFile) {
  struct Case {
    std::string prima, dopo, problema;
    const char *deriva, *data;  // as shown on load
  };
  const Case cases[] = {
      {"85,12,30,41,54,69\r\n", "90,12,30,41,54,69\r\n", "", "0", ""},
      {"85,12,30,41,54,69,1.5,20260301\r\n", "90,12,30,41,54,69,1.5,20260301\r\n", "", "1.5",
       "01/03/2026"},
      {"85 12 30 41 54 69 -0.25 16000101", "90,12,30,41,54,69,-0.25,16000101\r\n", "", "-0.25",
       "01/01/1600"},
      {"85,12,30,41,54,69,0,20260301\r\n", "90,12,30,41,54,69\r\n", "", "0", "01/03/2026"},
      {"85,12,30,41,54,69,1.5\r\n", "90,12,30,41,54,69\r\n",
       "Nel file Imp.txt la deriva della Macchia Rossa non è seguita dalla data di riferimento "
       "(AAAAMMGG): la ignoro", "0", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.prima);
    CartellaTemp cartella;
    cartella.Scrivi("Imp.txt", c.prima);
    Coordinate dialogo(cartella.percorso());
    dialogo.Form_Load();
    EXPECT_EQ(dialogo.Problema, c.problema);
    EXPECT_EQ(TestiDi(dialogo), (Testi{"85", "12", "30", "41", "54", "69"}));
    EXPECT_EQ(dialogo.Text7, c.deriva);
    EXPECT_EQ(dialogo.Text8, c.data);
    EXPECT_FALSE(dialogo.Modificata());
    dialogo.Text1 = "90";
    EXPECT_TRUE(dialogo.Salva_Click().Salvato());
    EXPECT_EQ(cartella.Leggi("Imp.txt"), c.dopo);
    // And again after a second save.
    dialogo.Text1 = "90.0";
    EXPECT_TRUE(dialogo.Salva_Click().Salvato());
    EXPECT_EQ(cartella.Leggi("Imp.txt"), c.dopo);
  }
}

// The first field that fails is named, and nothing is written.
TEST(Coordinate, SaveRefusesAFieldThatIsNotANumberOrOutOfRange) {
  const Testi buoni = {"98", "12", "30", "41", "54", "69"};
  struct Case {
    int campo;
    std::string testo;
    ErroreCampo errore;
    const char* messaggio;
    const char* altroCampo = nullptr;  // a second field changed, if any
    int numeroAltro = 0;
  };
  const Case cases[] = {
      {1, "abc", {1, MotivoCampo::NonNumero},
       "Non salvato: la longitudine della Macchia Rossa deve essere un numero."},
      {3, "", {3, MotivoCampo::NonNumero},
       "Non salvato: i primi della longitudine dell'osservatore devono essere un numero."},
      {4, "12abc", {4, MotivoCampo::NonNumero},
       "Non salvato: i gradi della latitudine dell'osservatore devono essere un numero."},
      {6, "1e5", {6, MotivoCampo::NonNumero},
       "Non salvato: Delta T deve essere un numero."},
      {5, "1,5,3", {5, MotivoCampo::NonNumero},
       "Non salvato: i primi della latitudine dell'osservatore devono essere un numero."},
      {1, "360", {1, MotivoCampo::FuoriIntervallo},
       "Non salvato: la longitudine della Macchia Rossa deve essere da 0 a meno di 360°."},
      {1, "-0.5", {1, MotivoCampo::FuoriIntervallo},
       "Non salvato: la longitudine della Macchia Rossa deve essere da 0 a meno di 360°."},
      {2, "-3", {2, MotivoCampo::Negativo},
       "Non salvato: i gradi della longitudine dell'osservatore non possono essere negativi: "
       "per l'ovest scegliere O."},
      {5, "-1", {5, MotivoCampo::Negativo},
       "Non salvato: i primi della latitudine dell'osservatore non possono essere negativi: per "
       "il sud scegliere S."},
      {3, "60", {3, MotivoCampo::FuoriIntervallo},
       "Non salvato: i primi della longitudine dell'osservatore devono essere meno di 60."},
      {3, "75", {3, MotivoCampo::FuoriIntervallo},
       "Non salvato: i primi della longitudine dell'osservatore devono essere meno di 60.", "200",
       2},
      {2, "200", {2, MotivoCampo::FuoriIntervallo},
       "Non salvato: la longitudine dell'osservatore deve essere al massimo di 180°."},
      {2, "180", {2, MotivoCampo::FuoriIntervallo},
       "Non salvato: la longitudine dell'osservatore deve essere al massimo di 180°.", "0,5", 3},
      {4, "95", {4, MotivoCampo::FuoriIntervallo},
       "Non salvato: la latitudine dell'osservatore deve essere al massimo di 90°."},
      {4, "90", {4, MotivoCampo::FuoriIntervallo},
       "Non salvato: la latitudine dell'osservatore deve essere al massimo di 90°.", "1", 5},
      {6, "10000.5", {6, MotivoCampo::FuoriIntervallo},
       "Non salvato: Delta T deve essere da -10000 a 10000 secondi."},
      {6, std::string(400, '9'), {6, MotivoCampo::FuoriIntervallo},
       "Non salvato: Delta T deve essere da -10000 a 10000 secondi."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.messaggio);
    CartellaTemp cartella;
    cartella.Scrivi("Imp.txt", "1,2,3,4,5,6\r\n");
    Coordinate dialogo(cartella.percorso());
    dialogo.Form_Load();
    Testi digitati = buoni;
    digitati[c.campo - 1] = c.testo;
    if (c.altroCampo) digitati[c.numeroAltro - 1] = c.altroCampo;
    Imposta(dialogo, digitati);

    EsitoSalva esito = dialogo.Salva_Click();
    EXPECT_FALSE(esito.Salvato());
    EXPECT_EQ(esito.campo, c.errore);
    EXPECT_EQ(TestoEsito(esito), c.messaggio);
    EXPECT_EQ(dialogo.Stato(), c.messaggio);
    EXPECT_EQ(cartella.Leggi("Imp.txt"), "1,2,3,4,5,6\r\n");
    EXPECT_EQ(TestiDi(dialogo), digitati);
    EXPECT_TRUE(dialogo.Modificata());
    EXPECT_FALSE(dialogo.Salvato());
    // The line goes with the next edit.
    dialogo.Text6 += "0";
    EXPECT_EQ(dialogo.Stato(), "");
  }
}

TEST(Coordinate, SaveIntoAnExistingFileKeepsItsName) {
  CartellaTemp cartella;
  cartella.Scrivi("imp.TXT", "1,2,3,4,5,6\r\n");
  Coordinate dialogo(cartella.percorso());
  dialogo.Form_Load();
  dialogo.Text1 = "12.5";
  EXPECT_TRUE(dialogo.Salva_Click().Salvato());
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
  EsitoSalva esito = dialogo.Salva_Click();
  EXPECT_FALSE(esito.Salvato());
  EXPECT_FALSE(esito.campo);
  ASSERT_TRUE(esito.file);
  EXPECT_EQ(esito.file->causa, Causa::FileSolaLettura);
  EXPECT_EQ(TestoEsito(esito), "Impossibile scrivere il file Imp.txt: il file è in sola lettura");
  EXPECT_TRUE(dialogo.Aperta);
  EXPECT_TRUE(dialogo.Modificata());
  EXPECT_FALSE(dialogo.Salvato());
  EXPECT_EQ(dialogo.Stato(), "");
  EXPECT_EQ(cartella.Leggi("Imp.txt"), "1,2,3,4,5,6\r\n");
}

// Edits are what differs from the file as loaded or last saved: the six texts
// and the two hemisphere choices.
TEST(Coordinate, EditsAreTheDifferenceFromWhatWasLoadedOrSaved) {
  CartellaTemp cartella;
  cartella.Scrivi("Imp.txt", "1,2,3,4,5,6\r\n");
  Coordinate dialogo(cartella.percorso());
  dialogo.Form_Load();
  EXPECT_FALSE(dialogo.Modificata());
  dialogo.Text6 = "69";
  EXPECT_TRUE(dialogo.Modificata());
  dialogo.Text6 = "6";
  EXPECT_FALSE(dialogo.Modificata());
  dialogo.Ovest = true;
  EXPECT_TRUE(dialogo.Modificata());
  dialogo.Ovest = false;
  dialogo.Sud = true;
  EXPECT_TRUE(dialogo.Modificata());

  // A save says so until the next edit; a new load forgets it.
  EXPECT_FALSE(dialogo.Salvato());
  EXPECT_EQ(dialogo.Stato(), "");
  EXPECT_TRUE(dialogo.Salva_Click().Salvato());
  EXPECT_EQ(cartella.Leggi("Imp.txt"), "1,2,3,-4,-5,6\r\n");
  EXPECT_FALSE(dialogo.Modificata());
  EXPECT_TRUE(dialogo.Salvato());
  EXPECT_EQ(dialogo.Stato(), "Salvato: vale dal prossimo calcolo");
  dialogo.Text1 = "1.5";
  EXPECT_FALSE(dialogo.Salvato());
  EXPECT_EQ(dialogo.Stato(), "");
  dialogo.Text1 = "1";
  EXPECT_TRUE(dialogo.Salvato());
  dialogo.Form_Load();
  EXPECT_FALSE(dialogo.Salvato());
  EXPECT_EQ(dialogo.Stato(), "");
}

// OK, Esc and the close box: without edits the dialog closes; with edits the
// answer to "Salvare le modifiche?" decides.
TEST(Coordinate, ClosingWithEditsFollowsTheAnswerToTheQuestion) {
  struct Case {
    const char* nome;
    const char* testo1;
    Risposta risposta;
    bool aperta;
    const char* byte;
    bool salvataggio;  // a save was tried
  };
  const Case cases[] = {
      {"no edits", "1", Risposta::Annulla, false, "1,2,3,4,5,6\r\n", false},
      {"No drops the edits", "12.5", Risposta::No, false, "1,2,3,4,5,6\r\n", false},
      {"Annulla keeps the dialog open", "12.5", Risposta::Annulla, true, "1,2,3,4,5,6\r\n", false},
      {"Sì saves and closes", "12,5", Risposta::Si, false, "12.5,2,3,4,5,6\r\n", true},
      {"Sì with a bad field stays open", "abc", Risposta::Si, true, "1,2,3,4,5,6\r\n", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.nome);
    CartellaTemp cartella;
    cartella.Scrivi("Imp.txt", "1,2,3,4,5,6\r\n");
    Coordinate dialogo(cartella.percorso());
    dialogo.Form_Load();
    dialogo.Text1 = c.testo1;
    std::optional<EsitoSalva> esito = dialogo.OK_Click(c.risposta);
    EXPECT_EQ(dialogo.Aperta, c.aperta);
    EXPECT_EQ(cartella.Leggi("Imp.txt"), c.byte);
    EXPECT_EQ(esito.has_value(), c.salvataggio);
    if (esito) {
      EXPECT_EQ(esito->Salvato(), !c.aperta);
    }
  }
  EXPECT_EQ(std::string(DomandaSalvare), "Salvare le modifiche?");
}

TEST(Coordinate, ReopeningShowsTheFileAgain) {
  CartellaTemp cartella;
  cartella.Scrivi("Imp.txt", "1,2,3,4,5,6\r\n");
  Coordinate dialogo(cartella.percorso());
  dialogo.Form_Load();
  dialogo.Text1 = "12.5";
  dialogo.Ovest = true;
  dialogo.OK_Click(Risposta::No);
  EXPECT_FALSE(dialogo.Aperta);
  dialogo.Form_Load();
  EXPECT_EQ(dialogo.Text1, "1");
  EXPECT_FALSE(dialogo.Ovest);
  EXPECT_FALSE(dialogo.Modificata());
}

}  // namespace
}  // namespace mr
