// Roots and minima of a function of one variable on an interval.
#pragma once
#include <algorithm>
#include <cmath>
#include <utility>

namespace mr {

// A root of f in [a, b], given fa = f(a) and fb = f(b) of opposite signs, to
// within tolleranza: regula falsi (Illinois variant), with a bisection
// whenever two steps have not halved the bracket, so that it converges
// superlinearly on simple roots and surely on any other. With fa, fb of the
// same sign it returns a point of [a, b] that is not a root.
template <class F>
double Radice(F&& f, double a, double b, double fa, double fb, double tolleranza) {
  int lato = 0;
  double larghezza = std::fabs(b - a);
  for (int i = 0; i < 200 && std::fabs(b - a) > tolleranza; ++i) {
    double c = (a * fb - b * fa) / (fb - fa);
    if (i % 2 == 1) {
      if (std::fabs(b - a) > larghezza / 2) c = (a + b) / 2;
      larghezza = std::fabs(b - a);
    }
    if (!(c > std::min(a, b) && c < std::max(a, b))) c = (a + b) / 2;
    double fc = f(c);
    if (fc == 0) return c;
    if ((fc > 0) == (fb > 0)) {
      b = c;
      fb = fc;
      if (lato == -1) fa /= 2;
      lato = -1;
    } else {
      a = c;
      fa = fc;
      if (lato == 1) fb /= 2;
      lato = 1;
    }
  }
  return (a + b) / 2;
}

// The minimum of f on [a, b], f unimodal there, to within tolleranza (golden
// section): its place and its value.
template <class F>
std::pair<double, double> Minimo(F&& f, double a, double b, double tolleranza) {
  const double g = (std::sqrt(5.0) - 1) / 2;
  double c = b - g * (b - a), d = a + g * (b - a);
  double fc = f(c), fd = f(d);
  while (b - a > tolleranza) {
    if (fc < fd) {
      b = d;
      d = c;
      fd = fc;
      c = b - g * (b - a);
      fc = f(c);
    } else {
      a = c;
      c = d;
      fc = fd;
      d = a + g * (b - a);
      fd = f(d);
    }
  }
  return fc < fd ? std::pair{c, fc} : std::pair{d, fd};
}

}  // namespace mr
