// The GUI program. With --istantanea FILE it starts as usual, then saves a
// picture of its windows to FILE and ends.
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <algorithm>

#include "settings/file_impostazioni.h"
#include "window/qt/finestra_principale.h"
#include "window/qt/pannello_satelliti.h"

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

}  // namespace

int main(int argc, char* argv[]) {
  mr::IgnoraSegnaleLimiteFile();
  QApplication app(argc, argv);
  QApplication::setApplicationName("macchiarossa");
  const QStringList argomenti = QApplication::arguments();
  const qsizetype i = argomenti.indexOf("--istantanea");
  if (i >= 0 && i + 1 >= argomenti.size()) {
    QTextStream(stderr) << "Uso: macchiarossa [--istantanea FILE]\n";
    return 2;
  }

  mr::FinestraPrincipale finestra;
  finestra.show();
  if (i < 0) return app.exec();

  AttendiEventi();
  const QString file = argomenti.at(i + 1);
  if (!Istantanea(finestra).save(file)) {
    QTextStream(stderr) << "Impossibile salvare l'immagine in \"" << file << "\".\n";
    return 1;
  }
  return 0;
}
