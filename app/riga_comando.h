// The command line of the window program: the settings folder, the snapshot,
// --help and --version.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace mr {

// Where the settings files live.
enum class Cartella {
  DiLavoro,  // no option: the working directory
  Data,      // --cartella DIR
  Utente,    // --cartella-utente: the user's configuration folder (the desktop entry's choice)
};

struct RigaComando {
  bool aiuto = false, versione = false;
  Cartella cartella = Cartella::DiLavoro;
  QString dir;                       // Cartella::Data: DIR as given
  std::optional<QString> istantanea;  // --istantanea FILE
  // A wrong line: why, in Italian (a missing value, a DIR that is not a folder,
  // two folder options). Empty when the line is right.
  QString errore;
  // Unknown options and arguments: an error too, once the application has
  // taken its own options (-platform, -style ...) from the line.
  QStringList estranei;
};

// Reads the arguments (the program's name first).
RigaComando LeggiRigaComando(const QStringList& argomenti);

// The settings folder the line chooses, absolute. Cartella::Utente needs the
// application's name to be set; the folder is not created here.
QString CartellaImpostazioni(const RigaComando& riga);

// "uso: macchiarossa ..." on two lines.
QString TestoUso();
// The usage, the options with their meaning, and the settings folder in use.
QString TestoAiuto(const QString& cartella);
QString TestoVersione();

}  // namespace mr
