#include "window/qt/finestra_principale.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QWindow>
#include <QtCore/qtestsupport_core.h>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "app.h"
#include "principale_di_prova.h"
#include "tests/settings/cartella_temp.h"
#include "window/qt/pannello_satelliti.h"
#include "window/qt/tela_qpainter.h"
#include "window/qt/vista_zorva.h"

namespace mr {
namespace {

namespace fs = std::filesystem;

// ---- user input through events ---------------------------------------------

void Clicca(QWidget* w, QPoint punto) {
  const QPointF locale(punto), globale(w->mapToGlobal(punto));
  QMouseEvent premi(QEvent::MouseButtonPress, locale, globale, Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QApplication::sendEvent(w, &premi);
  QMouseEvent rilascia(QEvent::MouseButtonRelease, locale, globale, Qt::LeftButton,
                       Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(w, &rilascia);
}

// A check box or option button reacts on its indicator and caption only.
void Clicca(QWidget* w) {
  const bool casella = qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w);
  Clicca(w, casella ? QPoint(7, w->height() / 2) : w->rect().center());
}

void Tasto(QWidget* w, int tasto, Qt::KeyboardModifiers modificatori = Qt::NoModifier,
           const QString& testo = {}) {
  QKeyEvent premi(QEvent::KeyPress, tasto, modificatori, testo);
  QApplication::sendEvent(w, &premi);
  QKeyEvent rilascia(QEvent::KeyRelease, tasto, modificatori, testo);
  QApplication::sendEvent(w, &rilascia);
}

// Replaces the text of a field or of an editable list as typing would.
void Digita(QWidget* w, const QString& testo) {
  if (auto* c = qobject_cast<QComboBox*>(w)) w = c->lineEdit();
  Tasto(w, Qt::Key_A, Qt::ControlModifier);
  Tasto(w, Qt::Key_Delete);
  for (QChar ch : testo) Tasto(w, ch.unicode(), Qt::NoModifier, QString(ch));
}

// ---- fixture -----------------------------------------------------------------

class FinestraTest : public ::testing::Test {
 protected:
  void SetUp() override {
    prova::App();
    std::ofstream(cartella_ / "Imp.txt", std::ios::binary) << "180,12,30,41,54,69\r\n";
    std::ofstream(cartella_ / "IOra.txt", std::ios::binary) << "0\r\n";
  }
  void TearDown() override {
    finestra_.reset();
  }

  FinestraPrincipale& Apri() { return prova::ApriPrincipale(finestra_, cartella_); }

  template <class W>
  W* Trova(const char* nome) {
    W* w = finestra_->findChild<W*>(QString::fromUtf8(nome));
    EXPECT_NE(w, nullptr) << nome;
    return w;
  }

  void Imposta(const char* casella, bool spuntata) {
    auto* c = Trova<QCheckBox>(casella);
    if (c->isChecked() != spuntata) Clicca(c);
    ASSERT_EQ(c->isChecked(), spuntata) << casella;
  }

  void Istante(const char* g, const char* m, const char* a, const char* o, const char* mi) {
    Digita(Trova<QComboBox>("Giorno"), g);
    Digita(Trova<QComboBox>("Mese"), m);
    Digita(Trova<QComboBox>("Anno"), a);
    Digita(Trova<QComboBox>("Ore"), o);
    Digita(Trova<QComboBox>("Minuti"), mi);
  }

  // The picture area as it appears in a grab of the whole window.
  QImage ZorvaNellaFinestra() {
    QCoreApplication::processEvents();
    const QImage finestra = finestra_->grab().toImage();
    VistaZorva* z = finestra_->Zorva();
    return finestra.copy(QRect(z->mapTo(finestra_.get(), QPoint(0, 0)), z->size()));
  }

  prova::CartellaTemp temp_;
  const fs::path cartella_ = temp_.percorso();
  std::unique_ptr<FinestraPrincipale> finestra_;
};

TEST_F(FinestraTest, ControlsStandWhereTheDesignPutsThem) {
  finestra_ = std::make_unique<FinestraPrincipale>(cartella_);
  EXPECT_EQ(finestra_->windowTitle(),
            QString("Zorva: Macchia Rossa - Ombre, eclissi, occultazioni e transiti dei "
                    "satelliti galileiani (Tarbeni)"));
  EXPECT_EQ(finestra_->centralWidget()->size(), QSize(634, 436));

  struct Case {
    const char* nome;
    QRect posizione;
    const char* testo;
    const char* suggerimento;
  };
  const Case cases[] = {
      {"Giorno", QRect(40, 32, 65, 21), nullptr, ""},
      {"Minuti", QRect(520, 32, 65, 21), nullptr, ""},
      {"Più", QRect(448, 128, 41, 25), "+1", "Incremento di 1 minuto"},
      {"Meno10", QRect(448, 296, 41, 25), "-10", "Decremento di 10 minuti"},
      {"Calcola", QRect(48, 376, 73, 33), "Calcola", "Calcola per la data fissata"},
      {"Rotazione", QRect(168, 376, 73, 33), "Animazione",
       "Simula la rivoluzione dei satelliti e la rotazione di Zorva"},
      {"TReale", QRect(408, 376, 73, 33), "Tempo reale", "Calcola per quest'istante"},
      {"Chiudi", QRect(520, 376, 73, 33), "Chiudi", ""},
      {"OE", QRect(520, 88, 81, 33), "Ora Estiva", "Ora legale estiva dell'Europa centrale"},
      {"TM", QRect(520, 128, 97, 25), "Tempo Medio", "Tempo medio Europa centrale"},
      {"Griglia", QRect(56, 344, 129, 17), "Griglia delle latitudini ", ""},
      {"IO", QRect(304, 344, 81, 17), "Io", "Per visualizzare l'ombra dei satelliti"},
      {"Longitudine", QRect(40, 104, 41, 25), nullptr,
       "Longitudine in gradi della macchia rossa nel sistema II"},
      {"Massimo", QRect(560, 296, 33, 19), nullptr, ""},
      {"Label9", QRect(32, 136, 145, 17), "Diametro angolare (\") / De (°)", ""},
      {"Label7", QRect(296, 96, 49, 17), "Polo   N", ""},
      {"Velocità", QRect(520, 256, 17, 65), nullptr, ""},
      {"Zorva", QRect(208, 120, 225, 209), nullptr, "Effemeridi semplificate"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.nome);
    QWidget* w = Trova<QWidget>(c.nome);
    ASSERT_NE(w, nullptr);
    // A caption too wide for its box in the font at hand widens it to the right.
    EXPECT_EQ(w->pos(), c.posizione.topLeft());
    EXPECT_EQ(w->height(), c.posizione.height());
    EXPECT_GE(w->width(), c.posizione.width());
    if (!qobject_cast<QLabel*>(w) && !qobject_cast<QCheckBox*>(w) &&
        !qobject_cast<QRadioButton*>(w)) {
      EXPECT_EQ(w->width(), c.posizione.width());
    }
    EXPECT_EQ(w->toolTip(), QString::fromUtf8(c.suggerimento));
    if (!c.testo) continue;
    const QString atteso = QString::fromUtf8(c.testo);
    if (auto* b = qobject_cast<QAbstractButton*>(w)) {
      EXPECT_EQ(b->text(), atteso);
    } else if (auto* l = qobject_cast<QLabel*>(w)) {
      EXPECT_EQ(l->text(), atteso);
    }
  }

  struct Lista {
    const char* nome;
    int voci;
    QString prima;
    QString seconda;
    QString ultima;
  };
  // The years run from 1998 to ten years after the present one.
  const int anno = QDate::currentDate().year();
  const Lista liste[] = {
      {"Giorno", 31, "1", "2", "31"},
      {"Mese", 12, "1", "2", "12"},
      {"Anno", anno + 10 - 1998 + 1, "1998", "1999", QString::number(anno + 10)},
      {"Ore", 24, "0", "1", "23"},
      {"Minuti", 12, "0", "5", "55"},
  };
  for (const Lista& l : liste) {
    SCOPED_TRACE(l.nome);
    auto* c = Trova<QComboBox>(l.nome);
    ASSERT_NE(c, nullptr);
    EXPECT_TRUE(c->isEditable());
    ASSERT_EQ(c->count(), l.voci);
    EXPECT_EQ(c->itemText(0), l.prima);
    EXPECT_EQ(c->itemText(1), l.seconda);
    EXPECT_EQ(c->itemText(l.voci - 1), l.ultima);
  }

  QStringList menu;
  for (QAction* a : finestra_->menuBar()->actions()) menu << a->text();
  EXPECT_EQ(menu, QStringList({"&File", "&Impostazioni", "&Satelliti", "E&venti", "I&nformazioni"}));
  EXPECT_EQ(Trova<QAction>("mEsci")->text(), "Esci");
  EXPECT_EQ(Trova<QAction>("mCoordinate")->text(), "Osservatore - GMR - Delta T");
}

TEST_F(FinestraTest, StartUpShowsThePresentAndTheSatellitePanel) {
  FinestraPrincipale& f = Apri();
  MacchiaRossa& m = f.Modello();
  EXPECT_EQ(Trova<QLineEdit>("Longitudine")->text(), "180");
  EXPECT_EQ(Trova<QComboBox>("Anno")->currentText(), QString::fromStdString(m.Anno.Text));
  EXPECT_FALSE(m.Anno.Text.empty());
  EXPECT_TRUE(Trova<QRadioButton>("TM")->isChecked());
  EXPECT_EQ(Trova<QLineEdit>("Massimo")->text(), "100");

  FinestraSatelliti* p = f.Pannello();
  ASSERT_NE(p, nullptr);
  EXPECT_TRUE(p->isVisible());
  EXPECT_EQ(p->objectName(), "frmSatelliti");
  EXPECT_EQ(p->size(), QSize(632, 115));
  EXPECT_EQ(p->windowTitle(), QString::fromStdString(m.frmSatelliti.Caption));
  EXPECT_TRUE(p->windowTitle().startsWith("Posizione dei satelliti per il giorno "));
  EXPECT_EQ(p->Riquadro(1)->geometry(), QRect(8, 0, 25, 17));
  EXPECT_EQ(p->Riquadro(4)->geometry(), QRect(144, 0, 49, 17));
  EXPECT_EQ(p->Riquadro(4)->Colore(), QColor(192, 0, 192));
  EXPECT_EQ(p->Visibilita()->geometry(), QRect(240, 0, 193, 17));
  EXPECT_EQ(p->Elevazione()->geometry(), QRect(528, 0, 105, 17));
  EXPECT_EQ(p->Visibilita()->text(), QString::fromStdString(m.frmSatelliti.Visibilita.Caption));
  EXPECT_EQ(p->Visibilita()->palette().color(QPalette::Window),
            ColoreQt(m.frmSatelliti.Visibilita.BackColor));

  // A legend box opens the picture of its satellite.
  Clicca(p->Riquadro(1));
  auto* io = p->findChild<QWidget*>("frmIO");
  ASSERT_NE(io, nullptr);
  EXPECT_TRUE(io->isVisible());

  // Without the satellites the next computation hides the panel.
  Imposta("Rivoluzione", false);
  Clicca(Trova<QPushButton>("Calcola"));
  EXPECT_FALSE(p->isVisible());
}

TEST_F(FinestraTest, TypedInstantIsNormalisedByCalcola) {
  FinestraPrincipale& f = Apri();
  Istante("31", "4", "2004", "12", "0");
  EXPECT_EQ(f.Modello().Giorno.Text, "31");
  Clicca(Trova<QPushButton>("Calcola"));
  EXPECT_EQ(Trova<QComboBox>("Giorno")->currentText(), "1");
  EXPECT_EQ(Trova<QComboBox>("Mese")->currentText(), "5");
  EXPECT_EQ(Trova<QComboBox>("Anno")->currentText(), "2004");
  EXPECT_EQ(Trova<QComboBox>("Ore")->currentText(), "12");
  EXPECT_EQ(Trova<QComboBox>("Minuti")->currentText(), "0");
}

TEST_F(FinestraTest, MinuteStepCarriesIntoTheNextYear) {
  Apri();
  Istante("31", "12", "1999", "23", "59");
  Clicca(Trova<QPushButton>("Più"));
  EXPECT_EQ(Trova<QComboBox>("Giorno")->currentText(), "1");
  EXPECT_EQ(Trova<QComboBox>("Mese")->currentText(), "1");
  EXPECT_EQ(Trova<QComboBox>("Anno")->currentText(), "2000");
  EXPECT_EQ(Trova<QComboBox>("Ore")->currentText(), "0");
  EXPECT_EQ(Trova<QComboBox>("Minuti")->currentText(), "0");
}

TEST_F(FinestraTest, UncheckedSatelliteBoxTurnsItsCaptionRed) {
  FinestraPrincipale& f = Apri();
  auto* callisto = Trova<QCheckBox>("Callisto");
  Clicca(callisto);
  EXPECT_EQ(f.Modello().Callisto.Value, 0);
  EXPECT_EQ(callisto->palette().color(QPalette::WindowText), QColor(200, 0, 0));
  Clicca(callisto);
  EXPECT_EQ(f.Modello().Callisto.Value, 1);
  EXPECT_TRUE(callisto->isChecked());
  EXPECT_EQ(callisto->palette().color(QPalette::WindowText), QColor(200, 0, 0));
}

TEST_F(FinestraTest, ZoneButtonsSetTheOffsetAndRememberSummerTime) {
  FinestraPrincipale& f = Apri();
  Clicca(Trova<QRadioButton>("OE"));
  EXPECT_FLOAT_EQ(f.Modello().ScartoOra, 1.0f);
  std::ifstream file(cartella_ / "IOra.txt", std::ios::binary);
  const std::string contenuto(std::istreambuf_iterator<char>(file), {});
  EXPECT_EQ(contenuto.substr(0, 1), "1");
  Clicca(Trova<QRadioButton>("TU"));
  EXPECT_FLOAT_EQ(f.Modello().ScartoOra, -1.0f);
  EXPECT_TRUE(Trova<QRadioButton>("TU")->isChecked());
  EXPECT_FALSE(Trova<QRadioButton>("OE")->isChecked());
}

// The notice boxes of the main window that are on screen, by text.
std::vector<QMessageBox*> Avvisi(QWidget* finestra, const QString& testo) {
  std::vector<QMessageBox*> v;
  for (QMessageBox* b : finestra->findChildren<QMessageBox*>())
    if (b->isVisible() && b->text() == testo) v.push_back(b);
  return v;
}

TEST_F(FinestraTest, RepeatedRefusalRaisesTheNoticeAlreadyOpen) {
  FinestraPrincipale& f = Apri();
  Istante("15", "3", "1500", "12", "0");
  for (int i = 0; i < 3; ++i) Clicca(Trova<QPushButton>("Calcola"));
  QCoreApplication::processEvents();
  const auto avvisi = Avvisi(&f, QString::fromUtf8(AvvisoFuoriIntervallo));
  ASSERT_EQ(avvisi.size(), 1u);
  EXPECT_FALSE(avvisi[0]->isModal());
  EXPECT_EQ(avvisi[0]->parentWidget(), &f);
  // Once closed, the next refusal opens it again.
  avvisi[0]->close();
  QCoreApplication::processEvents();
  Clicca(Trova<QPushButton>("Calcola"));
  QCoreApplication::processEvents();
  EXPECT_EQ(Avvisi(&f, QString::fromUtf8(AvvisoFuoriIntervallo)).size(), 1u);
}

// Records, for every notice box shown, whether the window that owns it was
// already on screen: a box shown before its window ends up behind it.
class OrdineDiComparsa : public QObject {
 public:
  std::vector<bool> finestraGiaVisibile;
  bool eventFilter(QObject* o, QEvent* e) override {
    auto* box = qobject_cast<QMessageBox*>(o);
    if (box && e->type() == QEvent::Show && box->parentWidget()) {
      const QWindow* w = box->parentWidget()->windowHandle();
      finestraGiaVisibile.push_back(w && w->isVisible());
    }
    return false;
  }
};

TEST_F(FinestraTest, StartUpNoticesStandAboveTheMainWindow) {
  fs::remove(cartella_ / "Imp.txt");  // a first start: the notice of the defaults
  OrdineDiComparsa ordine;
  QApplication::instance()->installEventFilter(&ordine);
  FinestraPrincipale& f = Apri();
  QCoreApplication::processEvents();
  QApplication::instance()->removeEventFilter(&ordine);
  ASSERT_EQ(ordine.finestraGiaVisibile.size(), 1u);
  EXPECT_TRUE(ordine.finestraGiaVisibile[0]);
  const auto box = f.findChildren<QMessageBox*>();
  ASSERT_EQ(box.size(), 1);
  EXPECT_TRUE(box[0]->isVisible());
  EXPECT_TRUE(box[0]->text().contains("Imp.txt"));
}

TEST_F(FinestraTest, SpeedBarShowsOneHundredAtTheTop) {
  FinestraPrincipale& f = Apri();
  auto* barra = Trova<QScrollBar>("Velocità");
  EXPECT_EQ(f.Modello().Velocita, 100);
  EXPECT_EQ(barra->value(), barra->minimum());  // the top
  barra->triggerAction(QAbstractSlider::SliderPageStepAdd);  // a click below the thumb
  EXPECT_EQ(f.Modello().Velocita, 90);
  EXPECT_EQ(Trova<QLineEdit>("Massimo")->text(), "90");
  barra->triggerAction(QAbstractSlider::SliderToMaximum);
  EXPECT_EQ(f.Modello().Velocita, 1);
  EXPECT_EQ(Trova<QLineEdit>("Massimo")->text(), "1");
}

// Pixels clear of the limb (in the picture area's scale) that do not show the
// sky colour; `fuori` counts the pixels looked at.
int PixelScoperti(const QImage& z, QColor cielo, int& fuori) {
  const double sx = 275.0 / z.width(), sy = 255.0 / z.height();
  int scoperti = 0;
  fuori = 0;
  for (int py = 0; py < z.height(); ++py) {
    for (int px = 0; px < z.width(); ++px) {
      const double x = (px + 0.5) * sx - 134, y = (py + 0.5) * sy - 129;
      if (std::hypot(x / 126, y / 117.81) < 1.05) continue;  // the limb and the disk
      ++fuori;
      if (z.pixelColor(px, py) != cielo) ++scoperti;
    }
  }
  return scoperti;
}

// With nothing drawn over the sky, every pixel clear of the limb shows the
// sky colour of the band and the planet shows inside it.
TEST_F(FinestraTest, SkyColourCoversEverythingOutsideTheDisk) {
  FinestraPrincipale& f = Apri();
  for (const char* c : {"Macchia", "IO", "Europa", "Ganimede", "Callisto"}) Imposta(c, false);
  Imposta("Rivoluzione", true);
  Imposta("Cielo", true);
  Istante("15", "3", "2004", "21", "0");
  Clicca(Trova<QPushButton>("Calcola"));

  const QColor cielo = ColoreQt(f.Modello().frmSatelliti.BackColor);
  ASSERT_NE(cielo, ColoreQt(ColoreFacciata));
  const QImage z = ZorvaNellaFinestra();
  ASSERT_EQ(z.size(), QSize(225, 209));
  EXPECT_EQ(z.pixelColor(3, 100), cielo);
  EXPECT_NE(z.pixelColor(110, 106), cielo);
  int fuori = 0;
  EXPECT_EQ(PixelScoperti(z, cielo, fuori), 0);
  EXPECT_GT(fuori, 5000);
}

// Animation frames draw in the same scale as a single computation.
TEST_F(FinestraTest, AnimationFramesPaintTheSkyAroundTheDisk) {
  FinestraPrincipale& f = Apri();
  MacchiaRossa& m = f.Modello();
  for (const char* c : {"Macchia", "IO", "Europa", "Ganimede", "Callisto"}) Imposta(c, false);
  Imposta("Rivoluzione", true);
  Imposta("Cielo", true);
  Istante("15", "3", "2004", "21", "0");
  Clicca(Trova<QPushButton>("Rotazione"));
  ASSERT_TRUE(QTest::qWaitFor(
      [&] { return m.Fotogramma() >= 2 || (m.Fotogramma() >= 1 && !f.AnimazioneAttiva()); },
      10000));
  if (f.AnimazioneAttiva()) Clicca(Trova<QPushButton>("Rotazione"));
  ASSERT_GE(m.Fotogramma(), 1);

  const QImage z = ZorvaNellaFinestra();
  int fuori = 0;
  EXPECT_EQ(PixelScoperti(z, ColoreQt(m.frmSatelliti.BackColor), fuori), 0);
  EXPECT_GT(fuori, 5000);
}

// The disk's outline as the sky painting traces it: the parallel at latitude
// phi stands r sin(phi) from the centre with half-width r cos(phi), where
// r = 117.81 + 8.19 cos(phi) (3.14 for pi, units of the picture area).
double AltezzaParallelo(double phi) {
  return (117.81 + 8.19 * std::cos(phi * 3.14 / 180)) * std::sin(phi * 3.14 / 180);
}
double LarghezzaParallelo(double phi) {
  return (117.81 + 8.19 * std::cos(phi * 3.14 / 180)) * std::cos(phi * 3.14 / 180);
}
// The disk's half-width h units from the centre line (-1 beyond the highest
// parallel, which stands near 86 degrees: the parallels sink again nearer the poles).
double SemiLarghezzaDisco(double h) {
  double cima = 0;
  for (double phi = 80; phi <= 90; phi += 0.001)
    if (AltezzaParallelo(phi) > AltezzaParallelo(cima)) cima = phi;
  h = std::abs(h);
  if (h > AltezzaParallelo(cima)) return -1;
  double a = 0, b = cima;
  for (int k = 0; k < 60; ++k) ((AltezzaParallelo((a + b) / 2) < h) ? a : b) = (a + b) / 2;
  return LarghezzaParallelo(a);
}

// Pixels more than one unit clear of the disk's outline that do not show
// the sky colour, in a picture of the area at any device pixel ratio.
int CieloScoperto(const QImage& im, QColor cielo) {
  const double margine = 1, k = im.devicePixelRatio();
  const double sx = 275.0 / (im.width() / k), sy = 255.0 / (im.height() / k);
  int scoperti = 0;
  for (int py = 0; py < im.height(); ++py) {
    const double h = (py + 0.5) / k * sy - 129;
    // The disk within one unit of this row is at most this wide.
    const double w = SemiLarghezzaDisco(std::max(std::abs(h) - margine, 0.0));
    for (int px = 0; px < im.width(); ++px) {
      const double x = (px + 0.5) / k * sx - 134;
      const bool fuori = w < 0 || std::abs(x) > w + margine;
      if (fuori && im.pixelColor(px, py) != cielo) ++scoperti;
    }
  }
  return scoperti;
}

// At display scales of 1, 1.5 and 2 the sky is painted without gaps between
// its lines, under and over the poles too.
TEST_F(FinestraTest, SkyIsSeamlessAtEveryDisplayScale) {
  FinestraPrincipale& f = Apri();
  for (const char* c : {"Macchia", "IO", "Europa", "Ganimede", "Callisto"}) Imposta(c, false);
  Istante("15", "3", "2004", "21", "0");
  Clicca(Trova<QPushButton>("Calcola"));
  const QColor cielo = ColoreQt(f.Modello().frmSatelliti.BackColor);
  ASSERT_NE(cielo, ColoreQt(ColoreFacciata));
  VistaZorva* z = f.Zorva();
  for (double k : {1.0, 1.5, 2.0}) {
    SCOPED_TRACE(k);
    QImage im((QSizeF(z->size()) * k).toSize(), QImage::Format_RGB32);
    im.setDevicePixelRatio(k);
    im.fill(Qt::green);
    z->render(&im);
    EXPECT_EQ(CieloScoperto(im, cielo), 0);
    // Directly under the south pole, where the dash was.
    EXPECT_EQ(im.pixelColor(static_cast<int>(134 / 275.0 * im.width()),
                            static_cast<int>(248.3 / 255.0 * im.height())),
              cielo);
  }
}

TEST_F(FinestraTest, AnimationRunsOnTheTimerAndStopsOnASecondClick) {
  FinestraPrincipale& f = Apri();
  MacchiaRossa& m = f.Modello();
  // Nothing that could end it early: it would run for 5222 frames.
  for (const char* c : {"Macchia", "Rivoluzione", "IO", "Europa", "Ganimede", "Callisto"})
    Imposta(c, false);
  auto* rotazione = Trova<QPushButton>("Rotazione");
  Clicca(rotazione);
  ASSERT_TRUE(f.AnimazioneAttiva());
  EXPECT_TRUE(m.AnimazioneInCorso());
  ASSERT_NE(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  EXPECT_FALSE(Trova<QPushButton>("Calcola")->isEnabled());
  EXPECT_FALSE(Trova<QComboBox>("Giorno")->isEnabled());
  EXPECT_FALSE(Trova<QAction>("mCoordinate")->isEnabled());
  EXPECT_TRUE(Trova<QScrollBar>("Velocità")->isEnabled());
  EXPECT_TRUE(rotazione->isEnabled());

  EXPECT_TRUE(QTest::qWaitFor([&] { return m.Fotogramma() >= 3; }, 10000));
  const std::string minuti = m.Minuti.Text;
  EXPECT_EQ(Trova<QComboBox>("Minuti")->currentText(), QString::fromStdString(minuti));

  Clicca(rotazione);
  EXPECT_FALSE(f.AnimazioneAttiva());
  EXPECT_FALSE(m.AnimazioneInCorso());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  EXPECT_TRUE(Trova<QPushButton>("Calcola")->isEnabled());
  EXPECT_TRUE(Trova<QAction>("mCoordinate")->isEnabled());
  const int ultimo = m.Fotogramma();
  QTest::qWait(50);
  EXPECT_EQ(m.Fotogramma(), ultimo);
}

TEST_F(FinestraTest, EscapeStopsTheAnimation) {
  FinestraPrincipale& f = Apri();
  for (const char* c : {"Macchia", "Rivoluzione", "IO", "Europa", "Ganimede", "Callisto"})
    Imposta(c, false);
  Clicca(Trova<QPushButton>("Rotazione"));
  ASSERT_TRUE(f.AnimazioneAttiva());
  EXPECT_TRUE(QTest::qWaitFor([&] { return f.Modello().Fotogramma() >= 1; }, 10000));
  // The field does not use the key, so it reaches the window.
  Tasto(Trova<QLineEdit>("MC"), Qt::Key_Escape);
  EXPECT_FALSE(f.AnimazioneAttiva());
  EXPECT_FALSE(f.Modello().AnimazioneInCorso());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// ---- the screen canvas -----------------------------------------------------------

QImage Disegna(QSize pixel, const std::function<void(Tela&)>& disegno) {
  QImage immagine(pixel, QImage::Format_RGB32);
  QPainter p(&immagine);
  TelaQPainter tela(p, immagine.rect(), QImage(), Qt::white, QFont());
  tela.Cls();
  disegno(tela);
  return immagine;
}

bool Rosso(QColor c) { return c.red() > 200 && c.green() < 60 && c.blue() < 60; }

TEST(TelaQPainterTest, CircleAxesFollowTheAspectOnTheScreen) {
  struct Case {
    double aspetto;
    QPoint dentro[2];
    QPoint fuori[2];
  };
  // 200 x 100 pixels for 100 x 100 units: radius 20 units = 40 pixels across.
  const Case cases[] = {
      {1, {{135, 50}, {100, 85}}, {{145, 50}, {100, 95}}},
      {0.5, {{135, 50}, {100, 65}}, {{145, 50}, {100, 75}}},
      {2, {{115, 50}, {100, 85}}, {{125, 50}, {100, 95}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.aspetto);
    const QImage im = Disegna({200, 100}, [&](Tela& t) {
      t.Scala(0, 0, 100, 100);
      t.Riempimento(RGB(255, 0, 0));
      t.Cerchio(50, 50, 20, RGB(255, 0, 0), c.aspetto);
    });
    for (QPoint q : c.dentro) EXPECT_TRUE(Rosso(im.pixelColor(q))) << q.x() << "," << q.y();
    for (QPoint q : c.fuori) EXPECT_EQ(im.pixelColor(q), QColor(Qt::white)) << q.x() << "," << q.y();
  }
}

TEST(TelaQPainterTest, LineWidthIsInScreenPixels) {
  const QImage im = Disegna({225, 209}, [](Tela& t) {
    t.Scala(0, 0, 275, 255);
    t.LarghezzaLinea(16);
    t.Linea(0, 0, 275, 0, RGB(255, 0, 0));
    t.LarghezzaLinea(1);
    t.Linea(0, 100, 275, 100, RGB(255, 0, 0));
  });
  for (int y = 0; y <= 7; ++y) EXPECT_TRUE(Rosso(im.pixelColor(100, y))) << y;
  EXPECT_EQ(im.pixelColor(100, 9), QColor(Qt::white));
  int righe = 0;
  for (int y = 70; y < 95; ++y) righe += Rosso(im.pixelColor(100, y));
  EXPECT_EQ(righe, 1);
}

TEST(TelaQPainterTest, ArcRunsCounterClockwiseFromTheRight) {
  const QImage im = Disegna({200, 200}, [](Tela& t) {
    t.Scala(0, 0, 200, 200);
    t.LarghezzaLinea(3);
    t.Arco(100, 100, 50, RGB(255, 0, 0), 0, 3.14159265, 1);  // the upper half
  });
  const auto tocca = [&](QPoint centro) {
    for (int dy = -2; dy <= 2; ++dy)
      for (int dx = -2; dx <= 2; ++dx)
        if (Rosso(im.pixelColor(centro + QPoint(dx, dy)))) return true;
    return false;
  };
  EXPECT_TRUE(tocca({100, 50}));
  EXPECT_FALSE(tocca({100, 150}));
  EXPECT_EQ(im.pixelColor(100, 100), QColor(Qt::white));  // not filled
}

}  // namespace
}  // namespace mr
