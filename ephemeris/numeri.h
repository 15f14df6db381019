// Reading numbers from field texts and writing numbers back as texts.
// The point is the decimal separator everywhere, so every text the program
// writes into a field reads back unchanged.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace mr {

// Lenient reading: the longest leading decimal number of the text after blanks
// and tabs (optional sign, digits, optional point and digits; ".5" counts; no
// exponent form). 0 when the text does not start with a number.
double LeggiNumero(std::string_view testo);

// Strict reading: the whole text (blanks around it allowed) must be a number.
// Returns false when it is not.
bool LeggiNumeroStretto(std::string_view testo, double& valore);

// Strict reading of a number in a settings file: the whole text, plain or in
// exponent form ("12.5", "+23", "4e1", "1e+100"). Returns false when it is not.
bool LeggiNumeroConEsponente(std::string_view testo, double& valore);

// Shortest text that reads back to the same double; whole numbers without decimals.
std::string TestoNumero(double x);

// A single-precision value as text: at most 7 significant digits, no trailing
// zeros, "0.3" keeps its leading zero. Non-finite values give "0".
std::string TestoSingolo(float x);

// The plain print form of a number: as TestoSingolo with a leading blank when
// the number is not negative (" 42.7", "-0.3").
std::string TestoStampa(float x);

// Rounding to the nearest whole number, a tie to the even one.
double ArrotondaPari(double x);

// x rounded half to even into a 16-bit integer (saturated at the ends of its range).
std::int16_t Intero16(double x);

// x rounded to 1/scala (10 or 100) through a 16-bit integer, then divided in
// single precision: the way tenths and hundredths are shown.
float ArrotondaA(double x, float scala);

// Arcsine in radians formed from the arctangent, atan(s / sqrt(1 - s^2));
// s of +-1 (or beyond, by rounding) gives +-pi/2, with the value of pi the
// caller works with, instead of a division by zero.
double ArcoSeno(double s, double pi);

// An angle of [0, 360) degrees rounded to a tenth, a tie to the even tenth;
// 359.95 and above become 0.
double AngoloAlDecimo(double gradi);

// Reduction of an angle in degrees to [0, 360): x - 360 Int(x / 360).
double Riduci360(double x);

// A date in figures, "GG/MM/AAAA" ("08/12/2026"), from its parts or from a
// number AAAAMMGG.
std::string TestoData(int anno, int mese, int giorno);
std::string TestoData(double aaaammgg);

// The article or articulated preposition ("il", "del", "al", "dal") to write
// before a day of the month in figures, with its blank: elided before the days
// read with a vowel, 8 and 11 ("l'8/12", "dell'11/12", "del 18/12"); the first
// is read "primo" ("il 01/12").
std::string PrimaDelGiorno(std::string_view preposizione, int giorno);

}  // namespace mr
