#include "pianificatore/qt/finestra_eventi.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCompleter>
#include <QDateTimeEdit>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QScreen>
#include <QStyle>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "ephemeris/calendario.h"
#include "ephemeris/nomi_satelliti.h"
#include "ephemeris/numeri.h"
#include "pianificatore/esporta.h"
#include "pianificatore/notte.h"
#include "pianificatore/curva_luce.h"
#include "pianificatore/qt/grafico_curva.h"
#include "pianificatore/qt/grafico_notte.h"
#include "pianificatore/qt/modello_eventi.h"
#include "pianificatore/testi_eventi.h"
#include "settings/file_impostazioni.h"
#include "settings/impostazioni.h"

namespace mr {

namespace {

namespace fs = std::filesystem;
using namespace std::chrono;

QString Utf8(const char* s) { return QString::fromUtf8(s); }
QString Utf8(const std::string& s) { return QString::fromStdString(s); }

constexpr double kEpocaUnix = 2440587.5;  // JD of 1970-01-01 0h UT

double JdDi(sys_seconds t) { return kEpocaUnix + t.time_since_epoch().count() / 86400.0; }
sys_seconds IstanteDi(double jdUT) {
  return sys_seconds(seconds(std::llround((jdUT - kEpocaUnix) * 86400)));
}

// "12.50° E, 41.90° N", a point as the separator like every number of the program.
std::string TestoSito(const Sito& s) {
  return TestoDecimali(std::abs(s.longitudine), 2) + "\u00b0 " + (s.longitudine < 0 ? "O" : "E") +
         ", " + TestoDecimali(std::abs(s.latitudine), 2) + "\u00b0 " +
         (s.latitudine < 0 ? "S" : "N");
}

// "98.0°": the Red Spot's System II longitude at the start of the list.
std::string TestoMacchia(const ModelloMacchia& m, double jdUT) {
  return TestoDecimali(LongitudineMacchia(m, jdUT), 1) + "\u00b0";
}

// The file the user chose, with the suffix added when it has none.
QString ConSuffisso(QString file, const char* suffisso) {
  if (!file.isEmpty() && QFileInfo(file).suffix().isEmpty()) file += "." + Utf8(suffisso);
  return file;
}

}  // namespace

FinestraEventi::FinestraEventi(fs::path cartella, QWidget* genitore)
    : QWidget(genitore, Qt::Window), cartella_(std::move(cartella)), avvisi_(this) {
  setObjectName("Eventi");
  setWindowTitle(Utf8("Eventi - fenomeni dei satelliti di Giove e transiti della Macchia Rossa"));
  adesso = [] { return floor<seconds>(system_clock::now()); };
  const LetturaPreferenze lettura = LeggiPreferenze(cartella_);
  preferenze_ = LeggiPreferenzeEventi(lettura.preferenze);
  fuso_ = std::make_shared<FusoQt>(FusoDelPianificatore(preferenze_.fuso));
  inizio_ = JdDi(adesso());
  CreaControlli();
  MostraScelte();
  // As the observer left it, else as large as fits on the screen up to a size
  // that shows a week at a glance.
  if (preferenze_.geometria.empty() ||
      !restoreGeometry(QByteArray::fromBase64(QByteArray::fromStdString(preferenze_.geometria))))
    resize(Misura().boundedTo(screen()->availableGeometry().size() * 0.95));
}

// Every column with its usual texts side by side, a mutual event's
// description with the reason it is greyed the longest, in the table's font; tall enough for a week's
// rows and the night's chart.
QSize FinestraEventi::Misura() const {
  const QFontMetrics m(tabella_->font());
  QFont grassetto = tabella_->horizontalHeader()->font();
  grassetto.setBold(true);
  const QFontMetrics intestazione(grassetto);
  const char* campioni[][2] = {
      {"00/00/0000 00:00 CEST", "Ora locale"},
      {"00/00/0000 00:00", "Tempo universale"},
      {"1 O 2", "Sigla"},
      {"Ganimede occulta Callisto (parziale, calo 0,42 mag), Callisto nell'ombra di Giove",
       "Evento"},
      {"1 h 00 min", "Durata"},
      {"00\u00b0", "Alt. Giove"},
      {"Crepuscolo astronomico", "Cielo"},
  };
  // Each column's text or heading and the room a column adds (its margins,
  // the sort arrow), a vertical scroll bar and the table's frame.
  constexpr int kMargine = 24;
  int larghezza = 2 * tabella_->frameWidth() + style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  for (const auto& [testo, titolo] : campioni)
    larghezza += std::max(m.horizontalAdvance(Utf8(testo)), intestazione.horizontalAdvance(Utf8(titolo))) +
                 kMargine;
  const QMargins bordi = layout()->contentsMargins();
  return {larghezza + bordi.left() + bordi.right(), 780};
}

FinestraEventi::~FinestraEventi() = default;

// ---- controls ----------------------------------------------------------------

void FinestraEventi::CreaControlli() {
  auto* colonna = new QVBoxLayout(this);
  colonna->addWidget(CreaInizio());
  auto* scelte = new QHBoxLayout;
  scelte->addWidget(CreaGeneri());
  scelte->addWidget(CreaFiltro());
  scelte->addStretch();
  colonna->addLayout(scelte);

  modello_ = new ModelloEventi(this);
  tabella_ = new QTableView;
  tabella_->setObjectName("tabella");
  tabella_->setModel(modello_);
  tabella_->setSelectionBehavior(QAbstractItemView::SelectRows);
  tabella_->setSelectionMode(QAbstractItemView::SingleSelection);
  tabella_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  tabella_->setAlternatingRowColors(true);
  tabella_->setWordWrap(false);
  tabella_->verticalHeader()->hide();
  // Rows as tall as a line of text and a little air, so that a small screen
  // still shows a night's events.
  tabella_->verticalHeader()->setMinimumSectionSize(1);
  tabella_->verticalHeader()->setDefaultSectionSize(QFontMetrics(tabella_->font()).lineSpacing() + 6);
  QHeaderView* intestazione = tabella_->horizontalHeader();
  connect(intestazione, &QHeaderView::sectionResized, this, [this](int colonna) {
    if (colonna != ModelloEventi::Descrizione) AllargaDescrizione();
  });
  tabella_->viewport()->installEventFilter(this);
  // Sorted by time only: a click on another column sorts by time as well.
  tabella_->setSortingEnabled(true);
  tabella_->sortByColumn(ModelloEventi::OraLocale, Qt::AscendingOrder);
  connect(intestazione, &QHeaderView::sortIndicatorChanged, this,
          [intestazione](int colonna, Qt::SortOrder ordine) {
            if (colonna != ModelloEventi::OraLocale && colonna != ModelloEventi::TU)
              intestazione->setSortIndicator(ModelloEventi::OraLocale, ordine);
          });
  connect(tabella_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          &FinestraEventi::MostraScelto);
  connect(tabella_, &QTableView::doubleClicked, this, &FinestraEventi::DoppioClic);
  tabella_->setToolTip(Utf8("Doppio clic: la finestra principale mostra l'istante dell'evento"));

  // The night's chart, and beside it the chosen mutual event's light curve.
  grafico_ = new GraficoNotte;
  curva_ = new GraficoCurva;
  auto* grafici = new QSplitter(Qt::Horizontal);
  grafici->setObjectName("grafici");
  grafici->setChildrenCollapsible(false);
  grafici->addWidget(grafico_);
  grafici->addWidget(curva_);
  grafici->setStretchFactor(0, 3);
  grafici->setStretchFactor(1, 2);
  grafici->setSizes({3000, 2000});
  auto* divisore = new QSplitter(Qt::Vertical);
  divisore->setObjectName("divisore");
  divisore->setChildrenCollapsible(false);
  divisore->addWidget(tabella_);
  divisore->addWidget(grafici);
  divisore->setStretchFactor(0, 3);
  divisore->setStretchFactor(1, 2);
  colonna->addWidget(divisore, 1);
  colonna->addWidget(CreaPulsanti());
}

QWidget* FinestraEventi::CreaInizio() {
  auto* riga = new QWidget;
  auto* l = new QHBoxLayout(riga);
  l->setContentsMargins(0, 0, 0, 0);
  l->addWidget(new QLabel(Utf8("Dal")));
  inizioCampo_ = new QDateTimeEdit;
  inizioCampo_->setObjectName("inizio");
  inizioCampo_->setDisplayFormat("dd/MM/yyyy HH:mm");
  inizioCampo_->setTimeSpec(Qt::UTC);  // the zone's wall clock, converted by the window
  inizioCampo_->setDateRange(QDate(1600, 1, 2), QDate(2998, 12, 30));
  inizioCampo_->setCalendarPopup(true);
  inizioCampo_->setKeyboardTracking(false);
  inizioCampo_->setToolTip(Utf8("Inizio dell'elenco, ora locale del fuso orario scelto"));
  connect(inizioCampo_, &QDateTimeEdit::dateTimeChanged, this, [this] {
    if (!aggiornando_) InizioModificato();
  });
  l->addWidget(inizioCampo_);
  siglaInizio_ = new QLabel;
  siglaInizio_->setObjectName("siglaInizio");
  l->addWidget(siglaInizio_);
  auto* daAdesso = new QPushButton(Utf8("Da adesso"));
  daAdesso->setObjectName("daAdesso");
  daAdesso->setAutoDefault(false);
  connect(daAdesso, &QPushButton::clicked, this, &FinestraEventi::DaAdesso);
  l->addWidget(daAdesso);
  l->addSpacing(16);
  l->addWidget(new QLabel(Utf8("per")));
  giorni_ = new QSpinBox;
  giorni_->setObjectName("giorni");
  giorni_->setRange(1, 366);
  giorni_->setKeyboardTracking(false);
  connect(giorni_, &QSpinBox::valueChanged, this, [this] {
    if (!aggiornando_) LeggiScelte();
  });
  l->addWidget(giorni_);
  l->addWidget(new QLabel(Utf8("giorni")));
  l->addStretch();
  l->addWidget(new QLabel(Utf8("Fuso orario")));
  fusoCampo_ = new QComboBox;
  fusoCampo_->setObjectName("fuso");
  fusoCampo_->setEditable(true);
  fusoCampo_->setInsertPolicy(QComboBox::NoInsert);
  for (const std::string& nome : NomiFusi()) fusoCampo_->addItem(Utf8(nome));
  fusoCampo_->setMinimumContentsLength(16);
  fusoCampo_->completer()->setCaseSensitivity(Qt::CaseInsensitive);
  fusoCampo_->completer()->setFilterMode(Qt::MatchContains);
  fusoCampo_->setToolTip(Utf8("Fuso orario delle ore locali (IANA, per esempio Europe/Rome)"));
  connect(fusoCampo_, &QComboBox::textActivated, this, [this](const QString& nome) {
    if (!aggiornando_) ScegliFuso(nome);
  });
  connect(fusoCampo_->lineEdit(), &QLineEdit::editingFinished, this, [this] {
    if (!aggiornando_) ScegliFuso(fusoCampo_->currentText());
  });
  l->addWidget(fusoCampo_);
  return riga;
}

QWidget* FinestraEventi::CreaGeneri() {
  auto* riga = new QWidget;
  auto* l = new QHBoxLayout(riga);
  l->setContentsMargins(0, 0, 0, 0);
  // Kinds and satellites in rows of two.
  const auto gruppo = [&](const char* titolo, auto nomi, int perRiga, const char* prefisso,
                          std::vector<QCheckBox*>& caselle) {
    auto* g = new QGroupBox(Utf8(titolo));
    auto* griglia = new QGridLayout(g);
    int i = 0;
    for (const char* nome : nomi) {
      auto* c = new QCheckBox(Utf8(nome));
      c->setObjectName(QString("%1%2").arg(prefisso).arg(i));
      connect(c, &QCheckBox::toggled, this, [this] {
        if (!aggiornando_) LeggiScelte();
      });
      griglia->addWidget(c, i / perRiga, i % perRiga);
      caselle.push_back(c);
      ++i;
    }
    l->addWidget(g);
  };
  std::vector<const char*> generi, satelliti;
  for (Genere g : Generi) generi.push_back(NomeGenere(g));
  for (const NomeSatellite& s : NomiSatelliti) satelliti.push_back(s.nome);
  gruppo("Fenomeni", generi, 2, "genere", generi_);
  gruppo("Satelliti", satelliti, 2, "satellite", satelliti_);
  return riga;
}

QWidget* FinestraEventi::CreaFiltro() {
  auto* gruppo = new QGroupBox(Utf8("Filtro"));
  auto* griglia = new QGridLayout(gruppo);
  soloOsservabili_ = new QCheckBox(Utf8("Solo eventi osservabili"));
  soloOsservabili_->setObjectName("soloOsservabili");
  soloOsservabili_->setToolTip(
      Utf8("Senza filtro gli eventi che non si possono osservare restano in grigio"));
  connect(soloOsservabili_, &QCheckBox::toggled, this, [this] {
    if (!aggiornando_) LeggiScelte();
  });
  griglia->addWidget(soloOsservabili_, 0, 0, 1, 2);
  auto* etichetta = new QLabel(Utf8("Giove almeno a"));
  etichetta->setToolTip(Utf8("Altezza minima di Giove sull'orizzonte"));
  griglia->addWidget(etichetta, 1, 0);
  altezzaMinima_ = new QSpinBox;
  altezzaMinima_->setObjectName("altezzaMinima");
  altezzaMinima_->setRange(0, 90);
  altezzaMinima_->setSuffix(Utf8("\u00b0"));
  altezzaMinima_->setKeyboardTracking(false);
  connect(altezzaMinima_, &QSpinBox::valueChanged, this, [this] {
    if (!aggiornando_) LeggiScelte();
  });
  griglia->addWidget(altezzaMinima_, 1, 1, Qt::AlignLeft);
  griglia->addWidget(new QLabel(Utf8("Cielo")), 2, 0);
  cielo_ = new QComboBox;
  cielo_->setObjectName("cielo");
  for (Cielo c : Cieli) cielo_->addItem(Utf8(NomeSceltaCielo(c)));
  cielo_->setToolTip(Utf8("Notte: Sole sotto -18°; crepuscolo astronomico: sotto -12°; "
                          "nautico: sotto -6°; civile: sotto l'orizzonte"));
  connect(cielo_, &QComboBox::currentIndexChanged, this, [this] {
    if (!aggiornando_) LeggiScelte();
  });
  griglia->addWidget(cielo_, 2, 1);
  return gruppo;
}

QWidget* FinestraEventi::CreaPulsanti() {
  auto* riga = new QWidget;
  auto* l = new QHBoxLayout(riga);
  l->setContentsMargins(0, 0, 0, 0);
  stato_ = new QLabel;
  stato_->setObjectName("stato");
  stato_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  stato_->setWordWrap(true);
  l->addWidget(stato_, 1);
  const auto pulsante = [&](const char* nome, const char* testo, void (FinestraEventi::*azione)()) {
    auto* b = new QPushButton(Utf8(testo));
    b->setObjectName(nome);
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, azione);
    l->addWidget(b);
    return b;
  };
  esportazioni_ = {pulsante("esportaCsv", "Esporta CSV", &FinestraEventi::EsportaCsv_Click),
                   pulsante("esportaICalendar", "Esporta iCalendar",
                            &FinestraEventi::EsportaICalendar_Click),
                   pulsante("stampa", "Stampa / PDF", &FinestraEventi::Stampa_Click)};
  auto* chiudi = new QPushButton(Utf8("Chiudi"));
  chiudi->setObjectName("chiudi");
  chiudi->setAutoDefault(false);
  connect(chiudi, &QPushButton::clicked, this, &QWidget::close);
  l->addWidget(chiudi);
  return riga;
}

