// The view's choices in the windows: the eyepiece's orientation of the
// picture area and of the satellite panel, and night vision over every
// window of the program.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPointF>
#include <QStyle>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>

#include "app.h"
#include "principale_di_prova.h"
#include "tests/settings/cartella_temp.h"
#include "confronto_immagini.h"
#include "window/qt/aspetto.h"
#include "window/qt/finestra_principale.h"
#include "window/qt/immagini.h"
#include "window/qt/informazioni.h"
#include "window/qt/pannello_satelliti.h"
#include "window/qt/satelliti_finestre.h"
#include "window/qt/tela_qpainter.h"
#include "window/qt/visione_notturna.h"
#include "window/qt/vista_zorva.h"

namespace mr {
namespace {

namespace fs = std::filesystem;
using prova::DifferenzaMedia;

// ---- pictures ---------------------------------------------------------------

bool Bianco(QRgb c) { return c == qRgb(255, 255, 255); }

// The smallest rectangle holding every pixel that is not white.
QRect Inchiostro(const QImage& im) {
  QRect r;
  for (int y = 0; y < im.height(); ++y)
    for (int x = 0; x < im.width(); ++x)
      if (!Bianco(im.pixel(x, y))) r |= QRect(x, y, 1, 1);
  return r;
}

int PixelVerdiOBlu(const QImage& im) {
  const QImage rgb = im.convertToFormat(QImage::Format_RGB32);
  int n = 0;
  for (int y = 0; y < rgb.height(); ++y)
    for (int x = 0; x < rgb.width(); ++x)
      if (qGreen(rgb.pixel(x, y)) != 0 || qBlue(rgb.pixel(x, y)) != 0) ++n;
  return n;
}

// One canvas operation sequence drawn on a white picture of the picture
// area's size, one pixel to a unit.
template <class F>
QImage Disegna(Orientamento o, F&& disegno) {
  QImage im(275, 255, QImage::Format_RGB32);
  im.fill(Qt::white);
  QPainter p(&im);
  TelaQPainter tela(p, im.rect(), QImage(), Qt::white, FontFinestra(), o);
  tela.Scala(0, 0, 275, 255);
  tela.Cls();
  disegno(tela);
  p.end();
  return im;
}

// A point at (10.5, 20.5) fills the pixel (10, 20) of the direct view; a
// reversed axis of 275 (255) pixels puts it in pixel 264 (234).
TEST(TelaOrientata, APointLandsInTheTurnedPixel) {
  struct Case {
    Orientamento o;
    QPoint pixel;
  };
  const Case cases[] = {
      {Orientamento::Diretta, {10, 20}},
      {Orientamento::Capovolta, {264, 234}},
      {Orientamento::Speculare, {264, 20}},
      {Orientamento::SpecularCapovolta, {10, 234}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(NomeOrientamento(c.o)));
    const QImage im = Disegna(c.o, [](Tela& t) { t.Punto(10.5, 20.5, RGB(255, 0, 0)); });
    EXPECT_EQ(Inchiostro(im), QRect(c.pixel, QSize(1, 1)));
    EXPECT_EQ(im.pixel(c.pixel), qRgb(255, 0, 0));
  }
}

// A latitude label printed at the left edge lands at the right edge when the
// picture is turned or mirrored, and at the bottom when it is turned upside
// down, and it reads the same: its pixels are those of the direct view moved,
// not mirrored.
TEST(TelaOrientata, PrintedTextStaysUprightAtTheTurnedPlace) {
  const auto etichetta = [](Tela& t) {
    t.Punto(2, 40, RGB(255, 255, 255));
    t.Stampa("-70");
  };
  const QImage diretta = Disegna(Orientamento::Diretta, etichetta);
  const QRect d = Inchiostro(diretta);
  ASSERT_FALSE(d.isEmpty());
  ASSERT_GE(d.left(), 2);
  ASSERT_GE(d.top(), 40);
  const QImage testo = diretta.copy(d);
  for (Orientamento o : {Orientamento::Capovolta, Orientamento::Speculare,
                         Orientamento::SpecularCapovolta}) {
    SCOPED_TRACE(std::string(NomeOrientamento(o)));
    const Ribaltamento r = RibaltamentoDi(o);
    const QImage im = Disegna(o, etichetta);
    const QRect q = Inchiostro(im);
    EXPECT_EQ(q.size(), d.size());
    // The box of "-70" ends where the direct one starts, counted from the other edge.
    if (r.orizzontale) {
      EXPECT_LE(std::abs(q.right() + 1 - (275 - d.left())), 1) << q.right();
    } else {
      EXPECT_EQ(q.left(), d.left());
    }
    if (r.verticale) {
      EXPECT_LE(std::abs(q.bottom() + 1 - (255 - d.top())), 1) << q.bottom();
    } else {
      EXPECT_EQ(q.top(), d.top());
    }
    // At the right edge the text starts at a fraction of a pixel, which
    // smooths its edges differently; mirrored glyphs differ far more.
    const QImage letto = im.copy(q);
    EXPECT_LT(3 * DifferenzaMedia(letto, testo),
              DifferenzaMedia(letto, testo.mirrored(true, false)));
  }
  EXPECT_NE(testo.mirrored(true, false), testo);
}

// ---- the main window ----------------------------------------------------------

class VistaTest : public ::testing::Test {
 protected:
  void SetUp() override {
    prova::App();
    std::ofstream(cartella_ / "Imp.txt", std::ios::binary) << "98,12,30,41,54,69\r\n";
    std::ofstream(cartella_ / "IOra.txt", std::ios::binary) << "0\r\n";
  }
  void TearDown() override {
    finestra_.reset();
    ImpostaVisioneNotturna(false);
    QApplication::closeAllWindows();
  }

