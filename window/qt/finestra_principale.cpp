#include "window/qt/finestra_principale.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <algorithm>
#include <cmath>
#include <string_view>

#include "pianificatore/qt/finestra_eventi.h"
#include "settings/file_impostazioni.h"
#include "settings/preferenze.h"
#include "settings/qt/coordinate_view.h"
#include "ephemeris/nomi_satelliti.h"
#include "window/qt/aspetto.h"
#include "window/qt/informazioni.h"
#include "window/qt/pannello_satelliti.h"
#include "window/qt/tela_qpainter.h"
#include "window/qt/visione_notturna.h"
#include "window/qt/vista_zorva.h"

namespace mr {

namespace {

QString Utf8(const char* s) { return QString::fromUtf8(s); }

// A caption on one line that the design box cannot hold in this font widens
// its control to the right rather than being cut.
void AllargaAlTesto(QWidget* w) {
  const int larghezza = w->sizeHint().width();
  if (larghezza > w->width()) w->resize(larghezza, w->height());
}

std::filesystem::path CartellaDiLavoro(std::filesystem::path cartella) {
  if (!cartella.empty()) return cartella;
  return std::filesystem::path(QDir::currentPath().toStdString());
}

// The speed scroll bar shows 100 at its top: its own value runs from 1 at
// the top to 100 at the bottom, and the speed is 101 minus that value.
int ValoreBarra(int velocita) { return 101 - std::clamp(velocita, 1, 100); }

constexpr const char* ChiaveAltaPrecisione = "Effemeridi/altaPrecisione";

// What the picture and the panel were computed with, for their tooltips.
QString TestoEffemeride(bool precisa) {
  return Utf8(precisa ? "Effemeridi di alta precisione" : "Effemeridi semplificate");
}

}  // namespace

// ---- surroundings of the model ------------------------------------------

namespace {

void Mostra(QMessageBox* box) {
  box->show();
  box->raise();
  box->activateWindow();
}

}  // namespace

void AmbienteQt::Avviso(const std::string& testo) {
  const QString t = QString::fromStdString(testo);
  QPointer<QMessageBox>& box = aperti_[t];
  if (box) {
    Mostra(box);
    return;
  }
  box = new QMessageBox(QMessageBox::Information, Utf8("Macchia Rossa"), t, QMessageBox::Ok,
                        genitore_);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->setModal(false);
  // The notices of the start-up come while the window is being shown: they
  // are shown after it, so that they stand above it.
  const QWindow* finestra = genitore_->windowHandle();
  if (finestra && finestra->isVisible())
    Mostra(box);
  else
    QTimer::singleShot(0, box, [b = box.data()] { Mostra(b); });
}

// ---- construction ---------------------------------------------------------

FinestraPrincipale::FinestraPrincipale(std::filesystem::path cartella, QWidget* genitore)
    : QMainWindow(genitore),
      ambiente_(this),
      modello_(CartellaDiLavoro(cartella), ambiente_),
      cartella_(CartellaDiLavoro(cartella)) {
  setObjectName("MacchiaRossa");
  setWindowTitle(Utf8("Zorva: Macchia Rossa - Ombre, eclissi, occultazioni e transiti dei "
                      "satelliti galileiani (Tarbeni)"));
  setFont(FontFinestra());
  // The view as the observer left it.
  LetturaPreferenze preferenze = LeggiPreferenze(cartella_);
  if (preferenze.errore) ambiente_.Avviso(TestoErrore(*preferenze.errore));
  vista_ = LeggiVista(preferenze.preferenze);
  modello_.AltaPrecisione = preferenze.preferenze.Booleano(ChiaveAltaPrecisione, false);
  CreaMenu();
  CreaControlli();
  ImpostaVisioneNotturna(vista_.visioneNotturna);
  MostraOrientamento();
  // The design's area under a menu bar as high as the style makes it, which
  // night vision changes.
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  // Just below the satellite panel, which has its own place on the screen.
  move(5535 / 15, (555 + 1725) / 15 + 40);

  fotogrammi_.setSingleShot(true);
  fotogrammi_.setTimerType(Qt::PreciseTimer);
  connect(&fotogrammi_, &QTimer::timeout, this, &FinestraPrincipale::ProssimoFotogramma);
  Aggiorna();
}

FinestraPrincipale::~FinestraPrincipale() {
  if (animazione_) QApplication::restoreOverrideCursor();
}

void FinestraPrincipale::CreaMenu() {
  QMenu* mFile = menuBar()->addMenu(Utf8("&File"));
  mFile->setObjectName("mFile");
  QAction* mEsci = mFile->addAction(Utf8("Esci"));
  mEsci->setObjectName("mEsci");
  connect(mEsci, &QAction::triggered, this, &FinestraPrincipale::Esci);

  QMenu* mImpostazioni = menuBar()->addMenu(Utf8("&Impostazioni"));
  mImpostazioni->setObjectName("mImpostazioni");
  mCoordinate_ = mImpostazioni->addAction(Utf8("Osservatore - GMR - Delta T"));
  mCoordinate_->setObjectName("mCoordinate");
  connect(mCoordinate_, &QAction::triggered, this, &FinestraPrincipale::MostraCoordinate);
  CreaMenuVista(mImpostazioni);
  CreaMenuPrecisione(mImpostazioni);

  QAction* mSatelliti = menuBar()->addAction(Utf8("&Satelliti"));
  mSatelliti->setObjectName("mSatelliti");
  connect(mSatelliti, &QAction::triggered, this,
          [this] { Esegui([this] { modello_.mSatelliti_Click(); }); });

  QAction* mEventi = menuBar()->addAction(Utf8("E&venti"));
  mEventi->setObjectName("mEventi");
  connect(mEventi, &QAction::triggered, this, &FinestraPrincipale::MostraEventi);

  QAction* mInformazioni = menuBar()->addAction(Utf8("I&nformazioni"));
  mInformazioni->setObjectName("mInformazioni");
  connect(mInformazioni, &QAction::triggered, this,
          [this] { MostraInformazioni(this, cartella_); });
}

void FinestraPrincipale::CreaMenuVista(QMenu* mImpostazioni) {
  mImpostazioni->addSeparator();
  QMenu* mOrientamento = mImpostazioni->addMenu(Utf8("Orientamento"));
  mOrientamento->setObjectName("mOrientamento");
  auto* gruppo = new QActionGroup(mOrientamento);
  for (Orientamento o : Orientamenti) {
    const std::string_view nome = NomeOrientamento(o), chiave = ChiaveOrientamento(o);
    QAction* a = mOrientamento->addAction(QString::fromUtf8(nome.data(), nome.size()));
    a->setObjectName("mOrientamento_" + QString::fromUtf8(chiave.data(), chiave.size()));
    a->setCheckable(true);
    gruppo->addAction(a);
    connect(a, &QAction::triggered, this, [this, o] { ScegliOrientamento(o); });
    mOrientamento_[o] = a;
  }
  // Ctrl+N works from every window of the program: at the eyepiece the one
  // in front may be the satellite panel.
  mVisioneNotturna_ = mImpostazioni->addAction(Utf8("Visione notturna"));
  mVisioneNotturna_->setObjectName("mVisioneNotturna");
  mVisioneNotturna_->setCheckable(true);
  mVisioneNotturna_->setChecked(vista_.visioneNotturna);
  mVisioneNotturna_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
  mVisioneNotturna_->setShortcutContext(Qt::ApplicationShortcut);
  connect(mVisioneNotturna_, &QAction::triggered, this, &FinestraPrincipale::ScegliVisioneNotturna);
}

void FinestraPrincipale::CreaMenuPrecisione(QMenu* mImpostazioni) {
  mImpostazioni->addSeparator();
  mAltaPrecisione_ = mImpostazioni->addAction(Utf8("Effemeridi di alta precisione"));
  mAltaPrecisione_->setObjectName("mAltaPrecisione");
  mAltaPrecisione_->setCheckable(true);
  mAltaPrecisione_->setChecked(modello_.AltaPrecisione);
  connect(mAltaPrecisione_, &QAction::triggered, this, &FinestraPrincipale::ScegliAltaPrecisione);
}

void FinestraPrincipale::CreaControlli() {
  auto* area = new QWidget(this);
  area->setObjectName("area");
  area->setFixedSize(9510 / 15, 6540 / 15);
  setCentralWidget(area);
  CreaEtichette(area);
  CreaCampiData(area);
  CreaCampiTesto(area);
  CreaPulsanti(area);
  CreaZona(area);
  CreaCaselle(area);
  CreaVelocita(area);

  zorva_ = new VistaZorva(modello_, area);
  zorva_->setGeometry(Twip(3120, 1800, 3375, 3135));
  zorva_->alClic = [this] {
    if (!animazione_) Esegui([this] { modello_.Zorva_Click(); });
  };
  zorva_->alDoppioClic = [this] {
    if (!animazione_) Esegui([this] { modello_.Zorva_DblClick(); });
  };
  CreaMarche(area);
}

void FinestraPrincipale::CreaEtichette(QWidget* area) {
  struct Voce {
    const char* nome;
    const char* testo;
    QRect posizione;  // empty size: as large as the text
    QColor colore;
  };
  const QColor blu(0, 0, 255), rosso(255, 0, 0), verde(0, 128, 0), magenta(192, 0, 192),
      viola(128, 0, 128);
  const Voce voci[] = {
      {"Label2", "Giorno", Twip(840, 120, 0, 0), blu},
      {"Label3", "Mese", Twip(2640, 120, 0, 0), blu},
      {"Label4", "Anno", Twip(4440, 120, 0, 0), blu},
      {"Label5", "Ore", Twip(6240, 120, 0, 0), rosso},
      {"Label6", "Minuti", Twip(7800, 120, 0, 0), rosso},
      {"Label1", "Longitudine della M.R.(II)", Twip(480, 1080, 975, 495), verde},
      {"Label11", "Longitudine del M.C.(II)", Twip(1680, 1080, 855, 495), verde},
      {"Label9", "Diametro angolare (\") / De (°)", Twip(480, 2040, 2175, 255), magenta},
      {"Label10", "Sorge (hh:mm)", Twip(600, 3000, 1215, 255), viola},
      {"Label12", "Culmina (hh:mm)", Twip(480, 3480, 1215, 255), viola},
      {"Label13", "Tramonta (hh:mm)", Twip(360, 3960, 1335, 255), viola},
      {"Label8", "Velocità animazione", Twip(8280, 3960, 855, 375), QColor(128, 64, 0)},
      {"Label7", "Polo   N", Twip(4440, 1440, 735, 255), QColor(128, 0, 0)},
  };
  for (const Voce& v : voci) {
    auto* l = new QLabel(Utf8(v.testo), area);
    l->setObjectName(v.nome);
    ImpostaColore(l, QPalette::WindowText, v.colore);
    if (v.posizione.isEmpty()) {
      l->move(v.posizione.topLeft());
      l->adjustSize();
    } else {
      l->setGeometry(v.posizione);
      l->setWordWrap(v.posizione.height() > 20);
      if (!l->wordWrap()) AllargaAlTesto(l);
    }
    if (std::string_view(v.nome) == "Label8") {
      l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
      l->setToolTip(Utf8("Per variare la velocità dell'animazione"));
    }
    if (std::string_view(v.nome) == "Label7") polo_ = l;
  }
}

// The directions on the sky beside the picture's limbs, at the equator's height.
void FinestraPrincipale::CreaMarche(QWidget* area) {
  const QRect z = zorva_->geometry();
  const int equatore = z.top() + z.height() * 129 / 255;
  const QRect posizioni[2] = {QRect(z.left() - 18, equatore - 8, 16, 17),
                              QRect(z.right() + 3, equatore - 8, 16, 17)};
  const char* nomi[2] = {"MarcaSinistra", "MarcaDestra"};
  for (int k = 0; k < 2; ++k) {
    auto* l = new QLabel(area);
    l->setObjectName(nomi[k]);
    l->setGeometry(posizioni[k]);
    l->setAlignment((k == 0 ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    l->setToolTip(Utf8("Direzione sul cielo: E est, O ovest"));
    ImpostaColore(l, QPalette::WindowText, QColor(128, 0, 0));
    marche_[k] = l;
  }
}

void FinestraPrincipale::CreaCampiData(QWidget* area) {
  struct Voce {
    const char* nome;
    Campo MacchiaRossa::*campo;
    int x;
    int primo, ultimo, passo;
  };
  // The years from 1998 to ten years after the present one.
  const int ultimoAnno = QDate::currentDate().year() + 10;
  const Voce voci[] = {
      {"Giorno", &MacchiaRossa::Giorno, 600, 1, 31, 1},
      {"Mese", &MacchiaRossa::Mese, 2400, 1, 12, 1},
      {"Anno", &MacchiaRossa::Anno, 4200, 1998, ultimoAnno, 1},
      {"Ore", &MacchiaRossa::Ore, 6000, 0, 23, 1},
      {"Minuti", &MacchiaRossa::Minuti, 7800, 0, 55, 5},
  };
  for (const Voce& v : voci) {
    auto* c = new QComboBox(area);
    c->setObjectName(v.nome);
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->setCompleter(nullptr);
    for (int n = v.primo; n <= v.ultimo; n += v.passo) c->addItem(QString::number(n));
    c->setCurrentIndex(-1);
    c->setGeometry(Twip(v.x, 480, 975, 315));
    Campo MacchiaRossa::*campo = v.campo;
    connect(c, &QComboBox::editTextChanged, this, [this, campo](const QString& testo) {
      if (!aggiornando_) (modello_.*campo).Text = testo.toStdString();
    });
    campiData_.push_back({c, campo});
    fermiDurante_.push_back(c);
  }
}

void FinestraPrincipale::CreaCampiTesto(QWidget* area) {
  // Their tooltips are the model's.
  struct Voce {
    const char* nome;
    Campo MacchiaRossa::*campo;
    QRect posizione;
  };
  const Voce voci[] = {
      {"Longitudine", &MacchiaRossa::Longitudine, Twip(600, 1560, 615, 375)},
      {"MC", &MacchiaRossa::MC, Twip(1800, 1560, 615, 375)},
      {"DiametroA", &MacchiaRossa::DiametroA, Twip(600, 2280, 615, 375)},
      {"De", &MacchiaRossa::De, Twip(1800, 2280, 615, 375)},
      {"Sorgere", &MacchiaRossa::Sorgere, Twip(1800, 2880, 615, 375)},
      {"Culmine", &MacchiaRossa::Culmine, Twip(1800, 3360, 615, 375)},
      {"Tramonto", &MacchiaRossa::Tramonto, Twip(1800, 3840, 615, 375)},
      {"Massimo", &MacchiaRossa::Massimo, Twip(8400, 4440, 495, 285)},
  };
  for (const Voce& v : voci) {
    auto* e = new QLineEdit(area);
    e->setObjectName(v.nome);
    e->setGeometry(v.posizione);
    e->setTextMargins(0, 0, 0, 0);
    Campo MacchiaRossa::*campo = v.campo;
    connect(e, &QLineEdit::textEdited, this, [this, campo](const QString& testo) {
      if (!aggiornando_) (modello_.*campo).Text = testo.toStdString();
    });
    campiTesto_.push_back({e, campo});
    if (campo == &MacchiaRossa::Longitudine) fermiDurante_.push_back(e);
  }
}

QPushButton* FinestraPrincipale::Pulsante(QWidget* area, const char* nome, const char* testo,
                                          QRect posizione, const char* suggerimento) {
  auto* b = new QPushButton(Utf8(testo), area);
  b->setObjectName(Utf8(nome));
  b->setGeometry(posizione);
  if (*suggerimento) b->setToolTip(Utf8(suggerimento));
  b->setAutoDefault(false);
  return b;
}

void FinestraPrincipale::CreaPulsanti(QWidget* area) {
  struct Voce {
    const char* nome;
    const char* testo;
    QRect posizione;
    const char* suggerimento;
    void (MacchiaRossa::*gestore)();
  };
  const Voce voci[] = {
      {"Più", "+1", Twip(6720, 1920, 615, 375), "Incremento di 1 minuto",
       &MacchiaRossa::Piu_Click},
      {"Meno", "-1", Twip(6720, 2520, 615, 375), "Decremento di 1 minuto",
       &MacchiaRossa::Meno_Click},
      {"Più10", "+10", Twip(6720, 3840, 615, 375), "Incremento di 10 minuti",
       &MacchiaRossa::Piu10_Click},
      {"Meno10", "-10", Twip(6720, 4440, 615, 375), "Decremento di 10 minuti",
       &MacchiaRossa::Meno10_Click},
      {"Calcola", "Calcola", Twip(720, 5640, 1095, 495), "Calcola per la data fissata",
       &MacchiaRossa::Calcola_Click},
      {"TReale", "Tempo reale", Twip(6120, 5640, 1095, 495), "Calcola per quest'istante",
       &MacchiaRossa::TReale_Click},
  };
  for (const Voce& v : voci) {
    QPushButton* b = Pulsante(area, v.nome, v.testo, v.posizione, v.suggerimento);
    auto gestore = v.gestore;
    connect(b, &QPushButton::clicked, this,
            [this, gestore] { Esegui([this, gestore] { (modello_.*gestore)(); }); });
    fermiDurante_.push_back(b);
  }
  rotazione_ = Pulsante(area, "Rotazione", "Animazione", Twip(2520, 5640, 1095, 495),
                        "Simula la rivoluzione dei satelliti e la rotazione di Zorva");
  connect(rotazione_, &QPushButton::clicked, this, &FinestraPrincipale::Rotazione_Click);
  QPushButton* chiudi = Pulsante(area, "Chiudi", "Chiudi", Twip(7800, 5640, 1095, 495), "");
  connect(chiudi, &QPushButton::clicked, this, &FinestraPrincipale::Esci);
}

void FinestraPrincipale::CreaZona(QWidget* area) {
  auto* gruppo = new QButtonGroup(area);
  const auto opzione = [&](const char* nome, const char* testo, QRect posizione,
                           const char* suggerimento) {
    auto* r = new QRadioButton(Utf8(testo), area);
    r->setObjectName(nome);
    r->setGeometry(posizione);
    AllargaAlTesto(r);
    if (*suggerimento) r->setToolTip(Utf8(suggerimento));
    ImpostaColore(r, QPalette::WindowText, QColor(192, 0, 192));
    gruppo->addButton(r);
    fermiDurante_.push_back(r);
    return r;
  };
  oe_ = opzione("OE", "Ora Estiva", Twip(7800, 1320, 1215, 495),
                "Ora legale estiva dell'Europa centrale");
  tm_ = opzione("TM", "Tempo Medio", Twip(7800, 1920, 1455, 375), "Tempo medio Europa centrale");
  tu_ = opzione("TU", "Tempo Universale", Twip(7800, 2400, 1215, 495), "");
  connect(oe_, &QRadioButton::clicked, this, [this] {
    Esegui([this] { modello_.OE_Click(); });
  });
  connect(tm_, &QRadioButton::clicked, this, [this] {
    Esegui([this] { modello_.TM_Click(); });
  });
  connect(tu_, &QRadioButton::clicked, this, [this] {
    Esegui([this] { modello_.TU_Click(); });
  });
}

void FinestraPrincipale::CreaCaselle(QWidget* area) {
  struct Voce {
    const char* nome;
    const char* testo;
    QRect posizione;
    Casella MacchiaRossa::*casella;
    void (MacchiaRossa::*gestore)();
    const char* suggerimento;
  };
  const Voce voci[] = {
      {"Macchia", "Macchia Rossa", Twip(840, 4440, 1575, 255), &MacchiaRossa::Macchia, nullptr,
       ""},
      {"Rivoluzione", "Rivoluzione dei satelliti", Twip(840, 4800, 2055, 255),
       &MacchiaRossa::Rivoluzione, nullptr, ""},
      {"Griglia", "Griglia delle latitudini ", Twip(840, 5160, 1935, 255),
       &MacchiaRossa::Griglia, nullptr, ""},
      {"Cielo", "Colore del cielo", Twip(6840, 3240, 1575, 255), &MacchiaRossa::Cielo, nullptr,
       ""},
      {NomiSatelliti[0].casella, NomiSatelliti[0].nome, Twip(4560, 5160, 1215, 255),
       &MacchiaRossa::IO, &MacchiaRossa::IO_Click, "Per visualizzare l'ombra dei satelliti"},
      {NomiSatelliti[1].casella, NomiSatelliti[1].nome, Twip(4560, 5400, 1215, 495),
       &MacchiaRossa::Europa, &MacchiaRossa::Europa_Click, ""},
      {NomiSatelliti[2].casella, NomiSatelliti[2].nome, Twip(4560, 5760, 1215, 375),
       &MacchiaRossa::Ganimede, &MacchiaRossa::Ganimede_Click, ""},
      {NomiSatelliti[3].casella, NomiSatelliti[3].nome, Twip(4560, 6120, 1215, 375),
       &MacchiaRossa::Callisto, &MacchiaRossa::Callisto_Click, ""},
  };
  for (const Voce& v : voci) {
    auto* c = new QCheckBox(Utf8(v.testo), area);
    c->setObjectName(v.nome);
    c->setGeometry(v.posizione);
    AllargaAlTesto(c);
    if (*v.suggerimento) c->setToolTip(Utf8(v.suggerimento));
    Casella MacchiaRossa::*casella = v.casella;
    auto gestore = v.gestore;
    connect(c, &QCheckBox::clicked, this, [this, casella, gestore](bool spuntata) {
      Esegui([this, casella, gestore, spuntata] {
        (modello_.*casella).Value = spuntata ? 1 : 0;
        if (gestore) (modello_.*gestore)();
      });
    });
    caselle_.push_back({c, casella});
  }
}

void FinestraPrincipale::CreaVelocita(QWidget* area) {
  velocita_ = new QScrollBar(Qt::Vertical, area);
  velocita_->setObjectName(Utf8("Velocità"));
  velocita_->setGeometry(Twip(7800, 3840, 255, 975));
  velocita_->setRange(1, 100);
  velocita_->setSingleStep(1);
  velocita_->setPageStep(10);
  connect(velocita_, &QScrollBar::valueChanged, this, [this](int valore) {
    if (aggiornando_) return;
    const int v = ValoreBarra(valore);
    Esegui([this, v] {
      modello_.Velocita = v;
      modello_.Velocita_Change(v);
    });
  });
}

// ---- showing the model ----------------------------------------------------

template <class F>
void FinestraPrincipale::Esegui(F&& gestore) {
  gestore();
  Aggiorna();
}

void FinestraPrincipale::Aggiorna() {
  aggiornando_ = true;
  AggiornaTesti();
  AggiornaCaselle();
  AggiornaZona();
  AggiornaVelocita();
  aggiornando_ = false;
  const QString effemeride = TestoEffemeride(modello_.sfondoValido ? modello_.sfondoPreciso
                                                                   : modello_.AltaPrecisione);
  if (zorva_->toolTip() != effemeride) zorva_->setToolTip(effemeride);
  zorva_->update();
  AggiornaPannello();
  if (pannello_ && pannello_->toolTip() != effemeride) pannello_->setToolTip(effemeride);
}

void FinestraPrincipale::AggiornaTesti() {
  for (const CampoData& c : campiData_) {
    const QString testo = QString::fromStdString((modello_.*c.campo).Text);
    if (c.widget->currentText() != testo) c.widget->setEditText(testo);
  }
  for (const CampoTesto& c : campiTesto_) {
    const Campo& campo = modello_.*c.campo;
    const QString testo = QString::fromStdString(campo.Text);
    if (c.widget->text() != testo) c.widget->setText(testo);
    const QString suggerimento = QString::fromStdString(campo.ToolTipText);
    if (c.widget->toolTip() != suggerimento) c.widget->setToolTip(suggerimento);
  }
}

void FinestraPrincipale::AggiornaCaselle() {
  for (const CasellaVista& c : caselle_) {
    const Casella& casella = modello_.*c.casella;
    const bool spuntata = casella.Value == 1;
    if (c.widget->isChecked() != spuntata) c.widget->setChecked(spuntata);
    ImpostaColore(c.widget, QPalette::WindowText, ColoreQt(casella.ForeColor));
  }
}

void FinestraPrincipale::AggiornaZona() {
  QRadioButton* scelta = modello_.OE ? oe_ : modello_.TM ? tm_ : modello_.TU ? tu_ : nullptr;
  if (scelta) {
    if (!scelta->isChecked()) scelta->setChecked(true);
    return;
  }
  for (QRadioButton* r : {oe_, tm_, tu_}) {
    r->group()->setExclusive(false);
    r->setChecked(false);
    r->group()->setExclusive(true);
  }
}

void FinestraPrincipale::AggiornaVelocita() {
  const int valore = ValoreBarra(modello_.Velocita);
  if (velocita_->value() != valore) velocita_->setValue(valore);
}

void FinestraPrincipale::AggiornaPannello() {
  const PannelloSatelliti& p = modello_.frmSatelliti;
  if (!pannello_ && !p.Visible) return;
  if (!pannello_) {
    pannello_ = new FinestraSatelliti(modello_, this);
    pannello_->ImpostaOrientamento(vista_.orientamento);
  }
  pannello_->Aggiorna();
  if (p.Visible && !pannello_->isVisible()) pannello_->show();
  if (!p.Visible && pannello_->isVisible()) pannello_->hide();
}

void FinestraPrincipale::showEvent(QShowEvent* e) {
  QMainWindow::showEvent(e);
  if (caricata_) return;
  caricata_ = true;
  modello_.Form_Load();
  Aggiorna();
}

// ---- animation ------------------------------------------------------------

void FinestraPrincipale::Rotazione_Click() {
  if (animazione_) {
    FermaAnimazione();
    return;
  }
  if (!modello_.MeridianoA_Avvia()) {
    Aggiorna();
    return;
  }
  animazione_ = true;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  AbilitaDurante(false);
  Aggiorna();
  fotogrammi_.start(0);
}

void FinestraPrincipale::ProssimoFotogramma() {
  if (!animazione_) return;
  const bool continua = modello_.MeridianoA_Fotogramma();
  Aggiorna();
  if (!continua) {
    FineAnimazione();
    return;
  }
  const double us = modello_.RitardoMicrosecondi();
  const int ms = std::isfinite(us) ? static_cast<int>(std::lround(std::clamp(us, 0.0, 6e7) / 1000))
                                   : 10;
  fotogrammi_.start(ms);
}

void FinestraPrincipale::FermaAnimazione() {
  if (!animazione_) return;
  fotogrammi_.stop();
  modello_.MeridianoA_Ferma();
  FineAnimazione();
}

void FinestraPrincipale::FineAnimazione() {
  animazione_ = false;
  QApplication::restoreOverrideCursor();
  AbilitaDurante(true);
  Aggiorna();
}

void FinestraPrincipale::AbilitaDurante(bool abilita) {
  for (QWidget* w : fermiDurante_) w->setEnabled(abilita);
  mCoordinate_->setEnabled(abilita);
  mAltaPrecisione_->setEnabled(abilita);
}

// ---- the view ---------------------------------------------------------------

void FinestraPrincipale::ScegliOrientamento(Orientamento o) {
  vista_.orientamento = o;
  MostraOrientamento();
  RicordaVista();
}

void FinestraPrincipale::ScegliVisioneNotturna(bool attiva) {
  vista_.visioneNotturna = attiva;
  mVisioneNotturna_->setChecked(attiva);
  ImpostaVisioneNotturna(attiva);
  RicordaVista();
}

void FinestraPrincipale::MostraOrientamento() {
  const Orientamento o = vista_.orientamento;
  mOrientamento_.at(o)->setChecked(true);
  zorva_->ImpostaOrientamento(o);
  if (pannello_) pannello_->ImpostaOrientamento(o);
  polo_->setText(QString::fromStdString(TestoPolo(o)));
  const PuntiCardinali c = CardinaliDi(o);
  marche_[0]->setText(QString::fromUtf8(c.sinistra.data(), c.sinistra.size()));
  marche_[1]->setText(QString::fromUtf8(c.destra.data(), c.destra.size()));
}

// A choice that cannot be stored still holds for this session; the notice says why.
void FinestraPrincipale::RicordaVista() {
  if (const auto errore = AggiornaPreferenze(cartella_, PreferenzeVista(vista_)))
    ambiente_.Avviso(TestoErrore(*errore));
}

// ---- the ephemeris ----------------------------------------------------------

// A choice that cannot be stored still holds for this session; the notice says why.
void FinestraPrincipale::ScegliAltaPrecisione(bool attiva) {
  if (!animazione_ && modello_.AltaPrecisione != attiva) {
    modello_.AltaPrecisione = attiva;
    Preferenze p;
    p.ImpostaBooleano(ChiaveAltaPrecisione, attiva);
    if (const auto errore = AggiornaPreferenze(cartella_, p))
      ambiente_.Avviso(TestoErrore(*errore));
    if (caricata_) Esegui([this] { modello_.Calcola_Click(); });
  }
  mAltaPrecisione_->setChecked(modello_.AltaPrecisione);
}

// ---- menu and closing -----------------------------------------------------

void FinestraPrincipale::MostraCoordinate() {
  if (!coordinate_) coordinate_ = new CoordinateView(cartella_, this);
  coordinate_->Mostra();
}

// One planner window, opened on the instant of the fields; a double-click on
// one of its events shows that instant here.
void FinestraPrincipale::MostraEventi() {
  if (!eventi_) {
    eventi_ = new FinestraEventi(cartella_, this);
    eventi_->adesso = [this] { return ambiente_.AdessoUT(); };
    eventi_->alDoppioClic = [this](std::chrono::sys_seconds istante) {
      FermaAnimazione();
      Esegui([this, istante] { modello_.MostraIstanteUT(istante); });
    };
  }
  eventi_->Mostra(modello_.IstanteCampiUT());
}

// The settings dialog closes first: with unsaved edits it asks, and may stay.
bool FinestraPrincipale::ChiudiCoordinate() {
  return coordinate_ == nullptr || !coordinate_->isVisible() || coordinate_->close();
}

void FinestraPrincipale::Esci() {
  if (!ChiudiCoordinate()) return;
  FermaAnimazione();
  QApplication::closeAllWindows();
  QCoreApplication::quit();
}

void FinestraPrincipale::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_Escape && animazione_) {
    FermaAnimazione();
    e->accept();
    return;
  }
  QMainWindow::keyPressEvent(e);
}

void FinestraPrincipale::closeEvent(QCloseEvent* e) {
  if (!ChiudiCoordinate()) {
    e->ignore();
    return;
  }
  FermaAnimazione();
  if (pannello_) pannello_->hide();
  QMainWindow::closeEvent(e);
}

}  // namespace mr
