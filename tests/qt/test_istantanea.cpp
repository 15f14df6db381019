// The picture of the windows that "macchiarossa --istantanea FILE" saves,
// taken at display scales 1 and 2 in a folder of its own.
#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "confronto_immagini.h"
#include "tests/settings/cartella_temp.h"

namespace mr {
namespace {

namespace fs = std::filesystem;
using prova::DifferenzaMedia;

class Istantanea : public ::testing::Test {
 protected:
  void SetUp() override {
    std::ofstream(cartella_ / "Imp.txt", std::ios::binary) << "98,12,30,41,54,69\r\n";
    std::ofstream(cartella_ / "IOra.txt", std::ios::binary) << "0\r\n";
  }
  // The picture saved at that display scale, or a null image.
  QImage Scatta(const char* scala) {
    const fs::path file = cartella_ / (std::string("scala") + scala + ".png");
    const std::string comando = "cd '" + cartella_.string() +
                                "' && QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR=" + scala + " '" +
                                MACCHIAROSSA_PATH + "' --istantanea '" + file.string() +
                                "' 2>/dev/null";
    if (std::system(comando.c_str()) != 0) return {};
    return QImage(QString::fromStdString(file.string())).convertToFormat(QImage::Format_RGB32);
  }
  prova::CartellaTemp temp_;
  const fs::path cartella_ = temp_.percorso();
};

TEST_F(Istantanea, AtScaleTwoItIsThePictureAtScaleOneTwiceAsLarge) {
  const QImage uno = Scatta("1"), due = Scatta("2");
  ASSERT_FALSE(uno.isNull());
  ASSERT_FALSE(due.isNull());
  EXPECT_EQ(due.size(), uno.size() * 2);
  const QImage ridotta = due.scaled(uno.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  // Text is drawn afresh at each scale and the clock may have moved on by a
  // minute; a window drawn at the wrong size or place differs far more.
  EXPECT_LT(DifferenzaMedia(uno, ridotta), 6);
}

// The picture area in a snapshot: under the menu bar, whose height is what is
// left of the picture's height after the area, the 8 pixels and the panel.
QImage ZorvaNellIstantanea(const QImage& im) {
  const int menu = im.height() - 436 - 8 - 115;
  return im.copy(208, 120 + menu, 225, 209);
}

TEST_F(Istantanea, TheSnapshotShowsTheChosenOrientation) {
  const QImage diretta = Scatta("1");
  std::ofstream(cartella_ / "MacchiaRossa.ini", std::ios::binary)
      << "[Vista]\norientamento=capovolta\n";
  const QImage capovolta = Scatta("1");
  ASSERT_FALSE(diretta.isNull());
  ASSERT_FALSE(capovolta.isNull());
  ASSERT_EQ(capovolta.size(), diretta.size());
  const QImage d = ZorvaNellIstantanea(diretta), c = ZorvaNellIstantanea(capovolta);
  // The clock may have moved on by a minute between the two: a fraction of a degree.
  const double girata = DifferenzaMedia(c, d.mirrored(true, true));
  EXPECT_LT(girata, 3);
  EXPECT_GT(DifferenzaMedia(c, d), 4 * girata);
}

}  // namespace
}  // namespace mr
