#include <gtest/gtest.h>

#include <cmath>

#include "ephemeris/numeri.h"

namespace mr {
namespace {

TEST(LeggiNumero, TakesTheLongestLeadingNumber) {
  struct Case {
    const char* testo;
    double atteso;
  } cases[] = {
      {"12abc", 12}, {"  7", 7},     {"\t7", 7},      {"7,5", 7},     {"", 0},
      {"abc", 0},    {".5", 0.5},    {"-3.5e2x", -3.5}, {"1e3", 1},   {"+4", 4},
      {"-", 0},      {".", 0},       {"5.", 5},       {"-.25", -0.25}, {"12.5", 12.5},
      {"0.1", 0.1},  {" -0", 0},     {"2001", 2001},  {"05", 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.testo);
    EXPECT_EQ(LeggiNumero(c.testo), c.atteso);
  }
}

TEST(LeggiNumero, HugeNumbersStayFinite) {
  EXPECT_TRUE(std::isfinite(LeggiNumero(std::string(400, '9'))));
  EXPECT_TRUE(std::isfinite(LeggiNumero("-" + std::string(400, '9'))));
}

TEST(LeggiNumeroStretto, AcceptsOnlyAWholeNumber) {
  struct Case {
    const char* testo;
    bool valido;
    double valore;
  } cases[] = {
      {"7", true, 7},   {" 59 ", true, 59}, {"-1", true, -1}, {"", false, 0},
      {"abc", false, 0}, {"7abc", false, 0}, {"7,5", false, 0}, {"1.5", true, 1.5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.testo);
    double v = 0;
    EXPECT_EQ(LeggiNumeroStretto(c.testo, v), c.valido);
    if (c.valido) EXPECT_EQ(v, c.valore);
  }
}

TEST(TestoNumero, ShortestTextThatReadsBack) {
  struct Case {
    double x;
    const char* atteso;
  } cases[] = {{15, "15"}, {-1, "-1"}, {12.5, "12.5"}, {0.1, "0.1"}, {0, "0"},
               {-0.0, "0"}, {2451545, "2451545"}, {1e22, "10000000000000000000000"},
               {NAN, "0"}, {INFINITY, "0"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.atteso);
    EXPECT_EQ(TestoNumero(c.x), c.atteso);
  }
  for (double x : {0.1 + 0.2, 1.0 / 3, -123.456789012345, 4.6209e-7})
    EXPECT_EQ(LeggiNumero(TestoNumero(x)), x);
}

TEST(TestoSingolo, SevenSignificantDigitsWithoutTrailingZeros) {
  struct Case {
    float x;
    const char* singolo;
    const char* stampa;
  } cases[] = {
      {173.1f, "173.1", " 173.1"}, {57.0f, "57", " 57"},     {0.3f, "0.3", " 0.3"},
      {-0.3f, "-0.3", "-0.3"},     {42.7f, "42.7", " 42.7"}, {0.0f, "0", " 0"},
      {-2.09f, "-2.09", "-2.09"},  {1234567.0f, "1234567", " 1234567"},
      {359.99f, "359.99", " 359.99"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.singolo);
    EXPECT_EQ(TestoSingolo(c.x), c.singolo);
    EXPECT_EQ(TestoStampa(c.x), c.stampa);
  }
}

TEST(Arrotondamento, TiesGoToTheEvenNumber) {
  EXPECT_EQ(ArrotondaPari(2.5), 2);
  EXPECT_EQ(ArrotondaPari(3.5), 4);
  EXPECT_EQ(ArrotondaPari(-2.5), -2);
  // 173.05 shown to a tenth: 1730.5 goes to 1730, not 1731.
  EXPECT_EQ(TestoSingolo(ArrotondaA(173.05, 10)), "173");
  EXPECT_EQ(TestoSingolo(ArrotondaA(173.09, 10)), "173.1");
  EXPECT_EQ(TestoSingolo(ArrotondaA(-2.0875, 100)), "-2.09");
  EXPECT_EQ(Intero16(1e9), 32767);
  EXPECT_EQ(Intero16(-1e9), -32768);
  EXPECT_EQ(Intero16(NAN), -32768);
}

TEST(Riduci360, FloorReduction) {
  EXPECT_EQ(Riduci360(370), 10);
  EXPECT_EQ(Riduci360(-10), 350);
  EXPECT_EQ(Riduci360(360), 0);
  EXPECT_EQ(Riduci360(0), 0);
}

}  // namespace
}  // namespace mr
