#include "window/qt/informazioni.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/versione.h"
#include "window/qt/immagini.h"

namespace mr {
namespace {

constexpr const char* descrizione =
    "Per la data e l'ora scelte, o per l'istante attuale, il programma calcola la longitudine "
    "del meridiano centrale di Giove nel sistema II e mostra dove si trova la Macchia Rossa "
    "sul disco del pianeta.\n\n"
    "Segue i quattro satelliti galileiani (Io, Europa, Ganimede e Callisto) con i loro "
    "transiti, le ombre, le occultazioni e le eclissi; calcola il diametro apparente di Giove "
    "e la declinazione della Terra vista da Giove, gli orari del sorgere, della culminazione e "
    "del tramonto, l'altezza del pianeta e lo stato del cielo: giorno, crepuscolo civile, "
    "nautico o astronomico, notte.\n\n"
    "L'animazione fa ruotare il pianeta a passi di 5\u00b0 e si ferma da sola quando la Macchia "
    "Rossa transita al meridiano centrale, quando l'ombra di un satellite vi si avvicina o "
    "quando un satellite entra in eclisse.";

QLabel* Testo(const QString& testo, QWidget* genitore, int punti, bool grassetto) {
  auto* etichetta = new QLabel(testo, genitore);
  QFont carattere = etichetta->font();
  if (punti > 0) carattere.setPointSize(punti);
  carattere.setBold(grassetto);
  etichetta->setFont(carattere);
  return etichetta;
}

QDialog* CreaInformazioni(QWidget* genitore, const std::filesystem::path& cartella) {
  auto* finestra = new QDialog(genitore);
  finestra->setObjectName("frmInformazioni");
  finestra->setWindowTitle("Informazioni su MacchiaRossa");
  finestra->setModal(false);

  auto* giove = new QLabel(finestra);
  giove->setObjectName("Giove");
  // The spot a little past the central meridian.
  giove->setPixmap(QPixmap::fromImage(ImmagineGiove(QSize(180, 167), 20, 35)));
  giove->setAlignment(Qt::AlignTop);

  auto* nome = Testo("MacchiaRossa", finestra, 16, true);
  auto* versione = Testo(QString("Versione ") + Versione, finestra, 0, false);
  versione->setObjectName("Versione");
  auto* spiegazione = Testo(QString::fromUtf8(descrizione), finestra, 0, false);
  spiegazione->setWordWrap(true);
  spiegazione->setFixedWidth(380);
  const QString percorso = QDir::toNativeSeparators(QFile::decodeName(cartella.c_str()));
  auto* impostazioni = Testo("Cartella delle impostazioni:\n" + percorso, finestra, 0, false);
  impostazioni->setObjectName("Cartella");
  impostazioni->setTextInteractionFlags(Qt::TextSelectableByMouse);

  auto* ok = new QPushButton("OK", finestra);
  ok->setObjectName("OK");
  ok->setDefault(true);
  QObject::connect(ok, &QPushButton::clicked, finestra, &QDialog::accept);

  auto* colonna = new QVBoxLayout;
  colonna->addWidget(nome);
  colonna->addWidget(versione);
  colonna->addSpacing(8);
  colonna->addWidget(spiegazione);
  colonna->addSpacing(8);
  colonna->addWidget(impostazioni);
  colonna->addStretch(1);

  auto* riga = new QHBoxLayout;
  riga->addWidget(giove);
  riga->addSpacing(12);
  riga->addLayout(colonna);

  auto* pulsanti = new QHBoxLayout;
  pulsanti->addStretch(1);
  pulsanti->addWidget(ok);

  auto* tutto = new QVBoxLayout(finestra);
  tutto->addLayout(riga);
  tutto->addLayout(pulsanti);
  tutto->setSizeConstraint(QLayout::SetFixedSize);
  return finestra;
}

}  // namespace

void MostraInformazioni(QWidget* genitore, const std::filesystem::path& cartella) {
  static QPointer<QDialog> finestra;
  if (!finestra) finestra = CreaInformazioni(genitore, cartella);
  finestra->show();
  finestra->raise();
  finestra->activateWindow();
}

}  // namespace mr
