#include "window/qt/satelliti_finestre.h"

#include <QLabel>
#include <QPixmap>
#include <QPointer>
#include <QVBoxLayout>
#include <QWidget>
#include <array>

#include "ephemeris/nomi_satelliti.h"
#include "window/qt/immagini.h"
#include "window/qt/visione_notturna.h"

namespace mr {
namespace {

QWidget* CreaFinestra(int i, QWidget* genitore) {
  const NomeSatellite& s = NomiSatelliti[i - 1];
  auto* finestra = new QWidget(genitore, Qt::Window);
  finestra->setObjectName(s.finestra);
  finestra->setWindowTitle(QString::fromUtf8(s.nome));
  ImpostaColore(finestra, QPalette::Window, Qt::black);
  finestra->setAutoFillBackground(true);

  auto* immagine = new QLabel(finestra);
  immagine->setObjectName("Immagine");
  immagine->setPixmap(QPixmap::fromImage(ImmagineSatellite(i, QSize(300, 300))));
  auto* disposizione = new QVBoxLayout(finestra);
  disposizione->setContentsMargins(0, 0, 0, 0);
  disposizione->addWidget(immagine);
  disposizione->setSizeConstraint(QLayout::SetFixedSize);
  return finestra;
}

}  // namespace

void MostraFinestraSatellite(int i, QWidget* genitore) {
  if (i < 1 || i > 4) return;
  static std::array<QPointer<QWidget>, 4> finestre;
  QPointer<QWidget>& finestra = finestre[i - 1];
  if (!finestra) finestra = CreaFinestra(i, genitore);
  finestra->show();
  finestra->raise();
  finestra->activateWindow();
}

}  // namespace mr
