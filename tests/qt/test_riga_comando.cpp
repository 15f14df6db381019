// The command line of "macchiarossa", run as a user would run it: --help,
// --version, the wrong lines, and where the settings files go.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace mr {
namespace {

struct Esito {
  int stato = -1;
  QString uscita, errori;
};

// The settings a missing Imp.txt is created with: GRS at 98, Rome, Delta T 69 s.
constexpr const char* ImpPredefinito = "98,12,30,41,54,69\r\n";

class RigaComando : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(radice_.isValid());
    for (const char* c : {"lavoro", "scelta", "config"}) ASSERT_TRUE(QDir(radice_.path()).mkdir(c));
  }
  QString Percorso(const QString& nome) const { return QDir(radice_.path()).filePath(nome); }

  // Runs the program in "lavoro", its configuration folder "config", no display.
  Esito Esegui(const QStringList& argomenti) {
    QProcess p;
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert("QT_QPA_PLATFORM", "offscreen");
    ambiente.insert("XDG_CONFIG_HOME", Percorso("config"));
    ambiente.remove("DISPLAY");
    ambiente.remove("WAYLAND_DISPLAY");
    p.setProcessEnvironment(ambiente);
    p.setWorkingDirectory(Percorso("lavoro"));
    p.start(MACCHIAROSSA_PATH, argomenti);
    Esito e;
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit) return e;
    e.stato = p.exitCode();
    e.uscita = QString::fromUtf8(p.readAllStandardOutput());
    e.errori = QString::fromUtf8(p.readAllStandardError());
    return e;
  }

  static QByteArray Contenuto(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(manca)");
  }

  QTemporaryDir radice_;
};

TEST_F(RigaComando, VersionIsTheProjects) {
  for (const char* opzione : {"--version", "-v"}) {
    SCOPED_TRACE(opzione);
    const Esito e = Esegui({opzione});
    EXPECT_EQ(e.stato, 0);
    EXPECT_EQ(e.uscita, QString("MacchiaRossa ") + VERSIONE_PROGETTO + "\n");
  }
}

// Help lists every option and the folder the other options given would use,
// without creating it.
TEST_F(RigaComando, HelpNamesTheOptionsAndTheFolder) {
  struct Caso {
    QStringList argomenti;
    QString cartella;
  };
  const Caso casi[] = {
      {{"--help"}, Percorso("lavoro")},
      {{"-h", "--cartella", "../scelta"}, Percorso("scelta")},
      {{"--cartella-utente", "--help"}, Percorso("config/macchiarossa")},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.argomenti.join(' ').toStdString());
    const Esito e = Esegui(c.argomenti);
    EXPECT_EQ(e.stato, 0);
    for (const char* opzione : {"--cartella DIR", "--cartella-utente", "--istantanea FILE",
                                "-h, --help", "-v, --version"})
      EXPECT_TRUE(e.uscita.contains(opzione)) << opzione << "\n" << e.uscita.toStdString();
    EXPECT_TRUE(e.uscita.endsWith("Cartella delle impostazioni: " + c.cartella + "\n"))
        << e.uscita.toStdString();
  }
  EXPECT_FALSE(QDir(Percorso("config/macchiarossa")).exists());
}

TEST_F(RigaComando, AWrongLineEndsWithStatusTwoAndTheUsage) {
  struct Caso {
    QStringList argomenti;
    const char* perche;
  };
  const Caso casi[] = {
      {{"--cartella", "/non/esiste"}, "la cartella non esiste: /non/esiste"},
      {{"--cartella", "../scelta/Imp.txt", "--help"}, "la cartella non esiste"},
      {{"--cartella"}, "manca il valore di --cartella"},
      {{"--istantanea"}, "manca il valore di --istantanea"},
      {{"--cartella", "../scelta", "--cartella-utente"}, "si escludono"},
      {{"--sconosciuta"}, "opzione sconosciuta: --sconosciuta"},
      {{"giove.png"}, "argomento inatteso: giove.png"},
  };
  QFile(Percorso("scelta/Imp.txt")).open(QIODevice::WriteOnly);
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.argomenti.join(' ').toStdString());
    const Esito e = Esegui(c.argomenti);
    EXPECT_EQ(e.stato, 2);
    EXPECT_TRUE(e.uscita.isEmpty());
    EXPECT_TRUE(e.errori.contains(c.perche)) << e.errori.toStdString();
    EXPECT_TRUE(e.errori.contains("uso: macchiarossa")) << e.errori.toStdString();
  }
}

// A first start writes the default Imp.txt in the folder chosen, and only
// there: the working directory, DIR, or the user's configuration folder,
// created for it.
TEST_F(RigaComando, SettingsGoToTheFolderChosen) {
  struct Caso {
    QStringList opzioni;
    const char* cartella;
  };
  const Caso casi[] = {
      {{}, "lavoro"},
      {{"--cartella", "../scelta"}, "scelta"},
      {{"--cartella-utente"}, "config/macchiarossa"},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.cartella);
    for (const char* cartella : {"lavoro", "scelta", "config/macchiarossa"})
      QFile::remove(Percorso(cartella) + "/Imp.txt");
    const Esito e = Esegui(c.opzioni + QStringList{"--istantanea", Percorso("finestra.png")});
    EXPECT_EQ(e.stato, 0) << e.errori.toStdString();
    for (const char* cartella : {"lavoro", "scelta", "config/macchiarossa"})
      EXPECT_EQ(Contenuto(Percorso(cartella) + "/Imp.txt"),
                QByteArray(cartella == std::string(c.cartella) ? ImpPredefinito : "(manca)"))
          << cartella;
  }
}

}  // namespace
}  // namespace mr
