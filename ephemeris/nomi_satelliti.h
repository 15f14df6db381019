// The names the program gives the four Galilean satellites. Index 0..3 is Io,
// Europa, Ganymede, Callisto everywhere.
#pragma once
#include <array>

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

}  // namespace mr
