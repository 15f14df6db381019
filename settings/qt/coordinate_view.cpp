#include "settings/qt/coordinate_view.h"

#include <QButtonGroup>
#include <QColor>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QString>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "ephemeris/numeri.h"

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

QRadioButton* Scelta(QWidget* padre, const char* nome, const char* testo, const char* suggerimento,
                     int left, int top) {
  auto* r = new QRadioButton(QString::fromUtf8(testo), padre);
  r->setObjectName(nome);
  r->setToolTip(QString::fromUtf8(suggerimento));
  r->setGeometry(Px(left), Px(top), Px(510), Px(375));
  return r;
}

// Two choices that exclude each other; the first is ticked.
void Coppia(QWidget* padre, QRadioButton* prima, QRadioButton* seconda) {
  auto* gruppo = new QButtonGroup(padre);
  gruppo->addButton(prima);
  gruppo->addButton(seconda);
  prima->setChecked(true);
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

// A field of the Red Spot's column, as wide as the sample text with room to spare.
QLineEdit* CampoMacchia(QWidget* padre, const char* nome, const char* campione,
                        const char* suggerimento) {
  auto* t = new QLineEdit(padre);
  t->setObjectName(nome);
  t->setToolTip(QString::fromUtf8(suggerimento));
  t->setFixedWidth(t->fontMetrics().horizontalAdvance(QString::fromUtf8(campione) + "00") + 12);
  return t;
}

QLabel* Testo(QWidget* padre, const char* nome, const char* testo = "") {
  auto* l = new QLabel(QString::fromUtf8(testo), padre);
  l->setObjectName(nome);
  l->setWordWrap(true);
  return l;
}

// The Julian day (UT) of an instant.
double GiornoGiulianoUT(const QDateTime& t) {
  return 2440587.5 + static_cast<double>(t.toMSecsSinceEpoch()) / 86400000.0;
}

// The layout of the column beside the file's fields, in pixels.
constexpr int XColonna = 360, YColonna = 16, LarghezzaColonna = 420, Margine = 16;

}  // namespace

QDateTime MezzanotteDiStanotte(const QDateTime& adesso) {
  QDateTime mezzanotte = adesso;
  mezzanotte.setTime(QTime(0, 0));
  if (adesso.time().hour() >= 12) mezzanotte.setDate(adesso.date().addDays(1));
  return mezzanotte;
}

CoordinateView::CoordinateView(std::filesystem::path cartella, QWidget* parent)
    : QDialog(parent), modello_(std::move(cartella)), orologio_(&QDateTime::currentDateTime) {
  setObjectName("Coordinate");
  setWindowTitle(QString::fromUtf8("Osservatore - GMR - Delta T"));
  setModal(false);

  Etichetta(this, "Label1", "Longitudine della Macchia Rossa (II)", 600, 600, 2040);
  Etichetta(this, "Label4", "Gradi", 2880, 360);
  testi_[0] = Campo(this, "Text1", 2760, 600);
  Etichetta(this, "Label2", "Longitudine dell'osservatore", 600, 1320, 1560);
  Etichetta(this, "Label5", "Gradi", 2400, 1080);
  Etichetta(this, "Label6", "Primi", 3360, 1080);
  testi_[1] = Campo(this, "Text2", 2280, 1320);
  testi_[2] = Campo(this, "Text3", 3240, 1320);
  est_ = Scelta(this, "Est", "E", "Est di Greenwich", 3960, 1320);
  ovest_ = Scelta(this, "Ovest", "O", "Ovest di Greenwich", 4470, 1320);
  Coppia(this, est_, ovest_);
  Etichetta(this, "Label3", "Latitudine dell'osservatore", 600, 2040, 1560);
  Etichetta(this, "Label7", "Gradi", 2400, 1800);
  Etichetta(this, "Label8", "Primi", 3360, 1800);
  testi_[3] = Campo(this, "Text4", 2280, 2040);
  testi_[4] = Campo(this, "Text5", 3240, 2040);
  nord_ = Scelta(this, "Nord", "N", "Nord dell'equatore", 3960, 2040);
  sud_ = Scelta(this, "Sud", "S", "Sud dell'equatore", 4470, 2040);
  Coppia(this, nord_, sud_);
  Etichetta(this, "Label10", "Secondi", 2760, 2520);
  QLabel* deltaT = Etichetta(this, "Label9", "Delta T=TE-TU", 600, 2880, 2040);
  deltaT->setToolTip(
      QString::fromUtf8("Differenza tra il Tempo delle Effemeridi ed il Tempo Universale "));
  testi_[5] = Campo(this, "Text6", 2760, 2760);
  colonna_ = ColonnaMacchia();
  QPushButton* salva = Pulsante(this, "Salva", "Salva", 2520, 3480);
  salva->setToolTip(QString::fromUtf8("Per salvare le impostazioni "));
  QPushButton* ok = Pulsante(this, "OK", "OK", 600, 3480);
  stato_ = Etichetta(this, "Stato", "", 600, 4080);
  stato_->setWordWrap(true);
  stato_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  stato_->setFixedSize(Px(4380), Px(840));
  Dimensiona();

  connect(salva, &QPushButton::clicked, this, [this] { Salva_Click(); });
  connect(ok, &QPushButton::clicked, this, &QDialog::reject);
  // Every edit reaches the model at once, and the line under the buttons follows it.
  for (QLineEdit* t : testi_) connect(t, &QLineEdit::textEdited, this, [this] { AlModello(); });
  for (QRadioButton* r : {est_, ovest_, nord_, sud_})
    connect(r, &QRadioButton::clicked, this, [this] { AlModello(); });
  for (QLineEdit* t : {dataOsservazione_, oraOsservazione_})
    connect(t, &QLineEdit::textEdited, this, [this] { AlModello(); });
  connect(zona_, &QComboBox::activated, this, [this] { AlModello(); });
  connect(usa_, &QPushButton::clicked, this, [this] { Usa_Click(); });
}