// The choices into the controls.
void FinestraEventi::MostraScelte() {
  aggiornando_ = true;
  const SceltaEventi& s = preferenze_.scelta;
  for (std::size_t i = 0; i < generi_.size(); ++i) generi_[i]->setChecked(s.generi[i]);
  for (std::size_t i = 0; i < satelliti_.size(); ++i) satelliti_[i]->setChecked(s.satelliti[i]);
  giorni_->setValue(s.giorni);
  soloOsservabili_->setChecked(s.soloOsservabili);
  altezzaMinima_->setValue(static_cast<int>(std::lround(s.altezzaMinima)));
  cielo_->setCurrentIndex(static_cast<int>(s.cielo));
  fusoCampo_->setEditText(Utf8(fuso_->Nome()));
  if (const std::optional<OraLocale> o = fuso_->Locale(MinutoPiuVicino(inizio_))) {
    inizioCampo_->setDateTime(
        QDateTime(QDate(o->anno, o->mese, o->giorno), QTime(o->ore, o->minuti), Qt::UTC));
    siglaInizio_->setText(Utf8(o->sigla));
  }
  aggiornando_ = false;
}

// ---- choices ----------------------------------------------------------------

void FinestraEventi::LeggiScelte() {
  SceltaEventi& s = preferenze_.scelta;
  for (std::size_t i = 0; i < generi_.size(); ++i) s.generi[i] = generi_[i]->isChecked();
  for (std::size_t i = 0; i < satelliti_.size(); ++i) s.satelliti[i] = satelliti_[i]->isChecked();
  s.giorni = giorni_->value();
  s.soloOsservabili = soloOsservabili_->isChecked();
  s.altezzaMinima = altezzaMinima_->value();
  s.cielo = Cieli[std::clamp<std::size_t>(cielo_->currentIndex(), 0, Cieli.size() - 1)];
  Ricorda();
  Calcola();
}

