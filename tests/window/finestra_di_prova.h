// A main window model in a temporary folder, with a clock and notices under
// the test's control.
#pragma once
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "window/macchiarossa.h"

namespace mr {

// An instant of Universal Time.
inline std::chrono::sys_seconds UT(int anno, unsigned mese, unsigned giorno, int ore, int minuti,
                                   int secondi = 0) {
  using namespace std::chrono;
  return sys_days(year(anno) / month(mese) / day(giorno)) + hours(ore) + minutes(minuti) +
         seconds(secondi);
}

class AmbienteDiProva : public Ambiente {
 public:
  std::vector<std::string> avvisi;
  // 22:00 of 15 March 2004 in mean time.
  std::chrono::sys_seconds adesso = UT(2004, 3, 15, 21, 0);
  void Avviso(const std::string& testo) override { avvisi.push_back(testo); }
  std::chrono::sys_seconds AdessoUT() override { return adesso; }
};

class FinestraDiProva : public ::testing::Test {
 protected:
  std::filesystem::path cartella;
  AmbienteDiProva ambiente;

  void SetUp() override {
    std::random_device rd;
    cartella = std::filesystem::temp_directory_path() /
               ("macchiarossa-finestra-" + std::to_string(rd()));
    std::filesystem::create_directories(cartella);
    // GRS at 0, observer 12 0' E, 42 0' N, Delta T 0.
    Scrivi("Imp.txt", "0,12,0,42,0,0\r\n");
  }
  void TearDown() override { std::filesystem::remove_all(cartella); }

  void Scrivi(const std::string& nome, const std::string& testo) {
    std::ofstream(cartella / nome, std::ios::binary) << testo;
  }
  std::string Leggi(const std::string& nome) {
    std::ifstream f(cartella / nome, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
  }

  // A window as it opens, then the fields set as a user would type them.
  MacchiaRossa& Apri() {
    finestra = std::make_unique<MacchiaRossa>(cartella, ambiente);
    finestra->Form_Load();
    return *finestra;
  }
  static void Imposta(MacchiaRossa& m, const char* giorno, const char* mese, const char* anno,
                      const char* ore, const char* minuti) {
    m.Giorno.Text = giorno;
    m.Mese.Text = mese;
    m.Anno.Text = anno;
    m.Ore.Text = ore;
    m.Minuti.Text = minuti;
  }
  static std::string Data(const MacchiaRossa& m) {
    return m.Giorno.Text + "/" + m.Mese.Text + "/" + m.Anno.Text + " " + m.Ore.Text + ":" +
           m.Minuti.Text;
  }

  std::unique_ptr<MacchiaRossa> finestra;
};

}  // namespace mr
