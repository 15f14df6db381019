#include "settings/qt/coordinate_view.h"

#include "app.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

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

TEST_F(CoordinateViewTest, SalvaWritesTheFieldsAndOkClosesWithoutSaving) {
  CoordinateView dialogo(cartella_);
  dialogo.Mostra();
  const char* digitati[] = {"12.5", "14", "25 primi", "40", "abc", "64"};
  const char* nomi[] = {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6"};
  for (int i = 0; i < 6; ++i) dialogo.findChild<QLineEdit*>(nomi[i])->setText(digitati[i]);

  dialogo.findChild<QPushButton*>("Salva")->click();
  EXPECT_EQ(Leggi("Imp.txt"), "12.5,14,25,40,0,64\r\n");
  EXPECT_TRUE(dialogo.isVisible());

  dialogo.findChild<QLineEdit*>("Text1")->setText("200");
  dialogo.findChild<QPushButton*>("OK")->click();
  EXPECT_FALSE(dialogo.isVisible());
  EXPECT_EQ(Leggi("Imp.txt"), "12.5,14,25,40,0,64\r\n");

  dialogo.Mostra();
  EXPECT_EQ(dialogo.findChild<QLineEdit*>("Text1")->text(), QString("12.5"));
  EXPECT_EQ(dialogo.findChild<QLineEdit*>("Text3")->text(), QString("25"));
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
