// The four picture windows of the Galilean satellites, opened from the legend
// boxes of the satellite panel.
#pragma once

class QWidget;

namespace mr {

// Shows the modeless picture window of satellite i (1 frmIO "Io", 2 frmEUROPA
// "Europa", 3 frmGANIMEDE "Ganimede", 4 frmCALLISTO "Callisto"), creating it
// on first use with `genitore` as its owner, or brings it to the front when
// it already exists. Any other i does nothing.
void MostraFinestraSatellite(int i, QWidget* genitore);

}  // namespace mr