// A choice that cannot be stored still holds for this session; the notice says why.
void FinestraEventi::Ricorda() {
  if (const std::optional<ErroreFile> errore = AggiornaPreferenze(cartella_, PreferenzeDi(preferenze_)))
    Avviso(Utf8(TestoErrore(*errore)));
}

void FinestraEventi::ScegliFuso(const QString& nome) {
  if (nome == Utf8(fuso_->Nome())) return;
  auto fuso = std::make_shared<FusoQt>(nome.trimmed().toStdString());
  if (!fuso->Valido()) {
    Avviso(Utf8("Fuso orario sconosciuto: \"") + nome +
           Utf8("\". Scegline uno dall'elenco, per esempio Europe/Rome."));
    MostraScelte();
    return;
  }
  fuso_ = std::move(fuso);
  preferenze_.fuso = fuso_->Nome();
  Ricorda();
  MostraScelte();
  MostraRighe();
}

void FinestraEventi::InizioModificato() {
  const QDateTime t = inizioCampo_->dateTime();
  const std::optional<double> jd =
      IstanteLocale(*fuso_, t.date().year(), t.date().month(), t.date().day(),
                    t.time().hour() + t.time().minute() / 60.0);
  if (!jd) return;
  ImpostaInizio(*jd);
}

void FinestraEventi::DaAdesso() { ImpostaInizio(JdDi(adesso())); }

