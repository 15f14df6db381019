// The precise ephemeris in the main window: its menu item, its memory in the
// settings file, and the tooltips that say which ephemeris the pictures use.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPushButton>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "app.h"
#include "principale_di_prova.h"
#include "tests/settings/cartella_temp.h"
#include "window/qt/finestra_principale.h"
#include "window/qt/pannello_satelliti.h"
#include "window/qt/vista_zorva.h"

namespace mr {
namespace {

namespace fs = std::filesystem;

class AltaPrecisioneQt : public ::testing::Test {
 protected:
  void SetUp() override {
    prova::App();
    std::ofstream(cartella_ / "Imp.txt", std::ios::binary) << "0,12,0,42,0,68\r\n";
  }
  void TearDown() override {
    finestra_.reset();
    QApplication::closeAllWindows();
  }

  FinestraPrincipale& Apri() { return prova::ApriPrincipale(finestra_, cartella_); }

  // 2 January 2016, 05:37 UT: Europa vanished into Jupiter's shadow two
  // minutes before (IMCCE: Ec.D 05:35).
  void Calcola() {
    MacchiaRossa& m = finestra_->Modello();
    m.TU_Click();
    m.Giorno.Text = "02";
    m.Mese.Text = "01";
    m.Anno.Text = "2016";
    m.Ore.Text = "05";
    m.Minuti.Text = "37";
    m.Calcola_Click();
    finestra_->Aggiorna();
    QCoreApplication::processEvents();
  }

  QAction* Voce() {
    auto* a = finestra_->findChild<QAction*>("mAltaPrecisione");
    EXPECT_NE(a, nullptr);
    return a;
  }

  std::string Ini() {
    std::ifstream f(cartella_ / "MacchiaRossa.ini", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
  }

  prova::CartellaTemp temp_;
  const fs::path cartella_ = temp_.percorso();
  std::unique_ptr<FinestraPrincipale> finestra_;
};

TEST_F(AltaPrecisioneQt, TheMenuItemComputesAtOnceAndIsRemembered) {
  FinestraPrincipale& f = Apri();
  QAction* voce = Voce();
  ASSERT_NE(voce, nullptr);
  auto* menu = f.findChild<QMenu*>("mImpostazioni");
  ASSERT_NE(menu, nullptr);
  EXPECT_TRUE(menu->actions().contains(voce));
  EXPECT_EQ(voce->text(), "Effemeridi di alta precisione");
  EXPECT_TRUE(voce->isCheckable());
  EXPECT_FALSE(voce->isChecked());
  Calcola();
  EXPECT_EQ(f.Pannello()->windowTitle(),
            "Posizione dei satelliti per il giorno 2/1/2016 alle ore 5:37");
  EXPECT_TRUE(f.Zorva()->toolTip().contains("semplificate")) << f.Zorva()->toolTip().toStdString();

  voce->trigger();
  QCoreApplication::processEvents();
  EXPECT_TRUE(voce->isChecked());
  EXPECT_NE(Ini().find("[Effemeridi]\naltaPrecisione=1\n"), std::string::npos) << Ini();
  // Computed again on the precise ephemeris, for the same instant.
  EXPECT_EQ(f.Pannello()->windowTitle(),
            "Posizione dei satelliti per il giorno 2/1/2016 alle ore 5:37        - Eclisse di "
            "Europa -");
  for (QWidget* w : {static_cast<QWidget*>(f.Zorva()), static_cast<QWidget*>(f.Pannello())})
    EXPECT_TRUE(w->toolTip().contains("alta precisione")) << w->toolTip().toStdString();

  Apri();
  EXPECT_TRUE(Voce()->isChecked());
  EXPECT_TRUE(finestra_->Modello().AltaPrecisione);
  Voce()->trigger();
  EXPECT_FALSE(finestra_->Modello().AltaPrecisione);
  EXPECT_NE(Ini().find("altaPrecisione=0"), std::string::npos) << Ini();
  EXPECT_TRUE(finestra_->Zorva()->toolTip().contains("semplificate"));
}

// The choice cannot change under a running animation.
TEST_F(AltaPrecisioneQt, TheItemWaitsForTheAnimationToEnd) {
  FinestraPrincipale& f = Apri();
  Calcola();
  auto* rotazione = f.findChild<QPushButton*>("Rotazione");
  ASSERT_NE(rotazione, nullptr);
  rotazione->click();
  ASSERT_TRUE(f.AnimazioneAttiva());
  EXPECT_FALSE(Voce()->isEnabled());
  f.ScegliAltaPrecisione(true);
  EXPECT_FALSE(f.Modello().AltaPrecisione);
  EXPECT_FALSE(Voce()->isChecked());
  rotazione->click();
  EXPECT_FALSE(f.AnimazioneAttiva());
  EXPECT_TRUE(Voce()->isEnabled());
}

}  // namespace
}  // namespace mr
