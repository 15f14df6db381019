// The GUI program. With --istantanea FILE it starts as usual, then saves a
// picture of its windows to FILE and ends.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QImage>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <QTimer>
#include <QTranslator>
#include <algorithm>
#include <filesystem>

#include "app/riga_comando.h"
#include "app/versione.h"
#include "settings/file_impostazioni.h"
#include "window/qt/finestra_principale.h"
#include "window/qt/pannello_satelliti.h"
#include "window/qt/traduzioni.h"

namespace {

void AttendiEventi() {
  for (int i = 0; i < 10; ++i) QApplication::processEvents();
}

// The main window with the satellite panel, when shown, 8 pixels below it,
// composed in the screen's own pixels: at a display scale of 2 the picture is
// the one at scale 1, twice as large.
QImage Istantanea(mr::FinestraPrincipale& finestra) {
  QPixmap principale = finestra.grab();
  QPixmap pannello;
  if (finestra.Pannello() && finestra.Pannello()->isVisible()) pannello = finestra.Pannello()->grab();
  const qreal scala = principale.devicePixelRatio();
  principale.setDevicePixelRatio(1);
  pannello.setDevicePixelRatio(1);
  const int margine = pannello.isNull() ? 0 : qRound(8 * scala);
  QImage immagine(std::max(principale.width(), pannello.width()),
                  principale.height() + margine + pannello.height(), QImage::Format_RGB32);
  immagine.fill(Qt::white);
  QPainter p(&immagine);
  p.drawPixmap(0, 0, principale);
  if (!pannello.isNull()) p.drawPixmap(0, principale.height() + margine, pannello);
  return immagine;
}

// The command line as the process received it.
QStringList Argomenti(int argc, char* argv[]) {
  QStringList argomenti;
  for (int i = 0; i < argc; ++i) argomenti << QString::fromLocal8Bit(argv[i]);
  return argomenti;
}

int Errore(const QString& messaggio) {
  QTextStream(stderr) << "macchiarossa: " << messaggio << "\n" << mr::TestoUso();
  return 2;
}

// The folder of the settings files for the window: empty for the working
// directory, which the window takes itself.
std::filesystem::path CartellaFinestra(const mr::RigaComando& riga) {
  if (riga.cartella == mr::Cartella::DiLavoro) return {};
  return std::filesystem::path(QFile::encodeName(mr::CartellaImpostazioni(riga)).toStdString());
}

// Creates the user's configuration folder when it is the one chosen. False
// when it cannot be made.
bool CreaCartellaUtente(const mr::RigaComando& riga) {
  return riga.cartella != mr::Cartella::Utente || QDir().mkpath(mr::CartellaImpostazioni(riga));
}

// The program still runs without its settings folder, on the default
// settings; its saves fail with their own notices.
void AvvisoCartellaMancante(const QString& cartella, QWidget* finestra) {
  auto* box = new QMessageBox(QMessageBox::Warning, "Macchia Rossa",
                              "Impossibile creare la cartella delle impostazioni \"" +
                                  QDir::toNativeSeparators(cartella) +
                                  "\": le impostazioni non saranno salvate.",
                              QMessageBox::Ok, finestra);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->setModal(false);
  // After the window's own start-up notices, so that it stands above them.
  QTimer::singleShot(0, box, &QMessageBox::show);
}

// The program's icon, in the sizes installed with it (built in, in :/icone).
QIcon Icona() {
  QIcon icona;
  for (const QFileInfo& file : QDir(":/icone").entryInfoList()) icona.addFile(file.filePath());
  return icona;
}

}  // namespace

int main(int argc, char* argv[]) {
  mr::IgnoraSegnaleLimiteFile();
  QApplication::setApplicationName("macchiarossa");
  QApplication::setApplicationVersion(mr::Versione);
  // --help and --version answer without a display: the line is read once
  // before the application takes its own options (-platform ...) from it.
  const mr::RigaComando prima = mr::LeggiRigaComando(Argomenti(argc, argv));
  if (!prima.errore.isEmpty()) return Errore(prima.errore);
  if (prima.aiuto) {
    QTextStream(stdout) << mr::TestoAiuto(mr::CartellaImpostazioni(prima));
    return 0;
  }
  if (prima.versione) {
    QTextStream(stdout) << mr::TestoVersione();
    return 0;
  }

  QApplication app(argc, argv);
  QTranslator traduttore;
  mr::TraduciQt(traduttore);
  QApplication::setDesktopFileName(mr::IdApplicazione);
  QApplication::setWindowIcon(Icona());
  const mr::RigaComando riga = mr::LeggiRigaComando(QApplication::arguments());
  if (!riga.estranei.isEmpty()) {
    const QString a = riga.estranei.first();
    return Errore((a.startsWith('-') ? "opzione sconosciuta: " : "argomento inatteso: ") + a);
  }

  const bool cartellaPronta = CreaCartellaUtente(riga);
  mr::FinestraPrincipale finestra(CartellaFinestra(riga));
  finestra.show();
  if (!cartellaPronta) AvvisoCartellaMancante(mr::CartellaImpostazioni(riga), &finestra);
  if (!riga.istantanea) return app.exec();

  AttendiEventi();
  const QString& file = *riga.istantanea;
  if (!Istantanea(finestra).save(file)) {
    QTextStream(stderr) << "Impossibile salvare l'immagine in \"" << file << "\".\n";
    return 1;
  }
  return 0;
}