void FinestraEventi::ImpostaInizio(double jdUT) {
  inizio_ = jdUT;
  MostraScelte();
  Calcola();
}

void FinestraEventi::Mostra(std::optional<double> inizioUT) {
  if (!isVisible()) {
    ImpostaInizio(inizioUT.value_or(JdDi(adesso())));
    show();
  }
  raise();
  activateWindow();
}

// ---- the list -----------------------------------------------------------------

void FinestraEventi::Calcola() {
  const Impostazioni imp = LeggiImp(cartella_).imp;
  const Calcolo c{inizio_, preferenze_.scelta.giorni, SitoDi(imp), ModelloMacchiaDi(imp),
                  imp.deltaT};
  if (calcolo_ != c) {
    RicercaEventi r = CercaEventi(c.inizio, c.giorni, c.deltaT, c.sito, c.macchia);
    RicercaMutui m = CercaMutui(c.inizio, c.giorni, c.deltaT, c.sito);
    fuoriIntervallo_ = r.esito != EsitoEventi::Calcolati;
    eventi_ = std::move(r.eventi);
    mutui_ = std::move(m.eventi);
    calcolo_ = c;
  }
  MostraRighe();
}

void FinestraEventi::MostraRighe() {
  if (!calcolo_) return;
  // The chosen event stays chosen when it is still listed.
  const QModelIndex attuale = tabella_->currentIndex();
  const QVariant scelto = attuale.isValid() ? attuale.data(ModelloEventi::RuoloIstante) : QVariant();
  modello_->Imposta(RighePiano(eventi_, preferenze_.scelta, mutui_), fuso_);
  AdattaColonne();
  curva_->setVisible(preferenze_.scelta.generi[static_cast<std::size_t>(Genere::Mutui)]);
  int riga = modello_->rowCount() > 0 ? 0 : -1;
  for (int r = 0; scelto.isValid() && r < modello_->rowCount(); ++r)
    if (modello_->index(r, 0).data(ModelloEventi::RuoloIstante) == scelto) riga = r;
  if (riga >= 0)
    tabella_->setCurrentIndex(modello_->index(riga, 0));
  else
    MostraScelto();

  const std::size_t n = modello_->Righe().size();
  for (QPushButton* b : esportazioni_) b->setEnabled(n > 0);
  const Calcolo& c = *calcolo_;
  const std::string quanti = fuoriIntervallo_ ? "Date fuori dall'intervallo 1600-2999: nessun calcolo"
                             : n == 1         ? "1 evento"
                                              : std::to_string(n) + " eventi";
  stato_->setText(Utf8(quanti + " \u00b7 osservatore " + TestoSito(c.sito) +
                       " \u00b7 Macchia Rossa a " + TestoMacchia(c.macchia, c.inizio) +
                       " (sistema II)"));
}

