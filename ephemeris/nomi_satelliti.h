// The names the program gives the four Galilean satellites. Index 0..3 is Io,
// Europa, Ganymede, Callisto everywhere.
#pragma once
#include <array>
#include <string>

namespace mr {

struct NomeSatellite {
  const char* nome;      // "Io": captions, titles and announcements
  const char* casella;   // "IO": the main window's check box
  const char* finestra;  // "frmIO": the window of its picture
};

inline constexpr std::array<NomeSatellite, 4> NomiSatelliti{{
    {"Io", "IO", "frmIO"},
    {"Europa", "Europa", "frmEUROPA"},
    {"Ganimede", "Ganimede", "frmGANIMEDE"},
    {"Callisto", "Callisto", "frmCALLISTO"},
}};

// The name of satellite 1..4 (Io .. Callisto, as the events number them); ""
// for any other number (0 stands for the Red Spot in the events' lists).
inline std::string NomeDelSatellite(int numero) {
  return numero >= 1 && numero <= 4 ? NomiSatelliti[numero - 1].nome : "";
}

}  // namespace mr
