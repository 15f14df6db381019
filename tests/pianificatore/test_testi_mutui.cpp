// The mutual events as users read them: the notation, the descriptions, the
// JSON lines and the terminal's table.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "pianificatore/testi_eventi.h"

namespace mr {
namespace {

using T = TipoMutuo;
using G = GenereMutuo;
using P = PosizioneMutuo;

// 2026-12-02 0h UT is JD 2461376.5.
const double kDicembre = 2461376.5, kSecondo = 1.0 / 86400, kMinuto = 1.0 / 1440;

EventoMutuo Mutuo(T tipo, int attivo, int passivo, G genere, double calo, P giove = P::Libero) {
  const double massimo = kDicembre + 0.45;
  return {tipo, attivo, passivo, massimo - 3 * kMinuto, massimo, massimo + 3 * kMinuto,
          1500,  genere, calo,    30,      -20,         giove};
}

TEST(TestiMutui, Notazione) {
  struct Case {
    T tipo;
    int attivo, passivo;
    const char* sigla;
  };
  const Case cases[] = {
      {T::Occultazione, 1, 2, "1 O 2"},
      {T::Eclisse, 3, 1, "3 E 1"},
      {T::Occultazione, 4, 3, "4 O 3"},
      {T::Eclisse, 2, 4, "2 E 4"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(NotazioneMutuo(Mutuo(c.tipo, c.attivo, c.passivo, G::Parziale, 0.1)), c.sigla);
}

// The drop rounded to 0.05 mag for the lists: 0.42 is nearer 0.40 than
// 0.45, 0.43 nearer 0.45; under 0.025 it would read 0.00.
TEST(TestiMutui, CaloAlCinquantesimo) {
  struct Case {
    double calo;
    const char* testo;
  };
  const Case cases[] = {
      {0.42, "0,40 mag"},   {0.43, "0,45 mag"},   {0.0249, "< 0,05 mag"}, {0.0251, "0,05 mag"},
      {0.01, "< 0,05 mag"}, {1.333, "1,35 mag"},  {2.374, "2,35 mag"},    {0.5, "0,50 mag"},
      {NAN, "-"},           {INFINITY, "-"},
  };
  for (const Case& c : cases) EXPECT_EQ(TestoCalo(c.calo), c.testo) << c.calo;
}

TEST(TestiMutui, Descrizioni) {
  struct Case {
    EventoMutuo e;
    const char* json;    // DescrizioneMutuo, to 0.01 mag
    const char* elenco;  // DescrizioneMutuoInElenco, to 0.05 mag
    const char* nota;
  };
  const Case cases[] = {
      {Mutuo(T::Occultazione, 1, 2, G::Parziale, 0.42), "Io occulta Europa (parziale, calo 0,42 mag)",
       "Io occulta Europa (parziale, calo 0,40 mag)", ""},
      {Mutuo(T::Eclisse, 3, 1, G::Parziale, 0.137, P::Davanti),
       "Ganimede eclissa Io (parziale, calo 0,14 mag)",
       "Ganimede eclissa Io (parziale, calo 0,15 mag)", "Io davanti a Giove"},
      {Mutuo(T::Occultazione, 4, 1, G::Totale, 1.113, P::Dietro),
       "Callisto occulta Io (totale, calo 1,11 mag)", "Callisto occulta Io (totale, calo 1,10 mag)",
       "Io dietro Giove"},
      {Mutuo(T::Eclisse, 2, 3, G::Anulare, 0.481, P::Ombra),
       "Europa eclissa Ganimede (anulare, calo 0,48 mag)",
       "Europa eclissa Ganimede (anulare, calo 0,50 mag)", "Ganimede nell'ombra di Giove"},
      // A's shadow is what is missing: A is named.
      {Mutuo(T::Eclisse, 1, 2, G::Parziale, 0.3, P::AttivoInOmbra),
       "Io eclissa Europa (parziale, calo 0,30 mag)", "Io eclissa Europa (parziale, calo 0,30 mag)",
       "Io nell'ombra di Giove"},
      // Wholly in the umbra: the capped drop for data, the satellite gone for the eye.
      {Mutuo(T::Eclisse, 3, 1, G::Totale, 9.99), "Ganimede eclissa Io (totale, calo 9,99 mag)",
       "Ganimede eclissa Io (totale, Io scompare)", ""},
      // B's limb a hair outside the umbra: partial, yet under 10^-3.996 of
      // its light is left, so the drop is at the cap; rounded to 0.05 it
      // would read 10,00, deeper than the cap itself.
      {Mutuo(T::Eclisse, 3, 1, G::Parziale, 9.99), "Ganimede eclissa Io (parziale, calo 9,99 mag)",
       "Ganimede eclissa Io (parziale, Io scompare)", ""},
      {Mutuo(T::Occultazione, 3, 4, G::Parziale, 0.012),
       "Ganimede occulta Callisto (parziale, calo 0,01 mag)",
       "Ganimede occulta Callisto (parziale, calo < 0,05 mag)", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.json);
    EXPECT_EQ(DescrizioneMutuo(c.e), c.json);
    EXPECT_EQ(DescrizioneMutuoInElenco(c.e), c.elenco);
    EXPECT_EQ(NotaPosizione(c.e), c.nota);
  }
}

// The line as it must read, key by key, in the issue's order.
TEST(TestiMutui, RigaJson) {
  EventoMutuo e = Mutuo(T::Eclisse, 3, 1, G::Parziale, 0.1374);
  e.jdInizio = kDicembre + 10 / 24.0 + 44 * kMinuto + 59.4 * kSecondo;
  e.jdMassimo = kDicembre + 10 / 24.0 + 48 * kMinuto + 8.6 * kSecondo;
  e.jdFine = kDicembre + 10 / 24.0 + 51 * kMinuto + 19 * kSecondo;
  e.impattoKm = 3790.46;
  e.altGiove = 4.126;
  e.altSole = 26.064;
  EXPECT_EQ(RigaJsonMutuo(e),
            R"({"tipo":"ECL","attivo":3,"passivo":1,"inizio":"2026-12-02T10:44:59Z",)"
            R"("massimo":"2026-12-02T10:48:09Z","fine":"2026-12-02T10:51:19Z",)"
            R"("impatto_km":3790.5,"calo_mag":0.137,"alt_giove":4.13,"alt_sole":26.06,)"
            R"x("giove":"libero","descrizione":"Ganimede eclissa Io (parziale, calo 0,14 mag)"})x");
  e.altGiove = NAN;
  EXPECT_NE(RigaJsonMutuo(e).find(R"("alt_giove":null,)"), std::string::npos);
  EXPECT_EQ(RigheJsonMutui({}), "");
}

// Every event of the independent computation of tests/data/riferimento, made
// from its unrounded values, reads as that computation wrote it: the same keys
// in the same order, the same digits, the same description.
TEST(TestiMutui, RigheComeIlRiferimento) {
  const std::filesystem::path cartella = RIFERIMENTO_DIR;
  int righe = 0;
  for (const char* nome : {"2026-10-02", "2026-12-01", "2027-02-26", "2027-05-14"}) {
    std::ifstream file(cartella / ("mutui_" + std::string(nome) + ".jsonl"));
    ASSERT_TRUE(file) << nome;
    for (std::string riga; std::getline(file, riga);) {
      SCOPED_TRACE(riga);
      const QJsonObject o = QJsonDocument::fromJson(QByteArray::fromStdString(riga)).object();
      const auto tipo = o["tipo"].toString() == "OCC" ? T::Occultazione : T::Eclisse;
      const QString g = o["genere"].toString(), p = o["giove"].toString();
      const G genere = g == "totale" ? G::Totale : g == "anulare" ? G::Anulare : G::Parziale;
      const P giove = p == "dietro"            ? P::Dietro
                      : p == "ombra"           ? P::Ombra
                      : p == "attivo_in_ombra" ? P::AttivoInOmbra
                      : p == "davanti"         ? P::Davanti
                                               : P::Libero;
      const EventoMutuo e{tipo,
                          o["attivo"].toInt(),
                          o["passivo"].toInt(),
                          o["jd_inizio"].toDouble(),
                          o["jd_massimo"].toDouble(),
                          o["jd_fine"].toDouble(),
                          o["impatto_km"].toDouble(),
                          genere,
                          o["calo_mag"].toDouble(),
                          o["alt_giove"].toDouble(),
                          o["alt_sole"].toDouble(),
                          giove};
      const std::size_t fine = riga.find(",\"genere\":");
      ASSERT_NE(fine, std::string::npos);
      const std::string attesa = riga.substr(0, fine) + "}", nostra = RigaJsonMutuo(e);
      // A drop the file gives as 0.xx5 was rounded to two decimals from its
      // unrounded value, which lies on either side.
      const long millesimi = std::lround(e.caloMag * 1000);
      if (millesimi % 10 != 5) {
        EXPECT_EQ(nostra, attesa);
      } else {
        const std::size_t descrizione = attesa.find(",\"descrizione\":");
        EXPECT_EQ(nostra.substr(0, descrizione), attesa.substr(0, descrizione));
        EventoMutuo sotto = e, sopra = e;
        sotto.caloMag -= 0.0004;
        sopra.caloMag += 0.0004;
        const std::string testo = o["descrizione"].toString().toStdString();
        EXPECT_TRUE(testo == DescrizioneMutuo(sotto) || testo == DescrizioneMutuo(sopra));
      }
      ++righe;
    }
  }
  EXPECT_GT(righe, 80);
}

TEST(TestiMutui, Tabella) {
  EventoMutuo primo = Mutuo(T::Occultazione, 1, 2, G::Parziale, 0.42);
  primo.jdInizio = kDicembre + 20 / 24.0 + 58 * kMinuto + 50 * kSecondo;  // 20:58:50
  primo.jdMassimo = kDicembre + 21 / 24.0 + 2 * kMinuto + 29 * kSecondo;  // 21:02:29
  primo.jdFine = kDicembre + 21 / 24.0 + 6 * kMinuto + 31 * kSecondo;     // 21:06:31
  primo.altGiove = 35.06;
  primo.altSole = -44.96;
  // Its maximum past midnight, the first contact before it.
  EventoMutuo secondo = Mutuo(T::Eclisse, 3, 4, G::Anulare, 1.054, P::Davanti);
  secondo.jdInizio = kDicembre + 1 - 2 * kMinuto;
  secondo.jdMassimo = kDicembre + 1 + 3 * kMinuto;
  secondo.jdFine = kDicembre + 1 + 8 * kMinuto;
  secondo.altGiove = -6.86;
  secondo.altSole = -56.76;
  const std::vector<EventoMutuo> eventi = {primo, secondo};
  const std::string intestazione =
      "Data        Inizio   Massimo  Fine     Sigla  Descrizione                              "
      "              Alt. Giove  Alt. Sole\n";
  EXPECT_EQ(TabellaMutui(eventi),
            intestazione +
                "02/12/2026  20:59    21:02    21:07    1 O 2  Io occulta Europa (parziale, calo "
                "0,40 mag)                 35.1°     -45.0°\n"
                "03/12/2026  23:58    00:03    00:08    3 E 4  Ganimede eclissa Callisto (anulare, "
                "calo 1,05 mag)          -6.9°     -56.8°  Callisto davanti a Giove\n");
  EXPECT_EQ(TabellaMutui({}), intestazione + "Nessun evento.\n");
}

}  // namespace
}  // namespace mr