// The columns beside the description as wide as their headings and texts;
// the description the width left, and never narrower than its longest text:
// in a narrow window the table scrolls sideways rather than cut the
// descriptions an observer reads.
void FinestraEventi::AdattaColonne() {
  tabella_->resizeColumnToContents(ModelloEventi::Descrizione);
  larghezzaDescrizioni_ = tabella_->columnWidth(ModelloEventi::Descrizione);
  // Each resized column gives the description its width again.
  for (int c = 0; c < ModelloEventi::NumeroColonne; ++c)
    if (c != ModelloEventi::Descrizione) tabella_->resizeColumnToContents(c);
  AllargaDescrizione();
}

void FinestraEventi::AllargaDescrizione() {
  const QHeaderView* intestazione = tabella_->horizontalHeader();
  int altre = 0;
  for (int c = 0; c < ModelloEventi::NumeroColonne; ++c)
    if (c != ModelloEventi::Descrizione) altre += intestazione->sectionSize(c);
  tabella_->setColumnWidth(ModelloEventi::Descrizione,
                           std::max(tabella_->viewport()->width() - altre, larghezzaDescrizioni_));
}

bool FinestraEventi::eventFilter(QObject* oggetto, QEvent* evento) {
  if (oggetto == tabella_->viewport() && evento->type() == QEvent::Resize) AllargaDescrizione();
  return QWidget::eventFilter(oggetto, evento);
}

