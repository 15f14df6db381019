// The picture of the windows that "macchiarossa --istantanea FILE" saves,
// taken at display scales 1 and 2 in a folder of its own.
#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace mr {
namespace {

namespace fs = std::filesystem;

class Istantanea : public ::testing::Test {
 protected:
  void SetUp() override {
    cartella_ = fs::temp_directory_path() / ("mr_istantanea_" + std::to_string(std::random_device{}()));
    fs::create_directories(cartella_);
    std::ofstream(cartella_ / "Imp.txt", std::ios::binary) << "98,12,30,41,54,69\r\n";
    std::ofstream(cartella_ / "IOra.txt", std::ios::binary) << "0\r\n";
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(cartella_, ec);
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
  fs::path cartella_;
};

// Mean difference of the channels of two pictures of the same size, 0..255.
double DifferenzaMedia(const QImage& a, const QImage& b) {
  double somma = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      somma += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
               std::abs(qBlue(p) - qBlue(q));
    }
  return somma / (3.0 * a.width() * a.height());
}

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

}  // namespace
}  // namespace mr