// The Red Spot's drift and its date, its longitude tonight, and the
// measurement from an observation.
QWidget* CoordinateView::ColonnaMacchia() {
  auto* colonna = new QWidget(this);
  colonna->setObjectName("ColonnaMacchia");
  auto* verticale = new QVBoxLayout(colonna);
  verticale->setContentsMargins(0, 0, 0, 0);

  auto* deriva = new QGroupBox(QString::fromUtf8("Deriva della Macchia Rossa"), colonna);
  deriva->setObjectName("GruppoDeriva");
  auto* modulo = new QFormLayout(deriva);
  testi_[6] = CampoMacchia(deriva, "Text7", "-0.25",
                           "Gradi del Sistema II di cui la Macchia Rossa si sposta in un mese "
                           "(30,4375 giorni), positivi verso longitudini crescenti; 0 se ferma");
  testi_[7] = CampoMacchia(deriva, "Text8", "GG/MM/AAAA",
                           "Il giorno (alle 0h TU) in cui la Macchia Rossa è alla longitudine "
                           "scritta a sinistra, nella forma GG/MM/AAAA");
  testi_[7]->setPlaceholderText("GG/MM/AAAA");
  auto* etichettaDeriva = new QLabel(QString::fromUtf8("Deriva (°/mese)"), deriva);
  etichettaDeriva->setObjectName("LabelDeriva");
  auto* etichettaData = new QLabel(QString::fromUtf8("Data di riferimento (0h TU)"), deriva);
  etichettaData->setObjectName("LabelData");
  etichettaDeriva->setBuddy(testi_[6]);
  etichettaData->setBuddy(testi_[7]);
  modulo->addRow(etichettaDeriva, testi_[6]);
  modulo->addRow(etichettaData, testi_[7]);
  stanotte_ = Testo(deriva, "Stanotte");
  stanotte_->setToolTip(QString::fromUtf8(
      "La longitudine che il calcolo userà, con i valori scritti qui, a mezzanotte "
      "(ora del computer)"));
  modulo->addRow(stanotte_);
  verticale->addWidget(deriva);

  auto* osservazione = new QGroupBox(QString::fromUtf8("Dalla tua osservazione"), colonna);
  osservazione->setObjectName("GruppoOsservazione");
  auto* griglia = new QGridLayout(osservazione);
  griglia->addWidget(Testo(osservazione, "LabelOsservazione",
                           "Quando hai visto il centro della Macchia Rossa sul meridiano "
                           "centrale?"),
                     0, 0, 1, 3);
  dataOsservazione_ = CampoMacchia(osservazione, "DataOsservazione", "GG/MM/AAAA",
                                   "La data dell'osservazione, GG/MM/AAAA");
  dataOsservazione_->setPlaceholderText("GG/MM/AAAA");
  oraOsservazione_ = CampoMacchia(osservazione, "OraOsservazione", "hh:mm:ss",
                                  "L'ora dell'osservazione, hh:mm oppure hh:mm:ss");
  oraOsservazione_->setPlaceholderText("hh:mm");
  zona_ = new QComboBox(osservazione);
  zona_->setObjectName("ZonaOsservazione");
  zona_->addItems({QString::fromUtf8("Tempo Universale"), QString::fromUtf8("Tempo Medio (TU+1)"),
                   QString::fromUtf8("Ora Estiva (TU+2)")});
  zona_->setToolTip(QString::fromUtf8("Il tempo in cui sono scritte la data e l'ora"));
  griglia->addWidget(dataOsservazione_, 1, 0);
  griglia->addWidget(oraOsservazione_, 1, 1);
  griglia->addWidget(zona_, 1, 2);
  misura_ = Testo(osservazione, "Misura");
  misura_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  misura_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  griglia->addWidget(misura_, 2, 0, 1, 3);
  usa_ = new QPushButton(QString::fromUtf8("Usa questi valori"), osservazione);
  usa_->setObjectName("Usa");
  usa_->setToolTip(QString::fromUtf8(
      "Mette la longitudine misurata e la sua data nei campi; \"Salva\" le scrive nel file"));
  usa_->setAutoDefault(false);
  griglia->addWidget(usa_, 3, 0, 1, 3, Qt::AlignRight);
  griglia->setColumnStretch(2, 1);
  verticale->addWidget(osservazione);
  verticale->addStretch(1);
  return colonna;
}

