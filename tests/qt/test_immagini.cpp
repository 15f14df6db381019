// The rendered pictures of Jupiter and of the satellites, the satellite
// picture windows and the about box.
#include <gtest/gtest.h>

#include <QApplication>
#include <QColor>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QWidget>
#include <cmath>
#include <limits>

#include "tests/qt/app.h"
#include "window/qt/immagini.h"
#include "window/qt/pittura.h"
#include "window/qt/informazioni.h"
#include "window/qt/satelliti_finestre.h"

namespace mr {
namespace {

constexpr double pi = 3.14159265358979323846;

bool Nero(QRgb c) { return qRed(c) == 0 && qGreen(c) == 0 && qBlue(c) == 0; }

// The salmon of the Great Red Spot; belts and zones are browner or paler.
bool Rossastro(QRgb c) {
  QColor q(c);
  int h = q.hsvHue();
  return q.hsvSaturationF() > 0.35 && q.valueF() > 0.35 && h >= 0 && (h < 16 || h > 345);
}

// Pixel of the picture at a point of the user scale (0, 0)-(275, 255).
QRgb Nel(const QImage& im, double x, double y) {
  return im.pixel(static_cast<int>(x * im.width() / 275), static_cast<int>(y * im.height() / 255));
}

struct Rosso {
  int n = 0;
  double x = 0, y = 0;  // centroid, user scale
};

Rosso PixelRossi(const QImage& im) {
  Rosso r;
  for (int py = 0; py < im.height(); ++py)
    for (int px = 0; px < im.width(); ++px)
      if (Rossastro(im.pixel(px, py))) {
        ++r.n;
        r.x += (px + 0.5) * 275 / im.width();
        r.y += (py + 0.5) * 255 / im.height();
      }
  if (r.n > 0) {
    r.x /= r.n;
    r.y /= r.n;
  }
  return r;
}

TEST(ImmagineGiove, SpaceAroundThePlanetAndCloudsOnIt) {
  QImage im = ImmagineGiove(QSize(225, 209), 0, 180);
  ASSERT_EQ(im.size(), QSize(225, 209));
  for (QPoint p : {QPoint(0, 0), QPoint(224, 0), QPoint(0, 208), QPoint(224, 208)}) EXPECT_TRUE(Nero(im.pixel(p)));
  // Just outside the limb and the poles is space; just inside is planet.
  EXPECT_TRUE(Nero(Nel(im, 134 - 131, 129)));
  EXPECT_TRUE(Nero(Nel(im, 134 + 131, 129)));
  EXPECT_TRUE(Nero(Nel(im, 134, 129 - 122)));
  EXPECT_TRUE(Nero(Nel(im, 134, 129 + 122)));
  for (QPointF p : {QPointF(134 - 118, 129), QPointF(134 + 118, 129), QPointF(134, 129 - 112), QPointF(134, 129 + 112)})
    EXPECT_GT(QColor(Nel(im, p.x(), p.y())).value(), 40) << p.x() << ", " << p.y();
  // The centre is bright cloud of warm colour.
  QColor centro(Nel(im, 134, 129));
  EXPECT_GT(centro.value(), 150);
  EXPECT_GE(centro.red(), centro.blue());
}

TEST(ImmagineGiove, RedSpotStandsWhereItsMarkerIsDrawn) {
  struct Case {
    QSize pixel;
    double omega, L;
  };
  const Case cases[] = {
      {{225, 209}, 0, 30},    // greater longitude than the meridian: left of centre
      {{225, 209}, 0, 0},     // on the central meridian
      {{225, 209}, 90, 60},   // right of centre
      {{225, 209}, 350, 10},  // across longitude 0
      {{225, 209}, 200, 250},
      {{450, 418}, 300, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.pixel.width() << "x" << c.pixel.height() << " omega " << c.omega
                                    << " L " << c.L);
    Rosso r = PixelRossi(ImmagineGiove(c.pixel, c.omega, c.L));
    double a = (90 + c.L - c.omega) * pi / 180;
    ASSERT_GT(r.n, 20);
    EXPECT_NEAR(r.x, 133 + 121 * std::cos(a), 4.0);
    EXPECT_NEAR(r.y, 162, 3.0);
  }
}

TEST(ImmagineGiove, RedSpotOnTheFarSideIsNotShown) {
  struct Case {
    double omega, L;
  };
  const Case cases[] = {{0, 180}, {90, 0}, {300, 30}, {200, 30}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "omega " << c.omega << " L " << c.L);
    EXPECT_EQ(PixelRossi(ImmagineGiove(QSize(225, 209), c.omega, c.L)).n, 0);
  }
}

TEST(ImmagineGiove, PlanetTurnsWithTheCentralMeridian) {
  QImage a = ImmagineGiove(QSize(225, 209), 0, 180);
  EXPECT_EQ(a, ImmagineGiove(QSize(225, 209), 0, 180));
  EXPECT_EQ(a, ImmagineGiove(QSize(225, 209), 360, 540));
  EXPECT_NE(a, ImmagineGiove(QSize(225, 209), 40, 180));
}

TEST(ImmagineGiove, BadInputGivesNoPictureOrADefinedOne) {
  EXPECT_TRUE(ImmagineGiove(QSize(0, 209), 0, 0).isNull());
  EXPECT_TRUE(ImmagineGiove(QSize(225, -1), 0, 0).isNull());
  EXPECT_TRUE(ImmagineGiove(QSize(5000, 209), 0, 0).isNull());
  double nan = std::numeric_limits<double>::quiet_NaN();
  double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(ImmagineGiove(QSize(225, 209), nan, inf).size(), QSize(225, 209));
  EXPECT_EQ(ImmagineGiove(QSize(1, 1), 1e300, -1e300).size(), QSize(1, 1));
}

TEST(ImmagineSatellite, FourDistinctSpheresOnBlack) {
  QColor medie[5];
  for (int i = 1; i <= 4; ++i) {
    SCOPED_TRACE(i);
    QImage im = ImmagineSatellite(i, QSize(300, 300));
    ASSERT_EQ(im.size(), QSize(300, 300));
    EXPECT_TRUE(Nero(im.pixel(0, 0)));
    EXPECT_TRUE(Nero(im.pixel(299, 299)));
    // Mean colour of the middle of the disk.
    long r = 0, g = 0, b = 0, n = 0;
    for (int y = 110; y < 190; ++y)
      for (int x = 110; x < 190; ++x, ++n) {
        r += qRed(im.pixel(x, y));
        g += qGreen(im.pixel(x, y));
        b += qBlue(im.pixel(x, y));
      }
    medie[i] = QColor(r / n, g / n, b / n);
    EXPECT_GT(medie[i].value(), 50);
  }
  for (int i = 1; i <= 4; ++i)
    for (int j = i + 1; j <= 4; ++j) {
      int d = std::abs(medie[i].red() - medie[j].red()) + std::abs(medie[i].green() - medie[j].green()) +
              std::abs(medie[i].blue() - medie[j].blue());
      EXPECT_GT(d, 30) << i << " and " << j;
    }
  EXPECT_GT(medie[1].green() - medie[1].blue(), 40);   // Io is yellow
  EXPECT_LT(medie[4].value(), medie[2].value() - 60);  // Callisto much darker than Europa
}

TEST(ImmagineSatellite, BadInput) {
  QImage nero = ImmagineSatellite(7, QSize(20, 20));
  ASSERT_EQ(nero.size(), QSize(20, 20));
  EXPECT_TRUE(Nero(nero.pixel(10, 10)));
  EXPECT_TRUE(ImmagineSatellite(1, QSize()).isNull());
  EXPECT_EQ(ImmagineSatellite(3, QSize(1, 1)).size(), QSize(1, 1));
}

// The cell hash scatters craters for cells far from the origin too: it wraps
// modulo 2^32 (values worked out by hand) and, being evaluated at compile
// time here, would not compile if it overflowed a signed integer.
TEST(HashCella, WrapsModulo2To32) {
  static_assert(pittura::HashCella(0, 0, 0) == 0);
  static_assert(pittura::HashCella(1, 2, 3) == 0x0bd90090U);
  static_assert(pittura::HashCella(70, -70, 70) == 0x7dc3bb76U);
  static_assert(pittura::HashCella(-71, 0, 30) == 0xc4fb2a39U);
  static_assert(pittura::HashCella(2147483647, -2147483647 - 1, 100) == 0xca535256U);
  volatile int i = 70;  // and the same at run time
  EXPECT_EQ(pittura::HashCella(i, -i, i), 0x7dc3bb76U);
}

int FinestreDiNome(const QString& nome) {
  int n = 0;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == nome) ++n;
  return n;
}

