#include "settings/qt/coordinate_view.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QString>
#include <utility>

namespace mr {

namespace {

// The dialog is laid out in twips, 15 to a pixel.
int Px(int twip) { return twip / 15; }

QLabel* Etichetta(QWidget* padre, const char* nome, const char* testo, int left, int top,
                  int larghezza = 0) {
  auto* l = new QLabel(QString::fromUtf8(testo), padre);
  l->setObjectName(nome);
  l->move(Px(left), Px(top));
  if (larghezza > 0) {
    // Long captions wrap in the room left of their fields.
    l->setWordWrap(true);
    l->resize(Px(larghezza), l->heightForWidth(Px(larghezza)));
  } else {
    l->adjustSize();
  }
  return l;
}

QLineEdit* Campo(QWidget* padre, const char* nome, int left, int top) {
  auto* t = new QLineEdit(padre);
  t->setObjectName(nome);
  t->setGeometry(Px(left), Px(top), Px(615), Px(375));
  return t;
}

QPushButton* Pulsante(QWidget* padre, const char* nome, const char* testo, int left, int top) {
  auto* b = new QPushButton(QString::fromUtf8(testo), padre);
  b->setObjectName(nome);
  b->setGeometry(Px(left), Px(top), Px(1215), Px(495));
  // Enter in a field neither saves nor closes.
  b->setAutoDefault(false);
  b->setDefault(false);
  return b;
}

}  // namespace

CoordinateView::CoordinateView(std::filesystem::path cartella, QWidget* parent)
    : QDialog(parent), modello_(std::move(cartella)) {
  setObjectName("Coordinate");
  setWindowTitle(QString::fromUtf8("Osservatore - GMR - Delta T"));
  setModal(false);
  setFixedSize(Px(4100), Px(4300));

  Etichetta(this, "Label1", "Longitudine della Macchia Rossa (II)", 600, 600, 2040);
  Etichetta(this, "Label4", "Gradi", 2880, 360);
  testi_[0] = Campo(this, "Text1", 2760, 600);
  Etichetta(this, "Label2", "Longitudine dell'osservatore", 600, 1320, 1560);
  Etichetta(this, "Label5", "Gradi", 2400, 1080);
  Etichetta(this, "Label6", "Primi", 3360, 1080);
  testi_[1] = Campo(this, "Text2", 2280, 1320);
  testi_[2] = Campo(this, "Text3", 3240, 1320);
  Etichetta(this, "Label3", "Latitudine dell'osservatore", 600, 2040, 1560);
  Etichetta(this, "Label7", "Gradi", 2400, 1800);
  Etichetta(this, "Label8", "Primi", 3360, 1800);
  testi_[3] = Campo(this, "Text4", 2280, 2040);
  testi_[4] = Campo(this, "Text5", 3240, 2040);
  Etichetta(this, "Label10", "Secondi", 2760, 2520);
  QLabel* deltaT = Etichetta(this, "Label9", "Delta T=TE-TU", 600, 2880, 2040);
  deltaT->setToolTip(
      QString::fromUtf8("Differenza tra il Tempo delle Effemeridi ed il Tempo Universale "));
  testi_[5] = Campo(this, "Text6", 2760, 2760);
  QPushButton* salva = Pulsante(this, "Salva", "Salva", 2520, 3480);
  salva->setToolTip(QString::fromUtf8("Per salvare le impostazioni "));
  QPushButton* ok = Pulsante(this, "OK", "OK", 600, 3480);

  connect(salva, &QPushButton::clicked, this, [this] { Salva_Click(); });
  connect(ok, &QPushButton::clicked, this, &QDialog::reject);
}

void CoordinateView::Mostra() {
  modello_.Form_Load();
  DaModello();
  show();
  raise();
  activateWindow();
  if (!modello_.Problema.empty()) Avvisa(QMessageBox::Warning, modello_.Problema);
}

void CoordinateView::done(int esito) {
  modello_.OK_Click();
  if (avviso_ != nullptr) avviso_->hide();
  QDialog::done(esito);
}

void CoordinateView::Salva_Click() {
  AlModello();
  std::string errore = modello_.Salva_Click();
  if (!errore.empty())
    Avvisa(QMessageBox::Critical, errore);
  else if (avviso_ != nullptr)
    avviso_->hide();
}

void CoordinateView::DaModello() {
  const std::string* testi[] = {&modello_.Text1, &modello_.Text2, &modello_.Text3,
                                &modello_.Text4, &modello_.Text5, &modello_.Text6};
  for (std::size_t i = 0; i < testi_.size(); ++i)
    testi_[i]->setText(QString::fromStdString(*testi[i]));
}

void CoordinateView::AlModello() {
  std::string* testi[] = {&modello_.Text1, &modello_.Text2, &modello_.Text3,
                          &modello_.Text4, &modello_.Text5, &modello_.Text6};
  for (std::size_t i = 0; i < testi_.size(); ++i) *testi[i] = testi_[i]->text().toStdString();
}

// One notice box, reused, so that repeated failures do not pile up windows.
void CoordinateView::Avvisa(QMessageBox::Icon icona, const std::string& testo) {
  if (avviso_ == nullptr) {
    avviso_ = new QMessageBox(this);
    avviso_->setObjectName("Avviso");
    avviso_->setWindowTitle(windowTitle());
    avviso_->setStandardButtons(QMessageBox::Ok);
    avviso_->setModal(false);
  }
  avviso_->setIcon(icona);
  avviso_->setText(QString::fromStdString(testo));
  avviso_->show();
  avviso_->raise();
}

}  // namespace mr
