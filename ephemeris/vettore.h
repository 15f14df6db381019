// A three-vector of doubles with the few operations the precise ephemeris needs.
#pragma once
#include <cmath>

namespace mr {

struct Vettore {
  double x = 0, y = 0, z = 0;
};

inline Vettore operator+(Vettore a, Vettore b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vettore operator-(Vettore a, Vettore b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vettore operator-(Vettore a) { return {-a.x, -a.y, -a.z}; }
inline Vettore operator*(double k, Vettore a) { return {k * a.x, k * a.y, k * a.z}; }
inline double Scalare(Vettore a, Vettore b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vettore Vettoriale(Vettore a, Vettore b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline double Modulo(Vettore a) { return std::sqrt(Scalare(a, a)); }
inline Vettore Versore(Vettore a) { return (1 / Modulo(a)) * a; }

}  // namespace mr