void FinestraEventi::MostraScelto() {
  MostraNotte();
  MostraCurva();
}

void FinestraEventi::MostraCurva() {
  const QModelIndex i = tabella_->currentIndex();
  const RigaPiano* riga =
      i.isValid() ? &modello_->Righe()[static_cast<std::size_t>(i.row())] : nullptr;
  const EventoMutuo* m = riga ? riga->Mutuo() : nullptr;
  curva_->Imposta(m && calcolo_ ? CurvaDellEvento(*m, calcolo_->deltaT) : std::nullopt, fuso_);
}

void FinestraEventi::MostraNotte() {
  if (!calcolo_) return;
  const QModelIndex i = tabella_->currentIndex();
  const double istante = i.isValid() ? i.data(ModelloEventi::RuoloIstante).toDouble() : inizio_;
  std::optional<Notte> notte = NotteDi(istante, *fuso_, calcolo_->sito, calcolo_->deltaT);
  const std::string titolo =
      notte ? TitoloNotte(*notte) + " (ore locali, " + fuso_->Nome() + ")" : "";
  grafico_->Imposta(std::move(notte), modello_->Righe(),
                    {.altezzaMinima = preferenze_.scelta.altezzaMinima,
                     .titolo = titolo,
                     .scelto = i.isValid() ? std::optional<double>(istante) : std::nullopt});
}

void FinestraEventi::DoppioClic(const QModelIndex& indice) {
  if (!indice.isValid() || !alDoppioClic) return;
  alDoppioClic(IstanteDi(MinutoPiuVicino(indice.data(ModelloEventi::RuoloIstante).toDouble())));
}

// ---- exports ------------------------------------------------------------------

bool FinestraEventi::Scrivi(const QString& file, const QByteArray& contenuto) {
  const fs::path percorso(QFile::encodeName(file).toStdString());
  std::optional<ErroreFile> errore =
      SostituisciPercorso(percorso, std::string_view(contenuto.constData(), contenuto.size()));
  if (!errore) return true;
  errore->file = QDir::toNativeSeparators(file).toStdString();
  Avviso(Utf8(TestoErrore(*errore)));
  return false;
}

bool FinestraEventi::EsportaCsv(const QString& file) {
  const std::vector<RigaPiano> righe = OrdinaPerTempo(modello_->Righe(), true);
  return Scrivi(file, QByteArray::fromStdString(TestoCsv(righe, *fuso_)));
}

