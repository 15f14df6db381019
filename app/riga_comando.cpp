#include "app/riga_comando.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QList>
#include <QStandardPaths>
#include <algorithm>

#include "app/versione.h"

namespace mr {
namespace {

// The options in the order of the help; a description runs over several
// lines where it holds a line end.
struct Opzioni {
  QCommandLineOption cartella{"cartella",
                              "legge e scrive le impostazioni (Imp.txt, IOra.txt,\n"
                              "MacchiaRossa.ini) nella cartella DIR, che deve esistere",
                              "DIR"};
  QCommandLineOption cartellaUtente{"cartella-utente",
                                    "le tiene nella cartella di configurazione dell'utente,\n"
                                    "creata se manca (la voce del menu usa questa)"};
  QCommandLineOption istantanea{"istantanea",
                                "salva in FILE un'immagine delle finestre appena aperte\ned esce",
                                "FILE"};
  QCommandLineOption aiuto{QStringList{"h", "help"}, "mostra questo aiuto ed esce"};
  QCommandLineOption versione{QStringList{"v", "version"}, "mostra la versione ed esce"};

  QList<QCommandLineOption> Tutte() const {
    return {cartella, cartellaUtente, istantanea, aiuto, versione};
  }
};

// "-h, --help", "--cartella DIR".
QString Nomi(const QCommandLineOption& o) {
  QStringList nomi;
  for (const QString& n : o.names()) nomi << (n.size() == 1 ? "-" : "--") + n;
  QString testo = nomi.join(", ");
  if (!o.valueName().isEmpty()) testo += " " + o.valueName();
  return testo;
}

// Why a parse failed other than by unknown options: a value missing after
// an option.
QString ValoreMancante(const QCommandLineParser& p, const Opzioni& o) {
  for (const QCommandLineOption& opzione : {o.cartella, o.istantanea})
    if (p.isSet(opzione) && p.values(opzione).isEmpty())
      return "manca il valore di --" + opzione.names().first();
  return "manca il valore di un'opzione";
}

}  // namespace

RigaComando LeggiRigaComando(const QStringList& argomenti) {
  const Opzioni o;
  QCommandLineParser p;
  // "-platform" is one unknown option, not -p -l -a ...
  p.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  p.addOptions(o.Tutte());
  RigaComando r;
  const bool letta = p.parse(argomenti);
  for (const QString& n : p.unknownOptionNames()) r.estranei << (n.size() == 1 ? "-" : "--") + n;
  r.estranei << p.positionalArguments();
  if (!letta && p.unknownOptionNames().isEmpty()) r.errore = ValoreMancante(p, o);
  // The last value counts, as for effemeridi.
  if (!p.values(o.istantanea).isEmpty()) r.istantanea = p.values(o.istantanea).last();
  r.aiuto = p.isSet(o.aiuto);
  r.versione = p.isSet(o.versione);
  if (!r.errore.isEmpty()) return r;

  const bool data = p.isSet(o.cartella), utente = p.isSet(o.cartellaUtente);
  if (data && utente) {
    r.errore = "--cartella e --cartella-utente si escludono";
  } else if (data) {
    r.cartella = Cartella::Data;
    r.dir = p.values(o.cartella).last();
    if (!QFileInfo(r.dir).isDir()) r.errore = "la cartella non esiste: " + r.dir;
  } else if (utente) {
    r.cartella = Cartella::Utente;
  }
  return r;
}

QString CartellaImpostazioni(const RigaComando& riga) {
  switch (riga.cartella) {
    case Cartella::Data: return QDir::cleanPath(QFileInfo(riga.dir).absoluteFilePath());
    case Cartella::Utente:
      return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    case Cartella::DiLavoro: break;
  }
  return QDir::currentPath();
}

QString TestoUso() {
  return "uso: macchiarossa [--cartella DIR | --cartella-utente] [--istantanea FILE]\n"
         "     macchiarossa --help | --version\n";
}

QString TestoAiuto(const QString& cartella) {
  const QList<QCommandLineOption> opzioni = Opzioni().Tutte();
  qsizetype colonna = 0;
  for (const QCommandLineOption& o : opzioni) colonna = std::max(colonna, Nomi(o).size());
  QString testo = TestoUso() +
                  "\nLa Macchia Rossa di Giove, il meridiano centrale e i satelliti galileiani "
                  "per la\ndata e l'ora scelte.\n\nOpzioni:\n";
  for (const QCommandLineOption& o : opzioni) {
    const QStringList righe = o.description().split('\n');
    testo += "  " + Nomi(o).leftJustified(colonna + 2) + righe.first() + "\n";
    for (qsizetype i = 1; i < righe.size(); ++i)
      testo += QString(colonna + 4, ' ') + righe[i] + "\n";
  }
  return testo +
         "\nSenza opzioni le impostazioni stanno nella cartella di lavoro.\n"
         "Cartella delle impostazioni: " +
         QDir::toNativeSeparators(cartella) + "\n";
}

QString TestoVersione() { return QString("MacchiaRossa ") + Versione + "\n"; }

}  // namespace mr
