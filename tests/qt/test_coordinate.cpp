#include "settings/qt/coordinate_view.h"
#include "window/qt/finestra_principale.h"

#include "app.h"
#include "tests/settings/cartella_temp.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QKeyEvent>
#include <QTimeZone>
#include <QTimer>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace mr {
namespace {

namespace fs = std::filesystem;

class CoordinateViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    prova::App();
  }
  std::string Leggi(const char* nome) {
    std::ifstream f(cartella_ / nome, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
  }
  prova::CartellaTemp temp_;
  const fs::path cartella_ = temp_.percorso();
};

TEST_F(CoordinateViewTest, ControlsStandWhereTheDialogPutsThem) {
  CoordinateView dialogo(cartella_);
  dialogo.Mostra();
  EXPECT_EQ(dialogo.windowTitle(), QString("Osservatore - GMR - Delta T"));
  EXPECT_TRUE(dialogo.isVisible());
  EXPECT_FALSE(dialogo.isModal());

  struct Case {
    const char* nome;
    const char* testo;
    int x, y;
    const char* suggerimento;
  };
  const Case etichette[] = {
      {"Label1", "Longitudine della Macchia Rossa (II)", 40, 40, ""},
      {"Label4", "Gradi", 192, 24, ""},
      {"Label2", "Longitudine dell'osservatore", 40, 88, ""},
      {"Label5", "Gradi", 160, 72, ""},
      {"Label6", "Primi", 224, 72, ""},
      {"Label3", "Latitudine dell'osservatore", 40, 136, ""},
      {"Label7", "Gradi", 160, 120, ""},
      {"Label8", "Primi", 224, 120, ""},
      {"Label10", "Secondi", 184, 168, ""},
      {"Label9", "Delta T=TE-TU", 40, 192,
       "Differenza tra il Tempo delle Effemeridi ed il Tempo Universale "},
  };
  for (const auto& c : etichette) {
    SCOPED_TRACE(c.nome);
    auto* l = dialogo.findChild<QLabel*>(c.nome);
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(l->text(), QString::fromUtf8(c.testo));
    EXPECT_EQ(l->pos(), QPoint(c.x, c.y));
    EXPECT_EQ(l->toolTip(), QString::fromUtf8(c.suggerimento));
  }

  struct Riquadro {
    const char* nome;
    QRect r;
  };
  const Riquadro campi[] = {
      {"Text1", {184, 40, 41, 25}},  {"Text2", {152, 88, 41, 25}},
      {"Text3", {216, 88, 41, 25}},  {"Text4", {152, 136, 41, 25}},
      {"Text5", {216, 136, 41, 25}}, {"Text6", {184, 184, 41, 25}},
  };
  const char* predefiniti[] = {"98", "12", "30", "41", "54", "69"};
  for (std::size_t i = 0; i < std::size(campi); ++i) {
    SCOPED_TRACE(campi[i].nome);
    auto* t = dialogo.findChild<QLineEdit*>(campi[i].nome);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->geometry(), campi[i].r);
    EXPECT_EQ(t->text(), QString(predefiniti[i]));
  }

  const struct {
    const char* nome;
    QRect r;
    const char* suggerimento;
  } pulsanti[] = {{"Salva", {168, 232, 81, 33}, "Per salvare le impostazioni "},
                  {"OK", {40, 232, 81, 33}, ""}};
  for (const auto& c : pulsanti) {
    SCOPED_TRACE(c.nome);
    auto* b = dialogo.findChild<QPushButton*>(c.nome);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->text(), QString(c.nome));
    EXPECT_EQ(b->geometry(), c.r);
    EXPECT_EQ(b->toolTip(), QString::fromUtf8(c.suggerimento));
    EXPECT_TRUE(dialogo.rect().contains(b->geometry()));
  }
}

// Answers the question the dialog asks when it closes with unsaved edits, and
// keeps its text and buttons for the test to check.
class Risponditore {
 public:
  explicit Risponditore(const char* risposta) : risposta_(risposta) {
    QTimer::singleShot(0, &contesto_, [this] { Rispondi(); });
  }
  QString testo;
  QStringList pulsanti;
  bool chiesto = false;