bool FinestraEventi::EsportaICalendar(const QString& file) {
  const std::vector<RigaPiano> righe = OrdinaPerTempo(modello_->Righe(), true);
  return Scrivi(file, QByteArray::fromStdString(TestoICalendar(righe, *fuso_, JdDi(adesso()))));
}

DatiStampa FinestraEventi::Stampa() const {
  const Calcolo c = calcolo_.value_or(Calcolo{});
  const int giorni = c.giorni;
  const std::optional<OraLocale> inizio = fuso_->Locale(MinutoPiuVicino(c.inizio));
  return {.titolo = "Fenomeni di Giove " + PrimaDelGiorno("dal", inizio ? inizio->giorno : 0) +
                    TestoOraLocale(*fuso_, c.inizio) + " per " +
                    std::to_string(giorni) + (giorni == 1 ? " giorno" : " giorni"),
          .intestazione = "Osservatore " + TestoSito(c.sito) +
                          " \u00b7 Macchia Rossa a " + TestoMacchia(c.macchia, c.inizio) +
                          " (sistema II) \u00b7 fuso orario " +
                          fuso_->Nome(),
          .righe = OrdinaPerTempo(modello_->Righe(), true),
          .fuso = fuso_,
          .sito = c.sito,
          .deltaT = c.deltaT,
          .altezzaMinima = preferenze_.scelta.altezzaMinima};
}

bool FinestraEventi::EsportaPdf(const QString& file) {
  const std::optional<QByteArray> pdf = PdfDelPiano(Stampa(), {});
  return pdf && Scrivi(file, *pdf);
}

namespace {

// A place to suggest for a file: the user's documents, with the name given.
QString Proposta(const char* nome) {
  return QDir(QDir::homePath()).filePath(Utf8(nome));
}

}  // namespace

void FinestraEventi::EsportaCsv_Click() {
  const QString file = ConSuffisso(
      QFileDialog::getSaveFileName(this, Utf8("Esporta CSV"), Proposta("eventi_giove.csv"),
                                   Utf8("Tabelle CSV (*.csv)")),
      "csv");
  if (!file.isEmpty()) EsportaCsv(file);
}

void FinestraEventi::EsportaICalendar_Click() {
  const QString file = ConSuffisso(
      QFileDialog::getSaveFileName(this, Utf8("Esporta iCalendar"), Proposta("eventi_giove.ics"),
                                   Utf8("Calendari iCalendar (*.ics)")),
      "ics");
  if (!file.isEmpty()) EsportaICalendar(file);
}

// Through the print dialog, to a printer or to a PDF file (written whole or
// not at all); a long list shows its progress and can be stopped.
void FinestraEventi::Stampa_Click() {
  QPrinter stampante;
  stampante.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
  stampante.setDocName(Utf8("Eventi di Giove"));
  stampante.setOutputFileName(Proposta("eventi_giove.pdf"));
  QPrintDialog dialogo(&stampante, this);
  dialogo.setWindowTitle(Utf8("Stampa / PDF"));
  if (dialogo.exec() != QDialog::Accepted) return;

  const DatiStampa dati = Stampa();
  QProgressDialog avanzamento(Utf8("Preparazione delle pagine..."), Utf8("Annulla"), 0, 1, this);
  avanzamento.setWindowModality(Qt::WindowModal);
  avanzamento.setMinimumDuration(300);
  const Progresso progresso = [&avanzamento](int fatte, int totale) {
    avanzamento.setMaximum(totale);
    avanzamento.setValue(fatte);
    return !avanzamento.wasCanceled();
  };
  const QString file = stampante.outputFileName();
  if (stampante.outputFormat() == QPrinter::PdfFormat && !file.isEmpty()) {
    if (const std::optional<QByteArray> pdf = PdfDelPiano(dati, progresso, stampante.pageLayout()))
      Scrivi(ConSuffisso(file, "pdf"), *pdf);
    return;
  }
  DipingiPiano(stampante, dati, progresso);
}

void FinestraEventi::Avviso(const QString& testo) { avvisi_.Avviso(testo.toStdString()); }

void FinestraEventi::closeEvent(QCloseEvent* e) {
  preferenze_.geometria = saveGeometry().toBase64().toStdString();
  Ricorda();
  QWidget::closeEvent(e);
}

}  // namespace mr
