// What the windows share of their look: design positions in twips and the font.
#pragma once

#include <QFont>
#include <QRect>

namespace mr {

// Design positions are in twips; 15 twips make one pixel.
inline QRect Twip(int x, int y, int w, int h) { return QRect(x / 15, y / 15, w / 15, h / 15); }

// The design's font, or the nearest narrow sans serif face at hand.
inline QFont FontFinestra() {
  QFont f;
  f.setFamilies({"MS Sans Serif", "Microsoft Sans Serif", "Arial", "Liberation Sans",
                 "Helvetica", "DejaVu Sans Condensed"});
  f.setStyleHint(QFont::SansSerif);
  f.setPixelSize(11);
  return f;
}

}  // namespace mr