 private:
  void Rispondi() {
    auto* domanda = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (domanda == nullptr) return;
    chiesto = true;
    testo = domanda->text();
    for (QAbstractButton* b : domanda->buttons()) pulsanti << b->text();
    pulsanti.sort();
    for (QAbstractButton* b : domanda->buttons())
      if (b->text() == QString::fromUtf8(risposta_)) b->click();
  }
  const char* risposta_;
  QObject contesto_;  // ends the pending answer with this object
};

void Tasto(QWidget* w, int tasto, const QString& testo = {}) {
  QKeyEvent premuto(QEvent::KeyPress, tasto, Qt::NoModifier, testo);
  QApplication::sendEvent(w, &premuto);
  QKeyEvent lasciato(QEvent::KeyRelease, tasto, Qt::NoModifier, testo);
  QApplication::sendEvent(w, &lasciato);
}

// Replaces a field's text key by key, as a user types.
void Digita(CoordinateView& dialogo, const char* nome, const char* testo) {
  auto* campo = dialogo.findChild<QLineEdit*>(nome);
  campo->selectAll();
  Tasto(campo, Qt::Key_Delete);
  for (QChar c : QString::fromUtf8(testo)) Tasto(campo, Qt::Key_unknown, QString(c));
}

TEST_F(CoordinateViewTest, SalvaWritesTheFieldsAndSaysSo) {
  CoordinateView dialogo(cartella_);
  dialogo.Mostra();
  auto* stato = dialogo.findChild<QLabel*>("Stato");
  ASSERT_NE(stato, nullptr);
  EXPECT_EQ(stato->text(), QString());

  // Madrid, typed with decimal commas: 3° 42' west, 40° 24.5' north.
  const char* digitati[] = {"12,5", "3", "42", "40", "24,5", "64"};
  const char* nomi[] = {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6"};
  for (int i = 0; i < 6; ++i) Digita(dialogo, nomi[i], digitati[i]);
  dialogo.findChild<QRadioButton*>("Ovest")->click();
  dialogo.findChild<QPushButton*>("Salva")->click();
  EXPECT_EQ(Leggi("Imp.txt"), "12.5,-3,-42,40,24.5,64\r\n");
  EXPECT_TRUE(dialogo.isVisible());
  EXPECT_EQ(dialogo.findChild<QLineEdit*>("Text1")->text(), QString("12.5"));
  EXPECT_EQ(stato->text(), QString::fromUtf8("Salvato: vale dal prossimo calcolo"));

  // The next edit takes the notice away.
  Digita(dialogo, "Text6", "69");
  EXPECT_EQ(stato->text(), QString());

  // Reopened, the dialog shows the file: west as O with positive parts.
  dialogo.findChild<QLineEdit*>("Text6")->setText("64");
  dialogo.findChild<QPushButton*>("OK")->click();
  EXPECT_FALSE(dialogo.isVisible());
  dialogo.Mostra();
  EXPECT_EQ(dialogo.findChild<QLineEdit*>("Text2")->text(), QString("3"));
  EXPECT_TRUE(dialogo.findChild<QRadioButton*>("Ovest")->isChecked());
  EXPECT_FALSE(dialogo.findChild<QRadioButton*>("Est")->isChecked());
  EXPECT_TRUE(dialogo.findChild<QRadioButton*>("Nord")->isChecked());
  EXPECT_EQ(stato->text(), QString());
}

// OK, Esc and the close box with unsaved edits ask "Salvare le modifiche?".
TEST_F(CoordinateViewTest, ClosingWithUnsavedEditsAsks) {
  enum class Come { OK, Esc, Chiusura };
  struct Case {
    const char* nome;
    Come come;
    const char* risposta;
    bool aperta;
    const char* byte;
  };
  const Case cases[] = {
      {"OK, No", Come::OK, "No", false, "98,12,30,41,54,69\r\n"},
      {"Esc, Annulla", Come::Esc, "Annulla", true, "98,12,30,41,54,69\r\n"},
      {"close box, Sì", Come::Chiusura, "Sì", false, "98,12,30,41,54,70\r\n"},
      {"OK, Sì", Come::OK, "Sì", false, "98,12,30,41,54,70\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.nome);
    {
      std::ofstream(cartella_ / "Imp.txt", std::ios::binary) << "98,12,30,41,54,69\r\n";
    }
    CoordinateView dialogo(cartella_);
    dialogo.Mostra();
    Digita(dialogo, "Text6", "70");

    Risponditore risponditore(c.risposta);
    if (c.come == Come::OK)
      dialogo.findChild<QPushButton*>("OK")->click();
    else if (c.come == Come::Esc)
      Tasto(&dialogo, Qt::Key_Escape);
    else
      dialogo.close();
    EXPECT_TRUE(risponditore.chiesto);
    EXPECT_EQ(risponditore.testo, QString("Salvare le modifiche?"));
    EXPECT_EQ(risponditore.pulsanti, (QStringList{"Annulla", "No", QString::fromUtf8("Sì")}));
    EXPECT_EQ(dialogo.isVisible(), c.aperta);
    EXPECT_EQ(Leggi("Imp.txt"), c.byte);
  }
}

TEST_F(CoordinateViewTest, TheMenuAgainKeepsUnsavedEdits) {
  std::ofstream(cartella_ / "Imp.txt", std::ios::binary) << "98,12,30,41,54,69\r\n";
  CoordinateView dialogo(cartella_);
  dialogo.Mostra();
  Digita(dialogo, "Text6", "70");
  dialogo.Mostra();
  EXPECT_EQ(dialogo.findChild<QLineEdit*>("Text6")->text(), QString("70"));
  EXPECT_TRUE(dialogo.Modello().Modificata());
}

TEST_F(CoordinateViewTest, ClosingWithoutEditsDoesNotAsk) {
  CoordinateView dialogo(cartella_);
  dialogo.Mostra();
  Risponditore risponditore("Annulla");
  dialogo.findChild<QPushButton*>("OK")->click();
  EXPECT_FALSE(risponditore.chiesto);
  EXPECT_FALSE(dialogo.isVisible());
}

// Closing the main window closes the dialog first, so its edits are asked for.
TEST_F(CoordinateViewTest, ClosingTheMainWindowAsksForTheDialogsEdits) {
  std::ofstream(cartella_ / "Imp.txt", std::ios::binary) << "98,12,30,41,54,69\r\n";
  FinestraPrincipale finestra(cartella_);
  finestra.show();
  QCoreApplication::processEvents();
  finestra.findChild<QAction*>("mCoordinate")->trigger();
  auto* dialogo = finestra.findChild<CoordinateView*>();
  ASSERT_NE(dialogo, nullptr);
  ASSERT_TRUE(dialogo->isVisible());
  Digita(*dialogo, "Text6", "70");
  {
    Risponditore risponditore("Annulla");
    EXPECT_FALSE(finestra.close());
    EXPECT_TRUE(risponditore.chiesto);
    EXPECT_TRUE(finestra.isVisible());
    EXPECT_TRUE(dialogo->isVisible());
  }
  {
    Risponditore risponditore("Sì");
    EXPECT_TRUE(finestra.close());
    EXPECT_TRUE(risponditore.chiesto);
    EXPECT_FALSE(dialogo->isVisible());
  }
  EXPECT_EQ(Leggi("Imp.txt"), "98,12,30,41,54,70\r\n");
}

TEST_F(CoordinateViewTest, ABadFieldIsNamedAndReadyForCorrection) {
  std::ofstream(cartella_ / "Imp.txt", std::ios::binary) << "98,12,30,41,54,69\r\n";
  CoordinateView dialogo(cartella_);
  dialogo.Mostra();
  Digita(dialogo, "Text5", "abc");
  dialogo.findChild<QPushButton*>("Salva")->click();
  EXPECT_EQ(Leggi("Imp.txt"), "98,12,30,41,54,69\r\n");
  // Named under the buttons, where it covers nothing.
  auto* stato = dialogo.findChild<QLabel*>("Stato");
  EXPECT_EQ(stato->text(), QString::fromUtf8("Non salvato: i primi della latitudine "
                                             "dell'osservatore devono essere un numero."));
  EXPECT_TRUE(dialogo.rect().contains(stato->geometry()));
  EXPECT_EQ(dialogo.findChild<QMessageBox*>("Avviso"), nullptr);
  auto* campo = dialogo.findChild<QLineEdit*>("Text5");
  EXPECT_EQ(campo->text(), QString("abc"));
  EXPECT_EQ(campo->selectedText(), QString("abc"));
  Digita(dialogo, "Text5", "24");
  EXPECT_EQ(stato->text(), QString());
}

TEST_F(CoordinateViewTest, FailedSalvaShowsANonModalNotice) {
  fs::create_directories(cartella_ / "Imp.txt" / "dentro");
  CoordinateView dialogo(cartella_);
  dialogo.Mostra();
  dialogo.findChild<QPushButton*>("Salva")->click();
  auto* avviso = dialogo.findChild<QMessageBox*>();
  ASSERT_NE(avviso, nullptr);
  EXPECT_TRUE(avviso->isVisible());
  EXPECT_FALSE(avviso->isModal());
  EXPECT_EQ(avviso->text(),
            QString::fromUtf8("Impossibile scrivere il file Imp.txt: al suo posto c'è una cartella"));
  EXPECT_TRUE(fs::is_directory(cartella_ / "Imp.txt" / "dentro"));
}

// "Tonight" is the local midnight nearest to the instant: the coming one
// from noon, the one just past in the morning.
TEST(Stanotte, IsTheNearestLocalMidnight) {
  struct Case {
    const char* nome;
    QDate giorno;
    QTime ora;
    int scarto;              // the zone, seconds east of UT
    QDateTime mezzanotteUT;  // by hand
  };
  const Case cases[] = {
      {"evening, UT+1", {2027, 2, 12}, {21, 14}, 3600, {{2027, 2, 12}, {23, 0}, Qt::UTC}},
      {"noon", {2027, 2, 12}, {12, 0}, 3600, {{2027, 2, 12}, {23, 0}, Qt::UTC}},
      {"before noon", {2027, 2, 13}, {11, 59, 59}, 3600, {{2027, 2, 12}, {23, 0}, Qt::UTC}},
      {"just after midnight", {2027, 2, 13}, {0, 30}, 3600, {{2027, 2, 12}, {23, 0}, Qt::UTC}},
      {"end of the year, UT-5", {2026, 12, 31}, {18, 0}, -5 * 3600,
       {{2027, 1, 1}, {5, 0}, Qt::UTC}},
      {"UT", {2026, 3, 31}, {13, 0}, 0, {{2026, 4, 1}, {0, 0}, Qt::UTC}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.nome);
    const QTimeZone zona(c.scarto);
    const QDateTime mezzanotte = MezzanotteDiStanotte(QDateTime(c.giorno, c.ora, zona));
    EXPECT_EQ(mezzanotte.toUTC(), c.mezzanotteUT) << mezzanotte.toString().toStdString();
    EXPECT_EQ(mezzanotte.time(), QTime(0, 0));
  }
}

// Across the change to summer time the zone's own rules hold: the night
// before the change is still UT+1, the one after UT+2.
TEST(Stanotte, FollowsTheZonesSummerTime) {
  const QTimeZone roma("Europe/Rome");
  if (!roma.isValid()) GTEST_SKIP() << "no time zone database";
  // Summer time starts on 28 March 2027 at 02:00.
  EXPECT_EQ(MezzanotteDiStanotte(QDateTime({2027, 3, 27}, {22, 0}, roma)).toUTC(),
            QDateTime({2027, 3, 27}, {23, 0}, Qt::UTC));
  EXPECT_EQ(MezzanotteDiStanotte(QDateTime({2027, 3, 28}, {22, 0}, roma)).toUTC(),
            QDateTime({2027, 3, 28}, {22, 0}, Qt::UTC));
}

// The Red Spot's column: the drift and the date from the file, tonight's
// longitude following every edit (here tonight is 31 days after the
// reference date: 294° + 1.5 x 31 / 30.4375 = 295.53°).
TEST_F(CoordinateViewTest, TonightsLongitudeFollowsTheFields) {
  std::ofstream(cartella_ / "Imp.txt", std::ios::binary) << "294,12,30,41,54,69,1.5,20260301\r\n";
  CoordinateView dialogo(cartella_);
  dialogo.ImpostaOrologio([] { return QDateTime({2026, 3, 31}, {13, 0}, Qt::UTC); });
  dialogo.Mostra();
  EXPECT_EQ(dialogo.findChild<QLineEdit*>("Text7")->text(), QString("1.5"));
  EXPECT_EQ(dialogo.findChild<QLineEdit*>("Text8")->text(), QString("01/03/2026"));
  EXPECT_EQ(dialogo.findChild<QLabel*>("LabelDeriva")->text(),
            QString::fromUtf8("Deriva (°/mese)"));
  EXPECT_EQ(dialogo.findChild<QLabel*>("LabelData")->text(),
            QString::fromUtf8("Data di riferimento (0h TU)"));
  auto* stanotte = dialogo.findChild<QLabel*>("Stanotte");
  ASSERT_NE(stanotte, nullptr);
  const QString quando = "\n(alle 00:00 UTC del 01/04/2026)";
  EXPECT_EQ(stanotte->text(),
            QString::fromUtf8("Longitudine della Macchia Rossa stanotte: 295.5°") + quando);

  struct Case {
    const char *campo, *testo, *mostrato;
  };
  const Case cases[] = {
      // 294 + 3 x 31 / 30.4375 = 297.06
      {"Text7", "3", "297.1°"},
      // 294 + 3 x (31 - 30) / 30.4375 = 294.10
      {"Text8", "31/03/2026", "294.1°"},
      {"Text7", "0", "294.0°"},
      {"Text1", "12,5", "12.5°"},
      // 12.5 + 30 x 1 / 30.4375 = 13.49
      {"Text7", "30", "13.5°"},
      {"Text8", "", "—"},
      {"Text7", "0", "12.5°"},
      {"Text1", "abc", "—"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.campo) + " = " + c.testo);
    Digita(dialogo, c.campo, c.testo);
    const QString atteso = QString::fromUtf8("Longitudine della Macchia Rossa stanotte: ") +
                           QString::fromUtf8(c.mostrato);
    EXPECT_TRUE(stanotte->text().startsWith(atteso)) << stanotte->text().toStdString();
  }
  EXPECT_TRUE(dialogo.Modello().Modificata());
}

QString TestoMisura(CoordinateView& dialogo) {
  return dialogo.findChild<QLabel*>("Misura")->text();
}

// "Dalla tua osservazione": the published Red Spot transit of 20 January 2019
// at 23:49 UT with the Red Spot at 294°, typed in Ora Estiva; "Usa questi
// valori" fills the longitude and the UT date, "Salva" writes them with the drift.
TEST_F(CoordinateViewTest, AnObservationGivesTheLongitudeToStore) {
  std::ofstream(cartella_ / "Imp.txt", std::ios::binary) << "98,12,30,41,54,69,1.5,20260301\r\n";
  CoordinateView dialogo(cartella_);
  dialogo.Mostra();
  auto* usa = dialogo.findChild<QPushButton*>("Usa");
  ASSERT_NE(usa, nullptr);
  EXPECT_EQ(usa->text(), QString("Usa questi valori"));
  EXPECT_FALSE(usa->isEnabled());
  EXPECT_EQ(TestoMisura(dialogo), QString());

  Digita(dialogo, "DataOsservazione", "21/01/2019");
  EXPECT_FALSE(usa->isEnabled());
  Digita(dialogo, "OraOsservazione", "1:49");
  // In Tempo Universale this is 21/01/2019 at 01:49.
  EXPECT_TRUE(
      TestoMisura(dialogo).startsWith("Meridiano centrale (II) il 21/01/2019 alle 01:49 TU"))
      << TestoMisura(dialogo).toStdString();
  auto* zona = dialogo.findChild<QComboBox*>("ZonaOsservazione");
  ASSERT_NE(zona, nullptr);
  EXPECT_EQ(zona->count(), 3);
  EXPECT_EQ(zona->itemText(0), QString("Tempo Universale"));
  EXPECT_EQ(zona->itemText(2), QString("Ora Estiva (TU+2)"));
  Tasto(zona, Qt::Key_Down);
  Tasto(zona, Qt::Key_Down);
  EXPECT_EQ(zona->currentIndex(), 2);
  const QString misura = TestoMisura(dialogo);
  EXPECT_TRUE(misura.startsWith("Meridiano centrale (II) il 20/01/2019 alle 23:49 TU: 29"))
      << misura.toStdString();
  EXPECT_TRUE(misura.contains(
      QString::fromUtf8("° al 20/01/2019 (0h TU),\ncon la deriva di 1.5° al mese.")))
      << misura.toStdString();
  EXPECT_TRUE(usa->isEnabled());

  usa->click();
  const QString L0 = dialogo.findChild<QLineEdit*>("Text1")->text();
  EXPECT_TRUE(misura.contains(QString::fromUtf8("longitudine %1° al").arg(L0)))
      << misura.toStdString() << " / " << L0.toStdString();
  bool numero = false;
  EXPECT_NEAR(L0.toDouble(&numero), 294, 0.65);
  EXPECT_TRUE(numero);
  EXPECT_EQ(dialogo.findChild<QLineEdit*>("Text7")->text(), QString("1.5"));
  EXPECT_EQ(dialogo.findChild<QLineEdit*>("Text8")->text(), QString("20/01/2019"));
  EXPECT_EQ(dialogo.findChild<QLabel*>("Stato")->text(),
            QString::fromUtf8(AvvisoMisuraUsata));
  EXPECT_EQ(Leggi("Imp.txt"), "98,12,30,41,54,69,1.5,20260301\r\n");

  dialogo.findChild<QPushButton*>("Salva")->click();
  EXPECT_EQ(Leggi("Imp.txt"), L0.toStdString() + ",12,30,41,54,69,1.5,20190120\r\n");
}

TEST_F(CoordinateViewTest, AWrongObservationSaysWhyAndOffersNothing) {
  CoordinateView dialogo(cartella_);
  dialogo.Mostra();
  Digita(dialogo, "DataOsservazione", "2019-01-20");
  Digita(dialogo, "OraOsservazione", "23:49");
  EXPECT_EQ(TestoMisura(dialogo),
            QString("La data dell'osservazione deve essere una data GG/MM/AAAA dal 1600 al 2999."));
  EXPECT_FALSE(dialogo.findChild<QPushButton*>("Usa")->isEnabled());
  Digita(dialogo, "DataOsservazione", "20/01/2019");
  EXPECT_TRUE(dialogo.findChild<QPushButton*>("Usa")->isEnabled());
  Digita(dialogo, "Text6", "abc");
  EXPECT_FALSE(dialogo.findChild<QPushButton*>("Usa")->isEnabled());
}

// The new fields are edits like the others: closing asks, and Sì writes eight values.
TEST_F(CoordinateViewTest, TheDriftIsAnUnsavedEditToo) {
  std::ofstream(cartella_ / "Imp.txt", std::ios::binary) << "98,12,30,41,54,69\r\n";
  CoordinateView dialogo(cartella_);
  dialogo.Mostra();
  EXPECT_EQ(dialogo.findChild<QLineEdit*>("Text7")->text(), QString("0"));
  EXPECT_EQ(dialogo.findChild<QLineEdit*>("Text8")->text(), QString());
  // The observation is not part of the file.
  Digita(dialogo, "OraOsservazione", "22:00");
  EXPECT_FALSE(dialogo.Modello().Modificata());
  Digita(dialogo, "Text7", "-0,5");
  Digita(dialogo, "Text8", "1.3.2026");
  Risponditore risponditore("Sì");
  dialogo.findChild<QPushButton*>("OK")->click();
  EXPECT_TRUE(risponditore.chiesto);
  EXPECT_FALSE(dialogo.isVisible());
  EXPECT_EQ(Leggi("Imp.txt"), "98,12,30,41,54,69,-0.5,20260301\r\n");
}

// Every control of the Red Spot's column lies inside the dialog, by day and
// in night vision's style.
TEST_F(CoordinateViewTest, TheRedSpotsColumnFitsTheDialog) {
  CoordinateView dialogo(cartella_);
  dialogo.Mostra();
  Digita(dialogo, "DataOsservazione", "31/12/2999");
  Digita(dialogo, "OraOsservazione", "23:59:59");
  ASSERT_TRUE(dialogo.findChild<QPushButton*>("Usa")->isEnabled());
  for (const char* nome : {"Text7", "Text8", "Stanotte", "DataOsservazione", "OraOsservazione",
                           "ZonaOsservazione", "Misura", "Usa"}) {
    SCOPED_TRACE(nome);
    auto* w = dialogo.findChild<QWidget*>(nome);
    ASSERT_NE(w, nullptr);
    const QRect r(w->mapTo(&dialogo, QPoint(0, 0)), w->size());
    EXPECT_TRUE(dialogo.rect().contains(r));
    EXPECT_TRUE(w->isVisible());
  }
  auto* misura = dialogo.findChild<QLabel*>("Misura");
  EXPECT_GE(misura->height(), misura->heightForWidth(misura->width()));
}

}  // namespace
}  // namespace mr
