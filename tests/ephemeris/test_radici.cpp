#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "ephemeris/radici.h"

namespace mr {
namespace {

TEST(Radice, FunzioniNote) {
  struct Case {
    const char* nome;
    double (*f)(double);
    double a, b, radice;
    int chiamate;  // at most: a few for simple roots, about two per bisection otherwise
  };
  const Case cases[] = {
      {"cos x, bracket given high end first", [](double x) { return std::cos(x); }, 3, 0, std::numbers::pi / 2,
       15},
      {"x^3 - 2", [](double x) { return x * x * x - 2; }, 0, 3, std::cbrt(2.0), 15},
      {"(x - 0.1)^3: flat at the root", [](double x) { return std::pow(x - 0.1, 3); }, -1, 5, 0.1,
       120},
      {"a step", [](double x) { return x < 0.7 ? -1.0 : 1.0; }, 0, 1, 0.7, 80},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.nome);
    int chiamate = 0;
    auto f = [&](double x) {
      ++chiamate;
      return c.f(x);
    };
    double x = Radice(f, c.a, c.b, c.f(c.a), c.f(c.b), 1e-10);
    EXPECT_TRUE(std::isfinite(x) && std::abs(x - c.radice) <= 2e-10) << x;
    EXPECT_LE(chiamate, c.chiamate);
  }
}

TEST(Minimo, FunzioniNote) {
  struct Case {
    const char* nome;
    double (*f)(double);
    double a, b, x, y;
  };
  const Case cases[] = {
      {"parabola", [](double x) { return (x - 0.3) * (x - 0.3) + 2; }, -1, 4, 0.3, 2},
      {"narrow V dipping below zero", [](double x) { return std::abs(x - 0.61) - 1e-4; }, 0, 1,
       0.61, -1e-4},
      {"minimum at an end", [](double x) { return x; }, 2, 3, 2, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.nome);
    auto [x, y] = Minimo(c.f, c.a, c.b, 1e-8);
    EXPECT_TRUE(std::isfinite(x) && std::abs(x - c.x) <= 1e-7) << x;
    EXPECT_TRUE(std::isfinite(y) && std::abs(y - c.y) <= 1e-7) << y;
  }
}

}  // namespace
}  // namespace mr
