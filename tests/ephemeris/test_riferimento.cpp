#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "confronto_riferimento.h"

namespace mr {
namespace {

namespace fs = std::filesystem;
using namespace riferimento;

template <class T>
std::string Primi(const std::vector<T>& v) {
  std::string s;
  for (std::size_t k = 0; k < v.size() && k < 5; ++k) s += "\n  " + v[k];
  return s;
}

// Against the independent computation of tests/data/riferimento: every event
// found, none extra, the hidden flags equal. The acceptance is 0.5 min at the
// 95th percentile and 1 min at worst for each satellite, 0.2 min for the Red
// Spot; both computations rest on the same theories (VSOP87 Jupiter, L1.2
// satellites), so they agree far closer, and a few seconds catch a slip in the
// geometry (a light time left out moves contacts by up to a minute).
TEST(Riferimento, EventiDelleFinestre) {
  const fs::path cartella = RIFERIMENTO_DIR;
  ASSERT_TRUE(fs::exists(cartella / "finestre.json")) << "no reference data in " << cartella;
  std::vector<Finestra> finestre = LeggiFinestre(cartella);
  ASSERT_FALSE(finestre.empty());
  Confronto c;
  for (const Finestra& f : finestre) {
    SCOPED_TRACE(f.nome);
    std::vector<EventoAtteso> attesi = LeggiEventi(cartella, f);
    ASSERT_FALSE(attesi.empty());
    RicercaEventi r = EventiDellaFinestra(f);
    ASSERT_EQ(r.esito, EsitoEventi::Calcolati);
    Confronta(f, attesi, r.eventi, c);
  }
  EXPECT_TRUE(c.mancanti.empty()) << c.mancanti.size() << " missing" << Primi(c.mancanti);
  EXPECT_TRUE(c.inattesi.empty()) << c.inattesi.size() << " extra" << Primi(c.inattesi);
  EXPECT_TRUE(c.nascostiDiversi.empty()) << Primi(c.nascostiDiversi);
  for (int s = 0; s <= 4; ++s) {
    SCOPED_TRACE("satellite " + std::to_string(s));
    Statistica t = Statistiche(c.errori[s]);
    EXPECT_GT(t.n, 0u);
    const double p95 = 2, massimo = 3;  // seconds
    EXPECT_TRUE(std::isfinite(t.p95) && t.p95 <= p95) << t.p95;
    EXPECT_TRUE(std::isfinite(t.massimo) && t.massimo <= massimo) << t.massimo;
  }
  // Altitudes printed to 0.01 degree.
  EXPECT_TRUE(std::isfinite(c.scartoAltezze) && c.scartoAltezze <= 0.02) << c.scartoAltezze;
}

TEST(Riferimento, LetturaDiOggettiPiatti) {
  auto o = Oggetti(R"([{"nome":"a b", "x": -1.5e-3 ,"v":true}, {"n":2}])");
  ASSERT_EQ(o.size(), 2u);
  auto c = Campi(o[0]);
  EXPECT_EQ(c["nome"], "a b");
  EXPECT_EQ(c["v"], "true");
  EXPECT_EQ(Numero(c, "x"), -1.5e-3);
  EXPECT_TRUE(std::isnan(Numero(c, "assente")));
  EXPECT_TRUE(std::isnan(Numero(c, "nome")));
  EXPECT_EQ(Numero(Campi(o[1]), "n"), 2);
}

TEST(Riferimento, Statistiche) {
  std::vector<double> e;
  for (int k = 1; k <= 40; ++k) e.push_back(k % 2 ? k : -k);  // |e| = 1..40
  Statistica s = Statistiche(e);
  EXPECT_EQ(s.n, 40u);
  EXPECT_DOUBLE_EQ(s.media, -0.5);
  EXPECT_EQ(s.p95, 38);  // the 38th of 40
  EXPECT_EQ(s.massimo, 40);
}

}  // namespace
}  // namespace mr
