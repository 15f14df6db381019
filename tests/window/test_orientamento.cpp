// The eyepiece's orientations: where a point of the picture goes, and the
// cardinal points named at the picture's edges.
#include "window/orientamento.h"
#include "window/vista.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace mr {
namespace {

bool Vicino(double x, double atteso) { return std::isfinite(x) && std::abs(x - atteso) <= 1e-12; }

// The picture area Zorva: user scale (0, 0)-(275, 255). A point near the
// top-left corner, left of the disk's centre (134, 129) and above it, lands
// by hand at 275 - x and 255 - y on a reversed axis.
TEST(Orientamento, APointOfThePictureAreaForEachChoice) {
  struct Case {
    Orientamento o;
    double x, y;
  };
  const Case cases[] = {
      {Orientamento::Diretta, 10.5, 20.25},
      {Orientamento::Capovolta, 264.5, 234.75},
      {Orientamento::Speculare, 264.5, 20.25},
      {Orientamento::SpecularCapovolta, 10.5, 234.75},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(NomeOrientamento(c.o)));
    const PuntoPiano q = Orienta(c.o, {10.5, 20.25}, 0, 0, 275, 255);
    EXPECT_TRUE(Vicino(q.x, c.x)) << q.x;
    EXPECT_TRUE(Vicino(q.y, c.y)) << q.y;
  }
}

// An area that does not start at the origin: the satellite panel's Jupiter
// at (135, 30) of (0, 0)-(270, 57) stays on the centre line, 3 units lower
// when the top goes down; and a rectangle offset from the origin.
TEST(Orientamento, AreasAwayFromTheOrigin) {
  const PuntoPiano giove = Orienta(Orientamento::Capovolta, {135, 30}, 0, 0, 270, 57);
  EXPECT_TRUE(Vicino(giove.x, 135));
  EXPECT_TRUE(Vicino(giove.y, 27));
  const PuntoPiano q = Orienta(Orientamento::Capovolta, {110, 205}, 100, 200, 140, 230);
  EXPECT_TRUE(Vicino(q.x, 130));
  EXPECT_TRUE(Vicino(q.y, 225));
  // Turning twice gives the point back; a mirror twice too.
  for (Orientamento o : Orientamenti) {
    const PuntoPiano una = Orienta(o, {37.25, 101.5}, 0, 0, 275, 255);
    const PuntoPiano due = Orienta(o, una, 0, 0, 275, 255);
    EXPECT_TRUE(Vicino(due.x, 37.25) && Vicino(due.y, 101.5)) << NomeOrientamento(o);
  }
}

// The names say where north and east go; the marks at the edges follow.
TEST(Orientamento, NamesAndCardinalPoints) {
  struct Case {
    Orientamento o;
    const char* nome;
    const char* chiave;
    const char* polo;
    const char* alto;
    const char* sinistra;
    const char* destra;
  };
  const Case cases[] = {
      {Orientamento::Diretta, "Diretta (Nord in alto, Est a sinistra)", "diretta", "Polo   N",
       "N", "E", "O"},
      {Orientamento::Capovolta, "Capovolta (Sud in alto)", "capovolta", "Polo   S", "S", "O",
       "E"},
      {Orientamento::Speculare, "Speculare (Nord in alto, Est a destra)", "speculare",
       "Polo   N", "N", "O", "E"},
      {Orientamento::SpecularCapovolta, "Speculare capovolta", "speculare_capovolta",
       "Polo   S", "S", "E", "O"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.nome);
    EXPECT_EQ(NomeOrientamento(c.o), c.nome);
    EXPECT_EQ(ChiaveOrientamento(c.o), c.chiave);
    EXPECT_EQ(OrientamentoDaChiave(c.chiave, Orientamento::Diretta), c.o);
    EXPECT_EQ(TestoPolo(c.o), c.polo);
    const PuntiCardinali p = CardinaliDi(c.o);
    EXPECT_EQ(p.alto, c.alto);
    EXPECT_EQ(p.sinistra, c.sinistra);
    EXPECT_EQ(p.destra, c.destra);
  }
}

TEST(Orientamento, AnUnknownStoredTextGivesTheDefault) {
  for (const char* testo : {"", "Diretta", "capovolta ", "speculare-capovolta", "3"})
    EXPECT_EQ(OrientamentoDaChiave(testo, Orientamento::Speculare), Orientamento::Speculare)
        << testo;
}

// The two choices in the program's settings file, written by hand as a user
// might: what is readable is taken, the rest falls back to the defaults.
TEST(SceltaVista, ReadFromTheSettingsFileWithDefaults) {
  struct Case {
    const char* nome;
    const char* testo;
    SceltaVista attesa;
  };
  const Case cases[] = {
      {"empty file", "", {Orientamento::Diretta, false}},
      {"both", "[Vista]\norientamento=speculare_capovolta\nvisioneNotturna=1\n",
       {Orientamento::SpecularCapovolta, true}},
      {"blanks and CR LF", "[Vista]\r\n orientamento = capovolta \r\nvisioneNotturna=0\r\n",
       {Orientamento::Capovolta, false}},
      {"unusable values", "[Vista]\norientamento=storta\nvisioneNotturna=forse\n",
       {Orientamento::Diretta, false}},
      {"another section", "[Pianificatore]\norientamento=capovolta\nvisioneNotturna=1\n",
       {Orientamento::Diretta, false}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.nome);
    EXPECT_EQ(LeggiVista(Preferenze::DaTesto(c.testo)), c.attesa);
  }
}

TEST(SceltaVista, StoredAsTheFileSpellsThem) {
  EXPECT_EQ(PreferenzeVista({Orientamento::Speculare, true}).TestoFile(),
            "[Vista]\norientamento=speculare\nvisioneNotturna=1\n");
  for (Orientamento o : Orientamenti)
    for (bool notturna : {false, true}) {
      const SceltaVista s{o, notturna};
      EXPECT_EQ(LeggiVista(PreferenzeVista(s)), s) << NomeOrientamento(o);
    }
}

}  // namespace
}  // namespace mr