  FinestraPrincipale& Apri() { return prova::ApriPrincipale(finestra_, cartella_); }

  // A fixed instant: 15 March 2004 22:00, the satellites spread on both sides.
  void Calcola() {
    MacchiaRossa& m = finestra_->Modello();
    m.Giorno.Text = "15";
    m.Mese.Text = "3";
    m.Anno.Text = "2004";
    m.Ore.Text = "22";
    m.Minuti.Text = "0";
    m.Calcola_Click();
    finestra_->Aggiorna();
    QCoreApplication::processEvents();
  }

  template <class W>
  W* Trova(const char* nome) {
    W* w = finestra_->findChild<W*>(QString::fromUtf8(nome));
    EXPECT_NE(w, nullptr) << nome;
    return w;
  }

  QString TestoDi(const char* nome) {
    QLabel* l = Trova<QLabel>(nome);
    return l ? l->text() : QString();
  }

  std::string Ini() {
    std::ifstream f(cartella_ / "MacchiaRossa.ini", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
  }

  prova::CartellaTemp temp_;
  const fs::path cartella_ = temp_.percorso();
  std::unique_ptr<FinestraPrincipale> finestra_;
};

// The panel between the legend row and the corner marks.
QImage DisegnoDelPannello(FinestraSatelliti* p) { return p->grab().toImage().copy(0, 20, 632, 75); }

TEST_F(VistaTest, PictureAreaAndPanelTurnTogetherAsWholePictures) {
  FinestraPrincipale& f = Apri();
  Calcola();
  ASSERT_NE(f.Pannello(), nullptr);
  const QImage zorva = f.Zorva()->grab().toImage();
  const QImage pannello = DisegnoDelPannello(f.Pannello());
  for (Orientamento o : {Orientamento::Capovolta, Orientamento::Speculare,
                         Orientamento::SpecularCapovolta}) {
    SCOPED_TRACE(std::string(NomeOrientamento(o)));
    const Ribaltamento r = RibaltamentoDi(o);
    f.ScegliOrientamento(o);
    QCoreApplication::processEvents();
    const QImage z = f.Zorva()->grab().toImage();
    const QImage atteso = zorva.mirrored(r.orizzontale, r.verticale);
    // Edges of shapes may fall a pixel apart; a picture not turned, or
    // turned the other way, differs by far more.
    EXPECT_LT(DifferenzaMedia(z, atteso), 2.0);
    EXPECT_GT(DifferenzaMedia(z, zorva), 4 * DifferenzaMedia(z, atteso));
    const QImage p = DisegnoDelPannello(f.Pannello());
    // Rows 20..94 of the panel's 115 come back on themselves upside down.
    const QImage pAtteso = pannello.mirrored(r.orizzontale, r.verticale);
    EXPECT_LT(DifferenzaMedia(p, pAtteso), 2.0);
  }
}

// The enlarged view of a mutual event, 300 x 40 pixels along the panel's
// bottom, turns within itself with the panel: on 10 December 2026 at 00:58 UT
// Ganymede's shadow lies on Europa (reference maximum 00:57:52), and Europa's
// green disk, left of the box's middle in the direct view (Europa east of the
// shadow), comes back mirrored where the view is.
void CalcolaEclisseDiEuropa(FinestraPrincipale& f) {
  f.ScegliAltaPrecisione(true);
  MacchiaRossa& m = f.Modello();
  m.TU_Click();
  m.Giorno.Text = "10";
  m.Mese.Text = "12";
  m.Anno.Text = "2026";
  m.Ore.Text = "0";
  m.Minuti.Text = "58";
  m.Calcola_Click();
  f.Aggiorna();
  QCoreApplication::processEvents();
}

QImage Ingrandimento(FinestraPrincipale& f) {
  return f.Pannello()->grab().toImage().copy(166, 73, 300, 40);
}

TEST_F(VistaTest, TheMutualEventViewTurnsWithThePanel) {
  FinestraPrincipale& f = Apri();
  CalcolaEclisseDiEuropa(f);
  ASSERT_FALSE(f.Modello().frmSatelliti.ingrandimento.operazioni.empty());
  // The centre of Europa's green pixels in the view's box.
  const auto europa = [&f] {
    const QImage im = Ingrandimento(f);
    double sx = 0, sy = 0;
    int n = 0;
    for (int y = 0; y < im.height(); ++y)
      for (int x = 0; x < im.width(); ++x) {
        const QRgb c = im.pixel(x, y);
        if (qGreen(c) > 100 && qRed(c) < 40 && qBlue(c) < 40) sx += x + 0.5, sy += y + 0.5, ++n;
      }
    return n > 50 ? QPointF(sx / n, sy / n) : QPointF(-1, -1);
  };
  const QPointF diretta = europa();
  ASSERT_GT(diretta.x(), 0);
  EXPECT_LT(diretta.x(), 140);
  for (Orientamento o : {Orientamento::Capovolta, Orientamento::Speculare,
                         Orientamento::SpecularCapovolta}) {
    SCOPED_TRACE(std::string(NomeOrientamento(o)));
    const Ribaltamento r = RibaltamentoDi(o);
    f.ScegliOrientamento(o);
    QCoreApplication::processEvents();
    const QPointF q = europa();
    EXPECT_LE(std::abs(q.x() - (r.orizzontale ? 300 - diretta.x() : diretta.x())), 1) << q.x();
    EXPECT_LE(std::abs(q.y() - (r.verticale ? 40 - diretta.y() : diretta.y())), 1) << q.y();
  }
}

// At night on the windows' face the view is cleared to black like the panel
// around it, and gives no green or blue light.
TEST_F(VistaTest, TheMutualEventViewAtNightIsRedOnBlack) {
  FinestraPrincipale& f = Apri();
  f.Modello().Cielo.Value = 0;
  CalcolaEclisseDiEuropa(f);
  ImpostaVisioneNotturna(true);
  QCoreApplication::processEvents();
  const QImage im = Ingrandimento(f).convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(PixelVerdiOBlu(im), 0);
  EXPECT_EQ(im.pixel(5, 5), qRgb(0, 0, 0));
  EXPECT_EQ(im.pixel(295, 35), qRgb(0, 0, 0));
  int rossi = 0;  // the frame, Europa, the names
  for (int y = 0; y < im.height(); ++y)
    for (int x = 0; x < im.width(); ++x) rossi += qRed(im.pixel(x, y)) > 60;
  EXPECT_GT(rossi, 300);
}

TEST_F(VistaTest, TheMenuOffersTheFourOrientationsAndTheLabelsFollow) {
  FinestraPrincipale& f = Apri();
  Calcola();
  auto* menu = Trova<QMenu>("mOrientamento");
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu->title(), "Orientamento");
  QStringList voci;
  for (QAction* a : menu->actions()) {
    voci << a->text();
    EXPECT_TRUE(a->isCheckable());
  }
  EXPECT_EQ(voci, QStringList({"Diretta (Nord in alto, Est a sinistra)", "Capovolta (Sud in alto)",
                               "Speculare (Nord in alto, Est a destra)", "Speculare capovolta"}));
  EXPECT_TRUE(menu->actions()[0]->isChecked());

