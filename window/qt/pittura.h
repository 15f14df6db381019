// The painter's tools of the rendered pictures: vectors on the unit sphere,
// colours, smooth steps, gradient noise and seeded random numbers. Every
// picture is made from fixed seeds, so it is the same on every run.
#pragma once

#include <QImage>
#include <QSize>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <numeric>
#include <random>
#include <utility>

namespace mr::pittura {

inline constexpr double pi = 3.14159265358979323846;
inline constexpr double rad = pi / 180.0;

// The largest picture side, pixels.
inline constexpr int latoMassimo = 4096;
inline bool DimensioneValida(QSize pixel) {
  return pixel.width() > 0 && pixel.height() > 0 && pixel.width() <= latoMassimo && pixel.height() <= latoMassimo;
}

struct V3 {
  double x, y, z;
};
inline V3 operator+(V3 a, V3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline V3 operator-(V3 a, V3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline V3 operator*(V3 a, double k) { return {a.x * k, a.y * k, a.z * k}; }
inline double Dot(V3 a, V3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline V3 Cross(V3 a, V3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
inline V3 Unit(V3 a) {
  double n = std::sqrt(Dot(a, a));
  return n > 0 ? a * (1.0 / n) : V3{1, 0, 0};
}
// Unit vector at latitude phi, longitude lambda (degrees); x towards the viewer,
// y to the right, z north.
inline V3 Direzione(double phi, double lambda) {
  return {std::cos(phi * rad) * std::cos(lambda * rad), std::cos(phi * rad) * std::sin(lambda * rad),
          std::sin(phi * rad)};
}
// Angle between two unit vectors, degrees.
inline double Distanza(V3 a, V3 b) { return std::acos(std::clamp(Dot(a, b), -1.0, 1.0)) / rad; }

// Colour with channels 0..255.
struct Rgb {
  double r, g, b;
};
inline Rgb operator+(Rgb a, Rgb b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
inline Rgb operator*(Rgb a, double k) { return {a.r * k, a.g * k, a.b * k}; }
inline Rgb Mix(Rgb a, Rgb b, double t) { return a * (1 - t) + b * t; }

inline double Smooth(double e0, double e1, double x) {
  double t = std::clamp((x - e0) / (e1 - e0), 0.0, 1.0);
  return t * t * (3 - 2 * t);
}
// 1 at the centre of a soft-edged disk of radius r, 0 outside.
inline double Chiazza(double d, double r, double morbido = 0.3) { return 1 - Smooth(r * (1 - morbido), r, d); }

inline int Canale(double c) { return static_cast<int>(std::clamp(std::lround(c), 0L, 255L)); }
inline QRgb Pixel(Rgb c) { return qRgb(Canale(c.r), Canale(c.g), Canale(c.b)); }

// Gradient noise in three dimensions (improved Perlin noise), about -1..1;
// the permutation comes from a fixed seed, so pictures are the same on every run.
class Rumore {
 public:
  explicit Rumore(std::uint32_t seme) {
    std::array<int, 256> q;
    std::iota(q.begin(), q.end(), 0);
    std::mt19937 gen(seme);
    for (int k = 255; k > 0; --k) std::swap(q[k], q[gen() % static_cast<unsigned>(k + 1)]);
    for (int k = 0; k < 512; ++k) p_[k] = q[k & 255];
  }

  double operator()(V3 v) const {
    double fx = std::floor(v.x), fy = std::floor(v.y), fz = std::floor(v.z);
    int X = static_cast<int>(fx) & 255, Y = static_cast<int>(fy) & 255, Z = static_cast<int>(fz) & 255;
    double x = v.x - fx, y = v.y - fy, z = v.z - fz;
    double u = Fade(x), w = Fade(y), s = Fade(z);
    int A = p_[X] + Y, AA = p_[A] + Z, AB = p_[A + 1] + Z;
    int B = p_[X + 1] + Y, BA = p_[B] + Z, BB = p_[B + 1] + Z;
    return Lerp(s,
                Lerp(w, Lerp(u, Grad(p_[AA], x, y, z), Grad(p_[BA], x - 1, y, z)),
                     Lerp(u, Grad(p_[AB], x, y - 1, z), Grad(p_[BB], x - 1, y - 1, z))),
                Lerp(w, Lerp(u, Grad(p_[AA + 1], x, y, z - 1), Grad(p_[BA + 1], x - 1, y, z - 1)),
                     Lerp(u, Grad(p_[AB + 1], x, y - 1, z - 1), Grad(p_[BB + 1], x - 1, y - 1, z - 1))));
  }

  // Two-dimensional noise repeating every `periodo` units in x (up to 65536).
  double operator()(double x, double y, int periodo) const {
    double fx = std::floor(x), fy = std::floor(y);
    int X0 = static_cast<int>(fx) % periodo;
    if (X0 < 0) X0 += periodo;
    int X1 = X0 + 1 == periodo ? 0 : X0 + 1;
    int Y0 = static_cast<int>(fy) & 255, Y1 = (Y0 + 1) & 255;
    x -= fx;
    y -= fy;
    double u = Fade(x), w = Fade(y);
    return Lerp(w, Lerp(u, Grad2(Hash(X0, Y0), x, y), Grad2(Hash(X1, Y0), x - 1, y)),
                Lerp(u, Grad2(Hash(X0, Y1), x, y - 1), Grad2(Hash(X1, Y1), x - 1, y - 1)));
  }

  // Octaves of the periodic noise around a circle: t in turns, y free.
  double Frattale(double t, double y, int periodo, int ottave) const {
    double somma = 0, ampiezza = 1, norma = 0;
    for (int k = 0; k < ottave; ++k) {
      somma += ampiezza * (*this)(t * periodo, y, periodo);
      norma += ampiezza;
      periodo *= 2;
      y = y * 2 + 7.3;
      ampiezza *= 0.5;
    }
    return somma / norma;
  }

  // Sum of octaves, each twice the frequency and half the amplitude of the last.
  double Frattale(V3 v, int ottave) const {
    double somma = 0, ampiezza = 1, norma = 0;
    for (int k = 0; k < ottave; ++k) {
      somma += ampiezza * (*this)(v);
      norma += ampiezza;
      v = v * 2.03 + V3{17.3, 9.1, 4.7};
      ampiezza *= 0.5;
    }
    return somma / norma;
  }

 private:
  static double Fade(double t) { return t * t * t * (t * (t * 6 - 15) + 10); }
  static double Lerp(double t, double a, double b) { return a + t * (b - a); }
  int Hash(int X, int Y) const { return p_[p_[p_[X & 255] + ((X >> 8) & 255)] + Y]; }
  static double Grad2(int h, double x, double y) {
    switch (h & 7) {
      case 0: return x + y;
      case 1: return -x + y;
      case 2: return x - y;
      case 3: return -x - y;
      case 4: return x;
      case 5: return -x;
      case 6: return y;
      default: return -y;
    }
  }
  static double Grad(int h, double x, double y, double z) {
    h &= 15;
    double u = h < 8 ? x : y;
    double v = h < 4 ? y : (h == 12 || h == 14 ? x : z);
    return ((h & 1) ? -u : u) + ((h & 2) ? -v : v);
  }
  std::array<int, 512> p_;
};

// Uniform numbers from a fixed seed.
class Caso {
 public:
  explicit Caso(std::uint32_t seme) : gen_(seme) {}
  double operator()(double a, double b) { return a + (b - a) * (gen_() / 4294967296.0); }
  V3 Direzione() {
    double z = (*this)(-1, 1), t = (*this)(0, 2 * pi), c = std::sqrt(1 - z * z);
    return {c * std::cos(t), c * std::sin(t), z};
  }

 private:
  std::mt19937 gen_;
};

// Mixes the bits of a 32-bit value, so that near inputs give unrelated outputs.
constexpr std::uint32_t Mescola(std::uint32_t h) {
  h ^= h >> 16;
  h *= 0x7feb352dU;
  h ^= h >> 15;
  h *= 0x846ca68bU;
  h ^= h >> 16;
  return h;
}
// A hash of an integer cell of space, for scattering features through a grid;
// unsigned arithmetic, so it wraps instead of overflowing.
constexpr std::uint32_t HashCella(int i, int j, int k) {
  return Mescola((static_cast<std::uint32_t>(i) * 73856093U) ^ (static_cast<std::uint32_t>(j) * 19349663U) ^
                 (static_cast<std::uint32_t>(k) * 83492791U));
}

}  // namespace mr::pittura
