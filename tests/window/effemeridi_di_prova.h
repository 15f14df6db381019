// The headless front run as a user runs it, in a test's folder.
#pragma once
#include <array>
#include <cstdio>
#include <string>

#include "finestra_di_prova.h"

namespace mr {
namespace {

struct Esito {
  int stato;
  std::string uscita;
  std::string errori;  // what went to stderr
};

class Effemeridi : public FinestraDiProva {
 protected:
  // Runs effemeridi in the test's folder; argomenti go through the shell.
  Esito Esegui(const std::string& argomenti) {
    const std::string errori = (cartella / "stderr.txt").string();
    std::string comando = std::string(EFFEMERIDI_PATH) + " --cartella " + cartella.string() +
                          " " + argomenti + " 2>" + errori;
    Esito e{0, "", ""};
    FILE* p = popen(comando.c_str(), "r");
    std::array<char, 4096> buf;
    while (std::size_t n = std::fread(buf.data(), 1, buf.size(), p)) e.uscita.append(buf.data(), n);
    int s = pclose(p);
    e.stato = WIFEXITED(s) ? WEXITSTATUS(s) : -1;
    e.errori = Leggi("stderr.txt");
    return e;
  }
  static std::size_t Conta(const std::string& s, const std::string& parte) {
    std::size_t n = 0;
    for (auto i = s.find(parte); i != std::string::npos; i = s.find(parte, i + 1)) ++n;
    return n;
  }
  static bool Contiene(const std::string& s, const std::string& parte) {
    return s.find(parte) != std::string::npos;
  }
};

}  // namespace
}  // namespace mr