  struct Case {
    int voce;
    const char* polo;
    const char* sinistra;
    const char* destra;
  };
  const Case cases[] = {
      {1, "Polo   S", "O", "E"},
      {2, "Polo   N", "O", "E"},
      {3, "Polo   S", "E", "O"},
      {0, "Polo   N", "E", "O"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.voce);
    menu->actions()[c.voce]->trigger();
    for (int k = 0; k < 4; ++k) EXPECT_EQ(menu->actions()[k]->isChecked(), k == c.voce);
    EXPECT_EQ(TestoDi("Label7"), c.polo);
    EXPECT_EQ(TestoDi("MarcaSinistra"), c.sinistra);
    EXPECT_EQ(TestoDi("MarcaDestra"), c.destra);
    EXPECT_EQ(f.Pannello()->MarcaSinistra()->text(), c.sinistra);
    EXPECT_EQ(f.Pannello()->MarcaDestra()->text(), c.destra);
  }
}

TEST_F(VistaTest, TurnedPictureStillTakesTheGridOnAClickAndTheChoiceIsRemembered) {
  FinestraPrincipale& f = Apri();
  Calcola();
  Trova<QAction>("mOrientamento_speculare_capovolta")->trigger();
  EXPECT_NE(Ini().find("[Vista]\norientamento=speculare_capovolta\n"), std::string::npos) << Ini();

  // The grid's central meridian is the one magenta line of the drawing.
  const auto meridiani = [&f] {
    int n = 0;
    for (const Operazione& o : f.Modello().Zorva.operazioni)
      if (o.tipo == Operazione::Tipo::Linea && o.colore == RGB(255, 0, 255)) ++n;
    return n;
  };
  const int prima = meridiani();
  VistaZorva* z = f.Zorva();
  QMouseEvent premi(QEvent::MouseButtonPress, QPointF(20, 20), z->mapToGlobal(QPointF(20, 20)),
                    Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(z, &premi);
  EXPECT_EQ(meridiani(), prima + 1);

  Apri();
  EXPECT_EQ(finestra_->Vista().orientamento, Orientamento::SpecularCapovolta);
  EXPECT_TRUE(Trova<QAction>("mOrientamento_speculare_capovolta")->isChecked());
  EXPECT_EQ(TestoDi("Label7"), "Polo   S");
  EXPECT_EQ(finestra_->Zorva()->OrientamentoAttuale(), Orientamento::SpecularCapovolta);
}

// A settings file that cannot be read or written: the notice names it, the
// choice still holds for the session, and nothing else is touched.
TEST_F(VistaTest, AnUnusableSettingsFileIsNamedInANotice) {
  fs::create_directory(cartella_ / "MacchiaRossa.ini");
  FinestraPrincipale& f = Apri();
  QCoreApplication::processEvents();
  const auto avvisi = [&f] {
    QStringList testi;
    for (QMessageBox* b : f.findChildren<QMessageBox*>())
      if (b->isVisible()) testi << b->text();
    return testi;
  };
  ASSERT_EQ(avvisi().size(), 1) << avvisi().join("|").toStdString();
  EXPECT_TRUE(avvisi()[0].startsWith("Impossibile leggere il file MacchiaRossa.ini"))
      << avvisi()[0].toStdString();
  for (QMessageBox* b : f.findChildren<QMessageBox*>()) b->close();
  QCoreApplication::processEvents();

  Trova<QAction>("mOrientamento_capovolta")->trigger();
  QCoreApplication::processEvents();
  EXPECT_EQ(TestoDi("Label7"), "Polo   S");
  ASSERT_EQ(avvisi().size(), 1);
  EXPECT_TRUE(avvisi()[0].contains("MacchiaRossa.ini")) << avvisi()[0].toStdString();
  EXPECT_TRUE(fs::is_directory(cartella_ / "MacchiaRossa.ini"));
}

// ---- night vision ----------------------------------------------------------

TEST(FiltroRosso, BrightnessGoesIntoTheRedChannel) {
  // Luma 0.299 R + 0.587 G + 0.114 B, worked out by hand and rounded.
  struct Case {
    QColor c;
    int rosso;
  };
  const Case cases[] = {
      {QColor(255, 255, 255), 255}, {QColor(0, 0, 0), 0},       {QColor(255, 0, 0), 76},
      {QColor(0, 255, 0), 150},     {QColor(0, 0, 255), 29},    {QColor(192, 192, 255), 199},
      {QColor(0, 0, 128), 15},      {QColor(230, 175, 125), 186},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.c.name().toStdString());
    EXPECT_EQ(FiltroRosso(c.c), QColor(c.rosso, 0, 0));
  }
  EXPECT_EQ(FiltroRosso(QColor(10, 20, 30, 40)), QColor(18, 0, 0, 40));
}

TEST(FiltroRosso, APictureKeepsItsBrightnessInRedAlone) {
  const QImage giove = ImmagineGiove(QSize(275, 255), 40, 60);
  const QImage rossa = FiltroRosso(giove);
  ASSERT_EQ(rossa.size(), giove.size());
  EXPECT_EQ(PixelVerdiOBlu(rossa), 0);
  int diversi = 0;
  for (int y = 0; y < giove.height(); ++y)
    for (int x = 0; x < giove.width(); ++x) {
      const QRgb o = giove.pixel(x, y);
      const double luma = 0.299 * qRed(o) + 0.587 * qGreen(o) + 0.114 * qBlue(o);
      if (std::abs(qRed(rossa.pixel(x, y)) - luma) > 0.5) ++diversi;
    }
  EXPECT_EQ(diversi, 0);
  // Transparency stays.
  QImage trasparente(4, 4, QImage::Format_ARGB32);
  trasparente.fill(QColor(0, 200, 0, 0));
  EXPECT_EQ(qAlpha(FiltroRosso(trasparente).pixel(1, 1)), 0);
}

struct Aspetto {
  QPalette tavolozza;
  QImage immagine;  // a label's picture
};

// Every window of the program that is open, with all its widgets.
std::vector<QWidget*> TuttiIWidget() {
  std::vector<QWidget*> v;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (!w->isVisible()) continue;
    v.push_back(w);
    for (QWidget* figlio : w->findChildren<QWidget*>()) v.push_back(figlio);
  }
  return v;
}

std::map<QWidget*, Aspetto> Fotografa() {
  std::map<QWidget*, Aspetto> a;
  for (QWidget* w : TuttiIWidget()) {
    auto* l = qobject_cast<QLabel*>(w);
    a[w] = {w->palette(), l ? l->pixmap().toImage() : QImage()};
  }
  return a;
}

std::string ColoriVerdiOBlu(const QWidget* w) {
  std::string trovati;
  const QPalette& p = w->palette();
  for (auto gruppo : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
    for (int r = 0; r < QPalette::NColorRoles; ++r) {
      if (r == QPalette::NoRole) continue;
      const QColor c = p.color(gruppo, static_cast<QPalette::ColorRole>(r));
      if (c.green() != 0 || c.blue() != 0)
        trovati += " role " + std::to_string(r) + " " + c.name().toStdString();
    }
  return trovati;
}

TEST_F(VistaTest, NightVisionTurnsEveryWindowRedAndSwitchingBackRestoresTheDay) {
  fs::remove(cartella_ / "Imp.txt");  // a first start: a notice comes with the window
  FinestraPrincipale& f = Apri();
  Calcola();
  ASSERT_NE(f.Pannello(), nullptr);
  ASSERT_TRUE(f.Pannello()->isVisible());
  MostraFinestraSatellite(2, f.Pannello());
  Trova<QAction>("mCoordinate")->trigger();
  Trova<QAction>("mEventi")->trigger();
  MostraInformazioni(&f, cartella_);
  QCoreApplication::processEvents();
  QString aperte;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->isVisible()) aperte += w->objectName() + ":" + w->metaObject()->className() + " ";
  for (const char* attesa : {"frmSatelliti", "frmEUROPA", "Coordinate", "frmInformazioni",
                             "MacchiaRossa", "QMessageBox", "Eventi"})
    EXPECT_TRUE(aperte.contains(attesa)) << attesa << ": " << aperte.toStdString();

  const std::map<QWidget*, Aspetto> giorno = Fotografa();
  const QString stileGiorno = QApplication::style()->name();
  QAction* notte = Trova<QAction>("mVisioneNotturna");
  EXPECT_EQ(notte->text(), "Visione notturna");
  EXPECT_EQ(notte->shortcut(), QKeySequence("Ctrl+N"));
  EXPECT_EQ(notte->shortcutContext(), Qt::ApplicationShortcut);
  ASSERT_FALSE(notte->isChecked());

  notte->trigger();
  QCoreApplication::processEvents();
  EXPECT_TRUE(VisioneNotturna());
  EXPECT_TRUE(notte->isChecked());
  EXPECT_NE(Ini().find("visioneNotturna=1"), std::string::npos) << Ini();
  for (QWidget* w : TuttiIWidget()) {
    const std::string nome =
        w->objectName().toStdString() + " (" + w->metaObject()->className() + ")";
    EXPECT_EQ(ColoriVerdiOBlu(w), "") << nome;
    if (auto* l = qobject_cast<QLabel*>(w); l && !l->pixmap().isNull()) {
      EXPECT_EQ(PixelVerdiOBlu(l->pixmap().toImage()), 0) << nome;
    }
    if (w->isWindow()) {
      EXPECT_EQ(PixelVerdiOBlu(w->grab().toImage()), 0) << nome;
    }
  }
  EXPECT_EQ(ColoriVerdiOBlu(finestra_.get()), "");

  notte->trigger();
  QCoreApplication::processEvents();
  EXPECT_FALSE(VisioneNotturna());
  EXPECT_EQ(QApplication::style()->name(), stileGiorno);
  for (QWidget* w : TuttiIWidget()) {
    auto it = giorno.find(w);
    if (it == giorno.end()) continue;
    const std::string nome =
        w->objectName().toStdString() + " (" + w->metaObject()->className() + ")";
    EXPECT_TRUE(w->palette() == it->second.tavolozza) << nome;
    if (auto* l = qobject_cast<QLabel*>(w)) {
      EXPECT_EQ(l->pixmap().toImage(), it->second.immagine) << nome;
    }
  }
  EXPECT_NE(Ini().find("visioneNotturna=0"), std::string::npos) << Ini();
}

TEST_F(VistaTest, NightVisionIsRememberedAndAWindowOpenedAtNightFollows) {
  std::ofstream(cartella_ / "MacchiaRossa.ini", std::ios::binary)
      << "[Vista]\nvisioneNotturna=1\n";
  FinestraPrincipale& f = Apri();
  EXPECT_TRUE(VisioneNotturna());
  EXPECT_TRUE(Trova<QAction>("mVisioneNotturna")->isChecked());
  Calcola();
  // Opened after the switch, with no code of its own for the night.
  MostraFinestraSatellite(3, f.Pannello());
  MostraInformazioni(&f, cartella_);
  Trova<QAction>("mEventi")->trigger();
  QCoreApplication::processEvents();
  for (const char* nome : {"frmGANIMEDE", "frmInformazioni", "Eventi"}) {
    QWidget* w = nullptr;
    for (QWidget* t : QApplication::topLevelWidgets())
      if (t->objectName() == nome) w = t;
    ASSERT_NE(w, nullptr) << nome;
    EXPECT_EQ(PixelVerdiOBlu(w->grab().toImage()), 0) << nome;
  }
  EXPECT_EQ(PixelVerdiOBlu(f.grab().toImage()), 0);
  EXPECT_EQ(PixelVerdiOBlu(f.Pannello()->grab().toImage()), 0);
  // The main window keeps the design's height under the night's menu bar.
  EXPECT_EQ(f.centralWidget()->size(), QSize(634, 436));
  EXPECT_EQ(f.height(), 436 + f.menuBar()->height());
}

}  // namespace
}  // namespace mr
