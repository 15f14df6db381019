#include "settings/qt/coordinate_view.h"
#include "window/qt/finestra_principale.h"

#include "app.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QKeyEvent>
#include <QTimer>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace mr {
namespace {

namespace fs = std::filesystem;

class CoordinateViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    prova::App();
    cartella_ = fs::temp_directory_path() /
                ("mr_coordinate_" + std::to_string(std::random_device{}()));
    fs::create_directories(cartella_);
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(cartella_, ec);
  }
  std::string Leggi(const char* nome) {
    std::ifstream f(cartella_ / nome, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
  }
  fs::path cartella_;
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

}  // namespace
}  // namespace mr
