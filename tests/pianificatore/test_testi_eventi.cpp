#include <gtest/gtest.h>

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

#include <string>
#include <vector>

#include "pianificatore/testi_eventi.h"

namespace mr {
namespace {

using C = CodiceEvento;

// 2026-03-01 0h UT is JD 2461100.5.
const double kMarzo2026 = 2461100.5, kSecondo = 1.0 / 86400;

TEST(TestiEventi, Descrizioni) {
  struct Case {
    CodiceEvento codice;
    int satellite;
    const char* descrizione;
  };
  const Case cases[] = {
      {C::TrI, 1, "Io: inizio del transito"},
      {C::TrE, 1, "Io: fine del transito"},
      {C::ShI, 2, "Ombra di Europa: inizio del transito"},
      {C::ShE, 2, "Ombra di Europa: fine del transito"},
      {C::OcD, 3, "Ganimede: inizio dell'occultazione"},
      {C::OcR, 3, "Ganimede: fine dell'occultazione"},
      {C::EcD, 4, "Callisto: inizio dell'eclisse"},
      {C::EcR, 4, "Callisto: fine dell'eclisse"},
      {C::ShI, 3, "Ombra di Ganimede: inizio del transito"},
      {C::GRS, 0, "Macchia Rossa al meridiano centrale"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DescrizioneEvento({kMarzo2026, c.codice, c.satellite, 10, -20, false}),
              c.descrizione);
  }
}

TEST(TestiEventi, TempoUniversaleAlSecondo) {
  struct Case {
    double jd;
    const char* utc;
  };
  const Case cases[] = {
      {kMarzo2026, "2026-03-01T00:00:00Z"},
      {kMarzo2026 + 0.5 + 0.49 * kSecondo, "2026-03-01T12:00:00Z"},
      {kMarzo2026 + 0.5 + 0.51 * kSecondo, "2026-03-01T12:00:01Z"},
      // 2026-02-28 23:59:59.6 becomes the next day's midnight.
      {kMarzo2026 - 0.4 * kSecondo, "2026-03-01T00:00:00Z"},
      {kMarzo2026 + 9.75 - 3.2 * kSecondo, "2026-03-10T17:59:57Z"},
      {2451545.0, "2000-01-01T12:00:00Z"},
  };
  for (const auto& c : cases) EXPECT_EQ(TestoUTC(c.jd), c.utc) << c.jd;
  EXPECT_EQ(TestoUTC(NAN), "");
}

// The line as it must read, key by key, in the issue's order.
TEST(TestiEventi, RigaJson) {
  struct Case {
    Evento evento;
    const char* riga;
  };
  const Case cases[] = {
      {{kMarzo2026 + 0.25 + 0.6 * kSecondo, C::TrI, 1, 12.344, -20.006, false},
       R"({"utc":"2026-03-01T06:00:01Z","evento":"Tr.I","satellite":1,"alt_giove":12.34,)"
       R"("alt_sole":-20.01,"nascosto":false,"descrizione":"Io: inizio del transito"})"},
      {{kMarzo2026 - 0.2 * kSecondo, C::OcD, 3, -0.004, 5, true},
       R"({"utc":"2026-03-01T00:00:00Z","evento":"Oc.D","satellite":3,"alt_giove":0.00,)"
       R"("alt_sole":5.00,"nascosto":true,"descrizione":"Ganimede: inizio dell'occultazione"})"},
      {{kMarzo2026 + 1, C::GRS, 0, 45.5, -89.996, false},
       R"({"utc":"2026-03-02T00:00:00Z","evento":"GRS","satellite":0,"alt_giove":45.50,)"
       R"("alt_sole":-90.00,"nascosto":false,"descrizione":"Macchia Rossa al meridiano )"
       R"(centrale"})"},
      {{kMarzo2026, C::ShE, 2, NAN, INFINITY, false},
       R"({"utc":"2026-03-01T00:00:00Z","evento":"Sh.E","satellite":2,"alt_giove":null,)"
       R"("alt_sole":null,"nascosto":false,"descrizione":"Ombra di Europa: fine del transito"})"},
  };
  for (const auto& c : cases) EXPECT_EQ(RigaJson(c.evento), c.riga);
}

// Each line parses, as JSON, back to the event's values.
TEST(TestiEventi, RigheJsonSiRileggono) {
  const std::vector<Evento> eventi = {
      {kMarzo2026 + 0.1, C::EcR, 4, 33.333, -12.5, true},
      {kMarzo2026 + 0.2, C::GRS, 0, -7.25, 0.125, false},
  };
  const std::string testo = RigheJson(eventi);
  ASSERT_FALSE(testo.empty());
  EXPECT_EQ(testo.back(), '\n');
  std::vector<std::string> righe;
  for (std::size_t a = 0, b; (b = testo.find('\n', a)) != std::string::npos; a = b + 1)
    righe.push_back(testo.substr(a, b - a));
  ASSERT_EQ(righe.size(), eventi.size());
  for (std::size_t k = 0; k < righe.size(); ++k) {
    SCOPED_TRACE(righe[k]);
    QJsonParseError errore;
    QJsonDocument json = QJsonDocument::fromJson(QByteArray::fromStdString(righe[k]), &errore);
    ASSERT_EQ(errore.error, QJsonParseError::NoError) << errore.errorString().toStdString();
    ASSERT_TRUE(json.isObject());
    QJsonObject o = json.object();
    EXPECT_EQ(o.size(), 7);
    EXPECT_EQ(o["utc"].toString().toStdString(), TestoUTC(eventi[k].jdUT));
    EXPECT_EQ(o["evento"].toString().toStdString(), SiglaEvento(eventi[k].codice));
    EXPECT_EQ(o["satellite"].toInt(-1), eventi[k].satellite);
    EXPECT_NEAR(o["alt_giove"].toDouble(1e9), eventi[k].altGiove, 0.005 + 1e-9);
    EXPECT_NEAR(o["alt_sole"].toDouble(1e9), eventi[k].altSole, 0.005 + 1e-9);
    EXPECT_TRUE(o["nascosto"].isBool());
    EXPECT_EQ(o["nascosto"].toBool(), eventi[k].nascosto);
    EXPECT_EQ(o["descrizione"].toString().toStdString(), DescrizioneEvento(eventi[k]));
  }
  EXPECT_EQ(RigheJson({}), "");
}

TEST(TestiEventi, Tabella) {
  const std::vector<Evento> eventi = {
      {kMarzo2026 + 0.25 + 0.6 * kSecondo, C::TrI, 1, 12.344, -20.06, false},
      {kMarzo2026 + 1 - 0.2 * kSecondo, C::OcR, 3, -0.04, 5, true},
      {kMarzo2026 + 1.5, C::GRS, 0, 45.5, -89.96, false},
      {kMarzo2026 + 2, C::ShI, 3, 8, -18, false},
  };
  EXPECT_EQ(TabellaEventi(eventi),
            "Data        Ora TU    Evento  Descrizione                             Alt. Giove  "
            "Alt. Sole\n"
            "01/03/2026  06:00:01  Tr.I    Io: inizio del transito                      12.3°  "
            "   -20.1°\n"
            "02/03/2026  00:00:00  Oc.R    Ganimede: fine dell'occultazione              0.0°  "
            "     5.0°  nascosto\n"
            "02/03/2026  12:00:00  GRS     Macchia Rossa al meridiano centrale          45.5°  "
            "   -90.0°\n"
            "03/03/2026  00:00:00  Sh.I    Ombra di Ganimede: inizio del transito        8.0°  "
            "   -18.0°\n");
  EXPECT_EQ(TabellaEventi({}),
            "Data        Ora TU    Evento  Descrizione                             Alt. Giove  "
            "Alt. Sole\n"
            "Nessun evento.\n");
}

}  // namespace
}  // namespace mr
