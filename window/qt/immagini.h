// Pictures the program renders itself: Jupiter behind the picture area Zorva
// and the four Galilean satellites of the picture windows.
#pragma once

#include <QImage>
#include <QSize>

namespace mr {

// Jupiter for the central meridian omega with the Great Red Spot at L (both
// System II longitudes, degrees). The user scale (0, 0)-(275, 255) of the
// picture area is stretched over `pixel`: the disk is centred at (134, 129),
// equatorial radius 126, polar radius 117.81, north up, its outline the one
// traced by the parallels r(phi) = 117.81 + 8.19 cos phi; black space around.
// A feature at longitude lambda and latitude phi stands at
// x = 134 - r(phi) cos(phi) sin(lambda - omega), so longitudes greater than
// omega lie left of the centre; the spot's centre is at y = 162, where the
// program draws its marker. Returns a null image when `pixel` is empty or
// larger than 4096 px on a side. Format_RGB32.
QImage ImmagineGiove(QSize pixel, double omega, double L);

// Galilean satellite i (1 Io, 2 Europa, 3 Ganymede, 4 Callisto) as a full
// sphere centred in `pixel`, on black. Any other i gives a black picture; an
// empty size or one beyond 4096 px a null image. Format_RGB32.
QImage ImmagineSatellite(int i, QSize pixel);

}  // namespace mr