QWidget* Finestra(const QString& nome) {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == nome) return w;
  return nullptr;
}

TEST(FinestreSatelliti, OneWindowEachWithItsCaption) {
  prova::App();
  struct Case {
    int i;
    const char* nome;
    const char* titolo;
  };
  const Case cases[] = {{1, "frmIO", "Io"}, {2, "frmEUROPA", "Europa"}, {3, "frmGANIMEDE", "Ganimede"},
                        {4, "frmCALLISTO", "Callisto"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.nome);
    MostraFinestraSatellite(c.i, nullptr);
    QWidget* w = Finestra(c.nome);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), c.titolo);
    EXPECT_TRUE(w->isVisible());
    w->close();
    MostraFinestraSatellite(c.i, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(FinestreDiNome(c.nome), 1);
  }
  int prima = QApplication::topLevelWidgets().size();
  MostraFinestraSatellite(0, nullptr);
  MostraFinestraSatellite(5, nullptr);
  EXPECT_EQ(QApplication::topLevelWidgets().size(), prima);
}

TEST(Informazioni, OpensOnceAndClosesWithOK) {
  prova::App();
  MostraInformazioni(nullptr);
  QWidget* w = Finestra("frmInformazioni");
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->windowTitle(), "Informazioni su MacchiaRossa");
  EXPECT_TRUE(w->isVisible());
  EXPECT_FALSE(w->isModal());
  QStringList testi;
  for (QLabel* l : w->findChildren<QLabel*>()) testi << l->text();
  EXPECT_TRUE(testi.contains("MacchiaRossa"));
  EXPECT_TRUE(testi.contains("Versione 1.0.0"));
  auto* ok = w->findChild<QPushButton*>("OK");
  ASSERT_NE(ok, nullptr);
  EXPECT_EQ(ok->text(), "OK");
  ok->click();
  EXPECT_FALSE(w->isVisible());
  MostraInformazioni(nullptr);
  EXPECT_TRUE(w->isVisible());
  EXPECT_EQ(FinestreDiNome("frmInformazioni"), 1);
  w->close();
}

}  // namespace
}  // namespace mr
