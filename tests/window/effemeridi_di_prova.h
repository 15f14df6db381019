// The headless front run as a user runs it, in a test's folder.
#pragma once
#include <gtest/gtest.h>

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QRegularExpression>
#include <QString>

#include <array>
#include <cstdio>
#include <optional>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#include "ephemeris/calendario.h"
#include "finestra_di_prova.h"

namespace mr {
namespace {

// The lines of a program's output.
inline std::vector<std::string> Righe(const std::string& testo) {
  std::vector<std::string> righe;
  std::istringstream in(testo);
  for (std::string riga; std::getline(in, riga);) righe.push_back(riga);
  return righe;
}

// The Julian day of "AAAA-MM-GGThh:mm:ssZ", or nothing.
inline std::optional<double> JdDiUtc(const QString& utc) {
  static const QRegularExpression forma(
      "^(\\d{4})-(\\d{2})-(\\d{2})T(\\d{2}):(\\d{2}):(\\d{2})Z$");
  QRegularExpressionMatch m = forma.match(utc);
  if (!m.hasMatch()) return std::nullopt;
  return GiornoGiulianoDi({m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt(),
                           m.captured(4).toInt(), m.captured(5).toInt(), m.captured(6).toInt()});
}

// The object of one JSON line, checked: valid JSON, exactly the given keys,
// in their order.
inline QJsonObject OggettoJson(const std::string& riga, std::span<const char* const> chiavi) {
  QJsonParseError errore;
  const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(riga), &errore);
  EXPECT_EQ(errore.error, QJsonParseError::NoError);
  EXPECT_TRUE(doc.isObject());
  const QJsonObject o = doc.object();
  EXPECT_EQ(o.size(), static_cast<qsizetype>(chiavi.size()));
  std::size_t dopo = 0;
  for (const char* chiave : chiavi) {
    const std::size_t dove = riga.find(std::string("\"") + chiave + "\":");
    EXPECT_TRUE(dove != std::string::npos && dove >= dopo) << chiave;
    dopo = dove == std::string::npos ? dopo : dove;
  }
  return o;
}

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
  // A wrong command line: exit status 2, nothing on stdout, the usage on stderr.
  void AttesoUsoSbagliato(const std::string& argomenti) {
    SCOPED_TRACE(argomenti);
    const Esito e = Esegui(argomenti);
    EXPECT_EQ(e.stato, 2);
    EXPECT_EQ(e.uscita, "");
    EXPECT_TRUE(Contiene(e.errori, "uso: effemeridi")) << e.errori;
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
