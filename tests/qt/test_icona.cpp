// The program's icon at the sizes it is installed in.
#include <gtest/gtest.h>

#include <QImage>
#include <cmath>

#include "window/qt/icona.h"

namespace mr {
namespace {

// Pixels of a row or column at least half opaque.
int Coperti(const QImage& img, bool riga) {
  int n = 0;
  const int meta = img.width() / 2;
  for (int i = 0; i < img.width(); ++i)
    n += qAlpha(riga ? img.pixel(i, meta) : img.pixel(meta, i)) >= 128;
  return n;
}

// The disk is 92% of the side wide (252 units of the picture). Its top and
// bottom are the highest painted parallels, near 86° of latitude:
// (117.81 + 8.19 cos 86°) sin 86° = 118.09 units from the centre, so the
// polar diameter is 0.92 * 236.18 / 252 = 0.8623 of the side.
TEST(Icona, TheDiskFillsTheSquareOnATransparentGround) {
  for (int lato : {16, 32, 48, 64, 128, 256}) {
    SCOPED_TRACE(lato);
    const QImage icona = IconaGiove(lato);
    ASSERT_EQ(icona.size(), QSize(lato, lato));
    ASSERT_TRUE(icona.hasAlphaChannel());
    for (QPoint angolo : {QPoint(0, 0), QPoint(lato - 1, 0), QPoint(0, lato - 1),
                          QPoint(lato - 1, lato - 1)})
      EXPECT_EQ(qAlpha(icona.pixel(angolo)), 0);
    EXPECT_EQ(qAlpha(icona.pixel(lato / 2, lato / 2)), 255);
    EXPECT_LE(std::abs(Coperti(icona, true) - 0.92 * lato), 1.0);
    EXPECT_LE(std::abs(Coperti(icona, false) - 0.8623 * lato), 1.0);
  }
}

TEST(Icona, SizesOutsideTheRangeGiveNoPicture) {
  EXPECT_TRUE(IconaGiove(0).isNull());
  EXPECT_TRUE(IconaGiove(-16).isNull());
  EXPECT_TRUE(IconaGiove(1025).isNull());
  EXPECT_EQ(IconaGiove(1).size(), QSize(1, 1));
}

}  // namespace
}  // namespace mr
