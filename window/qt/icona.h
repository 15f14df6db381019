// The program's icon: Jupiter's disk with the Great Red Spot, as the picture
// area paints it.
#pragma once

#include <QImage>

namespace mr {

// A lato x lato picture of the disk (92% of the side wide, centred, the spot
// a little past the central meridian), transparent around it; drawn four
// times larger or more and reduced, so its edge is smooth at every size.
// Format_ARGB32_Premultiplied; a null image for lato outside 1..1024.
QImage IconaGiove(int lato);

}  // namespace mr