// The column's height follows the style's metrics; the dialog holds both
// columns. The measurement's line keeps room for its longest text.
void CoordinateView::Dimensiona() {
  misura_->setMinimumHeight(4 * misura_->fontMetrics().lineSpacing());
  stanotte_->setMinimumHeight(2 * stanotte_->fontMetrics().lineSpacing());
  const int altezza = std::max(colonna_->layout()->heightForWidth(LarghezzaColonna),
                               colonna_->sizeHint().height());
  colonna_->setGeometry(XColonna, YColonna, LarghezzaColonna, altezza);
  setFixedSize(XColonna + LarghezzaColonna + Margine,
               std::max(Px(5040), YColonna + altezza + Margine));
}

void CoordinateView::changeEvent(QEvent* e) {
  QDialog::changeEvent(e);
  if (e->type() == QEvent::StyleChange || e->type() == QEvent::FontChange) Dimensiona();
}

void CoordinateView::ImpostaOrologio(std::function<QDateTime()> orologio) {
  orologio_ = std::move(orologio);
  MostraMacchia();
}

void CoordinateView::Mostra() {
  show();
  raise();
  activateWindow();
  // Open with unsaved edits, the dialog only comes to the front.
  AlModello();
  if (modello_.Aperta && modello_.Modificata()) return;
  modello_.Form_Load();
  DaModello();
  if (!modello_.Problema.empty()) Avvisa(QMessageBox::Warning, modello_.Problema);
}

void CoordinateView::done(int esito) {
  AlModello();
  const Risposta risposta = modello_.Modificata() ? ChiediSalvare() : Risposta::No;
  const std::optional<EsitoSalva> salvataggio = modello_.OK_Click(risposta);
  if (salvataggio) MostraEsito(*salvataggio);
  if (modello_.Aperta) return;
  if (avviso_ != nullptr) avviso_->hide();
  QDialog::done(esito);
}

void CoordinateView::Usa_Click() {
  AlModello();
  modello_.UsaMisura();
  DaModello();
}

void CoordinateView::Salva_Click() {
  AlModello();
  MostraEsito(modello_.Salva_Click());
}

