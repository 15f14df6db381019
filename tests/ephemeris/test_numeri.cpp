#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <string>

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
    if (c.valido) {
      EXPECT_EQ(v, c.valore);
    }
  }
}

// A digit string beyond the range of a double reads as the largest double of
// its sign; one too small for the smallest double reads as the nearest one,
// which may be 0. Never an infinity.
TEST(LeggiNumero, DigitStringsBeyondTheRangeOfADouble) {
  const std::string zeri400(400, '0');
  const std::string zeri323(323, '0');
  struct Case {
    const char* nome;
    std::string testo;
    double atteso;
  } cases[] = {
      {"400 nines", std::string(400, '9'), DBL_MAX},
      {"minus 400 nines", "-" + std::string(400, '9'), -DBL_MAX},
      {"1 and 309 zeros", "1" + std::string(309, '0') + ".5", DBL_MAX},
      {"0. 400 zeros 1", "0." + zeri400 + "1", 0},
      {"-0. 400 zeros 1", "-0." + zeri400 + "1", 0},
      {".400 zeros 1", "." + zeri400 + "1", 0},
      // 2e-324 lies below half the smallest subnormal, 4.94e-324; 3e-324 above it.
      {"2e-324", "0." + zeri323 + "2", 0},
      {"3e-324", "0." + zeri323 + "3", 4.9406564584124654e-324},
      {"1e-310", "0." + std::string(309, '0') + "1", 1e-310},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.nome);
    EXPECT_EQ(LeggiNumero(c.testo + "x"), c.atteso);
    double v = -1;
    EXPECT_TRUE(LeggiNumeroStretto(c.testo + " ", v));
    EXPECT_EQ(v, c.atteso);
  }
}

TEST(LeggiNumeroConEsponente, TakesThePlainAndTheExponentForm) {
  struct Case {
    const char* testo;
    bool valido;
    double valore;
  } cases[] = {
      {"23", true, 23},         {"+23", true, 23},       {"-0.5", true, -0.5},
      {"25.", true, 25},        {".5", true, 0.5},       {"4e1", true, 40},
      {"4E1", true, 40},        {"1e+100", true, 1e100}, {"1e-300", true, 1e-300},
      {"-2.5e-3", true, -0.0025},
      // Beyond the range of a double: the largest double, or 0.
      {"1e999", true, DBL_MAX}, {"-1e999", true, -DBL_MAX}, {"10000e305", true, DBL_MAX},
      {"1e-999", true, 0},      {"1000e-1000", true, 0},  {"0.0001e-320", true, 0},
      {"0.0001e312", true, 1e308},
      {"", false, 0},           {"inf", false, 0},       {"nan", false, 0},
      {"-inf", false, 0},       {"1e", false, 0},        {"e5", false, 0},
      {"0x1p3", false, 0},      {"1e5x", false, 0},      {"1,5", false, 0},
      {".", false, 0},          {"-", false, 0},         {"1e+", false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.testo);
    double v = -7;
    EXPECT_EQ(LeggiNumeroConEsponente(c.testo, v), c.valido);
    if (c.valido) {
      EXPECT_EQ(v, c.valore);
    }
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

// However large or small, a number is written without exponent and reads back
// as the same number, since fields and files read no exponent.
TEST(TestoNumero, ExtremeValuesAreWrittenPlainlyAndReadBack) {
  // 1e23 and 1e100 are not doubles: the nearest ones are these whole numbers.
  EXPECT_EQ(TestoNumero(1e23), "99999999999999991611392");
  EXPECT_EQ(TestoNumero(1e100),
            "10000000000000000159028911097599180468360808563945281389781327557747838772170381060"
            "813469985856815104");
  EXPECT_EQ(TestoNumero(5e-324), "0." + std::string(323, '0') + "5");
  EXPECT_EQ(TestoNumero(-1e-300), "-0." + std::string(299, '0') + "1");
  for (double x : {1e100, -1e300, DBL_MAX, -DBL_MAX, DBL_MIN, -DBL_MIN, 5e-324, 1e-300,
                   1.2345678901234567e-310, 123456789.125e200}) {
    SCOPED_TRACE(x);
    const std::string t = TestoNumero(x);
    EXPECT_EQ(t.find_first_of("eE"), std::string::npos);
    EXPECT_EQ(LeggiNumero(t), x);
    double v = 0;
    EXPECT_TRUE(LeggiNumeroConEsponente(t, v));
    EXPECT_EQ(v, x);
  }
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

// Tenths of a degree, ties to the even tenth (0.25 and 0.75 are exact in
// binary), a full turn shown as 0.
TEST(AngoloAlDecimo, TiesToEvenAndAFullTurnIsZero) {
  struct Caso {
    double gradi, atteso;
  };
  const Caso casi[] = {{0.25, 0.2}, {0.75, 0.8}, {12.34, 12.3}, {12.36, 12.4},
                       {359.94, 359.9}, {359.95, 0}, {359.99, 0}, {0, 0}};
  for (const Caso& c : casi) EXPECT_EQ(AngoloAlDecimo(c.gradi), c.atteso) << c.gradi;
}

// Italian elides the article before a day read with a vowel: "l'8 dicembre",
// "dell'11", but "il 18", "del 21", "al 10", and "il primo" for the 1st.
TEST(PrimaDelGiorno, ElidesBeforeEightAndEleven) {
  struct Caso {
    const char* preposizione;
    int giorno;
    const char* atteso;
  };
  const Caso casi[] = {{"il", 1, "il "},    {"il", 8, "l'"},     {"il", 11, "l'"},
                       {"il", 18, "il "},   {"il", 10, "il "},   {"del", 8, "dell'"},
                       {"del", 21, "del "}, {"al", 11, "all'"},  {"al", 10, "al "},
                       {"dal", 1, "dal "},  {"dal", 31, "dal "}};
  for (const Caso& c : casi)
    EXPECT_EQ(PrimaDelGiorno(c.preposizione, c.giorno), c.atteso) << c.preposizione << c.giorno;
}

}  // namespace
}  // namespace mr
