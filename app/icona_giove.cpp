// icona_giove CARTELLA LATO...: writes the program's icon at each size LATO
// (pixels) to CARTELLA/LATO.png. The build makes the installed icons with it.
#include <QDir>
#include <QImage>
#include <QString>
#include <QTextStream>

#include "window/qt/icona.h"

int main(int argc, char* argv[]) {
  if (argc < 3) {
    QTextStream(stderr) << "uso: icona_giove CARTELLA LATO...\n";
    return 2;
  }
  const QDir cartella(QString::fromLocal8Bit(argv[1]));
  for (int i = 2; i < argc; ++i) {
    bool numero = false;
    const int lato = QString::fromLocal8Bit(argv[i]).toInt(&numero);
    const QImage icona = numero ? mr::IconaGiove(lato) : QImage();
    const QString file = cartella.filePath(QString::number(lato) + ".png");
    if (icona.isNull() || !icona.save(file)) {
      QTextStream(stderr) << "icona_giove: impossibile scrivere l'icona di " << argv[i] << " px\n";
      return 1;
    }
  }
  return 0;
}