// The fields as the save left them. A field that failed is named under the
// buttons and made ready for a correction; a file that failed, in a notice.
void CoordinateView::MostraEsito(const EsitoSalva& esito) {
  DaModello();
  if (esito.file)
    Avvisa(QMessageBox::Critical, TestoEsito(esito));
  else if (avviso_ != nullptr)
    avviso_->hide();
  if (esito.campo) {
    QLineEdit* campo = testi_[static_cast<std::size_t>(esito.campo->campo - 1)];
    campo->setFocus();
    campo->selectAll();
  }
}

Risposta CoordinateView::ChiediSalvare() {
  QMessageBox domanda(QMessageBox::Question, windowTitle(), QString::fromUtf8(DomandaSalvare),
                      QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, this);
  domanda.setObjectName("Domanda");
  domanda.button(QMessageBox::Yes)->setText(QString::fromUtf8("Sì"));
  domanda.button(QMessageBox::No)->setText(QString::fromUtf8("No"));
  domanda.button(QMessageBox::Cancel)->setText(QString::fromUtf8("Annulla"));
  domanda.setDefaultButton(QMessageBox::Yes);
  domanda.setEscapeButton(QMessageBox::Cancel);
  const int scelta = domanda.exec();
  return scelta == QMessageBox::Yes ? Risposta::Si
         : scelta == QMessageBox::No ? Risposta::No
                                     : Risposta::Annulla;
}

void CoordinateView::DaModello() {
  const std::string* testi[] = {&modello_.Text1, &modello_.Text2, &modello_.Text3,
                                &modello_.Text4, &modello_.Text5, &modello_.Text6,
                                &modello_.Text7, &modello_.Text8};
  for (std::size_t i = 0; i < testi_.size(); ++i)
    testi_[i]->setText(QString::fromStdString(*testi[i]));
  (modello_.Ovest ? ovest_ : est_)->setChecked(true);
  (modello_.Sud ? sud_ : nord_)->setChecked(true);
  dataOsservazione_->setText(QString::fromStdString(modello_.DataOsservazione));
  oraOsservazione_->setText(QString::fromStdString(modello_.OraOsservazione));
  zona_->setCurrentIndex(modello_.ScartoOsservazione);
  MostraStato();
}

void CoordinateView::AlModello() {
  std::string* testi[] = {&modello_.Text1, &modello_.Text2, &modello_.Text3,
                          &modello_.Text4, &modello_.Text5, &modello_.Text6,
                          &modello_.Text7, &modello_.Text8};
  for (std::size_t i = 0; i < testi_.size(); ++i) *testi[i] = testi_[i]->text().toStdString();
  modello_.Ovest = ovest_->isChecked();
  modello_.Sud = sud_->isChecked();
  modello_.DataOsservazione = dataOsservazione_->text().toStdString();
  modello_.OraOsservazione = oraOsservazione_->text().toStdString();
  modello_.ScartoOsservazione = zona_->currentIndex();
  MostraStato();
}

// Tonight's longitude, and the measurement with what "Usa" would put in the fields.
void CoordinateView::MostraMacchia() {
  const QDateTime mezzanotte = MezzanotteDiStanotte(orologio_());
  const std::optional<double> L = modello_.LongitudineMacchiaAl(GiornoGiulianoUT(mezzanotte));
  stanotte_->setText(L ? QString::fromUtf8("Longitudine della Macchia Rossa stanotte: %1°\n"
                                            "(alle 00:00 %2 %3%4)")
                             .arg(QString::number(*L, 'f', 1),
                                  mezzanotte.timeZoneAbbreviation(),
                                  QString::fromStdString(
                                      PrimaDelGiorno("del", mezzanotte.date().day())),
                                  mezzanotte.toString("dd/MM/yyyy"))
                       : QString::fromUtf8("Longitudine della Macchia Rossa stanotte: —\n"
                                           "(longitudine, deriva o data da correggere)"));
  const EsitoMisura esito = modello_.Misura();
  misura_->setText(QString::fromStdString(TestoMisura(esito)));
  usa_->setEnabled(esito.misura.has_value());
}

void CoordinateView::MostraStato() {
  stato_->setText(QString::fromStdString(modello_.Stato()));
  QPalette colori = palette();
  if (modello_.StatoErrore()) colori.setColor(QPalette::WindowText, QColor(192, 0, 0));
  stato_->setPalette(colori);
  MostraMacchia();
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
